#include "chart/panel/CustomChart.h"

namespace twinscope {

TCustomChart::TCustomChart() : backWall_([this] { Invalidate(); }, clSilver, true) {}

}  // namespace twinscope
