#pragma once

#include <cstdint>
#include <functional>

#include "twinscope/chart/canvas/ChartCanvas.h"
#include "twinscope/chart/canvas/ChartFont.h"
#include "twinscope/chart/canvas/ChartPen.h"
#include "twinscope/runtime/ChangeNotifier.h"
#include "twinscope/runtime/Types.h"

namespace twinscope {

class TChartSeries;

enum class TLegendSymbolSize : std::uint8_t { lcsPercent, lcsPixels };
using enum TLegendSymbolSize;

enum class TLegendSymbolPosition : std::uint8_t { spLeft, spRight };
using enum TLegendSymbolPosition;

// The coloured mark beside each legend row. A squared symbol is as wide as it is high; its
// height is a percentage of the row (or pixels), and its width otherwise a percentage of the
// text block (or pixels).
class TLegendSymbol : public TChangeNotifier {
public:
    explicit TLegendSymbol(std::function<void()> onChange);

    bool Visible() const { return visible_; }
    void SetVisible(bool v) { Set(visible_, v); }
    bool Squared() const { return squared_; }
    void SetSquared(bool v) { Set(squared_, v); }
    std::int32_t Width() const { return width_; }
    void SetWidth(std::int32_t v) { Set(width_, v); }
    TLegendSymbolSize WidthUnits() const { return widthUnits_; }
    void SetWidthUnits(TLegendSymbolSize u) { Set(widthUnits_, u); }
    std::int32_t Height() const { return height_; }
    void SetHeight(std::int32_t v) { Set(height_, v); }
    TLegendSymbolSize HeightUnits() const { return heightUnits_; }
    void SetHeightUnits(TLegendSymbolSize u) { Set(heightUnits_, u); }
    TLegendSymbolPosition Position() const { return position_; }
    void SetPosition(TLegendSymbolPosition p) { Set(position_, p); }
    // The symbols of consecutive rows touch, forming one band.
    bool Continuous() const { return continuous_; }
    void SetContinuous(bool v) { Set(continuous_, v); }
    // Series draw their symbols with their own pen unless this is cleared; then with Pen.
    bool DefaultPen() const { return defaultPen_; }
    void SetDefaultPen(bool v) { Set(defaultPen_, v); }
    TChartPen& Pen() { return pen_; }
    const TChartPen& Pen() const { return pen_; }
    const TShadowData& Shadow() const { return shadow_; }
    void SetShadow(const TShadowData& s) { Set(shadow_, s); }
    const TShadowData& Emboss() const { return emboss_; }
    void SetEmboss(const TShadowData& e) { Set(emboss_, e); }

    // Draws the symbol of an item (its point or series place) into the rectangle instead of
    // the series.
    std::function<void(TChartCanvas&, std::int32_t index, const TRect&)> OnDraw;

    // Pixels the visible shadow and emboss add beside the symbol.
    std::int32_t ExtraWidth() const;
    // Pixels a visible shadow or emboss reaches below a row of the given height, beyond the
    // sixth of the row it may overlap.
    std::int32_t ExtraHeight(std::int32_t rowHeight) const;

private:
    bool visible_ = true;
    bool squared_ = true;
    std::int32_t width_ = 20;
    TLegendSymbolSize widthUnits_ = lcsPercent;
    std::int32_t height_ = 100;
    TLegendSymbolSize heightUnits_ = lcsPercent;
    TLegendSymbolPosition position_ = spLeft;
    bool continuous_ = false;
    bool defaultPen_ = true;
    TChartPen pen_;
    TShadowData shadow_{.Visible = true, .Color = clBlack, .HorizSize = 1, .VertSize = 1};
    TShadowData emboss_;
};

// A series' symbol for one legend row, drawn into rect: nothing for the colour clNone; a line
// series without markers draws a horizontal line through the middle of rect in the colour, a
// series with visible markers its marker filled in the colour, any other series a box filled
// in the colour; a band its swatch: the rectangle filled translucent, its top and bottom
// edge drawn as the band's edges. The pen is the series' own (or the symbol's Pen), at most half
// rect's height wide.
void DrawSeriesSymbol(TChartCanvas& canvas, const TChartSeries& series, TColor color,
                      const TRect& rect, const TLegendSymbol& symbol);

}  // namespace twinscope
