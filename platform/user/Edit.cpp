// The "Edit" class: single-line and multi-line text fields with a selection,
// a length limit, read-only and password fields, the clipboard and one step
// of undo. Multi-line fields break lines where the text has CR LF and, unless
// they scroll sideways, where a line reaches the right edge.
#include <algorithm>
#include <cstring>
#include <vector>

#include "user/ControlSupport.h"
#include "win32/Clipboard.h"
#include "win32/Codepage.h"
#include "win32/GdiTypes.h"
#include "win32/Memory.h"
#include "win32/MessageBox.h"

namespace layer::controls {
namespace {

constexpr int kMargin = 2;
constexpr std::size_t kDefaultLimit = 30000;
constexpr std::size_t kLargestLimit = 0x7FFFFFFE;

struct EditState {
  std::string text;
  std::size_t anchor = 0;
  std::size_t caret = 0;
  std::size_t limit = kDefaultLimit;
  bool modified = false;
  bool focused = false;
  bool tracking = false;
  char password = 0;
  int scrollX = 0;      // pixels the text is scrolled to the left
  int firstLine = 0;    // multi-line: the top line shown
  HFONT font = nullptr;
  std::string undoText;
  std::size_t undoCaret = 0;
  bool canUndo = false;
  bool scrollBar = false;  // made with WS_VSCROLL (the style bit goes while the bar is hidden)
};

struct Line {
  std::size_t start;
  std::size_t length;
};

bool Multi(HWND window) { return (StyleOf(window) & ES_MULTILINE) != 0; }
bool ReadOnly(HWND window) { return (StyleOf(window) & ES_READONLY) != 0; }

std::vector<Line> HardLines(const std::string& text, bool multi) {
  std::vector<Line> lines;
  if (!multi) return {Line{0, text.size()}};
  std::size_t start = 0;
  for (;;) {
    std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(Line{start, text.size() - start});
      return lines;
    }
    lines.push_back(Line{start, end - start});
    start = end + 2;
  }
}

int LineIndexOf(const std::vector<Line>& lines, std::size_t position) {
  for (std::size_t i = lines.size(); i-- > 0;)
    if (lines[i].start <= position) return static_cast<int>(i);
  return 0;
}

std::string Shown(const EditState& state, const std::string& part) {
  return state.password ? std::string(part.size(), state.password) : part;
}

int WidthTo(const EditState& state, const Line& line, std::size_t position) {
  return TextWidth(state.font, Shown(state, state.text.substr(line.start, position - line.start)));
}

RECT TextArea(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  InflateRect(&client, -kMargin, Multi(window) ? -1 : 0);
  return client;
}

// A paragraph's lines at a width: a line ends after the blanks that follow
// its last whole word, and a word wider than the width is cut where it
// reaches the edge.
void WrapParagraph(const EditState& state, std::size_t start, std::size_t end, int width, std::vector<Line>& lines) {
  const std::string& text = state.text;
  auto widthOf = [&](std::size_t from, std::size_t to) { return TextWidth(state.font, Shown(state, text.substr(from, to - from))); };
  std::size_t lineStart = start;
  for (;;) {
    std::size_t fits = lineStart, at = lineStart;
    bool whole = true;
    while (at < end) {
      std::size_t wordEnd = std::min(end, text.find(' ', at));
      if (wordEnd > at && widthOf(lineStart, wordEnd) > width) {
        whole = false;
        break;
      }
      at = wordEnd;
      while (at < end && text[at] == ' ') ++at;
      fits = at;
    }
    if (whole) {
      lines.push_back(Line{lineStart, end - lineStart});
      return;
    }
    if (fits == lineStart) {
      fits = lineStart + 1;
      while (fits < end && widthOf(lineStart, fits + 1) <= width) ++fits;
    }
    lines.push_back(Line{lineStart, fits - lineStart});
    lineStart = fits;
  }
}

// The lines a field shows. A multi-line field that does not scroll sideways
// (no ES_AUTOHSCROLL, no horizontal bar) wraps its text at the width of its
// text area.
std::vector<Line> LinesOf(HWND window, const EditState& state) {
  DWORD style = StyleOf(window);
  bool multi = (style & ES_MULTILINE) != 0;
  std::vector<Line> hard = HardLines(state.text, multi);
  RECT area = TextArea(window);
  int width = area.right - area.left;
  if (!multi || (style & (ES_AUTOHSCROLL | WS_HSCROLL)) || width <= 0) return hard;
  std::vector<Line> lines;
  for (const Line& line : hard) WrapParagraph(state, line.start, line.start + line.length, width, lines);
  return lines;
}

int VisibleLines(HWND window, const EditState& state) {
  RECT area = TextArea(window);
  return std::max(1, static_cast<int>(area.bottom - area.top) / std::max(1, LineHeight(state.font)));
}

int LineTop(HWND window, const EditState& state) {
  RECT area = TextArea(window);
  if (Multi(window)) return area.top;
  return area.top + (area.bottom - area.top - LineHeight(state.font)) / 2;
}

void UpdateScrollBar(HWND window, const EditState& state) {
  if (!Multi(window) || !state.scrollBar) return;
  auto lines = LinesOf(window, state);
  SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, static_cast<int>(lines.size()) - 1,
                  static_cast<UINT>(VisibleLines(window, state)), state.firstLine, 0};
  SetScrollInfo(window, SB_VERT, &info, TRUE);
}

