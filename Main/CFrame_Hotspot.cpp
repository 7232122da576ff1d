// A frame's links and commands: what lies under the pointer in one of its
// views, following a link or running a command there, and the hotspots of
// its pictures that belong to the rows of its tables.
#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>

#include "Main/CErrorTrace.h"
#include "Main/CFace.h"
#include "Main/CFrame.h"
#include "Main/CImage.h"
#include "Main/CMultiFrame.h"
#include "Main/CTableCell.h"
#include "Main/CTablePart.h"
#include "Main/CWV4Globals.h"
#include "Main/FrameView.h"
#include "Main/LinkFollow.h"
#include "Main/PictureView.h"
#include "Main/ShellServices.h"
#include "win32/UserMessages.h"

namespace {

constexpr int ACTION_FOLLOW = 129;
constexpr int ACTION_ORDER = 130;

// "#12" stands for data text 12.
BOOL DataTextNumber(const CString& link, long& number) {
  if (link.GetLength() < 2 || link[0] != '#') return FALSE;
  const char* digits = static_cast<const char*>(link) + 1;
  for (const char* c = digits; *c != '\0'; ++c) {
    if (std::isdigit(static_cast<unsigned char>(*c)) == 0) return FALSE;
  }
  number = std::strtol(digits, nullptr, 10);
  return TRUE;
}

}  // namespace

const CDynBuf* CFrame::Assignments(int value) const {
  if (value < 0 || value >= static_cast<int>(m_actions.size())) return nullptr;
  return m_actions[static_cast<size_t>(value)].get();
}

CTablePart* CFrame::BodyTableOf(FrameView* view) const {
  int slot = -1;
  if (!FindView(view, slot)) return nullptr;
  for (int i = 0; i < m_child_count; ++i) {
    const FrameChild& child = m_children[static_cast<size_t>(i)];
    if (child.kind == CHILD_BODY_TABLE && child.view_slot == slot) return child.Part();
  }
  return nullptr;
}

int CFrame::HitTestAll(FrameView* view, int x, int y, CString& partText1, CString& partText2, CString& target,
                       CString& text, int& value) {
  partText1.Empty();
  partText2.Empty();
  target.Empty();
  text.Empty();
  int slot = -1;
  if (!FindView(view, slot)) return 0;
  const CPoint scroll = view->ScrollPosition();
  x += scroll.x;
  y += scroll.y;
  for (int i = 0; i < m_child_count; ++i) {
    const FrameChild& child = m_children[static_cast<size_t>(i)];
    int flags = 0;
    if (slot != 0) {
      if (child.kind != CHILD_BODY_TABLE || child.view_slot != slot) continue;
    } else if (child.kind == CHILD_CELL) {
      flags = child.Cell()->HitTest(x, y, target, text, value);
      if (flags != 0) return flags;
      continue;
    } else if (child.kind != CHILD_HEAD_TABLE) {
      continue;
    }
    TableHit hit;
    flags = child.Part()->OnMouseMove(view, x, y, scroll, hit);
    partText1 = child.kind == CHILD_HEAD_TABLE ? CString() : hit.name;
    partText2 = hit.key;
    target = hit.target;
    text = hit.text;
    value = hit.value;
    if (flags != 0) return flags;
  }
  return 0;
}

int CFrame::OnHotspotCommand(int action, FrameView* view, int x, int y, int flag) {
  int slot = -1;
  if (!FindView(view, slot)) return 0;
  if (action != ACTION_FOLLOW) {
    CTablePart* body = BodyTableOf(view);
    if (body == nullptr) return 0;
    const CPoint scroll = view->ScrollPosition();
    TableHit hit;
    return body->OnCommand(action, x + scroll.x, y + scroll.y, flag, hit);
  }
  CString partText1;
  CString partText2;
  CString target;
  CString text;
  int value = 0;
  const int flags = HitTestAll(view, x, y, partText1, partText2, target, text, value);
  if ((flags & LINK_TO_KEY) != 0) {
    // A face shown in no frame window of its own sends its keys to the main window.
    CMultiFrame* window = GetFrameWindow();
    PostLinkKey(window != nullptr ? window->GetSafeHwnd() : ViewerMainWindow(), target, Assignments(value));
  } else if ((flags & LINK_COMMAND) != 0) {
    const int id = CommandIdOf(target);
    RunLinkCommand(ERROR_TRACE_PUSH(), id, Assignments(value), SEVERITY_ERROR, "CMD ID : %d", id);
  }
  return 0;
}

