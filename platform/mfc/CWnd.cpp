#include "mfc/CWnd.h"

#include <cstdio>
#include <map>
#include <mutex>
#include <vector>

#include "mfc/CCmdUI.h"
#include "mfc/CWinThread.h"
#include "mfc/TemporaryMap.h"
#include "win32/CrossProcess.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

namespace {

std::mutex permanentMutex;
std::map<HWND, CWnd*>& Permanent() {
  static auto* permanent = new std::map<HWND, CWnd*>;
  return *permanent;
}

TemporaryMap<HWND, CWnd>& Temporary() {
  static thread_local TemporaryMap<HWND, CWnd> temporary([](CWnd& wrapper) { wrapper.m_hWnd = nullptr; });
  return temporary;
}

// The object whose window is being created on this thread; the creation
// hook binds it to the new window before the window's first message.
thread_local CWnd* creating = nullptr;

// The messages being handled on this thread, innermost last; Default() answers the innermost.
thread_local std::vector<MSG> current;

}  // namespace

CWnd::~CWnd() {
  if (m_hWnd && FromHandlePermanent(m_hWnd) == this) ::DestroyWindow(m_hWnd);
  if (m_hWnd) Detach();
}

CWnd* CWnd::FromHandlePermanent(HWND window) {
  std::lock_guard<std::mutex> lock(permanentMutex);
  auto found = Permanent().find(window);
  return found == Permanent().end() ? nullptr : found->second;
}

CWnd* CWnd::FromHandle(HWND window) {
  if (!window) return nullptr;
  if (CWnd* permanent = FromHandlePermanent(window)) return permanent;
  return Temporary().Find(window, [window] {
    auto* wrapper = new CWnd;
    wrapper->m_hWnd = window;
    return wrapper;
  });
}

void CWnd::DeleteTempMap() {
  Temporary().Clear();
}

BOOL CWnd::Attach(HWND window) {
  if (!window) return FALSE;
  m_hWnd = window;
  std::lock_guard<std::mutex> lock(permanentMutex);
  Permanent()[window] = this;
  return TRUE;
}

HWND CWnd::Detach() {
  HWND window = m_hWnd;
  if (window) {
    std::lock_guard<std::mutex> lock(permanentMutex);
    auto found = Permanent().find(window);
    if (found != Permanent().end() && found->second == this) Permanent().erase(found);
  }
  m_hWnd = nullptr;
  return window;
}

// The creation hook: binds the object being created to its new window and
// takes the window's messages over, keeping the class's procedure for the
// default handling.
void CWnd::BindCreatedWindow(HWND window) {
  CWnd* object = creating;
  if (!object) return;
  creating = nullptr;
  object->Attach(window);
  WNDPROC proc = reinterpret_cast<WNDPROC>(GetWindowLongPtr(window, GWLP_WNDPROC));
  if (proc == AfxWndProc) return;
  object->m_pfnSuper = proc;
  SetWindowLongPtr(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc));
}

BOOL CWnd::SubclassWindow(HWND window) {
  if (!::IsWindow(window) || !Attach(window)) return FALSE;
  WNDPROC old = reinterpret_cast<WNDPROC>(SetWindowLongPtr(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
  if (old != AfxWndProc) m_pfnSuper = old;
  return TRUE;
}

LPCSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
  static std::map<std::string, std::string> names;
  static std::mutex mutex;
  char name[96];
  std::snprintf(name, sizeof name, "Afx:%x:%lx:%lx:%lx", classStyle, static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(cursor)),
                static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(background)),
                static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(icon)));
  std::lock_guard<std::mutex> lock(mutex);
  auto found = names.find(name);
  if (found != names.end()) return found->second.c_str();
  WNDCLASSA windowClass{};
  windowClass.style = classStyle;
  windowClass.lpfnWndProc = AfxWndProc;
  windowClass.hCursor = cursor;
  windowClass.hbrBackground = background;
  windowClass.hIcon = icon;
  windowClass.lpszClassName = name;
  RegisterClass(&windowClass);
  return names.emplace(name, name).first->second.c_str();
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& create) {
  if (!create.lpszClass)
    create.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, LoadCursor(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  return TRUE;
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU menuOrId, LPVOID param) {
  CREATESTRUCT create{param, nullptr, menuOrId, parent, height, width, y, x, static_cast<LONG>(style), windowName,
                      className, exStyle};
  if (!PreCreateWindow(create)) return FALSE;
  CWnd* outer = creating;
  creating = this;
  layer::CreationHook previous = layer::SetCreationHook(&CWnd::BindCreatedWindow);
  HWND window = ::CreateWindowEx(create.dwExStyle, create.lpszClass, create.lpszName, static_cast<DWORD>(create.style),
                                 create.x, create.y, create.cx, create.cy, create.hwndParent, create.hMenu,
                                 create.hInstance, create.lpCreateParams);
  layer::SetCreationHook(previous);
  creating = outer;
  return window != nullptr;
}

layer::CreationHook CWnd::BeginBinding(CWnd* object) {
  creating = object;
  return layer::SetCreationHook(&CWnd::BindCreatedWindow);
}

void CWnd::EndBinding(layer::CreationHook previous) {
  creating = nullptr;
  layer::SetCreationHook(previous);
}

BOOL CWnd::Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                  LPVOID param) {
  return CreateEx(0, className, windowName, style | WS_CHILD, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), param);
}

