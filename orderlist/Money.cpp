#include "orderlist/Money.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

struct LegacyRate {
  const char* name;
  double perEuro;
  int decimals;
};

// The currencies the euro replaced, with their fixed rates per euro.
constexpr LegacyRate kLegacyEuroRates[] = {
    {"DEM", 1.95583, 2}, {"NLG", 2.20371, 2}, {"FRF", 6.55957, 2}, {"ITL", 1936.27, 0},
    {"IEP", 0.787564, 2}, {"PTE", 200.482, 2}, {"FIM", 5.94573, 2}, {"BEF", 40.3399, 2},
    {"ATS", 13.7603, 2},  {"LUF", 40.3399, 2}, {"ESP", 166.386, 2}, {"GRD", 340.75, 2},
};

// Half away from zero, clamped to 64 bits. A nudge far below any cent keeps
// values like 2.675, which a double holds as 2.67499..., from rounding down.
int64_t RoundHalfAway(double value) {
  double magnitude = std::floor(std::fabs(value) * (1.0 + 1e-12) + 0.5);
  if (magnitude >= 9.2e18) magnitude = 9.2e18;
  auto rounded = static_cast<int64_t>(magnitude);
  return value < 0 ? -rounded : rounded;
}

}  // namespace

std::string InsertDecimalPoint(int64_t value, int decimals) {
  const bool negative = value < 0;
  std::string digits = std::to_string(negative ? -static_cast<uint64_t>(value) : static_cast<uint64_t>(value));
  if (decimals < 0) {
    digits.append(static_cast<size_t>(std::min(-decimals, kMostDecimals)), '0');
  } else if (decimals > 0) {
    const auto count = static_cast<size_t>(decimals);
    if (digits.size() < count) digits = std::string(count - digits.size(), '0') + digits;
    const size_t point = digits.size() - count;
    digits = digits.substr(0, point) + '.' + digits.substr(point);
  }
  std::string text = negative ? "-" : "";
  text += digits;
  return text;
}

int64_t RoundByDigits(int64_t value, int digits) {
  if (digits < 1) return value;
  uint64_t magnitude = value < 0 ? -static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  for (int i = 1; i < digits && magnitude > 0; ++i) magnitude /= 10;
  magnitude = (magnitude + 5) / 10;
  auto result = static_cast<int64_t>(magnitude);
  return value < 0 ? -result : result;
}

int64_t ReadInteger(std::string_view text) {
  size_t pos = 0;
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) negative = text[pos++] == '-';
  uint64_t magnitude = 0;
  constexpr uint64_t kLargest = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
    magnitude = magnitude * 10 + static_cast<uint64_t>(text[pos] - '0');
    if (magnitude > kLargest) magnitude = kLargest;
  }
  auto value = static_cast<int64_t>(magnitude);
  return negative ? -value : value;
}

DecimalValue ReadDecimalText(std::string_view text) {
  size_t separator = text.find_first_of(".,");
  if (separator == std::string_view::npos) return {ReadInteger(text), 0};
  std::string joined(text.substr(0, separator));
  joined += text.substr(separator + 1);
  return {ReadInteger(joined), static_cast<int>(text.size() - separator - 1)};
}

int64_t ScaleDecimals(const DecimalValue& value, int decimals) {
  if (value.decimals > decimals) return RoundByDigits(value.digits, value.decimals - decimals);
  int64_t scaled = value.digits;
  for (int i = value.decimals; i < decimals; ++i) {
    if (std::llabs(scaled) > std::numeric_limits<int64_t>::max() / 10) break;
    scaled *= 10;
  }
  return scaled;
}

int64_t ConvertCurrency(int64_t value, int decimals1, double factor, bool multiply, int decimals2) {
  if (value == 0 || !(factor > 0)) return 0;
  double amount = static_cast<double>(value) / std::pow(10.0, decimals1);
  amount = multiply ? amount * factor : amount / factor;
  return RoundHalfAway(amount * std::pow(10.0, decimals2));
}

bool LegacyToEuroCents(const char* currency, int64_t value, int64_t& cents) {
  for (const LegacyRate& rate : kLegacyEuroRates) {
    if (!currency || std::strcmp(rate.name, currency) != 0) continue;
    cents = value == 0 ? 0 : RoundHalfAway(static_cast<double>(value) / std::pow(10.0, rate.decimals) / rate.perEuro * 100.0);
    return true;
  }
  return false;
}
