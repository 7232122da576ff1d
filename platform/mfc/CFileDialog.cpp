#include "mfc/CFileDialog.h"

#include <cstring>
#include <string>

#include "mfc/CWinApp.h"
#include "win32/MessageBox.h"

IMPLEMENT_DYNAMIC(CFileDialog, CObject)

CFileDialog::CFileDialog(BOOL openDialog, LPCSTR defaultExtension, LPCSTR fileName, DWORD flags, LPCSTR filter,
                         CWnd* parent)
    : m_open(openDialog), m_parent(parent) {
  if (defaultExtension) m_defaultExtension = defaultExtension;
  if (fileName) std::strncpy(m_file, fileName, sizeof m_file - 1);
  m_ofn.lStructSize = sizeof m_ofn;
  m_ofn.lpstrFile = m_file;
  m_ofn.nMaxFile = sizeof m_file;
  m_ofn.lpstrFileTitle = m_title;
  m_ofn.nMaxFileTitle = sizeof m_title;
  m_ofn.Flags = flags | OFN_EXPLORER;
  m_ofn.lpstrDefExt = defaultExtension ? static_cast<LPCSTR>(m_defaultExtension) : nullptr;
  if (filter) m_filter = filter;
}

INT_PTR CFileDialog::DoModal() {
  // The class library's filters separate their texts with bars; the platform's with NULs.
  std::string filter = static_cast<LPCSTR>(m_filter);
  for (char& c : filter) c = c == '|' ? '\0' : c;
  filter.push_back('\0');
  m_ofn.lpstrFilter = m_filter.IsEmpty() ? nullptr : filter.c_str();
  m_ofn.lpstrDefExt = m_defaultExtension.IsEmpty() ? nullptr : static_cast<LPCSTR>(m_defaultExtension);
  CWnd* owner = m_parent ? m_parent : AfxGetMainWnd();
  m_ofn.hwndOwner = owner ? owner->m_hWnd : nullptr;
  BOOL chosen = m_open ? GetOpenFileName(&m_ofn) : GetSaveFileName(&m_ofn);
  m_ofn.lpstrFilter = nullptr;
  return chosen ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const { return CString(m_ofn.lpstrFile); }

CString CFileDialog::GetFileName() const { return CString(m_ofn.lpstrFile + m_ofn.nFileOffset); }

CString CFileDialog::GetFileExt() const {
  if (m_ofn.nFileExtension == 0 || m_ofn.lpstrFile[m_ofn.nFileExtension] == '\0') return CString("");
  return CString(m_ofn.lpstrFile + m_ofn.nFileExtension);
}

CString CFileDialog::GetFileTitle() const {
  std::string name = m_ofn.lpstrFile + m_ofn.nFileOffset;
  std::size_t dot = name.find_last_of('.');
  return CString(name.substr(0, dot).c_str());
}
