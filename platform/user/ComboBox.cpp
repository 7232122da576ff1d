// The "ComboBox" class: a selection field with a list, in the platform's
// three kinds: simple (an edit field over a list that is always shown),
// drop-down (an edit field and a list that drops down) and drop-down list
// (a field that shows the chosen item and a list that drops down). The list
// is a list box of its own ("ComboLBox"); the edit field an "Edit".
#include <algorithm>
#include <vector>

#include "user/ControlClasses.h"
#include "user/ControlSupport.h"

namespace layer::controls {
namespace {

constexpr int kEditId = 1001;

struct ComboState {
  HWND list = nullptr;
  HWND edit = nullptr;
  WNDPROC editProc = nullptr;
  int droppedHeight = 0;  // the height the template gave: field and list together
  bool dropped = false;
  bool focused = false;
  bool keying = false;    // a key is moving the list's selection
  bool showing = false;   // the field takes the list's selection (no edit notifications)
  HFONT font = nullptr;
};

UINT Kind(HWND window) { return StyleOf(window) & 0x3; }

int FieldHeight(const ComboState& state) { return LineHeight(state.font) + 8; }

RECT ButtonBox(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  int width = GetSystemMetrics(SM_CXVSCROLL);
  return RECT{client.right - 2 - width, client.top + 2, client.right - 2, client.bottom - 2};
}

void Reposition(HWND window, ComboState& state) {
  RECT client;
  GetClientRect(window, &client);
  int field = FieldHeight(state);
  if (Kind(window) == CBS_SIMPLE) {
    if (state.edit) MoveWindow(state.edit, 0, 0, client.right, field, TRUE);
    if (state.list) MoveWindow(state.list, 0, field, client.right, std::max<LONG>(0, client.bottom - field), TRUE);
    return;
  }
  if (state.edit) {
    RECT button = ButtonBox(window);
    MoveWindow(state.edit, 3, 3, std::max<LONG>(0, button.left - 4), std::max(0, field - 6), TRUE);
  }
}

LRESULT ToList(const ComboState& state, UINT message, WPARAM wParam, LPARAM lParam) {
  return state.list ? SendMessage(state.list, message, wParam, lParam) : CB_ERR;
}

std::string ItemText(const ComboState& state, int index) {
  LRESULT length = ToList(state, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length < 0) return "";
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  ToList(state, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

int Selection(const ComboState& state) { return static_cast<int>(ToList(state, LB_GETCURSEL, 0, 0)); }

// The field shows the list's selection: in the edit field, or drawn.
void ShowSelection(HWND window, ComboState& state) {
  int selection = Selection(state);
  if (state.edit) {
    std::string text = selection >= 0 ? ItemText(state, selection) : "";
    state.showing = true;
    CallWindowProc(state.editProc, state.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessage(state.edit, EM_SETSEL, 0, -1);
    state.showing = false;
  }
  InvalidateRect(window, nullptr, TRUE);
}

void Drop(HWND window, ComboState& state, bool drop) {
  if (Kind(window) == CBS_SIMPLE || state.dropped == drop || !state.list) return;
  if (drop) {
    Notify(window, CBN_DROPDOWN);
    RECT rect;
    GetWindowRect(window, &rect);
    int height = std::max(state.droppedHeight - (rect.bottom - rect.top), LineHeight(state.font) + 2);
    SetWindowPos(state.list, HWND_TOPMOST, rect.left, rect.bottom, rect.right - rect.left, height, SWP_NOACTIVATE);
    int selection = Selection(state);
    if (selection >= 0) SendMessage(state.list, LB_SETTOPINDEX, static_cast<WPARAM>(selection), 0);
    ShowWindow(state.list, SW_SHOWNA);
    state.dropped = true;
  } else {
    ShowWindow(state.list, SW_HIDE);
    state.dropped = false;
    Notify(window, CBN_CLOSEUP);
  }
  InvalidateRect(window, nullptr, TRUE);
}

void CloseWith(HWND window, ComboState& state, UINT code) {
  if (!state.dropped) return;
  Notify(window, code);
  Drop(window, state, false);
}

// A key that moves the selection while the list is closed, or moves it in
// the dropped list.
bool SelectionKey(HWND window, ComboState& state, WPARAM key) {
  bool alt = (GetKeyState(VK_MENU) & 0x8000) != 0;
  if (key == VK_F1 + 3 || (alt && (key == VK_DOWN || key == VK_UP))) {
    if (state.dropped) CloseWith(window, state, CBN_SELENDOK);
    else Drop(window, state, true);
    return true;
  }
  if (key == VK_RETURN && state.dropped) {
    CloseWith(window, state, CBN_SELENDOK);
    return true;
  }
  if (key == VK_ESCAPE && state.dropped) {
    CloseWith(window, state, CBN_SELENDCANCEL);
    return true;
  }
  if (key != VK_UP && key != VK_DOWN && key != VK_PRIOR && key != VK_NEXT && key != VK_HOME && key != VK_END) return false;
  if ((key == VK_HOME || key == VK_END) && state.edit) return false;  // those move the edit field's caret
  state.keying = true;
  SendMessage(state.list, WM_KEYDOWN, key, 0);
  state.keying = false;
  return true;
}

LRESULT CALLBACK ComboEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND combo = GetParent(edit);
  ComboState* state = StateOf<ComboState>(combo);
  if (!state) return DefWindowProc(edit, message, wParam, lParam);
  if (message == WM_KEYDOWN && SelectionKey(combo, *state, wParam)) return 0;
  if (message == WM_GETDLGCODE) {
    LRESULT code = CallWindowProc(state->editProc, edit, message, wParam, lParam);
    return state->dropped ? code | DLGC_WANTMESSAGE : code;
  }
  return CallWindowProc(state->editProc, edit, message, wParam, lParam);
}

void MakeParts(HWND window, ComboState& state, const CREATESTRUCTA& create) {
  DWORD style = static_cast<DWORD>(create.style);
  UINT kind = style & 0x3;
  state.droppedHeight = create.cy;
  DWORD listStyle = WS_VSCROLL | WS_BORDER | (style & CBS_SORT ? LBS_SORT : 0) |
                    (style & CBS_OWNERDRAWFIXED ? LBS_OWNERDRAWFIXED : 0) | (style & CBS_HASSTRINGS ? LBS_HASSTRINGS : 0);
  if (kind == CBS_SIMPLE) {
    state.list = CreateWindowEx(0, kComboListClass, "", WS_CHILD | WS_VISIBLE | listStyle, 0, 0, 0, 0, window,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(1000)), create.hInstance, window);
  } else {
    state.list = CreateWindowEx(WS_EX_TOOLWINDOW, kComboListClass, "", WS_POPUP | listStyle, 0, 0, 0, 0, window, nullptr,
                                create.hInstance, window);
  }
  if (kind != CBS_DROPDOWNLIST) {
    DWORD editStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | (kind == CBS_SIMPLE ? WS_BORDER : 0) |
                      (style & CBS_UPPERCASE ? ES_UPPERCASE : 0) | (style & CBS_LOWERCASE ? ES_LOWERCASE : 0);
    state.edit = CreateWindowEx(0, WC_EDIT, "", editStyle, 0, 0, 0, 0, window,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kEditId)), create.hInstance, nullptr);
    if (state.edit)
      state.editProc = reinterpret_cast<WNDPROC>(SetWindowLongPtr(state.edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ComboEditProc)));
  }
}

