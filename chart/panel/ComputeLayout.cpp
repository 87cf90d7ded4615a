#include "twinscope/chart/panel/ComputeLayout.h"

#include <algorithm>
#include <array>
#include <optional>

#include "twinscope/chart/axes/AxisDrawing.h"
#include "twinscope/chart/axes/AxisEnds.h"
#include "twinscope/chart/axes/AxisGeometry.h"
#include "twinscope/chart/axes/AxisLabelPass.h"
#include "twinscope/chart/canvas/Canvas3D.h"
#include "twinscope/chart/panel/CustomChart.h"
#include "twinscope/chart/panel/PlotLayout.h"
#include "twinscope/chart/shapes/TextShapeDrawing.h"
#include "twinscope/runtime/Arithmetic.h"

namespace twinscope {

namespace {

// Between custom axes standing side by side.
constexpr std::int32_t StackedAxisGap = 4;

// The room missing on an axis's side of `room` when it reaches out to `edge`.
void Lacks(TRect& lack, const TChartAxis& axis, const TRect& room, std::int32_t edge) {
    const std::int32_t beyond = std::max(0, DistanceOutwards(axis, Side(axis, room), edge));
    std::int32_t& side = SideOf(axis) == asLeft    ? lack.Left
                         : SideOf(axis) == asTop   ? lack.Top
                         : SideOf(axis) == asRight ? lack.Right
                                                   : lack.Bottom;
    side = std::max(side, beyond);
}

// How far the custom axes may reach out from the plot on each side: up to the titles or the
// legend where they took room from the plot on that side, else up to the paint bounds.
TRect AxesRoom(const TRect& bounds, const TRect& marginPlot, const TRect& plot) {
    const auto side = [](std::int32_t left, std::int32_t margin, std::int32_t bound) {
        return left != margin ? left : bound;
    };
    return {side(plot.Left, marginPlot.Left, bounds.Left),
            side(plot.Top, marginPlot.Top, bounds.Top),
            side(plot.Right, marginPlot.Right, bounds.Right),
            side(plot.Bottom, marginPlot.Bottom, bounds.Bottom)};
}

// A label whose text would reach past the paint bounds along its axis would be cut at the
// chart's edge: it is left out (its tick stays).
void LeaveOutLabelsBeyond(const TChartAxis& axis, const TRect& bounds, TScaleDivision& division) {
    const auto cut = [&](const TAxisLabel& label) {
        return axis.Horizontal() ? label.Box.Left < bounds.Left || label.Box.Right > bounds.Right
                                 : label.Box.Top < bounds.Top || label.Box.Bottom > bounds.Bottom;
    };
    std::erase_if(division.Labels, cut);
}

// One layout, step by step. Each step takes the plot rectangle the steps before it left and
// returns what it leaves; what it decides for the axes goes into their paints.
class TLayoutPass {
public:
    TLayoutPass(const TCustomChart& chart, TCanvas3D* measure, const TRect& bounds)
        : chart_(chart), measure_(measure) {
        layout_.Bounds = bounds;
        layout_.Plot = chart.MarginPlot(bounds);
        // What the last paint decided stays where this one decides nothing new.
        for (const TChartAxis* axis : chart.Axes())
            layout_.Axes[axis] = chart.AxisPaintOf(*axis);
    }

    TChartLayout Run() {
        // What the series tell each axis, once: the legend writes X values as their axis writes
        // its labels, before the axes are placed.
        for (const TChartAxis* axis : chart_.Axes())
            Paint(*axis).Series = chart_.BoundSeriesOf(*axis);
        const TRect marginPlot = Clamped(layout_.Plot);
        TRect plot = measure_ ? PlaceTitlesAndLegend(layout_.Plot) : layout_.Plot;
        // The walls step: in 2D the walls take no space.
        plot = PlaceAxesOnPlot(Clamped(plot), marginPlot);
        layout_.Plot = plot;
        if (measure_) {
            PlaceTitles(true, plot);
            DivideAxes();
        }
        return std::move(layout_);
    }

private:
    TAxisPaint& Paint(const TChartAxis& axis) { return layout_.Axes[&axis]; }

    TRect Clamped(const TRect& plot) const {
        return ClampPlotRect(plot, layout_.Bounds, chart_.Width(), chart_.Height());
    }

