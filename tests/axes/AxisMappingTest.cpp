#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include "tests/support/LayoutSteps.h"
#include "tests/support/ChartFixture.h"

namespace twinscope {
namespace {

using testing::ChartFixture;

TEST_F(ChartFixture, PrepareRangeShowsTheFixedRange) {
    TChartAxis& axis = chart.LeftAxis();
    axis.SetAutomatic(false);
    axis.SetMaximum(212);
    axis.SetMinimum(32);
    testing::steps::PrepareAxisRange(chart, axis);
    EXPECT_EQ(chart.ScaleMapOf(axis).Minimum(), 32);
    EXPECT_EQ(chart.ScaleMapOf(axis).Maximum(), 212);
    EXPECT_EQ(chart.ScaleMapOf(axis).Span(), 180);
    EXPECT_FALSE(chart.ScaleMapOf(axis).RangeIsZero());
}

TEST_F(ChartFixture, PrepareRangeOfEqualEndsIsZero) {
    TChartAxis& axis = chart.LeftAxis();
    axis.SetAutomatic(false);
    axis.SetMaximum(40);
    axis.SetMinimum(40);
    testing::steps::PrepareAxisRange(chart, axis);
    EXPECT_TRUE(chart.ScaleMapOf(axis).RangeIsZero());
    axis.SetMaximum(40 + 1e-13);
    testing::steps::PrepareAxisRange(chart, axis);
    EXPECT_TRUE(chart.ScaleMapOf(axis).RangeIsZero());
    axis.SetMaximum(40 + 1e-11);
    testing::steps::PrepareAxisRange(chart, axis);
    EXPECT_FALSE(chart.ScaleMapOf(axis).RangeIsZero());
}

TEST_F(ChartFixture, PrepareRangeOfAnAutomaticAxisWithoutSeriesIsZero) {
    TChartAxis& axis = chart.LeftAxis();
    axis.SetMaximum(10);
    axis.SetMinimum(5);
    EXPECT_EQ(RepaintsDuring([&] { testing::steps::PrepareAxisRange(chart, axis); }), 0);
    EXPECT_EQ(axis.Minimum(), 0);
    EXPECT_EQ(axis.Maximum(), 0);
    EXPECT_TRUE(chart.ScaleMapOf(axis).RangeIsZero());
}

TEST_F(ChartFixture, RangeSpanIsExtendedPrecision) {
    TChartAxis& axis = chart.LeftAxis();
    axis.SetAutomatic(false);
    axis.SetMaximum(1.0);
    axis.SetMinimum(-1e-17);  // the difference is not a double
    testing::steps::PrepareAxisRange(chart, axis);
    EXPECT_EQ(chart.ScaleMapOf(axis).Span(), 1.0L + 1e-17L);
}

struct MappingCase {
    const char* name;
    bool horizontal;
    bool inverted;
    double startPosition, endPosition;
    double minimum, maximum;
    double value;
    std::int32_t pixel;
};

class ValueToPixelTest : public ChartFixture, public ::testing::WithParamInterface<MappingCase> {};

TEST_P(ValueToPixelTest, MapsOntoThePlotEdge) {
    const MappingCase& c = GetParam();
    TChartAxis& axis = chart.CustomAxes().Add();
    axis.SetHorizontal(c.horizontal);
    axis.SetInverted(c.inverted);
    axis.SetStartPosition(c.startPosition);
    axis.SetEndPosition(c.endPosition);
    axis.SetAutomatic(false);
    axis.SetMaximum(c.maximum);
    axis.SetMinimum(c.minimum);
    testing::steps::PrepareAxisRange(chart, axis);
    testing::steps::MapAxis(chart, axis, TRect{145, 21, 964, 440});  // 819 wide, 419 high
    EXPECT_EQ(chart.ScaleMapOf(axis).ToPixel(c.value), c.pixel);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ValueToPixelTest,
    ::testing::Values(
        MappingCase{"HorizontalMinimumAtLeftEdge", true, false, 0, 100, 0, 100, 0, 145},
        MappingCase{"HorizontalMaximumAtRightEdge", true, false, 0, 100, 0, 100, 100, 964},
        MappingCase{"HorizontalMiddleRoundsHalfToEven", true, false, 0, 100, 0, 100, 50, 554},
        MappingCase{"HorizontalInverted", true, true, 0, 100, 0, 100, 0, 964},
        MappingCase{"VerticalMinimumAtBottom", false, false, 0, 100, 0, 100, 0, 440},
        MappingCase{"VerticalMaximumAtTop", false, false, 0, 100, 0, 100, 100, 21},
        MappingCase{"VerticalInverted", false, true, 0, 100, 0, 100, 100, 440},
        MappingCase{"VerticalQuarter", false, false, 0, 100, 0, 100, 25, 335},
        MappingCase{"PartialSpan", true, false, 10, 90, 0, 100, 0, 227},
        MappingCase{"ZeroRangeMapsToCentre", true, false, 0, 100, 40, 40, 40, 554},
        MappingCase{"FarBeyondClampsHigh", true, false, 0, 100, 0, 1, 1e9, 32767},
        MappingCase{"FarBelowClampsLow", true, false, 0, 100, 0, 1, -1e9, -32767},
        MappingCase{"HugeValueClamps", false, false, 0, 100, 0, 1, 1e300, -32767},
        // The distance from the minimum exceeds the largest double.
        MappingCase{"WholeDoubleRangeRight", true, false, 0, 100, -1e308, 1e308, 1e308, 964},
        MappingCase{"WholeDoubleRangeTop", false, false, 0, 100, -1e308, 1e308, 1e308, 21},
        MappingCase{"WholeDoubleRangeInverted", true, true, 0, 100, -1e308, 1e308, 1e308, 145},
        MappingCase{"WholeDoubleRangeVerticalInverted", false, true, 0, 100, -1e308, 1e308,
                    1e308, 440},
        MappingCase{"WholeDoubleRangeMiddle", true, false, 0, 100, -1e308, 1e308, 0, 554},
        MappingCase{"WholeDoubleRangeFarBelowClamps", true, false, 0, 100, 1.65e308, 1.7e308,
                    -1.7e308, -32767}),
    [](const auto& info) { return std::string(info.param.name); });

// The mapping as it was before its rounding was made cheap: the same double arithmetic,
// rounded by the C library.
std::int32_t ReferencePixel(const TChartAxis& axis, const TScaleMap& map, double value) {
    if (map.RangeIsZero()) return map.Center();
    const double d = (value - map.Minimum()) * map.PixelsPerUnit();
    const bool fromStart = axis.Horizontal() != axis.Inverted();
    const double p = fromStart ? map.StartPixel() + d : map.EndPixel() - d;
    const Extended rounded = std::nearbyint(static_cast<Extended>(p));
    if (std::isnan(rounded)) return 0;
    return static_cast<std::int32_t>(std::clamp<Extended>(rounded, -32767, 32767));
}

TEST_F(ChartFixture, ValueToPixelKeepsEveryPixelOfOrdinaryRanges) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> unit(0, 1);
    std::int64_t mismatches = 0;
    std::int64_t nearTies = 0;
    TChartAxis& axis = chart.CustomAxes().Add();
    axis.SetAutomatic(false);
    for (int range = 0; range < 400; ++range) {
        // Round ranges (whose values hit pixel halves exactly) and odd ones, dates included.
        const double minimum = range % 2 ? 45000 + unit(random) * 1000 : -50.0 * (range % 7);
        const double span = range % 3 ? std::ldexp(1 + unit(random), range % 40 - 20) : 100;
        axis.SetHorizontal(range % 2 == 0);
        axis.SetInverted(range % 5 == 0);
        axis.SetMinMax(minimum, minimum + span);
        testing::steps::PrepareAxisRange(chart, axis);
        testing::steps::MapAxis(chart, axis, TRect{37, 21, 37 + 200 + range * 2, 21 + 100 + range});
        // Random values in and around the range, and values at pixel halves.
        for (int i = 0; i < 5000; ++i) {
            const double value =
                i % 2 ? minimum + span * (unit(random) * 3 - 1)
                      : minimum + (i / 2 + 0.5) * span / chart.ScaleMapOf(axis).Length();
            mismatches += chart.ScaleMapOf(axis).ToPixel(value) !=
                          ReferencePixel(axis, chart.ScaleMapOf(axis), value);
            const double d = std::fabs((value - minimum) * chart.ScaleMapOf(axis).PixelsPerUnit());
            nearTies += std::fabs(d - std::floor(d) - 0.5) < 1e-9;
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(nearTies, 500'000);  // the sample does reach the ties
}

TEST_F(ChartFixture, ComputePixelSpanRoundsPositionsHalfToEven) {
    TChartAxis& axis = chart.CustomAxes().Add();
    axis.SetHorizontal(true);
    axis.SetStartPosition(50);  // 0.5 * 5 = 2.5 rounds to 2
    testing::steps::MapAxis(chart, axis, TRect{10, 0, 15, 10});
    EXPECT_EQ(chart.ScaleMapOf(axis).StartPixel(), 12);
    EXPECT_EQ(chart.ScaleMapOf(axis).EndPixel(), 15);
    EXPECT_EQ(chart.ScaleMapOf(axis).Length(), 3);
    EXPECT_EQ(chart.ScaleMapOf(axis).Center(), 13);
}

TEST_F(ChartFixture, HorizontalSwitchReselectsTheMapping) {
    TChartAxis& axis = chart.CustomAxes().Add();
    axis.SetAutomatic(false);
    axis.SetMaximum(10);
    testing::steps::PrepareAxisRange(chart, axis);
    testing::steps::MapAxis(chart, axis, TRect{0, 0, 100, 100});
    EXPECT_EQ(chart.ScaleMapOf(axis).ToPixel(10), 0);  // vertical: the top
    axis.SetHorizontal(true);
    testing::steps::MapAxis(chart, axis, TRect{0, 0, 100, 100});
    EXPECT_EQ(chart.ScaleMapOf(axis).ToPixel(10), 100);  // horizontal: the right
}

TEST_F(ChartFixture, PixelToValueInvertsTheMapping) {
    TChartAxis& vertical = chart.LeftAxis();
    vertical.SetAutomatic(false);
    vertical.SetMaximum(100);
    testing::steps::PrepareAxisRange(chart, vertical);
    testing::steps::MapAxis(chart, vertical, TRect{0, 0, 200, 200});
    EXPECT_EQ(chart.ScaleMapOf(vertical).ToValue(0), 100);
    EXPECT_EQ(chart.ScaleMapOf(vertical).ToValue(150), 25);
    TChartAxis& horizontal = chart.BottomAxis();
    horizontal.SetAutomatic(false);
    horizontal.SetMaximum(10);
    horizontal.SetInverted(true);
    testing::steps::PrepareAxisRange(chart, horizontal);
    testing::steps::MapAxis(chart, horizontal, TRect{0, 0, 200, 200});
    EXPECT_EQ(chart.ScaleMapOf(horizontal).ToValue(150), 2.5);
    testing::steps::MapAxis(chart, horizontal, TRect{0, 0, 0, 0});
    EXPECT_EQ(chart.ScaleMapOf(horizontal).ToValue(150), 0);
}

}  // namespace
}  // namespace twinscope
