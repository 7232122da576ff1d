// The small status window of the internet modes: a line of text and one
// button that ends the wait ("Abbrechen") or the server ("Beenden").
#pragma once

#include "mfc/CDialog.h"
#include "mfc/CString.h"

class CViewerApp;

class CInternetDlg : public CDialog {
 public:
  enum { IDD = 159, IDC_TEXT = 3053, IDC_BUTTON = 3054 };

  explicit CInternetDlg(CViewerApp* app, const char* message = "VARNO 4 Internet", const char* button = "Abbrechen");
  // Made and shown beside its owner; FALSE when the window cannot be made.
  BOOL Open(CWnd* owner);
  // Hides and destroys the window.
  void Close();

  CString m_message;
  CString m_button;

 protected:
  BOOL OnInitDialog() override;
  afx_msg void OnButton();
  // The button is the only way out: Escape and Enter do nothing.
  void OnOK() override {}
  void OnCancel() override {}

  DECLARE_MESSAGE_MAP()

 private:
  CViewerApp* m_app;
};
