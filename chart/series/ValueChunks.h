#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <vector>

#include "twinscope/chart/series/ValueSpread.h"
#include "twinscope/chart/series/ValueStorage.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

// Where the values of a store lie, for reading: the value at position p is in chunk p >> shift,
// at p's low bits. A store in one block is a single chunk that no position leaves.
struct ValueView {
    static constexpr unsigned OneBlock = 63;

    const double* const* chunks;
    // The chunk number of chunks[0].
    std::size_t first;
    unsigned shift;
    // The position of index 0.
    std::size_t begin;

    const double* Address(std::size_t position) const {
        return &chunks[(position >> shift) - first][position & ((std::size_t{1} << shift) - 1)];
    }
    double At(std::size_t position) const { return *Address(position); }
    double operator[](std::size_t index) const { return At(begin + index); }
    // The values from position `from` on that lie side by side, up to `to` (exclusive).
    std::span<const double> Run(std::size_t from, std::size_t to) const;
    // The spread of the positions [from, to), from < to, read run by run.
    TValueSpread Spread(std::size_t from, std::size_t to) const;
};

// Doubles at positions that count on from the first value ever kept, so that letting the first
// values go moves none of the others. Until values are to go, they lie in one block that grows
// as ValueStorage grows, so that they make one span. Chunked, they lie in chunks of ChunkValues
// positions each (a multiple of 16, so no block of 16 values aligned to positions straddles
// two): letting values go frees each chunk once the last of its values went, and growing adds
// whole chunks. A chunked store holds at most one chunk more than its values at each end, and
// keeps the last chunk it freed for the next it adds: a window moving on then neither returns
// memory to the system nor asks it for more.
class TWINSCOPE_EXPORT ValueChunks {
public:
    static constexpr unsigned ChunkShift = 14;
    static constexpr std::size_t ChunkValues = std::size_t{1} << ChunkShift;

    ValueChunks() = default;
    ~ValueChunks() { Release(); }
    ValueChunks(const ValueChunks&) = delete;
    ValueChunks& operator=(const ValueChunks&) = delete;

    bool Chunked() const { return shift_ != ValueView::OneBlock; }
    // Lays the first `count` values into chunks or into one block; every other value is let go,
    // and a block's first value is at position 0. Throws std::bad_alloc and then changes nothing.
    void SetChunked(bool chunked, std::size_t count);

    // The position of the first value kept.
    std::size_t Begin() const { return begin_; }
    // The values there is room for from Begin() on.
    std::size_t Capacity() const;
    // Makes room for `capacity` values from Begin() on, keeping the first min(old, new). Throws
    // std::bad_alloc and then changes nothing.
    void SetCapacity(std::size_t capacity);
    // Frees everything; a chunked store stays chunked and starts again at position 0.
    void Release();
    // Chunked only: the values before `position` go.
    void LetGoBefore(std::size_t position);
    // The doubles the store holds room for.
    std::size_t Allocated() const;

    // Shows values that lie elsewhere in one block, read-only and without copying them, as
    // ValueStorage::Borrow does; a chunked store is laid as one block first.
    void Borrow(std::span<const double> values, std::shared_ptr<const void> lender);
    bool Borrowed() const { return !Chunked() && block_.Borrowed(); }
    // Copies borrowed values in, so that they can be written. Throws std::bad_alloc and then
    // changes nothing.
    void Own();

    ValueView View() const { return {chunks_.data(), first_, shift_, begin_}; }
    double& At(std::size_t position) {
        return chunks_[(position >> shift_) - first_][position & ((std::size_t{1} << shift_) - 1)];
    }
    double At(std::size_t position) const { return View().At(position); }
    double& operator[](std::size_t index) { return At(begin_ + index); }
    double operator[](std::size_t index) const { return At(begin_ + index); }
    // The values from position `from` on that lie side by side, up to `to` (exclusive).
    std::span<double> Run(std::size_t from, std::size_t to);
    // Moves `count` values from index `from` to index `to`, as memmove does.
    void Move(std::size_t to, std::size_t from, std::size_t count);

private:
    // Frees the chunks before the one holding position `position`.
    void FreeChunksBefore(std::size_t position);
    double* NewChunk();
    void FreeChunk(double* chunk);

    // One block: chunks_ holds block_.Data().
    ValueStorage block_;
    std::vector<double*> chunks_{nullptr};
    std::size_t first_ = 0;
    unsigned shift_ = ValueView::OneBlock;
    std::size_t begin_ = 0;
    double* spare_ = nullptr;
};

}  // namespace twinscope
