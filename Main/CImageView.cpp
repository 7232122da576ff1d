#include "Main/CImageView.h"

#include <algorithm>
#include <cstring>

#include "Main/LinkFollow.h"
#include "Main/ViewerCursor.h"
#include "interfaces/Decoder.h"
#include "mfc/AfxMessageBox.h"
#include "mfc/CClientDC.h"
#include "mfc/CPalette.h"
#include "mfc/CPen.h"
#include "mfc/CWaitCursor.h"
#include "mfc/CWinApp.h"
#include "mfc/CFrameWnd.h"
#include "win32/Gdi.h"
#include "win32/GdiPrint.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace {

constexpr int kZoomCursor = 158;

// What all picture views share: the decoder interface, whether decoder errors
// are shown, and how hotspots are drawn and labelled.
struct ViewSettings {
  DECODER_HANDLE decoder = nullptr;
  BOOL show_errors = TRUE;
  int draw[3] = {2, 1, 1};
  COLORREF colours1[256] = {};
  COLORREF colours2[256] = {};
  const char* label_face = "Arial";
  int label_size = 12;
  COLORREF label_colour = 0xFFFFFF;
  int label_high = 0;
  int label_mode = 1;
  int frame[2] = {0, 0};
};

ViewSettings& Settings() {
  static ViewSettings settings;
  return settings;
}

HCURSOR ZoomCursor() {
  HCURSOR cursor = LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(kZoomCursor));
  return cursor != nullptr ? cursor : LoadCursor(nullptr, IDC_CROSS);
}

BOOL IsRelayedMouseMessage(UINT message) {
  switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: return TRUE;
    default: return FALSE;
  }
}

// Keeps a scroll position that centres a point inside the zoomed picture.
int Clamp(double wanted, int extent, int window) {
  int at = std::max(static_cast<int>(wanted), 0);
  return std::min(at, extent - window);
}

}  // namespace

IMPLEMENT_DYNCREATE(CImageView, CScrollView)

BEGIN_MESSAGE_MAP(CImageView, CScrollView)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_RBUTTONDOWN()
  ON_WM_RBUTTONUP()
  ON_WM_MBUTTONDOWN()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
  ON_WM_CAPTURECHANGED()
  ON_WM_NCHITTEST()
  ON_WM_HSCROLL()
  ON_WM_SETCURSOR()
  ON_WM_ERASEBKGND()
  ON_MESSAGE(WM_USER, OnPaletteMessage)
END_MESSAGE_MAP()

CImageView::CImageView() {
  ViewSettings& settings = Settings();
  if (settings.decoder == nullptr) {
    settings.decoder = DDIB_NewDecoderInterface();
    std::fill(std::begin(settings.colours1), std::end(settings.colours1), 0);
    std::fill(std::begin(settings.colours2), std::end(settings.colours2), 0);
  }
  m_picture = DDIB_New();
  m_hotspots = HS_New();
}

CImageView::~CImageView() {
  DDIB_Delete(m_picture);
  HS_Delete(m_hotspots);
}

BOOL CImageView::Create(const RECT& rect, CWnd* parent, UINT id) {
  return CScrollView::Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rect, parent, id, nullptr);
}

void CImageView::SetShowDecoderErrors(BOOL show) { Settings().show_errors = show; }

void CImageView::DeleteDecoderInterface() {
  ViewSettings& settings = Settings();
  if (settings.decoder != nullptr) DDIB_DeleteDecoderInterface(settings.decoder);
  settings.decoder = nullptr;
}

void CImageView::ShowDecoderError(int code) {
  if (code == 0 || !Settings().show_errors) return;
  AfxMessageBox(DecoderErrorText(code), MB_OK | MB_ICONSTOP);
}

// Loading.

