#include "twinscope/chart/series/ValueSpread.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace twinscope {

// Several comparisons are kept in flight at once; minimum and maximum do not depend on the
// order of the values, so the result is the same as a plain walk's.
TValueSpread SpreadOf(std::span<const double> values) {
    TValueSpread spread{values[0], values[0], false};
    std::size_t i = 0;
#if defined(__SSE2__)
    // A NaN operand yields the second one, the running extreme: NaN is passed over here and
    // reported through the unordered comparison.
    __m128d low[4];
    __m128d high[4];
    for (int k = 0; k < 4; ++k)
        low[k] = high[k] = _mm_set1_pd(values[0]);
    __m128d unordered = _mm_setzero_pd();
    for (; i + 8 <= values.size(); i += 8) {
        for (int k = 0; k < 4; ++k) {
            const __m128d v = _mm_loadu_pd(values.data() + i + 2 * k);
            low[k] = _mm_min_pd(v, low[k]);
            high[k] = _mm_max_pd(v, high[k]);
            unordered = _mm_or_pd(unordered, _mm_cmpunord_pd(v, v));
        }
    }
    for (int k = 0; k < 4; ++k) {
        double lanes[2];
        _mm_storeu_pd(lanes, low[k]);
        spread.low = std::min({spread.low, lanes[0], lanes[1]});
        _mm_storeu_pd(lanes, high[k]);
        spread.high = std::max({spread.high, lanes[0], lanes[1]});
    }
    spread.notANumber = _mm_movemask_pd(unordered) != 0;
#endif
    for (; i < values.size(); ++i) {
        const double v = values[i];
        spread.low = v < spread.low ? v : spread.low;
        spread.high = v > spread.high ? v : spread.high;
        spread.notANumber |= v != v;
    }
    return spread;
}

}  // namespace twinscope
