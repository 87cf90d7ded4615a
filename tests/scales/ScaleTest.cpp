#include <cmath>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/LayoutSteps.h"
#include "tests/support/ChartFixture.h"
#include "tests/support/Expect.h"
#include "tests/support/HeapInUse.h"
#include "tests/support/RecordingCanvas.h"
#include "twinscope/chart/axes/AxisGeometry.h"
#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/runtime/DateTime.h"
#include "twinscope/runtime/Exceptions.h"
#include "twinscope/scales/ScaleManager.h"

namespace twinscope {
namespace {

using testing::ChartFixture;

class ScaleTest : public ChartFixture {
protected:
    void SetFahrenheit(double minimum, double maximum) {
        TChartAxis& left = chart.LeftAxis();
        left.SetAutomatic(false);
        left.SetMinMax(minimum, maximum);
    }
    void SetDates(double begin, double end) {
        TChartAxis& bottom = chart.BottomAxis();
        bottom.SetAutomatic(false);
        bottom.SetMinMax(begin, end);
    }
    TLineSeries& CompanionOf(const TChartAxis& scale) {
        for (TChartSeries* s : chart.SeriesList()) {
            if (s->CustomVertAxis() == &scale || s->CustomHorizAxis() == &scale) {
                return static_cast<TLineSeries&>(*s);
            }
        }
        throw std::logic_error("no companion series");
    }
};

TEST(CelsiusTest, ConversionIsExactToTheLastBit) {
    const double minus160Ninths = -160.0 / 9.0;  // correctly rounded: the nearest double
    EXPECT_EQ(tLeftCelsiusScale::CelsiusFromFahrenheit(0), minus160Ninths);
    EXPECT_EQ(tLeftCelsiusScale::CelsiusFromFahrenheit(0), -17.777777777777779);
    EXPECT_EQ(tLeftCelsiusScale::CelsiusFromFahrenheit(100), 340.0 / 9.0);
    EXPECT_EQ(tLeftCelsiusScale::CelsiusFromFahrenheit(100), 37.777777777777779);
    EXPECT_EQ(tLeftCelsiusScale::CelsiusFromFahrenheit(32), 0.0);
    EXPECT_FALSE(std::signbit(tLeftCelsiusScale::CelsiusFromFahrenheit(32)));
    EXPECT_EQ(tLeftCelsiusScale::CelsiusFromFahrenheit(212), 100.0);
    EXPECT_EQ(tLeftCelsiusScale::CelsiusFromFahrenheit(-40), -40.0);
}

TEST(DayOfTheYearTest, CountsFromTheFirstOfJanuary) {
    using S = tBottomDayOfTheYearScale;
    EXPECT_EQ(S::DayOfTheYearFromDate(EncodeDate(2024, 2, 29)), 60);
    EXPECT_EQ(S::DayOfTheYearFromDate(EncodeDate(2023, 3, 1)), 60);
    EXPECT_EQ(S::DayOfTheYearFromDate(EncodeDate(2024, 12, 31) + 23.0 / 24), 366);
    EXPECT_EQ(S::DayOfTheYearFromDate(45505.60522789352), 214);  // 1 August 2024 14:31
    EXPECT_EQ(S::DayOfTheYearFromDate(45565.60543462963), 274);  // 30 September 2024 14:31
}

TEST_F(ScaleTest, CelsiusScaleFollowsTheFahrenheitAxis) {
    SetFahrenheit(0, 100);
    auto celsius = CreateOwnedAxis<tLeftCelsiusScale>(chart);
    EXPECT_EQ(celsius->Minimum(), -17.777777777777779);
    EXPECT_EQ(celsius->Maximum(), 37.777777777777779);
    EXPECT_EQ(celsius->Increment(), 10);

    SetFahrenheit(40, 80);
    celsius->FollowMaster();
    EXPECT_NEAR(celsius->Minimum(), 4.44, 0.005);
    EXPECT_NEAR(celsius->Maximum(), 26.67, 0.005);
    EXPECT_EQ(celsius->Increment(), 2);
}

TEST_F(ScaleTest, CelsiusScaleStylesItselfAndTheFahrenheitAxis) {
    auto celsius = CreateOwnedAxis<tLeftCelsiusScale>(chart);
    TChartAxis& left = chart.LeftAxis();
    EXPECT_EQ(left.Axis().Color(), clRed);
    EXPECT_EQ(left.Grid().Color(), clRed);
    EXPECT_EQ(left.LabelsFont().Color(), clRed);
    EXPECT_EQ(left.LabelsFont().Size(), 12);
    EXPECT_EQ(left.Title().Caption(), "°F");
    EXPECT_EQ(left.Title().Angle(), 0);
    EXPECT_EQ(left.Title().Font().Size(), 14);
    EXPECT_EQ(left.Title().Font().Style(), fsBold);
    EXPECT_EQ(left.Title().Font().Color(), clRed);

    EXPECT_EQ(celsius->Axis().Color(), clBlue);
    EXPECT_EQ(celsius->Title().Caption(), "°C");
    EXPECT_EQ(celsius->Title().Angle(), 0);  // "°C" has two characters
    EXPECT_FALSE(celsius->Grid().Visible());
    EXPECT_TRUE(left.Grid().Visible());
    EXPECT_FALSE(celsius->Horizontal());
    EXPECT_EQ(celsius->PositionUnits(), muPercent);
    EXPECT_EQ(celsius->PositionPercent(), -13);
    EXPECT_EQ(celsius->NearPositionPercent(), -1);
    EXPECT_EQ(&celsius->MasterAxis(), &chart.LeftAxis());
    EXPECT_FALSE(celsius->Automatic() || celsius->AutomaticMinimum() ||
                 celsius->AutomaticMaximum());
}

TEST_F(ScaleTest, DayOfYearScaleOverTheWholeOf2024) {
    SetDates(EncodeDate(2024, 1, 1), EncodeDate(2024, 12, 31) + 23.0 / 24);
    auto days = CreateOwnedAxis<tBottomDayOfTheYearScale>(chart);
    EXPECT_EQ(days->Minimum(), 1);
    EXPECT_EQ(days->Maximum(), 366);
    EXPECT_EQ(days->Increment(), 50);
    EXPECT_TRUE(days->Horizontal());
    EXPECT_EQ(days->PositionPercent(), -12);
    EXPECT_EQ(days->LabelsSize(), 0);
    EXPECT_EQ(days->LabelsFont().Size(), 10);
    EXPECT_EQ(days->Title().Font().Size(), 10);
    EXPECT_EQ(days->Title().Font().Style(), 0);
    EXPECT_EQ(days->Title().Angle(), 0);
    EXPECT_EQ(days->Axis().Color(), clBlack);
    EXPECT_EQ(chart.MarginBottom(), 15);
}

// A plot replaces the day-of-year scale, and the freed one leaves its companion series in the
// chart for good: that is all it may leave.
TEST_F(ScaleTest, AScaleMadeAndFreedLeavesNoMoreThanItsCompanion) {
    if (testing::HeapInUse() == 0) GTEST_SKIP() << "the heap in use cannot be read here";
    SetDates(EncodeDate(2024, 1, 1), EncodeDate(2024, 3, 1));
    static_cast<void>(CreateOwnedAxis<tBottomDayOfTheYearScale>(chart));
    constexpr std::size_t Scales = 100;
    const std::size_t before = testing::HeapInUse();
    for (std::size_t i = 0; i < Scales; ++i)
        static_cast<void>(CreateOwnedAxis<tBottomDayOfTheYearScale>(chart));
    EXPECT_LT((testing::HeapInUse() - before) / Scales, std::size_t{2048});
}

TEST_F(ScaleTest, DayOfYearScaleFromTheWindowsStoredDates) {
    SetDates(45505.60522789352, 45565.60543462963);
    auto days = CreateOwnedAxis<tBottomDayOfTheYearScale>(chart);
    EXPECT_EQ(days->Minimum(), 214);
    EXPECT_EQ(days->Maximum(), 274);
    EXPECT_EQ(days->Increment(), 10);
}

TEST_F(ScaleTest, NewScalesFollowEveryExistingAxisAndWidenTheirMarginInPercent) {
    chart.SetMarginUnits(muPixels);
    chart.SetMarginLeft(13);
    auto celsius = CreateOwnedAxis<tLeftCelsiusScale>(chart);
    EXPECT_EQ(chart.MarginUnits(), muPercent);
    EXPECT_EQ(chart.MarginLeft(), 15);
    ASSERT_EQ(chart.Axes().size(), 7u);
    EXPECT_EQ(chart.Axes()[6], celsius.Get());
    auto days = CreateOwnedAxis<tBottomDayOfTheYearScale>(chart);
    ASSERT_EQ(chart.Axes().size(), 8u);
    EXPECT_EQ(chart.Axes()[7], days.Get());
    EXPECT_EQ(chart.CustomAxes().IndexOf(*days.Get()), 1);
}

TEST_F(ScaleTest, CompanionSeriesJoinsSilentlyAndIsInvisible) {
    std::vector<TChartSeriesEvent> events;
    chart.AddSeriesListener([&](TChartSeriesEvent e, TChartSeries&) { events.push_back(e); });
    auto celsius = CreateOwnedAxis<tLeftCelsiusScale>(chart);
    ASSERT_EQ(chart.SeriesCount(), 1u);
    TLineSeries& series = CompanionOf(*celsius.Get());
    EXPECT_EQ(events, std::vector<TChartSeriesEvent>{seChangeColor});  // no "added"
    EXPECT_EQ(series.VertAxis(), aCustomVertAxis);
    EXPECT_EQ(series.ResolvedVertAxis(), celsius.Get());
    EXPECT_EQ(series.HorizAxis(), aBottomAxis);
    EXPECT_EQ(series.ResolvedHorizAxis(), &chart.BottomAxis());
    EXPECT_EQ(series.SeriesColor(), chart.Color());
    EXPECT_EQ(series.Transparency(), 100);
    EXPECT_FALSE(series.ShowInLegend());
    EXPECT_EQ(series.PointCount(), 0);
    EXPECT_TRUE(chart.IsAxisShown(*celsius.Get()));

    auto days = CreateOwnedAxis<tBottomDayOfTheYearScale>(chart);
    TLineSeries& daySeries = CompanionOf(*days.Get());
    EXPECT_EQ(daySeries.HorizAxis(), aCustomHorizAxis);
    EXPECT_EQ(daySeries.VertAxis(), aLeftAxis);
}

TEST_F(ScaleTest, FreeingAScaleLeavesItsSeriesBoundToTheStandardAxis) {
    auto celsius = CreateOwnedAxis<tLeftCelsiusScale>(chart);
    auto days = CreateOwnedAxis<tBottomDayOfTheYearScale>(chart);
    TLineSeries& celsiusSeries = CompanionOf(*celsius.Get());
    TLineSeries& daySeries = CompanionOf(*days.Get());
    celsius.Free();
    days.Free();
    celsius.Free();  // a second free does nothing
    EXPECT_FALSE(celsius);
    EXPECT_EQ(chart.Axes().size(), 6u);
    EXPECT_EQ(chart.CustomAxes().Count(), 0u);
    EXPECT_EQ(chart.SeriesCount(), 2u);
    EXPECT_EQ(celsiusSeries.VertAxis(), aLeftAxis);
    EXPECT_EQ(celsiusSeries.ResolvedVertAxis(), &chart.LeftAxis());
    EXPECT_EQ(daySeries.HorizAxis(), aBottomAxis);
    EXPECT_EQ(daySeries.ResolvedHorizAxis(), &chart.BottomAxis());
    EXPECT_EQ(celsiusSeries.Transparency(), 100);
    EXPECT_FALSE(celsiusSeries.ShowInLegend());
    EXPECT_EQ(chart.MarginLeft(), 15);
}

TEST_F(ScaleTest, AnOwnerOutlivingItsChartHoldsNothing) {
    TCustomAxisOwner<tLeftCelsiusScale> celsius;
    {
        TChart shortLived;
        celsius = CreateOwnedAxis<tLeftCelsiusScale>(shortLived);
        EXPECT_TRUE(celsius);
    }
    EXPECT_FALSE(celsius);
    EXPECT_EQ(celsius.Get(), nullptr);
    celsius.Free();
}

TEST_F(ScaleTest, ToggleGridMovesTheGridAndSwapsPositions) {
    chart.LeftAxis().SetPositionPercent(-2);
    auto celsius = CreateOwnedAxis<tLeftCelsiusScale>(chart);
    TChartAxis& left = chart.LeftAxis();

    EXPECT_EQ(celsius->ToggleGrid(), "grid°F");
    EXPECT_TRUE(celsius->GridOnScale());
    EXPECT_TRUE(celsius->Grid().Visible());
    EXPECT_FALSE(left.Grid().Visible());
    EXPECT_EQ(celsius->PositionPercent(), -1);
    EXPECT_EQ(left.PositionPercent(), -13);
    EXPECT_EQ(celsius->Grid().Color(), clBlue);

    EXPECT_EQ(celsius->ToggleGrid(), "grid°C");
    EXPECT_FALSE(celsius->GridOnScale());
    EXPECT_FALSE(celsius->Grid().Visible());
    EXPECT_TRUE(left.Grid().Visible());
    EXPECT_EQ(left.PositionPercent(), -1);  // the design-time -2 is not restored
    EXPECT_EQ(celsius->PositionPercent(), -13);
}

TEST_F(ScaleTest, ToggleGridWithEmptyCaptionsReturnsEmptyText) {
    auto days = CreateOwnedAxis<tBottomDayOfTheYearScale>(chart);
    EXPECT_EQ(days->ToggleGrid(), "");
    EXPECT_EQ(days->ToggleGrid(), "");
}

TEST_F(ScaleTest, ADecreasingConversionStopsAtTheMaximum) {
    bool decreasing = false;
    SetFahrenheit(0, 3);
    auto scale = CreateOwnedAxis<tScale>(
        chart, ssLeft, "x", [&](double v) { return decreasing ? -v : v; }, "", "", clBlack);
    EXPECT_EQ(scale->Increment(), 0.5);
    SetFahrenheit(10, 100);
    decreasing = true;
    EXPECT_THROW_MSG(scale->FollowMaster(), AxisException, "Axis Maximum Value must be >= Minimum");
    EXPECT_EQ(scale->Minimum(), -10);
    EXPECT_EQ(scale->Maximum(), 1.7e308);
    EXPECT_EQ(scale->Increment(), 0.5);
}

struct ConversionFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

TEST_F(ScaleTest, AConversionThatThrowsPropagatesUnchanged) {
    bool failing = false;
    auto convert = [&](double v) {
        if (failing) throw ConversionFailure("conversion failed");
        return v;
    };
    auto scale = CreateOwnedAxis<tScale>(chart, ssLeft, "x", convert, "", "", clBlack);
    failing = true;
    EXPECT_THROW_MSG(scale->FollowMaster(), ConversionFailure, "conversion failed");

    // Failing during construction leaves no axis and no series behind.
    scale.Free();
    const std::size_t series = chart.SeriesCount();
    EXPECT_THROW(CreateOwnedAxis<tScale>(chart, ssLeft, "x", convert, "", "", clBlack),
                 ConversionFailure);
    EXPECT_EQ(chart.Axes().size(), 6u);
    EXPECT_EQ(chart.CustomAxes().Count(), 0u);
    EXPECT_EQ(chart.SeriesCount(), series);
}

// A year of daily readings reaches 90 °F; the user asks for 40..100 °F. The paint shows that
// range, and the Celsius scale beside it matches it.
TEST_F(ScaleTest, ARangeSetOnAnAutomaticAxisIsTheRangeShown) {
    auto& readings = chart.CreateSeries<TLineSeries>();
    readings.SetParentChart(&chart);
    readings.AddPoint(0, 20);
    readings.AddPoint(1, 90);
    TChartAxis& left = chart.LeftAxis();
    left.SetMinMax(40, 100);
    auto celsius = CreateOwnedAxis<tLeftCelsiusScale>(chart);
    testing::steps::FitAxesIntoPlot(chart);
    EXPECT_EQ(chart.ScaleMapOf(left).Minimum(), 40);
    EXPECT_EQ(chart.ScaleMapOf(left).Maximum(), 100);
    EXPECT_EQ(chart.ScaleMapOf(*celsius.Get()).Maximum(),
              tLeftCelsiusScale::CelsiusFromFahrenheit(100));
}

// Live following: every paint hands the scale the range its master shows.
struct LiveCase {
    const char* name;
    bool live;
    std::function<void(TChartAxis& master)> change;  // before the paint
    double shownMinimum, shownMaximum;               // °F the scale follows (if live)
};

class LiveScaleTest : public ScaleTest, public ::testing::WithParamInterface<LiveCase> {};

TEST_P(LiveScaleTest, TheScaleShowsWhatItsMasterShows) {
    const LiveCase& c = GetParam();
    auto& readings = chart.CreateSeries<TLineSeries>();
    readings.SetParentChart(&chart);
    readings.AddPoint(0, 14);
    readings.AddPoint(1, 95);
    SetFahrenheit(32, 212);
    auto celsius = CreateOwnedAxis<tLeftCelsiusScale>(chart);
    EXPECT_FALSE(celsius->FollowsLive());
    celsius->SetFollowsLive(c.live);
    TChartAxis& left = chart.LeftAxis();
    c.change(left);
    testing::steps::FitAxesIntoPlot(chart);

    const double minimum = c.live ? tLeftCelsiusScale::CelsiusFromFahrenheit(c.shownMinimum) : 0;
    const double maximum = c.live ? tLeftCelsiusScale::CelsiusFromFahrenheit(c.shownMaximum) : 100;
    EXPECT_EQ(celsius->Minimum(), minimum);
    EXPECT_EQ(celsius->Maximum(), maximum);
    EXPECT_EQ(chart.ScaleMapOf(*celsius.Get()).Minimum(), minimum);
    EXPECT_EQ(chart.ScaleMapOf(*celsius.Get()).Maximum(), maximum);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LiveScaleTest,
    ::testing::Values(
        LiveCase{"OffByDefaultTheScaleWaitsForTheNextPlot",
                 false, [](TChartAxis& m) { m.SetMinMax(0, 50); }, 0, 0},
        LiveCase{"ASetRange", true, [](TChartAxis& m) { m.SetMinMax(50, 68); }, 50, 68},
        LiveCase{"AZoomOrScrollStoringTheEnds", true,
                 [](TChartAxis& m) {
                     m.StoreRange({-40, -4});
                 },
                 -40, -4},
        LiveCase{"AnAutomaticRangeFromTheData", true,
                 [](TChartAxis& m) { m.SetAutomatic(true); }, 14, 95}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScaleTest, ALiveScaleFollowsTheRangeWidenedLaterInThePaint) {
    SetFahrenheit(32, 212);
    auto celsius = CreateOwnedAxis<tLeftCelsiusScale>(chart);
    celsius->SetFollowsLive(true);
    TChartAxis& master = chart.LeftAxis();
    master.SetMinimumOffset(40);
    master.SetMaximumOffset(40);
    TRecordingCanvas measure;
    chart.LayOut(&measure, {0, 0, 400, 250});
    ASSERT_LT(chart.ScaleMapOf(master).Minimum(), 32);
    EXPECT_DOUBLE_EQ(chart.ScaleMapOf(*celsius.Get()).Minimum(),
                     (chart.ScaleMapOf(master).Minimum() - 32) / 1.8);
    EXPECT_DOUBLE_EQ(chart.ScaleMapOf(*celsius.Get()).Maximum(),
                     (chart.ScaleMapOf(master).Maximum() - 32) / 1.8);
}

// The layout pulls each live scale's range from its master: any number may follow one master,
// each through its own conversion, and none takes the master's range event.
TEST_F(ScaleTest, SeveralLiveScalesFollowOneMaster) {
    SetFahrenheit(32, 212);
    auto celsius = CreateOwnedAxis<tLeftCelsiusScale>(chart);
    auto kelvin = CreateOwnedAxis<tScale>(
        chart, ssRight, "K", [](double f) { return (f + 459.67) / 1.8; }, "", "", clBlack);
    EXPECT_EQ(RepaintsDuring([&] { celsius->SetFollowsLive(true); }), 1);
    EXPECT_EQ(RepaintsDuring([&] { celsius->SetFollowsLive(true); }), 0);
    kelvin->SetFollowsLive(true);
    EXPECT_FALSE(chart.LeftAxis().OnCurrentRangeChanged);
    chart.LeftAxis().SetMinMax(50, 131);
    testing::steps::FitAxesIntoPlot(chart);
    const TScaleRange followed = chart.ScaleMapOf(*celsius.Get()).Range();
    EXPECT_DOUBLE_EQ(followed.Minimum, 10);
    EXPECT_DOUBLE_EQ(followed.Maximum, 55);
    EXPECT_DOUBLE_EQ(kelvin->Minimum(), (50 + 459.67) / 1.8);
    EXPECT_DOUBLE_EQ(kelvin->Maximum(), (131 + 459.67) / 1.8);
    EXPECT_EQ(kelvin->Increment(), 5);

    // Switched off, a scale keeps what it showed last and no longer follows.
    celsius->SetFollowsLive(false);
    chart.LeftAxis().SetMinMax(32, 50);
    testing::steps::FitAxesIntoPlot(chart);
    EXPECT_EQ(chart.ScaleMapOf(*celsius.Get()).Range(), followed);
    EXPECT_DOUBLE_EQ(kelvin->Minimum(), (32 + 459.67) / 1.8);
    kelvin.Free();
    EXPECT_NO_THROW(testing::steps::FitAxesIntoPlot(chart));
}

TEST_F(ScaleTest, FollowingAnExtremeMasterTwiceDoesNotFail) {
    SetFahrenheit(-1.7e308, -1.6e308);
    auto celsius = CreateOwnedAxis<tLeftCelsiusScale>(chart);
    EXPECT_NO_THROW(celsius->FollowMaster());
    EXPECT_EQ(celsius->Minimum(), tLeftCelsiusScale::CelsiusFromFahrenheit(-1.7e308));
    EXPECT_EQ(celsius->Maximum(), tLeftCelsiusScale::CelsiusFromFahrenheit(-1.6e308));
}

struct StyleCase {
    const char* name;
    bool horizontal;
    const char* title;
    int angle;
    int labelsSize, titleSize;
    TFontStyles titleStyle;
};

class StyleAxisTest : public ChartFixture, public ::testing::WithParamInterface<StyleCase> {};

TEST_P(StyleAxisTest, TitleAngleAndFontsFollowOrientationAndLength) {
    const StyleCase& c = GetParam();
    TChartAxis& axis = chart.CustomAxes().Add();
    axis.SetHorizontal(c.horizontal);
    axis.Title().SetAngle(270);
    StyleAxis(axis, c.title, clGreen);
    EXPECT_EQ(axis.Title().Angle(), c.angle);
    EXPECT_EQ(axis.LabelsFont().Size(), c.labelsSize);
    EXPECT_EQ(axis.Title().Font().Size(), c.titleSize);
    EXPECT_EQ(axis.Title().Font().Style(), c.titleStyle);
    EXPECT_EQ(axis.Title().Caption(), c.title);
    EXPECT_EQ(axis.Title().Font().Color(), clGreen);
    EXPECT_EQ(axis.LabelsFont().Color(), clGreen);
    EXPECT_EQ(axis.Axis().Width(), 2);  // widths are not touched
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StyleAxisTest,
    ::testing::Values(StyleCase{"VerticalShortTitleReadsAcross", false, "°F", 0, 12, 14, fsBold},
                      StyleCase{"VerticalThreeCharacters", false, "abc", 0, 12, 14, fsBold},
                      StyleCase{"VerticalLongTitleStandsUp", false, "day of the year", 90, 12, 14,
                                fsBold},
                      StyleCase{"HorizontalLongTitle", true, "day of the year", 0, 10, 10, 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace twinscope
