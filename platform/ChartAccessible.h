#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <QAccessibleWidget>
#include <QHash>
#include <QRect>

#include "twinscope/runtime/Export.h"

namespace twinscope {

class TChart;
class TChartSeries;
class TChartWidget;
class TReadoutInput;

// What the accessible interfaces read of the host that shows a chart (the widget, the Qt Quick
// item), asked anew at every question; no chart when the host is gone.
struct TChartHostView {
    TChart* Chart = nullptr;
    TReadoutInput* Readouts = nullptr;
    bool Focused = false;
    QRect PlotOnScreen;
};
using TChartHostReader = std::function<TChartHostView()>;

// A chart as a screen reader sees it, for any host: named by the chart's title, described by
// each shown axis and scale with its title and the range it shows, its value the readout of the
// keyboard's data cursor. Each series is a child (role Graphic) named as the legend lists it and
// described by its point count and the ranges of its values; the data cursor's series has the
// focus. Children are made on first request and kept (the accessibility cache owns them) for as
// long as these parts live.
class TWINSCOPE_EXPORT TChartAccessibleParts {
public:
    explicit TChartAccessibleParts(TChartHostReader read) : read_(std::move(read)) {}
    ~TChartAccessibleParts();
    TChartAccessibleParts(const TChartAccessibleParts&) = delete;
    TChartAccessibleParts& operator=(const TChartAccessibleParts&) = delete;

    // Name, Description and Value; a null string for the other texts.
    QString Text(QAccessible::Text t) const;
    int ChildCount() const;
    QAccessibleInterface* Child(const QAccessibleInterface* chart, int index) const;
    int IndexOfChild(const QAccessibleInterface* child) const;
    QAccessibleInterface* FocusChild(const QAccessibleInterface* chart) const;

private:
    TChartHostReader read_;
    mutable QHash<const TChartSeries*, QAccessible::Id> children_;
};

// The chart widget's interface: role Chart, the widget's accessible name and description when
// set, else the chart's own.
class TWINSCOPE_EXPORT TChartAccessible : public QAccessibleWidget {
public:
    explicit TChartAccessible(TChartWidget* widget);

    QString text(QAccessible::Text t) const override;
    int childCount() const override { return parts_.ChildCount(); }
    QAccessibleInterface* child(int index) const override { return parts_.Child(this, index); }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return parts_.IndexOfChild(child);
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return parts_.FocusChild(this); }

private:
    TChartAccessibleParts parts_;
};

// Installs, once, the factory that gives every TChartWidget its TChartAccessible.
TWINSCOPE_EXPORT void InstallChartAccessibility();

// What tells assistive technology that the keyboard's data cursor moved: the chart's value
// changed to the readout's sentence, then the focus went to the series of the cursor's point
// (no focus event while the cursor is hidden).
TWINSCOPE_EXPORT std::vector<std::unique_ptr<QAccessibleEvent>> DataCursorEvents(QObject* host);
// Sends those events, where assistive technology listens.
TWINSCOPE_EXPORT void AnnounceDataCursor(QObject* host);

}  // namespace twinscope
