#pragma once

#include <functional>

#include "twinscope/runtime/Export.h"

namespace twinscope {

class TChartAxis;

// An axis that stands beside a master axis in another unit, as a secondary scale does, tells
// what each value of the master reads on it: a readout then gives a master's value in every
// unit that stands on it, converted from the value itself rather than read off the scale's
// pixels (so a scale that starts again each year reads the true date's number).
struct TWINSCOPE_EXPORT TMasterReading {
    const TChartAxis* Master = nullptr;     // none: the axis stands on its own
    std::function<double(double)> Forward;  // master value -> this axis's value
};

}  // namespace twinscope
