// The four evaluators of value expressions. An expression is read strictly
// left to right without precedence, in one of three notations: value code
// with statements (0x00 codes), value code with value markers (0x01), or
// plain text with bare variable names.
#include <charconv>
#include <cstdlib>
#include <string_view>

#include "Main/CWV4Db.h"
#include "Main/CWV4Globals.h"
#include "Main/CWV4Var.h"
#include "Main/DdmDbLink.h"
#include "Main/TagCode.h"
#include "foundation/SettingNumber.h"

namespace {

enum class Form { Code, Marker, Plain };

Form FormOf(BOOL markers, BOOL names) {
  if (names) return Form::Plain;
  return markers ? Form::Marker : Form::Code;
}

bool IsLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool IsWordChar(unsigned char c) { return IsLetter(c) || IsDigit(c) || c == '_'; }

// What an operand delivered: a variable (by its type and value), a number,
// a field text, or nothing that counts.
struct Operand {
  enum Kind { Variable, Number, FieldText, Word } kind = Variable;
  BYTE type = VAR_UNKNOWN;
  VarValue value;
  CString text;  // digits, field text or word
};

// Reads one expression; every access is bounded by the expression's length,
// so malformed code ends in a failure, never in a read past the end.
class ExprReader {
 public:
  ExprReader(CWV4Db& db, const CDynBuf& expr, BOOL markers, BOOL names, DdmDbLink* link)
      : m_db(db), m_bytes(expr.GetData()), m_len(expr.GetLength()), m_form(FormOf(markers, names)), m_link(link) {}

  Form form() const { return m_form; }
  bool AtEnd() const { return m_pos >= m_len; }
  unsigned char Current() const { return m_bytes[m_pos]; }
  bool Has(int count) const { return m_pos + count <= m_len; }
  unsigned char At(int offset) const { return m_bytes[m_pos + offset]; }
  void Skip(int count) { m_pos += count; }

  void SkipBlanks() {
    while (!AtEnd() && Current() == ' ') ++m_pos;
  }

  // An operator must have something after it (blanks do not count).
  bool TakeOperator() {
    ++m_pos;
    SkipBlanks();
    return !AtEnd();
  }

  // A run of bytes that satisfy accept, from the current position.
  template <typename Accept>
  CString TakeRun(Accept accept) {
    const int start = m_pos;
    while (!AtEnd() && accept(Current())) ++m_pos;
    return CString(reinterpret_cast<const char*>(m_bytes + start), m_pos - start);
  }

  // After a number or word: true when the next byte is one of the allowed
  // followers, a blank or the end. A 0 byte (the start of a code) is none of
  // them, although it ends the list of allowed characters.
  bool FollowedBy(std::string_view allowed) const {
    return AtEnd() || Current() == ' ' || allowed.find(static_cast<char>(Current())) != std::string_view::npos;
  }

  // Reads name bytes up to lead byte, then expects closer; positions behind it.
  bool TakeClosed(unsigned char lead, unsigned char closer, CString& name) {
    const int start = m_pos;
    int end = start;
    while (end < m_len && m_bytes[end] != lead) ++end;
    if (end + 1 >= m_len || m_bytes[end + 1] != closer) return false;
    name = CString(reinterpret_cast<const char*>(m_bytes + start), end - start);
    m_pos = end + 2;
    return true;
  }

  bool TakeNumber32(LONG& number) {
    if (!Has(kTextNumberBytes)) return false;
    const auto value = static_cast<DWORD>(At(0)) | static_cast<DWORD>(At(1)) << 8 | static_cast<DWORD>(At(2)) << 16 |
                       static_cast<DWORD>(At(3)) << 24;
    number = static_cast<LONG>(value);
    m_pos += kTextNumberBytes;
    return true;
  }

  bool TakeMarkerClose(unsigned char kind) {
    if (!Has(2) || At(0) != kMarkerByte || At(1) != kind) return false;
    m_pos += 2;
    return true;
  }

  // Variable lookups; a missing store counts as no variable at all.
  static void Lookup(const CString& name, Operand& operand) {
    operand.kind = Operand::Variable;
    operand.type = theGlobals.m_pvar != nullptr ? theGlobals.m_pvar->GetVar(name, &operand.value) : VAR_UNKNOWN;
  }

  // Field f of a hit through the field reader; without a link the field
  // contributes nothing.
  bool ReadField(int hit, unsigned char field, Operand& operand) {
    operand.kind = Operand::FieldText;
    operand.text.Empty();
    if (m_link == nullptr) return true;
    CDynBuf decoded;
    if (!m_db.GetField(m_link, hit, field, &decoded)) return false;
    operand.text = CString(reinterpret_cast<const char*>(decoded.GetData()), decoded.GetLength());
    return true;
  }