    // The titles that stand against the plot and the legend, in the order the legend's side
    // asks for, each taking its room.
    TRect PlaceTitlesAndLegend(TRect plot) {
        const TChartLegend& legend = chart_.Legend();
        const TLegendPaintRole role = legend.PaintRole(chart_);
        auto placeLegend = [&] {
            layout_.Legend = legend.LayOut(chart_, *measure_, plot, layout_.Bounds, layout_.Axes);
            layout_.LegendPlaced = true;
            layout_.LegendBox = layout_.Legend.ShapeBox;
            plot = Clamped(legend.PlotBeside(chart_, plot, layout_.Legend));
        };
        if (!role.Shown) return PlaceTitles(false, plot);
        // A vertical legend counts its rows against the plot as the margins left it.
        if (role.Vertical) placeLegend();
        plot = PlaceTitles(false, plot);
        if (!role.Vertical) placeLegend();
        return plot;
    }

    // The titles that stand against the plot (each takes its room from `plot`), or the
    // custom-positioned ones. Returns the plot they leave.
    TRect PlaceTitles(bool customPositioned, TRect plot) {
        for (const auto& [title, group] : chart_.TitlesInDrawingOrder()) {
            if (!title || !title->Visible() || title->Text().empty()) continue;
            if (title->CustomPosition() != customPositioned) continue;
            std::string caption = title->Caption();
            const TSize size = TextShapeSize(*measure_, *title, caption);
            TRect box;
            if (customPositioned) {
                box = {title->Left(), title->Top(),
                       SaturatedPixel(std::int64_t{title->Left()} + size.Width),
                       SaturatedPixel(std::int64_t{title->Top()} + size.Height)};
            } else {
                const TTitlePlacement placed =
                    PlaceTitle(*title, size, plot, chart_.BorderThickness(), chart_.Width());
                box = placed.Box;
                plot = Clamped(placed.Plot);
            }
            layout_.Titles.push_back({title, group, std::move(caption), box, customPositioned});
            layout_.TitleBoxes.push_back(box);
        }
        return plot;
    }

    // The axes take their room from the plot, widen by their offsets and stand on its edges,
    // and custom axes on one side stand side by side, the plot giving up what they lack beyond
    // the bounds, or beyond the titles and the legend where these took room from the plot as
    // the margins left it (`marginPlot`).
    TRect PlaceAxesOnPlot(const TRect& plot, const TRect& marginPlot) {
        TRect placed = PlaceAxes(plot);
        if (!measure_) return placed;
        FinishAxes(placed);
        const TRect room = AxesRoom(layout_.Bounds, marginPlot, plot);
        const TRect lack = StackCustomAxes(room);
        if (lack == TRect{}) return placed;
        // Custom axes standing side by side reach past the bounds: the plot gives up that room
        // on their side, and the axes take theirs again from what is left.
        const TRect smaller{plot.Left + lack.Left, plot.Top + lack.Top, plot.Right - lack.Right,
                            plot.Bottom - lack.Bottom};
        placed = PlaceAxes(Clamped(smaller));
        FinishAxes(placed);
        StackCustomAxes(room);
        return placed;
    }

    // Decides which axes show, prepares their ranges, lets each shown axis take its room from
    // the plot rectangle in list order (custom axes only place themselves beside the plot) and
    // maps every axis onto what they leave, which it returns.
    TRect PlaceAxes(const TRect& plot) {
        for (const TChartAxis* axis : chart_.Axes()) {
            TAxisPaint& paint = Paint(*axis);
            paint.Shown = chart_.IsAxisShown(*axis);
            ShowOwnRange(*axis, paint);
        }
        MapAxesOntoPlot(plot);
        TRect r = plot;
        for (const TChartAxis* axis : chart_.Axes()) {
            TAxisPaint& paint = Paint(*axis);
            if (!paint.Shown || !measure_) continue;
            AlignTicks(*axis, paint);
            const TAxisSpace space = ReserveAxisSpace(*axis, paint, *measure_, r);
            paint.Layout = space.Layout;
            // A custom axis only records where it stands beside the plot; it takes nothing.
            if (!axis->TakesPlotSpace()) continue;
            const TRect t = Intersect(space.Plot, r);
            if (!t.IsEmpty()) r = t;
        }
        r = Clamped(r);
        MapAxesOntoPlot(r);
        return r;
    }

    // Once the plot is final: each axis widens its range by its end offsets (a follower takes
    // its master's widened range first), and each shown axis's line stands on the plot's edge.
    // An axis aligned to a master takes the master's final labels.
    void FinishAxes(const TRect& plot) {
        for (const TChartAxis* axis : chart_.Axes()) {
            if (axis->IsDepthAxis() && !chart_.View3D()) continue;
            TAxisPaint& paint = Paint(*axis);
            // A master comes before the axes following or aligned to it, so its range and its
            // labels here are final.
            if (axis->RangeFollowing().Master) ShowOwnRange(*axis, paint);
            AlignTicks(*axis, paint);
            ApplyAxisOffsets(*axis, paint);
        }
        for (const TChartAxis* axis : chart_.Axes()) {
            TAxisPaint& paint = Paint(*axis);
            if (paint.Shown) paint.Layout.AxisPosition = AxisLinePosition(*axis, plot);
        }
    }

