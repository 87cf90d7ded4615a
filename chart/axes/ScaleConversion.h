#pragma once

#include <functional>

#include "twinscope/runtime/Export.h"

namespace twinscope {

// How the values of a scale relate to the values of the master axis it stands beside, both
// ways. Forward and Inverse undo each other over the master's range; either may be increasing
// or decreasing, and either may give a value that is not finite where the other has no value
// (a reciprocal at zero).
struct TWINSCOPE_EXPORT TScaleConversion {
    std::function<double(double)> Forward;  // master value -> the scale's own value
    std::function<double(double)> Inverse;  // the scale's own value -> master value
};

}  // namespace twinscope
