#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "win32/UserWindows.h"

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom) {
  if (!rect) return FALSE;
  *rect = RECT{left, top, right, bottom};
  return TRUE;
}

BOOL SetRectEmpty(LPRECT rect) { return SetRect(rect, 0, 0, 0, 0); }

BOOL CopyRect(LPRECT to, const RECT* from) {
  if (!to || !from) return FALSE;
  *to = *from;
  return TRUE;
}

BOOL IsRectEmpty(const RECT* rect) {
  return !rect || rect->right <= rect->left || rect->bottom <= rect->top;
}

BOOL PtInRect(const RECT* rect, POINT point) {
  return rect && point.x >= rect->left && point.x < rect->right && point.y >= rect->top &&
         point.y < rect->bottom;
}

BOOL OffsetRect(LPRECT rect, int dx, int dy) {
  if (!rect) return FALSE;
  rect->left += dx;
  rect->right += dx;
  rect->top += dy;
  rect->bottom += dy;
  return TRUE;
}

BOOL InflateRect(LPRECT rect, int dx, int dy) {
  if (!rect) return FALSE;
  rect->left -= dx;
  rect->right += dx;
  rect->top -= dy;
  rect->bottom += dy;
  return TRUE;
}

BOOL IntersectRect(LPRECT result, const RECT* a, const RECT* b) {
  if (!result || !a || !b) return FALSE;
  RECT common{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
              std::min(a->bottom, b->bottom)};
  if (IsRectEmpty(&common)) {
    SetRectEmpty(result);
    return FALSE;
  }
  *result = common;
  return TRUE;
}

BOOL UnionRect(LPRECT result, const RECT* a, const RECT* b) {
  if (!result || !a || !b) return FALSE;
  if (IsRectEmpty(a)) {
    *result = IsRectEmpty(b) ? RECT{} : *b;
  } else if (IsRectEmpty(b)) {
    *result = *a;
  } else {
    *result = RECT{std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                   std::max(a->bottom, b->bottom)};
  }
  return !IsRectEmpty(result);
}

BOOL EqualRect(const RECT* a, const RECT* b) {
  return a && b && a->left == b->left && a->top == b->top && a->right == b->right &&
         a->bottom == b->bottom;
}

int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  std::int64_t product = static_cast<std::int64_t>(number) * numerator;
  // Rounds half away from zero, as the platform does.
  std::int64_t half = std::llabs(denominator) / 2;
  bool negative = (product < 0) != (denominator < 0);
  std::int64_t magnitude = (std::llabs(product) + half) / std::llabs(denominator);
  std::int64_t result = negative ? -magnitude : magnitude;
  if (result > INT32_MAX || result < INT32_MIN) return -1;
  return static_cast<int>(result);
}
