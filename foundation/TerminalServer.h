// Facts of the system that the programs set their folders by: whether it is
// a terminal server, whose users each get folders of their own, and its
// Windows folder. Functions that older systems lack are found by name.
#pragma once

#include "mfc/CString.h"
#include "win32/SystemInfo.h"

bool IsTerminalServer(const OSVERSIONINFO& version);
// The system's Windows folder on a terminal server (shared by all users),
// else the Windows folder; empty when it cannot be read.
CString WindowsFolderFor(bool terminalServer);
