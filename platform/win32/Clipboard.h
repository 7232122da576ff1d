// The clipboard of the programs' process: formats with their data, opened by
// one caller at a time. The data handed to SetClipboardData belongs to the
// clipboard from then on and is freed when it is replaced or emptied.
#pragma once

#include "win32/GdiTypes.h"

// FALSE while the clipboard is open already.
BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
// Frees every format's data; only while open.
BOOL EmptyClipboard();
// Global memory, or a bitmap or palette handle for CF_BITMAP and CF_PALETTE;
// null (and the data left to the caller) when the clipboard is not open.
HANDLE SetClipboardData(UINT format, HANDLE data);
// Only while open; null when the format is not there.
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);
int CountClipboardFormats();
HWND GetClipboardOwner();
