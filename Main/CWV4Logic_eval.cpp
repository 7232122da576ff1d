// The rules language: conditions read strictly left to right without
// precedence, with an optional prefix that starts external programs and
// defers variable assignments until the outcome is known.
#include <cstdlib>
#include <cstring>

#include "Main/CErrorTrace.h"
#include "Main/CWV4Db.h"
#include "Main/CWV4ExtPrg.h"
#include "Main/CWV4Globals.h"
#include "Main/CWV4Logic.h"
#include "Main/CWV4Var.h"
#include "Main/DdmDbLink.h"
#include "foundation/SaturatedLong.h"
#include "foundation/SettingNumber.h"

namespace {

constexpr BYTE kMissing = VAR_UNKNOWN;  // a missing value, or "any type" when wanted
constexpr BYTE kFailed = VAR_ERROR;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool EndsName(char c) { return c == '\0' || std::strchr(" =<>#,()&|", c) != nullptr; }

CWV4Logic::Value BoolValue(bool b) {
  CWV4Logic::Value v;
  v.type = VAR_BOOL;
  v.bval = b ? 1 : 0;
  return v;
}

// Value of a text by the wanted type, as literals and fields are read.
BYTE TextAs(const CString& text, BYTE wanted, CWV4Logic::Value& out) {
  out.type = wanted == kMissing ? static_cast<BYTE>(VAR_CHAR) : wanted;
  switch (out.type) {
    case VAR_LONG: out.lval = SettingNumber(text); break;
    case VAR_FLOAT: out.fval = static_cast<float>(std::atof(text)); break;
    case VAR_BOOL: out.bval = text.IsEmpty() ? 0 : 1; break;
    default: out.text = text; out.type = VAR_CHAR; break;
  }
  return out.type;
}

template <typename T>
int Compare(T a, T b) {
  return a < b ? -1 : (a > b ? 1 : 0);
}

// Comparison operators on a three-way result.
bool Holds(const CString& op, int order) {
  if (op == "=") return order == 0;
  if (op == "#") return order != 0;
  if (op == "<") return order < 0;
  if (op == "<=") return order <= 0;
  if (op == ">") return order > 0;
  return order >= 0;  // ">="
}

// The right operand's own truth for an operator whose left value is missing:
// every comparison is against the empty or zero value of the right's type.
int OrderAgainstZero(const CWV4Logic::Value& right) {
  switch (right.type) {
    case VAR_CHAR: return right.text.IsEmpty() ? 0 : -1;  // the empty text is before every other
    case VAR_LONG: return Compare<LONG>(0, right.lval);
    case VAR_FLOAT: return Compare<double>(0.0, right.fval);
    default: return Compare<int>(0, right.bval != 0 ? 1 : 0);
  }
}

}  // namespace

bool CWV4Logic::NextChar(bool advance) {
  if (advance && *m_cursor != '\0') ++m_cursor;
  m_cur_char = *m_cursor;
  return m_cur_char != '\0';
}

void CWV4Logic::SkipBlanks() {
  while (m_cur_char == ' ') NextChar(true);
}

bool CWV4Logic::Fail(int code, const char* detail, int value) {
  if (m_error == 0) {
    m_error = code;
    ERROR_TRACE_FAIL(m_node, SEVERITY_ERROR, code, detail, value);
  }
  return false;
}

BOOL CWV4Logic::Evaluate(DdmDbLink* link, const char* text, BOOL* result) {
  CErrorTrace* outer = m_node;
  const char* outerText = m_text;
  const int outerError = m_error;
  m_node = ERROR_TRACE_PUSH();
  m_text = text;
  m_error = 0;
  m_cursor = text != nullptr ? text : "";
  bool ok = NextChar(false);
  BOOL outcome = TRUE;
  if (ok && link != nullptr) ok = ReadPrefix(link);
  if (ok) {
    SkipBlanks();
    if (!AtEnd()) {
      Value value;
      const BYTE type = ReadCondition(link, value);
      ok = type != kFailed;
      if (ok) outcome = value.type == VAR_BOOL && value.bval != 0;
    }
  }
  if (ok) {
    *result = outcome;
    ApplyDeferred(outcome);
    CErrorTrace::Remove(m_node);
  } else {
    ClearDeferred();
  }
  m_node = outer;
  m_text = outerText;
  m_error = outerError;
  return ok ? TRUE : FALSE;
}

