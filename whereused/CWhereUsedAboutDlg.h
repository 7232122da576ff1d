// The program's about box.
#pragma once

#include "mfc/CDialog.h"

class CWhereUsedAboutDlg : public CDialog {
 public:
  explicit CWhereUsedAboutDlg(CWnd* parent = nullptr);
};
