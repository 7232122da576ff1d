#include "orderlist/VatRateTable.h"

#include <algorithm>

#include "orderlist/Money.h"

namespace {

int DecimalsOf(const CString& text) {
  int separator = text.FindOneOf(".,");
  return separator < 0 ? 0 : text.GetLength() - separator - 1;
}

// The rate's digits, every "." and "," taken out, at the table's decimals.
int64_t RateAt(const CString& text, int decimals) {
  CString digits = text;
  digits.Remove('.');
  digits.Remove(',');
  return ScaleDecimals({ReadInteger(static_cast<const char*>(digits)), DecimalsOf(text)}, decimals);
}

}  // namespace

VatRateTable VatRateTable::FromTexts(const std::vector<CString>& texts) {
  VatRateTable table;
  for (const CString& text : texts) table.m_decimals = std::max(table.m_decimals, DecimalsOf(text));
  for (const CString& text : texts) table.m_rates.push_back(RateAt(text, table.m_decimals));
  return table;
}

std::vector<int> VatRateTable::ChangeRate(int index, const CString& text, CString& stored) {
  stored = text;
  if (index < 0 || index >= Count()) return {};
  int comma = stored.Find(',');
  if (comma >= 0) stored.SetAt(comma, '.');
  std::vector<int> changed{index};
  int decimals = DecimalsOf(stored);
  if (decimals > m_decimals) {
    for (int64_t& rate : m_rates) rate = ScaleDecimals({rate, m_decimals}, decimals);
    m_decimals = decimals;
    changed.clear();
    for (int i = 0; i < Count(); ++i) changed.push_back(i);
  }
  m_rates[static_cast<size_t>(index)] = RateAt(stored, m_decimals);
  return changed;
}

void VatRateTable::SetRate(int64_t rate, int decimals, int index, int count) {
  if (m_rates.empty()) {
    if (count <= 0) return;
    m_rates.assign(static_cast<size_t>(count), 0);
    m_decimals = decimals;
  }
  if (m_decimals < decimals) {
    for (int64_t& entry : m_rates) entry = ScaleDecimals({entry, m_decimals}, decimals);
    m_decimals = decimals;
  }
  if (index >= 0 && index < Count()) m_rates[static_cast<size_t>(index)] = ScaleDecimals({rate, decimals}, m_decimals);
}
