// Every module loaded into the order-list program with its file version and
// path, kept sorted by name, as a list the user can copy for the support.
#pragma once

#include "mfc/CDialog.h"
#include "mfc/CListCtrl.h"
#include "orderlist/CProtocolApp.h"

class CVersionsDlg : public CDialog {
 public:
  explicit CVersionsDlg(CProtocolApp& app, CWnd* parent = nullptr);

  // The rows as the clipboard gets them: name, tab, version, tab, path, CR LF.
  CString ListText() const;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* exchange) override;
  afx_msg void OnCopy();

  DECLARE_MESSAGE_MAP()

 private:
  void AddModule(const CString& path);

  CProtocolApp& m_app;
  CListCtrl m_list;
};
