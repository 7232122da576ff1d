// The program object of the class library: one per program, made before the
// program starts; AfxWinMain initialises it and runs its message loop.
#pragma once

#include <vector>

#include "mfc/CString.h"
#include "mfc/CWinThread.h"

class CDocTemplate;
class CDocument;

class CWinApp : public CWinThread {
  DECLARE_DYNAMIC(CWinApp)

 public:
  explicit CWinApp(LPCSTR appName = nullptr);
  ~CWinApp() override;

  LPCSTR m_pszAppName = nullptr;
  HINSTANCE m_hInstance = nullptr;
  LPSTR m_lpCmdLine = nullptr;
  int m_nCmdShow = SW_SHOWNORMAL;
  LPCSTR m_pszExeName = nullptr;

  virtual BOOL InitApplication();
  BOOL InitInstance() override;
  int ExitInstance() override;

  HCURSOR LoadStandardCursor(LPCSTR id) const;

  // Documents (CWinApp_Documents.cpp). The program owns its templates.
  void AddDocTemplate(CDocTemplate* documentTemplate);
  // Through the first template: a new document, or the document read from path.
  virtual CDocument* OpenDocumentFile(LPCSTR path);
  virtual BOOL SaveAllModified();
  void CloseAllDocuments(BOOL endSession);
  // The File menu's New and Open commands, for the program's message map.
  afx_msg void OnFileNew();
  afx_msg void OnFileOpen();

 private:
  std::vector<CDocTemplate*> m_templates;
  void DeleteTemplates();
  CString m_appName;
  CString m_commandLine;
  CString m_exeName;
  friend int AfxWinMain(HINSTANCE, HINSTANCE, LPSTR, int);
  friend int AfxRunProgram(int, char**);
};

CWinApp* AfxGetApp();
// The module whose resources (dialogs, menus, strings) the class library
// takes first: the program unless set.
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE module);
// The module that holds a resource: the resource module, else the program,
// else the first loaded library that has it (null: the program).
HINSTANCE AfxFindResourceHandle(LPCSTR name, LPCSTR type);
HINSTANCE AfxGetInstanceHandle();
CWnd* AfxGetMainWnd();
// Joins the program to the user's other programs (its top-level windows are
// published and reachable from them, and theirs from it), initialises the
// program object and runs it; the result is the program's exit code.
int AfxWinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show);
// The same from a Linux main(): the arguments become the command line
// (quoted where they hold spaces) and the program's name.
int AfxRunProgram(int argc, char** argv);
