// What the face does for the views of its frames: the road of a click on a
// picture hotspot to a key or to the matching table rows, the parts ordered
// from a picture, the tip of a hotspot, and one frame shown alone.
#include <algorithm>
#include <cstdlib>

#include "Main/CFace.h"
#include "Main/CImage.h"
#include "Main/CTablePart.h"
#include "Main/CMultiFrame.h"
#include "Main/CPicView.h"
#include "Main/CShiftScrollView.h"
#include "Main/CWV4Globals.h"
#include "Main/FaceWindows.h"
#include "Main/KeyCommand.h"
#include "Main/LinkFollow.h"
#include "Main/PictureView.h"
#include "Main/ShellServices.h"
#include "win32/UserMessages.h"

namespace {

constexpr int EVENT_LINK = 0x81;
constexpr int EVENT_PARTS = 0x82;

}  // namespace

HWND CFace::FrameWindowHandle() const {
  return m_frame_window != nullptr ? m_frame_window->GetSafeHwnd() : ViewerMainWindow();
}

BOOL CFace::MoveKeyboard(BOOL forward) {
  std::vector<CShiftScrollView*> views;
  for (int i = 0; i < m_no_frames; ++i) {
    for (FrameView* view : m_frames[static_cast<size_t>(i)]->m_views) {
      auto* tables = dynamic_cast<CShiftScrollView*>(view);
      if (tables != nullptr && tables->m_hWnd != nullptr && tables->IsWindowVisible() && tables->HasKeyRows())
        views.push_back(tables);
    }
  }
  if (views.empty()) return FALSE;
  const HWND focus = ::GetFocus();
  const auto here = std::find_if(views.begin(), views.end(), [focus](const CShiftScrollView* v) { return v->m_hWnd == focus; });
  const int count = static_cast<int>(views.size());
  int next = forward ? 0 : count - 1;
  if (here != views.end()) next = (static_cast<int>(here - views.begin()) + (forward ? 1 : count - 1)) % count;
  views[static_cast<size_t>(next)]->TakeKeyboard();
  return TRUE;
}

BOOL CFace::OnViewEvent(CFrame* frame, FrameView* view, int kind, UINT message, UINT /*keyFlags*/,
                        LPARAM /*point*/, int extra) {
  CImage* picture = nullptr;
  if (frame == nullptr || !frame->FindPictureOfView(view, picture)) return FALSE;
  if (message == WM_LBUTTONDOWN && picture->m_view->TakesZoomClick()) return TRUE;
  CString key;
  if (frame->GetHotspotKey(view, key)) {
    if (kind == EVENT_LINK && message == WM_LBUTTONDOWN) PostLinkKey(FrameWindowHandle(), key, nullptr);
    return TRUE;
  }
  CString name;
  CString link;
  frame->GetHotspotText(view, name, link);
  if (name.IsEmpty() && !m_default_hotspot.IsEmpty() && message == WM_LBUTTONDOWN) name = m_default_hotspot;
  for (const auto& each : m_frames) each->OnHotspotLink(name, message, kind, nullptr, extra);
  return TRUE;
}

void CFace::AddView(CPicView* view) {
  if (view == nullptr) return;
  m_picture_views.push_back(view);
  if (m_picture_views.size() < 2) return;
  // One-bit pictures share their palette with the last coloured one, and
  // every coloured one with the last one-bit picture.
  CPicView* lastBilevel = nullptr;
  CPicView* lastOther = nullptr;
  for (CPicView* each : m_picture_views) (each->GetViewKind() == 1 ? lastBilevel : lastOther) = each;
  if (lastBilevel == nullptr || lastOther == nullptr) return;
  for (CPicView* each : m_picture_views) each->MixPalette(each->GetViewKind() == 1 ? lastOther : lastBilevel);
}

void CFace::RemoveView(const CPicView* view) {
  m_picture_views.erase(std::remove(m_picture_views.begin(), m_picture_views.end(), view), m_picture_views.end());
}

BOOL CFace::BroadcastPalette() {
  for (CPicView* view : m_picture_views) {
    if (view->m_hWnd != nullptr) view->SendMessage(WM_USER, reinterpret_cast<WPARAM>(view->m_hWnd), 0);
  }
  return TRUE;
}

BOOL CFace::GetHotspotAbilities(CFrame* frame, FrameView* view, const CString& text, int& key, int& command,
                                int& parts) {
  key = command = parts = 0;
  CString target;
  if (frame != nullptr && frame->GetHotspotKey(view, target)) {
    command = 1;
    return TRUE;
  }
  for (const auto& each : m_frames) {
    for (int i = 0; i < each->m_child_count; ++i) {
      const FrameChild& child = each->m_children[static_cast<size_t>(i)];
      if (child.kind != CHILD_BODY_TABLE) continue;
      CString shown;
      int value = 0;
      BOOL orderable = FALSE;
      const int link = child.Part()->LinkInfo(text, target, shown, value, orderable);
      if ((link & 1) != 0) key = 1;
      if ((link & 8) != 0) command = 1;
      if (orderable) parts = 1;
    }
  }
  return TRUE;
}

