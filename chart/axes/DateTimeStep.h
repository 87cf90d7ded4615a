#pragma once

#include <array>
#include <cstdint>

#include "twinscope/runtime/Export.h"

namespace twinscope {

// The steps a date-time axis may take between labels, in days, from one microsecond to one
// year. A row index of this table is a step index; NoDateTimeStep means no row.
inline constexpr std::array<double, 27> DateTimeStepTable{
    1.0 / 86400000000,  // 1 microsecond
    1.0 / 86400000,     // 1 millisecond
    1.0 / 86400,        // 1 second
    5.0 / 86400,        // 5 seconds
    10.0 / 86400,       // 10 seconds
    15.0 / 86400,       // 15 seconds
    30.0 / 86400,       // 30 seconds
    1.0 / 1440,         // 1 minute
    5.0 / 1440,         // 5 minutes
    10.0 / 1440,        // 10 minutes
    15.0 / 1440,        // 15 minutes
    30.0 / 1440,        // 30 minutes
    1.0 / 24,           // 1 hour
    2.0 / 24,           // 2 hours
    0.25,               // 6 hours
    0.5,                // 12 hours
    1,                  // 1 day
    2,                  // 2 days
    3,                  // 3 days
    7,                  // 1 week
    15,                 // half month
    30,                 // 1 month
    60,                 // 2 months
    90,                 // 3 months
    120,                // 4 months
    182,                // 6 months
    365,                // 1 year
};

inline constexpr std::int32_t dtOneMicrosecond = 0;
inline constexpr std::int32_t dtOneSecond = 2;
inline constexpr std::int32_t dtOneDay = 16;
inline constexpr std::int32_t dtOneWeek = 19;
inline constexpr std::int32_t dtHalfMonth = 20;
inline constexpr std::int32_t dtOneMonth = 21;
inline constexpr std::int32_t dtSixMonths = 25;
inline constexpr std::int32_t dtOneYear = 26;
inline constexpr std::int32_t NoDateTimeStep = 27;

// The row after the largest row at or below x (365 when x lies below every row):
// NextDateTimeStep(10) = 15.
TWINSCOPE_EXPORT double NextDateTimeStep(double x);

// The row that x equals to within one microsecond, the largest such row first; NoDateTimeStep
// when none does: FindDateTimeStep(10) = NoDateTimeStep.
TWINSCOPE_EXPORT std::int32_t FindDateTimeStep(double x);

// The first label of a calendar-aligned axis at or near x for the step of row `index`: whole
// days, even days, multiples of three days, Mondays, the 1st or 15th of a month, the 1st of a
// month or 1 January. Rows below one day and NoDateTimeStep leave x as it is, and so does 0.
// Beyond the calendar's last day the month and year rows round as that day; before its first
// day they leave x as it is.
TWINSCOPE_EXPORT double RoundToDateTimeStep(std::int32_t index, double x);

// One label further down a calendar-stepped axis: for the month rows the 1st (or 15th) of an
// earlier month, for the year row the same date in an earlier year at or below v - increment,
// for every other row v - increment. Leaves v unchanged when subtracting the increment would
// not change it, and on the month and year rows where no earlier label lies in the calendar
// (stepping stops at 1 January 0001); from beyond the calendar's last day those rows step to
// their last label at or below v - increment.
TWINSCOPE_EXPORT double StepDateTimeDown(double v, double increment, std::int32_t index);

}  // namespace twinscope
