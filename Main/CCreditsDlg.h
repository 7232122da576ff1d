// Who made the viewer and whose work it builds on; opened from the about box.
#pragma once

#include "mfc/CDialog.h"

class CCreditsDlg : public CDialog {
 public:
  enum { IDD = 160, IDC_LIST = 3060 };

  explicit CCreditsDlg(CWnd* parent = nullptr);

  // The lines of the list, in order.
  static const char* const kLines[];
  static const int kLineCount;

 protected:
  BOOL OnInitDialog() override;
};
