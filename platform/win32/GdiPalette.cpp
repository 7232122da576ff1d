#include <algorithm>
#include <cstring>

#include "win32/Errors.h"
#include "win32/GdiObjects.h"
#include "win32/UserWindows.h"

namespace {

// The platform allows palettes of up to this many entries.
constexpr WORD kMaxEntries = 1024;

}  // namespace

HPALETTE CreatePalette(const LOGPALETTE* palette) {
  if (!palette || palette->palVersion != 0x300 || palette->palNumEntries == 0 || palette->palNumEntries > kMaxEntries) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto created = std::make_shared<layer::Palette>();
  created->entries.assign(palette->palPalEntry, palette->palPalEntry + palette->palNumEntries);
  return reinterpret_cast<HPALETTE>(layer::AddObject(created));
}

HPALETTE SelectPalette(HDC dc, HPALETTE handle, BOOL) {
  auto context = layer::ContextOf(dc);
  auto palette = layer::ObjectAs<layer::Palette>(handle);
  if (!context || !palette) return nullptr;
  HPALETTE old = reinterpret_cast<HPALETTE>(GetCurrentObject(dc, OBJ_PAL));
  context->state.palette = palette;
  return old;
}

UINT RealizePalette(HDC dc) {
  auto context = layer::ContextOf(dc);
  if (!context) return GDI_ERROR;
  // A true-colour screen shows every entry as it is: nothing had to be mapped.
  return 0;
}

UINT GetPaletteEntries(HPALETTE handle, UINT start, UINT count, LPPALETTEENTRY entries) {
  auto palette = layer::ObjectAs<layer::Palette>(handle);
  if (!palette) return 0;
  UINT size = static_cast<UINT>(palette->entries.size());
  if (!entries) return size;
  if (start >= size) return 0;
  UINT copied = std::min(count, size - start);
  std::copy_n(palette->entries.begin() + start, copied, entries);
  return copied;
}

UINT SetPaletteEntries(HPALETTE handle, UINT start, UINT count, const PALETTEENTRY* entries) {
  auto palette = layer::ObjectAs<layer::Palette>(handle);
  if (!palette || !entries || palette->stock) return 0;
  UINT size = static_cast<UINT>(palette->entries.size());
  if (start >= size) return 0;
  UINT copied = std::min(count, size - start);
  std::copy_n(entries, copied, palette->entries.begin() + start);
  return copied;
}

UINT GetSystemPaletteEntries(HDC dc, UINT start, UINT count, LPPALETTEENTRY entries) {
  if (!layer::ContextOf(dc)) return 0;
  if (!entries) return 256;
  // The 20 static colours sit at both ends of the 256 entries; the middle is free.
  PALETTEENTRY statics[20];
  GetPaletteEntries(reinterpret_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), 0, 20, statics);
  UINT copied = 0;
  for (UINT i = start; i < 256 && copied < count; ++i, ++copied) {
    if (i < 10) entries[copied] = statics[i];
    else if (i >= 246) entries[copied] = statics[i - 236];
    else entries[copied] = PALETTEENTRY{0, 0, 0, 0};
  }
  return copied;
}

UINT GetNearestPaletteIndex(HPALETTE handle, COLORREF color) {
  auto palette = layer::ObjectAs<layer::Palette>(handle);
  if (!palette || palette->entries.empty()) return CLR_INVALID;
  int r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
  UINT best = 0;
  int bestDistance = INT32_MAX;
  for (UINT i = 0; i < palette->entries.size(); ++i) {
    const PALETTEENTRY& e = palette->entries[i];
    int distance = (e.peRed - r) * (e.peRed - r) + (e.peGreen - g) * (e.peGreen - g) + (e.peBlue - b) * (e.peBlue - b);
    if (distance < bestDistance) {
      bestDistance = distance;
      best = i;
    }
  }
  return best;
}

COLORREF GetNearestColor(HDC dc, COLORREF color) {
  // Every colour exists on a true-colour screen.
  return layer::ContextOf(dc) ? (color & 0xFFFFFF) : CLR_INVALID;
}

UINT GetSystemPaletteUse(HDC dc) { return layer::ContextOf(dc) ? SYSPAL_STATIC : 0; }

BOOL UpdateColors(HDC dc) { return layer::ContextOf(dc) ? TRUE : FALSE; }
