#include "twinscope/chart/axes/LabelIncrement.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "twinscope/chart/axes/DateTimeStep.h"
#include "twinscope/runtime/Arithmetic.h"

namespace twinscope {

namespace {
constexpr double SmallestPositive = std::numeric_limits<double>::denorm_min();
constexpr double MaxRangeStepsForDateTime = 1000000;
// Beyond this the count of labels no longer fits an integer and only the step grows.
constexpr Extended MaxCountedLabels = 2147483647;
// A step grows by at least a fifth of itself once it exceeds five increments.
constexpr double MinGrowth = 0.2;

double DateTimeIncrementForCount(const TIncrementInput& in, std::int32_t count) {
    const Extended span = in.Span;
    double b = std::max(DateTimeStepTable[dtOneMicrosecond], in.Increment);
    if (span / b > MaxRangeStepsForDateTime)
        b = static_cast<double>(span / MaxRangeStepsForDateTime);
    while (Round(span / b) > count) {
        if (b >= DateTimeStepTable[dtOneYear]) {
            b *= 2;
        } else if (b >= DateTimeStepTable[dtOneSecond]) {
            b = NextDateTimeStep(b);
        } else {
            b = NextStep125(b);
        }
    }
    return std::max(DateTimeStepTable[dtOneMicrosecond], b);
}

double NumericIncrementForCount(const TIncrementInput& in, std::int32_t count) {
    const Extended span = in.Span;
    const double increment = in.Increment;
    double step;
    if (increment > 0) {
        step = increment;
    } else if (in.RangeIsZero) {
        step = 1;
    } else {
        step = static_cast<double>(std::fabs(span) / (count + 1));
        if (in.WholeSteps) step = std::max(step, 1.0);
    }

    const auto enlarge = [&] {
        step = increment > 0 ? step + std::max(increment, MinGrowth * step) : NextStep125(step);
    };
    if (in.Separated && span != 0 && step != 0) {
        std::int64_t labels = std::int64_t{count} + 1;
        do {
            const Extended e = span / step;
            if (std::fabs(e) < MaxCountedLabels) {
                labels = Round(e);
                if (labels > count) enlarge();
            } else {
                enlarge();
            }
        } while (labels > count && !(span < step) && !std::isinf(step));
    }
    if (std::isinf(step)) return static_cast<double>(span);
    return std::max(SmallestPositive, step);
}
}  // namespace

double IncrementForCount(const TIncrementInput& input, std::int32_t count) {
    if (count <= 0) {
        return input.DateTime ? DateTimeStepTable[dtOneMicrosecond] : SmallestPositive;
    }
    return input.DateTime ? DateTimeIncrementForCount(input, count)
                          : NumericIncrementForCount(input, count);
}

TPowerSteps PowerStepsForCount(Extended powers, std::int32_t count, double base) {
    // Not even one label fits: the step spans the whole range, so that at most one shows.
    if (count <= 0) return {.Powers = std::max(1.0, static_cast<double>(std::ceil(powers)) + 1)};
    const std::int32_t rungs = (2 < base) + (5 < base);
    if (rungs > 0 && Round(powers * (1 + rungs)) <= count) return {.Powers = 1, .Rungs = true};
    double step = 1;
    while (Round(powers / step) > count && !std::isinf(step))
        step = NextStep125(step);
    return {.Powers = step};
}

std::int64_t LabelRoom(std::int32_t labelSize, std::int32_t separation) {
    std::int64_t w = labelSize;
    if (separation > 0) w += Round(separation * 0.01 * labelSize);
    return w;
}

std::int32_t LabelsThatFit(std::int32_t axisLength, std::int32_t labelSize,
                           std::int32_t separation) {
    if (labelSize <= 0 || axisLength <= 0) return 1;
    const std::int64_t w = LabelRoom(labelSize, separation);
    return static_cast<std::int32_t>(
        Round(static_cast<double>(axisLength) / static_cast<double>(w)));
}

double NextStep125(double x) {
    if (std::isinf(x)) return 1;
    if (x >= 10) return 10 * NextStep125(x * 0.1);
    if (x < 1) return NextStep125(x * 10) * 0.1;
    if (x < 2) return 2;
    if (x < 5) return 5;
    return 10;
}

}  // namespace twinscope
