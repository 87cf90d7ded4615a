#pragma once

#include <cstdint>

#include "twinscope/chart/axes/AxisLabels.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

// What the active series bound to an axis tell it for one paint. The chart gathers it once,
// when it prepares the axis's range; the range, the label pass and the layout read it from then
// on.
struct TWINSCOPE_EXPORT TBoundSeries {
    // The extremes of the active series with points, for the ends the axis takes from them
    // (automatic ends); 0 without such series or for an end that is not automatic.
    double Minimum = 0;
    double Maximum = 0;
    // A series flags the values lying on the axis as date-time values.
    bool DateTime = false;
    // The kind of labels an automatic labels style takes: that of the first series whose style
    // is not plain values, else values; talNone when no active series is bound to the axis.
    TAxisLabelStyle LabelStyle = talNone;
    // The fewest points among the series whose X values lie on the axis and are their own point
    // indexes; 0 when there is none (such a series needs no label steps finer than one index).
    // Looked for only where the labels step through numbers without a set increment.
    std::int32_t IndexedPoints = 0;
    friend bool operator==(const TBoundSeries&, const TBoundSeries&) = default;
};

}  // namespace twinscope
