#pragma once

namespace twinscope {

class TCustomChart;

// Gives a chart's paint its axis layers: the layout of each shown axis, the end offsets once
// the plot rectangle is final, and the drawing of each shown axis.
void ConnectAxisLayers(TCustomChart& chart);

}  // namespace twinscope
