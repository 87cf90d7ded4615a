// Frames of a random walk shown from column files (scripts/column-bench.sh makes them once, of
// 1e8 and 1e9 points, and names them in TWINSCOPE_COLUMN_FILES, apart by colons): the first
// frame from opening the file on, the full view, its series layer alone, and a pan of a tenth
// of the points moved on by a hundredth each frame. Each case is a ratio to the same case of
// the smallest file, the growth; the pan reports the resident memory after it, the pages it
// had to wait for from the disk a frame, and how long a frame did not run, on average.

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "bench/BigSeries.h"
#include "twinscope/chart/panel/SeriesLayer.h"
#include "twinscope/platform/MappedColumnFile.h"

namespace twinscope::bench {
namespace {

std::vector<std::string> ColumnFiles() {
    std::vector<std::string> files;
    const char* text = std::getenv("TWINSCOPE_COLUMN_FILES");
    std::stringstream list(text ? text : "");
    for (std::string file; std::getline(list, file, ':');)
        if (!file.empty()) files.push_back(file);
    return files;
}

double ResidentMegabytes() {
    std::ifstream statm("/proc/self/statm");
    std::int64_t size = 0;
    std::int64_t resident = 0;
    statm >> size >> resident;
    return static_cast<double>(resident * sysconf(_SC_PAGESIZE)) / (1 << 20);
}

// A chart showing one file; kept while consecutive cases show the same file.
struct TShownFile {
    explicit TShownFile(const std::string& path) : file(TMappedColumnFile::Open(path)) {
        c.series.ShowBorrowedPoints(file->Points());
    }
    std::shared_ptr<TMappedColumnFile> file;
    TBigChart c;
};

TShownFile& Shown(const std::string& path) {
    static std::unique_ptr<TShownFile> current;
    static std::string shownPath;
    if (!current || shownPath != path) {
        current.reset();
        current = std::make_unique<TShownFile>(path);
        shownPath = path;
    }
    return *current;
}

std::string Growth(const std::string& kind, const std::string& canvasClass,
                   std::int64_t smallest, std::int64_t n) {
    if (n == smallest) return "";
    return FloorLabel("BM_ColumnFile/" + kind + "/" + BackendName(canvasClass) + "/" +
                      std::to_string(smallest));
}

void FirstFrame(benchmark::State& state, const std::string& path, const std::string& canvasClass,
                std::int64_t smallest) {
    for (auto _ : state) {
        TBigChart c;
        c.chart.SetDefaultCanvas(canvasClass);
        c.series.ShowBorrowedPoints(TMappedColumnFile::Open(path)->Points());
        c.Paint();
    }
    state.SetLabel(Growth("firstFrame", canvasClass, smallest, state.range(0)));
}

void FullView(benchmark::State& state, const std::string& path, const std::string& canvasClass,
              std::int64_t smallest) {
    TShownFile& s = Shown(path);
    state.counters["RSS MB at open"] = ResidentMegabytes();
    s.c.chart.SetDefaultCanvas(canvasClass);
    s.c.chart.BottomAxis().SetAutomatic(true);
    s.c.Paint();
    state.counters["RSS MB first frame"] = ResidentMegabytes();
    for (auto _ : state)
        s.c.Paint();
    state.counters["RSS MB"] = ResidentMegabytes();
    state.SetLabel(Growth("full", canvasClass, smallest, state.range(0)));
}

void FullViewLayer(benchmark::State& state, const std::string& path,
                   const std::string& canvasClass, std::int64_t smallest) {
    TShownFile& s = Shown(path);
    s.c.chart.SetDefaultCanvas(canvasClass);
    s.c.chart.BottomAxis().SetAutomatic(true);
    s.c.Paint();
    TCanvas3D& canvas = *s.c.chart.Canvas();
    for (auto _ : state)
        DrawSeriesLayer(s.c.chart, canvas);
    state.SetLabel(Growth("fullLayer", canvasClass, smallest, state.range(0)));
}

// Frames of a tenth of the points, the view moved by `step(frame)` of the span before each;
// the pan counters after them.
template <typename Step>
void PanFrames(benchmark::State& state, TShownFile& s, Step step) {
    TChartAxis& bottom = s.c.chart.BottomAxis();
    bottom.SetAutomatic(false);
    const double first = s.c.series.XValues().First();
    const double span = s.c.series.XValues().Last() - first;
    std::int32_t frame = 0;
    std::int64_t pagesRead = 0;
    double waited = 0;
    for (auto _ : state) {
        const double from = first + step(frame) * span;
        bottom.SetMinMax(from, from + 0.1 * span);
        s.c.Paint();
        const TMappedColumnFile::TWait wait = s.file->SinceWillDraw();
        pagesRead += wait.PagesRead;
        waited += std::chrono::duration<double, std::milli>(wait.Waited).count();
        ++frame;
    }
    state.counters["RSS MB"] = ResidentMegabytes();
    state.counters["pages read"] =
        benchmark::Counter(static_cast<double>(pagesRead), benchmark::Counter::kAvgIterations);
    state.counters["waited ms"] =
        benchmark::Counter(waited, benchmark::Counter::kAvgIterations);
}

void Pan(benchmark::State& state, const std::string& path, const std::string& canvasClass,
         std::int64_t smallest) {
    TShownFile& s = Shown(path);
    s.c.chart.SetDefaultCanvas(canvasClass);
    PanFrames(state, s, [](std::int32_t frame) {
        const std::int32_t at = frame % 180 < 90 ? frame % 180 : 180 - frame % 180;
        return at * 0.01;
    });
    state.SetLabel(Growth("pan", canvasClass, smallest, state.range(0)));
}

// A drag of 40 pixel columns a frame, from a file whose pages left the page cache (but for
// those the program holds): what a frame waits for is what was not asked for ahead.
void ColdDrag(benchmark::State& state, const std::string& path, const std::string& canvasClass,
              std::int64_t smallest) {
    TShownFile& s = Shown(path);
    s.c.chart.SetDefaultCanvas(canvasClass);
    s.c.Paint();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        ::close(fd);
    }
    const TRect& plot = s.c.chart.PlotRect();
    const double columnShare = 0.1 / (plot.Right - plot.Left);
    PanFrames(state, s, [&](std::int32_t frame) { return 0.4 + 40 * (frame % 100) * columnShare; });
    state.SetLabel(Growth("coldDrag", canvasClass, smallest, state.range(0)));
}

template <typename Case>
void Register(const std::string& kind, Case run, const std::string& path, std::int64_t n,
              std::int64_t smallest) {
    for (const std::string canvasClass : {"TChartCanvas3D", "TGDIPlusCanvas"}) {
        benchmark::RegisterBenchmark(
            ("BM_ColumnFile/" + kind + "/" + BackendName(canvasClass)).c_str(),
            [=](benchmark::State& state) { run(state, path, canvasClass, smallest); })
            ->Arg(n)
            ->Unit(benchmark::kMillisecond);
    }
}

const bool registered = [] {
    std::vector<std::pair<std::string, std::int64_t>> files;
    for (const std::string& path : ColumnFiles())
        files.emplace_back(path, TMappedColumnFile::Open(path)->Layout().PointCount);
    if (files.empty()) return false;
    std::int64_t smallest = files.front().second;
    for (const auto& file : files)
        smallest = std::min(smallest, file.second);
    for (const auto& [path, n] : files) {
        Register("firstFrame", FirstFrame, path, n, smallest);
        Register("full", FullView, path, n, smallest);
        Register("fullLayer", FullViewLayer, path, n, smallest);
        Register("pan", Pan, path, n, smallest);
        Register("coldDrag", ColdDrag, path, n, smallest);
    }
    return true;
}();

}  // namespace
}  // namespace twinscope::bench