void ShowCaret(HWND window, EditState& state) {
  auto lines = LinesOf(window, state);
  int index = LineIndexOf(lines, state.caret);
  RECT area = TextArea(window);
  int width = area.right - area.left;
  int x = WidthTo(state, lines[static_cast<std::size_t>(index)], state.caret);
  if (x - state.scrollX > width - 1) state.scrollX = x - width + width / 4;
  if (x < state.scrollX) state.scrollX = std::max(0, x - width / 4);
  if (Multi(window)) {
    int visible = VisibleLines(window, state);
    if (index < state.firstLine) state.firstLine = index;
    if (index >= state.firstLine + visible) state.firstLine = index - visible + 1;
  }
  UpdateScrollBar(window, state);
  InvalidateRect(window, nullptr, TRUE);
}

void Select(HWND window, EditState& state, std::size_t anchor, std::size_t caret) {
  state.anchor = std::min(anchor, state.text.size());
  state.caret = std::min(caret, state.text.size());
  ShowCaret(window, state);
}

void Changed(HWND window, EditState& state) {
  state.modified = true;
  ShowCaret(window, state);
  Notify(window, EN_UPDATE);
  Notify(window, EN_CHANGE);
}

// Puts text in place of the selection; false (and EN_MAXTEXT) when the limit leaves no room.
bool ReplaceSelection(HWND window, EditState& state, std::string text, bool notify = true) {
  std::size_t from = std::min(state.anchor, state.caret), to = std::max(state.anchor, state.caret);
  if (!Multi(window)) text = text.substr(0, text.find_first_of("\r\n"));
  std::size_t room = state.limit - std::min(state.limit, state.text.size() - (to - from));
  if (text.size() > room) {
    Notify(window, EN_MAXTEXT);
    if (room == 0) return false;
    text.resize(room);
  }
  state.undoText = state.text;
  state.undoCaret = state.caret;
  state.canUndo = true;
  state.text.replace(from, to - from, text);
  state.anchor = state.caret = from + text.size();
  if (notify) Changed(window, state);
  else ShowCaret(window, state);
  return true;
}

std::string SelectedText(const EditState& state) {
  std::size_t from = std::min(state.anchor, state.caret), to = std::max(state.anchor, state.caret);
  return state.text.substr(from, to - from);
}

void CopyToClipboard(HWND window, const EditState& state) {
  std::string text = SelectedText(state);
  if (text.empty() || state.password) return;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!block) return;
  std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
  GlobalUnlock(block);
  if (OpenClipboard(window)) {
    EmptyClipboard();
    if (!SetClipboardData(CF_TEXT, block)) GlobalFree(block);
    CloseClipboard();
  } else {
    GlobalFree(block);
  }
}

void PasteFromClipboard(HWND window, EditState& state) {
  if (!OpenClipboard(window)) return;
  HANDLE data = GetClipboardData(CF_TEXT);
  std::string text;
  if (data) {
    const char* bytes = static_cast<const char*>(GlobalLock(data));
    if (bytes) text.assign(bytes, strnlen(bytes, GlobalSize(data)));
    GlobalUnlock(data);
  }
  CloseClipboard();
  if (!text.empty()) ReplaceSelection(window, state, text);
}

