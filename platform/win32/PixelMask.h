// Lines and shapes are drawn into a mask first and then mixed into the target
// pixel by pixel, so that every pixel is touched once and the ROP2 modes
// (R2_NOT, R2_XORPEN ...) invert exactly what the platform inverts. Thin
// lines set single pixels: those are kept as a list until the mask's rows
// are needed, so that a long line costs its pixels, not its bounding box.
// (not for the system's code)
#pragma once

#include <cstdint>
#include <vector>

#include "win32/GdiObjects.h"

namespace layer {

class PixelMask {
 public:
  static constexpr int kBrush = 128;
  static constexpr int kPen = 255;

  // A mask over the given device rectangle (clipped to what the context may
  // touch). A mask of pen pixels only (thin lines) puts them straight onto a
  // one-bit target when the mix makes one level of every pixel there.
  PixelMask(DeviceContext& context, RECT deviceArea, bool penOnly = false);
  bool Empty() const { return m_area.right <= m_area.left || m_area.bottom <= m_area.top; }
  const RECT& Area() const { return m_area; }
  // Inline: a thin line sets its pixels one by one.
  void SetPixel(int x, int y, int value) {
    if (x < m_area.left || y < m_area.top || x >= m_area.right || y >= m_area.bottom) return;
    if (m_straightTarget && value == kPen)
      m_straightTarget->NarrowRow(y)[x] = m_straightLevel;
    else if (!m_rowsMade)
      m_pixels.push_back(Pixel{x, y, value});
    else
      m_rows[static_cast<std::size_t>(y - m_area.top) * Stride() + (x - m_area.left)] = static_cast<std::uint8_t>(value);
  }
  // The mask as rows of one byte a pixel, Stride() bytes apart, from the
  // area's top-left corner; made from the pixels set so far.
  std::uint8_t* Rows();
  int Stride() const { return m_area.right - m_area.left; }
  // Mixes the mask into the target: pen pixels with the pen colour, brush
  // pixels with the brush colour, both by the context's ROP2 mode.
  void Apply();

 private:
  struct Pixel {
    int x, y, value;
  };
  // Mixes each mask pixel into the row pixel at its place.
  template <class RowOf, class Mix>
  void MixInto(RowOf rowOf, Mix mix);
  // The same on a narrow target; false (nothing done) when the mixing would
  // give a pixel that is neither black nor white.
  template <class Mix>
  bool MixNarrow(Surface& target, Mix& mix);

  DeviceContext& m_context;
  RECT m_area{};
  Surface* m_straightTarget = nullptr;  // pen pixels go straight here
  std::uint8_t m_straightLevel = 0;
  std::vector<Pixel> m_pixels;  // set before there were rows
  std::vector<std::uint8_t> m_rows;
  bool m_rowsMade = false;
};

// What the context's pen and brush draw.
bool HasPen(const DeviceContext& context);
bool HasBrush(const DeviceContext& context);
int PenWidth(const DeviceContext& context);
// The device rectangle that points cover, widened by a pen.
RECT BoundsOf(const std::vector<POINT>& points, int penWidth);

// A one-pixel line from (x0, y0) to (x1, y1) without its last point, as the platform draws it.
void DrawThinLine(PixelMask& mask, int x0, int y0, int x1, int y1);

}  // namespace layer
