// Whole-chart frames and the series layer alone of a band and of bars over a random walk of a
// million points up to the largest the run allows (TWINSCOPE_BENCH_LARGEST), on both canvases,
// in full view: both are drawn one pixel column at a time, through the index of extremes of
// their value lists.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "bench/BigSeries.h"
#include "twinscope/chart/panel/SeriesLayer.h"
#include "twinscope/chart/series/BandSeries.h"
#include "twinscope/chart/series/BarSeries.h"

namespace twinscope::bench {
namespace {

template <typename Series>
using TFilledChart = TBigChartOf<Series>;

// The walk's band, from 3 below it to 3 + |walk| / 10 above it; kept while consecutive cases
// use the same size.
TFilledChart<TBandSeries>& BandOf(std::int32_t n) {
    static std::unique_ptr<TFilledChart<TBandSeries>> current;
    if (!current || current->series.PointCount() != n) {
        current.reset();
        current = std::make_unique<TFilledChart<TBandSeries>>();
        current->series.ReservePoints(static_cast<std::size_t>(n));
        std::vector<double> lows;
        std::vector<double> highs;
        ForEachWalkBatch(n, 1, nullptr,
                         [&](const std::vector<double>& xs, const std::vector<double>& ys) {
                             lows.resize(ys.size());
                             highs.resize(ys.size());
                             for (std::size_t i = 0; i < ys.size(); ++i) {
                                 lows[i] = ys[i] - 3;
                                 highs[i] = ys[i] + 3 + (ys[i] < 0 ? -ys[i] : ys[i]) / 10;
                             }
                             current->series.AppendBand(xs, lows, highs);
                         });
    }
    return *current;
}

TFilledChart<TBarSeries>& BarsOf(std::int32_t n) {
    static std::unique_ptr<TFilledChart<TBarSeries>> current;
    if (!current || current->series.PointCount() != n) {
        current.reset();
        current = std::make_unique<TFilledChart<TBarSeries>>();
        AppendWalk(current->series, n);
    }
    return *current;
}

template <typename Chart>
void Frames(benchmark::State& state, Chart& c, const std::string& canvasClass, bool layerOnly) {
    c.chart.SetDefaultCanvas(canvasClass);
    c.Paint();  // lays the indexes
    TCanvas3D& canvas = *c.chart.Canvas();
    for (auto _ : state) {
        if (layerOnly) {
            DrawSeriesLayer(c.chart, canvas);
        } else {
            c.Paint();
        }
    }
}

void BandFull(benchmark::State& state, const std::string& canvasClass) {
    Frames(state, BandOf(static_cast<std::int32_t>(state.range(0))), canvasClass, false);
}
void BandLayer(benchmark::State& state, const std::string& canvasClass) {
    Frames(state, BandOf(static_cast<std::int32_t>(state.range(0))), canvasClass, true);
}
void BarsFull(benchmark::State& state, const std::string& canvasClass) {
    Frames(state, BarsOf(static_cast<std::int32_t>(state.range(0))), canvasClass, false);
}
void BarsLayer(benchmark::State& state, const std::string& canvasClass) {
    Frames(state, BarsOf(static_cast<std::int32_t>(state.range(0))), canvasClass, true);
}

// Size by size and kind by kind, so that each series is built once.
const bool registered = [] {
    for (const std::int32_t n : BigSeriesCounts()) {
        RegisterOnEachCanvas("BM_FilledSeries/bandFull", BandFull, n);
        RegisterOnEachCanvas("BM_FilledSeries/bandLayer", BandLayer, n);
    }
    for (const std::int32_t n : BigSeriesCounts()) {
        RegisterOnEachCanvas("BM_FilledSeries/barsFull", BarsFull, n);
        RegisterOnEachCanvas("BM_FilledSeries/barsLayer", BarsLayer, n);
    }
    return true;
}();

}  // namespace
}  // namespace twinscope::bench
