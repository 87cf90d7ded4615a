#include <ostream>
#include <string>

#include "tests/support/LayoutSteps.h"
#include "tests/support/ChartFixture.h"
#include "twinscope/chart/panel/Chart.h"
#include "twinscope/chart/series/LineSeries.h"

namespace twinscope {

inline void PrintTo(const TBoundSeries& b, std::ostream* os) {
    *os << "{" << b.Minimum << ".." << b.Maximum << (b.DateTime ? ", dates" : "") << ", style "
        << static_cast<int>(b.LabelStyle) << ", indexed " << b.IndexedPoints << "}";
}

namespace {

using testing::ChartFixture;

// Two line series on the chart, `a` and `b`, both empty and bound to the bottom and left axes.
struct TwoSeries {
    TChart& chart;
    TLineSeries& a;
    TLineSeries& b;
};

struct BoundCase {
    const char* name;
    void (*setup)(TwoSeries&);
    TChartAxis& (*axis)(TChart&);
    TBoundSeries expected;
};

TChartAxis& Bottom(TChart& c) {
    return c.BottomAxis();
}
TChartAxis& Left(TChart& c) {
    return c.LeftAxis();
}
TChartAxis& Top(TChart& c) {
    return c.TopAxis();
}

void Points(TLineSeries& s, std::initializer_list<std::pair<double, double>> points) {
    for (const auto& [x, y] : points)
        s.AddPoint(x, y);
}

void Indexed(TLineSeries& s, int count) {
    for (int i = 0; i < count; ++i)
        s.AddValue(10.0 * i);
}

class BoundSeriesRows : public ChartFixture, public ::testing::WithParamInterface<BoundCase> {};

TEST_P(BoundSeriesRows, WhatTheSeriesTellTheirAxis) {
    const BoundCase& c = GetParam();
    TwoSeries s{chart, chart.AddNewSeries<TLineSeries>(), chart.AddNewSeries<TLineSeries>()};
    c.setup(s);
    EXPECT_EQ(chart.BoundSeriesOf(c.axis(chart)), c.expected);
    // The paint's gathering tells the axis the same.
    testing::steps::GatherBoundSeries(chart);
    EXPECT_EQ(chart.AxisPaintOf(c.axis(chart)).Series, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BoundSeriesRows,
    ::testing::Values(
        BoundCase{"EmptySeriesGiveValuesAndNoRange",
                  [](TwoSeries&) {},
                  Bottom,
                  {0, 0, false, talValue, 0}},
        BoundCase{"NoSeriesBoundGivesNoLabels", [](TwoSeries&) {}, Top, {0, 0, false, talNone, 0}},
        BoundCase{"ExtremesSpanBothSeries",
                  [](TwoSeries& s) {
                      Points(s.a, {{2, 5}, {3, -1}});
                      Points(s.b, {{-4, 0.5}, {1, 9}});
                  },
                  Left,
                  {-1, 9, false, talValue, 0}},
        BoundCase{"AnInactiveSeriesTellsNothing",
                  [](TwoSeries& s) {
                      Points(s.a, {{2, 5}, {3, 6}});
                      Points(s.b, {{-4, 100}});
                      s.b.YValues().SetDateTime(true);
                      s.b.SetActive(false);
                  },
                  Left,
                  {5, 6, false, talValue, 0}},
        BoundCase{"FixedEndsLookUpNoExtremes",
                  [](TwoSeries& s) {
                      Points(s.a, {{2, 5}, {3, 6}});
                      s.chart.LeftAxis().SetMinMax(0, 1);
                  },
                  Left,
                  {0, 0, false, talValue, 0}},
        BoundCase{"OnlyTheAutomaticEndIsLookedUp",
                  [](TwoSeries& s) {
                      Points(s.a, {{2, 5}, {3, 6}});
                      s.chart.LeftAxis().SetAutomaticMinimum(false);
                  },
                  Left,
                  {0, 6, false, talValue, 0}},
        BoundCase{"BothHorizontalAxesTakeTheTopToo",
                  [](TwoSeries& s) {
                      Points(s.a, {{7, 1}});
                      s.a.SetHorizAxis(aBothHorizAxis);
                  },
                  Top,
                  {7, 7, false, talValue, 0}},
        BoundCase{"FewestIndexedPoints",
                  [](TwoSeries& s) {
                      Indexed(s.a, 5);
                      Indexed(s.b, 3);
                  },
                  Bottom,
                  {0, 4, false, talValue, 3}},
        BoundCase{"XValuesThatAreNotIndexes",
                  [](TwoSeries& s) {
                      Points(s.a, {{0, 1}, {5, 1}});
                  },
                  Bottom,
                  {0, 5, false, talValue, 0}},
        BoundCase{"NoIndexedPointsOnADateAxis",
                  [](TwoSeries& s) {
                      s.a.AddValue(0);
                      s.a.AddValue(1);
                      s.b.XValues().SetDateTime(true);
                  },
                  Bottom,
                  {0, 1, true, talValue, 0}},
        BoundCase{"NoIndexedPointsWithASetIncrement",
                  [](TwoSeries& s) {
                      s.a.AddValue(0);
                      s.a.AddValue(1);
                      s.chart.BottomAxis().SetIncrement(1);
                  },
                  Bottom,
                  {0, 1, false, talValue, 0}},
        BoundCase{"NoIndexedPointsOnTheAxisOfY",
                  [](TwoSeries& s) {
                      s.a.AddValue(0);
                      s.a.AddValue(1);
                  },
                  Left,
                  {0, 1, false, talValue, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace twinscope