bool CWV4Logic::ReadPrefix(DdmDbLink* /*link*/) {
  for (;;) {
    SkipBlanks();
    if (m_cur_char == '@') {
      if (!ReadProgram()) return false;
    } else if (m_cur_char == '%') {
      if (!ReadDeferred()) return false;
    } else {
      return true;
    }
  }
}

// "@" n "@": the program runs before the condition is read, and is not undone
// when the condition later fails.
bool CWV4Logic::ReadProgram() {
  const char* start = m_cursor + 1;
  const char* close = std::strchr(start, '@');
  if (close == nullptr || close[1] == '\0') return Fail(256, "", 0);
  const int number = SettingNumber(CString(start, static_cast<int>(close - start)));
  m_cursor = close;
  NextChar(true);
  DWORD pid = 0;
  if (theGlobals.m_pextprg == nullptr || !theGlobals.m_pextprg->Run(number, TRUE, nullptr, &pid)) {
    return Fail(252, "", number);
  }
  return true;
}

// "%(" kind "," name "," type "," value ")".
bool CWV4Logic::ReadDeferred() {
  auto expectComma = [this]() {
    SkipBlanks();
    if (AtEnd()) return Fail(257, "", 0);
    if (m_cur_char != ',') return Fail(259, "", static_cast<unsigned char>(m_cur_char));
    NextChar(true);
    SkipBlanks();
    return AtEnd() ? Fail(257, "", 0) : true;
  };
  if (!NextChar(true)) return Fail(257, "", 0);
  if (m_cur_char != '(') return Fail(258, "", static_cast<unsigned char>(m_cur_char));
  NextChar(true);
  SkipBlanks();
  if (AtEnd()) return Fail(257, "", 0);
  auto* entry = new DeferredAssignment;
  entry->kind = m_cur_char;
  // Linked at once, so that every failure below frees it with the list.
  DeferredAssignment** tail = &m_deferred;
  while (*tail != nullptr) tail = &(*tail)->next;
  *tail = entry;
  NextChar(true);
  if (!expectComma()) return false;
  const char* nameStart = m_cursor;
  while (!AtEnd() && m_cur_char != ' ' && m_cur_char != ',') NextChar(true);
  entry->name = CString(nameStart, static_cast<int>(m_cursor - nameStart));
  if (!expectComma()) return false;
  const char digit = m_cur_char;
  NextChar(true);
  if (!expectComma()) return false;

  const char* valueStart = m_cursor;
  bool single = false, dbl = false;
  int depth = 0;
  for (;; NextChar(true)) {
    if (AtEnd()) return Fail(260, "", 0);
    const char c = m_cur_char;
    if (c == '\'' && !dbl) single = !single;
    else if (c == '"' && !single) dbl = !dbl;
    else if (!single && !dbl && c == '(') ++depth;
    else if (!single && !dbl && c == ')' && depth-- == 0) break;
  }
  CDynBuf value;
  value.Append(valueStart, static_cast<int>(m_cursor - valueStart));
  NextChar(true);

  CWV4Db& db = *theGlobals.m_pinterp;
  const CString valueText(value);
  switch (digit) {
    case '1':
      entry->type = VAR_CHAR;
      if (!db.EvalString(value, entry->value.text, FALSE, TRUE, nullptr)) return Fail(261, valueText, 0);
      break;
    case '2':
    case '6':
      entry->type = digit == '2' ? VAR_LONG : VAR_DUD;
      if (!db.EvalLong(value, entry->value.lval, FALSE, TRUE, nullptr)) return Fail(263, valueText, 0);
      break;
    case '3':
      entry->type = VAR_FLOAT;
      if (!db.EvalFloat(value, entry->value.fval, FALSE, TRUE, nullptr)) return Fail(262, valueText, 0);
      break;
    case '4':
      entry->type = VAR_BOOL;
      if (!db.EvalBool(value, entry->value.bval, FALSE, TRUE, nullptr)) return Fail(264, valueText, 0);
      break;
    default: return Fail(265, entry->name, digit - '0');
  }
  entry->value.type = entry->type;
  return true;
}

