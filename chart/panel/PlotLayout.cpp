#include "twinscope/chart/panel/PlotLayout.h"

namespace twinscope {

std::int32_t BorderThickness(std::int32_t borderWidth, TBevelCut bevelInner, TBevelCut bevelOuter,
                             std::int32_t bevelWidth, bool borderPenVisible,
                             std::int32_t borderPenWidth) {
    std::int32_t b = borderWidth;
    if (bevelInner != bvNone) b += bevelWidth;
    if (bevelOuter != bvNone) b += bevelWidth;
    if (borderPenVisible) b += borderPenWidth;
    return b;
}

TRect CalcPlotRect(const PlotLayoutInput& in) {
    const std::int32_t w = in.PaintBounds.Width();
    const std::int32_t h = in.PaintBounds.Height();
    const std::int32_t b = in.BorderThickness;
    auto pixels = [&](int index, std::int32_t size) {
        const std::int32_t m = in.Margins[index];
        return in.MarginUnits == muPixels ? m : m * size / 100;
    };
    TRect r{in.PaintBounds.Left + b + pixels(MarginLeftIndex, w),
            in.PaintBounds.Top + b + pixels(MarginTopIndex, h),
            in.PaintBounds.Right - b - pixels(MarginRightIndex, w),
            in.PaintBounds.Bottom - b - pixels(MarginBottomIndex, h)};
    if (in.Shadow.Visible) {
        if (in.Shadow.HorizSize > 0) {
            r.Right -= in.Shadow.HorizSize;
        } else {
            r.Left -= in.Shadow.HorizSize;
        }
        if (in.Shadow.VertSize > 0) {
            r.Bottom -= in.Shadow.VertSize;
        } else {
            r.Top -= in.Shadow.VertSize;
        }
    }
    if (in.Emboss.Visible) {
        if (in.Emboss.HorizSize > 0) {
            r.Left += in.Emboss.HorizSize;
        } else {
            r.Right += in.Emboss.HorizSize;
        }
        if (in.Emboss.VertSize > 0) {
            r.Top += in.Emboss.VertSize;
        } else {
            r.Bottom += in.Emboss.VertSize;
        }
    }
    return ClampPlotRect(r, in.PaintBounds, in.ControlWidth, in.ControlHeight);
}

TRect ClampPlotRect(TRect r, const TRect& bounds, std::int32_t controlWidth,
                    std::int32_t controlHeight) {
    if (r.Left < bounds.Left) r.Left = bounds.Left;
    if (r.Top < bounds.Top) r.Top = bounds.Top;
    if (r.Right < r.Left) {
        r.Right = r.Left + 1;
    } else if (r.Right == r.Left) {
        r.Right = r.Left + controlWidth;
    }
    if (r.Bottom < r.Top) {
        r.Bottom = r.Top + 1;
    } else if (r.Bottom == r.Top) {
        r.Bottom = r.Top + controlHeight;
    }
    return r;
}

}  // namespace twinscope
