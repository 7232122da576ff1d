// What only the screen backend can do: text in the desktop's fonts, and
// shapes and wide lines through its painter. The backend lives in a library
// of its own that the layer loads on first use, together with the window
// host, the theme, the clipboard, the icons and the sound it installs: a
// program that shows no window and draws no text (a search run, a plot
// converter) starts without the toolkit's libraries.
#pragma once

#include <vector>

#include "win32/DesktopIntegration.h"
#include "win32/Gdi.h"

namespace layer {

class DeviceContext;

class ScreenBackend {
 public:
  virtual ~ScreenBackend() = default;
  // Lines wider than one pixel through the points, one polyline per run, in device units.
  virtual BOOL WideLines(DeviceContext& context, const std::vector<std::vector<POINT>>& runs) = 0;
  virtual BOOL Polygon(HDC dc, const POINT* points, int count) = 0;
  virtual BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) = 0;
  virtual BOOL Ellipse(HDC dc, int left, int top, int right, int bottom) = 0;
  virtual BOOL TextOut(HDC dc, int x, int y, LPCSTR text, int length) = 0;
  virtual BOOL ExtTextOut(HDC dc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT length,
                          const INT* dx) = 0;
  virtual int DrawText(HDC dc, LPCSTR text, int length, LPRECT rect, UINT format) = 0;
  virtual BOOL GetTextExtentPoint32(HDC dc, LPCSTR text, int length, LPSIZE size) = 0;
  virtual BOOL GetTextMetrics(HDC dc, LPTEXTMETRIC metrics) = 0;
  virtual int GetTextFace(HDC dc, int size, LPSTR face) = 0;
  virtual bool ScreenIsVisible() = 0;
  virtual bool PaintWithDesktopStyle(HDC dc, const RECT& rect, UINT type, UINT state) = 0;
  virtual bool ShowDesktopFileDialog(DesktopFileChoice& choice, std::string& chosenPath) = 0;
  // Work that may be done ahead, on a thread of its own, while the program
  // starts: reading the desktop's font configuration.
  virtual void Prepare() {}
};

// The installed backend; loads the backend's library the first time it is
// asked for. Null when the library cannot be loaded.
ScreenBackend* CurrentScreenBackend();
// Called by the backend's library when it is loaded or unloaded.
void InstallScreenBackend(ScreenBackend* backend);
// Loads the backend's library once, if it is not in the process yet; the
// getters of what it installs call this before they answer.
void LoadScreenBackend();
// Begins loading the backend, and what it can prepare, on a thread of its
// own, so that a program that will show windows does its first steps
// meanwhile; the first caller that needs the backend waits for the load.
void LoadScreenBackendAhead();

}  // namespace layer
