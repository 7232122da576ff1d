// A screen-compatible bitmap of one colour with rectangles of others, for
// tests that draw pictures (image lists, toolbars, bitmap buttons).
#pragma once

#include <utility>
#include <vector>

#include "win32/Gdi.h"
#include "win32/UserWindows.h"

namespace layer::testing {

using ColouredRect = std::pair<RECT, COLORREF>;

inline HBITMAP FilledBitmap(int width, int height, COLORREF background, const std::vector<ColouredRect>& areas = {}) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  std::vector<ColouredRect> all{{RECT{0, 0, width, height}, background}};
  all.insert(all.end(), areas.begin(), areas.end());
  for (const auto& [rect, colour] : all) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

}  // namespace layer::testing
