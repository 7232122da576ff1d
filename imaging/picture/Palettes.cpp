#include "imaging/picture/Palettes.h"

#include <algorithm>
#include <cstring>

#include "imaging/picture/PictureTable.h"
#include "win32/Gdi.h"

namespace {

constexpr int kSharedSize = 256;
constexpr int kFirstPictureEntry = 13;
constexpr int kPictureEntries = 230;  // entries 13 to 242

struct CallerPalette {
  COLORREF entries[256] = {};
  int count = 0;
};

CallerPalette& Caller() {
  static CallerPalette palette;
  return palette;
}

struct Rgb {
  BYTE r, g, b;
  bool operator==(const Rgb&) const = default;
};

std::vector<Rgb> KindColours(const QORIMG_PICTURE* picture, int kind) {
  std::vector<Rgb> colours;
  if (kind == kDrfPalette && picture->pBitmapHeader) {
    const RGBQUAD* table = reinterpret_cast<const RGBQUAD*>(picture->pBitmapHeader + 1);
    for (int i = 0; i < picture->wColors; ++i)
      colours.push_back({table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue});
  } else if (kind == kTiffPalette) {
    for (const RGBQUAD& q : TiffRenderColours(picture)) colours.push_back({q.rgbRed, q.rgbGreen, q.rgbBlue});
  }
  return colours;
}

std::vector<Rgb> DistinctColours(const std::vector<Rgb>& colours) {
  std::vector<Rgb> distinct;
  for (const Rgb& colour : colours)
    if (std::find(distinct.begin(), distinct.end(), colour) == distinct.end()) distinct.push_back(colour);
  return distinct;
}

// The 230 picture entries of the shared palette.
std::vector<Rgb> SharedPictureColours(const QORIMG_PICTURE* picture, int kind) {
  std::vector<Rgb> chosen(kPictureEntries, Rgb{0, 0, 0});
  if (kind == kDrfPalette) {
    std::vector<Rgb> distinct = DistinctColours(KindColours(picture, kind));
    const int n = static_cast<int>(distinct.size());
    for (int k = 0; k < kPictureEntries && k < n; ++k)
      chosen[k] =
          n > kPictureEntries ? distinct[static_cast<std::size_t>(k) * (n - 1) / (kPictureEntries - 1)] : distinct[k];
  } else {
    const CallerPalette& caller = Caller();
    for (int k = 0; k < kPictureEntries && k < caller.count; ++k)
      chosen[k] = {GetRValue(caller.entries[k]), GetGValue(caller.entries[k]), GetBValue(caller.entries[k])};
  }
  return chosen;
}

bool Holds(const std::vector<Rgb>& palette, const Rgb& colour) {
  return std::find(palette.begin(), palette.end(), colour) != palette.end();
}

// Replaces picture entries that repeat a fixed entry or an earlier picture
// entry with the next colour of (0,0,0), (0,0,1) ... that the palette lacks.
void MakePictureEntriesDistinct(std::vector<Rgb>& palette) {
  unsigned next = 0;
  auto fixedOrEarlier = [&](int i) {
    for (int j = 0; j < kSharedSize; ++j) {
      bool fixed = j < kFirstPictureEntry || j >= kFirstPictureEntry + kPictureEntries;
      if ((fixed || j < i) && palette[j] == palette[i]) return true;
    }
    return false;
  };
  for (int i = kFirstPictureEntry; i < kFirstPictureEntry + kPictureEntries; ++i) {
    if (!fixedOrEarlier(i)) continue;
    Rgb candidate{};
    do {
      candidate = {static_cast<BYTE>(next >> 16), static_cast<BYTE>(next >> 8), static_cast<BYTE>(next)};
      ++next;
    } while (Holds(palette, candidate));
    palette[i] = candidate;
  }
}

std::vector<PALETTEENTRY> SharedPalette(const QORIMG_PICTURE* picture, int kind) {
  std::vector<Rgb> palette(kSharedSize, Rgb{0, 0, 0});
  // The system's twenty static colours, ten at each end.
  PALETTEENTRY statics[20] = {};
  GetPaletteEntries(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), 0, 20, statics);
  for (int i = 0; i < 10; ++i) {
    palette[i] = {statics[i].peRed, statics[i].peGreen, statics[i].peBlue};
    palette[246 + i] = {statics[10 + i].peRed, statics[10 + i].peGreen, statics[10 + i].peBlue};
  }
  palette[10] = {153, 153, 153};
  palette[11] = {102, 102, 102};
  palette[12] = {51, 51, 51};
  palette[243] = {247, 247, 247};
  palette[244] = {245, 245, 245};
  palette[245] = {205, 205, 205};
  std::vector<Rgb> pictureColours = SharedPictureColours(picture, kind);
  std::copy(pictureColours.begin(), pictureColours.end(), palette.begin() + kFirstPictureEntry);
  MakePictureEntriesDistinct(palette);

