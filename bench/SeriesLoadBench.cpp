// Loading ten million ordered points into a line series: through the bulk path, point by
// point through AddPoint, and from a stored "Data" payload; and writing that payload. Reloading
// point by point after ClearPoints, once other series were freed, must stay linear in N. A
// payload whose X values are stored descending loads into the ascending series within a small
// factor of the ascending payload.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "bench/BenchData.h"
#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/chart/series/SeriesDataStream.h"

namespace twinscope::bench {
namespace {

constexpr std::int32_t PointCount = MaxPointCount;

const std::vector<std::uint8_t>& StoredPayload() {
    static const std::vector<std::uint8_t> payload = [] {
        TLineSeries series;
        series.AppendPoints(OrderedPoints().xs, OrderedPoints().ys);
        return WriteSeriesData(series);
    }();
    return payload;
}

// The same points stored from last to first.
const std::vector<std::uint8_t>& DescendingPayload() {
    static const std::vector<std::uint8_t> payload = [] {
        TLineSeries series;
        series.XValues().SetOrder(loNone);
        const Points& p = OrderedPoints();
        series.ReservePoints(p.xs.size());
        series.BeginBatch();
        for (std::size_t i = p.xs.size(); i-- > 0;)
            series.AddPoint(p.xs[i], p.ys[i]);
        series.EndBatch();
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

void ReadEachIteration(benchmark::State& state, const std::vector<std::uint8_t>& payload) {
    for (auto _ : state) {
        TLineSeries series;
        ReadSeriesData(series, payload);
        benchmark::DoNotOptimize(series.PointCount());
    }
    ReportPointRate(state);
}

void BM_ReadSeriesData(benchmark::State& state) {
    ReadEachIteration(state, StoredPayload());
}

void BM_ReadSeriesDataDescending(benchmark::State& state) {
    ReadEachIteration(state, DescendingPayload());
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

// A series freed before the reload moves the C library's large blocks onto its heap, where a
// block can seldom grow in place.
void BM_ReloadAddPointAfterClear(benchmark::State& state) {
    const auto n = static_cast<std::int32_t>(state.range(0));
    const Points& p = OrderedPoints();
    {
        TLineSeries freed;
        freed.AppendPoints(p.xs, p.ys);
    }
    TLineSeries series;
    for (auto _ : state) {
        series.ClearPoints();
        series.BeginBatch();
        for (std::int32_t i = 0; i < n; ++i)
            series.AddPoint(p.xs[i], p.ys[i]);
        series.EndBatch();
        benchmark::DoNotOptimize(series.PointCount());
    }
    state.SetLabel(FloorLabel("BM_FloorMemcpy/" + std::to_string(n)));
    state.counters["ns/point"] =
        benchmark::Counter(static_cast<double>(n) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ReloadAddPointAfterClear)
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);

BENCHMARK(BM_LoadBulk)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAddPoint)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadSeriesData)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadSeriesDataDescending)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteSeriesData)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace twinscope::bench
