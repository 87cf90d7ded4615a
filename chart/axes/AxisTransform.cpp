#include "twinscope/chart/axes/AxisTransform.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace twinscope {

namespace {
// A position computed a hair off a whole number is that number.
constexpr double WholePositionTolerance = 1e-9;
// Labels per axis beyond which the position labels stop.
constexpr std::size_t MostPositionLabels = 10000;

// The minor values between two labels on a logarithmic stretch (0 < low < high, in magnitude):
// 2, 3, ... times the lower one when they are one power apart, else the powers between them.
std::vector<double> PowerMinorValues(double low, double high, double base) {
    std::vector<double> values;
    if (!(low > 0) || !(high > low) || !(base > 1)) return values;
    if (high <= low * base * (1 + WholePositionTolerance)) {
        for (double m = 2; m < base && m * low < high; ++m)
            values.push_back(m * low);
        return values;
    }
    for (double v = low * base; v < high * (1 - WholePositionTolerance) &&
                                values.size() < MostPositionLabels;
         v *= base) {
        values.push_back(v);
    }
    return values;
}
}  // namespace

std::vector<double> TAxisTransform::PositionLabels(double minimum, double maximum,
                                                   std::int64_t every) const {
    std::vector<double> values;
    if (every < 1 || !(maximum >= minimum) || !InDomain(minimum) || !InDomain(maximum)) {
        return values;
    }
    const double top = std::floor(Forward(maximum) + WholePositionTolerance);
    const double bottom = std::ceil(Forward(minimum) - WholePositionTolerance);
    if (!std::isfinite(top) || !std::isfinite(bottom)) return values;
    const double step = static_cast<double>(every);
    // Whole multiples of the step, so that 0 stays a label at every step.
    for (double k = std::floor(top / step) * step;
         k >= bottom && values.size() < MostPositionLabels; k -= step) {
        values.push_back(std::clamp(Inverse(k), minimum, maximum));
    }
    return values;
}

std::vector<double> TAxisTransform::MinorValues(double low, double high,
                                                std::int32_t count) const {
    std::vector<double> values;
    for (std::int32_t j = 1; j <= count; ++j)
        values.push_back(low + (high - low) * j / (count + 1.0));
    return values;
}

double TLogTransform::Forward(double value) const {
    return std::log(value) / std::log(base_);
}

double TLogTransform::Inverse(double position) const {
    return std::pow(base_, position);
}

std::vector<double> TLogTransform::MinorValues(double low, double high, std::int32_t) const {
    return PowerMinorValues(low, high, base_);
}

TSymLogTransform::TSymLogTransform(double threshold, double base)
    : threshold_(threshold), base_(base) {}

double TSymLogTransform::Forward(double value) const {
    const double size = std::fabs(value);
    if (size <= threshold_) return value / threshold_;
    return std::copysign(1 + std::log(size / threshold_) / std::log(base_), value);
}

double TSymLogTransform::Inverse(double position) const {
    const double size = std::fabs(position);
    if (size <= 1) return position * threshold_;
    return std::copysign(threshold_ * std::pow(base_, size - 1), position);
}

std::vector<double> TSymLogTransform::MinorValues(double low, double high,
                                                  std::int32_t count) const {
    // Within the threshold the axis is linear; beyond it, like a logarithmic one on each side,
    // where a stretch from within the threshold has a tick at the threshold itself.
    if (std::fabs(low) <= threshold_ && std::fabs(high) <= threshold_) {
        return TAxisTransform::MinorValues(low, high, count);
    }
    const auto beyond = [&](double from, double to) {
        std::vector<double> values;
        if (from < threshold_) values.push_back(threshold_);
        const std::vector<double> powers = PowerMinorValues(std::max(from, threshold_), to, base_);
        values.insert(values.end(), powers.begin(), powers.end());
        return values;
    };
    if (low >= 0) return beyond(low, high);
    if (high <= 0) {
        std::vector<double> values = beyond(-high, -low);
        for (double& v : values)
            v = -v;
        return values;
    }
    return TAxisTransform::MinorValues(low, high, count);
}

std::vector<double> TSymLogTransform::PositionLabels(double minimum, double maximum,
                                                     std::int64_t every) const {
    if (every <= 1) return TAxisTransform::PositionLabels(minimum, maximum, every);
    // Every n-th power beyond the threshold, counted from it, and zero: 0, ±t·base^n,
    // ±t·base^2n, ...
    std::vector<double> values;
    if (!(maximum >= minimum)) return values;
    const double top = std::floor(Forward(maximum) + WholePositionTolerance);
    const double bottom = std::ceil(Forward(minimum) - WholePositionTolerance);
    if (!std::isfinite(top) || !std::isfinite(bottom)) return values;
    const double step = static_cast<double>(every);
    const auto add = [&](double position) {
        if (values.size() < MostPositionLabels) {
            values.push_back(std::clamp(Inverse(position), minimum, maximum));
        }
    };
    for (double k = std::floor((top - 1) / step); k >= 1; --k) {
        if (1 + k * step >= bottom) add(1 + k * step);
    }
    if (bottom <= 0 && 0 <= top) add(0);
    for (double k = 1; -(1 + k * step) >= bottom && values.size() < MostPositionLabels; ++k) {
        if (-(1 + k * step) <= top) add(-(1 + k * step));
    }
    return values;
}

TFunctionTransform::TFunctionTransform(std::function<double(double)> forward,
                                       std::function<double(double)> inverse,
                                       TTransformDomain domain)
    : forward_(std::move(forward)), inverse_(std::move(inverse)), domain_(domain) {}

const TAxisTransform& LinearTransform() {
    static const TLinearTransform linear;
    return linear;
}

}  // namespace twinscope
