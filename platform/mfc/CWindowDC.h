// The context of a whole window, non-client parts included.
#pragma once

#include "mfc/CDC.h"

class CWnd;

class CWindowDC : public CDC {
  DECLARE_DYNAMIC(CWindowDC)

 public:
  explicit CWindowDC(CWnd* window);
  ~CWindowDC() override;

 protected:
  void ReleaseHandle() override;
  HWND m_hWnd = nullptr;
};