  std::vector<PALETTEENTRY> entries;
  for (int i = 0; i < kSharedSize; ++i) {
    bool repeated =
        i >= 10 && i <= 245 && std::find(palette.begin(), palette.begin() + i, palette[i]) != palette.begin() + i;
    entries.push_back({palette[i].r, palette[i].g, palette[i].b, static_cast<BYTE>(repeated ? PC_RESERVED : 0)});
  }
  if (kind == kDrfPalette) {
    CallerPalette& caller = Caller();
    for (int k = 0; k < kPictureEntries; ++k) {
      const Rgb& c = palette[kFirstPictureEntry + k];
      caller.entries[k] = RGB(c.r, c.g, c.b);
    }
    caller.count = kPictureEntries;
  }
  return entries;
}

}  // namespace

std::vector<RGBQUAD> TiffRenderColours(const QORIMG_PICTURE* picture) {
  return {{static_cast<BYTE>(picture->wBlue), static_cast<BYTE>(picture->wGreen), static_cast<BYTE>(picture->wRed), 0},
          {153, 153, 153, 0},
          {102, 102, 102, 0},
          {51, 51, 51, 0},
          {0, 0, 0, 0}};
}

void FreePalette(QORIMG_PICTURE* picture) {
  if (picture->hPalette) DeleteObject(picture->hPalette);
  if (picture->hPalette2) DeleteObject(picture->hPalette2);
  picture->hPalette = nullptr;
  picture->hPalette2 = nullptr;
}

BOOL BuildPalette(int* fillIndex, QORIMG_PICTURE* picture, int kind) {
  if (kind != kDrfPalette && kind != kTiffPalette) return FALSE;
  std::vector<PALETTEENTRY> entries;
  if (picture->bUseCallerPalette) {
    entries = SharedPalette(picture, kind);
  } else {
    for (const Rgb& c : KindColours(picture, kind)) entries.push_back({c.r, c.g, c.b, 0});
  }
  FreePalette(picture);
  std::vector<BYTE> memory(sizeof(LOGPALETTE) + entries.size() * sizeof(PALETTEENTRY));
  auto* palette = reinterpret_cast<LOGPALETTE*>(memory.data());
  palette->palVersion = 0x300;
  palette->palNumEntries = static_cast<WORD>(entries.size());
  std::memcpy(palette->palPalEntry, entries.data(), entries.size() * sizeof(PALETTEENTRY));
  picture->hPalette = CreatePalette(palette);
  if (!picture->hPalette) return FALSE;
  if (fillIndex) *fillIndex = static_cast<int>(GetNearestPaletteIndex(picture->hPalette, RGB(255, 255, 255)));
  return TRUE;
}

std::vector<PALETTEENTRY> PaletteEntries(const QORIMG_PICTURE* picture) {
  std::vector<PALETTEENTRY> entries;
  if (!picture->hPalette) return entries;
  entries.resize(GetPaletteEntries(picture->hPalette, 0, 0, nullptr));
  GetPaletteEntries(picture->hPalette, 0, static_cast<UINT>(entries.size()), entries.data());
  return entries;
}

LONG QORIMG_SetPaletteEntries(QORIMG_PICTURE* picture, const COLORREF* entries, LONG count) {
  picture = KnownPicture(picture);
  if (count == 0) {
    if (picture) picture->bUseCallerPalette = 1;
    return 0;
  }
  if (count < 0) {
    if (picture) picture->bUseCallerPalette = 0;
    return -1;
  }
  if (!entries) return 0;
  CallerPalette& caller = Caller();
  caller.count = std::min<LONG>(count, 256);
  std::copy(entries, entries + caller.count, caller.entries);
  return caller.count;
}

LONG QORIMG_GetPaletteEntries(QORIMG_PICTURE* picture, COLORREF* entries) {
  const CallerPalette& caller = Caller();
  if (entries) std::copy(caller.entries, caller.entries + caller.count, entries);
  return caller.count;
}
