// The class library's print dialog: the platform's print dialog record with
// the class library's flags, and what the user chose read back from it (the
// printer's names, its device mode, copies, collation and page range).
#pragma once

#include "mfc/CString.h"
#include "mfc/CWnd.h"
#include "win32/CommDlg.h"
#include "win32/MessageBox.h"

class CPrintDialog : public CObject {
  DECLARE_DYNAMIC(CPrintDialog)

 public:
  // printSetupOnly: the printer set-up rather than the print dialog (no
  // device context comes back).
  explicit CPrintDialog(BOOL printSetupOnly,
                        DWORD flags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                        CWnd* parent = nullptr);
  CPrintDialog(const CPrintDialog&) = delete;
  CPrintDialog& operator=(const CPrintDialog&) = delete;

  // IDOK with a chosen printer, IDCANCEL otherwise (CommDlgExtendedError tells a failure from a cancel).
  virtual INT_PTR DoModal();
  // The default printer without showing anything.
  BOOL GetDefaults();

  // The device mode the dialog returned; null before. Stays the caller's to free with m_pd.hDevMode.
  LPDEVMODE GetDevMode() const;
  CString GetDriverName() const;
  CString GetDeviceName() const;
  CString GetPortName() const;
  int GetCopies() const;
  BOOL PrintCollate() const;
  BOOL PrintSelection() const;
  BOOL PrintAll() const;
  BOOL PrintRange() const;
  // The pages chosen; -1 unless a page range was chosen.
  int GetFromPage() const;
  int GetToPage() const;
  HDC GetPrinterDC() const;
  // A device context for the chosen printer with its device mode, kept in
  // m_pd.hDC; the caller deletes it.
  HDC CreatePrinterDC();

  PRINTDLG& m_pd;

 private:
  CString NameAt(WORD DEVNAMES::*offset) const;

  PRINTDLG m_pdActual{};
  CWnd* m_parent;
};
