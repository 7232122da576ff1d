// What the library sets up when it loads: the standard controls, the
// desktop's style for their drawn parts, and message boxes, the print dialog
// and the save dialog of printing to a file as windows where a person can see
// them.
#include <cstdio>

#include "win32/DesktopIntegration.h"
#include "user/ControlDrawing.h"
#include "user/Controls.h"
#include "user/MenuTracking.h"
#include "user/MessageBoxWindow.h"
#include "user/PrintDialogWindow.h"
#include "user/PrintFileDialog.h"
#include "win32/PrinterContext.h"

namespace layer {
namespace {

int ShowBox(HWND owner, const char* text, const char* caption, UINT type) {
  if (ScreenIsVisible()) return ShowMessageBoxWindow(owner, text, caption, type);
  // Nobody could see or answer the box: it is written down and answers OK.
  std::fprintf(stderr, "[%s] %s\n", caption, text);
  return IDOK;
}

// Nobody could choose: the print dialog takes what it would show.
bool ShowPrintDialog(HWND owner, PrintChoice& choice) { return !ScreenIsVisible() || ShowPrintDialogWindow(owner, choice); }

struct LoadTime {
  LoadTime() {
    RegisterStandardControls();
    SetThemedPainter(PaintWithDesktopStyle);
    SetMessageBoxWindowing(ShowBox);
    SetPrintDialogWindowing(ShowPrintDialog);
    SetPrintToFileWindowing(AskForPrintFile);
    menus::InstallMenuBar();
  }
  ~LoadTime() {
    SetThemedPainter(nullptr);
    SetMessageBoxWindowing(nullptr);
    SetPrintDialogWindowing(nullptr);
    SetPrintToFileWindowing(nullptr);
  }
} loadTime;

}  // namespace
}  // namespace layer
