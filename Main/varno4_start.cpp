// The viewer's start and end: the engine's single objects, the folders of
// this machine and user, the data manager's version, the project, a copy
// that runs already, the external programs, the order-list program, the
// button files and the settings; at the end the settings are saved and the
// order-list program is closed.
#include <cstdio>
#include <cstring>

#include "Main/CDynLog.h"
#include "Main/CErrorDlg.h"
#include "Main/CImageView.h"
#include "Main/CMainFrame.h"
#include "Main/CPopup.h"
#include "Main/CStartDlg.h"
#include "Main/CErrorTrace.h"
#include "Main/CLogFile.h"
#include "Main/CProcessInfo32.h"
#include "Main/CWV4Db.h"
#include "Main/CWV4ExtPrg.h"
#include "Main/CWV4Globals.h"
#include "Main/CWV4Logic.h"
#include "Main/CWV4Var.h"
#include "Main/KeyCommand.h"
#include "Main/varno4.h"
#include "foundation/CIniClass.h"
#include "foundation/TerminalServer.h"
#include "interfaces/ProtocolCommands.h"
#include "interfaces/QorDdm.h"
#include "mfc/AfxMessageBox.h"
#include "mfc/CControlBar.h"
#include "mfc/CFrameWnd.h"
#include "user/Menus.h"
#include "win32/Clock.h"
#include "win32/CrossProcess.h"
#include "win32/Errors.h"
#include "win32/Files.h"
#include "win32/Module.h"
#include "win32/Process.h"
#include "win32/ProcessTable.h"
#include "win32/Registry.h"
#include "win32/SystemInfo.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace {

constexpr int ERR_CONFIGURATION = 308;
constexpr int ERR_PROTOCOL_MESSAGE = 309;
constexpr int ERR_PROTOCOL_START = 310;
constexpr int ERR_MAIN_FRAME = 311;
constexpr UINT IDR_MAINFRAME = 128;
constexpr UINT COMMAND_HOME = 304;
constexpr DWORD kDataManagerFamily = 0x0102;
constexpr DWORD kOldestDataManager = 0x47;
constexpr UINT kProtocolCloseTimeout = 2000;
constexpr DWORD kProtocolReadyTimeout = 5000;

void SetSystemText(const char* name, const CString& value) {
  theGlobals.m_pvar->SetVar(name, VarValue::Text(value), VAR_CHAR | VAR_FLAG_SYSTEM);
}

// A folder that is not there yet is made; one that cannot be looked at for
// another reason is left alone.
void MakeFolder(const CString& path) {
  if (GetFileAttributes(path) != INVALID_FILE_ATTRIBUTES) return;
  const DWORD reason = GetLastError();
  if (reason == ERROR_FILE_NOT_FOUND || reason == ERROR_PATH_NOT_FOUND) CreateDirectory(path, nullptr);
}

// The default value of a key under the classes root; empty when unreadable.
CString ClassesDefault(const CString& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyEx(HKEY_CLASSES_ROOT, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return CString();
  char value[MAX_PATH + 1] = {};
  DWORD size = MAX_PATH;
  DWORD type = 0;
  const bool read = RegQueryValueEx(handle, nullptr, nullptr, &type, reinterpret_cast<LPBYTE>(value), &size) ==
                    ERROR_SUCCESS;
  RegCloseKey(handle);
  return read ? CString(value) : CString();
}

// Ends the start with a plain box, written to the log file too.
BOOL EndStart(CErrorTrace* own, const char* text, bool logged) {
  if (logged && theGlobals.m_plogfile != nullptr) theGlobals.m_plogfile->WriteEntry(text);
  AfxMessageBox(text);
  CErrorTrace::Remove(own);
  return FALSE;
}

// Lowers a failure, from the newest node of the trace down to own, to an
// entry of the log.
void LogOnly(CErrorTrace* own) {
  for (CErrorTrace* node = theGlobals.m_error_trace_newest; node != nullptr; node = node->older) {
    node->severity = SEVERITY_LOG;
    if (node == own) break;
  }
}

}  // namespace

