#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "twinscope/chart/canvas/ChartPen.h"
#include "twinscope/runtime/Export.h"
#include "twinscope/runtime/Types.h"

namespace twinscope {

// Font style bits, as the text backends combine them.
using TFontStyles = std::uint8_t;
inline constexpr TFontStyles fsBold = 1;
inline constexpr TFontStyles fsItalic = 2;
inline constexpr TFontStyles fsUnderline = 4;
inline constexpr TFontStyles fsStrikeOut = 8;

enum class TFontQuality : std::uint8_t { fqBest, fqNormal, fqDefault, fqClearType };
using enum TFontQuality;

// A drop shadow or emboss drawn behind text or a shape, offset by its sizes.
struct TWINSCOPE_EXPORT TShadowData {
    bool Visible = false;
    TColor Color = clGray;
    std::int32_t HorizSize = 0;
    std::int32_t VertSize = 0;
    std::int32_t Transparency = 0;
    friend bool operator==(const TShadowData&, const TShadowData&) = default;
};

// The settings of a font as a plain value: what a canvas writes text with.
struct TWINSCOPE_EXPORT TFontData {
    std::string Name = "Arial";
    double SizeFloat = 8;  // points
    TColor Color = clBlack;
    TFontStyles Style = 0;
    TFontQuality Quality = fqDefault;
    std::int32_t InterCharSize = 0;
    TShadowData Shadow;
    TShadowData Emboss;
    TPenData OutLine{.Visible = false};
    TGradientData Gradient;
    friend bool operator==(const TFontData&, const TFontData&) = default;
};

// A font owned by a chart element; a change calls the owner back.
class TWINSCOPE_EXPORT TChartFont : public TChangeNotifier {
public:
    explicit TChartFont(const TFontData& defaults = {}) : data_(defaults) {}

    const TFontData& Data() const { return data_; }
    void Assign(const TFontData& data) { Set(data_, data); }

    const std::string& Name() const { return data_.Name; }
    void SetName(const std::string& name) { Set(data_.Name, name); }
    // Whole points, rounded to nearest with ties to even.
    std::int32_t Size() const;
    void SetSize(std::int32_t points) { SetSizeFloat(points); }
    double SizeFloat() const { return data_.SizeFloat; }
    void SetSizeFloat(double points) { Set(data_.SizeFloat, points); }
    TColor Color() const { return data_.Color; }
    void SetColor(TColor c) { Set(data_.Color, c); }
    TFontStyles Style() const { return data_.Style; }
    void SetStyle(TFontStyles s) { Set(data_.Style, s); }
    TFontQuality Quality() const { return data_.Quality; }
    void SetQuality(TFontQuality q) { Set(data_.Quality, q); }
    std::int32_t InterCharSize() const { return data_.InterCharSize; }
    void SetInterCharSize(std::int32_t v) { Set(data_.InterCharSize, v); }
    const TShadowData& Shadow() const { return data_.Shadow; }
    void SetShadow(const TShadowData& s) { Set(data_.Shadow, s); }
    const TShadowData& Emboss() const { return data_.Emboss; }
    void SetEmboss(const TShadowData& e) { Set(data_.Emboss, e); }
    const TPenData& OutLine() const { return data_.OutLine; }
    void SetOutLine(const TPenData& p) { Set(data_.OutLine, p); }

private:
    TFontData data_;
};

}  // namespace twinscope
