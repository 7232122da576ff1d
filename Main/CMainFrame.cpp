#include "Main/CMainFrame.h"

#include <algorithm>

#include "Main/CErrorDlg.h"
#include "Main/CErrorTrace.h"
#include "Main/CWV4Globals.h"
#include "Main/FrameBars.h"
#include "Main/ViewerFrames.h"
#include "Main/varno4.h"
#include "mfc/CMenu.h"
#include "user/Menus.h"
#include "win32/Gdi.h"
#include "win32/UserWindows.h"

IMPLEMENT_DYNCREATE(CMainFrame, CMultiFrame)

BEGIN_MESSAGE_MAP(CMainFrame, CMultiFrame)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_DESTROY()
  ON_WM_MENUSELECT()
  ON_WM_INITMENUPOPUP()
  ON_WM_ACTIVATE()
  ON_UPDATE_COMMAND_UI_RANGE(300, 2199, OnUpdateViewerCommand)
END_MESSAGE_MAP()

namespace {

constexpr int ERR_BUTTON_LIST = 534;
constexpr DWORD kStatusBarStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;
constexpr DWORD kToolBarStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
constexpr int kPaneGap = 6;

int TextWidth(HDC dc, const CString& text) {
  SIZE size{};
  GetTextExtentPoint32(dc, text, text.GetLength(), &size);
  return size.cx;
}

bool HoldsMenu(HMENU bar, HMENU wanted) {
  if (bar == nullptr) return false;
  for (int i = 0; i < GetMenuItemCount(bar); ++i) {
    HMENU sub = GetSubMenu(bar, i);
    if (sub != nullptr && (sub == wanted || HoldsMenu(sub, wanted))) return true;
  }
  return false;
}

}  // namespace

// Without a saved size the window takes five sixths of the screen, a tenth
// of its own size away from the corner; these become the saved values.
BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& create) {
  CWV4Globals& g = theGlobals;
  if (g.m_window_size[0] == -1 && g.m_window_size[1] == -1) {
    g.m_window_size[1] = static_cast<int>(GetSystemMetrics(SM_CYSCREEN) * 0.8333333333333334);
    g.m_window_size[0] = static_cast<int>(GetSystemMetrics(SM_CXSCREEN) * 0.8333333333333334);
  }
  create.cx = g.m_window_size[0];
  create.cy = g.m_window_size[1];
  if (g.m_window_pos[0] == -1 && g.m_window_pos[1] == -1) {
    g.m_window_pos[1] = static_cast<int>(create.cy * 0.1);
    g.m_window_pos[0] = static_cast<int>(create.cx * 0.1);
  }
  create.x = g.m_window_pos[0];
  create.y = g.m_window_pos[1];
  m_bAutoMenuEnable = FALSE;  // the data-defined entries have no handlers
  return CMultiFrame::PreCreateWindow(create);
}

int CMainFrame::OnCreate(LPCREATESTRUCT create) {
  if (CMultiFrame::OnCreate(create) == -1) return -1;
  if (!m_statusbar.Create(this, kStatusBarStyle, AFX_IDW_STATUS_BAR)) return -1;
  LayoutPanes();
  CWV4Globals& g = theGlobals;
  CErrorTrace* own = ERROR_TRACE_PUSH();
  ToolbarButtonList* buttons = g.m_papp != nullptr ? &g.m_papp->m_buttons_frm : nullptr;
  if (!m_toolbar.Create(this, kToolBarStyle, AFX_IDW_TOOLBAR) || !m_toolbar.LoadButtons(buttons)) {
    own->Fail(__LINE__, SEVERITY_LOG, ERR_BUTTON_LIST, g.m_button_file, 0);
    CErrorDlg::ReportAndRemove(own);
    return -1;
  }
  CErrorTrace::Remove(own);
  PlaceToolBar(*this, m_toolbar, g.m_toolbar_mode_frm, g.m_toolbar_place_user_frm, g.m_toolbar_place_default_frm);
  return 0;
}

void CMainFrame::OnSize(UINT kind, int cx, int cy) {
  CMultiFrame::OnSize(kind, cx, cy);
  LayoutPanes();
}

// The window's place and the toolbar's side are kept for the next start.
void CMainFrame::OnDestroy() {
  CWV4Globals& g = theGlobals;
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (m_hWnd != nullptr && GetWindowPlacement(&placement)) {
    const RECT& normal = placement.rcNormalPosition;
    g.m_window_size[0] = normal.right - normal.left;
    g.m_window_size[1] = normal.bottom - normal.top;
    g.m_window_pos[0] = normal.left;
    g.m_window_pos[1] = normal.top;
    g.m_window_maximized = placement.showCmd == SW_SHOWMAXIMIZED;
  }
  if (m_toolbar.m_hWnd != nullptr) g.m_toolbar_place_user_frm = ToolBarPlace(m_toolbar);
  CMultiFrame::OnDestroy();
}

BOOL CMainFrame::OnCommand(WPARAM wParam, LPARAM lParam) {
  CViewerApp* app = theGlobals.m_papp;
  if (app != nullptr && app->RunViewerCommand(m_hWnd, GetFace(), LOWORD(wParam))) return 0;
  return CMultiFrame::OnCommand(wParam, lParam);
}

void CMainFrame::GetMessageString(UINT /*id*/, CString& message) const { message.Empty(); }

