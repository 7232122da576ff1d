// A toolbar's button file: two header numbers, then eight comma-separated
// tokens per button. The buttons of the viewer's switches are checked and set
// the program state's switches to their start states.
#include <cstdlib>
#include <set>

#include "Main/CErrorDlg.h"
#include "Main/CErrorTrace.h"
#include "Main/CWV4Db.h"
#include "Main/CWV4Globals.h"
#include "Main/PlainExpression.h"
#include "Main/varno4.h"
#include "foundation/FileBytes.h"

namespace {

// Tokens end at "," or CR, not inside quotes; one LF after the end is skipped.
class TokenReader {
 public:
  explicit TokenReader(const CDynBuf& text) : m_text(text), m_len(text.GetLength()) {}

  bool Next(CString& token) {
    if (m_pos >= m_len) return false;
    const char* bytes = m_text;
    const int start = m_pos;
    bool single = false, dbl = false;
    while (m_pos < m_len) {
      const char c = bytes[m_pos];
      if (c == '\r' || (c == ',' && !single && !dbl)) break;
      if (c == '\'') single = !single;
      else if (c == '"' && !single) dbl = !dbl;
      ++m_pos;
    }
    token = CString(bytes + start, m_pos - start);
    if (m_pos < m_len) ++m_pos;
    if (m_pos < m_len && bytes[m_pos] == '\n') ++m_pos;
    return true;
  }

 private:
  const CDynBuf& m_text;
  int m_len;
  int m_pos = 0;
};

enum class Kind { Check, Plain, Refused };

struct CommandRule {
  int cmdid;
  int onceCode;
  int kindCode;
  Kind kind;
};

constexpr CommandRule kCommandRules[] = {
    {300, 381, 382, Kind::Check},  {301, 383, 384, Kind::Check},  {302, 385, 386, Kind::Plain},
    {303, 387, 388, Kind::Plain},  {304, 389, 390, Kind::Plain},  {305, 391, 392, Kind::Plain},
    {315, 393, 394, Kind::Plain},  {306, 395, 396, Kind::Check},  {307, 397, 398, Kind::Check},
    {308, 401, 402, Kind::Check},  {309, 403, 404, Kind::Check},  {311, 405, 406, Kind::Plain},
    {312, 407, 408, Kind::Plain},  {319, 409, 410, Kind::Plain},  {325, 531, 532, Kind::Plain},
    {313, 411, 0, Kind::Refused},  {314, 412, 0, Kind::Refused},
};

constexpr int kSecondImageMissing = 529;

const CommandRule* FindRule(int cmdid) {
  for (const CommandRule& rule : kCommandRules) {
    if (rule.cmdid == cmdid) return &rule;
  }
  return nullptr;
}

void MakeSeparator(ToolbarButtonDef& entry) {
  entry.separator = TRUE;
  entry.cmdid = 0;
}

// Builds the list from the tokens; rule violations are logged and repaired.
class ButtonFileReader {
 public:
  ButtonFileReader(const char* path, ToolbarButtonList& list) : m_path(path), m_list(list) {}

  void Read(const CDynBuf& text) {
    m_list.RemoveAll();
    m_tail = &m_list.first;
    TokenReader tokens(text);
    CString token;
    if (tokens.Next(token)) m_list.header1 = std::atoi(token);
    if (tokens.Next(token)) m_list.header2 = std::atoi(token);
    m_entry = new ToolbarButtonDef;
    int index = 0;
    while (tokens.Next(token)) {
      Take(index, token);
      index = (index + 1) % 8;
    }
    delete m_entry;
    // A separator does not end the list.
    if (m_last != nullptr && m_last->separator) {
      ToolbarButtonDef** link = &m_list.first;
      while (*link != m_last) link = &(*link)->next;
      *link = nullptr;
      delete m_last;
      --m_count;
    }
    m_list.count = m_count;
  }

 private:
  void Link() {
    *m_tail = m_entry;
    m_tail = &m_entry->next;
    m_last = m_entry;
    ++m_count;
    m_entry = new ToolbarButtonDef;
  }

  void Report(int code) {
    CErrorTrace* node = ERROR_TRACE_PUSH();
    ERROR_TRACE_FAIL(node, SEVERITY_LOG, code, m_path, 0);
    CErrorDlg::ReportAndRemove(node);
  }