  // Code form 0x00 'A' name 0x00 0x40, marker form 0x01 0x02 name 0x01 0x02,
  // and the field references 0x01 0x0E f 0x01 0x0E, as the numeric and truth
  // evaluators accept them. The current byte is 0x00 or 0x01.
  bool ReadVariableOrField(Operand& operand) {
    if (!Has(2)) return false;
    const unsigned char lead = At(0);
    const unsigned char code = At(1);
    CString name;
    if (m_form == Form::Code && lead == kStatementByte && code == TAG_VARIABLE) {
      Skip(2);
      if (!TakeClosed(kStatementByte, TAG_VARIABLE_END, name)) return false;
      Lookup(name, operand);
      return true;
    }
    if (m_form == Form::Marker && lead == kMarkerByte && code == MARKER_VARIABLE) {
      Skip(2);
      if (!TakeClosed(kMarkerByte, MARKER_VARIABLE, name)) return false;
      Lookup(name, operand);
      return true;
    }
    if (m_form == Form::Marker && lead == kMarkerByte && code == MARKER_FIELD) {
      if (!Has(3)) return false;
      const unsigned char field = At(2);
      Skip(3);
      if (!TakeMarkerClose(MARKER_FIELD)) return false;
      return ReadField(m_link != nullptr ? m_link->cur_line : 0, field, operand);
    }
    return false;
  }

  bool ReadTextOperand(CString& out);

 private:
  bool AppendVariableAsText(const CString& name, CString& out, bool dictionaryTypes);
  bool ReadCodeText(CString& out);
  bool ReadMarkerText(CString& out);

