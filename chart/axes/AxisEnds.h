#pragma once

#include "twinscope/chart/axes/BoundSeries.h"
#include "twinscope/chart/axes/ScaleMap.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

class TChartAxis;

// The range an axis would show for a set of bound series, without writing anything: an
// automatic end takes the series' extreme, a fixed end stays the axis's own.
TWINSCOPE_EXPORT TScaleRange PreparedRange(const TChartAxis& axis, const TBoundSeries& series);

// Whether an automatic end of the axis is rounded to its label step.
TWINSCOPE_EXPORT bool RoundsAutomaticEnds(const TChartAxis& axis);

// The range with the axis's rounded automatic ends moved outwards: to whole powers of the base
// on a logarithmic axis, to whole positions on a transform that labels whole positions, else to
// whole multiples of the label step (a step of 0 leaves them as they are).
TWINSCOPE_EXPORT TScaleRange RoundedEnds(const TChartAxis& axis, TScaleRange range, double step);

}  // namespace twinscope
