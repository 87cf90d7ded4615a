#pragma once

#include <cstdint>

#include "twinscope/runtime/Export.h"
#include "twinscope/runtime/Types.h"

namespace twinscope {

class TChartSeries;

// Whether p lies within `tolerance` pixels of a point of the series shown at the last paint, or
// of the straight line between two such points that follow each other without a gap between
// them. Points are mapped through the series' axes as the last paint mapped them.
TWINSCOPE_EXPORT bool SeriesHit(const TChartSeries& series, TPoint p, std::int32_t tolerance);

}  // namespace twinscope
