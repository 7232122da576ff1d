#include "VodDevicePen.h"

namespace vod {

VodDevicePen::VodDevicePen(HDC dc) : m_dc(dc), m_previous(GetCurrentObject(dc, OBJ_PEN)) {}

VodDevicePen::~VodDevicePen() {
  if (!m_pen) return;
  SelectObject(m_dc, m_previous ? m_previous : GetStockObject(BLACK_PEN));
  DeleteObject(m_pen);
}

void VodDevicePen::Select(int width) {
  if (m_pen && width == m_width) return;
  HPEN pen = CreatePen(PS_SOLID, width < 0 ? 0 : width, RGB(0, 0, 0));
  if (!pen) return;
  SelectObject(m_dc, pen);
  if (m_pen) DeleteObject(m_pen);
  m_pen = pen;
  m_width = width;
}

}  // namespace vod
