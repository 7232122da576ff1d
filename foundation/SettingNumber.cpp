#include "foundation/SettingNumber.h"

#include <algorithm>
#include <cctype>
#include <limits>

LONG SettingNumber(const char* text) {
  if (!text) return 0;
  const auto* at = reinterpret_cast<const unsigned char*>(text);
  while (std::isspace(*at)) ++at;
  const bool negative = *at == '-';
  if (*at == '-' || *at == '+') ++at;
  // One beyond the largest value, so that the lowest one is reached too.
  constexpr long long kLimit = static_cast<long long>(std::numeric_limits<LONG>::max()) + 1;
  long long magnitude = 0;
  for (; std::isdigit(*at); ++at) magnitude = std::min(magnitude * 10 + (*at - '0'), kLimit);
  if (negative) return static_cast<LONG>(-magnitude);
  return static_cast<LONG>(std::min(magnitude, kLimit - 1));
}