    // Custom axes on one side of the plot stand side by side: one that would reach into the
    // room of a custom axis before it on its side moves outwards past it. Answers how far they
    // reach past `room` on each side (left, top, right, bottom; 0 where they fit): the moved
    // ones past any side, the others past a side where `room` lies inside the paint bounds.
    TRect StackCustomAxes(const TRect& room) {
        TRect lack;
        // The outer edge of the custom axes placed so far on each side.
        std::array<std::optional<std::int32_t>, 4> outer;
        for (const TChartAxis* axis : chart_.Axes()) {
            TAxisPaint& paint = Paint(*axis);
            if (!paint.Shown || axis->TakesPlotSpace() || axis->IsDepthAxis()) continue;
            std::optional<std::int32_t>& edge = outer[static_cast<std::size_t>(SideOf(*axis))];
            const std::int32_t overlap =
                edge ? DistanceOutwards(*axis, paint.Layout.AxisPosition, *edge) + StackedAxisGap
                     : 0;
            if (overlap > 0) paint.Layout = MovedOutwards(*axis, paint.Layout, overlap);
            edge = OuterEdge(*axis, paint.Layout, *measure_);
            if (overlap > 0 || Side(*axis, room) != Side(*axis, layout_.Bounds)) {
                Lacks(lack, *axis, room, *edge);
            }
        }
        return lack;
    }

    // The range an axis shows before its offsets: its master's, converted, when it follows one
    // that converts; else its own, automatic ends from its series.
    void ShowOwnRange(const TChartAxis& axis, TAxisPaint& paint) {
        const TRangeFollowing& following = axis.RangeFollowing();
        if (following.Master) {
            const std::optional<TScaleRange> range =
                following.Range(Paint(*following.Master).Map.Range());
            if (range) {
                paint.FollowedIncrement = following.Increment(*range);
                ShowRange(axis, paint, *range);
                return;
            }
        }
        paint.FollowedIncrement.reset();
        ShowRange(axis, paint, PreparedRange(axis, paint.Series));
    }

    // The range an axis shows, over the same pixels, automatic ends rounded.
    void ShowRange(const TChartAxis& axis, TAxisPaint& paint, TScaleRange range) {
        paint.Map = ShownRangeMap(axis, paint, range, measure_);
    }

    void MapAxesOntoPlot(const TRect& plot) {
        for (const TChartAxis* axis : chart_.Axes()) {
            TScaleMap& map = Paint(*axis).Map;
            map = AxisScaleMap(*axis, map.Range(), AxisPixelSpan(*axis, plot));
        }
    }

    // Widens the range an axis shows by its end offsets once the plot is final, and moves its
    // title out past its labels when they are shown.
    void ApplyAxisOffsets(const TChartAxis& axis, TAxisPaint& paint) {
        const std::optional<TScaleRange> widened = WidenedForOffsets(axis, paint.Map);
        if (!widened) return;
        ShowRange(axis, paint, *widened);
        if (axis.Labels().Visible()) paint.Layout = TitleBeyondLabels(axis, paint, measure_);
    }

    // Gives an axis aligned to a master the master's labels of this paint, as far as the
    // master's range and map are known.
    void AlignTicks(const TChartAxis& axis, TAxisPaint& paint) {
        paint.MasterLabels.clear();
        const TChartAxis* master = axis.TickAlignment().Master;
        if (!master || !measure_) return;
        paint.MasterLabels = MasterLabelsOf(*master, Paint(*master), *measure_);
    }

    // Every shown axis's scale division and title box, once everything stands where it stays.
    void DivideAxes() {
        if (!chart_.AxisVisible()) return;
        for (const TChartAxis* axis : chart_.Axes()) {
            TAxisPaint& paint = Paint(*axis);
            if (!paint.Shown) continue;
            paint.TitleBox = TitleBoxOf(*axis, paint, *measure_);
            paint.Division = DivisionOf(*axis, paint, *measure_);
            LeaveOutLabelsBeyond(*axis, layout_.Bounds, paint.Division);
        }
    }

    const TCustomChart& chart_;
    TCanvas3D* measure_;
    TChartLayout layout_;
};

}  // namespace

TChartLayout ComputeLayout(const TCustomChart& chart, TCanvas3D* measure, const TRect& bounds) {
    return TLayoutPass(chart, measure, bounds).Run();
}

}  // namespace twinscope
