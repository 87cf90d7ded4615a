#pragma once

namespace twinscope {

class TCanvas3D;
class TCustomAxisPanel;

// The series layer of a paint, in the group "Series": every active series with a point in view
// draws itself, in list order (reversed when the depth axis is inverted), clipped to the plot
// rectangle while the chart clips points and the series uses axes.
void DrawSeriesLayer(TCustomAxisPanel& chart, TCanvas3D& canvas);

}  // namespace twinscope
