#include "orderlist/CLaunchTIFControl.h"

#include "orderlist/PartsInfoCalls.h"

IMPLEMENT_DYNCREATE(CLaunchTIFControl, CWinThread)

CLaunchTIFControl::CLaunchTIFControl() { m_bAutoDelete = TRUE; }

void CLaunchTIFControl::SetMessage(CProtocolApp* owner, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  m_owner = owner;
  m_window = window;
  m_message = message;
  m_wParam = wParam;
  m_lParam = lParam;
}

BOOL CLaunchTIFControl::InitInstance() { return TRUE; }

int CLaunchTIFControl::Run() {
  if (!m_owner) return -1;
  MSG message{};
  message.hwnd = nullptr;
  message.message = m_message;
  message.wParam = m_wParam;
  message.lParam = m_lParam;
  if (auto preTranslate = ThePartsInfoCalls().preTranslateMessage) preTranslate(&message);
  ExitInstance();
  return 0;
}

int CLaunchTIFControl::ExitInstance() {
  if (m_owner) m_owner->m_tif_thread = nullptr;
  return CWinThread::ExitInstance();
}
