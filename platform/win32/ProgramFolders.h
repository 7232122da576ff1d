// The folders the system asks the platform for: the Windows folder and the
// running program's file. The Windows folder is a per-user folder: the value
// of VARNO_WINDIR when set, else "varno4/windows" under the user's config
// folder (XDG_CONFIG_HOME, else ~/.config); it is created on first use.
#pragma once

#include "win32/Types.h"

// Both return the length copied (without the NUL), or the size needed
// including the NUL when the buffer is too small.
UINT GetWindowsDirectory(LPSTR buffer, UINT size);
// Only the running program (module null) is known here.
DWORD GetModuleFileName(HMODULE module, LPSTR buffer, DWORD size);
