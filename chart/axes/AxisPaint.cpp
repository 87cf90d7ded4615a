#include "twinscope/chart/axes/AxisPaint.h"

namespace twinscope {

const TAxisPaint& PaintOf(const TAxisPaints& paints, const TChartAxis& axis) {
    static const TAxisPaint never;
    const auto paint = paints.find(&axis);
    return paint == paints.end() ? never : paint->second;
}

}  // namespace twinscope
