#include "twinscope/chart/panel/CustomChart.h"

#include <algorithm>
#include <array>
#include <optional>

#include "twinscope/chart/axes/AxisGeometry.h"
#include "twinscope/chart/canvas/CanvasGuards.h"
#include "twinscope/chart/shapes/TextShapeDrawing.h"
#include "twinscope/chart/series/ChartSeries.h"
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
      legend_([this] { Invalidate(); }) {
    layers_.LegendRole = [](const TCustomChart& chart) { return chart.Legend().PaintRole(chart); };
    layers_.PlaceLegend = [](TCustomChart& chart, TCanvas3D& canvas) {
        chart.Legend().CalcLegendRect(chart, canvas);
    };
    layers_.DrawLegend = [](TCustomChart& chart, TCanvas3D& canvas) {
        chart.Legend().DrawLegendBox(chart, canvas);
    };
}

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
    return std::any_of(titleBoxes_.begin(), titleBoxes_.end(),
                       [p](const TRect& box) { return Contains(box, p); });
}

// 3D orientation, tools and animations have no part in a 2D paint without tools; the steps
// below are the ones such a paint takes.
void TCustomChart::RenderLayers(TCanvas3D& canvas) {
    titleBoxes_.clear();
    PaintBackground(canvas, PaintBounds());
    if (OnBeforeDrawChart) OnBeforeDrawChart();
    // The legend writes X values as their axis writes its labels, before the axes are placed.
    GatherBoundSeries();
    DrawTitleLayer(canvas, true);

    // The walls step: in 2D the walls take no space.
    SetPlotRect(PlotRect());
    if (layers_.ReserveAxisSpace) {
        PlaceAxes([this, &canvas](TChartAxis& axis, const TRect& r) {
            const TAxisSpace space = layers_.ReserveAxisSpace(axis, AxisPaintOf(axis), canvas, r);
            SetAxisLayout(axis, space.Layout);
            return space.Plot;
        });
    } else {
        PlaceAxes([](TChartAxis&, const TRect& r) { return r; });
    }
    if (layers_.ApplyAxisOffsets) {
        for (TChartAxis* axis : Axes()) {
            if (axis->IsDepthAxis() && !View3D()) continue;
            layers_.ApplyAxisOffsets(*axis);
        }
    }
    canvas.Projection(PaintBounds(), PlotRect());

    DrawAxesAndSeries(canvas);
    DrawTitleLayer(canvas, false);
    mouse_.PaintZoomRectangle(canvas);

    canvas.SetPen(TPenData{});
    canvas.SetBrush(TBrushData{});
    canvas.SetFont(TFontData{});
    if (OnAfterDraw) OnAfterDraw();
}

void TCustomChart::DrawTitleLayer(TCanvas3D& canvas, bool beforeSeries) {
    const TLegendPaintRole legend =
        layers_.LegendRole ? layers_.LegendRole(*this) : TLegendPaintRole{};
    auto placeLegend = [&] {
        if (layers_.PlaceLegend) layers_.PlaceLegend(*this, canvas);
    };
    auto drawLegend = [&] {
        if (layers_.DrawLegend) layers_.DrawLegend(*this, canvas);
    };

    if (!beforeSeries) {
        if (legend.Shown && !legend.DrawBehind) drawLegend();
        DrawTitles(canvas, true);
        return;
    }
    if (!legend.Shown) {
        DrawTitles(canvas, false);
    } else if (legend.Vertical) {
        // A vertical legend counts its rows against the plot as the margins left it.
        placeLegend();
        if (legend.DrawBehind) drawLegend();
        DrawTitles(canvas, false);
    } else {
        DrawTitles(canvas, false);
        placeLegend();
        if (legend.DrawBehind) drawLegend();
    }
}

void TCustomChart::DrawTitles(TCanvas3D& canvas, bool customPositioned) {
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
            DrawTextShape(canvas, *title, box, caption);
        } else {
            const TTitlePlacement placed =
                PlaceTitle(*title, size, PlotRect(), BorderThickness(), Width());
            box = placed.Box;
            DrawTextShape(canvas, *title, box, caption);
            SetPlotRect(placed.Plot);
        }
        titleBoxes_.push_back(box);
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
    if (layers_.DrawSeries) layers_.DrawSeries(*this, canvas);
    if (!AxisBehind()) DrawAxes(canvas);
}

void TCustomChart::DrawAxes(TCanvas3D& canvas) {
    if (!AxisVisible()) return;
    const TGroupGuard group(canvas, "Axes");
    if (OnBeforeDrawAxes) OnBeforeDrawAxes();
    if (layers_.DrawAxis) {
        for (TChartAxis* axis : Axes()) {
            if (!AxisPaintOf(*axis).Shown) continue;
            // The axis line stands on the final plot's edge; the mouse finds it there too.
            TAxisLayout placed = AxisPaintOf(*axis).Layout;
            placed.AxisPosition = AxisLinePosition(*axis, PlotRect());
            SetAxisLayout(*axis, placed);
            layers_.DrawAxis(*axis, canvas, AxisPaintOf(*axis));
        }
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
