// The list of the cards a search found: one record per card, a column per
// address field. A click on a column title sorts the records by it, largest
// first on the first click, and the other way on the next.
#pragma once

#include <vector>

#include "orderlist/CMultiLineLiCtrl.h"
#include "orderlist/CProtocolApp.h"
#include "orderlist/OrderHeader.h"

struct HitRow {
  DWORD offset = 0;
  CString fields[kAddressFields];
};

// Case does not count; an empty text sorts after every other one.
int CompareHitTexts(const CString& first, const CString& second);
// A comb sort on one column: the gap shrinks by 8/11 each pass until a pass
// with gap 1 swaps nothing.
void SortHitRows(std::vector<HitRow>& rows, int column, bool largestFirst);

class CHitListCtrl : public CMultiLineLiCtrl {
 public:
  void SetUpColumns(const CProtocolApp& app);
  // One record per row, in the order given (the book's order).
  void ShowRows(std::vector<HitRow> rows);
  // The row a record shows.
  const HitRow& Row(int record) const { return m_rows[static_cast<size_t>(RecordData(record))]; }
  // Sorts by the column's texts and flips its direction; the record that had
  // the focus stays selected.
  void SortByColumn(int column);

 protected:
  bool CellText(DWORD data, int column, int line, CString& text) const override;
  void OnColumnClicked(int column) override { SortByColumn(column); }

 private:
  std::vector<HitRow> m_rows;
  std::vector<bool> m_largest_first = std::vector<bool>(kAddressFields, true);
};
