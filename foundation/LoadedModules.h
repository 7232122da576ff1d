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
// them: per row the three texts separated by tabs, then CR LF. Inline, so
// that the library keeps no tie to the windowing classes for the programs
// that show no window.
inline CString ModuleListText(const CListCtrl& list) {
  CString text;
  for (int row = 0; row < list.GetItemCount(); ++row)
    text += list.GetItemText(row, 0) + "\t" + list.GetItemText(row, 1) + "\t" + list.GetItemText(row, 2) + "\r\n";
  return text;
}
// The file's name after the last separator of its path.
CString ModuleName(const CString& path);