BOOL CWnd::DestroyWindow() { return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE; }

LRESULT CALLBACK AfxWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* object = CWnd::FromHandlePermanent(window);
  if (!object) return ::DefWindowProc(window, message, wParam, lParam);
  current.push_back(MSG{window, message, wParam, lParam, 0, {}});
  LRESULT result = object->WindowProc(message, wParam, lParam);
  current.pop_back();
  if (message == WM_NCDESTROY) {
    // The window is gone: the object lets go of it, and a program whose
    // main window it was comes to its end.
    object->Detach();
    if (CWinThread* thread = AfxGetThread(); thread && thread->m_pMainWnd == object) {
      thread->m_pMainWnd = nullptr;
      PostQuitMessage(0);
    }
    object->PostNcDestroy();
  }
  return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
  return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message == WM_COMMAND) {
    if (!OnCommand(wParam, lParam)) return FALSE;
    *result = 1;
    return TRUE;
  }
  if (message == WM_NOTIFY) return OnNotify(wParam, lParam, result);
  const AFX_MSGMAP_ENTRY* entry = FindEntry(message, 0, 0);
  if (!entry) return FALSE;
  *result = entry->pfn(this, wParam, lParam);
  return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  UINT id = LOWORD(wParam);
  int code = HIWORD(wParam);
  if (lParam == 0) {
    // A menu entry or an accelerator (code 1) is one command; one whose
    // update handler disables it is not carried out, whatever sent it.
    if (!CCmdUI::IsCommandEnabled(this, id)) return TRUE;
    code = CN_COMMAND;
  }
  return OnCmdMsg(id, code, wParam, lParam, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (!header) return FALSE;
  return OnCmdMsg(static_cast<UINT>(header->idFrom), -1, wParam, lParam, result);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper) return ::CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
  if (current.empty()) return 0;
  MSG msg = current.back();
  return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendMessage(m_hWnd, message, wParam, lParam);
}
BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::PostMessage(m_hWnd, message, wParam, lParam);
}

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
CWnd* CWnd::SetParent(CWnd* parent) { return FromHandle(::SetParent(m_hWnd, parent ? parent->m_hWnd : nullptr)); }
CWnd* CWnd::GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
BOOL CWnd::IsChild(const CWnd* window) const { return window && ::IsChild(m_hWnd, window->m_hWnd); }
DWORD CWnd::GetStyle() const { return static_cast<DWORD>(GetWindowLong(m_hWnd, GWL_STYLE)); }
DWORD CWnd::GetExStyle() const { return static_cast<DWORD>(GetWindowLong(m_hWnd, GWL_EXSTYLE)); }

namespace {

BOOL ModifyStyleBits(HWND window, int index, DWORD remove, DWORD add, UINT flags) {
  DWORD style = static_cast<DWORD>(GetWindowLong(window, index)), changed = (style & ~remove) | add;
  if (style == changed) return FALSE;
  SetWindowLong(window, index, static_cast<LONG>(changed));
  if (flags) ::SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
  return TRUE;
}

}  // namespace

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags) { return ModifyStyleBits(m_hWnd, GWL_STYLE, remove, add, flags); }
BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags) {
  return ModifyStyleBits(m_hWnd, GWL_EXSTYLE, remove, add, flags);
}

void CWnd::SetWindowText(LPCSTR text) { ::SetWindowText(m_hWnd, text); }
int CWnd::GetWindowText(LPSTR text, int size) const { return ::GetWindowText(m_hWnd, text, size); }
void CWnd::GetWindowText(CString& text) const {
  int length = ::GetWindowTextLength(m_hWnd);
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
  ::GetWindowText(m_hWnd, buffer.data(), length + 1);
  text = buffer.data();
}
int CWnd::GetWindowTextLength() const { return ::GetWindowTextLength(m_hWnd); }

BOOL CWnd::ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }
void CWnd::Invalidate(BOOL erase) { ::InvalidateRect(m_hWnd, nullptr, erase); }
void CWnd::InvalidateRect(LPCRECT rect, BOOL erase) { ::InvalidateRect(m_hWnd, rect, erase); }
void CWnd::ValidateRect(LPCRECT rect) { ::ValidateRect(m_hWnd, rect); }
BOOL CWnd::RedrawWindow(LPCRECT rect, HRGN region, UINT flags) { return ::RedrawWindow(m_hWnd, rect, region, flags); }
BOOL CWnd::EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }
BOOL CWnd::IsZoomed() const { return ::IsZoomed(m_hWnd); }
void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
  ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}
