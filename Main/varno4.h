// The viewer's application object: what the engine relies on of it. The
// start-up, the settings and the frame windows build on these members.
#pragma once

#include "win32/Types.h"

class CViewerApp {
 public:
  CViewerApp();
  virtual ~CViewerApp() = default;

  // The window that key commands go to; null while there is none.
  HWND GetMainWindow() const { return m_hMainWnd; }
  // "EXIT_VARNO_4_MESSAGE" in the main thread: closes the main window, or ends
  // the process at once when there is none.
  LRESULT OnExitMessage(WPARAM wParam, LPARAM lParam);
  // Dispatches every message that waits, as the viewer's long waits do; the
  // thread's exit message goes to OnExitMessage.
  void PumpWaitingMessages();

  // Shows a key ("key" or "project~key"): switches the project when asked,
  // keeps the key history and the variables, and falls back to the last good
  // key when the new one cannot be shown. fromLink 1 asks for the key being
  // left to go into the history.
  BOOL ShowKey(const char* key, WPARAM fromLink);

  // Steps that the key reader, the screen layout and the configuration
  // loading supply; until they do, the defaults in varno4_keys stand in.
  // The rest of the start, run by the first key command.
  virtual void CompleteStart();
  // Reads m_cur_read_key into m_act_key_buf; reports its own error.
  virtual BOOL ReadKey();
  // Puts the face of the key just read on the screen; leaves its error on the trace.
  virtual BOOL ShowFace();
  // Loads the project file m_cur_prj_file that a key of another project names.
  virtual BOOL LoadKeyProject();

  HWND m_hMainWnd = nullptr;
  DWORD m_nThreadID = 0;  // the main thread, which receives the exit message
};
