// The version of a program or library file, as the about boxes show it.
#pragma once

#include "mfc/CString.h"
#include "win32/Types.h"

// The "FileVersion" text of the file's first translation, and up to four of
// its numbers (separated by "." or ",") packed into one value, the first in
// the highest byte ("2, 7, 0, 13" gives 0x0207000D). A file without version
// information gives an empty text and 0. Returns 1.
int GetFileVersion(const char* path, CString& text, DWORD& packed);
