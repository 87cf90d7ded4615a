#pragma once

#include <array>
#include <cstddef>

#include "twinscope/chart/series/ValueSpread.h"
#include "twinscope/chart/series/ValueStorage.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

// The lowest and highest of every block of 16 values, of every block of 256, and so on up, so
// that the spread of any run of values costs a few blocks per level instead of a pass over the
// run. A block holding a value that is not a number keeps NaN as both extremes.
//
// The index covers the whole blocks of a prefix of the values. It is told when values change
// from some position on and forgets the blocks holding them; covering the rest again costs one
// pass over the values not yet covered, so appending values costs only the new ones.
//
// Memory: two doubles per 16 values at the first level and a sixteenth of that at each further
// level, 16/15 x 1/8 of the values' bytes, growing in steps of a thirty-second: at most 6.9 %
// of an X and a Y list of the same length.
class TWINSCOPE_EXPORT TMinMaxIndex {
public:
    static constexpr std::size_t BlockValues = 16;

    // Brings the index over every whole block of values[0, count). Raises OutOfMemoryError
    // (counting the values) and keeps what it had when the blocks do not fit in memory.
    void Cover(const double* values, std::size_t count);
    // The values from `first` on changed or moved: the blocks holding them are forgotten.
    void ForgetFrom(std::size_t first);
    // The values moved down by `count`, a multiple of BlockValues: the first level moves with
    // them and the levels above are laid again from it.
    void MoveDown(std::size_t count);
    // Forgets everything and releases the memory.
    void Clear();

    // The spread of values[from, to), from < to; whole covered blocks are read from the index,
    // the values around them directly.
    TValueSpread Spread(const double* values, std::size_t from, std::size_t to) const;

    // The values the first level's blocks cover.
    std::size_t Covered() const { return levels_[0].blocks * BlockValues; }
    std::size_t Bytes() const;

private:
    // Blocks of BlockValues^(level + 1) values; level 7 holds blocks of 2^32 values, beyond
    // any series.
    static constexpr std::size_t LevelCount = 8;
    struct TLevel {
        // The lowest and the highest value of each block, side by side.
        ValueStorage extremes;
        std::size_t blocks = 0;
    };
    static constexpr std::size_t BlockSize(std::size_t level) {
        std::size_t size = BlockValues;
        for (std::size_t k = 0; k < level; ++k)
            size *= BlockValues;
        return size;
    }
    // Lays the blocks of every level above the first from the level below, from where each
    // level's blocks end.
    void LayUpperLevels();
    void Reserve(std::size_t level, std::size_t blocks, std::size_t values);

    std::array<TLevel, LevelCount> levels_;
};

}  // namespace twinscope
