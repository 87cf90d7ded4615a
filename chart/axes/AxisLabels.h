#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "twinscope/chart/shapes/TextShape.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

enum class TAxisLabelStyle : std::uint8_t {
    talAuto,
    talNone,
    talValue,
    talMark,
    talText,
    talPointValue
};
using enum TAxisLabelStyle;

enum class TAxisLabelsPosition : std::uint8_t { lpAtTick, lpBetweenTicks };
using enum TAxisLabelsPosition;

enum class TAxisLabelAlign : std::uint8_t { alDefault, alOpposite };
using enum TAxisLabelAlign;

// The text shape of label texts: centred and transparent.
class TWINSCOPE_EXPORT TAxisLabelsFormat : public TTextShape {
public:
    explicit TAxisLabelsFormat(std::function<void()> onChange);
};

// The label settings of an axis.
class TWINSCOPE_EXPORT TAxisLabels : public TChangeNotifier {
public:
    explicit TAxisLabels(std::function<void()> onChange);

    bool Visible() const { return visible_; }
    void SetVisible(bool v) { Set(visible_, v); }
    std::int32_t Separation() const { return separation_; }
    // 0 puts the labels edge to edge; a negative gap is refused with AxisException.
    void SetSeparation(std::int32_t percent);
    std::int32_t Size() const { return size_; }
    void SetSize(std::int32_t pixels) { Set(size_, pixels); }
    TAxisLabelStyle Style() const { return style_; }
    void SetStyle(TAxisLabelStyle s) { Set(style_, s); }
    bool RoundFirst() const { return roundFirst_; }
    void SetRoundFirst(bool v) { Set(roundFirst_, v); }
    bool OnAxis() const { return onAxis_; }
    void SetOnAxis(bool v) { Set(onAxis_, v); }
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool v) { Set(multiLine_, v); }
    std::int32_t Angle() const { return angle_; }
    // Stored modulo 360, always in 0..359.
    void SetAngle(std::int32_t degrees);
    bool Alternate() const { return alternate_; }
    void SetAlternate(bool v) { Set(alternate_, v); }
    bool Behind() const { return behind_; }
    void SetBehind(bool v) { Set(behind_, v); }
    bool Exponent() const { return exponent_; }
    void SetExponent(bool v) { Set(exponent_, v); }
    TAxisLabelAlign Align() const { return align_; }
    void SetAlign(TAxisLabelAlign a) { Set(align_, a); }
    std::int32_t MarginToAxis() const { return marginToAxis_; }
    void SetMarginToAxis(std::int32_t percent) { Set(marginToAxis_, percent); }
    TAxisLabelsPosition Position() const { return position_; }
    void SetPosition(TAxisLabelsPosition p) { Set(position_, p); }

    TAxisLabelsFormat& Format() { return format_; }
    const TAxisLabelsFormat& Format() const { return format_; }
    TChartFont& Font() { return format_.Font(); }
    const TChartFont& Font() const { return format_.Font(); }

private:
    bool visible_ = true;
    std::int32_t separation_ = 10;
    std::int32_t size_ = 0;
    TAxisLabelStyle style_ = talAuto;
    bool roundFirst_ = true;
    bool onAxis_ = true;
    bool multiLine_ = false;
    std::int32_t angle_ = 0;
    bool alternate_ = false;
    bool behind_ = false;
    bool exponent_ = false;
    TAxisLabelAlign align_ = alDefault;
    std::int32_t marginToAxis_ = 10;
    TAxisLabelsPosition position_ = lpAtTick;
    TAxisLabelsFormat format_;
};

// One label of an axis: its value, its text and where it stands along the axis.
struct TWINSCOPE_EXPORT TAxisItem {
    double Value = 0;
    std::string Text;
    std::int32_t LabelPos = 0;
    std::unique_ptr<TAxisLabelsFormat> Format;  // absent unless the item has its own look
};

// The labels placed by the last label pass. In automatic mode the pass empties and refills it.
class TWINSCOPE_EXPORT TAxisItems {
public:
    bool Automatic() const { return automatic_; }
    void SetAutomatic(bool v) { automatic_ = v; }
    std::size_t Count() const { return items_.size(); }
    TAxisItem& operator[](std::size_t i) { return items_[i]; }
    const TAxisItem& operator[](std::size_t i) const { return items_[i]; }
    TAxisItem& Add(double value, std::string text);
    void Clear() { items_.clear(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    bool automatic_ = true;
    std::vector<TAxisItem> items_;
};

}  // namespace twinscope
