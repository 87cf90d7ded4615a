// Loading ten million ordered points into a line series: through the bulk path, point by
// point through AddPoint, and from a stored "Data" payload; and writing that payload.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/chart/series/SeriesDataStream.h"

namespace twinscope {
namespace {

constexpr std::int32_t PointCount = 10'000'000;

struct Points {
    std::vector<double> xs;
    std::vector<double> ys;
};

// Dates one minute apart and a wavy temperature: ordered X, as stored series have.
const Points& OrderedPoints() {
    static const Points points = [] {
        Points p;
        p.xs.reserve(PointCount);
        p.ys.reserve(PointCount);
        for (std::int32_t i = 0; i < PointCount; ++i) {
            p.xs.push_back(45494.0 + i / 1440.0);
            p.ys.push_back(400.0 + 80.0 * std::sin(i * 1e-3));
        }
        return p;
    }();
    return points;
}

const std::vector<std::uint8_t>& StoredPayload() {
    static const std::vector<std::uint8_t> payload = [] {
        TLineSeries series;
        series.AppendPoints(OrderedPoints().xs, OrderedPoints().ys);
        return WriteSeriesData(series);
    }();
    return payload;
}

void ReportPointRate(benchmark::State& state) {
    state.counters["points/s"] = benchmark::Counter(
        static_cast<double>(PointCount) * static_cast<double>(state.iterations()),
        benchmark::Counter::kIsRate);
}

void BM_LoadBulk(benchmark::State& state) {
    const Points& p = OrderedPoints();
    for (auto _ : state) {
        TLineSeries series;
        series.BeginBatch();
        series.ReservePoints(p.xs.size());
        series.AppendPoints(p.xs, p.ys);
        series.EndBatch();
        benchmark::DoNotOptimize(series.PointCount());
    }
    ReportPointRate(state);
}

void BM_LoadAddPoint(benchmark::State& state) {
    const Points& p = OrderedPoints();
    for (auto _ : state) {
        TLineSeries series;
        series.BeginBatch();
        for (std::size_t i = 0; i < p.xs.size(); ++i)
            series.AddPoint(p.xs[i], p.ys[i]);
        series.EndBatch();
        benchmark::DoNotOptimize(series.PointCount());
    }
    ReportPointRate(state);
}

void BM_ReadSeriesData(benchmark::State& state) {
    const std::vector<std::uint8_t>& payload = StoredPayload();
    for (auto _ : state) {
        TLineSeries series;
        ReadSeriesData(series, payload);
        benchmark::DoNotOptimize(series.PointCount());
    }
    ReportPointRate(state);
}

void BM_WriteSeriesData(benchmark::State& state) {
    TLineSeries series;
    series.AppendPoints(OrderedPoints().xs, OrderedPoints().ys);
    for (auto _ : state) {
        const std::vector<std::uint8_t> payload = WriteSeriesData(series);
        benchmark::DoNotOptimize(payload.data());
    }
    ReportPointRate(state);
}

BENCHMARK(BM_LoadBulk)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAddPoint)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadSeriesData)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteSeriesData)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace twinscope