  void Take(int index, const CString& token) {
    ToolbarButtonDef& e = *m_entry;
    switch (index) {
      case 0:
        if (m_separator_due) {
          MakeSeparator(e);
          Link();
          m_separator_due = false;
        }
        m_entry->flags = std::atoi(token);
        break;
      case 1: e.down = std::atoi(token) == 1; break;
      case 2:
        if (m_group == 0) {
          const int n = std::atoi(token);
          m_group = n >= 1 || n < 0 ? n : 0;
        }
        break;
      case 3: Command(std::atoi(token)); break;
      case 4:
        if (!EvalPlainText(token, e.image)) MakeSeparator(e);
        break;
      case 5:
        if ((e.flags & kButtonFlagSecondImage) != 0 && !EvalPlainText(token, e.image2)) MakeSeparator(e);
        break;
      case 6: e.text_is_number = std::atoi(token) == 1; break;
      default:
        if (e.text_is_number) {
          e.text_number = std::atoi(token);
        } else if (!EvalPlainText(token, e.text)) {
          e.text.Empty();
        }
        if ((e.flags & kButtonFlagCheck) == 0) e.down = FALSE;
        e.toolbar_index = -1;
        e.toolbar_image = -1;
        Link();
        if (m_group > 0 && --m_group == 0) m_separator_due = true;
        break;
    }
  }

  void Command(int cmdid) {
    ToolbarButtonDef& e = *m_entry;
    e.cmdid = cmdid;
    const CommandRule* rule = FindRule(cmdid);
    if (rule == nullptr) return;
    if (rule->kind == Kind::Refused || !m_seen.insert(cmdid).second) {
      Report(rule->onceCode);
      MakeSeparator(e);
      return;
    }
    const bool check = (e.flags & kButtonFlagCheck) != 0;
    if (rule->kind == Kind::Check && !check) {
      Report(rule->kindCode);
      e.flags |= kButtonFlagCheck;
      e.down = FALSE;
    } else if (rule->kind == Kind::Plain && check) {
      Report(rule->kindCode);
      e.flags &= ~kButtonFlagCheck;
    }
    if (cmdid == 319 && (e.flags & kButtonFlagSecondImage) == 0) {
      Report(kSecondImageMissing);
      e.flags |= kButtonFlagSecondImage;
    }
    ApplySwitch(cmdid);
  }

  // The switches of the program state take the start state of their button.
  void ApplySwitch(int cmdid) {
    CWV4Globals& g = theGlobals;
    ToolbarButtonDef& e = *m_entry;
    switch (cmdid) {
      case 300:
        if (g.m_raster_text) e.down = TRUE;
        g.m_raster_on = e.down;
        break;
      case 301:
        if (!g.m_raster_on) e.enabled = FALSE;
        g.m_raster_text = e.down;
        break;
      case 306: g.m_prot_visible = e.down; break;
      case 307:
        e.down = FALSE;
        g.m_protmodus = 0;
        break;
      case 308:
        if (g.m_hs_connect_use_timer) e.down = TRUE;
        g.m_hs_connect_onoff = e.down;
        break;
      case 309:
        if (!g.m_hs_connect_onoff) e.enabled = FALSE;
        g.m_hs_connect_use_timer = e.down;
        break;
      default: break;
    }
  }

  CString m_path;
  ToolbarButtonList& m_list;
  ToolbarButtonDef** m_tail = nullptr;
  ToolbarButtonDef* m_entry = nullptr;
  ToolbarButtonDef* m_last = nullptr;
  int m_count = 0;
  int m_group = 0;  // buttons left in the open group; negative never closes
  bool m_separator_due = false;
  std::set<int> m_seen;
};

}  // namespace

int CViewerApp::LoadButtonFile(const char* path, ToolbarButtonList& list) {
  CErrorTrace* node = ERROR_TRACE_PUSH();
  CDynBuf text;
  const FileRead read = ReadFileBytes(path, text);
  if (read != FileRead::Done) {
    ERROR_TRACE_FAIL(node, SEVERITY_ERROR, read == FileRead::Short ? 378 : 377, path, 0);
    return 0;
  }
  ButtonFileReader(path, list).Read(text);
  CErrorTrace::Remove(node);
  return 1;
}
