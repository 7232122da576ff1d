#include "Main/BorderDraw.h"

#include "win32/UserWindows.h"

namespace {

void Fill(CDC* dc, int left, int top, int right, int bottom, COLORREF colour) {
  const CRect strip(left, top, right, bottom);
  if (!strip.IsRectEmpty()) dc->FillSolidRect(&strip, colour);
}

}  // namespace

void NormalizeRect(RECT& rect) {
  if (rect.right < rect.left) rect.right = rect.left;
  if (rect.bottom < rect.top) rect.bottom = rect.top;
}

void ClampToOrigin(POINT& point) {
  if (point.x < 0) point.x = 0;
  if (point.y < 0) point.y = 0;
}

void ClampToOrigin(SIZE& size) {
  if (size.cx < 0) size.cx = 0;
  if (size.cy < 0) size.cy = 0;
}

int CopyRect4(RECT& destination, const RECT& source) {
  destination = source;
  return destination.bottom;
}

BOOL IsRectVisible(CDC* dc, RECT rect) { return dc->RectVisible(&rect); }

void Draw3dBorder(const RECT& r, CDC* dc, Sides sides, COLORREF outerTopLeft, COLORREF innerTopLeft,
                  COLORREF outerBottomRight, COLORREF innerBottomRight) {
  const int shortTop = sides.top != 0 ? 1 : 0;
  const int shortBottom = sides.bottom != 0 ? 1 : 0;
  const int shortLeft = sides.left != 0 ? 1 : 0;
  const int shortRight = sides.right != 0 ? 1 : 0;
  if (sides.left != 0) {
    Fill(dc, r.left, r.top, r.left + 1, r.bottom, outerTopLeft);
    Fill(dc, r.left + 1, r.top + shortTop, r.left + 2, r.bottom - shortBottom, innerTopLeft);
  }
  if (sides.top != 0) {
    Fill(dc, r.left, r.top, r.right, r.top + 1, outerTopLeft);
    Fill(dc, r.left + shortLeft, r.top + 1, r.right - shortRight, r.top + 2, innerTopLeft);
  }
  if (sides.right != 0) {
    Fill(dc, r.right - 1, r.top, r.right, r.bottom, outerBottomRight);
    Fill(dc, r.right - 2, r.top + shortTop, r.right - 1, r.bottom - shortBottom, innerBottomRight);
  }
  if (sides.bottom != 0) {
    Fill(dc, r.left, r.bottom - 1, r.right, r.bottom, outerBottomRight);
    Fill(dc, r.left + shortLeft, r.bottom - 2, r.right - shortRight, r.bottom - 1, innerBottomRight);
  }
}

void DrawSunkenBorder(const RECT& rect, CDC* dc, Sides sides) {
  Draw3dBorder(rect, dc, sides, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_WINDOWFRAME),
               GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_3DFACE));
}

void DrawRaisedBorder(const RECT& rect, CDC* dc, Sides sides) {
  Draw3dBorder(rect, dc, sides, GetSysColor(COLOR_3DFACE), GetSysColor(COLOR_BTNHIGHLIGHT),
               GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_BTNSHADOW));
}

void DrawSideStrips(const RECT& r, CDC* dc, Sides w, Sides threeD, COLORREF colour) {
  const COLORREF face = GetSysColor(COLOR_3DFACE);
  // A plain strip leaves the 2-pixel edge of a 3-D neighbour free.
  const int cutTop = threeD.top != 0 ? w.top + 2 : 0;
  const int cutBottom = threeD.bottom != 0 ? w.bottom + 2 : 0;
  const int cutLeft = threeD.left != 0 ? w.left + 2 : 0;
  const int cutRight = threeD.right != 0 ? w.right + 2 : 0;
  if (threeD.left != 0) Fill(dc, r.left, r.top, r.left + w.left, r.bottom, face);
  else Fill(dc, r.left, r.top + cutTop, r.left + w.left, r.bottom - cutBottom, colour);
  if (threeD.top != 0) Fill(dc, r.left, r.top, r.right, r.top + w.top, face);
  else Fill(dc, r.left + cutLeft, r.top, r.right - cutRight, r.top + w.top, colour);
  if (threeD.right != 0) Fill(dc, r.right - w.right, r.top, r.right, r.bottom, face);
  else Fill(dc, r.right - w.right, r.top + cutTop, r.right, r.bottom - cutBottom, colour);
  if (threeD.bottom != 0) Fill(dc, r.left, r.bottom - w.bottom, r.right, r.bottom, face);
  else Fill(dc, r.left + cutLeft, r.bottom - w.bottom, r.right - cutRight, r.bottom, colour);
}
