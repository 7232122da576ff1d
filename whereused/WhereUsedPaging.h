// Which hits the results list shows: a page of owner-drawn rows whose first
// hit is the scroll bar's position, so that a search with very many hits
// needs no list item per hit.
#pragma once

#include "win32/Types.h"

struct WhereUsedPaging {
  // The position after a scroll bar request (SB_ code, and the thumb's
  // position for the thumb codes) with this many hits and rows per page; -1
  // when the request changes nothing.
  static int Scroll(UINT code, int thumb, int position, int hits, int perPage);
};
