// The context of a window's client area (or of the screen, for no window),
// taken when made and given back when it goes.
#pragma once

#include "mfc/CDC.h"

class CWnd;

class CClientDC : public CDC {
  DECLARE_DYNAMIC(CClientDC)

 public:
  explicit CClientDC(CWnd* window);
  ~CClientDC() override;

 protected:
  void ReleaseHandle() override;
  HWND m_hWnd = nullptr;
};
