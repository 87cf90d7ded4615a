#include "twinscope/chart/axes/DateTimeStep.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <optional>

#include "twinscope/runtime/Arithmetic.h"
#include "twinscope/runtime/DateTime.h"

namespace twinscope {

double NextDateTimeStep(double x) {
    for (std::int32_t k = dtOneYear - 1; k >= 0; --k) {
        if (x >= DateTimeStepTable[k]) return DateTimeStepTable[k + 1];
    }
    return DateTimeStepTable[dtOneYear];
}

std::int32_t FindDateTimeStep(double x) {
    for (std::int32_t n = dtOneYear; n >= 0; --n) {
        if (std::fabs(DateTimeStepTable[n] - x) < DateTimeStepTable[dtOneMicrosecond]) return n;
    }
    return NoDateTimeStep;
}

namespace {
double RoundToMultiple(double x, double days) {
    return static_cast<double>(Round(x / days)) * days;
}
}  // namespace

double RoundToDateTimeStep(std::int32_t index, double x) {
    if (x == 0) return x;
    switch (index) {
        case dtOneDay:
            return static_cast<double>(Round(x));
        case dtOneDay + 1:
            return RoundToMultiple(x, 2);
        case dtOneDay + 2:
            return RoundToMultiple(x, 3);
        case dtOneWeek:
            // Weeks start on Mondays, and day 2 (1 January 1900) was one.
            return RoundToMultiple(x - 2, 7) + 2;
        default:
            break;
    }
    if (index < dtHalfMonth || index > dtOneYear) return x;
    // Beyond the last day the row's last label stands in; before the first day there is none.
    if (!IsCalendarValue(x) && !(x > LastCalendarDay)) return x;
    const DateParts d = DecodeDate(std::min(x, LastCalendarDay));
    if (index == dtHalfMonth) return EncodeDate(d.Year, d.Month, d.Day >= 15 ? 15 : 1);
    if (index == dtOneYear) return EncodeDate(d.Year, 1, 1);
    return EncodeDate(d.Year, d.Month, 1);
}

namespace {
// The date, or none where the calendar has no such day (before year 1, 29 February of a
// common year).
std::optional<TDateTime> CalendarDate(std::int32_t year, std::int32_t month, std::int32_t day) {
    if (year < 1) return std::nullopt;
    const std::chrono::year_month_day ymd{std::chrono::year{year},
                                          std::chrono::month{static_cast<unsigned>(month)},
                                          std::chrono::day{static_cast<unsigned>(day)}};
    if (!ymd.ok()) return std::nullopt;
    return EncodeDate(year, month, day);
}

// The given day of the month `months` before the month of d.
std::optional<TDateTime> DayOfEarlierMonth(const DateParts& d, std::int32_t months,
                                           std::int32_t day) {
    std::int32_t year = d.Year;
    std::int32_t month = d.Month - months;
    while (month < 1) {
        month += 12;
        --year;
    }
    return CalendarDate(year, month, day);
}

// The same date in the latest earlier year at or below target.
std::optional<TDateTime> SameDateInEarlierYear(const DateParts& d, double target) {
    for (std::int32_t year = d.Year - 1; year >= 1; --year) {
        const std::optional<TDateTime> result = CalendarDate(year, d.Month, d.Day);
        if (result && *result <= target) return result;
    }
    return std::nullopt;
}

std::optional<TDateTime> CalendarStepDown(const DateParts& d, double target, std::int32_t index) {
    switch (index) {
        case dtHalfMonth:
            if (d.Day > 15) return EncodeDate(d.Year, d.Month, 15);
            if (d.Day > 1) return EncodeDate(d.Year, d.Month, 1);
            return DayOfEarlierMonth(d, 1, 15);
        case dtOneYear:
            return SameDateInEarlierYear(d, target);
        default: {
            constexpr std::int32_t monthsBack[] = {1, 2, 3, 4, 6};
            return DayOfEarlierMonth(d, monthsBack[index - dtOneMonth], 1);
        }
    }
}
}  // namespace

double StepDateTimeDown(double v, double increment, std::int32_t index) {
    const double target = static_cast<double>(static_cast<Extended>(v) - increment);
    if (SameValue(target, v)) return v;
    if (index < dtHalfMonth || index > dtOneYear) return target;
    // Stepping stops at the calendar's first day; from beyond its last day the walk enters
    // the calendar on the row's last label at or below the target.
    if (!IsCalendarValue(v)) {
        return v > LastCalendarDay ? RoundToDateTimeStep(index, std::min(target, LastCalendarDay))
                                   : v;
    }
    return CalendarStepDown(DecodeDate(v), target, index).value_or(v);
}

}  // namespace twinscope
