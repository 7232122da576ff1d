#include "orderlist/MoneyText.h"

#include <algorithm>

#include "orderlist/Money.h"
#include "win32/Locale.h"

namespace {

CString UserLocaleValue(LCTYPE type) {
  char text[260];
  return GetLocaleInfoA(LOCALE_USER_DEFAULT, type, text, sizeof text) > 0 ? text : "";
}

}  // namespace

MonetaryFormat MonetaryFormat::FromUserLocale() {
  return {UserLocaleValue(LOCALE_SMONDECIMALSEP), UserLocaleValue(LOCALE_SMONTHOUSANDSEP),
          UserLocaleValue(LOCALE_SMONGROUPING)};
}

CString MonetaryFormat::Format(const char* number, int decimals) const {
  const char first = grouping.IsEmpty() ? '0' : grouping[0];
  CURRENCYFMTA format{};
  format.NumDigits = static_cast<UINT>(std::max(decimals, 0));
  format.LeadingZero = 1;
  format.Grouping = first >= '0' && first <= '9' ? static_cast<UINT>(first - '0') : 0;
  format.lpDecimalSep = const_cast<LPSTR>(static_cast<const char*>(decimalSep));
  format.lpThousandSep = const_cast<LPSTR>(static_cast<const char*>(thousandSep));
  format.NegativeOrder = 1;
  format.PositiveOrder = 0;
  format.lpCurrencySymbol = const_cast<LPSTR>("");
  char text[50];
  return GetCurrencyFormatA(LOCALE_USER_DEFAULT, 0, number, &format, text, sizeof text) > 0 ? text : number;
}

CString MonetaryFormat::Amount(int64_t value, int decimals) const {
  return Format(InsertDecimalPoint(value, decimals).c_str(), decimals);
}
