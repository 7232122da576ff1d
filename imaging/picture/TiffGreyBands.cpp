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
  return static_cast<BYTE>((scaled >= pixels) + (scaled >= 2 * pixels) + (scaled >= 3 * pixels) + (scaled >= 4 * pixels));
}

struct BandInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colours[5];
};

// Which source columns each output column averages, and where a run of
// black source pixels lands among the output columns.
class ColumnMap {
 public:
  ColumnMap(LONG outputWidth, LONG sourceWidth) : m_spans(outputWidth), m_firstColumn(sourceWidth) {
    for (LONG c = 0; c < outputWidth; ++c) m_spans[c] = SourceSpan(c, outputWidth, sourceWidth);
    // The spans' ends rise with the column: the first column reaching past
    // each source pixel is found in one sweep.
    LONG c = 0;
    for (LONG p = 0; p < sourceWidth; ++p) {
      while (c < outputWidth && m_spans[c].end <= p) ++c;
      m_firstColumn[p] = c;
    }
  }
  LONG Width(LONG c) const { return m_spans[c].end - m_spans[c].first; }

  // Adds the black pixels from..to - 1 (source columns) to the columns
  // whose spans hold them.
  void AddRun(LONG from, LONG to, std::vector<long>& black) const {
    const LONG columns = static_cast<LONG>(m_spans.size());
    // Every source pixel lies in some column's span; most runs of a
    // reduction lie in one span, which no other column shares.
    LONG c = m_firstColumn[from];
    if (to <= m_spans[c].end && (c + 1 == columns || to <= m_spans[c + 1].first)) {
      black[c] += to - from;
      return;
    }
    for (; c < columns && m_spans[c].first < to; ++c)
      black[c] += std::min(to, m_spans[c].end) - std::max(from, m_spans[c].first);
  }

 private:
  std::vector<Span> m_spans;
  std::vector<LONG> m_firstColumn;
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
  std::vector<long> black(outputWidth);
  const ColumnMap columns(outputWidth, sourceWidth);

  TiffRowReader rows(picture);
  for (LONG bandTop = 0; bandTop < outputHeight; bandTop += bandRows) {
    const LONG rowsInBand = std::min(bandRows, outputHeight - bandTop);
    std::fill(band.begin(), band.end(), 0);
    for (LONG r = 0; r < rowsInBand; ++r) {
      const Span span = SourceSpan(bandTop + r, outputHeight, sourceHeight);
      std::fill(black.begin(), black.end(), 0);
      for (LONG y = span.first; y < span.end; ++y) {
        rows.Decode(y0 + y, [&](LONG from, LONG to) {
          from = std::max(from, x0);
          to = std::min(to, x1);
          if (from < to) columns.AddRun(from - x0, to - x0, black);
        });
      }
      BYTE* out = band.data() + rowBytes * (rowsInBand - 1 - r);
      const LONG spanRows = span.end - span.first;
      for (LONG c = 0; c < outputWidth; ++c) {
        const BYTE level = Level(black[c], static_cast<long>(columns.Width(c)) * spanRows);
        out[c / 2] |= (c & 1) ? level : static_cast<BYTE>(level << 4);
      }
    }
    info.header.biHeight = rowsInBand;
    if (!sink({reinterpret_cast<const BITMAPINFO*>(&info), band.data(), bandTop, rowsInBand})) return 0;
  }
  return 1;
}
