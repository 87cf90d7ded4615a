// A million readings a second streaming into a bounded window while the chart repaints at 60
// frames a second: each iteration is one frame, the 16,667 readings that arrived since the last
// one appended and the whole chart painted, both axes automatic. A frame's share of its 16.7 ms
// is the CPU a core spends on it.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "bench/BigSeries.h"

namespace twinscope::bench {
namespace {

constexpr double FrameMilliseconds = 1000.0 / 60;
constexpr std::int32_t ReadingsPerFrame = 16'667;

// The frames are timed over an eighth of the window at least, so that the mean holds every cost
// that comes back as the window moves on: chunks of values and of the index freed and added.
std::int32_t FramesPerEighth(std::int32_t window) {
    return window / 8 / ReadingsPerFrame + 1;
}

void AppendAndRepaint(benchmark::State& state, const std::string& canvasClass) {
    const auto window = static_cast<std::int32_t>(state.range(0));
    TBigChart c;
    c.chart.SetDefaultCanvas(canvasClass);
    c.series.XValues().SetDateTime(true);
    c.series.SetKeepLast(window);
    AppendWalk(c.series, window, 1e-6);
    c.Paint();
    // The readings' steps are drawn up front, so that the frames time the chart alone.
    std::mt19937_64 random(5);
    std::normal_distribution<double> step(0, 1);
    std::vector<double> steps(1 << 20);
    for (double& s : steps)
        s = step(random);
    std::vector<double> xs(ReadingsPerFrame);
    std::vector<double> ys(ReadingsPerFrame);
    double x = c.series.XValues().Last();
    double y = c.series.YValues().Last();
    std::size_t next = 0;
    auto arrive = [&] {
        for (std::int32_t i = 0; i < ReadingsPerFrame; ++i) {
            xs[i] = x += 1e-6 / 86400;
            ys[i] = y += steps[next++ & (steps.size() - 1)];
        }
        c.series.AppendPoints(xs, ys);
    };
    // Into the steady state, the window moving on, painted each frame as it would be shown.
    for (std::int32_t frame = 0; frame < FramesPerEighth(window) * 3 / 2; ++frame) {
        arrive();
        c.Paint();
    }
    auto since = [](std::chrono::steady_clock::time_point start) {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count();
    };
    double longest = 0;
    double longestAppend = 0;
    std::int32_t late = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        arrive();
        longestAppend = std::max(longestAppend, since(start));
        c.Paint();
        const double ms = since(start);
        longest = std::max(longest, ms);
        late += ms > FrameMilliseconds;
    }
    state.counters["longest ms"] = longest;
    // The readings of one frame appended and the oldest let go, without the paint.
    state.counters["longest append ms"] = longestAppend;
    state.counters["frames over 16.7 ms"] = late;
    state.counters["CPU % of a 60 Hz frame"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * FrameMilliseconds * 1e-3 / 100,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["readings/s"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * ReadingsPerFrame, benchmark::Counter::kIsRate);
}

// One family a window, as each is timed its own number of frames.
const bool registered = [] {
    for (const std::int32_t n : BigSeriesCounts()) {
        for (const std::string canvasClass : {"TChartCanvas3D", "TGDIPlusCanvas"}) {
            benchmark::RegisterBenchmark(
                ("BM_Streaming/appendAndRepaint/" + BackendName(canvasClass)).c_str(),
                AppendAndRepaint, canvasClass)
                ->Arg(n)
                ->Iterations(std::max(FramesPerEighth(n), 300))
                ->Unit(benchmark::kMillisecond);
        }
    }
    return true;
}();

}  // namespace
}  // namespace twinscope::bench
