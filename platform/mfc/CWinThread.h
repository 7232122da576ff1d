// A user-interface thread of the class library: its message loop with
// PreTranslateMessage, idle processing and its main window. The program's
// object (CWinApp) is the main thread's; CreateThread starts another one,
// whose windows and queue are its own.
#pragma once

#include "mfc/CCmdTarget.h"
#include "win32/Threads.h"
#include "win32/UserMessages.h"

class CWnd;

// The function of a worker thread started by AfxBeginThread.
typedef UINT (*AFX_THREADPROC)(LPVOID parameter);

class CWinThread : public CCmdTarget {
  DECLARE_DYNAMIC(CWinThread)

 public:
  CWinThread();
  // A worker thread that runs proc(parameter) and has no message loop.
  CWinThread(AFX_THREADPROC proc, LPVOID parameter);
  ~CWinThread() override;

  CWnd* m_pMainWnd = nullptr;  // the end of this window ends the loop
  MSG m_msgCur{};
  DWORD m_nThreadID = 0;
  HANDLE m_hThread = nullptr;
  BOOL m_bAutoDelete = TRUE;  // the object deletes itself when its thread ends

  // Starts the thread: InitInstance, then (when that succeeds) the loop,
  // then ExitInstance; the thread's exit code is what ExitInstance returns.
  BOOL CreateThread(DWORD flags = 0, UINT stackSize = 0, LPSECURITY_ATTRIBUTES security = nullptr);
  DWORD ResumeThread();
  BOOL SetThreadPriority(int priority);
  BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam);

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
  // Called when the thread has ended, on its own thread; deletes the object when it deletes itself.
  virtual void Delete();
  // Lets go of the calling thread's temporary wrappers (windows, device
  // contexts, drawing objects, menus).
  static void DeleteTempMaps();

 private:
  static DWORD ThreadEntry(LPVOID self);
  AFX_THREADPROC m_pfnThreadProc = nullptr;
  LPVOID m_pThreadParams = nullptr;
  POINT m_lastMousePoint{-1, -1};
  UINT m_lastMouseMessage = 0;
};

// The thread object of the calling thread (the application's on the main thread).
CWinThread* AfxGetThread();
void AfxSetThread(CWinThread* thread);
// Starts a user-interface thread of a class made by its run-time record, or a worker thread.
CWinThread* AfxBeginThread(CRuntimeClass* threadClass, int priority = THREAD_PRIORITY_NORMAL, UINT stackSize = 0,
                           DWORD flags = 0, LPSECURITY_ATTRIBUTES security = nullptr);
CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID parameter, int priority = THREAD_PRIORITY_NORMAL,
                           UINT stackSize = 0, DWORD flags = 0, LPSECURITY_ATTRIBUTES security = nullptr);
