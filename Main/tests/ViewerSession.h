// The viewer started as its program starts: on a copy of the sample
// catalogue in a folder of its own, which is the current folder meanwhile,
// driven by the messages a user's mouse and keys send. For the tests, the
// benchmarks and the screenshots of the running viewer.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "CatalogueInstallation.h"
#include "Main/CFace.h"
#include "Main/CFrame.h"
#include "Main/CImage.h"
#include "Main/CLogFile.h"
#include "Main/CMainFrame.h"
#include "Main/CPicView.h"
#include "Main/CWV4Globals.h"
#include "Main/KeyCommand.h"
#include "interfaces/QridHtSp.h"
#include "ipc/CrossProcessWindows.h"
#include "testing/TempFolder.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace varno::testing {

class ViewerSession {
 public:
  ViewerSession() {
    // As the program's own start does: the order-list program it starts
    // finds the viewer's windows, and the viewer finds its.
    layer::ipc::StartCrossProcessWindows();
    std::filesystem::copy(VARNO_CATALOGUE_DIR, m_folder.Path(), std::filesystem::copy_options::recursive);
    m_previous = std::filesystem::current_path();
    std::filesystem::current_path(m_folder.Path());
    m_installation = std::make_unique<catalogue::Installation>(m_folder.Path(), m_folder.Path());
  }
  ~ViewerSession() {
    CViewerApp& viewer = App();
    if (viewer.m_hMainWnd != nullptr) viewer.ExitInstance();  // the order-list program ends too
    for (HWND window : {viewer.m_hPopupWnd, viewer.m_hMainWnd})
      if (window != nullptr && IsWindow(window)) DestroyWindow(window);
    MSG msg;
    for (int i = 0; i < 1000 && PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE); ++i)
      if (msg.message == KeyCommandMessageId()) TakeKeyCommandKey(msg.lParam);
    viewer.m_pMainWnd = nullptr;
    CWV4Globals& g = theGlobals;
    g.m_FirstStart = FALSE;
    g.m_internet_mode = 0;
    g.m_key_firststart.Empty();
    g.m_cur_prj_key.Empty();
    delete g.m_plogfile;
    g.m_plogfile = nullptr;
    m_installation.reset();
    std::filesystem::current_path(m_previous);
  }
  ViewerSession(const ViewerSession&) = delete;
  ViewerSession& operator=(const ViewerSession&) = delete;

  // The start, then the messages it posts, until the start key is shown.
  bool Start() {
    if (!App().InitInstance()) return false;
    Pump();
    return Main() != nullptr && theGlobals.m_cur_prj_key == "START";
  }
  // Dispatches what waits, then the idle work of the program's loop.
  void Pump() {
    layer::PumpUntilIdle();
    for (LONG count = 0; App().OnIdle(count); ++count) {
    }
  }

  CViewerApp& App() { return m_installation->app; }
  CMainFrame* Main() { return dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(App().m_hMainWnd)); }
  std::string Folder() const { return m_folder.Path(); }

  // The picture view of the last picture of the main frame's frame of that
  // name; null when there is none.
  CPicView* PictureOf(const char* frameName) {
    CMainFrame* main = Main();
    if (main == nullptr) return nullptr;
    for (const auto& frame : main->GetFace()->m_frames) {
      if (frame->m_name != frameName) continue;
      CImage* picture = frame->LastPicture();
      return picture != nullptr ? picture->GetPicView() : nullptr;
    }
    return nullptr;
  }

  // Where the hotspot of that name lies in the picture view's window; false
  // when the picture has none.
  static bool HotspotPoint(CPicView& view, const char* hotspot, LPARAM& at) {
    CRect label;
    for (int i = 0; i < HS_GetNumberOfHotspots(view.Hotspots()); ++i) {
      RECT rect{};
      CString* name = nullptr;
      CString* link = nullptr;
      BYTE mode = 0;
      if (HS_GetHotspot(view.Hotspots(), i, &rect, &name, &link, &mode) && *name == hotspot) label = rect;
    }
    if (label.IsRectEmpty()) return false;
    SIZE size{};
    view.GetImageSize(&size);
    const CSize shown = view.ScrollSize();
    const CPoint offset = view.CentringOffset();
    const CPoint centre = label.CenterPoint();
    at = MAKELPARAM(centre.x * shown.cx / size.cx + offset.x, centre.y * shown.cy / size.cy + offset.y);
    return true;
  }

  // A click on the label of a picture's hotspot, as the mouse makes it: the
  // pointer comes to rest on it, the left button goes down and up. Nothing
  // is dispatched after it.
  bool ClickHotspot(const char* frameName, const char* hotspot) {
    CPicView* view = PictureOf(frameName);
    LPARAM at = 0;
    if (view == nullptr || !HotspotPoint(*view, hotspot, at)) return false;
    ::SetActiveWindow(App().m_hMainWnd);
    view->SendMessage(WM_MOUSEMOVE, 0, at);
    view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    view->SendMessage(WM_LBUTTONUP, 0, at);
    return true;
  }

 private:
  layer::testing::TempFolder m_folder;
  std::filesystem::path m_previous;
  std::unique_ptr<catalogue::Installation> m_installation;
};

}  // namespace varno::testing
