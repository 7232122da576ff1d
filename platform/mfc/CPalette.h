// A logical palette.
#pragma once

#include "mfc/CGdiObject.h"

class CPalette : public CGdiObject {
  DECLARE_DYNAMIC(CPalette)

 public:
  BOOL CreatePalette(LPLOGPALETTE palette);
  int GetEntryCount() const;
  UINT GetPaletteEntries(UINT start, UINT count, LPPALETTEENTRY entries) const;
  UINT SetPaletteEntries(UINT start, UINT count, LPPALETTEENTRY entries);
  UINT GetNearestPaletteIndex(COLORREF color) const;
  operator HPALETTE() const { return static_cast<HPALETTE>(m_hObject); }  // NOLINT
  static CPalette* FromHandle(HPALETTE palette);
};
