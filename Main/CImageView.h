// A scroll view that shows one picture of the raster picture library with
// its hotspots: it loads the picture, zooms it (whole, original size, fit to
// width, a dragged rectangle), centres it when it is smaller than the window,
// realises its palette, tracks the hotspot under the pointer and keeps a
// tool tip. Clicks on hotspots reach empty hooks that a derived view fills.
#pragma once

#include "interfaces/QridDib.h"
#include "mfc/CScrollView.h"
#include "mfc/CString.h"
#include "mfc/CToolTipCtrl.h"

class CImageView : public CScrollView {
  DECLARE_DYNCREATE(CImageView)

 public:
  CImageView();
  ~CImageView() override;
  CImageView(const CImageView&) = delete;
  CImageView& operator=(const CImageView&) = delete;

  BOOL Create(const RECT& rect, CWnd* parent, UINT id);

  // TRUE when the picture loaded; *error gets the decoder's error code.
  BOOL LoadImage(const char* file, int resourceId, int* error, BOOL redraw);
  BOOL LoadImageFile(const char* file, int* error, BOOL redraw) { return LoadImage(file, -1, error, redraw); }

  // 0 whole picture, 1 original size, -2 fit to width, n > 1 one n-th.
  BOOL SetZoom(int mode);
  // The last mode given, -1 after a zoom to a rectangle.
  int GetZoom() const { return m_zoom; }
  // Zooms so that rect (window coordinates) fills the window.
  virtual BOOL ZoomToRect(RECT rect);

  void CopyToClipboard();
  BOOL ImageExists() const;
  void GetImageSize(SIZE* size) const;
  void MixPalette(CImageView* other);
  void SetMarginFill(COLORREF colour, BOOL on);

  BOOL AddHotspot(const RECT& rect, const char* name, const char* link, int colourMode);
  void EnableHotspot(const CString& name, BOOL enable);
  // Shows the hotspots of name as the current ones; the same name twice does nothing.
  void SelectHotspot(const CString& name);
  BOOL GetActiveHotspot(CString& name, CString& link);
  void ClearHotspotHighlight();
  void SetHotspotDrawSettings(int a, int b, int c);
  void SetHotspotColours(int a, int b, int c, int count, const COLORREF* table1, const COLORREF* table2);

  void ToggleZoomMode();
  BOOL IsZoomMode() const { return m_zoom_mode; }
  BOOL IsDragging() const { return m_dragging; }
  void CancelZoomRect();

  // Program-wide: whether decoder errors are shown, and the decoder
  // interface that every view shares until the program ends.
  static void SetShowDecoderErrors(BOOL show);
  static void DeleteDecoderInterface();
  // The text shown for a decoder error code (none for 0).
  virtual void ShowDecoderError(int code);

  // What the view shows now, for its owners and for tests.
  int PictureType() const { return m_picture_type; }
  int ActiveHotspot() const { return m_active; }
  const CString& SelectedHotspot() const { return m_selected; }
  CPoint CentringOffset() const { return CPoint(m_offset_x, m_offset_y); }
  CSize ScrollSize() const { return m_scroll_size; }
  HS_HANDLE Hotspots() const { return m_hotspots; }
  DDIB_HANDLE Picture() const { return m_picture; }
  CRect Band() const { return m_band; }
  // The client rectangle as if the view had no scroll bars.
  CRect GetFullClientRect();
  // Realises the picture's palette; in the background unless window is the view's own.
  LRESULT RealizeImagePalette(HWND window);

  BOOL PreCreateWindow(CREATESTRUCT& create) override;
  BOOL PreTranslateMessage(MSG* msg) override;
  void OnInitialUpdate() override;
  void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView) override;
  void OnDraw(CDC* dc) override;

 protected:
  virtual BOOL IsInActiveFrame();
  virtual void FillMargins(CDC* dc, const CRect& client, int width, int height);
  virtual void OnHotspotLButtonDown(CString& /*name*/) {}
  virtual void OnHotspotRButtonDown(CString& /*name*/) {}
  virtual void OnHotspotMButtonDown(CString& /*name*/) {}
  virtual void OnHotspotLButtonDblClk(CString& /*name*/) {}
  virtual void OnHotspotRButtonUp(CString& /*name*/) {}
  virtual void OnHotspotOther(CString& /*name*/) {}
  virtual BOOL GetToolTipText(const CString& /*name*/, CString& /*text*/) { return FALSE; }

  // Where the zoomed picture's (0, 0) lies in window coordinates, negated:
  // the scroll position less the centring offset.
  CPoint Origin() const;
  CPalette* ImagePalette() const;
  void TrackHotspot(UINT flags, CPoint point);
  void EnsureToolTip();
  BOOL ZoomedSize(CSize& size) const;
  // Scroll sizes for a new zoomed size; TRUE when they changed.
  BOOL TakeScrollSize(CSize size);
  // Scrolls so that the picture point (x, y) of a picture of size before
  // lies at the window's centre in the picture's new size.
  void KeepCentre(double x, double y, CSize before, CSize after);
  void DrawBand(const CRect& band);
  void MoveBand(CPoint point);
  // The name of the active hotspot for a hook; FALSE for none.
  BOOL ActiveName(CString& name);

  afx_msg int OnCreate(LPCREATESTRUCT create);
  afx_msg void OnSize(UINT kind, int cx, int cy);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnLButtonUp(UINT flags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
  afx_msg void OnRButtonDown(UINT flags, CPoint point);
  afx_msg void OnRButtonUp(UINT flags, CPoint point);
  afx_msg void OnMButtonDown(UINT flags, CPoint point);
  afx_msg void OnSetFocus(CWnd* old);
  afx_msg void OnKillFocus(CWnd* next);
  afx_msg void OnCaptureChanged(CWnd* window);
  afx_msg LRESULT OnNcHitTest(CPoint point);
  afx_msg void OnHScroll(UINT code, UINT position, CScrollBar* bar);
  afx_msg BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message);
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  afx_msg LRESULT OnPaletteMessage(WPARAM wParam, LPARAM lParam);
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  int m_zoom = -1;
  CSize m_scroll_size{1, 1};
  DDIB_HANDLE m_picture = nullptr;
  HS_HANDLE m_hotspots = nullptr;
  BOOL m_zoom_mode = FALSE;
  BOOL m_dragging = FALSE;
  int m_picture_type = 0;
  int m_offset_x = 0;
  int m_offset_y = 0;
  BOOL m_margin_fill = FALSE;
  COLORREF m_margin_colour = 0;
  CPoint m_band_start{0, 0};
  CPoint m_band_point{0, 0};
  CRect m_band{0, 0, 0, 0};
  int m_active = -1;
  CString m_selected;
  CToolTipCtrl m_tooltip;

  DECLARE_MESSAGE_MAP()
};