int CViewerApp::OperatingSystemKind(const OSVERSIONINFO& version) {
  if (version.dwPlatformId == VER_PLATFORM_WIN32_NT) return version.dwMajorVersion == 4 ? 3 : 4;
  if (version.dwMinorVersion == 0) return 1;
  return version.dwMinorVersion < 90 ? 2 : 5;
}

BOOL CViewerApp::IsTerminalServer() { return ::IsTerminalServer(m_os_version) ? TRUE : FALSE; }

BOOL CViewerApp::DataManagerVersionFits(DWORD version) {
  return (version >> 16) == kDataManagerFamily && (version & 0xFFFF) >= kOldestDataManager;
}

void CViewerApp::SetUpUserFolders(BOOL terminalServer) {
  CWV4Globals& g = theGlobals;
  g.m_is_terminal_server = terminalServer;
  if (terminalServer) {
    const CString tsIni = g.m_app_dir + "\\Varno4TS.ini";
    CIniClass ini;
    CString drive;
    ini.ReadKey("Client", "Drive", "C", drive, tsIni, 1);
    g.m_user_file_path = (drive.IsEmpty() ? CString("C") : drive) + ":\\VARNO4_CT";
    MakeFolder(g.m_user_file_path);
    CString app;
    ini.ReadKey("Client", "App", "TS", app, tsIni, 1);
    g.m_user_file_path += app.IsEmpty() ? CString("\\TS") : "\\" + app;
    MakeFolder(g.m_user_file_path);
    g.m_main_user_ini = g.m_user_file_path;
    g.m_user_temp_print_path = g.m_user_file_path + "\\temp";
    MakeFolder(g.m_user_temp_print_path);
    g.m_user_temp_print_path += "\\";
  } else {
    g.m_user_file_path = g.m_app_dir;
    g.m_main_user_ini = g.m_app_dir;
    char temp[MAX_PATH] = {};
    GetTempPath(sizeof temp, temp);
    g.m_user_temp_print_path = temp;
  }
  const CString windows = WindowsFolderFor(terminalServer != FALSE);
  if (!windows.IsEmpty()) SetSystemText("WINDIR", windows);
  g.m_main_user_ini += "\\varno4_user.ini";
  m_answer_dir = g.m_app_dir + "\\answer\\";
  g.m_user_page_def_path = g.m_user_file_path + "\\def_user";
  g.m_fpiinifile = g.m_user_file_path + "\\V4FPIini.ini";
  delete g.m_plogfile;
  g.m_plogfile = new CLogFile(g.m_user_file_path + "\\Varno4log.txt");
}

BOOL CViewerApp::IsRunningCopy(const ProcessRecord& record, const char* ownProgram) {
  const DWORD ownId = GetCurrentProcessId();
  if (record.processId == ownId || record.processId == 0 || std::strcmp(record.program, ownProgram) != 0) return FALSE;
  // A viewer on another display, or in another space, is no copy that this
  // user could be shown: each starts its own.
  DWORD ownSession = 0;
  DWORD session = 0;
  return ProcessIdToSessionId(ownId, &ownSession) && ProcessIdToSessionId(record.processId, &session) &&
         session == ownSession;
}

// The first copy of this program file that runs already in this session is
// brought to the front, restored; this one then ends, and says so to whoever
// started it.
BOOL CViewerApp::BringRunningCopyForward() {
  char own[MAX_PATH] = {};
  GetModuleFileName(nullptr, own, sizeof own);
  CProcessInfo32 processes;
  ProcessRecord record;
  for (BOOL more = processes.GetFirst(&record); more; more = processes.GetNext(&record)) {
    if (!IsRunningCopy(record, own)) continue;
    if (record.window != nullptr && ShowWindow(record.window, SW_RESTORE)) SetForegroundWindow(record.window);
    std::fprintf(stderr, "varno4: the viewer runs already on this display (process %lu); it was brought to the front\n",
                 static_cast<unsigned long>(record.processId));
    return TRUE;
  }
  return FALSE;
}

