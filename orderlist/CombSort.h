// The comb sort that the order-list program's lists sort with: the gap
// shrinks by 8/11 down to 1, until a pass at 1 swaps nothing.
#pragma once

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

// behind(a, b) is true when a belongs behind b.
template <class T, class Behind>
void CombSort(std::vector<T>& items, Behind behind) {
  std::size_t gap = items.size();
  for (bool swapped = true; gap > 1 || swapped;) {
    gap = std::max<std::size_t>(gap * 8 / 11, 1);
    swapped = false;
    for (std::size_t i = 0; i + gap < items.size(); ++i) {
      if (!behind(items[i], items[i + gap])) continue;
      std::swap(items[i], items[i + gap]);
      swapped = true;
    }
  }
}
