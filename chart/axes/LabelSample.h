#pragma once

#include <cstdint>

#include "twinscope/runtime/Export.h"

namespace twinscope {

// The widest of the sample labels the label increment is chosen from, and what it was measured
// under: the range shown and the axis's settings. The layout measures it and the painter reuses
// it while both stay, so that the increment of a paint measures its samples once; the axis
// length, which changes once the plot is final, is not part of it.
struct TWINSCOPE_EXPORT TLabelSample {
    std::int32_t Size = -1;  // -1: not measured
    double Minimum = 0;
    double Maximum = 0;
    std::uint64_t SettingsRevision = 0;
    friend bool operator==(const TLabelSample&, const TLabelSample&) = default;
};

}  // namespace twinscope
