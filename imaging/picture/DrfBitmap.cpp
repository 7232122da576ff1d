#include "imaging/picture/DrfBitmap.h"

#include <cstring>
#include <vector>

#include "imaging/picture/DrfDecoders.h"
#include "imaging/picture/ImageErrors.h"
#include "imaging/picture/Palettes.h"
#include "imaging/picture/PictureTable.h"
#include "imaging/picture/TiffReader.h"
#include "win32/Memory.h"
#include "win32/UserWindows.h"

namespace {

constexpr LONG kMaxStripeBytes = 65536;

std::vector<RGBQUAD> ColourTable(const QORIMG_PICTURE* picture, PixelStream& stream) {
  std::vector<RGBQUAD> table;
  switch (picture->nDrfType) {
    case 5:
    case 8:
      table = {
          {static_cast<BYTE>(picture->wBlue), static_cast<BYTE>(picture->wGreen), static_cast<BYTE>(picture->wRed), 0},
          {170, 170, 170, 0},
          {85, 85, 85, 0},
          {0, 0, 0, 0}};
      break;
    case 6:
      // Components of 6 bits, widened to 8.
      for (DWORD i = 0; i < 240; ++i) {
        BYTE red = static_cast<BYTE>(4 * stream.At(2 + 3 * i));
        BYTE green = static_cast<BYTE>(4 * stream.At(3 + 3 * i));
        BYTE blue = static_cast<BYTE>(4 * stream.At(4 + 3 * i));
        table.push_back({blue, green, red, 0});
      }
      break;
    case 7:
      for (int i = 0; i < 64; ++i)
        table.push_back({static_cast<BYTE>(4 * i), static_cast<BYTE>(4 * i), static_cast<BYTE>(4 * i), 0});
      break;
  }
  return table;
}

int FailBitmap(HWND window, QORIMG_PICTURE* picture, int error) {
  SetImageError(error, picture->szDrfFile);
  if (window) DestroyWindow(window);
  return 0;
}

int MakeBitmapHeader(QORIMG_PICTURE* picture, const DrfFormat& format, const DrfGeometry& geometry,
                     const std::vector<RGBQUAD>& table) {
  FreeBitmapHeader(picture);
  HGLOBAL block = GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, sizeof(BITMAPINFOHEADER) + 4 * format.colours);
  if (!block) return QORIMG_ERR_BITMAP_HEADER_MEMORY;
  auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(block));
  if (!header) {
    GlobalFree(block);
    return QORIMG_ERR_GLOBAL_LOCK;
  }
  picture->hBitmapHeader = block;
  picture->pBitmapHeader = header;
  header->biSize = sizeof(BITMAPINFOHEADER);
  header->biWidth = geometry.stride;
  header->biHeight = geometry.linesPerStripe;
  header->biPlanes = 1;
  header->biBitCount = format.bitsPerPixel;
  header->biCompression = BI_RGB;
  header->biClrUsed = format.colours;
  std::memcpy(header + 1, table.data(), table.size() * sizeof(RGBQUAD));
  return 0;
}

LONG StripeLines(const QORIMG_PICTURE* picture, int stripe) {
  return stripe == picture->nStripes - 1 ? picture->nLinesLastStripe : picture->nLinesPerStripe;
}

int AllocateStripes(QORIMG_PICTURE* picture) {
  FreeStripes(picture);
  if (picture->nLinesPerStripe < 1) return QORIMG_ERR_PATCH_SIZE;
  // More stripes than slots would overrun the record's tables.
  if (picture->nStripes > QORIMG_STRIPE_SLOTS) return QORIMG_ERR_BITMAP_MEMORY;
  const LONG strideBytes = picture->nStride * picture->wBitsPerPixel / 8;
  for (int i = 0; i < picture->nStripes; ++i) {
    const LONG bytes = strideBytes * StripeLines(picture, i);
    if (bytes > kMaxStripeBytes) return QORIMG_ERR_PATCH_SIZE;
    picture->hStripes[i] = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    if (!picture->hStripes[i]) return QORIMG_ERR_BITMAP_MEMORY;
    picture->pStripes[i] = static_cast<BYTE*>(GlobalLock(picture->hStripes[i]));
    if (!picture->pStripes[i]) return QORIMG_ERR_GLOBAL_LOCK;
  }
  return 0;
}

