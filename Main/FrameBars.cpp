#include "Main/FrameBars.h"

#include "Main/CProcessInfo32.h"
#include "Main/CWV4Globals.h"
#include "win32/UserWindows.h"

namespace {

struct Place {
  DWORD align;
  UINT dockBar;
};

// By place number 0 top, 1 left, 2 right, 3 bottom.
constexpr Place kPlaces[] = {{CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP},
                             {CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT},
                             {CBRS_ALIGN_RIGHT, AFX_IDW_DOCKBAR_RIGHT},
                             {CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM}};

const Place& PlaceOf(int place) { return place >= 1 && place <= 3 ? kPlaces[place] : kPlaces[0]; }

}  // namespace

UINT DockBarOfPlace(int place) { return PlaceOf(place).dockBar; }

void PlaceToolBar(CFrameWnd& frame, CControlBar& bar, BOOL docking, int userPlace, int defaultPlace) {
  if (docking) {
    bar.SetBarStyle(bar.GetBarStyle() | CBRS_SIZE_DYNAMIC);
    bar.EnableDocking(CBRS_ALIGN_ANY);
    frame.EnableDocking(CBRS_ALIGN_ANY);
    frame.DockControlBar(&bar, DockBarOfPlace(userPlace));
    return;
  }
  const DWORD kept = bar.GetBarStyle() & ~CBRS_ALIGN_ANY;
  bar.SetBarStyle(kept | PlaceOf(defaultPlace).align | CBRS_SIZE_DYNAMIC);
  bar.EnableDocking(0);
  frame.EnableDocking(0);
}

int ToolBarPlace(const CControlBar& bar) {
  const DWORD style = bar.GetBarStyle();
  if (style & CBRS_ALIGN_TOP) return 0;
  if (style & CBRS_ALIGN_LEFT) return 1;
  if (style & CBRS_ALIGN_RIGHT) return 2;
  if (style & CBRS_ALIGN_BOTTOM) return 3;
  return 0;
}

void RunAccelerators(CWnd& frame, const CAccelTable& table, UINT key) {
  for (UINT command : table.CommandsFor(key)) frame.OnCommand(command, 0);
}

BOOL BringWaitedProgramForward(CWnd& frame, UINT state) {
  const DWORD waited = theGlobals.m_waiting_for_pid;
  if ((state != WA_ACTIVE && state != WA_CLICKACTIVE) || frame.IsWindowEnabled() || waited == 0) return FALSE;
  CProcessInfo32 processes;
  ProcessRecord record;
  if (!processes.Init() || !processes.ReadProcesses() || !processes.FindProcess(waited, &record) || record.window == nullptr) return FALSE;
  ::SetForegroundWindow(record.window);
  return TRUE;
}
