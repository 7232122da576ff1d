#include "orderlist/CQuantityDlg.h"

#include "user/Controls.h"
#include "orderlist/DialogLayout.h"
#include "orderlist/res/resource.h"
#include "win32/MessageBox.h"
#include "win32/UserWindows.h"

namespace {

constexpr long kCaption = 2215, kLabel = 2214;

}  // namespace

CQuantityDlg::CQuantityDlg(CProtocolApp& app, const OrderItem& item, CWnd* parent)
    : CDialog(IDD_QUANTITY, parent), m_app(app), m_item(item) {}

BOOL CQuantityDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  LabelDialog(*this, m_app, kCaption, {{IDC_QUANTITY_LABEL, kLabel}});
  if (!m_item.partNumber.IsEmpty()) SetDlgItemText(IDC_QUANTITY_PART, m_item.partNumber);
  if (!m_item.name.IsEmpty()) SetDlgItemText(IDC_QUANTITY_NAME, m_item.name);
  SetDlgItemText(IDC_QUANTITY, m_item.quantity);
  SendDlgItemMessage(IDC_QUANTITY, EM_SETSEL, 0, -1);
  GotoDlgCtrl(GetDlgItem(IDC_QUANTITY));
  return FALSE;
}

void CQuantityDlg::OnOK() {
  GetDlgItemText(IDC_QUANTITY, m_quantity);
  if (LineRefusal refusal = CProtocolView::CheckQuantity(m_quantity)) {
    m_app.ShowMessage(refusal.text);
    return;
  }
  CDialog::OnOK();
}
