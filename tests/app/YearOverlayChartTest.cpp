#include <QAction>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/TwinscopeMain.h"
#include "app/YearOverlayChart.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/RecordingCanvas.h"
#include "twinscope/chart/panel/Chart.h"
#include "twinscope/chart/panel/ChartDescription.h"
#include "twinscope/chart/panel/Readout.h"
#include "twinscope/chart/panel/ReadoutDrawing.h"
#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/platform/ChartExport.h"
#include "twinscope/platform/DateTimePicker.h"
#include "twinscope/runtime/DateTime.h"
#include "twinscope/scales/ScaleManager.h"

namespace twinscope {
namespace {

// 2023 at 30 °F and the leap year 2024 at 70 °F, but for 90 °F on 29 February.
TReadingsFile TwoYears() {
    TReadings r{.Name = "TMAX"};
    for (double day = EncodeDate(2023, 1, 1); day < EncodeDate(2025, 1, 1); ++day) {
        r.Dates.push_back(day);
        const bool leapDay = day == EncodeDate(2024, 2, 29);
        r.Temperatures.push_back(CalendarYear(day) == 2023 ? 30 : leapDay ? 90 : 70);
    }
    return {.Series = {r}};
}

class YearOverlayChartTest : public ::testing::Test {
protected:
    // Lays the years over each other and draws them with the aliased canvas, the grid on the
    // °C scale so that nothing but the latest year is bright red in the plot.
    QImage Overlay(TLeapDay leapDay) {
        window.ReplaceReadings(TwoYears());
        window.FormShow();
        window.menuGridClick();
        beginBefore = window.dtpBegin->DateTime();
        window.OverlayYears(leapDay);
        window.EnterPlotInputs({.Minimum = "0", .Maximum = "100"});
        window.btnPlotClick();
        TChart& chart = window.Chart();
        chart.SetDefaultCanvas("TChartCanvas3D");
        const QString file = dir.filePath("overlay.png");

        SaveChartImage(chart, file.toStdString(), chart.Width(), chart.Height());
        return QImage(file);
    }
    int X(double date) {
        return window.Chart().ScaleMapOf(window.Chart().BottomAxis()).ToPixel(date);
    }
    int Y(double f) { return window.Chart().ScaleMapOf(window.Chart().LeftAxis()).ToPixel(f); }
    // Whether a pixel within one of (x, y) matches.
    template <typename Match>
    static bool Near(const QImage& image, int x, int y, Match match) {
        for (int dy = -1; dy <= 1; ++dy) {
            if (match(image.pixelColor(x, y + dy))) return true;
        }
        return false;
    }
    static bool Red(QColor c) { return c.red() > 200 && c.green() < 60 && c.blue() < 60; }
    // The older year's tint of the palette's first colour.
    static bool Tint(QColor c) {
        return std::abs(c.red() - 180) < 12 && std::abs(c.green() - 194) < 12 &&
               std::abs(c.blue() - 218) < 12;
    }

