// The viewer's two frame windows as the application object knows them; null
// where there is none (yet).
#pragma once

#include "Main/CMainFrame.h"
#include "Main/CPopup.h"
#include "Main/CWV4Globals.h"
#include "Main/varno4.h"

inline CMainFrame* ViewerMainFrame() {
  const CViewerApp* app = theGlobals.m_papp;
  return app != nullptr ? dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(app->m_hMainWnd)) : nullptr;
}

inline CPopup* ViewerPopup() {
  const CViewerApp* app = theGlobals.m_papp;
  return app != nullptr ? dynamic_cast<CPopup*>(CWnd::FromHandlePermanent(app->m_hPopupWnd)) : nullptr;
}

class CCmdUI;
class CMultiFrame;

// How a viewer command's button or menu entry of frame stands now: enabled,
// checked, its second image. Entries the command leaves alone keep their state.
void UpdateViewerCommand(CCmdUI& ui, CMultiFrame& frame);
