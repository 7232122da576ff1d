// Every module loaded into the viewer with its file version and path, as a
// list the user can copy for the support.
#pragma once

#include "mfc/CDialog.h"
#include "mfc/CListCtrl.h"
#include "mfc/CString.h"

class CVersionDlg : public CDialog {
 public:
  enum { IDD = 151, IDC_LIST = 3055, IDC_COPY = 3036 };

  explicit CVersionDlg(CWnd* parent = nullptr);

  // The rows as the clipboard gets them: name, tab, version, tab, path, CR LF.
  CString ListText() const;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* exchange) override;
  afx_msg void OnCopy();

  DECLARE_MESSAGE_MAP()

 private:
  void ListModules();
  void AddModule(const CString& path);

  CListCtrl m_list;
};
