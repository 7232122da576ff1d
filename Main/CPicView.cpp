#include "Main/CPicView.h"

#include "Main/CFace.h"
#include "Main/CFrame.h"
#include "Main/CImage.h"
#include "Main/CMultiFrame.h"
#include "Main/CWV4Globals.h"
#include "Main/HotspotList.h"
#include "Main/KeyCommand.h"
#include "Main/ShellServices.h"
#include "Main/ViewerCursor.h"
#include "Main/varno4.h"
#include "Main/res/ScreenLayoutIds.h"
#include "mfc/CMenu.h"
#include "user/Menus.h"
#include "win32/GdiPrint.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

IMPLEMENT_DYNCREATE(CPicView, CImageView)

BEGIN_MESSAGE_MAP(CPicView, CImageView)
  ON_WM_MOUSEMOVE()
  ON_WM_TIMER()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_KEYDOWN()
  ON_WM_KEYUP()
  ON_WM_KILLFOCUS()
  ON_WM_NCHITTEST()
  ON_WM_SETCURSOR()
  ON_WM_CONTEXTMENU()
  ON_WM_DESTROY()
  ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
  ON_COMMAND(ID_CTX_PART_INFO, OnPartInfo)
  ON_COMMAND(ID_CTX_ORDER, OnOrder)
  ON_COMMAND(ID_CTX_BRANCH, OnBranch)
  ON_COMMAND(ID_CTX_ZOOM_START, OnZoomStart)
  ON_COMMAND(ID_CTX_ZOOM_WHOLE, OnZoomWhole)
  ON_COMMAND(ID_CTX_ZOOM_PART, OnZoomPart)
  ON_COMMAND(ID_CTX_MAXIMISE, OnMaximise)
  ON_COMMAND(ID_CTX_COPY_PICTURE, OnCopyPicture)
  ON_COMMAND(ID_CTX_ORDER_LIST, OnOrderList)
END_MESSAGE_MAP()

CPicView::~CPicView() {
  if (m_image != nullptr) m_image->ForgetView(this);
  if (m_frame == nullptr) return;
  m_frame->DestructClientView(this);
  if (m_frame->m_face != nullptr) m_frame->m_face->RemoveView(this);
}

// The destructor does the rest when the window goes.
void CPicView::OnDestroy() {
  StopHoverTimer();
  CImageView::OnDestroy();
}

CImage* CPicView::FindPicture() {
  CImage* picture = nullptr;
  return m_frame != nullptr && m_frame->FindPictureOfView(this, picture) ? picture : nullptr;
}

HWND CPicView::FrameWindowHandle() const {
  return m_frame != nullptr && m_frame->m_face != nullptr ? m_frame->m_face->FrameWindowHandle() : nullptr;
}

BOOL CPicView::InFrameWindow() const {
  const HWND frameWindow = FrameWindowHandle();
  return frameWindow != nullptr && ::GetActiveWindow() == frameWindow;
}

void CPicView::StopHoverTimer() {
  if (m_timer_running && m_hWnd != nullptr) KillTimer(kHoverTimer);
  m_timer_running = FALSE;
}

// Events for the face.

void CPicView::NotifyFace(int kind, UINT message, UINT flags, int x, int y, int flag) {
  if (m_frame == nullptr || m_frame->m_face == nullptr) return;
  const LPARAM point = static_cast<LPARAM>((static_cast<DWORD>(y & 0xFFFF) << 16) | static_cast<DWORD>(x & 0xFFFF));
  m_frame->m_face->OnViewEvent(m_frame, this, kind, message, flags, point, flag);
}

BOOL CPicView::GetHotspotActions(BOOL& branch, BOOL& info) {
  branch = FALSE;
  info = FALSE;
  if (theGlobals.m_FirstStart) {
    branch = TRUE;
    return TRUE;
  }
  if (m_frame == nullptr || m_frame->m_face == nullptr) return FALSE;
  CString name;
  CString link;
  if (!m_frame->GetHotspotText(this, name, link)) return FALSE;
  int key = 0;
  int command = 0;
  int parts = 0;
  m_frame->m_face->GetHotspotAbilities(m_frame, this, name, key, command, parts);
  branch = key + command > 0;
  info = parts != 0;
  return TRUE;
}

