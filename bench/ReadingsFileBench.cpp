// Reading a readings file of a gigabyte or more as --data does, beside a pass over the same
// mapped bytes in the same run: the stored readings' two columns, NOAA's daily summaries and
// its GHCNh hourly files.
// scripts/readings-bench.sh makes the files once, in TWINSCOPE_READINGS_DIR, and runs these
// cases alone: without that folder they are not registered. Each reading case reports its
// speed as a ratio to the memory pass, and its peak resident memory beside the bytes of the
// values it read.

#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "twinscope/readings/CsvRows.h"
#include "app/InputText.h"
#include "app/ReadingsFile.h"
#include "twinscope/runtime/DateTime.h"

namespace twinscope {
namespace {

std::int64_t Bytes() {
    const char* text = std::getenv("TWINSCOPE_READINGS_BYTES");
    return text ? std::atoll(text) : std::int64_t{1} << 30;
}

// Rows until the file holds at least Bytes(), written a block at a time.
template <typename WriteRow>
std::string MakeFile(const std::string& name, const char* header, WriteRow row) {
    const std::filesystem::path path =
        std::filesystem::path(std::getenv("TWINSCOPE_READINGS_DIR")) / name;
    if (std::filesystem::exists(path)) return path.string();
    const std::string partial = path.string() + ".part";
    std::FILE* file = std::fopen(partial.c_str(), "wb");
    std::fputs(header, file);
    std::int64_t written = static_cast<std::int64_t>(std::strlen(header));
    char text[512];
    for (std::int64_t i = 0; written < Bytes(); ++i) {
        const int n = row(text, sizeof text, i);
        std::fwrite(text, 1, static_cast<std::size_t>(n), file);
        written += n;
    }
    std::fclose(file);
    std::filesystem::rename(partial, path);
    return path.string();
}

// Hourly readings from 1900 on, with two decimals, as the program stores them.
std::string StoredReadings() {
    const TDateTime first = EncodeDate(1900, 1, 1);
    return MakeFile("readings.csv", "date,temperature\n",
                    [&](char* text, int size, std::int64_t i) {
                        const DateParts d = DecodeDate(first + static_cast<double>(i / 24));
                        return std::snprintf(text, static_cast<std::size_t>(size),
                                             "%04d-%02d-%02dT%02d:00,%.2f\n", d.Year, d.Month,
                                             d.Day, static_cast<int>(i % 24),
                                             40.0 + static_cast<double>(i % 977) * 0.05);
                    });
}

// Climate Data Online's daily summaries of stations a century long each, one after the other.
std::string DailySummaries() {
    const TDateTime first = EncodeDate(1920, 1, 1);
    constexpr std::int64_t Days = 36500;
    return MakeFile(
        "daily-summaries.csv", "\"STATION\",\"NAME\",\"DATE\",\"PRCP\",\"TMAX\",\"TMIN\"\n",
        [&](char* text, int size, std::int64_t i) {
            const DateParts d = DecodeDate(first + static_cast<double>(i % Days));
            return std::snprintf(text, static_cast<std::size_t>(size),
                                 "\"USW%08lld\",\"STATION %lld, WA US\",\"%04d-%02d-%02d\","
                                 "\"0.%02d\",\"%d\",\"%d\"\n",
                                 static_cast<long long>(i / Days), static_cast<long long>(i / Days),
                                 d.Year, d.Month, d.Day, static_cast<int>(i % 100),
                                 static_cast<int>(40 + i % 50), static_cast<int>(30 + i % 40));
        });
}

// NOAA's GHCNh hourly rows of one station from 1920 on, as wide as the real ones: the place,
// then 38 variables of six columns each, of which the temperatures and a few more are filled.
std::string HourlyPipeSeparated() {
    static const std::string header = [] {
        std::string h =
            "STATION|Station_name|DATE|Year|Month|Day|Hour|Minute|LATITUDE|LONGITUDE|"
            "ELEVATION";
        for (int v = 0; v < 38; ++v) {
            const std::string name = v == 0   ? "temperature"
                                     : v == 1 ? "dew_point_temperature"
                                              : "variable_" + std::to_string(v);
            for (const char* suffix : {"", "_Measurement_Code", "_Quality_Code", "_Report_Type",
                                       "_Source_Code", "_Source_Station_ID"})
                h += "|" + name + suffix;
        }
        return h + "\n";
    }();
    const TDateTime first = EncodeDate(1920, 1, 1);
    return MakeFile("hourly.psv", header.c_str(), [&](char* text, int size, std::int64_t i) {
        const DateParts d = DecodeDate(first + static_cast<double>(i / 24));
        const int hour = static_cast<int>(i % 24);
        int n = std::snprintf(text, static_cast<std::size_t>(size),
                              "USW00024233|SEATTLE TACOMA AIRPORT|%04d-%02d-%02dT%02d:53:00|%d|%d|"
                              "%d|%d|53|47.4444|-122.3139|112.8|%.1f||1|FM-15|7|72793024233|"
                              "%.1f||%d|FM-15|7|72793024233|1015.2||1|FM-15|7|",
                              d.Year, d.Month, d.Day, hour, d.Year, d.Month, d.Day, hour,
                              -5.0 + static_cast<double>(i % 277) * 0.1,
                              -8.0 + static_cast<double>(i % 211) * 0.1, i % 97 == 0 ? 3 : 1);
        // The rest of the 239 columns empty: 238 separators in all, 28 of them written.
        for (int k = 0; k < 238 - 28; ++k)
            text[n++] = '|';
        text[n++] = '\n';
        return n;
    });
}

// The processor time of this thread: the machine may be shared, and one core's speed is asked.
double ThreadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// A figure of /proc/self/status in megabytes ("VmHWM", "VmRSS").
double StatusMegabytes(const std::string& key) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(key + ":")) return std::atof(line.c_str() + key.size() + 1) / 1024;
    }
    return 0;
}

