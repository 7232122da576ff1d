// The order files of the order folder as the open and save dialogs list
// them: name and last-write time, sorted by a click on a column title, and
// a typed character finds the next order whose sorted column begins with it.
#pragma once

#include <vector>

#include "orderlist/CMultiLineLiCtrl.h"
#include "orderlist/OrderFileList.h"

class CProtocolApp;

class CFileListCtrl : public CMultiLineLiCtrl {
 public:
  // The columns and one record per order file, sorted by name; until then
  // every cell is empty.
  void Fill(const CProtocolApp& app);
  const std::vector<OrderFileRow>& Rows() const { return m_rows; }
  // The row shown at a record.
  const OrderFileRow& RowAt(int record) const { return m_rows[RecordData(record)]; }

  // Column 1 by time (undated rows last), others by text without regard
  // to case (empty texts last); each column flips its direction after a
  // sort.
  void OnColumnClicked(int column) override;

 protected:
  bool CellText(DWORD data, int column, int line, CString& text) const override;
  afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
  DECLARE_MESSAGE_MAP()

 private:
  CString ColumnText(const OrderFileRow& row, int column) const;
  bool Before(const OrderFileRow& a, const OrderFileRow& b, int column) const;
  void ShowTexts();

  std::vector<OrderFileRow> m_rows;
  bool m_filled = false;
  bool m_descending[2] = {false, true};
  int m_sort_column = 0;
};
