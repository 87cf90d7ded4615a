#include <climits>
#include <functional>
#include <string>

#include "twinscope/chart/panel/PlotLayout.h"
#include "twinscope/chart/series/LineSeries.h"
#include "tests/support/ChartFixture.h"
#include "tests/support/Printers.h"
#include "tests/support/RecordingCanvas.h"

namespace twinscope {
namespace {


// Settings at the ends of what the API and stored content accept. Each paint must finish
// without overflowing (the sanitizer run stops at the first overflow) and leave a plot
// rectangle in order.
struct ExtremeCase {
    const char* name;
    std::function<void(TChart&)> apply;
    TRect bounds = {0, 0, 965, 518};
};

class ExtremeValuesTest : public testing::ChartFixture,
                          public ::testing::WithParamInterface<ExtremeCase> {};

TEST_P(ExtremeValuesTest, PaintFinishesWithAnOrderedPlot) {
    const ExtremeCase& c = GetParam();
    auto& series = chart.CreateSeries<TLineSeries>();
    series.AddPoint(1, 2);
    series.AddPoint(3, 4);
    chart.SetBounds(c.bounds.Width(), c.bounds.Height());
    c.apply(chart);
    TRecordingCanvas canvas;
    TNoTarget target;
    chart.RenderChart(canvas, target, c.bounds);
    EXPECT_LE(chart.PlotRect().Left, chart.PlotRect().Right);
    EXPECT_LE(chart.PlotRect().Top, chart.PlotRect().Bottom);
}

TShadowData HugeShadow(std::int32_t size) {
    return TShadowData{.Visible = true, .HorizSize = size, .VertSize = size};
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ExtremeValuesTest,
    ::testing::Values(
        ExtremeCase{"PercentMarginsAtIntMax",
                    [](TChart& ch) {
                        for (int i = 0; i < 4; ++i) ch.SetMargin(i, INT_MAX);
                    }},
        ExtremeCase{"PercentMarginsAtIntMin",
                    [](TChart& ch) {
                        for (int i = 0; i < 4; ++i) ch.SetMargin(i, INT_MIN);
                    }},
        ExtremeCase{"PixelMarginsAtIntMin",
                    [](TChart& ch) {
                        ch.SetMarginUnits(muPixels);
                        for (int i = 0; i < 4; ++i) ch.SetMargin(i, INT_MIN);
                    }},
        ExtremeCase{"BorderAndShadowsAtIntMax",
                    [](TChart& ch) {
                        ch.SetBorderWidth(INT_MAX);
                        ch.SetShadow(HugeShadow(INT_MIN));
                        ch.SetEmboss(HugeShadow(INT_MAX));
                    }},
        ExtremeCase{"LegendAtIntMaxPercent",
                    [](TChart& ch) {
                        ch.Legend().SetCustomPosition(true);
                        ch.Legend().SetLeftPercent(INT_MAX);
                        ch.Legend().SetTopPercent(INT_MIN);
                    }},
        ExtremeCase{"LegendTopPosAtIntMax",
                    [](TChart& ch) { ch.Legend().SetTopPos(INT_MAX); }},
        ExtremeCase{"AxisEndsFarBeyondThePlot",
                    [](TChart& ch) {
                        ch.LeftAxis().SetStartPosition(-1e12);
                        ch.LeftAxis().SetEndPosition(1e12);
                        ch.BottomAxis().SetStartPosition(1e300);
                        ch.BottomAxis().SetEndPosition(-1e300);
                    }},
        ExtremeCase{"HugeChart", [](TChart&) {}, {0, 0, INT_MAX, INT_MAX}},
        ExtremeCase{"HugeChartFarOut", [](TChart&) {}, {INT_MAX - 10, INT_MAX - 10, INT_MAX, INT_MAX}}),
    [](const auto& info) { return std::string(info.param.name); });

// Pixel arithmetic is wide enough that every result that fits is exact.
TEST(PlotLayoutTest, PercentMarginsOfAHugeChartStayExact) {
    PlotLayoutInput in;
    in.PaintBounds = TRect{0, 0, 2'000'000'000, 1'000'000'000};
    in.Margins = {3, 4, 3, 4};
    in.BorderThickness = 0;
    EXPECT_EQ(CalcPlotRect(in), (TRect{60'000'000, 40'000'000, 1'940'000'000, 960'000'000}));
}

TEST(LegendReductionTest, TheGapIsTakenFromThePlotBeforeTheReduction) {
    EXPECT_EQ(LegendReducedPlot(laRight, {900, 0, 950, 50}, {100, 0, 1100, 500}, 0, 0, 0).Right,
              870);
    EXPECT_EQ(LegendReducedPlot(laLeft, {0, 0, 50, 50}, {0, 0, 1000, 500}, 0, 0, 0).Left, 80);
    EXPECT_EQ(LegendReducedPlot(laTop, {0, 0, 50, 50}, {0, 0, 1000, 500}, 0, 0, 0).Top, 70);
    EXPECT_EQ(LegendReducedPlot(laBottom, {0, 400, 50, 450}, {0, 0, 1000, 500}, 0, 0, 0).Bottom,
              380);
}

using MouseExtremesTest = testing::ChartFixture;

TEST_F(MouseExtremesTest, MouseAtTheEndsOfTheIntegerRangeZoomsAndScrollsWithoutOverflow) {
    auto& series = chart.CreateSeries<TLineSeries>();
    series.AddPoint(1, 2);
    series.AddPoint(3, 4);
    chart.SetBounds(965, 518);
    TRecordingCanvas canvas;
    TNoTarget target;
    chart.RenderChart(canvas, target, {0, 0, 965, 518});
    TChartMouse& mouse = chart.Mouse();
    mouse.MouseDown(mbLeft, INT_MIN, INT_MIN, {});
    mouse.MouseMove(INT_MAX, INT_MAX);
    mouse.MouseUp(mbLeft, INT_MAX, INT_MAX);
    // Drags that start inside the plot and leave it for the ends of the range.
    for (const std::int32_t end : {INT_MIN, INT_MAX}) {
        mouse.MouseDown(mbLeft, 500, 250, {});
        mouse.MouseMove(end, end);
        mouse.MouseUp(mbLeft, end, end);
        mouse.MouseDown(mbRight, 500, 250, {});
        mouse.MouseMove(end, end);
        mouse.MouseMove(end == INT_MIN ? INT_MAX : INT_MIN, 0);
        mouse.MouseUp(mbRight, end, end);
    }
    chart.RenderChart(canvas, target, {0, 0, 965, 518});
    EXPECT_LE(chart.LeftAxis().Minimum(), chart.LeftAxis().Maximum());
}

}  // namespace
}  // namespace twinscope
