#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "twinscope/runtime/Types.h"

namespace twinscope {

// The palette that ColorPaletteIndex 13 selects (the chart's default).
inline constexpr std::int32_t DefaultColorPaletteIndex = 13;

// The colours of a palette index; indexes without a palette of their own give the built-in
// default list of twenty colours.
std::vector<TColor> PaletteColors(std::int32_t paletteIndex);

// The colour a series without its own colour takes: the first palette entry before the last
// one that no other series uses and that differs from the chart's and the back wall's
// colours; when none qualifies, the entry at seriesCount modulo the palette length.
TColor NextFreeColor(std::span<const TColor> palette, std::span<const TColor> usedColors,
                     TColor chartColor, TColor wallColor, std::size_t seriesCount);

}  // namespace twinscope
