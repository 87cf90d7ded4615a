// Column files of any bytes, opened as the program opens them: mapped, their header read and
// checked against the file's size. A file is either refused with a reason, or lends points
// whose lists, index levels and X blocks all lie within the file and hold as many values as its
// header counts.
//
// An input is a byte that, when odd, has the header's checksum made right, so that changed
// fields reach the checks behind it; then the file's bytes.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/ColumnReadings.h"
#include "twinscope/platform/MappedColumnFile.h"

namespace {

using namespace twinscope;

void Check(const TReadingsFile& file, std::size_t size) {
    TMappedColumnFile* found =
        file.Series.size() == 1 ? ColumnFileOf(file.Series.front()) : nullptr;
    if (!found) __builtin_trap();
    TMappedColumnFile& columns = *found;
    const TColumnFileLayout& layout = columns.Layout();
    if (layout.FileBytes() > size || layout.PointCount > TColumnFileLayout::MostPoints)
        __builtin_trap();
    const TBorrowedPoints points = columns.Points();
    if (points.Xs.size() != layout.PointCount || points.Ys.size() != layout.PointCount)
        __builtin_trap();
    volatile double last = 0;
    if (!points.Xs.empty()) last = points.Xs.back() + points.Ys.back();
    for (std::size_t k = 0; k < points.YIndex.size(); ++k) {
        if (points.YIndex[k].size() != 2 * layout.LevelBlocks(k)) __builtin_trap();
        if (!points.YIndex[k].empty()) last = points.YIndex[k].back();
    }
    if (points.XBlockFirsts.size() != layout.XBlocks()) __builtin_trap();
    if (!points.XBlockFirsts.empty()) last = points.XBlockFirsts.back();
    (void)last;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool fixChecksum = (data[0] & 1) != 0;
    const auto* file = reinterpret_cast<const std::byte*>(data + 1);
    std::vector<std::byte> bytes(file, file + (size - 1));
    constexpr std::size_t Checksum = TColumnFileLayout::HeaderBytes - sizeof(std::uint64_t);
    if (fixChecksum && bytes.size() >= TColumnFileLayout::HeaderBytes) {
        const std::uint64_t sum = Fnv1a64(std::span(bytes).first(Checksum));
        std::memcpy(bytes.data() + Checksum, &sum, sizeof sum);
    }
    static const std::string path =
        (std::filesystem::temp_directory_path() / ("column-file-fuzz-" + std::to_string(getpid())))
            .string();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    try {
        Check(ReadColumnFile(path, {}), bytes.size());
    } catch (const ReadingsError& e) {
        if (*e.what() == '\0' || e.Line() != 0) __builtin_trap();
    }
    return 0;
}
