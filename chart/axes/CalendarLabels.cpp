#include "twinscope/chart/axes/CalendarLabels.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <set>

#include "twinscope/chart/axes/LabelValues.h"
#include "twinscope/runtime/DateTime.h"

namespace twinscope {

namespace {
constexpr std::int32_t FirstYear = 1;
constexpr std::int32_t LastYear = 9999;
constexpr double AverageMonthDays = 365.2425 / 12;
constexpr std::array<std::int32_t, 6> MonthSteps{1, 2, 3, 4, 6, 12};

std::int32_t WholeSteps(double increment, double unit) {
    const double steps = std::round(increment / unit);
    return steps >= 1 && steps < 1e6 ? static_cast<std::int32_t>(steps) : 1;
}

std::int32_t MonthStep(double increment) {
    const double months = increment / AverageMonthDays;
    for (const std::int32_t step : MonthSteps) {
        if (step >= months) return step;
    }
    return MonthSteps.back();
}

// Monday = 0 .. Sunday = 6.
std::int32_t WeekdayFromMonday(double date) {
    return (DayOfWeek(date) + 5) % 7;
}

std::int32_t IsoYear(double date) {
    const std::int32_t year = CalendarYear(date);
    const double day = std::trunc(date);
    if (year < LastYear && day >= IsoWeekOneMonday(year + 1)) return year + 1;
    if (year > FirstYear && day < IsoWeekOneMonday(year)) return year - 1;
    return year;
}

// The numbered units of one year that are labelled, latest first. Days and weeks: the last,
// every multiple of the step, the first. Months: every step-th from the first (1, 4, 7, 10).
std::vector<std::int32_t> LabelledNumbers(TCalendarLabels calendar, std::int32_t last,
                                          std::int32_t step) {
    std::vector<std::int32_t> numbers;
    if (calendar == calMonth) {
        for (std::int32_t n = 1 + (last - 1) / step * step; n >= 1; n -= step)
            numbers.push_back(n);
        return numbers;
    }
    if (last % step != 0) numbers.push_back(last);
    for (std::int32_t n = last - last % step; n > 1; n -= step)
        numbers.push_back(n);
    numbers.push_back(1);
    return numbers;
}

// The first date of unit n of a year.
double UnitStart(TCalendarLabels calendar, std::int32_t year, std::int32_t n) {
    switch (calendar) {
        case calDayOfYear:
            return EncodeDate(year, 1, 1) + (n - 1);
        case calIsoWeek:
            return IsoWeekOneMonday(year) + 7.0 * (n - 1);
        case calMonth:
            return EncodeDate(year, n, 1);
        case calNone:
            break;
    }
    return 0;
}

std::int32_t UnitsIn(TCalendarLabels calendar, std::int32_t year) {
    switch (calendar) {
        case calDayOfYear:
            return IsLeapYear(year) ? 366 : 365;
        case calIsoWeek: {
            const double next =
                year < LastYear ? IsoWeekOneMonday(year + 1) : EncodeDate(LastYear, 12, 31) + 1;
            return static_cast<std::int32_t>((next - IsoWeekOneMonday(year)) / 7);
        }
        case calMonth:
            return 12;
        case calNone:
            break;
    }
    return 0;
}

std::int32_t StepOf(TCalendarLabels calendar, double increment) {
    switch (calendar) {
        case calDayOfYear:
            return WholeSteps(increment, 1);
        case calIsoWeek:
            return WholeSteps(increment, 7);
        case calMonth:
            return MonthStep(increment);
        case calNone:
            break;
    }
    return 1;
}
}  // namespace

double IsoWeekOneMonday(std::int32_t year) {
    const double fourth = EncodeDate(year, 1, 4);
    return fourth - WeekdayFromMonday(fourth);
}

std::int32_t IsoWeek(double date) {
    return static_cast<std::int32_t>((std::trunc(date) - IsoWeekOneMonday(IsoYear(date))) / 7) + 1;
}

std::vector<double> CalendarLabelValues(TCalendarLabels calendar, TScaleRange dates,
                                        double increment) {
    std::vector<double> values;
    if (calendar == calNone || !(dates.Minimum <= dates.Maximum)) return values;
    const double low = std::max(dates.Minimum, FirstCalendarDay);
    const double high = std::min(dates.Maximum, LastCalendarDay);
    if (!(low <= high)) return values;
    const std::int32_t step = StepOf(calendar, increment);
    const bool byWeek = calendar == calIsoWeek;
    // A week of early January may belong to the year before; the year after may own late
    // December's.
    const std::int32_t top = std::min(LastYear, CalendarYear(high) + (byWeek ? 1 : 0));
    const std::int32_t bottom = std::max(FirstYear, CalendarYear(low) - (byWeek ? 1 : 0));
    for (std::int32_t year = top; year >= bottom; --year) {
        const std::int32_t units = UnitsIn(calendar, year);
        for (const std::int32_t n : LabelledNumbers(calendar, units, step)) {
            const double v = UnitStart(calendar, year, n);
            if (v >= low && v <= high) values.push_back(v);
            if (values.size() >= static_cast<std::size_t>(MaxLabelsPerPass)) return values;
        }
    }
    return values;
}

std::int32_t CalendarNumber(TCalendarLabels calendar, double date) {
    if (!IsCalendarValue(date)) return 0;
    switch (calendar) {
        case calDayOfYear:
            return DayOfYear(date);
        case calIsoWeek:
            return IsoWeek(date);
        case calMonth:
            return DecodeDate(date).Month;
        case calNone:
            break;
    }
    return 0;
}

std::string CalendarLabelText(TCalendarLabels calendar, double date) {
    const std::int32_t n = CalendarNumber(calendar, date);
    return n == 0 ? std::string() : std::to_string(n);
}

std::vector<double> SpacedCalendarLabels(TCalendarLabels calendar,
                                         const std::vector<double>& values, const TScaleMap& map,
                                         std::int64_t room) {
    std::vector<bool> kept(values.size(), false);
    std::set<std::int64_t> taken;
    const auto keep = [&](std::size_t i) {
        const std::int64_t p = map.ToPixel(values[i]);
        const auto next = taken.lower_bound(p);
        if (next != taken.end() && *next - p < room) return;
        if (next != taken.begin() && p - *std::prev(next) < room) return;
        taken.insert(p);
        kept[i] = true;
    };
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (CalendarNumber(calendar, values[i]) == 1) keep(i);
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!kept[i] && CalendarNumber(calendar, values[i]) != 1) keep(i);
    }
    std::vector<double> spaced;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (kept[i]) spaced.push_back(values[i]);
    }
    return spaced;
}

}  // namespace twinscope
