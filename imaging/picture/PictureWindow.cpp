#include "imaging/picture/PictureWindow.h"

#include <algorithm>
#include <utility>

#include "imaging/picture/DrfBitmap.h"
#include "imaging/picture/DrfPaint.h"
#include "imaging/picture/DrfReader.h"
#include "imaging/picture/HotspotFrames.h"
#include "imaging/picture/HotspotSlots.h"
#include "imaging/picture/ImageErrors.h"
#include "imaging/picture/PictureLayout.h"
#include "imaging/picture/PictureMath.h"
#include "imaging/picture/PictureTable.h"
#include "imaging/picture/TiffPaint.h"
#include "imaging/picture/ZoomCursor.h"
#include "win32/Gdi.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace {

LONG RoundedSize(double size) { return std::max<LONG>(1, TruncateToLong(size + 0.5)); }

void PaintZoomedTiff(QORIMG_PICTURE* picture, HDC dc, const RECT& update) {
  picture->nCentreX = picture->nCentreY = 0;
  const RECT source{picture->nScrollX, picture->nScrollY, picture->nScrollX + picture->nSourceWidth,
                    picture->nScrollY + picture->nSourceHeight};
  PaintTIFFPicture(picture, dc, update, source, picture->nOutputWidth, picture->nOutputHeight);
}

void PaintFittedTiff(QORIMG_PICTURE* picture, HDC dc, const RECT& update) {
  FitPicture(picture);
  picture->dPictureFactorX = Quotient(picture->dFittedWidth, picture->nScaledWidth, 1.0);
  picture->dPictureFactorY = Quotient(picture->dFittedHeight, picture->nScaledHeight, 1.0);
  picture->nCentreX = TruncateToLong((picture->nVisibleWidth - picture->dFittedWidth + 1) * 0.5);
  picture->nCentreY = TruncateToLong((picture->nVisibleHeight - picture->dFittedHeight + 1) * 0.5);
  PlaceHotspots(picture, picture->dPictureFactorX, picture->dPictureFactorY);
  picture->bOtherMode = 1;
  const RECT whole{0, 0, picture->nTiffWidth, picture->nTiffHeight};
  PaintTIFFPicture(picture, dc, update, whole, RoundedSize(picture->dFittedWidth), RoundedSize(picture->dFittedHeight));
}

void DrawPicture(HWND window, QORIMG_PICTURE* picture, HDC dc, const RECT& update) {
  if (picture->bZoomState == 1) {
    if (picture->nScrollRangeX != 0 || picture->nScrollRangeY != 0) {
      PaintZoomedTiff(picture, dc, update);
      return;
    }
    picture->nPictureMode = QORIMG_PICTURE_FITTED;
    picture->bZoomState = 0;
  }
  if (picture->nPictureMode == QORIMG_PICTURE_FITTED && picture->bOverlay) PaintFittedTiff(picture, dc, update);
  else if (picture->nPictureMode == QORIMG_PICTURE_DRF) PaintDRFPicture(window, picture, dc, update);
}

// The rubber rectangle of a zoom in progress, inverted so that drawing it
// twice takes it away.
void InvertRubberBand(HWND window, const QORIMG_PICTURE* picture) {
  HDC dc = GetDC(window);
  if (!dc) return;
  IntersectClipRect(dc, 0, 0, picture->nVisibleWidth, picture->nVisibleHeight);
  InvertFrame(dc, picture->rcZoom, true);
  ReleaseDC(window, dc);
}

bool StrictlyInsideVisible(const QORIMG_PICTURE* picture, POINT point, POINT from) {
  return from.x < point.x && point.x < picture->nVisibleWidth && from.y < point.y && point.y < picture->nVisibleHeight;
}

