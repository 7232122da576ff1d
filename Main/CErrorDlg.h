// The error dialog and the central error report: turns the trace from its
// newest node down to the reporter's into text, logs it, shows it and, at
// fatal severity, ends the program.
#pragma once

#include "mfc/CDialog.h"
#include "mfc/CString.h"
#include "win32/Types.h"

struct CErrorTrace;
class CWnd;

class CErrorDlg : public CDialog {
 public:
  enum { IDD = 139, IDC_DETAILS = 3001, IDC_TEXT = 3003, IDC_COPY = 3004 };

  explicit CErrorDlg(CWnd* parent = nullptr);
  // Frees every node still on the trace.
  ~CErrorDlg() override;

  void ReportError(CErrorTrace* own);
  // Reports own through the program's error dialog, then removes it.
  static void ReportAndRemove(CErrorTrace* own);

  // Shows the dialog modally with the short and the detail text.
  INT_PTR DoModal() override;

  // What the dialog's controls show: the edit field and the toggle button.
  BOOL OnInitDialog() override;
  afx_msg void OnDetails();
  // The detail text to the clipboard, whichever text is shown.
  afx_msg void OnCopy();
  const CString& ShownText() const { return m_show_details ? m_detail_text : m_short_text; }
  // The toggle's label: what a click on it shows, in the program language.
  CString DetailsButtonText() const;

  CString m_short_text;
  CString m_detail_text;
  BOOL m_show_details = FALSE;

 protected:
  DECLARE_MESSAGE_MAP()

 private:
  void ShowTexts();
  static void AppendNode(CString& detail, const CErrorTrace& node, bool newest);
  static CString CodeMessage(int code);
  static void CutTraceAbove(CErrorTrace* own);
};

// The id of "EXIT_VARNO_4_MESSAGE", registered when the program is loaded.
UINT ExitMessageId();
