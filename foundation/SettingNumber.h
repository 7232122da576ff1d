// Numbers in settings files, read as the 32-bit system the files come from
// reads them with atol: white space skipped, a sign, the digits up to the
// first other character; beyond the 32-bit range held at its limits, 0
// without digits. Whoever sizes something by such a number checks it
// against the range its use allows.
#pragma once

#include "win32/Types.h"

LONG SettingNumber(const char* text);
