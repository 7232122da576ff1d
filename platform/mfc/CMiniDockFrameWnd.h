// The small frame a floating control bar sits in: a tool window with a
// caption, owned by the bar's frame, holding one floating dock bar.
// Closing it hides the bar.
#pragma once

#include "mfc/CDockBar.h"
#include "mfc/CFrameWnd.h"

class CMiniDockFrameWnd : public CFrameWnd {
  DECLARE_DYNAMIC(CMiniDockFrameWnd)

 public:
  CMiniDockFrameWnd() = default;

  BOOL Create(CFrameWnd* owner, CPoint topLeft);
  CDockBar* GetDockBar() { return &m_dockBar; }
  // Makes the frame as large as its bar needs.
  void SizeToBar();
  void RecalcLayout(BOOL notify = TRUE) override;

 protected:
  afx_msg void OnClose();
  DECLARE_MESSAGE_MAP()

 private:
  CDockBar m_dockBar{TRUE};
};