std::size_t PositionAt(HWND window, const EditState& state, POINT point) {
  auto lines = LinesOf(window, state);
  int line = Multi(window) ? state.firstLine + (point.y - LineTop(window, state)) / std::max(1, LineHeight(state.font)) : 0;
  line = std::clamp(line, 0, static_cast<int>(lines.size()) - 1);
  const Line& at = lines[static_cast<std::size_t>(line)];
  int x = point.x - TextArea(window).left + state.scrollX;
  for (std::size_t i = 0; i < at.length; ++i) {
    int left = WidthTo(state, at, at.start + i), right = WidthTo(state, at, at.start + i + 1);
    if (x < (left + right) / 2) return at.start + i;
  }
  return at.start + at.length;
}

// The caret moved by a key, with Shift extending the selection.
void MoveCaret(HWND window, EditState& state, std::size_t to) {
  bool extend = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
  Select(window, state, extend ? state.anchor : to, to);
}

void KeyDown(HWND window, EditState& state, WPARAM key) {
  auto lines = LinesOf(window, state);
  int index = LineIndexOf(lines, state.caret);
  const Line& line = lines[static_cast<std::size_t>(index)];
  std::size_t caret = state.caret;
  auto lineColumn = [&](int target) {
    const Line& other = lines[static_cast<std::size_t>(target)];
    return other.start + std::min(caret - line.start, other.length);
  };
  switch (key) {
    case VK_LEFT:
      if (caret > 0) MoveCaret(window, state, caret >= 2 && state.text.compare(caret - 2, 2, "\r\n") == 0 ? caret - 2 : caret - 1);
      else MoveCaret(window, state, 0);
      break;
    case VK_RIGHT:
      if (caret < state.text.size()) MoveCaret(window, state, state.text.compare(caret, 2, "\r\n") == 0 ? caret + 2 : caret + 1);
      else MoveCaret(window, state, caret);
      break;
    case VK_HOME: MoveCaret(window, state, (GetKeyState(VK_CONTROL) & 0x8000) ? 0 : line.start); break;
    case VK_END:
      MoveCaret(window, state, (GetKeyState(VK_CONTROL) & 0x8000) ? state.text.size() : line.start + line.length);
      break;
    case VK_UP:
      if (Multi(window) && index > 0) MoveCaret(window, state, lineColumn(index - 1));
      break;
    case VK_DOWN:
      if (Multi(window) && index + 1 < static_cast<int>(lines.size())) MoveCaret(window, state, lineColumn(index + 1));
      break;
    case VK_DELETE:
      if (ReadOnly(window)) break;
      if ((GetKeyState(VK_SHIFT) & 0x8000)) {
        SendMessage(window, WM_CUT, 0, 0);
      } else {
        if (state.anchor == state.caret && caret < state.text.size())
          state.caret = state.text.compare(caret, 2, "\r\n") == 0 ? caret + 2 : caret + 1;
        if (state.anchor != state.caret) ReplaceSelection(window, state, "");
      }
      break;
    case VK_INSERT:
      if (GetKeyState(VK_CONTROL) & 0x8000) SendMessage(window, WM_COPY, 0, 0);
      else if (GetKeyState(VK_SHIFT) & 0x8000) SendMessage(window, WM_PASTE, 0, 0);
      break;
    default: break;
  }
}

void Character(HWND window, EditState& state, char c) {
  DWORD style = StyleOf(window);
  switch (static_cast<unsigned char>(c)) {
    case 1: Select(window, state, 0, state.text.size()); return;  // Ctrl+A
    case 3: SendMessage(window, WM_COPY, 0, 0); return;
    case 22: SendMessage(window, WM_PASTE, 0, 0); return;
    case 24: SendMessage(window, WM_CUT, 0, 0); return;
    case 26: SendMessage(window, WM_UNDO, 0, 0); return;
    default: break;
  }
  if (style & ES_READONLY) return;
  if (c == '\b') {
    if (state.anchor == state.caret && state.caret > 0)
      state.anchor = state.caret >= 2 && state.text.compare(state.caret - 2, 2, "\r\n") == 0 ? state.caret - 2 : state.caret - 1;
    if (state.anchor != state.caret) ReplaceSelection(window, state, "");
    return;
  }
  if (c == '\r') {
    if ((style & ES_MULTILINE) && (style & ES_WANTRETURN)) ReplaceSelection(window, state, "\r\n");
    return;
  }
  if (c == '\t' && !(style & ES_MULTILINE)) return;
  if (static_cast<unsigned char>(c) < 0x20 && c != '\t') return;
  if ((style & ES_NUMBER) && (c < '0' || c > '9')) {
    MessageBeep(0);
    return;
  }
  if (style & ES_UPPERCASE) c = static_cast<char>(Cp1252ToUpper(static_cast<unsigned char>(c)));
  if (style & ES_LOWERCASE) c = static_cast<char>(Cp1252ToLower(static_cast<unsigned char>(c)));
  ReplaceSelection(window, state, std::string(1, c));
}

