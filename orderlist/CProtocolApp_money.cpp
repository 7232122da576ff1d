// Money texts: the integer with its decimal point, then the user locale's
// monetary separators and grouping through the system's currency formatting.
#include "orderlist/CProtocolApp.h"
#include "orderlist/Money.h"
#include "orderlist/MoneyText.h"

void CProtocolApp::FormatAmount(int32_t value, CString& out, int decimals) const {
  FormatAmount64(value, out, decimals);
}

void CProtocolApp::FormatAmount64(int64_t value, CString& out, int decimals) const {
  FormatCurrencyText(InsertDecimalPoint(value, decimals).c_str(), out, decimals);
}

void CProtocolApp::FormatCurrencyText(const char* number, CString& out, int decimals) const {
  out = MonetaryFormat{m_mon_decimal_sep, m_mon_thousand_sep, m_mon_grouping}.Format(number, decimals);
}

int64_t CProtocolApp::SecondCurrencyValue(int32_t value) const {
  return ConvertCurrency(value, m_decimals1, m_currency_factor, m_second_currency == 1, m_decimals2);
}

void CProtocolApp::SecondCurrencyText(int32_t value, CString& out) const {
  FormatAmount64(SecondCurrencyValue(value), out, m_decimals2);
}
