// A dock bar: the strip along one side of a frame (or the inside of a
// floating bar's small frame) that holds docked control bars, one row (or
// column) per bar, and takes the room they need when the frame lays out.
#pragma once

#include <vector>

#include "mfc/CControlBar.h"

class CDockBar : public CControlBar {
  DECLARE_DYNAMIC(CDockBar)

 public:
  explicit CDockBar(BOOL floating = FALSE) : m_bFloating(floating) {}

  // A dock bar made with new by its frame deletes itself with its window.
  BOOL m_bAutoDelete = FALSE;

  BOOL Create(CWnd* parent, DWORD style, UINT id);
  // Takes the bar in as its child at the end; it keeps the bar's object.
  void DockControlBar(CControlBar* bar);
  void RemoveBar(CControlBar* bar);
  int GetDockedCount() const { return static_cast<int>(m_bars.size()); }

  CSize CalcFixedLayout(BOOL stretch, BOOL horizontal) override;
  void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}

 protected:
  void PostNcDestroy() override;
  afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  afx_msg void OnSize(UINT kind, int cx, int cy);
  afx_msg void OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params);
  afx_msg void OnNcPaint();
  DECLARE_MESSAGE_MAP()

 private:
  CSize BarSize(CControlBar* bar, BOOL horizontal) const;
  void PlaceBars();

  BOOL m_bFloating;
  std::vector<CControlBar*> m_bars;
};