void CMainFrame::HandleKeyDown(UINT key, UINT repeat, UINT flags) {
  CMultiFrame::HandleKeyDown(key, repeat, flags);
  RunAccelerators(*this, m_accelerators, key);
}

CString CMainFrame::GetPaneText(int pane) const {
  if (m_statusbar.m_hWnd == nullptr || pane < 0 || pane >= kPaneCount) return CString();
  const int length = LOWORD(m_statusbar.SendMessage(SB_GETTEXTLENGTH, static_cast<WPARAM>(pane)));
  CString text;
  m_statusbar.SendMessage(SB_GETTEXT, static_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(text.GetBuffer(length + 1)));
  text.ReleaseBuffer(length);
  return text;
}

void CMainFrame::SetPaneText(int pane, const CString& text) {
  if (m_statusbar.m_hWnd == nullptr || pane < 0 || pane >= kPaneCount) return;
  if (GetPaneText(pane) == text) return;
  m_statusbar.SendMessage(SB_SETTEXT, static_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(static_cast<LPCSTR>(text)));
  LayoutPanes();
}

// Panes 3 and 4 are as wide as their texts, at the right end; pane 0 takes
// the left half and panes 1 and 2 share what lies between.
void CMainFrame::LayoutPanes() {
  if (m_statusbar.m_hWnd == nullptr) return;
  CRect client;
  m_statusbar.GetClientRect(&client);
  RECT grip{};
  m_statusbar.SendMessage(SB_GETRECT, 0, reinterpret_cast<LPARAM>(&grip));
  const int width = client.Width() - (grip.bottom - grip.top);
  HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
  if (font == nullptr) font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  HDC screen = ::GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, font);
  const int dataLanguage = TextWidth(screen, GetPaneText(4));
  const int programLanguage = TextWidth(screen, GetPaneText(3));
  SelectObject(screen, old);
  ::ReleaseDC(nullptr, screen);
  int rights[kPaneCount];
  rights[4] = width;
  rights[3] = width - dataLanguage - kPaneGap;
  rights[2] = rights[3] - programLanguage - kPaneGap;
  rights[0] = width / 2;
  rights[1] = rights[0] + (rights[2] - rights[0]) / 2;
  m_statusbar.SendMessage(SB_SETPARTS, kPaneCount, reinterpret_cast<LPARAM>(rights));
}

void CMainFrame::UpdateTitle() {
  const CWV4Globals& g = theGlobals;
  CString title = g.m_cur_prj_name.IsEmpty() ? CString("VARNO 4") : g.m_cur_prj_name;
  if (m_toolbar.m_hWnd != nullptr) m_toolbar.SetWindowText(title);
  if (!g.m_cur_key_name.IsEmpty()) title += " - " + g.m_cur_key_name;
  m_strTitle = title;
  SetWindowText(title);
  SetPaneText(0, "");
  SetPaneText(1, g.m_cur_prj);
  SetPaneText(2, g.m_cur_prj_key);
  SetPaneText(3, g.m_prg_language);
  SetPaneText(4, g.m_language);
}

// The prompt of the entry under the pointer; a separator leaves the pane
// alone and anything the menu file does not know clears it.
void CMainFrame::OnMenuSelect(UINT item, UINT flags, HMENU menu) {
  CMultiFrame::OnMenuSelect(item, flags, menu);
  const auto& prompts = m_menu.Prompts();
  const auto found = std::find_if(prompts.begin(), prompts.end(),
                                  [item](const MenuPrompt& prompt) { return prompt.command == static_cast<int>(item); });
  if (found == prompts.end()) SetPaneText(0, " ");
  else if (!found->text.IsEmpty()) SetPaneText(0, found->text);
}

// A shortcut menu opened over a picture: a mouse move at the pointer lets
// the view below take up its hover state again.
void CMainFrame::OnInitMenuPopup(CMenu* popup, UINT index, BOOL systemMenu) {
  CMultiFrame::OnInitMenuPopup(popup, index, systemMenu);
  if (systemMenu || popup == nullptr || HoldsMenu(::GetMenu(m_hWnd), popup->m_hMenu)) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(cursor.x + 1, cursor.y));
}

void CMainFrame::OnActivate(UINT state, CWnd* other, BOOL minimized) {
  if (BringWaitedProgramForward(*this, state)) return;
  CMultiFrame::OnActivate(state, other, minimized);
}

BOOL CMainFrame::BuildDataMenu() {
  if (!m_menu.Build(theGlobals.m_menu_file)) return FALSE;
  ::SetMenu(m_hWnd, m_menu.Menu());
  return TRUE;
}

void CMainFrame::RetextMenu() {
  m_menu.Retext();
  if (m_menu.IsBuilt()) ::DrawMenuBar(m_hWnd);
}

BOOL CMainFrame::SetMenuCheck(UINT command, BOOL check) { return m_menu.SetCheck(command, check); }

BOOL CMainFrame::EnableMenuCommand(UINT command, BOOL enable) { return m_menu.Enable(command, enable); }

BOOL CMainFrame::LoadAccelerators() { return m_accelerators.Load(theGlobals.m_menu_file); }

void CMainFrame::OnUpdateViewerCommand(CCmdUI* ui) { UpdateViewerCommand(*ui, *this); }
