#pragma once

#include <cstdint>

#include "twinscope/chart/axes/LabelSample.h"
#include "twinscope/runtime/Export.h"
#include "twinscope/runtime/Types.h"

namespace twinscope {

// Where an axis stands across its direction in one paint (an x for a vertical axis, a y for a
// horizontal one) and what its labels measured when it took its place. The layout computes it
// whole and the chart keeps it for each axis until the next paint; the painter and the mouse
// read it there.
struct TWINSCOPE_EXPORT TAxisLayout {
    std::int32_t AxisPosition = 0;    // the axis line
    std::int32_t LabelsPosition = 0;  // the anchor of the labels
    std::int32_t TitlePosition = 0;   // the anchor of the title
    std::int32_t LabelLineCount = 0;  // the most text lines among the labels; 0 until measured
    std::int32_t LabelsExtent = 0;    // the room the labels took across the axis
    TLabelSample LabelSample;         // what the label increment measured in this paint
    friend bool operator==(const TAxisLayout&, const TAxisLayout&) = default;
};

// What an axis leaves of the working plot rectangle when it takes its room, and where it stands.
struct TWINSCOPE_EXPORT TAxisSpace {
    TRect Plot;
    TAxisLayout Layout;
    friend bool operator==(const TAxisSpace&, const TAxisSpace&) = default;
};

}  // namespace twinscope
