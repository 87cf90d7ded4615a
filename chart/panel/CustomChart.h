#pragma once

#include "chart/panel/ChartWall.h"
#include "chart/panel/CustomAxisPanel.h"

namespace twinscope {

// The chart level with walls (and, as they arrive, titles and the legend).
class TCustomChart : public TCustomAxisPanel {
public:
    TCustomChart();

    TChartWall& BackWall() { return backWall_; }
    const TChartWall& BackWall() const { return backWall_; }
    TColor BackWallColor() const override { return backWall_.Color(); }

private:
    TChartWall backWall_;
};

}  // namespace twinscope
