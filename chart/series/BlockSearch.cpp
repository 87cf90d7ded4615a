#include "twinscope/chart/series/BlockSearch.h"

#include <algorithm>

namespace twinscope {

std::int32_t FirstNotBelowByBlocks(const ValueView& values, std::span<const double> firsts,
                                   std::size_t blockValues, std::int32_t from, std::int32_t count,
                                   double value) {
    const auto start = static_cast<std::size_t>(from);
    const std::size_t fromBlock = std::min(start / blockValues, firsts.size());
    // Every value from the first block that starts at or beyond `value` on is at or beyond it;
    // in the block before, the one before its first is below it.
    const auto beyond = static_cast<std::size_t>(
        std::lower_bound(firsts.begin() + static_cast<std::ptrdiff_t>(fromBlock), firsts.end(),
                         value) -
        firsts.begin());
    std::size_t below = start;
    if (beyond > fromBlock) below = std::max(start, (beyond - 1) * blockValues);
    std::size_t end = std::min(static_cast<std::size_t>(count), beyond * blockValues);
    end = std::max(end, start);
    while (below < end) {
        const std::size_t middle = below + (end - below) / 2;
        if (values[middle] < value) {
            below = middle + 1;
        } else {
            end = middle;
        }
    }
    return static_cast<std::int32_t>(below);
}

}  // namespace twinscope
