// The rendering statements of the included description files: most are
// copied, some are replaced by record fields, variables and dictionary
// texts, some run, and some steer the walk over the key's records.
#include <cstdlib>

#include "Main/CDynLog.h"
#include "Main/CErrorDlg.h"
#include "Main/CErrorTrace.h"
#include "Main/CWV4Db.h"
#include "Main/CWV4Globals.h"
#include "Main/CWV4Var.h"
#include "Main/DescriptionPass.h"
#include "Main/TagCode.h"
#include "interfaces/QorDdm.h"

namespace {

// Operand bytes of the statements copied as they stand.
int FixedOperands(unsigned char tag) {
  switch (tag) {
    case 10: case 16: case 99: case 102: case 108: case 112: return 3;
    case 18: case 23: case 36: case 43: case 50: case 51: case 58: case 61: case 98: case 101: case 103: case 109:
    case 117: case 150: case 151: case 153: case 154: case 170: return 1;
    case 19: case 20: case 113: case 114: return 2;
    case 31: case 32: return 4;
    default: return 0;
  }
}

struct ClosedCopy {
  unsigned char tag, close;
  int noZero, wrongClose;
};
constexpr ClosedCopy kClosedCopies[] = {
    {17, 90, 32, 33},   {29, 93, 36, 37},   {30, 94, 38, 39},   {44, 95, 43, 44},     {45, 96, 45, 46},
    {104, 105, 34, 35}, {106, 107, 22, 23}, {110, 111, 79, 80}, {147, 148, 512, 513},
};

struct AssignmentTag {
  unsigned char tag;
  BYTE type;
  int noZero, noValue, evaluation, setting;
  const char* evalFormat;
};
constexpr AssignmentTag kAssignmentTags[] = {
    {TAG_SET_DUD, VAR_DUD, 55, 56, 57, 58, "Datei : %s Ausdruck : %s"},
    {TAG_SET_CHAR, VAR_CHAR, 63, 64, 65, 66, "Datei : %s Ausdruck : %s"},
    {TAG_SET_LONG, VAR_LONG, 67, 68, 69, 70, "Datei %s : Ausdruck %s"},
    {TAG_SET_FLOAT, VAR_FLOAT, 71, 72, 73, 74, "Datei : %s Ausdruck : %s"},
    {TAG_SET_BOOL, VAR_BOOL, 75, 76, 77, 78, "Datei : %s Ausdruck : %s"},
    {TAG_SET_DUDCH, VAR_DUDCH, 446, 447, 448, 449, "Datei : %s Ausdruck : %s"},
};

bool IsLinkClose(unsigned char tag) {
  return tag == 4 || tag == 5 || tag == 134 || tag == 135 || tag == 144 || tag == 146;
}

}  // namespace

