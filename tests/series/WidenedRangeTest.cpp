// The points a line series draws beyond the plot's edges: the run of points next to the shown
// range whose markers still touch the plot, found through runs of points at a time, against a
// walk over every point.

#include <cmath>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/LayoutSteps.h"

#include "twinscope/chart/panel/Chart.h"
#include "twinscope/chart/series/LineSeries.h"

namespace twinscope {
namespace {

struct WidenCase {
    const char* name;
    // Changes the points (a walk of 200,000, X 0 to 199,999) before the range is computed.
    std::function<void(TLineSeries&)> change;
    double from, to;  // the bottom axis
};

class WidenedRangeTest : public ::testing::TestWithParam<WidenCase> {};

TEST_P(WidenedRangeTest, TheRunEndsAtTheFirstPointWhoseMarkerMissesThePlot) {
    const WidenCase& c = GetParam();
    TChart chart;
    chart.SetBounds(600, 400);
    chart.SetView3D(false);
    TLineSeries& series = chart.CreateSeries<TLineSeries>();
    series.SetParentChart(&chart);
    std::mt19937_64 random(4);
    std::normal_distribution<double> step(0, 0.01);
    std::vector<double> xs(200'000);
    std::vector<double> ys(xs.size());
    double walk = 0;
    for (std::size_t i = 0; i < xs.size(); ++i) {
        xs[i] = static_cast<double>(i);
        ys[i] = walk += step(random);
    }
    series.AppendPoints(xs, ys);
    c.change(series);
    chart.BottomAxis().SetAutomatic(false);
    chart.BottomAxis().SetMinMax(c.from, c.to);
    chart.LeftAxis().SetAutomatic(false);
    chart.LeftAxis().SetMinMax(-3, 3);
    testing::steps::StartLayout(chart, TRect{0, 0, 600, 400});
    testing::steps::FitAxesIntoPlot(chart);
    series.ComputeShownRange();

    const TRect& plot = chart.PlotRect();
    auto touches = [&](std::int32_t i) {
        const std::int32_t x = series.XPixel(i);
        const std::int32_t y = series.YPixel(i);
        return !Intersect({x - 4, y - 4, x + 4, y + 4}, plot).IsEmpty();
    };
    const std::int32_t first = series.FirstShownIndex();
    const std::int32_t last = series.LastShownIndex();
    ASSERT_GE(first, 0);
    if (last + 1 < series.PointCount()) {
        EXPECT_FALSE(touches(last + 1)) << "after " << last;
    }
    if (first > 0) {
        EXPECT_FALSE(touches(first - 1)) << "before " << first;
    }
    // Every point of the range beyond the plot's edges touches it.
    for (std::int32_t i = last; i > first && series.XPixel(i) >= plot.Right; --i)
        ASSERT_TRUE(touches(i)) << i;
    for (std::int32_t i = first; i < last && series.XPixel(i) < plot.Left; ++i)
        ASSERT_TRUE(touches(i)) << i;
}

void Plain(TLineSeries&) {}

INSTANTIATE_TEST_SUITE_P(
    Rows, WidenedRangeTest,
    ::testing::Values(
        WidenCase{"ThousandsOfPointsTouchOnEachSide", Plain, 50'000, 150'000},
        WidenCase{"APointFarAboveEndsTheRun",
                  [](TLineSeries& s) { s.YValues().SetValueAt(150'300, 1e6); }, 50'000, 150'000},
        WidenCase{"APointFarBelowEndsTheRunOnTheLeft",
                  [](TLineSeries& s) { s.YValues().SetValueAt(49'800, -1e6); }, 50'000, 150'000},
        WidenCase{"APointNotANumberEndsTheRun",
                  [](TLineSeries& s) { s.YValues().SetValueAt(150'123, std::nan("")); }, 50'000,
                  150'000},
        WidenCase{"TheRunReachesTheLastPoint", Plain, 50'000, 199'000},
        WidenCase{"FewPointsPerPixel", Plain, 149'000, 150'000}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace twinscope
