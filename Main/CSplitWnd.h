// The splitter window of one frame set of a face: a static splitter whose
// panes are stacked in rows or side by side. Its metrics come from the frame
// set's bar width and shared-border flag; it draws its bars and borders in
// the viewer's own way, keeps fixed bars where they are, and hands a mouse
// action that hits none of its own bars to the splitter of the face that has
// a bar under the pointer.
#pragma once

#include "mfc/CSplitterWnd.h"

class CFace;
class CMultiFrame;
class FrameSet;
class SplitterFaceWindows;

class CSplitWnd : public CSplitterWnd {
  DECLARE_DYNCREATE(CSplitWnd)

 public:
  CSplitWnd();

  // The face, the windows that hold this splitter and the frame set it
  // shows; the metrics follow the frame set from then on.
  void Attach(CFace* face, SplitterFaceWindows* windows, int frameSet);
  // Border share, border, bar and gap from the frame set's bar width and
  // shared-border flag (without a frame set: no bar, borders not shared).
  void SetMetrics();
  // TRUE for a hit code of a bar that the frame set has fixed.
  BOOL IsFixedBar(int hit) const;
  CMultiFrame* GetFrameWindow() const;

  int BorderShare() const { return m_cxBorderShare; }
  int Border() const { return m_cxBorder; }
  int SplitterSize() const { return m_cxSplitter; }
  int SplitterGap() const { return m_cxSplitterGap; }
  // A mouse message as this splitter's handlers take it, point in client coordinates.
  void HandleMouse(UINT message, UINT flags, CPoint point);

 protected:
  void OnDrawSplitter(CDC* dc, ESplitType type, const CRect& rect) override;

  afx_msg BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnLButtonUp(UINT flags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT flags, CPoint point);

  DECLARE_MESSAGE_MAP()

 private:
  const FrameSet* OwnFrameSet() const;
  BOOL IsOutermost() const;
  void DrawBar(CDC& dc, CRect rect) const;
  void DrawPaneBorder(CDC& dc, const CRect& rect) const;
  // After this splitter's own handling: a point on none of its bars goes to
  // the first splitter of the face that has something there.
  void PassOn(UINT message, UINT flags, CPoint point);

  CFace* m_face = nullptr;                      // not owned
  SplitterFaceWindows* m_windows = nullptr;     // not owned
  int m_frameset = -1;
};
