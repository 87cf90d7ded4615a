#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "twinscope/chart/axes/CalendarLabels.h"
#include "twinscope/chart/axes/DateTimeStep.h"
#include "twinscope/chart/axes/ScaleMap.h"
#include "twinscope/runtime/Arithmetic.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

// Labels per pass beyond which an axis shows none at all.
inline constexpr std::int32_t MaxLabelsPerPass = 10000;

// What the values of an axis's labels depend on in one paint.
struct TWINSCOPE_EXPORT TLabelValuesInput {
    TScaleRange Range;         // the range shown
    bool RangeIsZero = false;  // within the axis's tolerance
    // The step between labels: a value difference, or a number of powers of the base.
    double Increment = 0;
    bool RoundFirst = true;      // labels are whole multiples of the increment
    bool DateTime = false;       // the values are dates: only days of the calendar are labels
    bool ExactDateTime = false;  // date labels align to and step by the calendar
    std::int32_t StepIndex = NoDateTimeStep;  // the calendar row the labels align to
    // Labels stand at powers of the base, every Increment-th one, with the 2 and 5 rungs inside
    // each power when asked (on bases above them).
    bool Powers = false;
    bool Rungs = false;
    double LogBase = 10;
    // With Powers, labels at every Increment-th whole position of this transform instead of
    // at powers of the base (0 and the signed powers on a symmetric logarithmic axis).
    const TAxisTransform* Positions = nullptr;
    // Dates labelled by their number in a calendar that starts again each year, in place of
    // the steps (see CalendarLabelValues).
    TCalendarLabels Calendar = calNone;
    friend bool operator==(const TLabelValuesInput&, const TLabelValuesInput&) = default;
};

// The values an axis labels in one paint, from the top of the range down. On steps of a value,
// with RoundFirst the first label is the multiple of the increment next to the maximum on the
// side of zero (moved down into the range when it lies above it), else the maximum; calendar
// rows align it to their days. A zero range has the one label of the first value.
class TWINSCOPE_EXPORT TLabelValues {
public:
    explicit TLabelValues(const TLabelValuesInput& input);

    // Every label, top first; none when the range would need MaxLabelsPerPass labels or more.
    std::vector<double> All() const;
    // The first labels, at most `most` of them, however many the range holds.
    std::vector<double> Leading(std::size_t most) const;
    // The first and last values of the walk (on a date-time axis they may lie outside the
    // calendar, and label nothing), and the values one step beyond them inwards, found without
    // walking the range: what the label sizes are measured on.
    double First() const { return first_; }
    double Last() const;
    double Below(double v) const;
    double Above(double v) const;

private:
    // One step down; false when the value can go no further.
    bool StepDown(double& v) const;
    std::vector<double> AllPowers() const;
    std::int64_t PowerStep() const;
    double PowerLabel(std::int64_t k, double multiple) const;
    bool InRange(double v) const;
    // The top (or bottom) label at powers of the base, found from the power at the end.
    double PowerEnd(bool top) const;
    // A value `steps` label steps of whole positions away (on Positions).
    double PositionStepped(double v, double steps) const;
    bool Labels(double v) const;
    // A value below an end by no more than a thousandth of a step (and not a date).
    bool HairBelow(double v, double end) const;

    TLabelValuesInput in_;
    bool calendarStepping_ = false;
    double first_ = 0;
};

}  // namespace twinscope
