#include "orderlist/CProtocolAboutDlg.h"

#include <string>

#include "orderlist/DialogLayout.h"
#include "orderlist/res/resource.h"
#include "win32/Memory.h"
#include "win32/UserWindows.h"

namespace {

constexpr long kCaption = 2204, kAboutText = 2210, kMemoryText = 1582, kLoadText = 1583;
constexpr int kNtFour = 3;

}  // namespace

CProtocolAboutDlg::CProtocolAboutDlg(CProtocolApp& app, CWnd* parent)
    : CDialog(IDD_PROTOCOL_ABOUT, parent), m_app(app) {}

CString CProtocolAboutDlg::KilobyteText(uint64_t kilobytes) {
  std::string digits = std::to_string(kilobytes);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<size_t>(at), ".");
  return CString(digits.c_str()) + " KB";
}

int CProtocolAboutDlg::MemoryLoad(int osKind, const MEMORYSTATUS& status) {
  if (osKind != kNtFour || status.dwTotalPhys == 0) return static_cast<int>(status.dwMemoryLoad);
  return static_cast<int>(100 - static_cast<double>(status.dwAvailPhys) * 100.0 / static_cast<double>(status.dwTotalPhys));
}

BOOL CProtocolAboutDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  LabelDialog(*this, m_app, kCaption, {{IDC_ABOUT_TEXT, kAboutText}});
  MEMORYSTATUS status{};
  status.dwLength = sizeof status;
  GlobalMemoryStatus(&status);
  SetDlgItemText(IDC_ABOUT_MEMORY, m_app.GetText(kMemoryText) + KilobyteText(status.dwTotalPhys / 1024));
  CString load;
  load.Format("%d %%", MemoryLoad(m_app.m_os_kind, status));
  SetDlgItemText(IDC_ABOUT_LOAD, m_app.GetText(kLoadText) + load);
  if (CWnd* spare = GetDlgItem(IDC_ABOUT_SPARE)) spare->ShowWindow(SW_HIDE);
  return TRUE;
}
