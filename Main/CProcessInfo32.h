// A snapshot of the running processes (id, parent, program file) that finds,
// on request, the visible top-level window of one of them. The viewer uses it
// to bring its first copy forward and the window of a program it waits for;
// the where-used program finds the viewer that started it with it.
//
// The system functions are bound by name at run time: the process-status and
// parent-query functions on the NT family, the snapshot functions elsewhere,
// so that the program starts on systems that lack either.
#pragma once

#include <vector>

#include "mfc/CString.h"
#include "mfc/CWnd.h"
#include "win32/Types.h"

// One process as the finder reports it.
struct ProcessRecord {
  DWORD processId = 0;
  DWORD parentId = 0;
  HANDLE process = nullptr;  // used while reading; already closed, only its value remains
  HWND window = nullptr;  // the visible parentless window, null until found
  char program[MAX_PATH] = {};
  char title[256] = {};
};

// Only a plain object: it never creates its window.
class CProcessInfo32 : public CWnd {
 public:
  enum Method : DWORD { kToolHelpMethod = 0, kNtMethod = 1 };

  CProcessInfo32();
  ~CProcessInfo32() override = default;

  BOOL Init();
  BOOL ReadProcesses();
  // With a record, the process's window is looked for and the record filled.
  BOOL FindProcess(DWORD processId, ProcessRecord* record);
  BOOL GetFirst(ProcessRecord* record);
  BOOL GetNext(ProcessRecord* record);

  BOOL IsAvailable() const { return m_available; }
  DWORD GetMethod() const { return m_method; }
  int GetCount() const { return m_count; }
  DWORD GetVersion() const { return m_version; }
  const CString& GetVersionText() const { return m_versionText; }

 protected:
  // Binds the functions of a method and empties the table.
  BOOL UseMethod(Method method);

 private:
  BOOL ReadWithNtFunctions();
  BOOL ReadWithSnapshot();
  void FindWindowOf(ProcessRecord& entry) const;
  BOOL Report(ProcessRecord& entry, ProcessRecord* record) const;

  BOOL m_available = FALSE;
  DWORD m_method = kToolHelpMethod;
  int m_count = 0;
  int m_walkIndex = 0;
  DWORD m_version = 0;
  CString m_versionText;
  // As long as the system has processes: a fixed table would drop the
  // newest ones, among them the very program being looked for.
  std::vector<ProcessRecord> m_table;
};
