#include "mfc/CWinThread.h"

#include "mfc/CDC.h"
#include "mfc/CGdiObject.h"
#include "mfc/CMenu.h"
#include "mfc/CWnd.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace {
thread_local CWinThread* threadObject = nullptr;
CWinThread* mainThread = nullptr;
}  // namespace

CWinThread* AfxGetThread() { return threadObject ? threadObject : mainThread; }

void AfxSetThread(CWinThread* thread) {
  threadObject = thread;
  if (!mainThread) mainThread = thread;
}

CWinThread::CWinThread() : m_nThreadID(GetCurrentThreadId()) {
  if (!threadObject) AfxSetThread(this);
}

CWinThread::~CWinThread() {
  if (threadObject == this) threadObject = nullptr;
  if (mainThread == this) mainThread = nullptr;
}

BOOL CWinThread::InitInstance() { return FALSE; }

int CWinThread::ExitInstance() { return static_cast<int>(m_msgCur.wParam); }

CWnd* CWinThread::GetMainWnd() { return m_pMainWnd; }

BOOL CWinThread::PreTranslateMessage(MSG* msg) {
  for (HWND window = msg->hwnd; window; window = ::GetParent(window)) {
    CWnd* object = CWnd::FromHandlePermanent(window);
    if (object && object->PreTranslateMessage(msg)) return TRUE;
    if (!(GetWindowLong(window, GWL_STYLE) & WS_CHILD)) break;
  }
  return FALSE;
}

BOOL CWinThread::OnIdle(LONG count) {
  if (count >= 1) {
    // The wrappers made for other code's handles are let go when nothing else is to do.
    CWnd::DeleteTempMap();
    CDC::DeleteTempMap();
    CGdiObject::DeleteTempMap();
    CMenu::DeleteTempMap();
  }
  return count < 1;
}

BOOL CWinThread::IsIdleMessage(MSG* msg) {
  // Frequent messages that change nothing do not start idle work again.
  if (msg->message == WM_MOUSEMOVE || msg->message == WM_NCMOUSEMOVE) {
    bool same = m_lastMouseMessage == msg->message && m_lastMousePoint.x == msg->pt.x && m_lastMousePoint.y == msg->pt.y;
    m_lastMouseMessage = msg->message;
    m_lastMousePoint = msg->pt;
    return !same;
  }
  return msg->message != WM_PAINT;
}

BOOL CWinThread::PumpMessage() {
  if (!GetMessage(&m_msgCur, nullptr, 0, 0)) return FALSE;
  if (!PreTranslateMessage(&m_msgCur)) {
    TranslateMessage(&m_msgCur);
    DispatchMessage(&m_msgCur);
  }
  return TRUE;
}

int CWinThread::Run() {
  bool idle = true;
  LONG idleCount = 0;
  MSG peek;
  for (;;) {
    while (idle && !PeekMessage(&peek, nullptr, 0, 0, PM_NOREMOVE)) {
      if (!OnIdle(idleCount++)) idle = false;
    }
    do {
      if (!PumpMessage()) return ExitInstance();
      if (IsIdleMessage(&m_msgCur)) {
        idle = true;
        idleCount = 0;
      }
    } while (PeekMessage(&peek, nullptr, 0, 0, PM_NOREMOVE));
  }
}
