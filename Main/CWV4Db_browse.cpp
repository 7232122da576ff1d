// The description interpreter: a key's record names its main description
// file; the main file is copied while its steering statements run, then
// every file it includes is rendered, and the stream is closed and kept.
#include <cstdlib>

#include "Main/CDynLog.h"
#include "Main/CErrorDlg.h"
#include "Main/CErrorTrace.h"
#include "Main/CWV4Db.h"
#include "Main/CWV4ExtPrg.h"
#include "Main/CWV4Globals.h"
#include "Main/CWV4Logic.h"
#include "Main/CWV4Var.h"
#include "Main/DescriptionPass.h"
#include "Main/TagCode.h"
#include "foundation/FileBytes.h"
#include "interfaces/QorDdm.h"
#include "mfc/CFile.h"
#include "mfc/CFileException.h"
#include "win32/Files.h"

namespace {

constexpr unsigned char kNameListEnd = 13;
constexpr unsigned char kComputedEnd = 15;
constexpr unsigned char kDescriptionName = 140;
constexpr unsigned char kFileMagic = 97;
// Behind the data, so that a scan for a 0 byte stops at the end.
constexpr unsigned char kSentinel = 255;
constexpr int kStreamGrowth = 16384;
// Far beyond any key's screen (tens of kilobytes); a description that renders
// more is taken for a damaged one.
constexpr int kMaxStreamBytes = 16 * 1024 * 1024;

void SetText(const char* name, const char* text) { theGlobals.m_pvar->SetVar(name, VarValue::Text(text), VAR_CHAR); }
void SetBool(const char* name, BOOL value) { theGlobals.m_pvar->SetVar(name, VarValue::Bool(value), VAR_BOOL); }

}  // namespace

BOOL CWV4Db::Browse(CDynBuf& out, DdmDbLink* link, DdmDbLink otherKeyLink) {
  CErrorTrace* node = ERROR_TRACE_PUSH();
  out.Empty();
  out.FreeExtra();
  // A rendered key is often tens of kilobytes; growing in larger steps keeps
  // the copying of the stream down.
  out.SetGrowBy(kStreamGrowth);
  m_leftneighbour.Empty();
  m_rightneighbour.Empty();
  theGlobals.m_leftneighbour.Empty();
  theGlobals.m_rightneighbour.Empty();
  SetText("LEFTNEIGHBOUR", "");
  SetText("RIGHTNEIGHBOUR", "");
  DescriptionPass pass(*this, out, link, otherKeyLink, node);
  if (!pass.Run()) return FALSE;
  CErrorTrace::Remove(node);
  return TRUE;
}

DescriptionPass::DescriptionPass(CWV4Db& db, CDynBuf& out, DdmDbLink* link, DdmDbLink& otherKeyLink,
                                 CErrorTrace* node)
    : m_db(db), m_out(out), m_link(link), m_other(otherKeyLink), m_node(node), m_active(link) {}

DescriptionPass::~DescriptionPass() { CloseOtherKey(); }

bool DescriptionPass::Run() {
  if (!ReadKeyRecord()) return false;
  if (!ReadFile(m_folder + "\\" + m_name + ".wv4hpd")) return false;
  if (!Put(&kStatementByte, 1) || !PutByte(kDescriptionName) || !Put(m_name)) return false;
  m_insert_pos = m_out.GetLength();
  if (!Loop(true)) return false;
  m_file.Empty();
  if (m_block_count != 0) return Fail(26, m_block_count);
  m_if.open = false;

  for (size_t i = 0; i < m_includes.size(); ++i) {
    if (!ReadFile(m_includes[i])) return false;
    if (!Loop(false)) return false;
    m_file.Empty();
    if (m_level72 != 0) return Fail(84, m_level72);
  }
  CloseStream();
  WriteCopy();
  if (theGlobals.m_internet_mode == kInternetServer) WriteServerFiles();
  return true;
}

