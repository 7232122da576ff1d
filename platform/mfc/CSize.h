// An extent: a SIZE with the class library's arithmetic.
#pragma once

#include "win32/Types.h"

class CSize : public SIZE {
 public:
  CSize() : SIZE{0, 0} {}
  CSize(int cx, int cy) : SIZE{cx, cy} {}
  CSize(SIZE size) : SIZE(size) {}  // NOLINT: converts implicitly, as the class library does
  explicit CSize(DWORD packed) : SIZE{static_cast<SHORT>(LOWORD(packed)), static_cast<SHORT>(HIWORD(packed))} {}

  BOOL operator==(SIZE other) const { return cx == other.cx && cy == other.cy; }
  BOOL operator!=(SIZE other) const { return !(*this == other); }
  void operator+=(SIZE other) { cx += other.cx, cy += other.cy; }
  void operator-=(SIZE other) { cx -= other.cx, cy -= other.cy; }
  CSize operator+(SIZE other) const { return CSize(cx + other.cx, cy + other.cy); }
  CSize operator-(SIZE other) const { return CSize(cx - other.cx, cy - other.cy); }
  CSize operator-() const { return CSize(-cx, -cy); }
};
