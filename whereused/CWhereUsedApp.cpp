#include "whereused/CWhereUsedApp.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "comctl/CommCtrl.h"
#include "foundation/CIniClass.h"
#include "foundation/SettingNumber.h"
#include "mfc/AfxMessageBox.h"
#include "whereused/CWhereUsedSearchDlg.h"
#include "whereused/WhereUsedAnswer.h"
#include "win32/DebugOutput.h"
#include "win32/Errors.h"
#include "win32/Module.h"
#include "win32/Registry.h"
#include "win32/SystemInfo.h"
#include "win32/UserMessages.h"

namespace {

int ReadNumber(const CWhereUsedApp& app, const char* key) {
  CIniClass ini;
  CString value;
  ini.ReadKey(app.m_options.section, key, "0", value, app.m_options.ini, 0);
  return SettingNumber(value);
}

// A length or count of the record layout; beyond what a record can hold it
// is taken as missing, and the debug output says so.
int ReadLayoutNumber(const CWhereUsedApp& app, const char* key) {
  const int value = ReadNumber(app, key);
  if (value >= 0 && value <= WhereUsedGeometry::kLongestField) return value;
  char line[128];
  std::snprintf(line, sizeof line, "CWhereUsedApp::ReadSettings : %s '%d' out of range, 0 taken\n", key, value);
  OutputDebugString(line);
  return 0;
}

}  // namespace

CWhereUsedApp::CWhereUsedApp() : CWinApp("V4VNW") {}

// A host path given as a system path keeps its slashes.
CString CWhereUsedApp::FolderOf(const CString& path) {
  const int slash = std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
  return slash < 0 ? CString() : path.Left(slash);
}

CWhereUsedApp::~CWhereUsedApp() = default;

// Windows 9x has no terminal server; NT 4 names it among the product suites
// in the registry; later versions answer the suite test.
BOOL CWhereUsedApp::IsTerminalServer() {
  if (GetVersion() & 0x80000000u) return FALSE;
  OSVERSIONINFO version{};
  version.dwOSVersionInfoSize = sizeof version;
  GetVersionEx(&version);
  if (version.dwMajorVersion >= 5) {
    OSVERSIONINFOEX suite{};
    suite.dwOSVersionInfoSize = sizeof suite;
    suite.wSuiteMask = VER_SUITE_TERMINAL;
    return VerifyVersionInfoA(&suite, VER_SUITENAME, VerSetConditionMask(0, VER_SUITENAME, VER_AND));
  }
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\ProductOptions", 0, KEY_QUERY_VALUE,
                    &key) != ERROR_SUCCESS) {
    return FALSE;
  }
  char suites[1024] = {};
  DWORD size = sizeof suites - 2;
  DWORD type = 0;
  BOOL found = FALSE;
  if (RegQueryValueExA(key, "ProductSuite", nullptr, &type, reinterpret_cast<BYTE*>(suites), &size) == ERROR_SUCCESS) {
    for (const char* name = suites; *name != '\0' && !found; name += std::strlen(name) + 1) {
      found = std::strcmp(name, "Terminal Server") == 0;
    }
  }
  RegCloseKey(key);
  return found;
}

CString CWhereUsedApp::Message(int n) const {
  if (n < 0 || n >= 10) return CString();
  return m_messages.DdmGetText(m_message_numbers[n]);
}

int CWhereUsedApp::Box(const char* text) const { return AfxMessageBox(text, MB_OK); }

