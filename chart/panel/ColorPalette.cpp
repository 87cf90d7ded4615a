#include "twinscope/chart/panel/ColorPalette.h"

#include <algorithm>

namespace twinscope {

namespace {
constexpr TColor TwelveColorPalette[] = {0xA36644, 0x359CF3, 0x144CF1, 0xA8974E,
                                         0x6B402B, 0x637B1D, 0x0E08B3, 0x5DC0F2,
                                         0x9EB75D, 0x707070, 0x8DEAF3, 0xB4B4B4};

// Twenty clearly distinct colours (0x00BBGGRR) for charts that select no palette.
constexpr TColor DefaultColors[] = {0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFFFFFF,
                                    0x808080, 0xFF00FF, 0x808000, 0x800000, 0x000080,
                                    0x00FF80, 0x008080, 0x800080, 0xC0C0C0, 0xFFFF00,
                                    0x000000, 0x408080, 0x4080FF, 0x80FF00, 0x8000FF};
}  // namespace

std::vector<TColor> PaletteColors(std::int32_t paletteIndex) {
    if (paletteIndex == DefaultColorPaletteIndex) {
        return {std::begin(TwelveColorPalette), std::end(TwelveColorPalette)};
    }
    return {std::begin(DefaultColors), std::end(DefaultColors)};
}

TColor NextFreeColor(std::span<const TColor> palette, std::span<const TColor> usedColors,
                     TColor chartColor, TColor wallColor, std::size_t seriesCount) {
    if (palette.empty()) return clBlack;
    for (std::size_t i = 0; i + 1 < palette.size(); ++i) {
        const TColor c = palette[i];
        if (c == chartColor || c == wallColor) continue;
        if (std::find(usedColors.begin(), usedColors.end(), c) != usedColors.end()) continue;
        return c;
    }
    return palette[seriesCount % palette.size()];
}

}  // namespace twinscope
