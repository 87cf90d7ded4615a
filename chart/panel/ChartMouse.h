#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "twinscope/chart/axes/AxisLayout.h"
#include "twinscope/chart/axes/ScaleMap.h"
#include "twinscope/chart/panel/ChartZoom.h"
#include "twinscope/runtime/Types.h"

namespace twinscope {

class TCanvas3D;
class TChartAxis;
class TChartSeries;
class TCustomChart;

// Pixels of slack around an axis line for a press to count as being on the axis.
inline constexpr std::int32_t ClickTolerance = 3;

// What lies under a point of the chart.
enum class TChartClickedPart : std::uint8_t {
    cpNone,
    cpLegend,
    cpSeries,
    cpAxis,
    cpAxisTitle,
    cpTitle,
    cpChartRect
};
using enum TChartClickedPart;

// Clears the axis's automatic flags and gives it the range from the smaller to the larger of a
// and b, without the range checks of its setters: zoom and scroll never raise them. An end
// outside the axis's transform (zero or below on a logarithmic axis) leaves the axis as it is.
void SetRangeFromMouse(TChartAxis& axis, double a, double b);

// The range an axis holds now, for a scroll or a zoom to start from: the range its last paint
// showed, except that an end that is not automatic (or that pixel offsets widened) reads the
// stored one, which also carries the steps taken since that paint.
TScaleRange HeldRange(const TChartAxis& axis, const TScaleMap& shown);

// The keys a focused chart answers: the arrows pan by a tenth of the plot, ZoomIn and ZoomOut
// zoom around the plot's centre, Home undoes every zoom and scroll.
enum class TNavigationKey : std::uint8_t {
    nkLeft,
    nkRight,
    nkUp,
    nkDown,
    nkZoomIn,
    nkZoomOut,
    nkHome
};
using enum TNavigationKey;

// Zooming and scrolling with the mouse. Dragging with the zoom button draws a rectangle and, on
// release, zooms the four standard axes to it (or, dragged the other way, undoes the zoom);
// dragging with the scroll button moves every axis with the mouse. The host window hands in its
// mouse input; the ranges change at once and show at the next paint.
class TChartMouse {
public:
    explicit TChartMouse(TCustomChart& chart) : chart_(chart) {}
    TChartMouse(const TChartMouse&) = delete;
    TChartMouse& operator=(const TChartMouse&) = delete;

    TChartZoom& Zoom() { return zoom_; }
    const TChartZoom& Zoom() const { return zoom_; }
    TChartPanning& Panning() { return panning_; }
    const TChartPanning& Panning() const { return panning_; }
    TPanningMode AllowPanning() const { return allowPanning_; }
    void SetAllowPanning(TPanningMode mode) { allowPanning_ = mode; }
    TMouseButton ScrollMouseButton() const { return scrollMouseButton_; }
    void SetScrollMouseButton(TMouseButton b) { scrollMouseButton_ = b; }
    // Changing the 3D zoom by the wheel; a two-dimensional chart has no such zoom.
    TMouseWheelStyle ZoomWheel() const { return zoomWheel_; }
    void SetZoomWheel(TMouseWheelStyle s) { zoomWheel_ = s; }

    // The scroll drag in progress; X1, Y1 is the last point handled.
    const TMouseDrag& Scroll() const { return scroll_; }
    // True after a zoom, false after an undo.
    bool Zoomed() const { return zoomed_; }
    // Whether the axes' settings from before the first zoom or scroll step are kept for an undo.
    bool ScalesSaved() const { return scalesSaved_; }

    std::function<void()> OnZoom;
    std::function<void()> OnUndoZoom;
    std::function<void()> OnScroll;
    // Given an axis and the range a scroll step proposes for it, answers the range to take
    // (changed or not), or none to leave the axis where it is.
    std::function<std::optional<TScaleRange>(TChartAxis&, TScaleRange)> OnAllowScroll;

