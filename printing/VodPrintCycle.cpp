#include "VodPrintCycle.h"

#include "VodContext.h"
#include "VodInterpreter.h"
#include "VodLibrary.h"
#include "VodReport.h"
#include "VodSettings.h"
#include "VodTexts.h"
#include "VodUi.h"
#include "interfaces/QorVod32.h"
#include "res/resource.h"
#include "user/Controls.h"
#include "user/Dialogs.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace vod {
namespace {

// The window icon is given to the first printing dialog of the process;
// what it had before comes back when it goes.
bool g_iconGiven = false;
HWND g_iconDialog = nullptr;
HICON g_oldBigIcon = nullptr;
HICON g_oldSmallIcon = nullptr;

bool Modal(const VodContext& context, HWND dialog) { return context.asyncDialog != dialog; }

std::string DeviceLine(VodContext& context) {
  if (!context.settings.toPrinter) return context.languageOffset == kEnglishOffset ? "Screen" : "Bildschirm";
  return FormatMessage(LoadText(context, 323).c_str(), "", context.printer.device.c_str(),
                       context.printer.port.c_str());
}

void GiveIcon(HWND dialog) {
  if (g_iconGiven) return;
  g_iconGiven = true;
  HICON icon = WindowIcon();
  if (!icon) return;
  g_iconDialog = dialog;
  g_oldBigIcon = reinterpret_cast<HICON>(SendMessage(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon)));
  g_oldSmallIcon =
      reinterpret_cast<HICON>(SendMessage(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}

void RestoreIcon(HWND dialog) {
  if (dialog != g_iconDialog) return;
  SendMessage(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(g_oldBigIcon));
  SendMessage(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(g_oldSmallIcon));
  g_iconDialog = nullptr;
}

void InitDialog(VodContext& context, HWND dialog) {
  SetDlgItemText(dialog, IDC_VOD_STOP, LoadText(context, 325).c_str());
  SetDlgItemText(dialog, IDCANCEL, LoadText(context, 326).c_str());
  context.jobState = kJobRunning;
  context.stopAfterPage = false;
  context.cancelPending = false;
  char version[48];
  VOD_GetVersion(version, sizeof version);
  SetWindowText(dialog, FormatMessage(LoadText(context, 320).c_str(), version).c_str());
  std::string file = LoadText(context, 403) + context.scriptPath;
  SetDlgItemText(dialog, IDC_VOD_FILE, file.c_str());
  WriteVodKey(context, nullptr, "LetzterFehler", file.c_str());
  SetDlgItemText(dialog, IDC_VOD_DEVICE, DeviceLine(context).c_str());
  SetFocus(GetDlgItem(dialog, IDCANCEL));
  GiveIcon(dialog);
  context.printDialog = dialog;
  PostMessage(dialog, WM_VOD_CYCLE, 0, 0);
}

void EndCancelled(VodContext& context, HWND dialog);

int NextLine(const VodContext& context) { return context.scripts.empty() ? 0 : context.scripts.back().line + 1; }

void RunCycle(VodContext& context, HWND dialog) {
  if (context.loopRunning) return;
  context.loopRunning = true;
  g_loopBusy = true;
  VodInterpreter interpreter(context);
  const char* counter = context.languageOffset == kEnglishOffset ? "Line: %i" : "Zeile: %i";
  int result;
  do {
    SetDlgItemText(dialog, IDC_VOD_LINE, FormatMessage(counter, NextLine(context)).c_str());
    result = interpreter.ExecuteStatement();
  } while (result == kGoOnStatement);
  interpreter.CloseJobFile();
  context.loopRunning = false;
  g_loopBusy = false;

  // The preview keeps the job open until the user closes it; a job that
  // showed no page has nothing to wait for.
  auto previewShown = [&context] { return !context.settings.toPrinter && context.previewWindow; };
  if (result == kEndOfScript) {
    bool finished = interpreter.FinishJob(true);
    SetDlgItemText(dialog, IDC_VOD_ERRORTEXT, "");
    // A job whose last page or document failed has printed nothing whole.
    if (context.jobState == kJobRunning)
      context.jobState = !finished ? kJobError : context.stopAfterPage ? kJobCancelled : kJobPrinted;
    if (!previewShown()) CloseJob(context, dialog, 1);
  } else {
    if (context.jobState == kJobRunning) context.jobState = kJobError;
    interpreter.FinishJob(false);
    // A cancel that came while the loop ran ends the dialog now; without
    // this, a job cancelled from its preview would wait for ever.
    if (!previewShown())
      CloseJob(context, dialog, 2);
    else if (context.cancelPending)
      EndCancelled(context, dialog);
  }
}

void Cancel(VodContext& context, HWND dialog) {
  if (context.jobState == kJobRunning) context.jobState = kJobCancelled;
  SetWindowText(dialog, LoadText(context, 324).c_str());
  EnableWindow(GetDlgItem(dialog, IDCANCEL), FALSE);
  if (context.loopRunning) {
    context.cancelPending = true;  // the loop sees the state at its next step
    return;
  }
  EndCancelled(context, dialog);
}

void EndCancelled(VodContext& context, HWND dialog) {
  HWND preview = context.previewWindow;
  context.previewWindow = nullptr;
  if (Modal(context, dialog))
    EndDialog(dialog, context.jobState);
  else
    DestroyWindow(dialog);
  if (preview && IsWindow(preview)) DestroyWindow(preview);
}

void Destroyed(VodContext& context, HWND dialog) {
  RestoreIcon(dialog);
  // A job that never ran its loop still holds its script and output.
  VodInterpreter interpreter(context);
  interpreter.CloseJobFile();
  if (context.pageTarget && context.pageTarget->IsOpen()) {
    if (context.jobState == kJobRunning) context.jobState = kJobCancelled;
    context.pageTarget->Close(context);
  }
  context.EndJob();
  context.printDialog = nullptr;
  if (!Modal(context, dialog)) {
    context.asyncDialog = nullptr;
    NotifyCaller(context, VOD_CB_WINDOW_CLOSED);
    g_jobBusy = false;
  } else if (context.jobState == kJobPrinted) {
    WriteVodKey(context, nullptr, "VodFile", "");
  }
}

}  // namespace

void NotifyCaller(VodContext& context, WORD code) {
  if (context.callback)
    context.callback(code, nullptr);
  else
    CurrentUi().PostOwnerNotify(context.owner, code);
}

void CloseJob(VodContext& context, HWND dialog, INT_PTR modalResult) {
  if (Modal(context, dialog)) {
    EndDialog(dialog, modalResult);
    return;
  }
  context.EndJob();
  NotifyCaller(context, context.jobState);
  DestroyWindow(dialog);
}

}  // namespace vod

