#include "twinscope/chart/panel/Chart.h"

#include "twinscope/chart/axes/AxisLayers.h"
#include "twinscope/chart/panel/SeriesLayer.h"

namespace twinscope {

TChart::TChart() {
    PaintLayers().DrawSeries = [](TCustomChart& chart, TCanvas3D& canvas) {
        DrawSeriesLayer(chart, canvas);
    };
    ConnectAxisLayers(PaintLayers());

    // What the mouse finds where the last paint put the legend and the axes.
    TChartHitTests& hits = Mouse().HitTests();
    hits.Legend = [this](TPoint p) {
        return Legend().ShouldDraw(*this) && Contains(Legend().Layout().ShapeBox, p);
    };
    hits.AxisPlacement = [](const TChartAxis& axis) -> std::optional<TAxisPlacement> {
        if (!axis.AxisShown()) return std::nullopt;
        return TAxisPlacement{axis.AxisPosition(), axis.LabelsPosition(), axis.Labels().Visible()};
    };
    SetRepaintOnChange(true);
}

}  // namespace twinscope
