#include "orderlist/CHitListCtrl.h"

#include <utility>

#include "comctl/CommCtrl.h"
#include "orderlist/OrderAddresses.h"

namespace {

constexpr int kColumnWidth = 100;

}  // namespace

int CompareHitTexts(const CString& first, const CString& second) {
  if (first.IsEmpty() || second.IsEmpty()) return (first.IsEmpty() ? 1 : 0) - (second.IsEmpty() ? 1 : 0);
  return first.CompareNoCase(second);
}

void SortHitRows(std::vector<HitRow>& rows, int column, bool largestFirst) {
  size_t gap = rows.size();
  for (bool swapped = true; gap > 1 || swapped;) {
    gap = std::max<size_t>(gap * 8 / 11, 1);
    swapped = false;
    for (size_t i = 0; i + gap < rows.size(); ++i) {
      const int order = CompareHitTexts(rows[i].fields[column], rows[i + gap].fields[column]);
      if (largestFirst ? order < 0 : order > 0) {
        std::swap(rows[i], rows[i + gap]);
        swapped = true;
      }
    }
  }
}

void CHitListCtrl::SetUpColumns(const CProtocolApp& app) {
  for (int column = 0; column < kAddressFields; ++column)
    InsertColumn(column, app.GetText(kAddressFieldTexts[column]), LVCFMT_LEFT, kColumnWidth);
}

void CHitListCtrl::ShowRows(std::vector<HitRow> rows) {
  m_rows = std::move(rows);
  DeleteAllRecords();
  SetRecordCount(static_cast<int>(m_rows.size()));
}

bool CHitListCtrl::CellText(DWORD data, int column, int, CString& text) const {
  text.Empty();
  if (data < m_rows.size() && column >= 0 && column < kAddressFields) text = m_rows[data].fields[column];
  return true;
}

// Record i shows row i, so sorting the rows re-orders the list.
void CHitListCtrl::SortByColumn(int column) {
  if (column < 0 || column >= kAddressFields) return;
  const int focused = FocusedRecord();
  const DWORD focusedCard = focused >= 0 ? Row(focused).offset : 0;
  SortHitRows(m_rows, column, m_largest_first[static_cast<size_t>(column)]);
  m_largest_first[static_cast<size_t>(column)] = !m_largest_first[static_cast<size_t>(column)];
  for (int record = 0; focused >= 0 && record < RecordCount(); ++record)
    if (Row(record).offset == focusedCard) SelectRecord(record, 1);
  Invalidate();
}
