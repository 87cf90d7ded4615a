#include "app/YearOverlayChart.h"

#include <cmath>
#include <string>

#include "app/ReadingsCsv.h"
#include "twinscope/chart/panel/Chart.h"
#include "twinscope/chart/panel/ColorPalette.h"
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
constexpr TColor PercentileColor = 0x909090;
constexpr TColor RecordHighColor = 0x000090;
constexpr TColor RecordLowColor = 0x900000;
constexpr std::int32_t RecordMarkSize = 2;
constexpr std::int32_t LatestWidth = 2;

TColor Tinted(TColor c, double share) {
    const auto toWhite = [share](std::uint32_t part) {
        return static_cast<std::uint32_t>(std::lround(part + (255 - part) * share));
    };
    return toWhite(c & 0xFF) | toWhite((c >> 8) & 0xFF) << 8 | toWhite((c >> 16) & 0xFF) << 16;
}

TLineSeries& AddLine(TChart& chart, const std::string& title, TColor color,
                     const std::vector<double>& values, double first) {
    TLineSeries& line = chart.CreateSeries<TLineSeries>();
    line.XValues().SetDateTime(true);
    line.SetTitle(title);
    line.SetSeriesColor(color);
    // A day without readings is not a number, which breaks the line.
    std::vector<double> days(values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
        days[i] = first + static_cast<double>(i);
    line.AppendPoints(days, values);
    line.SetParentChart(&chart);
    return line;
}

TLineSeries& AddMarks(TChart& chart, const std::string& title, TColor color,
                      const std::vector<double>& values, double first) {
    TLineSeries& marks = AddLine(chart, title, color, values, first);
    marks.LinePen().Hide();
    TSeriesPointer& pointer = marks.Pointer();
    pointer.Visible = true;
    pointer.HorizSize = pointer.VertSize = RecordMarkSize;
    pointer.Style = psCircle;
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
    lines.Series.push_back(&AddLine(chart, LowTitle, PercentileColor, stats.Low, first));
    lines.Series.push_back(&AddLine(chart, HighTitle, PercentileColor, stats.High, first));
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
        line.SetXReadoutText([y = year.Year, first, leapDay](double x) {
            const auto slot = static_cast<std::int32_t>(std::lround(x - first)) + 1;
            return DateTimeToString(CurrentFormatSettings().ShortDateFormat,
                                    DateOfSlot(slot, y, leapDay));
        });
        lines.Series.push_back(&line);
    }
    return lines;
}

}  // namespace twinscope
