#include "VodRowScaler.h"

#include <algorithm>
#include <cstring>

#include "CImageDib.h"
#include "VodContext.h"
#include "VodPump.h"
#include "win32/Clock.h"

namespace vod {
namespace {

// Whether the picture keeps its dark pixels in clear bits: its first colour
// is black and it names no colour count.
bool DarkIsClear(const BITMAPINFO& info) {
  const RGBQUAD& first = info.bmiColors[0];
  return info.bmiHeader.biClrUsed == 0 && first.rgbRed == 0 && first.rgbGreen == 0 && first.rgbBlue == 0;
}

}  // namespace

void VodRowScaler::SetColumns(int64_t from, int64_t to) {
  from = std::max<int64_t>(from, 0);
  to = std::min<int64_t>(to, m_destinationWidth);
  for (int64_t x = from; x < to;) {
    if (x % 8 == 0 && to - x >= 8) {
      // Whole bytes at once.
      int64_t bytes = (to - x) / 8;
      std::memset(m_row.data() + x / 8, 0xFF, static_cast<size_t>(bytes));
      x += bytes * 8;
    } else {
      m_row[static_cast<size_t>(x / 8)] |= static_cast<BYTE>(0x80 >> (x % 8));
      ++x;
    }
  }
}

void VodRowScaler::Spread(const BYTE* source, bool invert) {
  BYTE flip = invert ? 0xFF : 0x00;
  auto byteAt = [&](int64_t x) { return static_cast<BYTE>(source[x / 8] ^ flip); };
  auto isSet = [&](int64_t x) { return (byteAt(x) & (0x80 >> (x % 8))) != 0; };
  auto column = [this](int64_t x) { return x * m_factorX / 1000; };
  for (int64_t x = 0; x < m_width;) {
    if (x % 64 == 0 && x + 64 <= m_width) {
      // Eight bytes without a set pixel at once: most of a drawing is paper.
      uint64_t word;
      std::memcpy(&word, source + x / 8, sizeof word);
      if ((word ^ (invert ? ~uint64_t{0} : 0)) == 0) {
        x += 64;
        continue;
      }
    }
    if (x % 8 == 0 && byteAt(x) == 0) {
      x += 8;
      continue;
    }
    if (!isSet(x)) {
      ++x;
      continue;
    }
    // A run of set pixels takes the destination columns from where its
    // first pixel lands to where the pixel behind its last one lands, and
    // at least one.
    int64_t end = x + 1;
    while (end < m_width) {
      if (end % 8 == 0 && end + 8 <= m_width && byteAt(end) == 0xFF)
        end += 8;
      else if (isSet(end))
        ++end;
      else
        break;
    }
    SetColumns(column(x), std::max(column(end), column(x) + 1));
    x = end;
  }
}

bool VodRowScaler::Draw(CImageDib& picture, POINT at, int factorX, int factorY) {
  const BITMAPINFO* info = picture.GetBMI();
  if (!info || factorX <= 0 || factorY <= 0) return false;
  m_width = info->bmiHeader.biWidth;
  int height = std::abs(info->bmiHeader.biHeight);
  m_factorX = factorX;
  m_destinationWidth = static_cast<int>(static_cast<int64_t>(m_width) * factorX / 1000);
  int destinationHeight = static_cast<int>(static_cast<int64_t>(height) * factorY / 1000);
  if (m_width <= 0 || height <= 0 || m_destinationWidth <= 0 || destinationHeight <= 0) return true;
  bool invert = DarkIsClear(*info);
  VodRasterBands& bands = m_context.rasterRows;
  if (!bands.BeginRows(m_destinationWidth, destinationHeight)) return false;
  m_row.assign((static_cast<size_t>(m_destinationWidth) + 7) / 8, 0);
  int written = 0;
  for (int row = 0; row < height; ++row) {
    if (row % kRowsPerPause == kRowsPerPause - 1) {
      Sleep(1);
      if (!PumpMessages()) {
        bands.EndRows();
        return false;
      }
    }
    const BYTE* source = picture.GetBitLine(row);
    if (source) Spread(source, invert);
    // Source row j ends at destination row (j + 1) * factor; the last one
    // fills the picture to its end.
    int until =
        row + 1 == height ? destinationHeight : static_cast<int>(static_cast<int64_t>(row + 1) * factorY / 1000);
    if (until <= written) continue;
    for (; written < until; ++written)
      if (!bands.PutRow(at.x, at.y + written, m_row.data())) {
        bands.EndRows();
        return false;
      }
    std::fill(m_row.begin(), m_row.end(), 0);
  }
  return bands.EndRows();
}

}  // namespace vod