BOOL CImageView::LoadImage(const char* file, int resourceId, int* error, BOOL redraw) {
  EnsureToolTip();
  CWaitCursor wait;
  ViewSettings& settings = Settings();
  HS_DeleteHotspots(m_hotspots);
  m_active = -1;
  int decoderError = 0;
  int loaded = 0;
  if (resourceId == -1) {
    loaded = DDIB_ImageLoad(m_picture, settings.decoder, file, &m_picture_type, &decoderError, m_hotspots);
  } else {
    loaded = DDIB_ImageLoadResource(m_picture, settings.decoder, resourceId, AfxGetResourceHandle(), &m_picture_type,
                                    &decoderError);
  }
  if (error != nullptr) *error = decoderError;
  if (loaded) {
    int size[2] = {0, 0};
    DDIB_GetSize(m_picture, size);
    HS_SetImageSize(m_hotspots, size[0], size[1]);
  }
  if (m_hotspots != nullptr) {
    HS_DrawSettings(m_hotspots, settings.draw[0], settings.draw[1], settings.draw[2], 255, settings.colours1,
                    settings.colours2);
    HS_SetTextSettings(m_hotspots, settings.label_face, settings.label_size, settings.label_high,
                       settings.label_colour, settings.label_mode);
    HS_FrameSettings(m_hotspots, settings.frame[0], settings.frame[1]);
  }
  if (redraw) RealizeImagePalette(m_hWnd);
  return loaded != 0;
}

BOOL CImageView::ImageExists() const { return m_picture != nullptr && DDIB_ImageExists(m_picture) != 0; }

void CImageView::GetImageSize(SIZE* size) const {
  int extent[2] = {0, 0};
  if (ImageExists()) DDIB_GetSize(m_picture, extent);
  size->cx = extent[0];
  size->cy = extent[1];
}

void CImageView::MixPalette(CImageView* other) {
  DDIB_MixPalette(m_picture, other != nullptr ? other->m_picture : nullptr);
}

void CImageView::SetMarginFill(COLORREF colour, BOOL on) {
  m_margin_colour = colour;
  m_margin_fill = on;
}

CPalette* CImageView::ImagePalette() const {
  CPalette* palette = nullptr;
  if (m_picture == nullptr || !DDIB_GetPalette(m_picture, &palette)) return nullptr;
  return palette;
}

// Zooming.

BOOL CImageView::ZoomedSize(CSize& size) const {
  int extent[2] = {0, 0};
  if (m_picture == nullptr || !DDIB_GetZoomSize(m_picture, extent)) return FALSE;
  size = CSize(extent[0], extent[1]);
  return TRUE;
}

CRect CImageView::GetFullClientRect() {
  CRect client;
  GetClientRect(&client);
  CSize size;
  CSize bars;
  if (GetTrueClientSize(size, bars)) client = CRect(client.TopLeft(), size);
  return client;
}

BOOL CImageView::TakeScrollSize(CSize size) {
  if (size == m_scroll_size) return FALSE;
  m_scroll_size = size;
  SetScrollSizes(MM_TEXT, size);
  return TRUE;
}

void CImageView::KeepCentre(double x, double y, CSize before, CSize after) {
  CRect client;
  GetClientRect(&client);
  const int w = client.Width();
  const int h = client.Height();
  const double left = x / before.cx * after.cx - w * 0.5 + 0.5;
  const double top = y / before.cy * after.cy - h * 0.5 + 0.5;
  ScrollToPosition(CPoint(Clamp(left, after.cx, w), Clamp(top, after.cy, h)));
}

BOOL CImageView::SetZoom(int mode) {
  CWaitCursor wait;
  CSize before(0, 0);
  if (!ZoomedSize(before)) before = CSize(0, 0);
  const CPoint scroll = GetDeviceScrollPosition();
  const CRect full = GetFullClientRect();
  if (!DDIB_ImageZoom(m_picture, mode, full.left, full.top, full.right, full.bottom)) return FALSE;
  m_zoom = mode;
  CSize after;
  if (!ZoomedSize(after)) return FALSE;
  HS_Zoom(m_hotspots, after.cx, after.cy);
  SendMessage(WM_SETREDRAW, FALSE);
  TakeScrollSize(after);
  if (before.cx != 0 && before.cy != 0) {
    CRect client;
    GetClientRect(&client);
    KeepCentre(scroll.x + client.Width() / 2, scroll.y + client.Height() / 2, before, after);
  }
  SendMessage(WM_SETREDRAW, TRUE);
  UpdateBars();
  Invalidate(TRUE);
  return TRUE;
}

