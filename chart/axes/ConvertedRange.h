#pragma once

#include <optional>

#include "twinscope/chart/axes/ScaleConversion.h"
#include "twinscope/chart/axes/ScaleMap.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

// The range a scale shows for a master range, in order whether the conversion grows or falls.
// An end where the conversion is not finite (a reciprocal at zero) moves inwards to the nearest
// master value, in steps of a 1024th of the master range, where it is; none when no such value
// is found, or the master range itself is not finite.
TWINSCOPE_EXPORT std::optional<TScaleRange> ConvertedRange(const TScaleConversion& conversion,
                                                           TScaleRange master);

}  // namespace twinscope
