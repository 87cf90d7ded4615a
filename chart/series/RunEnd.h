#pragma once

#include <algorithm>
#include <cstdint>

namespace twinscope {

// The first index after `from` at which `holds` fails, or `end`: `holds(from)` is true, and
// once it fails at an index it fails at every later one (as "lies in the pixel column of
// `from`" does for ascending X). The run is taken to be about `expected` indexes long, as its
// neighbour was: the search looks there first, then steps one index away, doubling the step
// until it has the end between two probes, and halves that gap. A guess off by d costs about
// 2 log2(d) probes, so for evenly spaced X, where the end is an index or two from the guess,
// two or three probes close together find it.
template <typename Holds>
std::int32_t RunEnd(std::int32_t from, std::int32_t end, std::int32_t expected, Holds holds) {
    std::int64_t inside = from;
    std::int64_t beyond = end;
    // A guess at or past the end looks back from the end.
    const std::int64_t guess =
        std::min<std::int64_t>(std::int64_t{from} + std::max(expected, 1), end);
    std::int64_t step = 1;
    if (guess < end && holds(guess)) {
        inside = guess;
        for (; inside + step < end; step *= 2) {
            if (!holds(inside + step)) {
                beyond = inside + step;
                break;
            }
            inside += step;
        }
    } else {
        beyond = guess;
        for (; beyond - step > inside; step *= 2) {
            if (holds(beyond - step)) {
                inside = beyond - step;
                break;
            }
            beyond -= step;
        }
    }
    while (beyond - inside > 1) {
        const std::int64_t middle = inside + (beyond - inside) / 2;
        (holds(middle) ? inside : beyond) = middle;
    }
    return static_cast<std::int32_t>(beyond);
}

}  // namespace twinscope
