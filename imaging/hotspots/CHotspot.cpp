#include "CHotspot.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "CHotspots.h"
#include "win32/UserWindows.h"

IMPLEMENT_DYNCREATE(CHotspot, CObject)

CHotspot::CHotspot() = default;

CHotspot::CHotspot(CHotspots* owner, int left, int top, int right, int bottom, const char* text,
                   const char* text2, int flags)
    : m_rcPicture{left, top, right, bottom},
      m_rcDisplay{left, top, right, bottom},
      m_strText(text ? text : ""),
      m_strText2(text2 ? text2 : ""),
      m_nColorMode(flags & 0xFF),
      m_pOwner(owner) {}

int CHotspot::EllipseHitTest(int x, int y) const {
  const RECT& r = m_rcDisplay;
  // 64 bits, so that coordinates read from a damaged file cannot overflow.
  std::int64_t hx = (std::int64_t{r.right} - r.left) / 2;
  std::int64_t hy = (std::int64_t{r.bottom} - r.top) / 2;
  // An ellipse without width or height is taken as its rectangle, which is
  // then a line of pixels at most.
  if (hx == 0 || hy == 0) return x >= r.left && x < r.right && y >= r.top && y < r.bottom ? 1 : 0;
  double qx = static_cast<double>(x - (std::int64_t{r.left} + r.right) / 2) / static_cast<double>(hx);
  double qy = static_cast<double>(y - (std::int64_t{r.top} + r.bottom) / 2) / static_cast<double>(hy);
  return qx * qx + qy * qy <= 1.0 ? 1 : 0;
}

int CHotspot::CentreDistance(int x, int y) const {
  // Wide enough that far-off coordinates cannot overflow; the distance
  // saturates instead, which only matters for ties among absurd values.
  std::int64_t dx = (static_cast<std::int64_t>(m_rcDisplay.left) + m_rcDisplay.right) / 2 - x;
  std::int64_t dy = (static_cast<std::int64_t>(m_rcDisplay.top) + m_rcDisplay.bottom) / 2 - y;
  std::int64_t distance = dx * dx + dy * dy;
  return static_cast<int>(std::min<std::int64_t>(distance, std::numeric_limits<int>::max()));
}

void CHotspot::Zoom(int width, int height, int imageWidth, int imageHeight) {
  m_rcDisplay.left = MulDiv(m_rcPicture.left, width, imageWidth);
  m_rcDisplay.right = MulDiv(m_rcPicture.right, width, imageWidth);
  m_rcDisplay.top = MulDiv(m_rcPicture.top, height, imageHeight);
  m_rcDisplay.bottom = MulDiv(m_rcPicture.bottom, height, imageHeight);
  m_bActive = FALSE;
}

void CHotspot::Scale(int imageWidth, int imageHeight, int newWidth, int newHeight) {
  m_rcPicture.left = MulDiv(m_rcPicture.left, newWidth, imageWidth);
  m_rcPicture.right = MulDiv(m_rcPicture.right, newWidth, imageWidth);
  m_rcPicture.top = MulDiv(m_rcPicture.top, newHeight, imageHeight);
  m_rcPicture.bottom = MulDiv(m_rcPicture.bottom, newHeight, imageHeight);
}

void CHotspot::SetActive(BOOL on, CWnd* window, int scrollX, int scrollY, CPalette* palette) {
  on = on ? TRUE : FALSE;
  if (on == m_bActive) return;
  m_bActive = on;
  m_bRedraw = TRUE;
  Redraw(window, scrollX, scrollY, palette);
  m_bRedraw = FALSE;
}

BOOL CHotspot::IsActiveOnTop() const {
  int highlight = m_pOwner ? (m_pOwner->m_nDrawStyle & 0x0F) : 0;
  return m_bEnabled && m_bActive && (highlight == 3 || highlight == 4);
}

void CHotspot::GetHotspot(RECT& rect, CString*& text, CString*& text2, BYTE& mode) {
  rect = m_rcPicture;
  text = &m_strText;
  text2 = &m_strText2;
  mode = ColorMode();
}
