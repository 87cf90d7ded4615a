#include "chart/canvas/ChartPen.h"

namespace twinscope {

void TChartPen::Assign(const TPenData& data) {
    if (data_ == data) return;
    data_ = data;
    Changed();
}

}  // namespace twinscope
