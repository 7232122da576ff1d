// Arithmetic of the picture window's layout: doubles cut to whole pixels,
// and quotients that stay finite when a picture or window has no size.
#pragma once

#include <cmath>
#include <limits>

#include "win32/Types.h"

// Cut toward zero, as a C cast does, but kept inside LONG (NaN gives 0).
inline LONG TruncateToLong(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kLow = std::numeric_limits<LONG>::min(), kHigh = std::numeric_limits<LONG>::max();
  if (value <= kLow) return std::numeric_limits<LONG>::min();
  if (value >= kHigh) return std::numeric_limits<LONG>::max();
  return static_cast<LONG>(value);
}

// numerator / denominator, or the fallback when the denominator is 0.
inline double Quotient(double numerator, double denominator, double fallback) {
  return denominator != 0 ? numerator / denominator : fallback;
}
