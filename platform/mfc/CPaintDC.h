// The context of a WM_PAINT: BeginPaint when made, EndPaint when it goes.
#pragma once

#include "mfc/CDC.h"

class CWnd;

class CPaintDC : public CDC {
  DECLARE_DYNAMIC(CPaintDC)

 public:
  explicit CPaintDC(CWnd* window);
  ~CPaintDC() override;

  PAINTSTRUCT m_ps{};

 protected:
  void ReleaseHandle() override;
  HWND m_hWnd = nullptr;
};
