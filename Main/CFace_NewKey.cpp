// The key layout interpreter: reads the rendered key from its start up to its
// first frame definition and declares what the face will hold.
#include <algorithm>
#include <iterator>
#include <memory>
#include <string_view>

#include "Main/CErrorTrace.h"
#include "Main/CFace.h"
#include "Main/CFrameBuf.h"
#include "Main/CWV4Db.h"
#include "Main/CWV4Globals.h"
#include "Main/CWV4Var.h"
#include "Main/TagOperands.h"
#include "Main/varno4.h"

namespace {

constexpr int ERR_KEY_EMPTY = 207;
constexpr int ERR_NO_TAG = 208;
constexpr int ERR_NO_TEXT = 209;
constexpr int ERR_OPERAND_BEYOND_END = 210;
constexpr int ERR_HANDLER = 211;
constexpr int ERR_NO_EXPRESSION = 223;

enum LayoutTag : unsigned char {
  FRAME = 21,
  BAR_WIDTH = 24,
  SHARED_BORDER = 25,
  COLUMNS = 26,
  ROWS = 27,
  NOTES_ALLOWED = 60,
  FRAMESET_END = 71,
  DEFINITIONS_START = 72,
  ENABLE_COMMANDS = 82,
  DISABLE_COMMANDS = 84,
  WINDOW_SIZE = 115,
  PRINT_ENTRY = 118,
  PRINT_SECOND = 119,
  PRINT_THIRD = 120,
  WINDOW_SIZE_END = 128,
  SYMBOL = 130,
  SYMBOL_MARGINS_1 = 136,
  SYMBOL_MARGINS_2 = 137,
  FACE_NAME = 140,
  FIXED_BARS = 155,
  LEFT_NEIGHBOUR = 156,
  RIGHT_NEIGHBOUR = 158,
};

// The operand of a block statement: its nested code without the end
// statement. A block that leaves its end statement to the next reader puts
// pos back onto it.
BOOL ReadBlockCode(const CDynBuf& buf, int& pos, const ScreenBlock& block, CDynBuf& code) {
  if (!CFrameBuf::ReadBlock(buf, pos, block.endTag, code)) return FALSE;
  code.CutRight(2);
  if (!block.keepEnd) pos -= 2;
  return TRUE;
}

BOOL EvaluateText(const CDynBuf& code, CString& text) {
  CWV4Db* interpreter = theGlobals.m_pinterp;
  return interpreter != nullptr && interpreter->EvalString(code, text, FALSE, FALSE, nullptr);
}

int CountSizeListEntries(const CString& list) {
  std::string_view rest(list, static_cast<size_t>(list.GetLength()));
  int value = -1;
  BOOL percent = FALSE;
  int count = 0;
  while (TakeSizeListEntry(rest, value, percent)) ++count;
  return count;
}

void EnableCommands(const CString& list, BOOL enable) {
  CViewerApp* app = theGlobals.m_papp;
  if (app == nullptr) return;
  std::string_view rest(list, static_cast<size_t>(list.GetLength()));
  while (!rest.empty()) {
    const size_t comma = rest.find(',');
    int command = 0;
    if (ScanDecimal(rest.substr(0, comma), command)) app->EnableCommand(command, enable);
    rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
  }
}

}  // namespace

BOOL CFace::NewKey() {
  CErrorTrace* node = ERROR_TRACE_PUSH();
  auto fail = [&](int line, int code, const char* detail, int value) {
    node->Fail(line, SEVERITY_ERROR, code, detail, value);
    FreeUserFile();
    return FALSE;
  };
  const CDynBuf& buf = theGlobals.m_act_key_buf;
  if (buf.GetLength() == 0) return fail(__LINE__, ERR_KEY_EMPTY, "", 0);

  int pos = 0;
  for (;;) {
    unsigned char tag = 0;
    if (!CFrameBuf::ReadTag(buf, pos, tag)) return fail(__LINE__, ERR_NO_TAG, "", pos);
    if (tag == DEFINITIONS_START) break;

    CString text;
    const unsigned char* operand = nullptr;
    ScreenBlock block{};
    if (IsScreenBlockTag(tag, block)) {
      CDynBuf code;
      const bool expression = tag == PRINT_SECOND || tag == PRINT_THIRD;
      if (!ReadBlockCode(buf, pos, block, code) || (expression && !EvaluateText(code, text))) {
        CString detail;
        detail.Format("Tag 0x%02X", tag);
        return fail(__LINE__, ERR_NO_EXPRESSION, detail, 0);
      }
    } else if (IsScreenTextTag(tag)) {
      if (!CFrameBuf::ReadString(buf, pos, text)) return fail(__LINE__, ERR_NO_TEXT, "", tag);
    } else {
      const int length = ScreenOperandLength(tag);
      if (pos + length > buf.GetLength()) {
        CString detail;
        detail.Format("Tag 0x%.2X NoBytes %ld GetLen %ld", tag, static_cast<long>(length),
                      static_cast<long>(buf.GetLength()));
        return fail(__LINE__, ERR_OPERAND_BEYOND_END, detail, 0);
      }
      operand = buf.GetData() + pos;
      pos += length;
    }
    if (!RunHandler(tag, text, operand)) return fail(__LINE__, ERR_HANDLER, "", tag);
  }
  CErrorTrace::Remove(node);
  FreeUserFile();
  return TRUE;
}

