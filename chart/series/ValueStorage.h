#pragma once

#include <cstddef>

namespace twinscope {

// Raw storage of doubles whose capacity is set explicitly. Growing keeps the contents and goes
// through realloc, which can extend a large block in place, so the value list's fixed growth
// steps stay cheap for long lists.
class ValueStorage {
public:
    ValueStorage() = default;
    ~ValueStorage();
    ValueStorage(const ValueStorage&) = delete;
    ValueStorage& operator=(const ValueStorage&) = delete;

    std::size_t Capacity() const { return capacity_; }
    double* Data() { return data_; }
    const double* Data() const { return data_; }
    double& operator[](std::size_t i) { return data_[i]; }
    double operator[](std::size_t i) const { return data_[i]; }

    // Changes the capacity, keeping the first min(old, new) values. Throws std::bad_alloc.
    void SetCapacity(std::size_t capacity);
    void Release() { SetCapacity(0); }

private:
    double* data_ = nullptr;
    std::size_t capacity_ = 0;
};

}  // namespace twinscope
