// The windows of a face in a frame window: a static splitter (CSplitWnd) per
// frame set, the outermost in the frame window's main pane and every other in
// the pane of its parent that the face names, a CFrameView per frame that
// has a pane, and the client scroll views that scrolled tables get inside a
// frame's view.
#pragma once

#include <memory>
#include <vector>

#include "Main/FaceWindows.h"

class CFace;
class CFrameView;
class CFrameWnd;
class CSplitWnd;
class CWnd;

class SplitterFaceWindows : public FaceWindows {
 public:
  SplitterFaceWindows(CFace& face, CFrameWnd& frameWindow);
  ~SplitterFaceWindows() override;
  SplitterFaceWindows(const SplitterFaceWindows&) = delete;
  SplitterFaceWindows& operator=(const SplitterFaceWindows&) = delete;

  BOOL CreateSplitter(int frameSet) override;
  BOOL CreateFrameView(int frame) override;
  void DestroyFrameView(int frame) override;
  void DestroySplitter(int frameSet) override;
  CSize PaneArea() override;
  void SetPaneSize(int frameSet, int pane, int size) override;
  int GetPaneSize(int frameSet, int pane) override;
  void RecalcSplitter(int frameSet) override;
  void RecalcFrameWindow() override;
  FrameView* CreateClientView(CFrame& frame, int slot, const CRect& rect) override;

  int SplitterCount() const { return static_cast<int>(m_splitters.size()); }
  // The splitter window of a frame set; none while it is not created.
  CSplitWnd* Splitter(int frameSet) const;
  // The view in the pane of frame (index in the face); none without one.
  CFrameView* View(int frame) const;

 private:
  CFace& m_face;
  CFrameWnd& m_frame_window;
  std::vector<std::unique_ptr<CSplitWnd>> m_splitters;  // by frame set index
};