void Paint(HWND window, EditState& state) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  bool plain = ReadOnly(window) || !IsWindowEnabled(window);
  HBRUSH brush = ParentBrush(window, dc, plain ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT);
  FillRect(dc, &client, brush);
  HGDIOBJ oldFont = SelectObject(dc, ControlFont(state.font));
  if (!IsWindowEnabled(window)) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  COLORREF textColour = GetTextColor(dc);
  SetBkMode(dc, TRANSPARENT);
  RECT area = TextArea(window);
  IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  auto lines = LinesOf(window, state);
  int height = LineHeight(state.font);
  std::size_t from = std::min(state.anchor, state.caret), to = std::max(state.anchor, state.caret);
  bool showSelection = state.focused || (StyleOf(window) & ES_NOHIDESEL);
  int y = LineTop(window, state);
  for (int i = Multi(window) ? state.firstLine : 0; i < static_cast<int>(lines.size()) && y < area.bottom; ++i, y += height) {
    const Line& line = lines[static_cast<std::size_t>(i)];
    int x = area.left - state.scrollX;
    std::string shown = Shown(state, state.text.substr(line.start, line.length));
    TextOut(dc, x, y, shown.c_str(), static_cast<int>(shown.size()));
    std::size_t selFrom = std::max(from, line.start), selTo = std::min(to, line.start + line.length);
    if (showSelection && selFrom < selTo) {
      int left = x + WidthTo(state, line, selFrom), right = x + WidthTo(state, line, selTo);
      RECT mark{left, y, right, y + height};
      FillRect(dc, &mark, GetSysColorBrush(COLOR_HIGHLIGHT));
      SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
      std::string part = Shown(state, state.text.substr(selFrom, selTo - selFrom));
      TextOut(dc, left, y, part.c_str(), static_cast<int>(part.size()));
      SetTextColor(dc, textColour);
    }
    if (state.focused && state.caret >= line.start && state.caret <= line.start + line.length) {
      int caretX = x + WidthTo(state, line, state.caret);
      RECT caret{caretX, y, caretX + 1, y + height};
      FillRect(dc, &caret, GetSysColorBrush(COLOR_WINDOWTEXT));
    }
  }
  SelectObject(dc, oldFont);
  EndPaint(window, &paint);
  PaintBorder(window);
}

void Scroll(HWND window, EditState& state, WPARAM code) {
  int lines = static_cast<int>(LinesOf(window, state).size()), page = VisibleLines(window, state);
  int first = state.firstLine;
  switch (LOWORD(code)) {
    case SB_LINEUP: --first; break;
    case SB_LINEDOWN: ++first; break;
    case SB_PAGEUP: first -= page; break;
    case SB_PAGEDOWN: first += page; break;
    case SB_TOP: first = 0; break;
    case SB_BOTTOM: first = lines; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: first = static_cast<short>(HIWORD(code)); break;
    default: return;
  }
  state.firstLine = std::clamp(first, 0, std::max(0, lines - page));
  UpdateScrollBar(window, state);
  InvalidateRect(window, nullptr, TRUE);
}

