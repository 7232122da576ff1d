// The thread the parts-info window runs in. The window is modal and keeps a
// message loop of its own; run in this thread it leaves the order list
// usable. One runs at a time: the application object points at it while it
// runs (its busy marker), and the thread clears the marker when it ends.
#pragma once

#include "mfc/CWinThread.h"
#include "orderlist/CProtocolApp.h"

class CLaunchTIFControl : public CWinThread {
  DECLARE_DYNCREATE(CLaunchTIFControl)

 public:
  CLaunchTIFControl();

  // What the thread hands to the parts-info library once it runs.
  void SetMessage(CProtocolApp* owner, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  BOOL InitInstance() override;
  // Hands the message to the library, which shows the window until the user
  // closes it; -1 without an owner.
  int Run() override;
  int ExitInstance() override;

 private:
  CProtocolApp* m_owner = nullptr;
  WPARAM m_wParam = 0;
  LPARAM m_lParam = 0;
  UINT m_message = 0;
  HWND m_window = nullptr;
};
