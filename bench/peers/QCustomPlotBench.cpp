// Side by side with QCustomPlot, the most used Qt chart widget: the same random walk of a
// million and ten million points, one second apart, in full view on a chart of the same size,
// whole chart against whole chart. Twinscope paints its chart into an image on each canvas;
// QCustomPlot replots its shown widget at once (its default settings: adaptive sampling, the
// graph anti-aliased). Each Twinscope case is a ratio to QCustomPlot's case of the same size.
// Built only as this separate program, never into the library or the Twinscope program.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>

#include <qcustomplot.h>

#include "bench/BigSeries.h"

namespace twinscope::bench {
namespace {

std::string PeerCase(std::int32_t n) {
    return "BM_Peer/QCustomPlot/replot/" + std::to_string(n);
}

void QCustomPlotReplot(benchmark::State& state) {
    const auto n = static_cast<std::int32_t>(state.range(0));
    QVector<double> keys;
    QVector<double> values;
    {
        TBigChart walk;
        AppendWalk(walk.series, n);
        const auto xs = walk.series.XValues().Values();
        const auto ys = walk.series.YValues().Values();
        keys = QVector<double>(xs.begin(), xs.end());
        values = QVector<double>(ys.begin(), ys.end());
    }
    QCustomPlot plot;
    plot.resize(ChartWidth, ChartHeight);
    plot.addGraph();
    plot.graph(0)->setPen(QPen(Qt::red));
    plot.graph(0)->setData(keys, values, true);
    plot.rescaleAxes();
    plot.show();
    plot.replot(QCustomPlot::rpImmediateRefresh);
    for (auto _ : state)
        plot.replot(QCustomPlot::rpImmediateRefresh);
}

void TwinscopePaint(benchmark::State& state, const std::string& canvasClass) {
    const auto n = static_cast<std::int32_t>(state.range(0));
    TBigChart c;
    AppendWalk(c.series, n);
    c.chart.SetDefaultCanvas(canvasClass);
    c.Paint();
    const std::uint64_t inPart = c.chart.Canvas()->LayersRestoredInPart();
    for (auto _ : state)
        c.Paint();
    // The share of the frames that laid back only where the frame before drew.
    state.counters["inPart"] =
        static_cast<double>(c.chart.Canvas()->LayersRestoredInPart() - inPart) /
        static_cast<double>(state.iterations());
    state.SetLabel(FloorLabel(PeerCase(n)));
}

const bool registered = [] {
    for (const std::int32_t n : {1'000'000, 10'000'000}) {
        benchmark::RegisterBenchmark("BM_Peer/QCustomPlot/replot", QCustomPlotReplot)
            ->Arg(n)
            ->Unit(benchmark::kMillisecond);
        RegisterOnEachCanvas("BM_Peer/Twinscope/paint", TwinscopePaint, n);
    }
    return true;
}();

}  // namespace
}  // namespace twinscope::bench