    // The host window's mouse input, in the chart's pixels.
    void MouseDown(TMouseButton button, std::int32_t x, std::int32_t y, TShiftState shift);
    void MouseMove(std::int32_t x, std::int32_t y);
    void MouseUp(TMouseButton button, std::int32_t x, std::int32_t y);
    // Wheel turns in eighths of a degree, positive away from the user (120 per notch).
    void MouseWheel(std::int32_t delta);
    // The same turn with the cursor's pixel: with WheelZoomsAtCursor it zooms around the value
    // under the cursor (over the plot the four standard axes, over an axis that axis alone),
    // else it does what MouseWheel does.
    void MouseWheelAt(std::int32_t delta, TPoint at);
    // Off by default: the wheel zooms or scrolls as Zoom() and Panning() say.
    bool WheelZoomsAtCursor() const { return wheelZoomsAtCursor_; }
    void SetWheelZoomsAtCursor(bool on) { wheelZoomsAtCursor_ = on; }
    // Narrows (factor below 1) or widens the shown ranges around the value under a pixel,
    // which stays where it is: the four standard axes, or the one given. A zoom as the drag's:
    // the first one keeps the settings for the undo, and OnZoom is raised.
    void ZoomAround(TPoint at, double factor, TChartAxis* only = nullptr);
    // A key of a focused chart; false for one it does not answer (or that changes nothing).
    bool NavigationKey(TNavigationKey key);
    // Scrolls by pixels along each direction, as a drag by them would, and says whether it did:
    // a positive dx moves what the plot shows to the right.
    bool ScrollBy(std::int32_t dx, std::int32_t dy);
    // The axis (shown, standard or custom) whose labels or line lie under a pixel; none.
    TChartAxis* AxisAt(TPoint p) const;
    // The axis a gesture over a pixel moves: the axis there, or the master of a scale that
    // follows one; none.
    TChartAxis* DrivenAxisAt(TPoint p) const;
    // Off by default: a press of the zoom or the scroll button on an axis then starts a drag
    // that pans that axis alone (a scale that follows its master: the master), instead of a
    // zoom or a scroll of every axis.
    bool AxisDragPans() const { return axisDragPans_; }
    void SetAxisDragPans(bool on) { axisDragPans_ = on; }

    // Zooms the standard axes to the drag's rectangle, mapped through the last paint.
    void ZoomAxesToRectangle();
    // Gives every axis back the settings saved before the first zoom or scroll step.
    void UnzoomAxes();

    // What the last paint put under the point.
    TChartClickedPart ClickedPart(TPoint p) const;

    // The paint's part: the rectangle of a zoom drag in progress, over everything else.
    void PaintZoomRectangle(TCanvas3D& canvas);

private:
    struct TSavedScale {
        bool Automatic;
        bool AutomaticMinimum;
        bool AutomaticMaximum;
        double Minimum;
        double Maximum;
    };

    bool AxisClicked(const TChartAxis& axis, TPoint p) const;
    bool AxisTitleClicked(const TChartAxis& axis, TPoint p) const;
    // The zoom rectangle with its corners in order; empty when it has no area.
    TRect ZoomRectangle() const;
    void DrawZoomRectangle(TCanvas3D& canvas, bool exclusiveOr);
    // Draws (or, drawn again, erases) the rectangle straight onto the chart's canvas; with
    // FullRepaint the chart repaints instead.
    void ToggleZoomRectangle();
    void EndZoomDrag(std::int32_t x, std::int32_t y);
    void ScrollTo(std::int32_t x, std::int32_t y);
    // Scrolls every axis of one orientation by the values between two pixels; answers whether
    // the direction scrolled.
    bool ScrollDirection(bool horizontal, std::int32_t from, std::int32_t to);
    void ScrollAxis(TChartAxis& axis, std::int32_t from, std::int32_t to);
    void SaveScales();
    void ZoomByWheel(double notches);

    TCustomChart& chart_;
    TChartZoom zoom_;
    TChartPanning panning_;
    TPanningMode allowPanning_ = pmBoth;
    TMouseButton scrollMouseButton_ = mbRight;
    TMouseWheelStyle zoomWheel_ = pmwNone;
    bool wheelZoomsAtCursor_ = false;
    bool axisDragPans_ = false;
    // The one axis a drag over an axis pans; none for the scroll of every axis.
    TChartAxis* scrolledAxis_ = nullptr;
    TMouseDrag scroll_;
    bool zoomed_ = false;
    bool scalesSaved_ = false;
    // By position in the chart's axis list; depth axes keep no entry.
    std::vector<std::optional<TSavedScale>> savedScales_;
};

}  // namespace twinscope
