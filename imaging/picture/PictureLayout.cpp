#include "imaging/picture/PictureLayout.h"

#include <algorithm>

#include "imaging/picture/HotspotSlots.h"
#include "imaging/picture/ImageErrors.h"
#include "imaging/picture/PictureMath.h"
#include "imaging/picture/PictureTable.h"
#include "win32/UserWindows.h"

namespace {

SIZE OuterSize(HWND window) {
  RECT outer{};
  if (!GetWindowRect(window, &outer)) return {0, 0};
  return {outer.right - outer.left, outer.bottom - outer.top};
}

double Aspect(const QORIMG_PICTURE* picture) { return Quotient(picture->nTiffHeight, picture->nTiffWidth, 0.0); }

void SetWindowSizes(QORIMG_PICTURE* picture, LONG width, LONG height) {
  picture->nWindowWidth = picture->nVisibleWidth = picture->nOutputWidth = width;
  picture->nWindowHeight = picture->nVisibleHeight = picture->nOutputHeight = height;
}

void ShowTiffModes(QORIMG_PICTURE* picture) {
  picture->bBitmapMode = 1;
  picture->bOverlay = 1;
  picture->bDibMode = 0;
  picture->nPictureMode = QORIMG_PICTURE_FITTED;
}

// A horizontal range this small is what is left over when the TIFF's width
// fills the window.
LONG ScrollThreshold(const QORIMG_PICTURE* picture) {
  const double width = picture->nScaledWidth;
  if (width <= 0) return 2;
  return TruncateToLong((1 - (width - 1) / width) * picture->nTiffWidth) + 2;
}

LONG HorizontalRange(const QORIMG_PICTURE* picture, LONG sourceWidth) {
  const LONG range = picture->nTiffWidth - sourceWidth;
  return range <= picture->nScrollThreshold ? 0 : range;
}

LONG VerticalRange(const QORIMG_PICTURE* picture, LONG sourceHeight) {
  return std::max<LONG>(0, picture->nTiffHeight - sourceHeight);
}

void ClampScrollPosition(QORIMG_PICTURE* picture) {
  picture->nScrollX = std::clamp<LONG>(picture->nScrollX, 0, std::max<LONG>(0, picture->nScrollRangeX));
  picture->nScrollY = std::clamp<LONG>(picture->nScrollY, 0, std::max<LONG>(0, picture->nScrollRangeY));
}

// Where a zoomed view starts: the source centred on the rectangle's centre,
// kept inside the TIFF.
LONG ScrollStart(double centre, LONG half, LONG size, LONG range) {
  LONG position = std::max<LONG>(0, TruncateToLong(centre + 0.5) - half);
  if (position != 0 && position + 2 * half > size) position = range;
  return position;
}

// The thumbs are drawn where they now stand: a bar that its range has
// already shown is not drawn again when the bars are shown.
void SetBars(HWND window, const QORIMG_PICTURE* picture, BOOL redrawRanges) {
  SetScrollRange(window, SB_HORZ, 0, picture->nScrollRangeX, redrawRanges);
  SetScrollPos(window, SB_HORZ, picture->nScrollX, TRUE);
  SetScrollRange(window, SB_VERT, 0, picture->nScrollRangeY, redrawRanges);
  SetScrollPos(window, SB_VERT, picture->nScrollY, TRUE);
}

QORIMG_DPOINT Factors(QORIMG_PICTURE* picture, double QORIMG_PICTURE::*x, double QORIMG_PICTURE::*y) {
  picture = StartCall(picture);
  if (!picture) return {-1.0, -1.0};
  return {picture->*x, picture->*y};
}

LONGLONG Pair(QORIMG_PICTURE* picture, LONG QORIMG_PICTURE::*x, LONG QORIMG_PICTURE::*y) {
  picture = StartCall(picture);
  if (!picture) return -1;
  return PackPair(picture->*x, picture->*y);
}

}  // namespace

