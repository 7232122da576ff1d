// The drawing and desktop calls that the screen backend answers for the
// layer (see win32/ScreenBackend.h).
#pragma once

#include <string>
#include <vector>

#include "win32/DesktopIntegration.h"
#include "win32/Gdi.h"

namespace layer {
class DeviceContext;
}

namespace layer::desktop {

BOOL WideLines(DeviceContext& context, const std::vector<std::vector<POINT>>& runs);
BOOL Polygon(HDC dc, const POINT* points, int count);
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
BOOL Ellipse(HDC dc, int left, int top, int right, int bottom);
BOOL TextOut(HDC dc, int x, int y, LPCSTR text, int length);
BOOL ExtTextOut(HDC dc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT length, const INT* dx);
int DrawText(HDC dc, LPCSTR text, int length, LPRECT rect, UINT format);
BOOL GetTextExtentPoint32(HDC dc, LPCSTR text, int length, LPSIZE size);
BOOL GetTextMetrics(HDC dc, LPTEXTMETRIC metrics);
int GetTextFace(HDC dc, int size, LPSTR face);
bool ScreenIsVisible();
bool PaintWithDesktopStyle(HDC dc, const RECT& rect, UINT type, UINT state);
bool ShowDesktopFileDialog(DesktopFileChoice& choice, std::string& chosenPath);

}  // namespace layer::desktop
