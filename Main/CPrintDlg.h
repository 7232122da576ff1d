// The choice among the face's first four print options.
#pragma once

#include "mfc/CDialog.h"
#include "mfc/CString.h"

class CPrintDlg : public CDialog {
 public:
  enum { IDD = 144, IDC_FIRST_OPTION = 3022, kMostOptions = 4 };

  explicit CPrintDlg(CWnd* parent = nullptr);

  int m_selected = 0;
  int m_count = kMostOptions;
  CString m_labels[kMostOptions];

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
};
