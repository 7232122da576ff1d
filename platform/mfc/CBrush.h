// A brush: the inside of shapes and fills.
#pragma once

#include "mfc/CGdiObject.h"

class CBrush : public CGdiObject {
  DECLARE_DYNAMIC(CBrush)

 public:
  CBrush() = default;
  explicit CBrush(COLORREF color);
  BOOL CreateSolidBrush(COLORREF color);
  BOOL CreateBrushIndirect(const LOGBRUSH* brush);
  BOOL CreateSysColorBrush(int index);
  operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }  // NOLINT
  static CBrush* FromHandle(HBRUSH brush);
};
