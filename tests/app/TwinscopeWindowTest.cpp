#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/TwinscopeMain.h"
#include "tests/support/MessageRecorder.h"
#include "twinscope/chart/series/BandSeries.h"
#include "twinscope/chart/series/BarSeries.h"
#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/platform/ChartWidget.h"
#include "twinscope/platform/DateTimePicker.h"
#include "twinscope/runtime/DateTime.h"

namespace twinscope {
namespace {

using testing::MessageRecorder;

class WindowTest : public ::testing::Test {
protected:
    void Plot(const char* minimum, const char* maximum) {
        window.lbedMinimum->setText(minimum);
        window.lbedMaximum->setText(maximum);
        window.btnPlot->click();
    }
    void SetDates(TDateTime begin, TDateTime end) {
        window.dtpBegin->SetDateTime(begin);
        window.dtpEnd->SetDateTime(end);
    }

    MessageRecorder recorder;
    TfmTwinscope window;
};

TEST_F(WindowTest, StartsFromItsStoredContent) {
    TChart& chart = window.Chart();
    EXPECT_EQ(window.windowTitle(), "twinscope");
    EXPECT_EQ(window.menuGrid->text(), "grid°C");
    EXPECT_EQ(window.btnPlot->text(), "plot");
    EXPECT_EQ(window.lbedMinimum->text(), "0");
    EXPECT_EQ(window.lbedMaximum->text(), "100");
    EXPECT_EQ(chart.LeftAxis().Minimum(), 40);
    EXPECT_EQ(chart.LeftAxis().Maximum(), 80);
    EXPECT_FALSE(chart.LeftAxis().Automatic());
    EXPECT_EQ(chart.LeftAxis().PositionPercent(), -2);
    EXPECT_EQ(chart.LeftAxis().LabelsSize(), 8);
    EXPECT_EQ(chart.LeftAxis().Title().Caption(), "°F");
    EXPECT_EQ(chart.BottomAxis().Minimum(), 45493);
    EXPECT_EQ(chart.BottomAxis().Maximum(), 45517);
    EXPECT_EQ(chart.BottomAxis().Increment(), 10);
    EXPECT_FALSE(chart.BottomAxis().ExactDateTime());
    EXPECT_EQ(chart.MarginLeft(), 13);
    EXPECT_EQ(chart.MarginBottom(), 9);
    EXPECT_EQ(chart.MarginRight(), 0);
    EXPECT_EQ(chart.MarginTop(), 4);
    EXPECT_FALSE(chart.View3D());
    EXPECT_EQ(chart.Canvas()->ClassName(), "TGDIPlusCanvas");
    EXPECT_EQ(chart.Title().Text(), std::vector<std::string>{"TChart"});
    EXPECT_EQ(chart.Legend().Alignment(), laLeft);
    EXPECT_TRUE(chart.Legend().CustomPosition());
    EXPECT_EQ(chart.Legend().LeftPercent(), 90);
    EXPECT_EQ(chart.Legend().TopPercent(), 5);
    EXPECT_FALSE(chart.Legend().ResizeChart());
    EXPECT_EQ(chart.BottomAxis().Labels().Format().Margins().Bottom(), 10);
    EXPECT_EQ(chart.Width(), 965);
    EXPECT_EQ(chart.Height(), 518);

    ASSERT_EQ(chart.SeriesCount(), 1u);
    TLineSeries& series = *window.seriesActualData;
    EXPECT_EQ(series.PointCount(), 25);
    EXPECT_EQ(series.SeriesColor(), clRed);
    EXPECT_TRUE(series.XValues().DateTime());
    EXPECT_EQ(series.XValues().First(), 45494);
    EXPECT_EQ(series.XValues().Last(), 45562);
    EXPECT_EQ(series.YValues().Lowest(), 346.77153125000007);
    EXPECT_TRUE(series.LoadedFromStream());
    EXPECT_FALSE(window.CelsiusScale);
    EXPECT_EQ(chart.Axes().size(), 6u);
}

TEST_F(WindowTest, ShowingCreatesTheCelsiusScaleAndPlotsOnce) {
    window.FormShow();
    TChart& chart = window.Chart();
    EXPECT_EQ(chart.LeftAxis().Minimum(), 0);
    EXPECT_EQ(chart.LeftAxis().Maximum(), 100);
    EXPECT_EQ(chart.LeftAxis().Increment(), 10);
    ASSERT_TRUE(window.CelsiusScale);
    EXPECT_EQ(window.CelsiusScale->Minimum(), -17.777777777777779);
    EXPECT_EQ(window.CelsiusScale->Maximum(), 37.777777777777779);
    EXPECT_EQ(window.CelsiusScale->Increment(), 10);
    EXPECT_EQ(chart.BottomAxis().Minimum(), 45505.60522789352);
    EXPECT_EQ(chart.BottomAxis().Maximum(), 45565.60543462963);
    ASSERT_TRUE(window.DayOfYearScale);
    EXPECT_EQ(window.DayOfYearScale->Minimum(), 214);
    EXPECT_EQ(window.DayOfYearScale->Maximum(), 274);
    EXPECT_EQ(window.DayOfYearScale->Increment(), 10);
    EXPECT_EQ(chart.MarginLeft(), 15);
    EXPECT_EQ(chart.MarginBottom(), 15);
    EXPECT_TRUE(recorder.messages.empty());
}

struct RefusalCase {
    const char* name;
    const char* minimum;
    const char* maximum;
    const char* message;
    double leftMinimum, leftMaximum;
};

class PlotRefusalTest : public WindowTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(PlotRefusalTest, BadInputIsRefusedWithAMessage) {
    window.FormShow();
    Plot(GetParam().minimum, GetParam().maximum);
    EXPECT_EQ(recorder.messages, std::vector<std::string>{GetParam().message});
    EXPECT_EQ(window.Chart().LeftAxis().Minimum(), GetParam().leftMinimum);
    EXPECT_EQ(window.Chart().LeftAxis().Maximum(), GetParam().leftMaximum);
    EXPECT_EQ(window.CelsiusScale->Maximum(), 37.777777777777779);  // not followed
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PlotRefusalTest,
    ::testing::Values(
        RefusalCase{"NotANumber", "abc", "100", "'abc' is not a valid floating point value", 0,
                    100},
        RefusalCase{"EmptyMaximum", "0", "", "'' is not a valid floating point value", 0, 100},
        RefusalCase{"NaNIsNotANumber", "NaN", "100", "'NaN' is not a valid floating point value",
                    0, 100},
        RefusalCase{"MinimumAboveCurrentMaximum", "150", "200",
                    "Axis Minimum Value must be <= Maximum", 0, 100},
        RefusalCase{"MaximumBelowNewMinimum", "50", "20", "Axis Maximum Value must be >= Minimum",
                    50, 100}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowTest, WideningFirstLetsTheRangeMove) {
    window.FormShow();
    Plot("0", "200");
    Plot("150", "200");
    EXPECT_TRUE(recorder.messages.empty());
    EXPECT_EQ(window.Chart().LeftAxis().Minimum(), 150);
    EXPECT_EQ(window.CelsiusScale->Minimum(), tLeftCelsiusScale::CelsiusFromFahrenheit(150));
}

TEST_F(WindowTest, EndNotLaterThanBeginIsADateRangeError) {
    window.FormShow();
    const TDateTime day = EncodeDate(2024, 8, 5) + 0.5;
    SetDates(day, day);
    Plot("0", "50");
    EXPECT_EQ(recorder.messages, std::vector<std::string>{"date range error"});
    EXPECT_EQ(window.Chart().LeftAxis().Maximum(), 50);  // earlier steps took effect
    EXPECT_EQ(window.Chart().BottomAxis().Minimum(), 45505.60522789352);
}

TEST_F(WindowTest, OneDayWithALaterEndTimeGivesAZeroDayOfYearRange) {
    window.FormShow();
    const TDateTime day = EncodeDate(2024, 8, 5);
    SetDates(day + 0.25, day + 0.75);
    Plot("0", "100");
    EXPECT_TRUE(recorder.messages.empty());
    EXPECT_EQ(window.DayOfYearScale->Minimum(), window.DayOfYearScale->Maximum());
    EXPECT_EQ(window.DayOfYearScale->Increment(), 10);
}

TEST_F(WindowTest, DatesInTwoYearsKeepTheOldDayOfYearScale) {
    window.FormShow();
    SetDates(EncodeDate(2024, 9, 1), EncodeDate(2025, 1, 10));
    Plot("0", "100");
    EXPECT_EQ(recorder.messages, std::vector<std::string>{"non-monotonic labels not implemented"});
    EXPECT_EQ(window.Chart().BottomAxis().Minimum(), EncodeDate(2024, 9, 1));
    EXPECT_EQ(window.Chart().BottomAxis().Increment(), 10);
    EXPECT_EQ(window.DayOfYearScale->Minimum(), 214);
    EXPECT_EQ(window.DayOfYearScale->Maximum(), 274);
}

TEST_F(WindowTest, AWrappingDayScaleTakesDatesInTwoYearsAndGivesWayInOne) {
    window.SetWrapDayScale(true);
    window.FormShow();
    SetDates(EncodeDate(2024, 9, 1), EncodeDate(2025, 1, 10));
    Plot("0", "100");
    EXPECT_TRUE(recorder.messages.empty());
    EXPECT_FALSE(window.DayOfYearScale);
    ASSERT_TRUE(window.WrappingDayScale);
    EXPECT_EQ(window.WrappingDayScale->Minimum(), EncodeDate(2024, 9, 1));
    EXPECT_EQ(window.WrappingDayScale->Maximum(), EncodeDate(2025, 1, 10));
    EXPECT_EQ(window.WrappingDayScale->CalendarLabels(), calDayOfYear);

    SetDates(EncodeDate(2024, 8, 1), EncodeDate(2024, 8, 31));
    Plot("0", "100");
    EXPECT_FALSE(window.WrappingDayScale);
    ASSERT_TRUE(window.DayOfYearScale);
    EXPECT_EQ(window.DayOfYearScale->Minimum(), 214);
}

TEST_F(WindowTest, ADateRangePastTheCurrentEndIsRefused) {
    window.FormShow();
    SetDates(EncodeDate(2024, 11, 1), EncodeDate(2024, 11, 20));
    Plot("0", "100");
    EXPECT_EQ(recorder.messages, std::vector<std::string>{"Axis Minimum Value must be <= Maximum"});
    SetDates(EncodeDate(2024, 3, 1), EncodeDate(2024, 3, 20));
    recorder.messages.clear();
    Plot("0", "100");
    EXPECT_TRUE(recorder.messages.empty());
    EXPECT_EQ(window.DayOfYearScale->Minimum(), 61);
}

TEST_F(WindowTest, EveryValidPlotMakesANewDayOfYearScaleAfterTheCelsiusScale) {
    window.FormShow();
    TChart& chart = window.Chart();
    const std::size_t series = chart.SeriesCount();
    Plot("0", "100");
    Plot("0", "100");
    EXPECT_EQ(chart.SeriesCount(), series + 2);
    ASSERT_EQ(chart.Axes().size(), 8u);
    EXPECT_EQ(chart.Axes()[6], window.CelsiusScale.Get());
    EXPECT_EQ(chart.Axes()[7], window.DayOfYearScale.Get());
}

TEST_F(WindowTest, TheGridCommandRenamesItself) {
    window.FormShow();
    EXPECT_EQ(window.menuGrid->text(), "grid°C");
    window.menuGrid->trigger();
    EXPECT_EQ(window.menuGrid->text(), "grid°F");
    EXPECT_TRUE(window.CelsiusScale->Grid().Visible());
    window.menuGrid->trigger();
    EXPECT_EQ(window.menuGrid->text(), "grid°C");
    EXPECT_TRUE(window.Chart().LeftAxis().Grid().Visible());
}

TEST_F(WindowTest, PickingADateKeepsTheTimeOfDay) {
    window.dtpBegin->setDate(QDate(2024, 7, 15));
    EXPECT_EQ(window.dtpBegin->DateTime(), EncodeDate(2024, 7, 15) + (45505.60522789352 - 45505));
}

TEST_F(WindowTest, TheAnchorDateChangesNothing) {
    window.FormShow();
    const double minimum = window.Chart().BottomAxis().Minimum();
    window.dtpAnchor->SetDateTime(EncodeDate(2020, 1, 1));
    Plot("0", "100");
    EXPECT_EQ(window.Chart().BottomAxis().Minimum(), minimum);
}

TEST_F(WindowTest, DestroyingFreesTheScalesBeforeTheChart) {
    window.FormShow();
    window.FormDestroy();
    EXPECT_FALSE(window.CelsiusScale);
    EXPECT_FALSE(window.DayOfYearScale);
    EXPECT_EQ(window.Chart().Axes().size(), 6u);
}

}  // namespace
}  // namespace twinscope

namespace twinscope {
namespace {

// Amounts become bars on the right axis with an inch scale beside it, bands are drawn beneath
// the lines and the menu command hides and shows them; the next readings take both away.
TEST(WindowFilledSeries, BarsStandOnTheRightAxisAndTheMenuTogglesTheBands) {
    TfmTwinscope window;
    window.FormShow();
    TReadingsFile readings;
    readings.Series = {
        {.Dates = {42005, 42006}, .Temperatures = {30, 31}, .Name = "TMIN"},
        {.Dates = {42005, 42006}, .Temperatures = {40, 41}, .Name = "TMAX"},
        {.Dates = {42005, 42006}, .Temperatures = {3.4, 0}, .Name = "PRCP", .Amount = true}};
    readings.Bands = BandsOf(readings, {"TMIN", "TMAX"});
    window.ReplaceReadings(readings);
    TChart& chart = window.Chart();
    const auto& list = chart.SeriesList();
    ASSERT_GE(list.size(), 4u);
    const auto* bars = dynamic_cast<const TBarSeries*>(list[0]);
    const auto* band = dynamic_cast<TBandSeries*>(list[1]);
    ASSERT_TRUE(bars && band);
    EXPECT_EQ(bars->Title(), "PRCP (mm)");
    EXPECT_EQ(bars->ResolvedVertAxis(), &chart.RightAxis());
    EXPECT_EQ(band->Title(), "TMIN-TMAX");
    EXPECT_EQ(window.seriesActualData->Title(), "TMIN");
    ASSERT_TRUE(window.InchScale);
    EXPECT_EQ(&window.InchScale->MasterAxis(), &chart.RightAxis());
    EXPECT_EQ(window.InchScale->Conversion()(25.4), 1);

    EXPECT_TRUE(window.menuBand->isVisible());
    window.menuBand->trigger();
    EXPECT_FALSE(band->Active());
    window.menuBand->trigger();
    EXPECT_TRUE(band->Active());

    window.ReplaceReadings({.Series = {readings.Series[1]}});
    EXPECT_FALSE(window.menuBand->isVisible());
    EXPECT_FALSE(window.InchScale);
    for (const TChartSeries* s : chart.SeriesList())
        EXPECT_FALSE(dynamic_cast<const TBarSeries*>(s) || dynamic_cast<const TBandSeries*>(s));
}

}  // namespace
}  // namespace twinscope
