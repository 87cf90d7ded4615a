#pragma once

namespace twinscope {

class TChartAxis;
struct TBoundSeries;

// What an axis needs of the chart it belongs to. The chart implements it; an axis knows its
// chart only through it, and what the chart's series tell an axis reaches it as a value when the
// chart prepares the axis's range.
class TAxisHost {
public:
    virtual ~TAxisHost() = default;

    // While the chart is read from its stored form, the range setters skip their checks.
    virtual bool Loading() const = 0;
    // Marks the chart's image stale and asks for a repaint.
    virtual void Invalidate() = 0;
    // A vertical title made for the chart's left axis reads upwards.
    virtual TChartAxis& LeftAxis() const = 0;
    // The label step an automatic axis rounds its ends to; 0 leaves them unrounded.
    virtual double LabelStep(const TChartAxis& axis) const = 0;

protected:
    // What the chart's paint tells an axis: whether it shows, and what its series tell it.
    static void SetAxisShown(TChartAxis& axis, bool shown);
    static void SetBoundSeries(TChartAxis& axis, const TBoundSeries& series);

private:
    // An axis joins the chart's axis list while it is made, leaves it when it is destroyed, and
    // reports a change of its stored range.
    friend class TChartAxis;
    virtual void AxisCreated(TChartAxis& axis) = 0;
    virtual void AxisDestroyed(TChartAxis& axis) = 0;
    virtual void AxisRangeChanged(TChartAxis& axis) = 0;
};

}  // namespace twinscope
