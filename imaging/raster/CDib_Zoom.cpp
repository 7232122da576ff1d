// Zoomed copies of a CDib.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "foundation/CDynBuf.h"
#include "imaging/raster/CDib.h"
#include "imaging/raster/PixelIndex.h"
#include "interfaces/QridTpL.h"

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;
// The depth of the screen's bitmaps, which copies of other depths take.
constexpr int kScreenBits = 32;

// Source position of every target position, the ratio accumulated in double precision.
std::vector<int> NearestMap(int target, int source) {
  std::vector<int> map(static_cast<size_t>(target));
  const double ratio = static_cast<double>(source) / target;
  double at = 0.0;
  for (int i = 0; i < target; ++i, at += ratio) map[i] = std::min(static_cast<int>(at), source - 1);
  return map;
}

// First target position of every source position, in thousandths, and the end
// of the last; every source position covers at least one target position, so
// that no set pixel is lost where the copy is smaller in one direction.
std::vector<int> SpreadMap(int target, int source) {
  const std::int64_t step = 1000LL * target / source;
  std::vector<int> starts(static_cast<size_t>(source) + 1);
  for (int k = 0; k < source; ++k) starts[k] = static_cast<int>(std::min<std::int64_t>(k * step / 1000, target - 1));
  starts[source] = target;
  return starts;
}

int SpanEnd(const std::vector<int>& starts, int k) { return std::max(starts[k + 1], starts[k] + 1); }

void SetBits(BYTE* line, int from, int to) {
  for (int x = from; x < to; ++x) line[x >> 3] |= static_cast<BYTE>(0x80 >> (x & 7));
}

RGBQUAD Between(const RGBQUAD& from, const RGBQUAD& to, int share) {
  auto channel = [share](BYTE a, BYTE b) { return static_cast<BYTE>(a + (b - a) * share / 255); };
  return RGBQUAD{channel(from.rgbBlue, to.rgbBlue), channel(from.rgbGreen, to.rgbGreen),
                 channel(from.rgbRed, to.rgbRed), 0};
}

bool IsColour(const RGBQUAD& c, BYTE level) { return c.rgbRed == level && c.rgbGreen == level && c.rgbBlue == level; }

}  // namespace

BOOL CDib::ZoomCopy(CDib* source, int width, int height, const CDynBuf* sideData, int sideDataValid) {
  if (!source || !source->m_pBMI || width <= 0 || height <= 0 || source->m_width <= 0 || source->m_height <= 0) {
    return FALSE;
  }
  const COLORREF previousColour = source->m_bkColor;
  const int previousExtra = source->m_bkExtra;
  source->SetBkColor(kWhite, 0);
  BOOL made = TRUE;
  if (source->m_bitCount == 8) {
    Create(width, height, 8, 0, source->GetColorCount());
    ZoomEightBit(*source);
  } else if (source->m_bitCount == 1 && (width > source->m_width || height > source->m_height)) {
    Create(width, height, 1, 0, source->GetColorCount());
    ZoomBilevelUp(*source);
  } else if (source->m_bitCount == 1 && width >= 2 && height >= 2) {
    Create(width, height, 4, 0, 5);
    ZoomBilevelDown(*source, sideData, sideDataValid);
  } else if (source->m_bitCount == 1) {
    made = FALSE;
  } else {
    Create(width, height, kScreenBits, 0, 0);
    ZoomOther(*source);
  }
  source->SetBkColor(previousColour, previousExtra);
  return made;
}

void CDib::ZoomEightBit(const CDib& source) {
  SetPalette(source.m_pColors);
  const std::vector<int> columns = NearestMap(m_width, source.m_width);
  const std::vector<int> lines = NearestMap(m_height, source.m_height);
  for (int y = 0; y < m_height; ++y) {
    BYTE* to = m_lines[y];
    if (y > 0 && lines[y] == lines[y - 1]) {
      std::memcpy(to, m_lines[y - 1], static_cast<size_t>(m_width));
      continue;
    }
    const BYTE* from = source.m_lines[lines[y]];
    for (int x = 0; x < m_width; ++x) to[x] = from[columns[x]];
  }
}

