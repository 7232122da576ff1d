// The ambiguous-branch dialog: a link of a table leads to more than one
// target, and the user picks the row to follow.
#pragma once

#include <memory>
#include <vector>

#include "Main/CListHelper.h"
#include "Main/CTableCell.h"
#include "foundation/CDynBuf.h"
#include "mfc/CDialog.h"
#include "mfc/CListCtrl.h"

class CBranchDlg : public CDialog {
 public:
  enum { IDD = 150, IDC_LIST = 3004, IDC_LABEL = 3034 };

  explicit CBranchDlg(CWnd* parent = nullptr);

  int m_columns = 0;
  CDynBuf m_titles;                                   // the column titles, each ended by a zero byte
  const std::vector<LinkChoice>* m_choices = nullptr;  // the caller's candidates
  const LinkChoice* m_chosen = nullptr;               // after IDOK: the candidate of the chosen row

  // Whether a candidate gets a row: a row's default links stand for it, and a
  // row without one offers its other links.
  static BOOL IsListed(const LinkChoice& choice, const std::vector<LinkChoice>& all);

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void DoDataExchange(CDataExchange* exchange) override;
  void PostNcDestroy() override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  afx_msg void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
  afx_msg void OnDoubleClick(NMHDR* notification, LRESULT* result);
  DECLARE_MESSAGE_MAP()

 private:
  void AddCandidates();

  CListCtrl m_list;
  std::unique_ptr<CListHelper> m_helper;
  std::vector<const LinkChoice*> m_rowChoices;  // the candidate of each list row
};
