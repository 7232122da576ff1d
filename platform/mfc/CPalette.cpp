#include "mfc/CPalette.h"

IMPLEMENT_DYNAMIC(CPalette, CGdiObject)

BOOL CPalette::CreatePalette(LPLOGPALETTE palette) { return Attach(::CreatePalette(palette)); }

int CPalette::GetEntryCount() const { return static_cast<int>(::GetPaletteEntries(*this, 0, 0, nullptr)); }

UINT CPalette::GetPaletteEntries(UINT start, UINT count, LPPALETTEENTRY entries) const {
  return ::GetPaletteEntries(*this, start, count, entries);
}

UINT CPalette::SetPaletteEntries(UINT start, UINT count, LPPALETTEENTRY entries) {
  return ::SetPaletteEntries(*this, start, count, entries);
}

UINT CPalette::GetNearestPaletteIndex(COLORREF color) const { return ::GetNearestPaletteIndex(*this, color); }

CPalette* CPalette::FromHandle(HPALETTE palette) { return static_cast<CPalette*>(CGdiObject::FromHandle(palette)); }
