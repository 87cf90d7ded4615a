#pragma once

#include <vector>

#include "twinscope/runtime/Export.h"

namespace twinscope {

// The rungs a secondary scale's increment climbs for a range of `span`: 10 first, then, when
// a fifth of the span lies above 0.0001, the 1-2-5 ladder (0.0001, 0.0002, 0.0005, 0.001, ...)
// up to the largest rung strictly below that fifth. The last rung is the increment.
TWINSCOPE_EXPORT std::vector<double> NiceRungs(double span);

// The last of those rungs.
TWINSCOPE_EXPORT double NiceRung(double span);

}  // namespace twinscope
