// Logarithmic axes: the range they accept, the range they take from their series, their labels
// and their minor ticks.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/LayoutSteps.h"
#include "tests/support/ChartFixture.h"
#include "tests/support/Expect.h"
#include "tests/support/RecordingCanvas.h"
#include "twinscope/chart/axes/AxisDrawing.h"
#include "twinscope/chart/axes/AxisLabelPass.h"
#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/runtime/Exceptions.h"

namespace twinscope {
namespace {

using testing::ChartFixture;

constexpr const char* RangeMessage = "Axis range must be > 0 for a logarithmic axis";

struct RefusalRow {
    const char* name;
    std::function<void(TChartAxis&)> action;
    const char* message;
};

class RefusalRows : public ChartFixture, public ::testing::WithParamInterface<RefusalRow> {};

// A fixed range of 0..100 on a linear axis, or 1..100 once it is logarithmic.
TEST_P(RefusalRows, IsRefusedAndChangesNothing) {
    const RefusalRow& r = GetParam();
    TChartAxis& axis = chart.LeftAxis();
    axis.SetMinMax(0, 100);
    const bool logarithmic = std::string(r.name).rfind("Log", 0) == 0;
    if (logarithmic) {
        axis.SetMinimum(1);
        axis.SetLogarithmic(true);
    }
    EXPECT_THROW_MSG(r.action(axis), AxisException, r.message);
    EXPECT_EQ(axis.Logarithmic(), logarithmic);
    EXPECT_EQ(axis.Minimum(), logarithmic ? 1 : 0);
    EXPECT_EQ(axis.Maximum(), 100);
    EXPECT_EQ(axis.LogarithmicBase(), 10);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RefusalRows,
    ::testing::Values(
        // clang-format off
        RefusalRow{"TurningOnOverAFixedEndAtZero", [](TChartAxis& a) { a.SetLogarithmic(true); },
                   RangeMessage},
        RefusalRow{"LogMinimumOfZero", [](TChartAxis& a) { a.SetMinimum(0); }, RangeMessage},
        RefusalRow{"LogNegativeRange", [](TChartAxis& a) { a.SetMinMax(-5, -1); }, RangeMessage},
        RefusalRow{"LogBaseOfOne", [](TChartAxis& a) { a.SetLogarithmicBase(1); },
                   "Axis logarithmic base must be > 1"},
        RefusalRow{"LogBaseNotANumber", [](TChartAxis& a) { a.SetLogarithmicBase(std::nan("")); },
                   "Axis logarithmic base must be > 1"}),
    // clang-format on
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChartFixture, AnAutomaticLogarithmicAxisPassesOverValuesAtOrBelowZero) {
    auto& series = chart.AddNewSeries<TLineSeries>();
    for (const double y : {-5.0, 0.0, 2.0, 50.0, 7.0})
        series.AddValue(y);
    TChartAxis& axis = chart.LeftAxis();
    axis.SetLogarithmic(true);  // automatic ends may start at zero
    testing::steps::PrepareAxisRange(chart, axis);
    EXPECT_EQ(chart.ScaleMapOf(axis).Range(), (TScaleRange{2, 50}));
    EXPECT_EQ(chart.ScaleMapOf(axis).Kind(), skLogarithmic);
    // Without a value above zero there is nothing to show on logarithms.
    series.ClearPoints();
    series.AddValue(-1);
    testing::steps::PrepareAxisRange(chart, axis);
    EXPECT_EQ(chart.ScaleMapOf(axis).Range(), (TScaleRange{0, 0}));
}

class LogLabelsTest : public ChartFixture {
protected:
    LogLabelsTest() { chart.AddNewSeries<TLineSeries>(); }

    // The labels of the left axis over a range, 600 pixels high.
    TLabelPassResult Labels(double minimum, double maximum, std::int32_t height = 600) {
        TChartAxis& axis = chart.LeftAxis();
        axis.SetMinMax(minimum, maximum);
        axis.SetLogarithmic(true);
        testing::steps::PrepareAxisRange(chart, axis);
        testing::steps::MapAxis(chart, axis, {0, 0, 100, height});
        return RunLabelPass(axis, chart.AxisPaintOf(axis), canvas);
    }

