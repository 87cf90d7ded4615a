#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/ChartFixture.h"
#include "tests/support/ReadoutChart.h"
#include "tests/support/RecordingCanvas.h"
#include "twinscope/chart/panel/Readout.h"
#include "twinscope/chart/panel/ReadoutDrawing.h"
#include "twinscope/chart/series/BandSeries.h"

namespace twinscope {
namespace {

using testing::August1;
using testing::Captions;

class ReadoutTest : public testing::ChartFixture {
public:
    ReadoutTest() {
        chart.SetBounds(965, 518);
        series = &testing::FillReadoutChart(chart);
        celsius = &chart.CustomAxes()[0];
        days = &chart.CustomAxes()[1];
    }
    void LayOut() { chart.LayOut(&measure, {0, 0, 965, 518}); }
    std::int32_t XOf(double date) const {
        return chart.ScaleMapOf(chart.BottomAxis()).ToPixel(date);
    }
    std::int32_t YOf(double f) const { return chart.ScaleMapOf(chart.LeftAxis()).ToPixel(f); }
    TReadout ReadAtDate(double date, double f = 50) {
        LayOut();
        return ReadoutAt(chart, {XOf(date), YOf(f)});
    }

    TChart& Chart() { return chart; }
    TRecordingCanvas measure;
    TLineSeries* series = nullptr;
    TChartAxis* celsius = nullptr;
    TChartAxis* days = nullptr;
};

struct NearestCase {
    const char* name;
    double cursorDate;
    std::int32_t index;
    const char* x;  // the captions, joined by " | "
    const char* y;
};

std::string Joined(const std::vector<TReadoutValue>& values) {
    std::string text;
    for (const std::string& caption : Captions(values))
        text += (text.empty() ? "" : " | ") + caption;
    return text;
}

class NearestPointTest : public ReadoutTest, public ::testing::WithParamInterface<NearestCase> {};

TEST_P(NearestPointTest, ReadsThePointInEveryUnitOfItsAxes) {
    const NearestCase& c = GetParam();
    const TReadout r = ReadAtDate(c.cursorDate);
    ASSERT_EQ(r.Series.size(), 1u);
    const TSeriesReadout& s = r.Series[0];
    EXPECT_EQ(s.Index, c.index);
    EXPECT_EQ(Joined(s.X), c.x);
    EXPECT_EQ(Joined(s.Y), c.y);
    EXPECT_EQ(s.Point, (TPoint{XOf(August1 + c.index), YOf(40 + c.index * 0.5)}));
    EXPECT_EQ(r.CrosshairX, s.Point.X);
    EXPECT_EQ(s.X[1].Axis, days);
    EXPECT_EQ(s.Y[1].Axis, celsius);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, NearestPointTest,
    ::testing::Values(NearestCase{"ALittleAfterAPoint", August1 + 14.3, 14,
                                  "8/15/2024 | day of the year 228", "47 °F | 8.333 °C"},
                      NearestCase{"ALittleBeforeTheNext", August1 + 14.7, 15,
                                  "8/16/2024 | day of the year 229", "47.5 °F | 8.611 °C"},
                      NearestCase{"BeforeTheFirst", August1 - 1.5, 0,
                                  "8/1/2024 | day of the year 214", "40 °F | 4.444 °C"},
                      NearestCase{"AfterTheLast", August1 + 61.5, 59,
                                  "9/29/2024 | day of the year 273", "69.5 °F | 20.833 °C"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReadoutTest, EveryAxisShowsTheValueUnderTheCrosshair) {
    const TReadout r = ReadAtDate(August1 + 14.2, 72.5);
    std::vector<std::string> badges;
    for (const TReadoutValue& b : r.Badges)
        badges.push_back(b.Text);
    // Bottom, left, then the scales; the dates read the point's own X, not its pixel's value.
    EXPECT_EQ(badges, (std::vector<std::string>{"8/15/2024", "72.5", "22.5", "228"}));
    EXPECT_EQ(r.Badges[0].Value, August1 + 14);
    EXPECT_EQ(r.Badges[0].Pixel, XOf(August1 + 14));
    EXPECT_EQ(r.Badges[2].Axis, celsius);
    EXPECT_EQ(r.Badges[2].Pixel, YOf(72.5));
}

struct PrecisionCase {
    const char* name;
    double minimum, maximum;
    double step;  // the power of ten next below what a pixel of the plot (~400 high) is worth
};

class BadgePrecisionTest : public ReadoutTest,
                           public ::testing::WithParamInterface<PrecisionCase> {};

TEST_P(BadgePrecisionTest, ReadsNoMoreThanAPixelTells) {
    const PrecisionCase& c = GetParam();
    chart.LeftAxis().SetMinMax(c.minimum, c.maximum);
    LayOut();
    const TScaleMap& map = chart.ScaleMapOf(chart.LeftAxis());
    for (std::int32_t y = chart.PlotRect().Top; y < chart.PlotRect().Bottom; y += 37) {
        const double badge = ReadoutAt(chart, {chart.PlotCenterX(), y}).Badges.at(1).Value;
        EXPECT_NEAR(badge, map.ToValue(y), c.step / 2 * 1.000001) << y;
        EXPECT_NEAR(badge / c.step, std::round(badge / c.step), 1e-6) << y;
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, BadgePrecisionTest,
                         ::testing::Values(PrecisionCase{"DegreesTenths", 0, 100, 0.1},
                                           PrecisionCase{"ATinyRange", 1e-9, 2e-9, 1e-12}),
                         [](const auto& info) { return std::string(info.param.name); });

struct BandCase {
    const char* name;
    double low, high;
    std::optional<double> fixedLow;
    const char* y;  // the captions joined by " | "; none: the point is a gap
};

class BandReadoutTest : public ReadoutTest, public ::testing::WithParamInterface<BandCase> {};

// A band's point reads as its range, in each unit of its axis, and stands at its high value.
TEST_P(BandReadoutTest, ReadsFromLowToHighInEveryUnit) {
    const BandCase& c = GetParam();
    series->SetActive(false);
    auto& band = chart.AddNewSeries<TBandSeries>();
    band.XValues().SetDateTime(true);
    band.SetTitle("TMIN-TMAX");
    band.AddBand(August1 + 13, 40, 50);
    band.AddBand(August1 + 14, c.low, c.high);
    band.AddBand(August1 + 15, 40, 50);
    band.SetFixedLow(c.fixedLow);
    const TReadout r = ReadAtDate(August1 + 14);
    if (!c.y) {
        EXPECT_TRUE(r.Series.empty());
        return;
    }
    ASSERT_EQ(r.Series.size(), 1u);
    const TSeriesReadout& s = r.Series[0];
    EXPECT_EQ(Joined(s.Y), c.y);
    EXPECT_EQ(s.Point.Y, YOf(c.high));
    ASSERT_EQ(s.Low.size(), 2u);
    EXPECT_EQ(s.Low[0].Value, c.fixedLow.value_or(c.low));
    EXPECT_EQ(s.Low[1].Axis, celsius);
    std::string line = std::string("TMIN-TMAX: ") + c.y;
    line.replace(line.find(" | "), 3, " · ");
    EXPECT_EQ(ReadoutLines(r).at(0).Text, line);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BandReadoutTest,
    ::testing::Values(BandCase{"LowAndHigh", 41, 55, std::nullopt, "41 – 55 °F | 5 – 12.778 °C"},
                      BandCase{"AFixedLow", NAN, 55, 32, "32 – 55 °F | 0 – 12.778 °C"},
                      BandCase{"NoLowIsAGap", NAN, 55, std::nullopt, nullptr},
                      BandCase{"NoHighIsAGap", 41, NAN, std::nullopt, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

struct NothingCase {
    const char* name;
    std::function<void(ReadoutTest&)> before;  // the layout is kept
    std::function<void(ReadoutTest&)> after;
    std::size_t series;
};

void NoChange(ReadoutTest&) {}
void Refill(TLineSeries& s, std::initializer_list<int> days, TColor colourOf20 = clDefault) {
    s.ClearPoints();
    for (int i : days)
        s.AddPoint(August1 + i, 50, "", i == 20 ? colourOf20 : clDefault);
}

class ReadsNothingTest : public ReadoutTest, public ::testing::WithParamInterface<NothingCase> {};

// What the readout finds when the chart changed under it, or has nothing to read: nothing, or
// a point that is there now.
TEST_P(ReadsNothingTest, ShowsNothingOrAPointThatIsThere) {
    const NothingCase& c = GetParam();
    c.before(*this);
    LayOut();
    const TPoint at{XOf(August1 + 20), chart.PlotCenterY()};
    c.after(*this);
    const TReadout r = ReadoutAt(chart, at);
    EXPECT_TRUE(r.Shown);
    ASSERT_EQ(r.Series.size(), c.series);
    for (const TSeriesReadout& s : r.Series) {
        ASSERT_LT(s.Index, s.Series->PointCount());
        EXPECT_EQ(s.Y[0].Value, s.Series->YValues().Value(s.Index));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReadsNothingTest,
    ::testing::Values(
        NothingCase{"AGap", NoChange,
                    [](ReadoutTest& t) { t.series->YValues().SetValueAt(20, NAN); }, 0},
        NothingCase{"APointColouredNone", NoChange,
                    [](ReadoutTest& t) {
                        Refill(*t.series, {19, 20, 21}, clNone);
                    },
                    0},
        NothingCase{"AnEmptySeries", NoChange, [](ReadoutTest& t) { t.series->ClearPoints(); }, 0},
        // The layout still maps the old range: the nearest of the points now there is found.
        NothingCase{"PointsRemovedUnderIt", NoChange,
                    [](ReadoutTest& t) {
                        Refill(*t.series, {0, 1, 2});
                    },
                    1},
        NothingCase{"PointsInNoOrder", NoChange,
                    [](ReadoutTest& t) {
                        t.series->XValues().SetOrder(loNone);
                        Refill(*t.series, {30, 5, 21, 40, 19});
                    },
                    1},
        NothingCase{"AZeroRangeOnTheLeft",
                    [](ReadoutTest& t) { t.Chart().LeftAxis().SetMinMax(50, 50); }, NoChange, 1},
        NothingCase{
            "AZeroRangeAtTheBottom",
            [](ReadoutTest& t) { t.Chart().BottomAxis().SetMinMax(August1 + 20, August1 + 20); },
            NoChange, 1}),
    [](const auto& info) { return std::string(info.param.name); });

struct EdgeCase {
    const char* name;
    TPoint offset;  // from the plot's top-left or, fromFarEdge, its bottom-right corner
    bool fromFarEdge;
    bool shown;
};

class PlotEdgeTest : public ReadoutTest, public ::testing::WithParamInterface<EdgeCase> {};

TEST_P(PlotEdgeTest, ReadsOnlyWithinThePlot) {
    const EdgeCase& c = GetParam();
    LayOut();
    const TRect plot = chart.PlotRect();
    const TPoint corner =
        c.fromFarEdge ? TPoint{plot.Right, plot.Bottom} : TPoint{plot.Left, plot.Top};
    const TReadout r = ReadoutAt(chart, {corner.X + c.offset.X, corner.Y + c.offset.Y});
    EXPECT_EQ(r.Shown, c.shown);
    EXPECT_EQ(r.Series.size(), c.shown ? 1u : 0u);
    EXPECT_EQ(r.Badges.size(), c.shown ? 4u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Rows, PlotEdgeTest,
                         ::testing::Values(EdgeCase{"TopLeftPixel", {0, 0}, false, true},
                                           EdgeCase{"LeftOfIt", {-1, 0}, false, false},
                                           EdgeCase{"BottomRightPixel", {-1, -1}, true, true},
                                           EdgeCase{"FarOutside", {-40000, 40000}, true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace twinscope
