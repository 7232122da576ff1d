#include "Main/CShiftScrollView.h"

#include "Main/CFace.h"
#include "Main/CFrame.h"
#include "Main/CMultiFrame.h"
#include "Main/CV4TTWindow.h"
#include "Main/CWV4Globals.h"
#include "Main/ShellServices.h"
#include "Main/ViewerCursor.h"
#include "Main/res/ScreenLayoutIds.h"
#include "mfc/CMenu.h"
#include "mfc/CPaintDC.h"
#include "mfc/CWinApp.h"
#include "user/Menus.h"
#include "win32/GdiPrint.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace {

constexpr int ACTION_FOLLOW = 129;
constexpr int ACTION_ORDER = 130;
constexpr int ACTION_COPY_ROW = 149;
constexpr int ACTION_COPY_TABLE = 150;
constexpr int ACTION_COPY_FIELD = 151;

}  // namespace

IMPLEMENT_DYNAMIC(CShiftScrollView, CScrollView)
IMPLEMENT_DYNCREATE(CFrameView, CShiftScrollView)
IMPLEMENT_DYNCREATE(CClientScrollView, CShiftScrollView)

BEGIN_MESSAGE_MAP(CShiftScrollView, CScrollView)
  ON_WM_SETCURSOR()
  ON_WM_MOUSEMOVE()
  ON_WM_NCMOUSEMOVE()
  ON_WM_LBUTTONDOWN()
  ON_WM_KEYDOWN()
  ON_WM_KEYUP()
  ON_WM_NCHITTEST()
  ON_WM_CONTEXTMENU()
  ON_WM_PAINT()
  ON_WM_CREATE()
  ON_WM_KILLFOCUS()
  ON_WM_SETFOCUS()
  ON_WM_TIMER()
  ON_WM_DRAWITEM()
  ON_COMMAND(ID_CTX_PART_INFO, OnPartInfo)
  ON_COMMAND(ID_CTX_ORDER, OnOrder)
  ON_COMMAND(ID_CTX_BRANCH, OnBranch)
  ON_COMMAND(ID_CTX_COPY_FIELD, OnCopyField)
  ON_COMMAND(ID_CTX_COPY_ROW, OnCopyRow)
  ON_COMMAND(ID_CTX_COPY_TABLE, OnCopyTable)
  ON_COMMAND(ID_CTX_MAXIMISE, OnMaximise)
  ON_COMMAND(ID_CTX_ORDER_LIST, OnOrderList)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CClientScrollView, CShiftScrollView)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CShiftScrollView*& CShiftScrollView::ContextView() {
  static CShiftScrollView* view = nullptr;
  return view;
}

