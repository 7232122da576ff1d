// A floating-point value as a 32-bit whole number, cut toward zero. Values
// beyond the 32-bit range, which a plain conversion leaves undefined, are
// held at its limits; a value that is not a number counts as 0.
#pragma once

#include <cmath>
#include <limits>

#include "win32/Types.h"

constexpr LONG SaturatedLong(double value) {
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(std::numeric_limits<LONG>::max())) return std::numeric_limits<LONG>::max();
  if (value <= static_cast<double>(std::numeric_limits<LONG>::min())) return std::numeric_limits<LONG>::min();
  return static_cast<LONG>(value);
}
