#pragma once

#include <QAccessibleWidget>
#include <QHash>

#include <memory>
#include <vector>

#include "twinscope/runtime/Export.h"

namespace twinscope {

class TChartSeries;
class TChartWidget;

// The chart widget as a screen reader sees it: role Chart, named by the chart's title (or the
// widget's accessible name when one is set), described by each shown axis and scale with its
// title and the range it shows, its value the readout of the keyboard's data cursor. Each
// series is a child (role Graphic) named as the legend lists it and described by its point
// count and the ranges of its values. Everything is read from the chart as it is when asked.
class TWINSCOPE_EXPORT TChartAccessible : public QAccessibleWidget {
public:
    explicit TChartAccessible(TChartWidget* widget);
    ~TChartAccessible() override;

    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    TChartWidget& Widget() const;
    // The series child's place in the chart's list; -1 for a series no longer there.
    int IndexOfSeries(const TChartSeries* series) const;

private:
    // Children are made on first request and kept (the accessibility cache owns them) for as
    // long as the chart's interface lives.
    mutable QHash<const TChartSeries*, QAccessible::Id> children_;
};

// Installs, once, the factory that gives every TChartWidget its TChartAccessible.
TWINSCOPE_EXPORT void InstallChartAccessibility();

// What tells assistive technology that the keyboard's data cursor moved: the chart's value
// changed to the readout's sentence, then the focus went to the series of the cursor's point
// (no focus event while the cursor is hidden).
TWINSCOPE_EXPORT std::vector<std::unique_ptr<QAccessibleEvent>> DataCursorEvents(
    TChartWidget& widget);
// Sends those events, where assistive technology listens.
TWINSCOPE_EXPORT void AnnounceDataCursor(TChartWidget& widget);

}  // namespace twinscope
