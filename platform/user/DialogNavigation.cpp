// The keyboard in dialogs: Tab and Shift+Tab through the tab stops, arrows
// within a group, Enter for the default button, Escape for Cancel and the
// mnemonics of labels and buttons.
#include <algorithm>
#include <string>
#include <vector>

#include "user/ControlSupport.h"
#include "user/DialogInternal.h"
#include "win32/Codepage.h"
#include "win32/MessageBox.h"
#include "win32/UserWindow.h"

namespace layer::dialogs {
namespace {

// The dialog's controls in the order the keys go through them: the
// template's order, then controls made later in the order they came.
std::vector<HWND> ChildrenOf(HWND dialog) {
  auto window = layer::WindowOf(dialog);
  if (!window) return {};
  DialogData* data = DataOf(dialog);
  if (!data || data->order.empty()) return window->children;
  std::vector<HWND> children;
  for (HWND control : data->order)
    if (std::find(window->children.begin(), window->children.end(), control) != window->children.end()) children.push_back(control);
  for (auto it = window->children.rbegin(); it != window->children.rend(); ++it)
    if (std::find(children.begin(), children.end(), *it) == children.end()) children.push_back(*it);
  return children;
}

DWORD Style(HWND control) { return static_cast<DWORD>(GetWindowLong(control, GWL_STYLE)); }
// A control takes part by its own style: the dialog itself may still be hidden.
bool Usable(HWND control) { return (Style(control) & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE; }

UINT CodeOf(HWND control, const MSG* msg = nullptr) {
  return static_cast<UINT>(SendMessage(control, WM_GETDLGCODE, msg ? msg->wParam : 0, reinterpret_cast<LPARAM>(msg)));
}

bool IsPushButton(HWND control) { return (CodeOf(control) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0; }

// Finds the control whose label carries the mnemonic character.
HWND MnemonicTarget(HWND dialog, char character) {
  char wanted = static_cast<char>(Cp1252ToUpper(static_cast<unsigned char>(character)));
  for (HWND control : ChildrenOf(dialog)) {
    if (!IsWindowVisible(control)) continue;
    UINT code = CodeOf(control);
    if (!(code & (DLGC_BUTTON | DLGC_STATIC))) continue;
    if ((code & DLGC_STATIC) && (Style(control) & SS_NOPREFIX)) continue;
    std::string text = controls::WindowTextOf(control);
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
      if (text[i] != '&') continue;
      if (text[i + 1] == '&') {
        ++i;
        continue;
      }
      if (static_cast<char>(Cp1252ToUpper(static_cast<unsigned char>(text[i + 1]))) == wanted) return control;
      break;
    }
  }
  return nullptr;
}

bool RunMnemonic(HWND dialog, char character) {
  HWND target = MnemonicTarget(dialog, character);
  if (!target) return false;
  UINT code = CodeOf(target);
  if (code & DLGC_STATIC) {
    // A label (or a group box) gives the focus to the control after it.
    HWND next = GetNextDlgTabItem(dialog, target, FALSE);
    if (next) SetDialogFocus(dialog, next);
    return true;
  }
  if (!IsWindowEnabled(target)) return true;
  if (!IsPushButton(target)) SetDialogFocus(dialog, target);
  SendMessage(target, BM_CLICK, 0, 0);
  return true;
}

// Enter: the focused push button, else the default one (IDOK when there is none).
void PressDefault(HWND dialog, HWND focus) {
  int id = focus && IsPushButton(focus) ? GetDlgCtrlID(focus) : DefaultId(dialog);
  if (id == 0) id = IDOK;
  HWND button = GetDlgItem(dialog, id);
  if (button && !IsWindowEnabled(button)) return;
  SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void PressCancel(HWND dialog) {
  HWND button = GetDlgItem(dialog, IDCANCEL);
  if (button && !IsWindowEnabled(button)) return;
  SendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void MoveInGroup(HWND dialog, HWND focus, bool previous) {
  HWND next = GetNextDlgGroupItem(dialog, focus, previous);
  if (!next || next == focus) return;
  SetDialogFocus(dialog, next);
  if (CodeOf(next) & DLGC_RADIOBUTTON) SendMessage(next, BM_CLICK, 0, 0);
}

bool HandleKey(HWND dialog, MSG& msg) {
  HWND control = msg.hwnd == dialog ? nullptr : DialogChildOf(dialog, msg.hwnd);
  UINT code = CodeOf(msg.hwnd, &msg);
  bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
  switch (msg.wParam) {
    case VK_TAB:
      if (code & (DLGC_WANTTAB | DLGC_WANTMESSAGE)) return false;
      if (HWND next = GetNextDlgTabItem(dialog, control, shift)) SetDialogFocus(dialog, next);
      return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      if (code & (DLGC_WANTARROWS | DLGC_WANTMESSAGE)) return false;
      if (control) MoveInGroup(dialog, control, msg.wParam == VK_LEFT || msg.wParam == VK_UP);
      return true;
    case VK_RETURN:
      if (code & DLGC_WANTMESSAGE) return false;
      PressDefault(dialog, control);
      return true;
    case VK_ESCAPE:
      if (code & DLGC_WANTMESSAGE) return false;
      PressCancel(dialog);
      return true;
    default:
      return false;
  }
}

}  // namespace

HWND DialogChildOf(HWND dialog, HWND window) {
  while (window && window != dialog) {
    HWND parent = GetParent(window);
    if (parent == dialog) return (Style(window) & WS_CHILD) ? window : nullptr;
    if (!(Style(window) & WS_CHILD)) {
      // A pop-up part of a control (a combo box's list) counts as the control.
      window = parent;
      continue;
    }
    window = parent;
  }
  return nullptr;
}

void SetDialogFocus(HWND dialog, HWND control) {
  SetFocus(control);
  if (CodeOf(control) & DLGC_HASSETSEL) SendMessage(control, EM_SETSEL, 0, -1);
  UpdateDefaultButton(dialog, control);
}

int DefaultId(HWND dialog) {
  DialogData* data = DataOf(dialog);
  if (data && data->defaultId) return data->defaultId;
  for (HWND control : ChildrenOf(dialog))
    if (CodeOf(control) & DLGC_DEFPUSHBUTTON) return GetDlgCtrlID(control);
  return 0;
}

void UpdateDefaultButton(HWND dialog, HWND focus) {
  DialogData* data = DataOf(dialog);
  if (!data) return;
  HWND focused = focus ? DialogChildOf(dialog, focus) : nullptr;
  HWND wanted = focused && IsPushButton(focused) ? focused : nullptr;
  if (!wanted && data->defaultId) wanted = GetDlgItem(dialog, data->defaultId);
  if (!wanted) return;  // the template's default button stays
  for (HWND control : ChildrenOf(dialog)) {
    if (!IsPushButton(control)) continue;
    bool isDefault = (CodeOf(control) & DLGC_DEFPUSHBUTTON) != 0;
    if (control == wanted && !isDefault) SendMessage(control, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    if (control != wanted && isDefault) SendMessage(control, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  }
}

}  // namespace layer::dialogs

using layer::dialogs::ChildrenOf;

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
  std::vector<HWND> children = ChildrenOf(dialog);
  if (children.empty()) return nullptr;
  int count = static_cast<int>(children.size());
  int start = -1;
  for (int i = 0; i < count; ++i)
    if (children[static_cast<std::size_t>(i)] == control) start = i;
  if (start < 0) start = previous ? 0 : count - 1;  // from before the first (or after the last)
  for (int step = 1; step <= count; ++step) {
    int index = ((previous ? start - step : start + step) % count + count) % count;
    HWND candidate = children[static_cast<std::size_t>(index)];
    if ((layer::dialogs::Style(candidate) & WS_TABSTOP) && layer::dialogs::Usable(candidate)) return candidate;
  }
  return control;
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
  std::vector<HWND> children = ChildrenOf(dialog);
  int count = static_cast<int>(children.size());
  int at = -1;
  for (int i = 0; i < count; ++i)
    if (children[static_cast<std::size_t>(i)] == control) at = i;
  if (at < 0) return nullptr;
  // The group runs from the last WS_GROUP control at or before this one to the next WS_GROUP control.
  int first = at;
  while (first > 0 && !(layer::dialogs::Style(children[static_cast<std::size_t>(first)]) & WS_GROUP)) --first;
  int end = at + 1;
  while (end < count && !(layer::dialogs::Style(children[static_cast<std::size_t>(end)]) & WS_GROUP)) ++end;
  int size = end - first;
  for (int step = 1; step < size; ++step) {
    int offset = ((at - first + (previous ? -step : step)) % size + size) % size;
    HWND candidate = children[static_cast<std::size_t>(first + offset)];
    if (layer::dialogs::Usable(candidate)) return candidate;
  }
  return control;
}

BOOL IsDialogMessage(HWND dialog, LPMSG msg) {
  if (!msg || !dialog || !IsWindow(dialog)) return FALSE;
  if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)) {
    // A combo box's dropped list belongs to the dialog although it is no child of it.
    if (!msg->hwnd || !layer::dialogs::DialogChildOf(dialog, msg->hwnd)) return FALSE;
  }
  if (msg->message == WM_KEYDOWN && layer::dialogs::HandleKey(dialog, *msg)) return TRUE;
  if (msg->message == WM_SYSCHAR && layer::dialogs::RunMnemonic(dialog, static_cast<char>(msg->wParam))) return TRUE;
  if (msg->message == WM_CHAR) {
    UINT code = layer::dialogs::CodeOf(msg->hwnd, msg);
    bool typed = (code & (DLGC_WANTCHARS | DLGC_WANTMESSAGE)) != 0;
    if (!typed && msg->wParam > ' ' && layer::dialogs::RunMnemonic(dialog, static_cast<char>(msg->wParam))) return TRUE;
  }
  TranslateMessage(msg);
  DispatchMessage(msg);
  return TRUE;
}
