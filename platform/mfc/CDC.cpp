#include "mfc/CDC.h"

#include <map>

#include "mfc/TemporaryMap.h"

IMPLEMENT_DYNCREATE(CDC, CObject)

namespace {

TemporaryMap<HDC, CDC>& Temporary() {
  static thread_local TemporaryMap<HDC, CDC> temporary([](CDC& wrapper) { wrapper.Detach(); });
  return temporary;
}

template <class Wrapper>
Wrapper* Wrap(HGDIOBJ old) {
  return static_cast<Wrapper*>(CGdiObject::FromHandle(old));
}

}  // namespace

CDC::~CDC() { ReleaseHandle(); }

void CDC::ReleaseHandle() {
  if (m_hDC) ::DeleteDC(Detach());
}

BOOL CDC::Attach(HDC dc) {
  if (!dc) return FALSE;
  m_hDC = m_hAttribDC = dc;
  return TRUE;
}

HDC CDC::Detach() {
  HDC dc = m_hDC;
  m_hDC = m_hAttribDC = nullptr;
  return dc;
}

CDC* CDC::FromHandle(HDC dc) {
  if (!dc) return nullptr;
  return Temporary().Find(dc, [dc] {
    auto* wrapper = new CDC;
    wrapper->Attach(dc);
    return wrapper;
  });
}

void CDC::DeleteTempMap() {
  Temporary().Clear();
}

BOOL CDC::CreateCompatibleDC(CDC* dc) { return Attach(::CreateCompatibleDC(dc ? dc->m_hDC : nullptr)); }

BOOL CDC::DeleteDC() {
  if (!m_hDC) return FALSE;
  return ::DeleteDC(Detach());
}

int CDC::SaveDC() { return ::SaveDC(m_hDC); }
BOOL CDC::RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved); }
int CDC::GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }

CPen* CDC::SelectObject(CPen* pen) { return Wrap<CPen>(::SelectObject(m_hDC, pen ? pen->m_hObject : nullptr)); }
CBrush* CDC::SelectObject(CBrush* brush) {
  return Wrap<CBrush>(::SelectObject(m_hDC, brush ? brush->m_hObject : nullptr));
}
CFont* CDC::SelectObject(CFont* font) { return Wrap<CFont>(::SelectObject(m_hDC, font ? font->m_hObject : nullptr)); }
CBitmap* CDC::SelectObject(CBitmap* bitmap) {
  return Wrap<CBitmap>(::SelectObject(m_hDC, bitmap ? bitmap->m_hObject : nullptr));
}
CGdiObject* CDC::SelectObject(CGdiObject* object) {
  return CGdiObject::FromHandle(::SelectObject(m_hDC, object ? object->m_hObject : nullptr));
}
HGDIOBJ CDC::SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
CGdiObject* CDC::SelectStockObject(int index) {
  return CGdiObject::FromHandle(::SelectObject(m_hDC, ::GetStockObject(index)));
}
CPalette* CDC::SelectPalette(CPalette* palette, BOOL background) {
  return Wrap<CPalette>(::SelectPalette(m_hDC, palette ? static_cast<HPALETTE>(palette->m_hObject) : nullptr, background));
}
UINT CDC::RealizePalette() { return ::RealizePalette(m_hDC); }
CFont* CDC::GetCurrentFont() const { return Wrap<CFont>(::GetCurrentObject(m_hDC, OBJ_FONT)); }

COLORREF CDC::SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }
COLORREF CDC::GetTextColor() const { return ::GetTextColor(m_hDC); }
COLORREF CDC::SetBkColor(COLORREF color) { return ::SetBkColor(m_hDC, color); }
COLORREF CDC::GetBkColor() const { return ::GetBkColor(m_hDC); }
int CDC::SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
int CDC::GetBkMode() const { return ::GetBkMode(m_hDC); }
int CDC::SetROP2(int mode) { return ::SetROP2(m_hDC, mode); }
int CDC::GetROP2() const { return ::GetROP2(m_hDC); }
UINT CDC::SetTextAlign(UINT align) { return ::SetTextAlign(m_hDC, align); }
int CDC::SetStretchBltMode(int mode) { return ::SetStretchBltMode(m_hDC, mode); }

CPoint CDC::SetViewportOrg(int x, int y) {
  POINT old{};
  ::SetViewportOrgEx(m_hDC, x, y, &old);
  return old;
}
CPoint CDC::GetViewportOrg() const {
  POINT origin{};
  ::GetViewportOrgEx(m_hDC, &origin);
  return origin;
}
CPoint CDC::OffsetViewportOrg(int dx, int dy) {
  POINT old{};
  ::OffsetViewportOrgEx(m_hDC, dx, dy, &old);
  return old;
}
CPoint CDC::SetWindowOrg(int x, int y) {
  POINT old{};
  ::SetWindowOrgEx(m_hDC, x, y, &old);
  return old;
}
CPoint CDC::GetWindowOrg() const {
  POINT origin{};
  ::GetWindowOrgEx(m_hDC, &origin);
  return origin;
}

