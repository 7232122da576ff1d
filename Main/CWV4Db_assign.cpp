// The assignment executor: runs a list of assignment statements that sets
// variables, the neighbour keys and the notes name, empties the key history
// and asks for another key.
#include "Main/CDynLog.h"
#include "Main/CErrorTrace.h"
#include "Main/CWV4Db.h"
#include "Main/CWV4Globals.h"
#include "Main/CWV4Var.h"
#include "Main/KeyCommand.h"
#include "Main/TagCode.h"
#include "Main/varno4.h"

namespace {

// Error codes of the value statements, in the order: operand not 'C', value
// does not evaluate, store refuses the variable.
struct AssignmentCodes {
  int notValue;
  int badValue;
  int refused;
};

enum AssignmentError {
  ERR_NO_STATEMENT = 179,
  ERR_LIST_ENDS = 180,
  ERR_NOTES_NOT_CLOSED = 123,
  ERR_KEY_NOT_CLOSED = 417,
  ERR_LEFT_NOT_CLOSED = 342,
  ERR_LEFT_REFUSED = 343,
  ERR_RIGHT_NOT_CLOSED = 344,
  ERR_RIGHT_REFUSED = 345,
};

bool CodesOf(unsigned char tag, AssignmentCodes& codes, BYTE& type) {
  switch (tag) {
    case TAG_SET_CHAR: codes = {181, 182, 183}; type = VAR_CHAR; return true;
    case TAG_SET_LONG: codes = {184, 185, 186}; type = VAR_LONG; return true;
    case TAG_SET_FLOAT: codes = {187, 188, 189}; type = VAR_FLOAT; return true;
    case TAG_SET_BOOL: codes = {190, 191, 192}; type = VAR_BOOL; return true;
    case TAG_SET_DUD: codes = {193, 194, 195}; type = VAR_DUD; return true;
    case TAG_SET_DUDCH: codes = {478, 476, 477}; type = VAR_DUDCH; return true;
    default: return false;
  }
}

// Walks one list; every read stays inside the list's bytes.
class AssignmentRunner {
 public:
  AssignmentRunner(CWV4Db& db, const CDynBuf& list, CErrorTrace* node)
      : m_db(db), m_bytes(list.GetData()), m_len(static_cast<int>(list.GetLength())), m_node(node) {
    m_code.SetGrowBy(256);
  }

  bool Run();

 private:
  bool Fail(int code, const char* detail, int value) {
    ERROR_TRACE_FAIL(m_node, SEVERITY_ERROR, code, detail, value);
    return false;
  }
  // The bytes up to the next 0x00, which must be followed by closer; FALSE
  // (with the error filled in) otherwise. Positions behind the closer.
  bool TakeText(unsigned char closer, int notClosedCode, CString& text);
  bool TakeValueCode(CDynBuf& code);
  bool RunValueStatement(unsigned char tag);
  bool RunKeyCommand();
  bool RunNeighbour(CString& member, const char* variable, unsigned char closer, int notClosed, int refused);