BOOL CViewerApp::PdfProgramOf(const char* command, CString& program) {
  const char* text = command;
  while (*text == '\t') ++text;
  if (*text == '\0') return FALSE;
  CString found;
  if (*text == '"') {
    const char* end = std::strchr(text + 1, '"');
    if (end == nullptr) return FALSE;
    found = CString(text + 1, static_cast<int>(end - text - 1));
  } else {
    const char* end = std::strchr(text, ' ');
    if (end == nullptr) return FALSE;
    found = CString(text, static_cast<int>(end - text));
  }
  found.TrimRight(' ');
  program = found;
  return TRUE;
}

void CViewerApp::FindPdfViewer() {
  const CString type = ClassesDefault(".pdf");
  const CString command = type.IsEmpty() ? CString() : ClassesDefault(type + "\\shell\\open\\command");
  CString program;
  if (PdfProgramOf(command, program)) SetSystemText("ACROBAT", program);
}

// Steps of the start that need no window: the single objects, the folders,
// the data manager, the project and its configuration.
BOOL CViewerApp::StartEngine() {
  CWV4Globals& g = theGlobals;
  g.m_varno_ver = 0x00040001;
  g.m_papp = this;
  if (g.m_pini == nullptr) g.m_pini = new CIniClass;
  if (g.m_pinterp == nullptr) g.m_pinterp = new CWV4Db;
  if (g.m_pvar == nullptr) g.m_pvar = new CWV4Var;
  if (g.m_plogic == nullptr) g.m_plogic = new CWV4Logic;
  if (g.m_perrdlg == nullptr) g.m_perrdlg = new CErrorDlg;
  if (g.m_pextprg == nullptr) g.m_pextprg = new CExtPrg;
  if (g.m_phistory == nullptr) g.m_phistory = new CDynLog;
  CErrorTrace* own = ERROR_TRACE_PUSH();

  m_os_version.dwOSVersionInfoSize = sizeof m_os_version;
  GetVersionEx(&m_os_version);
  m_win_version = OperatingSystemKind(m_os_version);
  const BOOL terminalServer = IsTerminalServer();

  char folder[MAX_PATH + 1] = {};
  if (GetCurrentDirectory(MAX_PATH, folder) == 0) return EndStart(own, "Kann aktuelles Verzeichnis nicht ermitteln !", false);
  g.m_app_dir = folder;
  g.m_main_prj_file = g.m_app_dir + "\\varno4.ini";
  SetUpUserFolders(terminalServer);

  if (!DataManagerVersionFits(DdmGetVersion())) {
    if (g.m_plogfile != nullptr) g.m_plogfile->WriteEntry("DDM version error !");
    return EndStart(own, "DDM Versionsfehler !\nDDM version error !", false);
  }
  if (!g.m_pvar->SetVar("VARNO", VarValue::Text(g.m_app_dir), VAR_CHAR | VAR_FLAG_SYSTEM))
    return EndStart(own, "Fehler beim Speichern des aktuellen Verzeichnisses !", true);
  CString project;
  if (!g.m_pini->ReadKey("SYSTEM", "Project", "", project, g.m_app_dir + "\\varno4.ini", 0))
    return EndStart(own, "Fehler in der Ini-Datei : Projekt kann nicht gelesen werden !", true);
  g.m_cur_prj_file = g.m_app_dir + "\\" + project + ".prj";
  g.m_cur_prj = project;
  if (GetFileAttributes(g.m_cur_prj_file) == INVALID_FILE_ATTRIBUTES) {
    CString text;
    text.Format("Projektdatei %s nicht vorhanden !", static_cast<const char*>(g.m_cur_prj_file));
    return EndStart(own, text, true);
  }
  SetSystemText("PROJECTFILE", g.m_main_prj_file);
  SetSystemText("USER_PROJECTFILE", g.m_main_user_ini);
  SetSystemText("CURPROJECTFILE", g.m_cur_prj_file);
  if (!LoadSystemConfig()) {
    if (g.m_message.IsEmpty()) return EndStart(own, "Fehler beim Lesen des Projekts !", true);
    own->Fail(__LINE__, SEVERITY_ERROR, ERR_CONFIGURATION, g.m_cur_prj_file, 0);
    CErrorDlg::ReportAndRemove(own);
    return FALSE;
  }
  g.m_main_prj_name = g.m_cur_prj_name;
  CErrorTrace::Remove(own);
  return TRUE;
}

