// The computer's name as the platform gives it: the host name, upper-cased
// and cut to the platform's 15 characters.
#pragma once

#include "win32/Types.h"

#define MAX_COMPUTERNAME_LENGTH 15

// size: in, the buffer's room; out, the name's length without its zero byte
// (or the room needed, with ERROR_BUFFER_OVERFLOW).
BOOL GetComputerName(LPSTR buffer, LPDWORD size);
inline BOOL GetComputerNameA(LPSTR buffer, LPDWORD size) { return GetComputerName(buffer, size); }

#ifndef ERROR_BUFFER_OVERFLOW
#define ERROR_BUFFER_OVERFLOW 111L
#endif
