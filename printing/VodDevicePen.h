// A solid black pen of a width in device units, selected into the page's
// context for the length of one picture; the context's own pen comes back
// when the picture is done.
#pragma once

#include "win32/Gdi.h"

namespace vod {

class VodDevicePen {
 public:
  explicit VodDevicePen(HDC dc);
  ~VodDevicePen();
  VodDevicePen(const VodDevicePen&) = delete;
  VodDevicePen& operator=(const VodDevicePen&) = delete;

  // Selects a pen of that width (0 and 1 are both one pixel); the same
  // width again changes nothing.
  void Select(int width);

 private:
  HDC m_dc;
  HGDIOBJ m_previous;
  HPEN m_pen = nullptr;
  int m_width = -1;
};

}  // namespace vod