BOOL CImageView::ZoomToRect(RECT rect) {
  CWaitCursor wait;
  const CRect full = GetFullClientRect();
  CSize before;
  if (!ZoomedSize(before) || before.cx == 0 || before.cy == 0) return FALSE;
  CRect source(rect);
  source.OffsetRect(Origin());
  if (!DDIB_ImageZoomRect(m_picture, source.left, source.top, source.right, source.bottom, full.left, full.top,
                          full.right, full.bottom)) {
    return FALSE;
  }
  m_zoom = -1;
  CSize after;
  if (!ZoomedSize(after)) return FALSE;
  SendMessage(WM_SETREDRAW, FALSE);
  TakeScrollSize(after);
  HS_Zoom(m_hotspots, after.cx, after.cy);
  KeepCentre((source.left + source.right) * 0.5, (source.top + source.bottom) * 0.5, before, after);
  SendMessage(WM_SETREDRAW, TRUE);
  UpdateBars();
  Invalidate(TRUE);
  return TRUE;
}

// A picture loaded before the window existed gets its tool tip now.
int CImageView::OnCreate(LPCREATESTRUCT create) {
  if (CScrollView::OnCreate(create) == -1) return -1;
  EnsureToolTip();
  return 0;
}

void CImageView::OnSize(UINT kind, int cx, int cy) {
  if ((m_zoom == 0 || m_zoom == -2) && ImageExists()) {
    const CRect full = GetFullClientRect();
    CSize after;
    if (DDIB_ImageZoom(m_picture, m_zoom, full.left, full.top, full.right, full.bottom) && ZoomedSize(after)) {
      HS_Zoom(m_hotspots, after.cx, after.cy);
      TakeScrollSize(after);
    }
  }
  CScrollView::OnSize(kind, cx, cy);
  if (m_tooltip.m_hWnd != nullptr) {
    const CRect client(0, 0, cx, cy);
    m_tooltip.SetToolRect(this, 1, &client);
  }
}

// Drawing.

void CImageView::OnDraw(CDC* dc) {
  if (!ImageExists()) return;
  CRect client;
  GetClientRect(&client);
  CSize zoomed;
  if (!ZoomedSize(zoomed)) {
    FillMargins(dc, client, 0, 0);
    return;
  }
  if (zoomed != m_scroll_size) {
    m_scroll_size = zoomed;
    SetScrollSizes(MM_TEXT, zoomed);
    UpdateBars();
    Invalidate(TRUE);
    return;
  }
  m_offset_x = zoomed.cx < client.Width() ? (client.Width() - zoomed.cx) / 2 : 0;
  m_offset_y = zoomed.cy < client.Height() ? (client.Height() - zoomed.cy) / 2 : 0;
  FillMargins(dc, client, zoomed.cx, zoomed.cy);
  if (m_picture_type == 0 && m_margin_fill) {
    CPalette* palette = ImagePalette();
    if (palette != nullptr) {
      CPalette* old = dc->SelectPalette(palette, FALSE);
      dc->RealizePalette();
      const CPoint scroll = GetDeviceScrollPosition();
      dc->FillSolidRect(std::max(static_cast<int>(scroll.x), m_offset_x), std::max(static_cast<int>(scroll.y), m_offset_y),
                        std::min(client.Width(), static_cast<int>(zoomed.cx)),
                        std::min(client.Height(), static_cast<int>(zoomed.cy)), PALETTEINDEX(10));
      dc->SelectPalette(old, FALSE);
    }
  }
  DDIB_OnDraw(m_picture, dc, m_offset_x, m_offset_y);
  HS_OnDraw(m_hotspots, dc, m_offset_x, m_offset_y);
}

