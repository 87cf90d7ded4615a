#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "twinscope/runtime/Export.h"

namespace twinscope {

struct TReadings;

// Where 29 February goes when years are laid over each other: a day slot of its own (every
// year without it has a gap there), into 28 February (the two days' readings averaged), or
// nowhere.
enum class TLeapDay : std::uint8_t { Show, Merge, Skip };

// "show", "merge", "skip".
TWINSCOPE_EXPORT std::optional<TLeapDay> LeapDayNamed(std::string_view name);

// The day slots of a year laid over the others: 366 when 29 February has its own, else 365.
TWINSCOPE_EXPORT std::int32_t DaySlotCount(TLeapDay leapDay);

// The slot (1-based) a date's day falls in: its day of the year in a leap year when 29 February
// has a slot of its own, else in a common year, 29 February then falling into 28 February's
// slot (Merge) or into none (Skip: 0). 0 for a value outside the calendar.
TWINSCOPE_EXPORT std::int32_t DaySlot(double date, TLeapDay leapDay);

// The date a slot stands for in a year: the slot's month and day in that year; 29 February's
// slot in a common year gives 28 February.
TWINSCOPE_EXPORT double DateOfSlot(std::int32_t slot, std::int32_t year, TLeapDay leapDay);

// One year of readings by day slot: the mean of the readings whose day falls into each slot,
// NaN where none does.
struct TYearLine {
    std::int32_t Year = 0;
    std::vector<double> Values;
};

// The years of readings, in order, and the years between the first and the last that hold none.
struct TYearSplit {
    std::vector<TYearLine> Years;
    std::vector<std::int32_t> EmptyYears;
};

// Splits readings (ordered by date or not) into their years by day slot. NaN readings and
// readings outside the calendar count as none.
TWINSCOPE_EXPORT TYearSplit SplitIntoYears(const TReadings& readings, TLeapDay leapDay);

// What an overlay says of the years it leaves out: "no readings in 1995, 1996 and 1998: those
// years are left out"; empty for none.
TWINSCOPE_EXPORT std::string EmptyYearsNote(const std::vector<std::int32_t>& years);

// The value below which a share of the values lies (share from 0 to 1), interpolated linearly
// between the two nearest ranks: with the n values in order x0 <= ... <= x(n-1), the value at
// rank h = share × (n − 1) is x(floor h) + (h − floor h) × (x(floor h + 1) − x(floor h)). NaN for
// no values. The values are reordered.
TWINSCOPE_EXPORT double Percentile(std::vector<double>& values, double share);

// What the years tell of each day slot, NaN where no year has a reading there.
struct TDayStatistics {
    // The mean and the extremes of the slot's values over the years.
    std::vector<double> Mean;
    std::vector<double> RecordLow;
    std::vector<double> RecordHigh;
    // Percentiles of the slot's values taken together with those of the slots up to Window
    // days on either side (across the end of the year to its beginning), over all years.
    std::vector<double> Low;
    std::vector<double> High;
};

// The days a slot's percentiles take on either side, and their shares.
inline constexpr std::int32_t PercentileWindow = 7;
inline constexpr double LowShare = 0.1;
inline constexpr double HighShare = 0.9;

TWINSCOPE_EXPORT TDayStatistics DailyStatistics(const std::vector<TYearLine>& years,
                                                std::int32_t slots,
                                                std::int32_t window = PercentileWindow,
                                                double lowShare = LowShare,
                                                double highShare = HighShare);

}  // namespace twinscope
