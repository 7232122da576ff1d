#include "win32/DesktopIntegration.h"

#include "win32/ScreenBackend.h"

namespace layer {

bool ScreenIsVisible() {
  ScreenBackend* backend = CurrentScreenBackend();
  return backend && backend->ScreenIsVisible();
}

bool PaintWithDesktopStyle(HDC dc, const RECT& rect, UINT type, UINT state) {
  ScreenBackend* backend = CurrentScreenBackend();
  return backend && backend->PaintWithDesktopStyle(dc, rect, type, state);
}

bool ShowDesktopFileDialog(DesktopFileChoice& choice, std::string& chosenPath) {
  ScreenBackend* backend = CurrentScreenBackend();
  return backend && backend->ShowDesktopFileDialog(choice, chosenPath);
}

}  // namespace layer
