// Writes the seed payloads of the series data fuzzer into the directory given as argument.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/chart/series/SeriesDataStream.h"
#include "fuzz/SeedFiles.h"
#include "tests/series/WindowSeriesData.h"

namespace {

using namespace twinscope;

// Colours, gaps, short and long labels, X out of index order.
std::vector<std::uint8_t> LabelledPayload() {
    TLineSeries series;
    series.SetSeriesColor(clRed);
    for (int i = 0; i < 8; ++i) {
        series.AddPoint(i * 0.5, 10 - i, std::string(static_cast<std::size_t>(i * 40), 'L'),
                        i % 3 == 0   ? clBlue
                        : i % 3 == 1 ? clNone
                                     : clDefault);
    }
    return WriteSeriesData(series);
}

// Three records with the indexes as X, each with a mark position and no picture.
std::vector<std::uint8_t> MarkedPayload() {
    std::vector<std::uint8_t> bytes = {sdMarkPositions | sdPictures, 3, 0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        bytes.insert(bytes.end(), 8, 0);
        bytes.insert(bytes.end(), SeriesMarkPositionSize, static_cast<std::uint8_t>(i));
        bytes.push_back(0);
    }
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    using fuzz::SaveSeed;
    const std::filesystem::path dir = fuzz::SeedDirectory(argc, argv);
    SaveSeed(dir / "window", testing::FromHex(testing::WindowSeriesDataHex));
    SaveSeed(dir / "labelled", LabelledPayload());
    SaveSeed(dir / "marked", MarkedPayload());
    return 0;
}