int CDC::GetClipBox(LPRECT rect) const { return ::GetClipBox(m_hDC, rect); }
BOOL CDC::RectVisible(LPCRECT rect) const { return ::RectVisible(m_hDC, rect); }
BOOL CDC::PtVisible(int x, int y) const { return ::PtVisible(m_hDC, x, y); }
int CDC::IntersectClipRect(int left, int top, int right, int bottom) {
  return ::IntersectClipRect(m_hDC, left, top, right, bottom);
}
int CDC::ExcludeClipRect(int left, int top, int right, int bottom) {
  return ::ExcludeClipRect(m_hDC, left, top, right, bottom);
}
int CDC::SelectClipRgn(HRGN region) { return ::SelectClipRgn(m_hDC, region); }

CPoint CDC::MoveTo(int x, int y) {
  POINT old{};
  ::MoveToEx(m_hDC, x, y, &old);
  return old;
}
BOOL CDC::LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
CPoint CDC::GetCurrentPosition() const {
  POINT position{};
  ::GetCurrentPositionEx(m_hDC, &position);
  return position;
}
BOOL CDC::Polyline(const POINT* points, int count) { return ::Polyline(m_hDC, points, count); }
BOOL CDC::PolyPolyline(const POINT* points, const DWORD* counts, int lines) {
  return ::PolyPolyline(m_hDC, points, counts, static_cast<DWORD>(lines));
}
BOOL CDC::Polygon(const POINT* points, int count) { return ::Polygon(m_hDC, points, count); }
BOOL CDC::Rectangle(int left, int top, int right, int bottom) { return ::Rectangle(m_hDC, left, top, right, bottom); }
BOOL CDC::Ellipse(int left, int top, int right, int bottom) { return ::Ellipse(m_hDC, left, top, right, bottom); }
void CDC::FillRect(LPCRECT rect, CBrush* brush) { ::FillRect(m_hDC, rect, brush ? static_cast<HBRUSH>(*brush) : nullptr); }
void CDC::FillSolidRect(LPCRECT rect, COLORREF color) {
  // The class library leaves the colour behind as the background colour.
  ::SetBkColor(m_hDC, color);
  HBRUSH brush = ::CreateSolidBrush(color);
  ::FillRect(m_hDC, rect, brush);
  ::DeleteObject(brush);
}
void CDC::FillSolidRect(int x, int y, int width, int height, COLORREF color) {
  RECT rect{x, y, x + width, y + height};
  FillSolidRect(&rect, color);
}
void CDC::Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight) {
  int width = rect->right - rect->left, height = rect->bottom - rect->top;
  FillSolidRect(rect->left, rect->top, width - 1, 1, topLeft);
  FillSolidRect(rect->left, rect->top, 1, height - 1, topLeft);
  FillSolidRect(rect->right - 1, rect->top, 1, height, bottomRight);
  FillSolidRect(rect->left, rect->bottom - 1, width, 1, bottomRight);
}
void CDC::FrameRect(LPCRECT rect, CBrush* brush) { ::FrameRect(m_hDC, rect, brush ? static_cast<HBRUSH>(*brush) : nullptr); }
void CDC::InvertRect(LPCRECT rect) { ::InvertRect(m_hDC, rect); }
void CDC::DrawFocusRect(LPCRECT rect) { ::DrawFocusRect(m_hDC, rect); }
BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop) { return ::PatBlt(m_hDC, x, y, width, height, rop); }
BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY, DWORD rop) {
  return ::BitBlt(m_hDC, x, y, width, height, source ? source->m_hDC : nullptr, sourceX, sourceY, rop);
}
BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY, int sourceWidth,
                     int sourceHeight, DWORD rop) {
  return ::StretchBlt(m_hDC, x, y, width, height, source ? source->m_hDC : nullptr, sourceX, sourceY, sourceWidth,
                      sourceHeight, rop);
}
COLORREF CDC::GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
COLORREF CDC::SetPixel(int x, int y, COLORREF color) { return ::SetPixel(m_hDC, x, y, color); }

BOOL CDC::TextOut(int x, int y, LPCSTR text, int length) { return ::TextOut(m_hDC, x, y, text, length); }
BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCSTR text, UINT length, LPINT dx) {
  return ::ExtTextOut(m_hDC, x, y, options, rect, text, length, dx);
}
int CDC::DrawText(LPCSTR text, int length, LPRECT rect, UINT format) {
  return ::DrawText(m_hDC, text, length, rect, format);
}
CSize CDC::GetTextExtent(LPCSTR text, int length) const {
  SIZE size{};
  ::GetTextExtentPoint32(m_hDC, text, length, &size);
  return size;
}
BOOL CDC::GetTextMetrics(LPTEXTMETRIC metrics) const { return ::GetTextMetrics(m_hDC, metrics); }
