// The layer's drawing objects behind HPEN, HBRUSH, HFONT, HBITMAP, HPALETTE,
// HRGN and HDC values (not for the system's code).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "win32/DeviceCaps.h"
#include "win32/Gdi.h"
#include "win32/GdiVector.h"
#include "win32/Surface.h"
#include "win32/UserWindow.h"

namespace layer {

class GdiObject {
 public:
  virtual ~GdiObject() = default;
  virtual DWORD Kind() const = 0;
  bool stock = false;
};

class Pen : public GdiObject {
 public:
  DWORD Kind() const override { return OBJ_PEN; }
  LOGPEN log{};
  bool IsNull() const { return log.lopnStyle == PS_NULL; }
  int Width() const { return log.lopnWidth.x < 1 ? 1 : log.lopnWidth.x; }
};

class Brush : public GdiObject {
 public:
  DWORD Kind() const override { return OBJ_BRUSH; }
  LOGBRUSH log{};
  bool IsNull() const { return log.lbStyle == BS_NULL; }
};

class Font : public GdiObject {
 public:
  DWORD Kind() const override { return OBJ_FONT; }
  LOGFONTA log{};
  // Set by the backend: the realised font and its metrics, made once.
  std::shared_ptr<void> realised;
};

class Palette : public GdiObject {
 public:
  DWORD Kind() const override { return OBJ_PAL; }
  std::vector<PALETTEENTRY> entries;
};

class Bitmap : public GdiObject {
 public:
  DWORD Kind() const override { return OBJ_BITMAP; }
  Surface surface;
  int selectedIn = 0;  // a bitmap can be selected into one memory context at a time
};

class Region : public GdiObject {
 public:
  DWORD Kind() const override { return OBJ_REGION; }
  RECT box{};
};

// The state SaveDC keeps.
struct ContextState {
  std::shared_ptr<Pen> pen;
  std::shared_ptr<Brush> brush;
  std::shared_ptr<Font> font;
  std::shared_ptr<Palette> palette;
  COLORREF textColor = RGB(0, 0, 0);
  COLORREF bkColor = RGB(255, 255, 255);
  int bkMode = OPAQUE;
  int rop2 = R2_COPYPEN;
  UINT textAlign = TA_LEFT | TA_TOP;
  int stretchMode = BLACKONWHITE;
  POINT position{0, 0};
  POINT viewportOrigin{0, 0};
  POINT windowOrigin{0, 0};
  int mapMode = MM_TEXT;
  bool hasClip = false;
  RECT clip{};  // device coordinates of the target, only when hasClip
};

class DeviceContext : public GdiObject {
 public:
  DWORD Kind() const override {
    if (vector) return vector->ContextKind();
    return window || screen ? OBJ_DC : OBJ_MEMDC;
  }
  HDC handle = nullptr;
  std::shared_ptr<Window> window;  // window contexts
  std::shared_ptr<Bitmap> bitmap;  // memory contexts: the selected bitmap
  bool screen = false;             // the context of the whole screen
  // Printer and recorded-page contexts: where the drawing calls go, and the
  // device they describe (the screen's when null).
  std::shared_ptr<VectorTarget> vector;
  std::shared_ptr<const DeviceCaps> caps;
  POINT origin{0, 0};              // where logical (0, 0) is in the target, before the viewport
  RECT bounds{};                   // what the context may touch, in target pixels
  ContextState state;
  std::vector<ContextState> saved;

  Surface* Target();
  const Surface* Target() const { return const_cast<DeviceContext*>(this)->Target(); }
  // Logical coordinates to target pixels.
  POINT ToDevice(int x, int y) const;
  RECT ToDevice(const RECT& rect) const;
  // The pixels drawing may change: bounds and the clip rectangle.
  RECT Clip() const;
  // The pixels the context reaches without a clip rectangle.
  RECT Area() const;
  // Marks the target as changed so that a screen shows it again.
  void Touched();
};

// A new context with the default state and no target, in the object table.
std::shared_ptr<DeviceContext> NewContext();

HGDIOBJ AddObject(std::shared_ptr<GdiObject> object);
std::shared_ptr<GdiObject> FindObject(HGDIOBJ handle);
template <class T>
std::shared_ptr<T> ObjectAs(HGDIOBJ handle) {
  return std::dynamic_pointer_cast<T>(FindObject(handle));
}
std::shared_ptr<DeviceContext> ContextOf(HDC dc);

// A context on a window's canvas: the client area (or the whole window),
// clipped further to clip (client coordinates) when given.
HDC CreateWindowContext(HWND window, bool wholeWindow, const RECT* clip);

// Mixes a source colour into a destination pixel by a ROP2 code.
std::uint32_t MixPen(int rop2, std::uint32_t pen, std::uint32_t destination);
// Applies a bit-block raster operation to one pixel (pattern from the brush).
std::uint32_t MixBlock(DWORD rop, std::uint32_t source, std::uint32_t destination, std::uint32_t pattern);
// Whether a raster operation reads the source, the pattern.
bool UsesSource(DWORD rop);
bool UsesPattern(DWORD rop);

}  // namespace layer
