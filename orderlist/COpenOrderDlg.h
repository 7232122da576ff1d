// The order files of the order folder: choosing one to open (open mode), or
// deleting files (manage mode).
#pragma once

#include "mfc/CDialog.h"
#include "orderlist/CFileListCtrl.h"
#include "orderlist/CProtocolApp.h"

class COpenOrderDlg : public CDialog {
 public:
  enum Mode { kManage = 0, kOpen = 1 };

  COpenOrderDlg(CProtocolApp& app, int mode, CWnd* parent = nullptr);
  // The chosen order's name after OK in open mode.
  CString m_name;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* exchange) override;
  void OnOK() override;
  afx_msg void OnDelete();
  afx_msg void OnDoubleClick(NMHDR* notify, LRESULT* result);

 private:
  CProtocolApp& m_app;
  int m_mode;
  CFileListCtrl m_list;

  DECLARE_MESSAGE_MAP()
};
