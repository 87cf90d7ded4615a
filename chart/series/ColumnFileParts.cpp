#include "twinscope/chart/series/ColumnFileParts.h"

#include <algorithm>

namespace twinscope {

TByteRange TColumnFilePart::ReadAround(std::int64_t from, std::int64_t to) const {
    const auto first = static_cast<std::uint64_t>(std::max<std::int64_t>(from, 0)) >> shift;
    const auto last = static_cast<std::uint64_t>(std::max<std::int64_t>(to - 1, 0)) >> shift;
    const std::uint64_t begin = first * elementBytes;
    const std::uint64_t end = (last + 1) * elementBytes + Reach;
    return {offset + (begin > Reach ? begin - Reach : 0), offset + std::min(end, bytes)};
}

std::array<TColumnFilePart, ColumnFilePartCount> PartsOf(const TColumnFileLayout& layout) {
    const std::uint64_t valueBytes = layout.PointCount * sizeof(double);
    std::array<TColumnFilePart, ColumnFilePartCount> parts{};
    parts[0] = {layout.XOffset(), valueBytes, 0, sizeof(double)};
    parts[1] = {layout.YOffset(), valueBytes, 0, sizeof(double)};
    for (std::size_t k = 0; k < TMinMaxIndex::LevelCount; ++k) {
        parts[2 + k] = {layout.LevelOffset(k), layout.LevelBlocks(k) * 2 * sizeof(double),
                        TMinMaxIndex::BlockShift * static_cast<unsigned>(k + 1),
                        2 * sizeof(double)};
    }
    return parts;
}

}  // namespace twinscope
