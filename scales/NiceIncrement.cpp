#include "twinscope/scales/NiceIncrement.h"

#include "twinscope/chart/axes/ChartAxis.h"
#include "twinscope/chart/axes/NiceRungs.h"

namespace twinscope {

void SetNiceIncrement(TChartAxis& axis) {
    for (const double rung : NiceRungs(axis.Maximum() - axis.Minimum()))
        axis.SetIncrement(rung);
}

}  // namespace twinscope