POINT PointOf(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

void Scroll(HWND window, QORIMG_PICTURE* picture, int bar, WPARAM wParam) {
  const bool horizontal = bar == SB_HORZ;
  LONG& position = horizontal ? picture->nScrollX : picture->nScrollY;
  const LONG range = std::max<LONG>(0, horizontal ? picture->nScrollRangeX : picture->nScrollRangeY);
  const LONG page = horizontal ? picture->nVisibleWidth : picture->nVisibleHeight;
  switch (LOWORD(wParam)) {
    case SB_LINEUP: position -= 10; break;
    case SB_LINEDOWN: position += 10; break;
    case SB_PAGEUP: position -= page; break;
    case SB_PAGEDOWN: position += page; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: position = HIWORD(wParam); break;
    default: return;
  }
  position = std::clamp<LONG>(position, 0, range);
  if (position != GetScrollPos(window, bar)) {
    SetScrollPos(window, bar, position, TRUE);
    InvalidateRect(window, nullptr, FALSE);
  }
}

void MouseMove(HWND window, QORIMG_PICTURE* picture, WPARAM keys, POINT point) {
  const bool armed = picture->bZoomArmed != 0;
  // Over a DRF placed in its window the zoom is taken only inside the picture.
  const bool placedDrf =
      picture->nDisplayMode == QORIMG_DISPLAY_DRF_WINDOW && picture->nPictureMode != QORIMG_PICTURE_ZOOMED;
  if (armed && (!placedDrf || StrictlyInsideVisible(picture, point, {0, 0}))) {
    SetCapture(window);
    SetCursor(ZoomCursor());
  }
  RECT& zoom = picture->rcZoom;
  const POINT anchor{zoom.left, zoom.top};
  if ((keys & MK_LBUTTON) && picture->bOverlay && armed &&
      StrictlyInsideVisible(picture, anchor, {picture->nZoomStartX, picture->nZoomStartY})) {
    InvertRubberBand(window, picture);
    zoom.right = std::max<LONG>(1, std::min<LONG>(point.x, picture->nVisibleWidth));
    zoom.bottom = std::max<LONG>(1, point.y > picture->nVisibleHeight ? picture->nVisibleHeight - 1 : point.y);
    InvertRubberBand(window, picture);
  }
  if (picture->nHotspotCount > 0 && !armed) HoverTest(window, picture, point, ZoomScrollOffset(picture));
}

// Where the shown picture lies in the window and how large it is.
RECT ShownPicture(const QORIMG_PICTURE* picture) {
  switch (picture->nPictureMode) {
    case QORIMG_PICTURE_DRF: {
      const LONG x = picture->nDrfSpotOffsetX, y = picture->nDrfSpotOffsetY;
      return {x, y, x + picture->nScaledWidth, y + picture->nScaledHeight};
    }
    case QORIMG_PICTURE_FITTED:
      return {picture->nCentreX, picture->nCentreY, picture->nCentreX + RoundedSize(picture->dFittedWidth),
              picture->nCentreY + RoundedSize(picture->dFittedHeight)};
    default:
      return {picture->nCentreX, picture->nCentreY, picture->nCentreX + picture->nOutputWidth,
              picture->nCentreY + picture->nOutputHeight};
  }
}

// The rectangle in pixels of the shown picture, kept off its edges.
RECT ToPicture(const QORIMG_PICTURE* picture, const RECT& r, const RECT& shown) {
  const bool drf = picture->nPictureMode == QORIMG_PICTURE_DRF;
  const LONG low = drf ? 1 : 2, margin = drf ? 1 : 2;
  const LONG width = shown.right - shown.left, height = shown.bottom - shown.top;
  auto convert = [&](LONG value, LONG origin, LONG size, bool farEdge) {
    LONG v = value - origin;
    if (v <= 0) v = low;
    if (farEdge && v >= size) v = size - margin;
    return v;
  };
  return {convert(r.left, shown.left, width, false), convert(r.top, shown.top, height, false),
          convert(r.right, shown.left, width, true), convert(r.bottom, shown.top, height, true)};
}

void EndZoomRectangle(HWND window, QORIMG_PICTURE* picture) {
  ReleaseCapture();
  if (!picture->bZoomArmed) return;
  RECT r = picture->rcZoom;
  if (r.left > r.right) std::swap(r.left, r.right);
  if (r.top > r.bottom) std::swap(r.top, r.bottom);
  // A rectangle without area zooms nothing.
  const bool counts = r.right > r.left && r.bottom > r.top && picture->bOverlay &&
                      StrictlyInsideVisible(picture, {r.left, r.top}, {picture->nZoomStartX, picture->nZoomStartY});
  if (!counts) {
    picture->bZoomArmed = 0;
    return;
  }
  const RECT shown = ShownPicture(picture);
  if (r.right < shown.left || r.left > shown.right || r.bottom < shown.top || r.top > shown.bottom) {
    InvertRubberBand(window, picture);
    picture->bZoomArmed = 0;
    return;
  }
  picture->rcZoom = ToPicture(picture, r, shown);
  if (picture->bZoomState != 1) {
    picture->dZoomFactorX = picture->dZoomFactorY = 1.0;
    picture->nScrollOrigin1X = picture->nScrollOrigin1Y = 0;
  }
  picture->nDisplayMode = QORIMG_DISPLAY_ZOOMED;
  picture->bZoomState = 2;
  picture->bZoomArmed = 0;
  UpdateBars(window, picture);
  InvalidateRect(window, nullptr, TRUE);
  UpdateWindow(window);
}

void StartZoomRectangle(QORIMG_PICTURE* picture, POINT point) {
  if (!picture->bZoomArmed) return;
  SetCursor(ZoomCursor());
  picture->rcZoom = {point.x, point.y, point.x, point.y};
}

// Before the first paint the visible area follows the window's client size.
void Resize(HWND window, QORIMG_PICTURE* picture, LPARAM lParam) {
  if (picture->bPaintedOnce) return;
  const LONG width = LOWORD(lParam), height = HIWORD(lParam);
  if (width != picture->nVisibleWidth || height != picture->nVisibleHeight) {
    picture->nVisibleWidth = picture->nOutputWidth = width - picture->nZoomStartX;
    picture->nVisibleHeight = picture->nOutputHeight = height - picture->nZoomStartY;
    FitScrollBars(window, picture);
  }
  PaintPicture(window, picture, nullptr);
}

void PlaceWindow(HWND window, QORIMG_PICTURE* picture) {
  const LONG mode = picture->nDisplayMode;
  const bool drf = mode == QORIMG_DISPLAY_DRF || mode == QORIMG_DISPLAY_DRF_PLACED || mode == QORIMG_DISPLAY_DRF_WINDOW;
  if (drf) FreeStripes(picture);
  picture->bZoomState = 0;
  picture->rcZoom = RECT{};
  picture->nCentreX = picture->nCentreY = 0;
  if (mode == QORIMG_DISPLAY_FITTED) {
    picture->nPictureMode = QORIMG_PICTURE_FITTED;
  } else if (mode == QORIMG_DISPLAY_ZOOMED) {
    picture->bZoomState = 2;
    picture->rcZoom = {1, 0, picture->nScaledWidth, 10};
    picture->nVisibleWidth = picture->nOutputWidth = picture->nWindowWidth;
    picture->nVisibleHeight = picture->nOutputHeight = picture->nWindowHeight;
    picture->nPictureMode = QORIMG_PICTURE_FITTED;
  } else {
    picture->nPictureMode = QORIMG_PICTURE_DRF;
  }
  picture->nHoverIndex = QORIMG_NO_HOTSPOT;
  picture->bZoomArmed = 0;
  picture->nScrollX = picture->nScrollY = picture->nScrollRangeX = picture->nScrollRangeY = 0;
  SetScrollRange(window, SB_HORZ, 0, 0, TRUE);
  SetScrollRange(window, SB_VERT, 0, 0, TRUE);
  picture->dZoomFactorX = picture->dZoomFactorY = 1.0;
  picture->dPictureFactorX = picture->dPictureFactorY = 1.0;
  picture->szSelectedName[0] = picture->szCurrentName[0] = '\0';
  PlaceHotspots(picture, 1.0, 1.0);
  const bool windowSized =
      mode == QORIMG_DISPLAY_FITTED || mode == QORIMG_DISPLAY_DRF_WINDOW || mode == QORIMG_DISPLAY_ZOOMED;
  const LONG width = windowSized ? picture->nWindowWidth : picture->nScaledWidth + 1;
  const LONG height = windowSized ? picture->nWindowHeight : picture->nScaledHeight + 1;
  MoveWindow(window, picture->nOriginX + picture->nWindowX, picture->nOriginY + picture->nWindowY, width, height, TRUE);
  UpdateWindow(window);
}

LONG RereadDrf(QORIMG_PICTURE* picture) {
  if (!ReadDRFFile(picture)) return 0;
  picture->bBitmapMode = 0;
  picture->bDibMode = 1;
  const bool windowSized = picture->nDisplayMode == QORIMG_DISPLAY_DRF_WINDOW;
  picture->nVisibleWidth = windowSized ? picture->nWindowWidth : picture->nScaledWidth;
  picture->nVisibleHeight = windowSized ? picture->nWindowHeight : picture->nScaledHeight;
  return 1;
}

}  // namespace