void CImageView::FillMargins(CDC* dc, const CRect& client, int width, int height) {
  if (!m_margin_fill) return;
  const int w = std::max(client.Width(), width);
  const int h = std::max(client.Height(), height);
  const auto fill = [&](const CRect& band) {
    if (!band.IsRectEmpty()) dc->FillSolidRect(&band, m_margin_colour);
  };
  if (height < client.Height()) {
    fill(CRect(0, 0, w, m_offset_y));
    fill(CRect(0, m_offset_y + height, w, h));
  }
  if (width < client.Width()) {
    fill(CRect(0, 0, m_offset_x, h));
    fill(CRect(m_offset_x + width, 0, w, h));
  }
}

BOOL CImageView::OnEraseBkgnd(CDC* dc) {
  HS_SetNotVisible(m_hotspots);
  return m_margin_fill ? TRUE : CScrollView::OnEraseBkgnd(dc);
}

LRESULT CImageView::OnPaletteMessage(WPARAM wParam, LPARAM /*lParam*/) {
  return RealizeImagePalette(reinterpret_cast<HWND>(wParam));
}

LRESULT CImageView::RealizeImagePalette(HWND window) {
  CPalette* palette = ImagePalette();
  if (palette == nullptr || m_hWnd == nullptr) return 0;
  CWnd* owner = GetParentFrame();
  if (owner == nullptr) owner = AfxGetMainWnd();
  if (owner == nullptr) return 0;
  CClientDC dc(owner);
  CPalette* old = dc.SelectPalette(palette, window != m_hWnd);
  if (dc.RealizePalette() > 0) OnUpdate(nullptr, 0, nullptr);
  if (old != nullptr) dc.SelectPalette(old, TRUE);
  return 0;
}

void CImageView::OnInitialUpdate() {
  CSize zoomed;
  if (!ZoomedSize(zoomed)) zoomed = CSize(1, 1);
  m_scroll_size = zoomed;
  SetScrollSizes(MM_TEXT, zoomed);
  UpdateBars();
}

void CImageView::OnActivateView(BOOL activate, CView* activateView, CView* deactiveView) {
  CScrollView::OnActivateView(activate, activateView, deactiveView);
  if (activate) RealizeImagePalette(m_hWnd);
}

BOOL CImageView::PreCreateWindow(CREATESTRUCT& create) {
  SetScrollSizes(MM_TEXT, CSize(1, 1));
  return CScrollView::PreCreateWindow(create);
}

// Hotspots.

CPoint CImageView::Origin() const {
  const CPoint scroll = GetDeviceScrollPosition();
  return CPoint(scroll.x - m_offset_x, scroll.y - m_offset_y);
}

BOOL CImageView::AddHotspot(const RECT& rect, const char* name, const char* link, int colourMode) {
  if (m_hotspots == nullptr) return FALSE;
  HS_AddHotspot(m_hotspots, rect.left, rect.top, rect.right, rect.bottom, name, link, colourMode);
  return TRUE;
}

void CImageView::EnableHotspot(const CString& name, BOOL enable) {
  if (m_hotspots != nullptr) HS_EnableHotspot(m_hotspots, name, enable);
}

void CImageView::SelectHotspot(const CString& name) {
  if (!m_selected.IsEmpty() && m_selected.Compare(name) == 0) return;
  const CPoint origin = Origin();
  const BOOL canShow = ImageExists() && m_hotspots != nullptr && m_hWnd != nullptr;
  if (!m_selected.IsEmpty() && canShow) {
    HS_ActivateHotspot(m_hotspots, m_selected, FALSE, this, origin.x, origin.y, ImagePalette());
  }
  m_selected = name;
  if (!name.IsEmpty() && canShow) HS_ActivateHotspot(m_hotspots, name, TRUE, this, origin.x, origin.y, ImagePalette());
}

