#include "VodRasterBands.h"

#include <algorithm>
#include <cstring>

#include "VodContext.h"
#include "VodReport.h"
#include "win32/Gdi.h"
#include "win32/Memory.h"

namespace vod {

VodRasterBands::~VodRasterBands() { Free(); }

void VodRasterBands::Free() {
  if (m_block) {
    GlobalUnlock(m_block);
    GlobalFree(m_block);
  }
  m_block = nullptr;
  m_bits = nullptr;
  m_held = 0;
}

bool VodRasterBands::BeginRows(int width, int rows) {
  Free();
  if (width <= 0 || rows <= 0) return false;
  m_width = width;
  m_stride = (static_cast<size_t>(width) + 31) / 32 * 4;
  if (m_stride > kBandBytes) {
    ReportError(m_context, 414);
    return false;
  }
  m_rowsPerBand = static_cast<int>(std::min<size_t>(kBandBytes / m_stride, static_cast<size_t>(rows)));
  m_block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, m_stride * m_rowsPerBand);
  if (!m_block) {
    ReportError(m_context, 414);
    return false;
  }
  m_bits = static_cast<BYTE*>(GlobalLock(m_block));
  if (!m_bits) {
    Free();
    ReportError(m_context, 419);
    return false;
  }
  m_header.assign(sizeof(BITMAPINFOHEADER) + 2 * sizeof(RGBQUAD), 0);
  auto* info = reinterpret_cast<BITMAPINFO*>(m_header.data());
  info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info->bmiHeader.biWidth = width;
  info->bmiHeader.biPlanes = 1;
  info->bmiHeader.biBitCount = 1;
  info->bmiHeader.biCompression = BI_RGB;
  info->bmiColors[0] = RGBQUAD{255, 255, 255, 0};
  info->bmiColors[1] = RGBQUAD{0, 0, 0, 0};
  return true;
}

bool VodRasterBands::PutRow(int x, int y, const BYTE* row) {
  if (!m_bits) {
    ReportError(m_context, 419);
    return false;
  }
  if (m_held == 0) m_origin = POINT{x, y};
  // Bottom-up: the band's first row is the buffer's last line.
  BYTE* line = Line(m_rowsPerBand - 1 - m_held);
  size_t bytes = (static_cast<size_t>(m_width) + 7) / 8;
  std::memcpy(line, row, bytes);
  std::memset(line + bytes, 0, m_stride - bytes);
  if (m_width % 8) line[bytes - 1] &= static_cast<BYTE>(0xFF << (8 - m_width % 8));
  return ++m_held < m_rowsPerBand || Flush();
}

bool VodRasterBands::Flush() {
  int held = m_held;
  m_held = 0;
  if (held == 0) return true;
  BYTE* first = Line(m_rowsPerBand - held);
  size_t bytes = m_stride * held;
  if (std::all_of(first, first + bytes, [](BYTE b) { return b == 0; })) return true;
  auto* info = reinterpret_cast<BITMAPINFO*>(m_header.data());
  info->bmiHeader.biHeight = held;
  int drawn = StretchDIBits(m_context.drawing.PageDC(), m_origin.x, m_origin.y, m_width, held, 0, 0, m_width, held,
                            first, info, DIB_RGB_COLORS, SRCCOPY);
  return drawn != 0 && drawn != static_cast<int>(GDI_ERROR);
}

bool VodRasterBands::EndRows() {
  if (!m_bits) {
    ReportError(m_context, 419);
    return false;
  }
  bool ok = Flush();
  Free();
  return ok;
}

}  // namespace vod
