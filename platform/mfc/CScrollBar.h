// The scroll-bar control of the class library: a child window of the
// layer's class "SCROLLBAR" that tells its parent what happens to it
// (WM_HSCROLL or WM_VSCROLL with the control's handle).
#pragma once

#include "mfc/CWnd.h"

class CScrollBar : public CWnd {
  DECLARE_DYNAMIC(CScrollBar)

 public:
  // style holds SBS_HORZ or SBS_VERT besides the window styles.
  virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  int GetScrollPos() const;
  int SetScrollPos(int pos, BOOL redraw = TRUE);
  void GetScrollRange(LPINT min, LPINT max) const;
  void SetScrollRange(int min, int max, BOOL redraw = TRUE);
  BOOL SetScrollInfo(LPSCROLLINFO info, BOOL redraw = TRUE);
  BOOL GetScrollInfo(LPSCROLLINFO info, UINT mask = SIF_ALL);
  void ShowScrollBar(BOOL show = TRUE);
  BOOL EnableScrollBar(UINT arrows = ESB_ENABLE_BOTH);
};
