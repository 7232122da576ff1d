// The frame-set declarations of a key: frame sets with their size lists,
// nested in the free panes of earlier ones, and the frames that fill them.
#include <string_view>

#include "Main/CErrorTrace.h"
#include "Main/CFace.h"
#include "Main/CMultiFrame.h"
#include "Main/TagOperands.h"

namespace {

constexpr int ERR_NO_FREE_PANE = 241;
constexpr int ERR_NO_FRAMESET = 242;
constexpr int ERR_NO_FRAMESET_FOR_BORDER = 243;
constexpr int ERR_NO_OPEN_FRAMESET = 245;

BOOL Refuse(int line, int code, int value) {
  CErrorTrace::Push(__FILE__, __TIMESTAMP__, line)->Fail(line, SEVERITY_ERROR, code, "", value);
  return FALSE;
}

}  // namespace

BOOL CFace::AddFrame(const CString& name) {
  // A key that declares frames without any frame set shows them in one pane
  // that takes the whole window.
  const bool alone = m_frames.empty() && m_framesets.empty();
  if (alone && !BuildFrameSet("*", FRAMESET_ROWS)) return FALSE;
  auto frame = std::make_unique<CFrame>(this, name);
  int set = -1;
  int pane = -1;
  if (FindFreePane(set, pane)) {
    frame->m_frameset = set;
    frame->m_pane = pane;
    m_framesets[static_cast<size_t>(set)].m_panes[static_cast<size_t>(pane)].use = PANE_FRAME;
  }
  m_frames.push_back(std::move(frame));
  ++m_no_frames;
  return alone ? EndFrameSet() : TRUE;
}

BOOL CFace::BuildFrameSet(const CString& sizeList, int orientation) {
  FrameSet set(orientation);
  std::string_view list(sizeList, static_cast<size_t>(sizeList.GetLength()));
  int value = -1;
  BOOL percent = FALSE;
  while (TakeSizeListEntry(list, value, percent)) set.AddPane(value, percent);

  int parentSet = -1;
  int parentPane = -1;
  if (FindFreePane(parentSet, parentPane)) {
    set.m_parent_set = parentSet;
    set.m_parent_pane = parentPane;
    m_framesets[static_cast<size_t>(parentSet)].m_panes[static_cast<size_t>(parentPane)].use = PANE_FRAMESET;
  } else if (!m_framesets.empty()) {
    return Refuse(__LINE__, ERR_NO_FREE_PANE, GetFrameSetCount());
  }
  if (set.PaneCount() > 0) m_open_sets.push_back(GetFrameSetCount());
  m_framesets.push_back(std::move(set));
  ++m_open_depth;
  return TRUE;
}

BOOL CFace::EndFrameSet() {
  if (m_open_depth <= 0) return Refuse(__LINE__, ERR_NO_OPEN_FRAMESET, 0);
  --m_open_depth;
  return TRUE;
}

BOOL CFace::SetBarWidth(int width) {
  if (m_framesets.empty()) return Refuse(__LINE__, ERR_NO_FRAMESET, 0);
  m_framesets.back().m_bar_width = width;
  return TRUE;
}

BOOL CFace::SetSharedBorder(BOOL shared) {
  if (m_framesets.empty()) return Refuse(__LINE__, ERR_NO_FRAMESET_FOR_BORDER, 0);
  m_framesets.back().m_shared_border = shared;
  return TRUE;
}

BOOL CFace::SetFixedBars(const CString& list) {
  if (m_framesets.empty()) return Refuse(__LINE__, ERR_NO_FRAMESET, 0);
  std::string_view rest(list, static_cast<size_t>(list.GetLength()));
  int value = -1;
  BOOL percent = FALSE;
  for (FramePane& pane : m_framesets.back().m_panes) {
    if (!TakeSizeListEntry(rest, value, percent)) break;
    pane.fixedBar = value;
  }
  return TRUE;
}

BOOL CFace::SetWindowSize(const CString& list) {
  if (m_frame_window == nullptr) return TRUE;
  std::string_view rest(list, static_cast<size_t>(list.GetLength()));
  for (int i = 0; i < 2; ++i) {
    TakeSizeListEntry(rest, m_frame_window->m_key_window_size[i], m_frame_window->m_key_window_percent[i]);
  }
  return TRUE;
}
