// Writes the seed payloads of the series data fuzzer into the directory given as argument.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "twinscope/chart/series/LineSeries.h"
#include "twinscope/chart/series/SeriesDataStream.h"
#include "tests/series/WindowSeriesData.h"

namespace {

using namespace twinscope;

void Save(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

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
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " SEED_DIRECTORY\n";
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    Save(dir / "window", testing::FromHex(testing::WindowSeriesDataHex));
    Save(dir / "labelled", LabelledPayload());
    Save(dir / "marked", MarkedPayload());
    return 0;
}
