// Money texts for the screen: the amount with its decimal point put in, then
// the user locale's monetary separators and grouping through the system's
// currency formatting. The order-list program and the parts-info library
// show amounts alike.
#pragma once

#include <cstdint>

#include "mfc/CString.h"

struct MonetaryFormat {
  CString decimalSep;
  CString thousandSep;
  CString grouping;  // only its first digit counts

  // The three values of the user's default locale.
  static MonetaryFormat FromUserLocale();

  // A number text with max(decimals, 0) decimal digits; the plain text when
  // the system refuses it.
  CString Format(const char* number, int decimals) const;
  // An amount in units of 10^-decimals.
  CString Amount(int64_t value, int decimals) const;
};
