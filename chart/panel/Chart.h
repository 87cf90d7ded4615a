#pragma once

#include "twinscope/chart/panel/CustomChart.h"

namespace twinscope {

// The chart control. Changes request repaints once construction is complete.
class TChart : public TCustomChart {
public:
    TChart();
};

}  // namespace twinscope
