// What a mouse move over a chart of a hundred million points costs the widget, on both
// canvases: the readout of the point under the cursor, found by halves in the X values, and the
// area it asks to repaint (where the readout was and will be); then, clipped to that area as
// the widget's paint is, the chart's kept picture copied and the readout drawn over it. The
// chart itself is painted once, before the moves.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <QRegion>

#include "bench/BigSeries.h"
#include "twinscope/chart/canvas/qt/QtCanvasSupport.h"
#include "twinscope/platform/ReadoutInput.h"
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
    QRegion area;
    TReadoutInput readouts(
        big.chart,
        [&area](const std::vector<TRect>& rects) {
            area = QRegion();
            for (const TRect& r : rects)
                area += ToQRect(r);
        },
        nullptr);
    const TRect plot = big.chart.PlotRect();
    std::int32_t step = 0;
    std::int64_t pixels = 0;
    for (auto _ : state) {
        // Across the plot and back in uneven steps, so that no two moves read the same column.
        step = (step + 37) % plot.Width();
        readouts.ShowAt({plot.Left + step, plot.Top + step % plot.Height()});
        big.painter.setClipRegion(area);
        TQtPaintTarget exposed(big.painter, area);
        big.chart.Paint(exposed);
        readouts.Paint(big.painter);
        big.painter.setClipping(false);
        for (const QRect& r : area)
            pixels += std::int64_t{r.width()} * r.height();
    }
    // The share of the chart's picture a move repaints.
    state.counters["area"] = static_cast<double>(pixels) / static_cast<double>(state.iterations()) /
                             (double{ChartWidth} * ChartHeight);
    if (big.chart.Canvas()->ClassName() != canvasClass) state.SkipWithError("canvas not selected");
}

const bool registered = [] {
    RegisterOnEachCanvas("BM_ReadoutMove", ReadoutMove, ReadoutPoints);
    return true;
}();

}  // namespace
}  // namespace twinscope::bench
