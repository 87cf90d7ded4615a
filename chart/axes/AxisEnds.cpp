#include "twinscope/chart/axes/AxisEnds.h"

#include <cmath>

#include "twinscope/chart/axes/ChartAxis.h"
#include "twinscope/runtime/Arithmetic.h"

namespace twinscope {

namespace {
// An end a hair off a whole power or position is on it.
constexpr Extended WholeTolerance = 1e-9L;

bool AutomaticMaximumOf(const TChartAxis& axis) {
    return axis.Automatic() || axis.AutomaticMaximum();
}

bool AutomaticMinimumOf(const TChartAxis& axis) {
    return axis.Automatic() || axis.AutomaticMinimum();
}
}  // namespace

TScaleRange PreparedRange(const TChartAxis& axis, const TBoundSeries& series) {
    return {AutomaticMinimumOf(axis) ? series.Minimum : axis.Minimum(),
            AutomaticMaximumOf(axis) ? series.Maximum : axis.Maximum()};
}

bool RoundsAutomaticEnds(const TChartAxis& axis) {
    return (axis.MaximumRound() && AutomaticMaximumOf(axis)) ||
           (axis.MinimumRound() && AutomaticMinimumOf(axis));
}

TScaleRange RoundedEnds(const TChartAxis& axis, TScaleRange range, double step) {
    const bool roundMax = axis.MaximumRound() && AutomaticMaximumOf(axis);
    const bool roundMin = axis.MinimumRound() && AutomaticMinimumOf(axis);
    const TScaleKind kind = axis.ScaleKind();
    if (kind == skLogarithmic && range.Minimum > 0 && range.Maximum > 0) {
        const Extended base = axis.LogarithmicBase();
        const auto exponent = [&](double v) {
            return std::log(static_cast<Extended>(v)) / std::log(base);
        };
        const auto power = [&](Extended k) { return static_cast<double>(std::pow(base, k)); };
        if (roundMax) range.Maximum = power(std::ceil(exponent(range.Maximum) - WholeTolerance));
        if (roundMin) range.Minimum = power(std::floor(exponent(range.Minimum) + WholeTolerance));
        return range;
    }
    const std::shared_ptr<const TAxisTransform> transform = axis.Transform();
    const TAxisTransform& t = *transform;
    if (kind == skTransformed && t.StepsInPositions() && t.InDomain(range.Minimum) &&
        t.InDomain(range.Maximum)) {
        const auto whole = [&](double v, bool up) {
            const Extended p = t.Forward(v);
            const double rounded = t.Inverse(static_cast<double>(
                up ? std::ceil(p - WholeTolerance) : std::floor(p + WholeTolerance)));
            return std::isfinite(rounded) && t.InDomain(rounded) ? rounded : v;
        };
        if (roundMax) range.Maximum = whole(range.Maximum, true);
        if (roundMin) range.Minimum = whole(range.Minimum, false);
        return range;
    }
    if (step == 0) return range;
    if (roundMax) range.Maximum = step * std::ceil(range.Maximum / step);
    if (roundMin) range.Minimum = step * std::floor(range.Minimum / step);
    return range;
}

}  // namespace twinscope
