// A picture child of a frame: the picture file it names, how large it is laid
// out in the frame, and its hotspot entries. The picture's own view, which
// loads and shows the file, comes with the picture views.
#pragma once

#include "Main/BorderDraw.h"
#include "foundation/CDynBuf.h"
#include "mfc/CObject.h"
#include "mfc/CRect.h"
#include "mfc/CString.h"

class CFrame;
class PictureView;

class CImage : public CObject {
 public:
  CImage(CFrame* frame, const CString& file, int width, int height, int widthPercent, int heightPercent,
         Sides margins, int zoomRule, int raster, int hotspotDraw);

  // Places the picture below area's bottom (the frame's running layout) and
  // grows area by it; bounds limit its height where none is given. Returns
  // non-zero on failure.
  int Layout(CRect& area, const CRect& bounds, CPoint scroll);
  void AddHotspotEntry(const CString& first, const CString& second);
  void SetRaster(BOOL on);

  CString m_file;
  CFrame* m_frame;  // not owned
  int m_width;
  int m_height;
  int m_width_percent;
  int m_height_percent;
  Sides m_margins;
  int m_zoom_rule;
  int m_raster;
  int m_hotspot_draw;
  BOOL m_created = FALSE;
  CRect m_rect;
  CDynBuf m_hotspots;
  PictureView* m_view = nullptr;  // none when the picture could not be loaded; not owned
  int m_saved_raster;
};