bool DescriptionPass::ReadKeyRecord() {
  int length = 0;
  if (m_link->dbc == nullptr || m_link->dbc->DdmDbGetField(0, 1, &length) == nullptr) return FailWith(6, "", 0);
  CDynBuf field;
  if (!m_db.GetField(m_link, 0, 1, &field)) return FailWith(7, "", 0);
  m_name = CString(field);
  VarValue folder;
  if (theGlobals.m_pvar->GetVar("VARNO_DEF", &folder) != VAR_CHAR) return FailWith(8, "", 0);
  m_folder = folder.text;
  if (!m_db.GetField(m_link, 0, 2, &field)) return FailWith(11, "", 0);
  SetText("KEYNAME", field);
  SetBool("WV4POPUP", FALSE);
  SetBool("WV4ADDTOLIST", TRUE);
  return true;
}

// Reads the file whole and copies its head; the position is left on the
// first statement byte.
bool DescriptionPass::ReadFile(const CString& path) {
  m_path = path;
  const FileRead read = ReadFileBytes(path, m_file);
  if (read == FileRead::Missing || read == FileRead::NotOpened) return Fail(9);
  if (read == FileRead::Short) return Fail(10);
  m_b = m_file.GetData();
  m_len = static_cast<DWORD>(m_file.GetLength());
  m_file.GetData()[m_len] = kSentinel;
  // An empty file shows the sentinel as its first byte.
  if (m_b[0] != kStatementByte) return Fail(12, m_b[0]);
  if (m_len < 2) return Fail(10);
  if (m_b[1] != kFileMagic) return Fail(13, m_b[1]);
  if (m_len < 6) return Fail(10);
  if (!Put(m_b, 5)) return false;
  const DWORD version = static_cast<DWORD>(m_b[2]) << 16 | static_cast<DWORD>(m_b[3]) << 8 | m_b[4];
  if (version > theGlobals.m_varno_ver) return Fail(14);
  m_pos = 5;
  return true;
}

bool DescriptionPass::Loop(bool mainFile) {
  while (m_pos < m_len) {
    const unsigned char byte = m_b[m_pos];
    if (byte > kMarkerByte) {
      const DWORD start = m_pos;
      while (m_pos < m_len && m_b[m_pos] > kMarkerByte) ++m_pos;
      if (!Put(m_b + start, static_cast<int>(m_pos - start))) return false;
      continue;
    }
    if (byte == kMarkerByte) return Fail(25);
    if (++m_pos >= m_len) return Fail(10);
    const unsigned char tag = m_b[m_pos];
    if (!PutByte(kStatementByte) || !PutByte(tag)) return false;
    if (!(mainFile ? MainStatement(tag) : RenderStatement(tag))) return false;
    if (m_stay) m_stay = false;
    else ++m_pos;
  }
  return true;
}

bool DescriptionPass::MainStatement(unsigned char tag) {
  CString text;
  switch (tag) {
    case TAG_END: Unput(2); return true;
    case 12: return NameList();
    case 14: return ComputedTexts();
    case TAG_INCLUDE: {
      const DWORD end = TextEnd();
      if (end == static_cast<DWORD>(-1)) return Fail(10);
      m_includes.push_back(m_folder + "\\" + CString(reinterpret_cast<const char*>(m_b + m_pos + 1),
                                                      static_cast<int>(end - m_pos - 1)) + ".wv4hfd");
      return CopyOpenText(10);
    }
    case 24:
    case 25: return CopyFixed(1);
    case 26:
    case 27: ++m_block_count; return CopyOpenText(10);
    case TAG_TEXT_NUMBER: return TextNumber(1);  // the main file goes on behind the number
    case 71: --m_block_count; return true;
    case 106: return CopyClosedText(107, 22, 23);
    case 115: SetBool("WV4POPUP", TRUE); return CopyClosedText(128, 456, 457);
    case 118:
    case 120: {
      DWORD end = m_pos;
      if (CWV4Db::SkipToTag(m_b, m_len, end, static_cast<unsigned char>(tag + 1), 0) != 1) return Fail(10);
      if (!Put(m_b + m_pos + 1, static_cast<int>(end - m_pos))) return false;
      m_pos = end;
      return true;
    }
    case TAG_TEXT_KEY:
      Unput(2);
      if (!ClosedText(TAG_TEXT_KEY_END, 340, 341, text)) return false;
      return Put(theGlobals.DataTextByKey(text));
    case 155: return CopyOpenText(10);
    case TAG_RUN_PROGRAM: return RunProgram();
    case TAG_IF:
    case TAG_THEN:
    case TAG_ELSE:
    case TAG_ENDIF: return IfStatement(tag);
    default: return Fail(24);
  }
}

