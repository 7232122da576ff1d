#include "orderlist/COrderListCtrl.h"

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
