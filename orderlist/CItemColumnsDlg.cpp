#include "orderlist/CItemColumnsDlg.h"

#include <algorithm>

#include "orderlist/DialogLayout.h"
#include "win32/MessageBox.h"
#include "win32/UserWindows.h"

CItemColumnsDlg::CItemColumnsDlg(UINT templateId, CProtocolApp& app, CProtocolView& view,
                                 const OrderDatabases& databases, int firstEdit, int firstLabel, long caption,
                                 CWnd* parent)
    : CDialog(templateId, parent),
      m_app(app),
      m_view(view),
      m_databases(databases),
      m_first_edit(firstEdit),
      m_first_label(firstLabel),
      m_caption(caption) {}

int CItemColumnsDlg::ShownRows() const { return std::min(m_app.m_column_count, kRows); }

BOOL CItemColumnsDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_app.m_item_dialog = m_hWnd;
  LabelDialog(*this, m_app, m_caption);
  m_columns.resize(static_cast<size_t>(m_app.m_column_count));
  for (int row = 0; row < ShownRows(); ++row) {
    SetDlgItemText(m_first_label + row, m_view.ColumnTitle(row));
    SetDlgItemText(m_first_edit + row, m_columns[static_cast<size_t>(row)]);
  }
  HideRowsFrom(ShownRows());
  GotoDlgCtrl(GetDlgItem(m_first_edit));
  return FALSE;
}

void CItemColumnsDlg::HideRowsFrom(int first) {
  if (first >= kRows || first < 1) return;
  for (int row = first; row < kRows; ++row) {
    GetDlgItem(m_first_label + row)->ShowWindow(SW_HIDE);
    GetDlgItem(m_first_edit + row)->ShowWindow(SW_HIDE);
  }
  ShortenDialog(*this, m_first_edit + first - 1, m_first_edit + kRows - 1);
}

std::vector<CString> CItemColumnsDlg::TypedColumns() const {
  std::vector<CString> columns = m_columns;
  for (int row = 0; row < ShownRows(); ++row) GetDlgItemText(m_first_edit + row, columns[static_cast<size_t>(row)]);
  return columns;
}

bool CItemColumnsDlg::Refused(const LineRefusal& refusal) {
  if (!refusal) return false;
  m_app.ShowMessage(refusal.text, {refusal.key});
  return true;
}
