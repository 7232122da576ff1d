#include "Main/CImage.h"

#include <algorithm>

#include "Main/CWV4Globals.h"

namespace {

int Percent(int whole, int percent) { return static_cast<int>(static_cast<long long>(whole) * percent / 100); }

}  // namespace

CImage::CImage(CFrame* frame, const CString& file, int width, int height, int widthPercent, int heightPercent,
               Sides margins, int zoomRule, int raster, int hotspotDraw)
    : m_file(file),
      m_frame(frame),
      m_width(width),
      m_height(height),
      m_width_percent(widthPercent),
      m_height_percent(heightPercent),
      m_margins(margins),
      m_zoom_rule(zoomRule),
      m_raster(theGlobals.m_raster_on ? raster : 0),
      m_hotspot_draw(hotspotDraw),
      m_saved_raster(raster) {
  m_hotspots.SetGrowBy(64);
}

int CImage::Layout(CRect& area, const CRect& bounds, CPoint scroll) {
  const Sides& m = m_margins;
  CRect inner(0, 0, area.Width(), 0);
  inner.DeflateRect(m.left, m.top, m.right, m.bottom);
  ::NormalizeRect(inner);
  int width = m_width;
  int height = m_height;
  if (width == 0 && height == 0 && m_zoom_rule == 0) {
    width = bounds.right - m.right - m.left;
    height = bounds.bottom - m.bottom - m.top;
  }
  int w = width == 0 ? inner.Width() : m_width_percent ? Percent(inner.Width(), width) : width;
  int h = 0;
  if (height == 0) {
    h = bounds.bottom - m.bottom - m.top - bounds.top;
    w = std::max(w, 0);
    h = std::max(h, 0);
  } else if (m_height_percent) {
    CRect limits = bounds;
    limits.DeflateRect(m.left, m.top, m.right, m.bottom);
    ::NormalizeRect(limits);
    h = Percent(limits.Height(), height);
  } else {
    h = height;
  }
  CRect placed(area.left + m.left, area.bottom + m.top, area.left + m.left + w, area.bottom + m.top + h);
  if (m_zoom_rule == 0) {
    CRect across = area;
    across.DeflateRect(m.left, 0, m.right, 0);
    if (across.Width() >= w) placed.OffsetRect((across.left + across.right) / 2 - w / 2 - placed.left, 0);
    CRect down = bounds;
    down.DeflateRect(0, m.top, 0, m.bottom);
    if (down.Height() >= h) placed.OffsetRect(0, (down.top + down.bottom) / 2 - h / 2 - placed.top);
  }
  area.bottom = placed.bottom + m.bottom;
  area.right = std::max(area.right, placed.right + m.right);
  m_rect = placed - scroll;
  return 0;
}

void CImage::AddHotspotEntry(const CString& first, const CString& second) {
  m_hotspots.Append(first);
  if (!second.IsEmpty()) {
    m_hotspots.Append(',');
    m_hotspots.Append(second);
  }
  m_hotspots.Append('\0');
}

void CImage::SetRaster(BOOL on) {
  if (!on) {
    m_saved_raster = m_raster;
    m_raster = 0;
  } else if (m_saved_raster >= 0) {
    m_raster = m_saved_raster;
  }
}
