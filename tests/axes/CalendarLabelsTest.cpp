#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "twinscope/chart/axes/CalendarLabels.h"
#include "twinscope/runtime/DateTime.h"

namespace twinscope {
namespace {

struct ValuesCase {
    const char* name;
    TCalendarLabels calendar;
    TScaleRange dates;
    double increment;
    std::vector<std::string> texts;  // latest first
    std::vector<double> values;      // where they stand
};

class CalendarValuesTest : public ::testing::TestWithParam<ValuesCase> {};

TEST_P(CalendarValuesTest, NumbersStartAgainEachYearAtTheirDates) {
    const ValuesCase& c = GetParam();
    const std::vector<double> values = CalendarLabelValues(c.calendar, c.dates, c.increment);
    std::vector<std::string> texts;
    for (const double v : values)
        texts.push_back(CalendarLabelText(c.calendar, v));
    EXPECT_EQ(texts, c.texts);
    EXPECT_EQ(values, c.values);
}

const double Dec16 = EncodeDate(2014, 12, 16);
const double Jan1 = EncodeDate(2015, 1, 1);

INSTANTIATE_TEST_SUITE_P(
    Rows, CalendarValuesTest,
    ::testing::Values(
        ValuesCase{"DaysAcrossANewYear",
                   calDayOfYear,
                   {EncodeDate(2014, 12, 15), EncodeDate(2015, 1, 15)},
                   10,
                   {"10", "1", "365", "360", "350"},
                   {Jan1 + 9, Jan1, Jan1 - 1, Jan1 - 6, Dec16}},
        ValuesCase{"ALeapYearEndsOn366",
                   calDayOfYear,
                   {EncodeDate(2016, 12, 10), EncodeDate(2017, 1, 2)},
                   50,
                   {"1", "366", "350"},
                   {EncodeDate(2017, 1, 1), EncodeDate(2016, 12, 31), EncodeDate(2016, 12, 15)}},
        ValuesCase{"AFractionalIncrementIsWholeDays",
                   calDayOfYear,
                   {Jan1, Jan1 + 3},
                   0.4,
                   {"4", "3", "2", "1"},
                   {Jan1 + 3, Jan1 + 2, Jan1 + 1, Jan1}},
        // 2015 has 53 ISO weeks; week 1 of 2016 begins on Monday 4 January.
        ValuesCase{"IsoWeeksAcrossANewYear",
                   calIsoWeek,
                   {EncodeDate(2015, 12, 1), EncodeDate(2016, 1, 31)},
                   14,
                   {"4", "2", "1", "53", "52", "50"},
                   {EncodeDate(2016, 1, 25), EncodeDate(2016, 1, 11), EncodeDate(2016, 1, 4),
                    EncodeDate(2015, 12, 28), EncodeDate(2015, 12, 21), EncodeDate(2015, 12, 7)}},
        ValuesCase{"QuartersOfMonths",
                   calMonth,
                   {EncodeDate(2014, 10, 1), EncodeDate(2015, 6, 30)},
                   80,
                   {"4", "1", "10"},
                   {EncodeDate(2015, 4, 1), Jan1, EncodeDate(2014, 10, 1)}},
        ValuesCase{"NoCalendar", calNone, {Jan1, Jan1 + 30}, 1, {}, {}},
        ValuesCase{"AnInvertedRange", calDayOfYear, {Jan1 + 30, Jan1}, 1, {}, {}},
        ValuesCase{"BeyondTheCalendar", calMonth, {3e6, 4e6}, 30, {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct TextCase {
    const char* name;
    TCalendarLabels calendar;
    double date;
    const char* text;
};

class CalendarTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(CalendarTextTest, IsTheNumberInItsCalendar) {
    const TextCase& c = GetParam();
    EXPECT_EQ(CalendarLabelText(c.calendar, c.date), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CalendarTextTest,
    ::testing::Values(
        TextCase{"LastDayOfALeapYear", calDayOfYear, EncodeDate(2016, 12, 31) + 0.9, "366"},
        TextCase{"NewYearsDayInTheLastWeekBefore", calIsoWeek, EncodeDate(2016, 1, 1), "53"},
        TextCase{"NewYearsEveInTheFirstWeekAfter", calIsoWeek, EncodeDate(2024, 12, 31), "1"},
        TextCase{"AMondayBeginningWeekOne", calIsoWeek, EncodeDate(2018, 1, 1), "1"},
        TextCase{"December", calMonth, EncodeDate(2015, 12, 31), "12"},
        TextCase{"OutsideTheCalendar", calDayOfYear, 1e9, ""}),
    [](const auto& info) { return std::string(info.param.name); });

// Ten pixels a day; labels need 15 pixels of room.
struct SpacingCase {
    const char* name;
    std::vector<double> days;      // after 31 December 2014, latest first
    std::vector<double> expected;  // kept
};

class SpacedCalendarTest : public ::testing::TestWithParam<SpacingCase> {};

TEST_P(SpacedCalendarTest, TheFirstOfTheYearStandsAndItsNeighboursGiveWay) {
    const SpacingCase& c = GetParam();
    const double origin = EncodeDate(2014, 12, 31);
    const TScaleMap map({origin - 50, origin + 50}, {0, 1000}, {true, false});
    std::vector<double> values;
    for (const double d : c.days)
        values.push_back(origin + d);
    std::vector<double> expected;
    for (const double d : c.expected)
        expected.push_back(origin + d);
    EXPECT_EQ(SpacedCalendarLabels(calDayOfYear, values, map, 15), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SpacedCalendarTest,
    ::testing::Values(SpacingCase{"LastDayAndNextDayYield", {4, 2, 1, 0, -2}, {4, 1, -2}},
                      SpacingCase{"WellApartAllStand", {10, 1, -10}, {10, 1, -10}},
                      SpacingCase{"OthersGoFromTheLatest", {-3, -4, -5, -6}, {-3, -5}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace twinscope
