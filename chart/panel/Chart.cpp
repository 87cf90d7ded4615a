#include "chart/panel/Chart.h"

#include "chart/axes/AxisLayers.h"
#include "chart/panel/SeriesLayer.h"

namespace twinscope {

TChart::TChart() {
    PaintLayers().DrawSeries = [](TCustomChart& chart, TCanvas3D& canvas) {
        DrawSeriesLayer(chart, canvas);
    };
    ConnectAxisLayers(PaintLayers());
    SetRepaintOnChange(true);
}

}  // namespace twinscope
