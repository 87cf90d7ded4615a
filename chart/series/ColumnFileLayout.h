#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "twinscope/chart/series/MinMaxIndex.h"
#include "twinscope/chart/series/ValueSpread.h"
#include "twinscope/runtime/Exceptions.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

// A column file that cannot be shown: truncated, of another version, failing its checksum, or
// shortened while it was shown.
class TWINSCOPE_EXPORT ColumnFileError : public RuntimeError {
public:
    explicit ColumnFileError(const std::string& reason) : RuntimeError(reason) {}
};

// The layout of a column file: a header page, then the X values, the Y values and the levels
// of the Y values' index of block extremes, each a little-endian array of doubles; version 2
// adds the first X of every block of XBlockValues values, so that a search of X reads that
// small array and one page of the values. The arrays start at page boundaries and the levels
// at 64 bytes, so that the file is mapped and read in place. Version 1 is still read.
// docs/column-file.md describes every byte.
struct TWINSCOPE_EXPORT TColumnFileLayout {
    static constexpr std::size_t HeaderBytes = 4096;
    static constexpr std::uint32_t Version = 2;
    static constexpr std::uint32_t OldestVersion = 1;
    // A page of X values.
    static constexpr std::size_t XBlockValues = 512;
    static constexpr std::array<char, 8> Magic{'T', 'W', 'S', 'C', 'O', 'L', 'S', '\n'};
    // The one kind of value of this version: an IEEE 754 double, little-endian.
    static constexpr std::uint32_t Float64 = 1;
    static constexpr std::size_t NameBytes = 256;
    static constexpr std::size_t MostPoints = 2147483647;

    // The version the file was written in; the writer writes Version.
    std::uint32_t FileVersion = Version;
    std::uint64_t PointCount = 0;
    // X holds dates and times as days since 30 December 1899.
    bool XDateTime = false;
    // The lowest and highest X and Y; notANumber where the list holds no number.
    TValueSpread XExtremes{0, 0, true};
    TValueSpread YExtremes{0, 0, true};
    std::string Name;

    // Where each part lies, in bytes from the start of the file, for PointCount points.
    std::uint64_t XOffset() const { return HeaderBytes; }
    std::uint64_t YOffset() const;
    std::uint64_t LevelOffset(std::size_t level) const;
    std::uint64_t LevelBlocks(std::size_t level) const {
        return TMinMaxIndex::LevelBlocks(level, PointCount);
    }
    // The first X of each block of XBlockValues values, the last block maybe shorter; version
    // 2 on, none before.
    std::uint64_t XBlockOffset() const;
    std::uint64_t XBlocks() const;
    std::uint64_t FileBytes() const;

    // The header page, its checksum last.
    std::array<std::byte, HeaderBytes> Header() const;
    // Reads a header page of a file of `fileBytes` bytes; raises ColumnFileError for a file
    // shorter than its header or its parts, of another magic, a version not read or another
    // kind of value, or whose header fails its checksum.
    static TColumnFileLayout Read(std::span<const std::byte> header, std::uint64_t fileBytes);
};

// FNV-1a, 64 bits: the header's checksum.
TWINSCOPE_EXPORT std::uint64_t Fnv1a64(std::span<const std::byte> bytes);

}  // namespace twinscope
