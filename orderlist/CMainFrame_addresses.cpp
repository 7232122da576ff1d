// The order's addresses (252) and the version overview (1154).
#include "orderlist/CAddressChoiceDlg.h"
#include "orderlist/CMainFrame.h"
#include "orderlist/CVersionsDlg.h"

void CMainFrame::OnChooseAddresses() {
  CAddressChoiceDlg dialog(*m_app, this);
  dialog.DoModal();
}

void CMainFrame::OnVersions() {
  CVersionsDlg dialog(*m_app, this);
  dialog.DoModal();
}
