// The message box dialog: made in memory, laid out from its text, run by the
// dialog manager's modal loop.
#include "user/MessageBoxWindow.h"

#include <algorithm>
#include <string>
#include <vector>

#include "user/DialogInternal.h"
#include "user/Dialogs.h"
#include "win32/Gdi.h"
#include "win32/Icons.h"
#include "win32/UserMessages.h"
#include "win32/UserWindow.h"
#include "win32/UserWindows.h"

namespace layer {
namespace {

struct Button {
  int id;
  const char* text;
};

std::vector<Button> ButtonsOf(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{IDOK, "OK"}, {IDCANCEL, "Abbrechen"}};
    case MB_ABORTRETRYIGNORE: return {{IDABORT, "&Abbrechen"}, {IDRETRY, "&Wiederholen"}, {IDIGNORE, "&Ignorieren"}};
    case MB_YESNOCANCEL: return {{IDYES, "&Ja"}, {IDNO, "&Nein"}, {IDCANCEL, "Abbrechen"}};
    case MB_YESNO: return {{IDYES, "&Ja"}, {IDNO, "&Nein"}};
    case MB_RETRYCANCEL: return {{IDRETRY, "&Wiederholen"}, {IDCANCEL, "Abbrechen"}};
    default: return {{IDOK, "OK"}};
  }
}

LPCSTR IconOf(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONHAND: return IDI_HAND;
    case MB_ICONQUESTION: return IDI_QUESTION;
    case MB_ICONEXCLAMATION: return IDI_EXCLAMATION;
    case MB_ICONASTERISK: return IDI_ASTERISK;
    default: return nullptr;
  }
}

struct BoxRequest {
  const char* text;
  const char* caption;
  UINT type;
};

constexpr int kIconId = 20;
constexpr int kTextId = 0xFFFF;
constexpr int kMargin = 11;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr int kWidestText = 420;

// The text's size: as wide as its widest line, wrapped at the widest a box grows.
SIZE TextSize(HWND box, const std::string& text) {
  HDC dc = GetDC(box);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessage(box, WM_GETFONT, 0, 0)));
  int widest = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    SIZE size{};
    GetTextExtentPoint32(dc, line.c_str(), static_cast<int>(line.size()), &size);
    widest = std::max(widest, static_cast<int>(size.cx));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  RECT area{0, 0, std::min(widest + 1, kWidestText), 0};
  DrawText(dc, text.c_str(), -1, &area, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  SelectObject(dc, old);
  ReleaseDC(box, dc);
  return SIZE{std::min(widest + 1, kWidestText), area.bottom - area.top};
}

HWND MakeChild(HWND box, const char* className, const char* text, DWORD style, RECT rect, int id) {
  HWND child = CreateWindowEx(0, className, text, style | WS_CHILD | WS_VISIBLE, rect.left, rect.top, rect.right - rect.left,
                              rect.bottom - rect.top, box, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  SendMessage(child, WM_SETFONT, SendMessage(box, WM_GETFONT, 0, 0), FALSE);
  return child;
}

void Layout(HWND box, const BoxRequest& request) {
  LPCSTR iconName = IconOf(request.type);
  int iconSize = GetSystemMetrics(SM_CXICON);
  int textLeft = kMargin + (iconName ? iconSize + kMargin : 0);
  SIZE text = TextSize(box, request.text);
  int textTop = kMargin + (iconName && text.cy < iconSize ? (iconSize - text.cy) / 2 : 0);
  if (iconName) {
    HWND icon = MakeChild(box, WC_STATIC, "", SS_ICON, RECT{kMargin, kMargin, kMargin + iconSize, kMargin + iconSize}, kIconId);
    SendMessage(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIcon(nullptr, iconName)), 0);
  }
  MakeChild(box, WC_STATIC, request.text, SS_LEFT | SS_NOPREFIX, RECT{textLeft, textTop, textLeft + text.cx + 2, textTop + text.cy},
            kTextId);
  std::vector<Button> buttons = ButtonsOf(request.type);
  int count = static_cast<int>(buttons.size());
  int buttonsWidth = count * kButtonWidth + (count - 1) * kButtonGap;
  int width = std::max(textLeft + static_cast<int>(text.cx) + kMargin, buttonsWidth + 2 * kMargin);
  int buttonTop = std::max(textTop + static_cast<int>(text.cy), iconName ? kMargin + iconSize : 0) + kMargin + 4;
  int left = (width - buttonsWidth) / 2;
  int defaultIndex = std::min(static_cast<int>((request.type & MB_DEFMASK) >> 8), count - 1);
  for (int i = 0; i < count; ++i) {
    RECT rect{left, buttonTop, left + kButtonWidth, buttonTop + kButtonHeight};
    MakeChild(box, WC_BUTTON, buttons[static_cast<std::size_t>(i)].text,
              WS_TABSTOP | (i == 0 ? WS_GROUP : 0) | (i == defaultIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), rect,
              buttons[static_cast<std::size_t>(i)].id);
    left += kButtonWidth + kButtonGap;
  }
  SendMessage(box, DM_SETDEFID, static_cast<WPARAM>(buttons[static_cast<std::size_t>(defaultIndex)].id), 0);
  // The client area takes the size of its content; the box stands centred on its owner.
  RECT window, client;
  GetWindowRect(box, &window);
  GetClientRect(box, &client);
  int frameX = (window.right - window.left) - client.right, frameY = (window.bottom - window.top) - client.bottom;
  int boxWidth = width + frameX, boxHeight = buttonTop + kButtonHeight + kMargin + frameY;
  RECT around{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  HWND owner = GetParent(box);
  if (owner && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &around);
  int x = std::max(0, static_cast<int>(around.left + (around.right - around.left - boxWidth) / 2));
  int y = std::max(0, static_cast<int>(around.top + (around.bottom - around.top - boxHeight) / 2));
  SetWindowPos(box, nullptr, x, y, boxWidth, boxHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  HWND first = GetDlgItem(box, buttons[static_cast<std::size_t>(defaultIndex)].id);
  if (dialogs::DialogData* data = dialogs::DataOf(box)) data->savedFocus = first;
}

bool HasButton(UINT type, int id) {
  std::vector<Button> buttons = ButtonsOf(type);
  return std::any_of(buttons.begin(), buttons.end(), [id](const Button& button) { return button.id == id; });
}

INT_PTR CALLBACK BoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* request = reinterpret_cast<const BoxRequest*>(lParam);
    SetWindowLongPtr(box, DWLP_USER, static_cast<LONG_PTR>(request->type));
    SetWindowText(box, request->caption);
    Layout(box, *request);
    return FALSE;  // the default button has the focus already
  }
  if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return FALSE;
  UINT type = static_cast<UINT>(GetWindowLongPtr(box, DWLP_USER));
  int id = LOWORD(wParam);
  // Escape and the close box answer Cancel where there is one, OK in a box of OK alone.
  if (id == IDCANCEL && !HasButton(type, IDCANCEL)) {
    if ((type & MB_TYPEMASK) != MB_OK) return TRUE;
    id = IDOK;
  }
  if (HasButton(type, id)) EndDialog(box, id);
  return TRUE;
}

