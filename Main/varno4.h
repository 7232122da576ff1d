// The viewer's application object: what the engine relies on of it. The
// start-up, the settings and the frame windows build on these members.
#pragma once

#include "win32/Types.h"

class CViewerApp {
 public:
  CViewerApp();

  // The window that key commands go to; null while there is none.
  HWND GetMainWindow() const { return m_hMainWnd; }
  // "EXIT_VARNO_4_MESSAGE" in the main thread: closes the main window, or ends
  // the process at once when there is none.
  LRESULT OnExitMessage(WPARAM wParam, LPARAM lParam);
  // Dispatches every message that waits, as the viewer's long waits do; the
  // thread's exit message goes to OnExitMessage.
  void PumpWaitingMessages();

  HWND m_hMainWnd = nullptr;
  DWORD m_nThreadID = 0;  // the main thread, which receives the exit message
};
