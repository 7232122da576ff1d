#include "orderlist/COpenOrderDlg.h"

#include <algorithm>

#include "comctl/CommCtrl.h"
#include "mfc/CDataExchange.h"
#include "orderlist/OrderFileList.h"
#include "orderlist/DialogLayout.h"
#include "orderlist/res/resource.h"
#include "win32/Files.h"
#include "win32/MessageBox.h"
#include "win32/UserWindows.h"

namespace {

constexpr long kOpenCaption = 2218, kManageCaption = 1075;
constexpr long kDeleteText = 616;
constexpr long kAskDelete = 1430;
constexpr long kNotDeletable = 3248;

}  // namespace

BEGIN_MESSAGE_MAP(COpenOrderDlg, CDialog)
  ON_BN_CLICKED(IDC_ORDER_DELETE, OnDelete)
  ON_NOTIFY(NM_DBLCLK, IDC_ORDER_LIST, OnDoubleClick)
END_MESSAGE_MAP()

COpenOrderDlg::COpenOrderDlg(CProtocolApp& app, int mode, CWnd* parent)
    : CDialog(IDD_OPEN_ORDER, parent), m_app(app), m_mode(mode) {}

void COpenOrderDlg::DoDataExchange(CDataExchange* exchange) {
  CDialog::DoDataExchange(exchange);
  DDX_Control(exchange, IDC_ORDER_LIST, m_list);
}

BOOL COpenOrderDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  LabelDialog(*this, m_app, m_mode == kOpen ? kOpenCaption : kManageCaption, {{IDC_ORDER_DELETE, kDeleteText}});
  GetDlgItem(IDC_ORDER_DELETE)->ShowWindow(m_mode == kOpen ? SW_HIDE : SW_SHOW);
  GetDlgItem(IDCANCEL)->ShowWindow(m_mode == kOpen ? SW_SHOW : SW_HIDE);
  m_list.Fill(m_app);
  GotoDlgCtrl(&m_list);
  return FALSE;
}

void COpenOrderDlg::OnOK() {
  if (m_mode == kOpen) {
    const int row = SelectedRow(m_list);
    if (row < 0) return;
    m_name = m_list.GetItemText(row, 0);
  }
  CDialog::OnOK();
}

void COpenOrderDlg::OnDoubleClick(NMHDR*, LRESULT* result) {
  *result = 0;
  if (m_mode == kOpen) OnOK();
}

// A file that cannot be deleted keeps its row, and the user hears why.
void COpenOrderDlg::OnDelete() {
  const int row = SelectedRow(m_list);
  if (row < 0 || m_app.MessageBox(m_app.GetText(kAskDelete), MB_YESNO) != IDYES) return;
  const CString path = m_app.m_order_dir + "\\" + m_list.GetItemText(row, 0) + ".pro";
  if (!DeleteFile(path)) {
    m_app.ShowMessage(kNotDeletable, {path});
    return;
  }
  m_list.DeleteRecord(m_list.RecordData(row));
  if (m_list.GetItemCount() > 0)
    m_list.SetItemState(std::min(row, m_list.GetItemCount() - 1), LVIS_SELECTED | LVIS_FOCUSED,
                        LVIS_SELECTED | LVIS_FOCUSED);
  m_list.Invalidate();
}
