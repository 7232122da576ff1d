// A top-level frame window of the class library. Frames are made with new and
// delete themselves when their window is gone.
#pragma once

#include "mfc/CWnd.h"

class CFrameWnd : public CWnd {
  DECLARE_DYNCREATE(CFrameWnd)

 public:
  CFrameWnd() = default;

  // The platform's default place and size.
  static const RECT rectDefault;

  virtual BOOL Create(LPCSTR className, LPCSTR title, DWORD style = WS_OVERLAPPEDWINDOW,
                      const RECT& rect = rectDefault, CWnd* parent = nullptr, LPCSTR menuName = nullptr,
                      DWORD exStyle = 0);

 protected:
  void PostNcDestroy() override;
};
