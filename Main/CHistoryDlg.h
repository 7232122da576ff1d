// The key history as a list; OK on a chosen key goes back to it.
#pragma once

#include "mfc/CDialog.h"
#include "mfc/CListCtrl.h"

class CHistoryDlg : public CDialog {
 public:
  enum { IDD = 134, IDC_LIST = 3004, IDC_LABEL = 3005 };

  explicit CHistoryDlg(CWnd* parent = nullptr);

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void DoDataExchange(CDataExchange* exchange) override;

 private:
  CListCtrl m_list;
};
