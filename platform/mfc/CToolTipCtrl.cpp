#include "mfc/CToolTipCtrl.h"

#include "mfc/CWinApp.h"

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
  InitCommonControls();
  return CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASS, nullptr, WS_POPUP | style, 0, 0, 0, 0,
                  parent ? parent->GetSafeHwnd() : nullptr, nullptr);
}

TOOLINFO CToolTipCtrl::ToolInfoOf(CWnd* window, UINT_PTR id) {
  TOOLINFO info{};
  info.cbSize = sizeof info;
  HWND handle = window ? window->GetSafeHwnd() : nullptr;
  if (id == 0) {
    info.hwnd = ::GetParent(handle);
    info.uFlags = TTF_IDISHWND;
    info.uId = reinterpret_cast<UINT_PTR>(handle);
  } else {
    info.hwnd = handle;
    info.uId = id;
  }
  return info;
}

void CToolTipCtrl::Activate(BOOL activate) { SendMessage(TTM_ACTIVATE, static_cast<WPARAM>(activate)); }

BOOL CToolTipCtrl::AddTool(CWnd* window, LPCSTR text, LPCRECT rect, UINT_PTR id) {
  if (!window) return FALSE;
  TOOLINFO info = ToolInfoOf(window, id);
  if (rect) info.rect = *rect;
  info.lpszText = const_cast<LPSTR>(text);
  return static_cast<BOOL>(SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&info)));
}

BOOL CToolTipCtrl::AddTool(CWnd* window, UINT textId, LPCRECT rect, UINT_PTR id) {
  if (!window) return FALSE;
  TOOLINFO info = ToolInfoOf(window, id);
  if (rect) info.rect = *rect;
  info.hinst = AfxGetResourceHandle();
  info.lpszText = const_cast<LPSTR>(MAKEINTRESOURCE(textId));
  return static_cast<BOOL>(SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::DelTool(CWnd* window, UINT_PTR id) {
  TOOLINFO info = ToolInfoOf(window, id);
  SendMessage(TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&info));
}

int CToolTipCtrl::GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }

BOOL CToolTipCtrl::GetToolInfo(TOOLINFO& info, CWnd* window, UINT_PTR id) const {
  info = ToolInfoOf(window, id);
  return static_cast<BOOL>(SendMessage(TTM_GETTOOLINFO, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::SetToolInfo(LPTOOLINFO info) { SendMessage(TTM_SETTOOLINFO, 0, reinterpret_cast<LPARAM>(info)); }

void CToolTipCtrl::SetToolRect(CWnd* window, UINT_PTR id, LPCRECT rect) {
  TOOLINFO info = ToolInfoOf(window, id);
  if (rect) info.rect = *rect;
  SendMessage(TTM_NEWTOOLRECT, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::UpdateTipText(LPCSTR text, CWnd* window, UINT_PTR id) {
  TOOLINFO info = ToolInfoOf(window, id);
  info.lpszText = const_cast<LPSTR>(text);
  SendMessage(TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::GetText(CString& text, CWnd* window, UINT_PTR id) const {
  char buffer[80] = {};
  TOOLINFO info = ToolInfoOf(window, id);
  info.lpszText = buffer;
  SendMessage(TTM_GETTEXT, 0, reinterpret_cast<LPARAM>(&info));
  text = buffer;
}

BOOL CToolTipCtrl::HitTest(CWnd* window, CPoint point, LPTOOLINFO info) const {
  if (!window || !info) return FALSE;
  TTHITTESTINFO hit{};
  hit.hwnd = window->GetSafeHwnd();
  hit.pt = point;
  hit.ti.cbSize = sizeof(TOOLINFO);
  if (!SendMessage(TTM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit))) return FALSE;
  *info = hit.ti;
  return TRUE;
}

void CToolTipCtrl::RelayEvent(LPMSG message) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(message)); }

void CToolTipCtrl::SetDelayTime(UINT delay) { SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, static_cast<LPARAM>(delay)); }

void CToolTipCtrl::SetDelayTime(DWORD which, int time) {
  SendMessage(TTM_SETDELAYTIME, which, MAKELPARAM(static_cast<WORD>(time), 0));
}

int CToolTipCtrl::GetDelayTime(DWORD which) const { return static_cast<int>(SendMessage(TTM_GETDELAYTIME, which)); }
int CToolTipCtrl::SetMaxTipWidth(int width) { return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, width)); }
int CToolTipCtrl::GetMaxTipWidth() const { return static_cast<int>(SendMessage(TTM_GETMAXTIPWIDTH)); }
void CToolTipCtrl::SetTipBkColor(COLORREF color) { SendMessage(TTM_SETTIPBKCOLOR, color); }
void CToolTipCtrl::SetTipTextColor(COLORREF color) { SendMessage(TTM_SETTIPTEXTCOLOR, color); }
COLORREF CToolTipCtrl::GetTipBkColor() const { return static_cast<COLORREF>(SendMessage(TTM_GETTIPBKCOLOR)); }
COLORREF CToolTipCtrl::GetTipTextColor() const { return static_cast<COLORREF>(SendMessage(TTM_GETTIPTEXTCOLOR)); }
void CToolTipCtrl::Pop() { SendMessage(TTM_POP); }
void CToolTipCtrl::Update() { SendMessage(TTM_UPDATE); }
