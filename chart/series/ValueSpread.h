#pragma once

#include <span>

#include "twinscope/runtime/Export.h"

namespace twinscope {

// The lowest and highest of some values, and whether one of them is not a number (then low and
// high mean nothing).
struct TWINSCOPE_EXPORT TValueSpread {
    double low;
    double high;
    bool notANumber;

    void Take(const TValueSpread& other) {
        low = other.low < low ? other.low : low;
        high = other.high > high ? other.high : high;
        notANumber |= other.notANumber;
    }
};

// One pass over at least one value, at the speed of memory.
TWINSCOPE_EXPORT TValueSpread SpreadOf(std::span<const double> values);

}  // namespace twinscope
