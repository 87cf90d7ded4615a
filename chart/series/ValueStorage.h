#pragma once

#include <cstddef>

#include "twinscope/runtime/Export.h"

namespace twinscope {

// Raw storage of doubles whose capacity is set explicitly. The block underneath grows by at
// least a thirty-second of itself, so that a run of small capacity steps costs linear time even
// where the C library cannot extend a block in place (after other blocks were freed): the slack
// stays within about 3 % of the capacity.
class TWINSCOPE_EXPORT ValueStorage {
public:
    ValueStorage() = default;
    ~ValueStorage();
    ValueStorage(const ValueStorage&) = delete;
    ValueStorage& operator=(const ValueStorage&) = delete;

    std::size_t Capacity() const { return capacity_; }
    // The values the block underneath holds room for from Data() on; at least Capacity().
    std::size_t Allocated() const { return allocated_ - front_; }
    double* Data() { return data_ + front_; }
    const double* Data() const { return data_ + front_; }
    double& operator[](std::size_t i) { return Data()[i]; }
    double operator[](std::size_t i) const { return Data()[i]; }

    // Changes the capacity, keeping the first min(old, new) values. Throws std::bad_alloc.
    void SetCapacity(std::size_t capacity);
    void Release() { SetCapacity(0); }

    // Lets the first `count` values go, `kept` values staying after them: Data() moves past
    // them at no cost. Once the values let go add up to an eighth of those kept, the kept
    // values move down to the start of the block, so that letting values go costs a constant
    // per value in the long run and the block holds at most an eighth more than it keeps.
    // They move by a multiple of MoveUnit, so that blocks of that many values laid over the
    // storage from its start stay whole. Returns by how many values they moved, or 0.
    static constexpr std::size_t MoveUnit = 16;
    std::size_t DropFront(std::size_t count, std::size_t kept);
    // The values let go before Data() since the kept ones last moved down.
    std::size_t Front() const { return front_; }
    // The start of the block: Data() - Front().
    const double* Block() const { return data_; }

private:
    void Reallocate(std::size_t count);

    double* data_ = nullptr;
    std::size_t front_ = 0;
    std::size_t capacity_ = 0;
    std::size_t allocated_ = 0;
};

}  // namespace twinscope
