#include "foundation/CompanionDatabase.h"

#include <string>

CString CompanionDatabasePath(const CString& master) {
  const std::string path(master);
  const size_t name = path.find_last_of("\\/");
  const size_t dot = path.find('.', name == std::string::npos ? 0 : name + 1);
  return (path.substr(0, dot) + "2.ddm").c_str();
}
