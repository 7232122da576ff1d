// A push button drawn with pictures: normal, selected (pressed), focus and
// disabled. The button must be owner-drawn (BS_OWNERDRAW); a missing picture
// falls back to the normal one.
#pragma once

#include "mfc/CBitmap.h"
#include "mfc/CButton.h"

class CBitmapButton : public CButton {
  DECLARE_DYNAMIC(CBitmapButton)

 public:
  CBitmapButton() = default;

  BOOL LoadBitmaps(LPCSTR normal, LPCSTR selected = nullptr, LPCSTR focus = nullptr, LPCSTR disabled = nullptr);
  BOOL LoadBitmaps(UINT normal, UINT selected = 0, UINT focus = 0, UINT disabled = 0);
  // Makes the button as large as its normal picture.
  void SizeToContent();
  void DrawItem(LPDRAWITEMSTRUCT item) override;

  CBitmap m_bitmap;
  CBitmap m_bitmapSel;
  CBitmap m_bitmapFocus;
  CBitmap m_bitmapDisabled;
};