BYTE CWV4Logic::ReadCondition(DdmDbLink* link, Value& left) {
  if (ParseOperand(link, kMissing, left) == kFailed) return Fail(267, m_text, 0), kFailed;
  bool single = true;
  for (;;) {
    SkipBlanks();
    if (AtEnd()) break;
    CString op;
    if (!ReadOperator(op)) return Fail(267, m_text, 0), kFailed;
    SkipBlanks();
    if (AtEnd()) return Fail(266, m_text, 0), kFailed;
    Value right;
    if (ParseOperand(link, left.type, right) == kFailed) return Fail(267, m_text, 0), kFailed;
    if (!ApplyOperator(op, left, right)) return kFailed;
    single = false;
  }
  if (single) {
    Value truth;
    if (ConvertValue(left, truth, left.type, VAR_BOOL) != VAR_BOOL) return Fail(268, "", left.type), kFailed;
    left = truth;
  }
  // Two missing operands leave no value: counted as FALSE.
  if (left.type != VAR_BOOL) left = BoolValue(false);
  return left.type;
}

bool CWV4Logic::ReadOperator(CString& op) {
  const char c = m_cur_char;
  if (c == '&' || c == '|' || c == '=' || c == '#') {
    op = CString(&c, 1);
    NextChar(true);
    return true;
  }
  if (c == '<' || c == '>') {
    NextChar(true);
    op = CString(&c, 1);
    if (m_cur_char == '=') {
      op += '=';
      NextChar(true);
    }
    return true;
  }
  return false;
}

// Operands hold groups and function arguments, which hold operands again;
// they nest no deeper than any condition needs, so that a damaged text of
// many parentheses fails instead of exhausting the stack.
constexpr int kMaxOperandDepth = 256;

BYTE CWV4Logic::ParseOperand(DdmDbLink* link, BYTE wanted, Value& out) {
  if (m_operand_depth >= kMaxOperandDepth) return kFailed;
  ++m_operand_depth;
  const BYTE type = ParseOperandContent(link, wanted, out);
  --m_operand_depth;
  return type;
}

BYTE CWV4Logic::ParseOperandContent(DdmDbLink* link, BYTE wanted, Value& out) {
  SkipBlanks();
  bool negate = false;
  if (m_cur_char == '!') {
    negate = true;
    NextChar(true);
  }
  auto negated = [&](BYTE type) {
    if (negate && type == VAR_BOOL) out.bval = out.bval != 0 ? 0 : 1;
    return type;
  };
  const char c = m_cur_char;
  if (c == '"') {
    const char* start = m_cursor + 1;
    const char* close = std::strchr(start, '"');
    if (close == nullptr) return kFailed;
    m_cursor = close;
    NextChar(true);
    return TextAs(CString(start, static_cast<int>(close - start)), wanted, out);
  }
  if (c == '\'') {
    if (m_cursor[1] == '\0' || m_cursor[2] != '\'') return kFailed;
    const CString text(m_cursor + 1, 1);
    m_cursor += 2;
    NextChar(true);
    return TextAs(text, wanted, out);
  }
  if (IsDigit(c)) {
    const char* start = m_cursor;
    while (IsDigit(m_cur_char) || m_cur_char == '.') NextChar(true);
    const CString digits(start, static_cast<int>(m_cursor - start));
    const bool point = digits.Find('.') >= 0;
    const double number = std::atof(digits);
    out.type = wanted;
    switch (wanted) {
      case VAR_CHAR: out.text = digits; break;
      case VAR_BOOL: out.bval = number != 0.0 ? 1 : 0; break;
      case VAR_LONG: out.lval = point ? SaturatedLong(number) : SettingNumber(digits); break;
      case VAR_FLOAT: out.fval = static_cast<float>(number); break;
      default:
        out.type = point ? VAR_FLOAT : VAR_LONG;
        out.fval = static_cast<float>(number);
        out.lval = SettingNumber(digits);
        break;
    }
    return out.type;
  }
  if (c == '(') {
    return negated(ParseGroup(link, wanted, out));
  }
  if (c == '$' && link != nullptr && IsDigit(m_cursor[1])) {
    NextChar(true);
    const char* start = m_cursor;
    while (IsDigit(m_cur_char)) NextChar(true);
    const int field = SettingNumber(CString(start, static_cast<int>(m_cursor - start)));
    CDynBuf decoded;
    if (!theGlobals.m_pinterp->GetField(link, link->cur_line, field, &decoded)) return kFailed;
    return TextAs(CString(decoded), wanted, out);
  }
  const char* start = m_cursor;
  while (!EndsName(m_cur_char)) NextChar(true);
  const CString name(start, static_cast<int>(m_cursor - start));
  if (name.IsEmpty()) return kFailed;
  const bool function = name == "StrOr" || name == "Begins" || name == "StrIn" || name == "IsEmpty";
  if (function && m_cur_char == '(') {
    const BYTE type = ParseFunction(link, name, wanted, out);
    return name == "StrOr" ? type : negated(type);
  }
  Value value;
  if (name == "TRUE" || name == "FALSE") {
    value = BoolValue(name == "TRUE");
  } else {
    VarValue var;
    value.type = theGlobals.m_pvar != nullptr ? theGlobals.m_pvar->GetVar(name, &var) & VAR_TYPE_MASK : kMissing;
    switch (value.type) {
      case VAR_CHAR: value.text = var.text; break;
      case VAR_DUDCH: value.text = var.text; value.type = VAR_CHAR; break;
      case VAR_DUD: value.lval = var.lval; value.type = VAR_LONG; break;
      case VAR_LONG: value.lval = var.lval; break;
      case VAR_FLOAT: value.fval = var.fval; break;
      case VAR_BOOL: value.bval = var.bval; break;
      default: value.type = kMissing; break;
    }
  }
  return negated(ConvertValue(value, out, value.type, wanted));
}

