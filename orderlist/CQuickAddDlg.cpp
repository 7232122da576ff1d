#include "orderlist/CQuickAddDlg.h"

#include "orderlist/DialogLayout.h"
#include "orderlist/res/resource.h"
#include "win32/MessageBox.h"

namespace {

constexpr long kCaption = 2199;

}  // namespace

CQuickAddDlg::CQuickAddDlg(CProtocolApp& app, CProtocolView& view, const OrderDatabases& databases, CWnd* parent)
    : CDialog(IDD_QUICK_ADD, parent), m_app(app), m_view(view), m_databases(databases) {}

BOOL CQuickAddDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_app.m_item_dialog = m_hWnd;
  LabelDialog(*this, m_app, kCaption);
  SetDlgItemText(IDC_ADD_PART_LABEL, m_view.ColumnTitle(m_app.m_search_col));
  SetDlgItemText(IDC_ADD_QUANTITY_LABEL, m_view.ColumnTitle(m_app.m_count_col));
  GotoDlgCtrl(GetDlgItem(IDC_ADD_PART));
  return FALSE;
}

void CQuickAddDlg::OnOK() {
  GetDlgItemText(IDC_ADD_PART, m_part);
  GetDlgItemText(IDC_ADD_QUANTITY, m_quantity);
  if (LineRefusal refusal = m_view.CheckQuickAdd(m_part, m_quantity, m_databases)) {
    m_app.ShowMessage(refusal.text, {refusal.key});
    return;
  }
  m_app.m_item_dialog = nullptr;
  CDialog::OnOK();
}
