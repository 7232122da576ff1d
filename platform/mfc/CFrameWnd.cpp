#include "mfc/CFrameWnd.h"

#include <algorithm>
#include <vector>

#include "mfc/CDocument.h"
#include "mfc/CMenu.h"
#include "mfc/CView.h"
#include "mfc/CWinApp.h"
#include "win32/Icons.h"
#include "win32/Resources.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_SIZE()
  ON_WM_CLOSE()
  ON_WM_SETFOCUS()
  ON_WM_ACTIVATE()
  ON_WM_INITMENUPOPUP()
  ON_WM_MENUSELECT()
  ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
  ON_MESSAGE(WM_RECALCPARENT, OnRecalcParent)
END_MESSAGE_MAP()

const RECT CFrameWnd::rectDefault = {CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};

namespace {

// The frames of this thread, for the idle-time update.
std::vector<CFrameWnd*>& Frames() {
  static thread_local std::vector<CFrameWnd*> frames;
  return frames;
}

// The system menu's commands have prompts of their own, from this id on.
constexpr UINT kSystemCommandPrompts = 0xEF00;

CString LoadResourceString(UINT id) {
  char text[512] = "";
  LPCSTR block = MAKEINTRESOURCE(id / 16 + 1);
  ::LoadString(AfxFindResourceHandle(block, RT_STRING), id, text, sizeof text);
  return CString(text);
}

// The text up to the first line feed: a prompt, or a frame's title.
CString FirstLine(const CString& text) {
  CString line = text;
  int feed = line.Find('\n');
  return feed < 0 ? line : line.Left(feed);
}

}  // namespace

CFrameWnd::CFrameWnd() { Frames().push_back(this); }

CFrameWnd::~CFrameWnd() {
  auto& frames = Frames();
  frames.erase(std::remove(frames.begin(), frames.end(), this), frames.end());
}

BOOL CFrameWnd::Create(LPCSTR className, LPCSTR title, DWORD style, const RECT& rect, CWnd* parent, LPCSTR menuName,
                       DWORD exStyle, CCreateContext* context) {
  HMENU menu = nullptr;
  if (menuName) {
    menu = ::LoadMenu(AfxFindResourceHandle(menuName, RT_MENU), menuName);
    if (!menu) {
      // Frames are made with new and never outlive a failed start.
      PostNcDestroy();
      return FALSE;
    }
  }
  m_strTitle = title ? title : "";
  // The default rectangle leaves both place and size to the system.
  const bool defaultPlace = rect.left == CW_USEDEFAULT;
  if (!CreateEx(exStyle, className, title, style, rect.left, rect.top,
                defaultPlace ? CW_USEDEFAULT : rect.right - rect.left,
                defaultPlace ? CW_USEDEFAULT : rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr, menu,
                context)) {
    if (menu && ::IsMenu(menu)) ::DestroyMenu(menu);
    return FALSE;
  }
  return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT idResource, DWORD style, CWnd* parent, CCreateContext* context) {
  LPCSTR id = MAKEINTRESOURCE(idResource);
  CString title = FirstLine(LoadResourceString(idResource));
  if (!Create(nullptr, title, style, rectDefault, parent, id, 0, context)) return FALSE;
  if (HICON icon = ::LoadIcon(AfxFindResourceHandle(id, RT_GROUP_ICON), id)) {
    SetIcon(icon, TRUE);
    SetIcon(icon, FALSE);
  }
  LoadAccelTable(id);
  // Without a context nobody else gives the views their first update.
  if (!context) SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
  return TRUE;
}

BOOL CFrameWnd::LoadAccelTable(LPCSTR name) {
  if (m_hAccelTable) return FALSE;  // one table per frame
  m_hAccelTable = ::LoadAccelerators(AfxFindResourceHandle(name, RT_ACCELERATOR), name);
  return m_hAccelTable != nullptr;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& create) {
  if (!create.lpszClass)
    create.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  // A frame with a sunken client area; it gives the edge up to a view that has its own.
  create.dwExStyle |= WS_EX_CLIENTEDGE;
  return TRUE;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* msg) {
  if (CWnd::PreTranslateMessage(msg)) return TRUE;
  if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST) return FALSE;
  HACCEL table = GetDefaultAccelerator();
  return table && ::TranslateAccelerator(m_hWnd, table, msg);
}

BOOL CFrameWnd::OnCmdMsg(UINT id, int code, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  // The active view (and through it its document) first, then the frame, then the program.
  if (CView* view = GetActiveView(); view && view->OnCmdMsg(id, code, wParam, lParam, result)) return TRUE;
  if (CWnd::OnCmdMsg(id, code, wParam, lParam, result)) return TRUE;
  CWinApp* app = AfxGetApp();
  return app && app->OnCmdMsg(id, code, wParam, lParam, result);
}

