// A device-dependent bitmap, drawn on through a memory context.
#pragma once

#include "mfc/CGdiObject.h"

class CDC;

class CBitmap : public CGdiObject {
  DECLARE_DYNAMIC(CBitmap)

 public:
  // A bitmap of the program's resources, by id or by name.
  BOOL LoadBitmap(UINT id);
  BOOL LoadBitmap(LPCSTR name);
  BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
  BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
  int GetBitmap(BITMAP* bitmap) const;
  operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }  // NOLINT
  static CBitmap* FromHandle(HBITMAP bitmap);
};
