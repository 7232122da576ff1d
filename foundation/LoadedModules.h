// The files of the modules loaded into this process, as the version
// overviews list them. On Windows NT 4 they come from PSAPI.DLL (at most 100
// modules), elsewhere from the tool-help functions of KERNEL32.DLL; both are
// looked up at run time, and a missing one gives no files.
#pragma once

#include <vector>

#include "mfc/CListCtrl.h"
#include "mfc/CString.h"

std::vector<CString> LoadedModuleFiles(bool windowsNt4);

// A version overview's rows (name, version, path) as the clipboard gets
// them: per row the three texts separated by tabs, then CR LF.
CString ModuleListText(const CListCtrl& list);
// The file's name after the last separator of its path.
CString ModuleName(const CString& path);
