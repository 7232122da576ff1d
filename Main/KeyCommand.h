// "VANRO4_KEY_COMMAND": the posted request to show a key. The message carries
// its own copy of the key, so that nothing done after the post can change or
// free it before it is handled; the handler takes the copy back and frees it.
#pragma once

#include "mfc/CString.h"
#include "win32/Types.h"

UINT KeyCommandMessageId();
// Posts the key command for key to window, flag in wParam; FALSE (and nothing
// left behind) when it cannot be posted.
BOOL PostKeyCommand(HWND window, WPARAM flag, const char* key);
// The key that a key command carries, handing its copy back; empty for 0.
CString TakeKeyCommandKey(LPARAM param);
