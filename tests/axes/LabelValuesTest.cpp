#include "twinscope/chart/axes/LabelValues.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "twinscope/chart/axes/LabelIncrement.h"
#include "twinscope/runtime/DateTime.h"

namespace twinscope {
namespace {

struct ValuesRow {
    const char* name;
    TLabelValuesInput input;
    std::vector<double> values;
};

class ValuesRows : public ::testing::TestWithParam<ValuesRow> {};

TEST_P(ValuesRows, All) {
    const ValuesRow& r = GetParam();
    const TLabelValues values(r.input);
    EXPECT_EQ(values.All(), r.values);
    // The walk's ends, where they are labels.
    if (!r.values.empty() && !r.input.DateTime) {
        EXPECT_EQ(values.First(), r.values.front());
        EXPECT_EQ(values.Last(), r.values.back());
    }
}

TLabelValuesInput Steps(double minimum, double maximum, double increment) {
    return {.Range = {minimum, maximum}, .Increment = increment};
}

TLabelValuesInput Powers(double minimum, double maximum, double every, bool rungs = false) {
    return {.Range = {minimum, maximum}, .Increment = every, .Powers = true, .Rungs = rungs};
}

const double July2024 = EncodeDate(2024, 7, 1);

INSTANTIATE_TEST_SUITE_P(
    Rows, ValuesRows,
    ::testing::Values(
        // clang-format off
        ValuesRow{"MultiplesFromTheTopDown", Steps(3, 21, 5), {20, 15, 10, 5}},
        ValuesRow{"AMinimumOfZeroIsReached", Steps(0, 1, 0.25), {1, 0.75, 0.5, 0.25, 0}},
        ValuesRow{"AFirstValueAboveANegativeMaximumStepsDown", Steps(-10, -2, 3), {-3, -6, -9}},
        ValuesRow{"WithoutRoundingFromTheMaximum",
                  {.Range = {3, 21}, .Increment = 5, .RoundFirst = false}, {21, 16, 11, 6}},
        ValuesRow{"AZeroRangeHasOneLabel", {.Range = {50, 50}, .RangeIsZero = true, .Increment = 1},
                  {50}},
        ValuesRow{"TenThousandLabelsAreTooMany", Steps(0, 10000, 1), {}},
        ValuesRow{"DatesOutsideTheCalendarAreLeftOut",
                  {.Range = {2958465 - 2, 2958465 + 2}, .Increment = 2, .DateTime = true},
                  {2958464}},
        ValuesRow{"HalfMonthsAlignToTheCalendar",
                  {.Range = {July2024, July2024 + 40}, .Increment = 15, .DateTime = true,
                   .ExactDateTime = true, .StepIndex = dtHalfMonth},
                  {July2024 + 31, July2024 + 14, July2024}},
        ValuesRow{"EveryPower", Powers(1, 1e6, 1), {1e6, 1e5, 1e4, 1e3, 1e2, 10, 1}},
        ValuesRow{"PowersWithTheirRungs", Powers(1, 100, 1, true),
                  {100, 50, 20, 10, 5, 2, 1}},
        ValuesRow{"RungsInsideTheEndPowers", Powers(3, 3000, 1, true),
                  {2000, 1000, 500, 200, 100, 50, 20, 10, 5}},
        ValuesRow{"EveryHundredthPowerOfTheDoubles", Powers(1e-300, 1e300, 100),
                  {1e300, 1e200, 1e100, 1, 1e-100, 1e-200, 1e-300}},
        ValuesRow{"EveryOtherPowerAlignsToZero", Powers(5, 5e5, 2), {1e4, 100}},
        ValuesRow{"PowersOfTwo", {.Range = {1, 64}, .Increment = 1, .Powers = true,
                  .Rungs = true, .LogBase = 2}, {64, 32, 16, 8, 4, 2, 1}}),
    // clang-format on
    [](const auto& info) { return std::string(info.param.name); });

// Decimal increments are a hair off their values (the double nearest 0.2 is a little more than
// 0.2): the first label is the nearest multiple, and the walk down still reaches the minimum.
struct DecimalRow {
    const char* name;
    TLabelValuesInput input;
    std::vector<double> values;  // to within a millionth of the increment
};

class DecimalRows : public ::testing::TestWithParam<DecimalRow> {};

TEST_P(DecimalRows, LabelBothEnds) {
    const DecimalRow& r = GetParam();
    const TLabelValues values(r.input);
    const std::vector<double> all = values.All();
    ASSERT_EQ(all.size(), r.values.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        EXPECT_NEAR(all[i], r.values[i], r.input.Increment * 1e-6) << "label " << i;
    }
    // The walk gathers the increment's error; the ends found without walking need not.
    EXPECT_NEAR(values.First(), all.front(), r.input.Increment * 1e-6);
    EXPECT_NEAR(values.Last(), all.back(), r.input.Increment * 1e-6);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DecimalRows,
    ::testing::Values(
        // clang-format off
        DecimalRow{"MinusOneToOneAtAFifth", Steps(-1, 1, 0.2),
                   {1, 0.8, 0.6, 0.4, 0.2, 0, -0.2, -0.4, -0.6, -0.8, -1}},
        DecimalRow{"ZeroToThreeTenthsAtATenth", Steps(0, 0.3, 0.1), {0.3, 0.2, 0.1, 0}},
        DecimalRow{"TheWalkDownReachesANegativeMinimum", Steps(-3, 3, 0.6),
                   {3, 2.4, 1.8, 1.2, 0.6, 0, -0.6, -1.2, -1.8, -2.4, -3}},
        DecimalRow{"ANegativeMaximum", Steps(-1, -0.2, 0.2), {-0.2, -0.4, -0.6, -0.8, -1}},
        // A thousandth of a step short of a multiple is not that multiple.
        DecimalRow{"AMaximumJustBelowAMultiple", Steps(0, 0.9995, 0.2),
                   {0.8, 0.6, 0.4, 0.2, 0}},
        DecimalRow{"AMinimumJustAboveAMultiple", Steps(-0.9995, 0.4, 0.2),
                   {0.4, 0.2, 0, -0.2, -0.4, -0.6, -0.8}},
        DecimalRow{"LargeValues", Steps(7e9 - 30, 7e9 + 3, 10),
                   {7e9, 7e9 - 10, 7e9 - 20, 7e9 - 30}}),
    // clang-format on
    [](const auto& info) { return std::string(info.param.name); });

// The sample of the label sizes: the first and last labels and their neighbours inwards,
// found without walking the range.
TEST(LabelValues, TheEndsOfAHugeRangeAreFoundWithoutWalkingIt) {
    const TLabelValues values(Steps(-3e9, 7e9 + 3, 10));
    EXPECT_TRUE(values.All().empty());
    EXPECT_EQ(values.First(), 7e9);
    EXPECT_EQ(values.Last(), -3e9);
    EXPECT_EQ(values.Below(values.First()), 7e9 - 10);
    EXPECT_EQ(values.Above(values.Last()), -3e9 + 10);
    EXPECT_EQ(values.Leading(2), (std::vector<double>{7e9, 7e9 - 10}));
}

struct PowerStepsRow {
    const char* name;
    double powers;
    std::int32_t count;
    TPowerSteps steps;
};

class PowerStepsRows : public ::testing::TestWithParam<PowerStepsRow> {};

TEST_P(PowerStepsRows, PowerStepsForCount) {
    const PowerStepsRow& r = GetParam();
    EXPECT_EQ(PowerStepsForCount(r.powers, r.count, 10), r.steps);
}

INSTANTIATE_TEST_SUITE_P(Rows, PowerStepsRows,
                         ::testing::Values(
                             // clang-format off
        PowerStepsRow{"RungsWhenThreeLabelsAPowerFit", 6, 18, {1, true}},
        PowerStepsRow{"EveryPowerWhenTheRungsDoNotFit", 6, 17, {1, false}},
        PowerStepsRow{"EveryOtherPower", 6, 5, {2, false}},
        PowerStepsRow{"UpTheLadder", 600, 20, {50, false}},
        PowerStepsRow{"NoLabelFitsAtAll", 6, 0, {7, false}}),
                         // clang-format on
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace twinscope
