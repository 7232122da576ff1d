// The class library's file dialog: open or save, with filters given as
// "Description|*.ext|...||", a default extension, a file name to start with
// and the OFN_ flags; the chosen path in the system's form.
#pragma once

#include "mfc/CString.h"
#include "mfc/CWnd.h"
#include "user/CommonDialogs.h"
#include "win32/MessageBox.h"

class CFileDialog : public CObject {
  DECLARE_DYNAMIC(CFileDialog)

 public:
  explicit CFileDialog(BOOL openDialog, LPCSTR defaultExtension = nullptr, LPCSTR fileName = nullptr,
                       DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR filter = nullptr, CWnd* parent = nullptr);

  // IDOK with a chosen file, IDCANCEL otherwise.
  virtual INT_PTR DoModal();
  CString GetPathName() const;
  CString GetFileName() const;
  CString GetFileExt() const;
  CString GetFileTitle() const;

  OPENFILENAME m_ofn{};

 private:
  BOOL m_open;
  CWnd* m_parent;
  CString m_filter;  // the filter with NULs for the bars
  CString m_defaultExtension;
  char m_file[MAX_PATH * 2] = {};
  char m_title[MAX_PATH] = {};
};