BOOL CWhereUsedApp::InitInstance() {
  // The results list is a common control.
  InitCommonControls();
  char path[MAX_PATH] = {};
  GetModuleFileName(nullptr, path, sizeof path);
  m_own_folder = FolderOf(path);

  const char* line = m_lpCmdLine != nullptr ? m_lpCmdLine : "";
  if (*line == '\0') {
    Box("V4VNW.EXE -D vnw.bin -P project.prj -S section -L lang -M msg -C col !");
    return FALSE;
  }
  m_options = WhereUsedCommandLine();
  m_options.Parse(line);
  if (const char* missing = m_options.MissingOption()) {
    Box(missing);
    return FALSE;
  }
  m_terminal_server = IsTerminalServer();
  if (!ReadSettings()) return FALSE;
  FindParent();
  MakeUserIniPath();

  CIniClass ini;
  CString x, y, history;
  ini.ReadKey(m_options.section, "XPos", "", x, m_user_ini, 0);
  ini.ReadKey(m_options.section, "YPos", "", y, m_user_ini, 0);
  ini.ReadKey(m_options.section, "LAST", "", history, m_user_ini, 0);

  CWhereUsedSearchDlg dialog(this);
  dialog.m_place = CRect(SettingNumber(x), SettingNumber(y), SettingNumber(x), SettingNumber(y));
  dialog.m_placeKept = !x.IsEmpty() && !y.IsEmpty();
  dialog.m_history = history;
  m_pMainWnd = &dialog;
  const INT_PTR chosen = dialog.DoModal();
  m_pMainWnd = nullptr;
  // The search dialog was the main window: its end asked the program to
  // quit, which would close the answer's message box before anyone saw it.
  // The program ends all the same, when this start returns.
  MSG quit;
  PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  if (chosen == IDOK) HandBack(dialog.m_key, dialog.m_block);
  SavePlace(dialog.m_place, dialog.m_history);
  return FALSE;
}

// The ini section must be there: without it every length and every message
// number would be 0, and the user would meet empty boxes instead of the
// reason.
BOOL CWhereUsedApp::ReadSettings() {
  CIniClass ini;
  CDynBuf lines;
  if (!ini.ReadSection(m_options.section, lines, m_options.ini, 0)) {
    Box("V4VNW.EXE -P varno4.ini !");
    return FALSE;
  }
  if (lines.GetLength() == 0) {
    Box("V4VNW.EXE -S section !");
    return FALSE;
  }
  for (int n = 0; n < 10; ++n) {
    char key[8];
    std::snprintf(key, sizeof key, "Msg%02d", n);
    m_message_numbers[n] = ReadNumber(*this, key);
  }
  m_messages.DdmTextOpen(m_options.message, m_options.language, "D0", 0, 0);
  m_geometry.textLength = ReadLayoutNumber(*this, "Textlen");
  m_geometry.keyLength = ReadLayoutNumber(*this, "Keylen");
  m_geometry.blockLength = ReadLayoutNumber(*this, "Blocklen");
  m_geometry.columns = ReadLayoutNumber(*this, "Columns");
  return TRUE;
}

// On a terminal server each client keeps its settings in its own folder,
// named in the "Varno4TS.ini" beside the viewer (the parent program path is
// already the viewer's folder there); otherwise beside the program.
void CWhereUsedApp::MakeUserIniPath() {
  if (!m_terminal_server) {
    m_user_ini = m_own_folder + "\\v4vnw_user.ini";
    return;
  }
  const CString base = m_parent_program.IsEmpty() ? m_own_folder : m_parent_program;
  const CString tsIni = base + "\\Varno4TS.ini";
  CIniClass ini;
  CString drive, app;
  ini.ReadKey("Client", "Drive", "C", drive, tsIni, 1);
  ini.ReadKey("Client", "App", "TS", app, tsIni, 1);
  if (drive.IsEmpty()) drive = "C";
  if (app.IsEmpty()) app = "TS";
  m_user_ini = drive + ":\\VARNO4_CT\\" + app + "\\v4vnw_user.ini";
}

void CWhereUsedApp::HandBack(const CString& key, const CString& block) {
  if (m_options.block.IsEmpty()) {
    Box(key);
    return;
  }
  CDynBuf code;
  WhereUsedAnswer::Build(key, m_geometry.blockLength > 0 ? block : CString(), code);
  const WhereUsedAnswer::Result result = WhereUsedAnswer::Write(m_options.block, code);
  if (result != WhereUsedAnswer::Result::written) Box(WhereUsedAnswer::Complaint(result, m_options.block));
}

void CWhereUsedApp::SavePlace(const CRect& place, const CString& history) {
  CIniClass ini;
  char number[16];
  std::snprintf(number, sizeof number, "%d", static_cast<int>(place.left));
  ini.WriteKey(m_options.section, "XPos", number, m_user_ini, 0);
  std::snprintf(number, sizeof number, "%d", static_cast<int>(place.top));
  ini.WriteKey(m_options.section, "YPos", number, m_user_ini, 0);
  ini.WriteKey(m_options.section, "LAST", history, m_user_ini, 0);
}
