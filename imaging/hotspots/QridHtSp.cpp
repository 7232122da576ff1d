// The exported functions: each forwards to one operation of the list behind
// the handle. The class library's module-state switch of the platform has no
// counterpart here: the layer keeps no per-module state.
#include "interfaces/QridHtSp.h"

#include <new>

#include "CHotspots.h"

namespace {
CHotspots& List(HS_HANDLE list) { return *static_cast<CHotspots*>(list); }
}  // namespace

HS_HANDLE HS_New() { return new (std::nothrow) CHotspots; }
void HS_Delete(HS_HANDLE list) { delete static_cast<CHotspots*>(list); }
int HS_OnDraw(HS_HANDLE list, CDC* dc, int dx, int dy) { return List(list).OnDraw(dc, dx, dy); }
int HS_HotspotsExists(HS_HANDLE list) { return List(list).HotspotsExists(); }
int HS_Zoom(HS_HANDLE list, int width, int height) { return List(list).Zoom(width, height); }
int HS_SetTotalNumber(HS_HANDLE list, int count) { return List(list).SetTotalNumber(count); }

int HS_SetHotspot(HS_HANDLE list, int index, int left, int top, int right, int bottom, const char* text,
                  const char* text2, int flags) {
  return List(list).SetHotspot(index, left, top, right, bottom, text, text2, flags);
}

int HS_OnMouseMove(HS_HANDLE list, CWnd* window, int scrollX, int scrollY, int ignored, int x, int y,
                   CPalette* palette) {
  return List(list).OnMouseMove(window, scrollX, scrollY, ignored, x, y, palette);
}

int HS_GetActiveHotspot(HS_HANDLE list) { return List(list).GetActiveHotspot(); }

void HS_AddHotspot(HS_HANDLE list, int left, int top, int right, int bottom, const char* text, const char* text2,
                   int flags) {
  List(list).AddHotspot(left, top, right, bottom, text, text2, flags);
}

int HS_SetClrMode(HS_HANDLE list, int index, int mode) { return List(list).SetColorMode(index, mode); }

void HS_DrawSettings(HS_HANDLE list, int style, int shape, int penWidth, int count, const COLORREF* colours,
                     const COLORREF* activeColours) {
  List(list).DrawSettings(style, shape, penWidth, count, colours, activeColours);
}

int HS_GetNumberOfHotspots(HS_HANDLE list) { return List(list).GetNumberOfHotspots(); }
void HS_SetNotVisible(HS_HANDLE list) { List(list).SetNotVisible(); }

int HS_ActivateHotspot(HS_HANDLE list, CString name, int on, CWnd* window, int scrollX, int scrollY,
                       CPalette* palette) {
  return List(list).ActivateHotspot(name, on, window, scrollX, scrollY, palette);
}

void HS_EnableHotspot(HS_HANDLE list, CString name, int on) { List(list).EnableHotspot(name, on); }

int HS_ClearHotspots(HS_HANDLE list, CWnd* window, int scrollX, int scrollY, CPalette* palette) {
  return List(list).ClearHotspots(window, scrollX, scrollY, palette);
}

void HS_DeleteHotspots(HS_HANDLE list) { List(list).DeleteHotspots(); }

int HS_ActivateHotspotNr(HS_HANDLE list, int index, int on, CWnd* window, int scrollX, int scrollY,
                         CPalette* palette) {
  return List(list).ActivateHotspotNr(index, on, window, scrollX, scrollY, palette);
}

int HS_GetHotspot(HS_HANDLE list, int index, RECT* rect, CString** text, CString** text2, BYTE* mode) {
  RECT r;
  CString* t = nullptr;
  CString* t2 = nullptr;
  BYTE m = 0;
  if (!List(list).GetHotspot(index, r, t, t2, m)) return 0;
  if (rect) *rect = r;
  if (text) *text = t;
  if (text2) *text2 = t2;
  if (mode) *mode = m;
  return 1;
}

void HS_EnableHotspotNr(HS_HANDLE list, int index, int on) { List(list).EnableHotspotNr(index, on); }
void HS_FileWriteHotspots(HS_HANDLE list, CString file) { List(list).FileWriteHotspots(file); }
void HS_FileReadHotspots(HS_HANDLE list, CString file) { List(list).FileReadHotspots(file); }
int HS_SaveFile(HS_HANDLE list, CString file) { return List(list).SaveFile(file); }
int HS_DeleteHotspot(HS_HANDLE list, int index) { return List(list).DeleteHotspot(index); }
void HS_SetImageSize(HS_HANDLE list, int width, int height) { List(list).SetImageSize(width, height); }
int HS_Scale(HS_HANDLE list, SIZE size) { return List(list).Scale(size.cx, size.cy); }
int HS_SetTextMode(HS_HANDLE list, int mode) { return List(list).SetTextMode(mode); }

void HS_SetTextSettings(HS_HANDLE list, CString face, int pointSize, COLORREF colour, COLORREF highColour,
                        int bkMode) {
  List(list).SetTextSettings(face, pointSize, colour, highColour, bkMode);
}

int HS_SelectHotspot(HS_HANDLE list, CString name, int on, CWnd* window, int scrollX, int scrollY, int ignored) {
  return List(list).SelectHotspot(name, on, window, scrollX, scrollY, ignored);
}

int HS_SelectHotspotNr(HS_HANDLE list, int index, int on, CWnd* window, int scrollX, int scrollY, int ignored) {
  return List(list).SelectHotspotNr(index, on, window, scrollX, scrollY, ignored);
}

int HS_IsHotspotSelected(HS_HANDLE list, CString name) { return List(list).IsHotspotSelected(name); }
int HS_IsHotspotNrSelected(HS_HANDLE list, int index) { return List(list).IsHotspotNrSelected(index); }
void HS_FrameSettings(HS_HANDLE list, int frameWidth, int invertWidth) { List(list).FrameSettings(frameWidth, invertWidth); }
int HS_CaseSensitive(HS_HANDLE list, int on) { return List(list).SetCaseSensitive(on); }
