// The benchmark program: starts Qt offscreen (the canvases need fonts), registers the canvases
// and runs every benchmark. Each case whose label names floors ("floor:<benchmark>", several
// apart by spaces) is printed at the end as a ratio to each, measured in the same run.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <QApplication>

#include "twinscope/chart/canvas/qt/QtCanvases.h"

namespace {

class TRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
            const double seconds =
                run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            times_[run.benchmark_name()] = seconds;
            order_.push_back({run.benchmark_name(), run.report_label});
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%-58s %12s  %-34s %8s\n", "case", "time", "floor", "ratio");
        // A label may name several floors, "floor:<a> floor:<b>", each a row.
        for (const auto& [name, label] : order_) {
            const std::string prefix = "floor:";
            for (std::size_t at = label.find(prefix); at != std::string::npos;
                 at = label.find(prefix, at + 1)) {
                const std::size_t start = at + prefix.size();
                const std::string floor = label.substr(start, label.find(' ', start) - start);
                const auto found = times_.find(floor);
                if (found == times_.end()) continue;
                std::printf("%-58s %9.3f ms  %-34s %8.2f\n", name.c_str(), times_[name] * 1e3,
                            floor.c_str(), times_[name] / found->second);
            }
        }
    }

private:
    std::map<std::string, double> times_;
    std::vector<std::pair<std::string, std::string>> order_;
};

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    twinscope::RegisterQtCanvases();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
