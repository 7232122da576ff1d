// The pieces of the viewer's start that need no frame window.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "Main/CLogFile.h"
#include "Main/tests/EngineFixture.h"
#include "Main/CProcessInfo32.h"
#include "testing/WaitingProgram.h"
#include "win32/Files.h"
#include "win32/Paths.h"
#include "win32/Process.h"
#include "win32/ProcessTable.h"
#include "win32/SystemInfo.h"

namespace fs = std::filesystem;

namespace {

TEST(ViewerStart, OperatingSystemKinds) {
  struct Case {
    DWORD platform, major, minor;
    int kind;
  };
  for (const Case& c : {Case{VER_PLATFORM_WIN32_NT, 4, 0, 3}, Case{VER_PLATFORM_WIN32_NT, 5, 1, 4},
                        Case{1, 4, 0, 1}, Case{1, 4, 10, 2}, Case{1, 4, 90, 5}}) {
    OSVERSIONINFO version{};
    version.dwPlatformId = c.platform;
    version.dwMajorVersion = c.major;
    version.dwMinorVersion = c.minor;
    EXPECT_EQ(CViewerApp::OperatingSystemKind(version), c.kind) << c.platform << " " << c.major << "." << c.minor;
  }
}

TEST(ViewerStart, DataManagerVersionsAccepted) {
  struct Case {
    DWORD version;
    bool fits;
  };
  for (const Case& c : {Case{0x01020046, false}, Case{0x01020047, true}, Case{0x01020100, true},
                        Case{0x01030047, false}, Case{0x00000047, false}})
    EXPECT_EQ(CViewerApp::DataManagerVersionFits(c.version) != FALSE, c.fits) << std::hex << c.version;
  EXPECT_TRUE(CViewerApp::DataManagerVersionFits(DdmGetVersion()));  // the one the viewer is built with
}

TEST(ViewerStart, PdfProgramFromTheOpenCommand) {
  struct Case {
    const char* command;
    const char* program;  // null: none
  };
  for (const Case& c : {Case{"\"C:\\Programme\\Acrobat\\AcroRd32.exe\" \"%1\"", "C:\\Programme\\Acrobat\\AcroRd32.exe"},
                        Case{"\t\tC:\\Acrobat\\AcroRd32.exe %1", "C:\\Acrobat\\AcroRd32.exe"},
                        Case{"\"C:\\Leser \"", "C:\\Leser"},
                        Case{"C:\\Acrobat\\AcroRd32.exe", nullptr}, Case{"\"C:\\ohne Ende", nullptr},
                        Case{"", nullptr}}) {
    CString program = "unchanged";
    EXPECT_EQ(CViewerApp::PdfProgramOf(c.command, program) != FALSE, c.program != nullptr) << c.command;
    EXPECT_STREQ(program, c.program != nullptr ? c.program : "unchanged") << c.command;
  }
}

class UserFoldersTest : public varno::testing::ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    layer::SetDriveFolder('C', drive.Path());
    theGlobals.m_app_dir = app_dir.Path().c_str();
  }
  void TearDown() override {
    delete theGlobals.m_plogfile;
    theGlobals.m_plogfile = nullptr;
    layer::SetDriveFolder('C', "");
    for (CString* text : {&theGlobals.m_app_dir, &theGlobals.m_user_file_path, &theGlobals.m_main_user_ini,
                          &theGlobals.m_user_temp_print_path, &theGlobals.m_user_page_def_path, &theGlobals.m_fpiinifile})
      text->Empty();
    theGlobals.m_is_terminal_server = FALSE;
    ShellFixture::TearDown();
  }
  layer::testing::TempFolder drive;
  layer::testing::TempFolder app_dir;
};

TEST_F(UserFoldersTest, PlainMachineKeepsTheUsersFilesInTheProgramFolder) {
  app.SetUpUserFolders(FALSE);
  const std::string folder = app_dir.Path();
  EXPECT_EQ(std::string(theGlobals.m_user_file_path), folder);
  EXPECT_EQ(std::string(theGlobals.m_main_user_ini), folder + "\\varno4_user.ini");
  EXPECT_EQ(std::string(theGlobals.m_fpiinifile), folder + "\\V4FPIini.ini");
  EXPECT_EQ(std::string(app.m_answer_dir), folder + "\\answer\\");
  EXPECT_FALSE(theGlobals.m_is_terminal_server);
  ASSERT_NE(theGlobals.m_plogfile, nullptr);
}

struct TerminalCase {
  const char* name;
  const char* ini;
  const char* userFolder;
};

class TerminalServerFolders : public UserFoldersTest, public ::testing::WithParamInterface<TerminalCase> {};

TEST_P(TerminalServerFolders, EachUserGetsFoldersOfHisOwn) {
  if (*GetParam().ini) app_dir.Write("Varno4TS.ini", GetParam().ini);
  app.SetUpUserFolders(TRUE);
  EXPECT_STREQ(theGlobals.m_user_file_path, GetParam().userFolder);
  EXPECT_EQ(std::string(theGlobals.m_main_user_ini), std::string(GetParam().userFolder) + "\\varno4_user.ini");
  EXPECT_EQ(std::string(theGlobals.m_user_temp_print_path), std::string(GetParam().userFolder) + "\\temp\\");
  EXPECT_TRUE(fs::is_directory(layer::HostPath(std::string(GetParam().userFolder) + "\\temp")));
  EXPECT_TRUE(theGlobals.m_is_terminal_server);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, TerminalServerFolders,
    ::testing::Values(TerminalCase{"NoIni", "", "C:\\VARNO4_CT\\TS"},
                      TerminalCase{"EmptyDriveNoApp", "[Client]\r\nDrive=\r\n", "C:\\VARNO4_CT\\TS"},
                      TerminalCase{"OwnApp", "[client]\r\ndrive=C\r\napp=Werk2\r\n", "C:\\VARNO4_CT\\Werk2"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(UserFoldersTest, NoRunningCopyNoHandOver) { EXPECT_FALSE(app.BringRunningCopyForward()); }

// A copy of the program file counts only on the same display and in the same
// space; a program that sleeps stands for the copy.
TEST(ViewerStart, RunningCopyIsTheSameProgramInTheSameSession) {
  const char* named = std::getenv("VARNO_IPC_SPACE");
  const std::string space = "VARNO_IPC_SPACE=" + layer::SpaceOfProcess(named ? named : "", GetCurrentProcessId());
  const char* shown = std::getenv("DISPLAY");
  const std::string display = std::string("DISPLAY=") + (shown ? shown : "");
  struct Case {
    const char* name;
    std::vector<std::string> variables;
    bool sameProgram;
    bool copy;
  } cases[] = {
      {"same program, display and space", {space, display}, true, true},
      {"another program", {space, display}, false, false},
      {"another space", {"VARNO_IPC_SPACE=elsewhere", display}, true, false},
      {"another display", {space, display + "9"}, true, false},
  };
  for (const Case& c : cases) {
    layer::testing::WaitingProgram program(c.variables);
    ASSERT_NE(program.Id(), 0u) << c.name;
    ProcessRecord record;
    record.processId = program.Id();
    const std::string path = layer::SystemPath(program.Program());
    std::snprintf(record.program, sizeof record.program, "%s", path.c_str());
    const std::string own = c.sameProgram ? path : path + "2";
    EXPECT_EQ(CViewerApp::IsRunningCopy(record, own.c_str()) != FALSE, c.copy) << c.name;
  }
  ProcessRecord self;
  self.processId = GetCurrentProcessId();
  EXPECT_FALSE(CViewerApp::IsRunningCopy(self, self.program)) << "this process itself";
}

}  // namespace
