// Drawing a CAP picture through a device context, on screen and into bitmaps.
#include "imaging/raster/CCapImage.h"
#include "mfc/CDC.h"
#include "win32/Clipboard.h"
#include "win32/Gdi.h"

void CCapImage::DrawPoints(HDC dc, const std::vector<POINT>& source, int x, int y) const {
  if (source.empty()) return;
  std::vector<POINT> points(source);
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

void CCapImage::Draw(HDC dc, int x, int y) { DrawPoints(dc, m_scaled, x, y); }

HBITMAP CCapImage::MakeBitmap(Copy kind, int left, int top, int width, int height) const {
  if (width <= 0 || height <= 0) return nullptr;
  // The screen's bitmaps have 32 bits per pixel.
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateBitmap(width, height, 1, 32, nullptr);
  if (!bitmap) {
    DeleteDC(dc);
    return nullptr;
  }
  HGDIOBJ previous = SelectObject(dc, bitmap);
  HBRUSH background = CreateSolidBrush(m_bkColor);
  const RECT all{0, 0, width, height};
  FillRect(dc, &all, background);
  DeleteObject(background);
  CDC* device = CDC::FromHandle(dc);
  if (kind == Copy::Zoomed) {
    DrawPoints(dc, m_scaled, 0, 0);
    if (m_hotspots) HS_OnDraw(m_hotspots, device, 0, 0);
  } else {
    DrawPoints(dc, m_points, -left, -top);
    // The labels are drawn at the size of the copy and go back to the zoom.
    if (m_hotspots) {
      HS_Zoom(m_hotspots, m_standardWidth, m_standardHeight);
      HS_OnDraw(m_hotspots, device, -left, -top);
      HS_Zoom(m_hotspots, m_zoomWidth, m_zoomHeight);
    }
  }
  SelectObject(dc, previous);
  DeleteDC(dc);
  return bitmap;
}

int CCapImage::CopyToClipboard(Copy kind, int left, int top, int width, int height) const {
  HBITMAP bitmap = MakeBitmap(kind, left, top, width, height);
  if (!bitmap) return 0;
  if (!OpenClipboard(nullptr)) {
    DeleteObject(bitmap);
    return 0;
  }
  EmptyClipboard();
  SetClipboardData(CF_BITMAP, bitmap);
  CloseClipboard();
  return 1;
}

int CCapImage::CopyStandardToClipboard() const {
  return CopyToClipboard(Copy::Standard, 0, 0, m_standardWidth, m_standardHeight);
}

int CCapImage::CopyZoomedToClipboard() const { return CopyToClipboard(Copy::Zoomed, 0, 0, m_zoomWidth, m_zoomHeight); }

int CCapImage::CopyPartToClipboard(RECT part) const {
  return CopyToClipboard(Copy::Part, part.left, part.top, part.right - part.left, part.bottom - part.top);
}
