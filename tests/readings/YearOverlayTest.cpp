#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "twinscope/readings/Readings.h"
#include "twinscope/readings/YearOverlay.h"
#include "twinscope/runtime/DateTime.h"

namespace twinscope {
namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

struct SlotCase {
    const char* name;
    std::int32_t year, month, day;
    TLeapDay leapDay;
    std::int32_t slot;
};

const SlotCase kSlots[] = {
    {"leap day in its own slot", 2024, 2, 29, TLeapDay::Show, 60},
    {"leap day merged into 28 February", 2024, 2, 29, TLeapDay::Merge, 59},
    {"leap day skipped", 2024, 2, 29, TLeapDay::Skip, 0},
    {"1 March of a common year after the leap slot", 2023, 3, 1, TLeapDay::Show, 61},
    {"1 March of a leap year shown", 2024, 3, 1, TLeapDay::Show, 61},
    {"1 March of a leap year merged", 2024, 3, 1, TLeapDay::Merge, 60},
    {"1 March of a common year merged", 2023, 3, 1, TLeapDay::Merge, 60},
    {"28 February of a common year", 2023, 2, 28, TLeapDay::Show, 59},
    {"31 December of a common year shown", 2023, 12, 31, TLeapDay::Show, 366},
    {"31 December of a leap year skipped", 2024, 12, 31, TLeapDay::Skip, 365},
    {"1 January", 1900, 1, 1, TLeapDay::Skip, 1},
};

TEST(YearOverlayTest, PutsEachDayIntoItsSlot) {
    for (const SlotCase& c : kSlots) {
        EXPECT_EQ(DaySlot(EncodeDate(c.year, c.month, c.day) + 0.75, c.leapDay), c.slot) << c.name;
    }
}

// Every day of a leap and a common year comes back from its slot, but for the leap day where it
// has no slot of its own.
TEST(YearOverlayTest, EachSlotGivesBackItsDay) {
    for (const TLeapDay mode : {TLeapDay::Show, TLeapDay::Merge, TLeapDay::Skip}) {
        for (const std::int32_t year : {2023, 2024}) {
            const double first = EncodeDate(year, 1, 1);
            for (double day = first; day < EncodeDate(year + 1, 1, 1); ++day) {
                const std::int32_t slot = DaySlot(day, mode);
                if (mode != TLeapDay::Show && day == EncodeDate(2024, 2, 29)) continue;
                ASSERT_GE(slot, 1);
                ASSERT_LE(slot, DaySlotCount(mode));
                EXPECT_EQ(DateOfSlot(slot, year, mode), day) << year << " slot " << slot;
            }
        }
    }
    EXPECT_EQ(DateOfSlot(60, 2023, TLeapDay::Show), EncodeDate(2023, 2, 28));
}

TEST(YearOverlayTest, SplitsReadingsIntoYearsBySlot) {
    const TReadings readings{
        .Dates = {EncodeDate(2020, 2, 28), EncodeDate(2020, 2, 29), EncodeDate(2020, 3, 1),
                  EncodeDate(2022, 1, 1), EncodeDate(2022, 1, 1) + 0.5, EncodeDate(2022, 1, 2),
                  EncodeDate(2023, 1, 1) - 1},
        .Temperatures = {40, 50, 60, 10, 20, NaN, 30},
        .Name = "TMAX"};
    struct Case {
        TLeapDay leapDay;
        std::int32_t slot;  // 1-based
        double in2020, in2022;
    } const cases[] = {
        {TLeapDay::Show, 59, 40, NaN},  {TLeapDay::Show, 60, 50, NaN},
        {TLeapDay::Show, 61, 60, NaN},  {TLeapDay::Merge, 59, 45, NaN},
        {TLeapDay::Merge, 60, 60, NaN}, {TLeapDay::Skip, 59, 40, NaN},
        {TLeapDay::Show, 1, NaN, 15},   {TLeapDay::Show, 2, NaN, NaN},
        {TLeapDay::Show, 366, NaN, 30}, {TLeapDay::Skip, 365, NaN, 30},
    };
    for (const Case& c : cases) {
        const TYearSplit split = SplitIntoYears(readings, c.leapDay);
        ASSERT_EQ(split.Years.size(), 2u);
        EXPECT_EQ(split.Years[0].Year, 2020);
        EXPECT_EQ(split.Years[1].Year, 2022);
        EXPECT_EQ(split.EmptyYears, std::vector<std::int32_t>{2021});
        for (const TYearLine& y : split.Years)
            EXPECT_EQ(y.Values.size(), static_cast<std::size_t>(DaySlotCount(c.leapDay)));
        const auto same = [](double a, double b) { return std::isnan(a) ? std::isnan(b) : a == b; };
        EXPECT_PRED2(same, c.in2020, split.Years[0].Values[c.slot - 1]) << c.slot;
        EXPECT_PRED2(same, c.in2022, split.Years[1].Values[c.slot - 1]) << c.slot;
    }
    EXPECT_TRUE(SplitIntoYears(TReadings{}, TLeapDay::Show).Years.empty());
}

TEST(YearOverlayTest, InterpolatesPercentilesBetweenRanks) {
    struct Case {
        const char* name;
        std::vector<double> values;
        double share, expected;
    } const cases[] = {
        {"tenth of four", {4, 1, 3, 2}, 0.1, 1.3},
        {"ninetieth of four", {4, 1, 3, 2}, 0.9, 3.7},
        {"median of three", {3, 1, 2}, 0.5, 2},
        {"ties", {5, 5, 1, 5}, 0.1, 2.2},
        {"one value", {7}, 0.9, 7},
        {"the top", {1, 9}, 1, 9},
    };
    for (Case c : cases)
        EXPECT_NEAR(Percentile(c.values, c.share), c.expected, 1e-12) << c.name;
    std::vector<double> none;
    EXPECT_TRUE(std::isnan(Percentile(none, 0.5)));
}

// Five slots a year and a window of one day on either side, which wraps over the year's end.
TEST(YearOverlayTest, TakesEachDayWithItsNeighboursOverAllYears) {
    const std::vector<TYearLine> years{{2001, {1, 2, 3, 4, 5}}, {2002, {11, NaN, 13, 14, 15}}};
    const TDayStatistics s = DailyStatistics(years, 5, 1, 0, 1);
    EXPECT_EQ(s.Mean, (std::vector<double>{6, 2, 8, 9, 10}));
    EXPECT_EQ(s.RecordLow, (std::vector<double>{1, 2, 3, 4, 5}));
    EXPECT_EQ(s.RecordHigh, (std::vector<double>{11, 2, 13, 14, 15}));
    // Slot 1 takes slots 5, 1 and 2; slot 5 takes 4, 5 and 1.
    EXPECT_EQ(s.Low, (std::vector<double>{1, 1, 2, 3, 1}));
    EXPECT_EQ(s.High, (std::vector<double>{15, 13, 14, 15, 15}));

    const TDayStatistics none = DailyStatistics({{2001, {NaN, NaN}}}, 2);
    EXPECT_TRUE(std::isnan(none.Mean[0]) && std::isnan(none.Low[1]) &&
                std::isnan(none.RecordHigh[0]));
}

TEST(YearOverlayTest, NamesTheModesAndTheYearsLeftOut) {
    EXPECT_EQ(LeapDayNamed("merge"), TLeapDay::Merge);
    EXPECT_EQ(LeapDayNamed("Show"), std::nullopt);
    EXPECT_EQ(EmptyYearsNote({}), "");
    EXPECT_EQ(EmptyYearsNote({1995}), "no readings in 1995: that year is left out");
    EXPECT_EQ(EmptyYearsNote({1995, 1996, 1998}),
              "no readings in 1995, 1996 and 1998: those years are left out");
}

}  // namespace
}  // namespace twinscope
