#include "twinscope/chart/panel/ChartZoom.h"

namespace twinscope {

TChartZoomPen& TChartZoom::Pen() {
    if (!pen_) pen_ = std::make_unique<TChartZoomPen>();
    return *pen_;
}

TChartZoomBrush& TChartZoom::Brush() {
    if (!brush_) brush_ = std::make_unique<TChartZoomBrush>();
    return *brush_;
}

}  // namespace twinscope
