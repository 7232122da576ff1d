#include "Main/CWV4ExtPrg.h"

#include <cstdlib>

#include "Main/CErrorDlg.h"
#include "Main/CErrorTrace.h"
#include "Main/CWV4Db.h"
#include "Main/CWV4Globals.h"
#include "mfc/CFile.h"

IMPLEMENT_DYNAMIC(CExtPrg, CObject)

namespace {

enum ExtPrgError {
  ERR_LIST_READ = 247,
  ERR_LIST_OPEN = 248,
  ERR_ANSWER_FAILED = 253,
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