bool DescriptionPass::RenderStatement(unsigned char tag) {
  if (const int fixed = FixedOperands(tag)) return CopyFixed(fixed);
  for (const ClosedCopy& copy : kClosedCopies) {
    if (copy.tag == tag) return CopyClosedText(copy.close, copy.noZero, copy.wrongClose);
  }
  for (const AssignmentTag& a : kAssignmentTags) {
    if (a.tag == tag) return Assignment(tag);
  }
  if (IsLinkClose(tag)) {
    m_pass_through = false;
    return true;
  }
  CString text;
  switch (tag) {
    case TAG_END: Unput(2); return true;
    case TAG_TEXT_NUMBER: return TextNumber(0);
    case TAG_TEXT_KEY:
      Unput(2);
      if (!ClosedText(TAG_TEXT_KEY_END, 340, 341, text)) return false;
      return Put(theGlobals.DataTextByKey(text));
    case TAG_FIELD: return FieldStatement();
    case TAG_MASTER_FIELD: return MasterFieldStatement();
    case TAG_VARIABLE: return VariableStatement();
    case TAG_TEXT_VARIABLE: return TextVariableStatement();
    case TAG_CHAR_CODE: return CharCodeStatement();
    case TAG_LEFT_NEIGHBOUR:
    case TAG_RIGHT_NEIGHBOUR: return Neighbour(tag);
    case TAG_CLEAR_HISTORY: return ClearHistory();
    case TAG_RECORD_BLOCK: return RecordBlock();
    case TAG_RECORD_BLOCK_END: return RecordBlockEnd();
    case TAG_REPEAT:
      m_repeat = RepeatStart{m_pos - 1, m_out.GetLength() - 2, m_repeat_again ? m_repeat.lastRecord : -1};
      m_repeat_again = false;
      ++m_level52;
      return true;
    case TAG_REPEAT_END: return RepeatEnd(false);
    case TAG_REPEAT_KEY:
      Unput(2);
      m_key_repeat = RepeatStart{m_pos + 1, m_out.GetLength()};
      ++m_level141;
      m_field_used = false;
      return FirstApplyingHit(*m_link, 0, m_record, true);
    case TAG_REPEAT_KEY_END: return RepeatEnd(true);
    case TAG_OTHER_KEY: return OtherKey();
    case TAG_IF:
    case TAG_THEN:
    case TAG_ELSE:
    case TAG_ENDIF: return IfStatement(tag);
    case 34: ++m_level34; return true;
    case 35: --m_level34; return true;
    case 46: ++m_level46; return true;
    case 47: ++m_level47; return true;
    case 48: ++m_level48; return true;
    case 49: --m_level48; return true;
    case 75:
    case 76:
      if (m_level52 != 0) return Fail(81, m_level52);
      --(tag == 75 ? m_level46 : m_level47);
      return true;
    case TAG_GROUP: ++m_level72; return CopyOpenText(62);
    case TAG_GROUP_END:
      if (m_level34 != 0) return Fail(82, m_level34);
      if (m_level41 != 0) return Fail(83, m_level41);
      --m_level72;
      return true;
    case TAG_LINK_TARGET: m_pass_through = true; return true;
    case TAG_SERVER_MARK:
      if (theGlobals.m_internet_mode == kInternetServer) m_server_mark = m_out.GetLength();
      return true;
    case TAG_SERVER_FILE:
      if (theGlobals.m_internet_mode != kInternetServer) return true;
      return ServerFile();
    case TAG_FILE_HEAD: return Fail(27);
    default: return true;
  }
}

bool DescriptionPass::FieldStatement() {
  Unput(2);
  if (++m_pos >= m_len) return Fail(10);
  CDynBuf field;
  const bool read = m_db.GetField(m_active, m_record, m_b[m_pos], &field);
  m_field_used = true;
  if (!read) return Fail(48, m_b[m_pos]);
  return Put(field.GetData(), field.GetLength());
}

// 129 n m: field n of the current record as a key of the parts master.
bool DescriptionPass::MasterFieldStatement() {
  Unput(2);
  if (m_pos + 2 >= m_len) return Fail(10);
  const int n = m_b[m_pos + 1];
  const int m = m_b[m_pos + 2];
  m_pos += 2;
  m_field_used = true;
  CDynBuf key;
  if (!m_db.GetField(m_active, m_record, n, &key)) return Fail(48, n);
  for (DdmDbLink* master : {theGlobals.m_pstamm, theGlobals.m_pstamm2}) {
    if (master == nullptr || master->dbc == nullptr) continue;
    master->max_lines = master->dbc->DdmDbFindKey(key);
    if (master->max_lines == 0) continue;
    CDynBuf data;
    if (!m_db.GetField(master, 0, m, &data)) return Fail(48, m);
    return Put(data.GetData(), data.GetLength());
  }
  return true;
}

bool DescriptionPass::VariableStatement() {
  Unput(2);
  CString name;
  if (!ClosedText(TAG_VARIABLE_END, 49, 50, name)) return false;
  VarValue value;
  const BYTE type = theGlobals.m_pvar->GetVar(name, &value) & VAR_TYPE_MASK;
  CString text;
  switch (type) {
    case VAR_CHAR: text = value.text; break;
    case VAR_LONG: text.Format("%d", static_cast<int>(value.lval)); break;
    case VAR_FLOAT: text.Format("%f", static_cast<double>(value.fval)); break;
    case VAR_UNKNOWN: break;
    default: {
      CString detail;
      detail.Format("Datei : %s  Variable : %s", static_cast<const char*>(m_path), static_cast<const char*>(name));
      return FailWith(51, detail, 0);
    }
  }
  return Put(text);
}

