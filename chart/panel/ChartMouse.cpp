#include "twinscope/chart/panel/ChartMouse.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "twinscope/chart/axes/AxisDrawing.h"
#include "twinscope/chart/axes/AxisGeometry.h"
#include "twinscope/chart/axes/ChartAxis.h"
#include "twinscope/chart/canvas/Canvas3D.h"
#include "twinscope/chart/panel/CustomChart.h"
#include "twinscope/chart/series/ChartSeries.h"
#include "twinscope/chart/series/SeriesHitTest.h"
#include "twinscope/chart/shapes/TextShapeDrawing.h"
#include "twinscope/runtime/Arithmetic.h"

namespace twinscope {

namespace {

// Wheels report their turn in eighths of a degree; a notch is 15 degrees.
constexpr double WheelNotch = 120;
// One wheel notch scrolls by a tenth of the plot, or zooms by a tenth of it on every side.
constexpr double WheelStep = 0.1;
// A wheel zoom never narrows the rectangle past a fifth of the plot, so it keeps an area.
constexpr double WheelZoomLimit = 0.4;

bool Includes(TPanningMode mode, bool horizontal) {
    return mode == pmBoth || mode == (horizontal ? pmHorizontal : pmVertical);
}

// The plot's last column and row are its own pixels (the axes map their ends onto them).
bool InPlot(const TRect& plot, TPoint p) {
    return p.X >= plot.Left && p.X <= plot.Right && p.Y >= plot.Top && p.Y <= plot.Bottom;
}

// Drawn with a not-exclusive-or pen over the background, this colour shows as the pen's own.
TColor ExclusiveOrColor(TColor pen, TColor background) {
    return (ColorToRGB(pen) ^ ~ColorToRGB(background)) & 0xFFFFFF;
}

// Whether the axis's transform has a place for both ends (a logarithmic one none for zero).
bool TakesEnds(const TChartAxis& axis, double a, double b) {
    const auto transform = axis.Transform();
    return !transform || (transform->InDomain(a) && transform->InDomain(b));
}

}  // namespace

void SetRangeFromMouse(TChartAxis& axis, double a, double b) {
    // An end the axis has no place for (on a logarithmic axis, a value far below its range
    // that rounds to zero) leaves the axis as it is.
    if (!TakesEnds(axis, a, b)) return;
    axis.ClearAutomatic();
    axis.StoreRange({std::min(a, b), std::max(a, b)});
}

// Everything is found where the last paint put it.
TChartClickedPart TChartMouse::ClickedPart(TPoint p) const {
    if (chart_.Legend().ShouldDraw(chart_) && Contains(chart_.Layout().LegendBox, p))
        return cpLegend;
    for (const TChartSeries* series : chart_.SeriesList()) {
        if (series->Active() && SeriesHit(*series, p, ClickTolerance)) return cpSeries;
    }
    for (const TChartAxis* axis : chart_.Axes()) {
        if (!chart_.AxisPaintOf(*axis).Shown) continue;
        if (AxisClicked(*axis, p)) return cpAxis;
        if (AxisTitleClicked(*axis, p)) return cpAxisTitle;
    }
    if (chart_.TitleClicked(p)) return cpTitle;
    if (chart_.HasActiveSeries() && InPlot(chart_.PlotRect(), p)) return cpChartRect;
    return cpNone;
}

// The band between the labels and the axis line, widened by the tolerance beyond the line (the
// line alone, widened on both sides, when the labels are hidden), along the whole axis.
bool TChartMouse::AxisClicked(const TChartAxis& axis, TPoint p) const {
    const TAxisLayout* placed = &chart_.AxisPaintOf(axis).Layout;
    const TScaleMap& map = chart_.ScaleMapOf(axis);
    const std::int32_t along = axis.Horizontal() ? p.X : p.Y;
    if (along < map.StartPixel() || along > map.EndPixel()) return false;
    const std::int32_t across = axis.Horizontal() ? p.Y : p.X;
    const std::int32_t line = placed->AxisPosition;
    const std::int32_t labels = placed->LabelsPosition;
    if (!axis.Labels().Visible()) {
        return across >= line - ClickTolerance && across <= line + ClickTolerance;
    }
    if (labels <= line) return across >= labels && across <= line + ClickTolerance;
    return across >= line - ClickTolerance && across <= labels;
}

bool TChartMouse::AxisTitleClicked(const TChartAxis& axis, TPoint p) const {
    // Where the last paint put the title; an axis never painted has none.
    const TRect& box = chart_.AxisPaintOf(axis).TitleBox;
    if (!TitleShows(axis) || box.IsEmpty()) return false;
    return Contains(TurnedShapeBox(box, axis.CreatedTitle()->Angle()), p);
}

void TChartMouse::MouseDown(TMouseButton button, std::int32_t x, std::int32_t y,
                            TShiftState shift) {
    if (zoom_.Active() || scroll_.Active) return;
    switch (ClickedPart({x, y})) {
        case cpSeries:
        case cpAxis:
        case cpTitle:
        case cpChartRect:
            break;
        default:
            return;
    }

    // A drag over an axis (with either button) pans that axis alone, where the chart says so.
    if (axisDragPans_ && allowPanning_ != pmNone &&
        (button == zoom_.MouseButton() || button == scrollMouseButton_)) {
        if (TChartAxis* axis = DrivenAxisAt({x, y});
            axis && Includes(allowPanning_, axis->Horizontal())) {
            scroll_ = {.Active = true, .X0 = x, .Y0 = y, .X1 = x, .Y1 = y};
            scrolledAxis_ = axis;
            return;
        }
    }
    if (zoom_.Allow() && button == zoom_.MouseButton() && shift.ContainsAll(zoom_.KeyShift())) {
        const TRect& plot = chart_.PlotRect();
        const TChartZoomDirection direction = zoom_.Direction();
        const std::int32_t x0 = direction == tzdVertical ? plot.Left : x;
        const std::int32_t y0 = direction == tzdHorizontal ? plot.Top : y;
        TMouseDrag& drag = zoom_.Drag();
        drag = {.Active = true, .X0 = x0, .Y0 = y0, .X1 = x0, .Y1 = y0};
        if (direction == tzdVertical) drag.X1 = plot.Right;
        if (direction == tzdHorizontal) drag.Y1 = plot.Bottom;
        ToggleZoomRectangle();
    }
    if (allowPanning_ != pmNone && button == scrollMouseButton_) {
        scroll_ = {.Active = true, .X0 = x, .Y0 = y, .X1 = x, .Y1 = y};
    }
}

void TChartMouse::MouseMove(std::int32_t x, std::int32_t y) {
    if (zoom_.Active()) {
        const TRect& plot = chart_.PlotRect();
        if (zoom_.Direction() == tzdVertical) x = plot.Right;
        if (zoom_.Direction() == tzdHorizontal) y = plot.Bottom;
        TMouseDrag& drag = zoom_.Drag();
        if (x == drag.X1 && y == drag.Y1) return;
        ToggleZoomRectangle();
        drag.X1 = x;
        drag.Y1 = y;
        ToggleZoomRectangle();
    } else if (scroll_.Active) {
        ScrollTo(x, y);
    }
}

void TChartMouse::MouseUp(TMouseButton button, std::int32_t x, std::int32_t y) {
    if (zoom_.Active() && button == zoom_.MouseButton()) EndZoomDrag(x, y);
    scroll_.Active = false;
    scrolledAxis_ = nullptr;
}

void TChartMouse::EndZoomDrag(std::int32_t x, std::int32_t y) {
    TMouseDrag& drag = zoom_.Drag();
    drag.Active = false;
    ToggleZoomRectangle();
    if (TCanvas3D* canvas = chart_.Canvas()) canvas->SetPenMode(pmCopy);

    const TChartZoomDirection direction = zoom_.Direction();
    if (!zoom_.KeepAspectRatio()) {
        if (direction != tzdVertical) drag.X1 = x;
        if (direction != tzdHorizontal) drag.Y1 = y;
    }
    const std::int64_t minimum = zoom_.MinimumPixels();
    const bool wideEnough =
        direction == tzdVertical || std::abs(std::int64_t{drag.X1} - drag.X0) > minimum;
    const bool highEnough =
        direction == tzdHorizontal || std::abs(std::int64_t{drag.Y1} - drag.Y0) > minimum;
    if (!wideEnough || !highEnough) return;

    const bool forward = direction == tzdVertical ? drag.Y1 > drag.Y0 : drag.X1 > drag.X0;
    if (zoom_.UpLeftZooms() || forward) {
        ZoomAxesToRectangle();
    } else {
        UnzoomAxes();
    }
}

TRect TChartMouse::ZoomRectangle() const {
    const TMouseDrag& drag = zoom_.Drag();
    const TRect r{std::min(drag.X0, drag.X1), std::min(drag.Y0, drag.Y1),
                  std::max(drag.X0, drag.X1), std::max(drag.Y0, drag.Y1)};
    return r.IsEmpty() ? TRect{} : r;
}

void TChartMouse::ToggleZoomRectangle() {
    if (zoom_.FullRepaint()) {
        chart_.Invalidate();
        return;
    }
    TCanvas3D* canvas = chart_.Canvas();
    if (!canvas || ZoomRectangle().IsEmpty()) return;
    DrawZoomRectangle(*canvas, true);
    chart_.RequestRepaint();
}

void TChartMouse::DrawZoomRectangle(TCanvas3D& canvas, bool exclusiveOr) {
    const TRect r = ZoomRectangle();
    if (r.IsEmpty()) return;
    TChartZoomPen& pen = zoom_.Pen();
    if (exclusiveOr) {
        const TChartWall& wall = chart_.BackWall();
        const TColor background =
            wall.Visible() && !wall.Transparent() ? wall.Color() : chart_.Color();
        canvas.SetPenFrom(pen, ExclusiveOrColor(pen.Color(), background));
        canvas.SetPenMode(pmNotXor);
    } else {
        canvas.SetPenFrom(pen, pen.Color());
    }
    if (const TChartZoomBrush* brush = zoom_.BrushIfCreated()) {
        canvas.AssignBrush(*brush, brush->Color());
    } else {
        canvas.SetBrushStyle(bsClear);
    }
    canvas.Rectangle(r);
}

void TChartMouse::PaintZoomRectangle(TCanvas3D& canvas) {
    // Drawn in exclusive-or mode too, so that the drag's next erase finds it on a fresh image.
    if (zoom_.Active()) DrawZoomRectangle(canvas, !zoom_.FullRepaint());
}

void TChartMouse::ZoomAxesToRectangle() {
    TMouseDrag& drag = zoom_.Drag();
    if (drag.X1 < drag.X0) std::swap(drag.X0, drag.X1);
    if (drag.Y1 < drag.Y0) std::swap(drag.Y0, drag.Y1);

    TChartAxis& left = chart_.LeftAxis();
    TChartAxis& right = chart_.RightAxis();
    TChartAxis& top = chart_.TopAxis();
    TChartAxis& bottom = chart_.BottomAxis();
    const auto rangeOf = [this](const TChartAxis& axis, std::int32_t from, std::int32_t to) {
        const TScaleMap& map = chart_.ScaleMapOf(axis);
        return TScaleRange{map.ToValue(from), map.ToValue(to)};
    };
    const TScaleRange leftRange = rangeOf(left, drag.Y0, drag.Y1);
    const TScaleRange rightRange = rangeOf(right, drag.Y0, drag.Y1);
    const TScaleRange topRange = rangeOf(top, drag.X0, drag.X1);
    const TScaleRange bottomRange = rangeOf(bottom, drag.X0, drag.X1);

    if (!scalesSaved_) SaveScales();
    if (zoom_.Direction() != tzdHorizontal) {
        SetRangeFromMouse(left, leftRange.Minimum, leftRange.Maximum);
        SetRangeFromMouse(right, rightRange.Minimum, rightRange.Maximum);
    }
    if (zoom_.Direction() != tzdVertical) {
        SetRangeFromMouse(top, topRange.Minimum, topRange.Maximum);
        SetRangeFromMouse(bottom, bottomRange.Minimum, bottomRange.Maximum);
    }
    zoomed_ = true;
    if (OnZoom) OnZoom();
    chart_.Invalidate();
}

void TChartMouse::UnzoomAxes() {
    if (scalesSaved_) {
        // By position: the axes that replaced others since the save take their settings.
        for (std::size_t i = 0; i < std::min(chart_.Axes().size(), savedScales_.size()); ++i) {
            TChartAxis& axis = *chart_.Axes()[i];
            const std::optional<TSavedScale>& saved = savedScales_[i];
            if (!saved || axis.IsDepthAxis()) continue;
            // A range saved before the axis turned logarithmic (or took another transform)
            // may hold values the axis has no place for: that axis keeps the range it has.
            if (!TakesEnds(axis, saved->Minimum, saved->Maximum)) continue;
            axis.SetAutomatic(saved->Automatic);
            axis.SetAutomaticMinimum(saved->AutomaticMinimum);
            axis.SetAutomaticMaximum(saved->AutomaticMaximum);
            axis.StoreRange({saved->Minimum, saved->Maximum});
        }
        savedScales_.clear();
        scalesSaved_ = false;
    }
    zoomed_ = false;
    if (OnUndoZoom) OnUndoZoom();
    chart_.Invalidate();
}

void TChartMouse::SaveScales() {
    savedScales_.clear();
    for (const TChartAxis* axis : chart_.Axes()) {
        if (axis->IsDepthAxis()) {
            savedScales_.emplace_back();
            continue;
        }
        savedScales_.push_back(TSavedScale{axis->Automatic(), axis->AutomaticMinimum(),
                                           axis->AutomaticMaximum(), axis->Minimum(),
                                           axis->Maximum()});
    }
    scalesSaved_ = true;
}

void TChartMouse::ScrollTo(std::int32_t x, std::int32_t y) {
    if (!scrolledAxis_ && panning_.InsideBounds() && !InPlot(chart_.PlotRect(), {x, y})) {
        scroll_.Active = false;
        return;
    }
    if (x == scroll_.X1 && y == scroll_.Y1) return;
    // An axis freed under the drag (a handler may replace a scale) ends it.
    if (scrolledAxis_ && std::find(chart_.Axes().begin(), chart_.Axes().end(), scrolledAxis_) ==
                             chart_.Axes().end()) {
        scroll_.Active = false;
        scrolledAxis_ = nullptr;
        return;
    }
    if (!scalesSaved_) SaveScales();
    bool horizontal = false;
    bool vertical = false;
    if (TChartAxis* axis = scrolledAxis_) {
        const bool across = axis->Horizontal();
        const std::int32_t from = across ? scroll_.X1 : scroll_.Y1;
        const std::int32_t to = across ? x : y;
        if (from != to) ScrollAxis(*axis, from, to);
        (across ? horizontal : vertical) = from != to;
    } else {
        horizontal = ScrollDirection(true, scroll_.X1, x);
        vertical = ScrollDirection(false, scroll_.Y1, y);
    }
    scroll_.X1 = x;
    scroll_.Y1 = y;
    if (horizontal || vertical) {
        if (OnScroll) OnScroll();
        chart_.Invalidate();
    }
}

bool TChartMouse::ScrollDirection(bool horizontal, std::int32_t from, std::int32_t to) {
    if (from == to || !Includes(allowPanning_, horizontal)) return false;
    // By index: a scroll handler may change the axis list.
    for (std::size_t i = 0; i < chart_.Axes().size(); ++i) {
        TChartAxis& axis = *chart_.Axes()[i];
        if (axis.IsDepthAxis() || axis.Horizontal() != horizontal) continue;
        ScrollAxis(axis, from, to);
    }
    return true;
}

TScaleRange HeldRange(const TChartAxis& axis, const TScaleMap& shown) {
    const bool storedMinimum =
        axis.MinimumOffset() != 0 || !(axis.Automatic() || axis.AutomaticMinimum());
    const bool storedMaximum =
        axis.MaximumOffset() != 0 || !(axis.Automatic() || axis.AutomaticMaximum());
    return {storedMinimum ? axis.Minimum() : shown.Minimum(),
            storedMaximum ? axis.Maximum() : shown.Maximum()};
}

void TChartMouse::ScrollAxis(TChartAxis& axis, std::int32_t from, std::int32_t to) {
    const TScaleMap& map = chart_.ScaleMapOf(axis);
    TScaleRange range = map.Scrolled(HeldRange(axis, map), from, to);
    if (OnAllowScroll) {
        const std::optional<TScaleRange> allowed = OnAllowScroll(axis, range);
        if (!allowed) return;
        range = *allowed;
    }
    SetRangeFromMouse(axis, range.Minimum, range.Maximum);
}

void TChartMouse::MouseWheel(std::int32_t delta) {
    if (delta == 0 || zoom_.Active() || scroll_.Active) return;
    const double notches = delta / WheelNotch;
    if (zoom_.Allow() && zoom_.MouseWheel() != pmwNone) {
        ZoomByWheel(zoom_.MouseWheel() == pmwInverted ? -notches : notches);
        return;
    }
    if (allowPanning_ == pmNone || panning_.MouseWheel() == pmwNone) return;

    // Turning the wheel away from the user shows higher values, as dragging the drawing down
    // (or, on a chart that only scrolls horizontally, to the left) does.
    const bool vertical = Includes(allowPanning_, false);
    const TRect& plot = chart_.PlotRect();
    const double sign = panning_.MouseWheel() == pmwInverted ? -1 : 1;
    const auto step = static_cast<std::int32_t>(
        Round(sign * notches * WheelStep * (vertical ? plot.Height() : plot.Width())));
    if (step == 0) return;
    if (!scalesSaved_) SaveScales();
    const std::int32_t from = vertical ? plot.Top : plot.Left;
    if (ScrollDirection(!vertical, from, vertical ? from + step : from - step)) {
        if (OnScroll) OnScroll();
        chart_.Invalidate();
    }
}

// Turning the wheel away from the user narrows the four standard axes to a rectangle inside
// the plot; turning it back widens them.
void TChartMouse::ZoomByWheel(double notches) {
    const TRect& plot = chart_.PlotRect();
    const double fraction = std::min(notches * WheelStep, WheelZoomLimit);
    const auto dx = static_cast<std::int32_t>(Round(plot.Width() * fraction));
    const auto dy = static_cast<std::int32_t>(Round(plot.Height() * fraction));
    if (dx == 0 && dy == 0) return;
    zoom_.Drag() = {
        .X0 = plot.Left + dx, .Y0 = plot.Top + dy, .X1 = plot.Right - dx, .Y1 = plot.Bottom - dy};
    ZoomAxesToRectangle();
}

}  // namespace twinscope
