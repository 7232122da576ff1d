#include "orderlist/CSaveOrderDlg.h"

#include "comctl/CommCtrl.h"
#include "mfc/CDataExchange.h"
#include "orderlist/OrderFileList.h"
#include "orderlist/DialogLayout.h"
#include "orderlist/res/resource.h"
#include "win32/MessageBox.h"

namespace {

constexpr long kCaption = 2219;

// "C:\orders\test.pro" names the order "test".
CString OrderNameOf(CString text) {
  const int slash = text.ReverseFind('\\');
  if (slash >= 0) text = text.Mid(slash + 1);
  const int dot = text.ReverseFind('.');
  if (dot >= 0) text = text.Left(dot);
  return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CSaveOrderDlg, CDialog)
  ON_NOTIFY(NM_DBLCLK, IDC_SAVE_ORDER_LIST, OnDoubleClick)
END_MESSAGE_MAP()

CSaveOrderDlg::CSaveOrderDlg(CProtocolApp& app, CWnd* parent) : CDialog(IDD_SAVE_ORDER, parent), m_app(app) {}

void CSaveOrderDlg::DoDataExchange(CDataExchange* exchange) {
  CDialog::DoDataExchange(exchange);
  DDX_Control(exchange, IDC_SAVE_ORDER_LIST, m_list);
}

BOOL CSaveOrderDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  LabelDialog(*this, m_app, kCaption);
  m_list.Fill(m_app);
  GotoDlgCtrl(GetDlgItem(IDC_ORDER_NAME));
  return FALSE;
}

void CSaveOrderDlg::OnOK() {
  CString typed;
  GetDlgItemText(IDC_ORDER_NAME, typed);
  const int row = SelectedRow(m_list);
  if (typed.IsEmpty() && row < 0) return;
  const CString name = OrderNameOf(typed.IsEmpty() ? m_list.GetItemText(row, 0) : typed);
  if (name.IsEmpty()) return;
  m_name = name;
  CDialog::OnOK();
}

void CSaveOrderDlg::OnDoubleClick(NMHDR*, LRESULT* result) {
  *result = 0;
  OnOK();
}
