#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "twinscope/chart/axes/ScaleConversion.h"
#include "twinscope/chart/axes/ScaleMap.h"
#include "twinscope/runtime/Export.h"

namespace twinscope {

class TChartAxis;

// An axis may take the range it shows in each paint from the range a master axis shows, as a
// secondary scale that follows its master live does. The layout pulls it while it lays the
// axes out: the master comes first in the axis list, so its range is final when the follower's
// turn comes, and again once the master's end offsets have widened it.
struct TWINSCOPE_EXPORT TRangeFollowing {
    const TChartAxis* Master = nullptr;  // none: the axis shows its own range
    // The range for the master's shown range; none where nothing sound converts, and the axis
    // then shows its own stored range.
    std::function<std::optional<TScaleRange>(const TScaleRange& master)> Range;
    // The increment setting the labels of that range start from.
    std::function<double(const TScaleRange& range)> Increment;
};

// Following a master through a conversion, with the 1-2-5 increment of the converted range
// (NiceRung). Given the conversion's inverse, the range is put in order and ends where the
// conversion is not finite move inwards (ConvertedRange); given only the forward conversion, a
// range it turns around has nothing sound to show, and the axis keeps its own.
TWINSCOPE_EXPORT TRangeFollowing ConvertedFollowing(const TChartAxis* master,
                                                    std::function<double(double)> forward);
TWINSCOPE_EXPORT TRangeFollowing ConvertedFollowing(
    const TChartAxis* master, std::shared_ptr<const TScaleConversion> conversion);

}  // namespace twinscope
