// Puts a text on the clipboard as the platform's plain text, for the user
// to paste into a mail to the support.
#pragma once

#include "win32/Types.h"

// FALSE, with nothing changed, when the memory or the clipboard cannot be had.
BOOL CopyTextToClipboard(HWND owner, const char* text);
