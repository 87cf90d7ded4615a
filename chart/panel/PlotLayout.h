#pragma once

#include <array>
#include <cstdint>

#include "twinscope/chart/canvas/ChartFont.h"
#include "twinscope/chart/shapes/Bevel.h"
#include "twinscope/runtime/Types.h"

namespace twinscope {

// Margin indexes into the panel's margin array.
inline constexpr int MarginLeftIndex = 0;
inline constexpr int MarginTopIndex = 1;
inline constexpr int MarginRightIndex = 2;
inline constexpr int MarginBottomIndex = 3;

// What the plot rectangle is computed from.
struct PlotLayoutInput {
    TRect PaintBounds;
    std::array<std::int32_t, 4> Margins{3, 4, 3, 4};  // left, top, right, bottom
    TChartUnits MarginUnits = muPercent;
    std::int32_t BorderThickness = 1;
    TShadowData Shadow;  // only a visible shadow moves the plot
    TShadowData Emboss;  // only a visible emboss moves the plot
    std::int32_t ControlWidth = 0;
    std::int32_t ControlHeight = 0;
};

// The panel's border: BorderWidth, plus a bevel width for each bevel that is not bvNone, plus
// the border pen's width when that pen is visible.
std::int32_t BorderThickness(std::int32_t borderWidth, TBevelCut bevelInner, TBevelCut bevelOuter,
                             std::int32_t bevelWidth, bool borderPenVisible,
                             std::int32_t borderPenWidth);

// Margins become pixels (percent margins truncate toward zero), are taken from the bounds with
// the border, shadow and emboss, and the result is clamped.
TRect CalcPlotRect(const PlotLayoutInput& in);

// Keeps a plot rectangle usable: the left and top edges stay inside the bounds; an inverted
// pair gets one pixel, a collapsed pair the control's whole size.
TRect ClampPlotRect(TRect plot, const TRect& paintBounds, std::int32_t controlWidth,
                    std::int32_t controlHeight);

}  // namespace twinscope