// After a function name: its arguments up to the closing ")".
BYTE CWV4Logic::ParseFunction(DdmDbLink* link, const CString& name, BYTE wanted, Value& out) {
  const bool textWanted = wanted == VAR_CHAR || wanted == kMissing;
  const bool truthWanted = wanted == VAR_BOOL || wanted == kMissing;
  NextChar(true);  // the "("
  auto text = [&](CString& t) {
    Value v;
    if (ParseOperand(link, VAR_CHAR, v) == kFailed) return false;
    t = v.type == VAR_CHAR ? v.text : CString();
    return true;
  };
  CString a, b;
  if (name == "StrOr" && textWanted) {
    Value c;
    if (ParseGroup(link, VAR_BOOL, c) == kFailed) return kFailed;
    if (!ReadArgumentSeparator(',') || !text(a) || !ReadArgumentSeparator(',') || !text(b) ||
        !ReadArgumentSeparator(')')) {
      return kFailed;
    }
    out.type = VAR_CHAR;
    out.text = c.type == VAR_BOOL && c.bval != 0 ? a : b;
    return VAR_CHAR;
  }
  if ((name == "Begins" || name == "StrIn") && truthWanted) {
    if (!text(a) || !ReadArgumentSeparator(',') || !text(b) || !ReadArgumentSeparator(')')) return kFailed;
    const bool holds = name == "Begins" ? std::strncmp(a, b, static_cast<size_t>(b.GetLength())) == 0
                                        : std::strstr(a, b) != nullptr;
    out = BoolValue(holds);
    return VAR_BOOL;
  }
  if (name == "IsEmpty" && truthWanted) {
    if (!text(a) || !ReadArgumentSeparator(')')) return kFailed;
    out = BoolValue(a.IsEmpty());
    return VAR_BOOL;
  }
  return kFailed;
}

bool CWV4Logic::ReadArgumentSeparator(char closer) {
  SkipBlanks();
  if (m_cur_char != closer) return false;
  NextChar(true);
  return true;
}

BYTE CWV4Logic::ParseGroup(DdmDbLink* link, BYTE wanted, Value& out) {
  const bool opened = m_cur_char == '(';
  if (opened) NextChar(true);
  Value left;
  if (ParseOperand(link, kMissing, left) == kFailed) return kFailed;
  // A group ends at "," or the end of the text (only when not opened by a
  // parenthesis) or at ")" (only when opened); after an operator the end of
  // the text ends any group.
  auto ends = [&](bool afterOperator, bool& failed) {
    SkipBlanks();
    failed = false;
    if (m_cur_char == ')') {
      failed = !opened;
      if (opened) NextChar(true);
      return true;
    }
    if (AtEnd() && afterOperator) return true;
    if (m_cur_char == ',' || AtEnd()) {
      failed = opened;
      return true;
    }
    return false;
  };
  bool failed = false;
  bool afterOperator = false;
  while (!ends(afterOperator, failed)) {
    CString op;
    if (!ReadOperator(op)) return kFailed;
    SkipBlanks();
    if (AtEnd()) return kFailed;
    Value right;
    if (ParseOperand(link, left.type, right) == kFailed) return kFailed;
    if (!ApplyOperator(op, left, right)) return kFailed;
    afterOperator = true;
  }
  if (failed) return kFailed;
  const BYTE type = ConvertValue(left, out, left.type, wanted);
  return type;
}

