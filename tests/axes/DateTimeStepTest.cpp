#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "twinscope/chart/axes/AxisLabelPass.h"
#include "twinscope/chart/axes/DateTimeStep.h"
#include "twinscope/runtime/DateTime.h"

namespace twinscope {
namespace {

struct LadderCase {
    const char* name;
    double (*ladder)(double);
    double x;
    double next;
};

class LadderRows : public ::testing::TestWithParam<LadderCase> {};

TEST_P(LadderRows, NextRungStrictlyAbove) {
    const LadderCase& c = GetParam();
    EXPECT_DOUBLE_EQ(c.ladder(c.x), c.next);
}

constexpr double Second = 1.0 / 86400;

INSTANTIATE_TEST_SUITE_P(
    Rows, LadderRows,
    ::testing::Values(LadderCase("OneGoesToTwo", NextStep125, 1, 2),
                      LadderCase("TwoGoesToFive", NextStep125, 2, 5),
                      LadderCase("ThreeGoesToFive", NextStep125, 3, 5),
                      LadderCase("SevenGoesToTen", NextStep125, 7, 10),
                      LadderCase("TenGoesToTwenty", NextStep125, 10, 20),
                      LadderCase("NinetyNineGoesToHundred", NextStep125, 99, 100),
                      LadderCase("TenthGoesToFifth", NextStep125, 0.1, 0.2),
                      LadderCase("SmallStepsKeepTheLadder", NextStep125, 0.03, 0.05),
                      LadderCase("InfinityRestartsAtOne", NextStep125,
                                 std::numeric_limits<double>::infinity(), 1),
                      LadderCase("TenDaysGoToHalfAMonth", NextDateTimeStep, 10, 15),
                      LadderCase("HalfAMonthGoesToAMonth", NextDateTimeStep, 15, 30),
                      LadderCase("SixMonthsGoToAYear", NextDateTimeStep, 182, 365),
                      LadderCase("OneSecondGoesToFive", NextDateTimeStep, Second, 5 * Second),
                      LadderCase("BelowEveryRowGoesToAYear", NextDateTimeStep, 0, 365)),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DateTimeStepTest, FindsRowsWithinAMicrosecond) {
    EXPECT_EQ(FindDateTimeStep(10), NoDateTimeStep);
    EXPECT_EQ(FindDateTimeStep(15), dtHalfMonth);
    EXPECT_EQ(FindDateTimeStep(30), dtOneMonth);
    EXPECT_EQ(FindDateTimeStep(365), dtOneYear);
    EXPECT_EQ(FindDateTimeStep(1.0 / 1440 + 1e-12), 7);
    EXPECT_EQ(FindDateTimeStep(Second), dtOneSecond);
    EXPECT_EQ(FindDateTimeStep(0), NoDateTimeStep);
}

struct CalendarCase {
    const char* name;
    std::int32_t index;
    double x;
    double increment;  // StepDateTimeDown only
    double expected;
};

const double FirstDay = EncodeDate(1, 1, 1);
const double LastDay = EncodeDate(9999, 12, 31);
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

const double Sep30 = EncodeDate(2024, 9, 30) + 0.6054;  // 30 September 2024 14:31

class RoundRows : public ::testing::TestWithParam<CalendarCase> {};

TEST_P(RoundRows, RoundToDateTimeStep) {
    const CalendarCase& c = GetParam();
    const double rounded = RoundToDateTimeStep(c.index, c.x);
    if (std::isnan(c.expected)) {
        EXPECT_TRUE(std::isnan(rounded));
    } else {
        EXPECT_EQ(rounded, c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RoundRows,
    ::testing::Values(
        CalendarCase("DayRoundsToTheNearestMidnight", dtOneDay, Sep30, 0, EncodeDate(2024, 10, 1)),
        CalendarCase("NoonRoundsToAnEvenDay", dtOneDay, 45505.5, 0, 45506),
        CalendarCase("TwoDaysRoundToAnEvenDay", dtOneDay + 1, 45505, 0, 45504),
        CalendarCase("ThreeDaysRoundToAMultipleOfThree", dtOneDay + 2, 45505, 0, 45504),
        CalendarCase("WeekRoundsToAMonday", dtOneWeek, EncodeDate(2024, 8, 31), 0,
                     EncodeDate(2024, 9, 2)),
        CalendarCase("HalfMonthFromTheFifteenthOn", dtHalfMonth, Sep30, 0, EncodeDate(2024, 9, 15)),
        CalendarCase("HalfMonthBeforeTheFifteenth", dtHalfMonth, EncodeDate(2024, 9, 14), 0,
                     EncodeDate(2024, 9, 1)),
        CalendarCase("MonthsStartOnTheFirst", dtSixMonths, Sep30, 0, EncodeDate(2024, 9, 1)),
        CalendarCase("YearStartsOnTheFirstOfJanuary", dtOneYear, Sep30, 0, EncodeDate(2024, 1, 1)),
        CalendarCase("RowsBelowADayKeepTheValue", 15, Sep30, 0, Sep30),
        CalendarCase("NoRowKeepsTheValue", NoDateTimeStep, Sep30, 0, Sep30),
        CalendarCase("ZeroStaysZero", dtOneMonth, 0, 0, 0),
        CalendarCase("BeyondTheLastDayRoundsAsTheLastDay", dtOneYear, LastDay + 4000, 0,
                     EncodeDate(9999, 1, 1)),
        CalendarCase("BeyondTheLastDayHalfMonth", dtHalfMonth, 1e300, 0,
                     EncodeDate(9999, 12, 15)),
        CalendarCase("BeforeTheFirstDayStays", dtOneMonth, FirstDay - 40, 0, FirstDay - 40),
        CalendarCase("NotANumberStays", dtOneYear, NaN, 0, NaN)),
    [](const auto& info) { return std::string(info.param.name); });

class StepDownRows : public ::testing::TestWithParam<CalendarCase> {};

TEST_P(StepDownRows, StepDateTimeDown) {
    const CalendarCase& c = GetParam();
    EXPECT_EQ(StepDateTimeDown(c.x, c.increment, c.index), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StepDownRows,
    ::testing::Values(
        CalendarCase("HalfMonthLateInTheMonthGoesToTheFifteenth", dtHalfMonth,
                     EncodeDate(2024, 9, 30), 15, EncodeDate(2024, 9, 15)),
        CalendarCase("HalfMonthOnTheFifteenthGoesToTheFirst", dtHalfMonth, EncodeDate(2024, 9, 15),
                     15, EncodeDate(2024, 9, 1)),
        CalendarCase("HalfMonthOnTheFirstGoesToTheFifteenthBefore", dtHalfMonth,
                     EncodeDate(2024, 1, 1), 15, EncodeDate(2023, 12, 15)),
        CalendarCase("OneMonth", dtOneMonth, EncodeDate(2024, 9, 1), 30, EncodeDate(2024, 8, 1)),
        CalendarCase("ThreeMonthsIntoThePreviousYear", dtOneMonth + 2, EncodeDate(2024, 2, 1), 90,
                     EncodeDate(2023, 11, 1)),
        CalendarCase("SixMonthsIntoThePreviousYear", dtSixMonths, EncodeDate(2024, 3, 1), 182,
                     EncodeDate(2023, 9, 1)),
        CalendarCase("OneYear", dtOneYear, EncodeDate(2024, 1, 1), 365, EncodeDate(2023, 1, 1)),
        CalendarCase("YearsUntilAtOrBelowTheIncrement", dtOneYear, EncodeDate(2024, 1, 1), 730,
                     EncodeDate(2022, 1, 1)),
        CalendarCase("OtherRowsSubtract", NoDateTimeStep, 45510, 10, 45500),
        CalendarCase("TooSmallAnIncrementLeavesTheValue", dtOneMonth, 45505, 1e-13, 45505),
        // Stepping stops at the calendar's ends: no date lies before 1 January 0001.
        CalendarCase("YearsStopAtTheFirstYear", dtOneYear, EncodeDate(1, 6, 1), 365,
                     EncodeDate(1, 6, 1)),
        CalendarCase("YearsFromYear100StopAboveYearOne", dtOneYear, EncodeDate(100, 1, 1),
                     365 * 150, EncodeDate(100, 1, 1)),
        CalendarCase("MonthsStopAtTheFirstMonth", dtOneMonth + 3, EncodeDate(1, 3, 1), 120,
                     EncodeDate(1, 3, 1)),
        CalendarCase("HalfMonthStopsAtTheFirstDay", dtHalfMonth, FirstDay, 15, FirstDay),
        CalendarCase("BeforeTheFirstDayStops", dtOneYear, FirstDay - 400, 365, FirstDay - 400),
        // Above the last day the walk enters the calendar on a label of the row.
        CalendarCase("BeyondTheLastDayEntersOnAYear", dtOneYear, LastDay + 1000, 365,
                     EncodeDate(9999, 1, 1)),
        CalendarCase("FarBeyondTheLastDayEntersBelowTheTarget", dtOneMonth, LastDay + 40, 30,
                     EncodeDate(9999, 12, 1))),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace twinscope
