#pragma once

#include "twinscope/chart/panel/ChartLayout.h"
#include "twinscope/runtime/Types.h"

namespace twinscope {

class TCanvas3D;
class TCustomChart;

// The layout of a paint of `chart` within `bounds`, decided before anything is drawn: the
// titles' boxes, the legend's layout, the plot rectangle, and for every axis whether it shows,
// its final scale map, where it stands and its scale division (the labels with their texts and
// boxes, the ticks, the minor ticks, the increment). It measures text through `measure` and
// writes nothing: neither the chart's settings nor what the chart keeps from its last paint,
// which it reads (an axis's range is prepared over the pixels it spanned then). Without a
// canvas no text is measured: titles and the legend take no room, and axes only map their
// ranges onto the plot the margins leave.
//
// Secondary axes that follow a master (TRangeFollowing) take their ranges from the master's
// shown range while the axes are laid out, so a paint needs no event to pass them on.
TChartLayout ComputeLayout(const TCustomChart& chart, TCanvas3D* measure, const TRect& bounds);

}  // namespace twinscope
