#pragma once

#include <QByteArray>
#include <QRect>
#include <QString>
#include <vector>

#include "app/StoredProperties.h"
#include "twinscope/runtime/Types.h"

namespace twinscope {

// One control of the window as stored: its class, parent, place and texts.
struct TStoredComponent {
    QString Name;
    QString Class;
    QString Parent;
    QRect Bounds;
    QString Caption;      // group boxes, labels, buttons, menu items; the edit's label text
    QString Text;         // edit boxes
    double DateTime = 0;  // date-time pickers
};

// The window's stored content: its own settings, its controls, the chart's settings and the
// series with its points.
struct TWindowContent {
    QString Caption;
    QSize ClientSize;
    TColor Color = 0;
    QString FontName;
    int FontPixelHeight = 0;
    bool FontBold = false;
    std::vector<TStoredComponent> Components;
    TStoredProperties ChartProperties;
    QString SeriesName;
    TStoredProperties SeriesProperties;
};

// The smallest client area under which the controls would be cut or the chart would shrink
// below a readable size: the controls keep their stored places with their left margin on the
// right and below, and the anchored chart keeps its stored distances to the edges.
QSize MinimumClientSize(const TWindowContent& content);

// Reads the content from its JSON text; raises StreamReadError when it is malformed.
TWindowContent ParseWindowContent(const QByteArray& json);
// The content compiled into the program, as stored and as read.
QByteArray StoredWindowText();
TWindowContent StoredWindowContent();

}  // namespace twinscope
