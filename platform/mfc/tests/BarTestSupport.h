// What the control-bar tests and pictures share: the bars of a test frame
// and message delivery as the class library's loop does it.
#pragma once

#include "bars/resource.h"
#include "mfc/CFrameWnd.h"
#include "mfc/CStatusBar.h"
#include "mfc/CToolBar.h"

namespace bar_tests {

inline const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_TEST};

// A status bar with the message pane and one indicator, and a toolbar with
// tips and prompts from the frame's resources.
inline bool MakeBars(CFrameWnd* frame, CStatusBar& status, CToolBar& toolBar) {
  return status.Create(frame) && status.SetIndicators(kIndicators, 2) &&
         toolBar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY) &&
         toolBar.LoadToolBar(IDR_BARFRAME);
}

// Delivers the queue; each window from the target up may look at a message
// first, as the thread's loop lets it (tips, prompts).
inline void Pump() {
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    bool taken = false;
    for (HWND window = msg.hwnd; window && !taken; window = ::GetParent(window)) {
      if (CWnd* object = CWnd::FromHandlePermanent(window)) taken = object->PreTranslateMessage(&msg);
      if (!(GetWindowLong(window, GWL_STYLE) & WS_CHILD)) break;
    }
    if (taken) continue;
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
}

}  // namespace bar_tests
