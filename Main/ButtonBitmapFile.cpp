#include "Main/ButtonBitmapFile.h"

#include <cstdlib>
#include <cstring>

#include "Main/CErrorDlg.h"
#include "Main/CErrorTrace.h"
#include "mfc/CFile.h"
#include "mfc/CFileException.h"
#include "win32/UserTypes.h"
#include "win32/UserWindows.h"

namespace {

constexpr size_t kFileHeader = 14;
constexpr size_t kColours = 16;
constexpr WORD kBitsPerPixel = 4;

// The whole file, read while others may read it too; empty when it cannot
// be opened or read.
std::vector<BYTE> FileBytes(const char* name) {
  CFile file;
  if (!file.Open(name, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary)) return {};
  try {
    std::vector<BYTE> bytes(file.GetLength());
    if (file.Read(bytes.data(), static_cast<UINT>(bytes.size())) != bytes.size()) return {};
    return bytes;
  } catch (CFileException* e) {
    e->Delete();
    return {};
  }
}

void Report(int code, const char* fileName) {
  CErrorTrace* node = ERROR_TRACE_PUSH();
  ERROR_TRACE_FAIL(node, SEVERITY_ERROR, code, fileName, 0);
  CErrorDlg::ReportAndRemove(node);
}

COLORREF ButtonColourFor(COLORREF colour) {
  switch (colour) {
    case RGB(0, 0, 0): return GetSysColor(COLOR_BTNTEXT);
    case RGB(128, 128, 128): return GetSysColor(COLOR_BTNSHADOW);
    case RGB(192, 192, 192): return GetSysColor(COLOR_BTNFACE);
    case RGB(255, 255, 255): return GetSysColor(COLOR_BTNHIGHLIGHT);
    default: return colour;
  }
}

}  // namespace

ButtonBitmapFile::Error ButtonBitmapFile::Read(const char* fileName, int width, int height) {
  m_kept.clear();
  const std::vector<BYTE> bytes = FileBytes(fileName);
  Error error = bytes.empty() ? kNotMapped : Check(bytes.data(), bytes.size(), width, height);
  if (error != kOk) {
    m_kept.clear();
    Report(error, fileName);
  }
  return error;
}

// Header size, bit depth, colour count and the whole pixel array are checked
// against the file's length before anything is taken from it.
ButtonBitmapFile::Error ButtonBitmapFile::Check(const BYTE* bytes, size_t size, int width, int height) {
  if (size < kFileHeader + sizeof(BITMAPINFOHEADER) || bytes[0] != 'B' || bytes[1] != 'M') return kNotButtonBitmap;
  BITMAPINFOHEADER header;
  std::memcpy(&header, bytes + kFileHeader, sizeof header);
  if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biSize > size - kFileHeader) return kNotButtonBitmap;
  if (header.biBitCount != kBitsPerPixel || header.biCompression != BI_RGB || header.biClrUsed > kColours)
    return kNotButtonBitmap;
  if (header.biWidth != width || std::labs(static_cast<long>(header.biHeight)) != height) return kWrongSize;
  const size_t stride = ((static_cast<size_t>(width) * kBitsPerPixel + 31) / 32) * 4;
  const size_t needed = kFileHeader + header.biSize + kColours * sizeof(RGBQUAD) + stride * static_cast<size_t>(height);
  if (needed > size) return kNotButtonBitmap;
  m_kept.assign(bytes + kFileHeader, bytes + needed);
  m_header = header.biSize;
  return kOk;
}

HBITMAP ButtonBitmapFile::MakeBitmap() const {
  if (m_kept.empty()) return nullptr;
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[kColours];
  } info;
  std::memcpy(&info.header, m_kept.data(), sizeof info.header);
  info.header.biSize = sizeof info.header;
  info.header.biClrUsed = kColours;
  std::memcpy(info.colours, m_kept.data() + m_header, sizeof info.colours);
  for (RGBQUAD& entry : info.colours) {
    const COLORREF colour = ButtonColourFor(RGB(entry.rgbRed, entry.rgbGreen, entry.rgbBlue));
    entry = RGBQUAD{GetBValue(colour), GetGValue(colour), GetRValue(colour), 0};
  }
  const BYTE* pixels = m_kept.data() + m_header + sizeof info.colours;
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, info.header.biWidth, std::abs(info.header.biHeight));
  if (bitmap != nullptr)
    SetDIBits(screen, bitmap, 0, static_cast<UINT>(std::abs(info.header.biHeight)), pixels,
              reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return bitmap;
}
