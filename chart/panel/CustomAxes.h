#pragma once

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include "twinscope/chart/axes/ChartAxis.h"

namespace twinscope {

class TCustomAxisPanel;

// The chart's custom axes, in creation order. The collection owns them; freeing one goes
// through Delete or Remove, so no other owner can free it twice.
class TChartCustomAxes {
public:
    explicit TChartCustomAxes(TCustomAxisPanel& chart) : chart_(chart) {}
    TChartCustomAxes(const TChartCustomAxes&) = delete;
    TChartCustomAxes& operator=(const TChartCustomAxes&) = delete;

    std::size_t Count() const { return items_.size(); }
    // Raises ListIndexError for an index outside the collection.
    TChartAxis& Items(std::ptrdiff_t index) const;
    TChartAxis& operator[](std::size_t index) const { return *items_[index]; }
    // Position in the collection, or -1.
    std::ptrdiff_t IndexOf(const TChartAxis& axis) const;

    // Creates a plain custom axis.
    TChartAxis& Add();
    // Creates a custom axis of a class derived from TChartAxis, whose constructor takes the
    // chart first. The axis joins the chart's axis list while it is constructed and the
    // collection once it is complete; a constructor that throws leaves nothing behind.
    template <typename AxisClass, typename... Args>
    AxisClass& Add(Args&&... args) {
        auto axis = std::make_unique<AxisClass>(chart_, std::forward<Args>(args)...);
        AxisClass& result = *axis;
        items_.push_back(std::move(axis));
        return result;
    }

    // Frees the axis at index (ListIndexError outside), or the given axis (ignored when it is
    // not in the collection).
    void Delete(std::ptrdiff_t index);
    void Remove(const TChartAxis& axis);
    void Clear();

private:
    TCustomAxisPanel& chart_;
    std::vector<std::unique_ptr<TChartAxis>> items_;
};

}  // namespace twinscope
