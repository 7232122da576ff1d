#include "Main/TextSort.h"

#include <algorithm>
#include <numeric>

#include "win32/Mbstring.h"

namespace {

BOOL Greater(const CString& a, const CString& b, BOOL emptyLast) {
  if (emptyLast && (a.IsEmpty() || b.IsEmpty())) return a.IsEmpty() && !b.IsEmpty();
  return _mbsicmp(reinterpret_cast<const unsigned char*>(static_cast<const char*>(a)),
                  reinterpret_cast<const unsigned char*>(static_cast<const char*>(b))) > 0;
}

}  // namespace

std::vector<int> SortTextOrder(const std::vector<CString>& texts, BOOL descending, BOOL emptyLast) {
  const int n = static_cast<int>(texts.size());
  std::vector<int> order(texts.size());
  std::iota(order.begin(), order.end(), 0);
  int gap = n;
  BOOL swapped = TRUE;
  while (gap > 1 || swapped) {
    gap = std::max(gap * 8 / 11, 1);
    swapped = FALSE;
    for (int i = 0; i + gap < n; ++i) {
      const size_t a = static_cast<size_t>(order[static_cast<size_t>(i)]);
      const size_t b = static_cast<size_t>(order[static_cast<size_t>(i + gap)]);
      if (Greater(texts[a], texts[b], emptyLast)) {
        std::swap(order[static_cast<size_t>(i)], order[static_cast<size_t>(i + gap)]);
        swapped = TRUE;
      }
    }
  }
  if (descending) std::reverse(order.begin(), order.end());
  return order;
}
