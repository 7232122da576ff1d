// Lines and shapes are drawn by Qt into a mask first and then mixed into the
// target pixel by pixel, so that every pixel is touched once and the ROP2
// modes (R2_NOT, R2_XORPEN ...) invert exactly what the platform inverts.
// Thin lines set single pixels: those are kept as a list until a painter is
// needed, so that a long line costs its pixels, not its bounding box.
#pragma once

#include <QImage>
#include <QPainter>
#include <vector>

#include "win32/GdiObjects.h"

namespace layer {

class ShapeMask {
 public:
  static constexpr int kBrush = 128;
  static constexpr int kPen = 255;

  // A mask over the given device rectangle (clipped to what the context may touch).
  ShapeMask(DeviceContext& context, RECT deviceArea);
  bool Empty() const { return m_area.right <= m_area.left || m_area.bottom <= m_area.top; }
  // A painter in device coordinates, without antialiasing.
  QPainter& Painter();
  void SetPixel(int x, int y, int value);
  // Mixes the mask into the target: pen pixels with the pen colour, brush
  // pixels with the brush colour, both by the context's ROP2 mode.
  void Apply();

 private:
  struct Pixel {
    int x, y, value;
  };
  void MakeImage();
  // Mixes each mask pixel into the row pixel at its place.
  template <class RowOf, class Mix>
  void MixInto(RowOf rowOf, Mix mix);
  // The same on a narrow target; false (nothing done) when the mixing would
  // give a pixel that is neither black nor white.
  template <class Mix>
  bool MixNarrow(Surface& target, Mix& mix);

  DeviceContext& m_context;
  RECT m_area{};
  std::vector<Pixel> m_pixels;  // set before there was an image
  QImage m_mask;
  bool m_imageMade = false;
  std::unique_ptr<QPainter> m_painter;
};

// A one-pixel line from (x0, y0) to (x1, y1) without its last point, as the platform draws it.
void DrawThinLine(ShapeMask& mask, int x0, int y0, int x1, int y1);

}  // namespace layer
