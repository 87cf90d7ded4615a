// The floors other cases are measured against: one streaming pass summing X and Y, a copy of
// the same bytes, and a bare copy of a chart-sized image.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include <QImage>
#include <QPainter>

#include "bench/BenchData.h"

namespace twinscope::bench {
namespace {

void BM_FloorMemoryPass(benchmark::State& state) {
    const auto n = static_cast<std::size_t>(state.range(0));
    const Points& p = OrderedPoints();
    for (auto _ : state) {
        double sum = 0;
        for (std::size_t i = 0; i < n; ++i)
            sum += p.xs[i] + p.ys[i];
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_FloorMemoryPass)->Apply(PointCounts)->Unit(benchmark::kMillisecond);

void BM_FloorMemcpy(benchmark::State& state) {
    const auto n = static_cast<std::size_t>(state.range(0));
    const Points& p = OrderedPoints();
    std::vector<double> xs(n);
    std::vector<double> ys(n);
    for (auto _ : state) {
        std::memcpy(xs.data(), p.xs.data(), n * sizeof(double));
        std::memcpy(ys.data(), p.ys.data(), n * sizeof(double));
        benchmark::DoNotOptimize(xs.data());
        benchmark::DoNotOptimize(ys.data());
    }
}
BENCHMARK(BM_FloorMemcpy)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

void BM_FloorBlit(benchmark::State& state) {
    QImage source(ChartWidth, ChartHeight, QImage::Format_ARGB32_Premultiplied);
    source.fill(Qt::gray);
    QImage target(ChartWidth, ChartHeight, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&target);
    for (auto _ : state) {
        painter.drawImage(0, 0, source);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_FloorBlit)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace twinscope::bench
