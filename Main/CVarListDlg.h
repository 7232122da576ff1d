// The catalogue's variables with their types and values, to look at.
#pragma once

#include "mfc/CDialog.h"
#include "mfc/CListCtrl.h"

class CVarListDlg : public CDialog {
 public:
  enum { IDD = 134, IDC_LIST = 3004, IDC_LABEL = 3005 };

  explicit CVarListDlg(CWnd* parent = nullptr);

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* exchange) override;

 private:
  CListCtrl m_list;
};
