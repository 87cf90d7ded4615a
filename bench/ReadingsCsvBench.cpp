// Reading a CSV file of one million readings and loading them into a line series, as --data
// does: hourly dates in file order, and the same rows shuffled.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "app/ReadingsCsv.h"
#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/runtime/DateTime.h"

namespace twinscope {
namespace {

constexpr std::int32_t RowCount = 1'000'000;

std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    rows.reserve(RowCount);
    const TDateTime first = EncodeDate(2000, 1, 1);
    for (std::int32_t i = 0; i < RowCount; ++i) {
        const DateParts d = DecodeDate(first + i / 24);
        char row[64];
        std::snprintf(row, sizeof row, "%04d-%02d-%02dT%02d:00,%.2f\n", d.Year, d.Month, d.Day,
                      i % 24, 60.0 + (i % 977) * 0.05);
        rows.emplace_back(row);
    }
    return rows;
}

std::string WriteFile(const std::string& name, const std::vector<std::string>& rows) {
    const std::string path = (std::filesystem::temp_directory_path() / name).string();
    std::ofstream file(path, std::ios::binary);
    file << "date,temperature\n";
    for (const std::string& row : rows)
        file << row;
    return path;
}

const std::string& OrderedFile() {
    static const std::string path = WriteFile("twinscope-bench-ordered.csv", Rows());
    return path;
}

const std::string& ShuffledFile() {
    static const std::string path = [] {
        std::vector<std::string> rows = Rows();
        std::shuffle(rows.begin(), rows.end(), std::mt19937(2024));
        return WriteFile("twinscope-bench-shuffled.csv", rows);
    }();
    return path;
}

void LoadFile(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        const TReadings readings = ReadReadingsCsv(path);
        TLineSeries series;
        series.ReservePoints(readings.Dates.size());
        series.AppendPoints(readings.Dates, readings.Temperatures);
        benchmark::DoNotOptimize(series.PointCount());
    }
    state.counters["rows/s"] = benchmark::Counter(
        static_cast<double>(RowCount) * static_cast<double>(state.iterations()),
        benchmark::Counter::kIsRate);
}

void BM_ReadCsvOrdered(benchmark::State& state) { LoadFile(state, OrderedFile()); }
void BM_ReadCsvShuffled(benchmark::State& state) { LoadFile(state, ShuffledFile()); }

BENCHMARK(BM_ReadCsvOrdered)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadCsvShuffled)->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace twinscope
