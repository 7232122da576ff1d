#include "orderlist/CFileListCtrl.h"

#include <algorithm>
#include <cctype>

#include "comctl/CommCtrl.h"
#include "orderlist/CProtocolApp.h"
#include "orderlist/CombSort.h"
#include "win32/Mbstring.h"
#include "win32/UserWindows.h"

BEGIN_MESSAGE_MAP(CFileListCtrl, CMultiLineLiCtrl)
  ON_WM_KEYDOWN()
END_MESSAGE_MAP()

namespace {

constexpr long kNameTitle = 52, kDateTitle = 456;
constexpr int kColumnWidth = 100;
constexpr int kDateColumn = 1;

}  // namespace

void CFileListCtrl::Fill(const CProtocolApp& app) {
  TakeWindow();
  InsertColumn(0, app.GetText(kNameTitle), 'L', kColumnWidth);
  InsertColumn(1, app.GetText(kDateTitle), 'L', kColumnWidth);
  m_rows = ListOrderFiles(app.m_order_dir);
  SetRecordCount(static_cast<int>(m_rows.size()));
  m_filled = true;
  ShowTexts();
  AutoSizeColumns();
  m_descending[0] = false;
  m_descending[kDateColumn] = true;
  OnColumnClicked(0);
}

bool CFileListCtrl::CellText(DWORD data, int column, int, CString& text) const {
  text = m_filled && data < m_rows.size() ? ColumnText(m_rows[data], column) : CString();
  return true;
}

CString CFileListCtrl::ColumnText(const OrderFileRow& row, int column) const {
  return column == kDateColumn ? row.written : row.name;
}

// The lines carry their texts too, for whoever reads the list's items.
void CFileListCtrl::ShowTexts() {
  for (int record = 0; record < RecordCount(); ++record) {
    const OrderFileRow& row = RowAt(record);
    SetItemText(FirstLine(record), 0, row.name);
    SetItemText(FirstLine(record), 1, row.written);
  }
}

// True when a comes before b in ascending order.
bool CFileListCtrl::Before(const OrderFileRow& a, const OrderFileRow& b, int column) const {
  if (column == kDateColumn) {
    if (a.written.IsEmpty() || b.written.IsEmpty()) return !a.written.IsEmpty() && b.written.IsEmpty();
    return a.when < b.when;
  }
  const CString ta = ColumnText(a, column), tb = ColumnText(b, column);
  if (ta.IsEmpty() || tb.IsEmpty()) return !ta.IsEmpty() && tb.IsEmpty();
  return _mbsicmp(reinterpret_cast<const unsigned char*>(static_cast<const char*>(ta)),
                  reinterpret_cast<const unsigned char*>(static_cast<const char*>(tb))) < 0;
}

// The records' rows in the column's order.
void CFileListCtrl::OnColumnClicked(int column) {
  if (!m_filled || RecordCount() == 0 || column < 0 || column > kDateColumn) return;
  const bool descending = m_descending[column];
  const DWORD focused = FocusedData();
  std::vector<DWORD> order;
  for (int record = 0; record < RecordCount(); ++record) order.push_back(RecordData(record));
  CombSort(order, [&](DWORD a, DWORD b) {
    return descending ? Before(m_rows[a], m_rows[b], column) : Before(m_rows[b], m_rows[a], column);
  });
  for (int record = 0; record < RecordCount(); ++record) SetRecordData(record, order[static_cast<size_t>(record)]);
  ShowTexts();
  m_descending[column] = !descending;
  m_sort_column = column;
  if (focused != static_cast<DWORD>(-1)) {
    const int record = IndexOfData(focused);
    for (int line = 0; line < GetItemCount(); ++line) SetItemState(line, 0, LVIS_SELECTED | LVIS_FOCUSED);
    SelectRecord(record, 1);
  }
  Invalidate();
}

// A character finds the next order, after the focused one and round the
// end, whose sorted column begins with it.
void CFileListCtrl::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  if (key < '0' || !m_filled || RecordCount() == 0) {
    CMultiLineLiCtrl::OnKeyDown(key, repeat, flags);
    return;
  }
  const int start = FocusedRecord();
  for (int step = 1; step <= RecordCount(); ++step) {
    const int record = (start + step + RecordCount()) % RecordCount();
    const CString text = ColumnText(RowAt(record), m_sort_column);
    if (text.IsEmpty() || std::toupper(static_cast<unsigned char>(text[0])) != std::toupper(static_cast<int>(key)))
      continue;
    SelectRecord(record, 1);
    MakeRecordVisible(RecordData(record), FALSE);
    Invalidate();
    return;
  }
  CMultiLineLiCtrl::OnKeyDown(key, repeat, flags);
}
