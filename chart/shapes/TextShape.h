#pragma once

#include <cstdint>
#include <functional>

#include "twinscope/chart/canvas/ChartBrush.h"
#include "twinscope/chart/canvas/ChartFont.h"
#include "twinscope/chart/canvas/ChartPen.h"
#include "twinscope/chart/shapes/Bevel.h"
#include "twinscope/runtime/ChangeNotifier.h"
#include "twinscope/runtime/Export.h"
#include "twinscope/runtime/Types.h"

namespace twinscope {

enum class TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };
using enum TAlignment;

enum class TChartObjectShapeStyle : std::uint8_t { fosRectangle, fosRoundRectangle, fosEllipse };
using enum TChartObjectShapeStyle;

// The space a text shape that is not transparent keeps between its frame and its text, in
// pixels on each side.
class TWINSCOPE_EXPORT TShapeMargins : public TChangeNotifier {
public:
    std::int32_t Left() const { return left_; }
    void SetLeft(std::int32_t v) { Set(left_, v); }
    std::int32_t Top() const { return top_; }
    void SetTop(std::int32_t v) { Set(top_, v); }
    std::int32_t Right() const { return right_; }
    void SetRight(std::int32_t v) { Set(right_, v); }
    std::int32_t Bottom() const { return bottom_; }
    void SetBottom(std::int32_t v) { Set(bottom_, v); }

private:
    std::int32_t left_ = 0;
    std::int32_t top_ = 0;
    std::int32_t right_ = 0;
    std::int32_t bottom_ = 0;
};

// A box with a font, a frame, a fill and a shadow, in which titles, label texts and the
// legend draw their text. Every change calls the owner back (a repaint request).
class TWINSCOPE_EXPORT TTextShape : public TChangeNotifier {
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
    // Corner size of a rounded rectangle.
    std::int32_t RoundSize() const { return roundSize_; }
    void SetRoundSize(std::int32_t v) { Set(roundSize_, v); }
    const TShadowData& Shadow() const { return shadow_; }
    void SetShadow(const TShadowData& s) { Set(shadow_, s); }
    // A 3D frame drawn inside the box, over its fill.
    TBevelCut Bevel() const { return bevel_; }
    void SetBevel(TBevelCut b) { Set(bevel_, b); }
    std::int32_t BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(std::int32_t v) { Set(bevelWidth_, v); }

    TChartFont& Font() { return font_; }
    const TChartFont& Font() const { return font_; }
    TChartPen& Frame() { return frame_; }
    const TChartPen& Frame() const { return frame_; }
    TChartBrush& Brush() { return brush_; }
    const TChartBrush& Brush() const { return brush_; }
    TShapeMargins& Margins() { return margins_; }
    const TShapeMargins& Margins() const { return margins_; }

protected:
    // Defaults of a derived shape, set at construction without a change notice.
    void InitTransparent(bool transparent) { transparent_ = transparent; }

private:
    bool visible_ = true;
    bool transparent_ = false;
    TColor color_ = clWhite;
    TAlignment textAlignment_ = taCenter;
    TChartObjectShapeStyle shapeStyle_ = fosRectangle;
    std::int32_t roundSize_ = 16;
    TShadowData shadow_;
    TBevelCut bevel_ = bvNone;
    std::int32_t bevelWidth_ = 1;
    TChartFont font_;
    TChartPen frame_;
    TChartBrush brush_;
    TShapeMargins margins_;
};

}  // namespace twinscope
