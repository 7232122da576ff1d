// The companion database of a parts master, as every program names it.
#pragma once

#include "mfc/CString.h"

// The parts master's path up to the first "." of its file name, then
// "2.ddm" ("C:\Daten\teile.ddm" gives "C:\Daten\teile2.ddm"; without a dot
// in the file name the whole path is kept). Only the file name is cut, so a
// dot in a folder's name does not lead the companion out of the master's
// folder.
CString CompanionDatabasePath(const CString& master);
