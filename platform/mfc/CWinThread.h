// A user-interface thread of the class library: its message loop with
// PreTranslateMessage, idle processing and its main window.
#pragma once

#include "mfc/CCmdTarget.h"
#include "win32/UserMessages.h"

class CWnd;

class CWinThread : public CCmdTarget {
  DECLARE_DYNAMIC(CWinThread)

 public:
  CWinThread();
  ~CWinThread() override;

  CWnd* m_pMainWnd = nullptr;  // the end of this window ends the loop
  MSG m_msgCur{};
  DWORD m_nThreadID = 0;

  virtual BOOL InitInstance();
  virtual int ExitInstance();
  // The message loop; returns the exit code of ExitInstance once WM_QUIT arrives.
  virtual int Run();
  // Offers a message to the windows it is for (innermost first), then to the thread.
  virtual BOOL PreTranslateMessage(MSG* msg);
  // Work for quiet times; called with 0, 1, 2 ... while it returns TRUE and no message waits.
  virtual BOOL OnIdle(LONG count);
  virtual BOOL PumpMessage();
  virtual BOOL IsIdleMessage(MSG* msg);
  virtual CWnd* GetMainWnd();

 private:
  POINT m_lastMousePoint{-1, -1};
  UINT m_lastMouseMessage = 0;
};

// The thread object of the calling thread (the application's on the main thread).
CWinThread* AfxGetThread();
void AfxSetThread(CWinThread* thread);
