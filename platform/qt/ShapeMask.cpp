#include "qt/ShapeMask.h"

#include <algorithm>
#include <cstdlib>

#include "win32/GdiStretch.h"
#include "win32/UserWindows.h"

namespace layer {

ShapeMask::ShapeMask(DeviceContext& context, RECT deviceArea) : m_context(context) {
  RECT clip = context.Clip();
  if (!IntersectRect(&m_area, &deviceArea, &clip)) m_area = RECT{};
}

void ShapeMask::MakeImage() {
  m_mask = QImage(m_area.right - m_area.left, m_area.bottom - m_area.top, QImage::Format_Grayscale8);
  m_mask.fill(0);
  for (const Pixel& pixel : m_pixels)
    m_mask.scanLine(pixel.y - m_area.top)[pixel.x - m_area.left] = static_cast<uchar>(pixel.value);
  m_pixels.clear();
  m_imageMade = true;
}

QPainter& ShapeMask::Painter() {
  if (!m_imageMade) MakeImage();
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
  if (!m_imageMade)
    m_pixels.push_back(Pixel{x, y, value});
  else
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
  // Copying does not depend on what is there: mixed once for all pixels.
  bool copy = rop == R2_COPYPEN;
  std::uint32_t penCopy = MixPen(rop, pen, 0), brushCopy = MixPen(rop, brush, 0);
  auto mix = [&](int value, std::uint32_t& at) {
    if (value == kPen) at = copy ? penCopy : MixPen(rop, pen, at);
    else if (value == kBrush) at = copy ? brushCopy : MixPen(rop, brush, at);
  };
  if (!m_imageMade && !copy) {
    // A pixel set twice is mixed once, as from an image; copying needs no care.
    std::stable_sort(m_pixels.begin(), m_pixels.end(),
                     [](const Pixel& a, const Pixel& b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
    auto kept = std::unique(m_pixels.rbegin(), m_pixels.rend(),
                            [](const Pixel& a, const Pixel& b) { return a.x == b.x && a.y == b.y; });
    m_pixels.erase(m_pixels.begin(), kept.base());
  }
  if (!target->Narrow() || !MixNarrow(*target, mix)) MixInto([target](int y) { return target->Row(y); }, mix);
  m_context.Touched();
}

template <class RowOf, class Mix>
void ShapeMask::MixInto(RowOf rowOf, Mix mix) {
  if (!m_imageMade) {
    for (const Pixel& pixel : m_pixels) mix(pixel.value, rowOf(pixel.y)[pixel.x]);
    return;
  }
  for (int y = m_area.top; y < m_area.bottom; ++y) {
    const uchar* mask = m_mask.constScanLine(y - m_area.top);
    auto* row = rowOf(y);
    for (int x = m_area.left; x < m_area.right; ++x) mix(mask[x - m_area.left], row[x]);
  }
}

template <class Mix>
bool ShapeMask::MixNarrow(Surface& target, Mix& mix) {
  // What nothing, the brush and the pen make of black and of white: the
  // target stays narrow only when that is black or white again.
  std::uint8_t levels[3][2];
  const int values[3] = {0, kBrush, kPen};
  for (int v = 0; v < 3; ++v) {
    for (int level = 0; level < 2; ++level) {
      std::uint32_t pixel = WidePixel(level ? 255 : 0);
      mix(values[v], pixel);
      if (!IsBlackOrWhite(pixel)) return false;
      levels[v][level] = NarrowLevel(pixel);
    }
  }
  MixInto([&target](int y) { return target.NarrowRow(y); }, [&levels](int value, std::uint8_t& at) {
    at = levels[value == kPen ? 2 : value == kBrush ? 1 : 0][at != 0];
  });
  return true;
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