void RecalcLayout(HWND window, QORIMG_PICTURE* picture) {
  const SIZE outer = OuterSize(window);
  const double aspect = Aspect(picture);
  const LONG mode = picture->nDisplayMode;
  if (mode != QORIMG_DISPLAY_DRF && mode != QORIMG_DISPLAY_DRF_WINDOW) {
    picture->nScaledWidth = outer.cx;
    picture->nScaledHeight = TruncateToLong(outer.cx * aspect);
  }
  switch (mode) {
    case QORIMG_DISPLAY_FITTED:
      ShowTiffModes(picture);
      picture->nContent = 1;
      SetWindowSizes(picture, outer.cx, outer.cy);
      if (picture->bZoomState == 2) ApplyZoom(picture);
      break;
    case QORIMG_DISPLAY_ZOOMED:
      ShowTiffModes(picture);
      picture->bZoomState = 2;
      SetWindowSizes(picture, std::max<LONG>(0, outer.cx - GetSystemMetrics(SM_CXVSCROLL)),
                     std::max<LONG>(0, outer.cy - GetSystemMetrics(SM_CYHSCROLL)));
      picture->rcZoom = {1, 0, picture->nScaledWidth, 10};
      picture->nScaledHeight = TruncateToLong(picture->nScaledWidth * aspect);
      picture->nScrollThreshold = ScrollThreshold(picture);
      ApplyZoom(picture);
      break;
    case QORIMG_DISPLAY_DRF:
    case QORIMG_DISPLAY_DRF_PLACED:
    case QORIMG_DISPLAY_DRF_WINDOW:
      picture->bBitmapMode = 0;
      picture->bDibMode = 1;
      picture->bOverlay = 1;
      picture->nPictureMode = QORIMG_PICTURE_DRF;
      picture->bZoomState = 0;
      SetWindowSizes(picture, outer.cx, outer.cy);
      if (mode != QORIMG_DISPLAY_DRF_WINDOW) {
        picture->nScaledWidth = picture->nDrfWidth;
        picture->nScaledHeight = picture->nDrfHeight;
      }
      PlaceHotspots(picture, 1.0, 1.0);
      break;
    default:
      break;
  }
  if (picture->bZoomState == 1) {
    ClampScrollPosition(picture);
    PlaceHotspots(picture, picture->dZoomFactorX, picture->dZoomFactorY);
  }
}

