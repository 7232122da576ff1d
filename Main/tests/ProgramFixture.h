// The viewer started on a copy of the sample catalogue as the program runs
// it (the catalogue folder is the current folder), with its real frame
// windows, and driven by the messages a user's input leaves.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "CatalogueInstallation.h"
#include "Main/CFace.h"
#include "Main/CFrame.h"
#include "Main/CLogFile.h"
#include "Main/CMainFrame.h"
#include "Main/CShiftScrollView.h"
#include "Main/CTablePart.h"
#include "Main/CWV4Globals.h"
#include "Main/KeyCommand.h"
#include "Main/tests/EngineFixture.h"
#include "foundation/CIniClass.h"
#include "testing/TempFolder.h"
#include "win32/Clock.h"
#include "win32/MessageBox.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace varno::testing {

class ProgramFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy(VARNO_CATALOGUE_DIR, folder.Path(), std::filesystem::copy_options::recursive);
    previousFolder = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    installation = std::make_unique<catalogue::Installation>(folder.Path(), folder.Path());
    // The window's place of an earlier start is not this user's.
    theGlobals.m_window_size[0] = theGlobals.m_window_size[1] = -1;
    theGlobals.m_window_maximized = FALSE;
    delete theGlobals.m_perrdlg;
    errors = new RecordingErrorDlg;
    theGlobals.m_perrdlg = errors;
    previousPresenter = layer::SetMessageBoxPresenter([this](HWND, const char* text, const char*, UINT) {
      boxes.emplace_back(text);
      return IDOK;
    });
  }

  void TearDown() override {
    CViewerApp& viewer = App();
    for (HWND window : {viewer.m_hPopupWnd, viewer.m_hMainWnd})
      if (window != nullptr && IsWindow(window)) DestroyWindow(window);
    layer::PumpUntilIdle();
    viewer.m_pMainWnd = nullptr;
    layer::SetMessageBoxPresenter(previousPresenter);
    CWV4Globals& g = theGlobals;
    g.m_FirstStart = FALSE;
    g.m_internet_mode = 0;
    g.m_key_firststart.Empty();
    g.m_cur_prj_key.Empty();
    delete g.m_plogfile;
    g.m_plogfile = nullptr;
    installation.reset();
    std::filesystem::current_path(previousFolder);
  }

  CViewerApp& App() { return installation->app; }
  CMainFrame& Main() { return *dynamic_cast<CMainFrame*>(App().m_pMainWnd); }

  // Writes an entry of the copy's main ini.
  void SetMainIni(const char* section, const char* key, const char* value) {
    CIniClass ini;
    ini.WriteKey(section, key, value, CString(folder.Path().c_str()) + "\\varno4.ini", 0);
  }

  // The start, then every message it left: the home command, the first key
  // command that completes the start, the start key's face.
  bool Start() {
    if (!App().InitInstance()) return false;
    if (dynamic_cast<CMainFrame*>(App().m_pMainWnd) == nullptr) return false;
    Settle();
    return true;
  }

  // Every message that waits is handled and the windows are painted, as they
  // are on the screen before the user's next move; the frames lay out their
  // tables when they are first painted.
  void Settle() {
    layer::PumpUntilIdle();
    for (HWND window : {App().m_hMainWnd, App().m_hPopupWnd})
      if (window != nullptr && IsWindowVisible(window))
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    layer::PumpUntilIdle();
  }

  // A command from a menu, a button or an accelerator of the main frame.
  void Command(UINT id) {
    Main().SendMessage(WM_COMMAND, id, 0);
    Settle();
  }

  std::string ShownKey() const { return static_cast<const char*>(theGlobals.m_cur_prj_key); }

  CFace& Face() { return *Main().GetFace(); }
  CFrame* Frame(const char* name) {
    for (const auto& frame : Face().m_frames)
      if (frame->m_name == name) return frame.get();
    return nullptr;
  }

  // The view that shows the body of the frame's table, and one of its cells.
  struct TableCell {
    CShiftScrollView* view = nullptr;
    CPoint centre;
  };
  TableCell BodyCell(const char* frameName, int row, int column) {
    TableCell cell;
    CFrame* frame = Frame(frameName);
    if (frame == nullptr) return cell;
    const auto body = std::find_if(frame->m_children.begin(), frame->m_children.end(),
                                   [](const FrameChild& child) { return child.kind == CHILD_BODY_TABLE; });
    if (body == frame->m_children.end() || body->Part()->Cell(row, column) == nullptr) return cell;
    // A table that fits is drawn in its frame's own view, slot 0.
    FrameView* view = nullptr;
    if (!frame->GetView(std::max(body->view_slot, 0), view)) return cell;
    cell.view = dynamic_cast<CShiftScrollView*>(view);
    cell.centre = body->Part()->Cell(row, column)->m_rect.CenterPoint();
    return cell;
  }

  // A click as the user makes it: the window's frame comes to the front, the
  // pointer comes, the button goes down and up.
  void Click(CWnd& window, CPoint at) {
    ::SetActiveWindow(window.GetTopLevelFrame()->m_hWnd);
    const LPARAM where = MAKELPARAM(at.x, at.y);
    window.SendMessage(WM_MOUSEMOVE, 0, where);
    window.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, where);
    window.SendMessage(WM_LBUTTONUP, 0, where);
    Settle();
  }

  // The start page's row of the motor leads to its assembly.
  bool ClickThroughToTheMotor() {
    const TableCell motor = BodyCell("Uebersicht", 2, 1);
    if (motor.view == nullptr) return false;
    Click(*motor.view, motor.centre);
    return ShownKey() == "MOT";
  }

  std::string ErrorsShown() const {
    std::string all;
    for (const auto& [text, detail] : errors->shown) all += text + " / " + detail + "\n";
    return all;
  }

  // The start's pauses (an ini file that is not there yet is tried again)
  // pass on this clock, not on the wall clock.
  layer::ManualClock clock;
  layer::ScopedClock scopedClock{clock};
  layer::testing::TempFolder folder;
  std::filesystem::path previousFolder;
  std::unique_ptr<catalogue::Installation> installation;
  RecordingErrorDlg* errors = nullptr;
  std::vector<std::string> boxes;
  layer::MessageBoxPresenter previousPresenter;
};

}  // namespace varno::testing
