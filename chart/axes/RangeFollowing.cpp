#include "twinscope/chart/axes/RangeFollowing.h"

#include "twinscope/chart/axes/ConvertedRange.h"
#include "twinscope/chart/axes/NiceRungs.h"

namespace twinscope {

namespace {
double NiceRungOf(const TScaleRange& range) {
    return NiceRung(range.Maximum - range.Minimum);
}
}  // namespace

TRangeFollowing ConvertedFollowing(const TChartAxis* master,
                                   std::function<double(double)> forward) {
    return {.Master = master,
            .Range = [forward = std::move(forward)](
                         const TScaleRange& shown) -> std::optional<TScaleRange> {
                const double minimum = forward(shown.Minimum);
                const double maximum = forward(shown.Maximum);
                if (!(minimum <= maximum)) return std::nullopt;
                return TScaleRange{minimum, maximum};
            },
            .Increment = NiceRungOf};
}

TRangeFollowing ConvertedFollowing(const TChartAxis* master,
                                   std::shared_ptr<const TScaleConversion> conversion) {
    return {.Master = master,
            .Range = [conversion = std::move(conversion)](const TScaleRange& shown) {
                return ConvertedRange(*conversion, shown);
            },
            .Increment = NiceRungOf};
}

}  // namespace twinscope
