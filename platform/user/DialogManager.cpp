// Making dialogs from templates, the default dialog procedure and the modal
// loop.
#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <utility>

#include "user/ControlClasses.h"
#include "user/ControlSupport.h"
#include "user/DialogInternal.h"
#include "user/Menus.h"
#include "win32/DialogTemplate.h"
#include "win32/Errors.h"
#include "win32/Gdi.h"
#include "win32/MessageBox.h"
#include "win32/Resources.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

#ifndef ERROR_CANNOT_FIND_WND_CLASS
#define ERROR_CANNOT_FIND_WND_CLASS 1407L
#endif

namespace layer::dialogs {
namespace {

// A template in memory whose size nobody told: the reader stops where the
// template says it ends, as the platform's does.
constexpr std::size_t kUntoldSize = 1u << 20;

std::mutex dataMutex;
std::map<HWND, DialogData>& Dialogs() {
  static auto* dialogs = new std::map<HWND, DialogData>;
  return *dialogs;
}

ModalHook& CurrentModalHook() {
  thread_local ModalHook hook;
  return hook;
}

SIZE BaseUnitsOf(HFONT font) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRIC metrics{};
  GetTextMetrics(dc, &metrics);
  SIZE letters{};
  static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  GetTextExtentPoint32(dc, alphabet, 52, &letters);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  // The platform's rule: the average of the 52 letters, rounded.
  return SIZE{(letters.cx / 26 + 1) / 2, metrics.tmHeight};
}

HFONT TemplateFont(const DialogTemplateInfo& info, bool& owned) {
  owned = false;
  if (!info.hasFont) return static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  LOGFONTA log{};
  log.lfHeight = -MulDiv(info.pointSize, 96, 72);
  log.lfWeight = info.weight ? info.weight : FW_NORMAL;
  log.lfItalic = info.italic;
  log.lfCharSet = info.charset;
  std::strncpy(log.lfFaceName, info.face.c_str(), sizeof log.lfFaceName - 1);
  HFONT font = CreateFontIndirect(&log);
  owned = font != nullptr;
  return font ? font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

RECT ToPixels(SIZE base, short x, short y, short cx, short cy) {
  return RECT{MulDiv(x, base.cx, 4), MulDiv(y, base.cy, 8), MulDiv(x + cx, base.cx, 4), MulDiv(y + cy, base.cy, 8)};
}

HWND TopLevelOf(HWND window) {
  while (window && (GetWindowLong(window, GWL_STYLE) & WS_CHILD)) window = GetParent(window);
  return window;
}

// Where a dialog goes (the top left of its client area): centred on its
// owner (or the screen) with DS_CENTER, else at its template place from the
// owner's client area (from the screen's with DS_ABSALIGN or without owner).
POINT PlaceOf(const DialogTemplateInfo& info, HWND owner, POINT place, SIZE client) {
  if (info.style & WS_CHILD) return place;
  if (info.style & DS_CENTER) {
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (owner) GetWindowRect(owner, &area);
    return POINT{area.left + (area.right - area.left - client.cx) / 2, area.top + (area.bottom - area.top - client.cy) / 2};
  }
  if (owner && !(info.style & DS_ABSALIGN)) ClientToScreen(owner, &place);
  return place;
}

// Grows a new window so that its client area has the size the template asked for.
void FitClient(HWND dialog, const RECT& client) {
  RECT now;
  GetClientRect(dialog, &now);
  int dx = (client.right - client.left) - (now.right - now.left);
  int dy = (client.bottom - client.top) - (now.bottom - now.top);
  if (dx == 0 && dy == 0) return;
  RECT window;
  GetWindowRect(dialog, &window);
  SetWindowPos(dialog, nullptr, 0, 0, window.right - window.left + dx, window.bottom - window.top + dy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool MakeControls(HWND dialog, HINSTANCE module, const DialogTemplateInfo& info, HFONT font, SIZE base) {
  std::vector<HWND> order, groupBoxes;
  for (const DialogItemTemplate& item : info.items) {
    RECT rect = ToPixels(base, item.x, item.y, item.cx, item.cy);
    std::string text = item.text.isNumber ? (item.text.number ? "#" + std::to_string(item.text.number) : "") : item.text.text;
    LPVOID data = item.creationData.empty() ? nullptr : const_cast<BYTE*>(item.creationData.data());
    HWND control = CreateWindowEx(item.exStyle, item.className.c_str(), text.c_str(), item.style | WS_CHILD, rect.left,
                                  rect.top, rect.right - rect.left, rect.bottom - rect.top, dialog,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.id & 0xFFFF)), module, data);
    if (!control) {
      if (info.style & DS_NOFAILCREATE) continue;
      return false;
    }
    SendMessage(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    order.push_back(control);
    if (controls::CompareNoCase(item.className, WC_BUTTON) == 0 && (item.style & BS_TYPEMASK) == BS_GROUPBOX)
      groupBoxes.push_back(control);
  }
  if (DialogData* data = DataOf(dialog)) data->order = order;
  // A group box frames the controls it groups: it goes below them, so they show through it.
  for (HWND box : groupBoxes) SetWindowPos(box, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return true;
}

LRESULT DefaultColours(UINT message, HDC dc) {
  bool window = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
  SetTextColor(dc, GetSysColor(window ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
  SetBkColor(dc, GetSysColor(window ? COLOR_WINDOW : COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(window ? COLOR_WINDOW : COLOR_BTNFACE));
}

void RestoreFocus(HWND dialog, DialogData& data) {
  HWND focus = data.savedFocus && IsWindow(data.savedFocus) && IsChild(dialog, data.savedFocus) ? data.savedFocus
                                                                                                   : GetNextDlgTabItem(dialog, nullptr, FALSE);
  if (focus) SetDialogFocus(dialog, focus);
}

bool ReturnsDirectly(UINT message) {
  return message == WM_INITDIALOG || (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) ||
         message == WM_COMPAREITEM || message == WM_VKEYTOITEM || message == WM_CHARTOITEM || message == 0x0037;
}

LRESULT DefaultHandling(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  DialogData* data = DataOf(dialog);
  if (!data) return DefWindowProc(dialog, message, wParam, lParam);
  switch (message) {
    case WM_ERASEBKGND: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      auto brush = reinterpret_cast<HBRUSH>(SendMessage(dialog, WM_CTLCOLORDLG, wParam, reinterpret_cast<LPARAM>(dialog)));
      RECT client;
      GetClientRect(dialog, &client);
      FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: return DefaultColours(message, reinterpret_cast<HDC>(wParam));
    case WM_SETFONT:
      data->font = reinterpret_cast<HFONT>(wParam);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(data->font);
    case WM_CLOSE: {
      HWND cancel = GetDlgItem(dialog, IDCANCEL);
      if (!cancel || IsWindowEnabled(cancel))
        PostMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
      return 0;
    }
    case DM_GETDEFID: {
      int id = DefaultId(dialog);
      return id ? MAKELRESULT(id, DC_HASDEFID) : 0;
    }
    case DM_SETDEFID:
      data->defaultId = static_cast<int>(wParam);
      UpdateDefaultButton(dialog, GetFocus());
      return TRUE;
    case WM_NEXTDLGCTL: {
      HWND target = lParam ? reinterpret_cast<HWND>(wParam)
                           : GetNextDlgTabItem(dialog, DialogChildOf(dialog, GetFocus()), wParam != 0);
      if (target) SetDialogFocus(dialog, target);
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(dialog, focus)) data->savedFocus = focus;
      } else {
        RestoreFocus(dialog, *data);
      }
      return 0;
    case WM_SETFOCUS: RestoreFocus(dialog, *data); return 0;
    case WM_SETICON: {
      int which = wParam == ICON_SMALL ? ICON_SMALL : ICON_BIG;
      HICON old = data->icons[which];
      data->icons[which] = reinterpret_cast<HICON>(lParam);
      return reinterpret_cast<LRESULT>(old);
    }
    case WM_GETICON: return reinterpret_cast<LRESULT>(data->icons[wParam == ICON_SMALL ? ICON_SMALL : ICON_BIG]);
    case WM_NCDESTROY: {
      std::lock_guard<std::mutex> lock(dataMutex);
      auto found = Dialogs().find(dialog);
      if (found != Dialogs().end()) {
        if (found->second.ownsFont) DeleteObject(found->second.font);
        Dialogs().erase(found);
      }
      return DefWindowProc(dialog, message, wParam, lParam);
    }
    default: return DefWindowProc(dialog, message, wParam, lParam);
  }
}

LRESULT CALLBACK DialogClassProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefDlgProc(dialog, message, wParam, lParam);
}

// A template's bytes: a resource of the module, whose size is known.
const BYTE* TemplateBytes(HINSTANCE module, LPCSTR name, std::size_t& size) {
  DWORD found = 0;
  const BYTE* bytes = ResourceBytes(module, name, RT_DIALOG, &found);
  size = found;
  return bytes;
}

struct Registration {
  Registration() {
    controls::RegisterButtonClass();
    controls::RegisterStaticClass();
    controls::RegisterEditClass();
    controls::RegisterListBoxClasses();
    controls::RegisterComboBoxClass();
    WNDCLASSA dialogClass{};
    dialogClass.style = CS_DBLCLKS | CS_SAVEBITS | CS_GLOBALCLASS;
    dialogClass.lpfnWndProc = DialogClassProc;
    dialogClass.cbWndExtra = DLGWINDOWEXTRA;
    dialogClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    dialogClass.lpszClassName = WC_DIALOG;
    RegisterClass(&dialogClass);
  }
};

}  // namespace

DialogData* DataOf(HWND dialog) {
  std::lock_guard<std::mutex> lock(dataMutex);
  auto found = Dialogs().find(dialog);
  return found == Dialogs().end() ? nullptr : &found->second;
}

HWND CreateFromTemplate(HINSTANCE module, const void* bytes, std::size_t size, HWND parent, DLGPROC proc, LPARAM param,
                        bool modal) {
  RegisterStandardControls();
  DialogTemplateInfo info;
  std::string error;
  if (!ReadDialogTemplate(bytes, size, info, &error)) {
    std::fprintf(stderr, "dialog template refused: %s\n", error.c_str());
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  bool ownsFont = false;
  HFONT font = TemplateFont(info, ownsFont);
  SIZE base = BaseUnitsOf(font);
  HWND owner = (info.style & WS_CHILD) ? parent : TopLevelOf(parent);
  RECT client = ToPixels(base, 0, 0, info.cx, info.cy);
  RECT place = ToPixels(base, info.x, info.y, 0, 0);
  POINT origin = PlaceOf(info, owner, POINT{place.left, place.top}, SIZE{client.right, client.bottom});
  HMENU menu = info.menu.IsEmpty() ? nullptr
                                   : LoadMenu(module, info.menu.isNumber ? MAKEINTRESOURCE(info.menu.number) : info.menu.text.c_str());
  std::string className = info.windowClass.isNumber ? std::string() : info.windowClass.text;
  DWORD exStyle = info.exStyle | WS_EX_CONTROLPARENT | ((info.style & DS_MODALFRAME) ? WS_EX_DLGMODALFRAME : 0);
  HWND dialog = CreateWindowEx(exStyle, className.empty() ? WC_DIALOG : className.c_str(), info.title.c_str(),
                               info.style & ~static_cast<DWORD>(WS_VISIBLE), origin.x, origin.y, client.right, client.bottom,
                               owner, menu, module, reinterpret_cast<LPVOID>(param));
  if (!dialog) {
    if (ownsFont) DeleteObject(font);
    return nullptr;
  }
  {
    std::lock_guard<std::mutex> lock(dataMutex);
    DialogData& data = Dialogs()[dialog];
    data.font = font;
    data.ownsFont = ownsFont;
    data.baseUnits = base;
    data.modal = modal;
  }
  SetWindowLongPtr(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));
  FitClient(dialog, client);
  SendMessage(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (!MakeControls(dialog, module, info, font, base)) {
    DestroyWindow(dialog);
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
  HWND focusBefore = GetFocus();
  LRESULT focusFirst = SendMessage(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param);
  if (!IsWindow(dialog)) return nullptr;
  if (DialogData* data = DataOf(dialog)) {
    HWND focus = GetFocus();
    if (focus != focusBefore && focus && IsChild(dialog, focus)) data->savedFocus = focus;
    else if (focusFirst && first) data->savedFocus = first;
  }
  UpdateDefaultButton(dialog, nullptr);
  if ((info.style & WS_VISIBLE) && !modal) ShowWindow(dialog, SW_SHOWNORMAL);
  return dialog;
}

INT_PTR RunModalLoop(HWND dialog, const std::function<bool(MSG&)>& preTranslate) {
  DialogData* data = DataOf(dialog);
  if (!data) return -1;
  data->modal = true;
  HWND owner = GetWindowLong(dialog, GWL_STYLE) & WS_CHILD ? nullptr : GetParent(dialog);
  if (owner && IsWindowEnabled(owner)) {
    EnableWindow(owner, FALSE);
    data->disabledOwner = owner;
  }
  if (!data->ended) {
    ShowWindow(dialog, SW_SHOWNORMAL);
    UpdateWindow(dialog);
    RunModalHook(dialog);
  }
  MSG msg;
  for (;;) {
    data = DataOf(dialog);
    if (!data || data->ended) break;
    if (!GetMessage(&msg, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // the loop outside ends too
      break;
    }
    if (preTranslate && preTranslate(msg)) continue;
    if (!IsDialogMessage(dialog, &msg)) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
  }
  data = DataOf(dialog);
  if (!data) return -1;
  if (data->disabledOwner) {
    EnableWindow(data->disabledOwner, TRUE);
    data->disabledOwner = nullptr;
  }
  return data->ended ? data->result : -1;
}

}  // namespace layer::dialogs

namespace layer {

void RegisterStandardControls() { static dialogs::Registration registration; }

ModalHook SetModalHook(ModalHook hook) { return std::exchange(dialogs::CurrentModalHook(), std::move(hook)); }

void RunModalHook(HWND window) {
  ModalHook hook = dialogs::CurrentModalHook();
  if (hook) hook(window);
}

SIZE DialogBaseUnits(HWND dialog) {
  dialogs::DialogData* data = dialogs::DataOf(dialog);
  return data ? data->baseUnits : dialogs::BaseUnitsOf(static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
}

}  // namespace layer

using layer::dialogs::DataOf;

LRESULT DefDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtr(dialog, DWLP_DLGPROC));
  if (proc) {
    SetWindowLongPtr(dialog, DWLP_MSGRESULT, 0);
    INT_PTR handled = proc(dialog, message, wParam, lParam);
    if (handled || !IsWindow(dialog))
      return layer::dialogs::ReturnsDirectly(message) || !IsWindow(dialog) ? handled : GetWindowLongPtr(dialog, DWLP_MSGRESULT);
  }
  return layer::dialogs::DefaultHandling(dialog, message, wParam, lParam);
}

HWND CreateDialogParam(HINSTANCE module, LPCSTR name, HWND parent, DLGPROC proc, LPARAM param) {
  std::size_t size = 0;
  const BYTE* bytes = layer::dialogs::TemplateBytes(module, name, size);
  if (!bytes) return nullptr;
  return layer::dialogs::CreateFromTemplate(module, bytes, size, parent, proc, param, false);
}

HWND CreateDialogIndirectParam(HINSTANCE module, LPCDLGTEMPLATE dialogTemplate, HWND parent, DLGPROC proc, LPARAM param) {
  return layer::dialogs::CreateFromTemplate(module, dialogTemplate, layer::dialogs::kUntoldSize, parent, proc, param, false);
}

namespace {

INT_PTR RunDialogBox(HWND dialog) {
  if (!dialog) return -1;
  INT_PTR result = layer::dialogs::RunModalLoop(dialog, nullptr);
  DestroyWindow(dialog);
  return result;
}

}  // namespace

INT_PTR DialogBoxParam(HINSTANCE module, LPCSTR name, HWND parent, DLGPROC proc, LPARAM param) {
  std::size_t size = 0;
  const BYTE* bytes = layer::dialogs::TemplateBytes(module, name, size);
  if (!bytes) return -1;
  return RunDialogBox(layer::dialogs::CreateFromTemplate(module, bytes, size, parent, proc, param, true));
}

INT_PTR DialogBoxIndirectParam(HINSTANCE module, LPCDLGTEMPLATE dialogTemplate, HWND parent, DLGPROC proc, LPARAM param) {
  return RunDialogBox(layer::dialogs::CreateFromTemplate(module, dialogTemplate, layer::dialogs::kUntoldSize, parent, proc,
                                                         param, true));
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
  layer::dialogs::DialogData* data = DataOf(dialog);
  if (!data) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  data->ended = true;
  data->result = result;
  // The owner comes back before the dialog goes, so that it is the one activated.
  HWND owner = data->disabledOwner;
  if (owner) {
    EnableWindow(owner, TRUE);
    data->disabledOwner = nullptr;
  }
  bool wasActive = GetActiveWindow() == dialog;
  ShowWindow(dialog, SW_HIDE);
  if (wasActive && owner) SetActiveWindow(owner);
  return TRUE;
}

LONG GetDialogBaseUnits() {
  SIZE base = layer::DialogBaseUnits(nullptr);
  return MAKELONG(base.cx, base.cy);
}

BOOL MapDialogRect(HWND dialog, LPRECT rect) {
  layer::dialogs::DialogData* data = DataOf(dialog);
  if (!data || !rect) return FALSE;
  SIZE base = data->baseUnits;
  *rect = RECT{MulDiv(rect->left, base.cx, 4), MulDiv(rect->top, base.cy, 8), MulDiv(rect->right, base.cx, 4),
               MulDiv(rect->bottom, base.cy, 8)};
  return TRUE;
}
