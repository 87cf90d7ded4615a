#pragma once

#include "chart/panel/CustomAxisPanel.h"

namespace twinscope {

// The chart control. Changes request repaints once construction is complete.
class TChart : public TCustomAxisPanel {
  public:
    TChart();
};

}  // namespace twinscope
