#include "Main/CInternetDlg.h"

#include "Main/varno4.h"
#include "win32/UserWindows.h"

BEGIN_MESSAGE_MAP(CInternetDlg, CDialog)
  ON_BN_CLICKED(IDC_BUTTON, OnButton)
END_MESSAGE_MAP()

CInternetDlg::CInternetDlg(CViewerApp* app, const char* message, const char* button)
    : m_message(message), m_button(button), m_app(app) {}

BOOL CInternetDlg::Open(CWnd* owner) { return Create(IDD, owner); }

void CInternetDlg::Close() {
  if (m_hWnd == nullptr) return;
  ShowWindow(SW_HIDE);
  DestroyWindow();
}

BOOL CInternetDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (CWnd* text = GetDlgItem(IDC_TEXT)) text->SetWindowText(m_message);
  if (CWnd* button = GetDlgItem(IDC_BUTTON)) button->SetWindowText(m_button);
  ShowWindow(SW_SHOW);
  return TRUE;
}

void CInternetDlg::OnButton() {
  if (m_app != nullptr) m_app->m_internet_wait = 0;
}