bool DescriptionPass::TextVariableStatement() {
  Unput(2);
  CString name;
  if (!ClosedText(TAG_TEXT_VARIABLE_END, 52, 54, name)) return false;
  VarValue value;
  const BYTE type = theGlobals.m_pvar->GetVar(name, &value) & VAR_TYPE_MASK;
  if (type == VAR_DUD) return Put(theGlobals.DataText(value.lval));
  if (type == VAR_DUDCH) return Put(theGlobals.DataTextByKey(value.text));
  CErrorTrace* report = ERROR_TRACE_PUSH();
  ERROR_TRACE_FAIL(report, SEVERITY_LOG, 53, m_path, type);
  CErrorDlg::ReportAndRemove(report);
  return true;
}

bool DescriptionPass::CharCodeStatement() {
  Unput(2);
  CString digits;
  if (!ClosedText(70, 59, 61, digits)) return false;
  const long code = std::atol(digits);
  if (code < 32 || code > 65535) return Fail(60, static_cast<int>(code));
  if (!PutByte(static_cast<unsigned char>(code & 0xFF))) return false;
  return code < 256 || PutByte(static_cast<unsigned char>(code >> 8));
}

// Assignments run while the pass renders, except inside the target part of a
// link, where they are handed on to the screen.
bool DescriptionPass::Assignment(unsigned char tag) {
  const AssignmentTag* a = nullptr;
  for (const AssignmentTag& candidate : kAssignmentTags) {
    if (candidate.tag == tag) a = &candidate;
  }
  DWORD end = m_pos;
  if (m_pass_through) {
    if (CWV4Db::SkipToTag(m_b, m_len, end, TAG_VALUE_END, 0) != 1) return Fail(10);
    if (!Put(m_b + m_pos + 1, static_cast<int>(end - m_pos))) return false;
    m_pos = end;
    return true;
  }
  Unput(2);
  CString name;
  if (!ClosedText(TAG_VALUE, a->noZero, a->noValue, name)) return false;
  end = m_pos;
  if (CWV4Db::SkipToTag(m_b, m_len, end, TAG_VALUE_END, 0) != 1) return Fail(10);
  CDynBuf code;
  code.Append(m_b + m_pos + 1, static_cast<int>(end - 1 - (m_pos + 1)));
  m_pos = end;
  VarValue value;
  bool evaluated = false;
  switch (a->type) {
    case VAR_CHAR:
    case VAR_DUDCH: evaluated = m_db.EvalString(code, value.text, FALSE, FALSE, m_active) != 0; break;
    case VAR_FLOAT: evaluated = m_db.EvalFloat(code, value.fval, FALSE, FALSE, m_active) != 0; break;
    case VAR_BOOL: evaluated = m_db.EvalBool(code, value.bval, FALSE, FALSE, m_active) != 0; break;
    default: evaluated = m_db.EvalLong(code, value.lval, FALSE, FALSE, m_active) != 0; break;
  }
  CString detail;
  if (!evaluated) {
    detail.Format(a->evalFormat, static_cast<const char*>(m_path), static_cast<const char*>(code));
    return FailWith(a->evaluation, detail, 0);
  }
  if (!theGlobals.m_pvar->SetVar(name, value, a->type)) {
    detail.Format("Datei : %s Variable : %s", static_cast<const char*>(m_path), static_cast<const char*>(name));
    return FailWith(a->setting, detail, 0);
  }
  return true;
}

// 156 and 158 stay in the output and set their variable.
bool DescriptionPass::Neighbour(unsigned char tag) {
  const bool left = tag == TAG_LEFT_NEIGHBOUR;
  const DWORD start = m_pos + 1;
  CString key;
  if (!ClosedText(static_cast<unsigned char>(tag + 1), left ? 356 : 359, left ? 357 : 360, key)) return false;
  if (!Put(m_b + start, static_cast<int>(m_pos + 1 - start))) return false;
  const char* variable = left ? "LEFTNEIGHBOUR" : "RIGHTNEIGHBOUR";
  if (!theGlobals.m_pvar->SetVar(variable, VarValue::Text(key), VAR_CHAR)) {
    return FailWith(left ? 358 : 361, variable, 0);
  }
  return true;
}

bool DescriptionPass::ClearHistory() {
  if (theGlobals.m_phistory != nullptr) theGlobals.m_phistory->RemoveAll();
  if (!theGlobals.m_pvar->SetVar("WV4ADDTOLIST", VarValue::Bool(FALSE), VAR_BOOL)) return Fail(78);
  return true;
}

