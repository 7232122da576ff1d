#include "orderlist/CEditItemDlg.h"

#include "orderlist/res/resource.h"

namespace {

constexpr long kCaption = 2200;

}  // namespace

CEditItemDlg::CEditItemDlg(CProtocolApp& app, CProtocolView& view, const OrderDatabases& databases, int row,
                           CWnd* parent)
    : CItemColumnsDlg(IDD_EDIT_ITEM, app, view, databases, IDC_EDIT_ITEM_EDIT, IDC_EDIT_ITEM_LABEL, kCaption, parent),
      m_row(row) {
  m_columns = view.LineColumns(row);
}

void CEditItemDlg::OnOK() {
  const std::vector<CString> columns = TypedColumns();
  if (Refused(m_view.CheckLineEdit(m_row, columns, m_databases))) return;
  m_columns = columns;
  m_app.m_item_dialog = nullptr;
  CDialog::OnOK();
}
