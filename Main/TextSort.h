// The sort of texts that tables use: an index order over the texts, compared
// without regard to case.
#pragma once

#include <vector>

#include "mfc/CString.h"
#include "win32/Types.h"

// The indexes of texts in ascending order (descending reverses the finished
// order), by a comb sort; with emptyLast an empty text comes after every
// other and two empty texts are equal.
std::vector<int> SortTextOrder(const std::vector<CString>& texts, BOOL descending, BOOL emptyLast);
