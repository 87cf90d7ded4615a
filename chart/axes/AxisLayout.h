#pragma once

#include <cstdint>

namespace twinscope {

// Where an axis stands across its direction in one paint (an x for a vertical axis, a y for a
// horizontal one) and what its labels measured when it took its place. The layout computes it
// whole; the painter and the mouse read it.
struct TAxisLayout {
    std::int32_t AxisPosition = 0;    // the axis line
    std::int32_t LabelsPosition = 0;  // the anchor of the labels
    std::int32_t TitlePosition = 0;   // the anchor of the title
    std::int32_t LabelLineCount = 0;  // the most text lines among the labels; 0 until measured
    std::int32_t LabelsExtent = 0;    // the room the labels took across the axis
    friend bool operator==(const TAxisLayout&, const TAxisLayout&) = default;
};

}  // namespace twinscope
