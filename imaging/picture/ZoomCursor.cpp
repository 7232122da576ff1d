#include "imaging/picture/ZoomCursor.h"

#include <array>
#include <cmath>
#include <cstdint>

#include "interfaces/QridIMG.h"
#include "win32/Module.h"
#include "win32/UserWindows.h"

namespace {

constexpr int kSize = 32;
constexpr double kLensX = 12.0, kLensY = 12.0, kLensRadius = 8.5;

// A magnifying glass: a black ring with a light lens and a handle to the
// lower right; the hot spot is the lens's centre.
std::array<std::uint32_t, kSize * kSize> MagnifierPixels() {
  std::array<std::uint32_t, kSize * kSize> pixels{};
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const double distance = std::hypot(x + 0.5 - kLensX, y + 0.5 - kLensY);
      const double along = (x + y + 1 - 2 * kLensY) / std::sqrt(2.0);
      const double across = std::abs(x - y) / std::sqrt(2.0);
      std::uint32_t& pixel = pixels[y * kSize + x];
      if (distance < kLensRadius - 1.5) pixel = 0x60FFFFFFu;
      else if (distance < kLensRadius + 0.5) pixel = 0xFF000000u;
      else if (along > kLensRadius && along < kLensRadius + 10 && across < 2.0) pixel = 0xFF000000u;
    }
  }
  return pixels;
}

// The library's own module; any fixed address of the library names it when
// the loader does not know the library by name (linked into a test program).
HINSTANCE PictureModule() {
  static int marker;
  HMODULE module = GetModuleHandle("QridIMG.dll");
  return module ? module : reinterpret_cast<HINSTANCE>(&marker);
}

}  // namespace

HCURSOR ZoomCursor() {
  static const HCURSOR cursor = [] {
    static const std::array<std::uint32_t, kSize * kSize> pixels = MagnifierPixels();
    layer::CursorPicture picture;
    picture.hotX = static_cast<int>(kLensX);
    picture.hotY = static_cast<int>(kLensY);
    picture.pixels = pixels.data();
    layer::AddModuleCursor(PictureModule(), QORIMG_ZOOM_CURSOR, picture);
    return LoadCursor(PictureModule(), MAKEINTRESOURCE(QORIMG_ZOOM_CURSOR));
  }();
  return cursor;
}
