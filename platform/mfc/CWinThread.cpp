#include "mfc/CWinThread.h"

#include "mfc/CDC.h"
#include "mfc/CFrameWnd.h"
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

CWinThread::CWinThread() = default;

CWinThread::CWinThread(AFX_THREADPROC proc, LPVOID parameter) : m_pfnThreadProc(proc), m_pThreadParams(parameter) {}

CWinThread::~CWinThread() {
  if (m_hThread) CloseHandle(m_hThread);
  if (threadObject == this) threadObject = nullptr;
  if (mainThread == this) mainThread = nullptr;
}

void CWinThread::DeleteTempMaps() {
  // The wrappers made for other code's handles are let go when nothing else
  // is to do, and when their thread ends.
  CWnd::DeleteTempMap();
  CDC::DeleteTempMap();
  CGdiObject::DeleteTempMap();
  CMenu::DeleteTempMap();
}

DWORD CWinThread::ThreadEntry(LPVOID self) {
  auto* thread = static_cast<CWinThread*>(self);
  threadObject = thread;
  int code;
  if (thread->m_pfnThreadProc) {
    code = static_cast<int>(thread->m_pfnThreadProc(thread->m_pThreadParams));
  } else if (!thread->InitInstance()) {
    // A thread that does not start still cleans up; a window it left must not outlive it unseen.
    if (thread->m_pMainWnd) thread->m_pMainWnd->DestroyWindow();
    code = thread->ExitInstance();
  } else {
    code = thread->Run();
  }
  DeleteTempMaps();
  threadObject = nullptr;
  thread->Delete();
  return static_cast<DWORD>(code);
}

BOOL CWinThread::CreateThread(DWORD flags, UINT stackSize, LPSECURITY_ATTRIBUTES security) {
  if (m_hThread) return FALSE;  // one object, one thread
  // The thread waits until its object knows it: a thread that deletes itself
  // may be gone before the call that started it returns.
  DWORD id = 0;
  HANDLE handle = ::CreateThread(security, stackSize, &CWinThread::ThreadEntry, this, flags | CREATE_SUSPENDED, &id);
  if (!handle) return FALSE;
  m_hThread = handle;
  m_nThreadID = id;
  if (!(flags & CREATE_SUSPENDED)) ::ResumeThread(handle);
  return TRUE;
}

DWORD CWinThread::ResumeThread() { return ::ResumeThread(m_hThread); }
BOOL CWinThread::SetThreadPriority(int priority) { return ::SetThreadPriority(m_hThread, priority); }
BOOL CWinThread::PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::PostThreadMessage(m_nThreadID, message, wParam, lParam);
}

void CWinThread::Delete() {
  if (m_bAutoDelete) delete this;
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
  if (count == 0) CFrameWnd::UpdateFramesAtIdle();
  if (count >= 1) DeleteTempMaps();
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

namespace {

CWinThread* Start(CWinThread* thread, int priority, UINT stackSize, DWORD flags, LPSECURITY_ATTRIBUTES security) {
  if (!thread->CreateThread(flags | CREATE_SUSPENDED, stackSize, security)) {
    delete thread;
    return nullptr;
  }
  thread->SetThreadPriority(priority);
  if (!(flags & CREATE_SUSPENDED)) thread->ResumeThread();
  return thread;
}

}  // namespace

CWinThread* AfxBeginThread(CRuntimeClass* threadClass, int priority, UINT stackSize, DWORD flags,
                           LPSECURITY_ATTRIBUTES security) {
  CObject* object = threadClass ? threadClass->CreateObject() : nullptr;
  auto* thread = dynamic_cast<CWinThread*>(object);
  if (!thread) {
    delete object;
    return nullptr;
  }
  return Start(thread, priority, stackSize, flags, security);
}

CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID parameter, int priority, UINT stackSize, DWORD flags,
                           LPSECURITY_ATTRIBUTES security) {
  if (!proc) return nullptr;
  return Start(new CWinThread(proc, parameter), priority, stackSize, flags, security);
}
