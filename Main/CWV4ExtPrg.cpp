#include "Main/CWV4ExtPrg.h"

#include <cstdlib>

#include "Main/CErrorDlg.h"
#include "Main/CErrorTrace.h"
#include "Main/CWV4Db.h"
#include "Main/CWV4Globals.h"
#include "Main/varno4.h"
#include "mfc/CFile.h"
#include "win32/Errors.h"
#include "win32/FileMapping.h"
#include "win32/Process.h"
#include "win32/UserWindows.h"

IMPLEMENT_DYNAMIC(CExtPrg, CObject)

namespace {

enum ExtPrgError {
  ERR_LIST_READ = 247,
  ERR_LIST_OPEN = 248,
  ERR_BLOCK_NOT_CREATED = 249,
  ERR_COMMAND_EXPRESSION = 250,
  ERR_PROGRAM_EXPRESSION = 251,
  ERR_NOT_STARTED = 252,
  ERR_ANSWER_FAILED = 253,
  ERR_BLOCK_NOT_MAPPED = 254,
  ERR_RUN_NUMBER = 255,
  ERR_FIND_NAME = 518,
  ERR_FIND_NUMBER = 519,
};

CString Slice(const unsigned char* bytes, int from, int to) {
  return CString(reinterpret_cast<const char*>(bytes + from), to - from);
}

// Reads the whole list file, or says which error stops the load.
int ReadListFile(const char* fileName, CDynBuf& content) {
  CFileStatus status;
  if (!CFile::GetStatus(fileName, status)) return ERR_LIST_OPEN;
  CFile file;
  if (!file.Open(fileName, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary)) return ERR_LIST_OPEN;
  try {
    const DWORD length = file.GetLength();
    if (!content.SetLength(static_cast<int>(length))) return ERR_LIST_READ;
    if (file.Read(content.GetData(), length) != length) return ERR_LIST_READ;
  } catch (CFileException* e) {
    e->Delete();
    return ERR_LIST_READ;
  }
  return 0;
}

// A plain-text expression of the list; a failure is reported at once (it is
// only logged) and the start goes on with an empty text.
CString EvaluateOrReport(const CString& expression, int code) {
  CDynBuf code_text;
  code_text.Append(expression);
  CString result;
  if (theGlobals.m_pinterp != nullptr && theGlobals.m_pinterp->EvalString(code_text, result, FALSE, TRUE, nullptr)) {
    return result;
  }
  CErrorTrace* node = ERROR_TRACE_PUSH();
  ERROR_TRACE_FAIL(node, SEVERITY_LOG, code, expression, 0);
  CErrorDlg::ReportAndRemove(node);
  return CString();
}

// The named block of a program: "%d" of its number, or the number followed by
// a counter while that name is taken.
HANDLE CreateExchangeBlock(int number, CString& name) {
  for (int counter = 0;; ++counter) {
    if (counter == 0) name.Format("%d", number);
    else name.Format("%d%d", number, counter);
    HANDLE mapping = CreateFileMapping(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kExchangeBlockSize, name);
    if (mapping == nullptr) return nullptr;
    if (GetLastError() != ERROR_ALREADY_EXISTS) return mapping;
    CloseHandle(mapping);
  }
}

// The window that launched the program stays disabled while it runs, and the
// viewer keeps dispatching its messages. The pop-up frame comes to the front
// before it takes input again, the main frame after.
void WaitForProgram(HANDLE process) {
  CViewerApp* app = theGlobals.m_papp;
  const bool fromPopup = app != nullptr && theGlobals.m_IsPopup && app->m_hPopupWnd != nullptr;
  HWND launcher = app == nullptr ? nullptr : fromPopup ? app->m_hPopupWnd : app->GetMainWindow();
  if (launcher != nullptr) EnableWindow(launcher, FALSE);
  do {
    if (app != nullptr) app->PumpWaitingMessages();
  } while (WaitForSingleObject(process, 100) == static_cast<DWORD>(WAIT_TIMEOUT));
  if (launcher == nullptr) return;
  if (fromPopup) {
    SetForegroundWindow(launcher);
    EnableWindow(launcher, TRUE);
  } else {
    EnableWindow(launcher, TRUE);
    SetForegroundWindow(launcher);
  }
}

BOOL StartProgram(const CString& program, CString commandLine, PROCESS_INFORMATION& process) {
  const int lastBackslash = program.ReverseFind('\\');
  const CString folder = lastBackslash > 0 ? program.Left(lastBackslash) : CString();
  STARTUPINFO startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOW;
  return CreateProcess(program, commandLine.GetBuffer(commandLine.GetLength()), nullptr, nullptr, FALSE,
                       CREATE_NEW_PROCESS_GROUP, nullptr, folder.IsEmpty() ? nullptr : static_cast<const char*>(folder),
                       &startup, &process);
}

}  // namespace

void CExtPrg::Load(const char* fileName) {
  if (fileName == nullptr || *fileName == '\0') return;
  CErrorTrace* node = ERROR_TRACE_PUSH();
  CDynBuf content;
  const int error = ReadListFile(fileName, content);
  if (error != 0) {
    ERROR_TRACE_FAIL(node, SEVERITY_LOG, error, fileName, 0);
    CErrorDlg::ReportAndRemove(node);
    return;
  }
  Parse(content.GetData(), content.GetLength());
  CErrorTrace::Remove(node);
}