// The first hit from `from` on whose condition holds; with none, the last
// hit when lastWhenNone, else -1.
bool DescriptionPass::FirstApplyingHit(DdmDbLink& link, int from, int& hit, bool lastWhenNone) {
  for (int candidate = from; candidate < link.max_lines; ++candidate) {
    BOOL applies = TRUE;
    if (!m_db.TestRecordCondition(&link, candidate, &applies)) return Fail(375, candidate);
    if (applies) {
      hit = candidate;
      return true;
    }
  }
  hit = lastWhenNone ? link.max_lines - 1 : -1;
  return true;
}

bool DescriptionPass::RecordBlock() {
  ++m_level41;
  m_field_used = false;
  if (!CopyOpenText(40)) return false;
  return FirstApplyingHit(*m_active, 0, m_record, true);
}

bool DescriptionPass::RecordBlockEnd() {
  --m_level41;
  m_field_used = false;
  if (m_level47 != 0) return Fail(41, m_level47);
  if (m_level46 != 0) return Fail(42, m_level46);
  CloseOtherKey();
  return true;
}

// The end of a repeat: the body stays only for a record that applies, and
// is rendered again for the next one that does.
bool DescriptionPass::RepeatEnd(bool keyRepeat) {
  RepeatStart& start = keyRepeat ? m_key_repeat : m_repeat;
  DdmDbLink& link = keyRepeat ? *m_link : *m_active;
  if (keyRepeat) Unput(2);
  else if (m_level48 != 0) return Fail(47, m_level48);
  if (m_field_used) {
    BOOL applies = TRUE;
    if (m_record >= 0 && !m_db.TestRecordCondition(&link, m_record, &applies)) return Fail(375, m_record);
    if (!applies || m_record < 0) m_out.SetLength(start.output);
    int next = -1;
    if (!FirstApplyingHit(link, m_record + 1, next, false)) return false;
    if (next >= 0) {
      if (next <= start.lastRecord) return Fail(ERR_REPEAT_NO_PROGRESS, next);
      start.lastRecord = next;
      m_record = next;
      if (!keyRepeat) {
        --m_level52;
        m_repeat_again = true;
      }
      m_pos = start.input;
      m_stay = true;
      return true;
    }
    m_record = 0;
    m_field_used = false;
  }
  if (!keyRepeat) {
    --m_level52;
    return true;
  }
  // Lowered at every end, also after a body that used no field, so that a
  // later repeat is not refused.
  if (--m_level141 != 0) return Fail(501, m_level141);
  return true;
}

bool DescriptionPass::OtherKey() {
  if (m_field_used) return Fail(496);
  Unput(2);
  DWORD end = m_pos;
  if (CWV4Db::SkipToTag(m_b, m_len, end, TAG_OTHER_KEY_END, 0) != 1) return Fail(10);
  CDynBuf code;
  code.Append(m_b + m_pos + 1, static_cast<int>(end - 1 - (m_pos + 1)));
  m_pos = end;
  CString key;
  if (!m_db.EvalString(code, key, FALSE, FALSE, m_active)) return Fail(497);
  CloseOtherKey();
  m_other.dbc = new DdmDatabase(*m_link->dbc);
  m_other.max_lines = m_other.dbc->DdmDbLookup(key);
  m_other.cur_line = 0;
  m_other_open = true;
  m_active = &m_other;
  return FirstApplyingHit(m_other, 0, m_record, true);
}

void DescriptionPass::CloseOtherKey() {
  if (!m_other_open) return;
  m_other.dbc->DdmDbClose();
  m_other.dbc->DdmDbDelete(1);
  m_other.dbc = nullptr;
  m_other.max_lines = 0;
  m_other_open = false;
  m_active = m_link;
}

// 89 in server mode: the path rendered since 28 goes to the answer's file
// list; the stream keeps only its name.
bool DescriptionPass::ServerFile() {
  Unput(2);
  const int start = m_server_mark <= m_out.GetLength() ? m_server_mark : m_out.GetLength();
  const CString path(reinterpret_cast<const char*>(m_out.GetData()) + start, m_out.GetLength() - start);
  m_out.SetLength(start);
  m_answer_files.push_back(path);
  const int slash = path.ReverseFind('\\');
  return Put(path.Mid(slash + 1)) && PutByte(kStatementByte) && PutByte(TAG_SERVER_FILE);
}
