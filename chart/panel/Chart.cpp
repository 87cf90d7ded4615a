#include "chart/panel/Chart.h"

#include "chart/panel/SeriesLayer.h"

namespace twinscope {

TChart::TChart() {
    PaintLayers().DrawSeries = [](TCustomChart& chart, TCanvas3D& canvas) {
        DrawSeriesLayer(chart, canvas);
    };
    SetRepaintOnChange(true);
}

}  // namespace twinscope
