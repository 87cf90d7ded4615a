#pragma once

#include <cstdint>
#include <functional>

#include "chart/canvas/ChartBrush.h"
#include "chart/canvas/ChartFont.h"
#include "chart/canvas/ChartPen.h"
#include "runtime/ChangeNotifier.h"
#include "runtime/Types.h"

namespace twinscope {

enum class TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };
using enum TAlignment;

enum class TChartObjectShapeStyle : std::uint8_t { fosRectangle, fosRoundRectangle, fosEllipse };
using enum TChartObjectShapeStyle;

// A box with a font, a frame, a fill and a shadow, in which titles, label texts and the
// legend draw their text. Every change calls the owner back (a repaint request).
class TTextShape : public TChangeNotifier {
public:
    explicit TTextShape(std::function<void()> onChange, const TFontData& font = {});
    virtual ~TTextShape() = default;

    bool Visible() const { return visible_; }
    void SetVisible(bool v) { Set(visible_, v); }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v) { Set(transparent_, v); }
    TColor Color() const { return color_; }
    void SetColor(TColor c) { Set(color_, c); }
    TAlignment TextAlignment() const { return textAlignment_; }
    void SetTextAlignment(TAlignment a) { Set(textAlignment_, a); }
    TChartObjectShapeStyle ShapeStyle() const { return shapeStyle_; }
    void SetShapeStyle(TChartObjectShapeStyle s) { Set(shapeStyle_, s); }
    const TShadowData& Shadow() const { return shadow_; }
    void SetShadow(const TShadowData& s) { Set(shadow_, s); }

    TChartFont& Font() { return font_; }
    const TChartFont& Font() const { return font_; }
    TChartPen& Frame() { return frame_; }
    const TChartPen& Frame() const { return frame_; }
    TChartBrush& Brush() { return brush_; }
    const TChartBrush& Brush() const { return brush_; }

protected:
    // Defaults of a derived shape, set at construction without a change notice.
    void InitTransparent(bool transparent) { transparent_ = transparent; }

private:
    bool visible_ = true;
    bool transparent_ = false;
    TColor color_ = clWhite;
    TAlignment textAlignment_ = taCenter;
    TChartObjectShapeStyle shapeStyle_ = fosRectangle;
    TShadowData shadow_;
    TChartFont font_;
    TChartPen frame_;
    TChartBrush brush_;
};

}  // namespace twinscope
