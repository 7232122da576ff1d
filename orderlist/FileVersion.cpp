#include "orderlist/FileVersion.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "win32/Version.h"

int GetFileVersion(const char* path, CString& text, DWORD& packed) {
  text.Empty();
  packed = 0;
  DWORD unused = 0;
  const DWORD size = path ? GetFileVersionInfoSize(path, &unused) : 0;
  if (size == 0) return 1;
  std::vector<char> block(size);
  if (!GetFileVersionInfo(path, 0, size, block.data())) return 1;
  LPVOID translation = nullptr;
  UINT length = 0;
  if (!VerQueryValue(block.data(), "\\VarFileInfo\\Translation", &translation, &length) || length < 4) return 1;
  const auto* pair = static_cast<const WORD*>(translation);
  char query[64];
  std::snprintf(query, sizeof query, "\\StringFileInfo\\%04x%04x\\FileVersion", pair[0], pair[1]);
  LPVOID version = nullptr;
  if (!VerQueryValue(block.data(), query, &version, &length)) return 1;
  text = static_cast<const char*>(version);
  const char* p = text;
  for (int part = 0; part < 4 && *p; ++part) {
    packed |= (static_cast<DWORD>(std::strtoul(p, nullptr, 10)) & 0xFF) << (8 * (3 - part));
    while (*p && *p != '.' && *p != ',') ++p;
    if (*p) ++p;
  }
  return 1;
}
