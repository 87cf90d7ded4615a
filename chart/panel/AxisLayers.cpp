#include "twinscope/chart/panel/AxisLayers.h"

#include "twinscope/chart/axes/AxisDrawing.h"
#include "twinscope/chart/axes/AxisGeometry.h"
#include "twinscope/chart/panel/CustomChart.h"

namespace twinscope {

void ConnectAxisLayers(TCustomChart& chart) {
    TChartPaintLayers& layers = chart.PaintLayers();
    layers.ReserveAxisSpace = [](const TChartAxis& axis, const TAxisPaint& paint, TCanvas3D& canvas,
                                 const TRect& r) {
        return ReserveAxisSpace(axis, paint, canvas, r);
    };
    layers.ApplyAxisOffsets = [&chart](TChartAxis& axis) { chart.ApplyAxisOffsets(axis); };
    layers.DrawAxis = [&chart](TChartAxis& axis, TCanvas3D& canvas, const TAxisPaint& paint) {
        DrawAxis(axis, paint, canvas, chart.PlotRect());
    };
}

}  // namespace twinscope