void CFrame::KeyRows(FrameView* view, std::vector<CRect>& rows) const {
  rows.clear();
  int slot = -1;
  if (!FindView(view, slot)) return;
  for (int i = 0; i < m_child_count; ++i) {
    const FrameChild& child = m_children[static_cast<size_t>(i)];
    const BOOL shownHere = slot == 0 ? child.kind == CHILD_HEAD_TABLE
                                     : child.kind == CHILD_BODY_TABLE && child.view_slot == slot;
    if (shownHere) child.Part()->KeyRows(rows);
  }
}

int CFrame::GetLinkFlags(FrameView* view, int x, int y) {
  CTablePart* body = BodyTableOf(view);
  if (body == nullptr) return 0;
  const CPoint scroll = view->ScrollPosition();
  return body->CursorHitTest(x + scroll.x, y + scroll.y);
}

BOOL CFrame::FindPictureOfView(FrameView* view, CImage*& picture) const {
  picture = nullptr;
  int slot = -1;
  if (!FindView(view, slot)) return FALSE;
  for (int i = 0; i < m_child_count; ++i) {
    const FrameChild& child = m_children[static_cast<size_t>(i)];
    if (child.kind != CHILD_PICTURE || child.view_slot != slot || child.Picture()->m_view == nullptr) continue;
    picture = child.Picture();
    return TRUE;
  }
  return FALSE;
}

BOOL CFrame::GetHotspotText(FrameView* view, CString& name, CString& link) {
  name.Empty();
  link.Empty();
  CImage* picture = nullptr;
  if (!FindPictureOfView(view, picture) || !picture->m_view->GetActiveHotspot(name, link)) return FALSE;
  long number = 0;
  if (DataTextNumber(link, number)) link = theGlobals.DataText(number);
  return TRUE;
}

BOOL CFrame::GetHotspotKey(FrameView* view, CString& key) {
  key.Empty();
  CString name;
  CString link;
  GetHotspotText(view, name, link);
  if (name.IsEmpty() || name[0] != theGlobals.m_hotspot_key_char) return FALSE;
  key = name.Mid(1);
  return TRUE;
}

BOOL CFrame::GetHotspotTip(const CString& hotspot, CString& text1, CString& text2) {
  if (m_defined == 0) return FALSE;
  for (int i = 0; i < m_child_count; ++i) {
    const FrameChild& child = m_children[static_cast<size_t>(i)];
    if (child.kind != CHILD_BODY_TABLE) continue;
    int value = 0;
    BOOL orderable = FALSE;
    if (child.Part()->LinkInfo(hotspot, text1, text2, value, orderable) != 0) return TRUE;
  }
  return FALSE;
}

int CFrame::CountVisiblePictures(CImage*& last) const {
  last = nullptr;
  int count = 0;
  for (int i = 0; i < m_child_count; ++i) {
    CImage* picture = m_children[static_cast<size_t>(i)].Picture();
    if (picture == nullptr || picture->m_view == nullptr || !picture->m_created) continue;
    last = picture;
    ++count;
  }
  return count;
}

CImage* CFrame::LastPicture() const {
  CImage* last = nullptr;
  for (int i = 0; i < m_child_count; ++i) {
    if (CImage* picture = m_children[static_cast<size_t>(i)].Picture(); picture != nullptr) last = picture;
  }
  return last;
}

