#include "twinscope/chart/panel/AxisLayers.h"

#include "twinscope/chart/axes/AxisDrawing.h"
#include "twinscope/chart/axes/AxisGeometry.h"
#include "twinscope/chart/panel/ChartPaintLayers.h"
#include "twinscope/chart/panel/CustomAxisPanel.h"

namespace twinscope {

void ConnectAxisLayers(TChartPaintLayers& layers) {
    layers.ReserveAxisSpace = [](TChartAxis& axis, TCanvas3D& canvas, const TRect& r) {
        return ReserveAxisSpace(axis, canvas, r);
    };
    // The chart paints with its own canvas, on which the labels are measured again.
    layers.ApplyAxisOffsets = [](TChartAxis& axis) {
        WidenRangeForOffsets(axis, axis.ParentChart().Canvas());
    };
    layers.DrawAxis = [](TChartAxis& axis, TCanvas3D& canvas) {
        DrawAxis(axis, canvas, axis.ParentChart().PlotRect());
    };
}

}  // namespace twinscope
