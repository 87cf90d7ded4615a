#pragma once

#include <functional>

#include "twinscope/chart/axes/AxisLayout.h"
#include "twinscope/chart/axes/AxisPaint.h"
#include "twinscope/chart/axes/ChartAxis.h"
#include "twinscope/chart/canvas/Canvas3D.h"
#include "twinscope/runtime/Types.h"

namespace twinscope {

class TCustomChart;

// How the legend takes part in a paint.
struct TLegendPaintRole {
    bool Shown = false;       // visible, with something to list
    bool Vertical = false;    // aligned left or right: laid out before the titles take space
    bool DrawBehind = false;  // drawn in the pass before the series, under axes and series
};

// The layers of the paint that the axes, the series and the legend draw themselves. The chart
// runs the painting order and calls each layer at its place in it; a layer that is not set
// draws nothing and takes no space.
struct TChartPaintLayers {
    // A shown axis takes its space from the working plot rectangle and answers what it leaves
    // and where it stands, given what this paint computed for it so far and where it stood in
    // the last paint (custom axes only place themselves and leave the rectangle unchanged).
    std::function<TAxisSpace(const TChartAxis&, const TAxisPaint&, TCanvas3D&, const TRect&)>
        ReserveAxisSpace;
    // An axis applies its pixel offsets at both ends once the plot rectangle is final.
    std::function<void(TChartAxis&)> ApplyAxisOffsets;
    // A shown axis draws its title, line, ticks, grid and labels where it is placed.
    std::function<void(TChartAxis&, TCanvas3D&, const TAxisPaint&)> DrawAxis;
    // The series step: every active series draws its visible points.
    std::function<void(TCustomChart&, TCanvas3D&)> DrawSeries;
    // The legend's part in this paint; not set = no legend.
    std::function<TLegendPaintRole(const TCustomChart&)> LegendRole;
    // The legend computes its box against the plot rectangle as it stands.
    std::function<void(TCustomChart&, TCanvas3D&)> PlaceLegend;
    // The legend draws its box and items.
    std::function<void(TCustomChart&, TCanvas3D&)> DrawLegend;
};

}  // namespace twinscope