CPicView* CFace::ZoomPicture() const {
  CPicView* found = nullptr;
  int count = 0;
  for (const auto& frame : m_frames) {
    if (frame->m_defined == 0) continue;
    for (int i = 0; i < frame->m_child_count; ++i) {
      const CImage* picture = frame->m_children[static_cast<size_t>(i)].Picture();
      if (picture == nullptr || !picture->FollowsProgramZoom() || picture->GetPicView() == nullptr) continue;
      found = picture->GetPicView();
      ++count;
    }
  }
  return count == 1 ? found : nullptr;
}

BOOL CFace::StartZoom() {
  CPicView* view = ZoomPicture();
  if (view != nullptr) view->OnZoomStart();
  return view != nullptr;
}

BOOL CFace::ZoomWhole() {
  CPicView* view = ZoomPicture();
  if (view != nullptr) view->OnZoomWhole();
  return view != nullptr;
}

BOOL CFace::ZoomPart() {
  CPicView* view = ZoomPicture();
  if (view != nullptr) view->OnZoomPart();
  return view != nullptr;
}

BOOL CFace::CollectParts(int kind, BOOL order) {
  if (kind != EVENT_PARTS) return FALSE;
  CDynBuf headers;
  CDynBuf texts;
  CDynBuf lines;
  headers.SetGrowBy(32);
  texts.SetGrowBy(32);
  lines.SetGrowBy(32);
  int rows = 0;
  int cells = 0;
  for (const auto& frame : m_frames) {
    for (int i = 0; i < frame->m_child_count; ++i) {
      const FrameChild& child = frame->m_children[static_cast<size_t>(i)];
      if (child.IsTable()) rows += child.Part()->Collect(m_default_hotspot, lines, texts, cells, headers);
    }
  }
  lines.Append('\0');
  if (rows > 0) Shell().SendPartsToProtocol(rows, cells, headers, texts, lines, order);
  return TRUE;
}

BOOL CFace::ReplayPictureClick() {
  auto* view = m_context_is_picture ? dynamic_cast<CPicView*>(m_context_view) : nullptr;
  if (view == nullptr) return FALSE;
  const CPoint at = view->LastPoint();
  view->NotifyFace(EVENT_LINK, WM_LBUTTONDOWN, 0, at.x, at.y, FALSE);
  return TRUE;
}

BOOL CFace::GetHotspotTip(const CString& hotspot, CString& text) {
  for (const auto& frame : m_frames) {
    CString target;
    if (frame->GetHotspotTip(hotspot, target, text)) return TRUE;
  }
  return FALSE;
}

void CFace::MaximizeFrame(CFrame* chosen) {
  if (chosen == nullptr) return;
  chosen->m_maximized = 1;
  chosen->ReparentPictureViews(m_frame_window);
  if (m_windows != nullptr) {
    for (int i = m_no_frames - 1; i >= 0; --i) {
      if (m_frames[static_cast<size_t>(i)]->HasPane()) m_windows->DestroyFrameView(i);
    }
    for (int k = GetFrameSetCount() - 1; k >= 0; --k) {
      if (m_framesets[static_cast<size_t>(k)].m_created) m_windows->DestroySplitter(k);
    }
  }
  m_framesets.clear();
  m_picture_views.clear();
  chosen->RegisterPictureViews();
  m_framesets.emplace_back(FRAMESET_ROWS);
  m_framesets[0].AddPane(-1, FALSE);
  m_framesets[0].m_panes[0].use = PANE_FRAME;
  int chosenIndex = -1;
  for (int i = 0; i < m_no_frames; ++i) {
    CFrame& frame = *m_frames[static_cast<size_t>(i)];
    const BOOL alone = &frame == chosen;
    frame.m_frameset = alone ? 0 : -1;
    frame.m_pane = alone ? 0 : -1;
    if (alone) chosenIndex = i;
  }
  if (m_windows == nullptr) return;
  if (m_windows->CreateSplitter(0)) m_framesets[0].m_created = TRUE;
  if (chosenIndex >= 0) m_windows->CreateFrameView(chosenIndex);
  SizeFrameSets(m_windows->PaneArea());
  ApplyPaneSizes();
  m_windows->RecalcFrameWindow();
  for (CPicView* view : m_picture_views) {
    if (view->m_hWnd != nullptr) view->SendMessage(WM_SETREDRAW, TRUE);
  }
  m_laid_out = TRUE;
}

void CFace::RestoreFrames() {
  theGlobals.m_cur_varbuf.Empty();
  PostKeyCommand(FrameWindowHandle(), 0, theGlobals.m_cur_prj_key);
}
