// Texts in the OEM code page (850) turned into the ANSI code page
// (Windows-1252), as picture files written by older programs need.
#pragma once

#include "win32/Types.h"

namespace layer {
unsigned char OemToAnsi(unsigned char c);
}

// Converts length bytes; source and target may be the same buffer.
BOOL OemToCharBuff(LPCSTR source, LPSTR target, DWORD length);
// Converts up to and with the terminating 0 byte.
BOOL OemToChar(LPCSTR source, LPSTR target);
