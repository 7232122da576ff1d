// A device context of the class library: drawing through the objects of the
// class library, with the results in its own types.
#pragma once

#include "mfc/CBitmap.h"
#include "mfc/CBrush.h"
#include "mfc/CFont.h"
#include "mfc/CPalette.h"
#include "mfc/CPen.h"
#include "mfc/CRect.h"
#include "mfc/CString.h"

class CDC : public CObject {
  DECLARE_DYNCREATE(CDC)

 public:
  CDC() = default;
  ~CDC() override;
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  HDC m_hDC = nullptr;
  HDC m_hAttribDC = nullptr;

  operator HDC() const { return m_hDC; }  // NOLINT: the class library converts implicitly
  HDC GetSafeHdc() const { return m_hDC; }
  BOOL Attach(HDC dc);
  HDC Detach();
  static CDC* FromHandle(HDC dc);
  static void DeleteTempMap();

  BOOL CreateCompatibleDC(CDC* dc);
  BOOL DeleteDC();
  int SaveDC();
  BOOL RestoreDC(int saved);
  int GetDeviceCaps(int index) const;

  CPen* SelectObject(CPen* pen);
  CBrush* SelectObject(CBrush* brush);
  CFont* SelectObject(CFont* font);
  CBitmap* SelectObject(CBitmap* bitmap);
  CGdiObject* SelectObject(CGdiObject* object);
  HGDIOBJ SelectObject(HGDIOBJ object);
  CGdiObject* SelectStockObject(int index);
  CPalette* SelectPalette(CPalette* palette, BOOL background);
  UINT RealizePalette();
  CFont* GetCurrentFont() const;

  COLORREF SetTextColor(COLORREF color);
  COLORREF GetTextColor() const;
  COLORREF SetBkColor(COLORREF color);
  COLORREF GetBkColor() const;
  int SetBkMode(int mode);
  int GetBkMode() const;
  int SetROP2(int mode);
  int GetROP2() const;
  UINT SetTextAlign(UINT align);
  int SetStretchBltMode(int mode);
  CPoint SetViewportOrg(int x, int y);
  CPoint SetViewportOrg(POINT point) { return SetViewportOrg(point.x, point.y); }
  CPoint GetViewportOrg() const;
  CPoint OffsetViewportOrg(int dx, int dy);
  CPoint SetWindowOrg(int x, int y);
  CPoint SetWindowOrg(POINT point) { return SetWindowOrg(point.x, point.y); }
  CPoint GetWindowOrg() const;

  int GetClipBox(LPRECT rect) const;
  BOOL RectVisible(LPCRECT rect) const;
  BOOL PtVisible(int x, int y) const;
  int IntersectClipRect(int left, int top, int right, int bottom);
  int IntersectClipRect(LPCRECT rect) { return IntersectClipRect(rect->left, rect->top, rect->right, rect->bottom); }
  int ExcludeClipRect(int left, int top, int right, int bottom);
  int SelectClipRgn(HRGN region);

  CPoint MoveTo(int x, int y);
  CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
  BOOL LineTo(int x, int y);
  BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
  CPoint GetCurrentPosition() const;
  BOOL Polyline(const POINT* points, int count);
  BOOL PolyPolyline(const POINT* points, const DWORD* counts, int lines);
  BOOL Polygon(const POINT* points, int count);
  BOOL Rectangle(int left, int top, int right, int bottom);
  BOOL Rectangle(LPCRECT rect) { return Rectangle(rect->left, rect->top, rect->right, rect->bottom); }
  BOOL Ellipse(int left, int top, int right, int bottom);
  BOOL Ellipse(LPCRECT rect) { return Ellipse(rect->left, rect->top, rect->right, rect->bottom); }
  void FillRect(LPCRECT rect, CBrush* brush);
  void FillSolidRect(LPCRECT rect, COLORREF color);
  void FillSolidRect(int x, int y, int width, int height, COLORREF color);
  void FrameRect(LPCRECT rect, CBrush* brush);
  // A one-pixel frame: top and left in topLeft, bottom and right in bottomRight.
  void Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight);
  void InvertRect(LPCRECT rect);
  void DrawFocusRect(LPCRECT rect);
  BOOL PatBlt(int x, int y, int width, int height, DWORD rop);
  BOOL BitBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY, DWORD rop);
  BOOL StretchBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY, int sourceWidth,
                  int sourceHeight, DWORD rop);
  COLORREF GetPixel(int x, int y) const;
  COLORREF GetPixel(POINT point) const { return GetPixel(point.x, point.y); }
  COLORREF SetPixel(int x, int y, COLORREF color);
  COLORREF SetPixel(POINT point, COLORREF color) { return SetPixel(point.x, point.y, color); }

  BOOL TextOut(int x, int y, LPCSTR text, int length);
  BOOL TextOut(int x, int y, const CString& text) { return TextOut(x, y, text, text.GetLength()); }
  BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCSTR text, UINT length, LPINT dx);
  BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CString& text, LPINT dx) {
    return ExtTextOut(x, y, options, rect, text, static_cast<UINT>(text.GetLength()), dx);
  }
  int DrawText(LPCSTR text, int length, LPRECT rect, UINT format);
  int DrawText(const CString& text, LPRECT rect, UINT format) { return DrawText(text, text.GetLength(), rect, format); }
  CSize GetTextExtent(LPCSTR text, int length) const;
  CSize GetTextExtent(const CString& text) const { return GetTextExtent(text, text.GetLength()); }
  BOOL GetTextMetrics(LPTEXTMETRIC metrics) const;

 protected:
  // The class deletes or releases its handle as it was obtained.
  virtual void ReleaseHandle();
};
