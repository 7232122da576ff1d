// The exported functions that start, stop and serve print jobs.
#include <cstdio>
#include <cstring>

#include "VodContext.h"
#include "VodDeviceInfo.h"
#include "VodInterpreter.h"
#include "VodLibrary.h"
#include "VodPageOutput.h"
#include "VodPrintCycle.h"
#include "VodPump.h"
#include "VodReport.h"
#include "VodSettings.h"
#include "VodTexts.h"
#include "VodUi.h"
#include "foundation/CIniClass.h"
#include "interfaces/QorVod32.h"
#include "res/resource.h"
#include "user/Dialogs.h"
#include "win32/Clock.h"
#include "win32/DebugOutput.h"
#include "win32/Files.h"
#include "win32/GdiPrint.h"
#include "win32/Locale.h"
#include "win32/SystemInfo.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace vod {
namespace {

constexpr DWORD kProcessAttach = 1;

void Box(const std::string& text, const char* caption, BoxIcon icon) {
  CurrentUi().MessageBox(nullptr, text, caption, BoxButtons::Ok, icon);
}

bool Busy() { return g_loopBusy || g_jobBusy; }

// A second job while one runs: the owner hears text 44 and the user sees it.
void RefuseBusy(HWND owner) {
  ContextScope context;
  std::string text = context.get() ? LoadText(*context.get(), 44) : LoadText(44, 0);
  CurrentUi().SendOwnerNotify(owner, VOD_CB_ERROR_TEXT, text.c_str());
  Box(text, "VOD", BoxIcon::Error);
}

void NotInitialised(VodContext& context) { Box(LoadText(context, 412), "VOD", BoxIcon::Error); }

std::string ResolveIniPath(const std::string& name) {
  if (GetFileAttributes(name.c_str()) != INVALID_FILE_ATTRIBUTES) return name;
  char folder[MAX_PATH];
  GetWindowsDirectory(folder, sizeof folder);
  std::string inWindows = std::string(folder) + "\\" + name;
  return GetFileAttributes(inWindows.c_str()) != INVALID_FILE_ATTRIBUTES ? inWindows : name;
}

// Reads the settings and opens the script: the common start of every job.
bool PrepareJob(VodContext& context, HWND owner, const char* script) {
  WriteVodKey(context, nullptr, "VodFile", script);
  LoadSettings(context, owner);
  context.scripts.clear();
  context.scriptPath = script;
  return VodInterpreter(context).OpenJobFile(script);
}

// The checks before a job: the library attached (else a box under the
// export's name), no job running, a context with an ini path. The context
// of the job, or null when the job is refused.
VodContext* AcceptJob(ContextScope& scope, HWND owner, const char* notAttached, const char* exportName) {
  if (!LibraryAttached()) {
    Box(notAttached, exportName, BoxIcon::Information);
    return nullptr;
  }
  if (Busy()) {
    RefuseBusy(owner);
    return nullptr;
  }
  VodContext* context = scope.get();
  if (!context) return nullptr;
  context->owner = owner;
  if (context->iniPath.empty()) {
    NotInitialised(*context);
    return nullptr;
  }
  return context;
}

int PrintSync(HWND owner, const char* script, HDC* dc, const char* exportName) {
  ContextScope scope;
  VodContext* context =
      AcceptJob(scope, owner, "Keine Initialisierung der DLL von VOD erfolgt!\nVOD not init!", exportName);
  if (!context) return 0;
  g_jobBusy = true;
  INT_PTR ended = 0;
  if (PrepareJob(*context, owner, script ? script : "")) {
    context->useCallerDC = dc && *dc;
    context->callerDC = context->useCallerDC ? *dc : nullptr;
    context->pageTarget = MakeJobOutput(*context);
    context->asyncDialog = nullptr;
    if (owner) EnableWindow(owner, FALSE);
    ended = DialogBoxParam(LibraryInstance(), MAKEINTRESOURCE(IDD_VOD_PRINTING), owner, PrintCycle, 0);
    if (owner) EnableWindow(owner, TRUE);
    VodInterpreter(*context).CloseJobFile();
  } else {
    Box(LoadText(*context, 418), "VOD", BoxIcon::Error);
  }
  if (ended == 1 || context->jobState == kJobCancelled) WriteVodKey(*context, nullptr, "VodFile", "");
  g_jobBusy = false;
  if (context->useCallerDC) *dc = context->callerDC;
  context->useCallerDC = false;
  context->callerDC = nullptr;
  return ended == 1 ? 1 : 0;
}

}  // namespace
}  // namespace vod

using namespace vod;

