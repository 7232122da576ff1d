// Text is laid out and drawn in the desktop's fonts by the screen backend.
#include "win32/Gdi.h"
#include "win32/ScreenBackend.h"

BOOL TextOut(HDC dc, int x, int y, LPCSTR text, int length) {
  layer::ScreenBackend* backend = layer::CurrentScreenBackend();
  return backend ? backend->TextOut(dc, x, y, text, length) : FALSE;
}

BOOL ExtTextOut(HDC dc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT length, const INT* dx) {
  layer::ScreenBackend* backend = layer::CurrentScreenBackend();
  return backend ? backend->ExtTextOut(dc, x, y, options, rect, text, length, dx) : FALSE;
}

int DrawText(HDC dc, LPCSTR text, int length, LPRECT rect, UINT format) {
  layer::ScreenBackend* backend = layer::CurrentScreenBackend();
  return backend ? backend->DrawText(dc, text, length, rect, format) : 0;
}

BOOL GetTextExtentPoint32(HDC dc, LPCSTR text, int length, LPSIZE size) {
  layer::ScreenBackend* backend = layer::CurrentScreenBackend();
  return backend ? backend->GetTextExtentPoint32(dc, text, length, size) : FALSE;
}

BOOL GetTextMetrics(HDC dc, LPTEXTMETRIC metrics) {
  layer::ScreenBackend* backend = layer::CurrentScreenBackend();
  return backend ? backend->GetTextMetrics(dc, metrics) : FALSE;
}

int GetTextFace(HDC dc, int size, LPSTR face) {
  layer::ScreenBackend* backend = layer::CurrentScreenBackend();
  return backend ? backend->GetTextFace(dc, size, face) : 0;
}
