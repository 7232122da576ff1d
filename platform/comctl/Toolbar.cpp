// The toolbar: buttons laid out left to right (wrapping where a button says
// so, or where the window ends for TBSTYLE_WRAPABLE), drawn with images of
// an image list. A press and a release over an enabled button tell the owner
// with WM_COMMAND; check buttons keep their state, those of a group one at a
// time. A flat bar shows the edge of the button under the pointer until the
// pointer leaves the bar.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "comctl/CommCtrl.h"
#include "comctl/ControlSupport.h"
#include "user/ControlDrawing.h"
#include "user/Controls.h"
#include "win32/Resources.h"

namespace layer::comctl {
namespace {

constexpr int kSeparatorWidth = 8;
constexpr int kButtonExtra = 7;   // a button is its image plus this much each way
constexpr int kTextPadding = 4;
constexpr DWORD kFillWhereSourceBlack = 0x00B8074AU;  // pattern where the source is black, else the destination

struct Button {
  TBBUTTON info{};
  RECT rect{};  // empty while hidden
};

struct Toolbar {
  std::vector<Button> buttons;
  std::vector<std::string> strings;
  SIZE bitmapSize{16, 15};
  SIZE buttonSize{23, 22};
  HIMAGELIST images = nullptr;     // set by the owner
  HIMAGELIST ownImages = nullptr;  // made for TB_ADDBITMAP
  HWND owner = nullptr;
  HFONT font = nullptr;
  int indent = 0;
  int rows = 1;
  int pressed = -1;
  bool pressedInside = false;
  int hot = -1;
  DWORD extraStyle = 0;
};

bool ValidIndex(const Toolbar& bar, WPARAM index) { return index < bar.buttons.size(); }
bool IsSeparator(const TBBUTTON& button) { return (button.fsStyle & TBSTYLE_SEP) != 0; }

int IndexOf(const Toolbar& bar, WPARAM command) {
  for (size_t i = 0; i < bar.buttons.size(); ++i)
    if (bar.buttons[i].info.idCommand == static_cast<int>(command)) return static_cast<int>(i);
  return -1;
}

DWORD Style(HWND window, const Toolbar& bar) { return static_cast<DWORD>(GetWindowLong(window, GWL_STYLE)) | bar.extraStyle; }

HIMAGELIST ImagesOf(const Toolbar& bar) { return bar.images ? bar.images : bar.ownImages; }

bool HasTexts(const Toolbar& bar) {
  return std::any_of(bar.buttons.begin(), bar.buttons.end(), [&](const Button& button) {
    return button.info.iString >= 0 && static_cast<size_t>(button.info.iString) < bar.strings.size();
  });
}

const std::string* TextOf(const Toolbar& bar, const TBBUTTON& button) {
  if (button.iString < 0 || static_cast<size_t>(button.iString) >= bar.strings.size()) return nullptr;
  return &bar.strings[static_cast<size_t>(button.iString)];
}

// Texts go under the images: buttons grow to hold the widest and a line.
SIZE ButtonSize(HWND window, const Toolbar& bar) {
  if (!HasTexts(bar)) return bar.buttonSize;
  return WithFont(window, bar.font, [&](HDC dc) {
    int widest = 0;
    for (const Button& button : bar.buttons)
      if (const std::string* text = TextOf(bar, button.info)) widest = std::max(widest, TextWidth(dc, *text));
    return SIZE{std::max<LONG>(bar.buttonSize.cx, widest + 2 * kTextPadding),
                std::max<LONG>(bar.buttonSize.cy, bar.bitmapSize.cy + kButtonExtra + FontHeight(dc))};
  });
}

int WidthOf(const TBBUTTON& button, SIZE size) {
  if (!IsSeparator(button)) return size.cx;
  return button.iBitmap > 0 ? button.iBitmap : kSeparatorWidth;
}

void Layout(HWND window, Toolbar& bar) {
  RECT client;
  GetClientRect(window, &client);
  const SIZE size = ButtonSize(window, bar);
  const bool wrapable = (Style(window, bar) & TBSTYLE_WRAPABLE) != 0;
  int x = bar.indent, y = 0;
  bar.rows = 1;
  for (Button& button : bar.buttons) {
    if (button.info.fsState & TBSTATE_HIDDEN) {
      button.rect = RECT{};
      continue;
    }
    const int width = WidthOf(button.info, size);
    if (wrapable && x > bar.indent && x + width > client.right && !IsSeparator(button.info)) {
      x = bar.indent;
      y += size.cy;
      ++bar.rows;
    }
    button.rect = RECT{x, y, x + width, y + size.cy};
    x += width;
    if (button.info.fsState & TBSTATE_WRAP) {
      x = bar.indent;
      y += size.cy;
      ++bar.rows;
    }
  }
  InvalidateRect(window, nullptr, TRUE);
}

// Paints the opaque pixels of an image in one colour (the engraved look of
// a disabled button).
void DrawShape(HDC dc, HIMAGELIST images, int image, int x, int y, COLORREF color, SIZE size) {
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP shape = CreateCompatibleBitmap(dc, size.cx, size.cy);
  HGDIOBJ oldBitmap = SelectObject(memory, shape);
  ImageList_Draw(images, image, memory, 0, 0, ILD_MASK);
  HBRUSH brush = CreateSolidBrush(color);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  BitBlt(dc, x, y, size.cx, size.cy, memory, 0, 0, kFillWhereSourceBlack);
  SelectObject(dc, oldBrush);
  DeleteObject(brush);
  SelectObject(memory, oldBitmap);
  DeleteObject(shape);
  DeleteDC(memory);
}

void DrawImage(HDC dc, const Toolbar& bar, const TBBUTTON& button, RECT area, bool down) {
  HIMAGELIST images = ImagesOf(bar);
  if (!images || button.iBitmap < 0 || button.iBitmap >= ImageList_GetImageCount(images)) return;
  int width = 0, height = 0;
  ImageList_GetIconSize(images, &width, &height);
  const int x = area.left + (area.right - area.left - width) / 2 + (down ? 1 : 0);
  const int y = area.top + (kButtonExtra + 1) / 2 + (down ? 1 : 0);
  if (button.fsState & TBSTATE_ENABLED) {
    ImageList_Draw(images, button.iBitmap, dc, x, y, ILD_TRANSPARENT);
    return;
  }
  DrawShape(dc, images, button.iBitmap, x + 1, y + 1, GetSysColor(COLOR_BTNHIGHLIGHT), SIZE{width, height});
  DrawShape(dc, images, button.iBitmap, x, y, GetSysColor(COLOR_BTNSHADOW), SIZE{width, height});
}

void DrawSeparator(HDC dc, HWND window, const Toolbar& bar, const RECT& rect) {
  if (!(Style(window, bar) & TBSTYLE_FLAT)) return;
  RECT line{(rect.left + rect.right) / 2 - 1, rect.top + 2, (rect.left + rect.right) / 2 + 1, rect.bottom - 2};
  DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
}

// Flat buttons show their edge only under the pointer or when held down.
void DrawButton(HDC dc, HWND window, const Toolbar& bar, size_t index) {
  const Button& button = bar.buttons[index];
  RECT rect = button.rect;
  if (IsSeparator(button.info)) {
    DrawSeparator(dc, window, bar, rect);
    return;
  }
  const BYTE state = button.info.fsState;
  const bool held = bar.pressed == static_cast<int>(index) && bar.pressedInside;
  const bool down = held || (state & (TBSTATE_PRESSED | TBSTATE_CHECKED));
  const bool enabled = state & TBSTATE_ENABLED;
  if (Style(window, bar) & TBSTYLE_FLAT) {
    if (down) DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT);
    else if (enabled && bar.hot == static_cast<int>(index)) DrawEdge(dc, &rect, BDR_RAISEDINNER, BF_RECT);
  } else {
    DrawFrameControl(dc, &rect, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0) | (enabled ? 0 : DFCS_INACTIVE));
  }
  DrawImage(dc, bar, button.info, rect, down);
  if (const std::string* text = TextOf(bar, button.info)) {
    RECT line{rect.left, rect.top + bar.bitmapSize.cy + kButtonExtra / 2, rect.right, rect.bottom};
    SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    DrawText(dc, text->c_str(), static_cast<int>(text->size()), &line, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
}

void Paint(HWND window, const Toolbar& bar) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  FillRect(dc, &paint.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
  HGDIOBJ oldFont = SelectObject(dc, FontOr(bar.font));
  SetBkMode(dc, TRANSPARENT);
  for (size_t i = 0; i < bar.buttons.size(); ++i) {
    RECT overlap;
    if (IntersectRect(&overlap, &bar.buttons[i].rect, &paint.rcPaint)) DrawButton(dc, window, bar, i);
  }
  SelectObject(dc, oldFont);
  EndPaint(window, &paint);
}

int HitTest(const Toolbar& bar, POINT point) {
  for (size_t i = 0; i < bar.buttons.size(); ++i) {
    if (!PtInRect(&bar.buttons[i].rect, point)) continue;
    return IsSeparator(bar.buttons[i].info) ? -static_cast<int>(i) - 1 : static_cast<int>(i);
  }
  return -1;
}

void InvalidateButton(HWND window, const Toolbar& bar, int index) {
  if (index >= 0 && static_cast<size_t>(index) < bar.buttons.size())
    InvalidateRect(window, &bar.buttons[static_cast<size_t>(index)].rect, TRUE);
}

HWND OwnerOf(HWND window, const Toolbar& bar) { return bar.owner ? bar.owner : GetParent(window); }

// The other check buttons of a group let go when one is checked.
void CheckInGroup(HWND window, Toolbar& bar, size_t index) {
  size_t first = index, last = index;
  const auto inGroup = [&](size_t i) { return (bar.buttons[i].info.fsStyle & TBSTYLE_CHECKGROUP) == TBSTYLE_CHECKGROUP; };
  while (first > 0 && inGroup(first - 1)) --first;
  while (last + 1 < bar.buttons.size() && inGroup(last + 1)) ++last;
  for (size_t i = first; i <= last; ++i) {
    BYTE& state = bar.buttons[i].info.fsState;
    const BYTE wanted = i == index ? (state | TBSTATE_CHECKED) : (state & ~TBSTATE_CHECKED);
    if (wanted != state) {
      state = wanted;
      InvalidateButton(window, bar, static_cast<int>(i));
    }
  }
}

void Click(HWND window, Toolbar& bar, size_t index) {
  TBBUTTON& button = bar.buttons[index].info;
  if ((button.fsStyle & TBSTYLE_CHECKGROUP) == TBSTYLE_CHECKGROUP) CheckInGroup(window, bar, index);
  else if (button.fsStyle & TBSTYLE_CHECK) button.fsState ^= TBSTATE_CHECKED;
  InvalidateButton(window, bar, static_cast<int>(index));
  SendMessage(OwnerOf(window, bar), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(button.idCommand), BN_CLICKED),
              reinterpret_cast<LPARAM>(window));
}

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

void OnButtonDown(HWND window, Toolbar& bar, LPARAM lParam) {
  const int index = HitTest(bar, PointOf(lParam));
  if (index < 0 || !(bar.buttons[static_cast<size_t>(index)].info.fsState & TBSTATE_ENABLED)) return;
  bar.pressed = index;
  bar.pressedInside = true;
  SetCapture(window);
  InvalidateButton(window, bar, index);
  UpdateWindow(window);
}

void SetHot(HWND window, Toolbar& bar, int hot) {
  if (hot == bar.hot) return;
  InvalidateButton(window, bar, bar.hot);
  bar.hot = hot;
  InvalidateButton(window, bar, hot);
}

void OnMouseMove(HWND window, Toolbar& bar, LPARAM lParam) {
  const int index = HitTest(bar, PointOf(lParam));
  if (bar.pressed >= 0) {
    const bool inside = index == bar.pressed;
    if (inside != bar.pressedInside) {
      bar.pressedInside = inside;
      InvalidateButton(window, bar, bar.pressed);
    }
    return;
  }
  const int hot = index >= 0 && (bar.buttons[static_cast<size_t>(index)].info.fsState & TBSTATE_ENABLED) ? index : -1;
  SetHot(window, bar, hot);
  // The button under the pointer loses its edge when the pointer leaves the bar.
  if (hot >= 0) {
    TRACKMOUSEEVENT leave{sizeof(TRACKMOUSEEVENT), TME_LEAVE, window, 0};
    TrackMouseEvent(&leave);
  }
}

void OnButtonUp(HWND window, Toolbar& bar, LPARAM lParam) {
  if (bar.pressed < 0) return;
  const int index = bar.pressed;
  const bool inside = HitTest(bar, PointOf(lParam)) == index;
  bar.pressed = -1;
  bar.pressedInside = false;
  ReleaseCapture();
  InvalidateButton(window, bar, index);
  if (inside && IsWindow(window)) Click(window, bar, static_cast<size_t>(index));
}

// Images of a bitmap (a resource, or with no module a bitmap handle); the
// bitmap must hold as many images as asked for.
int AddBitmap(HWND window, Toolbar& bar, WPARAM count, const TBADDBITMAP* request) {
  if (!request || count == 0) return -1;
  HBITMAP bitmap = request->hInst ? LoadBitmap(request->hInst, MAKEINTRESOURCE(request->nID))
                                  : reinterpret_cast<HBITMAP>(request->nID);
  BITMAP info{};
  if (!bitmap || !GetObject(bitmap, sizeof info, &info) || info.bmWidth / std::max<LONG>(1, bar.bitmapSize.cx) < static_cast<LONG>(count)) {
    if (request->hInst && bitmap) DeleteObject(bitmap);
    return -1;
  }
  if (!bar.ownImages) bar.ownImages = ImageList_Create(bar.bitmapSize.cx, bar.bitmapSize.cy, ILC_MASK | ILC_COLOR24, 16, 16);
  const int first = ImageList_AddMasked(bar.ownImages, bitmap, GetSysColor(COLOR_BTNFACE));
  const int added = ImageList_GetImageCount(bar.ownImages) - first;
  // Images beyond the count asked for are not the bar's.
  for (int extra = added - static_cast<int>(count); extra > 0; --extra)
    ImageList_Remove(bar.ownImages, ImageList_GetImageCount(bar.ownImages) - 1);
  if (request->hInst) DeleteObject(bitmap);
  InvalidateRect(window, nullptr, TRUE);
  return first;
}

BOOL InsertButtons(HWND window, Toolbar& bar, size_t at, const TBBUTTON* buttons, size_t count) {
  if (!buttons) return FALSE;
  at = std::min(at, bar.buttons.size());
  std::vector<Button> added(count);
  for (size_t i = 0; i < count; ++i) added[i].info = buttons[i];
  bar.buttons.insert(bar.buttons.begin() + static_cast<std::ptrdiff_t>(at), added.begin(), added.end());
  Layout(window, bar);
  return TRUE;
}

// Texts one after the other, each ended by a NUL, the last by two.
int AddStrings(Toolbar& bar, WPARAM module, LPARAM texts) {
  const int first = static_cast<int>(bar.strings.size());
  if (module) {
    char buffer[256] = {};
    if (!LoadString(reinterpret_cast<HINSTANCE>(module), static_cast<UINT>(texts), buffer, sizeof buffer)) return -1;
    bar.strings.emplace_back(buffer);
    return first;
  }
  const char* text = reinterpret_cast<const char*>(texts);
  if (!text) return -1;
  for (; *text; text += std::strlen(text) + 1) bar.strings.emplace_back(text);
  return first;
}

BOOL SetStateBit(HWND window, Toolbar& bar, WPARAM command, BYTE bit, bool on) {
  const int index = IndexOf(bar, command);
  if (index < 0) return FALSE;
  BYTE& state = bar.buttons[static_cast<size_t>(index)].info.fsState;
  const BYTE old = state;
  state = on ? (state | bit) : (state & ~bit);
  // A disabled button is no longer held down.
  if (bit == TBSTATE_ENABLED && !on) state &= ~TBSTATE_PRESSED;
  if (bit == TBSTATE_HIDDEN && state != old) Layout(window, bar);
  else if (state != old) InvalidateButton(window, bar, index);
  return TRUE;
}

LRESULT StateBit(const Toolbar& bar, WPARAM command, BYTE bit) {
  const int index = IndexOf(bar, command);
  return index < 0 ? -1 : (bar.buttons[static_cast<size_t>(index)].info.fsState & bit) != 0;
}

int InfoIndex(const Toolbar& bar, WPARAM which, const TBBUTTONINFO& info) {
  if (info.dwMask & TBIF_BYINDEX) return ValidIndex(bar, which) ? static_cast<int>(which) : -1;
  return IndexOf(bar, which);
}

LRESULT GetButtonInfo(const Toolbar& bar, WPARAM which, TBBUTTONINFO* info) {
  const int index = info ? InfoIndex(bar, which, *info) : -1;
  if (index < 0) return -1;
  const Button& button = bar.buttons[static_cast<size_t>(index)];
  if (info->dwMask & TBIF_COMMAND) info->idCommand = button.info.idCommand;
  if (info->dwMask & TBIF_IMAGE) info->iImage = button.info.iBitmap;
  if (info->dwMask & TBIF_STATE) info->fsState = button.info.fsState;
  if (info->dwMask & TBIF_STYLE) info->fsStyle = button.info.fsStyle;
  if (info->dwMask & TBIF_LPARAM) info->lParam = button.info.dwData;
  if (info->dwMask & TBIF_SIZE) info->cx = static_cast<WORD>(button.rect.right - button.rect.left);
  return index;
}

// Only a change of place lays the buttons out again.
BOOL SetButtonInfo(HWND window, Toolbar& bar, WPARAM which, const TBBUTTONINFO* info) {
  const int index = info ? InfoIndex(bar, which, *info) : -1;
  if (index < 0) return FALSE;
  TBBUTTON& button = bar.buttons[static_cast<size_t>(index)].info;
  const TBBUTTON old = button;
  if (info->dwMask & TBIF_COMMAND) button.idCommand = info->idCommand;
  if (info->dwMask & TBIF_IMAGE) button.iBitmap = info->iImage;
  if (info->dwMask & TBIF_STATE) button.fsState = info->fsState;
  if (info->dwMask & TBIF_STYLE) button.fsStyle = info->fsStyle;
  if (info->dwMask & TBIF_LPARAM) button.dwData = info->lParam;
  const bool moved = ((old.fsState ^ button.fsState) & (TBSTATE_HIDDEN | TBSTATE_WRAP)) || old.fsStyle != button.fsStyle ||
                     (IsSeparator(button) && old.iBitmap != button.iBitmap);
  if (moved) Layout(window, bar);
  else InvalidateButton(window, bar, index);
  return TRUE;
}

LRESULT ButtonMessage(HWND window, Toolbar& bar, UINT message, WPARAM wParam, LPARAM lParam) {
  const bool on = LOWORD(lParam) != 0;
  switch (message) {
    case TB_ENABLEBUTTON: return SetStateBit(window, bar, wParam, TBSTATE_ENABLED, on);
    case TB_CHECKBUTTON: return SetStateBit(window, bar, wParam, TBSTATE_CHECKED, on);
    case TB_PRESSBUTTON: return SetStateBit(window, bar, wParam, TBSTATE_PRESSED, on);
    case TB_HIDEBUTTON: return SetStateBit(window, bar, wParam, TBSTATE_HIDDEN, on);
    case TB_INDETERMINATE: return SetStateBit(window, bar, wParam, TBSTATE_INDETERMINATE, on);
    case TB_ISBUTTONENABLED: return StateBit(bar, wParam, TBSTATE_ENABLED);
    case TB_ISBUTTONCHECKED: return StateBit(bar, wParam, TBSTATE_CHECKED);
    case TB_ISBUTTONPRESSED: return StateBit(bar, wParam, TBSTATE_PRESSED);
    case TB_ISBUTTONHIDDEN: return StateBit(bar, wParam, TBSTATE_HIDDEN);
    case TB_ISBUTTONINDETERMINATE: return StateBit(bar, wParam, TBSTATE_INDETERMINATE);
    case TB_GETSTATE: {
      const int index = IndexOf(bar, wParam);
      return index < 0 ? -1 : bar.buttons[static_cast<size_t>(index)].info.fsState;
    }
    case TB_SETSTATE: {
      const int index = IndexOf(bar, wParam);
      if (index < 0) return FALSE;
      const bool placeChanged =
          ((bar.buttons[static_cast<size_t>(index)].info.fsState ^ LOWORD(lParam)) & (TBSTATE_HIDDEN | TBSTATE_WRAP)) != 0;
      bar.buttons[static_cast<size_t>(index)].info.fsState = static_cast<BYTE>(LOWORD(lParam));
      if (placeChanged) Layout(window, bar);
      else InvalidateButton(window, bar, index);
      return TRUE;
    }
    case TB_GETBUTTON: {
      auto* button = reinterpret_cast<TBBUTTON*>(lParam);
      if (!button || !ValidIndex(bar, wParam)) return FALSE;
      *button = bar.buttons[wParam].info;
      return TRUE;
    }
    case TB_SETCMDID:
      if (!ValidIndex(bar, wParam)) return FALSE;
      bar.buttons[wParam].info.idCommand = static_cast<int>(lParam);
      return TRUE;
    case TB_GETITEMRECT: {
      auto* rect = reinterpret_cast<RECT*>(lParam);
      if (!rect || !ValidIndex(bar, wParam)) return FALSE;
      *rect = bar.buttons[wParam].rect;
      return TRUE;
    }
    case TB_GETBUTTONTEXT: {
      const int index = IndexOf(bar, wParam);
      const std::string* text = index < 0 ? nullptr : TextOf(bar, bar.buttons[static_cast<size_t>(index)].info);
      if (!text) return -1;
      if (lParam) CopyText(*text, reinterpret_cast<LPSTR>(lParam), static_cast<int>(text->size() + 1));
      return static_cast<LRESULT>(text->size());
    }
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

LRESULT Messages(HWND window, Toolbar& bar, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case TB_ENABLEBUTTON:
    case TB_CHECKBUTTON:
    case TB_PRESSBUTTON:
    case TB_HIDEBUTTON:
    case TB_INDETERMINATE:
    case TB_ISBUTTONENABLED:
    case TB_ISBUTTONCHECKED:
    case TB_ISBUTTONPRESSED:
    case TB_ISBUTTONHIDDEN:
    case TB_ISBUTTONINDETERMINATE:
    case TB_GETSTATE:
    case TB_SETSTATE:
    case TB_GETBUTTON:
    case TB_SETCMDID:
    case TB_GETITEMRECT:
    case TB_GETBUTTONTEXT: return ButtonMessage(window, bar, message, wParam, lParam);
    case TB_GETBUTTONINFO: return GetButtonInfo(bar, wParam, reinterpret_cast<TBBUTTONINFO*>(lParam));
    case TB_SETBUTTONINFO: return SetButtonInfo(window, bar, wParam, reinterpret_cast<const TBBUTTONINFO*>(lParam));
    case TB_BUTTONSTRUCTSIZE: return 0;
    case TB_ADDBUTTONS:
      return InsertButtons(window, bar, bar.buttons.size(), reinterpret_cast<const TBBUTTON*>(lParam), wParam);
    case TB_INSERTBUTTON: return InsertButtons(window, bar, wParam, reinterpret_cast<const TBBUTTON*>(lParam), 1);
    case TB_DELETEBUTTON:
      if (!ValidIndex(bar, wParam)) return FALSE;
      bar.buttons.erase(bar.buttons.begin() + static_cast<std::ptrdiff_t>(wParam));
      bar.pressed = bar.hot = -1;
      Layout(window, bar);
      return TRUE;
    case TB_BUTTONCOUNT: return static_cast<LRESULT>(bar.buttons.size());
    case TB_COMMANDTOINDEX: return IndexOf(bar, wParam);
    case TB_ADDBITMAP: return AddBitmap(window, bar, wParam, reinterpret_cast<const TBADDBITMAP*>(lParam));
    case TB_ADDSTRING: return AddStrings(bar, wParam, lParam);
    case TB_SETBUTTONSIZE:
    case TB_SETBITMAPSIZE: {
      const SIZE size{std::max<LONG>(1, static_cast<SHORT>(LOWORD(lParam))), std::max<LONG>(1, static_cast<SHORT>(HIWORD(lParam)))};
      (message == TB_SETBUTTONSIZE ? bar.buttonSize : bar.bitmapSize) = size;
      Layout(window, bar);
      return TRUE;
    }
    case TB_GETBUTTONSIZE: {
      const SIZE size = ButtonSize(window, bar);
      return MAKELONG(size.cx, size.cy);
    }
    case TB_AUTOSIZE: Layout(window, bar); return 0;
    case TB_SETPARENT: {
      HWND old = OwnerOf(window, bar);
      bar.owner = reinterpret_cast<HWND>(wParam);
      return reinterpret_cast<LRESULT>(old);
    }
    case TB_GETROWS: return bar.rows;
    case TB_SETINDENT: bar.indent = static_cast<int>(wParam); Layout(window, bar); return TRUE;
    case TB_SETIMAGELIST: {
      HIMAGELIST old = bar.images;
      bar.images = reinterpret_cast<HIMAGELIST>(lParam);
      InvalidateRect(window, nullptr, TRUE);
      return reinterpret_cast<LRESULT>(old);
    }
    case TB_GETIMAGELIST: return reinterpret_cast<LRESULT>(ImagesOf(bar));
    case TB_SETSTYLE:
      bar.extraStyle = static_cast<DWORD>(lParam) & 0xFFFF;
      Layout(window, bar);
      return 0;
    case TB_GETSTYLE: return static_cast<LRESULT>(Style(window, bar) & 0xFFFF);
    case TB_HITTEST: {
      const auto* point = reinterpret_cast<const POINT*>(lParam);
      return point ? HitTest(bar, *point) : -1;
    }
    case TB_GETHOTITEM: return bar.hot;
    case WM_SETFONT:
      bar.font = reinterpret_cast<HFONT>(wParam);
      Layout(window, bar);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(bar.font);
    case WM_SIZE: Layout(window, bar); return 0;
    case WM_SYSCOLORCHANGE: InvalidateRect(window, nullptr, TRUE); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(window, bar); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: OnButtonDown(window, bar, lParam); return 0;
    case WM_MOUSEMOVE: OnMouseMove(window, bar, lParam); return 0;
    case WM_MOUSELEAVE: SetHot(window, bar, -1); return 0;
    case WM_LBUTTONUP: OnButtonUp(window, bar, lParam); return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != window && bar.pressed >= 0) {
        InvalidateButton(window, bar, bar.pressed);
        bar.pressed = -1;
      }
      return 0;
    case WM_DESTROY:
      if (bar.ownImages) ImageList_Destroy(bar.ownImages);
      bar.ownImages = nullptr;
      return DefWindowProc(window, message, wParam, lParam);
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace

void RegisterToolbarClass() { RegisterControlClass(TOOLBARCLASSNAME, StateProc<Toolbar, Messages>, CS_DBLCLKS); }

}  // namespace layer::comctl