extern "C" {

int VOD_Init(int, HWND owner, const char* iniPath) {
  if (!LibraryAttached()) {
    Box("Keine Initialisierung der QORFPI.DLL vom Betriebssystem erfolgt!\nNo Initialisation occured!",
        "VOD_Init()", BoxIcon::Information);
    return 0;
  }
  ContextScope scope;
  VodContext* context = scope.get();
  if (!context) {
    if (iniPath) CIniClass().WriteKey("VOD", "LetzterFehler", "VOD_Init(): Kein Speicher!\n", iniPath, TRUE);
    return 0;
  }
  if (context->loopRunning) {
    HWND oldOwner = context->owner;
    context->owner = owner;
    ReportErrorText(*context, 44, "", false);
    context->owner = oldOwner;
    if (oldOwner) ShowWindow(oldOwner, SW_SHOWNA);
    if (context->printDialog) ShowWindow(context->printDialog, SW_SHOWNA);
    return 0;
  }
  if (iniPath) {
    context->iniPath = ResolveIniPath(iniPath);
    context->iniPathCompleted = false;
    context->callback = nullptr;
  }
  context->languageOffset = PRIMARYLANGID(GetUserDefaultLangID()) == LANG_GERMAN ? 0 : kEnglishOffset;
  if (context->iniPath.empty()) {
    NotInitialised(*context);
    return 0;
  }
  return VOD_CheckPrinter() ? 1 : 0;
}

int VOD_Init2(const char* iniPath) {
  OutputDebugString("VOD_Init2() ist obsolete, bitte VOD_Init() verwenden!\n");
  return VOD_Init(0, nullptr, iniPath);
}

int VOD_Print_Async(HWND owner, const char* script) {
  ContextScope scope;
  VodContext* context =
      AcceptJob(scope, owner, "Keine Initialisierung der DLL von VOD erfolgt!", "VOD_Print_Async()");
  if (!context || !PrepareJob(*context, owner, script ? script : "")) return 0;
  context->useCallerDC = false;
  context->pageTarget = MakeJobOutput(*context);
  g_jobBusy = true;
  HWND dialog = CreateDialogParam(LibraryInstance(), MAKEINTRESOURCE(IDD_VOD_PRINTING), owner, PrintCycle, 0);
  if (!dialog) {
    VodInterpreter(*context).CloseJobFile();
    g_jobBusy = false;
    return 0;
  }
  context->asyncDialog = dialog;
  return 1;
}

int VOD_Print_Sync(HWND owner, const char* script) { return PrintSync(owner, script, nullptr, "VOD_Print_Sync()"); }

int VOD_Print_Sync_HDC(HWND owner, const char* script, HDC* dc) {
  return PrintSync(owner, script, dc, "VOD_Print_Sync_HDC()");
}

int VOD_Print_Sync2(const char* script) {
  OutputDebugString("VOD_Print_Sync2() ist obsolete, bitte VOD_Print_Sync() verwenden!\n");
  return VOD_Print_Sync(nullptr, script) & 0xFF;
}

int VOD_Dialog(HWND, int, int, int) {
  ContextScope context;
  CurrentUi().MessageBox(nullptr, context.get() ? LoadText(*context.get(), 416) : LoadText(416, 0), "VOD",
                         BoxButtons::Ok, BoxIcon::Warning);
  return 0;
}

int VOD_DeclareIndirectDialog() {
  ContextScope context;
  CurrentUi().MessageBox(nullptr, context.get() ? LoadText(*context.get(), 417) : LoadText(417, 0), "VOD",
                         BoxButtons::Ok, BoxIcon::Warning);
  return 0;
}

int VOD_CheckPrinter() {
  ContextScope scope;
  VodContext* context = scope.get();
  if (!context || context->loopRunning) return 0;
  return context->printer.Known() ? 1 : 0;
}

HDC VOD_GetPrinterDC(char* device, char* driver, char* port) {
  ContextScope scope;
  VodContext* context = scope.get();
  if (!context || context->loopRunning) return nullptr;
  if (context->iniPath.empty()) {
    NotInitialised(*context);
    return nullptr;
  }
  g_jobBusy = true;
  LoadSettings(*context, context->owner);
  HDC dc = context->printer.Choose(device, driver, port);
  context->printer.FreeDialogData();
  g_jobBusy = false;
  return dc;
}

int VOD_GetDeviceInfo() {
  ContextScope scope;
  VodContext* context = scope.get();
  if (!context || context->loopRunning) return 0;
  LoadSettings(*context, GetActiveWindow());
  ShowDeviceInfo(*context);
  return 1;
}

void VOD_StopPrinting() {
  ContextScope scope;
  VodContext* context = scope.get();
  if (!context) return;
  context->jobState = kJobStopped;
  if (context->asyncDialog) {
    SendMessage(context->asyncDialog, WM_COMMAND, IDCANCEL, 0);
    return;
  }
  NotifyCaller(*context, VOD_CB_STOPPED);
  NotifyCaller(*context, VOD_CB_WINDOW_CLOSED);
}

BOOL AbortProc(HDC dc, int error) {
  ContextScope scope;
  VodContext* context = scope.get();
  if (!context) return TRUE;
  AnimateDialog(*context);
  // The pump alone keeps the caller's windows alive; the platform shares the
  // processor fairly without a pause on every page.
  DispatchForJob(*context);
  if (error != 0) {
    char line[80];
    std::snprintf(line, sizeof line, "AbortProc ( HDC = %p, error = %d )\n", static_cast<void*>(dc), error);
    OutputDebugString(line);
    if (error == SP_OUTOFDISK) return TRUE;
    if (error == SP_OUTOFMEMORY)
      return CurrentUi().MessageBox(nullptr, "Speicher fehlt!", "VOD", BoxButtons::RetryCancel, BoxIcon::Error) ==
                     BoxAnswer::Cancel
                 ? FALSE
                 : TRUE;
    if (error == SP_USERABORT) context->jobState = kJobCancelled;
  }
  return context->jobState == kJobRunning ? TRUE : FALSE;
}

void WEP(int) {}

BOOL LibMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == kProcessAttach) return LibraryAttached() ? TRUE : FALSE;
  return TRUE;
}

}  // extern "C"
