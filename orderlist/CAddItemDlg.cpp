#include "orderlist/CAddItemDlg.h"

#include "orderlist/res/resource.h"

namespace {

constexpr long kCaption = 2199;

}  // namespace

CAddItemDlg::CAddItemDlg(CProtocolApp& app, CProtocolView& view, const OrderDatabases& databases, CWnd* parent)
    : CItemColumnsDlg(IDD_ADD_ITEM, app, view, databases, IDC_ADD_ITEM_EDIT, IDC_ADD_ITEM_LABEL, kCaption, parent) {}

// The key as the companion writes it goes back into its edit.
void CAddItemDlg::OnOK() {
  std::vector<CString> columns = TypedColumns();
  if (Refused(m_view.CheckAddLine(columns, m_databases))) return;
  const int key = m_app.m_search_col;
  columns[static_cast<size_t>(key)] = m_view.FormattedKey(columns[static_cast<size_t>(key)], m_databases);
  if (key < kRows) SetDlgItemText(m_first_edit + key, columns[static_cast<size_t>(key)]);
  m_columns = columns;
  m_app.m_item_dialog = nullptr;
  CDialog::OnOK();
}
