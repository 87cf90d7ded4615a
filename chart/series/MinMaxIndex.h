#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <span>

#include "twinscope/chart/series/ValueChunks.h"
#include "twinscope/chart/series/ValueSpread.h"
#include "twinscope/chart/series/ValueStorage.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

// The lowest and highest of every block of 16 values, of every block of 256, and so on up, so
// that the spread of any run of values costs a few blocks per level instead of a pass over the
// run. A block holding a value that is not a number keeps NaN as both extremes.
//
// Blocks are laid over the values' positions (ValueChunks), from position 0 on. The index covers
// the whole blocks of the values from the first it is told of up to some position. It is told
// when values change from some position on and forgets the blocks holding them; covering the
// rest again costs one pass over the values not yet covered, so appending values costs only the
// new ones. When the first values go, the blocks before them go too, a chunk at a time, and no
// block moves.
//
// The levels are laid out on the first values covered: an index of fewer than 16 values, such
// as that of an empty series, takes no memory besides itself.
//
// Memory: two doubles per 16 values at the first level and a sixteenth of that at each further
// level, 16/15 x 1/8 of the values' bytes, growing in steps of a thirty-second: at most 6.9 %
// of an X and a Y list of the same length. Chunked, each level holds up to a chunk more.
class TWINSCOPE_EXPORT TMinMaxIndex {
public:
    static constexpr unsigned BlockShift = 4;
    static constexpr std::size_t BlockValues = std::size_t{1} << BlockShift;

    // Brings the index over every whole block of the positions [begin, end) of `values`, and
    // lets the blocks before `begin` go. Raises OutOfMemoryError (counting the values) and
    // keeps what it had when the blocks do not fit in memory.
    void Cover(const ValueView& values, std::size_t begin, std::size_t end);
    void Cover(const double* values, std::size_t count);
    // The values from position `first` on changed: the blocks holding them are forgotten.
    void ForgetFrom(std::size_t first);
    // Forgets everything and releases the memory; the blocks are then kept in chunks or in one
    // block each, as the values are.
    void Clear(bool chunked = false);

    // Levels of blocks laid elsewhere (a mapped file), in this index's own layout: levels[k]
    // holds the low-high pairs of the first level.size() / 2 blocks of level k, read-only and
    // not copied; `lender` keeps them. The index then covers what they cover.
    void Borrow(std::span<const std::span<const double>> levels,
                std::shared_ptr<const void> lender);
    // The levels' blocks of `count` values, as Cover lays them and Borrow takes them.
    static std::size_t LevelBlocks(std::size_t level, std::size_t count) {
        return count >> LevelShift(level);
    }
    static constexpr std::size_t LevelCount = 8;
    // The extremes of a first-level block of BlockValues values into out[0] and out[1], and of
    // an upper block from the BlockValues low-high pairs of the level below; both NaN where a
    // value is not a number.
    static void ExtremesOfValues(const double* values, double* out);
    static void ExtremesOfBlocks(const double* pairs, double* out);

    // The spread of the positions [from, to), from < to, of the values covered; whole covered
    // blocks are read from the index, the values around them directly.
    TValueSpread Spread(const ValueView& values, std::size_t from, std::size_t to) const;
    TValueSpread Spread(const double* values, std::size_t from, std::size_t to) const;

    // Brings into the cache the blocks that spreads of runs beginning or ending near
    // `position` read on the lower levels, the ones too large to stay there.
    void Prefetch(std::size_t position) const;

    // The position up to which the first level's blocks cover the values.
    std::size_t Covered() const { return levels_ ? (*levels_)[0].end * BlockValues : 0; }
    std::size_t Bytes() const;

private:
    // Blocks of BlockValues^(level + 1) values; the last level, 7, holds blocks of 2^32
    // values, beyond any series.
    struct TLevel {
        // The lowest and the highest value of block j at positions 2j and 2j + 1.
        ValueChunks extremes;
        // The blocks [first, end) are laid; where end <= first, none is.
        std::size_t first = 0;
        std::size_t end = 0;
    };
    // Blocks of a level hold 2^LevelShift(level) values: positions go to blocks by shifts and
    // masks, never by division, in the spreads asked for every pixel column.
    static constexpr unsigned LevelShift(std::size_t level) {
        return BlockShift * static_cast<unsigned>(level + 1);
    }
    static constexpr std::size_t BlockSize(std::size_t level) {
        return std::size_t{1} << LevelShift(level);
    }
    // Lays the blocks of every level above the first from the level below, from where each
    // level's blocks end.
    void LayUpperLevels();
    void Reserve(std::size_t level, std::size_t blocks, std::size_t values);
    // The levels, laid out (chunked as the index was told) when there are none yet.
    std::array<TLevel, LevelCount>& Levels();

    std::unique_ptr<std::array<TLevel, LevelCount>> levels_;
    bool chunked_ = false;
};

}  // namespace twinscope
