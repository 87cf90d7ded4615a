#include <array>
#include <string>

#include "tests/support/LayoutSteps.h"
#include "tests/support/ChartFixture.h"
#include "tests/support/Printers.h"
#include "tests/support/RecordingCanvas.h"
#include "twinscope/chart/panel/PlotLayout.h"
#include "twinscope/chart/series/LineSeries.h"

namespace twinscope {
namespace {

using testing::ChartFixture;

struct PlotRectCase {
    const char* name;
    std::array<std::int32_t, 4> margins;
    TChartUnits units;
    TRect expected;
};

class CalcPlotRectTest : public ::testing::TestWithParam<PlotRectCase> {};

TEST_P(CalcPlotRectTest, MarginsBecomePixelsOfTheWindowsChart) {
    const PlotRectCase& c = GetParam();
    PlotLayoutInput in;
    in.PaintBounds = TRect{0, 0, 965, 518};
    in.Margins = c.margins;
    in.MarginUnits = c.units;
    in.BorderThickness = 1;
    in.ControlWidth = 965;
    in.ControlHeight = 518;
    EXPECT_EQ(CalcPlotRect(in), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CalcPlotRectTest,
    ::testing::Values(
        PlotRectCase{"DesignTime", {13, 4, 0, 9}, muPercent, {126, 21, 964, 471}},
        PlotRectCase{"LeftScalePresent", {15, 4, 0, 9}, muPercent, {145, 21, 964, 471}},
        PlotRectCase{"BothScalesPresent", {15, 4, 0, 15}, muPercent, {145, 21, 964, 440}},
        PlotRectCase{"Defaults", {3, 4, 3, 4}, muPercent, {29, 21, 936, 497}},
        // 9 % of 518 is 46.62: truncated, not rounded.
        PlotRectCase{"PercentTruncates", {0, 0, 0, 9}, muPercent, {1, 1, 964, 471}},
        PlotRectCase{"PixelsAreTakenAsTheyAre", {15, 15, 15, 15}, muPixels, {16, 16, 949, 502}},
        PlotRectCase{
            "OverlappingMarginsGiveOnePixel", {60, 4, 60, 4}, muPercent, {580, 21, 581, 497}},
        PlotRectCase{"CollapsedWidthTakesTheControlWidth",
                     {482, 4, 481, 4},
                     muPixels,
                     {483, 5, 483 + 965, 513}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PlotLayoutTest, ShadowAndEmbossMoveTheEdgesBySign) {
    PlotLayoutInput in;
    in.PaintBounds = TRect{0, 0, 100, 100};
    in.Margins = {0, 0, 0, 0};
    in.BorderThickness = 0;
    in.Shadow = TShadowData{.Visible = true, .HorizSize = 3, .VertSize = -2};
    EXPECT_EQ(CalcPlotRect(in), (TRect{0, 2, 97, 100}));
    in.Shadow.Visible = false;
    in.Emboss = TShadowData{.Visible = true, .HorizSize = -4, .VertSize = 5};
    EXPECT_EQ(CalcPlotRect(in), (TRect{0, 5, 96, 100}));
}

TEST(PlotLayoutTest, ClampKeepsTheLeftAndTopInsideTheBounds) {
    const TRect bounds{10, 10, 110, 110};
    EXPECT_EQ(ClampPlotRect(TRect{0, 5, 50, 60}, bounds, 100, 100), (TRect{10, 10, 50, 60}));
    EXPECT_EQ(ClampPlotRect(TRect{20, 20, 300, 300}, bounds, 100, 100), (TRect{20, 20, 300, 300}));
    EXPECT_EQ(ClampPlotRect(TRect{20, 50, 20, 40}, bounds, 100, 80), (TRect{20, 50, 120, 51}));
}

TEST(PlotLayoutTest, BorderThicknessAddsBevelsAndBorder) {
    EXPECT_EQ(BorderThickness(0, bvNone, bvRaised, 1, false, 1), 1);
    EXPECT_EQ(BorderThickness(2, bvLowered, bvRaised, 3, true, 4), 12);
    EXPECT_EQ(BorderThickness(0, bvNone, bvNone, 5, false, 1), 0);
}

TEST_F(ChartFixture, MarginsRepaintOnlyWhenChanged) {
    chart.SetBounds(965, 518);
    chart.SetMarginLeft(13);
    EXPECT_EQ(RepaintsDuring([&] { chart.SetMargin(0, 13); }), 0);
    EXPECT_EQ(RepaintsDuring([&] { chart.SetMargin(0, 15); }), 1);
    EXPECT_EQ(RepaintsDuring([&] { chart.SetMarginUnits(muPercent); }), 0);
    chart.SetMarginBottom(15);
    chart.SetMarginRight(0);
    testing::steps::StartLayout(chart, TRect{0, 0, 965, 518});
    EXPECT_EQ(chart.PlotRect(), (TRect{145, 21, 964, 440}));
    EXPECT_EQ(chart.PlotWidth(), 819);
    EXPECT_EQ(chart.PlotCenterX(), 554);
    EXPECT_EQ(chart.PlotCenterY(), 230);
}

TEST_F(ChartFixture, NothingRepaintsWhileRepaintOnChangeIsOff) {
    chart.SetRepaintOnChange(false);
    EXPECT_EQ(RepaintsDuring([&] { chart.LeftAxis().SetMaximum(10); }), 0);
}

TEST_F(ChartFixture, WithoutActiveSeriesEveryVisibleNonDepthAxisShows) {
    chart.RightAxis().SetVisible(false);
    EXPECT_TRUE(chart.IsAxisShown(chart.LeftAxis()));
    EXPECT_TRUE(chart.IsAxisShown(chart.TopAxis()));
    EXPECT_FALSE(chart.IsAxisShown(chart.RightAxis()));
    EXPECT_FALSE(chart.IsAxisShown(chart.DepthAxis()));
    chart.SetAxisVisible(false);
    EXPECT_FALSE(chart.IsAxisShown(chart.LeftAxis()));
}

TEST_F(ChartFixture, OnlyAxesOfActiveSeriesShow) {
    auto& data = chart.CreateSeries<TLineSeries>();
    data.SetParentChart(&chart);
    TChartAxis& scale = chart.CustomAxes().Add();
    EXPECT_TRUE(chart.IsAxisShown(chart.LeftAxis()));
    EXPECT_TRUE(chart.IsAxisShown(chart.BottomAxis()));
    EXPECT_FALSE(chart.IsAxisShown(chart.RightAxis()));
    EXPECT_FALSE(chart.IsAxisShown(scale));

    auto& companion = chart.CreateSeries<TLineSeries>();
    companion.SetParentChart(&chart);
    companion.BindCustomVertAxis(&scale);
    EXPECT_TRUE(chart.IsAxisShown(scale));
    companion.SetActive(false);
    EXPECT_FALSE(chart.IsAxisShown(scale));

    data.SetVertAxis(aBothVertAxis);
    EXPECT_TRUE(chart.IsAxisShown(chart.RightAxis()));
    chart.SetView3D(true);
    EXPECT_TRUE(chart.IsAxisShown(chart.DepthAxis()) == chart.DepthAxis().Visible());
}

// Without series every axis shows and takes its room from its side; the axes map onto what
// they leave.
TEST_F(ChartFixture, ShownAxesTakeTheirRoomFromTheirSides) {
    chart.SetBounds(400, 250);
    testing::steps::StartLayout(chart, TRect{0, 0, 400, 250});
    const TRect plot = chart.PlotRect();
    TRecordingCanvas measure;
    testing::steps::FitAxesIntoPlot(chart, &measure);
    const TRect left = chart.PlotRect();
    EXPECT_GT(left.Left, plot.Left);
    EXPECT_GT(left.Top, plot.Top);
    EXPECT_LT(left.Right, plot.Right);
    EXPECT_LT(left.Bottom, plot.Bottom);
    EXPECT_EQ(chart.ScaleMapOf(chart.LeftAxis()).Pixels(), (TPixelSpan{left.Top, left.Bottom}));
    EXPECT_EQ(chart.ScaleMapOf(chart.BottomAxis()).Pixels(), (TPixelSpan{left.Left, left.Right}));
    EXPECT_TRUE(chart.AxisPaintOf(chart.LeftAxis()).Shown);
    EXPECT_FALSE(chart.AxisPaintOf(chart.DepthAxis()).Shown);
}

TEST_F(ChartFixture, ACustomAxisBesideThePlotTakesNoSpaceAndShowsOnlyWithItsSeries) {
    auto& data = chart.CreateSeries<TLineSeries>();
    data.SetParentChart(&chart);
    TChartAxis& scale = chart.CustomAxes().Add();
    scale.SetPositionPercent(-12);
    chart.Legend().SetVisible(false);  // two series would list in it, beside the plot
    TRecordingCanvas measure;
    auto fit = [&] {
        testing::steps::StartLayout(chart, TRect{0, 0, 400, 250});
        testing::steps::FitAxesIntoPlot(chart, &measure);
        return chart.PlotRect();
    };
    const TRect plot = fit();
    EXPECT_FALSE(chart.AxisPaintOf(scale).Shown);  // no active series is bound to it

    auto& companion = chart.CreateSeries<TLineSeries>();
    companion.SetParentChart(&chart);
    companion.BindCustomVertAxis(&scale);
    EXPECT_EQ(fit(), plot);
    EXPECT_TRUE(chart.AxisPaintOf(scale).Shown);
    // It stands 12 % of the plot's width left of the plot.
    EXPECT_LT(chart.AxisPaintOf(scale).Layout.AxisPosition, plot.Left);
}

}  // namespace
}  // namespace twinscope
