// Drawing a CAP picture through a device context.
#include "imaging/raster/CCapImage.h"
#include "win32/Gdi.h"

void CCapImage::Draw(HDC dc, int x, int y) {
  if (m_scaled.empty()) return;
  std::vector<POINT> points(m_scaled);
  for (POINT& p : points) p.x += x, p.y += y;
  const std::vector<DWORD> lengths(m_lengths.begin(), m_lengths.end());
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  HGDIOBJ previous = SelectObject(dc, pen);
  // A device that refuses them all at once gets them one by one.
  if (!PolyPolyline(dc, points.data(), lengths.data(), static_cast<DWORD>(lengths.size()))) {
    const POINT* at = points.data();
    for (DWORD length : lengths) {
      Polyline(dc, at, static_cast<int>(length));
      at += length;
    }
  }
  SelectObject(dc, previous);
  DeleteObject(pen);
}
