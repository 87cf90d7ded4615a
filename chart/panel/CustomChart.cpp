#include "twinscope/chart/panel/CustomChart.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "twinscope/chart/axes/AxisDrawing.h"
#include "twinscope/chart/canvas/CanvasGuards.h"
#include "twinscope/chart/panel/ComputeLayout.h"
#include "twinscope/chart/panel/SeriesLayer.h"
#include "twinscope/chart/series/ChartSeries.h"
#include "twinscope/chart/shapes/TextShapeDrawing.h"
#include "twinscope/runtime/Arithmetic.h"
#include "twinscope/runtime/FormatSettings.h"

namespace twinscope {

namespace {

template <typename Title>
Title& CreatedOnFirstAccess(std::unique_ptr<Title>& title, TCustomChart& chart) {
    if (!title) title = std::make_unique<Title>([&chart] { chart.SettingsChanged(); });
    return *title;
}

}  // namespace

TCustomChart::TCustomChart()
    : backWall_([this] { SettingsChanged(); }, clSilver, true),
      title_(std::make_unique<TChartTitle>([this] { SettingsChanged(); })),
      legend_([this] { SettingsChanged(); }) {}

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
//
// Between frames the picture under the series seldom changes: a paint that draws it keeps it
// with the canvas, and the next one whose layout and settings are the same lays it back. Only
// a chart whose events draw nothing under the series and whose legend stands over them does
// so; the layout, measuring only, is then decided before the background is drawn.
//
// Only what the paint before drew over that picture is laid back where it can tell: the plot
// the series are clipped to and the legend's box. And when nothing the layout reads changed,
// the layout is the one kept.
void TCustomChart::RenderLayers(TCanvas3D& canvas, const TRect& bounds) {
    const bool keepable = !OnBeforeDrawChart && !OnBeforeDrawAxes;
    // Known only once this paint has drawn everything: a paint cut short leaves it unknown.
    const std::vector<TRect> drawnOver = std::exchange(drawnOver_, {});
    if (keepable) {
        LayOutForPaint(canvas, bounds);
        const bool samePicture = KeptUnderSeriesMatches(canvas);
        if (samePicture && canvas.RestoreLayer(this, drawnOver)) {
            canvas.Projection(Layout().Bounds, Layout().Plot);
            picturesChanged_ = 0;
        } else {
            DrawUnderSeries(canvas, bounds, true);
            picturesChanged_ = samePicture ? 0 : picturesChanged_ + 1;
            KeepUnderSeries(canvas, picturesChanged_ <= MostChangedPicturesKept);
        }
    } else {
        keptUnder_.reset();
        picturesChanged_ = 0;
        layoutKey_.reset();
        DrawUnderSeries(canvas, bounds, false);
    }
    DrawOverSeries(canvas);
    if (keptUnder_) drawnOver_ = DrawnOverSeries();
}

std::optional<TCustomChart::TLayoutKey> TCustomChart::LayoutKeyOf(const TCanvas3D& canvas,
                                                                const TRect& bounds) const {
    if (OnGetLegendText || OnGetLegendRect) return std::nullopt;
    TLayoutKey key{.Bounds = bounds,
                   .Canvas = &canvas,
                   .CanvasSettings = canvas.SettingsRevision(),
                   .Zooms = {canvas.PenZoom(), canvas.FontZoom(), canvas.CheckBoxZoom()},
                   .Switches = {canvas.IsMonochrome(), canvas.ZoomText()},
                   .Settings = SettingsRevision(),
                   .Formats = FormatSettingsRevision(),
                   .LayoutsKept = LayoutsKept(),
                   .Parts = {}};
    key.Parts.reserve(Axes().size() + SeriesList().size());
    for (const TChartAxis* axis : Axes()) {
        if (axis->OnCurrentRangeChanged) return std::nullopt;
        key.Parts.push_back({axis, axis->SettingsRevision(), axis->Minimum(), axis->Maximum()});
    }
    for (const TChartSeries* series : SeriesList())
        key.Parts.push_back({.Part = series, .Revision = series->ContentRevision()});
    return key;
}

void TCustomChart::LayOutForPaint(TCanvas3D& canvas, const TRect& bounds) {
    if (layoutKey_ && layoutKey_ == LayoutKeyOf(canvas, bounds)) {
        canvas.SetPen(measured_.Pen);
        canvas.SetBrush(measured_.Brush);
        canvas.SetFont(measured_.Font);
        ++layoutsReused_;
        return;
    }
    TChartLayout layout = ComputeLayout(*this, &canvas, bounds);
    // A layout computed from the one before that came out the same is settled: the next paint
    // that reads the same computes it again only if something changed.
    const bool settled = layout == Layout();
    KeepChartLayout(std::move(layout));
    layoutKey_.reset();
    if (settled) layoutKey_ = LayoutKeyOf(canvas, bounds);
    measured_ = {canvas.Pen(), canvas.Brush(), canvas.Font()};
}

std::vector<TRect> TCustomChart::DrawnOverSeries() const {
    // Events, axes over the series, unclipped series, titles at their own place and a zoom
    // rectangle may draw anywhere.
    const bool known = !OnBeforeDrawSeries && !OnAfterDraw && AxisBehind() && ClipPoints() &&
                       !mouse_.Zoom().Active() &&
                       std::none_of(SeriesList().begin(), SeriesList().end(),
                                    [](const TChartSeries* s) { return s->Active() && !s->UseAxis(); }) &&
                       std::none_of(Layout().Titles.begin(), Layout().Titles.end(),
                                    [](const TTitleLayout& t) { return t.CustomPositioned; });
    if (!known) return {};
    const TRect& plot = Layout().Plot;
    std::vector<TRect> drawn{{plot.Left, plot.Top - 1, plot.Right, plot.Bottom + 1}};
    if (Layout().LegendPlaced && !Legend().PaintRole(*this).DrawBehind)
        drawn.push_back(legend_.DrawnArea());
    return drawn;
}

void TCustomChart::DrawUnderSeries(TCanvas3D& canvas, const TRect& bounds, bool laidOut) {
    PaintBackground(canvas, bounds);
    if (!laidOut) {
        if (OnBeforeDrawChart) OnBeforeDrawChart();
        LayOut(&canvas, bounds);
    }
    const TChartLayout& layout = Layout();

    // A vertical legend is laid out before the titles that stand against the plot, a horizontal
    // one after them; one drawn behind is drawn in that order.
    const TLegendPaintRole legend = Legend().PaintRole(*this);
    const bool legendBehind = layout.LegendPlaced && legend.DrawBehind;
    if (legendBehind && legend.Vertical) legend_.DrawLegendBox(*this, canvas);
    DrawTitles(canvas, false);
    if (legendBehind && !legend.Vertical) legend_.DrawLegendBox(*this, canvas);

    canvas.Projection(layout.Bounds, layout.Plot);
    if (WallsShow()) {
        const TGroupGuard group(canvas, "Walls");
        if (View3DWalls() && backWall_.Visible()) DrawBackWall(canvas);
    }
    if (AxisBehind()) DrawAxes(canvas);
}

void TCustomChart::DrawOverSeries(TCanvas3D& canvas) {
    const TChartLayout& layout = Layout();
    if (OnBeforeDrawSeries) OnBeforeDrawSeries();
    DrawSeriesLayer(*this, canvas);
    if (!AxisBehind()) DrawAxes(canvas);
    if (layout.LegendPlaced && !Legend().PaintRole(*this).DrawBehind)
        legend_.DrawLegendBox(*this, canvas);
    DrawTitles(canvas, true);
    mouse_.PaintZoomRectangle(canvas);

    canvas.SetPen(TPenData{});
    canvas.SetBrush(TBrushData{});
    canvas.SetFont(TFontData{});
    if (OnAfterDraw) OnAfterDraw();
}

namespace {

// The layouts place every part drawn under the series alike (the legend's rows aside).
bool SamePlacement(const TChartLayout& a, const TChartLayout& b) {
    return a.Bounds == b.Bounds && a.Plot == b.Plot && a.TitleBoxes == b.TitleBoxes &&
           a.Titles == b.Titles && a.LegendBox == b.LegendBox && a.LegendPlaced == b.LegendPlaced &&
           a.Axes == b.Axes;
}

}  // namespace

bool TCustomChart::KeptUnderSeriesMatches(const TCanvas3D& canvas) const {
    if (!keptUnder_) return false;
    const TUnderSeriesKey& kept = *keptUnder_;
    if (kept.Canvas != &canvas || kept.Settings != SettingsRevision() ||
        kept.WallsShow != WallsShow() || kept.AxisRevisions.size() != Axes().size()) {
        return false;
    }
    for (std::size_t i = 0; i < Axes().size(); ++i) {
        if (kept.AxisRevisions[i] !=
            std::pair{static_cast<const TChartAxis*>(Axes()[i]), Axes()[i]->SettingsRevision()}) {
            return false;
        }
    }
    return SamePlacement(kept.Layout, Layout());
}

// Without its pixels the key still tells the next paint whether it draws the same picture; the
// canvas then holds no layer that the key could be taken for.
void TCustomChart::KeepUnderSeries(TCanvas3D& canvas, bool keepPixels) {
    const TChartLayout& layout = Layout();
    if (layout.LegendPlaced && Legend().PaintRole(*this).DrawBehind) {
        keptUnder_.reset();
        return;
    }
    if (!keepPixels) {
        canvas.DropLayer();
    } else if (!canvas.KeepLayer(this)) {
        keptUnder_.reset();
        return;
    }
    TUnderSeriesKey key{.Layout = {.Bounds = layout.Bounds,
                                   .Plot = layout.Plot,
                                   .TitleBoxes = layout.TitleBoxes,
                                   .Titles = layout.Titles,
                                   .LegendBox = layout.LegendBox,
                                   .LegendPlaced = layout.LegendPlaced,
                                   .Legend = {},
                                   .Axes = layout.Axes},
                        .Settings = SettingsRevision(),
                        .AxisRevisions = {},
                        .WallsShow = WallsShow(),
                        .Canvas = &canvas};
    for (const TChartAxis* axis : Axes())
        key.AxisRevisions.emplace_back(axis, axis->SettingsRevision());
    keptUnder_ = std::move(key);
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

bool TCustomChart::WallsShow() const {
    return !HasActiveSeries() ||
           std::any_of(SeriesList().begin(), SeriesList().end(),
                       [](const TChartSeries* s) { return s->Active() && s->UseAxis(); });
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
