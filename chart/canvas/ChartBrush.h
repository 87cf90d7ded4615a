#pragma once

#include <cstdint>
#include <functional>

#include "twinscope/runtime/ChangeNotifier.h"
#include "twinscope/runtime/Export.h"
#include "twinscope/runtime/Types.h"

namespace twinscope {

enum class TBrushStyle : std::uint8_t {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};
using enum TBrushStyle;

// Hatch patterns beyond the framework's six.
enum class THatchStyle : std::uint8_t {
    hsHorizontal,
    hsVertical,
    hsForwardDiagonal,
    hsBackwardDiagonal,
    hsCross,
    hsDiagonalCross
};
using enum THatchStyle;

enum class TGradientDirection : std::uint8_t { gdTopBottom, gdBottomTop, gdLeftRight, gdRightLeft };
using enum TGradientDirection;

// A two-colour gradient; hidden unless made visible.
struct TWINSCOPE_EXPORT TGradientData {
    bool Visible = false;
    TColor StartColor = clWhite;
    TColor EndColor = clBlack;
    TGradientDirection Direction = gdTopBottom;
    friend bool operator==(const TGradientData&, const TGradientData&) = default;
};

// The settings of a brush as a plain value: what a canvas fills with.
struct TWINSCOPE_EXPORT TBrushData {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
    TColor BackColor = clNone;  // background of a hatch; clNone leaves it transparent
    THatchStyle HatchStyle = hsHorizontal;
    TGradientData Gradient;
    friend bool operator==(const TBrushData&, const TBrushData&) = default;
};

// A brush owned by a chart element; a change calls the owner back.
class TWINSCOPE_EXPORT TChartBrush : public TChangeNotifier {
public:
    explicit TChartBrush(const TBrushData& defaults = {}) : data_(defaults) {}

    const TBrushData& Data() const { return data_; }
    void Assign(const TBrushData& data) { Set(data_, data); }

    TColor Color() const { return data_.Color; }
    void SetColor(TColor c) { Set(data_.Color, c); }
    TBrushStyle Style() const { return data_.Style; }
    void SetStyle(TBrushStyle s) { Set(data_.Style, s); }
    void Clear() { SetStyle(bsClear); }
    TColor BackColor() const { return data_.BackColor; }
    void SetBackColor(TColor c) { Set(data_.BackColor, c); }
    THatchStyle HatchStyle() const { return data_.HatchStyle; }
    void SetHatchStyle(THatchStyle s) { Set(data_.HatchStyle, s); }
    const TGradientData& Gradient() const { return data_.Gradient; }
    void SetGradient(const TGradientData& g) { Set(data_.Gradient, g); }

private:
    TBrushData data_;
};

}  // namespace twinscope
