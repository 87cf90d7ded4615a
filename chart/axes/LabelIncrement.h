#pragma once

#include <cstdint>

#include "twinscope/runtime/Arithmetic.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

// What the step between the labels of one paint depends on, read off the axis by the label
// pass: the choice itself is a pure function of these values.
struct TWINSCOPE_EXPORT TIncrementInput {
    Extended Span = 0;         // the range shown: its maximum minus its minimum
    double Increment = 0;      // the axis's own Increment; 0 lets the pass choose
    bool DateTime = false;     // the axis carries date-time values
    bool RangeIsZero = false;  // the range shown is empty (within the axis's tolerance)
    bool Separated = true;     // the labels keep a separation, so their count limits the step
    bool WholeSteps = false;   // an index-valued series with few points needs no finer step
    friend bool operator==(const TIncrementInput&, const TIncrementInput&) = default;
};

// The increment that shows at most `count` labels over the span, starting from the set
// Increment and enlarging it (by the increment and then a fifth of the step, or up the 1-2-5
// ladder, or up DateTimeStepTable on a date-time axis).
TWINSCOPE_EXPORT double IncrementForCount(const TIncrementInput& input, std::int32_t count);

// The room one label of the given size takes along an axis, with `separation` percent of it
// to the next.
TWINSCOPE_EXPORT std::int64_t LabelRoom(std::int32_t labelSize, std::int32_t separation);

// How many labels of the given size, with `separation` percent of it between them, fit along
// an axis of the given length; 1 when nothing is known.
TWINSCOPE_EXPORT std::int32_t LabelsThatFit(std::int32_t axisLength, std::int32_t labelSize,
                                            std::int32_t separation);

// How labels at powers of a base are spaced: every `Powers`-th power, with the 2 and 5 rungs
// inside each power when `Rungs`.
struct TWINSCOPE_EXPORT TPowerSteps {
    double Powers = 1;
    bool Rungs = false;
    friend bool operator==(const TPowerSteps&, const TPowerSteps&) = default;
};

// The spacing that shows at most `count` labels over a range spanning `powers` powers of the
// base: each power with its rungs (those below the base) when all of them fit, else every
// power, or every 2nd, 5th, 10th, 20th ... one, the same fitting rule as for a value increment.
TWINSCOPE_EXPORT TPowerSteps PowerStepsForCount(Extended powers, std::int32_t count, double base);

// The next value of ..., 0.1, 0.2, 0.5, 1, 2, 5, 10, ... strictly above x (x > 0); 1 for an
// infinite x.
TWINSCOPE_EXPORT double NextStep125(double x);

}  // namespace twinscope
