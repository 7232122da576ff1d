// Money texts: the integer with its decimal point, then the user locale's
// monetary separators and grouping through the system's currency formatting.
#include <algorithm>

#include "orderlist/CProtocolApp.h"
#include "orderlist/Money.h"
#include "win32/Locale.h"

void CProtocolApp::FormatAmount(int32_t value, CString& out, int decimals) const {
  FormatAmount64(value, out, decimals);
}

void CProtocolApp::FormatAmount64(int64_t value, CString& out, int decimals) const {
  FormatCurrencyText(InsertDecimalPoint(value, decimals).c_str(), out, decimals);
}

void CProtocolApp::FormatCurrencyText(const char* number, CString& out, int decimals) const {
  const char first = m_mon_grouping.IsEmpty() ? '0' : m_mon_grouping[0];
  CString decimalSep = m_mon_decimal_sep, thousandSep = m_mon_thousand_sep;
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
  out = GetCurrencyFormatA(LOCALE_USER_DEFAULT, 0, number, &format, text, sizeof text) > 0 ? text : number;
}

int64_t CProtocolApp::SecondCurrencyValue(int32_t value) const {
  return ConvertCurrency(value, m_decimals1, m_currency_factor, m_second_currency == 1, m_decimals2);
}

void CProtocolApp::SecondCurrencyText(int32_t value, CString& out) const {
  FormatAmount64(SecondCurrencyValue(value), out, m_decimals2);
}