  CWV4Db& m_db;
  const unsigned char* m_bytes;
  int m_len;
  int m_pos = 0;
  CErrorTrace* m_node;
  CDynBuf m_code;  // the value code of the statement in work, reused
  WPARAM m_keyFlag = 1;  // 0 once the history was emptied by this list
};

bool AssignmentRunner::TakeText(unsigned char closer, int notClosedCode, CString& text) {
  int end = m_pos;
  while (end < m_len && m_bytes[end] != kStatementByte) ++end;
  if (end + 1 >= m_len) return Fail(ERR_LIST_ENDS, "", 0);
  if (m_bytes[end + 1] != closer) return Fail(notClosedCode, "", m_bytes[end + 1]);
  text = CString(reinterpret_cast<const char*>(m_bytes + m_pos), end - m_pos);
  m_pos = end + 2;
  return true;
}

// Value code runs to the first 0x00 '['; any other 0x00 goes with the byte
// after it, and a text number with its 4 bytes as well. A list that ends
// before the closing pair ends inside the statement.
bool AssignmentRunner::TakeValueCode(CDynBuf& code) {
  const int start = m_pos;
  int i = start;
  for (;;) {
    if (i >= m_len) return Fail(ERR_LIST_ENDS, "", 0);
    if (m_bytes[i] != kStatementByte) {
      ++i;
      continue;
    }
    if (i + 1 >= m_len) return Fail(ERR_LIST_ENDS, "", 0);
    if (m_bytes[i + 1] == TAG_VALUE_END) break;
    i += 2 + ValueCodeOperandBytes(m_bytes[i + 1]);
  }
  code.Append(m_bytes + start, i - start);
  m_pos = i + 2;
  return true;
}

bool AssignmentRunner::RunValueStatement(unsigned char tag) {
  AssignmentCodes codes{};
  BYTE type = 0;
  CodesOf(tag, codes, type);
  CString name;
  if (!TakeText(TAG_VALUE, codes.notValue, name)) return false;
  CDynBuf& code = m_code;
  code.Empty();
  if (!TakeValueCode(code)) return false;

  VarValue value;
  BOOL evaluated = FALSE;
  switch (type) {
    case VAR_CHAR:
    case VAR_DUDCH: evaluated = m_db.EvalString(code, value.text, FALSE, FALSE, nullptr); break;
    case VAR_LONG:
    case VAR_DUD: evaluated = m_db.EvalLong(code, value.lval, FALSE, FALSE, nullptr); break;
    case VAR_FLOAT: evaluated = m_db.EvalFloat(code, value.fval, FALSE, FALSE, nullptr); break;
    default: evaluated = m_db.EvalBool(code, value.bval, FALSE, FALSE, nullptr); break;
  }
  if (!evaluated) {
    return Fail(codes.badValue, CString(reinterpret_cast<const char*>(code.GetData()), code.GetLength()), 0);
  }
  if (theGlobals.m_pvar == nullptr || !theGlobals.m_pvar->SetVar(name, value, type)) {
    return Fail(codes.refused, name, type);
  }
  return true;
}

// The key is shown later, when the posted message is handled, so every
// statement of the list takes effect before it.
bool AssignmentRunner::RunKeyCommand() {
  CString key;
  if (!TakeText(TAG_GOTO_KEY_END, ERR_KEY_NOT_CLOSED, key)) return false;
  theGlobals.m_cur_varbuf.Empty();
  theGlobals.m_tmpkey = key;
  if (theGlobals.m_internet_mode != kInternetServer && theGlobals.m_papp != nullptr) {
    PostKeyCommand(theGlobals.m_papp->GetMainWindow(), m_keyFlag, key);
  }
  return true;
}

bool AssignmentRunner::RunNeighbour(CString& member, const char* variable, unsigned char closer, int notClosed,
                                    int refused) {
  CString text;
  if (!TakeText(closer, notClosed, text)) return false;
  member = text;
  if (theGlobals.m_pvar == nullptr || !theGlobals.m_pvar->SetVar(variable, VarValue::Text(text), VAR_CHAR)) {
    return Fail(refused, variable, VAR_CHAR);
  }
  return true;
}

bool AssignmentRunner::Run() {
  while (m_pos < m_len) {
    if (m_bytes[m_pos] != kStatementByte) return Fail(ERR_NO_STATEMENT, "", m_bytes[m_pos]);
    const unsigned char tag = m_bytes[m_pos + 1];  // the list's closing NUL when the 0x00 is its last byte
    m_pos += 2;
    AssignmentCodes codes{};
    BYTE type = 0;
    if (CodesOf(tag, codes, type)) {
      if (!RunValueStatement(tag)) return false;
      continue;
    }
    CString notes;
    switch (tag) {
      case TAG_END: break;
      case TAG_CLEAR_HISTORY:
        if (theGlobals.m_phistory != nullptr) theGlobals.m_phistory->RemoveAll();
        m_keyFlag = 0;
        break;
      case TAG_GOTO_KEY:
        if (!RunKeyCommand()) return false;
        break;
      case TAG_LEFT_NEIGHBOUR:
        if (!RunNeighbour(theGlobals.m_leftneighbour, "LEFTNEIGHBOUR", TAG_LEFT_NEIGHBOUR_END, ERR_LEFT_NOT_CLOSED,
                          ERR_LEFT_REFUSED)) {
          return false;
        }
        break;
      case TAG_RIGHT_NEIGHBOUR:
        if (!RunNeighbour(theGlobals.m_rightneighbour, "RIGHTNEIGHBOUR", TAG_RIGHT_NEIGHBOUR_END,
                          ERR_RIGHT_NOT_CLOSED, ERR_RIGHT_REFUSED)) {
          return false;
        }
        break;
      case TAG_NOTES_NAME:
        if (!TakeText(TAG_NOTES_NAME_END, ERR_NOTES_NOT_CLOSED, notes)) return false;
        theGlobals.m_notiz_name = notes;
        break;
      default:
        return Fail(ERR_NO_STATEMENT, "", tag);
    }
  }
  return true;
}

}  // namespace

BOOL CWV4Db::ExecAssignments(const CDynBuf& list) {
  CErrorTrace* node = ERROR_TRACE_PUSH();
  theGlobals.m_tmpkey.Empty();
  AssignmentRunner runner(*this, list, node);
  if (!runner.Run()) return FALSE;
  CErrorTrace::Remove(node);
  return TRUE;
}
