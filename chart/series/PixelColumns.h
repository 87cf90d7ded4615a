#pragma once

#include <cstddef>
#include <cstdint>

#include "twinscope/chart/axes/ScaleMap.h"
#include "twinscope/chart/series/PrefetchLine.h"
#include "twinscope/chart/series/RunEnd.h"
#include "twinscope/chart/series/ValueChunks.h"

namespace twinscope {

// Columns of fewer points are drawn point by point.
inline constexpr std::int32_t MinimumColumnPoints = 3;
// Columns of at least this many points have the memory around the next column's likely end
// fetched ahead: their X probes and value reads lie too far apart to be in the cache.
inline constexpr std::int32_t PrefetchedColumnPoints = 256;

// The first index after `from` (itself in pixel column `column`) whose ascending X lies in
// another column, or `end`, searched from where the column would end with `expected` points.
inline std::int32_t ColumnEnd(const TScaleMap& map, const ValueView& xs, std::int32_t from,
                              std::int32_t end, std::int32_t column, std::int32_t expected) {
    return RunEnd(from, end, expected, [&](std::int64_t i) {
        return map.ToPixel(xs[static_cast<std::size_t>(i)]) == column;
    });
}

// Hands `column(x, from, to)` the points [first, end) of ascending X one pixel column at a
// time: x is the column, [from, to) its points. Before a long column is handed on, the X
// values where the next one likely ends are fetched, and `ahead(index)` may fetch the series'
// own values there.
template <typename Column, typename Ahead>
void ForEachPixelColumn(const TScaleMap& map, const ValueView& xs, std::int32_t first,
                        std::int32_t end, Column column, Ahead ahead) {
    std::int32_t expected = 1;
    for (std::int32_t i = first; i < end;) {
        const std::int32_t x = map.ToPixel(xs[static_cast<std::size_t>(i)]);
        const std::int32_t to = ColumnEnd(map, xs, i, end, x, expected);
        expected = to - i;
        const std::int64_t nextEnd = std::int64_t{to} + expected;
        if (expected >= PrefetchedColumnPoints && nextEnd < end) {
            PrefetchLine(xs.Address(xs.begin + static_cast<std::size_t>(nextEnd)));
            ahead(static_cast<std::int32_t>(nextEnd));
        }
        column(x, i, to);
        i = to;
    }
}

}  // namespace twinscope
