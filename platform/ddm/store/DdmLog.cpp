#include "DdmLog.h"

#include <cstdio>
#include <string>

namespace ddm {

void LogFailure(std::string_view operation, std::string_view systemPath, std::string_view reason) {
  const std::string line =
      "QorDdm: " + std::string(operation) + " \"" + std::string(systemPath) + "\": " + std::string(reason) + "\n";
  std::fputs(line.c_str(), stderr);
}

}  // namespace ddm
