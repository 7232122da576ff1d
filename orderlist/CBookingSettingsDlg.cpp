#include "orderlist/CBookingSettingsDlg.h"

#include "mfc/CDataExchange.h"
#include "orderlist/res/resource.h"
#include "win32/MessageBox.h"
#include "win32/UserWindows.h"

namespace {

constexpr long kCaption = 1324, kOkText = 1119, kCancelText = 680, kRaiseText = 2239, kAskText = 2240;

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
  const struct {
    int id;
    long text;
  } labels[] = {{IDOK, kOkText}, {IDCANCEL, kCancelText}, {IDC_RAISE_QUANTITY, kRaiseText},
                {IDC_ASK_BEFORE_RAISE, kAskText}};
  SetWindowText(m_app.GetText(kCaption));
  for (const auto& label : labels) SetDlgItemText(label.id, m_app.GetText(label.text));
  return TRUE;
}

// Asking only means something while booking again raises the quantity.
void CBookingSettingsDlg::OnRaiseClicked() {
  GetDlgItem(IDC_ASK_BEFORE_RAISE)->EnableWindow(IsDlgButtonChecked(IDC_RAISE_QUANTITY) == BST_CHECKED);
}
