// A table of a frame: its rows of cells, the copy of the frame's column table
// it lays its columns out by, its outer borders and 3-D edges. A fixed part
// (kind 4) lies in the frame's page; a scrolled part (kind 3) shows its rows
// in a client scroll view of its own.
#pragma once

#include <memory>
#include <vector>

#include "Main/BorderDraw.h"
#include "Main/CFrame.h"
#include "Main/CTableLine.h"
#include "mfc/CObject.h"

// Bits of the frame's border flags.
enum BorderFlag {
  BORDER_INNER_LEFT = 1,
  BORDER_INNER_TOP = 2,
  BORDER_OUTER_SIDES = 4,
  BORDER_OUTER_ENDS = 8,
  EDGE_INNER_SIDES = 16,
  EDGE_INNER_TOPS = 32,
  EDGE_OUTER_SIDES = 64,
  EDGE_OUTER_ENDS = 128,
};

// What a hit test on a row gives besides its flags: the row's match text
// (the hotspot name), its key text, and the link it offers.
struct TableHit {
  CString name;
  CString key;
  CString target;
  CString text;
  int value = 0;

  void Empty() { *this = TableHit(); }
};

// What the frame's layout hands its table parts: the split values of the
// frame and whether the part is the frame's last scrolled child.
struct TableSplit {
  int scroll_mode = 0;
  int spare_height = 0;
  float share = 0.0F;
  BOOL last_scroll_child = FALSE;
};

class CTablePart : public CObject {
 public:
  CTablePart(int kind, BOOL header, int borderWidth, int borderFlags, COLORREF grid, int sortColumn, CFrame* frame,
             const std::vector<TableColumn>& columns);

  CTableLine* OpenRow();
  CTableLine* CurrentRow() const;
  BOOL HasOpenRow() const { return static_cast<int>(m_rows.size()) > m_row_count; }
  // Gives the last row its bottom borders and sorts the rows.
  void Close(int borderWidth, int borderFlags);
  void SortRows(int sortColumn);

  // Column widths: measuring once, alone or together with the header part.
  void MeasureColumns();
  void MeasureWithHeader(CTablePart& header);
  std::vector<int> ColumnWidths(int available) const;
  // Lays the part out below area's bottom (kind 4) or in its own view (kind
  // 3) and moves area's bottom below it.
  void Layout(CDC* dc, CRect& area, int child, const TableSplit& split, int& spareHeight);
  int NeededHeight() const;
  void Paint(CDC* dc, FrameView* view, BOOL hasBody);
  // The bands above and below a scrolled part's view, drawn in the main view
  // around the view's rectangle there.
  void DrawBodyBands(CDC* dc, CRect viewRect);

  // Interaction (CTablePart_Interaction). Points are in the view's scrolled
  // coordinates; scroll is the view's scroll position.
  // Highlight and tool tip of the row under the point; its hit flags.
  int OnMouseMove(FrameView* view, int x, int y, CPoint scroll, TableHit& hit);
  // The click commands: 149, 150, 151 copy; any other code is a hit test,
  // and 130 sends the row's order line (code 6 with order, else 4).
  int OnCommand(int code, int x, int y, BOOL order, TableHit& hit);
  // 1 in no row, 3 in a row, 7 also inside a cell.
  int CursorHitTest(int x, int y) const;
  // A hotspot of another frame: message 512 or 516 marks the matching rows
  // (only those under point when one is given) with highlight; 513 follows
  // the link kind (129 branch, 130 order). TRUE when it did something.
  BOOL OnHotspotLink(FrameView* view, UINT message, const CString& linkText, int linkKind, const CPoint* point,
                     int highlight);
  // The order lines and row texts of the orderable rows matching linkText,
  // appended; cells is the number of shown cells of the last one taken, and
  // headers, when a row was taken, the texts of the part's header.
  int Collect(const CString& linkText, CDynBuf& lines, CDynBuf& texts, int& cells, CDynBuf& headers) const;
  // The first link of the rows matching linkText: 1 key, 8 command, 0 none.
  int LinkInfo(const CString& linkText, CString& target, CString& text, int& value, BOOL& orderable) const;
  // The match text of the row's last cell that has one; flags 1 key-marked, 2 link.
  BOOL RowSummary(int row, CString& text, int& flags) const;
  // The part's rows as clipboard text, a row or a cell, as the copy commands give them.
  CString ClipboardTable() const;
  CString ClipboardRow(int row) const;
  CTableLine* Row(int row) const {
    return row >= 0 && row < m_row_count ? m_rows[static_cast<size_t>(row)].get() : nullptr;
  }
  void OrderLine(const CTableLine& row, CDynBuf& line) const;
  int RowTexts(const CTableLine& row, CDynBuf& texts) const;
  // The row texts of the header part's first row, none without a header;
  // their count.
  int HeaderTexts(CDynBuf& texts) const;
  // The row under the point, -1 for none.
  int RowAt(int x, int y) const;
  // The places of the rows that the keyboard walks, in order: those that light
  // up under the pointer.
  void KeyRows(std::vector<CRect>& rows) const;
  BOOL RowMatches(const CTableLine& row, const CString& text) const;

  CTableCell* Cell(int row, int column) const;
  int RowCount() const { return m_row_count; }

  Sides m_insets;
  Sides m_outer;
  Sides m_outer_3d;
  COLORREF m_grid_color;
  int m_sort_column;
  int m_row_count = 0;
  std::vector<std::unique_ptr<CTableLine>> m_rows;
  CFrame* m_frame;  // not owned
  int m_table_width = 0;
  int m_table_height = 0;
  int m_width_percent = 0;
  int m_height_percent = 0;
  int m_kind;
  CRect m_rect;
  std::vector<TableColumn> m_columns;
  int m_column_count;
  int m_tip_row = -1;
  int m_first_shown = -1;
  int m_last_shown = -1;
  CRect m_view_rect;  // a scrolled part's view in the main view

 private:
  // The rows' last layout: the same place and column widths give the same
  // rows, so a layout that only fits the frame's views again takes them.
  struct RowsLaidOut {
    BOOL valid = FALSE;
    CPoint at;
    std::vector<int> widths;
    int bottom = 0;
    int right = 0;
  };
  RowsLaidOut m_rows_laid_out;

 public:
 private:
  void SwapEnds(size_t a, size_t b, BOOL top);
  BOOL IsColumnShown(int column) const;
  BOOL PointInRow(const CTableLine& row, int x, int y) const;
  int RowHitTest(const CTableLine& row, int x, int y, TableHit& hit) const;
  int FirstLinkOf(const CTableLine& row, TableHit& hit) const;
  BOOL MayHighlight(const CTableLine& row) const;
  void SetHighlight(CTableLine& row, int value, FrameView* view, CPoint scroll);
  void UpdateToolTip(FrameView* view, int row);
  void ScrollToRow(FrameView* view, const CTableLine& row);
  const CTablePart* Header() const;
  BOOL Branch(const CString& linkText);
  BOOL OrderMatching(const CString& linkText);
  BOOL WouldMeasure(int column) const;
  int MeasureColumn(CDC* dc, int column);
  int MinimumWidth(int column) const;
  int LayoutRows(CDC* dc, int left, int top, const std::vector<int>& widths, int& right);
  int InnerWidth(const CRect& area, const TableSplit& split) const;
};
