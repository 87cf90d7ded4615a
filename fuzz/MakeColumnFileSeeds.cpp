// Writes the seeds of the column file fuzzer into the directory given as argument: the column
// files the program saves from the samples under docs/ (one line each), a file of no points, and
// one cut short, each after a byte that has the fuzzer keep the header's checksum right.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "app/ColumnReadings.h"
#include "fuzz/SeedFiles.h"

namespace {

using namespace twinscope;

std::string FileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Save(TReadingsFile readings, const std::filesystem::path& file) {
    readings.Series.resize(1);
    SaveColumnFile(readings, file.string());
}

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path dir = fuzz::SeedDirectory(argc, argv);
    const std::filesystem::path samples = TWINSCOPE_SOURCE_DIR "/docs/samples";
    TReadingOptions tmax;
    tmax.Columns = {"TMAX"};
    Save(ParseReadingsText(FileText(samples / "ghcn-USW00024233-2015.csv"), tmax, "ghcn"),
         dir / "ghcn-tmax");
    Save(ParseReadingsText(FileText(samples / "isd-lite-727930-24233-2015"), {}, "isd"),
         dir / "isd-lite");
    TReadingsFile empty;
    empty.Series.emplace_back().Name = "no points";
    SaveColumnFile(empty, (dir / "no-points").string());
    const std::string whole = FileText(dir / "ghcn-tmax");
    std::ofstream(dir / "cut-short", std::ios::binary) << whole.substr(0, whole.size() / 2);
    for (const char* name : {"ghcn-tmax", "isd-lite", "no-points", "cut-short"}) {
        const std::string file = FileText(dir / name);
        std::ofstream(dir / name, std::ios::binary | std::ios::trunc) << '\1' << file;
    }
    return 0;
}
