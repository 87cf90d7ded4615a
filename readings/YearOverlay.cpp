#include "twinscope/readings/YearOverlay.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

#include "twinscope/readings/Readings.h"
#include "twinscope/runtime/DateTime.h"

namespace twinscope {

namespace {
// 29 February's day of the year, and so its slot when it has one.
constexpr std::int32_t LeapDaySlot = 60;
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

struct TSum {
    double Total = 0;
    std::int32_t Count = 0;
};
}  // namespace

std::optional<TLeapDay> LeapDayNamed(std::string_view name) {
    if (name == "show") return TLeapDay::Show;
    if (name == "merge") return TLeapDay::Merge;
    if (name == "skip") return TLeapDay::Skip;
    return std::nullopt;
}

std::int32_t DaySlotCount(TLeapDay leapDay) {
    return leapDay == TLeapDay::Show ? 366 : 365;
}

std::int32_t DaySlot(double date, TLeapDay leapDay) {
    if (!IsCalendarValue(date)) return 0;
    const std::int32_t day = DayOfYear(date);
    const bool leap = IsLeapYear(CalendarYear(date));
    if (leapDay == TLeapDay::Show) return !leap && day >= LeapDaySlot ? day + 1 : day;
    if (!leap || day < LeapDaySlot) return day;
    if (day == LeapDaySlot) return leapDay == TLeapDay::Merge ? LeapDaySlot - 1 : 0;
    return day - 1;
}

double DateOfSlot(std::int32_t slot, std::int32_t year, TLeapDay leapDay) {
    const double first = EncodeDate(year, 1, 1);
    const bool leap = IsLeapYear(year);
    if (leapDay == TLeapDay::Show) {
        // A common year's 28 February stands in for the slot it lacks.
        return first + slot - (leap || slot < LeapDaySlot ? 1 : 2);
    }
    return first + slot - (leap && slot >= LeapDaySlot ? 0 : 1);
}

TYearSplit SplitIntoYears(const TReadings& readings, TLeapDay leapDay) {
    const std::int32_t slots = DaySlotCount(leapDay);
    std::map<std::int32_t, std::vector<TSum>> sums;
    const std::size_t n = std::min(readings.Dates.size(), readings.Temperatures.size());
    for (std::size_t i = 0; i < n; ++i) {
        const double date = readings.Dates[i];
        const double value = readings.Temperatures[i];
        const std::int32_t slot = DaySlot(date, leapDay);
        if (slot == 0 || std::isnan(value)) continue;
        std::vector<TSum>& year = sums[CalendarYear(date)];
        if (year.empty()) year.resize(static_cast<std::size_t>(slots));
        TSum& sum = year[static_cast<std::size_t>(slot - 1)];
        sum.Total += value;
        ++sum.Count;
    }
    TYearSplit split;
    for (const auto& [year, days] : sums) {
        if (!split.Years.empty()) {
            for (std::int32_t y = split.Years.back().Year + 1; y < year; ++y)
                split.EmptyYears.push_back(y);
        }
        TYearLine& line = split.Years.emplace_back(TYearLine{year, {}});
        line.Values.reserve(days.size());
        for (const TSum& sum : days)
            line.Values.push_back(sum.Count > 0 ? sum.Total / sum.Count : NaN);
    }
    return split;
}

std::string EmptyYearsNote(const std::vector<std::int32_t>& years) {
    if (years.empty()) return {};
    std::string note = "no readings in ";
    for (std::size_t i = 0; i < years.size(); ++i) {
        if (i > 0) note += i + 1 == years.size() ? " and " : ", ";
        note += std::to_string(years[i]);
    }
    return note + (years.size() == 1 ? ": that year is left out" : ": those years are left out");
}

double Percentile(std::vector<double>& values, double share) {
    if (values.empty()) return NaN;
    const double rank = share * static_cast<double>(values.size() - 1);
    const auto below = static_cast<std::size_t>(std::floor(rank));
    const auto at = values.begin() + static_cast<std::ptrdiff_t>(below);
    std::nth_element(values.begin(), at, values.end());
    const double low = *at;
    if (below + 1 >= values.size()) return low;
    // The next rank up is the smallest of the values above.
    const double high = *std::min_element(at + 1, values.end());
    return low + (rank - static_cast<double>(below)) * (high - low);
}

TDayStatistics DailyStatistics(const std::vector<TYearLine>& years, std::int32_t slots,
                               std::int32_t window, double lowShare, double highShare) {
    const auto count = static_cast<std::size_t>(std::max(slots, 0));
    TDayStatistics stats{.Mean = std::vector<double>(count, NaN),
                         .RecordLow = std::vector<double>(count, NaN),
                         .RecordHigh = std::vector<double>(count, NaN),
                         .Low = std::vector<double>(count, NaN),
                         .High = std::vector<double>(count, NaN)};
    const auto valueAt = [&](const TYearLine& year, std::size_t slot) {
        return slot < year.Values.size() ? year.Values[slot] : NaN;
    };
    for (std::size_t s = 0; s < count; ++s) {
        TSum sum;
        for (const TYearLine& year : years) {
            const double v = valueAt(year, s);
            if (std::isnan(v)) continue;
            sum.Total += v;
            ++sum.Count;
            stats.RecordLow[s] = sum.Count == 1 ? v : std::min(stats.RecordLow[s], v);
            stats.RecordHigh[s] = sum.Count == 1 ? v : std::max(stats.RecordHigh[s], v);
        }
        if (sum.Count > 0) stats.Mean[s] = sum.Total / sum.Count;
    }
    // A window wider than the year takes each slot once.
    const std::int32_t reach = std::min(std::max(window, 0), (slots - 1) / 2);
    std::vector<double> pooled;
    for (std::int32_t s = 0; s < slots; ++s) {
        pooled.clear();
        for (std::int32_t d = -reach; d <= reach; ++d) {
            const auto slot = static_cast<std::size_t>(((s + d) % slots + slots) % slots);
            for (const TYearLine& year : years) {
                const double v = valueAt(year, slot);
                if (!std::isnan(v)) pooled.push_back(v);
            }
        }
        stats.Low[static_cast<std::size_t>(s)] = Percentile(pooled, lowShare);
        stats.High[static_cast<std::size_t>(s)] = Percentile(pooled, highShare);
    }
    return stats;
}

}  // namespace twinscope
