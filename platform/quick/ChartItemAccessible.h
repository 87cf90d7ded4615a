#pragma once

#include <QAccessibleObject>

#include "twinscope/platform/ChartAccessible.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

class TChartItem;

// The Qt Quick chart item as a screen reader sees it: what the widget's interface says (role
// Chart, named by the chart's title, its axes and scales described, a child per series, the
// data cursor's readout as its value), inside the item's window.
class TWINSCOPE_EXPORT TChartItemAccessible : public QAccessibleObject {
public:
    explicit TChartItemAccessible(TChartItem* item);

    QAccessibleInterface* parent() const override;
    QWindow* window() const override;
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Chart; }
    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    int childCount() const override { return parts_.ChildCount(); }
    QAccessibleInterface* child(int index) const override { return parts_.Child(this, index); }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return parts_.IndexOfChild(child);
    }
    QAccessibleInterface* focusChild() const override { return parts_.FocusChild(this); }

private:
    TChartItem* Item() const;
    TChartAccessibleParts parts_;
};

// Installs, once, the factory that gives every TChartItem its TChartItemAccessible.
TWINSCOPE_EXPORT void InstallChartItemAccessibility();

}  // namespace twinscope
