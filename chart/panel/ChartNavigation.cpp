// The navigation beside the drags: the wheel zooming around the cursor, a zoom by any factor
// (a pinch), and the keys of a focused chart. All of it goes through the chart's own zoom and
// scroll, so that the undo, the events and the scales that follow a zoom behave as after a drag.
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "twinscope/chart/axes/ChartAxis.h"
#include "twinscope/chart/panel/ChartMouse.h"
#include "twinscope/chart/panel/CustomChart.h"
#include "twinscope/runtime/Arithmetic.h"

namespace twinscope {

namespace {
// Wheels report their turn in eighths of a degree; a notch is 15 degrees.
constexpr double WheelNotch = 120;
// Each notch away from the user narrows the ranges by a tenth around the cursor.
constexpr double WheelZoomStep = 0.9;
// A single turn counts for no more notches than this, however far the wheel reports.
constexpr double MostNotchesAtOnce = 10;
// The keys zoom by a fifth and pan by a tenth of the plot.
constexpr double KeyZoomStep = 0.8;
constexpr double KeyPanStep = 0.1;
// A zoom by any factor keeps within these, so that a wild pinch stays one step.
constexpr double SmallestFactor = 1e-3;
constexpr double LargestFactor = 1e3;

// The range that a zoom around a pixel gives an axis, its pixels moved towards (or away from)
// it by the factor; none when the range would be empty or not finite.
std::optional<TScaleRange> ZoomedRange(const TScaleMap& map, std::int32_t at, double factor) {
    const auto moved = [&](std::int32_t end) {
        return map.ToValue(static_cast<std::int64_t>(Round(at + (end - at) * factor)));
    };
    const double a = moved(map.StartPixel());
    const double b = moved(map.EndPixel());
    if (!std::isfinite(a) || !std::isfinite(b) || a == b) return std::nullopt;
    return TScaleRange{std::min(a, b), std::max(a, b)};
}
}  // namespace

TChartAxis* TChartMouse::AxisAt(TPoint p) const {
    for (TChartAxis* axis : chart_.Axes()) {
        if (chart_.AxisPaintOf(*axis).Shown && AxisClicked(*axis, p)) return axis;
    }
    return nullptr;
}

TChartAxis* TChartMouse::DrivenAxisAt(TPoint p) const {
    TChartAxis* axis = AxisAt(p);
    // A scale that follows its master takes its range from it: the master moves instead.
    const TChartAxis* master = axis ? axis->RangeFollowing().Master : nullptr;
    for (TChartAxis* a : chart_.Axes()) {
        if (master && a == master) return a;
    }
    return axis;
}

void TChartMouse::ZoomAround(TPoint at, double factor, TChartAxis* only) {
    if (!std::isfinite(factor) || factor == 1 || zoom_.Active() || scroll_.Active) return;
    factor = std::clamp(factor, SmallestFactor, LargestFactor);
    std::vector<TChartAxis*> axes{only};
    if (!only) {
        axes = {&chart_.LeftAxis(), &chart_.RightAxis(), &chart_.TopAxis(), &chart_.BottomAxis()};
    }
    if (!scalesSaved_) SaveScales();
    for (TChartAxis* axis : axes) {
        // From the range the axis holds now, which carries the zooms since the last paint
        // (several wheel notches between two paints), over the pixels that paint gave it.
        const TScaleMap& shown = chart_.ScaleMapOf(*axis);
        const bool holdsItsRange = !axis->Automatic() && !axis->AutomaticMinimum() &&
                                   !axis->AutomaticMaximum() && axis->MinimumOffset() == 0 &&
                                   axis->MaximumOffset() == 0;
        const TScaleMap map =
            holdsItsRange ? shown.WithRange({axis->Minimum(), axis->Maximum()}) : shown;
        if (map.Length() < 1) continue;
        const std::optional<TScaleRange> range =
            ZoomedRange(map, axis->Horizontal() ? at.X : at.Y, factor);
        if (range) SetRangeFromMouse(*axis, range->Minimum, range->Maximum);
    }
    zoomed_ = true;
    if (OnZoom) OnZoom();
    chart_.Invalidate();
}

void TChartMouse::MouseWheelAt(std::int32_t delta, TPoint at) {
    if (!wheelZoomsAtCursor_) {
        MouseWheel(delta);
        return;
    }
    if (delta == 0 || !zoom_.Allow()) return;
    const double notches = std::clamp(delta / WheelNotch, -MostNotchesAtOnce, MostNotchesAtOnce);
    const double factor = std::pow(WheelZoomStep, notches);
    if (TChartAxis* axis = DrivenAxisAt(at)) {
        ZoomAround(at, factor, axis);
        return;
    }
    const TRect& plot = chart_.PlotRect();
    if (at.X >= plot.Left && at.X <= plot.Right && at.Y >= plot.Top && at.Y <= plot.Bottom) {
        ZoomAround(at, factor);
    }
}

bool TChartMouse::ScrollBy(std::int32_t dx, std::int32_t dy) {
    if (zoom_.Active() || scroll_.Active || allowPanning_ == pmNone) return false;
    const TRect& plot = chart_.PlotRect();
    if (!scalesSaved_) SaveScales();
    const bool horizontal = ScrollDirection(true, plot.Left, plot.Left + dx);
    const bool vertical = ScrollDirection(false, plot.Top, plot.Top + dy);
    if (!horizontal && !vertical) return false;
    if (OnScroll) OnScroll();
    chart_.Invalidate();
    return true;
}

bool TChartMouse::NavigationKey(TNavigationKey key) {
    const TRect& plot = chart_.PlotRect();
    const auto across = static_cast<std::int32_t>(Round(plot.Width() * KeyPanStep));
    const auto down = static_cast<std::int32_t>(Round(plot.Height() * KeyPanStep));
    const TPoint centre{plot.Left + plot.Width() / 2, plot.Top + plot.Height() / 2};
    switch (key) {
        // The view moves the way the arrow points: the content moves the other way.
        case nkLeft:
            return ScrollBy(across, 0);
        case nkRight:
            return ScrollBy(-across, 0);
        case nkUp:
            return ScrollBy(0, down);
        case nkDown:
            return ScrollBy(0, -down);
        case nkZoomIn:
        case nkZoomOut:
            if (!zoom_.Allow() || plot.IsEmpty()) return false;
            ZoomAround(centre, key == nkZoomIn ? KeyZoomStep : 1 / KeyZoomStep);
            return true;
        case nkHome:
            if (!scalesSaved_ && !zoomed_) return false;
            UnzoomAxes();
            return true;
    }
    return false;
}

}  // namespace twinscope
