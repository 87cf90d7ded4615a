#pragma once

#include <cstdint>

#include "twinscope/chart/canvas/ChartCanvas.h"
#include "twinscope/runtime/Export.h"
#include "twinscope/runtime/Types.h"

namespace twinscope {

// How a bevel is cut: not at all, sunk into the surface, standing out of it, or only as room.
enum class TBevelCut : std::uint8_t { bvNone, bvLowered, bvRaised, bvSpace };
using enum TBevelCut;

// The edges of a raised bevel: light on the top and left, shaded on the bottom and right.
inline constexpr TColor kBevelLight = clWhite;
inline constexpr TColor kBevelShade = 0xA0A0A0;

// Draws a frame of `width` one-pixel rings along the inside of rect, each ring with its top and
// left edges in `topColor` and its bottom and right edges in `bottomColor`, and answers the
// rectangle left inside. The width is limited to half the rectangle's width and height.
TWINSCOPE_EXPORT TRect Frame3D(TChartCanvas& canvas, const TRect& rect, TColor topColor,
                               TColor bottomColor, std::int32_t width);

// A bevel of the given cut: raised and lowered ones are drawn as a 3D frame, a space bevel only
// takes its width. Answers the rectangle left inside.
TWINSCOPE_EXPORT TRect DrawBevel(TChartCanvas& canvas, const TRect& rect, TBevelCut cut,
                                 std::int32_t width);

}  // namespace twinscope
