#include "Main/SplitterFaceWindows.h"

#include <algorithm>

#include "Main/CFace.h"
#include "Main/CShiftScrollView.h"
#include "Main/CSplitWnd.h"
#include "mfc/CCreateContext.h"
#include "mfc/CFrameWnd.h"

SplitterFaceWindows::SplitterFaceWindows(CFace& face, CFrameWnd& frameWindow)
    : m_face(face), m_frame_window(frameWindow) {}

SplitterFaceWindows::~SplitterFaceWindows() {
  for (int k = SplitterCount() - 1; k >= 0; --k) DestroySplitter(k);
}

CSplitWnd* SplitterFaceWindows::Splitter(int frameSet) const {
  if (frameSet < 0 || frameSet >= SplitterCount()) return nullptr;
  return m_splitters[static_cast<size_t>(frameSet)].get();
}

BOOL SplitterFaceWindows::CreateSplitter(int frameSet) {
  if (frameSet < 0 || frameSet >= m_face.GetFrameSetCount() || m_frame_window.m_hWnd == nullptr) return FALSE;
  const FrameSet& set = m_face.m_framesets[static_cast<size_t>(frameSet)];
  auto splitter = std::make_unique<CSplitWnd>();
  splitter->Attach(&m_face, this, frameSet);
  BOOL made = FALSE;
  if (set.m_parent_set < 0) {
    made = splitter->CreateStatic(&m_frame_window, set.GetRowCount(), set.GetColumnCount(), WS_CHILD | WS_VISIBLE,
                                  AFX_IDW_PANE_FIRST);
  } else if (CSplitWnd* parent = Splitter(set.m_parent_set); parent != nullptr && parent->m_hWnd != nullptr) {
    int row = -1;
    int column = -1;
    m_face.FrameSetPlace(frameSet, row, column);
    made = splitter->CreateStatic(parent, set.GetRowCount(), set.GetColumnCount(), WS_CHILD | WS_VISIBLE | WS_BORDER,
                                  static_cast<UINT>(parent->IdFromRowCol(row, column)));
  }
  if (!made) return FALSE;
  if (SplitterCount() <= frameSet) m_splitters.resize(static_cast<size_t>(frameSet) + 1);
  m_splitters[static_cast<size_t>(frameSet)] = std::move(splitter);
  return TRUE;
}

void SplitterFaceWindows::DestroySplitter(int frameSet) {
  CSplitWnd* splitter = Splitter(frameSet);
  if (splitter == nullptr) return;
  if (splitter->m_hWnd != nullptr) splitter->DestroyWindow();
  m_splitters[static_cast<size_t>(frameSet)].reset();
}

CFrameView* SplitterFaceWindows::View(int frame) const {
  if (frame < 0 || frame >= static_cast<int>(m_face.m_frames.size())) return nullptr;
  const CFrame& shown = *m_face.m_frames[static_cast<size_t>(frame)];
  CSplitWnd* splitter = shown.HasPane() ? Splitter(shown.m_frameset) : nullptr;
  if (splitter == nullptr || splitter->m_hWnd == nullptr) return nullptr;
  int row = -1;
  int column = -1;
  m_face.FramePlace(shown, row, column);
  return dynamic_cast<CFrameView*>(splitter->GetPane(row, column));
}

BOOL SplitterFaceWindows::CreateFrameView(int frame) {
  if (frame < 0 || frame >= static_cast<int>(m_face.m_frames.size())) return FALSE;
  CFrame& shown = *m_face.m_frames[static_cast<size_t>(frame)];
  CSplitWnd* splitter = shown.HasPane() ? Splitter(shown.m_frameset) : nullptr;
  if (splitter == nullptr) return FALSE;
  int row = -1;
  int column = -1;
  m_face.FramePlace(shown, row, column);
  // A context of its own: the view shows no document and needs no first update.
  CCreateContext context;
  if (!splitter->CreateView(row, column, RUNTIME_CLASS(CFrameView), CSize(0, 0), &context)) return FALSE;
  CFrameView* view = View(frame);
  if (view == nullptr) return FALSE;
  view->AttachFrame(&shown);
  return TRUE;
}

void SplitterFaceWindows::DestroyFrameView(int frame) {
  CFrameView* view = View(frame);
  if (view == nullptr) return;
  // The frame may outlive its view (a maximised frame's neighbours do).
  CFrame& shown = *m_face.m_frames[static_cast<size_t>(frame)];
  if (!shown.m_views.empty() && shown.m_views[0] == static_cast<FrameView*>(view)) shown.m_views[0] = nullptr;
  view->DestroyWindow();
}

CSize SplitterFaceWindows::PaneArea() {
  if (m_frame_window.m_hWnd == nullptr) return CSize(0, 0);
  CRect area;
  m_frame_window.RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &area);
  return area.Size();
}

void SplitterFaceWindows::SetPaneSize(int frameSet, int pane, int size) {
  CSplitWnd* splitter = Splitter(frameSet);
  if (splitter == nullptr) return;
  if (m_face.m_framesets[static_cast<size_t>(frameSet)].IsRows()) splitter->SetRowInfo(pane, size, 0);
  else splitter->SetColumnInfo(pane, size, 0);
}

int SplitterFaceWindows::GetPaneSize(int frameSet, int pane) {
  CSplitWnd* splitter = Splitter(frameSet);
  if (splitter == nullptr) return 0;
  int current = 0;
  int minimum = 0;
  if (m_face.m_framesets[static_cast<size_t>(frameSet)].IsRows()) splitter->GetRowInfo(pane, current, minimum);
  else splitter->GetColumnInfo(pane, current, minimum);
  // A splitter that was never laid out knows no size yet.
  return std::max(current, 0);
}

void SplitterFaceWindows::RecalcSplitter(int frameSet) {
  if (CSplitWnd* splitter = Splitter(frameSet); splitter != nullptr && splitter->m_hWnd != nullptr) {
    splitter->RecalcLayout();
  }
}

void SplitterFaceWindows::RecalcFrameWindow() {
  if (m_frame_window.m_hWnd != nullptr) m_frame_window.RecalcLayout(TRUE);
}

FrameView* SplitterFaceWindows::CreateClientView(CFrame& frame, int slot, const CRect& rect) {
  auto* main = frame.m_views.empty() ? nullptr : dynamic_cast<CShiftScrollView*>(frame.m_views[0]);
  if (main == nullptr || main->m_hWnd == nullptr) return nullptr;
  CRect placed = rect;
  placed.OffsetRect(-main->ScrollPosition());
  // The view deletes itself when its window goes.
  auto* view = new CClientScrollView;
  const UINT id = static_cast<UINT>(AFX_IDW_PANE_FIRST + slot);
  if (!view->Create(nullptr, "", WS_CHILD | WS_VISIBLE, placed, main, id, nullptr)) return nullptr;
  view->AttachFrame(&frame);
  return view;
}
