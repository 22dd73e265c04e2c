#pragma once
// The game's arithmetic: formulas are evaluated in extended precision and
// rounded only where a rule says so.
#include <cmath>
#include <cstdint>

namespace korvant {

using Extended = long double;

// Nearest integer, halves to even (the default rounding mode of the FPU).
inline int64_t Round(Extended x) { return static_cast<int64_t>(std::nearbyintl(x)); }

// Cuts toward zero.
inline int64_t Trunc(Extended x) { return static_cast<int64_t>(std::trunc(x)); }

// x ^ e as exp(e * ln x); defined for x > 0.
inline Extended Power(Extended x, Extended e) { return std::exp(e * std::log(x)); }

}  // namespace korvant