int CShiftScrollView::CursorChoice() const {
  if (m_frame == nullptr || m_link_flags == 0) return 0;
  const BOOL marked = (m_link_flags & LINK_KEY_MARK) != 0;
  if ((GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0 || theGlobals.m_protmodus != 0) {
    return marked ? CURSOR_ORDER : 0;
  }
  return (m_link_flags & (LINK_TO_KEY | LINK_COMMAND)) != 0 ? CURSOR_LINK : 0;
}

BOOL CShiftScrollView::InActiveFrameWindow() const {
  if (m_frame == nullptr || m_frame->m_face == nullptr) return FALSE;
  const HWND active = ::GetActiveWindow();
  return active != nullptr && active == m_frame->m_face->FrameWindowHandle();
}

void CShiftScrollView::HitTestAt(CPoint point) {
  int value = 0;
  m_link_flags = m_frame->HitTestAll(this, point.x, point.y, m_part_text1, m_part_text2, m_target, m_text, value);
}

void CShiftScrollView::UpdateCursorAndHint() {
  OnSetCursor(nullptr, 0, 0);
  Shell().ShowActionHint(CursorChoice(), m_part_text1, m_text);
}

void CShiftScrollView::StopConnectTimer() {
  if (m_timer_running) KillTimer(kConnectTimer);
  m_timer_running = FALSE;
}

BOOL CShiftScrollView::OnSetCursor(CWnd* window, UINT hitTest, UINT message) {
  if (!InActiveFrameWindow()) return window != nullptr ? CScrollView::OnSetCursor(window, hitTest, message) : FALSE;
  const int choice = CursorChoice();
  if (choice != 0) {
    SetCursorOnce(ViewerCursor(choice));
    return TRUE;
  }
  if (hitTest == 0 && message == 0) {
    SetCursorOnce(LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
  }
  return CScrollView::OnSetCursor(window, hitTest, message);
}

void CShiftScrollView::OnMouseMove(UINT flags, CPoint point) {
  CScrollView::OnMouseMove(flags, point);
  if (!InActiveFrameWindow()) return;
  PointAt(point);
}

void CShiftScrollView::PointAt(CPoint point) {
  m_last_point = point;
  HitTestAt(point);
  if (theGlobals.m_hs_connect_onoff) {
    if (!theGlobals.m_hs_connect_use_timer) {
      m_frame->ConnectHotspot(m_part_text1);
    } else {
      StopConnectTimer();
      SetTimer(kConnectTimer, static_cast<UINT>(theGlobals.m_hs_connect_timer), nullptr);
      m_timer_running = TRUE;
    }
  }
  Shell().ShowActionHint(CursorChoice(), m_part_text1, m_text);
}

void CShiftScrollView::OnNcMouseMove(UINT hitTest, CPoint point) {
  CV4TTWindow::HideCurrent();
  CScrollView::OnNcMouseMove(hitTest, point);
}

// A click on nothing reaches the body table as action 0.
void CShiftScrollView::OnLButtonDown(UINT flags, CPoint point) {
  if (InActiveFrameWindow()) {
    HitTestAt(point);
    m_frame->OnHotspotCommand(CursorChoice(), this, point.x, point.y, 1);
  }
  CScrollView::OnLButtonDown(flags, point);
}

void CShiftScrollView::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  CScrollView::OnKeyDown(key, repeat, flags);
  if (!InActiveFrameWindow()) return;
  if (TableKey(key)) return;
  UpdateCursorAndHint();
  if (CMultiFrame* window = m_frame->GetFrameWindow(); window != nullptr) window->HandleKeyDown(key, repeat, flags);
}

void CShiftScrollView::OnKeyUp(UINT key, UINT repeat, UINT flags) {
  CScrollView::OnKeyUp(key, repeat, flags);
  if (!InActiveFrameWindow()) return;
  UpdateCursorAndHint();
  if (CMultiFrame* window = m_frame->GetFrameWindow(); window != nullptr) window->HandleKeyUp(key, repeat, flags);
}

LRESULT CShiftScrollView::OnNcHitTest(CPoint point) {
  const LRESULT hit = CScrollView::OnNcHitTest(point);
  if (!InActiveFrameWindow()) return hit;
  CPoint client = point;
  ScreenToClient(&client);
  HitTestAt(client);
  const HWND focus = ::GetFocus();
  const HWND frameWindow = m_frame->m_face->FrameWindowHandle();
  if (hit == HTCLIENT && focus != m_hWnd && focus != nullptr &&
      (focus == frameWindow || ::IsChild(frameWindow, focus))) {
    SetFocus();
    const CPoint nowhere(-1, -1);
    m_frame->OnHotspotLink(CString(), WM_MOUSEMOVE, 0, &nowhere, 1);
    StopConnectTimer();
  }
  return hit;
}

void CShiftScrollView::OnPaint() {
  if (theGlobals.m_building_face) {
    ValidateRect(nullptr);
    return;
  }
  CPaintDC dc(this);
  OnPrepareDC(&dc);
  OnDraw(&dc);
}

int CShiftScrollView::OnCreate(LPCREATESTRUCT create) { return CScrollView::OnCreate(create) == -1 ? -1 : 0; }

void CShiftScrollView::OnKillFocus(CWnd* next) {
  POINT at{};
  GetCursorPos(&at);
  CRect rect;
  GetWindowRect(&rect);
  if (!rect.PtInRect(at) || next == nullptr) {
    if (theGlobals.m_use_tt_window) CV4TTWindow::HideCurrent();
    StopConnectTimer();
  }
  if (m_frame != nullptr) m_frame->OnPointerLeft(this);
  CScrollView::OnKillFocus(next);
  Invalidate(FALSE);  // the focus frame goes
}

void CShiftScrollView::OnSetFocus(CWnd* old) {
  CScrollView::OnSetFocus(old);
  Invalidate(FALSE);  // the focus frame comes
}

// The connection happens once, after the pointer has rested for the delay.
void CShiftScrollView::OnTimer(UINT_PTR id) {
  if (id == kConnectTimer && m_frame != nullptr) m_frame->ConnectHotspot(m_part_text1);
  if (m_timer_running) StopConnectTimer();
}

void CShiftScrollView::OnContextMenu(CWnd* /*window*/, CPoint point) {
  if (m_frame == nullptr || m_frame->m_face == nullptr) return;
  CFace& face = *m_frame->m_face;
  face.m_context_view = this;
  face.m_context_is_picture = FALSE;
  CV4TTWindow::HideCurrent();
  if (CMultiFrame* window = m_frame->GetFrameWindow(); window != nullptr && window->GetActiveView() != this) {
    window->SetActiveView(this);
  }
  CPoint client = point;
  ScreenToClient(&client);
  const CPoint scroll = ScrollPosition();
  const CPoint at(client.x + scroll.x, client.y + scroll.y);
  const BOOL active = InActiveFrameWindow();
  if (active) m_frame->OnHotspotLink(m_part_text1, WM_RBUTTONDOWN, CursorChoice(), &at, 1);
  ContextView() = this;
  if (theGlobals.m_FirstStart) return;
  CMenu menu;
  CMenu* popup = m_frame->LoadContextMenu(menu);
  if (popup != nullptr) {
    const BOOL link = (m_link_flags & (LINK_TO_KEY | LINK_COMMAND)) != 0;
    const BOOL marked = (m_link_flags & LINK_KEY_MARK) != 0;
    if (link) popup->EnableMenuItem(ID_CTX_BRANCH, MF_BYCOMMAND | MF_ENABLED);
    if (marked) {
      popup->EnableMenuItem(ID_CTX_PART_INFO, MF_BYCOMMAND | MF_ENABLED);
      popup->EnableMenuItem(ID_CTX_ORDER, MF_BYCOMMAND | MF_ENABLED);
    }
    face.m_default_hotspot.Empty();
    face.m_context_flags[0] = link;
    face.m_context_flags[1] = marked;
    const int table = m_frame->GetLinkFlags(this, client.x, client.y);
    if ((table & 4) != 0) popup->EnableMenuItem(ID_CTX_COPY_FIELD, MF_BYCOMMAND | MF_ENABLED);
    if ((table & 2) != 0) popup->EnableMenuItem(ID_CTX_COPY_ROW, MF_BYCOMMAND | MF_ENABLED);
    if ((table & 1) != 0) popup->EnableMenuItem(ID_CTX_COPY_TABLE, MF_BYCOMMAND | MF_ENABLED);
    for (UINT position = 0; position < popup->GetMenuItemCount(); ++position) {
      if (popup->GetSubMenu(static_cast<int>(position)) == nullptr) continue;
      popup->EnableMenuItem(position, MF_BYPOSITION | (table != 0 ? MF_ENABLED : MF_GRAYED));
      break;
    }
    CWnd* owner = m_frame->GetFrameWindow() != nullptr ? static_cast<CWnd*>(m_frame->GetFrameWindow()) : this;
    popup->TrackPopupMenu(TPM_RIGHTBUTTON, point.x - 10, point.y - GetSystemMetrics(SM_CYMENU) / 2, owner);
  }
  if (active) m_frame->OnHotspotLink(CString(), WM_RBUTTONDOWN, CursorChoice(), &at, 1);
  menu.DestroyMenu();
}

void CShiftScrollView::RunContextCommand(int action, int flag) {
  if (ContextView() != nullptr) ContextView()->RunCommandAtLastPoint(action, flag);
}

void CShiftScrollView::RunCommandAtLastPoint(int action, int flag) {
  if (m_frame != nullptr) m_frame->OnHotspotCommand(action, this, m_last_point.x, m_last_point.y, flag);
}

void CShiftScrollView::OnPartInfo() { RunContextCommand(ACTION_ORDER, 0); }
void CShiftScrollView::OnOrder() { RunContextCommand(ACTION_ORDER, 1); }

// The entry may come from a picture's context menu, which leaves its click
// pending with the face: the face's context view is then the picture's.
void CShiftScrollView::OnBranch() {
  CFace* face = m_frame != nullptr ? m_frame->m_face : nullptr;
  if (face == nullptr || face->m_context_view == ContextView()) {
    RunContextCommand(ACTION_FOLLOW, 0);
  } else if (!face->ReplayPictureClick()) {
    auto* current = dynamic_cast<CShiftScrollView*>(face->m_context_view);
    if (current != nullptr) current->RunCommandAtLastPoint(ACTION_FOLLOW, 0);
  }
}
void CShiftScrollView::OnCopyField() { RunContextCommand(ACTION_COPY_FIELD, 0); }
void CShiftScrollView::OnCopyRow() { RunContextCommand(ACTION_COPY_ROW, 0); }
void CShiftScrollView::OnCopyTable() { RunContextCommand(ACTION_COPY_TABLE, 0); }

void CShiftScrollView::OnMaximise() {
  if (ContextView() != nullptr && ContextView()->m_frame != nullptr) ContextView()->m_frame->ToggleMaximise();
}

void CShiftScrollView::OnOrderList() { Shell().ShowOrderList(); }

// FrameView.

CRect CShiftScrollView::ClientArea() {
  CRect client;
  GetClientRect(&client);
  return client;
}

CRect CShiftScrollView::RectInFrame() {
  CRect rect;
  GetWindowRect(&rect);
  if (m_frame != nullptr && m_frame->m_face != nullptr) {
    ::ScreenToClient(m_frame->m_face->FrameWindowHandle(), reinterpret_cast<POINT*>(&rect.left));
    ::ScreenToClient(m_frame->m_face->FrameWindowHandle(), reinterpret_cast<POINT*>(&rect.right));
  }
  return rect;
}

void CShiftScrollView::SizeScrollBars(CSize total, CSize page, CSize line) { SetScrollSizes(MM_TEXT, total, page, line); }

void CShiftScrollView::NeededBars(BOOL& horizontal, BOOL& vertical) { CheckScrollBars(horizontal, vertical); }

CPoint CShiftScrollView::ScrollPosition() {
  const CPoint position = GetDeviceScrollPosition();
  return position.x == 0 && position.y == 0 ? CPoint(0, 0) : position;
}

CRect CShiftScrollView::RectInParent() {
  CRect rect;
  GetWindowRect(&rect);
  CWnd* parent = GetParent();
  if (parent == nullptr) return rect;
  parent->ScreenToClient(&rect);
  if (auto* scrolled = dynamic_cast<CShiftScrollView*>(parent); scrolled != nullptr) {
    rect.OffsetRect(scrolled->ScrollPosition());
  }
  return rect;
}

void CShiftScrollView::DestroyView() { DestroyWindow(); }

void CShiftScrollView::RepaintNow(const CRect& rect) { RedrawWindow(&rect, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }

void CShiftScrollView::InvalidateAll() { Invalidate(TRUE); }

void CShiftScrollView::VerticalRange(int& low, int& high) { GetScrollRange(SB_VERT, &low, &high); }

int CShiftScrollView::ScrollVertically(int y) {
  ScrollToPosition(CPoint(GetDeviceScrollPosition().x, y));
  return GetDeviceScrollPosition().y;
}

void CFrameView::OnDraw(CDC* dc) {
  if (m_frame != nullptr) m_frame->DrawView(this, dc);
  DrawKeyFocus(dc);
}

void CFrameView::OnPrepareDC(CDC* dc, CPrintInfo* info) {
  if (m_frame != nullptr && m_frame->AttachView(this, dc, nullptr)) CShiftScrollView::OnPrepareDC(dc, info);
}

void CClientScrollView::OnDraw(CDC* dc) {
  if (m_frame != nullptr) m_frame->DrawView(this, dc);
  DrawKeyFocus(dc);
}

void CClientScrollView::OnDestroy() {
  if (m_frame != nullptr) m_frame->DestructClientView(this);
  CShiftScrollView::OnDestroy();
}
