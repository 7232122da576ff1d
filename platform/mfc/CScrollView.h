// A view larger than its window: it keeps a total size, a page and a line
// (device pixels; MM_TEXT), shows a scroll bar exactly where the content is
// larger than the client area, and scrolls by bar, key-driven bar codes and
// mouse wheel. Drawing happens in the content's coordinates: OnPrepareDC
// moves the origin by the scroll position.
#pragma once

#include "mfc/CSize.h"
#include "mfc/CView.h"

class CScrollView : public CView {
  DECLARE_DYNAMIC(CScrollView)

 public:
  // Page and line left at this are a tenth of the total and of the page.
  static const SIZE sizeDefault;

  CScrollView() = default;

  void SetScrollSizes(int mapMode, SIZE total, const SIZE& page = sizeDefault, const SIZE& line = sizeDefault);
  CPoint GetScrollPosition() const;
  CPoint GetDeviceScrollPosition() const;
  // Scrolls so that the point is at the top left, as far as the content allows.
  void ScrollToPosition(POINT position);
  CSize GetTotalSize() const { return m_totalLog; }
  void GetDeviceScrollSizes(int& mapMode, SIZE& total, SIZE& page, SIZE& line) const;
  // Shows or hides the bars and sets their ranges for the current client size.
  void UpdateBars();
  // Sizes the frame so that the view shows the whole content without bars;
  // shrinkOnly never makes the view larger than it is.
  void ResizeParentToFit(BOOL shrinkOnly = TRUE);

  void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr) override;
  // Scrolls by the given amounts, limited to the content; FALSE when nothing moved.
  virtual BOOL OnScrollBy(CSize sizeScroll, BOOL doScroll = TRUE);
  // A bar code (horizontal in the low byte, vertical in the high byte, 0xFF for none).
  virtual BOOL OnScroll(UINT scrollCode, UINT position, BOOL doScroll = TRUE);

 protected:
  // The client size the view would have without its own scroll bars, and the
  // bars' sizes; FALSE when there is not room for the bars at all.
  BOOL GetTrueClientSize(CSize& size, CSize& sizeScrollBars);
  void GetScrollBarSizes(CSize& sizeScrollBars);
  // Which bars a client of sizeClient needs (a bar's space may make the other
  // needed too), how far each scrolls, and where the position must go.
  void GetScrollBarState(CSize sizeClient, CSize& needScrollBars, CSize& sizeRange, CPoint& move, BOOL insideClient);
  void ScrollToDevicePosition(POINT position);
  void CheckScrollBars(BOOL& hasHorizontal, BOOL& hasVertical) const;

  afx_msg void OnSize(UINT kind, int cx, int cy);
  afx_msg void OnHScroll(UINT code, UINT position, CScrollBar* bar);
  afx_msg void OnVScroll(UINT code, UINT position, CScrollBar* bar);
  afx_msg BOOL OnMouseWheel(UINT flags, short delta, CPoint point);

  int m_nMapMode = 0;  // none until SetScrollSizes
  CSize m_totalLog{0, 0};
  CSize m_totalDev{0, 0};
  CSize m_pageDev{0, 0};
  CSize m_lineDev{0, 0};
  BOOL m_bInsideUpdate = FALSE;

  DECLARE_MESSAGE_MAP()
};
