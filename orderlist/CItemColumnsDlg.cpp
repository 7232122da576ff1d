#include "orderlist/CItemColumnsDlg.h"

#include <algorithm>

#include "mfc/CRect.h"
#include "win32/MessageBox.h"
#include "win32/UserWindows.h"

namespace {

constexpr long kOkText = 1119, kCancelText = 680;

}  // namespace

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
  SetWindowText(m_app.GetText(m_caption));
  SetDlgItemText(IDOK, m_app.GetText(kOkText));
  SetDlgItemText(IDCANCEL, m_app.GetText(kCancelText));
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
  CRect lastShown, lastRow, window;
  GetDlgItem(m_first_edit + first - 1)->GetWindowRect(&lastShown);
  GetDlgItem(m_first_edit + kRows - 1)->GetWindowRect(&lastRow);
  GetWindowRect(&window);
  SetWindowPos(nullptr, 0, 0, window.Width(), window.Height() - (lastRow.bottom - lastShown.bottom),
               SWP_NOMOVE | SWP_NOZORDER);
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