// No hover test runs during a paint. The hovered slot is remembered, since
// the paint draws its frame again: the next mouse move must still be able
// to take it away.
int PaintPicture(HWND window, QORIMG_PICTURE* picture, HDC given) {
  picture->bPainting = 1;
  const LONG hovered = std::exchange(picture->nHoverIndex, QORIMG_NO_HOTSPOT);
  PAINTSTRUCT paint{};
  RECT update{};
  HDC dc = given;
  if (given) {
    GetClipBox(given, &update);
  } else {
    dc = IsWindow(window) ? BeginPaint(window, &paint) : nullptr;
    update = paint.rcPaint;
  }
  if (dc) {
    DrawPicture(window, picture, dc, update);
    PaintFramesPass(dc, picture, update);
  }
  picture->nHoverIndex = hovered;
  picture->bPainting = 0;
  picture->bPaintedOnce = 1;
  if (dc && !given) EndPaint(window, &paint);
  return dc ? 1 : 0;
}

LONG QORIMG_OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, QORIMG_PICTURE* picture) {
  picture = StartCall(picture);
  if (!picture) return 0;
  switch (message) {
    case WM_SIZE:
      Resize(window, picture, lParam);
      return 1;
    case WM_PAINT:
    case WM_PALETTECHANGED:
      PaintPicture(window, picture, nullptr);
      return 1;
    case WM_HSCROLL:
      Scroll(window, picture, SB_HORZ, wParam);
      return 1;
    case WM_VSCROLL:
      Scroll(window, picture, SB_VERT, wParam);
      return 1;
    case WM_MOUSEMOVE:
      MouseMove(window, picture, wParam, PointOf(lParam));
      return 1;
    case WM_LBUTTONDOWN:
      StartZoomRectangle(picture, PointOf(lParam));
      return 1;
    case WM_LBUTTONUP:
      EndZoomRectangle(window, picture);
      return 1;
    case WM_RBUTTONUP:
      return 1;
    default:
      if (picture->pfnCallback && !picture->bZoomArmed) picture->pfnCallback(0, message, picture->szCurrentName);
      return 0;
  }
}

