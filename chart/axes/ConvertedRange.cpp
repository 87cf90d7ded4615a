#include "twinscope/chart/axes/ConvertedRange.h"

#include <algorithm>
#include <cmath>

namespace twinscope {

namespace {
constexpr int InwardSteps = 1024;

// The converted value of an end, or of the first master value inwards from it that converts
// to a finite one.
std::optional<double> FiniteEnd(const TScaleConversion& conversion, double end, double other) {
    const double v = conversion.Forward(end);
    if (std::isfinite(v)) return v;
    const long double step = (static_cast<long double>(other) - end) / InwardSteps;
    for (int i = 1; i <= InwardSteps; ++i) {
        const double w = conversion.Forward(static_cast<double>(end + step * i));
        if (std::isfinite(w)) return w;
    }
    return std::nullopt;
}
}  // namespace

std::optional<TScaleRange> ConvertedRange(const TScaleConversion& conversion, TScaleRange master) {
    if (!std::isfinite(master.Minimum) || !std::isfinite(master.Maximum)) return std::nullopt;
    const std::optional<double> a = FiniteEnd(conversion, master.Minimum, master.Maximum);
    const std::optional<double> b = FiniteEnd(conversion, master.Maximum, master.Minimum);
    if (!a || !b) return std::nullopt;
    return TScaleRange{std::min(*a, *b), std::max(*a, *b)};
}

}  // namespace twinscope
