// The viewer's where-used command from end to end: the sample catalogue's
// external-program entry starts the where-used program with an exchange
// block and waits; the program finds the viewer, the user searches (here a
// timer of the viewer presses OK on the program's search dialog, whose field
// shows the last search) and the single hit goes back; the viewer then sets
// the block's variable and shows the key.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "Main/CWV4ExtPrg.h"
#include "Main/tests/EngineFixture.h"
#include "foundation/CIniClass.h"
#include "ipc/CrossProcessWindows.h"
#include "win32/CrossProcess.h"
#include "win32/MessageBox.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace {

class WhereUsedFromTheViewer : public varno::testing::ShellFixture {
 protected:
  void SetUp() override {
    // The viewer reaches the program's windows, and the program the viewer's.
    static const bool joined = layer::ipc::StartCrossProcessWindows();
    ASSERT_TRUE(joined);
    ShellFixture::SetUp();
    // A copy of the program of its own, so that its user settings (beside
    // the program) are the test's.
    std::filesystem::copy_file(V4VNW_PROGRAM, program / "V4VNW");
    CIniClass ini;
    ini.WriteKey("VNW", "LAST", "rm-2003~RM-1*", (program / "v4vnw_user.ini").c_str(), 0);
    // The catalogue's own entry, with the program copy in place of the
    // installed one.
    std::ifstream in(std::string(VARNO_CATALOGUE_DIR) + "/extern.txt", std::ios::binary);
    std::string entry((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t command = entry.find(",\"-D");
    ASSERT_NE(command, std::string::npos) << entry;
    program.Write("extern.txt", "645:1:FOLDER+\"\\V4VNW.EXE\"" + entry.substr(command));
    list.Load((program / "extern.txt").c_str());
    vars().SetVar("FOLDER", VarValue::Text(program.Path().c_str()), VAR_CHAR);
    vars().SetVar("VARNO", VarValue::Text(VARNO_CATALOGUE_DIR), VAR_CHAR);
    vars().SetVar("PRGLANGUAGE", VarValue::Text("D"), VAR_CHAR);
    ShowWindow(app.m_hMainWnd, SW_SHOW);
  }

  std::string Variable(const char* name) {
    VarValue value;
    vars().GetVar(name, &value);
    return value.text.Std();
  }

  // While the viewer waits, it keeps handling its messages: the timer
  // presses OK on the search dialog once it is up.
  static void PressOk(HWND, UINT, UINT_PTR, DWORD) {
    HWND search = FindWindow(nullptr, "Verwendungsnachweis");
    if (search != nullptr && IsWindowVisible(search)) PostMessage(search, WM_COMMAND, IDOK, 0);
  }

  layer::testing::TempFolder program;
  CExtPrg list;
};

TEST_F(WhereUsedFromTheViewer, ThePickedKeyIsShownWithTheBlockTextSet) {
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, &PressOk);
  DWORD pid = 0;
  ASSERT_TRUE(list.Run(645, TRUE, nullptr, &pid)) << theGlobals.m_error_trace_newest->error_code;
  KillTimer(nullptr, timer);
  EXPECT_EQ(Variable("bl"), "Motor");
  EXPECT_EQ(TakeKeyCommands(), (KeyCommands{{1, "MOT"}}));
  CIniClass ini;
  CString history;
  ini.ReadKey("VNW", "LAST", "", history, (program / "v4vnw_user.ini").c_str(), 0);
  EXPECT_STREQ(history, "rm-2003~RM-1*");
}

}  // namespace