// From here on the peak resident memory starts again from the present one.
void ResetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

std::map<std::string, double>& MemoryPassRates() {
    static std::map<std::string, double> rates;
    return rates;
}

// Every 8-byte word of the mapped file added up, the mapping's pages let go behind as the
// readers let them go.
void MemoryPass(benchmark::State& state, const std::string& path) {
    std::int64_t bytes = 0;
    for (auto _ : state) {
        TInputText input(path);
        const std::string_view text = input.Text();
        std::uint64_t sum = 0;
        for (std::size_t at = 0; at < text.size(); at += TRowsWatch::Step) {
            const std::size_t end = std::min(text.size(), at + TRowsWatch::Step);
            std::size_t i = at;
            for (; i + 8 <= end; i += 8) {
                std::uint64_t word;
                std::memcpy(&word, text.data() + i, 8);
                sum += word;
            }
            for (; i < end; ++i)
                sum += static_cast<unsigned char>(text[i]);
            input.LetGoBefore(end);
        }
        benchmark::DoNotOptimize(sum);
        bytes = static_cast<std::int64_t>(text.size());
    }
    state.SetBytesProcessed(bytes * state.iterations());
}

void ReadFile(benchmark::State& state, const std::string& path, const std::string& layout) {
    std::int64_t bytes = 0;
    double values = 0;
    // The iteration whose load added the most memory.
    double peak = 0;
    double before = 0;
    double seconds = 0;
    for (auto _ : state) {
        const double resident = StatusMegabytes("VmRSS");
        ResetPeak();
        const double start = ThreadSeconds();
        const TReadingsFile file = ReadReadingsFile(path, {});
        seconds += ThreadSeconds() - start;
        const double high = StatusMegabytes("VmHWM");
        if (high - resident > peak - before) {
            peak = high;
            before = resident;
        }
        values = static_cast<double>(PointCount(file)) * 2 * sizeof(double) / (1 << 20);
        bytes = static_cast<std::int64_t>(std::filesystem::file_size(path));
    }
    state.SetBytesProcessed(bytes * state.iterations());
    const double rate = static_cast<double>(bytes * state.iterations()) / seconds;
    state.counters["MB/s"] = rate / 1e6;
    state.counters["values_MB"] = values;
    state.counters["rss_before_MB"] = before;
    state.counters["peak_MB"] = peak;
    // The memory the load added, over the values it holds.
    state.counters["peak_rise/values"] = (peak - before) / values;
    if (const auto pass = MemoryPassRates().find(layout); pass != MemoryPassRates().end())
        state.counters["ratio_to_memory_pass"] = rate / pass->second;
}

void MemoryPassCase(benchmark::State& state, const std::string& path, const std::string& layout) {
    const double start = ThreadSeconds();
    MemoryPass(state, path);
    const double seconds = ThreadSeconds() - start;
    const double rate =
        static_cast<double>(std::filesystem::file_size(path)) * state.iterations() / seconds;
    state.counters["MB/s"] = rate / 1e6;
    MemoryPassRates()[layout] = rate;
}

const bool registered = [] {
    if (!std::getenv("TWINSCOPE_READINGS_DIR")) return false;
    for (const auto& [layout, make] :
         {std::pair{"stored", &StoredReadings}, std::pair{"noaaDaily", &DailySummaries},
          std::pair{"ghcnHourly", &HourlyPipeSeparated}}) {
        const std::string path = make();
        const std::string name = layout;
        benchmark::RegisterBenchmark(("BM_ReadingsFile/memoryPass/" + name).c_str(),
                                     [=](benchmark::State& s) { MemoryPassCase(s, path, name); })
            ->Iterations(3)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("BM_ReadingsFile/read/" + name).c_str(),
                                     [=](benchmark::State& s) { ReadFile(s, path, name); })
            ->Iterations(3)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

}  // namespace
}  // namespace twinscope
