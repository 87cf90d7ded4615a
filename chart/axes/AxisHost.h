#pragma once

#include "twinscope/runtime/Export.h"

namespace twinscope {

class TChartAxis;

// What an axis needs of the chart it belongs to. The chart implements it; an axis knows its
// chart only through it. What a paint computes for an axis (its shown range, its scale map, its
// placement) is the chart's, not the axis's.
class TWINSCOPE_EXPORT TAxisHost {
public:
    virtual ~TAxisHost() = default;

    // While the chart is read from its stored form, the range setters skip their checks.
    virtual bool Loading() const = 0;
    // Marks the chart's image stale and asks for a repaint.
    virtual void Invalidate() = 0;
    // A vertical title made for the chart's left axis reads upwards.
    virtual TChartAxis& LeftAxis() const = 0;

private:
    // An axis joins the chart's axis list while it is made, leaves it when it is destroyed, and
    // reports a change of its stored range.
    friend class TChartAxis;
    virtual void AxisCreated(TChartAxis& axis) = 0;
    virtual void AxisDestroyed(TChartAxis& axis) = 0;
    virtual void AxisRangeChanged(TChartAxis& axis) = 0;
};

}  // namespace twinscope
