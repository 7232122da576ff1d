// The "Button" class: push buttons (and the dialog's default one), check
// boxes with two or three states, radio buttons, group boxes and buttons
// that their parent draws.
#include <algorithm>

#include "user/ControlSupport.h"
#include "user/Dialogs.h"
#include "win32/Icons.h"
#include "win32/UserWindow.h"

namespace layer::controls {
namespace {

struct ButtonState {
  UINT check = BST_UNCHECKED;
  bool pushed = false;   // shown pressed (mouse held inside, or space held)
  bool tracking = false; // the mouse went down on the button
  bool focused = false;
  HFONT font = nullptr;
  HANDLE image = nullptr;
  UINT imageType = IMAGE_BITMAP;
};

UINT Kind(HWND window) { return StyleOf(window) & BS_TYPEMASK; }

bool IsPushKind(UINT kind) { return kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON || kind == BS_PUSHBOX; }
bool IsRadioKind(UINT kind) { return kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON; }
bool IsCheckKind(UINT kind) {
  return kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_3STATE || kind == BS_AUTO3STATE;
}

void SetCheck(HWND window, ButtonState& state, UINT check) {
  UINT kind = Kind(window);
  if (!IsCheckKind(kind) && !IsRadioKind(kind)) return;
  if (check == BST_INDETERMINATE && kind != BS_3STATE && kind != BS_AUTO3STATE) check = BST_CHECKED;
  if (check > BST_INDETERMINATE) check = BST_CHECKED;
  if (state.check == check) return;
  state.check = check;
  InvalidateRect(window, nullptr, TRUE);
}

// An automatic radio button that is checked unchecks the others of its group.
void UncheckGroupSiblings(HWND window) {
  HWND parent = GetParent(window);
  if (!parent) return;
  for (HWND other = GetNextDlgGroupItem(parent, window, FALSE); other && other != window;
       other = GetNextDlgGroupItem(parent, other, FALSE)) {
    if (Kind(other) == BS_AUTORADIOBUTTON) SendMessage(other, BM_SETCHECK, BST_UNCHECKED, 0);
  }
}

void Click(HWND window, ButtonState& state) {
  switch (Kind(window)) {
    case BS_AUTOCHECKBOX: SetCheck(window, state, state.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED); break;
    case BS_AUTO3STATE: SetCheck(window, state, (state.check + 1) % 3); break;
    case BS_AUTORADIOBUTTON:
      SetCheck(window, state, BST_CHECKED);
      UncheckGroupSiblings(window);
      break;
    default: break;
  }
  Notify(window, BN_CLICKED);
}

void SetPushed(HWND window, ButtonState& state, bool pushed) {
  if (state.pushed == pushed) return;
  state.pushed = pushed;
  InvalidateRect(window, nullptr, TRUE);
}

void OwnerDraw(HWND window, const ButtonState& state, HDC dc, const RECT& client) {
  DRAWITEMSTRUCT item{ODT_BUTTON, static_cast<UINT>(GetDlgCtrlID(window)), 0, ODA_DRAWENTIRE, 0, window, dc, client, 0};
  if (state.pushed) item.itemState |= ODS_SELECTED;
  if (state.focused) item.itemState |= ODS_FOCUS;
  if (!IsWindowEnabled(window)) item.itemState |= ODS_DISABLED;
  SendMessage(GetParent(window), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
}

UINT TextFormat(DWORD style, bool push) {
  UINT format = DT_SINGLELINE | DT_VCENTER;
  if (style & BS_MULTILINE) format = DT_WORDBREAK;
  DWORD horizontal = style & BS_CENTER;
  if (horizontal == BS_CENTER || (horizontal == 0 && push)) format |= DT_CENTER;
  else if (horizontal == BS_RIGHT) format |= DT_RIGHT;
  return format;
}

void DrawLabel(HWND window, HDC dc, RECT box, UINT format, bool focused) {
  std::string text = WindowTextOf(window);
  if (!IsWindowEnabled(window)) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  SetBkMode(dc, TRANSPARENT);
  DrawMnemonicText(dc, text.c_str(), box, format);
  if (!focused || text.empty()) return;
  RECT measured = box;
  DrawText(dc, text.c_str(), -1, &measured, format | DT_CALCRECT);
  int width = measured.right - measured.left, height = measured.bottom - measured.top;
  int left = box.left;
  if (format & DT_CENTER) left = box.left + (box.right - box.left - width) / 2;
  else if (format & DT_RIGHT) left = box.right - width;
  int top = (format & DT_VCENTER) ? box.top + (box.bottom - box.top - height) / 2 : box.top;
  RECT focus{left - 1, top, left + width + 1, top + height};
  DrawFocusRect(dc, &focus);
}

void Paint(HWND window, ButtonState& state) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  DWORD style = StyleOf(window);
  UINT kind = style & BS_TYPEMASK;
  HGDIOBJ oldFont = SelectObject(dc, ControlFont(state.font));
  if (kind == BS_OWNERDRAW) {
    OwnerDraw(window, state, dc, client);
  } else if (IsPushKind(kind)) {
    UINT frame = DFCS_BUTTONPUSH | (state.pushed || state.check ? DFCS_PUSHED : 0) |
                 (IsWindowEnabled(window) ? 0 : DFCS_INACTIVE) | (kind == BS_DEFPUSHBUTTON ? kThemeDefault : 0) |
                 (state.focused ? kThemeFocus : 0);
    DrawFrameControl(dc, &client, DFC_BUTTON, frame);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    RECT box = client;
    InflateRect(&box, -4, -3);
    if (state.pushed) OffsetRect(&box, 1, 1);
    if (state.image && state.imageType == IMAGE_ICON) {
      DrawIconEx(dc, (client.left + client.right) / 2 - 16, (client.top + client.bottom) / 2 - 16,
                 static_cast<HICON>(state.image), 0, 0, 0, nullptr, DI_NORMAL);
    } else {
      DrawLabel(window, dc, box, TextFormat(style, true), false);
    }
    if (state.focused) {
      RECT focus = client;
      InflateRect(&focus, -4, -4);
      DrawFocusRect(dc, &focus);
    }
  } else if (kind == BS_GROUPBOX) {
    // A group box is its frame and label: inside them the parent and the
    // controls it groups show, whichever lies above the other.
    HBRUSH brush = ParentBrush(window, dc, WM_CTLCOLORSTATIC);
    FillRect(dc, &client, brush);
    std::string text = WindowTextOf(window);
    int line = LineHeight(state.font);
    if (auto record = WindowOf(window))
      record->seeThrough = RECT{client.left + 2, client.top + line, std::max(client.left + 2, client.right - 2),
                                std::max<LONG>(client.top + line, client.bottom - 2)};
    RECT frame{client.left, client.top + line / 2, client.right, client.bottom};
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (!text.empty()) {
      RECT label{client.left + 8, client.top, client.right - 8, client.top + line};
      RECT measured = label;
      DrawText(dc, text.c_str(), -1, &measured, DT_SINGLELINE | DT_CALCRECT);
      label.right = std::min(label.right, measured.right + 2);
      label.left -= 2;
      FillRect(dc, &label, brush);
      label.left += 2;
      DrawLabel(window, dc, label, DT_SINGLELINE, false);
    }
  } else {
    HBRUSH brush = ParentBrush(window, dc, WM_CTLCOLORBTN);
    FillRect(dc, &client, brush);
    bool leftText = (style & BS_LEFTTEXT) != 0;
    RECT mark = client;
    if (leftText) mark.left = client.right - 13;
    UINT frame = (IsRadioKind(kind) ? DFCS_BUTTONRADIO : (kind == BS_3STATE || kind == BS_AUTO3STATE) && state.check == BST_INDETERMINATE ? DFCS_BUTTON3STATE : DFCS_BUTTONCHECK) |
                 (state.check ? DFCS_CHECKED : 0) | (state.pushed ? DFCS_PUSHED : 0) |
                 (IsWindowEnabled(window) ? 0 : DFCS_INACTIVE);
    mark.right = mark.left + 13;
    DrawFrameControl(dc, &mark, DFC_BUTTON, frame);
    RECT label = client;
    if (leftText) label.right = mark.left - 4;
    else label.left = mark.right + 4;
    DrawLabel(window, dc, label, TextFormat(style, false), state.focused);
  }
  SelectObject(dc, oldFont);
  EndPaint(window, &paint);
}

UINT DialogCode(HWND window) {
  UINT kind = Kind(window);
  if (kind == BS_DEFPUSHBUTTON) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
  if (IsPushKind(kind) || kind == BS_OWNERDRAW) return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
  if (IsRadioKind(kind)) return DLGC_BUTTON | DLGC_RADIOBUTTON;
  if (kind == BS_GROUPBOX) return DLGC_STATIC;
  return DLGC_BUTTON;
}

LRESULT CALLBACK ButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ButtonState* state = TrackState<ButtonState>(window, message);
  if (!state) return DefWindowProc(window, message, wParam, lParam);
  if (LRESULT result; CommonMessage(window, state->font, message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_GETDLGCODE: return DialogCode(window);
    case WM_NCHITTEST:
      // The mouse reaches what lies inside a group box.
      if (Kind(window) == BS_GROUPBOX) return HTTRANSPARENT;
      return DefWindowProc(window, message, wParam, lParam);
    case WM_PAINT:
      Paint(window, *state);
      PaintBorder(window);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (Kind(window) == BS_GROUPBOX) return 0;
      SetFocus(window);
      SetCapture(window);
      state->tracking = true;
      SetPushed(window, *state, true);
      return 0;
    case WM_MOUSEMOVE:
      if (state->tracking) {
        RECT client;
        GetClientRect(window, &client);
        SetPushed(window, *state, PtInRect(&client, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
      }
      return 0;
    case WM_LBUTTONUP:
      if (state->tracking) {
        state->tracking = false;
        bool inside = state->pushed;
        SetPushed(window, *state, false);
        ReleaseCapture();
        if (inside) Click(window, *state);
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (state->tracking && reinterpret_cast<HWND>(lParam) != window) {
        state->tracking = false;
        SetPushed(window, *state, false);
      }
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE) SetPushed(window, *state, true);
      return 0;
    case WM_KEYUP:
      if (wParam == VK_SPACE && state->pushed) {
        SetPushed(window, *state, false);
        Click(window, *state);
      }
      return 0;
    case WM_CHAR: return 0;  // a button types nothing
    case WM_SETFOCUS:
      state->focused = true;
      InvalidateRect(window, nullptr, TRUE);
      if (StyleOf(window) & BS_NOTIFY) Notify(window, BN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      state->focused = false;
      if (state->pushed && !state->tracking) state->pushed = false;
      InvalidateRect(window, nullptr, TRUE);
      if (StyleOf(window) & BS_NOTIFY) Notify(window, BN_KILLFOCUS);
      return 0;
    case BM_CLICK:
      if (IsWindowEnabled(window)) Click(window, *state);
      return 0;
    case BM_GETCHECK: return state->check;
    case BM_SETCHECK:
      SetCheck(window, *state, static_cast<UINT>(wParam));
      return 0;
    case BM_GETSTATE: return state->check | (state->pushed ? BST_PUSHED : 0) | (state->focused ? BST_FOCUS : 0);
    case BM_SETSTATE:
      SetPushed(window, *state, wParam != 0);
      return 0;
    case BM_SETSTYLE: {
      DWORD style = (StyleOf(window) & ~static_cast<DWORD>(BS_TYPEMASK)) | (static_cast<DWORD>(wParam) & BS_TYPEMASK);
      SetWindowLong(window, GWL_STYLE, static_cast<LONG>(style));
      if (lParam) InvalidateRect(window, nullptr, TRUE);
      return 0;
    }
    case BM_SETIMAGE: {
      HANDLE old = state->image;
      state->image = reinterpret_cast<HANDLE>(lParam);
      state->imageType = static_cast<UINT>(wParam);
      InvalidateRect(window, nullptr, TRUE);
      return reinterpret_cast<LRESULT>(old);
    }
    case BM_GETIMAGE: return reinterpret_cast<LRESULT>(state->image);
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace

void RegisterButtonClass() { RegisterControlClass(WC_BUTTON, ButtonProc, CS_DBLCLKS | CS_PARENTDC, IDC_ARROW); }

}  // namespace layer::controls
