#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "tests/series/FilledSeriesChart.h"
#include "twinscope/chart/series/BarSeries.h"

namespace twinscope {
namespace {

class BarTest : public testing::FilledSeriesChart {
protected:
    BarTest() {
        bars.SetParentChart(&chart);
        bars.SetSeriesColor(clBlue);
    }

    TBarSeries& bars = chart.CreateSeries<TBarSeries>();
};

struct Bar {
    double X;
    double Y;
    TColor Color = clDefault;
};

struct BarCase {
    const char* name;
    std::vector<Bar> points;
    std::function<void(TChart&, TBarSeries&)> setup;
    std::vector<std::string> calls;
};

void Plain(TChart&, TBarSeries&) {}

class BarRows : public BarTest, public ::testing::WithParamInterface<BarCase> {};

TEST_P(BarRows, DrawsTheseCalls) {
    const BarCase& c = GetParam();
    for (const Bar& p : c.points)
        bars.AddPoint(p.X, p.Y, "", p.Color);
    c.setup(chart, bars);
    EXPECT_EQ(Draw(), c.calls);
}

// Points 100 apart (100 pixels) give bars 70 pixels wide, from the base row up.
INSTANTIATE_TEST_SUITE_P(
    Rows, BarRows,
    ::testing::Values(
        BarCase{"SeventyPercentOfTheSmallestSpacing",
                {{100, 50}, {200, 80}, {400, 20, clRed}},
                Plain,
                {"FillRect 211,390,281,440 FF0000", "FillRect 311,360,381,440 FF0000",
                 "FillRect 511,420,581,440 0000FF"}},
        BarCase{"ASetWidthAndBase",
                {{100, 50}, {200, 10}},
                [](TChart&, TBarSeries& b) {
                    b.SetBarWidth(5);
                    b.SetBase(30);
                },
                {"FillRect 243,390,248,410 FF0000", "FillRect 343,410,348,430 FF0000"}},
        BarCase{"GapsAndValuesThatAreNotNumbersDrawNoBar",
                {{100, 50}, {200, 80, clNone}, {300, std::nan("")}, {400, 20}},
                Plain,
                {"FillRect 211,390,281,440 FF0000", "FillRect 511,420,581,440 FF0000"}},
        // 1..1000 over 419 pixels: 10 lies a third of the way up.
        BarCase{"OnALogarithmicAxisBarsStandOnTheMinimum",
                {{100, 10}, {200, 100}},
                [](TChart& chart, TBarSeries&) {
                    chart.LeftAxis().SetMinMax(1, 1000);
                    chart.LeftAxis().SetLogarithmic(true);
                },
                {"FillRect 211,300,281,440 FF0000", "FillRect 311,161,381,440 FF0000"}},
        BarCase{"AVisiblePenOutlinesEachBar",
                {{100, 50}},
                [](TChart&, TBarSeries& b) {
                    b.Pen().Show();
                    b.SetBarWidth(5);
                },
                {"Rectangle 243,390,248,440 FF0000"}},
        BarCase{"TransparencyBlendsTheWholeSeries",
                {{100, 50}, {200, 80}},
                [](TChart&, TBarSeries& b) { b.SetTransparency(40); },
                {"BeginTransparency 145,21,964,440 40", "FillRect 211,390,281,440 FF0000",
                 "FillRect 311,360,381,440 FF0000", "EndTransparency"}}),
    [](const auto& info) { return std::string(info.param.name); });

// Many points to a pixel column: one bar a pixel wide per column, over what the column's bars
// cover together, from its lowest value below the base to its highest.
TEST_F(BarTest, AColumnOfManyPointsDrawsOneBarOverAllOfThem) {
    std::vector<double> xs;
    std::vector<double> ys;
    for (int i = 0; i < 2000; ++i) {
        xs.push_back(100 + i / 1000.0);
        ys.push_back(i == 500 ? -30 : i == 700 ? 90 : 10);
    }
    bars.AppendPoints(xs, ys);
    bars.YValues().SetValueAt(1999, 40);
    chart.LeftAxis().SetMinMax(-100, 319);
    EXPECT_EQ(bars.PointCount(), 2000);
    // Columns 245, 246 and 247: the values 10 (330); -30 (370) and 90 (250); 10 and 40 (300).
    EXPECT_EQ(Draw(), (std::vector<std::string>{
                          "FillRect 245,330,246,340 FF0000", "FillRect 246,250,247,340 FF0000",
                          "FillRect 246,340,247,370 FF0000", "FillRect 247,300,248,340 FF0000"}));
    EXPECT_EQ(bars.ShownBarWidth(), 0);
}

TEST_F(BarTest, AutomaticAxesTakeTheBaseExceptWhenLogarithmic) {
    bars.AddPoint(1, 5);
    bars.AddPoint(2, 8);
    EXPECT_EQ(bars.MinYValue(), 0);
    bars.SetBase(10);
    EXPECT_EQ(bars.MaxYValue(), 10);
    chart.LeftAxis().SetMinMax(1, 100);
    chart.LeftAxis().SetLogarithmic(true);
    EXPECT_EQ(bars.MinYValue(), 5);
    EXPECT_EQ(bars.MaxYValue(), 8);
}

}  // namespace
}  // namespace twinscope
