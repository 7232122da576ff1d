#include "Main/CPopup.h"

#include <algorithm>

#include "Main/CErrorDlg.h"
#include "Main/CErrorTrace.h"
#include "Main/CMainFrame.h"
#include "Main/CWV4Globals.h"
#include "Main/FrameBars.h"
#include "Main/ProgramTexts.h"
#include "Main/ViewerFrames.h"
#include "Main/varno4.h"
#include "mfc/CMenu.h"
#include "mfc/CWinApp.h"
#include "user/Menus.h"
#include "win32/Gdi.h"
#include "win32/UserWindows.h"

IMPLEMENT_DYNCREATE(CPopup, CMultiFrame)

BEGIN_MESSAGE_MAP(CPopup, CMultiFrame)
  ON_WM_CREATE()
  ON_WM_KEYDOWN()
  ON_WM_KEYUP()
  ON_WM_INITMENU()
  ON_WM_SYSCOMMAND()
  ON_WM_DESTROY()
  ON_WM_ACTIVATE()
  ON_UPDATE_COMMAND_UI_RANGE(300, 2199, OnUpdateViewerCommand)
END_MESSAGE_MAP()

namespace {

constexpr int ERR_BUTTON_LIST = 534;
constexpr UINT kBack = 305;
constexpr DWORD kToolBarStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
constexpr DWORD kPopupStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
constexpr DWORD kPopupExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT;

// The thread's main window; before the application has one, the window
// that the viewer shows its keys in.
HWND ThreadMainWindow() {
  if (CWnd* main = AfxGetMainWnd(); main != nullptr && main->m_hWnd != nullptr) return main->m_hWnd;
  return theGlobals.m_papp != nullptr ? theGlobals.m_papp->m_hMainWnd : nullptr;
}

// One coordinate: where the pointer already lies inside the window, the
// window stays; otherwise it is centred on the pointer.
int KeepOrCentre(int low, int high, int size, int pointer) {
  if (low <= pointer && pointer <= low + size) return low;
  if (high - size <= pointer && pointer <= high) return high - size;
  return pointer - size / 2;
}

}  // namespace

BOOL CPopup::PreCreateWindow(CREATESTRUCT& create) {
  create.cy = static_cast<int>(GetSystemMetrics(SM_CYSCREEN) * 0.625);
  create.cx = static_cast<int>(GetSystemMetrics(SM_CXSCREEN) * 0.625);
  create.y = static_cast<int>(create.cy * 0.3);
  create.x = static_cast<int>(create.cx * 0.3);
  m_bAutoMenuEnable = FALSE;
  create.dwExStyle = kPopupExStyle;
  create.style = kPopupStyle;
  create.hwndParent = ThreadMainWindow();
  create.hMenu = nullptr;
  return CMultiFrame::PreCreateWindow(create);
}

int CPopup::OnCreate(LPCREATESTRUCT create) {
  if (CMultiFrame::OnCreate(create) == -1) return -1;
  if (!m_toolbar.Create(this, kToolBarStyle, AFX_IDW_TOOLBAR)) return -1;
  CWV4Globals& g = theGlobals;
  ToolbarButtonList* buttons = g.m_papp != nullptr ? &g.m_papp->m_buttons_pop : nullptr;
  if (g.m_button_file_popup.IsEmpty() || buttons == nullptr || buttons->first == nullptr) return 0;
  CErrorTrace* own = ERROR_TRACE_PUSH();
  if (!m_toolbar.LoadButtons(buttons)) {
    own->Fail(__LINE__, SEVERITY_LOG, ERR_BUTTON_LIST, g.m_button_file_popup, 0);
    CErrorDlg::ReportAndRemove(own);
    return 0;
  }
  CErrorTrace::Remove(own);
  PlaceToolBar(*this, m_toolbar, g.m_toolbar_mode_pop, g.m_toolbar_place_user_pop, g.m_toolbar_place_default_pop);
  return 0;
}

BOOL CPopup::DestroyWindow() {
  ::PostMessage(ThreadMainWindow(), WM_COMMAND, kBack, 0);
  return TRUE;
}

BOOL CPopup::OnCommand(WPARAM wParam, LPARAM lParam) {
  CViewerApp* app = theGlobals.m_papp;
  if (app != nullptr && app->RunViewerCommand(m_hWnd, GetFace(), LOWORD(wParam))) return 0;
  return CMultiFrame::OnCommand(wParam, lParam);
}

