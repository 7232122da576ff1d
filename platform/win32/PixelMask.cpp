#include "win32/PixelMask.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "win32/GdiStretch.h"
#include "win32/UserWindows.h"

namespace layer {

PixelMask::PixelMask(DeviceContext& context, RECT deviceArea, bool penOnly) : m_context(context) {
  RECT clip = context.Clip();
  if (!IntersectRect(&m_area, &deviceArea, &clip)) m_area = RECT{};
  Surface* target = context.Target();
  if (!penOnly || Empty() || !target || !target->Narrow()) return;
  // What the pen makes of black and of white: one level for both means the
  // pixel's old value does not matter, and nothing needs mixing later.
  const ContextState& state = context.state;
  const std::uint32_t pen = state.pen ? ResolvePixel(context, state.pen->log.lopnColor) : 0xFF000000u;
  const std::uint32_t onBlack = MixPen(state.rop2, pen, WidePixel(0)), onWhite = MixPen(state.rop2, pen, WidePixel(255));
  if (onBlack != onWhite || !IsBlackOrWhite(onBlack)) return;
  m_straightTarget = target;
  m_straightLevel = NarrowLevel(onBlack);
}

std::uint8_t* PixelMask::Rows() {
  if (!m_rowsMade) {
    m_rows.assign(static_cast<std::size_t>(Stride()) * static_cast<std::size_t>(m_area.bottom - m_area.top), 0);
    for (const Pixel& pixel : m_pixels)
      m_rows[static_cast<std::size_t>(pixel.y - m_area.top) * Stride() + (pixel.x - m_area.left)] =
          static_cast<std::uint8_t>(pixel.value);
    m_pixels.clear();
    m_rowsMade = true;
  }
  return m_rows.data();
}

void PixelMask::Apply() {
  if (Empty()) return;
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
  if (!m_rowsMade && !copy) {
    // A pixel set twice is mixed once, as from the rows; copying needs no care.
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
void PixelMask::MixInto(RowOf rowOf, Mix mix) {
  if (!m_rowsMade) {
    for (const Pixel& pixel : m_pixels) mix(pixel.value, rowOf(pixel.y)[pixel.x]);
    return;
  }
  for (int y = m_area.top; y < m_area.bottom; ++y) {
    const std::uint8_t* mask = &m_rows[static_cast<std::size_t>(y - m_area.top) * Stride()];
    auto* row = rowOf(y);
    for (int x = m_area.left; x < m_area.right; ++x) mix(mask[x - m_area.left], row[x]);
  }
}

template <class Mix>
bool PixelMask::MixNarrow(Surface& target, Mix& mix) {
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

bool HasPen(const DeviceContext& context) { return context.state.pen && !context.state.pen->IsNull(); }
bool HasBrush(const DeviceContext& context) { return context.state.brush && !context.state.brush->IsNull(); }
int PenWidth(const DeviceContext& context) { return HasPen(context) ? context.state.pen->Width() : 0; }

RECT BoundsOf(const std::vector<POINT>& points, int penWidth) {
  RECT bounds{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
  for (const POINT& p : points) {
    bounds.left = std::min(bounds.left, p.x);
    bounds.top = std::min(bounds.top, p.y);
    bounds.right = std::max(bounds.right, p.x + 1);
    bounds.bottom = std::max(bounds.bottom, p.y + 1);
  }
  InflateRect(&bounds, penWidth + 1, penWidth + 1);
  return bounds;
}

void DrawThinLine(PixelMask& mask, int x0, int y0, int x1, int y1) {
  int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int error = dx + dy;
  while (x0 != x1 || y0 != y1) {
    mask.SetPixel(x0, y0, PixelMask::kPen);
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