int CFrameWnd::OnCreate(LPCREATESTRUCT create) {
  auto* context = create ? static_cast<CCreateContext*>(create->lpCreateParams) : nullptr;
  if (CWnd::OnCreate(create) == -1) return -1;
  if (!OnCreateClient(create, context)) return -1;
  PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
  RecalcLayout();
  return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* context) {
  if (context && context->m_pNewViewClass) return CreateView(context, AFX_IDW_PANE_FIRST) != nullptr;
  return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* context, UINT id) {
  if (!context || !context->m_pNewViewClass) return nullptr;
  CObject* object = context->m_pNewViewClass->CreateObject();
  auto* view = dynamic_cast<CWnd*>(object);
  if (!view) {
    delete object;
    return nullptr;
  }
  // A view that fails to come up is gone with its window (it deletes itself then).
  if (!view->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, id, context)) return nullptr;
  if (view->GetExStyle() & WS_EX_CLIENTEDGE) ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
  return view;
}

void CFrameWnd::OnDestroy() {
  m_pViewActive = nullptr;
  CWnd::OnDestroy();
}

void CFrameWnd::PostNcDestroy() { delete this; }

void CFrameWnd::RecalcLayout(BOOL) {
  if (m_bInRecalcLayout || !m_hWnd) return;
  m_bInRecalcLayout = TRUE;
  m_bLayoutPending = FALSE;
  RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
  m_bInRecalcLayout = FALSE;
}

void CFrameWnd::DelayRecalcLayout(BOOL) { m_bLayoutPending = TRUE; }

LRESULT CFrameWnd::OnRecalcParent(WPARAM, LPARAM) {
  RecalcLayout();
  return 0;
}

void CFrameWnd::OnSize(UINT kind, int cx, int cy) {
  CWnd::OnSize(kind, cx, cy);
  if (kind != SIZE_MINIMIZED) RecalcLayout();
}

void CFrameWnd::OnClose() {
  // Only the active document is asked; it may keep the frame open.
  CDocument* document = GetActiveDocument();
  if (document && !document->CanCloseFrame(this)) return;
  CWinApp* app = AfxGetApp();
  if (app && app->m_pMainWnd == this && !document && !app->SaveAllModified()) return;
  if (document && document->m_bAutoDelete) {
    // The document closes its frames (this one among them) and itself.
    document->OnCloseDocument();
    return;
  }
  DestroyWindow();
}

void CFrameWnd::OnSetFocus(CWnd* old) {
  // The keyboard belongs to the active view.
  if (m_pViewActive && ::IsWindow(m_pViewActive->m_hWnd)) {
    m_pViewActive->SetFocus();
    return;
  }
  CWnd::OnSetFocus(old);
}

void CFrameWnd::OnActivate(UINT state, CWnd* other, BOOL minimized) {
  CWnd::OnActivate(state, other, minimized);
  if (state != WA_INACTIVE && !minimized && m_pViewActive) m_pViewActive->OnActivateFrame(state, this);
}

void CFrameWnd::ActivateFrame(int cmdShow) {
  if (cmdShow == -1) {
    if (!IsWindowVisible()) {
      cmdShow = SW_SHOWNORMAL;
    } else if (IsIconic()) {
      cmdShow = SW_RESTORE;
    }
  }
  if (cmdShow != -1) ShowWindow(cmdShow);
  bool activates = cmdShow != SW_HIDE && cmdShow != SW_MINIMIZE && cmdShow != SW_SHOWMINNOACTIVE &&
                   cmdShow != SW_SHOWNA && cmdShow != SW_SHOWNOACTIVATE;
  if (activates) BringWindowToTop();
}

CFrameWnd* CFrameWnd::GetActiveFrame() { return this; }

void CFrameWnd::SetActiveView(CView* view, BOOL notify) {
  CView* old = m_pViewActive;
  if (view == old) return;
  // No view is active while the old one hears that it is not.
  m_pViewActive = nullptr;
  if (old) old->OnActivateView(FALSE, view, old);
  m_pViewActive = view;
  if (view && notify) view->OnActivateView(TRUE, view, old);
}

CDocument* CFrameWnd::GetActiveDocument() { return m_pViewActive ? m_pViewActive->GetDocument() : nullptr; }

