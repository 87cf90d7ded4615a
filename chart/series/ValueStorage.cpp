#include "twinscope/chart/series/ValueStorage.h"

#include <algorithm>
#include <cstdlib>
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
    if (capacity > MaxCount) throw std::bad_alloc();
    if (capacity < capacity_) {
        Reallocate(capacity);
    } else if (capacity > allocated_) {
        Reallocate(std::max(capacity, std::min(MaxCount, allocated_ + allocated_ / GrowthDivisor)));
    }
    capacity_ = capacity;
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
