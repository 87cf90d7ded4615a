#include "twinscope/chart/series/ValueStorage.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace twinscope {

namespace {
constexpr std::size_t GrowthDivisor = 32;
// The most values whose bytes a size_t counts.
constexpr std::size_t MaxCount = static_cast<std::size_t>(-1) / sizeof(double);
}  // namespace

ValueStorage::~ValueStorage() {
    std::free(data_);
}

void ValueStorage::SetCapacity(std::size_t capacity) {
    if (capacity == capacity_) return;
    if (capacity > MaxCount - front_) throw std::bad_alloc();
    if (capacity == 0) {
        Reallocate(0);
        front_ = 0;
    } else if (capacity < capacity_) {
        Reallocate(front_ + capacity);
    } else if (front_ + capacity > allocated_) {
        // Once values go from the front, the block grows at once by the eighth it lets go
        // before the kept values move down, rather than step by step towards it.
        const std::size_t step = allocated_ / GrowthDivisor + (front_ > 0 ? capacity / 8 : 0);
        Reallocate(std::max(front_ + capacity, std::min(MaxCount, allocated_ + step)));
    }
    capacity_ = capacity;
}

std::size_t ValueStorage::DropFront(std::size_t count, std::size_t kept) {
    // Small blocks move only every few thousand values.
    constexpr std::size_t LeastMove = 4096;
    front_ += count;
    capacity_ -= count;
    if (front_ < LeastMove || front_ < kept / 8) return 0;
    const std::size_t moved = front_ / MoveUnit * MoveUnit;
    std::memmove(data_ + front_ - moved, data_ + front_, kept * sizeof(double));
    front_ -= moved;
    capacity_ += moved;
    return moved;
}

void ValueStorage::Reallocate(std::size_t count) {
    if (count == 0) {
        std::free(data_);
        data_ = nullptr;
        allocated_ = 0;
        return;
    }
    void* moved = std::realloc(data_, count * sizeof(double));
    if (!moved) throw std::bad_alloc();
    data_ = static_cast<double*>(moved);
    allocated_ = count;
}

}  // namespace twinscope
