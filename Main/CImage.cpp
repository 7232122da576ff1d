#include "Main/CImage.h"

#include <algorithm>

#include "Main/CErrorDlg.h"
#include "Main/CErrorTrace.h"
#include "Main/CFace.h"
#include "Main/CFrame.h"
#include "Main/CPicView.h"
#include "Main/CWV4Globals.h"
#include "Main/FrameView.h"
#include "win32/Files.h"
#include "win32/UserMessages.h"

namespace {

constexpr int ERR_PICTURE_MISSING = 229;
constexpr int ERR_PICTURE_LOAD = 511;
// Picture views are numbered after the frame's panes' own ids.
constexpr UINT kFirstPictureViewId = 0xE100;

int Percent(int whole, int percent) { return static_cast<int>(static_cast<long long>(whole) * percent / 100); }

BOOL FileExists(const CString& path) {
  if (path.IsEmpty()) return FALSE;
  const DWORD attributes = GetFileAttributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// A picture that cannot be shown is logged; the key is shown without it.
void Report(int line, int code, const CString& detail, int value) {
  CErrorTrace* node = ERROR_TRACE_PUSH();
  node->Fail(line, SEVERITY_LOG, code, detail, value);
  CErrorDlg::ReportAndRemove(node);
}

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
  if (CheckFile()) Load();
}

CImage::~CImage() {
  CPicView* view = m_pic_view;
  if (view == nullptr) return;
  view->AttachPicture(nullptr);
  m_pic_view = nullptr;
  m_view = nullptr;
  view->DestroyView();
}

BOOL CImage::CheckFile() {
  if (FileExists(m_file)) return TRUE;
  if (FileExists(theGlobals.m_dummy_pic)) {
    Report(__LINE__, ERR_PICTURE_MISSING, m_file, 0);
    m_file = theGlobals.m_dummy_pic;
    return TRUE;
  }
  Report(__LINE__, ERR_PICTURE_MISSING, theGlobals.m_dummy_pic, 0);
  return FALSE;
}

// The decoder's error is shown once, here; the picture then stays empty.
BOOL CImage::Load() {
  auto* view = new CPicView;
  view->AttachFrame(m_frame);
  if (m_frame != nullptr) view->SetMarginFill(m_frame->m_bkcolor, TRUE);
  int error = 0;
  if (!view->LoadImageFile(m_file, &error, FALSE)) {
    Report(__LINE__, ERR_PICTURE_LOAD, m_file, error);
    view->ShowDecoderError(error);
    view->AttachFrame(nullptr);
    delete view;
    return FALSE;
  }
  view->AttachPicture(this);
  m_pic_view = view;
  m_view = view;
  if (m_frame != nullptr && m_frame->m_face != nullptr) m_frame->m_face->AddView(view);
  view->SetCaseSensitive(theGlobals.m_hs_is_case_sensitive);
  return TRUE;
}

void CImage::ForgetView(const CPicView* view) {
  if (view != m_pic_view) return;
  m_pic_view = nullptr;
  m_view = nullptr;
  m_created = FALSE;
}

int CImage::Layout(CRect& area, int child, FrameView* mainView, const CRect& bounds) {
  const Sides& m = m_margins;
  CRect inner(0, 0, area.Width(), 0);
  inner.DeflateRect(m.left, m.top, m.right, m.bottom);
  ::NormalizeRect(inner);
  int width = m_width;
  int height = m_height;
  if (width == 0 && height == 0 && m_zoom_rule == 0) {
    if (m_pic_view != nullptr) {
      SIZE size{0, 0};
      m_pic_view->GetImageSize(&size);
      width = size.cx;
      height = size.cy;
    } else {
      width = bounds.right - m.right - m.left;
      height = bounds.bottom - m.bottom - m.top;
    }
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
  m_rect = placed - (mainView != nullptr ? mainView->ScrollPosition() : CPoint(0, 0));
  if (m_pic_view == nullptr) return 0;
  if (!m_created) {
    CreateViewWindow(child, mainView);
  } else {
    // A maximised frame's views come back from the frame window.
    CWnd* parent = mainView != nullptr ? mainView->ButtonParent() : nullptr;
    if (parent != nullptr && m_pic_view->GetParent() != parent) m_pic_view->SetParent(parent);
    m_pic_view->MoveWindow(&m_rect, TRUE);
    if (m_frame != nullptr) m_frame->AttachChildView(m_pic_view, child);
  }
  return 0;
}

void CImage::CreateViewWindow(int child, FrameView* mainView) {
  CWnd* parent = mainView != nullptr ? mainView->ButtonParent() : nullptr;
  if (parent == nullptr || m_frame == nullptr) return;
  CPicView* view = m_pic_view;
  if (m_hotspots.GetLength() > 0) view->ReadHotspotList(m_hotspots);
  view->EnableHotspot("?", FALSE);
  if (!view->Create(m_rect, parent, kFirstPictureViewId + static_cast<UINT>(child))) return;
  m_frame->AttachChildView(view, child);
  view->SendMessage(WM_USER, reinterpret_cast<WPARAM>(view->m_hWnd), 0);
  int zoom = 0;
  if (m_zoom_rule == 0) {
    zoom = 1;
  } else if (m_zoom_rule == 1) {
    if (theGlobals.m_ZoomFactor != 0 && theGlobals.m_ZoomFactor != -2) theGlobals.m_ZoomFactor = 0;
    zoom = theGlobals.m_ZoomFactor;
  }
  view->SetZoom(zoom);
  m_created = TRUE;
}

void CImage::AddHotspotEntry(const CString& first, const CString& second) {
  m_hotspots.Append(first);
  if (!second.IsEmpty()) {
    m_hotspots.Append(',');
    m_hotspots.Append(second);
  }
  m_hotspots.Append('\0');
}

// Switching off twice must not lose the described setting to the 0 of the first.
void CImage::SetRaster(BOOL on) {
  if (!on) {
    if (m_raster != 0) m_saved_raster = m_raster;
    m_raster = 0;
  } else if (m_saved_raster >= 0) {
    m_raster = m_saved_raster;
  }
  if (m_pic_view != nullptr && m_pic_view->m_hWnd != nullptr) m_pic_view->Invalidate(TRUE);
}
