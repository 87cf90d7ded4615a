#include "twinscope/chart/series/MinMaxIndex.h"

#include <algorithm>
#include <limits>
#include <new>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "twinscope/chart/series/PrefetchLine.h"
#include "twinscope/runtime/Exceptions.h"

namespace twinscope {

namespace {

constexpr double NotANumber = std::numeric_limits<double>::quiet_NaN();

// One block of values, as a view.
ValueView BlockView(const double* const& values) {
    return {&values, 0, ValueView::OneBlock, 0};
}

}  // namespace

// Both NaN when one of the values is.
void TMinMaxIndex::ExtremesOfValues(const double* p, double* out) {
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
    const __m128d highPair = _mm_max_pd(_mm_max_pd(high[0], high[1]), _mm_max_pd(high[2], high[3]));
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

void TMinMaxIndex::ExtremesOfBlocks(const double* p, double* out) {
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

std::array<TMinMaxIndex::TLevel, TMinMaxIndex::LevelCount>& TMinMaxIndex::Levels() {
    if (!levels_) {
        auto levels = std::make_unique<std::array<TLevel, LevelCount>>();
        for (TLevel& level : *levels)
            level.extremes.SetChunked(chunked_, 0);
        levels_ = std::move(levels);
    }
    return *levels_;
}

void TMinMaxIndex::Borrow(std::span<const std::span<const double>> levels,
                          std::shared_ptr<const void> lender) {
    Clear(false);
    if (levels.empty()) return;
    std::array<TLevel, LevelCount>& laid = Levels();
    for (std::size_t k = 0; k < LevelCount && k < levels.size(); ++k) {
        laid[k].extremes.Borrow(levels[k], lender);
        laid[k].end = levels[k].size() / 2;
    }
}

void TMinMaxIndex::Reserve(std::size_t level, std::size_t blocks, std::size_t values) {
    ValueChunks& extremes = (*levels_)[level].extremes;
    const std::size_t end = 2 * blocks;
    if (end <= extremes.Begin() + extremes.Capacity()) return;
    try {
        extremes.SetCapacity(end - extremes.Begin());
    } catch (const std::bad_alloc&) {
        throw OutOfMemoryError(values);
    }
}

void TMinMaxIndex::Cover(const double* values, std::size_t count) {
    Cover(BlockView(values), 0, count);
}

void TMinMaxIndex::Cover(const ValueView& values, std::size_t begin, std::size_t end) {
    // Fewer values than a block: no block to lay, and none laid that could go.
    if (!levels_ && end < BlockValues) return;
    std::array<TLevel, LevelCount>& levels = Levels();
    for (std::size_t k = 0; k < LevelCount; ++k) {
        TLevel& level = levels[k];
        level.first = std::max(level.first, (begin + BlockSize(k) - 1) >> LevelShift(k));
        if (level.extremes.Chunked()) level.extremes.LetGoBefore(2 * level.first);
    }
    const std::size_t blocks = end / BlockValues;
    TLevel& first = levels[0];
    const std::size_t from = std::max(first.end, first.first);
    if (blocks <= from) return;
    // Room first, on every level, so that running out of memory changes nothing.
    for (std::size_t k = 0, b = blocks; k < LevelCount && b > 0; ++k, b /= BlockValues)
        Reserve(k, b, end - begin);
    const std::size_t last = blocks * BlockValues;
    for (std::size_t at = from * BlockValues; at < last;) {
        const std::span<const double> run = values.Run(at, last);
        for (std::size_t i = 0; i < run.size(); i += BlockValues)
            ExtremesOfValues(run.data() + i, &first.extremes.At(2 * ((at + i) / BlockValues)));
        at += run.size();
    }
    first.end = blocks;
    LayUpperLevels();
}

void TMinMaxIndex::LayUpperLevels() {
    std::array<TLevel, LevelCount>& levels = *levels_;
    for (std::size_t k = 1; k < LevelCount; ++k) {
        TLevel& below = levels[k - 1];
        TLevel& level = levels[k];
        const std::size_t blocks = below.end / BlockValues;
        for (std::size_t j = std::max(level.end, level.first); j < blocks; ++j)
            ExtremesOfBlocks(&below.extremes.At(2 * BlockValues * j), &level.extremes.At(2 * j));
        level.end = blocks;
    }
}

void TMinMaxIndex::ForgetFrom(std::size_t first) {
    if (!levels_) return;
    for (std::size_t k = 0; k < LevelCount; ++k)
        (*levels_)[k].end = std::min((*levels_)[k].end, first >> LevelShift(k));
}

void TMinMaxIndex::Clear(bool chunked) {
    levels_.reset();
    chunked_ = chunked;
}

std::size_t TMinMaxIndex::Bytes() const {
    std::size_t bytes = 0;
    if (levels_) {
        for (const TLevel& level : *levels_)
            bytes += level.extremes.Allocated() * sizeof(double);
    }
    return bytes;
}

void TMinMaxIndex::Prefetch(std::size_t position) const {
    // A run's end at `position` takes blocks on each level from the block of the next level
    // that holds it: 16 blocks, 256 bytes side by side. The third level is 1/4096 of the
    // values; above it the blocks stay in the cache.
    constexpr std::size_t PrefetchedLevels = 3;
    constexpr std::size_t LineBytes = 64;
    if (!levels_) return;
    for (std::size_t k = 0; k < PrefetchedLevels; ++k) {
        const TLevel& level = (*levels_)[k];
        const std::size_t group = (position >> LevelShift(k)) & ~(BlockValues - 1);
        const std::size_t from = std::max(group, level.first);
        const std::size_t to = std::min(group + BlockValues, level.end);
        if (from >= to) continue;
        const ValueView view = level.extremes.View();
        const char* first = reinterpret_cast<const char*>(view.Address(2 * from));
        const char* last = reinterpret_cast<const char*>(view.Address(2 * to - 1));
        for (const char* line = first; line < last; line += LineBytes)
            PrefetchLine(line);
        PrefetchLine(last);
    }
}

TValueSpread TMinMaxIndex::Spread(const double* values, std::size_t from, std::size_t to) const {
    return Spread(BlockView(values), from, to);
}

TValueSpread TMinMaxIndex::Spread(const ValueView& values, std::size_t from, std::size_t to) const {
    if (!levels_) return values.Spread(from, to);
    const std::array<TLevel, LevelCount>& levels = *levels_;
    TValueSpread spread{std::numeric_limits<double>::infinity(),
                        -std::numeric_limits<double>::infinity(), false};
    // The end of the run within what a level covers.
    auto limit = [&](std::size_t k) { return std::min(to, levels[k].end << LevelShift(k)); };
    auto laid = [&](std::size_t k) { return levels[k].end > levels[k].first; };
    auto takeBlock = [&](std::size_t k, std::size_t at) {
        const std::size_t j = 2 * (at >> LevelShift(k));
        const ValueChunks& extremes = levels[k].extremes;
        const double low = extremes.At(j);
        spread.Take({low, extremes.At(j + 1), low != low});
    };
    std::size_t i = from;
    const std::size_t aligned = (from + BlockValues - 1) / BlockValues * BlockValues;
    if (aligned + BlockValues <= limit(0)) {
        if (aligned > from) spread.Take(values.Spread(from, aligned));
        i = aligned;
        // Upwards: blocks of a level until the position starts a block of the next level.
        std::size_t k = 0;
        for (;;) {
            const bool top = k + 1 == LevelCount || !laid(k + 1);
            while (i + BlockSize(k) <= limit(k) && (top || (i & (BlockSize(k + 1) - 1)) != 0)) {
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
    if (i < to) spread.Take(values.Spread(i, to));
    return spread;
}

}  // namespace twinscope
