#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "twinscope/runtime/Export.h"

namespace twinscope {

// The engine's extended precision: 80-bit x87 on x86-64 with g++.
using Extended = long double;

// x rounded to an integral value, ties to even, by adding and taking away 2^(digits - 1) with
// the sign of x: the addition itself rounds, in the current rounding mode (to nearest, ties to
// even, by default; this program never changes it). That is what nearbyint gives, without its
// saving and restoring of the floating-point environment (about 100 ns per call on long
// double). Magnitudes from 2^(digits - 1) up, infinities and NaN are returned as they are.
template <typename F>
F RoundToIntegral(F x) {
    constexpr int digits = std::numeric_limits<F>::digits;
    static_assert(digits <= 64);
    constexpr F integralFrom = static_cast<F>(1ULL << (digits - 1));
    if (!(std::fabs(x) < integralFrom)) return x;
    const F shift = std::copysign(integralFrom, x);
    return (x + shift) - shift;
}

// Nearest integer, ties to even (2.5 -> 2, 3.5 -> 4). Values outside the 64-bit range saturate.
TWINSCOPE_EXPORT std::int64_t Round(double x);
TWINSCOPE_EXPORT std::int64_t Round(Extended x);

// Toward zero. Values outside the 64-bit range saturate.
TWINSCOPE_EXPORT std::int64_t Trunc(double x);
TWINSCOPE_EXPORT std::int64_t Trunc(Extended x);

// Integer part and fraction as doubles, both toward zero: Int(-2.5) = -2, Frac(-2.5) = -0.5.
TWINSCOPE_EXPORT double Int(double x);
TWINSCOPE_EXPORT double Frac(double x);

// Two values are the same when abs(a - b) <= max(min(abs(a), abs(b)) * 1e-12, 1e-12).
TWINSCOPE_EXPORT bool SameValue(double a, double b);

}  // namespace twinscope