extern "C" INT_PTR PrintCycle(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  vod::ContextScope scope;
  vod::VodContext* context = scope.get();
  if (!context) return FALSE;
  switch (message) {
    case WM_INITDIALOG: vod::InitDialog(*context, dialog); return FALSE;
    case WM_VOD_CYCLE: vod::RunCycle(*context, dialog); return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) {
        vod::Cancel(*context, dialog);
      } else if (LOWORD(wParam) == IDC_VOD_STOP) {
        context->stopAfterPage = true;
        SetWindowText(dialog, vod::LoadText(*context, 321).c_str());
      }
      return TRUE;
    case WM_CLOSE: PostMessage(dialog, WM_COMMAND, IDCANCEL, 0); return TRUE;
    case WM_DESTROY: vod::Destroyed(*context, dialog); return TRUE;
    case WM_VOD_ERRORTEXT:
      SetDlgItemText(dialog, IDC_VOD_LINE, vod::LoadText(*context, 316).c_str());
      SetDlgItemText(dialog, IDC_VOD_ERRORTEXT,
                     lParam ? reinterpret_cast<const char*>(lParam) : context->lastError.c_str());
      return TRUE;
    case WM_VOD_LASTERROR:
      vod::WriteVodKey(*context, nullptr, "LetzterFehler",
                       lParam ? reinterpret_cast<const char*>(lParam) : context->lastError.c_str());
      return TRUE;
    case WM_VOD_STATUSTEXT:
      SetDlgItemText(dialog, IDC_VOD_PAGE, reinterpret_cast<const char*>(lParam));
      return TRUE;
    default: return FALSE;
  }
}

extern "C" INT_PTR VOD_Error_Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  vod::ContextScope scope;
  vod::VodContext* context = scope.get();
  if (!context) return FALSE;
  if (message == WM_INITDIALOG) {
    SetDlgItemText(dialog, IDC_VOD_ERR_TEXT, context->lastError.c_str());
    SetDlgItemInt(dialog, IDC_VOD_ERR_LINE, context->scripts.empty() ? 0 : context->scripts.back().line, FALSE);
    SetDlgItemInt(dialog, IDC_VOD_ERR_PP, static_cast<UINT>(context->counters.pp), FALSE);
    SetDlgItemText(dialog, IDC_VOD_ERR_FORM, context->formName.c_str());
    SetDlgItemText(dialog, IDC_VOD_ERR_SCRIPT, context->scriptPath.c_str());
    return TRUE;
  }
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    EndDialog(dialog, 1);
    return TRUE;
  }
  return FALSE;
}
