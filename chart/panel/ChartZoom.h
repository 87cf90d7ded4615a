#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>

#include "twinscope/chart/canvas/ChartBrush.h"
#include "twinscope/chart/canvas/ChartPen.h"
#include "twinscope/runtime/Types.h"

namespace twinscope {

enum class TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };
using enum TMouseButton;

// The modifier keys held during a mouse press.
enum class TShiftKey : std::uint8_t { ssShift, ssAlt, ssCtrl };
using enum TShiftKey;

// A set of modifier keys.
class TShiftState {
public:
    constexpr TShiftState() = default;
    constexpr TShiftState(std::initializer_list<TShiftKey> keys) {
        for (TShiftKey key : keys)
            Include(key);
    }
    constexpr void Include(TShiftKey key) { bits_ |= Bit(key); }
    constexpr bool Contains(TShiftKey key) const { return (bits_ & Bit(key)) != 0; }
    constexpr bool ContainsAll(TShiftState keys) const {
        return (bits_ & keys.bits_) == keys.bits_;
    }
    friend constexpr bool operator==(TShiftState, TShiftState) = default;

private:
    static constexpr std::uint8_t Bit(TShiftKey key) {
        return static_cast<std::uint8_t>(1u << static_cast<unsigned>(key));
    }
    std::uint8_t bits_ = 0;
};

// Which axes a zoom changes: the horizontal ones, the vertical ones or both.
enum class TChartZoomDirection : std::uint8_t { tzdHorizontal, tzdVertical, tzdBoth };
using enum TChartZoomDirection;

enum class TMouseWheelStyle : std::uint8_t { pmwNormal, pmwInverted, pmwNone };
using enum TMouseWheelStyle;

// The directions in which dragging scrolls the axes.
enum class TPanningMode : std::uint8_t { pmNone, pmHorizontal, pmVertical, pmBoth };
using enum TPanningMode;

// The pen of the zoom rectangle: silver, three pixels wide.
class TChartZoomPen : public TChartPen {
public:
    TChartZoomPen() : TChartPen(TPenData{.Color = clSilver, .Width = 3}) {}
};

// The fill of the zoom rectangle: white but clear, so nothing is filled.
class TChartZoomBrush : public TChartBrush {
public:
    TChartZoomBrush() : TChartBrush(TBrushData{.Color = clWhite, .Style = bsClear}) {}
};

// A mouse drag: the press point (X0, Y0) and the current point (X1, Y1), in pixels.
struct TMouseDrag {
    bool Active = false;
    std::int32_t X0 = 0;
    std::int32_t Y0 = 0;
    std::int32_t X1 = 0;
    std::int32_t Y1 = 0;
};

// How the chart zooms with the mouse, and the zoom drag in progress. The settings only steer
// the mouse handling, so changing one requests no repaint.
class TChartZoom {
public:
    bool Allow() const { return allow_; }
    void SetAllow(bool b) { allow_ = b; }
    TMouseButton MouseButton() const { return mouseButton_; }
    void SetMouseButton(TMouseButton b) { mouseButton_ = b; }
    // Keys that must all be held for a zoom to start.
    TShiftState KeyShift() const { return keyShift_; }
    void SetKeyShift(TShiftState keys) { keyShift_ = keys; }
    TChartZoomDirection Direction() const { return direction_; }
    void SetDirection(TChartZoomDirection d) { direction_ = d; }
    // A drag counts when it is wider (and higher) than this, in each zoomed direction.
    std::int32_t MinimumPixels() const { return minimumPixels_; }
    void SetMinimumPixels(std::int32_t px) { minimumPixels_ = px; }
    // A drag towards the left (or up) zooms as well, instead of undoing the zoom.
    bool UpLeftZooms() const { return upLeftZooms_; }
    void SetUpLeftZooms(bool b) { upLeftZooms_ = b; }
    // The release point does not move the rectangle's far corner.
    bool KeepAspectRatio() const { return keepAspectRatio_; }
    void SetKeepAspectRatio(bool b) { keepAspectRatio_ = b; }
    // The rectangle is shown by repainting the chart instead of by exclusive-or drawing.
    bool FullRepaint() const { return fullRepaint_; }
    void SetFullRepaint(bool b) { fullRepaint_ = b; }
    bool History() const { return history_; }
    void SetHistory(bool b) { history_ = b; }
    bool Animated() const { return animated_; }
    void SetAnimated(bool b) { animated_ = b; }
    std::int32_t AnimatedSteps() const { return animatedSteps_; }
    void SetAnimatedSteps(std::int32_t n) { animatedSteps_ = n; }
    // Zooming by the mouse wheel.
    TMouseWheelStyle MouseWheel() const { return mouseWheel_; }
    void SetMouseWheel(TMouseWheelStyle s) { mouseWheel_ = s; }

    // Created on first access.
    TChartZoomPen& Pen();
    // Created on first access; the rectangle is filled only once a brush exists.
    TChartZoomBrush& Brush();
    const TChartZoomBrush* BrushIfCreated() const { return brush_.get(); }

    // The drag in progress.
    const TMouseDrag& Drag() const { return drag_; }
    TMouseDrag& Drag() { return drag_; }
    bool Active() const { return drag_.Active; }

private:
    bool allow_ = true;
    TMouseButton mouseButton_ = mbLeft;
    TShiftState keyShift_;
    TChartZoomDirection direction_ = tzdBoth;
    std::int32_t minimumPixels_ = 16;
    bool upLeftZooms_ = false;
    bool keepAspectRatio_ = false;
    bool fullRepaint_ = false;
    bool history_ = false;
    bool animated_ = false;
    std::int32_t animatedSteps_ = 8;
    TMouseWheelStyle mouseWheel_ = pmwNone;
    std::unique_ptr<TChartZoomPen> pen_;
    std::unique_ptr<TChartZoomBrush> brush_;
    TMouseDrag drag_;
};

// How the chart scrolls by mouse beyond the drag itself.
class TChartPanning {
public:
    // The scroll ends when the mouse leaves the plot rectangle.
    bool InsideBounds() const { return insideBounds_; }
    void SetInsideBounds(bool b) { insideBounds_ = b; }
    // Scrolling by the mouse wheel.
    TMouseWheelStyle MouseWheel() const { return mouseWheel_; }
    void SetMouseWheel(TMouseWheelStyle s) { mouseWheel_ = s; }

private:
    bool insideBounds_ = false;
    TMouseWheelStyle mouseWheel_ = pmwNormal;
};

}  // namespace twinscope