void ApplyZoom(QORIMG_PICTURE* picture) {
  const double scaledWidth = picture->nScaledWidth, scaledHeight = picture->nScaledHeight;
  const double visibleWidth = picture->nVisibleWidth, visibleHeight = picture->nVisibleHeight;
  if (scaledWidth <= 0 || scaledHeight <= 0 || visibleWidth <= 0 || visibleHeight <= 0 || picture->nTiffWidth <= 0 ||
      picture->nTiffHeight <= 0)
    return;
  const double rx = picture->nTiffWidth / scaledWidth, ry = picture->nTiffHeight / scaledHeight;
  const bool fitted = picture->bOtherMode != 0;
  if (!fitted && picture->nPictureMode != QORIMG_PICTURE_ZOOMED) {
    picture->dZoomFactorX = picture->dZoomFactorY = 1.0;
    picture->nScrollOrigin1X = picture->nScrollOrigin1Y = 0;
  }
  const double factorX = fitted ? picture->dPictureFactorX : picture->dZoomFactorX;
  const double factorY = fitted ? picture->dPictureFactorY : picture->dZoomFactorY;

  RECT& zoom = picture->rcZoom;
  zoom.right = std::min(zoom.right, TruncateToLong(scaledWidth * factorX));
  zoom.bottom = std::min(zoom.bottom, TruncateToLong(scaledHeight * factorY));
  if (zoom.left > zoom.right || zoom.top > zoom.bottom) return;

  // Window pixels of the shown picture to pixels of the scaled picture.
  auto toScaledX = [&](double x) { return (fitted ? x / picture->dPictureFactorX : x) / picture->dZoomFactorX; };
  auto toScaledY = [&](double y) { return (fitted ? y / picture->dPictureFactorY : y) / picture->dZoomFactorY; };
  const double centreX = picture->nScrollX - picture->nScrollOrigin2X + picture->nScrollOrigin1X +
                         toScaledX((zoom.left + zoom.right) / 2.0) * rx;
  const double centreY = picture->nScrollY - picture->nScrollOrigin2Y + picture->nScrollOrigin1Y +
                         toScaledY((zoom.top + zoom.bottom) / 2.0) * ry;

  LONG width = TruncateToLong(toScaledX(zoom.right - zoom.left) + 0.5);
  LONG height = TruncateToLong(toScaledY(zoom.bottom - zoom.top) + 0.5);
  if (width < visibleWidth / rx) width = TruncateToLong(visibleWidth / rx + 0.5);
  if (height < visibleHeight / ry) height = TruncateToLong(visibleHeight / ry + 0.5);
  width = std::max<LONG>(width, 1);
  height = std::max<LONG>(height, 1);
  // The source takes the visible area's aspect.
  const double aspect = visibleWidth / visibleHeight;
  if (width <= aspect * height) width = std::max<LONG>(1, TruncateToLong(aspect * height + 0.5));
  else height = std::max<LONG>(1, TruncateToLong(width / aspect + 0.5));

  const LONG halfWidth = TruncateToLong((width * rx + 1) * 0.5);
  const LONG halfHeight = TruncateToLong((height * ry + 1) * 0.5);
  picture->dZoomFactorX = visibleWidth / width;
  picture->dZoomFactorY = visibleHeight / height;
  picture->bOtherMode = 0;

  if (scaledHeight > height && scaledWidth > width) {
    picture->nScrollRangeX = HorizontalRange(picture, 2 * halfWidth);
    picture->nScrollRangeY = VerticalRange(picture, 2 * halfHeight);
    picture->nScrollX = ScrollStart(centreX, halfWidth, picture->nTiffWidth, picture->nScrollRangeX);
    picture->nScrollY = ScrollStart(centreY, halfHeight, picture->nTiffHeight, picture->nScrollRangeY);
    picture->nSourceWidth = 2 * halfWidth;
    picture->nSourceHeight = 2 * halfHeight;
    picture->nScrollOrigin1X = picture->nScrollOrigin2X = picture->nScrollX;
    picture->nScrollOrigin1Y = picture->nScrollOrigin2Y = picture->nScrollY;
    picture->bZoomState = 1;
    picture->nPictureMode = QORIMG_PICTURE_ZOOMED;
    PlaceHotspots(picture, picture->dZoomFactorX, picture->dZoomFactorY);
  } else {
    picture->bZoomState = 0;
    const bool tiffShown =
        picture->nDisplayMode == QORIMG_DISPLAY_FITTED || picture->nDisplayMode == QORIMG_DISPLAY_ZOOMED;
    picture->nPictureMode = tiffShown ? QORIMG_PICTURE_FITTED : QORIMG_PICTURE_DRF;
  }
}

POINT ZoomScrollOffset(const QORIMG_PICTURE* picture) {
  if (picture->bZoomState != 1) return {0, 0};
  auto offset = [](LONG scaled, LONG tiff, LONG origin1, LONG origin2, LONG position, double factor) {
    const double ratio = tiff > 1 ? (scaled - 1.0) / (tiff - 1.0) : 0.0;
    const LONG value = TruncateToLong(ratio * (static_cast<double>(origin1) - origin2 + position) * factor + 0.5);
    return value < 0 ? position : value;
  };
  return {offset(picture->nScaledWidth, picture->nTiffWidth, picture->nScrollOrigin1X, picture->nScrollOrigin2X,
                 picture->nScrollX, picture->dZoomFactorX),
          offset(picture->nScaledHeight, picture->nTiffHeight, picture->nScrollOrigin1Y, picture->nScrollOrigin2Y,
                 picture->nScrollY, picture->dZoomFactorY)};
}

void FitPicture(QORIMG_PICTURE* picture) {
  const double w = picture->nVisibleWidth, h = picture->nVisibleHeight, aspect = Aspect(picture);
  double width, height;
  if (w > h) {
    height = h;
    width = Quotient(h, aspect, w + 1);
    if (width > w) {
      width = w;
      height = w * aspect;
    }
  } else {
    width = w;
    height = w * aspect;
    if (height > h) {
      height = h;
      width = Quotient(h, aspect, w);
    }
  }
  picture->dFittedWidth = width;
  picture->dFittedHeight = height;
}

