// The "Static" class: texts, icons, bitmaps, frames and filled rectangles.
#include "user/ControlSupport.h"
#include "win32/Icons.h"
#include "win32/Resources.h"

namespace layer::controls {
namespace {

struct StaticState {
  HFONT font = nullptr;
  HICON icon = nullptr;
  HBITMAP bitmap = nullptr;
};

// An icon or bitmap static names its picture in its text ("#138" or a name).
void LoadPicture(HWND window, StaticState& state, const CREATESTRUCTA& create) {
  if (!create.lpszName || !*create.lpszName) return;
  HINSTANCE module = create.hInstance;
  UINT kind = static_cast<UINT>(create.style) & SS_TYPEMASK;
  if (kind == SS_ICON) state.icon = LoadIcon(module, create.lpszName);
  if (kind == SS_BITMAP) state.bitmap = LoadBitmap(module, create.lpszName);
  // The control takes its picture's size, as the platform sizes it.
  if (kind == SS_ICON && state.icon && !(create.style & (SS_CENTERIMAGE | SS_REALSIZEIMAGE)))
    SetWindowPos(window, nullptr, 0, 0, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

UINT TextFormat(DWORD style) {
  UINT format = DT_WORDBREAK | DT_EXPANDTABS;
  switch (style & SS_TYPEMASK) {
    case SS_CENTER: format |= DT_CENTER; break;
    case SS_RIGHT: format |= DT_RIGHT; break;
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP: format = DT_SINGLELINE | DT_EXPANDTABS; break;
    default: break;
  }
  if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
  if (style & SS_CENTERIMAGE) format = (format & ~static_cast<UINT>(DT_WORDBREAK)) | DT_SINGLELINE | DT_VCENTER;
  if (style & SS_ENDELLIPSIS) format |= DT_END_ELLIPSIS;
  return format;
}

void PaintPicture(HDC dc, const RECT& client, const StaticState& state, DWORD style) {
  if (state.icon) {
    const IconPicture* picture = IconPictureOf(state.icon);
    int x = client.left, y = client.top;
    if (picture && (style & SS_CENTERIMAGE)) {
      x = (client.left + client.right - picture->width) / 2;
      y = (client.top + client.bottom - picture->height) / 2;
    }
    DrawIconEx(dc, x, y, state.icon, 0, 0, 0, nullptr, DI_NORMAL);
  }
  if (state.bitmap) {
    BITMAP info{};
    GetObject(state.bitmap, sizeof info, &info);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, state.bitmap);
    BitBlt(dc, client.left, client.top, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
  }
}

void Paint(HWND window, StaticState& state) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  DWORD style = StyleOf(window);
  UINT kind = style & SS_TYPEMASK;
  HBRUSH brush = ParentBrush(window, dc, WM_CTLCOLORSTATIC);
  if (kind >= SS_BLACKFRAME && kind != SS_ICON && kind != SS_BITMAP && kind != SS_OWNERDRAW) FillRect(dc, &client, brush);
  switch (kind) {
    case SS_BLACKRECT: FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOWFRAME)); break;
    case SS_GRAYRECT: FillRect(dc, &client, GetSysColorBrush(COLOR_BTNSHADOW)); break;
    case SS_WHITERECT: FillRect(dc, &client, GetSysColorBrush(COLOR_BTNHIGHLIGHT)); break;
    case SS_BLACKFRAME: FrameRect(dc, &client, GetSysColorBrush(COLOR_WINDOWFRAME)); break;
    case SS_GRAYFRAME: FrameRect(dc, &client, GetSysColorBrush(COLOR_BTNSHADOW)); break;
    case SS_WHITEFRAME: FrameRect(dc, &client, GetSysColorBrush(COLOR_BTNHIGHLIGHT)); break;
    case SS_ETCHEDHORZ: DrawEdge(dc, &client, EDGE_ETCHED, BF_TOP); break;
    case SS_ETCHEDVERT: DrawEdge(dc, &client, EDGE_ETCHED, BF_LEFT); break;
    case SS_ETCHEDFRAME: DrawEdge(dc, &client, EDGE_ETCHED, BF_RECT); break;
    case SS_ICON:
    case SS_BITMAP:
      FillRect(dc, &client, brush);
      PaintPicture(dc, client, state, style);
      break;
    case SS_OWNERDRAW: {
      DRAWITEMSTRUCT item{ODT_STATIC, static_cast<UINT>(GetDlgCtrlID(window)), 0, ODA_DRAWENTIRE, 0, window, dc, client, 0};
      SendMessage(GetParent(window), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
      break;
    }
    default: {
      FillRect(dc, &client, brush);
      HGDIOBJ old = SelectObject(dc, ControlFont(state.font));
      if (!IsWindowEnabled(window)) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
      SetBkMode(dc, TRANSPARENT);
      std::string text = WindowTextOf(window);
      DrawMnemonicText(dc, text.c_str(), client, TextFormat(style));
      SelectObject(dc, old);
      break;
    }
  }
  EndPaint(window, &paint);
  if (style & SS_SUNKEN) {
    HDC whole = GetWindowDC(window);
    RECT rect = client;
    DrawEdge(whole, &rect, BDR_SUNKENOUTER, BF_RECT);
    ReleaseDC(window, whole);
  }
  PaintBorder(window);
}

template <class Handle>
Handle Replace(HWND window, Handle& slot, Handle picture) {
  Handle old = slot;
  slot = picture;
  InvalidateRect(window, nullptr, TRUE);
  return old;
}

LRESULT CALLBACK StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  StaticState* state = TrackState<StaticState>(window, message);
  if (!state) return DefWindowProc(window, message, wParam, lParam);
  if (LRESULT result; CommonMessage(window, state->font, message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_CREATE:
      LoadPicture(window, *state, *reinterpret_cast<const CREATESTRUCTA*>(lParam));
      return 0;
    case WM_GETDLGCODE: return DLGC_STATIC;
    case WM_PAINT: Paint(window, *state); return 0;
    case WM_LBUTTONDOWN:
      if (StyleOf(window) & SS_NOTIFY) Notify(window, STN_CLICKED);
      return 0;
    case WM_LBUTTONDBLCLK:
      if (StyleOf(window) & SS_NOTIFY) Notify(window, STN_DBLCLK);
      return 0;
    case STM_SETICON: return reinterpret_cast<LRESULT>(Replace(window, state->icon, reinterpret_cast<HICON>(wParam)));
    case STM_GETICON: return reinterpret_cast<LRESULT>(state->icon);
    case STM_SETIMAGE:
      if (wParam == IMAGE_ICON) return reinterpret_cast<LRESULT>(Replace(window, state->icon, reinterpret_cast<HICON>(lParam)));
      if (wParam == IMAGE_BITMAP) return reinterpret_cast<LRESULT>(Replace(window, state->bitmap, reinterpret_cast<HBITMAP>(lParam)));
      return 0;
    case STM_GETIMAGE:
      return wParam == IMAGE_ICON ? reinterpret_cast<LRESULT>(state->icon) : reinterpret_cast<LRESULT>(state->bitmap);
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace

void RegisterStaticClass() { RegisterControlClass(WC_STATIC, StaticProc, CS_DBLCLKS | CS_PARENTDC, IDC_ARROW); }

}  // namespace layer::controls
