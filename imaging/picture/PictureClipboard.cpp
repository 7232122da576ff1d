// The shown picture on the clipboard: a DRF picture as a device-independent
// bitmap, a TIFF as a monochrome bitmap of what the window shows of it.
#include <algorithm>

#include "imaging/picture/DrfBitmap.h"
#include "imaging/picture/ImageErrors.h"
#include "imaging/picture/PictureTable.h"
#include "imaging/picture/TiffBitmap.h"
#include "win32/Clipboard.h"
#include "win32/Gdi.h"
#include "win32/Memory.h"

namespace {

// The part of the TIFF the zoomed view shows, else the whole TIFF.
RECT ClipboardSource(const QORIMG_PICTURE* picture) {
  RECT source{0, 0, picture->nTiffWidth, picture->nTiffHeight};
  if (picture->bZoomState == 1) {
    source.left = std::clamp<LONG>(picture->nScrollX, 0, picture->nTiffWidth);
    source.top = std::clamp<LONG>(picture->nScrollY, 0, picture->nTiffHeight);
    source.right = std::min<LONG>(picture->nTiffWidth, source.left + picture->nSourceWidth);
    source.bottom = std::min<LONG>(picture->nTiffHeight, source.top + picture->nSourceHeight);
  }
  return source;
}

// A global block that is freed when this goes out of scope.
class LockedBlock {
 public:
  explicit LockedBlock(SIZE_T size, UINT flags)
      : m_block(GlobalAlloc(flags, size)), m_data(m_block ? static_cast<BYTE*>(GlobalLock(m_block)) : nullptr) {}
  ~LockedBlock() {
    if (m_data) GlobalUnlock(m_block);
    if (m_block) GlobalFree(m_block);
  }
  LockedBlock(const LockedBlock&) = delete;
  LockedBlock& operator=(const LockedBlock&) = delete;
  BYTE* Data() const { return m_data; }

 private:
  HGLOBAL m_block;
  BYTE* m_data;
};

// The rectangle decoded as a 1-bit bitmap object: rows top-down, padded to
// 16 bits, 1 for white.
HBITMAP MakeTiffClipboardBitmap(QORIMG_PICTURE* picture, const RECT& source) {
  const LONG width = source.right - source.left, height = source.bottom - source.top;
  if (width <= 0 || height <= 0) return nullptr;
  LockedBlock dib(TiffDIBSize(width, height), GMEM_MOVEABLE | GMEM_ZEROINIT);
  if (!dib.Data() || !DecodeTIFFToDIB(source.left, source.right, source.top, source.bottom, dib.Data(), picture))
    return nullptr;
  const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(dib.Data());
  const BYTE* bits = dib.Data() + sizeof(BITMAPINFOHEADER) + 2 * sizeof(RGBQUAD);
  const SIZE_T dibRow = WIDTHBYTES(static_cast<SIZE_T>(width));
  const SIZE_T bitmapRow = (static_cast<SIZE_T>(width) + 15) / 16 * 2;
  LockedBlock rows(bitmapRow * height, GMEM_MOVEABLE);
  if (!rows.Data()) return nullptr;
  for (LONG y = 0; y < height; ++y) {
    const BYTE* in = bits + dibRow * (height - 1 - y);
    BYTE* out = rows.Data() + bitmapRow * y;
    for (SIZE_T b = 0; b < bitmapRow; ++b) out[b] = static_cast<BYTE>(~in[b]);
  }
  return CreateBitmap(width, height, header->biPlanes, header->biBitCount, rows.Data());
}

void FreeData(HANDLE data, UINT format) {
  if (format == CF_BITMAP) DeleteObject(static_cast<HGDIOBJ>(data));
  else GlobalFree(static_cast<HGLOBAL>(data));
}

LONG Fail(int error, HANDLE data, UINT format) {
  SetImageError(error, "");
  if (data) FreeData(data, format);
  return 0;
}

}  // namespace

LONG QORIMG_CopyToClipboard(QORIMG_PICTURE* picture) {
  picture = StartCall(picture);
  if (!picture) return 0;
  UINT format = CF_DIB;
  HANDLE data = nullptr;
  if (picture->bDibMode) {
    data = MakeDRFClipboardDIB(picture);
  } else {
    format = CF_BITMAP;
    data = MakeTiffClipboardBitmap(picture, ClipboardSource(picture));
  }
  if (!data) return Fail(QORIMG_ERR_CLIPBOARD_DATA, nullptr, format);
  if (!OpenClipboard(nullptr)) return Fail(QORIMG_ERR_OPEN_CLIPBOARD, data, format);
  if (!EmptyClipboard()) {
    CloseClipboard();
    return Fail(QORIMG_ERR_EMPTY_CLIPBOARD, data, format);
  }
  if (!SetClipboardData(format, data)) {
    CloseClipboard();
    return Fail(QORIMG_ERR_SET_CLIPBOARD, data, format);
  }
  CloseClipboard();
  return 1;
}
