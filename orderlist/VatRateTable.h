// The VAT rates of the price settings: each a percentage as a whole number
// with one count of decimals shared by the table (16 and 7,5 are 160 and 75
// with one decimal).
#pragma once

#include <cstdint>
#include <vector>

#include "mfc/CString.h"

class VatRateTable {
 public:
  // From the rate texts ("16", "7,5"; "." or "," separates): the largest
  // count of decimals among them is the table's.
  static VatRateTable FromTexts(const std::vector<CString>& texts);

  int Count() const { return static_cast<int>(m_rates.size()); }
  int Decimals() const { return m_decimals; }
  int64_t Rate(int index) const { return m_rates[static_cast<size_t>(index)]; }
  bool HasGroup(unsigned group) const { return group < m_rates.size(); }
  const std::vector<int64_t>& Rates() const { return m_rates; }

  // The rate dialog's change of one rate to a new text: the text's decimals
  // may widen the table's, which scales every rate; returns the indexes of
  // the rates that changed (all of them after a widening) and gives the text
  // as stored, with "." as its separator.
  std::vector<int> ChangeRate(int index, const CString& text, CString& stored);

  // One rate handed over as a number with its decimals: the first call with
  // a count above 0 makes a table of that many zero rates; more decimals than
  // the table's widen it, scaling every rate; an index outside the table
  // stores nothing.
  void SetRate(int64_t rate, int decimals, int index, int count);

 private:
  std::vector<int64_t> m_rates;
  int m_decimals = 0;
};
