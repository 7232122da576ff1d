// Money as whole numbers of a currency's smallest unit, and the decimal texts
// that amounts, quantities and rates are read from. No floating point is used
// but where a rate between two currencies is applied.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A decimal count of money lies within -kMostDecimals to kMostDecimals: an
// amount has no more digits than that.
constexpr int kMostDecimals = 20;

// The amount's digits with the decimal point put in: n > 0 puts "." n
// digits from the right, with zeros after the point when there are fewer
// digits ("5" with 2 gives ".05"); n = 0 leaves the digits; n < 0 appends -n
// zeros (kMostDecimals at most). A minus sign stands in front of it all ("-.05").
std::string InsertDecimalPoint(int64_t value, int decimals);

// Drops the last k decimal digits of an exact product, rounding half away
// from zero on the first digit dropped: 123456 by 3 gives 123, 123500 by 3
// gives 124, -2345 by 1 gives -235. k < 1 leaves the value.
int64_t RoundByDigits(int64_t value, int digits);

// A decimal text read as the runtime reads a number: blanks skipped, a sign,
// then digits up to the first other character; 0 without digits. Values
// beyond 64 bits stop at the largest one.
int64_t ReadInteger(std::string_view text);

// A text with decimals: the first "." or "," is the separator and is taken
// out; the characters after it count as decimals; the rest is read as an
// integer ("12,3" gives 123 with 1 decimal).
struct DecimalValue {
  int64_t digits = 0;
  int decimals = 0;
};
DecimalValue ReadDecimalText(std::string_view text);

// The value at n decimals: zeros appended, or rounded by digits.
int64_t ScaleDecimals(const DecimalValue& value, int decimals);

// An amount of currency 1 in currency 2, rounded half away from zero at
// currency 2's decimals: value / 10^decimals1, times the factor (multiply)
// or divided by it, in units of 10^-decimals2. 0 when the factor is not
// above 0.
int64_t ConvertCurrency(int64_t value, int decimals1, double factor, bool multiply, int decimals2);

// An amount of one of the currencies the euro replaced, as euro cents
// (rounded half away from zero); false for a name not among them.
bool LegacyToEuroCents(const char* currency, int64_t value, int64_t& cents);
