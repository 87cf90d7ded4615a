#include "twinscope/chart/panel/CustomAxes.h"

#include <algorithm>
#include <string>

#include "twinscope/chart/panel/CustomAxisPanel.h"
#include "twinscope/runtime/Exceptions.h"

namespace twinscope {

namespace {
[[noreturn]] void RaiseListIndexError(std::ptrdiff_t index) {
    throw ListIndexError("List index out of bounds (" + std::to_string(index) + ")");
}
}  // namespace

TChartAxis& TChartCustomAxes::Add() {
    return Add<TChartAxis>(TChartAxis::Kind::Custom);
}

TChartAxis& TChartCustomAxes::Items(std::ptrdiff_t index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= items_.size()) RaiseListIndexError(index);
    return *items_[static_cast<std::size_t>(index)];
}

std::ptrdiff_t TChartCustomAxes::IndexOf(const TChartAxis& axis) const {
    auto it = std::find_if(items_.begin(), items_.end(),
                           [&](const auto& item) { return item.get() == &axis; });
    return it == items_.end() ? -1 : it - items_.begin();
}

void TChartCustomAxes::Delete(std::ptrdiff_t index) {
    Items(index);
    // Taken out of the collection before it is destroyed, so the collection never holds an
    // axis that is half gone.
    auto axis = std::move(items_[static_cast<std::size_t>(index)]);
    items_.erase(items_.begin() + index);
}

void TChartCustomAxes::Remove(const TChartAxis& axis) {
    const std::ptrdiff_t index = IndexOf(axis);
    if (index >= 0) Delete(index);
}

void TChartCustomAxes::Clear() {
    while (!items_.empty())
        Delete(static_cast<std::ptrdiff_t>(items_.size()) - 1);
}

}  // namespace twinscope
