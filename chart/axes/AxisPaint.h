#pragma once

#include <vector>

#include "twinscope/chart/axes/AxisLayout.h"
#include "twinscope/chart/axes/BoundSeries.h"
#include "twinscope/chart/axes/ScaleMap.h"
#include "twinscope/chart/axes/TickAlignment.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

// What one paint knows of an axis, apart from its settings: whether it shows, what its series
// tell it, the range it shows mapped onto its pixels, and where it stands across its direction.
// The chart computes it during the paint and keeps it for the axis until the next one; the
// series, the painter and the mouse read it there.
struct TWINSCOPE_EXPORT TAxisPaint {
    bool Shown = false;
    TBoundSeries Series;
    TScaleMap Map;
    TAxisLayout Layout;
    // An axis aligned to a master's labels: those labels in this paint, top first.
    std::vector<TMasterLabel> MasterLabels;
    // Whether an active series bound to the axis flags the values on it as date-time values.
    bool DateTime() const { return Series.DateTime; }
    friend bool operator==(const TAxisPaint&, const TAxisPaint&) = default;
};

}  // namespace twinscope
