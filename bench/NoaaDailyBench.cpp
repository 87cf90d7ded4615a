// Reading NOAA's daily summaries as --data does, beside a pass over the same bytes in memory:
// the ratio of the two says how far the reader is from the speed of the memory.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <numeric>
#include <string>

#include "app/ReadingsFile.h"
#include "twinscope/runtime/DateTime.h"

namespace twinscope {
namespace {

// Two stations, a century of days each: about 5 MB of text as Climate Data Online writes it.
const std::string& DailySummaries() {
    static const std::string text = [] {
        std::string out = "\"STATION\",\"NAME\",\"DATE\",\"PRCP\",\"TMAX\",\"TMIN\"\n";
        const TDateTime first = EncodeDate(1920, 1, 1);
        for (const char* station : {"USW00024233", "USW00024229"}) {
            for (std::int32_t i = 0; i < 36500; ++i) {
                const DateParts d = DecodeDate(first + i);
                char row[160];
                std::snprintf(row, sizeof row,
                              "\"%s\",\"SEATTLE TACOMA AIRPORT, WA US\",\"%04d-%02d-%02d\","
                              "\"0.%02d\",\"%d\",\"%d\"\n",
                              station, d.Year, d.Month, d.Day, i % 100, 40 + i % 50, 30 + i % 40);
                out += row;
            }
        }
        return out;
    }();
    return text;
}

void BM_ReadNoaaDailySummaries(benchmark::State& state) {
    const std::string& text = DailySummaries();
    for (auto _ : state) {
        const TReadingsFile file = ParseReadingsText(text, {}, "bench");
        benchmark::DoNotOptimize(file.Series.size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(text.size()) * state.iterations());
}

// Every byte of the text read once.
void BM_MemoryPassOverDailySummaries(benchmark::State& state) {
    const std::string& text = DailySummaries();
    for (auto _ : state) {
        const std::uint64_t sum = std::accumulate(
            text.begin(), text.end(), std::uint64_t{0},
            [](std::uint64_t s, char c) { return s + static_cast<unsigned char>(c); });
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(text.size()) * state.iterations());
}

BENCHMARK(BM_ReadNoaaDailySummaries)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoryPassOverDailySummaries)->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace twinscope
