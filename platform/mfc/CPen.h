// A pen: the outline of lines and shapes.
#pragma once

#include "mfc/CGdiObject.h"

class CPen : public CGdiObject {
  DECLARE_DYNAMIC(CPen)

 public:
  CPen() = default;
  CPen(int style, int width, COLORREF color);
  BOOL CreatePen(int style, int width, COLORREF color);
  BOOL CreatePenIndirect(LPLOGPEN pen);
  operator HPEN() const { return static_cast<HPEN>(m_hObject); }  // NOLINT
  static CPen* FromHandle(HPEN pen);
};
