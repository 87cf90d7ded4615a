#include "twinscope/runtime/Arithmetic.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace twinscope {

namespace {
// x is a whole number (rounded or truncated already).
template <typename F>
std::int64_t Saturate(F x) {
    constexpr F lo = static_cast<F>(std::numeric_limits<std::int64_t>::min());
    constexpr F hi = static_cast<F>(std::numeric_limits<std::int64_t>::max());
    if (std::isnan(x)) return 0;
    if (x <= lo) return std::numeric_limits<std::int64_t>::min();
    if (x >= hi) return std::numeric_limits<std::int64_t>::max();
    // Below 2^53 a whole number passes through double exactly, and so avoids the x87 control
    // word changes of a direct conversion from long double.
    constexpr F exactInDouble = static_cast<F>(1ULL << 53);
    if (std::fabs(x) < exactInDouble) {
        return static_cast<std::int64_t>(static_cast<double>(x));
    }
    return static_cast<std::int64_t>(x);
}
}  // namespace

std::int64_t Round(double x) {
    return Saturate(RoundToIntegral(x));
}
std::int64_t Round(Extended x) {
    return Saturate(RoundToIntegral(x));
}
std::int64_t Trunc(double x) {
    return Saturate(std::trunc(x));
}
std::int64_t Trunc(Extended x) {
    return Saturate(std::trunc(x));
}

double Int(double x) {
    return std::trunc(x);
}
double Frac(double x) {
    return x - std::trunc(x);
}

bool SameValue(double a, double b) {
    const double tolerance = std::max(std::min(std::fabs(a), std::fabs(b)) * 1e-12, 1e-12);
    return std::fabs(a - b) <= tolerance;
}
}  // namespace twinscope