// The steps after the engine: one copy only, the external programs and
// rules, and, unless this is a server, the order-list program, the button
// files, the PDF viewer and the user's settings.
BOOL CViewerApp::StartServices() {
  CWV4Globals& g = theGlobals;
  const bool server = g.m_internet_mode == kInternetServer;
  if (!server) {
    if (BringRunningCopyForward()) return FALSE;
    m_pStartDlg = new CStartDlg;
    m_pStartDlg->Open();
  }
  g.m_pextprg->Load(g.m_ext_file);
  g.m_plogic->LoadRules(g.m_rules_file);
  if (server) return TRUE;
  CErrorTrace* own = ERROR_TRACE_PUSH();
  m_prot_msg = RegisterWindowMessage(VARNO4_PROTOCOL_COMMAND_NAME);
  if (m_prot_msg == 0) {
    CloseStartDialog();
    own->Fail(__LINE__, SEVERITY_ERROR, ERR_PROTOCOL_MESSAGE, "", 0);
    CErrorDlg::ReportAndRemove(own);
    return FALSE;
  }
  if (!StartProtocol()) {
    own->Fail(__LINE__, SEVERITY_ERROR, ERR_PROTOCOL_START, "", 0);
    // An installation that names no order-list program runs without one
    // and without a box; the reason stays in the log.
    CString named;
    g.m_pini->ReadKey("SYSTEM", "Protocol", "", named, g.m_main_prj_file, 0);
    if (named.IsEmpty()) LogOnly(own);
    CErrorDlg::ReportAndRemove(own);
    own = ERROR_TRACE_PUSH();
  }
  LoadButtonFile(g.m_button_file, m_buttons_frm);
  FindPdfViewer();
  LoadSettings();
  if (!g.m_button_file_popup.IsEmpty()) LoadButtonFile(g.m_button_file_popup, m_buttons_pop);
  CloseStartDialog();
  CImageView::SetShowDecoderErrors(FALSE);
  CErrorTrace::Remove(own);
  return TRUE;
}

CRuntimeClass* CViewerApp::MainFrameClass() { return RUNTIME_CLASS(CMainFrame); }
CRuntimeClass* CViewerApp::PopupFrameClass() { return RUNTIME_CLASS(CPopup); }

namespace {

// A frame window of the viewer made by its class from the frame resources;
// null when it cannot be made (a frame that fails deletes itself).
CFrameWnd* CreateFrame(CRuntimeClass* frameClass) {
  auto* frame = dynamic_cast<CFrameWnd*>(frameClass->CreateObject());
  if (frame == nullptr) return nullptr;
  if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW)) return nullptr;
  return frame;
}

void RemoveMenuBar(CFrameWnd& frame) {
  HMENU resourceMenu = GetMenu(frame.m_hWnd);
  frame.SetMenu(nullptr);
  if (resourceMenu != nullptr) DestroyMenu(resourceMenu);
  frame.DrawMenuBar();
}

}  // namespace

