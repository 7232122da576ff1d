// Windows for a face that only record what the face asks of them.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "Main/FaceWindows.h"
#include "Main/tests/CanvasViews.h"

namespace varno::testing {

// Windows that record the face's requests. Pane sizes set are what the
// splitters report back, unless the test says otherwise.
class RecordingWindows : public FaceWindows {
 public:
  BOOL CreateSplitter(int frameSet) override {
    calls.push_back("splitter " + std::to_string(frameSet));
    return frameSet != failingSplitter;
  }
  BOOL CreateFrameView(int frame) override {
    calls.push_back("view " + std::to_string(frame));
    return frame != failingView;
  }
  void DestroyFrameView(int frame) override { calls.push_back("destroy view " + std::to_string(frame)); }
  void DestroySplitter(int frameSet) override { calls.push_back("destroy splitter " + std::to_string(frameSet)); }
  CSize PaneArea() override { return area; }
  void SetPaneSize(int frameSet, int pane, int size) override { paneSizes[{frameSet, pane}] = size; }
  int GetPaneSize(int frameSet, int pane) override {
    const auto it = paneSizes.find({frameSet, pane});
    return it != paneSizes.end() ? it->second : 0;
  }
  void RecalcSplitter(int frameSet) override { calls.push_back("recalc " + std::to_string(frameSet)); }
  void RecalcFrameWindow() override { calls.push_back("recalc window"); }
  FrameView* CreateClientView(CFrame& frame, int slot, const CRect& rect) override {
    if (failClientViews) return nullptr;
    clientSlots.push_back(slot);
    return clientViews.Make(frame, rect);
  }

  std::vector<std::string> calls;
  std::map<std::pair<int, int>, int> paneSizes;
  CSize area{804, 604};
  int failingSplitter = -1;
  int failingView = -1;
  BOOL failClientViews = FALSE;
  CanvasViewSet clientViews;
  std::vector<int> clientSlots;
};

}  // namespace varno::testing
