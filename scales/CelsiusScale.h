#pragma once

#include "twinscope/runtime/Export.h"
#include "twinscope/scales/Scale.h"

namespace twinscope {

// The Celsius scale left of the plot, following the Fahrenheit left axis. Creating it also
// styles the left axis as the red "°F" axis.
class TWINSCOPE_EXPORT tLeftCelsiusScale : public tScale {
public:
    explicit tLeftCelsiusScale(TCustomAxisPanel& chart);

    // (x - 32) / 1.8 in extended precision, rounded once to a double.
    static double CelsiusFromFahrenheit(double x);
};

}  // namespace twinscope
