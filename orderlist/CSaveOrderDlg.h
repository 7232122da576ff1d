// The name to save the order under: typed, or taken from the list of the
// order folder's files.
#pragma once

#include "mfc/CDialog.h"
#include "orderlist/CFileListCtrl.h"
#include "orderlist/CProtocolApp.h"

class CSaveOrderDlg : public CDialog {
 public:
  explicit CSaveOrderDlg(CProtocolApp& app, CWnd* parent = nullptr);
  // The order name after OK: no folder, no extension.
  CString m_name;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* exchange) override;
  void OnOK() override;
  afx_msg void OnDoubleClick(NMHDR* notify, LRESULT* result);

 private:
  CProtocolApp& m_app;
  CFileListCtrl m_list;

  DECLARE_MESSAGE_MAP()
};
