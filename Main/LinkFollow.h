// Following a link of the catalogue, as frames, tables and buttons do: a
// link to a key shows that key with the link's assignments as those of the
// next key; a command link runs its assignments at once and posts the
// command, even when they fail, so that a broken assignment does not make a
// button dead.
#pragma once

#include "foundation/CDynBuf.h"
#include "mfc/CString.h"
#include "win32/Types.h"

struct CErrorTrace;

// The application's main window; none while there is no application.
HWND ViewerMainWindow();
// The frame window the viewer works in now: the pop-up frame while a pop-up
// key is shown, else the main window.
HWND CurrentFrameWindow();
// The link's assignments become those of the next key (none empties them);
// the key is posted to window as a key from a link.
void PostLinkKey(HWND window, const CString& key, const CDynBuf* assignments);
// Runs a copy of the assignments and posts command id (low 16 bits) to the
// main window. node is the caller's own trace entry: on failure it takes
// error 307 with severity and detailFormat filled with detailId and is
// reported; it is unlinked either way.
void RunLinkCommand(CErrorTrace* node, int id, const CDynBuf* assignments, int severity, const char* detailFormat,
                    int detailId);
// A command id as the catalogue writes it: decimal text.
int CommandIdOf(const CString& target);
