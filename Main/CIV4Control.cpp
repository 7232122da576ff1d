#include "Main/CIV4Control.h"

#include "Main/varno4.h"
#include "win32/UserWindows.h"

IMPLEMENT_DYNCREATE(CIV4Control, CWinThread)

void CIV4Control::SetTarget(CViewerApp* owner, HWND window, DWORD request) {
  m_owner = owner;
  m_target = window;
  m_request = request;
}

int CIV4Control::Run() {
  if (m_owner == nullptr || m_target == nullptr) return -1;
  const LRESULT reply = ::SendMessage(m_target, kSkyfetchFetch, 0, 0);
  m_owner->TakeInternetReply(m_request, reply);
  ExitInstance();
  return 0;
}
