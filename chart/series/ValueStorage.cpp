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
    if (!Borrowed()) std::free(data_);
}

void ValueStorage::Borrow(std::span<const double> values, std::shared_ptr<const void> lender) {
    Release();
    // Never written through: every write goes through Own() or a change of capacity first.
    data_ = const_cast<double*>(values.data());
    capacity_ = allocated_ = values.size();
    lender_ = std::move(lender);
}

void ValueStorage::Release() {
    SetCapacity(0);
    if (Borrowed()) {
        data_ = nullptr;
        lender_.reset();
    }
}

void ValueStorage::Own() {
    if (Borrowed()) Reallocate(allocated_);
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
    if (Borrowed()) {
        double* owned = nullptr;
        if (count > 0) {
            owned = static_cast<double*>(std::malloc(count * sizeof(double)));
            if (!owned) throw std::bad_alloc();
            std::memcpy(owned, data_, std::min(count, capacity_) * sizeof(double));
        }
        data_ = owned;
        allocated_ = count;
        lender_.reset();
        return;
    }
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