BOOL CImageView::GetActiveHotspot(CString& name, CString& link) {
  if (m_active < 0 || m_hotspots == nullptr) return FALSE;
  RECT rect{};
  CString* text = nullptr;
  CString* text2 = nullptr;
  BYTE mode = 0;
  if (!HS_GetHotspot(m_hotspots, m_active, &rect, &text, &text2, &mode)) return FALSE;
  name = text != nullptr ? *text : CString();
  link = text2 != nullptr ? *text2 : CString();
  return TRUE;
}

BOOL CImageView::ActiveName(CString& name) {
  CString link;
  return GetActiveHotspot(name, link);
}

void CImageView::ClearHotspotHighlight() {
  if (ImageExists() && m_hotspots != nullptr && m_hWnd != nullptr) {
    const CPoint origin = Origin();
    HS_ClearHotspots(m_hotspots, this, origin.x, origin.y, ImagePalette());
  }
  m_active = -1;
}

void CImageView::SetHotspotDrawSettings(int a, int b, int c) {
  ViewSettings& settings = Settings();
  settings.draw[0] = a;
  settings.draw[1] = b;
  settings.draw[2] = c;
  if (m_hotspots != nullptr) HS_DrawSettings(m_hotspots, a, b, c, 255, settings.colours1, settings.colours2);
}

void CImageView::SetHotspotColours(int a, int b, int c, int count, const COLORREF* table1, const COLORREF* table2) {
  ViewSettings& settings = Settings();
  const int n = count & 0xFF;
  std::copy(table1, table1 + n, settings.colours1);
  std::copy(table2, table2 + n, settings.colours2);
  SetHotspotDrawSettings(a, b, c);
}

void CImageView::TrackHotspot(UINT flags, CPoint point) {
  const int previous = m_active;
  if (!IsInActiveFrame()) return;
  if (m_zoom_mode) {
    if (m_dragging) MoveBand(point);
    return;
  }
  if (ImageExists() && m_hotspots != nullptr) {
    const CPoint origin = Origin();
    m_active = HS_OnMouseMove(m_hotspots, this, origin.x, origin.y, static_cast<int>(flags), point.x + origin.x,
                              point.y + origin.y, ImagePalette());
  }
  if (m_tooltip.m_hWnd != nullptr) {
    if (m_active == -1 || m_active != previous) m_tooltip.Activate(FALSE);
    if (m_active != -1) m_tooltip.Activate(TRUE);
  }
}

BOOL CImageView::IsInActiveFrame() {
  const HWND active = ::GetActiveWindow();
  if (active == nullptr) return FALSE;
  if (active == ViewerMainWindow()) return TRUE;
  CWnd* frame = GetParentFrame();
  return frame != nullptr && frame->m_hWnd == active;
}

// Tool tip.

void CImageView::EnsureToolTip() {
  if (m_tooltip.m_hWnd != nullptr || m_hWnd == nullptr) return;
  if (!m_tooltip.Create(this, TTS_ALWAYSTIP)) return;
  CRect client;
  GetClientRect(&client);
  m_tooltip.AddTool(this, LPSTR_TEXTCALLBACK, &client, 1);
  m_tooltip.SetMaxTipWidth(32767);
  m_tooltip.SetDelayTime(TTDT_AUTOPOP, 32767);
  m_tooltip.SetDelayTime(TTDT_INITIAL, 200);
  m_tooltip.SetDelayTime(TTDT_RESHOW, 200);
}

BOOL CImageView::PreTranslateMessage(MSG* msg) {
  if (msg->hwnd == m_hWnd && m_tooltip.m_hWnd != nullptr && IsRelayedMouseMessage(msg->message)) {
    m_tooltip.RelayEvent(msg);
  }
  return CScrollView::PreTranslateMessage(msg);
}

