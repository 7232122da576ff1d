// The where-used program: started by the viewer with the where-used file, the
// ini section that describes it, the message file and the name of an
// exchange block; it asks for a search text, lists the entries whose text
// matches, and leaves the chosen entry's key and block text in the exchange
// block as assignment code, which the viewer runs once the program has ended.
// All the work happens in InitInstance, which returns FALSE: the program
// ends when its search dialog closes.
#pragma once

#include "interfaces/QorDdm.h"
#include "mfc/CRect.h"
#include "mfc/CString.h"
#include "mfc/CWinApp.h"
#include "whereused/WhereUsedCommandLine.h"
#include "whereused/WhereUsedFile.h"

class CWhereUsedApp : public CWinApp {
 public:
  CWhereUsedApp();
  ~CWhereUsedApp() override;

  BOOL InitInstance() override;

  static BOOL IsTerminalServer();
  // The path up to its last backslash (or slash); empty without one.
  static CString FolderOf(const CString& path);

  // The text of message number n (0 to 9) of the ini section.
  CString Message(int n) const;

  WhereUsedCommandLine m_options;
  CString m_user_ini;
  CString m_parent_program;  // the viewer's program file; on a terminal server its folder
  CString m_own_folder;
  WhereUsedGeometry m_geometry;
  int m_message_numbers[10] = {};
  HWND m_parent_window = nullptr;  // the viewer's visible top-level window
  BOOL m_terminal_server = FALSE;
  DdmTextTable m_messages;

 private:
  BOOL ReadSettings();
  void FindParent();
  void MakeUserIniPath();
  void HandBack(const CString& key, const CString& block);
  void SavePlace(const CRect& place, const CString& history);
  int Box(const char* text) const;
};