  CWV4Db& m_db;
  const unsigned char* m_bytes;
  int m_len;
  int m_pos = 0;
  Form m_form;
  DdmDbLink* m_link;
};

// The variable as text. In the plain-text form the two dictionary types give
// their dictionary text; elsewhere DUD has no text of its own and fails.
bool ExprReader::AppendVariableAsText(const CString& name, CString& out, bool dictionaryTypes) {
  Operand operand;
  Lookup(name, operand);
  const VarValue& v = operand.value;
  CString text;
  switch (operand.type) {
    case VAR_CHAR: out += v.text; return true;
    case VAR_DUDCH: out += dictionaryTypes ? theGlobals.DataTextByKey(v.text) : v.text; return true;
    case VAR_LONG: {
      char digits[16];
      out += CString(digits, static_cast<int>(std::to_chars(digits, digits + sizeof digits, v.lval).ptr - digits));
      return true;
    }
    case VAR_FLOAT: text.Format("%f", static_cast<double>(v.fval)); break;
    case VAR_BOOL: text = v.bval != 0 ? "TRUE" : "FALSE"; break;
    case VAR_UNKNOWN: return true;
    case VAR_DUD:
      if (!dictionaryTypes) return false;
      text = theGlobals.DataText(v.lval);
      break;
    default: return false;
  }
  out += text;
  return true;
}

bool ExprReader::ReadCodeText(CString& out) {
  if (!Has(2)) return false;
  const unsigned char code = At(1);
  Skip(2);
  CString name;
  Operand operand;
  LONG number = 0;
  switch (code) {
    case TAG_TEXT_NUMBER:
      if (!TakeNumber32(number)) return false;
      out += theGlobals.DataText(number);
      return true;
    case TAG_FIELD: {
      if (!Has(1)) return false;
      const unsigned char field = Current();
      Skip(1);
      if (!ReadField(0, field, operand)) return false;
      out += operand.text;
      return true;
    }
    case TAG_VARIABLE:
      return TakeClosed(kStatementByte, TAG_VARIABLE_END, name) && AppendVariableAsText(name, out, false);
    case TAG_TEXT_VARIABLE:
      if (!TakeClosed(kStatementByte, TAG_TEXT_VARIABLE_END, name)) return false;
      Lookup(name, operand);
      if (operand.type == VAR_DUD) out += theGlobals.DataText(operand.value.lval);
      else if (operand.type == VAR_DUDCH) out += theGlobals.DataTextByKey(operand.value.text);
      return operand.type == VAR_DUD || operand.type == VAR_DUDCH || operand.type == VAR_UNKNOWN;
    case TAG_TEXT_KEY:
      if (!TakeClosed(kStatementByte, TAG_TEXT_KEY_END, name)) return false;
      out += theGlobals.DataTextByKey(name);
      return true;
    default:
      return false;
  }
}

bool ExprReader::ReadMarkerText(CString& out) {
  if (!Has(2)) return false;
  const unsigned char kind = At(1);
  CString name;
  Operand operand;
  LONG number = 0;
  switch (kind) {
    case MARKER_VARIABLE:
      Skip(2);
      return TakeClosed(kMarkerByte, MARKER_VARIABLE, name) && AppendVariableAsText(name, out, false);
    case MARKER_TEXT_NUMBER:
      Skip(2);
      if (!TakeNumber32(number) || !TakeMarkerClose(MARKER_TEXT_NUMBER)) return false;
      out += theGlobals.DataText(number);
      return true;
    case MARKER_TEXT_VARIABLE:
      Skip(2);
      if (!TakeClosed(kMarkerByte, MARKER_TEXT_VARIABLE, name)) return false;
      Lookup(name, operand);
      if (operand.type == VAR_DUD) out += theGlobals.DataText(operand.value.lval);
      return operand.type == VAR_DUD || operand.type == VAR_UNKNOWN;
    case MARKER_TEXT_KEY:
      Skip(2);
      if (!TakeClosed(kMarkerByte, MARKER_TEXT_KEY, name)) return false;
      out += theGlobals.DataTextByKey(name);
      return true;
    case MARKER_FIELD:
      if (!ReadVariableOrField(operand)) return false;
      out += operand.text;
      return true;
    default:
      return false;
  }
}

// One operand of a text expression, appended to out.
bool ExprReader::ReadTextOperand(CString& out) {
  const unsigned char c = Current();
  if (c == '"') {
    if (m_pos + 1 >= m_len) return false;
    const int start = m_pos + 1;
    int close = start;
    while (close < m_len && m_bytes[close] != '"') ++close;
    out += CString(reinterpret_cast<const char*>(m_bytes + start), close - start);
    m_pos = close < m_len ? close + 1 : m_len;
    return true;
  }
  if (c == '\'') {
    if (!Has(3) || At(2) != '\'') return false;
    out += static_cast<char>(At(1));
    Skip(3);
    return true;
  }
  if (m_form == Form::Code && c == kStatementByte) return ReadCodeText(out);
  if (m_form == Form::Marker && c == kMarkerByte) return ReadMarkerText(out);
  if (m_form == Form::Plain && IsWordChar(c)) return AppendVariableAsText(TakeRun(IsWordChar), out, true);
  return false;
}

// Reads a numeric operand: a number, a variable or a field.
bool ReadNumericOperand(ExprReader& reader, Operand& operand, bool (*isNumberChar)(unsigned char)) {
  const unsigned char c = reader.Current();
  if (isNumberChar(c)) {
    operand.kind = Operand::Number;
    operand.text = reader.TakeRun(isNumberChar);
    return reader.FollowedBy("+-*/");
  }
  if (reader.form() == Form::Plain) {
    if (!IsLetter(c)) return false;
    ExprReader::Lookup(reader.TakeRun(IsWordChar), operand);
    return true;
  }
  return reader.ReadVariableOrField(operand);
}

bool IsDecimalDigit(unsigned char c) { return IsDigit(c); }
bool IsFloatChar(unsigned char c) { return IsDigit(c) || c == '.'; }

// Wrapping 32-bit arithmetic: overflow must never stop the program.
bool CombineLong(char op, LONG operand, LONG& result) {
  const auto a = static_cast<DWORD>(result);
  const auto b = static_cast<DWORD>(operand);
  switch (op) {
    case '+': result = static_cast<LONG>(a + b); break;
    case '-': result = static_cast<LONG>(a - b); break;
    case '*': result = static_cast<LONG>(a * b); break;
    case '/':
      if (operand == 0) return false;
      result = (operand == -1) ? static_cast<LONG>(0u - a) : result / operand;
      break;
    default: result = operand; break;
  }
  return true;
}

bool CombineFloat(char op, double operand, float& result) {
  const double a = result;
  switch (op) {
    case '+': result = static_cast<float>(a + operand); break;
    case '-': result = static_cast<float>(a - operand); break;
    case '*': result = static_cast<float>(a * operand); break;
    case '/':
      if (operand == 0.0) return false;
      result = static_cast<float>(a / operand);
      break;
    default: result = static_cast<float>(operand); break;
  }
  return true;
}

bool IsArithmeticOperator(unsigned char c) { return c == '+' || c == '-' || c == '*' || c == '/'; }

// The arithmetic loop shared by the whole-number and floating-point
// evaluators; toValue turns an operand into a number, or says to skip it
// (an unknown variable) or that it is of the wrong kind.
enum class Take { Use, Skip, Fail };

template <typename Value, typename ToValue, typename Combine>
bool EvalArithmetic(ExprReader& reader, bool (*isNumberChar)(unsigned char), ToValue toValue, Combine combine) {
  char pending = 0;
  reader.SkipBlanks();
  while (!reader.AtEnd()) {
    const unsigned char c = reader.Current();
    if (IsArithmeticOperator(c)) {
      pending = static_cast<char>(c);
      if (!reader.TakeOperator()) return false;
      continue;
    }
    Operand operand;
    if (!ReadNumericOperand(reader, operand, isNumberChar)) return false;
    Value value{};
    switch (toValue(operand, value)) {
      case Take::Fail: return false;
      case Take::Skip: break;
      case Take::Use:
        if (!combine(pending, value)) return false;
        pending = 0;
        break;
    }
    reader.SkipBlanks();
  }
  return true;
}

}  // namespace

