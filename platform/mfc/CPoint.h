// A point: a POINT with the class library's arithmetic.
#pragma once

#include "mfc/CSize.h"

class CPoint : public POINT {
 public:
  CPoint() : POINT{0, 0} {}
  CPoint(int x, int y) : POINT{x, y} {}
  CPoint(POINT point) : POINT(point) {}  // NOLINT: converts implicitly, as the class library does
  explicit CPoint(SIZE size) : POINT{size.cx, size.cy} {}
  // From the two signed halves of a message's lParam.
  explicit CPoint(LPARAM packed) : POINT{static_cast<SHORT>(LOWORD(packed)), static_cast<SHORT>(HIWORD(packed))} {}

  void Offset(int dx, int dy) { x += dx, y += dy; }
  void Offset(POINT point) { Offset(point.x, point.y); }
  void Offset(SIZE size) { Offset(size.cx, size.cy); }
  BOOL operator==(POINT other) const { return x == other.x && y == other.y; }
  BOOL operator!=(POINT other) const { return !(*this == other); }
  void operator+=(SIZE size) { Offset(size); }
  void operator-=(SIZE size) { Offset(-size.cx, -size.cy); }
  void operator+=(POINT point) { Offset(point); }
  void operator-=(POINT point) { Offset(-point.x, -point.y); }
  CPoint operator+(SIZE size) const { return CPoint(x + size.cx, y + size.cy); }
  CPoint operator-(SIZE size) const { return CPoint(x - size.cx, y - size.cy); }
  CPoint operator+(POINT point) const { return CPoint(x + point.x, y + point.y); }
  CSize operator-(POINT point) const { return CSize(x - point.x, y - point.y); }
  CPoint operator-() const { return CPoint(-x, -y); }
};