// The frame windows: the main frame without the menu bar of its resources
// (the catalogue's data defines the menus), hidden for a server; the pop-up
// frame hidden until a key asks for it. Then the server's start, the
// client's connection, and the first key.
BOOL CViewerApp::StartWindows() {
  CWV4Globals& g = theGlobals;
  const bool server = g.m_internet_mode == kInternetServer;
  CErrorTrace* own = ERROR_TRACE_PUSH();
  CFrameWnd* frame = CreateFrame(MainFrameClass());
  if (frame == nullptr) {
    own->Fail(__LINE__, SEVERITY_ERROR, ERR_MAIN_FRAME, "", 0);
    CErrorDlg::ReportAndRemove(own);
    return FALSE;
  }
  RemoveMenuBar(*frame);
  m_nCmdShow = g.m_window_maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
  m_pMainWnd = frame;
  m_hMainWnd = frame->m_hWnd;
  frame->InitialUpdateFrame(nullptr, server ? FALSE : TRUE);
  frame->SetWindowText("VARNO 4");
  g.m_show_toolbar = FALSE;
  if (CControlBar* toolbar = frame->GetControlBar(AFX_IDW_TOOLBAR)) frame->ShowControlBar(toolbar, FALSE, FALSE);

  m_pPopup = CreateFrame(PopupFrameClass());
  m_hPopupWnd = m_pPopup != nullptr ? m_pPopup->m_hWnd : nullptr;

  if (server) {  // the key command runs the server
    CErrorTrace::Remove(own);
    PostMessage(m_hMainWnd, KeyCommandMessageId(), 0, 0);
    return TRUE;
  }
  g.m_FirstStart = TRUE;
  if (g.m_internet_mode == kInternetClient) ConnectInternetClient();
  CErrorTrace::Remove(own);
  return ShowFirstKey();
}

// A first-start key shows at once; the home command follows after the
// configured pause, or, with no pause configured, only when there was no
// first-start key. Home leads to the start key and completes the start.
BOOL CViewerApp::ShowFirstKey() {
  CWV4Globals& g = theGlobals;
  if (!g.m_key_firststart.IsEmpty()) {
    ShowKey(g.m_key_firststart, 0);
    if (m_pMainWnd != nullptr) m_pMainWnd->UpdateWindow();
  }
  if (g.m_WaitFirstStart >= 0) {
    Sleep(static_cast<DWORD>(g.m_WaitFirstStart));
    PostMessage(m_hMainWnd, WM_COMMAND, COMMAND_HOME, 0);
  } else if (g.m_key_firststart.IsEmpty()) {
    PostMessage(m_hMainWnd, WM_COMMAND, COMMAND_HOME, 0);
  }
  return TRUE;
}

// The settings are kept for the user and the order-list program is told to
// close, waiting for it no longer than it may take.
void CViewerApp::EndServices() {
  CImageView::DeleteDecoderInterface();
  SaveSettings();
  // An order-list program that no command has looked for yet (the viewer
  // ends before its first key) is looked for now, so that it does not
  // outlive the viewer.
  if (!m_prot_found && m_prot_pid != 0 && m_hMainWnd != nullptr) {
    if (HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, m_prot_pid)) {
      WaitForInputIdle(process, kProtocolReadyTimeout);
      CloseHandle(process);
    }
    FindProtocolWindow();
  }
  if (!m_prot_found) return;
  DWORD_PTR ignored = 0;
  SendMessageTimeout(m_prot_wnd, RegisterWindowMessage(VARNO4_PROTOCOL_COMMAND_NAME), PROTOCOL_CMD_CLOSE, 0,
                     SMTO_NORMAL, kProtocolCloseTimeout, &ignored);
}

namespace {

// The command of the first entry of the table with that name; 0 when none.
int FirstCommandOf(const LanguageEntry* table, int count, const CString& name) {
  for (int i = 0; table != nullptr && i < count; ++i) {
    if (table[i].lang_code == name) return table[i].cmdid;
  }
  return 0;
}

}  // namespace

// The rest of the start, at the first key command: the frames' menus, the
// order-list program given time to be ready, then the languages applied.
void CViewerApp::CompleteStart() {
  CWV4Globals& g = theGlobals;
  BuildFrameMenus();
  if (m_prot_pid != 0) {
    if (HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, m_prot_pid)) {
      HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
      WaitForInputIdle(process, 5000);
      CloseHandle(process);
      SetCursor(previous);
    }
  }
  m_start_completed = TRUE;
  const CString program = g.m_prg_language;
  SetProgramLanguage(program);
  if (const int command = FirstCommandOf(g.m_lang_prg, g.m_lang_prg_num, program)) CheckCommand(command, TRUE);
  const CString data = g.m_language;
  SetDataLanguage(data);
  if (const int command = FirstCommandOf(g.m_lang_data, g.m_lang_data_num, data)) CheckCommand(command, TRUE);
}