LRESULT LineMessage(HWND window, EditState& state, UINT message, WPARAM wParam, LPARAM lParam) {
  auto lines = LinesOf(window, state);
  int count = static_cast<int>(lines.size());
  auto lineAt = [&](WPARAM index) { return static_cast<int>(index) < 0 ? LineIndexOf(lines, state.caret) : static_cast<int>(index); };
  switch (message) {
    case EM_GETLINECOUNT: return count;
    case EM_LINEINDEX: {
      int index = lineAt(wParam);
      return index < count ? static_cast<LRESULT>(lines[static_cast<std::size_t>(index)].start) : -1;
    }
    case EM_LINEFROMCHAR:
      return LineIndexOf(lines, static_cast<int>(wParam) < 0 ? state.caret : std::min<std::size_t>(wParam, state.text.size()));
    case EM_LINELENGTH: {
      if (static_cast<int>(wParam) < 0) return 0;
      return lines[static_cast<std::size_t>(LineIndexOf(lines, std::min<std::size_t>(wParam, state.text.size())))].length;
    }
    case EM_GETLINE: {
      int index = Multi(window) ? static_cast<int>(wParam) : 0;
      auto* buffer = reinterpret_cast<char*>(lParam);
      if (!buffer || index < 0 || index >= count) return 0;
      WORD size;
      std::memcpy(&size, buffer, sizeof size);  // the caller puts the buffer's size in its first word
      const Line& line = lines[static_cast<std::size_t>(index)];
      std::size_t copied = std::min<std::size_t>(size, line.length);
      std::memcpy(buffer, state.text.data() + line.start, copied);
      return static_cast<LRESULT>(copied);
    }
    case EM_GETFIRSTVISIBLELINE: return Multi(window) ? state.firstLine : 0;
    default: return 0;
  }
}

LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  EditState* state = TrackState<EditState>(window, message);
  if (!state) return DefWindowProc(window, message, wParam, lParam);
  switch (message) {
    case WM_NCCREATE: {
      auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
      if (create && create->lpszName) state->text = create->lpszName;
      if (create && (create->style & ES_PASSWORD)) state->password = '*';
      state->scrollBar = create && (create->style & WS_VSCROLL);
      if (!(create && (create->style & ES_MULTILINE))) state->text = state->text.substr(0, state->text.find_first_of("\r\n"));
      return DefWindowProc(window, message, wParam, lParam);
    }
    case WM_GETDLGCODE: {
      LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
      auto* msg = reinterpret_cast<const MSG*>(lParam);
      if (Multi(window) && (StyleOf(window) & ES_WANTRETURN) && msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN)
        code |= DLGC_WANTMESSAGE;
      return code;
    }
    case WM_SETFONT:
      state->font = reinterpret_cast<HFONT>(wParam);
      if (lParam) InvalidateRect(window, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(state->font);
    case WM_SETTEXT: {
      std::string text = lParam ? reinterpret_cast<const char*>(lParam) : "";
      if (!Multi(window)) text = text.substr(0, text.find_first_of("\r\n"));
      state->text = text;
      state->anchor = state->caret = 0;
      state->scrollX = state->firstLine = 0;
      state->modified = state->canUndo = false;
      DefWindowProc(window, message, wParam, reinterpret_cast<LPARAM>(state->text.c_str()));
      ShowCaret(window, *state);
      // Single-line fields announce the new text, multi-line ones do not (as on the platform).
      if (!Multi(window)) {
        Notify(window, EN_UPDATE);
        Notify(window, EN_CHANGE);
      }
      return TRUE;
    }
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(state->text.size());
    case WM_GETTEXT: {
      auto* text = reinterpret_cast<char*>(lParam);
      if (!text || wParam == 0) return 0;
      std::size_t count = std::min<std::size_t>(state->text.size(), wParam - 1);
      std::memcpy(text, state->text.data(), count);
      text[count] = '\0';
      return static_cast<LRESULT>(count);
    }
    case WM_PAINT: Paint(window, *state); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_ENABLE: InvalidateRect(window, nullptr, TRUE); return 0;
    case WM_SIZE: ShowCaret(window, *state); return 0;
    case WM_SETFOCUS:
      state->focused = true;
      InvalidateRect(window, nullptr, TRUE);
      Notify(window, EN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      state->focused = false;
      InvalidateRect(window, nullptr, TRUE);
      Notify(window, EN_KILLFOCUS);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      SetFocus(window);
      std::size_t at = PositionAt(window, *state, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      Select(window, *state, (wParam & MK_SHIFT) ? state->anchor : at, at);
      SetCapture(window);
      state->tracking = true;
      return 0;
    }
    case WM_MOUSEMOVE:
      if (state->tracking)
        Select(window, *state, state->anchor, PositionAt(window, *state, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
      return 0;
    case WM_LBUTTONUP:
      if (state->tracking) {
        state->tracking = false;
        ReleaseCapture();
      }
      return 0;
    case WM_KEYDOWN: KeyDown(window, *state, wParam); return 0;
    case WM_CHAR: Character(window, *state, static_cast<char>(wParam)); return 0;
    case WM_VSCROLL: Scroll(window, *state, wParam); return 0;
    case WM_COPY: CopyToClipboard(window, *state); return 0;
    case WM_CUT:
      if (ReadOnly(window)) return 0;
      CopyToClipboard(window, *state);
      if (!state->password && state->anchor != state->caret) ReplaceSelection(window, *state, "");
      return 0;
    case WM_PASTE:
      if (!ReadOnly(window)) PasteFromClipboard(window, *state);
      return 0;
    case WM_CLEAR:
      if (!ReadOnly(window) && state->anchor != state->caret) ReplaceSelection(window, *state, "");
      return 0;
    case WM_UNDO:
    case EM_UNDO:
      if (!state->canUndo) return FALSE;
      std::swap(state->text, state->undoText);
      state->anchor = state->caret = std::min(state->undoCaret, state->text.size());
      Changed(window, *state);
      return TRUE;
    case EM_CANUNDO: return state->canUndo;
    case EM_GETSEL: {
      DWORD from = static_cast<DWORD>(std::min(state->anchor, state->caret));
      DWORD to = static_cast<DWORD>(std::max(state->anchor, state->caret));
      if (wParam) *reinterpret_cast<DWORD*>(wParam) = from;
      if (lParam) *reinterpret_cast<DWORD*>(lParam) = to;
      return MAKELRESULT(std::min<DWORD>(from, 0xFFFF), std::min<DWORD>(to, 0xFFFF));
    }
    case EM_SETSEL: {
      long from = static_cast<long>(static_cast<int>(wParam)), to = static_cast<long>(static_cast<int>(lParam));
      if (from < 0) {  // no selection: the caret stays where it is
        Select(window, *state, state->caret, state->caret);
        return 0;
      }
      std::size_t size = state->text.size();
      std::size_t start = std::min<std::size_t>(static_cast<std::size_t>(from), size);
      std::size_t end = to < 0 ? size : std::min<std::size_t>(static_cast<std::size_t>(to), size);
      Select(window, *state, start, end);
      return 0;
    }
    case EM_REPLACESEL:
      ReplaceSelection(window, *state, lParam ? reinterpret_cast<const char*>(lParam) : "");
      if (!wParam) state->canUndo = false;
      return 0;
    case EM_LIMITTEXT:
      state->limit = wParam == 0 ? kLargestLimit : std::min<std::size_t>(wParam, kLargestLimit);
      return 0;
    case EM_GETLIMITTEXT: return static_cast<LRESULT>(state->limit);
    case EM_GETMODIFY: return state->modified;
    case EM_SETMODIFY: state->modified = wParam != 0; return 0;
    case EM_SETREADONLY: {
      DWORD style = StyleOf(window);
      style = wParam ? (style | ES_READONLY) : (style & ~static_cast<DWORD>(ES_READONLY));
      SetWindowLong(window, GWL_STYLE, static_cast<LONG>(style));
      InvalidateRect(window, nullptr, TRUE);
      return TRUE;
    }
    case EM_SETPASSWORDCHAR:
      if (Multi(window)) return 0;
      state->password = static_cast<char>(wParam);
      InvalidateRect(window, nullptr, TRUE);
      return 0;
    case EM_GETPASSWORDCHAR: return static_cast<unsigned char>(state->password);
    case EM_SCROLLCARET: ShowCaret(window, *state); return TRUE;
    case EM_GETRECT: {
      if (auto* rect = reinterpret_cast<RECT*>(lParam)) *rect = TextArea(window);
      return 0;
    }
    case EM_GETLINECOUNT:
    case EM_LINEINDEX:
    case EM_LINEFROMCHAR:
    case EM_LINELENGTH:
    case EM_GETLINE:
    case EM_GETFIRSTVISIBLELINE: return LineMessage(window, *state, message, wParam, lParam);
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace

void RegisterEditClass() { RegisterControlClass(WC_EDIT, EditProc, CS_DBLCLKS | CS_PARENTDC, IDC_IBEAM); }

}  // namespace layer::controls
