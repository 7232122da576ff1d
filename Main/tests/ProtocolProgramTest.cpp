// The channel to a started order-list program in a process of its own.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "Main/CConfirmListDlg.h"
#include "Main/CWV4ExtPrg.h"
#include "Main/tests/EngineFixture.h"
#include "foundation/CIniClass.h"
#include "interfaces/ProtocolCommands.h"
#include "ipc/CrossProcessWindows.h"
#include "win32/CrossProcess.h"
#include "win32/MessageBox.h"
#include "win32/Process.h"

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

namespace {

CDynBuf Block(const std::string& bytes) {
  CDynBuf block;
  block.Append(bytes.data(), static_cast<int>(bytes.size()));
  return block;
}

// The user's choice in the confirmation list, without the dialog.
class ChoosingViewer : public CViewerApp {
 public:
  INT_PTR RunConfirmList(CConfirmListDlg& dialog) override {
    shownRows = std::string(static_cast<const char*>(*dialog.m_display), dialog.m_display->GetLength());
    if (answer == IDOK) CConfirmListDlg::KeepChosenRows(*dialog.m_data, chosen);
    return answer;
  }
  INT_PTR answer = IDOK;
  std::vector<bool> chosen;
  std::string shownRows;
};

class ProtocolProgramTest : public varno::testing::EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    ASSERT_TRUE(layer::ipc::StartCrossProcessWindows());
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProc;
    windowClass.lpszClassName = "VarnoViewerFrame";
    RegisterClass(&windowClass);
    app.m_hMainWnd = CreateWindow("VarnoViewerFrame", "VARNO 4", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100,
                                  nullptr, nullptr, nullptr, nullptr);
    theGlobals.m_papp = &app;
    theGlobals.m_pini = new CIniClass;
    theGlobals.m_pextprg = new CExtPrg;
    folder.Write("extern.txt", "7:0:\"orderlist_standin.exe\",\r\n8:0:\"no_such_program.exe\",\r\n");
    theGlobals.m_pextprg->Load((folder / "extern.txt").c_str());
    theGlobals.m_main_prj_file = (folder / "varno4.ini").c_str();
    theGlobals.m_language = "DE";
    theGlobals.m_prg_language = "EN";
    setenv("VARNO_ORDERLIST_LOG", (folder / "orderlist.log").c_str(), 1);
  }
  void TearDown() override {
    if (app.m_prot_pid != 0 && (app.m_prot_found || app.FindProtocolWindow())) {
      DWORD_PTR ignored = 0;
      SendMessageTimeout(app.m_prot_wnd, RegisterWindowMessage(VARNO4_PROTOCOL_COMMAND_NAME), PROTOCOL_CMD_CLOSE, 0,
                         SMTO_NORMAL, 2000, &ignored);
    }
    WaitForEnd(app.m_prot_pid);
    DestroyWindow(app.m_hMainWnd);
    theGlobals.m_papp = nullptr;
    delete theGlobals.m_pini;
    delete theGlobals.m_pextprg;
    theGlobals.m_pini = nullptr;
    theGlobals.m_pextprg = nullptr;
    theGlobals.m_main_prj_file.Empty();
    theGlobals.m_teilestamm.Empty();
    theGlobals.m_duden.Empty();
    theGlobals.m_chduden.Empty();
    unsetenv("VARNO_ORDERLIST_LOG");
    unsetenv("VARNO_ORDERLIST_START_DELAY");
    EngineFixture::TearDown();
  }

  static void WaitForEnd(DWORD processId) {
    HANDLE process = processId ? OpenProcess(SYNCHRONIZE, FALSE, processId) : nullptr;
    if (process == nullptr) return;
    WaitForSingleObject(process, 10000);
    CloseHandle(process);
  }
  bool StartAndWait() {
    if (!app.StartProtocol()) return false;
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, app.m_prot_pid);
    WaitForInputIdle(process, 10000);
    CloseHandle(process);
    return true;
  }
  // Ends the program through the channel and gives its log.
  std::vector<std::string> CloseAndReadLog() {
    if (!app.m_prot_found) app.FindProtocolWindow();
    DWORD_PTR ignored = 0;
    SendMessageTimeout(app.m_prot_wnd, RegisterWindowMessage(VARNO4_PROTOCOL_COMMAND_NAME), PROTOCOL_CMD_CLOSE, 0,
                       SMTO_NORMAL, 2000, &ignored);
    WaitForEnd(app.m_prot_pid);
    std::vector<std::string> lines;
    std::istringstream in(folder.Read("orderlist.log"));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  ChoosingViewer app;
  layer::testing::TempFolder folder;
};

