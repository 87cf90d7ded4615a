#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "twinscope/chart/series/ValueChunks.h"

namespace twinscope {

// The first index in [from, count) whose ascending value is at or beyond `value` (count when
// none is), found from `firsts`, the value at every `blockValues`-th index: a search of that
// small list narrows the search of the values to one block, so that over billions of values
// it reads one page of them instead of one page per halving.
std::int32_t FirstNotBelowByBlocks(const ValueView& values, std::span<const double> firsts,
                                   std::size_t blockValues, std::int32_t from, std::int32_t count,
                                   double value);

}  // namespace twinscope
