#include "win32/Locale.h"

#include <cstdlib>
#include <string_view>

namespace {

std::string_view HostLocaleName() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return value;
  }
  return "";
}

}  // namespace

LANGID GetUserDefaultLangID() {
  std::string_view name = HostLocaleName();
  if (name.size() >= 2 && (name[0] == 'd' || name[0] == 'D') && (name[1] == 'e' || name[1] == 'E'))
    return MAKELANGID(LANG_GERMAN, SUBLANG_DEFAULT);
  return MAKELANGID(LANG_ENGLISH, SUBLANG_DEFAULT);
}

LCID GetUserDefaultLCID() { return GetUserDefaultLangID(); }