struct StartCase {
  const char* name;
  const char* ini;
  int error;
};

class ProtocolStartFailure : public ProtocolProgramTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(ProtocolStartFailure, LeavesItsErrorForTheCaller) {
  if (GetParam().ini != nullptr) folder.Write("varno4.ini", GetParam().ini);
  EXPECT_FALSE(app.StartProtocol());
  // The start's own entry is the oldest; a failed run leaves its reason above it.
  ASSERT_NE(theGlobals.m_error_trace_oldest, nullptr);
  EXPECT_EQ(theGlobals.m_error_trace_oldest->error_code, GetParam().error);
  EXPECT_EQ(app.m_prot_pid, 0u);
  EXPECT_TRUE(dialog->shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, ProtocolStartFailure,
                         ::testing::Values(StartCase{"NoIniFile", nullptr, 413},
                                           StartCase{"NoProtocolKey", "[SYSTEM]\r\nExtern=x\r\n", 414},
                                           StartCase{"EmptyProtocolKey", "[SYSTEM]\r\nProtocol=\r\n", 414},
                                           StartCase{"NumberNotInTheList", "[SYSTEM]\r\nProtocol=3\r\n", 415},
                                           StartCase{"ProgramDoesNotStart", "[SYSTEM]\r\nProtocol=8\r\n", 415}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProtocolProgramTest, StartedProgramIsFoundAndReceivesTheCommandsBytes) {
  folder.Write("varno4.ini", "[SYSTEM]\r\nProtocol=7\r\n");
  theGlobals.m_teilestamm = "C:\\CAT\\PARTS.ddm";
  ASSERT_TRUE(StartAndWait());
  CDynBuf language = Block(std::string("EN\0", 3));
  CDynBuf dictionaries = Block(std::string("A.ddm\0B.ddm\0", 12));
  CDynBuf dataLanguage = Block(std::string("DE\0", 3));
  CDynBuf parts = Block(std::string("P.ddm\0", 6));
  EXPECT_EQ(app.SendProtocolData(PROTOCOL_CMD_PROGRAM_LANGUAGE, &language), 1);
  EXPECT_TRUE(app.m_prot_found);
  EXPECT_EQ(app.SendProtocolData(PROTOCOL_CMD_DICTIONARIES, &dictionaries), 1);
  EXPECT_EQ(app.SendProtocolData(PROTOCOL_CMD_DATA_LANGUAGE, &dataLanguage), 1);
  EXPECT_EQ(app.SendProtocolData(PROTOCOL_CMD_PARTS_DATABASE, &parts), 1);
  // One row goes without asking, its list's closing byte dropped.
  CDynBuf one = Block(std::string("K1\0" "2\0" "\0" "\0", 7));
  app.SendPartsToProtocol(1, 2, nullptr, nullptr, &one, TRUE);
  CDynBuf info = Block(std::string("K2\0" "1\0" "\0" "\0", 7));
  app.SendPartsToProtocol(1, 2, nullptr, nullptr, &info, FALSE);

  std::vector<std::string> log = CloseAndReadLog();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front(), "start  -DL DE -PL EN -TS 'C:\\CAT\\PARTS.ddm'");
  for (const char* line : {"copy 7 454E00 1", "copy 18 412E64646D00422E64646D00 1", "copy 19 444500 1",
                           "copy 20 502E64646D00 1", "copy 6 4B3100320000 1", "copy 4 4B3200310000 1", "post 8 1",
                           "post 1 0"})
    EXPECT_THAT(log, Contains(std::string(line)));
  EXPECT_TRUE(dialog->shown.empty());
}

TEST_F(ProtocolProgramTest, OrderListThatEndedIsStartedAgainAndGetsTheNextPart) {
  folder.Write("varno4.ini", "[SYSTEM]\r\nProtocol=7\r\n");
  ASSERT_TRUE(StartAndWait());
  CDynBuf first = Block(std::string("K1\0" "\0" "\0", 5));
  app.SendPartsToProtocol(1, 1, nullptr, nullptr, &first, TRUE);
  const DWORD firstPid = app.m_prot_pid;
  CloseAndReadLog();

  CDynBuf second = Block(std::string("K2\0" "\0" "\0", 5));
  app.SendPartsToProtocol(1, 1, nullptr, nullptr, &second, TRUE);
  EXPECT_NE(app.m_prot_pid, firstPid);
  std::vector<std::string> log = CloseAndReadLog();
  ASSERT_EQ(log.size(), 8u);
  EXPECT_EQ(log[4], "start  -DL DE -PL EN");
  EXPECT_THAT(log, UnorderedElementsAre("start  -DL DE -PL EN", "copy 6 4B310000 1", "post 8 1", "post 1 0",
                                        "start  -DL DE -PL EN", "copy 6 4B320000 1", "post 8 1", "post 1 0"));
  EXPECT_TRUE(dialog->shown.empty());  // no error: the order arrived
}

// On a busy machine the order-list program may still be starting when the
// first command goes out: the command waits for it instead of reporting a
// missing window.
TEST_F(ProtocolProgramTest, ACommandWaitsForAnOrderListThatIsStillStarting) {
  folder.Write("varno4.ini", "[SYSTEM]\r\nProtocol=7\r\n");
  setenv("VARNO_ORDERLIST_START_DELAY", "300", 1);
  ASSERT_TRUE(app.StartProtocol());
  CDynBuf language = Block(std::string("EN\0", 3));
  EXPECT_EQ(app.SendProtocolData(PROTOCOL_CMD_PROGRAM_LANGUAGE, &language), 1);
  EXPECT_TRUE(dialog->shown.empty()) << dialog->shown.front().second;
  EXPECT_THAT(CloseAndReadLog(), Contains(std::string("copy 7 454E00 1")));
}

struct ConfirmCase {
  const char* name;
  INT_PTR answer;
  std::vector<bool> chosen;
  const char* sent;  // hex of the sent block, "" when nothing is sent
};

class ProtocolConfirmation : public ProtocolProgramTest, public ::testing::WithParamInterface<ConfirmCase> {};

TEST_P(ProtocolConfirmation, OnlyTheChosenRowsAreOrdered) {
  folder.Write("varno4.ini", "[SYSTEM]\r\nProtocol=7\r\n");
  ASSERT_TRUE(StartAndWait());
  app.answer = GetParam().answer;
  app.chosen = GetParam().chosen;
  CDynBuf titles = Block(std::string("Nr\0Teil\0", 8));
  CDynBuf display = Block(std::string("1\0A\0" "2\0B\0" "3\0C\0" "\0", 13));
  CDynBuf lines = Block(std::string("A\0" "1\0" "\0" "B\0" "2\0" "\0" "C\0" "3\0" "\0" "\0", 16));
  app.SendPartsToProtocol(3, 2, &titles, &display, &lines, TRUE);
  EXPECT_EQ(app.shownRows, std::string(static_cast<const char*>(display), display.GetLength()));
  std::vector<std::string> log = CloseAndReadLog();
  std::vector<std::string> copies;
  for (const std::string& line : log)
    if (line.rfind("copy ", 0) == 0) copies.push_back(line);
  if (*GetParam().sent == '\0') EXPECT_TRUE(copies.empty());
  else EXPECT_THAT(copies, ElementsAre(std::string("copy 6 ") + GetParam().sent + " 1"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProtocolConfirmation,
    ::testing::Values(ConfirmCase{"FirstAndLast", IDOK, {true, false, true}, "410031004300330000"},
                      ConfirmCase{"Middle", IDOK, {false, true, false}, "4200320000"},
                      ConfirmCase{"NoneChosen", IDOK, {false, false, false}, ""},
                      ConfirmCase{"Cancelled", IDCANCEL, {true, true, true}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
