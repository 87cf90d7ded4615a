#include "twinscope/chart/canvas/ChartFont.h"

#include "twinscope/runtime/Arithmetic.h"

namespace twinscope {

std::int32_t TChartFont::Size() const {
    return static_cast<std::int32_t>(Round(data_.SizeFloat));
}

}  // namespace twinscope
