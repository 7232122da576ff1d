#include "imaging/picture/TiffBitmap.h"

#include <algorithm>
#include <cstring>

#include "imaging/picture/PictureTable.h"
#include "imaging/picture/TiffRowReader.h"

namespace {

constexpr SIZE_T kBitsOffset = sizeof(BITMAPINFOHEADER) + 2 * sizeof(RGBQUAD);

// Sets pixels from to to - 1 of a row, bit 7 of a byte first.
void SetBits(BYTE* row, LONG from, LONG to) {
  BYTE* first = row + (from >> 3);
  BYTE* last = row + ((to - 1) >> 3);
  const BYTE head = static_cast<BYTE>(0xFF >> (from & 7));
  const BYTE tail = static_cast<BYTE>(0xFF << (7 - ((to - 1) & 7)));
  if (first == last) {
    *first |= head & tail;
    return;
  }
  *first |= head;
  std::memset(first + 1, 0xFF, last - first - 1);
  *last |= tail;
}

void WriteHeader(void* target, LONG width, LONG height) {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof(BITMAPINFOHEADER);
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 1;
  header.biCompression = BI_RGB;
  header.biClrUsed = 2;
  const RGBQUAD colours[2] = {{255, 255, 255, 0}, {0, 0, 0, 0}};
  std::memcpy(target, &header, sizeof header);
  std::memcpy(static_cast<BYTE*>(target) + sizeof header, colours, sizeof colours);
}

}  // namespace

SIZE_T TiffDIBSize(LONG width, LONG height) {
  return kBitsOffset + static_cast<SIZE_T>(WIDTHBYTES(static_cast<SIZE_T>(width))) * height;
}

int DecodeTIFFToDIB(LONG x0, LONG x1, LONG y0, LONG y1, void* target, QORIMG_PICTURE* picture) {
  const LONG width = x1 - x0, height = y1 - y0;
  if (!picture || !target || !picture->pTiffFile || x0 < 0 || y0 < 0 || width <= 0 || height <= 0 || width > 0xFFFF ||
      height > 0xFFFF)
    return 0;
  WriteHeader(target, width, height);
  const SIZE_T rowBytes = WIDTHBYTES(static_cast<SIZE_T>(width));
  BYTE* bits = static_cast<BYTE*>(target) + kBitsOffset;
  // Rows below the picture's end stay white; each decoded row is cleared just
  // before its runs are set, while it is in the cache.
  const LONG decoded = std::clamp<LONG>(picture->nTiffHeight - y0, 0, height);
  std::memset(bits, 0, rowBytes * (height - decoded));
  TiffRowReader rows(picture);
  for (LONG y = y0; y < y0 + decoded; ++y) {
    BYTE* out = bits + rowBytes * (height - 1 - (y - y0));
    std::memset(out, 0, rowBytes);
    rows.Decode(y, [&](LONG from, LONG to) {
      from = std::max(from, x0);
      to = std::min(to, x1);
      if (from < to) SetBits(out, from - x0, to - x0);
    });
  }
  return 1;
}

LONG QORIMG_DecodeTIFF2DIB(QORIMG_PICTURE* picture, void* target) {
  picture = KnownPicture(picture);
  if (!picture) return 0;
  return DecodeTIFFToDIB(0, picture->nTiffWidth, 0, picture->nTiffHeight, target, picture);
}
