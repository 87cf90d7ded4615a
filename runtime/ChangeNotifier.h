#pragma once

#include <functional>
#include <utility>

#include "twinscope/runtime/Export.h"

namespace twinscope {

// Stores `value` in `field` when it differs; answers whether it did. The plain setters of the
// chart and its parts store through this, so that an unchanged value never repaints.
template <typename T, typename U>
bool StoreIfChanged(T& field, U&& value) {
    if (field == value) return false;
    field = std::forward<U>(value);
    return true;
}

// A chart part that calls its owner back when one of its settings changes (for parts of a
// chart: a repaint request).
class TWINSCOPE_EXPORT TChangeNotifier {
public:
    void SetOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

protected:
    TChangeNotifier() = default;
    explicit TChangeNotifier(std::function<void()> onChange) : onChange_(std::move(onChange)) {}
    ~TChangeNotifier() = default;
    TChangeNotifier(const TChangeNotifier&) = delete;
    TChangeNotifier& operator=(const TChangeNotifier&) = delete;

    const std::function<void()>& OnChange() const { return onChange_; }
    void Changed() const {
        if (onChange_) onChange_();
    }
    template <typename T, typename U>
    void Set(T& field, U&& value) {
        if (StoreIfChanged(field, std::forward<U>(value))) Changed();
    }

private:
    std::function<void()> onChange_;
};

}  // namespace twinscope