    testing::MessageRecorder recorder;
    QTemporaryDir dir;
    TDateTime beginBefore = 0;
    TfmTwinscope window;
};

// Years laid over each other and back, and the readings replaced under them, again and again:
// the chart holds as many series after each round as after the first.
TEST_F(YearOverlayChartTest, OverlaysAndNewReadingsLeaveNoSeriesBehind) {
    window.FormShow();
    std::vector<std::size_t> counts;
    for (int round = 0; round < 3; ++round) {
        window.ReplaceReadings(TwoYears());
        window.OverlayYears(TLeapDay::Show);
        window.OverlayYears(std::nullopt);
        counts.push_back(window.Chart().SeriesCount());
    }
    EXPECT_EQ(counts, std::vector<std::size_t>(3, counts.front()));
}

TEST_F(YearOverlayChartTest, DrawsTheLeapDayAsAskedAtItsColumn) {
    struct Case {
        TLeapDay leapDay;
        double slotYearLeapDay;  // the column of 29 February, or of 1 March without it
        double latestThere;      // °F of 2024 there
        bool olderThere;         // 2023's line crosses that column
    } const cases[] = {
        {TLeapDay::Show, EncodeDate(2000, 2, 29), 90, false},
        {TLeapDay::Merge, EncodeDate(2001, 2, 28), 80, true},
        {TLeapDay::Skip, EncodeDate(2001, 2, 28), 70, true},
    };
    for (const Case& c : cases) {
        const QImage image = Overlay(c.leapDay);
        const int x = X(c.slotYearLeapDay);
        EXPECT_TRUE(Near(image, x, Y(c.latestThere), Red)) << int(c.leapDay);
        EXPECT_EQ(Near(image, x, Y(30), Tint), c.olderThere) << int(c.leapDay);
        // The leap day's 90 °F shows in its own slot only.
        bool hot = false;
        const TRect plot = window.Chart().PlotRect();
        for (int px = plot.Left + 2; px < plot.Right - 2; ++px)
            hot = hot || Near(image, px, Y(90), Red);
        EXPECT_EQ(hot, c.leapDay == TLeapDay::Show) << int(c.leapDay);
    }
}

TEST_F(YearOverlayChartTest, LabelsMonthsListsYearsAndReadsTrueDates) {
    Overlay(TLeapDay::Show);
    TChart& chart = window.Chart();
    std::vector<std::string> months;
    for (const TAxisItem& item : chart.BottomAxis().Items()) {
        EXPECT_EQ(DecodeDate(item.Value).Day, 1) << item.Text;
        months.insert(months.begin(), item.Text);
    }
    EXPECT_EQ(months, (std::vector<std::string>{"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul",
                                                "Aug", "Sep", "Oct", "Nov", "Dec"}));
    std::vector<std::string> titles;
    for (const TChartSeries* s : chart.SeriesList()) {
        if (s->Active() && s->ShowInLegend()) titles.push_back(s->Title());
    }
    EXPECT_EQ(titles, (std::vector<std::string>{BandTitle, MeanTitle, RecordHighTitle,
                                                RecordLowTitle, "2023", "2024"}));

    // 1 March stands in the slot after 29 February; each year reads its own date there.
    const TReadout readout = ReadoutAt(chart, {X(EncodeDate(2000, 3, 1)), Y(50)});
    std::vector<std::string> lines;
    for (const TReadoutLine& line : ReadoutLines(readout))
        lines.push_back(line.Text);
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[9], "1 Mar 2023 · day of the year 60");
    EXPECT_EQ(lines[11], "1 Mar 2024 · day of the year 61");

