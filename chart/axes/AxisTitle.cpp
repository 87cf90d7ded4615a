#include "twinscope/chart/axes/AxisTitle.h"

namespace twinscope {

TChartAxisTitle::TChartAxisTitle(std::function<void()> onChange, std::int32_t angle)
    : TTextShape(std::move(onChange)), angle_(angle) {
    InitTransparent(true);
}

}  // namespace twinscope
