// What a mouse move over a chart of a hundred million points costs the widget, on both
// canvases: the readout of the point under the cursor, found by halves in the X values, then
// the chart's kept picture copied and the readout drawn over it, as the widget's paint does.
// The chart itself is painted once, before the moves.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "bench/BigSeries.h"
#include "twinscope/chart/panel/Readout.h"
#include "twinscope/platform/ReadoutOverlay.h"
#include "twinscope/scales/ScaleManager.h"

namespace twinscope::bench {
namespace {

constexpr std::int32_t ReadoutPoints = 100'000'000;

// The walk of n points of dates with °C beside °F and the day of the year below the dates.
TBigChart& ReadoutChartOf(std::int32_t n) {
    static std::unique_ptr<TBigChart> current;
    if (!current || current->series.PointCount() != n) {
        current.reset();
        current = std::make_unique<TBigChart>();
        current->series.XValues().SetDateTime(true);
        AppendWalk(current->series, n);
        current->chart.CustomAxes().Add<tLeftCelsiusScale>();
        current->chart.CustomAxes().Add<tBottomCalendarScale>(calDayOfYear);
    }
    return *current;
}

void ReadoutMove(benchmark::State& state, const std::string& canvasClass) {
    TBigChart& big = ReadoutChartOf(static_cast<std::int32_t>(state.range(0)));
    big.chart.SetDefaultCanvas(canvasClass);
    big.Paint();
    TReadoutOverlay overlay;
    const TRect plot = big.chart.PlotRect();
    std::int32_t step = 0;
    for (auto _ : state) {
        // Across the plot and back in uneven steps, so that no two moves read the same column.
        step = (step + 37) % plot.Width();
        const TPoint at{plot.Left + step, plot.Top + step % plot.Height()};
        const TReadout readout = ReadoutAt(big.chart, at);
        big.chart.Paint(big.target);
        overlay.Draw(big.painter, big.chart, std::span(&readout, 1));
        benchmark::DoNotOptimize(readout.Series.size());
    }
    if (big.chart.Canvas()->ClassName() != canvasClass) state.SkipWithError("canvas not selected");
}

const bool registered = [] {
    RegisterOnEachCanvas("BM_ReadoutMove", ReadoutMove, ReadoutPoints);
    return true;
}();

}  // namespace
}  // namespace twinscope::bench
