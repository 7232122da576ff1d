// One frame set of a face: the panes of one splitter window, stacked in rows
// or side by side, with the sizes the key asks for (pixels, percent or the
// rest), the sizes worked out for the space there is, what each pane holds
// and how the splitter's bars and borders look. The splitter window that
// shows a frame set takes its metrics and pane sizes from here.
#pragma once

#include <vector>

#include "mfc/CSize.h"
#include "win32/Types.h"

enum FrameSetOrientation { FRAMESET_ROWS = 1, FRAMESET_COLUMNS = 2 };
enum PaneUse { PANE_FREE = 0, PANE_FRAMESET = 1, PANE_FRAME = 2 };

// The class library's splitter metrics, the same in both directions.
struct SplitterMetrics {
  int borderShare;
  int border;
  int splitterSize;
  int splitterGap;
};

struct FramePane {
  // Along the orientation pixels, a percentage or -1 for the rest; across it -1.
  CSize requested{-1, -1};
  BOOL percent = FALSE;
  CSize computed{-1, -1};  // -1 for a size still open
  int use = PANE_FREE;
  int fixedBar = 0;  // non-zero: the bar after this pane cannot be moved
};

class FrameSet {
 public:
  explicit FrameSet(int orientation) : m_orientation(orientation) {}

  int PaneCount() const { return static_cast<int>(m_panes.size()); }
  BOOL IsRows() const { return m_orientation == FRAMESET_ROWS; }
  int GetRowCount() const { return IsRows() ? PaneCount() : 1; }
  int GetColumnCount() const { return IsRows() ? 1 : PaneCount(); }
  // The component of size that lies along the orientation.
  int Along(const CSize& size) const { return IsRows() ? size.cy : size.cx; }
  void SetAlong(CSize& size, int value) const { (IsRows() ? size.cy : size.cx) = value; }

  // A pane asking for value (-1 the rest) along the orientation.
  void AddPane(int value, BOOL percent);
  SplitterMetrics Metrics() const;
  // Works out the computed size of every pane from the space available:
  // percentages of what the bars leave, pixels as asked, and what is left
  // over to the first pane of the rest.
  void CalcPaneSizes(CSize available);
  // TRUE when the splitter's hit code names a bar whose fixed flag is set.
  BOOL IsFixedBar(int hit) const;
  // The row and column of the splitter that pane occupies; -1, -1 for no pane.
  void PanePlace(int pane, int& row, int& column) const;
  // The first pane that holds nothing yet, -1 when every pane is used.
  int FirstFreePane() const;

  int m_orientation;
  int m_parent_set = -1;
  int m_parent_pane = -1;
  std::vector<FramePane> m_panes;
  int m_bar_width = 0;
  BOOL m_shared_border = FALSE;
  BOOL m_created = FALSE;

 private:
  // Panes are only ever taken, so the search for a free one goes on from
  // where the last one ended.
  mutable int m_free_from = 0;
};