// Picture line y lies in stripe y / N; a stripe keeps its lines bottom-up.
class StripeLines_ : public LineTarget {
 public:
  explicit StripeLines_(QORIMG_PICTURE* picture)
      : m_picture(picture), m_strideBytes(picture->nStride * picture->wBitsPerPixel / 8) {}
  BYTE* Line(int y) override {
    const int stripe = y / m_picture->nLinesPerStripe;
    const int row = StripeLines(m_picture, stripe) - 1 - y % m_picture->nLinesPerStripe;
    return m_picture->pStripes[stripe] + static_cast<std::size_t>(row) * m_strideBytes;
  }

 private:
  QORIMG_PICTURE* m_picture;
  LONG m_strideBytes;
};

void DecodeIntoStripes(QORIMG_PICTURE* picture, PixelStream& stream, int fillIndex) {
  StripeLines_ lines(picture);
  const int width = picture->nDrfWidth, height = picture->nDrfHeight;
  switch (picture->nDrfType) {
    case 5:
      DecodeTwoBitLines(stream, lines, width, height, picture->nStride);
      break;
    case 6:
      DecodeByteLines(stream, lines, width, height, picture->nStride, static_cast<BYTE>(fillIndex));
      break;
    case 7:
      DecodeGreyRunLines(stream, lines, width, height, picture->nStride);
      break;
    default:
      break;  // type 8 stays at colour 0
  }
}

// The stripes from the last to the first make one bottom-up bitmap; its
// lines are then packed from the stride to the picture's own width.
void WritePackedBitmap(QORIMG_PICTURE* picture, BYTE* target) {
  BITMAPINFOHEADER* header = picture->pBitmapHeader;
  header->biSizeImage = 0;
  header->biHeight = picture->nDrfHeight;
  header->biWidth = picture->nStride;
  const std::size_t headerBytes = sizeof(BITMAPINFOHEADER) + 4 * picture->wColors;
  std::memcpy(target, header, headerBytes);
  BYTE* bits = target + headerBytes;
  const std::size_t strideBytes = static_cast<std::size_t>(picture->nStride) * picture->wBitsPerPixel / 8;
  std::size_t at = 0;
  for (int i = picture->nStripes - 1; i >= 0; --i) {
    const std::size_t bytes = strideBytes * StripeLines(picture, i);
    std::memcpy(bits + at, picture->pStripes[i], bytes);
    at += bytes;
    GlobalUnlock(picture->hStripes[i]);
    GlobalFree(picture->hStripes[i]);
    picture->hStripes[i] = nullptr;
    picture->pStripes[i] = nullptr;
  }
  reinterpret_cast<BITMAPINFOHEADER*>(target)->biWidth = picture->nDrfWidth;
  const std::size_t rowBytes = WIDTHBYTES(static_cast<std::size_t>(picture->wBitsPerPixel) * picture->nDrfWidth);
  const std::size_t usedBytes = (static_cast<std::size_t>(picture->wBitsPerPixel) * picture->nDrfWidth + 7) / 8;
  for (LONG line = 0; line < picture->nDrfHeight; ++line)
    std::memmove(bits + line * rowBytes, bits + line * strideBytes, usedBytes);
}

}  // namespace

BOOL DrfFormatOf(int type, DrfFormat* format) {
  switch (type) {
    case 5:
    case 8:
      *format = {4, 4};
      return TRUE;
    case 6:
      *format = {8, 240};
      return TRUE;
    case 7:
      *format = {8, 64};
      return TRUE;
    default:
      return FALSE;
  }
}

