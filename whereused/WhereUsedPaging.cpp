#include "whereused/WhereUsedPaging.h"

#include "win32/UserTypes.h"

int WhereUsedPaging::Scroll(UINT code, int thumb, int position, int hits, int perPage) {
  const int p = position;
  const int n = hits;
  const int k = perPage;
  switch (code) {
    case SB_LINEUP:
      return p > 0 ? p - 1 : -1;
    case SB_LINEDOWN:
      return p < n - k ? p + 1 : -1;
    case SB_PAGEUP:
      return p >= k ? p - k : -1;
    // Stops while fewer than two pages lie below, so that a page down never
    // shows a page that is not full.
    case SB_PAGEDOWN:
      return p < n - 2 * k ? p + k : -1;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      return thumb;
    case SB_TOP:
      return 0;
    case SB_BOTTOM:
      return n - k;
    default:
      return -1;
  }
}
