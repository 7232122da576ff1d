// A dialog whose report list (3004) it draws itself through a list helper:
// rows cut to their columns, dividers that size the columns, OK only while
// a row is chosen, and a double click on a row that counts as OK.
#pragma once

#include <memory>

#include "Main/CListHelper.h"
#include "mfc/CDialog.h"
#include "mfc/CListCtrl.h"

class COwnerDrawnListDlg : public CDialog {
 public:
  enum { IDC_LIST = 3004 };

 protected:
  COwnerDrawnListDlg(UINT templateId, CWnd* parent);

  // Empties the list and gives it a helper with columns titled by the
  // zero-ended titles; null when the dialog has no list.
  CListHelper* StartList(const char* titles, int length, int columns);
  // Sizes the columns to their texts; OK waits for a chosen row.
  void FinishList();

  void DoDataExchange(CDataExchange* exchange) override;
  void PostNcDestroy() override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  afx_msg void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
  afx_msg void OnDoubleClick(NMHDR* notification, LRESULT* result);
  DECLARE_MESSAGE_MAP()

  CListCtrl m_list;
  std::unique_ptr<CListHelper> m_helper;  // the rows' texts; given back on close
};