void Paint(HWND window, ComboState& state) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  if (Kind(window) == CBS_SIMPLE) {
    FillRect(dc, &client, ParentBrush(window, dc, WM_CTLCOLORSTATIC));
    EndPaint(window, &paint);
    return;
  }
  RECT field = client;
  bool plain = !IsWindowEnabled(window);
  HBRUSH brush = ParentBrush(window, dc, plain ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT);
  DrawEdge(dc, &field, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  FillRect(dc, &field, brush);
  RECT button = ButtonBox(window);
  UINT buttonState = DFCS_SCROLLCOMBOBOX | (state.dropped ? DFCS_PUSHED : 0) | (plain ? DFCS_INACTIVE : 0);
  DrawFrameControl(dc, &button, DFC_SCROLL, buttonState);
  if (!state.edit) {
    RECT text{field.left + 1, field.top + 1, button.left - 1, field.bottom - 1};
    int selection = Selection(state);
    if (StyleOf(window) & CBS_OWNERDRAWFIXED) {
      DRAWITEMSTRUCT item{ODT_COMBOBOX, static_cast<UINT>(GetDlgCtrlID(window)), static_cast<UINT>(selection), ODA_DRAWENTIRE,
                          ODS_COMBOBOXEDIT, window, dc, text,
                          static_cast<ULONG_PTR>(selection >= 0 ? ToList(state, LB_GETITEMDATA, static_cast<WPARAM>(selection), 0) : 0)};
      if (state.focused) item.itemState |= ODS_SELECTED | ODS_FOCUS;
      SendMessage(GetParent(window), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
    } else {
      HGDIOBJ old = SelectObject(dc, ControlFont(state.font));
      if (state.focused && !state.dropped) {
        FillRect(dc, &text, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
      }
      if (plain) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
      SetBkMode(dc, TRANSPARENT);
      std::string shown = selection >= 0 ? ItemText(state, selection) : "";
      RECT inner = text;
      inner.left += 2;
      DrawText(dc, shown.c_str(), -1, &inner, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
      if (state.focused && !state.dropped) DrawFocusRect(dc, &text);
      SelectObject(dc, old);
    }
  }
  EndPaint(window, &paint);
}

// What the list tells its combo box: selections and its owner-drawn items.
LRESULT FromList(HWND window, ComboState& state, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) {
    if (HIWORD(wParam) == LBN_SELCHANGE) {
      ShowSelection(window, state);
      Notify(window, CBN_SELCHANGE);
      if (state.dropped && !state.keying) CloseWith(window, state, CBN_SELENDOK);
    } else if (HIWORD(wParam) == kComboListChosenAgain) {
      CloseWith(window, state, CBN_SELENDOK);
    } else if (HIWORD(wParam) == LBN_DBLCLK) {
      Notify(window, CBN_DBLCLK);
    }
    return 0;
  }
  if (message == WM_DRAWITEM) {
    auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    item->CtlType = ODT_COMBOBOX;
    item->CtlID = static_cast<UINT>(GetDlgCtrlID(window));
    item->hwndItem = window;
    return SendMessage(GetParent(window), WM_DRAWITEM, item->CtlID, lParam);
  }
  auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
  measure->CtlType = ODT_COMBOBOX;
  measure->CtlID = static_cast<UINT>(GetDlgCtrlID(window));
  return SendMessage(GetParent(window), WM_MEASUREITEM, measure->CtlID, lParam);
}

bool FromOwnList(const ComboState& state, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!state.list) return false;
  if (message == WM_COMMAND) return reinterpret_cast<HWND>(lParam) == state.list;
  if (message == WM_DRAWITEM) return reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem == state.list;
  (void)wParam;
  return message == WM_MEASUREITEM;  // only the list measures its items
}

LRESULT CALLBACK ComboBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ComboState* state = TrackState<ComboState>(window, message);
  if (!state) return DefWindowProc(window, message, wParam, lParam);
  switch (message) {
    case WM_NCCREATE: {
      // The scroll bars a template gives the combo box belong to its list.
      DWORD style = StyleOf(window) & ~static_cast<DWORD>(WS_VSCROLL | WS_HSCROLL);
      SetWindowLong(window, GWL_STYLE, static_cast<LONG>(style));
      return DefWindowProc(window, message, wParam, lParam);
    }
    case WM_CREATE: {
      const auto& create = *reinterpret_cast<const CREATESTRUCTA*>(lParam);
      MakeParts(window, *state, create);
      if (!state->list) return -1;
      if (Kind(window) != CBS_SIMPLE)
        SetWindowPos(window, nullptr, 0, 0, create.cx, FieldHeight(*state), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      Reposition(window, *state);
      return 0;
    }
    case WM_DESTROY:
      if (state->list && Kind(window) != CBS_SIMPLE) DestroyWindow(state->list);
      return 0;
    case WM_SIZE: Reposition(window, *state); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS | (state->dropped ? DLGC_WANTMESSAGE : 0);
    case WM_SETFONT:
      state->font = reinterpret_cast<HFONT>(wParam);
      if (state->edit) SendMessage(state->edit, WM_SETFONT, wParam, lParam);
      if (state->list) SendMessage(state->list, WM_SETFONT, wParam, lParam);
      if (Kind(window) != CBS_SIMPLE) {
        RECT rect;
        GetClientRect(window, &rect);
        SetWindowPos(window, nullptr, 0, 0, rect.right, FieldHeight(*state), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      Reposition(window, *state);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(state->font);
    case WM_PAINT: Paint(window, *state); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_ENABLE:
      if (state->edit) EnableWindow(state->edit, static_cast<BOOL>(wParam));
      if (state->list) EnableWindow(state->list, static_cast<BOOL>(wParam));
      InvalidateRect(window, nullptr, TRUE);
      return 0;
    case WM_SETFOCUS:
      if (state->edit) {
        SetFocus(state->edit);
        SendMessage(state->edit, EM_SETSEL, 0, -1);
        return 0;
      }
      state->focused = true;
      InvalidateRect(window, nullptr, TRUE);
      Notify(window, CBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      if (state->edit) return 0;
      state->focused = false;
      CloseWith(window, *state, CBN_SELENDCANCEL);
      InvalidateRect(window, nullptr, TRUE);
      Notify(window, CBN_KILLFOCUS);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetFocus(window);
      if (state->dropped) CloseWith(window, *state, CBN_SELENDCANCEL);
      else Drop(window, *state, true);
      return 0;
    case WM_CANCELMODE: CloseWith(window, *state, CBN_SELENDCANCEL); return 0;
    case WM_KEYDOWN: SelectionKey(window, *state, wParam); return 0;
    case WM_SYSKEYDOWN:
      if (!SelectionKey(window, *state, wParam)) return DefWindowProc(window, message, wParam, lParam);
      return 0;
    case WM_CHAR:
      if (!state->edit) {
        state->keying = true;
        SendMessage(state->list, WM_CHAR, wParam, lParam);
        state->keying = false;
      }
      return 0;
    case WM_COMMAND:
      if (FromOwnList(*state, message, wParam, lParam)) return FromList(window, *state, message, wParam, lParam);
      if (reinterpret_cast<HWND>(lParam) == state->edit && !state->showing) {
        switch (HIWORD(wParam)) {
          case EN_CHANGE: Notify(window, CBN_EDITCHANGE); break;
          case EN_UPDATE: Notify(window, CBN_EDITUPDATE); break;
          case EN_SETFOCUS: Notify(window, CBN_SETFOCUS); break;
          case EN_KILLFOCUS:
            CloseWith(window, *state, CBN_SELENDCANCEL);
            Notify(window, CBN_KILLFOCUS);
            break;
          default: break;
        }
      }
      return 0;
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
      if (FromOwnList(*state, message, wParam, lParam)) return FromList(window, *state, message, wParam, lParam);
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC: return SendMessage(GetParent(window), message, wParam, reinterpret_cast<LPARAM>(window));
    case WM_SETTEXT:
      if (state->edit) return SendMessage(state->edit, WM_SETTEXT, wParam, lParam);
      {
        LRESULT found = ToList(*state, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), lParam);
        if (found < 0) return CB_ERR;
        ToList(*state, LB_SETCURSEL, static_cast<WPARAM>(found), 0);
        ShowSelection(window, *state);
        return TRUE;
      }
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH: {
      if (state->edit) return SendMessage(state->edit, message, wParam, lParam);
      std::string text = Selection(*state) >= 0 ? ItemText(*state, Selection(*state)) : "";
      if (message == WM_GETTEXTLENGTH) return static_cast<LRESULT>(text.size());
      auto* buffer = reinterpret_cast<char*>(lParam);
      if (!buffer || wParam == 0) return 0;
      std::size_t count = std::min<std::size_t>(text.size(), wParam - 1);
      text.copy(buffer, count);
      buffer[count] = '\0';
      return static_cast<LRESULT>(count);
    }
    case CB_ADDSTRING: return ToList(*state, LB_ADDSTRING, wParam, lParam);
    case CB_INSERTSTRING: return ToList(*state, LB_INSERTSTRING, wParam, lParam);
    case CB_DELETESTRING: {
      LRESULT result = ToList(*state, LB_DELETESTRING, wParam, lParam);
      InvalidateRect(window, nullptr, TRUE);
      return result;
    }
    case CB_RESETCONTENT:
      ToList(*state, LB_RESETCONTENT, 0, 0);
      if (state->edit) {
        state->showing = true;
        CallWindowProc(state->editProc, state->edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        state->showing = false;
      }
      InvalidateRect(window, nullptr, TRUE);
      return CB_OKAY;
    case CB_GETCOUNT: return ToList(*state, LB_GETCOUNT, 0, 0);
    case CB_GETCURSEL: return Selection(*state);
    case CB_SETCURSEL: {
      LRESULT result = ToList(*state, LB_SETCURSEL, wParam, 0);
      ShowSelection(window, *state);
      return result;
    }
    case CB_SELECTSTRING: {
      LRESULT found = ToList(*state, LB_FINDSTRING, wParam, lParam);
      if (found >= 0) {
        ToList(*state, LB_SETCURSEL, static_cast<WPARAM>(found), 0);
        ShowSelection(window, *state);
      }
      return found;
    }
    case CB_GETLBTEXT: return ToList(*state, LB_GETTEXT, wParam, lParam);
    case CB_GETLBTEXTLEN: return ToList(*state, LB_GETTEXTLEN, wParam, lParam);
    case CB_FINDSTRING: return ToList(*state, LB_FINDSTRING, wParam, lParam);
    case CB_FINDSTRINGEXACT: return ToList(*state, LB_FINDSTRINGEXACT, wParam, lParam);
    case CB_GETITEMDATA: return ToList(*state, LB_GETITEMDATA, wParam, lParam);
    case CB_SETITEMDATA: return ToList(*state, LB_SETITEMDATA, wParam, lParam);
    case CB_GETITEMHEIGHT:
      return static_cast<int>(wParam) == -1 ? FieldHeight(*state) : ToList(*state, LB_GETITEMHEIGHT, 0, 0);
    case CB_SETITEMHEIGHT: return static_cast<int>(wParam) == -1 ? CB_ERR : ToList(*state, LB_SETITEMHEIGHT, 0, lParam);
    case CB_SHOWDROPDOWN: Drop(window, *state, wParam != 0); return TRUE;
    case CB_GETDROPPEDSTATE: return state->dropped;
    case CB_LIMITTEXT: return state->edit ? SendMessage(state->edit, EM_LIMITTEXT, wParam, 0), TRUE : CB_ERR;
    case CB_GETEDITSEL: return state->edit ? SendMessage(state->edit, EM_GETSEL, wParam, lParam) : CB_ERR;
    case CB_SETEDITSEL:
      if (!state->edit) return CB_ERR;
      SendMessage(state->edit, EM_SETSEL, static_cast<WPARAM>(static_cast<short>(LOWORD(lParam))), static_cast<short>(HIWORD(lParam)));
      return TRUE;
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace

void RegisterComboBoxClass() { RegisterControlClass(WC_COMBOBOX, ComboBoxProc, CS_DBLCLKS | CS_PARENTDC, IDC_ARROW); }

}  // namespace layer::controls
