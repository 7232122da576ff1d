#include "Main/CMultiFrame.h"

#include "Main/CWV4Globals.h"
#include "Main/KeyCommand.h"
#include "Main/varno4.h"

namespace {
const UINT keyCommandMessage = KeyCommandMessageId();
}  // namespace

IMPLEMENT_DYNCREATE(CMultiFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMultiFrame, CFrameWnd)
  ON_REGISTERED_MESSAGE(keyCommandMessage, OnKeyCommand)
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
