// The windows that show a face: a splitter window per frame set and a view
// per frame that has a pane. The face decides what to create, where and how
// large; the windows behind this interface make it so on the screen.
#pragma once

#include "mfc/CRect.h"
#include "mfc/CSize.h"
#include "win32/Types.h"

class CFrame;
class FrameView;

class FaceWindows {
 public:
  virtual ~FaceWindows() = default;

  // The splitter window of frame set k: for k 0 in the frame window, else in
  // the pane of its parent frame set that CFace::FrameSetPlace names.
  virtual BOOL CreateSplitter(int frameSet) = 0;
  // The view of a frame in its pane, at first 0 by 0 pixels.
  virtual BOOL CreateFrameView(int frame) = 0;
  virtual void DestroyFrameView(int frame) = 0;
  virtual void DestroySplitter(int frameSet) = 0;

  // The frame window's client area less the space of its control bars.
  virtual CSize PaneArea() = 0;
  // The ideal height (rows) or width (columns) of a pane, with minimum 0.
  virtual void SetPaneSize(int frameSet, int pane, int size) = 0;
  // The height (rows) or width (columns) that a pane has now on the screen.
  virtual int GetPaneSize(int frameSet, int pane) = 0;
  virtual void RecalcSplitter(int frameSet) = 0;
  // The frame window's layout, with notification of its children.
  virtual void RecalcFrameWindow() = 0;
  // A client scroll view of frame, told its frame and slot: a visible child
  // of the frame's main view over rect (in the main view's scrolled
  // coordinates). None when it cannot be made.
  virtual FrameView* CreateClientView(CFrame& /*frame*/, int /*slot*/, const CRect& /*rect*/) { return nullptr; }
};