BOOL CImageView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (header == nullptr || header->code != TTN_NEEDTEXT || m_tooltip.m_hWnd == nullptr ||
      header->hwndFrom != m_tooltip.m_hWnd) {
    return CScrollView::OnNotify(wParam, lParam, result);
  }
  POINT at{};
  GetCursorPos(&at);
  ScreenToClient(&at);
  CRect client;
  GetClientRect(&client);
  if (!client.PtInRect(at)) return CScrollView::OnNotify(wParam, lParam, result);
  auto* info = reinterpret_cast<NMTTDISPINFO*>(lParam);
  info->szText[0] = '\0';
  info->lpszText = info->szText;
  CString name;
  CString text;
  if (ActiveName(name) && GetToolTipText(name, text)) {
    std::strncpy(info->szText, text, sizeof info->szText - 1);
    info->szText[sizeof info->szText - 1] = '\0';
    m_tooltip.SetTipTextColor(0);
  }
  if (result != nullptr) *result = 0;
  return TRUE;
}

// Rubber band.

void CImageView::ToggleZoomMode() {
  if (!m_zoom_mode) {
    m_zoom_mode = TRUE;
    m_dragging = FALSE;
    ClearHotspotHighlight();
    return;
  }
  CancelZoomRect();
  m_zoom_mode = FALSE;
}

void CImageView::CancelZoomRect() {
  if (!m_zoom_mode || !m_dragging) return;
  DrawBand(m_band);
  m_dragging = FALSE;
  m_zoom_mode = FALSE;
  if (CWnd::GetCapture() == this) ReleaseCapture();
}

// Drawing the band twice restores what lay under it.
void CImageView::DrawBand(const CRect& band) {
  if (m_hWnd == nullptr) return;
  CClientDC dc(this);
  const int oldRop = dc.SetROP2(R2_NOT);
  CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
  CPen* oldPen = dc.SelectObject(&pen);
  CGdiObject* oldBrush = dc.SelectStockObject(HOLLOW_BRUSH);
  dc.Rectangle(&band);
  dc.SelectObject(oldPen);
  if (oldBrush != nullptr) dc.SelectObject(oldBrush);
  dc.SetROP2(oldRop);
}

void CImageView::MoveBand(CPoint point) {
  m_band_point = point;
  const CRect band(m_band_start, point);
  if (band == m_band) return;
  DrawBand(m_band);
  m_band = band;
  DrawBand(m_band);
}

// Mouse.

void CImageView::OnMouseMove(UINT flags, CPoint point) {
  if (!IsInActiveFrame()) {
    CScrollView::OnMouseMove(flags, point);
    return;
  }
  TrackHotspot(flags, point);
}

void CImageView::OnLButtonDown(UINT flags, CPoint point) {
  TrackHotspot(flags, point);
  if (!IsInActiveFrame()) {
    CScrollView::OnLButtonDown(flags, point);
    return;
  }
  if (m_zoom_mode) {
    m_dragging = TRUE;
    m_band_start = m_band_point = point;
    m_band = CRect(point, point);
    DrawBand(m_band);
    SetCapture();
  }
  CString name;
  if (ActiveName(name)) OnHotspotLButtonDown(name);
}

void CImageView::OnLButtonUp(UINT flags, CPoint point) {
  TrackHotspot(flags, point);
  if (!IsInActiveFrame()) {
    CScrollView::OnLButtonUp(flags, point);
    return;
  }
  if (!m_dragging) return;
  MoveBand(point);
  DrawBand(m_band);
  m_dragging = FALSE;
  if (CWnd::GetCapture() == this) ReleaseCapture();
  CRect band = m_band;
  band.NormalizeRect();
  if (!band.IsRectEmpty()) {
    ZoomToRect(band);
    Invalidate(TRUE);
    UpdateWindow();
  }
  m_zoom_mode = FALSE;
}

