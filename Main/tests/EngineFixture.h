// The program state with the engine's single objects, as the start-up makes
// them, put back to empty after each test.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "Main/CDynLog.h"
#include "Main/CErrorDlg.h"
#include "Main/CErrorTrace.h"
#include "Main/CWV4Db.h"
#include "Main/CWV4Globals.h"
#include "Main/CWV4Var.h"
#include "DdmTool.h"
#include "Main/KeyCommand.h"
#include "Main/tests/Bytes.h"
#include "Main/varno4.h"
#include "testing/TempFolder.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace varno::testing {

// An error dialog whose showing the test observes.
class RecordingErrorDlg : public CErrorDlg {
 public:
  INT_PTR DoModal() override {
    shown.emplace_back(static_cast<const char*>(m_short_text), static_cast<const char*>(m_detail_text));
    return 1;
  }
  std::vector<std::pair<std::string, std::string>> shown;
};

class EngineFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    theGlobals.m_pvar = new CWV4Var;
    theGlobals.m_pinterp = new CWV4Db;
    theGlobals.m_phistory = new CDynLog;
    dialog = new RecordingErrorDlg;
    theGlobals.m_perrdlg = dialog;
  }
  void TearDown() override {
    theGlobals.m_msgdud.DdmTextClose();
    theGlobals.m_datadud.DdmTextClose();
    theGlobals.m_datachdud.DdmTextClose();
    CErrorTrace::RemoveAll();
    delete theGlobals.m_pvar;
    delete theGlobals.m_pinterp;
    delete theGlobals.m_phistory;
    delete theGlobals.m_perrdlg;
    theGlobals.m_pvar = nullptr;
    theGlobals.m_pinterp = nullptr;
    theGlobals.m_phistory = nullptr;
    theGlobals.m_perrdlg = nullptr;
    theGlobals.m_tmpkey.Empty();
    theGlobals.m_cur_varbuf.Empty();
    theGlobals.m_internet_mode = 0;
  }

  // Builds a dictionary with the data manager's tool and opens it in table.
  void OpenTexts(DdmTextTable& table, const std::string& name, const std::string& source) {
    std::string error;
    const std::string path = dataFolder / name;
    ASSERT_TRUE(ddm::BuildDdmFile(source, name + ".txt", path, &error)) << error;
    ASSERT_TRUE(table.DdmTextOpen(path.c_str(), "D"));
  }

  CWV4Var& vars() { return *theGlobals.m_pvar; }
  CWV4Db& db() { return *theGlobals.m_pinterp; }

  RecordingErrorDlg* dialog = nullptr;
  layer::testing::TempFolder dataFolder;
};

using KeyCommands = std::vector<std::pair<WPARAM, std::string>>;

// A plain top-level window that stands for the viewer's main window.
inline HWND CreateTestMainWindow() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProc;
  windowClass.lpszClassName = "VarnoKeyTarget";
  RegisterClass(&windowClass);
  return CreateWindow("VarnoKeyTarget", "VARNO 4", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, nullptr,
                      nullptr);
}

// The key commands waiting in window's queue, each as flag and key.
inline KeyCommands TakeKeyCommandsOf(HWND window) {
  KeyCommands commands;
  MSG msg;
  while (PeekMessage(&msg, window, KeyCommandMessageId(), KeyCommandMessageId(), PM_REMOVE)) {
    commands.emplace_back(msg.wParam, static_cast<const char*>(TakeKeyCommandKey(msg.lParam)));
  }
  return commands;
}

// The engine with the application object and a main window that key commands
// are posted to.
class ShellFixture : public EngineFixture {
 protected:
  using KeyCommands = varno::testing::KeyCommands;

  void SetUp() override {
    EngineFixture::SetUp();
    app.m_hMainWnd = CreateTestMainWindow();
    theGlobals.m_papp = &app;
  }
  void TearDown() override {
    TakeKeyCommands();
    DestroyWindow(app.m_hMainWnd);
    theGlobals.m_papp = nullptr;
    EngineFixture::TearDown();
  }

  // The key commands waiting in the queue, each as flag and key.
  KeyCommands TakeKeyCommands() { return TakeKeyCommandsOf(app.m_hMainWnd); }

  CViewerApp app;
};

}  // namespace varno::testing
