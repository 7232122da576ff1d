// The common base of the viewer's frame windows: what the main frame and the
// pop-up frame handle alike.
#pragma once

#include "mfc/CFrameWnd.h"

class CMultiFrame : public CFrameWnd {
  DECLARE_DYNCREATE(CMultiFrame)

 public:
  CMultiFrame() = default;

  // The keys that both frames handle before their own accelerators; the
  // frames override it and call it first.
  virtual void HandleKeyDown(UINT key, UINT repeat, UINT flags);

  // The window size that the key on show asks for: width and height, each
  // in pixels or, with its percent flag, a percentage of the screen's; -1
  // where the key names none.
  int m_key_window_size[2] = {-1, -1};
  BOOL m_key_window_percent[2] = {FALSE, FALSE};

 protected:
  // "VANRO4_KEY_COMMAND": wParam the from-link flag, lParam the key's own copy
  // (see KeyCommand.h). The first one of the run completes the start.
  afx_msg LRESULT OnKeyCommand(WPARAM wParam, LPARAM lParam);
  afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);

  DECLARE_MESSAGE_MAP()
};
