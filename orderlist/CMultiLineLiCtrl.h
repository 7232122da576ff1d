// The order-list program's owner-drawn report list: one record (an order
// line, an address card, an order file) takes one or more consecutive list
// lines and is selected, focused, drawn and sorted as a whole, and can be
// shown greyed. The list draws every line itself, sizes its columns to their
// contents, keeps the first column widths, can lock its header against
// resizing, and asks its subclasses for cell texts and custom cells and
// tells them of column clicks and focus changes.
#pragma once

#include <vector>

#include "mfc/CHeaderCtrl.h"
#include "mfc/CListCtrl.h"
#include "mfc/CString.h"

// The list's header: while columns are not resizable it swallows double
// clicks and never shows the sizing cursor.
class CMultiHeaderCtrl : public CHeaderCtrl {
 public:
  bool m_resizable = true;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class CMultiLineLiCtrl : public CListCtrl {
  DECLARE_DYNAMIC(CMultiLineLiCtrl)

 public:
  // Item data of a blank separator line; bit 31 of a line's data greys its record.
  static constexpr DWORD kBlankLine = 0xFFFFFFFF;
  static constexpr DWORD kGreyed = 0x80000000;
  enum DrawState { kNormal = 0, kSelected = 1, kGreyedState = 2 };

  CMultiLineLiCtrl();
  ~CMultiLineLiCtrl() override;

  // Takes the header and the list's style options once the list window is
  // the control's (after DDX_Control or Create).
  void TakeWindow();

  // Columns are inserted in order 0, 1, 2 ...; inserting column 0 starts
  // the width lists anew.
  int InsertColumn(int column, LPCSTR title, int format, int width, int subItem = -1);
  // The format as a letter: 'L' left, 'R' right, 'C' centred.
  int InsertColumn(int column, LPCSTR title, char format, int width);

  // A record of lines list lines at the end; its first list line.
  int AppendRecord(DWORD data, int lines, bool enabled = true);
  // The fast fill: n records of one line, numbered 0 to n - 1.
  void SetRecordCount(int n, int linesPerRecord = 1, bool enabled = true);
  void DeleteAllRecords();
  void DeleteRecord(DWORD data);

  int RecordCount() const { return static_cast<int>(m_data.size()); }
  DWORD RecordData(int index) const;
  int IndexOfData(DWORD data) const;
  // The focused record's data, -1 when none.
  DWORD FocusedData() const;
  int FocusedRecord() const { return m_focused; }
  int FirstLine(int record) const { return m_first[static_cast<size_t>(record)]; }
  int LastLine(int record) const { return m_last[static_cast<size_t>(record)]; }
  int SelectedCount() const;
  // Mode 1 selects (single selection: its last line), -1 its first line
  // (single selection), 0 deselects.
  void SelectRecord(int index, int mode);
  void MakeRecordVisible(DWORD data, BOOL partial);
  void AutoSizeColumns();

  // Options.
  bool m_separator_line = false, m_blank_line = false, m_resizable_columns = true, m_spacer_line = false;
  bool m_fixed_pitch = false, m_single_selection = false, m_header_click = true;
  int m_cell_margin = 1;
  COLORREF m_text_colours[3];
  COLORREF m_back_colours[3];
  HBRUSH m_back_brushes[3] = {};

 protected:
  // A subclass that sorts its records gives them their data anew.
  void SetRecordData(int record, DWORD data) { m_data[static_cast<size_t>(record)] = data; }

  // The subclasses' hooks.
  // The text of a cell; false for a cell the subclass draws itself.
  virtual bool CellText(DWORD data, int column, int line, CString& text) const;
  virtual int CustomCellWidth(DWORD data, int column, int line) const;
  virtual int OptimalColumnWidth(int column);
  virtual void DrawBlankLine(CDC& dc, const CRect& rect);
  virtual void DrawRecordLine(CDC& dc, DWORD data, int line, const CRect& rect, int state);
  virtual void DrawCellText(CDC& dc, const CString& text, CRect rect, int column);
  virtual void DrawCustomCell(CDC& dc, DWORD data, int column, int line, const CRect& rect, int state);
  virtual void OnColumnClicked(int column);
  virtual void OnFocusChanged(int record, int old);

  void DrawItem(LPDRAWITEMSTRUCT item) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  afx_msg LRESULT OnReflectedMeasure(WPARAM wParam, LPARAM lParam);
  afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
  // A new font gives the lines a new height.
  afx_msg LRESULT OnSetFontMessage(WPARAM wParam, LPARAM lParam);

  DECLARE_MESSAGE_MAP()

 private:
  int LineHeight() const;
  void Remeasure();
  void SetFocusedRecord(int record);
  void RedrawRecord(int record);
  int NextEnabledRecord(int from, int step) const;
  bool Greyed(int record) const;
  void MoveFocus(int step);
  int ColumnFormat(int column) const;
  void NumberLinesFrom(int record);

  CMultiHeaderCtrl m_header;
  int m_focused = -1;
  std::vector<int> m_widths, m_initial_widths;
  std::vector<int> m_first, m_last;
  std::vector<DWORD> m_data;
  std::vector<bool> m_enabled;
};
