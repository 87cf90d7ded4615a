#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "twinscope/chart/series/ColumnFileLayout.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

// Bytes [from, to) of a file.
struct TByteRange {
    std::uint64_t from = 0;
    std::uint64_t to = 0;
    bool operator==(const TByteRange&) const = default;
};

// One array of a column file as a frame reads it, point by point: the element that holds
// point p (its value, or the index block it lies in) is at offset + (p >> shift) * elementBytes.
struct TWINSCOPE_EXPORT TColumnFilePart {
    // A frame reads around a column's first point: the search for the column's end probes
    // next to it, and a spread reads up to 15 elements on each side of a block boundary.
    static constexpr std::uint64_t Reach = 4096;

    std::uint64_t offset = 0;
    std::uint64_t bytes = 0;
    unsigned shift = 0;
    std::uint64_t elementBytes = sizeof(double);

    // The bytes read for the points [from, to), from < to: their elements and Reach on each
    // side, within the part.
    TByteRange ReadAround(std::int64_t from, std::int64_t to) const;
};

// The arrays a frame reads: the X values, the Y values, and each level of the index.
inline constexpr std::size_t ColumnFilePartCount = 2 + TMinMaxIndex::LevelCount;
TWINSCOPE_EXPORT std::array<TColumnFilePart, ColumnFilePartCount> PartsOf(
    const TColumnFileLayout& layout);

}  // namespace twinscope
