#include "partsinfo/PartsInfoRow.h"

#include <cstring>

std::vector<std::vector<CString>> ReadOrderLines(const char* data, int length, int columns) {
  std::vector<std::vector<CString>> lines;
  if (!data || columns <= 0) return lines;
  const int end = length - 1;  // the closing NUL
  int pos = 0;
  while (pos < end) {
    std::vector<CString>& line = lines.emplace_back();
    for (int column = 0; column < columns; ++column) {
      if (pos >= end) {
        line.emplace_back();
        continue;
      }
      const void* nul = std::memchr(data + pos, '\0', static_cast<size_t>(end - pos));
      const int fieldEnd = nul ? static_cast<int>(static_cast<const char*>(nul) - data) : end;
      line.emplace_back(data + pos, fieldEnd - pos);
      pos = fieldEnd + 1;
    }
  }
  return lines;
}
