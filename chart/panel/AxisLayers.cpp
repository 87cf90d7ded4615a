#include "twinscope/chart/panel/AxisLayers.h"

#include "twinscope/chart/axes/AxisDrawing.h"
#include "twinscope/chart/axes/AxisGeometry.h"
#include "twinscope/chart/panel/CustomChart.h"

namespace twinscope {

void ConnectAxisLayers(TCustomChart& chart) {
    TChartPaintLayers& layers = chart.PaintLayers();
    layers.ReserveAxisSpace = [](TChartAxis& axis, TCanvas3D& canvas, const TRect& r) {
        return ReserveAxisSpace(axis, canvas, r);
    };
    // The chart paints with its own canvas, on which the labels are measured again.
    layers.ApplyAxisOffsets = [&chart](TChartAxis& axis) {
        WidenRangeForOffsets(axis, chart.Canvas());
    };
    layers.DrawAxis = [&chart](TChartAxis& axis, TCanvas3D& canvas) {
        DrawAxis(axis, canvas, chart.PlotRect());
    };
}

}  // namespace twinscope
