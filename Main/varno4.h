// The viewer's application object: it starts the viewer, creates its two
// frame windows and arranges for the first key; at the end it keeps the
// user's settings and closes the order-list program. The engine, the frame
// windows and the commands reach the viewer's services through it.
#pragma once

#include <atomic>

#include "Main/ToolbarButtons.h"
#include "foundation/CDynBuf.h"
#include "mfc/CString.h"
#include "mfc/CWinApp.h"
#include "win32/SystemInfo.h"
#include "win32/Types.h"

class CFrameWnd;
class CStartDlg;
struct ProcessRecord;

class CViewerApp : public CWinApp {
 public:
  CViewerApp();
  ~CViewerApp() override;

  // The start: FALSE when the viewer does not run (the reason shown).
  BOOL InitInstance() override;
  // Keeps the settings, closes the order-list program, frees the button lists.
  int ExitInstance() override;
  // The thread's own messages (no window) go through the message map.
  BOOL PreTranslateMessage(MSG* msg) override;
  afx_msg void OnAppAbout();

  // The window that key commands go to; null while there is none.
  HWND GetMainWindow() const { return m_hMainWnd; }
  // "EXIT_VARNO_4_MESSAGE" in the main thread: closes the main window, or ends
  // the process at once when there is none.
  afx_msg LRESULT OnExitMessage(WPARAM wParam, LPARAM lParam);
  // Dispatches every message that waits, as the viewer's long waits do; the
  // thread's exit message goes to OnExitMessage.
  void PumpWaitingMessages();

  // The installation's and the project's configuration (varno4_files).
  int LoadSystemConfig();
  int LoadProject();
  int LoadButtonFile(const char* path, ToolbarButtonList& list);
  void LoadSettings();
  void SaveSettings();
  int GetFileVersion(const CString& file, CString& version);

  // The channel to the order-list program (varno4_protocol): its main window
  // is looked up on first use; a missing one is reported once per run.
  // Starts the order-list program of the main ini's "Protocol" entry; errors
  // 413 to 415 stay on the trace for the caller.
  BOOL StartProtocol();
  BOOL FindProtocolWindow();
  LRESULT PostProtocolCommand(int code, LPARAM lParam);
  LRESULT SendProtocolData(int code, CDynBuf* data);
  // Hands part rows (texts each ended by a zero byte, a row closed by one
  // more, the list by another) to the order-list program: ordered with
  // orderFlag, else shown as parts info. Unless skipConfirmation is 1 the
  // user first picks the rows in the confirmation list.
  void SendPartsToProtocol(int skipConfirmation, int columns, CDynBuf* titles, CDynBuf* displayRows,
                           CDynBuf* lines, BOOL orderFlag);
  // Runs the confirmation list modally; its result (IDOK or not).
  virtual INT_PTR RunConfirmList(class CConfirmListDlg& dialog);
  // Shows a key ("key" or "project~key"): switches the project when asked,
  // keeps the key history and the variables, and falls back to the last good
  // key when the new one cannot be shown. fromLink 1 asks for the key being
  // left to go into the history.
  BOOL ShowKey(const char* key, WPARAM fromLink) { return ShowKey(key, fromLink, true); }

  // The steps of showing a key, each replaceable on its own. The face and the
  // rest of the start come with the screen layout and the start-up; until
  // then varno4_keys has defaults for them.
  // The rest of the start, run by the first key command.
  virtual void CompleteStart();
  // Reads a key (without its project) into m_act_key_buf, which keeps the
  // last good key when this fails; reports its own error.
  virtual BOOL ReadKey(const char* key);
  // The internet client's road to a key, taken by ReadKey in client mode.
  virtual BOOL ReadKeyFromServer(const char* key);
  // Puts the face of the key just read on the screen; leaves its error on the trace.
  virtual BOOL ShowFace();
  // Loads the project file m_cur_prj_file that a key of another project names.
  virtual BOOL LoadKeyProject();
  // Enables or disables a command on the main frame's toolbar and menu and
  // on the pop-up's toolbar, as a key's layout asks.
  virtual void EnableCommand(int command, BOOL enable);
  // Enables or disables the print commands, after every face that is built.
  virtual void EnablePrint(BOOL enable);

  // Opens the catalogue database, the parts master and its companion where
  // not open yet; a failure is reported on own. Without askForMedium a
  // database that does not open is not asked for.
  BOOL OpenCatalogueDatabases(struct CErrorTrace* own, BOOL askForMedium);

  // The frame windows' data-defined menus and accelerators, built by
  // CompleteStart; the frame windows provide them.
  virtual void BuildFrameMenus();
  BOOL m_start_completed = FALSE;

