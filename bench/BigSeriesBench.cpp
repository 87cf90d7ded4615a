// Whole-chart frames of a random walk of a million points up to the largest the run allows
// (scripts/bench.sh --big: 2e8), on both canvases: in full view (and its series layer alone),
// and panned, a tenth of the points in view moved on by a hundredth of them each frame. Each case is a ratio to one pass
// over the series' X and Y values and to the same case at ten million points, the growth; the
// full view also reading every point, as the columns did before their index.
// Beside them, laying the Y values' index of block extremes against one pass over them.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>

#include "bench/BigSeries.h"
#include "twinscope/chart/canvas/qt/QtCanvas.h"
#include "twinscope/chart/panel/SeriesLayer.h"
#include "twinscope/chart/series/MinMaxIndex.h"

namespace twinscope::bench {
namespace {

// The walk of n points; kept while consecutive cases use the same size.
TBigChart& BigChartOf(std::int32_t n) {
    static std::unique_ptr<TBigChart> current;
    if (!current || current->series.PointCount() != n) {
        current.reset();
        current = std::make_unique<TBigChart>();
        AppendWalk(current->series, n);
    }
    return *current;
}

std::string CaseName(const std::string& kind, const std::string& backend, std::int32_t n) {
    return "BM_BigSeries/" + kind + "/" + backend + "/" + std::to_string(n);
}

// The floors and the growth against ten million points.
std::string Floors(const std::string& kind, const std::string& backend, std::int32_t n) {
    std::string label = FloorLabel("BM_BigSeries/memoryPass/" + std::to_string(n));
    if (n > MaxPointCount) label += " " + FloorLabel(CaseName(kind, backend, MaxPointCount));
    return label;
}

void MemoryPass(benchmark::State& state) {
    const auto n = static_cast<std::int32_t>(state.range(0));
    TBigChart& c = BigChartOf(n);
    const double* xs = c.series.XValues().Values().data();
    const double* ys = c.series.YValues().Values().data();
    for (auto _ : state) {
        double sum = 0;
        for (std::int32_t i = 0; i < n; ++i)
            sum += xs[i] + ys[i];
        benchmark::DoNotOptimize(sum);
    }
}

void YPass(benchmark::State& state) {
    const auto n = static_cast<std::int32_t>(state.range(0));
    const double* ys = BigChartOf(n).series.YValues().Values().data();
    for (auto _ : state) {
        double sum = 0;
        for (std::int32_t i = 0; i < n; ++i)
            sum += ys[i];
        benchmark::DoNotOptimize(sum);
    }
}

void PaintFullView(benchmark::State& state, const std::string& canvasClass,
                   const std::string& kind, bool indexed) {
    const auto n = static_cast<std::int32_t>(state.range(0));
    TBigChart& c = BigChartOf(n);
    c.chart.SetDefaultCanvas(canvasClass);
    c.chart.BottomAxis().SetAutomatic(true);
    c.series.YValues().SetIndexExtremes(indexed);
    c.Paint();  // lays the index
    for (auto _ : state)
        c.Paint();
    state.SetLabel(Floors(kind, BackendName(canvasClass), n));
    // Of an X and a Y list.
    state.counters["index %"] = 100.0 * static_cast<double>(c.series.YValues().IndexBytes()) /
                                (16.0 * static_cast<double>(n));
    c.series.YValues().SetIndexExtremes(true);
}

void FullView(benchmark::State& state, const std::string& canvasClass) {
    PaintFullView(state, canvasClass, "full", true);
}

// As the columns drew before their index: every point of every column read.
void FullViewReadingEveryPoint(benchmark::State& state, const std::string& canvasClass) {
    PaintFullView(state, canvasClass, "fullReadingEveryPoint", false);
}

// The series layer alone, as the full view draws it into the canvas's buffer.
void FullViewLayer(benchmark::State& state, const std::string& canvasClass) {
    const auto n = static_cast<std::int32_t>(state.range(0));
    TBigChart& c = BigChartOf(n);
    c.chart.SetDefaultCanvas(canvasClass);
    c.chart.BottomAxis().SetAutomatic(true);
    c.Paint();
    TCanvas3D& canvas = *c.chart.Canvas();
    for (auto _ : state)
        DrawSeriesLayer(c.chart, canvas);
    state.SetLabel(Floors("fullLayer", BackendName(canvasClass), n));
}

void Pan(benchmark::State& state, const std::string& canvasClass) {
    const auto n = static_cast<std::int32_t>(state.range(0));
    TBigChart& c = BigChartOf(n);
    c.chart.SetDefaultCanvas(canvasClass);
    TChartAxis& bottom = c.chart.BottomAxis();
    bottom.SetAutomatic(false);
    const double first = c.series.XValues().First();
    const double span = c.series.XValues().Last() - first;
    // Across the series and back, a hundredth of its span a frame.
    std::int32_t step = 0;
    const auto* canvas = dynamic_cast<const TQtCanvas*>(c.chart.Canvas());
    const std::int64_t hitsBefore = canvas ? canvas->ShapedTexts().Hits() : 0;
    const std::int64_t missesBefore = canvas ? canvas->ShapedTexts().Misses() : 0;
    for (auto _ : state) {
        const std::int32_t at = step % 180 < 90 ? step % 180 : 180 - step % 180;
        const double from = first + at * 0.01 * span;
        bottom.SetMinMax(from, from + 0.1 * span);
        c.Paint();
        ++step;
    }
    state.SetLabel(Floors("pan", BackendName(canvasClass), n));
    // Of the texts the pan drew, the share drawn from glyph runs shaped in an earlier frame.
    if (canvas) {
        const auto hits = static_cast<double>(canvas->ShapedTexts().Hits() - hitsBefore);
        const auto misses = static_cast<double>(canvas->ShapedTexts().Misses() - missesBefore);
        state.counters["text hits %"] = hits + misses > 0 ? 100 * hits / (hits + misses) : 0;
    }
}

void LayIndex(benchmark::State& state) {
    const auto n = static_cast<std::int32_t>(state.range(0));
    const double* ys = BigChartOf(n).series.YValues().Values().data();
    for (auto _ : state) {
        TMinMaxIndex index;
        index.Cover(ys, static_cast<std::size_t>(n));
        benchmark::DoNotOptimize(index.Covered());
    }
    state.SetLabel(FloorLabel("BM_BigSeries/yPass/" + std::to_string(n)));
}

// Size by size, so that each walk is built once.
const bool registered = [] {
    for (const std::int32_t n : BigSeriesCounts()) {
        benchmark::RegisterBenchmark("BM_BigSeries/memoryPass", MemoryPass)
            ->Arg(n)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_BigSeries/yPass", YPass)
            ->Arg(n)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_BigSeries/layIndex", LayIndex)
            ->Arg(n)
            ->Unit(benchmark::kMillisecond);
        RegisterOnEachCanvas("BM_BigSeries/full", FullView, n);
        RegisterOnEachCanvas("BM_BigSeries/fullLayer", FullViewLayer, n);
        RegisterOnEachCanvas("BM_BigSeries/pan", Pan, n);
        RegisterOnEachCanvas("BM_BigSeries/fullReadingEveryPoint", FullViewReadingEveryPoint, n);
    }
    return true;
}();

}  // namespace
}  // namespace twinscope::bench
