// A rectangle: a RECT with the class library's operations (right and bottom
// lie outside, as everywhere on the platform).
#pragma once

#include <utility>

#include "mfc/CPoint.h"
#include "win32/UserWindows.h"

class CRect : public RECT {
 public:
  CRect() : RECT{0, 0, 0, 0} {}
  CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
  CRect(const RECT& rect) : RECT(rect) {}  // NOLINT: converts implicitly, as the class library does
  CRect(LPCRECT rect) : RECT(*rect) {}     // NOLINT
  CRect(POINT topLeft, SIZE size) : RECT{topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy} {}
  CRect(POINT topLeft, POINT bottomRight) : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  CSize Size() const { return CSize(Width(), Height()); }
  CPoint& TopLeft() { return *reinterpret_cast<CPoint*>(this); }
  CPoint& BottomRight() { return *reinterpret_cast<CPoint*>(&right); }
  const CPoint& TopLeft() const { return *reinterpret_cast<const CPoint*>(this); }
  const CPoint& BottomRight() const { return *reinterpret_cast<const CPoint*>(&right); }
  CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }

  operator LPRECT() { return this; }               // NOLINT
  operator LPCRECT() const { return this; }        // NOLINT

  BOOL IsRectEmpty() const { return ::IsRectEmpty(this); }
  BOOL IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  BOOL PtInRect(POINT point) const { return ::PtInRect(this, point); }
  void SetRect(int l, int t, int r, int b) { ::SetRect(this, l, t, r, b); }
  void SetRectEmpty() { ::SetRectEmpty(this); }
  void CopyRect(LPCRECT rect) { ::CopyRect(this, rect); }
  BOOL EqualRect(LPCRECT rect) const { return ::EqualRect(this, rect); }
  void InflateRect(int dx, int dy) { ::InflateRect(this, dx, dy); }
  void InflateRect(SIZE size) { InflateRect(size.cx, size.cy); }
  void InflateRect(int l, int t, int r, int b) {
    left -= l, top -= t, right += r, bottom += b;
  }
  void DeflateRect(int dx, int dy) { ::InflateRect(this, -dx, -dy); }
  void DeflateRect(SIZE size) { DeflateRect(size.cx, size.cy); }
  void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }
  void OffsetRect(int dx, int dy) { ::OffsetRect(this, dx, dy); }
  void OffsetRect(POINT point) { OffsetRect(point.x, point.y); }
  void OffsetRect(SIZE size) { OffsetRect(size.cx, size.cy); }
  void NormalizeRect() {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
  }
  BOOL IntersectRect(LPCRECT a, LPCRECT b) { return ::IntersectRect(this, a, b); }
  BOOL UnionRect(LPCRECT a, LPCRECT b) { return ::UnionRect(this, a, b); }

  BOOL operator==(const RECT& other) const { return ::EqualRect(this, &other); }
  BOOL operator!=(const RECT& other) const { return !(*this == other); }
  void operator+=(POINT point) { OffsetRect(point); }
  void operator-=(POINT point) { OffsetRect(-point.x, -point.y); }
  void operator&=(const RECT& other) { ::IntersectRect(this, this, &other); }
  void operator|=(const RECT& other) { ::UnionRect(this, this, &other); }
  CRect operator+(POINT point) const {
    CRect moved(*this);
    moved.OffsetRect(point);
    return moved;
  }
  CRect operator-(POINT point) const {
    CRect moved(*this);
    moved.OffsetRect(-point.x, -point.y);
    return moved;
  }
  CRect operator&(const RECT& other) const {
    CRect common;
    ::IntersectRect(&common, this, &other);
    return common;
  }
  CRect operator|(const RECT& other) const {
    CRect both;
    ::UnionRect(&both, this, &other);
    return both;
  }
};
