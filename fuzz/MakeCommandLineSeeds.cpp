// Writes the seeds of the command line fuzzer into the directory given as argument: argument
// vectors that reach every option, each argument ended by a NUL byte.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "fuzz/SeedFiles.h"

int main(int argc, char** argv) {
    const std::filesystem::path dir = twinscope::fuzz::SeedDirectory(argc, argv);
    const std::vector<std::vector<std::string>> seeds = {
        {"--help"},
        {"-v"},
        {"--render", "c.png", "--min", "300", "--max=500", "--size", "800x450", "--grid-on-celsius",
         "--canvas", "TChartCanvas3D"},
        {"--render", "c.svg", "--begin", "2024-07-20", "--end", "2024-09-30T23:59:59", "--title",
         "Seattle", "--legend", "series", "--scale", "2.5"},
        {"--data", "-", "--data-format", "csv", "--column", "high", "--column", "low", "--unit",
         "C", "--render", "-", "--format", "pdf"},
        {"--data", "year.csv.gz", "--unit", "k"},
        {"--frobnicate", "readings.csv", "--", "-x"},
    };
    int n = 0;
    for (const std::vector<std::string>& arguments : seeds) {
        std::string bytes;
        for (const std::string& argument : arguments)
            bytes += argument + '\0';
        twinscope::fuzz::SaveSeed(
            dir / ("seed" + std::to_string(n++)),
            std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    }
    return 0;
}