// 12: names collected into two lists; conditional names settled now.
bool DescriptionPass::NameList() {
  std::vector<CString> first, second;
  if (!NameListEntries(first, second)) return false;
  auto output = [this](const std::vector<CString>& names, unsigned char open, unsigned char close) {
    if (names.empty()) return true;
    CString joined;
    for (const CString& name : names) {
      if (name.IsEmpty()) continue;
      if (!joined.IsEmpty()) joined += ',';
      joined += name;
    }
    return PutByte(kStatementByte) && PutByte(open) && Put(joined) && PutByte(kStatementByte) && PutByte(close);
  };
  return output(first, 'R', 'S') && output(second, 'T', 'U') && PutByte(kStatementByte) && PutByte(kNameListEnd);
}

bool DescriptionPass::NameListEntries(std::vector<CString>& first, std::vector<CString>& second) {
  for (;;) {
    if (++m_pos >= m_len) return Fail(10);
    if (m_b[m_pos] != kStatementByte) return Fail(15, m_b[m_pos]);
    if (++m_pos >= m_len) return Fail(10);
    const unsigned char kind = m_b[m_pos];
    if (kind == kNameListEnd) return true;
    if (kind == 'R' || kind == 'T') {
      std::vector<CString>& list = kind == 'R' ? first : second;
      const DWORD end = TextEnd();
      if (end == static_cast<DWORD>(-1)) return Fail(10);
      const CString names(reinterpret_cast<const char*>(m_b + m_pos + 1), static_cast<int>(end - m_pos - 1));
      for (int start = 0;;) {
        const int comma = names.Find(',', start);
        list.push_back(names.Mid(start, (comma < 0 ? names.GetLength() : comma) - start));
        if (comma < 0) break;
        start = comma + 1;
      }
      m_pos = end + 1;
      if (m_pos >= m_len) return Fail(10);
      const unsigned char close = kind == 'R' ? 'S' : 'U';
      if (m_b[m_pos] != close) return Fail(kind == 'R' ? 19 : 20, m_b[m_pos]);
    } else if (kind == 'V') {
      CString name, condition;
      if (!ClosedText('W', 15, 16, name)) return false;
      if (!ClosedText('X', 15, 17, condition)) return false;
      BOOL result = FALSE;
      if (!theGlobals.m_plogic->Evaluate(nullptr, condition, &result)) {
        CString detail;
        detail.Format("Datei : %s , Ausdruck : %s", static_cast<const char*>(m_path),
                      static_cast<const char*>(condition));
        return FailWith(18, detail, 0);
      }
      (result ? first : second).push_back(name);
    } else {
      return Fail(21, kind);
    }
  }
}

// 14: the statement keeps its shape; each value code becomes its text.
bool DescriptionPass::ComputedTexts() {
  for (;;) {
    if (++m_pos >= m_len) return Fail(10);
    if (m_b[m_pos] != kStatementByte) return Fail(481, m_b[m_pos]);
    if (++m_pos >= m_len) return Fail(10);
    const unsigned char kind = m_b[m_pos];
    if (kind == kComputedEnd) return PutByte(kStatementByte) && PutByte(kComputedEnd);
    if (kind == 136 || kind == 137) {
      if (m_pos + 2 >= m_len) return Fail(10);
      if (!PutByte(kStatementByte) || !Put(m_b + m_pos, 3)) return false;
      m_pos += 2;
    } else if (kind == 130) {
      DWORD end = m_pos;
      if (CWV4Db::SkipToTag(m_b, m_len, end, 131, 0) != 1) return Fail(10);
      CDynBuf code;
      code.Append(m_b + m_pos + 1, static_cast<int>(end - 1 - (m_pos + 1)));
      CString text;
      if (!m_db.EvalString(code, text, FALSE, FALSE, nullptr)) {
        CString detail;
        detail.Format("Datei : %s Ausdruck : %s", static_cast<const char*>(m_path), static_cast<const char*>(code));
        return FailWith(480, detail, 0);
      }
      if (!PutByte(kStatementByte) || !PutByte(130) || !Put(text) || !PutByte(kStatementByte) || !PutByte(131)) {
        return false;
      }
      m_pos = end;
    } else {
      return Fail(479, kind);
    }
  }
}

