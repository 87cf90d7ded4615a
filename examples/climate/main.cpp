// Saves two pictures of a station's daily summaries as NOAA's Climate Data Online hands them out
// (TMIN, TMAX and PRCP in °F and inches, such as docs/samples/noaa-cdo-daily-2019-2024.csv):
// `climate_chart readings.csv [daily.png] [years.png]`.
// - daily.png: the latest year, each day's low to high as a band with their mean as a line, and
//   the rain as bars on a right axis in mm with an inch scale beside it.
// - years.png: the years' daily highs laid over each other by the day of the year, with the
//   mean of the years, the band from their 10th to their 90th percentile, and the records.
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include <QGuiApplication>

#include "twinscope/chart/axes/DateTimeStep.h"
#include "twinscope/chart/panel/Chart.h"
#include "twinscope/chart/series/BandSeries.h"
#include "twinscope/chart/series/BarSeries.h"
#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/platform/ChartExport.h"
#include "twinscope/readings/NoaaStationCsv.h"
#include "twinscope/readings/YearOverlay.h"
#include "twinscope/runtime/DateTime.h"
#include "twinscope/scales/ScaleManager.h"

using namespace twinscope;

namespace {

constexpr double MillimetresPerInch = 25.4;

std::string TextOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ReadingsError(0, "cannot read " + path);
    return {std::istreambuf_iterator<char>(in), {}};
}

const TReadings& LineNamed(const TReadingsFile& file, const std::string& name) {
    for (const TReadings& line : file.Series) {
        if (line.Name == name) return line;
    }
    throw ReadingsError(0, "holds no " + name + " readings");
}

// A series of the chart over dates, titled and coloured.
template <typename Series>
Series& AddOverDates(TChart& chart, const std::string& title, TColor color) {
    Series& series = chart.AddNewSeries<Series>();
    series.XValues().SetDateTime(true);
    series.SetTitle(title);
    series.SetSeriesColor(color);
    return series;
}

void SaveDaily(const TReadingsFile& file, const std::string& picture) {
    TChart chart;
    chart.Title().SetText({file.Stations.front()});
    chart.LeftAxis().Title().SetCaption("°F");

    // The rain first, so that it lies beneath, on the right axis in mm with inches beside it.
    const TReadings& rain = LineNamed(file, "PRCP");
    TBarSeries& bars = AddOverDates<TBarSeries>(chart, "rain (mm)", 0xD08030);
    bars.SetVertAxis(aRightAxis);
    bars.AppendPoints(rain.Dates, rain.Temperatures);
    chart.RightAxis().Title().SetCaption("mm");
    chart.CustomAxes()
        .Add<tScale>(
            chart.RightAxis(), "in", [](double mm) { return mm / MillimetresPerInch; },
            [](double in) { return in * MillimetresPerInch; }, "", "", 0x800000)
        .SetFollowsLive(true);

    // Each day's low to high as a band (a day that lacks either is a gap), the mean as a line.
    const TBandReadings days = BandsOf(file, {.Low = "TMIN", .High = "TMAX"}).front();
    AddOverDates<TBandSeries>(chart, "low to high", clSilver)
        .AppendBand(days.Dates, days.Lows, days.Highs);
    std::vector<double> means;
    for (std::size_t i = 0; i < days.Dates.size(); ++i)
        means.push_back((days.Lows[i] + days.Highs[i]) / 2);
    AddOverDates<TLineSeries>(chart, "mean", clRed).AppendPoints(days.Dates, means);

    const double last = days.Dates.back();
    chart.BottomAxis().SetMinMax(EncodeDate(CalendarYear(last), 1, 1), last);
    SaveChartImage(chart, picture, 1000, 500, 2);
}

void SaveYears(const TReadingsFile& file, const std::string& picture) {
    // Each year over the days of one leap year, 29 February in a slot of its own.
    const TYearSplit split = SplitIntoYears(LineNamed(file, "TMAX"), TLeapDay::Show);
    const std::int32_t slotCount = DaySlotCount(TLeapDay::Show);
    const TDayStatistics stats = DailyStatistics(split.Years, slotCount);
    std::vector<double> days;
    for (std::int32_t slot = 1; slot <= slotCount; ++slot)
        days.push_back(DateOfSlot(slot, 2000, TLeapDay::Show));

    TChart chart;
    chart.Title().SetText({file.Stations.front() + ", daily highs"});
    chart.LeftAxis().Title().SetCaption("°F");
    // The older years light beneath all, the statistics of all years over them, the latest
    // year bold on top.
    const TYearLine& last = split.Years.back();
    for (std::size_t i = 0; i + 1 < split.Years.size(); ++i) {
        const TYearLine& year = split.Years[i];
        AddOverDates<TLineSeries>(chart, std::to_string(year.Year), 0xD8D8D8)
            .AppendPoints(days, year.Values);
    }
    AddOverDates<TBandSeries>(chart, "10th to 90th percentile", clSilver)
        .AppendBand(days, stats.Low, stats.High);
    AddOverDates<TLineSeries>(chart, "record high", 0x000090).AppendPoints(days, stats.RecordHigh);
    AddOverDates<TLineSeries>(chart, "record low", 0x900000).AppendPoints(days, stats.RecordLow);
    AddOverDates<TLineSeries>(chart, "mean", clBlack).AppendPoints(days, stats.Mean);
    TLineSeries& latest = AddOverDates<TLineSeries>(chart, std::to_string(last.Year), clRed);
    latest.AppendPoints(days, last.Values);
    latest.LinePen().SetWidth(2);

    // The months of the year along the bottom.
    TChartAxis& bottom = chart.BottomAxis();
    bottom.SetDateTimeFormat("mmm");
    bottom.SetExactDateTime(true);
    bottom.SetIncrement(DateTimeStepTable[dtOneMonth]);
    bottom.SetMinMax(days.front(), days.back());
    SaveChartImage(chart, picture, 1000, 500, 2);
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);  // for the fonts; no window opens
    if (argc < 2) {
        std::cerr << "usage: climate_chart readings.csv [daily.png] [years.png]\n";
        return 2;
    }
    const std::string daily = argc > 2 ? argv[2] : "climate_daily.png";
    const std::string years = argc > 3 ? argv[3] : "climate_years.png";
    try {
        const TReadingsFile file =
            ParseNoaaStationCsv(TextOf(argv[1]), TNoaaLayout::CdoDaily, {"TMIN", "TMAX"},
                                TTemperatureUnit::Fahrenheit, {"PRCP"});
        SaveDaily(file, daily);
        SaveYears(file, years);
    } catch (const RuntimeError& e) {
        std::cerr << argv[1] << ": " << e.what() << '\n';
        return 1;
    }
    std::cout << "Saved " << daily << " and " << years << '\n';
    return 0;
}
