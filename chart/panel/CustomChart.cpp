#include "twinscope/chart/panel/CustomChart.h"

#include <algorithm>
#include <array>
#include <optional>

#include "twinscope/chart/axes/AxisDrawing.h"
#include "twinscope/chart/canvas/CanvasGuards.h"
#include "twinscope/chart/panel/SeriesLayer.h"
#include "twinscope/chart/series/ChartSeries.h"
#include "twinscope/chart/shapes/TextShapeDrawing.h"
#include "twinscope/runtime/Arithmetic.h"

namespace twinscope {

namespace {

template <typename Title>
Title& CreatedOnFirstAccess(std::unique_ptr<Title>& title, TCustomChart& chart) {
    if (!title) title = std::make_unique<Title>([&chart] { chart.Invalidate(); });
    return *title;
}

}  // namespace

TCustomChart::TCustomChart()
    : backWall_([this] { Invalidate(); }, clSilver, true),
      title_(std::make_unique<TChartTitle>([this] { Invalidate(); })),
      legend_([this] { Invalidate(); }) {}

TChartTitle& TCustomChart::SubTitle() {
    return CreatedOnFirstAccess(subTitle_, *this);
}

TChartFootTitle& TCustomChart::Foot() {
    return CreatedOnFirstAccess(foot_, *this);
}

TChartFootTitle& TCustomChart::SubFoot() {
    return CreatedOnFirstAccess(subFoot_, *this);
}

bool TCustomChart::TitleClicked(TPoint p) const {
    const std::vector<TRect>& boxes = Layout().TitleBoxes;
    return std::any_of(boxes.begin(), boxes.end(),
                       [p](const TRect& box) { return Contains(box, p); });
}

// 3D orientation, tools and animations have no part in a 2D paint without tools; the steps
// below are the ones such a paint takes. Each takes the plot rectangle the steps before it left
// and returns what it leaves.
void TCustomChart::RenderLayers(TCanvas3D& canvas) {
    TChartLayout layout = Layout();
    PaintBackground(canvas, layout.Bounds);
    if (OnBeforeDrawChart) OnBeforeDrawChart();
    // The legend writes X values as their axis writes its labels, before the axes are placed.
    GatherBoundSeries();
    const TRect marginPlot = ClampedPlot(layout.Plot);
    layout.Plot = DrawTitlesAndPlaceLegend(canvas, layout);

    // The walls step: in 2D the walls take no space.
    layout.Plot = PlaceAxesOnPlot(canvas, ClampedPlot(layout.Plot), marginPlot);
    // The plot is final: the series and the mouse find it from here on.
    KeepLayout(layout);
    canvas.Projection(layout.Bounds, layout.Plot);

    DrawAxesAndSeries(canvas);
    const TLegendPaintRole legend = Legend().PaintRole(*this);
    if (legend.Shown && !legend.DrawBehind) legend_.DrawLegendBox(*this, canvas);
    DrawTitles(canvas, true, layout.Plot, layout.TitleBoxes);
    KeepLayout(layout);
    mouse_.PaintZoomRectangle(canvas);

    canvas.SetPen(TPenData{});
    canvas.SetBrush(TBrushData{});
    canvas.SetFont(TFontData{});
    if (OnAfterDraw) OnAfterDraw();
}

namespace {
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
}  // namespace

TRect TCustomChart::PlaceAxesOnPlot(TCanvas3D& canvas, const TRect& plot, const TRect& marginPlot) {
    TRect placed = PlaceAxes(&canvas, plot);
    FinishAxes(canvas, placed);
    const TRect room = AxesRoom(PaintBounds(), marginPlot, plot);
    const TRect lack = StackCustomAxes(canvas, room);
    if (lack == TRect{}) return placed;
    // Custom axes standing side by side reach past the bounds: the plot gives up that room on
    // their side, and the axes take theirs again from what is left.
    const TRect smaller{plot.Left + lack.Left, plot.Top + lack.Top, plot.Right - lack.Right,
                        plot.Bottom - lack.Bottom};
    placed = PlaceAxes(&canvas, ClampedPlot(smaller));
    FinishAxes(canvas, placed);
    StackCustomAxes(canvas, room);
    return placed;
}

TRect TCustomChart::DrawTitlesAndPlaceLegend(TCanvas3D& canvas, TChartLayout& layout) {
    const TLegendPaintRole legend = Legend().PaintRole(*this);
    TRect plot = layout.Plot;
    auto placeLegend = [&] {
        legend_.KeepLayout(*this, legend_.LayOut(*this, canvas, plot));
        layout.LegendBox = legend_.Layout().ShapeBox;
        plot = ClampedPlot(legend_.PlotBeside(*this, plot));
        if (legend.DrawBehind) legend_.DrawLegendBox(*this, canvas);
    };
    if (!legend.Shown) return DrawTitles(canvas, false, plot, layout.TitleBoxes);
    // A vertical legend counts its rows against the plot as the margins left it.
    if (legend.Vertical) placeLegend();
    plot = DrawTitles(canvas, false, plot, layout.TitleBoxes);
    if (!legend.Vertical) placeLegend();
    return plot;
}

TRect TCustomChart::DrawTitles(TCanvas3D& canvas, bool customPositioned, TRect plot,
                               std::vector<TRect>& boxes) {
    const std::array<std::pair<TChartTitle*, const char*>, 4> titles{{{title_.get(), "Title"},
                                                                      {subTitle_.get(), "Subtitle"},
                                                                      {foot_.get(), "Foot"},
                                                                      {subFoot_.get(), "Subfoot"}}};
    std::optional<TGroupGuard> titlesGroup;
    for (const auto& [title, group] : titles) {
        if (!title || !title->Visible() || title->Text().empty()) continue;
        if (title->CustomPosition() != customPositioned) continue;
        if (!titlesGroup) titlesGroup.emplace(canvas, "Titles");
        const TGroupGuard titleGroup(canvas, group);
        const std::string caption = title->Caption();
        const TSize size = TextShapeSize(canvas, *title, caption);
        TRect box;
        if (customPositioned) {
            box = {title->Left(), title->Top(),
                   SaturatedPixel(std::int64_t{title->Left()} + size.Width),
                   SaturatedPixel(std::int64_t{title->Top()} + size.Height)};
        } else {
            const TTitlePlacement placed =
                PlaceTitle(*title, size, plot, BorderThickness(), Width());
            box = placed.Box;
            plot = ClampedPlot(placed.Plot);
        }
        DrawTextShape(canvas, *title, box, caption);
        boxes.push_back(box);
    }
    return plot;
}

void TCustomChart::DrawAxesAndSeries(TCanvas3D& canvas) {
    const bool wallsShow =
        !HasActiveSeries() ||
        std::any_of(SeriesList().begin(), SeriesList().end(),
                    [](const TChartSeries* s) { return s->Active() && s->UseAxis(); });
    if (wallsShow) {
        const TGroupGuard group(canvas, "Walls");
        if (View3DWalls() && backWall_.Visible()) DrawBackWall(canvas);
    }

    if (AxisBehind()) DrawAxes(canvas);
    if (OnBeforeDrawSeries) OnBeforeDrawSeries();
    DrawSeriesLayer(*this, canvas);
    if (!AxisBehind()) DrawAxes(canvas);
}

void TCustomChart::DrawAxes(TCanvas3D& canvas) {
    if (!AxisVisible()) return;
    const TGroupGuard group(canvas, "Axes");
    if (OnBeforeDrawAxes) OnBeforeDrawAxes();
    for (TChartAxis* axis : Axes()) {
        if (AxisPaintOf(*axis).Shown) DrawAxis(*axis, AxisPaintOf(*axis), canvas, PlotRect());
    }
}

void TCustomChart::DrawBackWall(TCanvas3D& canvas) {
    const TGroupGuard group(canvas, "Back");
    canvas.SetPenFrom(backWall_.Pen(), backWall_.Pen().Color());
    if (backWall_.Transparent()) {
        canvas.SetBrushStyle(bsClear);
    } else {
        canvas.SetBrush(TBrushData{.Color = backWall_.Color()});
    }

    const TRect& plot = PlotRect();
    std::int32_t top = plot.Top;
    std::int32_t bottom = plot.Bottom;
    const double height = PlotHeight();
    if (backWall_.EndPosition() < 100) {
        bottom -= static_cast<std::int32_t>(Round(height * (100 - backWall_.EndPosition()) / 100));
    }
    if (backWall_.StartPosition() > 0) {
        top += static_cast<std::int32_t>(Round(height * backWall_.StartPosition() / 100));
    }
    // The rectangle's right and bottom edges are exclusive: one pixel more makes the frame
    // enclose the plot's last column and row.
    const std::int32_t extra = backWall_.EndPosition() == 100 ? 1 : 0;
    canvas.Rectangle(WithFarEdgesMoved({plot.Left, top, plot.Right, bottom}, 1, extra));
}

}  // namespace twinscope
