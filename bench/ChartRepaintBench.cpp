// The program's chart as its window shows it (965 x 518, the stored series and both scales):
// a full repaint and an unchanged one on both canvases, against a bare copy of an image of
// that size; the label passes of its axes; and the pixel rounding every series point takes.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include <QImage>
#include <QPainter>

#include "app/TwinscopeMain.h"
#include "bench/BenchData.h"
#include "twinscope/chart/axes/AxisGeometry.h"
#include "twinscope/chart/axes/AxisLabelPass.h"
#include "twinscope/chart/canvas/qt/QtPaintTarget.h"
#include "twinscope/chart/panel/Chart.h"
#include "twinscope/chart/panel/ComputeLayout.h"
#include "twinscope/runtime/Arithmetic.h"

namespace twinscope::bench {
namespace {

// The program's window with its chart painted once on the given canvas into an image.
struct TPaintedWindow {
    explicit TPaintedWindow(const std::string& canvasClass) {
        chart.SetDefaultCanvas(canvasClass);
        chart.Paint(target);
    }
    TfmTwinscope window;
    TChart& chart = window.Chart();
    QImage image{chart.Width(), chart.Height(), QImage::Format_ARGB32_Premultiplied};
    QPainter painter{&image};
    TQtPaintTarget target{painter};
};

void RepaintChart(benchmark::State& state, const std::string& canvasClass, bool changed) {
    TPaintedWindow w(canvasClass);
    const std::uint64_t restored = w.chart.Canvas()->LayersRestored();
    for (auto _ : state) {
        if (changed) w.chart.Invalidate();
        w.chart.Paint(w.target);
    }
    // The share of the frames that laid back the picture under the series.
    state.counters["layerHits"] =
        static_cast<double>(w.chart.Canvas()->LayersRestored() - restored) /
        static_cast<double>(state.iterations());
    state.SetLabel(FloorLabel("BM_FloorBlit"));
}

// The label passes as the painter runs them: with the label samples the layout measured.
void RunLabelPasses(benchmark::State& state, const std::string& canvasClass) {
    TPaintedWindow w(canvasClass);  // the paint gives the axes their ranges and places
    TCanvas3D& canvas = *w.chart.Canvas();
    for (auto _ : state) {
        for (TChartAxis* axis : w.chart.Axes()) {
            const TAxisPaint& paint = w.chart.AxisPaintOf(*axis);
            if (!paint.Shown) continue;
            benchmark::DoNotOptimize(RunLabelPass(*axis, paint, canvas));
        }
    }
    state.SetLabel(FloorLabel("BM_FloorBlit"));
}

// The layout of a paint on its own: everything decided, nothing drawn.
void LayOutChart(benchmark::State& state, const std::string& canvasClass) {
    TPaintedWindow w(canvasClass);
    TCanvas3D& canvas = *w.chart.Canvas();
    const TRect bounds{0, 0, w.chart.Width(), w.chart.Height()};
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeLayout(w.chart, &canvas, bounds));
    state.SetLabel(FloorLabel("BM_FloorBlit"));
}

const bool registered = [] {
    for (const char* canvasClass : {"TChartCanvas3D", "TGDIPlusCanvas"}) {
        const std::string backend = std::string(canvasClass) == "TChartCanvas3D" ? "GDI" : "GDI+";
        benchmark::RegisterBenchmark(("BM_ProgramChart/full/" + backend).c_str(), RepaintChart,
                                     std::string(canvasClass), true)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("BM_ProgramChart/unchanged/" + backend).c_str(), RepaintChart,
                                     std::string(canvasClass), false)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("BM_ProgramChart/layout/" + backend).c_str(), LayOutChart,
                                     std::string(canvasClass))
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("BM_ProgramChart/labelPasses/" + backend).c_str(),
                                     RunLabelPasses, std::string(canvasClass))
            ->Unit(benchmark::kMicrosecond);
    }
    return true;
}();

// Pixel positions with fractions, halves among them.
const std::vector<double>& PixelValues() {
    static const std::vector<double> values = [] {
        std::mt19937_64 random(3);
        std::uniform_real_distribution<double> pixel(-2000, 2000);
        std::vector<double> v(1 << 20);
        for (std::size_t i = 0; i < v.size(); ++i)
            v[i] = i % 8 ? pixel(random) : std::floor(pixel(random)) + 0.5;
        return v;
    }();
    return values;
}

// The rounding pixels took before: nearbyint on the extended value, through the C library.
[[gnu::noinline]] std::int64_t FormerRound(Extended x) {
    const Extended r = std::nearbyint(x);
    if (std::isnan(r)) return 0;
    if (r <= static_cast<Extended>(INT64_MIN)) return INT64_MIN;
    if (r >= static_cast<Extended>(INT64_MAX)) return INT64_MAX;
    return static_cast<std::int64_t>(r);
}

template <typename Rounding>
void RoundPixels(benchmark::State& state, Rounding round) {
    for (auto _ : state) {
        std::int64_t sum = 0;
        for (double v : PixelValues())
            sum += round(v);
        benchmark::DoNotOptimize(sum);
    }
    state.counters["ns/point"] = benchmark::Counter(
        static_cast<double>(PixelValues().size()) * static_cast<double>(state.iterations()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_RoundPixelFormer(benchmark::State& state) {
    RoundPixels(state, [](double v) { return FormerRound(static_cast<Extended>(v)); });
}
BENCHMARK(BM_RoundPixelFormer)->Unit(benchmark::kMillisecond);

void BM_RoundExtended(benchmark::State& state) {
    RoundPixels(state, [](double v) { return Round(static_cast<Extended>(v)); });
}
BENCHMARK(BM_RoundExtended)->Unit(benchmark::kMillisecond);

// What a series point costs now: the axis's whole mapping, rounding included.
void BM_ValueToPixel(benchmark::State& state) {
    TChart chart;
    TChartAxis& axis = chart.BottomAxis();
    axis.SetAutomatic(false);
    axis.SetMinMax(-2000, 2000);
    const TScaleMap map =
        AxisScaleMap(axis, {-2000, 2000}, AxisPixelSpan(axis, TRect{0, 0, 4000, 100}));
    RoundPixels(state, [&](double v) { return map.ToPixel(v); });
}
BENCHMARK(BM_ValueToPixel)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace twinscope::bench
