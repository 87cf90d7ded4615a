#include "twinscope/chart/panel/PlotLayout.h"

namespace twinscope {

std::int32_t BorderThickness(std::int32_t borderWidth, TBevelCut bevelInner, TBevelCut bevelOuter,
                             std::int32_t bevelWidth, bool borderPenVisible,
                             std::int32_t borderPenWidth) {
    std::int64_t b = borderWidth;
    if (bevelInner != bvNone) b += bevelWidth;
    if (bevelOuter != bvNone) b += bevelWidth;
    if (borderPenVisible) b += borderPenWidth;
    return SaturatedPixel(b);
}

TRect CalcPlotRect(const PlotLayoutInput& in) {
    const std::int64_t w = in.PaintBounds.Width();
    const std::int64_t h = in.PaintBounds.Height();
    const std::int64_t b = in.BorderThickness;
    auto pixels = [&](int index, std::int64_t size) {
        const std::int64_t m = in.Margins[index];
        return in.MarginUnits == muPixels ? m : m * size / 100;
    };
    std::int64_t left = in.PaintBounds.Left + b + pixels(MarginLeftIndex, w);
    std::int64_t top = in.PaintBounds.Top + b + pixels(MarginTopIndex, h);
    std::int64_t right = in.PaintBounds.Right - b - pixels(MarginRightIndex, w);
    std::int64_t bottom = in.PaintBounds.Bottom - b - pixels(MarginBottomIndex, h);
    // A shadow narrows the plot on the side it falls on, an emboss on the side it rises from.
    if (in.Shadow.Visible) {
        (in.Shadow.HorizSize > 0 ? right : left) -= in.Shadow.HorizSize;
        (in.Shadow.VertSize > 0 ? bottom : top) -= in.Shadow.VertSize;
    }
    if (in.Emboss.Visible) {
        (in.Emboss.HorizSize > 0 ? left : right) += in.Emboss.HorizSize;
        (in.Emboss.VertSize > 0 ? top : bottom) += in.Emboss.VertSize;
    }
    const TRect r{SaturatedPixel(left), SaturatedPixel(top), SaturatedPixel(right),
                  SaturatedPixel(bottom)};
    return ClampPlotRect(r, in.PaintBounds, in.ControlWidth, in.ControlHeight);
}

TRect ClampPlotRect(TRect r, const TRect& bounds, std::int32_t controlWidth,
                    std::int32_t controlHeight) {
    if (r.Left < bounds.Left) r.Left = bounds.Left;
    if (r.Top < bounds.Top) r.Top = bounds.Top;
    if (r.Right < r.Left) {
        r.Right = SaturatedPixel(std::int64_t{r.Left} + 1);
    } else if (r.Right == r.Left) {
        r.Right = SaturatedPixel(std::int64_t{r.Left} + controlWidth);
    }
    if (r.Bottom < r.Top) {
        r.Bottom = SaturatedPixel(std::int64_t{r.Top} + 1);
    } else if (r.Bottom == r.Top) {
        r.Bottom = SaturatedPixel(std::int64_t{r.Top} + controlHeight);
    }
    return r;
}

}  // namespace twinscope