int CPicView::GetEventKind() {
  BOOL branch = FALSE;
  BOOL info = FALSE;
  if (!GetHotspotActions(branch, info)) return EVENT_NONE;
  const BOOL control = (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0;
  if (!control && theGlobals.m_protmodus == 0) return branch ? EVENT_LINK : EVENT_NONE;
  if (!info) return EVENT_NONE;
  if (theGlobals.m_protmodus != 1 && !control) return EVENT_NONE;
  return EVENT_PARTS;
}

// The face reads the hotspot under the event: none must be active, or the
// leave would light up the rows of the hotspot just left.
void CPicView::ClearHover() {
  ClearHotspotHighlight();
  NotifyFace(EVENT_NONE, WM_MOUSEMOVE, 0, -1, -1, TRUE);
}

// Hotspots of the description.

void CPicView::ReadHotspotList(const CDynBuf& list) {
  if (list.GetLength() == 0) return;
  SIZE size{0, 0};
  GetImageSize(&size);
  ::ReadHotspotList(m_hotspots, list, CSize(size.cx, size.cy));
}

void CPicView::ApplyLinkNames(const CFace& face) { ::ApplyLinkNames(m_hotspots, face.m_link_names, face.m_link_flags); }

void CPicView::DeleteHotspots() {
  if (m_hotspots != nullptr) HS_DeleteHotspots(m_hotspots);
  m_active = -1;
}

void CPicView::SetCaseSensitive(BOOL on) {
  if (m_hotspots != nullptr) HS_CaseSensitive(m_hotspots, on);
}

// Pointer and keys.

void CPicView::UpdateCursorAndHint() {
  OnSetCursor(nullptr, 0, 0);
  const int kind = GetEventKind();
  CString name;
  CString link;
  GetActiveHotspot(name, link);
  CString target;
  if (kind == EVENT_LINK && m_frame != nullptr) {
    CString key;
    if (theGlobals.m_FirstStart) {
      target = theGlobals.m_key_start;
    } else if (m_frame->GetHotspotKey(this, key)) {
      CString shownName;
      m_frame->GetHotspotText(this, shownName, link);
      target = link.IsEmpty() ? key : link;
    } else if (m_frame->m_face != nullptr) {
      m_frame->m_face->GetHotspotTip(name, target);
    }
  }
  Shell().ShowActionHint(kind, name, target);
}

void CPicView::OnMouseMove(UINT flags, CPoint point) {
  CImageView::OnMouseMove(flags, point);
  WatchForLeaving();
  if (!InFrameWindow()) return;
  m_last_x = point.x;
  m_last_y = point.y;
  m_last_flags = flags;
  const BOOL hover = theGlobals.m_hs_connect_onoff;
  const BOOL byTimer = theGlobals.m_hs_connect_use_timer;
  if (hover && byTimer) {
    StopHoverTimer();
    SetTimer(kHoverTimer, static_cast<UINT>(theGlobals.m_hs_connect_timer), nullptr);
    m_timer_running = TRUE;
  }
  NotifyFace(GetEventKind(), WM_MOUSEMOVE, flags, point.x, point.y, hover && !byTimer);
  UpdateCursorAndHint();
}

// A lit hotspot and the rows it lit go dark when the pointer leaves the
// picture for a place that takes neither the focus nor a hit test of its own
// (a bar, the toolbar, another program).
void CPicView::WatchForLeaving() {
  if (m_watching_leave || m_hWnd == nullptr) return;
  TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hWnd, 0};
  m_watching_leave = TrackMouseEvent(&track);
}

LRESULT CPicView::OnMouseLeave(WPARAM /*unused*/, LPARAM /*unused*/) {
  m_watching_leave = FALSE;
  if (m_tooltip.m_hWnd != nullptr) m_tooltip.Activate(FALSE);
  ClearHover();
  StopHoverTimer();
  if (InFrameWindow()) Shell().ShowActionHint(EVENT_NONE, CString(), CString());
  return 0;
}

// The move the pointer rested on is replayed once as a hover link.
void CPicView::OnTimer(UINT_PTR id) {
  if (id == kHoverTimer) NotifyFace(GetEventKind(), WM_MOUSEMOVE, m_last_flags, m_last_x, m_last_y, TRUE);
  else CImageView::OnTimer(id);
  if (m_timer_running) StopHoverTimer();
}

void CPicView::OnLButtonDown(UINT flags, CPoint point) {
  CImageView::OnLButtonDown(flags, point);
  if (!InFrameWindow()) return;
  if (theGlobals.m_FirstStart) {
    theGlobals.m_cur_varbuf.Empty();
    PostKeyCommand(FrameWindowHandle(), 0, theGlobals.m_key_start);
    return;
  }
  NotifyFace(GetEventKind(), WM_LBUTTONDOWN, flags, point.x, point.y, FALSE);
}

void CPicView::OnLButtonUp(UINT flags, CPoint point) {
  CImageView::OnLButtonUp(flags, point);
  if (!InFrameWindow()) return;
  NotifyFace(GetEventKind(), WM_LBUTTONUP, flags, point.x, point.y, FALSE);
  OnSetCursor(nullptr, 0, 0);
}

