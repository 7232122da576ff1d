// The note that stands while the viewer loads, so that a user who started it
// sees that the start goes on until the main window is there.
#pragma once

#include "mfc/CDialog.h"

class CStartDlg : public CDialog {
 public:
  enum { IDD = 149, IDC_TEXT = 3033 };

  CStartDlg() = default;
  // Made beside no owner, shown in front, its texts in the program language;
  // FALSE when the window cannot be made.
  BOOL Open();
  // Hides and destroys the window.
  void Close();

 protected:
  // Nothing the user presses ends the start.
  void OnOK() override {}
  void OnCancel() override {}
};
