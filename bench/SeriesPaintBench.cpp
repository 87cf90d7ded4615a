// The series layer of a 965 x 518 chart: a random walk and white noise of 1e3 to 1e7 points, in
// full view and zoomed to the last 1 % of X, on both canvases, drawn segment by segment and by
// pixel columns. Each case is a ratio to one streaming pass over as many X and Y values.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include <QImage>
#include <QPainter>

#include "bench/BenchData.h"
#include "twinscope/chart/canvas/qt/QtPaintTarget.h"
#include "twinscope/chart/panel/Chart.h"
#include "twinscope/chart/panel/SeriesLayer.h"
#include "twinscope/chart/series/LineSeries.h"

namespace twinscope::bench {
namespace {

// One chart with one red line series; kept while consecutive cases use the same points.
struct TSeriesChart {
    TSeriesChart(TShape shape, std::int32_t n) {
        chart.SetBounds(ChartWidth, ChartHeight);
        chart.SetView3D(false);
        series.SetParentChart(&chart);
        series.SetSeriesColor(clRed);
        const std::span<const double> xs(OrderedPoints().xs.data(), static_cast<std::size_t>(n));
        const std::span<const double> ys(ShapeValues(shape).data(), static_cast<std::size_t>(n));
        series.AppendPoints(xs, ys);
    }
    TChart chart;
    TLineSeries& series = chart.CreateSeries<TLineSeries>();
};

TSeriesChart& ChartOf(TShape shape, std::int32_t n) {
    static std::unique_ptr<TSeriesChart> current;
    static std::pair<TShape, std::int32_t> key{};
    if (!current || key != std::pair{shape, n}) {
        current.reset();
        current = std::make_unique<TSeriesChart>(shape, n);
        key = {shape, n};
    }
    return *current;
}

struct TPaintCase {
    TShape shape;
    bool zoomed;
    std::string canvasClass;
    bool reduced;
};

void PaintSeries(benchmark::State& state, const TPaintCase& c) {
    const auto n = static_cast<std::int32_t>(state.range(0));
    TSeriesChart& s = ChartOf(c.shape, n);
    s.chart.SetDefaultCanvas(c.canvasClass);
    s.series.SetReduceColumns(c.reduced);
    TChartAxis& bottom = s.chart.BottomAxis();
    bottom.SetAutomatic(!c.zoomed);
    if (c.zoomed) {
        const std::vector<double>& xs = OrderedPoints().xs;
        const double span = xs[n - 1] - xs[0];
        bottom.SetMinMax(xs[0] + 0.985 * span, xs[0] + 0.995 * span);
    }
    // One whole paint lays the chart out; the series layer then draws into the canvas's buffer.
    QImage image(ChartWidth, ChartHeight, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    TQtPaintTarget target(painter);
    s.chart.Invalidate();
    s.chart.Paint(target);
    TCanvas3D& canvas = *s.chart.Canvas();
    for (auto _ : state)
        DrawSeriesLayer(s.chart, canvas);
    state.SetLabel(FloorLabel("BM_FloorMemoryPass/" + std::to_string(n)));
    state.counters["ns/point"] =
        benchmark::Counter(static_cast<double>(n) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Registered shape by shape and size by size, so that each chart is built once.
const bool registered = [] {
    for (TShape shape : {TShape::Walk, TShape::Noise}) {
        for (std::int32_t n = 1000; n <= MaxPointCount; n *= 10) {
            for (bool zoomed : {false, true}) {
                for (const char* canvasClass : {"TChartCanvas3D", "TGDIPlusCanvas"}) {
                    for (bool reduced : {false, true}) {
                        // Segment by segment, ten million points take seconds a paint.
                        if (!reduced && !zoomed && n == MaxPointCount) continue;
                        const std::string name =
                            std::string("BM_PaintSeries/") +
                            (shape == TShape::Walk ? "walk" : "noise") +
                            (zoomed ? "/zoom1%" : "/full") +
                            (std::string(canvasClass) == "TChartCanvas3D" ? "/GDI" : "/GDI+") +
                            (reduced ? "/columns" : "/segments");
                        const TPaintCase c{shape, zoomed, canvasClass, reduced};
                        benchmark::RegisterBenchmark(name.c_str(), PaintSeries, c)
                            ->Arg(n)
                            ->Unit(benchmark::kMillisecond);
                    }
                }
            }
        }
    }
    return true;
}();

}  // namespace
}  // namespace twinscope::bench
