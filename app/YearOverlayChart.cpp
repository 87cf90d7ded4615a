#include "app/YearOverlayChart.h"

#include <cmath>
#include <limits>
#include <string>

#include "app/ReadingsCsv.h"
#include "twinscope/chart/panel/Chart.h"
#include "twinscope/chart/panel/ColorPalette.h"
#include "twinscope/chart/series/BandSeries.h"
#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/runtime/DateTime.h"
#include "twinscope/runtime/DateTimeFormat.h"
#include "twinscope/runtime/FormatSettings.h"

namespace twinscope {

namespace {
// The slots' years: 2000 has 29 February, 2001 has not.
constexpr std::int32_t LeapSlotYear = 2000;
constexpr std::int32_t CommonSlotYear = 2001;
// How far the older years' colours go towards white.
constexpr double OlderYearsTint = 0.6;
constexpr TColor MeanColor = 0x404040;
constexpr TColor BandColor = 0xA0A0A0;
constexpr TColor RecordHighColor = 0x000090;
constexpr TColor RecordLowColor = 0x900000;
// A record's mark: a dash over a little more than half its day, two pixels thick.
constexpr double MarkHalfWidth = 0.3;
constexpr std::int32_t MarkWidth = 2;
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr std::int32_t LatestWidth = 2;
// More years than this do not fit into a legend beside the plot.
constexpr std::size_t MostYearsListed = 12;

TColor Tinted(TColor c, double share) {
    const auto toWhite = [share](std::uint32_t part) {
        return static_cast<std::uint32_t>(std::lround(part + (255 - part) * share));
    };
    return toWhite(c & 0xFF) | toWhite((c >> 8) & 0xFF) << 8 | toWhite((c >> 16) & 0xFF) << 16;
}

// The X values of the slots, from the first slot's date.
std::vector<double> SlotDates(std::size_t slots, double first) {
    std::vector<double> dates(slots);
    for (std::size_t i = 0; i < slots; ++i)
        dates[i] = first + static_cast<double>(i);
    return dates;
}

// A day without readings is not a number, which breaks the line or the band.
TLineSeries& AddLine(TChart& chart, const std::string& title, TColor color,
                     const std::vector<double>& values, double first) {
    TLineSeries& line = chart.CreateSeries<TLineSeries>();
    line.XValues().SetDateTime(true);
    line.SetTitle(title);
    line.SetSeriesColor(color);
    line.AppendPoints(SlotDates(values.size(), first), values);
    line.SetParentChart(&chart);
    return line;
}

TBandSeries& AddBand(TChart& chart, const TDayStatistics& stats, double first) {
    TBandSeries& band = chart.CreateSeries<TBandSeries>();
    band.XValues().SetDateTime(true);
    band.SetTitle(BandTitle);
    band.SetSeriesColor(BandColor);
    band.SetShowEdges(false);
    band.AppendBand(SlotDates(stats.Low.size(), first), stats.Low, stats.High);
    band.SetParentChart(&chart);
    return band;
}

// Each day's value as a short dash of its own, broken off before the next day: points that
// the line series draws with its pen.
TLineSeries& AddMarks(TChart& chart, const std::string& title, TColor color,
                      const std::vector<double>& values, double first) {
    std::vector<double> xs;
    std::vector<double> ys;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (std::isnan(values[i])) continue;
        const double day = first + static_cast<double>(i);
        xs.insert(xs.end(), {day - MarkHalfWidth, day + MarkHalfWidth, day + 0.5});
        ys.insert(ys.end(), {values[i], values[i], NaN});
    }
    TLineSeries& marks = chart.CreateSeries<TLineSeries>();
    marks.XValues().SetDateTime(true);
    marks.SetTitle(title);
    marks.SetSeriesColor(color);
    marks.LinePen().SetWidth(MarkWidth);
    marks.AppendPoints(xs, ys);
    marks.SetParentChart(&chart);
    return marks;
}
}  // namespace

std::int32_t SlotYear(TLeapDay leapDay) {
    return leapDay == TLeapDay::Show ? LeapSlotYear : CommonSlotYear;
}

TYearOverlayLines AddYearOverlay(TChart& chart, const TReadings& readings, TLeapDay leapDay,
                                 std::uint32_t latestColor) {
    const TYearSplit split = SplitIntoYears(readings, leapDay);
    const std::int32_t slots = DaySlotCount(leapDay);
    const double first = EncodeDate(SlotYear(leapDay), 1, 1);
    TYearOverlayLines lines{
        .EmptyYears = split.EmptyYears, .First = first, .Last = first + slots - 1};
    if (split.Years.empty()) return lines;
    const TDayStatistics stats = DailyStatistics(split.Years, slots);
    lines.Series.push_back(&AddBand(chart, stats, first));
    lines.Series.push_back(&AddLine(chart, MeanTitle, MeanColor, stats.Mean, first));
    lines.Series.push_back(
        &AddMarks(chart, RecordHighTitle, RecordHighColor, stats.RecordHigh, first));
    lines.Series.push_back(
        &AddMarks(chart, RecordLowTitle, RecordLowColor, stats.RecordLow, first));
    const std::vector<TColor> palette = PaletteColors(chart.ColorPaletteIndex());
    for (std::size_t i = 0; i < split.Years.size(); ++i) {
        const TYearLine& year = split.Years[i];
        const bool latest = i + 1 == split.Years.size();
        const TColor own = palette.empty() ? latestColor : palette[i % palette.size()];
        const TColor color = latest ? latestColor : Tinted(own, OlderYearsTint);
        TLineSeries& line = AddLine(chart, std::to_string(year.Year), color, year.Values, first);
        if (latest) line.LinePen().SetWidth(LatestWidth);
        // Too many older years for the legend are listed as one: the first names them all.
        if (!latest && split.Years.size() > MostYearsListed) {
            if (i == 0) {
                line.SetLegendTitle(std::to_string(year.Year) + " to " +
                                    std::to_string(split.Years[split.Years.size() - 2].Year));
            } else {
                line.SetShowInLegend(false);
            }
        }
        // Each year's point reads the day it stands for, whose day of the year differs from its
        // slot's after February in a common year laid over 29 February's slot.
        line.SetXReadout([y = year.Year, first, leapDay](double x) {
            const auto slot = static_cast<std::int32_t>(std::lround(x - first)) + 1;
            const double date = DateOfSlot(slot, y, leapDay);
            return TChartSeries::TXReadout{
                .X = date, .Text = DateTimeToString(CurrentFormatSettings().ShortDateFormat, date)};
        });
        lines.Series.push_back(&line);
    }
    return lines;
}

}  // namespace twinscope
