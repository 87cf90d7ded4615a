#include "twinscope/chart/panel/ChartWall.h"

namespace twinscope {

TChartWall::TChartWall(std::function<void()> onChange, TColor color, bool transparent)
    : TChangeNotifier(std::move(onChange)), transparent_(transparent), color_(color) {
    pen_.SetOnChange(OnChange());
    brush_.SetOnChange(OnChange());
}

}  // namespace twinscope