void CFrameWnd::InitialUpdateFrame(CDocument* document, BOOL makeVisible) {
  CView* view = nullptr;
  if (!GetActiveView()) {
    view = dynamic_cast<CView*>(GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE));
    if (view) SetActiveView(view, FALSE);
  }
  if (makeVisible) {
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    int cmdShow = -1;
    if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd == this) {
      cmdShow = app->m_nCmdShow;
      app->m_nCmdShow = -1;  // the program's show command applies once
    }
    ActivateFrame(cmdShow);
    if (view) view->OnActivateView(TRUE, view, view);
  }
  (void)document;
  OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL addToTitle) {
  if (!(GetStyle() & FWS_ADDTOTITLE)) return;
  CDocument* document = GetActiveDocument();
  CString title = m_strTitle;
  if (addToTitle && document) {
    CString name = document->GetTitle();
    title = m_strTitle.IsEmpty() ? name : name + " - " + m_strTitle;
  }
  CString current;
  GetWindowText(current);
  if (current != title) SetWindowText(title);
}

void CFrameWnd::OnInitMenuPopup(CMenu* popup, UINT, BOOL systemMenu) {
  if (systemMenu || !popup) return;
  CCmdUI state;
  state.m_pMenu = popup;
  state.m_nIndexMax = popup->GetMenuItemCount();
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
    state.m_nID = popup->GetMenuItemID(static_cast<int>(state.m_nIndex));
    if (state.m_nID == 0) continue;  // a separator
    if (state.m_nID == static_cast<UINT>(-1)) {
      // An entry that opens a sub-menu goes by the sub-menu's first command
      // and is never greyed for want of a handler.
      state.m_pSubMenu = popup->GetSubMenu(static_cast<int>(state.m_nIndex));
      if (!state.m_pSubMenu) continue;
      state.m_nID = state.m_pSubMenu->GetMenuItemID(0);
      if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(-1)) continue;
      state.DoUpdate(this, FALSE);
    } else {
      state.m_pSubMenu = nullptr;
      state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
    }
    // A handler may have added or removed entries.
    UINT count = popup->GetMenuItemCount();
    if (count < state.m_nIndexMax) {
      state.m_nIndex -= std::min(state.m_nIndex, state.m_nIndexMax - count);
      while (state.m_nIndex < count && popup->GetMenuItemID(static_cast<int>(state.m_nIndex)) == state.m_nID)
        ++state.m_nIndex;
    }
    state.m_nIndexMax = count;
  }
}

void CFrameWnd::OnMenuSelect(UINT item, UINT flags, HMENU menu) {
  if (flags == 0xFFFF && !menu) {
    m_nIDTracking = AFX_IDS_IDLEMESSAGE;  // the menu closed
  } else if (item == 0 || (flags & (MF_SEPARATOR | MF_POPUP))) {
    m_nIDTracking = 0;
  } else if (item >= 0xF000 && item < 0xF1F0) {
    m_nIDTracking = kSystemCommandPrompts + ((item - 0xF000) >> 4);
  } else {
    m_nIDTracking = item;
  }
  if (m_nIDTracking != m_nIDLastMessage) SetMessageText(m_nIDTracking);
}

void CFrameWnd::GetMessageString(UINT id, CString& message) const {
  message = FirstLine(LoadResourceString(id));
  if (message.IsEmpty() && id == AFX_IDS_IDLEMESSAGE) message = "Ready";
}

CWnd* CFrameWnd::GetMessageBar() { return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE); }

void CFrameWnd::SetMessageText(LPCSTR text) {
  SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(text));
}

void CFrameWnd::SetMessageText(UINT id) { SendMessage(WM_SETMESSAGESTRING, id); }

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
  UINT last = m_nIDLastMessage;
  if (CWnd* bar = GetMessageBar()) {
    CString prompt;
    if (lParam) {
      prompt = reinterpret_cast<LPCSTR>(lParam);
    } else if (wParam) {
      GetMessageString(static_cast<UINT>(wParam), prompt);
    }
    bar->SetWindowText(prompt);
  }
  m_nIDLastMessage = m_nIDTracking = static_cast<UINT>(wParam);
  return last;
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
  if (m_bLayoutPending) RecalcLayout();
  return 0;
}

void CFrameWnd::UpdateFramesAtIdle() {
  // A handler may close a frame: walk a copy and skip what is gone.
  std::vector<CFrameWnd*> frames = Frames();
  for (CFrameWnd* frame : frames) {
    if (std::find(Frames().begin(), Frames().end(), frame) == Frames().end()) continue;
    HWND window = frame->m_hWnd;
    if (!window || !::IsWindowVisible(window)) continue;
    ::SendMessage(window, WM_IDLEUPDATECMDUI, TRUE, 0);
    if (::IsWindow(window)) frame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
  }
}
