#include "twinscope/scales/NiceIncrement.h"

#include "twinscope/chart/axes/ChartAxis.h"
#include "twinscope/runtime/Arithmetic.h"

namespace twinscope {

void SetNiceIncrement(TChartAxis& axis) {
    axis.SetIncrement(10);
    const double range = axis.Maximum() - axis.Minimum();
    if (!(range > 0)) return;

    // Each rung comes from the previous one by 2, 2.5, 2 in turn, each product rounded to a
    // double, so the rungs stay the doubles nearest to 1, 2 and 5 times a power of ten.
    constexpr double factors[] = {2, 2.5, 2};
    const Extended fifth = static_cast<Extended>(range) / 5;
    double rung = 0.0001;
    for (int k = 0; fifth > rung; k = (k + 1) % 3) {
        axis.SetIncrement(rung);
        rung *= factors[k];
    }
}

}  // namespace twinscope