    // The menu command turns it off: the lines over their dates come back with their inputs.
    ASSERT_TRUE(window.menuOverlay);
    EXPECT_TRUE(window.menuOverlay->isChecked());
    window.menuOverlayClick();
    EXPECT_FALSE(window.menuOverlay->isChecked());
    EXPECT_EQ(window.dtpBegin->DateTime(), beginBefore);
    for (const TChartSeries* s : chart.SeriesList())
        EXPECT_NE(s->Title(), "2024");
    EXPECT_TRUE(window.seriesActualData->Active());
    EXPECT_EQ(chart.BottomAxis().DateTimeFormat(), "");
}

struct TrueDayCase {
    const char* name;
    TLeapDay leapDay;
    std::int32_t year, month, day;
    const char* dayOfYear;  // what the day-of-the-year scale reads
};

class TrueDayOfYearTest : public ::testing::TestWithParam<TrueDayCase> {};

// A year's point stands in a slot of the overlay's calendar and reads its own day of the year,
// in the readout and in the keyboard cursor's sentence alike.
TEST_P(TrueDayOfYearTest, EachYearReadsItsOwnDayOfTheYear) {
    const TrueDayCase& c = GetParam();
    TChart chart;
    chart.SetView3D(false);
    const TYearOverlayLines lines = AddYearOverlay(chart, TwoYears().Series[0], c.leapDay, clRed);
    chart.LeftAxis().SetMinMax(0, 100);
    // Half a day beyond the last slot, so that its point stands inside the plot.
    chart.BottomAxis().SetMinMax(lines.First, lines.Last + 0.5);
    chart.CustomAxes().Add<tBottomDayOfTheYearScale>();
    TRecordingCanvas measure;
    chart.LayOut(&measure, {0, 0, 965, 518});
    const TChartSeries* year = nullptr;
    for (const TChartSeries* s : lines.Series)
        year = s->Title() == std::to_string(c.year) ? s : year;
    ASSERT_TRUE(year);
    const double date = EncodeDate(c.year, c.month, c.day);
    const TReadout r = ReadoutOfPoint(chart, *year, DaySlot(date, c.leapDay) - 1);
    ASSERT_TRUE(r.Shown);
    const auto found = std::find_if(r.Series.begin(), r.Series.end(),
                                    [&](const TSeriesReadout& s) { return s.Series == year; });
    ASSERT_NE(found, r.Series.end());
    const TSeriesReadout& point = *found;
    ASSERT_EQ(point.X.size(), 2u);
    EXPECT_EQ(point.X[0].Value, date);
    EXPECT_EQ(point.X[1].Caption, std::string("day of the year ") + c.dayOfYear);
    EXPECT_NE(ReadoutSentence(r).find(point.X[0].Text + " · day of the year " + c.dayOfYear),
              std::string::npos)
        << ReadoutSentence(r);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TrueDayOfYearTest,
    ::testing::Values(
        TrueDayCase{"ShowCommonYearAfterTheLeapDaySlot", TLeapDay::Show, 2023, 3, 1, "60"},
        TrueDayCase{"ShowLeapYearAfterTheLeapDay", TLeapDay::Show, 2024, 3, 1, "61"},
        TrueDayCase{"ShowLeapDay", TLeapDay::Show, 2024, 2, 29, "60"},
        TrueDayCase{"ShowCommonYearsLastDay", TLeapDay::Show, 2023, 12, 31, "365"},
        TrueDayCase{"MergeCommonYear", TLeapDay::Merge, 2023, 3, 1, "60"},
        TrueDayCase{"MergeLeapYearAfterTheLeapDay", TLeapDay::Merge, 2024, 3, 1, "61"},
        TrueDayCase{"MergeLeapYearsLastDay", TLeapDay::Merge, 2024, 12, 31, "366"},
        TrueDayCase{"SkipCommonYear", TLeapDay::Skip, 2023, 3, 1, "60"},
        TrueDayCase{"SkipLeapYearAfterTheLeapDay", TLeapDay::Skip, 2024, 3, 1, "61"},
        TrueDayCase{"SkipLeapYearsLastDay", TLeapDay::Skip, 2024, 12, 31, "366"}),
    [](const auto& info) { return std::string(info.param.name); });

// Fourteen years do not fit beside the plot: the legend lists the older ones as one.
TEST(YearOverlayLegendTest, ListsManyOlderYearsAsOne) {
    TChart chart;
    TReadings r;
    for (int year = 2000; year < 2014; ++year) {
        r.Dates.push_back(EncodeDate(year, 6, 1));
        r.Temperatures.push_back(year - 1950);
    }
    AddYearOverlay(chart, r, TLeapDay::Merge, clRed);
    std::vector<std::string> listed;
    for (const TChartSeries* s : chart.SeriesList()) {
        if (s->ShowInLegend()) listed.push_back(s->ListedName());
    }
    EXPECT_EQ(listed, (std::vector<std::string>{BandTitle, MeanTitle, RecordHighTitle,
                                                RecordLowTitle, "2000 to 2012", "2013"}));
}

}  // namespace
}  // namespace twinscope
