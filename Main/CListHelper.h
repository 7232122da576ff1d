// Rows of texts in a report list whose dialog draws them itself: each row
// keeps its own copy of its texts, columns are as wide as their texts, and a
// text too wide for its column is cut and ends in two dots.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "mfc/CDC.h"
#include "mfc/CListCtrl.h"
#include "mfc/CRect.h"
#include "mfc/CString.h"
#include "win32/Types.h"

class CListHelper {
 public:
  explicit CListHelper(CListCtrl* list);
  virtual ~CListHelper();
  CListHelper(const CListHelper&) = delete;
  CListHelper& operator=(const CListHelper&) = delete;

  void AddColumn(int index, const char* title);
  // One column for each of count titles, each ended by a zero byte; titles
  // missing from the block are empty.
  void AddColumns(const char* titles, int length, int count);
  // A block of texts, each ended by a zero byte, as many per row as there
  // are columns; an empty first text ends the block.
  void AddRows(const char* block, int length);
  // One row from the texts at pos (missing texts are empty); where the next
  // row would begin.
  int AddRow(const char* block, int length, int pos = 0);
  void AutoSizeColumns();
  void AutoSizeColumn(int column);
  // Gives the rows' texts back; the number of rows.
  int FreeRows();
  // Draws one row of the owner-drawn list: each cell over its column's width,
  // its text cut to fit.
  void DrawItem(LPDRAWITEMSTRUCT item);
  // Follows the header's divider: a double click fits the column to its
  // cells, the end of a drag keeps the width reached. TRUE when handled.
  BOOL OnHeaderNotify(NMHDR* notification);
  // Enables the button exactly while a row of the list is selected.
  void EnableWhileSelected(CWnd* button) const;

  // The text as drawn in limit pixels: whole when it fits, else cut until it
  // does (or nothing is left) and ended by "..".
  static CString CutToWidth(const CString& text, int limit, const std::function<int(const CString&)>& width);

  int ColumnWidth(int column) const { return m_widths.at(static_cast<size_t>(column)); }

 private:
  using Row = std::vector<CString>;

  void DrawCell(CDC& dc, const CRect& cell, const CString& text, COLORREF background);
  int WidestCell(int column) const;
  void RememberWidth(int column, int width);

  CListCtrl* m_list;
  int m_columns = 0;
  std::vector<int> m_widths;
  std::vector<std::unique_ptr<Row>> m_rows;
};
