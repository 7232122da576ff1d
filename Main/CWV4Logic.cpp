// The rules file: lines of a rule number, a colon and the rule text.
#include "Main/CWV4Logic.h"

#include <cstdlib>

#include "Main/CErrorDlg.h"
#include "Main/CErrorTrace.h"
#include "foundation/FileBytes.h"
#include "foundation/SettingNumber.h"

IMPLEMENT_DYNCREATE(CWV4Logic, CObject)

CWV4Logic::~CWV4Logic() {
  ClearRules();
  ClearDeferred();
}

void CWV4Logic::ClearRules() {
  while (m_rules != nullptr) {
    RuleEntry* next = m_rules->next;
    delete m_rules;
    m_rules = next;
  }
}

namespace {

// Reports a rules file that cannot be had; the rule list stays empty.
void ReportLoad(CErrorTrace* node, int severity, int code, const char* path) {
  ERROR_TRACE_FAIL(node, severity, code, path, 0);
  CErrorDlg::ReportAndRemove(node);
}

}  // namespace

void CWV4Logic::LoadRules(const char* path) {
  CErrorTrace* node = ERROR_TRACE_PUSH();
  if (path == nullptr || *path == '\0') {
    CErrorTrace::Remove(node);
    return;
  }
  ClearRules();
  m_loaded_file = path;
  CDynBuf content;
  switch (ReadFileBytes(path, content)) {
    case FileRead::Missing: return ReportLoad(node, SEVERITY_ERROR, 306, path);
    case FileRead::NotOpened: return ReportLoad(node, SEVERITY_LOG, 306, path);
    case FileRead::Short: return ReportLoad(node, SEVERITY_LOG, 305, path);
    case FileRead::Done: break;
  }

  const char* bytes = content;
  const int length = content.GetLength();
  RuleEntry** tail = &m_rules;
  auto append = [&](int number, int textStart, int textEnd) {
    auto* rule = new RuleEntry;
    rule->number = number;
    rule->text = CString(bytes + textStart, textEnd - textStart);
    *tail = rule;
    tail = &rule->next;
  };
  int lineStart = 0;
  int textStart = 0;
  int number = 0;
  bool inText = false;
  for (int pos = 0; pos < length; ++pos) {
    if (!inText) {
      if (bytes[pos] != ':') continue;
      number = SettingNumber(CString(bytes + lineStart, pos - lineStart));
      textStart = pos + 1;
      inText = true;
    } else if (bytes[pos] == '\r') {
      // A lone CR as the last byte still ends a complete rule.
      append(number, textStart, pos);
      inText = false;
      ++pos;  // the LF behind the CR
      lineStart = pos + 1;
    }
  }
  if (inText) append(number, textStart, length);
  CErrorTrace::Remove(node);
}

BOOL CWV4Logic::FindRule(int number, CString& text) const {
  for (const RuleEntry* rule = m_rules; rule != nullptr; rule = rule->next) {
    if (rule->number == number) {
      text = rule->text;
      return TRUE;
    }
  }
  return FALSE;
}

void CWV4Logic::Dump(CDynBuf& out) const {
  for (const RuleEntry* rule = m_rules; rule != nullptr; rule = rule->next) {
    CString line;
    line.Format("\t%05d:%s\r\n", rule->number, static_cast<const char*>(rule->text));
    out += line;
  }
}
