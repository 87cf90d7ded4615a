// An eighty-year station laid over itself year by year, as --overlay-years draws it: reading its
// daily summaries apart from laying the years over each other and writing the PNG.

#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "app/ReadingsFile.h"
#include "app/TwinscopeMain.h"
#include "twinscope/chart/panel/Chart.h"
#include "twinscope/platform/ChartExport.h"
#include "twinscope/runtime/DateTime.h"

namespace twinscope {
namespace {

constexpr std::int32_t FirstYear = 1945;
constexpr std::int32_t Years = 80;

// About 29,000 days of TMAX, TMIN and TAVG as Climate Data Online writes them, following the
// seasons.
const std::string& EightyYears() {
    static const std::string text = [] {
        std::string out = "\"STATION\",\"NAME\",\"DATE\",\"TMAX\",\"TMIN\",\"TAVG\"\n";
        const TDateTime first = EncodeDate(FirstYear, 1, 1);
        const TDateTime end = EncodeDate(FirstYear + Years, 1, 1);
        for (TDateTime day = first; day < end; ++day) {
            const DateParts d = DecodeDate(day);
            const double season = std::cos((DayOfYear(day) - 200) / 365.25 * 2 * M_PI);
            const int noise = static_cast<int>(day) * 7919 % 17 - 8;
            const int high = static_cast<int>(60 + 25 * season) + noise;
            char row[128];
            std::snprintf(row, sizeof row,
                          "\"USW00024233\",\"SEATTLE TACOMA AIRPORT, WA US\",\"%04d-%02d-%02d\","
                          "\"%d\",\"%d\",\"%d\"\n",
                          d.Year, d.Month, d.Day, high, high - 18, high - 9);
            out += row;
        }
        return out;
    }();
    return text;
}

void BM_ReadEightyYearStation(benchmark::State& state) {
    const std::string& text = EightyYears();
    for (auto _ : state) {
        const TReadingsFile file = ParseReadingsText(text, {}, "bench");
        benchmark::DoNotOptimize(file.Series.size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(text.size()) * state.iterations());
}

// The lines shown, the years laid over each other with their statistics, the plot and the PNG.
void BM_OverlayAndRenderEightyYears(benchmark::State& state) {
    const TReadingsFile file = ParseReadingsText(EightyYears(), {}, "bench");
    QTemporaryDir dir;
    const std::string png = dir.filePath("years.png").toStdString();
    for (auto _ : state) {
        TfmTwinscope window;
        window.ReplaceReadings(file);
        window.FormShow();
        window.OverlayYears(TLeapDay::Show);
        window.btnPlotClick();
        TChart& chart = window.Chart();
        SaveChartImage(chart, png, chart.Width(), chart.Height());
    }
}

BENCHMARK(BM_ReadEightyYearStation)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OverlayAndRenderEightyYears)->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace twinscope
