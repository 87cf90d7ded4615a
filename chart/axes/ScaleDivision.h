#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "twinscope/chart/axes/DateTimeStep.h"
#include "twinscope/runtime/Export.h"
#include "twinscope/runtime/Types.h"

namespace twinscope {

class TAxisLabelsFormat;

// One label of an axis in a paint: its value, its text, the pixel along the axis it stands at
// and the box its text shape is drawn in (empty until the layout has placed the labels).
struct TWINSCOPE_EXPORT TAxisLabel {
    double Value = 0;
    std::string Text;
    std::int32_t LabelPos = 0;  // pixel along the axis
    TRect Box;
    // A hand-made item's own format; none for the labels the label pass takes.
    const TAxisLabelsFormat* Format = nullptr;
    friend bool operator==(const TAxisLabel&, const TAxisLabel&) = default;
};

// What the labels and ticks of an axis are in one paint: the scale division the layout decides
// once and the painter, the mouse and an overlay read.
struct TWINSCOPE_EXPORT TLabelPassResult {
    // The step between labels: a value difference, or on a logarithmic axis a number of powers
    // of the base (Powers), with the 2 and 5 rungs inside each (Rungs).
    double LabelIncrement = 0;
    bool Powers = false;
    bool Rungs = false;
    // Row of DateTimeStepTable the labels align to and step by; NoDateTimeStep when none.
    std::int32_t StepIndex = NoDateTimeStep;
    // Pixels of the major ticks, in the order the labels were placed (top value first).
    std::vector<std::int32_t> TickPositions;
    // Pixels of the minor ticks, in the order they are drawn.
    std::vector<std::int32_t> MinorTicks;
    // The labels placed, top value first; the axis's automatic items hold the same. For an axis
    // with hand-made items, those items.
    std::vector<TAxisLabel> Labels;
    // Whether the labels are the label pass's (automatic items) rather than hand-made ones.
    bool Automatic = true;
    friend bool operator==(const TLabelPassResult&, const TLabelPassResult&) = default;
};

// The layout's name for it.
using TScaleDivision = TLabelPassResult;

}  // namespace twinscope
