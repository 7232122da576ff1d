#include "Main/CMultiFrame.h"

#include "Main/CWV4Globals.h"
#include "Main/KeyCommand.h"
#include "Main/varno4.h"
#include "win32/UserTypes.h"
#include "win32/UserWindows.h"

namespace {
const UINT keyCommandMessage = KeyCommandMessageId();
}  // namespace

IMPLEMENT_DYNCREATE(CMultiFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMultiFrame, CFrameWnd)
  ON_REGISTERED_MESSAGE(keyCommandMessage, OnKeyCommand)
  ON_WM_KEYDOWN()
END_MESSAGE_MAP()

LRESULT CMultiFrame::OnKeyCommand(WPARAM wParam, LPARAM lParam) {
  const CString key = TakeKeyCommandKey(lParam);
  CViewerApp* app = theGlobals.m_papp;
  if (app == nullptr) return 0;
  if (theGlobals.m_FirstStart) {
    theGlobals.m_FirstStart = FALSE;
    app->CompleteStart();
  }
  app->ShowKey(key, wParam);
  return 0;
}

void CMultiFrame::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  CFrameWnd::OnKeyDown(key, repeat, flags);
  HandleKeyDown(key, repeat, flags);
}

// Keys for the people who build and support catalogues, held with Ctrl and
// Shift together so that no user hits them by chance.
void CMultiFrame::HandleKeyDown(UINT key, UINT /*repeat*/, UINT /*flags*/) {
  const bool developerKeys = (GetAsyncKeyState(VK_CONTROL) & 0x8000) && (GetAsyncKeyState(VK_SHIFT) & 0x8000);
  if (!developerKeys) return;
  if (key == 'G') theGlobals.Dump(theGlobals.m_user_file_path + "\\globals.dmp");
}
