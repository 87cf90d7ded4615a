#pragma once

#include <algorithm>
#include <cstdint>

namespace twinscope {

// The last index of the run that starts next to `from` and goes by `step` (+1 or -1) towards
// `limit` (inclusive), every index of which `touches`; `from` when the first already does not.
// `runTouches(a, b)` (a <= b) may vouch for a whole run of indexes at once; where it does not,
// the indexes are tried one by one, so it may decline whenever it is unsure. Runs vouched for
// double in length from MinimumRun on, so a run of n indexes takes about log n of them.
template <typename One, typename Run>
std::int32_t EndOfTouchingRun(std::int32_t from, std::int32_t limit, std::int32_t step,
                              One touches, Run runTouches) {
    constexpr std::int64_t MinimumRun = 16;
    std::int64_t length = MinimumRun;
    std::int32_t at = from;
    while (at != limit) {
        const std::int64_t remaining = (std::int64_t{limit} - at) * step;
        const auto end = static_cast<std::int32_t>(at + step * std::min(length, remaining));
        if (std::min(length, remaining) >= MinimumRun &&
            runTouches(std::min(at + step, end), std::max(at + step, end))) {
            at = end;
            length *= 2;
            continue;
        }
        if (length > MinimumRun) {
            length /= 2;
            continue;
        }
        // The index that does not touch, if any, lies among the next few.
        for (std::int64_t k = 0; k < MinimumRun && at != limit; ++k) {
            if (!touches(at + step)) return at;
            at += step;
        }
    }
    return at;
}

}  // namespace twinscope
