#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <QImage>
#include <QPainter>

#include "bench/BenchData.h"
#include "twinscope/chart/canvas/qt/QtPaintTarget.h"
#include "twinscope/chart/panel/Chart.h"
#include "twinscope/chart/series/LineSeries.h"

namespace twinscope::bench {

// The largest series the big cases build: TWINSCOPE_BENCH_LARGEST points when set (scripts/
// bench.sh --big sets 2e8), otherwise ten million.
inline std::int64_t LargestBigSeries() {
    const char* text = std::getenv("TWINSCOPE_BENCH_LARGEST");
    return text ? std::atoll(text) : MaxPointCount;
}

// The point counts from a million up to the largest, by tenfolds, and the largest itself.
inline std::vector<std::int32_t> BigSeriesCounts() {
    std::vector<std::int32_t> counts;
    const std::int64_t largest = LargestBigSeries();
    for (std::int64_t n = 1'000'000; n <= largest; n *= 10)
        counts.push_back(static_cast<std::int32_t>(n));
    if (counts.empty() || counts.back() != largest) {
        counts.push_back(static_cast<std::int32_t>(largest));
    }
    return counts;
}

// The points of a random walk, `count` of them `secondsApart` apart in date units from
// 45000 on, handed to `take(xs, ys)` in batches of a million, so that no second copy of a large
// series is held. With `valueOf`, each point holds that function of the walk instead.
template <typename Take>
void ForEachWalkBatch(std::int64_t count, double secondsApart, double (*valueOf)(double),
                      Take&& take) {
    std::mt19937_64 random(1);
    std::normal_distribution<double> step(0, 1);
    constexpr std::int64_t Batch = 1'000'000;
    std::vector<double> xs;
    std::vector<double> ys;
    double walk = 0;
    for (std::int64_t done = 0; done < count; done += Batch) {
        const std::int64_t n = std::min(Batch, count - done);
        xs.resize(static_cast<std::size_t>(n));
        ys.resize(static_cast<std::size_t>(n));
        for (std::int64_t i = 0; i < n; ++i) {
            xs[i] = 45000 + static_cast<double>(done + i) * secondsApart / 86400;
            walk += step(random);
            ys[i] = valueOf ? valueOf(walk) : walk;
        }
        take(xs, ys);
    }
}

// Fills an empty series with the walk above.
inline void AppendWalk(TChartSeries& series, std::int64_t count, double secondsApart = 1,
                       double (*valueOf)(double) = nullptr) {
    series.ReservePoints(static_cast<std::size_t>(count));
    ForEachWalkBatch(count, secondsApart, valueOf,
                     [&](const std::vector<double>& xs, const std::vector<double>& ys) {
                         series.AppendPoints(xs, ys);
                     });
}

// A chart of the benchmarks' size with one red series (a line unless told), painted into an
// image.
template <typename Series = TLineSeries>
struct TBigChartOf {
    TBigChartOf() {
        chart.SetBounds(ChartWidth, ChartHeight);
        chart.SetView3D(false);
        series.SetParentChart(&chart);
        series.SetSeriesColor(clRed);
    }
    void Paint() {
        chart.Invalidate();
        chart.Paint(target);
    }
    TChart chart;
    Series& series = chart.CreateSeries<Series>();
    QImage image{ChartWidth, ChartHeight, QImage::Format_ARGB32_Premultiplied};
    QPainter painter{&image};
    TQtPaintTarget target{painter};
};

using TBigChart = TBigChartOf<>;

inline std::string BackendName(const std::string& canvasClass) {
    return canvasClass == "TChartCanvas3D" ? "GDI" : "GDI+";
}

// Registers `name`/GDI and `name`/GDI+ at n points, in milliseconds.
template <typename Function>
void RegisterOnEachCanvas(const std::string& name, Function function, std::int32_t n) {
    for (const std::string canvasClass : {"TChartCanvas3D", "TGDIPlusCanvas"}) {
        benchmark::RegisterBenchmark((name + "/" + BackendName(canvasClass)).c_str(), function,
                                     canvasClass)
            ->Arg(n)
            ->Unit(benchmark::kMillisecond);
    }
}

}  // namespace twinscope::bench
