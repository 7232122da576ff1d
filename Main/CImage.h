// A picture child of a frame: the picture file it names, how large it is laid
// out in the frame, its hotspot entries and the view that loads and shows
// the file. A picture whose file is missing or does not load has no view and
// is laid out all the same.
#pragma once

#include "Main/BorderDraw.h"
#include "foundation/CDynBuf.h"
#include "mfc/CObject.h"
#include "mfc/CRect.h"
#include "mfc/CString.h"

class CFrame;
class CPicView;
class FrameView;
class PictureView;

class CImage : public CObject {
 public:
  CImage(CFrame* frame, const CString& file, int width, int height, int widthPercent, int heightPercent,
         Sides margins, int zoomRule, int raster, int hotspotDraw);
  ~CImage() override;
  CImage(const CImage&) = delete;
  CImage& operator=(const CImage&) = delete;

  // TRUE when the file exists; a missing one gives way to the dummy picture
  // when that exists.
  BOOL CheckFile();
  // Places the picture (child number child of the frame) below area's bottom
  // (the frame's running layout) and grows area by it; bounds limit its
  // height where none is given. The first layout gives the view its window
  // in mainView and zooms it; later ones move it. Returns non-zero on failure.
  int Layout(CRect& area, int child, FrameView* mainView, const CRect& bounds);
  void AddHotspotEntry(const CString& first, const CString& second);
  void SetRaster(BOOL on);
  BOOL FollowsProgramZoom() const { return m_created && m_zoom_rule == 1; }
  CPicView* GetPicView() const { return m_pic_view; }
  // The view tells its picture that it goes.
  void ForgetView(const CPicView* view);

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

 private:
  BOOL Load();
  void CreateViewWindow(int child, FrameView* mainView);

  CPicView* m_pic_view = nullptr;  // the window of m_view, destroyed with the picture

};
