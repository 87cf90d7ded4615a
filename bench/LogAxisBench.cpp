// A chart whose left axis is logarithmic over the whole range of the doubles, 1e-300 to 1e300,
// with a thousand points across it and no legend (which would list the thousand values): a full
// repaint on both canvases, against a bare copy of an image of that size, and beside it the same
// chart on a linear axis over the exponents (-300 to 300), which draws the same line. And the
// big cases' walk of ten million points on a logarithmic axis, as powers of ten of a
// hundredth of the walk, against that hundredth on a linear axis: the same line again, drawn
// by pixel columns on both.

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <string>

#include <QImage>
#include <QPainter>

#include "bench/BenchData.h"
#include "bench/BigSeries.h"
#include "twinscope/chart/canvas/qt/QtCanvases.h"
#include "twinscope/chart/canvas/qt/QtPaintTarget.h"
#include "twinscope/chart/panel/Chart.h"
#include "twinscope/chart/series/LineSeries.h"

namespace twinscope::bench {
namespace {

void RepaintLogChart(benchmark::State& state, const std::string& canvasClass, bool logarithmic) {
    RegisterQtCanvases();
    TChart chart;
    chart.SetBounds(965, 518);
    chart.SetView3D(false);
    chart.SetDefaultCanvas(canvasClass);
    chart.Legend().SetVisible(false);
    auto& series = chart.AddNewSeries<TLineSeries>();
    for (int i = 0; i <= 1000; ++i) {
        const double exponent = -300 + 0.6 * i;
        series.AddPoint(i, logarithmic ? std::pow(10.0, exponent) : exponent);
    }
    TChartAxis& left = chart.LeftAxis();
    if (logarithmic) {
        left.SetMinMax(1e-300, 1e300);
        left.SetLogarithmic(true);
    } else {
        left.SetMinMax(-300, 300);
    }
    QImage image{chart.Width(), chart.Height(), QImage::Format_ARGB32_Premultiplied};
    QPainter painter{&image};
    TQtPaintTarget target{painter};
    for (auto _ : state) {
        chart.Invalidate();
        chart.Paint(target);
    }
    state.SetLabel(FloorLabel("BM_FloorBlit"));
}

std::string BigCase(bool logarithmic, const std::string& backend) {
    return std::string("BM_LogAxisBigSeries/") + (logarithmic ? "logarithmic/" : "linear/") +
           backend + "/" + std::to_string(MaxPointCount);
}

// Kept for the run: each is built once for both canvases.
TBigChart& BigWalkChart(bool logarithmic) {
    static std::unique_ptr<TBigChart> charts[2];
    std::unique_ptr<TBigChart>& c = charts[logarithmic ? 1 : 0];
    if (!c) {
        c = std::make_unique<TBigChart>();
        if (logarithmic) {
            AppendWalk(c->series, MaxPointCount, 1, [](double walk) {
                return std::pow(10.0, walk / 100);
            });
            c->chart.LeftAxis().SetLogarithmic(true);
        } else {
            AppendWalk(c->series, MaxPointCount, 1, [](double walk) { return walk / 100; });
        }
    }
    return *c;
}

void PaintBigWalk(benchmark::State& state, const std::string& canvasClass, bool logarithmic) {
    TBigChart& c = BigWalkChart(logarithmic);
    c.chart.SetDefaultCanvas(canvasClass);
    c.Paint();  // lays the index
    for (auto _ : state)
        c.Paint();
    if (logarithmic) state.SetLabel(FloorLabel(BigCase(false, BackendName(canvasClass))));
}

const bool registered = [] {
    for (const char* canvasClass : {"TChartCanvas3D", "TGDIPlusCanvas"}) {
        const std::string backend = std::string(canvasClass) == "TChartCanvas3D" ? "GDI" : "GDI+";
        for (const bool logarithmic : {true, false}) {
            const std::string axis = logarithmic ? "logarithmic" : "linear";
            benchmark::RegisterBenchmark(("BM_LogAxisChart/" + axis + "/" + backend).c_str(),
                                         RepaintLogChart, std::string(canvasClass), logarithmic)
                ->Unit(benchmark::kMicrosecond);
        }
    }
    for (const char* canvasClass : {"TChartCanvas3D", "TGDIPlusCanvas"}) {
        for (const bool logarithmic : {false, true}) {
            const std::string backend = BackendName(canvasClass);
            benchmark::RegisterBenchmark(BigCase(logarithmic, backend).c_str(), PaintBigWalk,
                                         std::string(canvasClass), logarithmic)
                ->Unit(benchmark::kMillisecond);
        }
    }
    return true;
}();

}  // namespace
}  // namespace twinscope::bench