void CPicView::OnLButtonDblClk(UINT flags, CPoint point) {
  CImageView::OnLButtonDblClk(flags, point);
  if (InFrameWindow()) NotifyFace(GetEventKind(), WM_LBUTTONDBLCLK, flags, point.x, point.y, FALSE);
}

void CPicView::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  CImageView::OnKeyDown(key, repeat, flags);
  if (!InFrameWindow()) return;
  UpdateCursorAndHint();
  if (CMultiFrame* window = m_frame->GetFrameWindow(); window != nullptr) window->HandleKeyDown(key, repeat, flags);
}

void CPicView::OnKeyUp(UINT key, UINT repeat, UINT flags) {
  CImageView::OnKeyUp(key, repeat, flags);
  if (!InFrameWindow()) return;
  UpdateCursorAndHint();
  if (CMultiFrame* window = m_frame->GetFrameWindow(); window != nullptr) window->HandleKeyUp(key, repeat, flags);
}

void CPicView::OnKillFocus(CWnd* next) {
  POINT at{};
  GetCursorPos(&at);
  CRect window;
  GetWindowRect(&window);
  if (!window.PtInRect(at) || next == nullptr) {
    ClearHover();
    StopHoverTimer();
  }
  CImageView::OnKillFocus(next);
}

LRESULT CPicView::OnNcHitTest(CPoint point) {
  const LRESULT hit = CImageView::OnNcHitTest(point);
  const HWND frameWindow = FrameWindowHandle();
  const HWND focus = ::GetFocus();
  if (hit == HTCLIENT && frameWindow != nullptr && focus != m_hWnd && focus != nullptr &&
      (focus == frameWindow || ::IsChild(frameWindow, focus))) {
    SetFocus();
    ClearHover();
    StopHoverTimer();
  }
  return hit;
}

