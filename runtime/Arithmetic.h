#pragma once

#include <cstdint>

namespace twinscope {

// The engine's extended precision: 80-bit x87 on x86-64 with g++.
using Extended = long double;

// Nearest integer, ties to even (2.5 -> 2, 3.5 -> 4). Values outside the 64-bit range saturate.
std::int64_t Round(double x);
std::int64_t Round(Extended x);

// Toward zero. Values outside the 64-bit range saturate.
std::int64_t Trunc(double x);
std::int64_t Trunc(Extended x);

// Integer part and fraction as doubles, both toward zero: Int(-2.5) = -2, Frac(-2.5) = -0.5.
double Int(double x);
double Frac(double x);

// Two values are the same when abs(a - b) <= max(min(abs(a), abs(b)) * 1e-12, 1e-12).
bool SameValue(double a, double b);

}  // namespace twinscope
