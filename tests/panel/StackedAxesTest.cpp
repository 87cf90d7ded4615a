#include <functional>
#include <string>
#include <vector>

#include "tests/support/ChartFixture.h"
#include "tests/support/Printers.h"
#include "tests/support/RecordingCanvas.h"
#include "twinscope/chart/axes/AxisGeometry.h"
#include "twinscope/chart/series/LineSeries.h"

namespace twinscope {
namespace {

struct StackCase {
    const char* name;
    bool horizontal;
    bool otherSide;
};

// Three titled custom axes on one side, all asking for the same place 12 % outside the plot,
// each shown by a series of its own. The margins leave them too little room.
class StackedAxesTest : public testing::ChartFixture,
                        public ::testing::WithParamInterface<StackCase> {
protected:
    StackedAxesTest() {
        chart.SetBounds(600, 400);
        chart.SetView3D(false);
        chart.Legend().SetVisible(false);
        chart.AddNewSeries<TLineSeries>().AddPoint(0, 0);
        for (int k = 0; k < 3; ++k) {
            TChartAxis& axis = chart.CustomAxes().Add();
            axis.SetHorizontal(GetParam().horizontal);
            axis.SetOtherSide(GetParam().otherSide);
            axis.SetPositionPercent(-12);
            axis.Title().SetCaption("scale " + std::to_string(k));
            axis.SetMinMax(0, 1000 * (k + 1));
            auto& series = chart.AddNewSeries<TLineSeries>();
            if (GetParam().horizontal) {
                series.BindCustomHorizAxis(&axis);
            } else {
                series.BindCustomVertAxis(&axis);
            }
            scales.push_back(&axis);
        }
    }

    void Render() { chart.RenderChart(canvas, target, {0, 0, 600, 400}); }

    std::vector<TChartAxis*> scales;
    TRecordingCanvas canvas;
    TNoTarget target;
};

TEST_P(StackedAxesTest, EachFurtherScaleStandsOutsideTheOnesBeforeIt) {
    Render();
    for (std::size_t k = 1; k < scales.size(); ++k) {
        const TChartAxis& inner = *scales[k - 1];
        const TChartAxis& outer = *scales[k];
        const std::int32_t innerEdge = OuterEdge(inner, chart.AxisPaintOf(inner).Layout, canvas);
        const std::int32_t line = chart.AxisPaintOf(outer).Layout.AxisPosition;
        EXPECT_EQ(DistanceOutwards(outer, innerEdge, line), 4) << k;
    }
    // The margin grew: the outermost scale ends inside the chart.
    const TChartAxis& last = *scales.back();
    const std::int32_t edge = OuterEdge(last, chart.AxisPaintOf(last).Layout, canvas);
    const std::int32_t bound = Side(last, chart.PaintBounds());
    EXPECT_LE(DistanceOutwards(last, bound, edge), 0);
    EXPECT_GT(DistanceOutwards(last, bound, edge), -30);
}

TEST_P(StackedAxesTest, OneScaleStandsWhereItAsks) {
    scales[1]->SetVisible(false);
    scales[2]->SetVisible(false);
    Render();
    const TRect plot = chart.PlotRect();
    EXPECT_EQ(chart.AxisPaintOf(*scales[0]).Layout.AxisPosition,
              AxisLinePosition(*scales[0], plot));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, StackedAxesTest,
    ::testing::Values(
        StackCase{"Left",   false, false},
        StackCase{"Right",  false, true},
        StackCase{"Bottom", true,  false},
        StackCase{"Top",    true,  true}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// A titled custom axis on the side of a title or of the legend stands between it and the plot:
// the plot gives up the room, so nothing overlaps.
struct BesidePartCase {
    const char* name;
    bool horizontal, otherSide;
    std::function<void(TChart&)> show;  // the title or legend on that side
};

class BesidePartTest : public testing::ChartFixture,
                       public ::testing::WithParamInterface<BesidePartCase> {};

TEST_P(BesidePartTest, ACustomAxisStandsBetweenTheTitleOrLegendAndThePlot) {
    const BesidePartCase& c = GetParam();
    chart.SetBounds(600, 400);
    chart.SetView3D(false);
    chart.Legend().SetVisible(false);
    chart.AddNewSeries<TLineSeries>().AddPoint(0, 0);
    TChartAxis& axis = chart.CustomAxes().Add();
    axis.SetHorizontal(c.horizontal);
    axis.SetOtherSide(c.otherSide);
    axis.SetPositionPercent(-1);
    axis.Title().SetCaption("scale");
    axis.SetMinMax(0, 1000);
    auto& series = chart.AddNewSeries<TLineSeries>();
    c.horizontal ? series.BindCustomHorizAxis(&axis) : series.BindCustomVertAxis(&axis);
    c.show(chart);
    TRecordingCanvas canvas;
    TNoTarget target;
    chart.RenderChart(canvas, target, {0, 0, 600, 400});

    const TChartLayout& layout = chart.Layout();
    const TRect part = layout.TitleBoxes.empty() ? layout.LegendBox : layout.TitleBoxes.front();
    ASSERT_FALSE(part.IsEmpty());
    const std::int32_t edge = OuterEdge(axis, chart.AxisPaintOf(axis).Layout, canvas);
    // The part's side facing the plot.
    const std::int32_t facing = Side(axis, {part.Right, part.Bottom, part.Left, part.Top});
    EXPECT_GE(DistanceOutwards(axis, edge, facing), 0);
    // Short of it by no more than the gap the legend keeps to the plot.
    EXPECT_LT(DistanceOutwards(axis, edge, facing), 20);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, BesidePartTest,
    ::testing::Values(
        BesidePartCase{"TopUnderTheTitle", true, true,
                       [](TChart& ch) { ch.Title().SetText({"A title"}); }},
        BesidePartCase{"BottomAboveTheFoot", true, false,
                       [](TChart& ch) { ch.Foot().SetText({"A foot"}); }},
        BesidePartCase{"RightOfThePlotLeftOfTheLegend", false, true,
                       [](TChart& ch) { ch.Legend().SetVisible(true); }},
        BesidePartCase{"LeftOfThePlotRightOfTheLegend", false, false,
                       [](TChart& ch) {
                           ch.Legend().SetVisible(true);
                           ch.Legend().SetAlignment(laLeft);
                       }}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
}  // namespace twinscope
