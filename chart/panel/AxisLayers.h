#pragma once

namespace twinscope {

struct TChartPaintLayers;

// Gives a chart's paint its axis layers: the layout of each shown axis, the end offsets once
// the plot rectangle is final, and the drawing of each shown axis.
void ConnectAxisLayers(TChartPaintLayers& layers);

}  // namespace twinscope