BOOL CPicView::OnSetCursor(CWnd* window, UINT hitTest, UINT message) {
  if (!InFrameWindow()) return window != nullptr ? CImageView::OnSetCursor(window, hitTest, message) : FALSE;
  if (FindPicture() != nullptr && IsZoomMode()) return CImageView::OnSetCursor(window, HTCLIENT, message);
  const int kind = GetEventKind();
  if (kind == EVENT_LINK || kind == EVENT_PARTS) {
    SetCursorOnce(ViewerCursor(kind));
    return TRUE;
  }
  if (hitTest == 0 && message == 0) {
    SetCursorOnce(LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
  }
  return CImageView::OnSetCursor(window, hitTest, message);
}

// Drawing: the hotspots take the colours of their link kind.

void CPicView::OnDraw(CDC* dc) {
  const CImage* picture = FindPicture();
  if (picture == nullptr) return;
  const int raster = picture->m_raster;
  const int style = raster >= 0 && raster <= 3 ? raster + 1 : 1;
  const COLORREF linkColours[4] = {0, theGlobals.m_prot_textcolor, theGlobals.m_norlink_textcolor,
                                   theGlobals.m_linkprot_textcolor};
  const COLORREF none[4] = {0, 0, 0, 0};
  if (style <= 2) SetHotspotDrawSettings(style, 1, picture->m_hotspot_draw);
  else SetHotspotColours(style, 1, picture->m_hotspot_draw, 4, style == 3 ? none : linkColours, linkColours);
  CImageView::OnDraw(dc);
}

// Context menu.

void CPicView::PrepareContextMenu(CMenu* popup) {
  BOOL branch = FALSE;
  BOOL info = FALSE;
  GetHotspotActions(branch, info);
  if (info) {
    popup->EnableMenuItem(ID_CTX_PART_INFO, MF_BYCOMMAND | MF_ENABLED);
    popup->EnableMenuItem(ID_CTX_ORDER, MF_BYCOMMAND | MF_ENABLED);
  }
  if (branch) popup->EnableMenuItem(ID_CTX_BRANCH, MF_BYCOMMAND | MF_ENABLED);
  popup->EnableMenuItem(ID_CTX_COPY_PICTURE, MF_BYCOMMAND | MF_ENABLED);
  // The copy entries sit in a submenu, which must be open to reach the picture's.
  for (UINT position = 0; position < popup->GetMenuItemCount(); ++position) {
    if (popup->GetSubMenu(static_cast<int>(position)) == nullptr) continue;
    popup->EnableMenuItem(position, MF_BYPOSITION | MF_ENABLED);
    break;
  }
  const CImage* picture = FindPicture();
  if (picture != nullptr && picture->m_zoom_rule == 1) {
    for (UINT id : {ID_CTX_ZOOM_START, ID_CTX_ZOOM_WHOLE, ID_CTX_ZOOM_PART}) {
      popup->EnableMenuItem(id, MF_BYCOMMAND | MF_ENABLED);
    }
    popup->CheckMenuItem(ID_CTX_ZOOM_WHOLE, MF_BYCOMMAND | (GetZoom() == 0 ? MF_CHECKED : MF_UNCHECKED));
    popup->CheckMenuItem(ID_CTX_ZOOM_PART, MF_BYCOMMAND | (GetZoom() == -2 ? MF_CHECKED : MF_UNCHECKED));
  }
  if (m_frame != nullptr && m_frame->m_face != nullptr) {
    CFace& face = *m_frame->m_face;
    CString name;
    CString link;
    if (!GetActiveHotspot(name, link)) name.Empty();
    face.m_default_hotspot = name;
    face.m_context_flags[0] = branch;
    face.m_context_flags[1] = info;
  }
}

void CPicView::OnContextMenu(CWnd* /*window*/, CPoint point) {
  if (theGlobals.m_FirstStart || FindPicture() == nullptr) return;
  CFace& face = *m_frame->m_face;
  face.m_context_view = this;
  face.m_context_is_picture = TRUE;
  CMultiFrame* frameWindow = m_frame->GetFrameWindow();
  if (frameWindow != nullptr && frameWindow->GetActiveView() != this) frameWindow->SetActiveView(this);
  CMenu menu;
  CMenu* popup = m_frame->LoadContextMenu(menu);
  if (popup != nullptr) {
    PrepareContextMenu(popup);
    CWnd* owner = frameWindow != nullptr ? static_cast<CWnd*>(frameWindow) : this;
    popup->TrackPopupMenu(TPM_RIGHTBUTTON, point.x - 10, point.y - GetSystemMetrics(SM_CYCURSOR) / 2, owner);
  }
  menu.DestroyMenu();
}

void CPicView::OnPartInfo() {
  if (m_frame != nullptr && m_frame->m_face != nullptr) m_frame->m_face->CollectParts(EVENT_PARTS, FALSE);
}

void CPicView::OnOrder() {
  if (m_frame != nullptr && m_frame->m_face != nullptr) m_frame->m_face->CollectParts(EVENT_PARTS, TRUE);
}

void CPicView::OnBranch() {
  if (m_frame == nullptr || m_frame->m_face == nullptr) return;
  FrameView* context = m_frame->m_face->m_context_view;
  if (context == nullptr || context == static_cast<FrameView*>(this)) {
    NotifyFace(EVENT_LINK, WM_LBUTTONDOWN, 0, m_last_x, m_last_y, FALSE);
    return;
  }
  m_frame->m_face->ReplayPictureClick();
}

void CPicView::OnZoomStart() {
  if (const CImage* picture = FindPicture(); picture != nullptr) {
    if (picture->FollowsProgramZoom()) ToggleZoomMode();
    theGlobals.m_ZoomFactor = -1;
  }
}

void CPicView::OnZoomWhole() {
  if (const CImage* picture = FindPicture(); picture != nullptr) {
    if (picture->FollowsProgramZoom()) SetZoom(0);
    theGlobals.m_ZoomFactor = 0;
  }
}

void CPicView::OnZoomPart() {
  if (const CImage* picture = FindPicture(); picture != nullptr) {
    if (picture->FollowsProgramZoom()) SetZoom(-2);
    theGlobals.m_ZoomFactor = -2;
  }
}

void CPicView::OnMaximise() {
  if (m_frame != nullptr) m_frame->ToggleMaximise();
}

void CPicView::OnCopyPicture() {
  HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  CopyToClipboard();
  SetCursor(old);
}

void CPicView::OnOrderList() { Shell().ShowOrderList(); }

// FrameView.

CRect CPicView::ClientArea() {
  CRect client;
  GetClientRect(&client);
  return client;
}

CRect CPicView::RectInFrame() {
  CRect rect;
  GetWindowRect(&rect);
  const HWND frameWindow = FrameWindowHandle();
  if (frameWindow != nullptr) {
    ::ScreenToClient(frameWindow, reinterpret_cast<POINT*>(&rect.left));
    ::ScreenToClient(frameWindow, reinterpret_cast<POINT*>(&rect.right));
  }
  return rect;
}

void CPicView::SizeScrollBars(CSize total, CSize page, CSize line) { SetScrollSizes(MM_TEXT, total, page, line); }

void CPicView::NeededBars(BOOL& horizontal, BOOL& vertical) { CheckScrollBars(horizontal, vertical); }

CPoint CPicView::ScrollPosition() { return GetDeviceScrollPosition(); }

CRect CPicView::RectInParent() {
  CRect rect;
  GetWindowRect(&rect);
  if (CWnd* parent = GetParent(); parent != nullptr) parent->ScreenToClient(&rect);
  return rect;
}

void CPicView::DestroyView() {
  if (m_hWnd != nullptr) DestroyWindow();
  else delete this;
}
