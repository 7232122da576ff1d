#include "whereused/WhereUsedHistory.h"

#include <cstring>

std::vector<CString> WhereUsedHistory::Split(const char* history) {
  std::vector<CString> entries;
  const char* piece = history != nullptr ? history : "";
  for (;;) {
    const char* end = std::strchr(piece, '~');
    const int length = end != nullptr ? static_cast<int>(end - piece) : static_cast<int>(std::strlen(piece));
    entries.emplace_back(piece, length < kEntryLimit ? length : kEntryLimit);
    if (end == nullptr) return entries;
    piece = end + 1;
  }
}

CString WhereUsedHistory::Join(const std::vector<CString>& entries) {
  CString history;
  const char* separator = " ";
  for (const CString& entry : entries) {
    if (history.GetLength() + entry.GetLength() >= kHistoryLimit) break;
    history += separator;
    history += entry;
    separator = "~";
  }
  return history;
}
