#include "qt/ShapeMask.h"

namespace layer {

QPainter& ShapeMask::Painter() {
  if (!m_painter) {
    const RECT& area = m_mask.Area();
    m_image = QImage(m_mask.Rows(), area.right - area.left, area.bottom - area.top, m_mask.Stride(),
                     QImage::Format_Grayscale8);
    m_painter = std::make_unique<QPainter>(&m_image);
    m_painter->setRenderHint(QPainter::Antialiasing, false);
    m_painter->setCompositionMode(QPainter::CompositionMode_Source);
    m_painter->translate(-area.left, -area.top);
  }
  return *m_painter;
}

void ShapeMask::Apply() {
  m_painter.reset();
  m_mask.Apply();
}

}  // namespace layer
