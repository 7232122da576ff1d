#include "mfc/AfxMessageBox.h"

#include "mfc/CWinApp.h"
#include "mfc/CWnd.h"
#include "win32/Resources.h"

int AfxMessageBox(LPCSTR text, UINT type, UINT) {
  CWinApp* app = AfxGetApp();
  LPCSTR caption = app && app->m_pszAppName ? app->m_pszAppName : "";
  HWND owner = ::GetActiveWindow();
  if (!owner) {
    CWnd* main = AfxGetMainWnd();
    owner = main ? main->m_hWnd : nullptr;
  }
  return ::MessageBox(owner, text, caption, type);
}

int AfxMessageBox(UINT promptId, UINT type, UINT helpId) {
  char text[1024];
  ::LoadString(AfxFindResourceHandle(MAKEINTRESOURCE((promptId >> 4) + 1), RT_STRING), promptId, text, sizeof text);
  return AfxMessageBox(text, type, helpId == static_cast<UINT>(-1) ? promptId : helpId);
}
