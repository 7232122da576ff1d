#include "imaging/picture/TiffGreyBands.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "imaging/picture/Palettes.h"
#include "imaging/picture/TiffRowReader.h"

namespace {

constexpr int kLevels = 4;

// The half-open range of source positions that fall on output position i of n.
struct Span {
  LONG first, end;
};
Span SourceSpan(LONG i, LONG outputSize, LONG sourceSize) {
  const LONG first = static_cast<LONG>(static_cast<long long>(i) * sourceSize / outputSize);
  const LONG end = static_cast<LONG>(static_cast<long long>(i + 1) * sourceSize / outputSize);
  return {first, std::max(end, first + 1)};
}

// black * 4 / pixels for black from 0 to pixels, without dividing: a
// division per output pixel would cost as much as decoding the picture.
BYTE Level(long black, long pixels) {
  const long scaled = black * kLevels;
  return static_cast<BYTE>((scaled >= pixels) + (scaled >= 2 * pixels) + (scaled >= 3 * pixels) +
                           (scaled >= 4 * pixels));
}

struct BandInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colours[5];
};

// Counts the black source pixels that fall on each output column of one
// output row, from the runs of black that the rows' decoding gives.
class ColumnCounter {
 public:
  ColumnCounter(LONG outputWidth, LONG sourceWidth)
      : m_spans(outputWidth), m_pixels(sourceWidth), m_black(outputWidth), m_covered(outputWidth + 1) {
    for (LONG c = 0; c < outputWidth; ++c) m_spans[c] = SourceSpan(c, outputWidth, sourceWidth);
    // The spans' starts and ends rise with the column: the columns holding
    // each source pixel are found in one sweep.
    LONG first = 0, last = 0;
    for (LONG p = 0; p < sourceWidth; ++p) {
      while (m_spans[first].end <= p) ++first;
      while (last + 1 < outputWidth && m_spans[last + 1].first <= p) ++last;
      const LONG shared = first + 1 < outputWidth ? m_spans[first + 1].first : sourceWidth;
      m_pixels[p] = {first, last, std::min(m_spans[first].end, shared)};
    }
  }

  // The black pixels from..to - 1 (source columns). A column whose whole
  // span the run covers is only marked here, and its pixels added when the
  // levels are taken: long runs cost no more than short ones.
  void AddRun(LONG from, LONG to) {
    const Pixel& start = m_pixels[from];
    if (to <= start.ownEnd) {  // most runs of a reduction
      m_black[start.first] += to - from;
      return;
    }
    LONG first = start.first, last = m_pixels[to - 1].last;
    for (; first <= last && m_spans[first].first < from; ++first)
      m_black[first] += std::min(to, m_spans[first].end) - from;
    for (; last >= first && m_spans[last].end > to; --last) m_black[last] += to - std::max(from, m_spans[last].first);
    if (first <= last) {
      ++m_covered[first];
      --m_covered[last + 1];
    }
  }

  // Writes each column's level for the black pixels of spanRows source rows
  // (two to a byte, the first in the high half) and starts the next row with
  // nothing counted.
  void TakeLevels(LONG spanRows, BYTE* out) {
    long covered = 0;
    auto take = [&](std::size_t c) {
      const long width = m_spans[c].end - m_spans[c].first;
      covered += m_covered[c];
      const BYTE level = Level(m_black[c] + covered * width, width * spanRows);
      m_black[c] = 0;
      m_covered[c] = 0;
      return level;
    };
    const std::size_t columns = m_black.size();
    for (std::size_t c = 0; c + 1 < columns; c += 2) {
      const BYTE high = take(c);
      *out++ = static_cast<BYTE>(high << 4 | take(c + 1));
    }
    if (columns % 2) *out = static_cast<BYTE>(take(columns - 1) << 4);
    m_covered[columns] = 0;
  }

 private:
  // The first and the last column whose span holds a source pixel, and where
  // the part of the first one's span that no other column shares ends.
  struct Pixel {
    LONG first;
    LONG last;
    LONG ownEnd;
  };
  std::vector<Span> m_spans;
  std::vector<Pixel> m_pixels;
  std::vector<long> m_black;
  std::vector<long> m_covered;  // differences: a run covering columns a..b adds 1 at a and -1 at b + 1
};

}  // namespace

LONG GreyBandRows(LONG outputWidth, LONG outputHeight) {
  const LONG fit = static_cast<LONG>(64000.0 / outputWidth + 0.5);
  return std::max<LONG>(1, std::min(fit, outputHeight - 1));
}

int RenderTiffGreyBands(QORIMG_PICTURE* picture, const RECT& source, LONG outputWidth, LONG outputHeight,
                        const GreyBandSink& sink) {
  const LONG x0 = std::max<LONG>(0, source.left), y0 = std::max<LONG>(0, source.top);
  const LONG x1 = std::min(source.right, picture->nTiffWidth), y1 = std::min(source.bottom, picture->nTiffHeight);
  if (!picture->pTiffFile || x1 <= x0 || y1 <= y0 || outputWidth <= 0 || outputHeight <= 0) return 0;
  const LONG sourceWidth = x1 - x0, sourceHeight = y1 - y0;
  if (!picture->hPalette) BuildPalette(nullptr, picture, kTiffPalette);

  BandInfo info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = outputWidth;
  info.header.biPlanes = 1;
  info.header.biBitCount = 4;
  info.header.biCompression = BI_RGB;
  info.header.biClrUsed = 5;
  const std::vector<RGBQUAD> colours = TiffRenderColours(picture);
  std::copy(colours.begin(), colours.end(), info.colours);

  const LONG bandRows = GreyBandRows(outputWidth, outputHeight);
  const std::size_t rowBytes = WIDTHBYTES(static_cast<std::size_t>(outputWidth) * 4);
  std::vector<BYTE> band(rowBytes * bandRows);
  ColumnCounter columns(outputWidth, sourceWidth);

  TiffRowReader rows(picture);
  for (LONG bandTop = 0; bandTop < outputHeight; bandTop += bandRows) {
    const LONG rowsInBand = std::min(bandRows, outputHeight - bandTop);
    for (LONG r = 0; r < rowsInBand; ++r) {
      const Span span = SourceSpan(bandTop + r, outputHeight, sourceHeight);
      for (LONG y = span.first; y < span.end; ++y) {
        rows.Decode(y0 + y, [&](LONG from, LONG to) {
          from = std::max(from, x0);
          to = std::min(to, x1);
          if (from < to) columns.AddRun(from - x0, to - x0);
        });
      }
      columns.TakeLevels(span.end - span.first, band.data() + rowBytes * (rowsInBand - 1 - r));
    }
    info.header.biHeight = rowsInBand;
    if (!sink({reinterpret_cast<const BITMAPINFO*>(&info), band.data(), bandTop, rowsInBand})) return 0;
  }
  return 1;
}
