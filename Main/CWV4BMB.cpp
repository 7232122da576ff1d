#include "Main/CWV4BMB.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "Main/FileBytes.h"
#include "foundation/CDynBuf.h"
#include "win32/GdiTypes.h"

namespace {

constexpr size_t kFileHeader = sizeof(BITMAPFILEHEADER);
constexpr DWORD kInfoHeader = sizeof(BITMAPINFOHEADER);
constexpr LONG kLargestSide = 32767;

// A bitmap file checked before anything of it is used: the header within
// the file, a depth and size the loader draws, the colour table and the
// whole pixel array inside the file.
struct BitmapFile {
  CDynBuf bytes;
  BITMAPINFOHEADER header{};
  std::vector<RGBQUAD> colours;
  size_t pixels = 0;  // offset of the pixel array

  BOOL Read(const char* path);
};

BOOL BitmapFile::Read(const char* path) {
  if (ReadFileBytes(path, bytes) != FileRead::Done) return FALSE;
  const size_t length = static_cast<size_t>(bytes.GetLength());
  const unsigned char* data = bytes.GetData();
  if (length < kFileHeader + kInfoHeader || data[0] != 'B' || data[1] != 'M') return FALSE;
  BITMAPFILEHEADER file;
  std::memcpy(&file, data, kFileHeader);
  std::memcpy(&header, data + kFileHeader, kInfoHeader);
  const WORD bits = header.biBitCount;
  const bool knownDepth = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
  if (header.biSize < kInfoHeader || header.biSize > length - kFileHeader || !knownDepth ||
      header.biCompression != BI_RGB || header.biPlanes != 1 || header.biWidth <= 0 ||
      header.biWidth > kLargestSide || header.biHeight == 0 || std::labs(header.biHeight) > kLargestSide) {
    return FALSE;
  }
  const DWORD tableSize = bits <= 8 ? (1u << bits) : 0;
  const DWORD used = header.biClrUsed != 0 ? header.biClrUsed : tableSize;
  if (bits <= 8 && used > tableSize) return FALSE;
  if (bits > 8 && used > 256) return FALSE;
  const size_t table = kFileHeader + header.biSize;
  if (table + used * sizeof(RGBQUAD) > length) return FALSE;
  colours.assign(tableSize > used ? tableSize : used, RGBQUAD{0, 0, 0, 0});
  if (used > 0) std::memcpy(colours.data(), data + table, used * sizeof(RGBQUAD));
  pixels = file.bfOffBits != 0 ? file.bfOffBits : table + used * sizeof(RGBQUAD);
  const size_t stride = ((static_cast<size_t>(header.biWidth) * bits + 31) / 32) * 4;
  const size_t rows = static_cast<size_t>(std::labs(header.biHeight));
  if (pixels < table || pixels > length || stride * rows > length - pixels) return FALSE;
  header.biSize = kInfoHeader;
  header.biClrUsed = static_cast<DWORD>(colours.size());
  return TRUE;
}

}  // namespace

IMPLEMENT_DYNAMIC(CWV4BMB, CBitmapButton)

CWV4BMB::~CWV4BMB() {
  m_bitmap.DeleteObject();
  m_bitmapSel.DeleteObject();
  m_bitmapFocus.DeleteObject();
  m_bitmapDisabled.DeleteObject();
}

HBITMAP CWV4BMB::LoadBitmapFromFile(const char* path) {
  BitmapFile file;
  if (!file.Read(path)) return nullptr;
  std::vector<unsigned char> info(kInfoHeader + file.colours.size() * sizeof(RGBQUAD) + sizeof(RGBQUAD));
  std::memcpy(info.data(), &file.header, kInfoHeader);
  if (!file.colours.empty()) {
    std::memcpy(info.data() + kInfoHeader, file.colours.data(), file.colours.size() * sizeof(RGBQUAD));
  }
  const int width = file.header.biWidth;
  const int height = static_cast<int>(std::labs(file.header.biHeight));
  HDC screen = ::GetDC(nullptr);
  HDC memory = screen != nullptr ? CreateCompatibleDC(screen) : nullptr;
  HBITMAP bitmap = memory != nullptr ? CreateCompatibleBitmap(screen, width, height) : nullptr;
  if (bitmap != nullptr) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    StretchDIBits(memory, 0, 0, width, height, 0, 0, width, height, file.bytes.GetData() + file.pixels,
                  reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS, SRCCOPY);
    SelectObject(memory, old);
  }
  if (memory != nullptr) DeleteDC(memory);
  if (screen != nullptr) ::ReleaseDC(nullptr, screen);
  return bitmap;
}

BOOL CWV4BMB::GetBitmapFileSize(const char* path, CSize& size) {
  BitmapFile file;
  if (!file.Read(path)) return FALSE;
  size = CSize(file.header.biWidth, static_cast<int>(std::labs(file.header.biHeight)));
  return TRUE;
}
