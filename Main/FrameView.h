// A window in which a frame shows its contents: the frame's main view in its
// pane, or a client scroll view that a scrolled table part gets inside the
// main view. The frame lays out and paints through this interface only; the
// scroll views of the windowed layer stand behind it, and so do the views
// that tests draw on memory canvases.
#pragma once

#include "mfc/CPoint.h"
#include "mfc/CRect.h"
#include "mfc/CSize.h"
#include "win32/Types.h"

class CWnd;

class FrameView {
 public:
  virtual ~FrameView() = default;

  // The client area as the scroll view reports it: (0, 0) at the top left,
  // without the scroll bars it shows now.
  virtual CRect ClientArea() = 0;
  // The window's rectangle in the client coordinates of the frame window.
  virtual CRect RectInFrame() = 0;
  // Scroll sizes in pixels: the whole content, a page and a line.
  virtual void SizeScrollBars(CSize total, CSize page, CSize line) = 0;
  // Which scroll bars the view needs for the total size last set.
  virtual void NeededBars(BOOL& horizontal, BOOL& vertical) = 0;
  virtual CPoint ScrollPosition() = 0;
  // For a child view: its rectangle in the scrolled coordinates of the view
  // it lies in.
  virtual CRect RectInParent() = 0;
  // Destroys the window. A client view tells its frame when its window goes,
  // whatever destroys it (CFrame::DestructClientView), and is gone afterwards.
  virtual void DestroyView() = 0;
  // The window that buttons placed in the view belong to; none without one.
  virtual CWnd* ButtonParent() { return nullptr; }
  // Repaints rect (client coordinates) at once.
  virtual void RepaintNow(const CRect& /*rect*/) {}
  // The whole client area is painted again later, erased first.
  virtual void InvalidateAll() {}
  // The vertical scroll range and setting the position; the position the
  // view then has.
  virtual void VerticalRange(int& low, int& high) { low = high = 0; }
  virtual int ScrollVertically(int /*y*/) { return ScrollPosition().y; }
};