bool DescriptionPass::RunProgram() {
  Unput(2);
  CString number;
  if (!ClosedText(TAG_RUN_PROGRAM_END, 364, 365, number)) return false;
  const int program = std::atoi(number);
  DWORD pid = 0;
  if (theGlobals.m_pextprg == nullptr || !theGlobals.m_pextprg->Run(program, TRUE, nullptr, &pid)) {
    return FailWith(252, "", program);
  }
  return true;
}

// If statements, shared by the main file and the included files; none of
// their four tags reaches the output.
bool DescriptionPass::IfStatement(unsigned char tag) {
  switch (tag) {
    case TAG_IF:
      if (m_if.open) return FailWith(535, "", 0);
      Unput(2);
      m_if = IfState{true, m_out.GetLength(), false, true, true};
      return true;
    case TAG_THEN: {
      if (!m_if.open) return FailWith(536, "", 0);
      Unput(2);
      const CString condition(reinterpret_cast<const char*>(m_out.GetData()) + m_if.start,
                              m_out.GetLength() - m_if.start);
      m_out.SetLength(m_if.start);
      BOOL result = FALSE;
      if (!theGlobals.m_plogic->Evaluate(m_link, condition, &result)) return FailWith(537, "", 0);
      m_if.result = result != 0;
      if (m_if.result) return true;
      const int found = CWV4Db::SkipToTag(m_b, m_len, m_pos, TAG_ELSE, TAG_ENDIF);
      if (found == 0) return Fail(10);
      if (found == 1) m_if.remove168 = false;
      else m_if.open = false;
      return true;
    }
    case TAG_ELSE:
      if (!m_if.open) return FailWith(538, "", 0);
      if (m_if.remove168) Unput(2);
      if (m_if.result) {
        if (CWV4Db::SkipToTag(m_b, m_len, m_pos, TAG_ENDIF, 0) != 1) return Fail(10);
        m_if.open = false;
      }
      return true;
    default:
      if (!m_if.open) return FailWith(539, "", 0);
      if (m_if.remove169) Unput(2);
      m_if.open = false;
      return true;
  }
}

void DescriptionPass::CloseStream() {
  PutByte(kStatementByte);
  PutByte(TAG_END);
  CDynBuf neighbours;
  auto add = [&neighbours](const CString& key, unsigned char open) {
    if (key.IsEmpty()) return;
    neighbours += kStatementByte;
    neighbours += static_cast<char>(open);
    neighbours += key;
    neighbours += kStatementByte;
    neighbours += static_cast<char>(open + 1);
  };
  add(m_db.m_leftneighbour, TAG_LEFT_NEIGHBOUR);
  add(m_db.m_rightneighbour, TAG_RIGHT_NEIGHBOUR);
  if (neighbours.GetLength() > 0 && m_out.Insert(m_insert_pos, neighbours) == 0) FailWith(1, "", 0, 3);
}

namespace {

// Writes buf as the whole file; failures are logged and the rendering goes on.
void WriteWhole(const CString& path, const CDynBuf& buf, bool report) {
  CFile file;
  if (!file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite | CFile::typeBinary)) {
    if (!report) return;
    CErrorTrace* node = ERROR_TRACE_PUSH();
    ERROR_TRACE_FAIL(node, SEVERITY_LOG, 9, path, 0);
    CErrorDlg::ReportAndRemove(node);
    return;
  }
  try {
    file.Write(buf.GetData(), static_cast<UINT>(buf.GetLength()));
    file.Close();
  } catch (CFileException* e) {
    const int cause = e->m_cause;
    e->Delete();
    if (!report) return;
    CErrorTrace* node = ERROR_TRACE_PUSH();
    ERROR_TRACE_FAIL(node, SEVERITY_LOG, 85, path, cause);
    CErrorDlg::ReportAndRemove(node);
  }
}

void ReportCopyFailure(const CString& path) {
  CErrorTrace* node = ERROR_TRACE_PUSH();
  ERROR_TRACE_FAIL(node, SEVERITY_LOG, 85, path, 0);
  CErrorDlg::ReportAndRemove(node);
}

}  // namespace