void CImageView::OnLButtonDblClk(UINT flags, CPoint point) {
  TrackHotspot(flags, point);
  if (!IsInActiveFrame()) {
    CScrollView::OnLButtonDblClk(flags, point);
    return;
  }
  CString name;
  if (ActiveName(name)) OnHotspotLButtonDblClk(name);
}

void CImageView::OnRButtonDown(UINT flags, CPoint point) {
  TrackHotspot(flags, point);
  if (!IsInActiveFrame()) {
    CScrollView::OnRButtonDown(flags, point);
    return;
  }
  CString name;
  if (ActiveName(name)) OnHotspotRButtonDown(name);
}

void CImageView::OnRButtonUp(UINT flags, CPoint point) {
  TrackHotspot(flags, point);
  if (IsInActiveFrame()) {
    CString name;
    if (ActiveName(name)) OnHotspotRButtonUp(name);
  }
  // The default handling turns the release into the context menu.
  CScrollView::OnRButtonUp(flags, point);
}

void CImageView::OnMButtonDown(UINT flags, CPoint point) {
  TrackHotspot(flags, point);
  if (!IsInActiveFrame()) {
    CScrollView::OnMButtonDown(flags, point);
    return;
  }
  CString name;
  if (ActiveName(name)) OnHotspotMButtonDown(name);
}

void CImageView::OnSetFocus(CWnd* old) {
  CScrollView::OnSetFocus(old);
  ClearHotspotHighlight();
}

void CImageView::OnKillFocus(CWnd* next) {
  ClearHotspotHighlight();
  CancelZoomRect();
  CScrollView::OnKillFocus(next);
}

void CImageView::OnCaptureChanged(CWnd* window) {
  ClearHotspotHighlight();
  CancelZoomRect();
  CScrollView::OnCaptureChanged(window);
}

LRESULT CImageView::OnNcHitTest(CPoint point) {
  const LRESULT hit = CScrollView::OnNcHitTest(point);
  if (hit != HTCLIENT) {
    ClearHotspotHighlight();
    CancelZoomRect();
  }
  return hit;
}

void CImageView::OnHScroll(UINT code, UINT position, CScrollBar* bar) {
  CRect client;
  GetClientRect(&client);
  const CRect left(client.left, client.top, client.left + 2, client.bottom);
  const CRect right(client.right - 2, client.top, client.right, client.bottom);
  InvalidateRect(&left, TRUE);
  InvalidateRect(&right, TRUE);
  CScrollView::OnHScroll(code, position, bar);
}

BOOL CImageView::OnSetCursor(CWnd* window, UINT hitTest, UINT message) {
  if (!IsInActiveFrame() || hitTest != HTCLIENT) return CScrollView::OnSetCursor(window, hitTest, message);
  SetCursorOnce(m_zoom_mode ? ZoomCursor() : LoadCursor(nullptr, IDC_ARROW));
  return TRUE;
}

// Clipboard.

void CImageView::CopyToClipboard() {
  CSize zoomed;
  if (!ImageExists() || !ZoomedSize(zoomed)) return;
  const CRect full = GetFullClientRect();
  if (zoomed.cx <= full.Width() && zoomed.cy <= full.Height()) {
    DDIB_ImageZoomCopyToClipboard(m_picture);
    return;
  }
  CRect part;
  GetClientRect(&part);
  part.OffsetRect(GetDeviceScrollPosition());
  part.left = std::min(static_cast<int>(part.left), static_cast<int>(zoomed.cx) - 1);
  part.right = std::min(static_cast<int>(part.right), static_cast<int>(zoomed.cx) - 1);
  part.top = std::min(static_cast<int>(part.top), static_cast<int>(zoomed.cy) - 1);
  part.bottom = std::min(static_cast<int>(part.bottom), static_cast<int>(zoomed.cy) - 1);
  DDIB_ImagePartCopyToClipboard(m_picture, part.left, part.top, part.right, part.bottom);
}
