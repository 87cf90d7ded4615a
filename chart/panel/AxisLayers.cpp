#include "twinscope/chart/panel/AxisLayers.h"

#include "twinscope/chart/axes/AxisDrawing.h"
#include "twinscope/chart/axes/AxisGeometry.h"
#include "twinscope/chart/panel/CustomChart.h"

namespace twinscope {

void ConnectAxisLayers(TCustomChart& chart) {
    TChartPaintLayers& layers = chart.PaintLayers();
    layers.ReserveAxisSpace = [](const TChartAxis& axis, TCanvas3D& canvas, const TRect& r,
                                 const TAxisLayout& previous) {
        return ReserveAxisSpace(axis, canvas, r, previous);
    };
    // The chart paints with its own canvas, on which the labels are measured again.
    layers.ApplyAxisOffsets = [&chart](TChartAxis& axis, const TAxisLayout& placed) {
        return WidenRangeForOffsets(axis, chart.Canvas(), placed);
    };
    layers.DrawAxis = [&chart](TChartAxis& axis, TCanvas3D& canvas, const TAxisLayout& placed) {
        DrawAxis(axis, canvas, chart.PlotRect(), placed);
    };
}

}  // namespace twinscope