// Lines of number ':' flag ... ':' name [',' command] CR LF. A comma ends the
// name only outside quotes; a line without its two colons runs into the next.
void CExtPrg::Parse(const unsigned char* bytes, int length) {
  int pos = 0;
  while (pos < length) {
    const int numberStart = pos;
    while (pos < length && bytes[pos] != ':') ++pos;
    if (pos >= length) return;
    Entry entry;
    entry.number = std::atoi(Slice(bytes, numberStart, pos));
    if (++pos >= length) return;
    entry.flag = bytes[pos] - '0';
    while (pos < length && bytes[pos] != ':') ++pos;
    if (pos >= length) return;
    const int nameStart = ++pos;
    bool single = false;
    bool dbl = false;
    for (; pos < length && bytes[pos] != '\r'; ++pos) {
      const unsigned char c = bytes[pos];
      if (c == '\'') single = !single;
      else if (c == '"' && !single) dbl = !dbl;
      else if (c == ',' && !single && !dbl) break;
    }
    entry.name = Slice(bytes, nameStart, pos);
    if (pos < length && bytes[pos] == ',') {
      const int commandStart = ++pos;
      while (pos < length && bytes[pos] != '\r') ++pos;
      entry.command = Slice(bytes, commandStart, pos);
    }
    pos += 2;  // the CR and the LF after it
    m_entries.push_back(std::move(entry));
  }
}

const CExtPrg::Entry* CExtPrg::FindEntry(int number) const {
  for (const Entry& entry : m_entries) {
    if (entry.number == number) return &entry;
  }
  return nullptr;
}

BOOL CExtPrg::Find(int number, CString& program, int& flag, CString& command) {
  flag = 0;
  command.Empty();
  program.Empty();
  CErrorTrace* node = ERROR_TRACE_PUSH();
  const Entry* entry = FindEntry(number);
  if (entry == nullptr) {
    ERROR_TRACE_FAIL(node, SEVERITY_ERROR, ERR_FIND_NUMBER, "", number);
    return FALSE;
  }
  CDynBuf expression;
  expression.Append(entry->name);
  if (theGlobals.m_pinterp == nullptr || !theGlobals.m_pinterp->EvalString(expression, program, FALSE, TRUE, nullptr)) {
    ERROR_TRACE_FAIL(node, SEVERITY_ERROR, ERR_FIND_NAME, entry->name, 0);
    return FALSE;
  }
  flag = entry->flag;
  command = entry->command;
  CErrorTrace::Remove(node);
  return TRUE;
}

BOOL CExtPrg::Run(int number, BOOL wait, const char* extra, DWORD* processId) {
  CErrorTrace* node = ERROR_TRACE_PUSH();
  const Entry* entry = FindEntry(number);
  if (entry == nullptr) {
    ERROR_TRACE_FAIL(node, SEVERITY_ERROR, ERR_RUN_NUMBER, "", number);
    return FALSE;
  }
  const bool withBlock = entry->flag != 0;
  CString blockName;
  HANDLE mapping = nullptr;
  BYTE* block = nullptr;
  if (withBlock) {
    mapping = CreateExchangeBlock(number, blockName);
    if (mapping == nullptr) {
      ERROR_TRACE_FAIL(node, SEVERITY_ERROR, ERR_BLOCK_NOT_CREATED, "", number);
      return FALSE;
    }
    block = static_cast<BYTE*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    if (block == nullptr) {
      CloseHandle(mapping);
      ERROR_TRACE_FAIL(node, SEVERITY_ERROR, ERR_BLOCK_NOT_MAPPED, "", number);
      return FALSE;
    }
    block[0] = 0;
    block[1] = 0;
  }

  CString commandLine = " " + EvaluateOrReport(entry->command, ERR_COMMAND_EXPRESSION);
  if (withBlock) commandLine += " -MMF " + blockName;
  if (extra != nullptr) commandLine += CString(" ") + extra;
  const CString program = EvaluateOrReport(entry->name, ERR_PROGRAM_EXPRESSION);

  PROCESS_INFORMATION process{};
  if (!StartProgram(program, commandLine, process)) {
    const int error = static_cast<int>(GetLastError());
    if (withBlock) {
      UnmapViewOfFile(block);
      CloseHandle(mapping);
    }
    ERROR_TRACE_FAIL(node, SEVERITY_ERROR, ERR_NOT_STARTED, program, error);
    return FALSE;
  }
  if (processId != nullptr) *processId = process.dwProcessId;
  if (withBlock || wait) {
    theGlobals.m_waiting_for_pid = process.dwProcessId;
    WaitForProgram(process.hProcess);
    theGlobals.m_waiting_for_pid = 0;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);

  BOOL answered = TRUE;
  if (withBlock) {
    answered = RunExchangeAnswer(block, number, node);
    UnmapViewOfFile(block);
    CloseHandle(mapping);
  }
  if (answered) CErrorTrace::Remove(node);
  return answered;
}

// A length beyond the block cannot be an answer: it is refused whole.
BOOL CExtPrg::RunExchangeAnswer(const BYTE* block, int number, CErrorTrace* node) {
  const DWORD length = static_cast<DWORD>(block[0]) | static_cast<DWORD>(block[1]) << 8;
  if (length == 0) return TRUE;
  if (length > kExchangeAnswerMax) {
    ERROR_TRACE_FAIL(node, SEVERITY_ERROR, ERR_ANSWER_FAILED, "", number);
    return FALSE;
  }
  CDynBuf answer;
  answer.Append(block + 2, static_cast<int>(length));
  if (theGlobals.m_pinterp == nullptr || !theGlobals.m_pinterp->ExecAssignments(answer)) {
    ERROR_TRACE_FAIL(node, SEVERITY_ERROR, ERR_ANSWER_FAILED, "", number);
    return FALSE;
  }
  return TRUE;
}

void CExtPrg::Dump(CDynBuf& out) const {
  for (const Entry& entry : m_entries) {
    CString line;
    line.Format("\t%04d:%01d:%s,%s\r\n", entry.number, entry.flag, static_cast<const char*>(entry.name),
                static_cast<const char*>(entry.command));
    out.Append(line);
  }
}
