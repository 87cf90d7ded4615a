#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "twinscope/runtime/Export.h"

namespace twinscope {

class TChartAxis;

// An axis may put its ticks where a master axis puts its labels, as a secondary axis does when
// its grid must fall on the master's: each tick reads the master's label value through Forward,
// written with Decimals decimals. The axis's own range and increment then choose nothing; the
// master must outlive the axis.
struct TWINSCOPE_EXPORT TTickAlignment {
    static constexpr std::int32_t MaxDecimals = 15;
    const TChartAxis* Master = nullptr;  // none: the axis labels its own values
    std::function<double(double)> Forward;
    std::int32_t Decimals = 0;
};

// A label of the master in one paint, where an aligned axis puts a tick.
struct TWINSCOPE_EXPORT TMasterLabel {
    double Value = 0;
    std::int32_t Pixel = 0;
    friend bool operator==(const TMasterLabel&, const TMasterLabel&) = default;
};

// Refuses decimals outside 0 to MaxDecimals with AxisException "Aligned tick decimals must be
// 0 to 15".
TWINSCOPE_EXPORT void CheckAlignedDecimals(std::int32_t decimals);

// The values format of aligned labels: thousands grouped, exactly `decimals` decimals.
TWINSCOPE_EXPORT std::string AlignedValuesFormat(std::int32_t decimals);

}  // namespace twinscope
