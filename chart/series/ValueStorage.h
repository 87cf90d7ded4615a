#pragma once

#include <cstddef>
#include <memory>
#include <span>

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
    // The values the block underneath holds room for; at least Capacity().
    std::size_t Allocated() const { return allocated_; }
    double* Data() { return data_; }
    const double* Data() const { return data_; }
    double& operator[](std::size_t i) { return Data()[i]; }
    double operator[](std::size_t i) const { return Data()[i]; }

    // Changes the capacity, keeping the first min(old, new) values. Throws std::bad_alloc.
    void SetCapacity(std::size_t capacity);
    void Release();

    // Shows `values` that lie elsewhere (a mapped file) without copying them: they are only
    // read, and `lender` keeps them while they are shown. The first change of capacity, or
    // Own(), copies them in; Release() lets them go.
    void Borrow(std::span<const double> values, std::shared_ptr<const void> lender);
    bool Borrowed() const { return lender_ != nullptr; }
    // Copies borrowed values in, so that they can be written. Throws std::bad_alloc and then
    // changes nothing.
    void Own();

private:
    void Reallocate(std::size_t count);

    double* data_ = nullptr;
    std::size_t capacity_ = 0;
    std::size_t allocated_ = 0;
    std::shared_ptr<const void> lender_;
};

}  // namespace twinscope
