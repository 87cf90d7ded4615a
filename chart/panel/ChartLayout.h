#pragma once

#include <vector>

#include "twinscope/runtime/Types.h"

namespace twinscope {

// Where one paint put the chart's parts. Each step of the paint takes the plot rectangle the
// steps before it left and returns what it leaves; the chart keeps the result until the next
// paint, for the series it draws and for the mouse. The axes' placements and scale maps are
// kept beside it, one per axis (AxisPaintOf).
struct TChartLayout {
    TRect Bounds;                   // the paint bounds
    TRect Plot;                     // the plot rectangle once every part took its room
    std::vector<TRect> TitleBoxes;  // the titles drawn, in drawing order
    TRect LegendBox;                // the legend's box; empty when none was laid out
};

}  // namespace twinscope