void CWnd::MoveWindow(LPCRECT rect, BOOL repaint) {
  MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}
BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int width, int height, UINT flags) {
  return ::SetWindowPos(m_hWnd, insertAfter ? insertAfter->m_hWnd : nullptr, x, y, width, height, flags);
}
BOOL CWnd::BringWindowToTop() { return ::BringWindowToTop(m_hWnd); }
BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* placement) const { return ::GetWindowPlacement(m_hWnd, placement); }
BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* placement) { return ::SetWindowPlacement(m_hWnd, placement); }
void CWnd::ScrollWindow(int dx, int dy, LPCRECT scroll, LPCRECT clip) { ::ScrollWindow(m_hWnd, dx, dy, scroll, clip); }

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL deep, BOOL permanentOnly) {
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    CWnd* object = FromHandlePermanent(child);
    if (object || !permanentOnly) ::SendMessage(child, message, wParam, lParam);
    if (deep && ::GetWindow(child, GW_CHILD) && ::IsWindow(child)) {
      CWnd* wrapper = object ? object : FromHandle(child);
      wrapper->SendMessageToDescendants(message, wParam, lParam, deep, permanentOnly);
    }
  }
}

void CWnd::GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
void CWnd::GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }
void CWnd::ClientToScreen(LPPOINT point) const { ::ClientToScreen(m_hWnd, point); }
void CWnd::ClientToScreen(LPRECT rect) const {
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&rect->left));
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&rect->right));
}
void CWnd::ScreenToClient(LPPOINT point) const { ::ScreenToClient(m_hWnd, point); }
void CWnd::ScreenToClient(LPRECT rect) const {
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&rect->left));
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&rect->right));
}

CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }
CWnd* CWnd::SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
CWnd* CWnd::GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
BOOL CWnd::SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
CWnd* CWnd::SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
CWnd* CWnd::GetCapture() { return FromHandle(::GetCapture()); }

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc) { return ::SetTimer(m_hWnd, id, elapse, proc); }
BOOL CWnd::KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }

int CWnd::SetScrollPos(int bar, int pos, BOOL redraw) { return ::SetScrollPos(m_hWnd, bar, pos, redraw); }
int CWnd::GetScrollPos(int bar) const { return ::GetScrollPos(m_hWnd, bar); }
void CWnd::SetScrollRange(int bar, int min, int max, BOOL redraw) { ::SetScrollRange(m_hWnd, bar, min, max, redraw); }
void CWnd::GetScrollRange(int bar, LPINT min, LPINT max) const { ::GetScrollRange(m_hWnd, bar, min, max); }
BOOL CWnd::SetScrollInfo(int bar, LPSCROLLINFO info, BOOL redraw) {
  if (!info) return FALSE;
  ::SetScrollInfo(m_hWnd, bar, info, redraw);
  return TRUE;
}
BOOL CWnd::GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask) const {
  if (!info) return FALSE;
  info->fMask = mask;
  return ::GetScrollInfo(m_hWnd, bar, info);
}
void CWnd::ShowScrollBar(UINT bar, BOOL show) { ::ShowScrollBar(m_hWnd, static_cast<int>(bar), show); }
BOOL CWnd::EnableScrollBar(int bar, UINT arrows) { return ::EnableScrollBar(m_hWnd, static_cast<UINT>(bar), arrows); }

CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
CDC* CWnd::GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
int CWnd::ReleaseDC(CDC* dc) {
  if (!dc) return 0;
  int released = ::ReleaseDC(m_hWnd, dc->m_hDC);
  dc->Detach();
  return released;
}
CDC* CWnd::BeginPaint(LPPAINTSTRUCT paint) { return CDC::FromHandle(::BeginPaint(m_hWnd, paint)); }
void CWnd::EndPaint(LPPAINTSTRUCT paint) {
  CDC* dc = CDC::FromHandle(paint->hdc);
  ::EndPaint(m_hWnd, paint);
  if (dc) dc->Detach();
}
void CWnd::SetFont(CFont* font, BOOL redraw) {
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font ? font->m_hObject : nullptr), redraw);
}
CFont* CWnd::GetFont() const {
  return CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
}

// The default handlers pass the message on to the default handling.
int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnNcDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return static_cast<int>(Default()); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
void CWnd::OnNcPaint() { Default(); }
BOOL CWnd::OnNcActivate(BOOL) { return static_cast<BOOL>(Default()); }
void CWnd::OnParentNotify(UINT, LPARAM) { Default(); }
void CWnd::OnActivateApp(BOOL, DWORD) { Default(); }
void CWnd::OnChildActivate() { Default(); }
BOOL CWnd::OnQueryNewPalette() { return static_cast<BOOL>(Default()); }
void CWnd::OnPaletteChanged(CWnd*) { Default(); }
