#pragma once

#include <cstdint>

#include "twinscope/runtime/Export.h"

namespace twinscope {

// A date-time value counts days since 30 December 1899, 00:00; its integer part (toward zero)
// is the day and its fraction the time of day. Negative values lie before the epoch.
using TDateTime = double;

struct TWINSCOPE_EXPORT DateParts {
    std::int32_t Year = 0;
    std::int32_t Month = 0;  // 1..12
    std::int32_t Day = 0;    // 1..31
    friend bool operator==(const DateParts&, const DateParts&) = default;
};

struct TWINSCOPE_EXPORT TimeParts {
    std::int32_t Hour = 0;
    std::int32_t Minute = 0;
    std::int32_t Second = 0;
    std::int32_t Millisecond = 0;
    friend bool operator==(const TimeParts&, const TimeParts&) = default;
};

// The calendar's first and last days, 1 January 0001 and 31 December 9999.
inline constexpr TDateTime FirstCalendarDay = -693593;
inline constexpr TDateTime LastCalendarDay = 2958465;
// Whether the day of a value lies in the calendar, so that DecodeDate accepts it.
TWINSCOPE_EXPORT bool IsCalendarValue(TDateTime value);

// Gregorian date of the day of a value. Throws ConversionError outside years 1..9999.
TWINSCOPE_EXPORT DateParts DecodeDate(TDateTime value);
// Time of day of a value, from the absolute fraction, rounded to the millisecond; a fraction
// that rounds up to a whole day reads 23:59:59.999. Throws ConversionError for NaN and infinity.
TWINSCOPE_EXPORT TimeParts DecodeTime(TDateTime value);
// 1 = Sunday .. 7 = Saturday. Throws as DecodeDate.
TWINSCOPE_EXPORT std::int32_t DayOfWeek(TDateTime value);

// Throws ConversionError for a date that does not exist or lies outside years 1..9999.
TWINSCOPE_EXPORT TDateTime EncodeDate(std::int32_t year, std::int32_t month, std::int32_t day);
// Throws ConversionError for hours > 23, minutes or seconds > 59, milliseconds > 999.
TWINSCOPE_EXPORT TDateTime EncodeTime(std::int32_t hour, std::int32_t minute, std::int32_t second,
                                      std::int32_t millisecond);
// A date and a time of day as one value. Before the epoch the day counts down while the time
// still counts forward: 29 December 1899, 06:00 is -1.25. Throws as EncodeDate and EncodeTime.
TWINSCOPE_EXPORT TDateTime EncodeDateTime(const DateParts& date, const TimeParts& time);
TWINSCOPE_EXPORT bool IsLeapYear(std::int32_t year);

// The year of the day of x, as a 16-bit unsigned number.
TWINSCOPE_EXPORT std::uint16_t CalendarYear(TDateTime x);
// 1 January, 00:00, of CalendarYear(x).
TWINSCOPE_EXPORT TDateTime FirstDayOfYear(TDateTime x);
// truncate(x - FirstDayOfYear(x)) + 1, the difference in extended precision: 1 January is 1.
// The time of day never changes the result, also before the epoch.
TWINSCOPE_EXPORT std::uint16_t DayOfYear(TDateTime x);

}  // namespace twinscope
