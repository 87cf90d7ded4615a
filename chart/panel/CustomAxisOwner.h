#pragma once

#include <memory>
#include <utility>

#include "twinscope/chart/panel/CustomAxisPanel.h"

namespace twinscope {

// An owner's hold on a custom axis that lives in its chart's CustomAxes collection. Freeing
// goes through the collection; freeing twice, or after the chart and its axes are gone, does
// nothing, and Get() then answers nullptr instead of a dangling pointer.
template <typename AxisClass>
class TCustomAxisOwner {
public:
    TCustomAxisOwner() = default;
    explicit TCustomAxisOwner(AxisClass& axis) : axis_(&axis), alive_(axis.LifetimeToken()) {}
    ~TCustomAxisOwner() { Free(); }
    TCustomAxisOwner(const TCustomAxisOwner&) = delete;
    TCustomAxisOwner& operator=(const TCustomAxisOwner&) = delete;
    TCustomAxisOwner(TCustomAxisOwner&& other) noexcept
        : axis_(std::exchange(other.axis_, nullptr)), alive_(std::move(other.alive_)) {}
    TCustomAxisOwner& operator=(TCustomAxisOwner&& other) noexcept {
        if (this != &other) {
            Free();
            axis_ = std::exchange(other.axis_, nullptr);
            alive_ = std::move(other.alive_);
        }
        return *this;
    }

    AxisClass* Get() const { return alive_.expired() ? nullptr : axis_; }
    AxisClass* operator->() const { return Get(); }
    explicit operator bool() const { return Get() != nullptr; }

    void Free() {
        if (AxisClass* axis = Get()) axis->ParentChart().CustomAxes().Remove(*axis);
        axis_ = nullptr;
        alive_.reset();
    }

private:
    AxisClass* axis_ = nullptr;
    std::weak_ptr<const void> alive_;
};

// Creates a custom axis of the given class on a chart and hands its owner the hold on it.
template <typename AxisClass, typename... Args>
TCustomAxisOwner<AxisClass> CreateOwnedAxis(TCustomAxisPanel& chart, Args&&... args) {
    return TCustomAxisOwner<AxisClass>(
        chart.CustomAxes().template Add<AxisClass>(std::forward<Args>(args)...));
}

}  // namespace twinscope
