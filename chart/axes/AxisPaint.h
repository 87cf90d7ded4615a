#pragma once

#include <optional>
#include <unordered_map>
#include <vector>

#include "twinscope/chart/axes/AxisLayout.h"
#include "twinscope/chart/axes/BoundSeries.h"
#include "twinscope/chart/axes/ScaleDivision.h"
#include "twinscope/chart/axes/ScaleMap.h"
#include "twinscope/chart/axes/TickAlignment.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

class TChartAxis;

// What one paint knows of an axis, apart from its settings: whether it shows, what its series
// tell it, the range it shows mapped onto its pixels, where it stands across its direction, its
// title's box and its scale division (labels, ticks, minor ticks). The layout computes it whole
// and the chart keeps it for the axis until the next paint; the series, the painter, the mouse
// and overlays read it there.
struct TWINSCOPE_EXPORT TAxisPaint {
    bool Shown = false;
    TBoundSeries Series;
    TScaleMap Map;
    TAxisLayout Layout;
    // An axis aligned to a master's labels: those labels in this paint, top first.
    std::vector<TMasterLabel> MasterLabels;
    // The increment an axis that follows a master takes in this paint, in place of its own.
    std::optional<double> FollowedIncrement;
    TScaleDivision Division;
    TRect TitleBox;  // empty when the axis shows no title
    // Whether an active series bound to the axis flags the values on it as date-time values.
    bool DateTime() const { return Series.DateTime; }
    friend bool operator==(const TAxisPaint&, const TAxisPaint&) = default;
};

// What a layout computed for every axis of the chart.
using TAxisPaints = std::unordered_map<const TChartAxis*, TAxisPaint>;

// The paint of an axis in `paints`; the empty value for an axis not in it.
TWINSCOPE_EXPORT const TAxisPaint& PaintOf(const TAxisPaints& paints, const TChartAxis& axis);

}  // namespace twinscope