void CDib::ZoomBilevelUp(const CDib& source) {
  SetPalette(source.m_pColors);
  const std::vector<int> columns = SpreadMap(m_width, source.m_width);
  const std::vector<int> lines = SpreadMap(m_height, source.m_height);
  std::vector<BYTE> spread(static_cast<size_t>(GetBytesPerLine()));
  for (int k = 0; k < source.m_height; ++k) {
    std::fill(spread.begin(), spread.end(), 0);
    const BYTE* from = source.m_lines[k];
    bool any = false;
    for (int x = 0; x < source.m_width; ++x) {
      if (!(from[x >> 3] & (0x80 >> (x & 7)))) continue;
      SetBits(spread.data(), columns[x], SpanEnd(columns, x));
      any = true;
    }
    if (!any) continue;
    for (int y = lines[k]; y < SpanEnd(lines, k); ++y) {
      BYTE* to = m_lines[y];
      for (size_t i = 0; i < spread.size(); ++i) to[i] |= spread[i];
    }
  }
}

// Kind 1: white ink on black paper is shown as black on white greys; kind 2 the
// other way round; kind 3 blends the picture's own two colours.
void CDib::SetReducedColours(const CDib& source) {
  const RGBQUAD paper = source.m_pColors[0];
  const RGBQUAD ink = source.m_pColors[1];
  if (IsColour(paper, 255) && IsColour(ink, 0)) {
    m_reducedKind = 1;
  } else if (IsColour(paper, 0) && IsColour(ink, 255)) {
    m_reducedKind = 2;
  } else {
    m_reducedKind = 3;
  }
  if (m_reducedKind == 3) {
    for (int i = 0; i <= 3; ++i) m_pColors[i] = Between(paper, ink, 64 * i);
    m_pColors[4] = ink;
    return;
  }
  static const BYTE kLevels[5] = {0xFF, 0x99, 0x66, 0x33, 0x00};
  for (int i = 0; i <= 4; ++i) m_pColors[i] = RGBQUAD{kLevels[i], kLevels[i], kLevels[i], 0};
}

void CDib::ZoomBilevelDown(const CDib& source, const CDynBuf* sideData, int sideDataValid) {
  SetReducedColours(source);
  // The scaler's index 4 stands for the cells all of the ink's bits; kinds 1
  // and 3 count set bits, kind 2 draws its black with the clear ones.
  const int mode = m_reducedKind == 2 ? 0 : 1;
  const bool fromSideData =
      sideDataValid && sideData &&
      TplReduceMonoFromData(m_pBits, m_width, m_height, source.m_width, source.m_height, sideData->GetData(),
                            sideData->GetLength(), mode);
  if (!fromSideData) TplReduceMono(source.m_pBits, m_pBits, m_width, m_height, source.m_width, source.m_height, mode);
}

RGBQUAD CDib::SourceColour(const CDib& source, int x, int line) const {
  const BYTE* from = source.m_lines[line];
  switch (source.m_bitCount) {
    case 16: {
      const int value = from[2 * x] | (from[2 * x + 1] << 8);
      auto expand = [](int five) { return static_cast<BYTE>((five << 3) | (five >> 2)); };
      return RGBQUAD{expand(value & 31), expand((value >> 5) & 31), expand((value >> 10) & 31), 0};
    }
    case 24:
      return RGBQUAD{from[3 * x], from[3 * x + 1], from[3 * x + 2], 0};
    case 32:
      return RGBQUAD{from[4 * x], from[4 * x + 1], from[4 * x + 2], 0};
    default: {
      const int index = IndexAt(from, x, source.m_bitCount);
      return index < source.GetColorCount() ? source.m_pColors[index] : RGBQUAD{0, 0, 0, 0};
    }
  }
}

// Drawn as the screen stretches colour pictures: dropped lines and columns
// vanish, kept ones repeat.
void CDib::ZoomOther(const CDib& source) {
  const std::vector<int> columns = NearestMap(m_width, source.m_width);
  const std::vector<int> lines = NearestMap(m_height, source.m_height);
  for (int y = 0; y < m_height; ++y) {
    auto* to = reinterpret_cast<RGBQUAD*>(m_lines[y]);
    for (int x = 0; x < m_width; ++x) to[x] = SourceColour(source, columns[x], lines[y]);
  }
}
