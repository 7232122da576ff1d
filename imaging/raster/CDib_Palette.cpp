// The display palette of a CDib and the background colour that stands in for white.
#include <algorithm>
#include <array>

#include "imaging/raster/CDib.h"
#include "imaging/raster/CMedianCut.h"
#include "imaging/raster/SystemColours.h"
#include "imaging/raster/PaletteObject.h"
#include "mfc/CPalette.h"

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr int kPaletteSize = 256;

PALETTEENTRY Entry(BYTE red, BYTE green, BYTE blue, BYTE flags) { return PALETTEENTRY{red, green, blue, flags}; }
PALETTEENTRY Grey(BYTE level, BYTE flags) { return Entry(level, level, level, flags); }
PALETTEENTRY FromQuad(const RGBQUAD& quad, BYTE flags) { return Entry(quad.rgbRed, quad.rgbGreen, quad.rgbBlue, flags); }
bool SameColour(const PALETTEENTRY& a, const PALETTEENTRY& b) {
  return a.peRed == b.peRed && a.peGreen == b.peGreen && a.peBlue == b.peBlue;
}

// The spread of colours between the reserved entries of a 256-entry palette.
void PutColourCube(std::vector<PALETTEENTRY>& palette) {
  for (int i = 13; i <= 242; ++i) {
    palette[i] = Entry(static_cast<BYTE>(32 * ((i / 8) % 8)), static_cast<BYTE>(64 * (i / 64)),
                       static_cast<BYTE>(32 * (i % 8)), PC_NOCOLLAPSE);
  }
}

// The greys that reduced copies of bilevel pictures show in entries 10-12 and 243-245.
void PutReservedGreys(PALETTEENTRY* palette) {
  static const BYTE kDarkGreys[3] = {0x99, 0x66, 0x33};
  static const BYTE kLightGreys[3] = {0xF7, 0xF5, 0xCD};
  for (int i = 0; i < 3; ++i) {
    palette[10 + i] = Grey(kDarkGreys[i], PC_NOCOLLAPSE);
    palette[243 + i] = Grey(kLightGreys[i], PC_NOCOLLAPSE);
  }
}

// The palette build area of palette mixing, shared by all pictures of the library.
std::array<PALETTEENTRY, kPaletteSize> g_mixArea;

}  // namespace

void CDib::MakeReducedPalette() {
  m_paletteEntries.assign(kPaletteSize, PALETTEENTRY{});
  PutSystemColours(m_paletteEntries.data(), PC_NOCOLLAPSE);
  PutColourCube(m_paletteEntries);
  if (m_reducedKind != 3) {
    PutReservedGreys(m_paletteEntries.data());
    return;
  }
  for (int i = 0; i < 3; ++i) {
    m_paletteEntries[10 + i] = FromQuad(m_pColors[3 - i], PC_NOCOLLAPSE);
    m_paletteEntries[243 + i] = FromQuad(m_pColors[1 + i], PC_NOCOLLAPSE);
  }
}

void CDib::MakeColourPalette() {
  if (m_bitCount <= 8) {
    const int count = GetColorCount();
    m_paletteEntries.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) m_paletteEntries[i] = FromQuad(m_pColors[i], 0);
    return;
  }
  if (!m_quantised) {
    m_quantised.reset(new RGBQUAD[kPaletteSize]);
    if (!CMedianCut::Quantise(m_pBMI->bmiHeader, m_pBits, m_quantised.get())) {
      for (int i = 0; i < kPaletteSize; ++i) {
        m_quantised[i] = RGBQUAD{static_cast<BYTE>(32 * (i % 8)), static_cast<BYTE>(32 * ((i / 8) % 8)),
                                 static_cast<BYTE>(64 * (i / 64)), 0};
      }
    }
  }
  m_paletteEntries.resize(kPaletteSize);
  for (int i = 0; i < kPaletteSize; ++i) m_paletteEntries[i] = FromQuad(m_quantised[i], 0);
}

void CDib::FindWhiteEntries() {
  m_whiteEntry = m_whitePaletteEntry = -1;
  for (int i = 0; i < GetColorCount(); ++i) {
    const RGBQUAD& c = m_pColors[i];
    if (c.rgbRed == 255 && c.rgbGreen == 255 && c.rgbBlue == 255) {
      m_whiteEntry = i;
      break;
    }
  }
  const PALETTEENTRY white = Grey(255, 0);
  for (size_t i = 0; i < m_paletteEntries.size(); ++i) {
    if (SameColour(m_paletteEntries[i], white)) {
      m_whitePaletteEntry = static_cast<int>(i);
      break;
    }
  }
}

void CDib::MakePalette() {
  if (!m_pBMI) return;
  if (m_reducedKind >= 1 && m_reducedKind <= 3) {
    MakeReducedPalette();
  } else {
    MakeColourPalette();
  }
  FindWhiteEntries();
  ApplyBackground();
}

void CDib::UpdatePaletteObject() {
  delete m_pPalette;
  m_pPalette = MakePaletteObject(m_paletteEntries);
}

void CDib::ApplyBackground() {
  if (m_paletteEntries.empty()) return;
  const BYTE red = GetRValue(m_bkColor), green = GetGValue(m_bkColor), blue = GetBValue(m_bkColor);
  if (m_whiteEntry >= 0) m_pColors[m_whiteEntry] = RGBQUAD{blue, green, red, m_pColors[m_whiteEntry].rgbReserved};
  if (m_whitePaletteEntry >= 0) {
    PALETTEENTRY& entry = m_paletteEntries[m_whitePaletteEntry];
    entry = Entry(red, green, blue, entry.peFlags);
  }
  UpdatePaletteObject();
}

COLORREF CDib::SetBkColor(COLORREF colour, int extra) {
  const COLORREF previous = m_bkColor;
  m_bkColor = colour;
  m_bkExtra = colour == kWhite ? 0 : extra;
  ApplyBackground();
  return previous;
}

void CDib::MixPalette(int pictureBits, const CDib* partner) {
  const CDib* source = pictureBits == 1 && partner ? partner : this;
  auto& mixed = g_mixArea;
  mixed.fill(PALETTEENTRY{});
  PutSystemColours(mixed.data(), PC_NOCOLLAPSE);
  PutReservedGreys(mixed.data());
  const RGBQUAD* colours = source->m_bitCount <= 8 ? source->m_pColors : source->m_quantised.get();
  const int count = source->m_bitCount <= 8 ? source->GetColorCount() : (colours ? kPaletteSize : 0);
  int next = 13;
  for (int i = 0; i < count && next <= 242; ++i) {
    const PALETTEENTRY candidate = FromQuad(colours[i], PC_NOCOLLAPSE);
    auto placed = [&](int entry) { return SameColour(mixed[entry], candidate); };
    bool taken = false;
    for (int entry = 0; entry < next && !taken; ++entry) taken = placed(entry);
    for (int entry = 243; entry < kPaletteSize && !taken; ++entry) taken = placed(entry);
    if (!taken) mixed[next++] = candidate;
  }
  for (; next <= 242; ++next) mixed[next] = Entry(0, 0, static_cast<BYTE>(next), PC_NOCOLLAPSE);
  m_paletteEntries.assign(mixed.begin(), mixed.end());
  UpdatePaletteObject();
}