  // The start and the end (varno4_start). StartEngine: the single objects,
  // folders, data manager, project and configuration; StartServices: one
  // copy only, external programs, rules, order-list program, button files,
  // PDF viewer, settings. FALSE ends the start (its message shown).
  BOOL StartEngine();
  BOOL StartServices();
  // The two frame windows, then the server, the client's connection or the
  // first key; FALSE when the main frame cannot be made (reported).
  BOOL StartWindows();
  void EndServices();
  // The classes of the two frame windows that the start creates.
  static CRuntimeClass* MainFrameClass();
  static CRuntimeClass* PopupFrameClass();
  // The window that stands while the viewer loads; null when there is none.
  CStartDlg* m_pStartDlg = nullptr;
  void CloseStartDialog();
  BOOL IsTerminalServer();
  void SetUpUserFolders(BOOL terminalServer);
  BOOL BringRunningCopyForward();
  // A process of the table runs the program file ownProgram in the session
  // (display and space) of this one, and is not this one.
  static BOOL IsRunningCopy(const ProcessRecord& record, const char* ownProgram);
  void FindPdfViewer();
  // 3 Windows NT 4, 4 later NT, 1/2/5 the Windows 95 family by minor version.
  static int OperatingSystemKind(const OSVERSIONINFO& version);
  static BOOL DataManagerVersionFits(DWORD version);
  // The program of a registered open command: the quoted text, or the text
  // before the first blank; FALSE when there is none.
  static BOOL PdfProgramOf(const char* command, CString& program);
  CString m_answer_dir;

  // The viewer commands that need no bar of the frame window
  // (varno4_commands); FALSE for an id the frame window handles itself.
  // receiver: the frame window that got the command; face: the face it shows.
  BOOL RunViewerCommand(HWND receiver, class CFace* face, UINT id);
  // Checks the command's entry of the main frame's menu.
  virtual void CheckCommand(int command, BOOL check);
  // The notes file of the key on the screen.
  CString NotesFile();

  // The print driver's choice of option (CPrint); its result (IDOK or not).
  virtual INT_PTR RunPrintDialog(class CPrintDlg& dialog);
  BOOL m_print_busy = FALSE;  // a print job runs

  // The languages (varno4_language).
  virtual BOOL SetProgramLanguage(const char* name);
  virtual BOOL SetDataLanguage(const char* name);

  // The internet modes (varno4_internet). The client's start-up handshake
  // with the connection program; the server run of the first key command;
  // the server loop.
  void ConnectInternetClient();
  void ServeInternet();
  void RunInternetServer();
  // The connection program's reply to request number request, from the
  // request's worker thread; a reply to a request given up is dropped.
  void TakeInternetReply(DWORD request, LRESULT reply);
  // Dispatches one waiting message; FALSE when none waited.
  BOOL PumpOneMessage();

  std::atomic<int> m_internet_wait{0};  // 1 while a wait or the server runs
  std::atomic<LRESULT> m_internet_answer{0};
  std::atomic<DWORD> m_internet_request{0};  // the number of the latest request
  std::atomic<DWORD> m_internet_replied{0};  // the number of the request last replied to
  HWND m_internet_wnd = nullptr;             // the connection program's window

  HWND m_hMainWnd = nullptr;    // the main frame window, null while there is none
  HWND m_hPopupWnd = nullptr;   // the pop-up frame window, null while there is none
  CFrameWnd* m_pPopup = nullptr;  // the pop-up frame (it deletes itself with its window)
  BOOL m_prot_found = FALSE;
  BOOL m_prot_reported = FALSE;
  DWORD m_prot_pid = 0;       // the started order-list program, 0 when not started
  HWND m_prot_wnd = nullptr;  // its main window
  UINT m_prot_msg = 0;        // "VARNO4_PROTOCOL_COMMAND"
  BOOL m_settings_loaded = FALSE;
  ToolbarButtonList m_buttons_frm;
  ToolbarButtonList m_buttons_pop;
  // The Windows version as the start-up classified it (1 Windows 95 ... 5
  // Windows Me; 0 unknown) and the system's version record.
  int m_win_version = 0;
  OSVERSIONINFO m_os_version{};

  DECLARE_MESSAGE_MAP()

 private:
  // A fall-back (mayFallBack false) that fails too leaves the screen as it is.
  BOOL ShowKey(const char* key, WPARAM fromLink, bool mayFallBack);
  BOOL ShowFirstKey();
  BOOL RunRangeCommand(HWND receiver, UINT id);
  void ChangeDataLanguage(HWND receiver, const CString& language, int command);
  void RunLanguageDialog(HWND receiver);
  bool FetchInternetAnswer();
  bool AwaitInternetRequest();
  int AnswerInternetRequest();
};

// The form-printing library's reports on the viewer's print job.
int PrintJobCallback(int code, const char* text);

