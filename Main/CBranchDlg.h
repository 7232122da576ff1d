// The ambiguous-branch dialog: a link of a table leads to more than one
// target, and the user picks the row to follow.
#pragma once

#include <vector>

#include "Main/COwnerDrawnListDlg.h"
#include "Main/CTableCell.h"
#include "foundation/CDynBuf.h"

class CBranchDlg : public COwnerDrawnListDlg {
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

 private:
  void AddCandidates(CListHelper& helper);

  std::vector<const LinkChoice*> m_rowChoices;  // the candidate of each list row
};
