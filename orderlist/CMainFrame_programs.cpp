// Handing the order to the export and calculation programs: the order as a
// text file in the temporary folder, and the program started on it without
// waiting.
#include "orderlist/CMainFrame.h"
#include "win32/Files.h"
#include "win32/Process.h"

namespace {

CString FolderOfProgram(const CString& program) {
  const int cut = program.ReverseFind('\\');
  return cut < 0 ? CString() : program.Left(cut);
}

}  // namespace

// The counter counts every use, whether or not the file is written.
bool CMainFrame::WriteHandOverFile(const char* prefix, int& counter, CString& path) {
  path.Format("%s%s%08X%04d.tmp", static_cast<const char*>(m_app->m_temp_dir), prefix,
              static_cast<unsigned>(GetCurrentProcessId()), counter++);
  return m_view && m_view->ExportText(path);
}

bool CMainFrame::StartOutsideProgram(const CString& program, const CString& file) {
  CString commandLine = " " + file;
  const CString folder = FolderOfProgram(program);
  STARTUPINFO startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOW;
  PROCESS_INFORMATION started{};
  if (!CreateProcess(program, commandLine.GetBuffer(commandLine.GetLength()), nullptr, nullptr, FALSE,
                     CREATE_NEW_PROCESS_GROUP, nullptr, folder.IsEmpty() ? nullptr : static_cast<const char*>(folder),
                     &startup, &started))
    return false;
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  return true;
}

void CMainFrame::RunExportProgram() {
  if (m_app->m_use_export == 0 || m_app->m_export_file.IsEmpty()) return;
  CString file;
  if (!WriteHandOverFile("~V4PE", m_export_counter, file) || !StartOutsideProgram(m_app->m_export_file, file)) return;
  if (m_app->m_export_clear_view) {
    m_view->DeleteAllItems();
    m_view->SetModifiedFlag(false);
  }
  if (m_app->m_export_clear_pro) {
    const CString order = m_view->OrderFilePath();
    if (GetFileAttributes(order) != INVALID_FILE_ATTRIBUTES) DeleteFile(order);
  }
}

void CMainFrame::RunCalcTool() {
  if (m_app->m_calc_tool.IsEmpty()) return;
  CString file;
  if (WriteHandOverFile("~V4PC", m_calc_counter, file)) StartOutsideProgram(m_app->m_calc_tool, file);
}