BYTE CWV4Logic::ConvertValue(const Value& from, Value& to, BYTE fromType, BYTE toType) {
  if (fromType == kMissing || toType == kMissing || fromType == toType) {
    to = from;
    to.type = fromType;
    return fromType;
  }
  to = Value();
  to.type = toType;
  switch (fromType) {
    case VAR_CHAR:
      return TextAs(from.text, toType, to);
    case VAR_LONG:
      if (toType == VAR_CHAR) to.text.Format("%d", static_cast<int>(from.lval));
      to.fval = static_cast<float>(from.lval);
      to.bval = from.lval != 0 ? 1 : 0;
      break;
    case VAR_FLOAT:
      if (toType == VAR_CHAR) to.text.Format("%f", static_cast<double>(from.fval));
      to.lval = SaturatedLong(from.fval);
      to.bval = from.fval != 0.0f ? 1 : 0;
      break;
    case VAR_BOOL:
      to.text = from.bval != 0 ? "TRUE" : "FALSE";
      to.lval = from.bval != 0 ? 1 : 0;
      to.fval = from.bval != 0 ? 1.0f : 0.0f;
      to.bval = from.bval != 0 ? 1 : 0;
      break;
    default: return kMissing;
  }
  return toType;
}

bool CWV4Logic::ApplyOperator(const CString& op, Value& left, const Value& right) {
  const bool logical = op == "&" || op == "|";
  if (left.type == kMissing) {
    if (right.type == kMissing) return true;
    if (logical) {
      if (right.type == VAR_BOOL) left = BoolValue(op == "|" && right.bval != 0);
      return true;
    }
    if (op == ">=" && right.type == VAR_CHAR) left = BoolValue(false);
    else if (op == "<=" && right.type == VAR_BOOL) left = right;
    else left = BoolValue(Holds(op, OrderAgainstZero(right)));
    return true;
  }
  if (logical) {
    if (left.type != VAR_BOOL) return Fail(269, "", 0);
    if (right.type == kMissing) {
      if (op == "&") left = BoolValue(false);
      return true;
    }
    if (right.type != VAR_BOOL) return Fail(269, "", 0);
    left = BoolValue(op == "&" ? (left.bval != 0 && right.bval != 0) : (left.bval != 0 || right.bval != 0));
    return true;
  }
  // A missing right operand counts as the empty or zero value of the left's type.
  Value zero;
  zero.type = left.type;
  const Value& r = right.type == kMissing ? zero : right;
  if (r.type != left.type) return Fail(269, "", 0);
  int order = 0;
  switch (left.type) {
    case VAR_CHAR: order = std::strcmp(left.text, r.text); break;
    case VAR_LONG: order = Compare<LONG>(left.lval, r.lval); break;
    case VAR_FLOAT: order = Compare<double>(left.fval, r.fval); break;
    case VAR_BOOL: order = Compare<int>(left.bval != 0, r.bval != 0); break;
    default: return Fail(269, "", 0);
  }
  left = BoolValue(Holds(op, order));
  return true;
}

void CWV4Logic::ApplyDeferred(BOOL outcome) {
  DeferredAssignment* entry = m_deferred;
  m_deferred = nullptr;
  while (entry != nullptr) {
    const bool applies = entry->kind == 'A' || (entry->kind == 'T' && (outcome || theGlobals.m_ignore_rules)) ||
                         (entry->kind == 'F' && !outcome);
    if (applies && theGlobals.m_pvar != nullptr) {
      VarValue value;
      switch (entry->type) {
        case VAR_CHAR: value = VarValue::Text(entry->value.text); break;
        case VAR_FLOAT: value = VarValue::Float(entry->value.fval); break;
        case VAR_BOOL: value = VarValue::Bool(entry->value.bval); break;
        default: value = VarValue::Long(entry->value.lval); break;
      }
      theGlobals.m_pvar->SetVar(entry->name, value, entry->type);
    }
    DeferredAssignment* next = entry->next;
    delete entry;
    entry = next;
  }
}

void CWV4Logic::ClearDeferred() {
  while (m_deferred != nullptr) {
    DeferredAssignment* next = m_deferred->next;
    delete m_deferred;
    m_deferred = next;
  }
}
