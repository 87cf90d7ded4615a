#include "twinscope/chart/series/ValueStorage.h"

#include <cstdlib>
#include <new>

namespace twinscope {

ValueStorage::~ValueStorage() {
    std::free(data_);
}

void ValueStorage::SetCapacity(std::size_t capacity) {
    if (capacity == capacity_) return;
    if (capacity == 0) {
        std::free(data_);
        data_ = nullptr;
        capacity_ = 0;
        return;
    }
    if (capacity > static_cast<std::size_t>(-1) / sizeof(double)) throw std::bad_alloc();
    void* grown = std::realloc(data_, capacity * sizeof(double));
    if (!grown) throw std::bad_alloc();
    data_ = static_cast<double*>(grown);
    capacity_ = capacity;
}

}  // namespace twinscope
