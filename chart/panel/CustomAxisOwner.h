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
    TCustomAxisOwner(TCustomAxisPanel& chart, AxisClass& axis)
        : chart_(&chart), axis_(&axis), alive_(axis.LifetimeToken()) {}
    ~TCustomAxisOwner() { Free(); }
    TCustomAxisOwner(const TCustomAxisOwner&) = delete;
    TCustomAxisOwner& operator=(const TCustomAxisOwner&) = delete;
    TCustomAxisOwner(TCustomAxisOwner&& other) noexcept
        : chart_(other.chart_),
          axis_(std::exchange(other.axis_, nullptr)),
          alive_(std::move(other.alive_)) {}
    TCustomAxisOwner& operator=(TCustomAxisOwner&& other) noexcept {
        if (this != &other) {
            Free();
            chart_ = other.chart_;
            axis_ = std::exchange(other.axis_, nullptr);
            alive_ = std::move(other.alive_);
        }
        return *this;
    }

    AxisClass* Get() const { return alive_.expired() ? nullptr : axis_; }
    AxisClass* operator->() const { return Get(); }
    explicit operator bool() const { return Get() != nullptr; }

    void Free() {
        // A live axis means its chart lives too.
        if (AxisClass* axis = Get()) chart_->CustomAxes().Remove(*axis);
        axis_ = nullptr;
        alive_.reset();
    }

private:
    TCustomAxisPanel* chart_ = nullptr;
    AxisClass* axis_ = nullptr;
    std::weak_ptr<const void> alive_;
};

// Creates a custom axis of the given class on a chart and hands its owner the hold on it.
template <typename AxisClass, typename... Args>
TCustomAxisOwner<AxisClass> CreateOwnedAxis(TCustomAxisPanel& chart, Args&&... args) {
    return TCustomAxisOwner<AxisClass>(
        chart, chart.CustomAxes().template Add<AxisClass>(std::forward<Args>(args)...));
}

}  // namespace twinscope
