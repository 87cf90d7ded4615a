// Writes a column file of a random walk of N points, one second apart from 2023-03-01 on, the
// way the benchmarks read it: make-column-file PATH N.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "bench/BigSeries.h"
#include "twinscope/platform/ColumnFileWriter.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: make-column-file PATH POINTS\n", stderr);
        return 2;
    }
    const std::int64_t count = std::atoll(argv[2]);
    try {
        twinscope::TColumnFileWriter writer(argv[1], "walk", true);
        twinscope::bench::ForEachWalkBatch(
            count, 1, nullptr, [&](const std::vector<double>& xs, const std::vector<double>& ys) {
                writer.Add(xs, ys);
            });
        writer.Finish();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make-column-file: %s: %s\n", argv[1], e.what());
        return 1;
    }
    return 0;
}
