#pragma once

#include "twinscope/runtime/Export.h"

namespace twinscope {

class TChartAxis;

// Gives an axis the largest rung of the 1-2-5 ladder (0.0001, 0.0002, 0.0005, 0.001, ...)
// that lies strictly below a fifth of its range, writing every rung on the way through the
// Increment setter. A range whose fifth is not above 0.0001, or that is empty, keeps 10.
TWINSCOPE_EXPORT void SetNiceIncrement(TChartAxis& axis);

}  // namespace twinscope
