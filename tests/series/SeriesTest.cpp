#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/runtime/Exceptions.h"
#include "tests/support/LayoutSteps.h"
#include "tests/support/ChartFixture.h"
#include "tests/support/Expect.h"

namespace twinscope {
namespace {

using testing::ChartFixture;

TEST(SeriesPointsTest, ColoursAreStoredOnlyOnceAPointCarriesOne) {
    TLineSeries series;
    for (int i = 0; i < 10; ++i)
        series.AddValue(i);
    EXPECT_FALSE(series.HasPointColors());
    series.AddPoint(4.5, 1, "", clRed);
    ASSERT_TRUE(series.HasPointColors());
    EXPECT_EQ(series.PointCount(), 11);
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(series.StoredColor(i), i == 5 ? clRed : clDefault);
    EXPECT_EQ(series.StoredColor(99), clDefault);
}

TEST(SeriesPointsTest, LabelsAreStoredOnlyOnceAPointCarriesOne) {
    TLineSeries series;
    series.AddValue(1);
    series.AddValue(2);
    EXPECT_TRUE(series.Labels().empty());
    series.AddValue(3, "three");
    series.AddValue(4);
    EXPECT_EQ(series.Labels(), (std::vector<std::string>{"", "", "three", ""}));
    EXPECT_EQ(series.Label(2), "three");
}

TEST(SeriesPointsTest, GapsAreClNonePoints) {
    TLineSeries series;
    series.AddValue(1);
    series.AddGap();
    series.AddGapPoint(5, 7);
    EXPECT_FALSE(series.IsGap(0));
    EXPECT_TRUE(series.IsGap(1));
    EXPECT_TRUE(series.IsGap(2));
    EXPECT_EQ(series.YValues()[1], 0);
}

TEST(SeriesPointsTest, ExtremesOfYSkipGapsUnlessIgnored) {
    TLineSeries series;
    series.AddValue(5);
    series.AddPoint(1, 100, "", clNone);
    series.AddValue(-2);
    EXPECT_EQ(series.MaxYValue(), 5);
    EXPECT_EQ(series.MinYValue(), -2);
    series.SetTreatNulls(tnIgnore);
    EXPECT_EQ(series.MaxYValue(), 100);
    TLineSeries onlyGaps;
    onlyGaps.AddGap();
    EXPECT_EQ(onlyGaps.MaxYValue(), 0);
}

TEST(SeriesPointsTest, KeptExtremesOfDrawnPointsFollowEveryChange) {
    TLineSeries series;
    series.AddValue(5);
    series.AddPoint(1, 100, "", clNone);
    series.AddValue(-2);
    EXPECT_EQ(series.MaxYValue(), 5);
    series.YValues().SetValueAt(0, 6);
    EXPECT_EQ(series.MaxYValue(), 6);
    series.RemovePoint(1);  // the gap
    series.AddPoint(0.5, 50);
    EXPECT_EQ(series.MaxYValue(), 50);
    series.AddPoint(0.7, 70, "", clNone);
    EXPECT_EQ(series.MaxYValue(), 50);
    series.RemovePoint(0);
    EXPECT_EQ(series.MaxYValue(), 50);
    EXPECT_EQ(series.MinYValue(), -2);
    const double xs[] = {10, 11};
    const double ys[] = {-9, 99};
    series.AppendPoints(xs, ys);
    EXPECT_EQ(series.MinYValue(), -9);
    EXPECT_EQ(series.MaxYValue(), 99);
    series.SetSeriesColor(clNone);  // every point becomes a gap
    EXPECT_EQ(series.MaxYValue(), 0);
    series.SetSeriesColor(clRed);
    EXPECT_EQ(series.MaxYValue(), 99);
    series.ClearPoints();
    series.AddValue(3);
    EXPECT_EQ(series.MaxYValue(), 3);
}

// Values that are not a number have no place on an axis: the extremes pass over them, and a
// series of nothing else has the extremes of none ("0 when there is none"); so has a series
// whose colour makes every point a gap.
struct ExtremesCase {
    const char* name;
    std::vector<double> ys;
    TColor seriesColour;
    double max, min;
};

class SeriesExtremesRows : public ::testing::TestWithParam<ExtremesCase> {};

TEST_P(SeriesExtremesRows, LargestAndSmallestY) {
    const ExtremesCase& c = GetParam();
    TLineSeries series;
    series.SetSeriesColor(c.seriesColour);
    for (double y : c.ys)
        series.AddValue(y);
    EXPECT_EQ(series.MaxYValue(), c.max);
    EXPECT_EQ(series.MinYValue(), c.min);
}

const double NaN = std::nan("");

INSTANTIATE_TEST_SUITE_P(
    Rows, SeriesExtremesRows,
    ::testing::Values(ExtremesCase{"NotANumberFirst", {NaN, 4, -1}, clRed, 4, -1},
                      ExtremesCase{"NotANumberInTheMiddle", {3, NaN, 7}, clRed, 7, 3},
                      ExtremesCase{"NotANumberLast", {3, 7, NaN}, clRed, 7, 3},
                      ExtremesCase{"NothingButNotANumber", {NaN, NaN}, clRed, 0, 0},
                      ExtremesCase{"SeriesColourNoneMakesEveryPointAGap", {5, -2}, clNone, 0, 0}),
    [](const ::testing::TestParamInfo<ExtremesCase>& info) { return info.param.name; });

TEST(SeriesPointsTest, SortingWithFewerLabelsThanPointsKeepsEachLabelWithItsPoint) {
    TLineSeries series;
    for (int i = 1; i <= 40; ++i)
        series.AddPoint(i, i);
    // Labels start with the first point that has one, here inserted in front of the others.
    series.AddPoint(0.5, 99, "first");
    series.AddPoint(0.7, 98, "", clBlue);
    ASSERT_EQ(series.Labels().size(), 2u);
    series.XValues().SetOrder(loDescending);
    series.XValues().SortValues();
    EXPECT_EQ(series.XValues()[41], 0.5);
    EXPECT_EQ(series.YValues()[41], 99);
    EXPECT_EQ(series.Label(41), "first");
    EXPECT_EQ(series.Label(0), "");
    EXPECT_EQ(series.YValues()[0], 40);
    EXPECT_EQ(series.StoredColor(40), clBlue);
    EXPECT_EQ(series.StoredColor(0), clDefault);
}

TEST(SeriesPointsTest, RemovePointOutsideThePointsIsRefused) {
    TLineSeries series;
    for (int i = 0; i < 3; ++i)
        series.AddValue(i, "p", clBlue);
    EXPECT_THROW_MSG(series.RemovePoint(3), RuntimeError,
                     "Series Delete: ValueIndex 3 out of bounds (0 to 2).");
    EXPECT_THROW_MSG(series.RemovePoint(-1), RuntimeError,
                     "Series Delete: ValueIndex -1 out of bounds (0 to 2).");
    EXPECT_EQ(series.PointCount(), 3);
    series.RemovePoint(1);
    EXPECT_EQ(series.PointCount(), 2);
    EXPECT_EQ(series.XValues()[1], 2);
    EXPECT_EQ(series.Labels().size(), 2u);
    TLineSeries empty;
    EXPECT_THROW_MSG(empty.RemovePoint(0), RuntimeError,
                     "Series Delete: ValueIndex 0 out of bounds (0 to -1).");
}

TEST(SeriesPointsTest, OnBeforeAddCanRefuseAPoint) {
    TLineSeries series;
    series.OnBeforeAdd = [](TChartSeries& s) { return s.YValues().StagedValue() >= 0; };
    EXPECT_EQ(series.AddValue(1), 0);
    EXPECT_EQ(series.AddValue(-1), -1);
    EXPECT_EQ(series.PointCount(), 1);
}

TEST(SeriesPointsTest, DependentsHearEveryKindOfChange) {
    TLineSeries series;
    std::vector<std::pair<TNotifyCode, int>> heard;
    series.AddDependent([&](TChartSeries&, TNotifyCode code, std::int32_t index) {
        heard.push_back({code, index});
    });
    int afterAdds = 0;
    series.OnAfterAdd = [&](TChartSeries&, std::int32_t) { ++afterAdds; };
    series.AddValue(1);
    series.AddValue(2);
    series.YValues().Highest();  // fresh statistics: the removal marks them changed once
    series.RemovePoint(0);
    series.YValues().SetValueAt(0, 9);
    series.BeginBatch();
    series.BeginBatch();
    series.AddValue(3);
    series.EndBatch();
    series.EndBatch();
    series.EndBatch();  // unbalanced: ignored
    series.ClearPoints();
    const std::vector<std::pair<TNotifyCode, int>> expected{
        {NotifyAdded, 0},        {NotifyAdded, 1},     {NotifyValueChanged, -1}, {NotifyRemoved, 0},
        {NotifyValueChanged, 0}, {NotifyRefreshed, 0}, {NotifyCleared, 0}};
    EXPECT_EQ(heard, expected);
    EXPECT_EQ(afterAdds, 2);
}

TEST(SeriesPointsTest, BulkAppendEqualsPointByPointAdding) {
    const std::vector<double> xs{1, 2, 2, 5, 8};
    const std::vector<double> ys{10, 20, 21, 50, 80};
    TLineSeries bulk;
    bulk.AddPoint(0, 0, "", clRed);
    bulk.AppendPoints(xs, ys);
    TLineSeries single;
    single.AddPoint(0, 0, "", clRed);
    for (std::size_t i = 0; i < xs.size(); ++i)
        single.AddPoint(xs[i], ys[i]);
    EXPECT_EQ(bulk.XValues().Values().size(), 6u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(bulk.XValues()[i], single.XValues()[i]);
        EXPECT_EQ(bulk.YValues()[i], single.YValues()[i]);
        EXPECT_EQ(bulk.StoredColor(i), single.StoredColor(i));
    }
    EXPECT_EQ(bulk.YValues().Highest(), 80);
}

TEST(SeriesPointsTest, BulkAppendOutOfOrderStillSorts) {
    TLineSeries series;
    const std::vector<double> xs{3, 1, 2};
    const std::vector<double> ys{30, 10, 20};
    series.AppendPoints(xs, ys);
    EXPECT_EQ(series.XValues()[0], 1);
    EXPECT_EQ(series.YValues()[2], 30);
    const std::vector<double> one{1};
    EXPECT_THROW(series.AppendPoints(one, ys), RuntimeError);
}

TEST_F(ChartFixture, JoiningTakesTheNextFreePaletteColourAndRepaints) {
    std::vector<TChartSeriesEvent> events;
    chart.AddSeriesListener([&](TChartSeriesEvent e, TChartSeries&) { events.push_back(e); });
    auto& first = chart.CreateSeries<TLineSeries>();
    auto& second = chart.CreateSeries<TLineSeries>();
    EXPECT_EQ(RepaintsDuring([&] { first.SetParentChart(&chart); }), 1);
    second.SetParentChart(&chart);
    EXPECT_EQ(first.SeriesColor(), 0xA36644u);
    EXPECT_EQ(second.SeriesColor(), 0x359CF3u);
    EXPECT_EQ(chart.SeriesCount(), 2u);
    EXPECT_EQ(events, (std::vector<TChartSeriesEvent>{seChangeColor, seAdd, seChangeColor, seAdd}));
    EXPECT_EQ(first.ResolvedHorizAxis(), &chart.BottomAxis());
    EXPECT_EQ(first.ResolvedVertAxis(), &chart.LeftAxis());
    EXPECT_EQ(second.DisplayName(), "Series2");
    second.SetName("seriesActualData");
    EXPECT_EQ(second.DisplayName(), "seriesActualData");
}

TEST_F(ChartFixture, AnAlreadyListedSeriesJoinsSilently) {
    int events = 0;
    chart.AddSeriesListener([&](TChartSeriesEvent, TChartSeries&) { ++events; });
    auto& series = chart.CreateSeries<TLineSeries>();
    chart.ListSilently(series);
    EXPECT_EQ(RepaintsDuring([&] { series.SetParentChart(&chart); }), 0);
    EXPECT_EQ(chart.SeriesCount(), 1u);
    EXPECT_EQ(series.ParentChart(), &chart);
    EXPECT_EQ(series.StoredSeriesColor(), clDefault);
    EXPECT_EQ(series.SeriesColor(), clDefault);
    EXPECT_EQ(series.ResolvedVertAxis(), nullptr);
    EXPECT_EQ(events, 0);
}

TEST_F(ChartFixture, SeriesColourReadsBackWhatWasSet) {
    auto& series = chart.CreateSeries<TLineSeries>();
    series.SetParentChart(&chart);
    series.SetSeriesColor(chart.Color());
    EXPECT_EQ(series.SeriesColor(), clBtnFace);
    series.SetSeriesColor(clDefault);
    EXPECT_EQ(series.SeriesColor(), 0xA36644u);
}

TEST_F(ChartFixture, LeavingTheChartRemovesTheSeriesFromTheList) {
    std::vector<TChartSeriesEvent> events;
    chart.AddSeriesListener([&](TChartSeriesEvent e, TChartSeries&) { events.push_back(e); });
    auto& series = chart.CreateSeries<TLineSeries>();
    series.SetSeriesColor(clRed);
    series.SetParentChart(&chart);
    events.clear();
    series.SetParentChart(nullptr);
    EXPECT_EQ(chart.SeriesCount(), 0u);
    EXPECT_EQ(events, (std::vector<TChartSeriesEvent>{seRemove, seRemoved}));
    EXPECT_EQ(series.ResolvedHorizAxis(), nullptr);
    chart.FreeSeries(series);
}

TEST_F(ChartFixture, CustomAxisBindingAndRebindingWhenTheAxisIsFreed) {
    auto& series = chart.CreateSeries<TLineSeries>();
    series.SetParentChart(&chart);
    TChartAxis& vertical = chart.CustomAxes().Add();
    TChartAxis& horizontal = chart.CustomAxes().Add();
    horizontal.SetHorizontal(true);
    series.BindCustomVertAxis(&vertical);
    series.BindCustomHorizAxis(&horizontal);
    EXPECT_EQ(series.VertAxis(), aCustomVertAxis);
    EXPECT_EQ(series.ResolvedVertAxis(), &vertical);
    EXPECT_EQ(series.ResolvedHorizAxis(), &horizontal);

    chart.CustomAxes().Remove(vertical);
    EXPECT_EQ(series.VertAxis(), aLeftAxis);
    EXPECT_EQ(series.CustomVertAxis(), nullptr);
    EXPECT_EQ(series.ResolvedVertAxis(), &chart.LeftAxis());
    EXPECT_EQ(series.ResolvedHorizAxis(), &horizontal);

    series.BindCustomHorizAxis(nullptr);
    EXPECT_EQ(series.HorizAxis(), aBottomAxis);
    EXPECT_EQ(series.ResolvedHorizAxis(), &chart.BottomAxis());

    // Freed while the series is away from the chart: the series lets go when it is back.
    series.BindCustomHorizAxis(&horizontal);
    series.BindCustomVertAxis(&chart.CustomAxes().Add());
    series.SetParentChart(nullptr);
    chart.CustomAxes().Clear();
    EXPECT_EQ(series.CustomVertAxis(), nullptr);
    EXPECT_EQ(series.CustomHorizAxis(), nullptr);
    series.SetParentChart(&chart);
    EXPECT_EQ(series.VertAxis(), aLeftAxis);
    EXPECT_EQ(series.HorizAxis(), aBottomAxis);
    EXPECT_EQ(series.ResolvedVertAxis(), &chart.LeftAxis());
    EXPECT_EQ(series.ResolvedHorizAxis(), &chart.BottomAxis());
}

TEST_F(ChartFixture, StandardAxisSettingKeepsACustomBindingOnlyWhileLoading) {
    auto& series = chart.CreateSeries<TLineSeries>();
    series.SetParentChart(&chart);
    TChartAxis& axis = chart.CustomAxes().Add();
    series.BindCustomVertAxis(&axis);
    series.SetLoadingFromStream(true);
    series.SetVertAxis(aRightAxis);
    EXPECT_EQ(series.CustomVertAxis(), &axis);
    series.SetLoadingFromStream(false);
    series.SetVertAxis(aLeftAxis);
    EXPECT_EQ(series.CustomVertAxis(), nullptr);
}

TEST_F(ChartFixture, AutomaticAxesTakeTheExtremesOfTheirActiveSeries) {
    auto& a = chart.CreateSeries<TLineSeries>();
    auto& b = chart.CreateSeries<TLineSeries>();
    auto& inactive = chart.CreateSeries<TLineSeries>();
    for (auto* s : {&a, &b, &inactive})
        s->SetParentChart(&chart);
    a.AddPoint(10, 5);
    a.AddPoint(20, 7);
    b.AddPoint(15, -3);
    inactive.AddPoint(100, 100);
    inactive.SetActive(false);
    testing::steps::PrepareAxisRange(chart, chart.LeftAxis());
    testing::steps::PrepareAxisRange(chart, chart.BottomAxis());
    EXPECT_EQ(chart.ScaleMapOf(chart.LeftAxis()).Minimum(), -3);
    EXPECT_EQ(chart.ScaleMapOf(chart.LeftAxis()).Maximum(), 7);
    EXPECT_EQ(chart.ScaleMapOf(chart.BottomAxis()).Minimum(), 10);
    EXPECT_EQ(chart.ScaleMapOf(chart.BottomAxis()).Maximum(), 20);
    testing::steps::PrepareAxisRange(chart, chart.RightAxis());
    EXPECT_EQ(chart.ScaleMapOf(chart.RightAxis()).Maximum(), 0);
    b.SetVertAxis(aBothVertAxis);
    testing::steps::PrepareAxisRange(chart, chart.RightAxis());
    EXPECT_EQ(chart.ScaleMapOf(chart.RightAxis()).Minimum(), -3);
}

class ShownRangeTest : public ChartFixture {
protected:
    void SetUp() override {
        series.SetParentChart(&chart);
        for (int x = 0; x <= 10; ++x)
            series.AddPoint(x, 50);
        chart.BottomAxis().SetAutomatic(false);
        chart.BottomAxis().SetMaximum(8.5);
        chart.BottomAxis().SetMinimum(2.5);
        chart.LeftAxis().SetAutomatic(false);
        chart.LeftAxis().SetMaximum(100);
        testing::steps::StartLayout(chart, TRect{0, 0, 400, 250});
        testing::steps::FitAxesIntoPlot(chart);
    }
    TLineSeries& series = chart.CreateSeries<TLineSeries>();
};

TEST_F(ShownRangeTest, RunsFromTheFirstPointInsideToTheFirstPointBeyondAndWidens) {
    series.Pointer().HorizSize = 0;
    series.Pointer().VertSize = 0;
    series.ComputeShownRange();
    EXPECT_EQ(series.FirstShownIndex(), 3);
    EXPECT_EQ(series.LastShownIndex(), 9);
}

TEST_F(ShownRangeTest, MarkersTouchingThePlotWidenTheRange) {
    // Each X unit is about 60 pixels; a 100-pixel marker reaches one more point each side.
    series.Pointer().HorizSize = 100;
    series.ComputeShownRange();
    EXPECT_EQ(series.FirstShownIndex(), 1);
    EXPECT_EQ(series.LastShownIndex(), 10);
}

TEST_F(ShownRangeTest, NothingShownWhenEveryPointIsBelowTheRange) {
    chart.BottomAxis().SetMaximum(30);
    chart.BottomAxis().SetMinimum(20);
    testing::steps::FitAxesIntoPlot(chart);
    series.ComputeShownRange();
    EXPECT_EQ(series.FirstShownIndex(), -1);
    EXPECT_EQ(series.LastShownIndex(), -1);
}

TEST_F(ShownRangeTest, SearchedRangeMatchesAWalkOverRepeatedValues) {
    series.Pointer().HorizSize = 0;
    series.Pointer().VertSize = 0;
    series.ClearPoints();
    for (int i = 0; i < 300; ++i)
        series.AddPoint(i / 3, 50);  // each X value three times
    for (double lo = -5; lo < 105; lo += 0.75) {
        chart.BottomAxis().SetMinMax(lo, lo + 7.3);
        testing::steps::FitAxesIntoPlot(chart);
        const TScaleMap& map = chart.ScaleMapOf(chart.BottomAxis());
        const double from = map.ToValue(chart.PlotRect().Left);
        const double to = map.ToValue(chart.PlotRect().Right);
        std::int32_t first = 0;
        while (first < 300 && series.XValues()[first] < from)
            ++first;
        std::int32_t last = first;
        while (last < 299 && series.XValues()[last] < to)
            ++last;
        while (last < 299 && series.XValues()[last + 1] == series.XValues()[last])
            ++last;
        while (first > 0 && series.XValues()[first - 1] == series.XValues()[first])
            --first;
        series.ComputeShownRange();
        if (first == 300) {
            EXPECT_EQ(series.FirstShownIndex(), -1) << lo;
            continue;
        }
        EXPECT_EQ(series.FirstShownIndex(), first) << lo;
        EXPECT_EQ(series.LastShownIndex(), last) << lo;
    }
}

TEST_F(ShownRangeTest, UnorderedSeriesShowEveryPoint) {
    series.XValues().SetOrder(loNone);
    series.ComputeShownRange();
    EXPECT_EQ(series.FirstShownIndex(), 0);
    EXPECT_EQ(series.LastShownIndex(), 10);
}

}  // namespace
}  // namespace twinscope
