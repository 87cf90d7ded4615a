#include "twinscope/chart/panel/CustomChart.h"

#include <algorithm>
#include <array>
#include <optional>

#include "twinscope/chart/axes/AxisDrawing.h"
#include "twinscope/chart/canvas/CanvasGuards.h"
#include "twinscope/chart/panel/ComputeLayout.h"
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

std::array<std::pair<const TChartTitle*, const char*>, 4> TCustomChart::TitlesInDrawingOrder()
    const {
    return {{{title_.get(), "Title"},
             {subTitle_.get(), "Subtitle"},
             {foot_.get(), "Foot"},
             {subFoot_.get(), "Subfoot"}}};
}

void TCustomChart::KeepChartLayout(TChartLayout layout) {
    if (layout.LegendPlaced) legend_.KeepLayout(*this, layout.Legend);
    KeepAxesLayout(std::move(layout));
}

void TCustomChart::LayOut(TCanvas3D* measure, const TRect& bounds) {
    KeepChartLayout(ComputeLayout(*this, measure, bounds));
}

// 3D orientation, tools and animations have no part in a 2D paint without tools; the steps
// below are the ones such a paint takes. The layout decides where everything stands before
// anything but the background is drawn; the drawing only reads it.
void TCustomChart::RenderLayers(TCanvas3D& canvas, const TRect& bounds) {
    PaintBackground(canvas, bounds);
    if (OnBeforeDrawChart) OnBeforeDrawChart();
    LayOut(&canvas, bounds);
    const TChartLayout& layout = Layout();

    // A vertical legend is laid out before the titles that stand against the plot, a horizontal
    // one after them; one drawn behind is drawn in that order.
    const TLegendPaintRole legend = Legend().PaintRole(*this);
    const bool legendBehind = layout.LegendPlaced && legend.DrawBehind;
    if (legendBehind && legend.Vertical) legend_.DrawLegendBox(*this, canvas);
    DrawTitles(canvas, false);
    if (legendBehind && !legend.Vertical) legend_.DrawLegendBox(*this, canvas);

    canvas.Projection(layout.Bounds, layout.Plot);
    DrawAxesAndSeries(canvas);
    if (layout.LegendPlaced && !legend.DrawBehind) legend_.DrawLegendBox(*this, canvas);
    DrawTitles(canvas, true);
    mouse_.PaintZoomRectangle(canvas);

    canvas.SetPen(TPenData{});
    canvas.SetBrush(TBrushData{});
    canvas.SetFont(TFontData{});
    if (OnAfterDraw) OnAfterDraw();
}

void TCustomChart::DrawTitles(TCanvas3D& canvas, bool customPositioned) {
    std::optional<TGroupGuard> titlesGroup;
    for (const TTitleLayout& placed : Layout().Titles) {
        if (placed.CustomPositioned != customPositioned) continue;
        if (!titlesGroup) titlesGroup.emplace(canvas, "Titles");
        const TGroupGuard titleGroup(canvas, placed.Group);
        DrawTextShape(canvas, *placed.Title, placed.Box, placed.Caption);
    }
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
        const TAxisPaint& paint = AxisPaintOf(*axis);
        if (paint.Shown) DrawAxis(*axis, paint, canvas, PlotRect());
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
