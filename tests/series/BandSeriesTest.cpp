#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "tests/series/FilledSeriesChart.h"
#include "tests/support/Expect.h"
#include "twinscope/chart/series/BandSeries.h"
#include "twinscope/runtime/Exceptions.h"

namespace twinscope {
namespace {

const double NotANumber = std::nan("");

class BandTest : public testing::FilledSeriesChart {
protected:
    BandTest() {
        band.SetParentChart(&chart);
        band.SetSeriesColor(clRed);
    }

    TBandSeries& band = chart.CreateSeries<TBandSeries>();
};

struct Band {
    double X;
    double Low;
    double High;
    TColor Color = clDefault;
};

struct BandCase {
    const char* name;
    std::vector<Band> points;
    std::function<void(TChart&, TBandSeries&)> setup;
    std::vector<std::string> calls;
};

void Plain(TChart&, TBandSeries&) {}
void NoEdges(TChart&, TBandSeries& band) {
    band.SetShowEdges(false);
}

class BandRows : public BandTest, public ::testing::WithParamInterface<BandCase> {};

TEST_P(BandRows, DrawsTheseCalls) {
    const BandCase& c = GetParam();
    for (const Band& p : c.points)
        band.AddBand(p.X, p.Low, p.High, "", p.Color);
    c.setup(chart, band);
    EXPECT_EQ(Draw(), c.calls);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BandRows,
    ::testing::Values(
        BandCase{"TranslucentAreaThenBothEdges",
                 {{100, 10, 50}, {200, 20, 80}},
                 Plain,
                 {"BeginTransparency 245,360,346,431 60", "Polygon 245,390 345,360 345,420 245,430",
                  "EndTransparency", "Polyline 245,390 345,360", "Polyline 245,430 345,420"}},
        BandCase{"OnePointIsNoArea", {{100, 10, 50}}, Plain, {}},
        BandCase{"AFixedLowTakesThePlaceOfTheLowValues",
                 {{100, 10, 50}, {200, 20, 80}},
                 [](TChart&, TBandSeries& b) {
                     b.SetFixedLow(0);
                     b.SetShowEdges(false);
                 },
                 {"BeginTransparency 245,360,346,441 60", "Polygon 245,390 345,360 345,440 245,440",
                  "EndTransparency"}},
        // A value that is not a number, or a point coloured clNone, ends one piece and the
        // next piece starts after it: nothing joins across it.
        BandCase{"NotANumberBreaksTheBand",
                 {{100, 10, 50}, {200, 20, 80}, {300, NotANumber, 60}, {400, 0, 70}, {500, 5, 90}},
                 NoEdges,
                 {"BeginTransparency 245,350,646,441 60", "Polygon 245,390 345,360 345,420 245,430",
                  "Polygon 545,370 645,350 645,435 545,440", "EndTransparency"}},
        BandCase{"AGapBreaksTheBand",
                 {{100, 10, 50}, {200, 20, 80}, {300, 0, 60, clNone}, {400, 0, 70}},
                 NoEdges,
                 {"BeginTransparency 245,360,346,431 60", "Polygon 245,390 345,360 345,420 245,430",
                  "EndTransparency"}},
        // The band from (-100: 0..100) to (100: 100..200) is at 50..150 on the left edge.
        BandCase{"APointBeforeThePlotGivesTheBandAtTheEdge",
                 {{-100, 0, 100}, {100, 100, 200}},
                 NoEdges,
                 {"BeginTransparency 145,240,246,391 60", "Polygon 145,290 245,240 245,340 145,390",
                  "EndTransparency"}},
        BandCase{"OffTheCanvasSpansTheBandWithinThePlot",
                 {{-1e9, 0, 100}, {1e9, 0, 100}},
                 NoEdges,
                 {"BeginTransparency 145,340,965,441 60", "Polygon 145,340 964,340 964,440 145,440",
                  "EndTransparency"}},
        BandCase{"AHiddenPenDrawsNoEdgesAndTheTransparenciesAddUp",
                 {{100, 10, 50}, {200, 20, 80}},
                 [](TChart&, TBandSeries& b) {
                     b.Pen().Hide();
                     b.SetFillTransparency(30);
                     b.SetTransparency(50);
                 },
                 // 70 % of the fill seen, of which half: 35 %.
                 {"BeginTransparency 245,360,346,431 65", "Polygon 245,390 345,360 345,420 245,430",
                  "EndTransparency"}}),
    [](const auto& info) { return std::string(info.param.name); });

// Many points in one pixel column: the area there spans the lowest low to the highest high,
// whichever points hold them.
TEST_F(BandTest, AColumnOfManyPointsSpansItsLowestLowToItsHighestHigh) {
    band.SetShowEdges(false);
    const std::vector<double> xs = {100, 100.1, 100.2, 100.3, 200};
    const std::vector<double> lows = {30, 10, 40, 35, 20};
    const std::vector<double> highs = {50, 60, 90, 55, 80};
    band.AppendBand(xs, lows, highs);
    EXPECT_EQ(Draw(), (std::vector<std::string>{"BeginTransparency 245,350,346,431 60",
                                                "Polygon 245,350 345,360 345,420 245,430",
                                                "EndTransparency"}));
}

// Only columns of many points side by side: each column is filled on its own.
TEST_F(BandTest, NeighbouringColumnsOfManyPointsAreFilledColumnByColumn) {
    band.SetShowEdges(false);
    std::vector<double> xs;
    std::vector<double> lows;
    std::vector<double> highs;
    for (int i = 0; i < 2000; ++i) {
        xs.push_back(100 + i / 1000.0);
        lows.push_back(i == 700 ? 5 : 10);
        highs.push_back(i == 1500 ? 90 : 50);
    }
    band.AppendBand(xs, lows, highs);
    // Columns 245 (10..50), 246 (5..90: 101.5 lies at 246.5, which rounds to even) and 247.
    EXPECT_EQ(Draw(), (std::vector<std::string>{
                          "BeginTransparency 245,350,248,436 60", "FillRect 245,390,246,431 0000FF",
                          "FillRect 246,350,247,436 0000FF", "FillRect 247,390,248,431 0000FF",
                          "EndTransparency"}));
}

TEST_F(BandTest, AColumnHoldingABreakIsDrawnPointByPoint) {
    band.SetShowEdges(false);
    const std::vector<double> xs = {100, 100.1, 100.2, 100.3, 200};
    const std::vector<double> lows = {30, 10, NotANumber, 35, 20};
    const std::vector<double> highs = {50, 60, 90, 55, 80};
    band.AppendBand(xs, lows, highs);
    EXPECT_EQ(Draw(),
              (std::vector<std::string>{
                  "BeginTransparency 245,360,346,431 60", "Polygon 245,390 245,380 245,430 245,410",
                  "Polygon 245,385 345,360 345,420 245,405", "EndTransparency"}));
}

TEST_F(BandTest, AppendRefusesListsOfDifferentLengthsOrXOutOfOrder) {
    const std::vector<double> three = {1, 2, 3};
    const std::vector<double> two = {1, 2};
    const std::vector<double> disordered = {1, 3, 2};
    EXPECT_THROW_MSG(band.AppendBand(three, two, three), RuntimeError,
                     "Band append: 3 X values, 2 low values and 3 high values");
    EXPECT_THROW_MSG(band.AppendBand(disordered, three, three), RuntimeError,
                     "Band append: the X value at index 2 is below the one before it");
    band.AppendBand(three, three, three);
    EXPECT_THROW_MSG(band.AppendBand(two, two, two), RuntimeError,
                     "Band append: the X value at index 0 is below the one before it");
    EXPECT_EQ(band.PointCount(), 3);
}

// Automatic axes take both edges of the band, or the fixed low.
TEST_F(BandTest, TheExtremesTakeBothLists) {
    band.AddBand(1, -5, 10);
    band.AddBand(2, 3, 20);
    band.AddBand(3, NotANumber, 15);
    EXPECT_EQ(band.MinYValue(), -5);
    EXPECT_EQ(band.MaxYValue(), 20);
    band.SetFixedLow(100);
    EXPECT_EQ(band.MinYValue(), 10);
    EXPECT_EQ(band.MaxYValue(), 100);
}

// Out-of-order points are placed by X with their low values; a window keeps the newest.
TEST_F(BandTest, LowValuesMoveWithTheirPoints) {
    band.AddBand(3, 30, 300);
    band.AddBand(1, 10, 100);
    band.AddPoint(2, 200);
    band.SetKeepLast(2);
    ASSERT_EQ(band.PointCount(), 2);
    EXPECT_EQ(band.XValues()[0], 2);
    EXPECT_TRUE(std::isnan(band.LowValues()[0]));
    EXPECT_EQ(band.LowValues()[1], 30);
    EXPECT_EQ(band.HighValues()[1], 300);
}

}  // namespace
}  // namespace twinscope