void DescriptionPass::WriteCopy() {
  const CString path = theGlobals.m_internet_mode == kInternetServer
                           ? theGlobals.m_exchange_dir_server + "answer.iv4"
                           : theGlobals.m_user_file_path + "\\db2view.wv4";
  WriteWhole(path, m_out, true);
}

void DescriptionPass::WriteServerFiles() {
  const CString& folder = theGlobals.m_exchange_dir_server;
  CDynBuf variables;
  theGlobals.m_pvar->WriteUserVars(variables);
  variables += kStatementByte;
  variables += kStatementByte;
  WriteWhole(folder + "variable.iv4", variables, false);

  CDynBuf list;
  list += "answer.iv4\r\nvariable.iv4\r\n";
  for (const CString& source : m_answer_files) {
    const int slash = source.ReverseFind('\\');
    if (slash < 0) continue;
    const CString name = source.Mid(slash + 1);
    list += name;
    list += "\r\n";
    const CString target = folder + name;
    if (!CopyFile(source, target, FALSE)) {
      ReportCopyFailure(source);
      ReportCopyFailure(target);
    }
  }
  m_answer_files.clear();
  WriteWhole(folder + "varno4.iv4", list, false);
}

// Reading helpers.

bool DescriptionPass::FailWith(int code, const char* detail, int value, int severity) {
  ERROR_TRACE_FAIL(m_node, severity, code, detail, value);
  return false;
}

bool DescriptionPass::Fail(int code, int value) { return FailWith(code, m_path, value); }

bool DescriptionPass::Put(const void* bytes, int length) {
  if (length <= 0) return true;
  if (length > kMaxStreamBytes - m_out.GetLength()) return FailWith(ERR_STREAM_TOO_LONG, m_path, m_out.GetLength());
  return m_out.Append(bytes, length) != 0 || FailWith(1, "", 0, SEVERITY_FATAL);
}

DWORD DescriptionPass::TextEnd() const {
  DWORD end = m_pos + 1;
  while (end < m_len && m_b[end] != kStatementByte) ++end;
  return end < m_len ? end : static_cast<DWORD>(-1);
}

bool DescriptionPass::ClosedText(unsigned char closeTag, int noZero, int wrongClose, CString& text) {
  const DWORD end = TextEnd();
  if (end == static_cast<DWORD>(-1)) return Fail(noZero, kSentinel);
  if (end + 1 >= m_len) return Fail(10);
  if (m_b[end + 1] != closeTag) return Fail(wrongClose, m_b[end + 1]);
  text = CString(reinterpret_cast<const char*>(m_b + m_pos + 1), static_cast<int>(end - m_pos - 1));
  m_pos = end + 1;
  return true;
}

bool DescriptionPass::CopyClosedText(unsigned char closeTag, int noZero, int wrongClose) {
  const DWORD start = m_pos + 1;
  CString text;
  if (!ClosedText(closeTag, noZero, wrongClose, text)) return false;
  return Put(m_b + start, static_cast<int>(m_pos + 1 - start));
}

bool DescriptionPass::CopyFixed(int count) {
  if (m_pos + count >= m_len) return Fail(10);
  if (!Put(m_b + m_pos + 1, count)) return false;
  m_pos += count;
  return true;
}

bool DescriptionPass::CopyOpenText(int noZero) {
  const DWORD end = TextEnd();
  if (end == static_cast<DWORD>(-1)) return Fail(noZero);
  if (!Put(m_b + m_pos + 1, static_cast<int>(end - m_pos - 1))) return false;
  m_pos = end;
  m_stay = true;
  return true;
}

bool DescriptionPass::TextNumber(DWORD following) {
  Unput(2);
  if (m_pos + kTextNumberBytes + following >= m_len) return Fail(10);
  m_pos += kTextNumberBytes;
  return Put(theGlobals.DataText(Number32(m_pos - (kTextNumberBytes - 1))));
}

LONG DescriptionPass::Number32(DWORD at) const {
  return static_cast<LONG>(static_cast<DWORD>(m_b[at]) | static_cast<DWORD>(m_b[at + 1]) << 8 |
                           static_cast<DWORD>(m_b[at + 2]) << 16 | static_cast<DWORD>(m_b[at + 3]) << 24);
}