void CPopup::OnKeyDown(UINT key, UINT repeat, UINT flags) { CMultiFrame::OnKeyDown(key, repeat, flags); }

void CPopup::HandleKeyDown(UINT key, UINT repeat, UINT flags) {
  CMultiFrame::HandleKeyDown(key, repeat, flags);
  const bool ctrl = (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0;
  if (key == VK_ESCAPE || (key == VK_F4 && ctrl)) {
    DestroyWindow();
    return;
  }
  RunAccelerators(*this, m_accelerators, key);
}

void CPopup::SetPaneText(int pane, const CString& text) {
  if (CMainFrame* main = ViewerMainFrame()) main->SetPaneText(pane, text);
}

void CPopup::UpdateTitle() {
  const CWV4Globals& g = theGlobals;
  SetWindowText(g.m_cur_key_name.IsEmpty() ? g.m_cur_prj_name : g.m_cur_key_name);
}

void CPopup::PlaceAtCursor(CWnd* mainFrame) {
  int width = m_key_window_size[0];
  int height = m_key_window_size[1];
  CRect now;
  GetWindowRect(&now);
  if (width < 0) width = now.Width();
  if (height < 0) height = now.Height();
  if (m_key_window_percent[0] || m_key_window_percent[1]) {
    HDC screen = ::GetDC(nullptr);
    if (m_key_window_percent[0]) width = width * GetDeviceCaps(screen, HORZRES) / 100;
    if (m_key_window_percent[1]) height = height * GetDeviceCaps(screen, VERTRES) / 100;
    ::ReleaseDC(nullptr, screen);
  }
  POINT pointer{};
  GetCursorPos(&pointer);
  int x = pointer.x - width / 2;
  int y = pointer.y - height / 2;
  if (!m_first_placement) {
    x = KeepOrCentre(now.left, now.right, width, pointer.x);
    y = KeepOrCentre(now.top, now.bottom, height, pointer.y);
  }
  m_first_placement = FALSE;
  if (mainFrame != nullptr && mainFrame->m_hWnd != nullptr) {
    CRect area;
    mainFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &area);
    mainFrame->ClientToScreen(&area);
    x = std::max(std::min(x, static_cast<int>(area.right) - width), static_cast<int>(area.left));
    y = std::max(std::min(y, static_cast<int>(area.bottom) - height), static_cast<int>(area.top));
  }
  SetWindowPos(nullptr, x, y, width, height, SWP_NOZORDER);
}

BOOL CPopup::LoadAccelerators() { return m_accelerators.Load(theGlobals.m_menu_file); }

// The system menu has no minimise, maximise or restore, and one entry that
// ends the viewer.
void CPopup::OnInitMenu(CMenu* /*menu*/) {
  HMENU system = ::GetSystemMenu(m_hWnd, FALSE);
  if (system == nullptr) return;
  for (UINT command : {SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE}) ::DeleteMenu(system, command, MF_BYCOMMAND);
  if (::GetMenuState(system, kEndViewerCommand, MF_BYCOMMAND) != static_cast<UINT>(-1)) return;
  ::AppendMenu(system, MF_SEPARATOR, 0, nullptr);
  ::AppendMenu(system, MF_STRING, kEndViewerCommand, "Varno4 " + theGlobals.MessageText(ProgramText::kEndViewer));
}

void CPopup::OnSysCommand(UINT id, LPARAM lParam) {
  if ((id & 0xFFF0) == kEndViewerCommand) {
    ::PostMessage(ThreadMainWindow(), WM_CLOSE, 0, 0);
    return;
  }
  CMultiFrame::OnSysCommand(id, lParam);
}

void CPopup::OnDestroy() {
  if (m_hWnd != nullptr && m_toolbar.m_hWnd != nullptr) theGlobals.m_toolbar_place_user_pop = ToolBarPlace(m_toolbar);
  CMultiFrame::OnDestroy();
}

void CPopup::OnActivate(UINT state, CWnd* other, BOOL minimized) {
  if (BringWaitedProgramForward(*this, state)) return;
  CMultiFrame::OnActivate(state, other, minimized);
}

void CPopup::OnUpdateViewerCommand(CCmdUI* ui) { UpdateViewerCommand(*ui, *this); }
