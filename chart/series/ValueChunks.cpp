#include "twinscope/chart/series/ValueChunks.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace twinscope {

namespace {

// The first position after the chunk that holds `position`.
std::size_t ChunkEnd(std::size_t position, unsigned shift) {
    return ((position >> shift) + 1) << shift;
}

// The first position of the chunk that holds `position`.
std::size_t ChunkStart(std::size_t position, unsigned shift) {
    return position >> shift << shift;
}

}  // namespace

std::span<const double> ValueView::Run(std::size_t from, std::size_t to) const {
    if (from >= to) return {};
    return {&chunks[(from >> shift) - first][from & ((std::size_t{1} << shift) - 1)],
            std::min(to, ChunkEnd(from, shift)) - from};
}

TValueSpread ValueView::Spread(std::size_t from, std::size_t to) const {
    std::span<const double> run = Run(from, to);
    TValueSpread spread = SpreadOf(run);
    for (from += run.size(); from < to; from += run.size()) {
        run = Run(from, to);
        spread.Take(SpreadOf(run));
    }
    return spread;
}

void ValueChunks::SetChunked(bool chunked, std::size_t count) {
    if (chunked == Chunked()) return;
    if (!chunked) {
        chunks_.reserve(1);
        block_.SetCapacity(count);
        for (std::size_t i = 0; i < count; ++i)
            block_[i] = (*this)[i];
        for (double* chunk : chunks_)
            std::free(chunk);
        std::free(std::exchange(spare_, nullptr));
        chunks_.assign(1, block_.Data());
        first_ = begin_ = 0;
        shift_ = ValueView::OneBlock;
        return;
    }
    std::vector<double*> laid((count + ChunkValues - 1) / ChunkValues, nullptr);
    for (double*& chunk : laid) {
        chunk = NewChunk();
        if (!chunk) {
            for (double* made : laid)
                FreeChunk(made);
            throw std::bad_alloc();
        }
    }
    for (std::size_t i = 0; i < count; ++i)
        laid[i >> ChunkShift][i & (ChunkValues - 1)] = block_[i];
    block_.Release();
    chunks_ = std::move(laid);
    first_ = begin_ = 0;
    shift_ = ChunkShift;
}

std::size_t ValueChunks::Capacity() const {
    if (!Chunked()) return block_.Capacity();
    return ((first_ + chunks_.size()) << shift_) - begin_;
}

void ValueChunks::SetCapacity(std::size_t capacity) {
    if (!Chunked()) {
        block_.SetCapacity(capacity);
        chunks_[0] = block_.Data();
        return;
    }
    // A chunk that holds the first value stays, whatever the capacity.
    const std::size_t wanted = ((begin_ + capacity + ChunkValues - 1) >> shift_) - first_;
    while (chunks_.size() > wanted) {
        FreeChunk(chunks_.back());
        chunks_.pop_back();
    }
    if (chunks_.size() == wanted) return;
    const std::size_t had = chunks_.size();
    chunks_.reserve(wanted);
    while (chunks_.size() < wanted) {
        double* chunk = NewChunk();
        if (!chunk) {
            while (chunks_.size() > had) {
                FreeChunk(chunks_.back());
                chunks_.pop_back();
            }
            throw std::bad_alloc();
        }
        chunks_.push_back(chunk);
    }
}

void ValueChunks::Release() {
    block_.Release();
    std::free(std::exchange(spare_, nullptr));
    if (Chunked()) {
        for (double* chunk : chunks_)
            std::free(chunk);
        chunks_.clear();
    } else {
        chunks_.assign(1, nullptr);
    }
    first_ = begin_ = 0;
}

void ValueChunks::Borrow(std::span<const double> values, std::shared_ptr<const void> lender) {
    Release();
    SetChunked(false, 0);
    block_.Borrow(values, std::move(lender));
    chunks_[0] = block_.Data();
}

void ValueChunks::Own() {
    if (!Borrowed()) return;
    block_.Own();
    chunks_[0] = block_.Data();
}

void ValueChunks::LetGoBefore(std::size_t position) {
    begin_ = std::max(begin_, position);
    FreeChunksBefore(begin_);
}

void ValueChunks::FreeChunksBefore(std::size_t position) {
    const std::size_t chunk = position >> shift_;
    const std::size_t freed = std::min(chunks_.size(), chunk - first_);
    for (std::size_t k = 0; k < freed; ++k)
        FreeChunk(chunks_[k]);
    chunks_.erase(chunks_.begin(), chunks_.begin() + static_cast<std::ptrdiff_t>(freed));
    first_ = chunk;
}

std::size_t ValueChunks::Allocated() const {
    if (!Chunked()) return block_.Allocated();
    return (chunks_.size() + (spare_ ? 1 : 0)) * ChunkValues;
}

double* ValueChunks::NewChunk() {
    if (spare_) return std::exchange(spare_, nullptr);
    return static_cast<double*>(std::malloc(ChunkValues * sizeof(double)));
}

void ValueChunks::FreeChunk(double* chunk) {
    if (spare_) {
        std::free(chunk);
    } else {
        spare_ = chunk;
    }
}

std::span<double> ValueChunks::Run(std::size_t from, std::size_t to) {
    if (from >= to) return {};
    return {&At(from), std::min(to, ChunkEnd(from, shift_)) - from};
}

void ValueChunks::Move(std::size_t to, std::size_t from, std::size_t count) {
    if (count == 0 || to == from) return;
    if (!Chunked()) {
        std::memmove(block_.Data() + to, block_.Data() + from, count * sizeof(double));
        return;
    }
    // Piece by piece, each within one chunk at both ends, in the order that reads every value
    // before it is overwritten.
    const std::size_t source = begin_ + from;
    const std::size_t target = begin_ + to;
    for (std::size_t done = 0; done < count;) {
        std::size_t n = 0;
        if (to < from) {
            const std::size_t s = source + done;
            const std::size_t t = target + done;
            n = std::min({count - done, ChunkEnd(s, shift_) - s, ChunkEnd(t, shift_) - t});
            std::memmove(&At(t), &At(s), n * sizeof(double));
        } else {
            const std::size_t s = source + count - done;
            const std::size_t t = target + count - done;
            n = std::min(
                {count - done, s - ChunkStart(s - 1, shift_), t - ChunkStart(t - 1, shift_)});
            std::memmove(&At(t - n), &At(s - n), n * sizeof(double));
        }
        done += n;
    }
}

}  // namespace twinscope
