#include "twinscope/scales/CelsiusScale.h"

#include "twinscope/chart/panel/CustomAxisPanel.h"
#include "twinscope/runtime/Arithmetic.h"
#include "twinscope/scales/StyleAxis.h"

namespace twinscope {

tLeftCelsiusScale::tLeftCelsiusScale(TCustomAxisPanel& chart)
    : tScale(chart, ssLeft, "°C", &CelsiusFromFahrenheit, "grid°F", "grid°C", clBlue) {
    StyleAxis(chart.LeftAxis(), "°F", clRed);
}

double tLeftCelsiusScale::CelsiusFromFahrenheit(double x) {
    return static_cast<double>((static_cast<Extended>(x) - 32.0L) / 1.8L);
}

}  // namespace twinscope
