#pragma once

#include <cstddef>
#include <cstdint>

#include "twinscope/chart/axes/ScaleMap.h"
#include "twinscope/chart/series/RunEnd.h"
#include "twinscope/chart/series/ValueChunks.h"

namespace twinscope {

// Columns of fewer points are drawn point by point.
inline constexpr std::int32_t MinimumColumnPoints = 3;

// The first index after `from` (itself in pixel column `column`) whose ascending X lies in
// another column, or `end`, searched from where the column would end with `expected` points.
inline std::int32_t ColumnEnd(const TScaleMap& map, const ValueView& xs, std::int32_t from,
                              std::int32_t end, std::int32_t column, std::int32_t expected) {
    return RunEnd(from, end, expected, [&](std::int64_t i) {
        return map.ToPixel(xs[static_cast<std::size_t>(i)]) == column;
    });
}

// Hands `column(x, from, to)` the points [first, end) of ascending X one pixel column at a
// time: x is the column, [from, to) its points.
template <typename Column>
void ForEachPixelColumn(const TScaleMap& map, const ValueView& xs, std::int32_t first,
                        std::int32_t end, Column column) {
    std::int32_t expected = 1;
    for (std::int32_t i = first; i < end;) {
        const std::int32_t x = map.ToPixel(xs[static_cast<std::size_t>(i)]);
        const std::int32_t to = ColumnEnd(map, xs, i, end, x, expected);
        expected = to - i;
        column(x, i, to);
        i = to;
    }
}

}  // namespace twinscope
