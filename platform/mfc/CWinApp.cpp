#include "mfc/CWinApp.h"

#include <string>

#include "ipc/CrossProcessWindows.h"
#include "win32/ScreenBackend.h"
#include "mfc/CWnd.h"

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {
CWinApp* application = nullptr;
}  // namespace

CWinApp::CWinApp(LPCSTR appName) {
  application = this;
  // The program's object is its main thread's.
  m_nThreadID = GetCurrentThreadId();
  AfxSetThread(this);
  if (appName) {
    m_appName = appName;
    m_pszAppName = m_appName;
  }
}

CWinApp::~CWinApp() {
  DeleteTemplates();
  if (application == this) application = nullptr;
}

BOOL CWinApp::InitApplication() { return TRUE; }
BOOL CWinApp::InitInstance() { return TRUE; }
int CWinApp::ExitInstance() { return static_cast<int>(m_msgCur.wParam); }

HCURSOR CWinApp::LoadStandardCursor(LPCSTR id) const { return LoadCursor(nullptr, id); }

CWinApp* AfxGetApp() { return application; }
HINSTANCE AfxGetInstanceHandle() { return application ? application->m_hInstance : nullptr; }
CWnd* AfxGetMainWnd() {
  CWinThread* thread = AfxGetThread();
  return thread ? thread->GetMainWnd() : nullptr;
}

int AfxWinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show) {
  CWinApp* app = AfxGetApp();
  if (!app) return -1;
  app->m_hInstance = instance;
  app->m_commandLine = commandLine ? commandLine : "";
  app->m_lpCmdLine = const_cast<LPSTR>(static_cast<LPCSTR>(app->m_commandLine));
  app->m_nCmdShow = show;
  if (!app->m_pszAppName) app->m_pszAppName = app->m_pszExeName;
  // The toolkit loads while the program takes its first steps, which need
  // no window yet.
  layer::LoadScreenBackendAhead();
  // The user's other programs find and drive this one's windows from its
  // first window on; without a listener it still runs, unseen by them.
  layer::ipc::StartCrossProcessWindows();
  if (!app->InitApplication() || !app->InitInstance()) {
    // A program that does not start still gets to clean up; a window it left
    // behind must not keep a loop running.
    if (app->m_pMainWnd) app->m_pMainWnd->DestroyWindow();
    return app->ExitInstance();
  }
  return app->Run();
}

int AfxRunProgram(int argc, char** argv) {
  CWinApp* app = AfxGetApp();
  if (!app) return -1;
  std::string name = argc > 0 ? argv[0] : "";
  auto slash = name.find_last_of('/');
  app->m_exeName = (slash == std::string::npos ? name : name.substr(slash + 1)).c_str();
  app->m_pszExeName = app->m_exeName;
  std::string line;
  for (int i = 1; i < argc; ++i) {
    if (!line.empty()) line += ' ';
    std::string argument = argv[i];
    line += argument.find(' ') != std::string::npos ? "\"" + argument + "\"" : argument;
  }
  return AfxWinMain(reinterpret_cast<HINSTANCE>(static_cast<UINT_PTR>(0x400000)), nullptr, line.data(), SW_SHOWNORMAL);
}
