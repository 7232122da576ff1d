// Debug strings: the platform hands them to an attached debugger. Here they go
// to standard error when VARNO_DEBUG_OUTPUT is set, and to a sink that a test
// installs to see them.
#pragma once

#include <functional>
#include <string_view>

#include "win32/Types.h"

void OutputDebugString(LPCSTR text);

namespace layer {
// Replaces the sink (an empty function puts the default back).
void SetDebugOutputSink(std::function<void(std::string_view)> sink);
}  // namespace layer
