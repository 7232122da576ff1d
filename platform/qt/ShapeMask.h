// A pixel mask that Qt's painter can draw shapes and wide lines into.
#pragma once

#include <QImage>
#include <QPainter>
#include <memory>

#include "win32/PixelMask.h"

namespace layer {

class ShapeMask {
 public:
  static constexpr int kBrush = PixelMask::kBrush;
  static constexpr int kPen = PixelMask::kPen;

  // A mask over the given device rectangle (clipped to what the context may touch).
  ShapeMask(DeviceContext& context, RECT deviceArea) : m_mask(context, deviceArea) {}
  bool Empty() const { return m_mask.Empty(); }
  // A painter in device coordinates, without antialiasing.
  QPainter& Painter();
  PixelMask& Pixels() { return m_mask; }
  // Mixes the mask into the target (see PixelMask).
  void Apply();

 private:
  PixelMask m_mask;
  QImage m_image;  // over the mask's rows
  std::unique_ptr<QPainter> m_painter;
};

inline void DrawThinLine(ShapeMask& mask, int x0, int y0, int x1, int y1) {
  DrawThinLine(mask.Pixels(), x0, y0, x1, y1);
}

}  // namespace layer
