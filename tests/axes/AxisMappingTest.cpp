#include <cstdint>
#include <string>

#include "tests/support/ChartFixture.h"

namespace twinscope {
namespace {

using testing::ChartFixture;

TEST_F(ChartFixture, PrepareRangeShowsTheFixedRange) {
    TChartAxis& axis = chart.LeftAxis();
    axis.SetAutomatic(false);
    axis.SetMaximum(212);
    axis.SetMinimum(32);
    axis.PrepareRange();
    EXPECT_EQ(axis.CurrentMinimum(), 32);
    EXPECT_EQ(axis.CurrentMaximum(), 212);
    EXPECT_EQ(axis.RangeSpan(), 180);
    EXPECT_FALSE(axis.RangeIsZero());
}

TEST_F(ChartFixture, PrepareRangeOfEqualEndsIsZero) {
    TChartAxis& axis = chart.LeftAxis();
    axis.SetAutomatic(false);
    axis.SetMaximum(40);
    axis.SetMinimum(40);
    axis.PrepareRange();
    EXPECT_TRUE(axis.RangeIsZero());
    axis.SetMaximum(40 + 1e-13);
    axis.PrepareRange();
    EXPECT_TRUE(axis.RangeIsZero());
    axis.SetMaximum(40 + 1e-11);
    axis.PrepareRange();
    EXPECT_FALSE(axis.RangeIsZero());
}

TEST_F(ChartFixture, PrepareRangeOfAnAutomaticAxisWithoutSeriesIsZero) {
    TChartAxis& axis = chart.LeftAxis();
    axis.SetMaximum(10);
    axis.SetMinimum(5);
    EXPECT_EQ(RepaintsDuring([&] { axis.PrepareRange(); }), 0);
    EXPECT_EQ(axis.Minimum(), 0);
    EXPECT_EQ(axis.Maximum(), 0);
    EXPECT_TRUE(axis.RangeIsZero());
}

TEST_F(ChartFixture, RangeSpanIsExtendedPrecision) {
    TChartAxis& axis = chart.LeftAxis();
    axis.SetAutomatic(false);
    axis.SetMaximum(1.0);
    axis.SetMinimum(-1e-17);  // the difference is not a double
    axis.PrepareRange();
    EXPECT_EQ(axis.RangeSpan(), 1.0L + 1e-17L);
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
    axis.PrepareRange();
    axis.ComputePixelSpan(TRect{145, 21, 964, 440});  // 819 wide, 419 high
    EXPECT_EQ(axis.ValueToPixel(c.value), c.pixel);
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
        MappingCase{"HugeValueClamps", false, false, 0, 100, 0, 1, 1e300, -32767}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChartFixture, ComputePixelSpanRoundsPositionsHalfToEven) {
    TChartAxis& axis = chart.CustomAxes().Add();
    axis.SetHorizontal(true);
    axis.SetStartPosition(50);  // 0.5 * 5 = 2.5 rounds to 2
    axis.ComputePixelSpan(TRect{10, 0, 15, 10});
    EXPECT_EQ(axis.StartPixel(), 12);
    EXPECT_EQ(axis.EndPixel(), 15);
    EXPECT_EQ(axis.AxisLength(), 3);
    EXPECT_EQ(axis.CenterPixel(), 13);
}

TEST_F(ChartFixture, HorizontalSwitchReselectsTheMapping) {
    TChartAxis& axis = chart.CustomAxes().Add();
    axis.SetAutomatic(false);
    axis.SetMaximum(10);
    axis.PrepareRange();
    axis.ComputePixelSpan(TRect{0, 0, 100, 100});
    EXPECT_EQ(axis.ValueToPixel(10), 0);  // vertical: the top
    axis.SetHorizontal(true);
    axis.ComputePixelSpan(TRect{0, 0, 100, 100});
    EXPECT_EQ(axis.ValueToPixel(10), 100);  // horizontal: the right
}

TEST_F(ChartFixture, PixelToValueInvertsTheMapping) {
    TChartAxis& vertical = chart.LeftAxis();
    vertical.SetAutomatic(false);
    vertical.SetMaximum(100);
    vertical.PrepareRange();
    vertical.ComputePixelSpan(TRect{0, 0, 200, 200});
    EXPECT_EQ(vertical.PixelToValue(0), 100);
    EXPECT_EQ(vertical.PixelToValue(150), 25);
    TChartAxis& horizontal = chart.BottomAxis();
    horizontal.SetAutomatic(false);
    horizontal.SetMaximum(10);
    horizontal.SetInverted(true);
    horizontal.PrepareRange();
    horizontal.ComputePixelSpan(TRect{0, 0, 200, 200});
    EXPECT_EQ(horizontal.PixelToValue(150), 2.5);
    horizontal.ComputePixelSpan(TRect{0, 0, 0, 0});
    EXPECT_EQ(horizontal.PixelToValue(150), 0);
}

}  // namespace
}  // namespace twinscope
