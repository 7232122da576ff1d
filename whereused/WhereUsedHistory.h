// The history of search texts kept in the user ini: the entries of the search
// field's list joined by "~", the newest first, short enough for one ini line.
#pragma once

#include <vector>

#include "mfc/CString.h"

class WhereUsedHistory {
 public:
  // Each piece between "~" in order, the one after the last "~" too (so an
  // empty history gives one empty entry); a piece longer than an entry of
  // the search field is cut.
  static std::vector<CString> Split(const char* history);
  // The entries in order as long as the history stays below its limit; a
  // blank before the first (the ini reader drops it) and "~" between them.
  static CString Join(const std::vector<CString>& entries);

  static constexpr int kEntryLimit = 255;
  static constexpr int kHistoryLimit = 240;
};
