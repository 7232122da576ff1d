#include "orderlist/COrderListCtrl.h"

#include <algorithm>

#include "comctl/CommCtrl.h"
#include "mfc/CWaitCursor.h"
#include "orderlist/CProtocolView.h"

namespace {

constexpr int kColumnWidth = 100;

}  // namespace

void COrderListCtrl::SetupColumns() {
  if (!m_view) return;
  const CProtocolApp& app = m_view->App();
  for (int column = 0; column < m_view->ColumnCount(); ++column) {
    const bool right = column == app.m_count_col || column == app.m_price_col || column == app.m_column_count;
    InsertColumn(column, m_view->ColumnTitle(column), right ? LVCFMT_RIGHT : LVCFMT_LEFT, kColumnWidth);
  }
}

void COrderListCtrl::UpdateColumnTitles() {
  if (!m_view) return;
  for (int column = 0; column < m_view->ColumnCount(); ++column) {
    const CString title = m_view->ColumnTitle(column);
    LVCOLUMN info{};
    info.mask = LVCF_TEXT;
    info.pszText = const_cast<LPSTR>(static_cast<LPCSTR>(title));
    SetColumn(column, &info);
  }
}

void COrderListCtrl::RemoveRow(int row) {
  if (row < 0 || row >= RecordCount()) return;
  CRect below;
  GetClientRect(&below);
  CRect first;
  if (GetItemRect(FirstLine(row), &first, LVIR_BOUNDS)) below.top = std::max(below.top, first.top);
  DeleteRecord(static_cast<DWORD>(row));
  for (int record = row; record < RecordCount(); ++record) SetRecordData(record, static_cast<DWORD>(record));
  InvalidateRect(&below, FALSE);
}

bool COrderListCtrl::CellText(DWORD data, int column, int, CString& text) const {
  text.Empty();
  if (m_view) m_view->GetCellText(text, static_cast<int>(data), column);
  return true;
}

void COrderListCtrl::OnColumnClicked(int column) {
  if (!m_view) return;
  CWaitCursor wait;
  m_view->SortByColumn(column);
}

void COrderListCtrl::OnFocusChanged(int record, int) {
  if (m_view && record >= 0) m_view->SetCurrentItem(static_cast<int>(RecordData(record)));
}