BOOL CWV4Db::EvalString(const CDynBuf& expr, CString& result, BOOL markers, BOOL names, DdmDbLink* link) {
  ExprReader reader(*this, expr, markers, names, link);
  CString text;
  reader.SkipBlanks();
  while (!reader.AtEnd()) {
    if (reader.Current() == '+') {
      if (!reader.TakeOperator()) return FALSE;
      continue;
    }
    if (!reader.ReadTextOperand(text)) return FALSE;
    reader.SkipBlanks();
  }
  result = text;
  return TRUE;
}

BOOL CWV4Db::EvalLong(const CDynBuf& expr, LONG& result, BOOL markers, BOOL names, DdmDbLink* link) {
  result = 0;
  ExprReader reader(*this, expr, markers, names, link);
  auto toValue = [](const Operand& operand, LONG& value) {
    switch (operand.kind) {
      case Operand::Number:
      case Operand::FieldText: value = SettingNumber(operand.text); return Take::Use;
      default: break;
    }
    if (operand.type == VAR_UNKNOWN) return Take::Skip;
    if (operand.type != VAR_LONG && operand.type != VAR_DUD) return Take::Fail;
    value = operand.value.lval;
    return Take::Use;
  };
  auto combine = [&result](char op, LONG value) { return CombineLong(op, value, result); };
  return EvalArithmetic<LONG>(reader, IsDecimalDigit, toValue, combine) ? TRUE : FALSE;
}

BOOL CWV4Db::EvalFloat(const CDynBuf& expr, float& result, BOOL markers, BOOL names, DdmDbLink* link) {
  result = 0.0F;
  ExprReader reader(*this, expr, markers, names, link);
  auto toValue = [](const Operand& operand, double& value) {
    switch (operand.kind) {
      case Operand::Number:
      case Operand::FieldText: value = std::atof(operand.text); return Take::Use;
      default: break;
    }
    if (operand.type == VAR_UNKNOWN) return Take::Skip;
    if (operand.type != VAR_FLOAT) return Take::Fail;
    value = operand.value.fval;
    return Take::Use;
  };
  auto combine = [&result](char op, double value) { return CombineFloat(op, value, result); };
  return EvalArithmetic<double>(reader, IsFloatChar, toValue, combine) ? TRUE : FALSE;
}

// "!" negates the operand it stands before; "&" and "|" combine truth values.
BOOL CWV4Db::EvalBool(const CDynBuf& expr, BOOL& result, BOOL markers, BOOL names, DdmDbLink* link) {
  result = FALSE;
  ExprReader reader(*this, expr, markers, names, link);
  char pending = 0;
  bool negate = false;
  reader.SkipBlanks();
  while (!reader.AtEnd()) {
    const unsigned char c = reader.Current();
    if (c == '&' || c == '|') {
      pending = static_cast<char>(c);
      if (!reader.TakeOperator()) return FALSE;
      continue;
    }
    if (c == '!') {
      negate = !negate;
      if (!reader.TakeOperator()) return FALSE;
      continue;
    }
    Operand operand;
    bool truth = false;
    if (IsWordChar(c)) {
      const CString word = reader.TakeRun(IsWordChar);
      if (!reader.FollowedBy("&|")) return FALSE;
      if (word == "TRUE" || word == "FALSE") {
        operand.kind = Operand::Word;
        truth = word == "TRUE";
      } else if (reader.form() == Form::Plain) {
        ExprReader::Lookup(word, operand);
      } else {
        return FALSE;
      }
    } else if (!reader.ReadVariableOrField(operand)) {
      return FALSE;
    }
    if (operand.kind == Operand::FieldText) truth = !operand.text.IsEmpty();
    if (operand.kind == Operand::Variable) {
      if (operand.type == VAR_UNKNOWN) {
        reader.SkipBlanks();
        continue;
      }
      if (operand.type != VAR_BOOL) return FALSE;
      truth = operand.value.bval != 0;
    }
    if (negate) truth = !truth;
    if (pending == '&') result = (result != 0 && truth) ? TRUE : FALSE;
    else if (pending == '|') result = (result != 0 || truth) ? TRUE : FALSE;
    else result = truth ? TRUE : FALSE;
    pending = 0;
    negate = false;
    reader.SkipBlanks();
  }
  return TRUE;
}
