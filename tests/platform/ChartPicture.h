#pragma once

#include <QImage>
#include <QPainter>

#include "twinscope/chart/canvas/qt/QtPaintTarget.h"
#include "twinscope/chart/panel/Chart.h"

namespace twinscope {

// The chart painted anew on white, 420 by 300 pixels, with the canvas it has.
inline QImage PaintedOnWhite(TChart& chart) {
    QImage image(420, 300, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    TQtPaintTarget target(painter);
    chart.Invalidate();
    chart.Paint(target);
    painter.end();
    return image;
}

// The chart painted flat on white, 420 by 300 pixels, with the canvas of that class and its
// bottom axis over [from, to].
inline QImage ChartPicture(TChart& chart, const char* canvasClass, double from, double to) {
    chart.SetDefaultCanvas(canvasClass);
    chart.SetBounds(420, 300);
    chart.SetView3D(false);
    chart.BottomAxis().SetAutomatic(false);
    chart.BottomAxis().SetMinMax(from, to);
    return PaintedOnWhite(chart);
}

}  // namespace twinscope
