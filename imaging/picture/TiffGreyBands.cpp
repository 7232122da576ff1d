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

struct BandInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colours[5];
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
  std::vector<WORD> counts(sourceWidth);
  std::vector<Span> columns(outputWidth);
  for (LONG c = 0; c < outputWidth; ++c) columns[c] = SourceSpan(c, outputWidth, sourceWidth);

  TiffRowReader rows(picture);
  for (LONG bandTop = 0; bandTop < outputHeight; bandTop += bandRows) {
    const LONG rowsInBand = std::min(bandRows, outputHeight - bandTop);
    std::fill(band.begin(), band.end(), 0);
    for (LONG r = 0; r < rowsInBand; ++r) {
      const Span span = SourceSpan(bandTop + r, outputHeight, sourceHeight);
      std::fill(counts.begin(), counts.end(), 0);
      for (LONG y = span.first; y < span.end; ++y) {
        rows.Decode(y0 + y, [&](LONG from, LONG to) {
          for (LONG pixel = std::max(from, x0); pixel < std::min(to, x1); ++pixel) ++counts[pixel - x0];
        });
      }
      BYTE* out = band.data() + rowBytes * (rowsInBand - 1 - r);
      const LONG spanRows = span.end - span.first;
      for (LONG c = 0; c < outputWidth; ++c) {
        long black = 0;
        for (LONG p = columns[c].first; p < columns[c].end; ++p) black += counts[p];
        const long pixels = static_cast<long>(columns[c].end - columns[c].first) * spanRows;
        const BYTE level = static_cast<BYTE>(black * kLevels / pixels);
        out[c / 2] |= (c & 1) ? level : static_cast<BYTE>(level << 4);
      }
    }
    info.header.biHeight = rowsInBand;
    if (!sink({reinterpret_cast<const BITMAPINFO*>(&info), band.data(), bandTop, rowsInBand})) return 0;
  }
  return 1;
}
