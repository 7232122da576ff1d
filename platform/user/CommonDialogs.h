// The common file dialogs: choosing a file to open or a name to save under,
// with filters, a default extension, an initial folder and the flags the
// programs pass; the chosen path comes back in the system's path form. The
// desktop's file dialog shows where a person can see it; tests answer
// through a presenter.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "win32/UserTypes.h"

#define OFN_READONLY 0x00000001
#define OFN_OVERWRITEPROMPT 0x00000002
#define OFN_HIDEREADONLY 0x00000004
#define OFN_NOCHANGEDIR 0x00000008
#define OFN_SHOWHELP 0x00000010
#define OFN_NOVALIDATE 0x00000100
#define OFN_ALLOWMULTISELECT 0x00000200
#define OFN_EXTENSIONDIFFERENT 0x00000400
#define OFN_PATHMUSTEXIST 0x00000800
#define OFN_FILEMUSTEXIST 0x00001000
#define OFN_CREATEPROMPT 0x00002000
#define OFN_NOREADONLYRETURN 0x00008000
#define OFN_NOTESTFILECREATE 0x00010000
#define OFN_EXPLORER 0x00080000
#define OFN_NODEREFERENCELINKS 0x00100000
#define OFN_LONGNAMES 0x00200000
#define OFN_ENABLESIZING 0x00800000

#define CDERR_STRUCTSIZE 0x0001
#define CDERR_INITIALIZATION 0x0002
#define FNERR_SUBCLASSFAILURE 0x3001
#define FNERR_INVALIDFILENAME 0x3002
#define FNERR_BUFFERTOOSMALL 0x3003

struct OPENFILENAMEA {
  DWORD lStructSize;
  HWND hwndOwner;
  HINSTANCE hInstance;
  LPCSTR lpstrFilter;
  LPSTR lpstrCustomFilter;
  DWORD nMaxCustFilter;
  DWORD nFilterIndex;
  LPSTR lpstrFile;
  DWORD nMaxFile;
  LPSTR lpstrFileTitle;
  DWORD nMaxFileTitle;
  LPCSTR lpstrInitialDir;
  LPCSTR lpstrTitle;
  DWORD Flags;
  WORD nFileOffset;
  WORD nFileExtension;
  LPCSTR lpstrDefExt;
  LPARAM lCustData;
  void* lpfnHook;
  LPCSTR lpTemplateName;
};
typedef OPENFILENAMEA OPENFILENAME;
typedef OPENFILENAMEA* LPOPENFILENAME;

BOOL GetOpenFileName(LPOPENFILENAME ofn);
BOOL GetSaveFileName(LPOPENFILENAME ofn);
// Why the last file dialog failed (0: the user cancelled): CommDlgExtendedError
// of win32/CommDlg.h.
DWORD CommDlgExtendedError();

namespace layer {

// A file dialog as the program asked for it, in the system's terms.
struct FileDialogRequest {
  bool save = false;
  HWND owner = nullptr;
  std::string title;
  std::vector<std::pair<std::string, std::string>> filters;  // description, patterns ("*.TXT;*.DOC")
  int filterIndex = 0;                                        // from 0
  std::string initialFolder;                                  // as the program gave it
  std::string initialName;
  std::string defaultExtension;
  DWORD flags = 0;
};

// Answers a file dialog: true with the chosen path (the system's form, or a
// host path) and the chosen filter; false for Cancel.
using FileDialogPresenter = std::function<bool(const FileDialogRequest& request, std::string& path, int& filterIndex)>;
// Installs a presenter for the calling program; returns the one before.
FileDialogPresenter SetFileDialogPresenter(FileDialogPresenter presenter);

// The system's form of a host path: a path inside a drive letter's folder
// becomes that drive's ("C:\orders\a.pro"), others keep their host form.
std::string PlatformPathOf(const std::string& hostPath);

}  // namespace layer
