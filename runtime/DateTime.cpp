#include "twinscope/runtime/DateTime.h"

#include <chrono>
#include <cmath>

#include "twinscope/runtime/Arithmetic.h"
#include "twinscope/runtime/Exceptions.h"

namespace twinscope {

namespace {

using namespace std::chrono;

// Day 0 of the date-time values.
constexpr sys_days kEpoch = sys_days{year{1899} / December / 30};
constexpr double kMinDay = (sys_days{year{1} / January / 1} - kEpoch).count();
constexpr double kMaxDay = (sys_days{year{9999} / December / 31} - kEpoch).count();
static_assert(kMinDay == FirstCalendarDay && kMaxDay == LastCalendarDay);
constexpr long long kMillisecondsPerDay = 86'400'000;

// The day of a value: its integer part, toward zero.
sys_days DayOf(TDateTime value) {
    const double whole = std::trunc(value);
    if (!IsCalendarValue(value)) {
        throw ConversionError("Invalid argument to date decode");
    }
    return kEpoch + days{static_cast<int>(whole)};
}

}  // namespace

bool IsCalendarValue(TDateTime value) {
    const double whole = std::trunc(value);
    return whole >= kMinDay && whole <= kMaxDay;
}

DateParts DecodeDate(TDateTime value) {
    const year_month_day ymd{DayOf(value)};
    return DateParts{static_cast<int>(ymd.year()), static_cast<int>(unsigned(ymd.month())),
                     static_cast<int>(unsigned(ymd.day()))};
}

// The time never carries into the next day: the day of a value is its truncated integer part,
// so a fraction a hair below 1 stays on the same day and reads 23:59:59.999, in step with
// DecodeDate.
TimeParts DecodeTime(TDateTime value) {
    if (!std::isfinite(value)) {
        throw ConversionError("Invalid argument to time decode");
    }
    const Extended fraction = std::fabs(value - std::trunc(value));
    long long ms = std::llround(fraction * kMillisecondsPerDay);
    if (ms >= kMillisecondsPerDay) ms = kMillisecondsPerDay - 1;
    return TimeParts{static_cast<int>(ms / 3'600'000), static_cast<int>(ms / 60'000 % 60),
                     static_cast<int>(ms / 1000 % 60), static_cast<int>(ms % 1000)};
}

std::int32_t DayOfWeek(TDateTime value) {
    return static_cast<std::int32_t>(weekday{DayOf(value)}.c_encoding()) + 1;
}

TDateTime EncodeDate(std::int32_t y, std::int32_t m, std::int32_t d) {
    if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1 || d > 31) {
        throw ConversionError("Invalid argument to date encode");
    }
    const year_month_day ymd{year{y}, month{static_cast<unsigned>(m)},
                             day{static_cast<unsigned>(d)}};
    if (!ymd.ok()) {
        throw ConversionError("Invalid argument to date encode");
    }
    return static_cast<TDateTime>((sys_days{ymd} - kEpoch).count());
}

TDateTime EncodeTime(std::int32_t hour, std::int32_t minute, std::int32_t second,
                     std::int32_t millisecond) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        millisecond < 0 || millisecond > 999) {
        throw ConversionError("Invalid argument to time encode");
    }
    const long long ms = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
    return static_cast<double>(ms) / kMillisecondsPerDay;
}

TDateTime EncodeDateTime(const DateParts& date, const TimeParts& time) {
    const TDateTime day = EncodeDate(date.Year, date.Month, date.Day);
    const TDateTime fraction = EncodeTime(time.Hour, time.Minute, time.Second, time.Millisecond);
    return day >= 0 ? day + fraction : day - fraction;
}

bool IsLeapYear(std::int32_t y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

std::uint16_t CalendarYear(TDateTime x) {
    return static_cast<std::uint16_t>(DecodeDate(x).Year);
}

TDateTime FirstDayOfYear(TDateTime x) {
    return EncodeDate(CalendarYear(x), 1, 1);
}

// The difference is taken from the day of x rather than from x itself: for x >= 0 both give
// the same number, but before the epoch a time of day lies below the day's integer part and
// would otherwise pull the result back by one.
std::uint16_t DayOfYear(TDateTime x) {
    const Extended difference = static_cast<Extended>(Int(x)) - FirstDayOfYear(x);
    return static_cast<std::uint16_t>(Trunc(difference) + 1);
}

}  // namespace twinscope