BOOL CFrame::OnHotspotLink(const CString& name, UINT message, int linkKind, const CPoint* point, int highlight) {
  if (m_defined == 0) return FALSE;
  BOOL done = FALSE;
  for (int i = 0; i < m_child_count; ++i) {
    const FrameChild& child = m_children[static_cast<size_t>(i)];
    if (child.kind != CHILD_BODY_TABLE) continue;
    FrameView* view = nullptr;
    GetView(child.view_slot, view);
    done = child.Part()->OnHotspotLink(view, message, name, linkKind, point, highlight) || done;
  }
  return done;
}

// Parts of one order that lie in several tables go to the order-list
// program together, as one list.
BOOL CFrame::OnHotspotLinkParts(const CString& name, UINT message, int linkKind) {
  if (m_defined == 0) return FALSE;
  if (message == WM_LBUTTONDOWN && linkKind == ACTION_ORDER) {
    CDynBuf lines;
    CDynBuf texts;
    CDynBuf headers;
    int cells = 0;
    int count = 0;
    for (int i = 0; i < m_child_count; ++i) {
      const FrameChild& child = m_children[static_cast<size_t>(i)];
      if (child.IsTable()) count += child.Part()->Collect(name, lines, texts, cells, headers);
    }
    if (count == 0) return FALSE;
    lines.Append('\0');
    Shell().SendPartsToProtocol(count, cells, headers, texts, lines, TRUE);
    return TRUE;
  }
  BOOL done = FALSE;
  for (int i = 0; i < m_child_count; ++i) {
    const FrameChild& child = m_children[static_cast<size_t>(i)];
    if (!child.IsTable()) continue;
    FrameView* view = nullptr;
    GetView(child.view_slot > 0 ? child.view_slot : 0, view);
    done = child.Part()->OnHotspotLink(view, message, name, linkKind, nullptr, 1) || done;
  }
  return done;
}

void CFrame::ConnectHotspot(const CString& name) {
  if (m_face == nullptr) return;
  for (const auto& frame : m_face->m_frames) {
    if (frame == nullptr) continue;
    for (int i = 0; i < frame->m_child_count; ++i) {
      CImage* picture = frame->m_children[static_cast<size_t>(i)].Picture();
      if (picture != nullptr && picture->m_view != nullptr) picture->m_view->SelectHotspot(name);
    }
  }
}

void CFrame::OnPointerLeft(FrameView* view) {
  int slot = -1;
  if (!FindView(view, slot)) return;
  for (int i = 0; i < m_child_count; ++i) {
    const FrameChild& child = m_children[static_cast<size_t>(i)];
    const BOOL told = child.kind == CHILD_HEAD_TABLE || (child.kind == CHILD_BODY_TABLE && child.view_slot == slot);
    if (!told) continue;
    FrameView* own = view;
    if (child.kind == CHILD_HEAD_TABLE) GetView(0, own);
    TableHit hit;
    child.Part()->OnMouseMove(own, INT_MIN / 2, INT_MIN / 2, own != nullptr ? own->ScrollPosition() : CPoint(0, 0),
                              hit);
  }
}

void CFrame::ClearLastPictureHotspots() {
  CImage* last = LastPicture();
  if (last != nullptr && last->m_view != nullptr) last->m_view->DeleteHotspots();
}

void CFrame::CollectLinkNames() {
  if (m_defined == 0 || m_face == nullptr) return;
  for (int i = 0; i < m_child_count; ++i) {
    const FrameChild& child = m_children[static_cast<size_t>(i)];
    if (!child.IsTable()) continue;
    for (int r = 0; r < child.Part()->RowCount(); ++r) {
      CString name;
      int flags = 0;
      if (!child.Part()->RowSummary(r, name, flags) || flags == 0) continue;
      std::vector<CString>& names = m_face->m_link_names;
      const auto known = std::find(names.begin(), names.end(), name);
      if (known != names.end()) {
        const int at = static_cast<int>(known - names.begin());
        m_face->m_link_flags.SetAt(at, static_cast<char>(m_face->m_link_flags.GetAt(at) | flags));
      } else {
        names.push_back(name);
        m_face->m_link_flags.Append(static_cast<char>(flags));
      }
    }
  }
}
