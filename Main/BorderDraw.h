// Rectangle helpers and the borders of cells and tables: strips of solid
// colour, flat or with a 2-pixel 3-D edge in the system colours.
#pragma once

#include "mfc/CDC.h"
#include "mfc/CRect.h"
#include "win32/Types.h"

// One value for each side, in the order left, top, right, bottom.
struct Sides {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  BOOL Any() const { return left != 0 || top != 0 || right != 0 || bottom != 0; }
  bool operator==(const Sides&) const = default;
};

// Right and bottom never lie before left and top; left and top stay.
void NormalizeRect(RECT& rect);
void ClampToOrigin(POINT& point);
void ClampToOrigin(SIZE& size);
int CopyRect4(RECT& destination, const RECT& source);
BOOL IsRectVisible(CDC* dc, RECT rect);

// Two 1-pixel lines on each flagged side, the outer on the edge and the inner
// one pixel inside it; an inner line stops one pixel short of a flagged
// neighbour side.
void Draw3dBorder(const RECT& rect, CDC* dc, Sides sides, COLORREF outerTopLeft, COLORREF innerTopLeft,
                  COLORREF outerBottomRight, COLORREF innerBottomRight);
void DrawSunkenBorder(const RECT& rect, CDC* dc, Sides sides);
void DrawRaisedBorder(const RECT& rect, CDC* dc, Sides sides);
// The four border strips of a cell, widths counted from the edges inward: a
// 3-D side (flagged) in the button face colour over its whole length, a
// plain one in colour, shortened where a neighbour side is 3-D so that the
// 2-pixel edge drawn afterwards has its room.
void DrawSideStrips(const RECT& rect, CDC* dc, Sides widths, Sides threeD, COLORREF colour);
