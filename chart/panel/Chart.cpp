#include "twinscope/chart/panel/Chart.h"

#include "twinscope/chart/axes/AxisDrawing.h"
#include "twinscope/chart/axes/ChartAxis.h"
#include "twinscope/chart/panel/AxisLayers.h"
#include "twinscope/chart/panel/SeriesLayer.h"
#include "twinscope/chart/series/SeriesHitTest.h"
#include "twinscope/chart/shapes/TextShapeDrawing.h"

namespace twinscope {

TChart::TChart() {
    PaintLayers().DrawSeries = [](TCustomChart& chart, TCanvas3D& canvas) {
        DrawSeriesLayer(chart, canvas);
    };
    ConnectAxisLayers(*this);

    // What the mouse finds where the last paint put the legend and the axes.
    TChartHitTests& hits = Mouse().HitTests();
    hits.Legend = [this](TPoint p) {
        return Legend().ShouldDraw(*this) && Contains(Legend().Layout().ShapeBox, p);
    };
    hits.AxisPlacement = [this](const TChartAxis& axis) -> std::optional<TAxisLayout> {
        if (!AxisPaintOf(axis).Shown) return std::nullopt;
        return AxisPaintOf(axis).Layout;
    };
    hits.Series = [](const TChartSeries& series, TPoint p) {
        return SeriesHit(series, p, ClickTolerance);
    };
    hits.AxisTitle = [this](const TChartAxis& axis, TPoint p) {
        const TChartAxisTitle* title = axis.CreatedTitle();
        if (!title || !title->Visible() || title->Caption().empty() || !Canvas()) return false;
        const TSize size = TextShapeSize(*Canvas(), *title, title->Caption());
        return Contains(TurnedShapeBox(AxisTitleBox(axis, AxisPaintOf(axis), size), title->Angle()),
                        p);
    };
    SetRepaintOnChange(true);
}

}  // namespace twinscope
