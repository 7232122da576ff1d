// A memory context with a white colour bitmap of its own, for tests that
// draw and then look at the pixels.
#pragma once

#include <algorithm>
#include <vector>

#include "win32/Gdi.h"

namespace layer::testing {

class MemoryCanvas {
 public:
  MemoryCanvas(int width, int height) : width(width), height(height) {
    m_bitmap = CreateBitmap(width, height, 1, 32, nullptr);
    m_oldBitmap = SelectObject(dc, m_bitmap);
    PatBlt(dc, 0, 0, width, height, WHITENESS);
    SaveDC(dc);
  }
  ~MemoryCanvas() {
    RestoreDC(dc, 1);
    for (HGDIOBJ object : m_owned) DeleteObject(object);
    SelectObject(dc, m_oldBitmap);
    DeleteObject(m_bitmap);
    DeleteDC(dc);
  }
  MemoryCanvas(const MemoryCanvas&) = delete;
  MemoryCanvas& operator=(const MemoryCanvas&) = delete;

  // Selects an object into the canvas; it is deleted with the canvas.
  HGDIOBJ Use(HGDIOBJ object) {
    m_owned.push_back(object);
    return SelectObject(dc, object);
  }

  std::vector<COLORREF> Pixels() const {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(dc, x, y));
    return pixels;
  }
  int Count(COLORREF colour) const {
    auto pixels = Pixels();
    return static_cast<int>(std::count(pixels.begin(), pixels.end(), colour));
  }
  // The box around every pixel that is not white; empty when there is none.
  RECT Inked() const {
    RECT box{width, height, 0, 0};
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        if (GetPixel(dc, x, y) != RGB(255, 255, 255)) {
          box.left = std::min<LONG>(box.left, x);
          box.top = std::min<LONG>(box.top, y);
          box.right = std::max<LONG>(box.right, x + 1);
          box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    return box;
  }

  HDC dc = CreateCompatibleDC(nullptr);
  int width;
  int height;

 private:
  HBITMAP m_bitmap;
  HGDIOBJ m_oldBitmap;
  std::vector<HGDIOBJ> m_owned;
};

}  // namespace layer::testing
