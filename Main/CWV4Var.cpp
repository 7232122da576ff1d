#include "Main/CWV4Var.h"

#include <cstring>

#include "Main/TagCode.h"
#include "mfc/CListCtrl.h"

IMPLEMENT_DYNCREATE(CWV4Var, CObject)

namespace {

BYTE TypeOf(BYTE typeByte) { return typeByte & VAR_TYPE_MASK; }
bool IsText(BYTE type) { return type == VAR_CHAR || type == VAR_DUDCH; }

void AppendFormatted(CDynBuf& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
void AppendFormatted(CDynBuf& out, const char* format, ...) {
  va_list args;
  va_start(args, format);
  CString text;
  text.FormatV(format, args);
  va_end(args);
  out.Append(text);
}

// The text as value code that the text evaluator reads back unchanged: runs
// between double quotes, and each double quote of the text on its own between
// single quotes.
void AppendQuotedText(CDynBuf& out, const CString& text) {
  const char* rest = text;
  if (*rest == '\0') {
    out.Append("\"\"");
    return;
  }
  while (*rest != '\0') {
    if (*rest == '"') {
      out.Append("'\"'");
      ++rest;
      continue;
    }
    const char* quote = std::strchr(rest, '"');
    const int run = quote != nullptr ? static_cast<int>(quote - rest) : static_cast<int>(std::strlen(rest));
    out.Append('"');
    out.Append(rest, run);
    out.Append('"');
    rest += run;
  }
}

void AppendAssignmentHead(CDynBuf& out, unsigned char tag, const CString& name) {
  out.Append(static_cast<char>(kStatementByte));
  out.Append(static_cast<char>(tag));
  out.Append(name);
  out.Append(static_cast<char>(kStatementByte));
  out.Append(static_cast<char>(TAG_VALUE));
}

void AppendAssignmentTail(CDynBuf& out) {
  out.Append(static_cast<char>(kStatementByte));
  out.Append(static_cast<char>(TAG_VALUE_END));
}

CString FlagsText(BYTE typeByte) {
  CString flags;
  if (typeByte & VAR_FLAG_SYSTEM) flags += "+SYSTEM";
  if (typeByte & VAR_FLAG_TRACE) flags += "+TRACE";
  return flags;
}

}  // namespace

VarValue VarValue::Text(const char* value) {
  VarValue v;
  v.text = value;
  return v;
}
VarValue VarValue::Long(LONG value) {
  VarValue v;
  v.lval = value;
  return v;
}
VarValue VarValue::Float(float value) {
  VarValue v;
  v.fval = value;
  return v;
}
VarValue VarValue::Bool(BOOL value) {
  VarValue v;
  v.bval = value;
  return v;
}

CWV4Var::~CWV4Var() { RemoveAll(); }

void CWV4Var::RemoveAll() {
  m_vars.clear();
  m_index.clear();
  DiscardSnapshot();
}

const VarEntry* CWV4Var::Find(const char* name) const {
  const auto found = m_index.find(std::string_view(name));
  return found != m_index.end() ? &m_vars[found->second] : nullptr;
}

VarEntry* CWV4Var::Find(const char* name) {
  return const_cast<VarEntry*>(static_cast<const CWV4Var*>(this)->Find(name));
}

void CWV4Var::RebuildIndex() {
  m_index.clear();
  for (size_t i = 0; i < m_vars.size(); ++i) m_index.emplace(m_vars[i].name.Std(), i);
}

BYTE CWV4Var::GetVar(const char* name, VarValue* value) const {
  const VarEntry* entry = Find(name);
  if (entry == nullptr || TypeOf(entry->type) == VAR_UNKNOWN) return VAR_UNKNOWN;
  if (value != nullptr) *value = entry->value;
  return TypeOf(entry->type);
}

BOOL CWV4Var::SetVar(const char* name, const VarValue& value, BYTE type) {
  const BYTE newType = TypeOf(type);
  VarEntry* entry = Find(name);
  if (entry == nullptr) {
    VarEntry fresh;
    fresh.type = type;
    fresh.name = name;
    if (newType != VAR_UNKNOWN) fresh.value = value;
    m_index.emplace(fresh.name.Std(), m_vars.size());
    m_vars.push_back(std::move(fresh));
    return TRUE;
  }
  const BYTE oldType = TypeOf(entry->type);
  if (newType != VAR_UNKNOWN) {
    if (oldType != newType && oldType != VAR_UNKNOWN) return FALSE;
    entry->type = static_cast<BYTE>((entry->type & ~VAR_TYPE_MASK) | newType);
    entry->value = value;
    if (!IsText(newType)) entry->value.text.Empty();
  }
  entry->type |= type & ~VAR_TYPE_MASK;
  return TRUE;
}

BOOL CWV4Var::SaveSnapshot() {
  if (m_has_snapshot) return FALSE;
  if (m_vars.empty()) return TRUE;
  m_snapshot = m_vars;
  m_has_snapshot = true;
  return TRUE;
}

BOOL CWV4Var::RestoreSnapshot() {
  if (m_has_snapshot) {
    m_vars = std::move(m_snapshot);
    RebuildIndex();
    DiscardSnapshot();
  }
  return TRUE;
}

BOOL CWV4Var::DiscardSnapshot() {
  m_snapshot.clear();
  m_has_snapshot = false;
  return TRUE;
}

BOOL CWV4Var::WriteTraceVars(CDynBuf& out) const {
  if (!m_has_snapshot) return FALSE;
  out.Empty();
  for (const VarEntry& entry : m_snapshot) {
    if (entry.type & VAR_FLAG_TRACE) WriteVarCode(out, entry);
  }
  return TRUE;
}

void CWV4Var::WriteUserVars(CDynBuf& out) const {
  for (const VarEntry& entry : m_vars) {
    if (!(entry.type & VAR_FLAG_SYSTEM)) WriteVarCode(out, entry);
  }
}

void CWV4Var::WriteVarCode(CDynBuf& out, const VarEntry& entry) {
  switch (TypeOf(entry.type)) {
    case VAR_CHAR:
    case VAR_DUDCH:
      AppendAssignmentHead(out, TypeOf(entry.type) == VAR_CHAR ? TAG_SET_CHAR : TAG_SET_DUDCH, entry.name);
      AppendQuotedText(out, entry.value.text);
      break;
    case VAR_LONG:
    case VAR_DUD:
      AppendAssignmentHead(out, TypeOf(entry.type) == VAR_LONG ? TAG_SET_LONG : TAG_SET_DUD, entry.name);
      AppendFormatted(out, "%d", entry.value.lval);
      break;
    case VAR_FLOAT:
      AppendAssignmentHead(out, TAG_SET_FLOAT, entry.name);
      AppendFormatted(out, "%f", static_cast<double>(entry.value.fval));
      break;
    case VAR_BOOL:
      AppendAssignmentHead(out, TAG_SET_BOOL, entry.name);
      out.Append(entry.value.bval != 0 ? "TRUE" : "FALSE");
      break;
    default:
      return;
  }
  AppendAssignmentTail(out);
}

void CWV4Var::Dump(CDynBuf& out) const {
  for (const VarEntry& entry : m_vars) {
    const char* name = entry.name;
    const CString flags = FlagsText(entry.type);
    const VarValue& v = entry.value;
    switch (TypeOf(entry.type)) {
      case VAR_CHAR: AppendFormatted(out, "%s:CHAR%s \"%s\"\r\n", name, static_cast<const char*>(flags), static_cast<const char*>(v.text)); break;
      case VAR_LONG: AppendFormatted(out, "%s:LONG%s %d\r\n", name, static_cast<const char*>(flags), v.lval); break;
      case VAR_FLOAT: AppendFormatted(out, "%s:FLOAT%s %g\r\n", name, static_cast<const char*>(flags), static_cast<double>(v.fval)); break;
      case VAR_BOOL: AppendFormatted(out, "%s:BOOL%s %s\r\n", name, static_cast<const char*>(flags), v.bval != 0 ? "TRUE" : "FALSE"); break;
      case VAR_DUD: AppendFormatted(out, "%s:DUD%s %d\r\n", name, static_cast<const char*>(flags), v.lval); break;
      case VAR_DUDCH: AppendFormatted(out, "%s:DUDCH%s \"%s\"\r\n", name, static_cast<const char*>(flags), static_cast<const char*>(v.text)); break;
      case VAR_UNKNOWN: AppendFormatted(out, "%s:Unbekannt !!!\r\n", name); break;
      default: AppendFormatted(out, "%s:Fehler !!!\r\n", name); break;
    }
  }
}

namespace {

CString ListValueText(const VarEntry& entry) {
  CString text;
  const VarValue& v = entry.value;
  switch (TypeOf(entry.type)) {
    case VAR_CHAR:
    case VAR_DUDCH: return v.text;
    case VAR_LONG:
    case VAR_DUD: text.Format("%d", v.lval); return text;
    case VAR_FLOAT: text.Format("%g", static_cast<double>(v.fval)); return text;
    case VAR_BOOL: return v.bval != 0 ? "TRUE" : "FALSE";
    case VAR_UNKNOWN: return "UNKNOWN";
    default: return "ERROR";
  }
}

}  // namespace

void CWV4Var::FillListCtrl(CListCtrl& list) const {
  int row = 0;
  for (const VarEntry& entry : m_vars) {
    const int item = list.InsertItem(row++, entry.name);
    CString type;
    type.Format("%02X", entry.type);
    list.SetItemText(item, 1, type);
    list.SetItemText(item, 2, ListValueText(entry));
  }
}
