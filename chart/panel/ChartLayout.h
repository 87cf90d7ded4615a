#pragma once

#include <string>
#include <vector>

#include "twinscope/chart/axes/AxisPaint.h"
#include "twinscope/chart/panel/LegendLayout.h"
#include "twinscope/runtime/Types.h"

namespace twinscope {

class TChartTitle;

// A title of the chart as a layout placed it: the caption, the box its shape is drawn in, and
// whether it stands at its own position (drawn over everything else) or against the plot.
struct TTitleLayout {
    const TChartTitle* Title = nullptr;
    const char* Group = "";  // the canvas group it is drawn in
    std::string Caption;
    TRect Box;
    bool CustomPositioned = false;
    friend bool operator==(const TTitleLayout&, const TTitleLayout&) = default;
};

// Where one paint puts the chart's parts, decided before anything is drawn: each step of the
// layout takes the plot rectangle the steps before it left and returns what it leaves. The
// chart keeps it until the next paint, for what it draws, for the mouse and for overlays.
struct TChartLayout {
    TRect Bounds;                   // the paint bounds
    TRect Plot;                     // the plot rectangle once every part took its room
    std::vector<TRect> TitleBoxes;  // the titles placed, in drawing order
    std::vector<TTitleLayout> Titles;
    TRect LegendBox;                // the legend's box; empty when none was laid out
    bool LegendPlaced = false;      // whether the legend was laid out
    TLegendLayout Legend;
    // Every axis of the chart: whether it shows, its series, its scale map, its placement, its
    // title's box and its scale division.
    TAxisPaints Axes;
    friend bool operator==(const TChartLayout&, const TChartLayout&) = default;

    const TAxisPaint& Axis(const TChartAxis& axis) const { return PaintOf(Axes, axis); }
};

}  // namespace twinscope
