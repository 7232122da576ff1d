// The about box: program version, main project and memory figures; its "?"
// button opens the version overview, its maker's line the credits.
#pragma once

#include "mfc/CDialog.h"
#include "mfc/CString.h"

class CAboutDlg : public CDialog {
 public:
  enum {
    IDD = 100,
    IDC_NAME = 101,
    IDC_VERSION = 102,
    IDC_PROJECT_LABEL = 3009,
    IDC_PROJECT = 3010,
    IDC_MEMORY_LOAD = 3020,
    IDC_PHYSICAL = 3021,
    IDC_HEAP = 3026,
    IDC_VERSIONS = 3035,
    IDC_NOTICE = 3057
  };

  explicit CAboutDlg(CWnd* parent = nullptr);

  // value in decimal with "." before each group of three digits, at most
  // maxPoints of them, counted from the right.
  static CString WithPoints(unsigned long long value, int maxPoints);
  // The bytes the viewer holds on its heaps, in KB; 0 when they cannot be walked.
  static unsigned long long HeapKilobytes();

 protected:
  BOOL OnInitDialog() override;
  afx_msg void OnVersions();
  afx_msg void OnNotice();

  DECLARE_MESSAGE_MAP()
};