void FitScrollBars(HWND window, QORIMG_PICTURE* picture) {
  if (picture->bZoomState != 1 || picture->nScaledWidth <= 0 || picture->nScaledHeight <= 0) return;
  const double rx = static_cast<double>(picture->nTiffWidth) / picture->nScaledWidth;
  const double ry = static_cast<double>(picture->nTiffHeight) / picture->nScaledHeight;
  picture->nSourceWidth = std::clamp<LONG>(
      TruncateToLong(Quotient(picture->nVisibleWidth, picture->dZoomFactorX, 0) * rx + 0.5), 1, picture->nTiffWidth);
  picture->nSourceHeight = std::clamp<LONG>(
      TruncateToLong(Quotient(picture->nVisibleHeight, picture->dZoomFactorY, 0) * ry + 0.5), 1, picture->nTiffHeight);
  picture->nScrollRangeX = HorizontalRange(picture, picture->nSourceWidth);
  picture->nScrollRangeY = VerticalRange(picture, picture->nSourceHeight);
  ClampScrollPosition(picture);
  SetBars(window, picture, TRUE);
}

void UpdateBars(HWND window, QORIMG_PICTURE* picture) {
  ShowScrollBar(window, SB_BOTH, FALSE);
  if (picture->bZoomState == 2) ApplyZoom(picture);
  if (picture->nDisplayMode != QORIMG_DISPLAY_ZOOMED) return;
  SetBars(window, picture, FALSE);
  ShowScrollBar(window, SB_BOTH, TRUE);
}

LONG QORIMG_RecalcLayout(HWND window, QORIMG_PICTURE* picture) {
  picture = StartCall(picture);
  if (!picture) return 0;
  RecalcLayout(window, picture);
  return 1;
}

LONG QORIMG_UpdateBars(HWND window, QORIMG_PICTURE* picture) {
  picture = StartCall(picture);
  if (!picture) return 0;
  UpdateBars(window, picture);
  return 1;
}

LONG QORIMG_DisplayPicture(HWND window, QORIMG_PICTURE* picture, LONG displayMode) {
  picture = StartCall(picture);
  if (!picture || displayMode < QORIMG_DISPLAY_DRF || displayMode > QORIMG_DISPLAY_ZOOMED) return 0;
  picture->nDisplayMode = displayMode;
  picture->dPictureFactorX = picture->dPictureFactorY = 1.0;
  picture->dZoomFactorX = picture->dZoomFactorY = 1.0;
  picture->nZoomStartX = picture->nZoomStartY = 0;
  picture->nScrollX = picture->nScrollY = 0;
  picture->nScrollOrigin1X = picture->nScrollOrigin1Y = picture->nScrollOrigin2X = picture->nScrollOrigin2Y = 0;
  picture->bZoomState = 0;
  RecalcLayout(window, picture);
  UpdateBars(window, picture);
  InvalidateRect(window, nullptr, TRUE);
  UpdateWindow(window);
  return 1;
}

LONGLONG QORIMG_GetHotspotOffset(QORIMG_PICTURE* picture) {
  picture = StartCall(picture);
  if (!picture) return -1;
  const POINT offset = ZoomScrollOffset(picture);
  return PackPair(offset.x, offset.y);
}

LONGLONG QORIMG_GetScaledClientSize(QORIMG_PICTURE* picture) {
  return Pair(picture, &QORIMG_PICTURE::nScaledWidth, &QORIMG_PICTURE::nScaledHeight);
}

QORIMG_DPOINT QORIMG_GetZoomFactor(QORIMG_PICTURE* picture) {
  return Factors(picture, &QORIMG_PICTURE::dZoomFactorX, &QORIMG_PICTURE::dZoomFactorY);
}

QORIMG_DPOINT QORIMG_GetBildFactor(QORIMG_PICTURE* picture) {
  return Factors(picture, &QORIMG_PICTURE::dPictureFactorX, &QORIMG_PICTURE::dPictureFactorY);
}

LONGLONG QORIMG_GetBildMitte(QORIMG_PICTURE* picture) {
  return Pair(picture, &QORIMG_PICTURE::nCentreX, &QORIMG_PICTURE::nCentreY);
}

LONGLONG QORIMG_GetZoomStart(QORIMG_PICTURE* picture) {
  return Pair(picture, &QORIMG_PICTURE::nZoomStartX, &QORIMG_PICTURE::nZoomStartY);
}

LONG QORIMG_GetPictureMode(QORIMG_PICTURE* picture) {
  picture = StartCall(picture);
  return picture ? picture->nPictureMode : -1;
}
