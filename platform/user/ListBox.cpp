// The "ListBox" class: lists of texts (or of item data that the owner
// draws) with one or many selected, sorted or in the order given, found by
// prefix or whole text without regard to case. The combo box's list is one
// of these as well.
#include <algorithm>
#include <cstring>
#include <vector>

#include "user/ControlSupport.h"
#include "user/ControlClasses.h"

namespace layer::controls {
namespace {

struct Item {
  std::string text;
  ULONG_PTR data = 0;
  bool selected = false;
};

struct ListState {
  std::vector<Item> items;
  int selection = -1;  // single-selection lists
  int caret = 0;
  int anchor = 0;
  int top = 0;
  int itemHeight = 0;
  bool focused = false;
  bool tracking = false;
  HFONT font = nullptr;
  HWND owner = nullptr;  // a combo box whose list this is
  bool scrollBar = false;  // made with WS_VSCROLL (the style bit goes while the bar is hidden)
  bool keepBar = false;    // LBS_DISABLENOSCROLL
};

DWORD Style(HWND window) { return StyleOf(window); }
bool Multiple(HWND window) { return (Style(window) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }
bool OwnerDrawn(HWND window) { return (Style(window) & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0; }
bool HasStrings(HWND window) { return !OwnerDrawn(window) || (Style(window) & LBS_HASSTRINGS); }
int Count(const ListState& state) { return static_cast<int>(state.items.size()); }
bool Valid(const ListState& state, WPARAM index) { return static_cast<int>(index) >= 0 && static_cast<int>(index) < Count(state); }

HWND Listener(HWND window, const ListState& state) { return state.owner ? state.owner : GetParent(window); }

void NotifyList(HWND window, const ListState& state, UINT code) {
  if (!state.owner && !(Style(window) & LBS_NOTIFY)) return;
  HWND target = Listener(window, state);
  if (target) SendMessage(target, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), code), reinterpret_cast<LPARAM>(window));
}

int ItemHeight(HWND window, ListState& state) {
  if (state.itemHeight > 0) return state.itemHeight;
  state.itemHeight = LineHeight(state.font);
  if (OwnerDrawn(window)) {
    MEASUREITEMSTRUCT measure{ODT_LISTBOX, static_cast<UINT>(GetDlgCtrlID(window)), 0, 0,
                              static_cast<UINT>(state.itemHeight), 0};
    SendMessage(Listener(window, state), WM_MEASUREITEM, measure.CtlID, reinterpret_cast<LPARAM>(&measure));
    if (measure.itemHeight > 0) state.itemHeight = static_cast<int>(measure.itemHeight);
  }
  return state.itemHeight;
}

int PageSize(HWND window, ListState& state) {
  RECT client;
  GetClientRect(window, &client);
  return std::max(1, static_cast<int>(client.bottom - client.top) / ItemHeight(window, state));
}

void UpdateScrollBar(HWND window, ListState& state) {
  if (!state.scrollBar) return;
  SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, std::max(0, Count(state) - 1),
                  static_cast<UINT>(PageSize(window, state)), state.top, 0};
  if (state.keepBar) info.fMask |= SIF_DISABLENOSCROLL;
  SetScrollInfo(window, SB_VERT, &info, TRUE);
}

void SetTop(HWND window, ListState& state, int top) {
  state.top = std::clamp(top, 0, std::max(0, Count(state) - PageSize(window, state)));
  UpdateScrollBar(window, state);
  InvalidateRect(window, nullptr, TRUE);
}

void EnsureVisible(HWND window, ListState& state, int index) {
  int page = PageSize(window, state);
  if (index < state.top) SetTop(window, state, index);
  else if (index >= state.top + page) SetTop(window, state, index - page + 1);
}

void Changed(HWND window, ListState& state) {
  UpdateScrollBar(window, state);
  InvalidateRect(window, nullptr, TRUE);
}

int Insert(HWND window, ListState& state, int index, LPARAM value) {
  Item item;
  if (HasStrings(window)) item.text = value ? reinterpret_cast<const char*>(value) : "";
  else item.data = static_cast<ULONG_PTR>(value);
  if (index < 0 || index > Count(state)) index = Count(state);
  state.items.insert(state.items.begin() + index, item);
  if (state.selection >= index) ++state.selection;
  Changed(window, state);
  return index;
}

int SortedIndex(const ListState& state, const std::string& text) {
  auto at = std::upper_bound(state.items.begin(), state.items.end(), text,
                             [](const std::string& value, const Item& item) { return CompareForSort(value, item.text) < 0; });
  return static_cast<int>(at - state.items.begin());
}

int Find(const ListState& state, int after, const std::string& text, bool exact) {
  int count = Count(state);
  if (count == 0) return LB_ERR;
  int start = after < 0 || after >= count ? 0 : after + 1;
  for (int n = 0; n < count; ++n) {
    const Item& item = state.items[static_cast<std::size_t>((start + n) % count)];
    if (exact ? CompareNoCase(item.text, text) == 0 : StartsWithNoCase(item.text, text)) return (start + n) % count;
  }
  return LB_ERR;
}

// Selects one item of a single-selection list (or moves the caret and
// selects it alone in a list of many); true when that changed anything.
bool SelectOnly(HWND window, ListState& state, int index) {
  bool changed = false;
  if (Multiple(window)) {
    for (int i = 0; i < Count(state); ++i) {
      bool wanted = i == index;
      changed |= state.items[static_cast<std::size_t>(i)].selected != wanted;
      state.items[static_cast<std::size_t>(i)].selected = wanted;
    }
  } else {
    changed = state.selection != index;
    state.selection = index;
  }
  if (index >= 0) {
    state.caret = state.anchor = index;
    EnsureVisible(window, state, index);
  }
  InvalidateRect(window, nullptr, TRUE);
  return changed;
}

int IndexAt(HWND window, ListState& state, POINT point) {
  int index = state.top + point.y / ItemHeight(window, state);
  return index >= 0 && index < Count(state) ? index : -1;
}

void DrawItem(HWND window, ListState& state, HDC dc, int index, RECT box) {
  const Item& item = state.items[static_cast<std::size_t>(index)];
  bool selected = Multiple(window) ? item.selected : index == state.selection;
  bool focused = state.focused && index == state.caret;
  if (OwnerDrawn(window)) {
    DRAWITEMSTRUCT draw{ODT_LISTBOX, static_cast<UINT>(GetDlgCtrlID(window)), static_cast<UINT>(index), ODA_DRAWENTIRE, 0,
                        window, dc, box, item.data};
    if (selected) draw.itemState |= ODS_SELECTED;
    if (focused) draw.itemState |= ODS_FOCUS;
    if (!IsWindowEnabled(window)) draw.itemState |= ODS_DISABLED;
    SendMessage(Listener(window, state), WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
    return;
  }
  COLORREF oldText = GetTextColor(dc);
  if (selected) {
    FillRect(dc, &box, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
  }
  RECT text = box;
  text.left += 2;
  DrawText(dc, item.text.c_str(), static_cast<int>(item.text.size()), &text, DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER | DT_EXPANDTABS);
  SetTextColor(dc, oldText);
  if (focused) DrawFocusRect(dc, &box);
}

void Paint(HWND window, ListState& state) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  HBRUSH brush = ParentBrush(window, dc, WM_CTLCOLORLISTBOX);
  FillRect(dc, &client, brush);
  HGDIOBJ oldFont = SelectObject(dc, ControlFont(state.font));
  if (!IsWindowEnabled(window)) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  SetBkMode(dc, TRANSPARENT);
  int height = ItemHeight(window, state);
  for (int i = state.top, y = 0; i < Count(state) && y < client.bottom; ++i, y += height)
    DrawItem(window, state, dc, i, RECT{client.left, y, client.right, y + height});
  SelectObject(dc, oldFont);
  EndPaint(window, &paint);
  PaintBorder(window);
}

// A click or key chose an item: selection and its notification.
bool Choose(HWND window, ListState& state, int index, bool toggle) {
  if (index < 0) return false;
  bool changed;
  if (Multiple(window) && toggle) {
    Item& item = state.items[static_cast<std::size_t>(index)];
    item.selected = !item.selected;
    state.caret = state.anchor = index;
    InvalidateRect(window, nullptr, TRUE);
    changed = true;
  } else {
    changed = SelectOnly(window, state, index);
  }
  if (changed) NotifyList(window, state, LBN_SELCHANGE);
  return changed;
}

void KeyDown(HWND window, ListState& state, WPARAM key) {
  int count = Count(state);
  if (count == 0) return;
  int current = Multiple(window) ? state.caret : std::max(state.selection, 0);
  int page = PageSize(window, state);
  int next;
  switch (key) {
    case VK_UP: next = current - 1; break;
    case VK_DOWN: next = state.selection < 0 && !Multiple(window) ? 0 : current + 1; break;
    case VK_PRIOR: next = current - page + 1; break;
    case VK_NEXT: next = current + page - 1; break;
    case VK_HOME: next = 0; break;
    case VK_END: next = count - 1; break;
    case VK_SPACE:
      if (Style(window) & LBS_MULTIPLESEL) Choose(window, state, current, true);
      return;
    default: return;
  }
  next = std::clamp(next, 0, count - 1);
  if (Style(window) & LBS_MULTIPLESEL) {
    state.caret = next;
    EnsureVisible(window, state, next);
    InvalidateRect(window, nullptr, TRUE);
    return;
  }
  Choose(window, state, next, false);
}

LRESULT CopyText(const ListState& state, HWND window, WPARAM index, LPARAM buffer) {
  if (!Valid(state, index) || !buffer) return LB_ERR;
  const Item& item = state.items[index];
  if (!HasStrings(window)) {
    std::memcpy(reinterpret_cast<void*>(buffer), &item.data, sizeof item.data);
    return sizeof item.data;
  }
  std::memcpy(reinterpret_cast<char*>(buffer), item.text.c_str(), item.text.size() + 1);
  return static_cast<LRESULT>(item.text.size());
}

LRESULT SelectionMessage(HWND window, ListState& state, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case LB_SETCURSEL:
      if (Multiple(window)) return LB_ERR;
      if (!Valid(state, wParam)) {
        SelectOnly(window, state, -1);
        return LB_ERR;
      }
      SelectOnly(window, state, static_cast<int>(wParam));
      return static_cast<LRESULT>(wParam);
    case LB_GETCURSEL:
      if (Multiple(window)) return Count(state) ? state.caret : LB_ERR;
      return state.selection;
    case LB_SETSEL: {
      if (!Multiple(window)) return LB_ERR;
      int index = static_cast<int>(lParam);
      if (index == -1) {
        for (Item& item : state.items) item.selected = wParam != 0;
      } else if (Valid(state, static_cast<WPARAM>(index))) {
        state.items[static_cast<std::size_t>(index)].selected = wParam != 0;
        state.caret = index;
      } else {
        return LB_ERR;
      }
      InvalidateRect(window, nullptr, TRUE);
      return LB_OKAY;
    }
    case LB_GETSEL:
      if (!Valid(state, wParam)) return LB_ERR;
      return Multiple(window) ? state.items[wParam].selected : static_cast<int>(wParam) == state.selection;
    case LB_GETSELCOUNT:
      if (!Multiple(window)) return LB_ERR;
      return std::count_if(state.items.begin(), state.items.end(), [](const Item& item) { return item.selected; });
    case LB_GETSELITEMS: {
      if (!Multiple(window) || !lParam) return LB_ERR;
      auto* out = reinterpret_cast<int*>(lParam);
      int written = 0;
      for (int i = 0; i < Count(state) && written < static_cast<int>(wParam); ++i)
        if (state.items[static_cast<std::size_t>(i)].selected) out[written++] = i;
      return written;
    }
    case LB_SELECTSTRING: {
      int found = Find(state, static_cast<int>(wParam), lParam ? reinterpret_cast<const char*>(lParam) : "", false);
      if (found >= 0) SelectOnly(window, state, found);
      return found;
    }
    default: return LB_ERR;
  }
}

LRESULT CALLBACK ListBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ListState* state = TrackState<ListState>(window, message);
  if (!state) return DefWindowProc(window, message, wParam, lParam);
  switch (message) {
    case WM_CREATE: {
      auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
      state->scrollBar = create && (create->style & WS_VSCROLL);
      state->keepBar = create && (create->style & LBS_DISABLENOSCROLL);
      if (create && create->lpCreateParams && create->lpszClass && CompareNoCase(create->lpszClass, kComboListClass) == 0)
        state->owner = static_cast<HWND>(create->lpCreateParams);
      UpdateScrollBar(window, *state);
      return 0;
    }
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFONT:
      state->font = reinterpret_cast<HFONT>(wParam);
      if (!OwnerDrawn(window)) state->itemHeight = 0;
      if (lParam) Changed(window, *state);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(state->font);
    case WM_PAINT: Paint(window, *state); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: UpdateScrollBar(window, *state); return 0;
    case WM_ENABLE: InvalidateRect(window, nullptr, TRUE); return 0;
    case WM_SETFOCUS:
      state->focused = true;
      InvalidateRect(window, nullptr, TRUE);
      NotifyList(window, *state, LBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      state->focused = false;
      InvalidateRect(window, nullptr, TRUE);
      NotifyList(window, *state, LBN_KILLFOCUS);
      return 0;
    // The list of a combo box lies over the dialog it belongs to: a click on
    // it chooses an item and leaves the dialog active, so that its combo box
    // keeps the focus and the list stays open for the click.
    case WM_MOUSEACTIVATE:
      if (state->owner) return MA_NOACTIVATE;
      return DefWindowProc(window, message, wParam, lParam);
    case WM_LBUTTONDOWN: {
      if (!state->owner) SetFocus(window);
      int index = IndexAt(window, *state, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      bool toggle = (Style(window) & LBS_MULTIPLESEL) || ((Style(window) & LBS_EXTENDEDSEL) && (wParam & MK_CONTROL));
      bool changed = Choose(window, *state, index, toggle);
      if (state->owner && index >= 0 && !changed) NotifyList(window, *state, kComboListChosenAgain);
      return 0;
    }
    case WM_LBUTTONDBLCLK:
      NotifyList(window, *state, LBN_DBLCLK);
      return 0;
    case WM_KEYDOWN: KeyDown(window, *state, wParam); return 0;
    case WM_CHAR: {
      // A typed character goes to the next item that begins with it.
      int found = Find(*state, Multiple(window) ? state->caret : state->selection, std::string(1, static_cast<char>(wParam)), false);
      if (found >= 0 && HasStrings(window)) Choose(window, *state, found, false);
      return 0;
    }
    case WM_VSCROLL: {
      int page = PageSize(window, *state);
      switch (LOWORD(wParam)) {
        case SB_LINEUP: SetTop(window, *state, state->top - 1); break;
        case SB_LINEDOWN: SetTop(window, *state, state->top + 1); break;
        case SB_PAGEUP: SetTop(window, *state, state->top - page); break;
        case SB_PAGEDOWN: SetTop(window, *state, state->top + page); break;
        case SB_TOP: SetTop(window, *state, 0); break;
        case SB_BOTTOM: SetTop(window, *state, Count(*state)); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: SetTop(window, *state, static_cast<short>(HIWORD(wParam))); break;
        default: break;
      }
      return 0;
    }
    case LB_ADDSTRING: {
      bool sorted = (Style(window) & LBS_SORT) && HasStrings(window);
      int index = sorted ? SortedIndex(*state, lParam ? reinterpret_cast<const char*>(lParam) : "") : -1;
      return Insert(window, *state, index, lParam);
    }
    case LB_INSERTSTRING:
      if (static_cast<int>(wParam) > Count(*state)) return LB_ERR;
      return Insert(window, *state, static_cast<int>(wParam), lParam);
    case LB_DELETESTRING: {
      if (!Valid(*state, wParam)) return LB_ERR;
      int index = static_cast<int>(wParam);
      state->items.erase(state->items.begin() + index);
      if (state->selection == index) state->selection = -1;
      else if (state->selection > index) --state->selection;
      state->caret = std::min(state->caret, std::max(0, Count(*state) - 1));
      SetTop(window, *state, state->top);
      return Count(*state);
    }
    case LB_RESETCONTENT:
      state->items.clear();
      state->selection = -1;
      state->caret = state->anchor = state->top = 0;
      Changed(window, *state);
      return 0;
    case LB_GETCOUNT: return Count(*state);
    case LB_GETTEXT: return CopyText(*state, window, wParam, lParam);
    case LB_GETTEXTLEN:
      if (!Valid(*state, wParam)) return LB_ERR;
      return HasStrings(window) ? static_cast<LRESULT>(state->items[wParam].text.size()) : sizeof(ULONG_PTR);
    case LB_GETITEMDATA: return Valid(*state, wParam) ? static_cast<LRESULT>(state->items[wParam].data) : LB_ERR;
    case LB_SETITEMDATA:
      if (!Valid(*state, wParam)) return LB_ERR;
      state->items[wParam].data = static_cast<ULONG_PTR>(lParam);
      return LB_OKAY;
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT: {
      if (!HasStrings(window)) {
        for (int i = 0; i < Count(*state); ++i)
          if (state->items[static_cast<std::size_t>(i)].data == static_cast<ULONG_PTR>(lParam)) return i;
        return LB_ERR;
      }
      return Find(*state, static_cast<int>(wParam), lParam ? reinterpret_cast<const char*>(lParam) : "",
                  message == LB_FINDSTRINGEXACT);
    }
    case LB_GETTOPINDEX: return state->top;
    case LB_SETTOPINDEX:
      if (!Valid(*state, wParam) && wParam != 0) return LB_ERR;
      SetTop(window, *state, static_cast<int>(wParam));
      return LB_OKAY;
    case LB_GETCARETINDEX: return state->caret;
    case LB_SETCARETINDEX:
      if (!Valid(*state, wParam)) return LB_ERR;
      state->caret = static_cast<int>(wParam);
      EnsureVisible(window, *state, state->caret);
      return LB_OKAY;
    case LB_GETITEMHEIGHT: return ItemHeight(window, *state);
    case LB_SETITEMHEIGHT:
      if (LOWORD(lParam) == 0 || LOWORD(lParam) > 255) return LB_ERR;
      state->itemHeight = LOWORD(lParam);
      Changed(window, *state);
      return LB_OKAY;
    case LB_GETITEMRECT: {
      auto* rect = reinterpret_cast<RECT*>(lParam);
      if (!rect || !Valid(*state, wParam)) return LB_ERR;
      RECT client;
      GetClientRect(window, &client);
      int height = ItemHeight(window, *state), y = (static_cast<int>(wParam) - state->top) * height;
      *rect = RECT{client.left, y, client.right, y + height};
      return LB_OKAY;
    }
    case LB_ITEMFROMPOINT: {
      int index = IndexAt(window, *state, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return index < 0 ? MAKELRESULT(std::max(0, Count(*state) - 1), 1) : MAKELRESULT(index, 0);
    }
    case LB_SETCURSEL:
    case LB_GETCURSEL:
    case LB_SETSEL:
    case LB_GETSEL:
    case LB_GETSELCOUNT:
    case LB_GETSELITEMS:
    case LB_SELECTSTRING: return SelectionMessage(window, *state, message, wParam, lParam);
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace

void RegisterListBoxClasses() {
  RegisterControlClass(WC_LISTBOX, ListBoxProc, CS_DBLCLKS | CS_PARENTDC, IDC_ARROW);
  RegisterControlClass(kComboListClass, ListBoxProc, CS_DBLCLKS | CS_SAVEBITS, IDC_ARROW);
}

}  // namespace layer::controls
