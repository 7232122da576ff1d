// A note with OK and Cancel: the viewer asks with it whether to try again,
// for instance for the catalogue's medium.
#pragma once

#include "mfc/CDialog.h"
#include "mfc/CString.h"

class CNoteDlg : public CDialog {
 public:
  enum { IDD = 140, IDC_TEXT = 3008 };

  explicit CNoteDlg(CWnd* parent = nullptr);

  CString m_text;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* exchange) override;
};
