// The benchmark program: starts Qt offscreen (the canvases need fonts), registers the canvases
// and runs every benchmark. Each case whose label names floors ("floor:<benchmark>", several
// apart by spaces) is printed at the end as a ratio to each and as the speed-up over each,
// measured in the same run.

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
    // CPU time, the machine being shared: of each run, or the median of its repetitions.
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            const std::string name = run.run_name.str();
            const double seconds =
                run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
            // With --benchmark_report_aggregates_only only the aggregates arrive.
            if (!times_.contains(name)) order_.push_back({name, run.report_label});
            (run.run_type == Run::RT_Aggregate ? medians_ : times_)[name] = seconds;
            times_.try_emplace(name, seconds);
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\nCPU time%s; ratio = case / floor, speed-up = floor / case\n",
                    medians_.empty() ? "" : ", medians of the repetitions");
        std::printf("%-58s %12s  %-34s %8s %9s\n", "case", "time", "floor", "ratio", "speed-up");
        // A label may name several floors, "floor:<a> floor:<b>", each a row.
        for (const auto& [name, label] : order_) {
            const std::string prefix = "floor:";
            for (std::size_t at = label.find(prefix); at != std::string::npos;
                 at = label.find(prefix, at + 1)) {
                const std::size_t start = at + prefix.size();
                const std::string floor = label.substr(start, label.find(' ', start) - start);
                if (!times_.contains(floor)) continue;
                const double time = Time(name);
                const double floorTime = Time(floor);
                std::printf("%-58s %9.3f ms  %-34s %8.2f %9.2f\n", name.c_str(), time * 1e3,
                            floor.c_str(), time / floorTime, floorTime / time);
            }
        }
    }

private:
    double Time(const std::string& name) const {
        const auto median = medians_.find(name);
        return median != medians_.end() ? median->second : times_.at(name);
    }

    std::map<std::string, double> times_;
    std::map<std::string, double> medians_;
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
