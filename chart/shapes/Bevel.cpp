#include "twinscope/chart/shapes/Bevel.h"

#include <algorithm>
#include <array>

namespace twinscope {

TRect Frame3D(TChartCanvas& canvas, const TRect& rect, TColor topColor, TColor bottomColor,
              std::int32_t width) {
    width = std::min({width, rect.Width() / 2, rect.Height() / 2});
    canvas.SetPen(TPenData{});
    TRect ring = rect;
    for (std::int32_t i = 0; i < width; ++i) {
        // Corners in drawing coordinates: a line leaves out its last point, so the top-left
        // stroke stops short of the top-right corner and the bottom-right stroke reaches the
        // bottom-left one.
        const std::int32_t right = ring.Right - 1;
        const std::int32_t bottom = ring.Bottom - 1;
        canvas.SetPenColor(topColor);
        const std::array<TPoint, 3> topLeft{TPoint{ring.Left, bottom}, TPoint{ring.Left, ring.Top},
                                            TPoint{right, ring.Top}};
        canvas.Polyline(topLeft);
        canvas.SetPenColor(bottomColor);
        const std::array<TPoint, 3> bottomRight{TPoint{right, ring.Top}, TPoint{right, bottom},
                                                TPoint{ring.Left - 1, bottom}};
        canvas.Polyline(bottomRight);
        ring = {ring.Left + 1, ring.Top + 1, ring.Right - 1, ring.Bottom - 1};
    }
    return ring;
}

TRect DrawBevel(TChartCanvas& canvas, const TRect& rect, TBevelCut cut, std::int32_t width) {
    switch (cut) {
        case bvRaised:
            return Frame3D(canvas, rect, kBevelLight, kBevelShade, width);
        case bvLowered:
            return Frame3D(canvas, rect, kBevelShade, kBevelLight, width);
        case bvSpace:
            return {rect.Left + width, rect.Top + width, rect.Right - width, rect.Bottom - width};
        case bvNone:
            break;
    }
    return rect;
}

}  // namespace twinscope
