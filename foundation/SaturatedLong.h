// Numbers as 32-bit whole numbers, held at the limits of the 32-bit range
// where a plain conversion would leave them undefined or wrap them around.
#pragma once

#include <cmath>
#include <cstdlib>
#include <limits>

#include "win32/Types.h"

// A floating-point value, cut toward zero; a value that is not a number
// counts as 0.
constexpr LONG SaturatedLong(double value) {
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(std::numeric_limits<LONG>::max())) return std::numeric_limits<LONG>::max();
  if (value <= static_cast<double>(std::numeric_limits<LONG>::min())) return std::numeric_limits<LONG>::min();
  return static_cast<LONG>(value);
}

// The number at the start of a text (blanks, a sign, digits) as the 32-bit C
// runtime's atol and atoi read it: 4294967297 is 2147483647, not 1.
inline LONG SaturatedAtol(const char* text) {
  const long long value = std::strtoll(text, nullptr, 10);
  if (value > std::numeric_limits<LONG>::max()) return std::numeric_limits<LONG>::max();
  if (value < std::numeric_limits<LONG>::min()) return std::numeric_limits<LONG>::min();
  return static_cast<LONG>(value);
}
