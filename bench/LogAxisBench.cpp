// A chart whose left axis is logarithmic over the whole range of the doubles, 1e-300 to 1e300,
// with a thousand points across it and no legend (which would list the thousand values): a full
// repaint on both canvases, against a bare copy of an image of that size, and beside it the same
// chart on a linear axis over the exponents (-300 to 300), which draws the same line.

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include <QImage>
#include <QPainter>

#include "bench/BenchData.h"
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
    return true;
}();

}  // namespace
}  // namespace twinscope::bench
