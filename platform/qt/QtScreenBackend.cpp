// The screen backend's answers to the layer's drawing and desktop calls,
// installed when the library is loaded.
#include <dlfcn.h>

#include "qt/ScreenCalls.h"
#include "win32/ScreenBackend.h"

namespace layer {
namespace {

class QtScreenBackend : public ScreenBackend {
 public:
  BOOL WideLines(DeviceContext& context, const std::vector<std::vector<POINT>>& runs) override {
    return desktop::WideLines(context, runs);
  }
  BOOL Polygon(HDC dc, const POINT* points, int count) override { return desktop::Polygon(dc, points, count); }
  BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) override {
    return desktop::Rectangle(dc, left, top, right, bottom);
  }
  BOOL Ellipse(HDC dc, int left, int top, int right, int bottom) override {
    return desktop::Ellipse(dc, left, top, right, bottom);
  }
  BOOL TextOut(HDC dc, int x, int y, LPCSTR text, int length) override {
    return desktop::TextOut(dc, x, y, text, length);
  }
  BOOL ExtTextOut(HDC dc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT length,
                  const INT* dx) override {
    return desktop::ExtTextOut(dc, x, y, options, rect, text, length, dx);
  }
  int DrawText(HDC dc, LPCSTR text, int length, LPRECT rect, UINT format) override {
    return desktop::DrawText(dc, text, length, rect, format);
  }
  BOOL GetTextExtentPoint32(HDC dc, LPCSTR text, int length, LPSIZE size) override {
    return desktop::GetTextExtentPoint32(dc, text, length, size);
  }
  BOOL GetTextMetrics(HDC dc, LPTEXTMETRIC metrics) override { return desktop::GetTextMetrics(dc, metrics); }
  int GetTextFace(HDC dc, int size, LPSTR face) override { return desktop::GetTextFace(dc, size, face); }
  bool ScreenIsVisible() override { return desktop::ScreenIsVisible(); }
  bool PaintWithDesktopStyle(HDC dc, const RECT& rect, UINT type, UINT state) override {
    return desktop::PaintWithDesktopStyle(dc, rect, type, state);
  }
  bool ShowDesktopFileDialog(DesktopFileChoice& choice, std::string& chosenPath) override {
    return desktop::ShowDesktopFileDialog(choice, chosenPath);
  }
  void Prepare() override {
    // The toolkit reads the font configuration when it first needs a font,
    // on the program's own thread; read once here, the toolkit finds it made.
    // The library came with the toolkit's; looked up so that building needs
    // no headers of its own.
    using Init = int (*)();
    if (auto init = reinterpret_cast<Init>(dlsym(RTLD_DEFAULT, "FcInit"))) init();
  }
};

QtScreenBackend backend;

struct Installer {
  Installer() { InstallScreenBackend(&backend); }
  ~Installer() { InstallScreenBackend(nullptr); }
} installer;

}  // namespace
}  // namespace layer
