// One clickable region of a picture: a named rectangle, or the ellipse
// inscribed in it, kept in picture coordinates and in display coordinates.
#pragma once

#include "mfc/CObject.h"
#include "mfc/CString.h"
#include "win32/Types.h"

class CDC;
class CWnd;
class CPalette;
class CHotspots;

class CHotspot : public CObject {
  DECLARE_DYNCREATE(CHotspot)

 public:
  CHotspot();
  CHotspot(CHotspots* owner, int left, int top, int right, int bottom, const char* text, const char* text2,
           int flags);

  int HitTest(int x, int y) const;
  int CentreDistance(int x, int y) const;
  void Zoom(int width, int height, int imageWidth, int imageHeight);
  void Scale(int imageWidth, int imageHeight, int newWidth, int newHeight);

  void SetActive(BOOL on, CWnd* window, int scrollX, int scrollY, CPalette* palette);
  void SetSelected(BOOL on, CWnd* window, int scrollX, int scrollY);
  int OnMouseMove(CWnd* window, int scrollX, int scrollY, int x, int y, CPalette* palette);
  void Draw(CDC* dc, int dx, int dy);

  BOOL IsActiveOnTop() const;
  BOOL IsActive() const { return m_bEnabled && m_bActive; }
  BOOL IsSelected() const { return m_bEnabled && m_bSelected; }
  BOOL IsEnabled() const { return m_bEnabled; }
  void SetEnabled(BOOL on) { m_bEnabled = on; }
  void SetColorMode(BYTE mode) { m_nColorMode = mode; }
  void GetHotspot(RECT& rect, CString*& text, CString*& text2, BYTE& mode);
  void SetNotVisible() {}

  const RECT& PictureRect() const { return m_rcPicture; }
  const RECT& DisplayRect() const { return m_rcDisplay; }
  const CString& Text() const { return m_strText; }
  const CString& Text2() const { return m_strText2; }
  BYTE ColorMode() const { return static_cast<BYTE>(m_nColorMode); }

 private:
  int EllipseHitTest(int x, int y) const;
  void Redraw(CWnd* window, int scrollX, int scrollY, CPalette* palette);
  void InvertShape(CDC* dc, const RECT& shape, BOOL withFramePen);
  void InvertOutline(CDC* dc, const RECT& frame);
  void DrawFrame(CDC* dc, const RECT& frame);
  void DrawLabel(CDC* dc, const RECT& box);
  BOOL NeedsInvertPass() const;
  BOOL NeedsFramePass() const;

  RECT m_rcPicture = {};
  RECT m_rcDisplay = {};
  CString m_strText;
  CString m_strText2;
  int m_nColorMode = 0;
  BOOL m_bEnabled = TRUE;
  BOOL m_bActive = FALSE;
  BOOL m_bSelected = FALSE;
  CHotspots* m_pOwner = nullptr;
  BOOL m_bRedraw = FALSE;
};

// The hit test runs for every hotspot on every mouse move; it lives here so
// that the list's loops can inline it.
#include "CHotspots.h"

inline int CHotspot::HitTest(int x, int y) const {
  if (!m_bEnabled) return 0;
  if (m_pOwner && m_pOwner->m_nShape == 2) return EllipseHitTest(x, y);
  const RECT& r = m_rcDisplay;
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom ? 1 : 0;
}

inline int CHotspot::OnMouseMove(CWnd* window, int scrollX, int scrollY, int x, int y, CPalette* palette) {
  if (!m_bEnabled) return 0;
  BOOL hit = HitTest(x, y);
  if (hit == m_bActive) return 0;
  SetActive(hit, window, scrollX, scrollY, palette);
  return 1;
}
