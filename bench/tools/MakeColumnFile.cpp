// Writes a column file of a random walk of N points, one second apart from 2023-03-01 on, the
// way the benchmarks read it: make-column-file PATH N.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "twinscope/platform/ColumnFileWriter.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: make-column-file PATH POINTS\n", stderr);
        return 2;
    }
    const std::int64_t count = std::atoll(argv[2]);
    try {
        twinscope::TColumnFileWriter writer(argv[1], "walk", true);
        std::mt19937_64 random(1);
        std::normal_distribution<double> step(0, 1);
        constexpr std::int64_t Batch = 1'000'000;
        std::vector<double> xs;
        std::vector<double> ys;
        double walk = 0;
        for (std::int64_t done = 0; done < count; done += Batch) {
            const std::int64_t n = std::min(Batch, count - done);
            xs.resize(static_cast<std::size_t>(n));
            ys.resize(static_cast<std::size_t>(n));
            for (std::int64_t i = 0; i < n; ++i) {
                xs[i] = 45000 + static_cast<double>(done + i) / 86400;
                ys[i] = walk += step(random);
            }
            writer.Add(xs, ys);
        }
        writer.Finish();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make-column-file: %s: %s\n", argv[1], e.what());
        return 1;
    }
    return 0;
}
