// The viewer that started the program: the parent process, found in the
// process table, with its visible window and its program file.
#include "Main/CProcessInfo32.h"
#include "whereused/CWhereUsedApp.h"
#include "win32/Process.h"

void CWhereUsedApp::FindParent() {
  CProcessInfo32 processes;
  ProcessRecord record;
  if (!processes.FindProcess(GetCurrentProcessId(), &record)) return;
  const DWORD parentId = record.parentId;
  for (BOOL more = processes.GetFirst(&record); more; more = processes.GetNext(&record)) {
    if (record.processId != parentId) continue;
    m_parent_window = record.window;
    // A terminal server's client settings are found from the viewer's folder.
    m_parent_program = m_terminal_server ? FolderOf(record.program) : CString(record.program);
    return;
  }
}
