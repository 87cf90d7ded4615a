#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "twinscope/chart/canvas/ChartBrush.h"
#include "twinscope/runtime/ChangeNotifier.h"
#include "twinscope/runtime/Export.h"
#include "twinscope/runtime/Types.h"

namespace twinscope {

enum class TPenStyle : std::uint8_t {
    psSolid,
    psDash,
    psDot,
    psDashDot,
    psDashDotDot,
    psClear,
    psInsideFrame
};
using enum TPenStyle;

// How a stroke combines with the pixels beneath it.
enum class TPenMode : std::uint8_t { pmCopy, pmXor, pmNotXor };
using enum TPenMode;

enum class TPenEndStyle : std::uint8_t { esRound, esSquare, esFlat };
using enum TPenEndStyle;

enum class TPenJoinStyle : std::uint8_t { jsRound, jsBevel, jsMitter };
using enum TPenJoinStyle;

// The settings of a pen as a plain value: what a canvas strokes with.
struct TWINSCOPE_EXPORT TPenData {
    bool Visible = true;
    TColor Color = clBlack;
    std::int32_t Width = 1;
    TPenStyle Style = psSolid;
    TPenMode Mode = pmCopy;
    TPenEndStyle EndStyle = esRound;
    TPenJoinStyle JoinStyle = jsRound;
    bool SmallDots = false;
    std::int32_t SmallSpace = 1;
    std::optional<TBrushData> Fill;  // strokes with this brush instead of the colour
    friend bool operator==(const TPenData&, const TPenData&) = default;
};

// A pen owned by a chart element. Every setter that changes a value calls the owner back
// (for chart elements: a repaint request).
class TWINSCOPE_EXPORT TChartPen : public TChangeNotifier {
public:
    explicit TChartPen(const TPenData& defaults = {}) : data_(defaults) {}
    virtual ~TChartPen() = default;

    const TPenData& Data() const { return data_; }
    void Assign(const TPenData& data) { Set(data_, data); }

    bool Visible() const { return data_.Visible; }
    void SetVisible(bool v) { Set(data_.Visible, v); }
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    TColor Color() const { return data_.Color; }
    void SetColor(TColor c) { Set(data_.Color, c); }
    std::int32_t Width() const { return data_.Width; }
    void SetWidth(std::int32_t w) { Set(data_.Width, w); }
    TPenStyle Style() const { return data_.Style; }
    void SetStyle(TPenStyle s) { Set(data_.Style, s); }
    TPenMode Mode() const { return data_.Mode; }
    void SetMode(TPenMode m) { Set(data_.Mode, m); }
    TPenEndStyle EndStyle() const { return data_.EndStyle; }
    void SetEndStyle(TPenEndStyle s) { Set(data_.EndStyle, s); }
    TPenJoinStyle JoinStyle() const { return data_.JoinStyle; }
    void SetJoinStyle(TPenJoinStyle s) { Set(data_.JoinStyle, s); }
    bool SmallDots() const { return data_.SmallDots; }
    void SetSmallDots(bool v) { Set(data_.SmallDots, v); }
    std::int32_t SmallSpace() const { return data_.SmallSpace; }
    void SetSmallSpace(std::int32_t v) { Set(data_.SmallSpace, v); }
    const std::optional<TBrushData>& Fill() const { return data_.Fill; }
    void SetFill(std::optional<TBrushData> fill) { Set(data_.Fill, std::move(fill)); }

private:
    TPenData data_;
};

// A pen that starts hidden (minor grid, panel border, outlines).
class TWINSCOPE_EXPORT TChartHiddenPen : public TChartPen {
public:
    TChartHiddenPen() : TChartPen(TPenData{.Visible = false}) {}
};

// The pen of an axis line: two pixels wide.
class TWINSCOPE_EXPORT TChartAxisPen : public TChartPen {
public:
    TChartAxisPen() : TChartPen(TPenData{.Width = 2}) {}
};

// The pens of the ticks: grey.
class TWINSCOPE_EXPORT TTicks : public TChartPen {
public:
    TTicks() : TChartPen(TPenData{.Color = clGray}) {}
};

// The grid pen: silver, with the grid's own drawing switches.
class TWINSCOPE_EXPORT TAxisGridPen : public TChartPen {
public:
    TAxisGridPen() : TChartPen(TPenData{.Color = clSilver}) {}

    std::int32_t DrawEvery() const { return drawEvery_; }
    void SetDrawEvery(std::int32_t v) { Set(drawEvery_, v); }
    bool DrawAlways() const { return drawAlways_; }
    void SetDrawAlways(bool v) { Set(drawAlways_, v); }
    bool Centered() const { return centered_; }
    void SetCentered(bool v) { Set(centered_, v); }

private:
    std::int32_t drawEvery_ = 1;
    bool drawAlways_ = false;
    bool centered_ = false;
};

}  // namespace twinscope