DrfGeometry DrfGeometryOf(LONG width, LONG height, WORD bitsPerPixel) {
  DrfGeometry g{};
  g.stride = width % 16 == 0 ? width : (width / 16 + 1) * 16;
  g.strideBytes = g.stride * bitsPerPixel / 8;
  g.linesPerStripe = g.stride > 0 ? 65536 / g.stride * 8 / bitsPerPixel - 1 : 0;
  if (g.linesPerStripe >= 1) {
    g.stripes = height / g.linesPerStripe + (height % g.linesPerStripe ? 1 : 0);
    g.linesLastStripe = height - (g.stripes - 1) * g.linesPerStripe;
  }
  return g;
}

void FreeStripes(QORIMG_PICTURE* picture) {
  for (int i = 0; i < QORIMG_STRIPE_SLOTS; ++i) {
    if (picture->hStripes[i]) {
      if (picture->pStripes[i]) GlobalUnlock(picture->hStripes[i]);
      GlobalFree(picture->hStripes[i]);
    }
    picture->hStripes[i] = nullptr;
    picture->pStripes[i] = nullptr;
  }
}

void FreeBitmapHeader(QORIMG_PICTURE* picture) {
  if (picture->hBitmapHeader) GlobalFree(picture->hBitmapHeader);
  picture->hBitmapHeader = nullptr;
  picture->pBitmapHeader = nullptr;
}

int BuildDRFBitmap(HWND window, QORIMG_PICTURE* picture) {
  DrfFormat format;
  if (!DrfFormatOf(picture->nDrfType, &format)) return 0;
  if (picture->nDrfType == 5 && picture->szTiffFile[0] && !picture->pTiffFile)
    picture->bOverlay = OpenTIFF(picture) ? 1 : 0;

  const DrfGeometry geometry = DrfGeometryOf(picture->nDrfWidth, picture->nDrfHeight, format.bitsPerPixel);
  picture->wBitsPerPixel = format.bitsPerPixel;
  picture->wColors = format.colours;
  picture->nStride = geometry.stride;
  picture->nLinesPerStripe = geometry.linesPerStripe;
  if (picture->bDibMode) {
    picture->nStripes = geometry.stripes;
    picture->nLinesLastStripe = geometry.linesLastStripe;
  }
  PixelStream stream(picture);
  if (int error = MakeBitmapHeader(picture, format, geometry, ColourTable(picture, stream)))
    return FailBitmap(window, picture, error);

  int fillIndex = 0;
  if (!picture->hPalette) BuildPalette(&fillIndex, picture, kDrfPalette);
  if (!picture->bDibMode) return 1;
  if (int error = AllocateStripes(picture)) return FailBitmap(window, picture, error);
  DecodeIntoStripes(picture, stream, fillIndex);
  return 1;
}

LONG QORIMG_GetDRFColorInfo(QORIMG_PICTURE* picture, WORD* bitsPerPixel, WORD* colours) {
  picture = KnownPicture(picture);
  DrfFormat format;
  if (!picture || !DrfFormatOf(picture->nDrfType, &format)) return 0;
  if (bitsPerPixel) *bitsPerPixel = format.bitsPerPixel;
  if (colours) *colours = format.colours;
  return 1;
}

LONG QORIMG_DecodeDRF2DIB(QORIMG_PICTURE* picture, void* target) {
  picture = KnownPicture(picture);
  if (!picture || !target) return 0;
  picture->bDibMode = 1;
  if (!BuildDRFBitmap(nullptr, picture)) return 0;
  WritePackedBitmap(picture, static_cast<BYTE*>(target));
  FreeBitmapHeader(picture);
  return 1;
}

HGLOBAL MakeDRFClipboardDIB(QORIMG_PICTURE* picture) {
  DrfFormat format;
  if (!picture || !DrfFormatOf(picture->nDrfType, &format) || picture->nContent == 0) return nullptr;
  const DrfGeometry geometry = DrfGeometryOf(picture->nDrfWidth, picture->nDrfHeight, format.bitsPerPixel);
  HGLOBAL block =
      GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT,
                  static_cast<SIZE_T>(geometry.strideBytes) * picture->nDrfHeight + 4 * format.colours + 1040);
  if (!block) return nullptr;
  if (!QORIMG_DecodeDRF2DIB(picture, GlobalLock(block))) {
    GlobalFree(block);
    return nullptr;
  }
  return block;
}
