#include "orderlist/CBookingSettingsDlg.h"

#include "mfc/CDataExchange.h"
#include "orderlist/DialogLayout.h"
#include "orderlist/res/resource.h"
#include "win32/MessageBox.h"
#include "win32/UserWindows.h"

namespace {

constexpr long kCaption = 1324, kRaiseText = 2239, kAskText = 2240;

}  // namespace

BEGIN_MESSAGE_MAP(CBookingSettingsDlg, CDialog)
  ON_BN_CLICKED(IDC_RAISE_QUANTITY, OnRaiseClicked)
END_MESSAGE_MAP()

CBookingSettingsDlg::CBookingSettingsDlg(CProtocolApp& app, CWnd* parent)
    : CDialog(IDD_BOOKING_SETTINGS, parent), m_app(app) {}

void CBookingSettingsDlg::DoDataExchange(CDataExchange* exchange) {
  CDialog::DoDataExchange(exchange);
  DDX_Check(exchange, IDC_ASK_BEFORE_RAISE, m_ask);
  DDX_Check(exchange, IDC_RAISE_QUANTITY, m_raise);
}

BOOL CBookingSettingsDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  LabelDialog(*this, m_app, kCaption, {{IDC_RAISE_QUANTITY, kRaiseText}, {IDC_ASK_BEFORE_RAISE, kAskText}});
  return TRUE;
}

// Asking only means something while booking again raises the quantity.
void CBookingSettingsDlg::OnRaiseClicked() {
  GetDlgItem(IDC_ASK_BEFORE_RAISE)->EnableWindow(IsDlgButtonChecked(IDC_RAISE_QUANTITY) == BST_CHECKED);
}
