#include "twinscope/chart/series/MinMaxIndex.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "twinscope/runtime/Exceptions.h"

namespace twinscope {

namespace {

constexpr double NotANumber = std::numeric_limits<double>::quiet_NaN();

// The extremes of 16 values into out[0] and out[1], both NaN when one of the values is.
void ExtremesOfValues(const double* p, double* out) {
#if defined(__SSE2__)
    __m128d v[8];
    __m128d unordered = _mm_setzero_pd();
    for (int t = 0; t < 8; ++t) {
        v[t] = _mm_loadu_pd(p + 2 * t);
        unordered = _mm_or_pd(unordered, _mm_cmpunord_pd(v[t], v[t]));
    }
    // Pairwise, so that the comparisons do not wait on each other.
    __m128d low[4];
    __m128d high[4];
    for (int t = 0; t < 4; ++t) {
        low[t] = _mm_min_pd(v[2 * t], v[2 * t + 1]);
        high[t] = _mm_max_pd(v[2 * t], v[2 * t + 1]);
    }
    const __m128d lowPair = _mm_min_pd(_mm_min_pd(low[0], low[1]), _mm_min_pd(low[2], low[3]));
    const __m128d highPair =
        _mm_max_pd(_mm_max_pd(high[0], high[1]), _mm_max_pd(high[2], high[3]));
    if (_mm_movemask_pd(unordered) != 0) {
        out[0] = out[1] = NotANumber;
        return;
    }
    out[0] = _mm_cvtsd_f64(_mm_min_sd(lowPair, _mm_unpackhi_pd(lowPair, lowPair)));
    out[1] = _mm_cvtsd_f64(_mm_max_sd(highPair, _mm_unpackhi_pd(highPair, highPair)));
#else
    double low = p[0];
    double high = p[0];
    bool notANumber = false;
    for (std::size_t i = 0; i < TMinMaxIndex::BlockValues; ++i) {
        low = p[i] < low ? p[i] : low;
        high = p[i] > high ? p[i] : high;
        notANumber |= p[i] != p[i];
    }
    out[0] = notANumber ? NotANumber : low;
    out[1] = notANumber ? NotANumber : high;
#endif
}

// The extremes of 16 blocks of the level below, given as low-high pairs.
void ExtremesOfBlocks(const double* p, double* out) {
    double low = p[0];
    double high = p[1];
    bool notANumber = false;
    for (std::size_t c = 0; c < TMinMaxIndex::BlockValues; ++c) {
        const double l = p[2 * c];
        const double h = p[2 * c + 1];
        notANumber |= l != l;
        low = l < low ? l : low;
        high = h > high ? h : high;
    }
    out[0] = notANumber ? NotANumber : low;
    out[1] = notANumber ? NotANumber : high;
}

}  // namespace

void TMinMaxIndex::Reserve(std::size_t level, std::size_t blocks, std::size_t values) {
    ValueStorage& extremes = levels_[level].extremes;
    if (2 * blocks <= extremes.Capacity()) return;
    try {
        extremes.SetCapacity(2 * blocks);
    } catch (const std::bad_alloc&) {
        throw OutOfMemoryError(values);
    }
}

void TMinMaxIndex::Cover(const double* values, std::size_t count) {
    const std::size_t blocks = count / BlockValues;
    TLevel& first = levels_[0];
    if (blocks <= first.blocks) return;
    // Room first, on every level, so that running out of memory changes nothing.
    for (std::size_t k = 0, b = blocks; k < LevelCount && b > 0; ++k, b /= BlockValues)
        Reserve(k, b, count);
    double* out = first.extremes.Data();
    for (std::size_t j = first.blocks; j < blocks; ++j)
        ExtremesOfValues(values + j * BlockValues, out + 2 * j);
    first.blocks = blocks;
    LayUpperLevels();
}

void TMinMaxIndex::LayUpperLevels() {
    for (std::size_t k = 1; k < LevelCount; ++k) {
        TLevel& below = levels_[k - 1];
        TLevel& level = levels_[k];
        const std::size_t blocks = below.blocks / BlockValues;
        const double* in = below.extremes.Data();
        double* out = level.extremes.Data();
        for (std::size_t j = level.blocks; j < blocks; ++j)
            ExtremesOfBlocks(in + 2 * BlockValues * j, out + 2 * j);
        level.blocks = blocks;
    }
}

void TMinMaxIndex::ForgetFrom(std::size_t first) {
    for (std::size_t k = 0; k < LevelCount; ++k)
        levels_[k].blocks = std::min(levels_[k].blocks, first / BlockSize(k));
}

void TMinMaxIndex::MoveDown(std::size_t count) {
    TLevel& first = levels_[0];
    if (first.blocks == 0) return;
    const std::size_t moved = std::min(first.blocks, count / BlockValues);
    double* data = first.extremes.Data();
    std::memmove(data, data + 2 * moved, 2 * (first.blocks - moved) * sizeof(double));
    first.blocks -= moved;
    for (std::size_t k = 1; k < LevelCount; ++k)
        levels_[k].blocks = 0;
    LayUpperLevels();
}

void TMinMaxIndex::Clear() {
    for (TLevel& level : levels_) {
        level.extremes.Release();
        level.blocks = 0;
    }
}

std::size_t TMinMaxIndex::Bytes() const {
    std::size_t bytes = 0;
    for (const TLevel& level : levels_)
        bytes += level.extremes.Allocated() * sizeof(double);
    return bytes;
}

TValueSpread TMinMaxIndex::Spread(const double* values, std::size_t from, std::size_t to) const {
    TValueSpread spread{std::numeric_limits<double>::infinity(),
                        -std::numeric_limits<double>::infinity(), false};
    // The end of the run within what a level covers.
    auto limit = [&](std::size_t k) { return std::min(to, levels_[k].blocks * BlockSize(k)); };
    auto takeBlock = [&](std::size_t k, std::size_t at) {
        const double* extremes = levels_[k].extremes.Data() + 2 * (at / BlockSize(k));
        spread.Take({extremes[0], extremes[1], extremes[0] != extremes[0]});
    };
    std::size_t i = from;
    const std::size_t aligned = (from + BlockValues - 1) / BlockValues * BlockValues;
    if (aligned + BlockValues <= limit(0)) {
        if (aligned > from) spread.Take(SpreadOf({values + from, aligned - from}));
        i = aligned;
        // Upwards: blocks of a level until the position starts a block of the next level.
        std::size_t k = 0;
        for (;;) {
            const bool top = k + 1 == LevelCount || levels_[k + 1].blocks == 0;
            while (i + BlockSize(k) <= limit(k) && (top || i % BlockSize(k + 1) != 0)) {
                takeBlock(k, i);
                i += BlockSize(k);
            }
            if (top || i + BlockSize(k + 1) > limit(k + 1)) break;
            ++k;
        }
        // Downwards: the largest blocks that still fit.
        for (;; --k) {
            while (i + BlockSize(k) <= limit(k)) {
                takeBlock(k, i);
                i += BlockSize(k);
            }
            if (k == 0) break;
        }
    }
    if (i < to) spread.Take(SpreadOf({values + i, to - i}));
    return spread;
}

}  // namespace twinscope
