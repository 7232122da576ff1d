// The data manager's failures go to the standard error stream as one line
// each, naming the operation, the file and the reason.
#pragma once

#include <string_view>

namespace ddm {

void LogFailure(std::string_view operation, std::string_view systemPath, std::string_view reason);

}  // namespace ddm
