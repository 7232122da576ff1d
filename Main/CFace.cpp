#include "Main/CFace.h"

#include <algorithm>

#include "Main/CErrorTrace.h"
#include "Main/FaceWindows.h"
#include "Main/TagOperands.h"
#include "Main/CWV4Globals.h"
#include "Main/varno4.h"

IMPLEMENT_DYNCREATE(CFace, CObject)

namespace {

constexpr int ERR_PANES_OPEN = 214;
constexpr int ERR_SPLITTER = 215;
constexpr int ERR_FRAME_VIEW = 216;

// The outermost frame set keeps this much of the frame window's area free
// in each direction.
constexpr int kOuterMargin = 4;

BOOL FailNode(CErrorTrace* node, int line, int code) {
  node->Fail(line, SEVERITY_ERROR, code, "", 0);
  return FALSE;
}

}  // namespace

CFace::CFace() = default;

CFace::~CFace() { Clear(); }

BOOL CFace::Clear() {
  DestroyFrames();
  while (!m_framesets.empty()) {
    if (m_windows != nullptr && m_framesets.back().m_created) m_windows->DestroySplitter(GetFrameSetCount() - 1);
    m_framesets.pop_back();
  }
  m_open_sets.clear();
  m_open_depth = 0;
  m_laid_out = FALSE;
  m_print_entries.clear();
  m_print_count = 0;
  m_symbols.clear();
  m_context_view = nullptr;
  m_context_is_picture = FALSE;
  m_link_names.clear();
  m_link_flags.Empty();
  // A key without a face name of its own must not take the last one's.
  m_face_name.Empty();
  FreeUserFile();
  return TRUE;
}

BOOL CFace::Build(CMultiFrame* window) {
  Clear();
  m_frame_window = window;
  if (!NewKey() || !CreateLayout() || !BuildFrames()) return FALSE;
  if (theGlobals.m_papp != nullptr) theGlobals.m_papp->EnablePrint(m_print_count >= 1);
  if (theGlobals.m_check_hs_abilities) {
    m_link_names.clear();
    m_link_flags.Empty();
    for (const auto& frame : m_frames) frame->CollectLinkNames();
    for (const auto& frame : m_frames) {
      if (frame->HasPicture()) frame->AttachPictureViews();
    }
  }
  return TRUE;
}

BOOL CFace::BuildFrames() {
  BOOL all = TRUE;
  for (int i = 0; i < m_no_frames; ++i) {
    if (!m_frames[static_cast<size_t>(i)]->ReadFrameDef()) all = FALSE;
  }
  return all;
}

BOOL CFace::DestroyFrames() {
  while (m_no_frames > 0) {
    --m_no_frames;
    if (m_windows != nullptr && m_frames[static_cast<size_t>(m_no_frames)]->HasPane()) {
      m_windows->DestroyFrameView(m_no_frames);
    }
  }
  m_frames.clear();
  m_picture_views.clear();
  return TRUE;
}

BOOL CFace::CreateLayout() {
  CErrorTrace* node = ERROR_TRACE_PUSH();
  m_laid_out = FALSE;
  if (!AllPanesFilled()) return FailNode(node, __LINE__, ERR_PANES_OPEN);
  if (m_windows != nullptr) {
    for (int k = 0; k < GetFrameSetCount(); ++k) {
      if (!m_windows->CreateSplitter(k)) return FailNode(node, __LINE__, ERR_SPLITTER);
      m_framesets[static_cast<size_t>(k)].m_created = TRUE;
    }
    for (int i = 0; i < m_no_frames; ++i) {
      if (m_frames[static_cast<size_t>(i)]->HasPane() && !m_windows->CreateFrameView(i)) {
        return FailNode(node, __LINE__, ERR_FRAME_VIEW);
      }
    }
    SizeFrameSets(m_windows->PaneArea());
    ApplyPaneSizes();
    m_windows->RecalcFrameWindow();
    m_laid_out = TRUE;
  }
  CErrorTrace::Remove(node);
  return TRUE;
}

BOOL CFace::OnSize(UINT /*type*/, int /*cx*/, int /*cy*/) {
  if (!m_laid_out || m_windows == nullptr) return TRUE;
  SizeFrameSets(m_windows->PaneArea());
  ApplyPaneSizes();
  m_windows->RecalcFrameWindow();
  return TRUE;
}

BOOL CFace::RecalcSplitters() {
  if (m_windows == nullptr) return TRUE;
  for (int k = 0; k < GetFrameSetCount(); ++k) {
    if (m_framesets[static_cast<size_t>(k)].m_created) m_windows->RecalcSplitter(k);
  }
  return TRUE;
}

void CFace::SizeFrameSets(CSize area) {
  for (FrameSet& set : m_framesets) {
    CSize available(area.cx - kOuterMargin, area.cy - kOuterMargin);
    if (set.m_parent_set >= 0 && set.m_parent_pane >= 0) {
      available =
          m_framesets[static_cast<size_t>(set.m_parent_set)].m_panes[static_cast<size_t>(set.m_parent_pane)].computed;
    }
    set.CalcPaneSizes(available);
  }
}

void CFace::ApplyPaneSizes() {
  for (int k = 0; k < GetFrameSetCount(); ++k) {
    const FrameSet& set = m_framesets[static_cast<size_t>(k)];
    for (int pane = 0; pane < set.PaneCount(); ++pane) {
      const int size = set.Along(set.m_panes[static_cast<size_t>(pane)].computed);
      if (size >= 0) m_windows->SetPaneSize(k, pane, size);
    }
    m_windows->RecalcSplitter(k);
  }
}

BOOL CFace::AllPanesFilled() const {
  if (m_open_depth != 0) return FALSE;
  return std::all_of(m_framesets.begin(), m_framesets.end(), [](const FrameSet& set) {
    return std::none_of(set.m_panes.begin(), set.m_panes.end(), [](const FramePane& p) { return p.use == PANE_FREE; });
  });
}

BOOL CFace::FindFreePane(int& frameSet, int& pane) {
  while (!m_open_sets.empty()) {
    const int k = m_open_sets.back();
    if (k < GetFrameSetCount()) {
      const int free = m_framesets[static_cast<size_t>(k)].FirstFreePane();
      if (free >= 0) {
        frameSet = k;
        pane = free;
        return TRUE;
      }
    }
    m_open_sets.pop_back();
  }
  return FALSE;
}

BOOL CFace::FindSymbolBitmaps(const char* number, CSymbolBitmaps*& symbol) {
  int wanted = 0;
  ScanDecimal(number, wanted);
  for (const auto& candidate : m_symbols) {
    if (candidate->m_number == wanted) {
      symbol = candidate.get();
      return TRUE;
    }
  }
  return FALSE;
}

void CFace::FrameSetPlace(int frameSet, int& row, int& column) const {
  const FrameSet& set = m_framesets[static_cast<size_t>(frameSet)];
  if (set.m_parent_set < 0) {
    row = column = -1;
    return;
  }
  m_framesets[static_cast<size_t>(set.m_parent_set)].PanePlace(set.m_parent_pane, row, column);
}

void CFace::FramePlace(const CFrame& frame, int& row, int& column) const {
  if (!frame.HasPane()) {
    row = column = -1;
    return;
  }
  m_framesets[static_cast<size_t>(frame.m_frameset)].PanePlace(frame.m_pane, row, column);
}

BOOL CFace::IsMaximized() const {
  return std::any_of(m_frames.begin(), m_frames.end(), [](const auto& frame) { return frame->m_maximized != 0; });
}