// An empty dialog template with the box's frame and font; the box lays out its controls itself.
std::vector<BYTE> BoxTemplate(UINT type) {
  std::vector<BYTE> bytes;
  auto word = [&bytes](WORD value) {
    bytes.push_back(static_cast<BYTE>(value & 0xFF));
    bytes.push_back(static_cast<BYTE>(value >> 8));
  };
  auto dword = [&](DWORD value) {
    word(static_cast<WORD>(value & 0xFFFF));
    word(static_cast<WORD>(value >> 16));
  };
  auto text = [&](const char* value) {
    for (const char* at = value; *at; ++at) word(static_cast<unsigned char>(*at));  // plain ASCII names only
    word(0);
  };
  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER;
  dword(style);
  dword((type & (MB_SYSTEMMODAL | MB_TOPMOST)) ? WS_EX_TOPMOST : 0);
  word(0);
  for (int i = 0; i < 4; ++i) word(i < 2 ? 0 : 100);
  word(0);
  word(0);
  word(0);  // the caption is set at initialisation, in the system's code page
  word(8);
  text("MS Sans Serif");
  return bytes;
}

// A task-modal box without owner disables every top-level window of the thread while it is up.
std::vector<HWND> DisableThreadWindows() {
  std::vector<HWND> disabled;
  for (const auto& window : WindowsOfThread(GetCurrentThreadId())) {
    if (window->IsChild() || !(window->style & WS_VISIBLE) || (window->style & WS_DISABLED)) continue;
    disabled.push_back(window->handle);
  }
  for (HWND window : disabled) EnableWindow(window, FALSE);
  return disabled;
}

}  // namespace

int ShowMessageBoxWindow(HWND owner, const char* text, const char* caption, UINT type) {
  while (owner && (GetWindowLong(owner, GWL_STYLE) & WS_CHILD)) owner = GetParent(owner);
  std::vector<BYTE> bytes = BoxTemplate(type);
  BoxRequest request{text ? text : "", caption ? caption : "Fehler", type};
  std::vector<HWND> disabled;
  if (!owner && (type & MB_MODEMASK) == MB_TASKMODAL) disabled = DisableThreadWindows();
  HWND box = dialogs::CreateFromTemplate(nullptr, bytes.data(), bytes.size(), owner, BoxProc,
                                         reinterpret_cast<LPARAM>(&request), true);
  if (!box) {
    for (HWND window : disabled) EnableWindow(window, TRUE);
    return 0;
  }
  MessageBeep(type & MB_ICONMASK);
  INT_PTR result = dialogs::RunModalLoop(box, nullptr);
  for (HWND window : disabled) EnableWindow(window, TRUE);
  DestroyWindow(box);
  return static_cast<int>(result);
}

}  // namespace layer
