#include <cstdint>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "twinscope/chart/axes/DateTimeStep.h"
#include "twinscope/chart/axes/LabelIncrement.h"

namespace twinscope {
namespace {

// The increment choice as plain values: no chart, series or canvas.
struct IncrementRow {
    const char* name;
    TIncrementInput input;
    std::int32_t count;
    double expected;
};

class IncrementForCountRows : public ::testing::TestWithParam<IncrementRow> {};

TEST_P(IncrementForCountRows, ChoosesTheStep) {
    const IncrementRow& r = GetParam();
    EXPECT_DOUBLE_EQ(IncrementForCount(r.input, r.count), r.expected);
}

constexpr double Second = 1.0 / 86400;

INSTANTIATE_TEST_SUITE_P(
    Rows, IncrementForCountRows,
    ::testing::Values(
        // 1, 2, ... 6 need more than 14 labels; 6 + 6 / 5 = 7.2 needs 14.
        IncrementRow{"GrowsByAFifthBeyondFiveIncrements", {.Span = 100, .Increment = 1}, 14, 7.2},
        IncrementRow{"FittingLabelsKeepTheIncrement", {.Span = 150, .Increment = 1}, 167, 1},
        // 40 / 21 needs 21 labels, the ladder's 2 needs 20.
        IncrementRow{"NoIncrementClimbsTheLadder", {.Span = 40}, 20, 2},
        IncrementRow{"IndexedPointsKeepWholeSteps", {.Span = 4, .WholeSteps = true}, 39, 1},
        IncrementRow{"OtherwiseFractionsAreFine", {.Span = 4}, 39, 0.2},
        IncrementRow{"AnEmptyRangeStepsByOne", {.RangeIsZero = true}, 10, 1},
        IncrementRow{
            "UnseparatedLabelsAreNotCounted", {.Span = 100, .Separated = false}, 5, 100.0 / 6},
        IncrementRow{"NoRoomGivesTheSmallestDouble",
                     {.Span = 100, .Increment = 10},
                     -3,
                     std::numeric_limits<double>::denorm_min()},
        IncrementRow{"DatesTakeAtLeastAMillionthOfTheRange",
                     {.Span = 2000000, .DateTime = true},
                     1000000,
                     2},
        IncrementRow{"DatesBeyondAYearDouble", {.Span = 2000000, .DateTime = true}, 4, 365 * 2048},
        IncrementRow{"DatesWithoutRoomTakeAMicrosecond",
                     {.Span = 2000000, .DateTime = true},
                     0,
                     DateTimeStepTable[dtOneMicrosecond]},
        IncrementRow{"DatesBelowASecondPassTheTableAtOneSecond",
                     {.Span = 10 * Second, .DateTime = true},
                     5,
                     5 * Second},
        IncrementRow{"ASetDateIncrementClimbsTheTable",
                     {.Span = 365, .Increment = 10, .DateTime = true},
                     5,
                     90}),
    [](const auto& info) { return std::string(info.param.name); });

struct FitRow {
    const char* name;
    std::int32_t axisLength, labelSize, separation;
    std::int32_t expected;
};

class LabelsThatFitRows : public ::testing::TestWithParam<FitRow> {};

TEST_P(LabelsThatFitRows, CountsLabelsAlongTheAxis) {
    const FitRow& r = GetParam();
    EXPECT_EQ(LabelsThatFit(r.axisLength, r.labelSize, r.separation), r.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LabelsThatFitRows,
    ::testing::Values(FitRow{"TenPercentApart", 400, 16, 10, 22},  // 400 / (16 + 2)
                      FitRow{"EdgeToEdge", 400, 16, 0, 25},
                      FitRow{"HalfALabelApartRounds", 400, 16, 50, 17},  // 400 / 24 = 16.67
                      FitRow{"NothingMeasured", 400, 0, 10, 1},
                      FitRow{"NoAxisLength", 0, 16, 10, 1}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace twinscope