LONG QORIMG_RedrawPicture(HWND window, QORIMG_PICTURE* picture) {
  picture = StartCall(picture);
  if (!picture) return 0;
  RecalcLayout(window, picture);
  if (picture->nDisplayMode == QORIMG_DISPLAY_DRF || picture->nDisplayMode == QORIMG_DISPLAY_FITTED)
    InvalidateRect(window, nullptr, TRUE);
  if (!picture->bPainting) PaintPicture(window, picture, nullptr);
  return 1;
}

LONG QORIMG_OnDraw(HWND window, QORIMG_PICTURE* picture, HDC dc) {
  picture = StartCall(picture);
  if (!picture) return 0;
  if (!picture->bPainting) PaintPicture(window, picture, dc);
  return 1;
}

QORIMG_PICTURE* QORIMG_SetZoomMode(QORIMG_PICTURE* picture) {
  picture = StartCall(picture);
  if (picture) picture->bZoomArmed = 1;
  return picture;
}

LONG QORIMG_InZoomAction(QORIMG_PICTURE* picture) {
  picture = StartCall(picture);
  return picture && picture->bZoomArmed ? 1 : 0;
}

QORIMG_PICTURE* QORIMG_LoadPicture(HWND window, LONG callerValue, QORIMG_CALLBACK callback, const char* tiffFile,
                                   const char* drfFile, LONG displayMode, LONG fileType, LONG callerValue2) {
  QORIMG_PICTURE* picture =
      QORIMG_OpenImage(window, callerValue, callback, tiffFile, drfFile, displayMode, fileType, callerValue2);
  if (!picture || !QORIMG_RedrawPicture(window, picture)) return nullptr;
  QORIMG_ActivateAllHotspots(1, picture);
  return picture;
}

LRESULT QORIMG_MAIN(LONG command, QORIMG_PICTURE* picture, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  picture = StartCall(picture);
  if (!picture) return 0;
  switch (command) {
    case QORIMG_CMD_MESSAGE:
      return QORIMG_OnMessage(window, message, wParam, lParam, picture);
    case QORIMG_CMD_RESET:
      ResetPicture(picture);
      return 0;
    case QORIMG_CMD_PLACE_WINDOW:
      PlaceWindow(window, picture);
      return 0;
    case QORIMG_CMD_REREAD_DRF:
      return RereadDrf(picture);
    case QORIMG_CMD_PAINT:
      if (!picture->bPainting) PaintPicture(window, picture, nullptr);
      return 1;
    case QORIMG_CMD_HOVER:
      if (picture->nHotspotCount <= 0) return 0;
      HoverTest(window, picture, {picture->nOriginX, picture->nOriginY}, ZoomScrollOffset(picture));
      return 1;
    case QORIMG_CMD_FIT_BARS:
      FitScrollBars(window, picture);
      return 1;
    default:
      return 0;
  }
}