BOOL CFace::RunHandler(unsigned char tag, const CString& text, const unsigned char* operand) {
  CWV4Globals& g = theGlobals;
  switch (tag) {
    case FRAME: return AddFrame(text);
    case BAR_WIDTH: return SetBarWidth(operand[0]);
    case SHARED_BORDER: return SetSharedBorder(operand[0]);
    case COLUMNS:
    case ROWS: {
      // The sizes the user dragged replace the key's own, as long as they
      // are for as many panes: a file kept from an older layout of the face
      // must not change what the panes hold.
      CString list = text;
      CString userList;
      if (ReadUserSizes(tag, userList) && CountSizeListEntries(userList) == CountSizeListEntries(text)) list = userList;
      return BuildFrameSet(list, tag == ROWS ? FRAMESET_ROWS : FRAMESET_COLUMNS);
    }
    case NOTES_ALLOWED: g.m_notiz_allowed = TRUE; return TRUE;
    case FRAMESET_END: return EndFrameSet();
    case ENABLE_COMMANDS: EnableCommands(text, TRUE); return TRUE;
    case DISABLE_COMMANDS: EnableCommands(text, FALSE); return TRUE;
    case WINDOW_SIZE: return SetWindowSize(text);
    case PRINT_ENTRY:
      m_print_entries.resize(static_cast<size_t>(m_print_count) + 1);
      m_print_entries.back() = CPrintEntry();
      m_print_entries.back().m_first = text;
      return TRUE;
    case PRINT_SECOND: return SetPrintEntryText(2, text);
    case PRINT_THIRD: return SetPrintEntryText(3, text);
    case SYMBOL: {
      auto symbol = std::make_unique<CSymbolBitmaps>();
      symbol->ReadEntry(text);
      std::copy(std::begin(m_symbol_margins), std::end(m_symbol_margins), symbol->m_margins);
      m_symbols.push_back(std::move(symbol));
      return TRUE;
    }
    case SYMBOL_MARGINS_1:
      m_symbol_margins[0] = operand[0];
      m_symbol_margins[2] = operand[1];
      return TRUE;
    case SYMBOL_MARGINS_2:
      m_symbol_margins[1] = operand[0];
      m_symbol_margins[3] = operand[1];
      return TRUE;
    case FACE_NAME:
      m_face_name = text;
      LoadUserFile();
      return TRUE;
    case FIXED_BARS: return SetFixedBars(text);
    case LEFT_NEIGHBOUR: return SetNeighbour(g.m_leftneighbour, "LEFTNEIGHBOUR", text);
    case RIGHT_NEIGHBOUR: return SetNeighbour(g.m_rightneighbour, "RIGHTNEIGHBOUR", text);
    case WINDOW_SIZE_END:
    default: return TRUE;
  }
}

// Tags 119 and 120 fill the entry that the last tag 118 opened; without one
// there is no entry to fill, and the statement is refused.
BOOL CFace::SetPrintEntryText(int which, const CString& text) {
  if (static_cast<int>(m_print_entries.size()) != m_print_count + 1) return FALSE;
  CPrintEntry& entry = m_print_entries.back();
  if (which == 2) {
    entry.m_second = text;
  } else {
    entry.m_third = text;
    ++m_print_count;
  }
  return TRUE;
}

BOOL CFace::SetNeighbour(CString& key, const char* variable, const CString& text) {
  key = text;
  if (theGlobals.m_pvar != nullptr) theGlobals.m_pvar->SetVar(variable, VarValue::Text(text), VAR_CHAR);
  return TRUE;
}
