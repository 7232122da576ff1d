#include "qt/ShapeMask.h"

#include <cstdlib>

#include "win32/GdiStretch.h"
#include "win32/UserWindows.h"

namespace layer {

ShapeMask::ShapeMask(DeviceContext& context, RECT deviceArea) : m_context(context) {
  RECT clip = context.Clip();
  if (!IntersectRect(&m_area, &deviceArea, &clip)) return;
  m_mask = QImage(m_area.right - m_area.left, m_area.bottom - m_area.top, QImage::Format_Grayscale8);
  m_mask.fill(0);
}

QPainter& ShapeMask::Painter() {
  if (!m_painter) {
    m_painter = std::make_unique<QPainter>(&m_mask);
    m_painter->setRenderHint(QPainter::Antialiasing, false);
    m_painter->setCompositionMode(QPainter::CompositionMode_Source);
    m_painter->translate(-m_area.left, -m_area.top);
  }
  return *m_painter;
}

void ShapeMask::SetPixel(int x, int y, int value) {
  if (x < m_area.left || y < m_area.top || x >= m_area.right || y >= m_area.bottom) return;
  m_mask.scanLine(y - m_area.top)[x - m_area.left] = static_cast<uchar>(value);
}

void ShapeMask::Apply() {
  if (Empty()) return;
  m_painter.reset();
  Surface* target = m_context.Target();
  if (!target) return;
  const ContextState& state = m_context.state;
  std::uint32_t pen = state.pen ? ResolvePixel(m_context, state.pen->log.lopnColor) : 0xFF000000u;
  std::uint32_t brush = state.brush ? ResolvePixel(m_context, state.brush->log.lbColor) : 0xFF000000u;
  int rop = state.rop2;
  for (int y = m_area.top; y < m_area.bottom; ++y) {
    const uchar* mask = m_mask.constScanLine(y - m_area.top);
    std::uint32_t* row = target->Row(y);
    for (int x = m_area.left; x < m_area.right; ++x) {
      uchar value = mask[x - m_area.left];
      if (value == kPen) row[x] = MixPen(rop, pen, row[x]);
      else if (value == kBrush) row[x] = MixPen(rop, brush, row[x]);
    }
  }
  m_context.Touched();
}

void DrawThinLine(ShapeMask& mask, int x0, int y0, int x1, int y1) {
  int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int error = dx + dy;
  while (x0 != x1 || y0 != y1) {
    mask.SetPixel(x0, y0, ShapeMask::kPen);
    int doubled = 2 * error;
    if (doubled >= dy) {
      error += dy;
      x0 += sx;
    }
    if (doubled <= dx) {
      error += dx;
      y0 += sy;
    }
  }
}

}  // namespace layer