    TRecordingCanvas canvas;
};

std::vector<std::string> TextsOf(const TLabelPassResult& pass) {
    std::vector<std::string> texts;
    for (const TAxisLabel& label : pass.Labels)
        texts.push_back(label.Text);
    return texts;
}

// 150 pixels fit 12 labels of 12 pixels and their gaps: every power, but not their rungs.
TEST_F(LogLabelsTest, EachPowerOfTenTakesTheSameRoom) {
    const TLabelPassResult pass = Labels(1, 1e6, 150);
    EXPECT_FALSE(pass.Rungs);
    EXPECT_EQ(TextsOf(pass), (std::vector<std::string>{"1,000,000", "100,000", "10,000", "1,000",
                                                       "100", "10", "1"}));
    EXPECT_EQ(pass.TickPositions, (std::vector<std::int32_t>{0, 25, 50, 75, 100, 125, 150}));
}

TEST_F(LogLabelsTest, RungsAtTwoAndFiveWhereTheyFit) {
    const TLabelPassResult pass = Labels(1, 100);
    EXPECT_TRUE(pass.Rungs);
    EXPECT_EQ(TextsOf(pass), (std::vector<std::string>{"100", "50", "20", "10", "5", "2", "1"}));
    // Three times as long: 100 at the top, 10 at the middle.
    EXPECT_EQ(pass.TickPositions.front(), 0);
    EXPECT_EQ(pass.TickPositions[3], 300);
}

TEST_F(LogLabelsTest, TheWholeDoublesRangeLabelsFewPowersAsPowers) {
    const TLabelPassResult pass = Labels(1e-300, 1e300);
    ASSERT_TRUE(pass.Powers);
    EXPECT_EQ(pass.LabelIncrement, 20);  // 600 powers of ten; 46 labels fit
    const std::vector<std::string> texts = TextsOf(pass);
    ASSERT_EQ(texts.size(), 31u);
    EXPECT_EQ(texts.front(), "1E+300");
    EXPECT_EQ(texts[14], "1E+20");
    EXPECT_EQ(texts[15], "1");
    EXPECT_EQ(texts.back(), "1E-300");
}

TEST_F(LogLabelsTest, ARangeWithinOnePowerStepsByValue) {
    const TLabelPassResult pass = Labels(20, 80);
    EXPECT_FALSE(pass.Powers);
    EXPECT_EQ(pass.LabelIncrement, 2);
    EXPECT_EQ(TextsOf(pass).front(), "80");
    EXPECT_EQ(TextsOf(pass).back(), "20");
    // Placed on logarithms: 40 lies halfway between 20 and 80.
    EXPECT_EQ(pass.TickPositions[20], 300);
}

struct MinorRow {
    const char* name;
    double minimum, maximum;
    std::int32_t height;
    std::vector<std::int32_t> minor;
};

class MinorRows : public LogLabelsTest, public ::testing::WithParamInterface<MinorRow> {};

TEST_P(MinorRows, LogMinorTickPositions) {
    const MinorRow& r = GetParam();
    const TLabelPassResult pass = Labels(r.minimum, r.maximum, r.height);
    EXPECT_EQ(LogMinorTickPositions(pass, chart.ScaleMapOf(chart.LeftAxis()), 3), r.minor);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MinorRows,
    ::testing::Values(
        // clang-format off
        // Every power labelled, 25 pixels a power: 2, 3, ... 9 times each, from the bottom up.
        MinorRow{"TwoToNineTimesEachPower", 1, 1e3, 75,
                 {67, 63, 60, 58, 56, 54, 52, 51, 42, 38, 35, 33, 31, 29, 27, 26, 17, 13, 10, 8,
                  6, 4, 2, 1}},
        // With the rungs, 2 and 5 are labels already.
        MinorRow{"BesideTheRungs", 1, 10, 600, {314, 239, 133, 93, 58, 27}},
        // Every tenth power labelled over 30, two pixels a power: every other power between.
        MinorRow{"PowersBetweenLabelledOnes", 1, 1e30, 60,
                 {56, 52, 48, 44, 36, 32, 28, 24, 16, 12, 8, 4}}),
    // clang-format on
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace twinscope
