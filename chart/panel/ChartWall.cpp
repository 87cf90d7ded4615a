#include "chart/panel/ChartWall.h"

namespace twinscope {

TChartWall::TChartWall(std::function<void()> onChange, TColor color, bool transparent)
    : onChange_(std::move(onChange)), transparent_(transparent), color_(color) {
    pen_.SetOnChange(onChange_);
    brush_.SetOnChange(onChange_);
}

}  // namespace twinscope
