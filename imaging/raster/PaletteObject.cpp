#include "imaging/raster/PaletteObject.h"

#include <algorithm>

#include "mfc/CPalette.h"

CPalette* MakePaletteObject(const std::vector<PALETTEENTRY>& entries) {
  if (entries.empty()) return nullptr;
  std::vector<BYTE> block(sizeof(LOGPALETTE) + entries.size() * sizeof(PALETTEENTRY));
  auto* logical = reinterpret_cast<LOGPALETTE*>(block.data());
  logical->palVersion = 0x300;
  logical->palNumEntries = static_cast<WORD>(entries.size());
  std::copy(entries.begin(), entries.end(), logical->palPalEntry);
  auto* palette = new CPalette;
  palette->CreatePalette(logical);
  return palette;
}
