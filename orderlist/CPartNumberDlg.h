// Asks for the part number whose parts info the user wants to see. OK takes
// only a number that is not empty.
#pragma once

#include "mfc/CDialog.h"
#include "orderlist/CProtocolApp.h"

class CPartNumberDlg : public CDialog {
 public:
  explicit CPartNumberDlg(CProtocolApp& app, CWnd* parent = nullptr);

  // Shown at the start; the entered number after OK.
  CString m_part;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  CProtocolApp& m_app;
};
