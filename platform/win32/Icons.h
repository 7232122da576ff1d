// Icons: the system's ones (IDI_*) and a module's icon resources, drawn with
// their transparency. A module's cursor resources are found by LoadCursor.
#pragma once

#include <functional>

#include "win32/GdiTypes.h"
#include "win32/IconResources.h"
#include "win32/UserTypes.h"

#define IDI_APPLICATION MAKEINTRESOURCE(32512)
#define IDI_HAND MAKEINTRESOURCE(32513)
#define IDI_QUESTION MAKEINTRESOURCE(32514)
#define IDI_EXCLAMATION MAKEINTRESOURCE(32515)
#define IDI_ASTERISK MAKEINTRESOURCE(32516)
#define IDI_WINLOGO MAKEINTRESOURCE(32517)
#define IDI_WARNING IDI_EXCLAMATION
#define IDI_ERROR IDI_HAND
#define IDI_INFORMATION IDI_ASTERISK

#define DI_MASK 0x0001
#define DI_IMAGE 0x0002
#define DI_NORMAL 0x0003
#define DI_DEFAULTSIZE 0x0008

// A system icon (module null) or the module's icon group of that id, in the
// size of SM_CXICON; null (ERROR_RESOURCE_NAME_NOT_FOUND, or
// ERROR_INVALID_DATA for a damaged one) when there is none.
HICON LoadIcon(HINSTANCE module, LPCSTR name);
// Icons of a module and the system's are shared and stay; TRUE.
BOOL DestroyIcon(HICON icon);
BOOL DrawIcon(HDC dc, int x, int y, HICON icon);
// Drawn at cx x cy (0: the icon's own size, or the system's with DI_DEFAULTSIZE).
BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int cx, int cy, UINT step, HBRUSH flickerFree, UINT flags);

namespace layer {

// The picture behind an icon handle, or null.
const IconPicture* IconPictureOf(HICON icon);
// An icon handle for a picture (kept for the program's life).
HICON IconFromPicture(IconPicture picture);
// The system's icon pictures come from the screen backend when it has the
// desktop's; without one the layer draws plain ones. id is the IDI_ number.
using SystemIconSource = std::function<bool(WORD id, int size, IconPicture& picture)>;
void SetSystemIconSource(SystemIconSource source);
// A module's cursor resource (group and picture) as a cursor handle, or null.
HCURSOR LoadCursorResource(HINSTANCE module, LPCSTR name);

}  // namespace layer
