#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "Main/CMultiFrame.h"
#include "Main/tests/CatalogueFixture.h"
#include "Main/varno4.h"
#include "win32/Clock.h"
#include "win32/ComputerName.h"
#include "win32/UserMessages.h"
#include "win32/UserTypes.h"
#include "win32/UserWindows.h"

using varno::testing::Str;

namespace {

class DumpTest : public varno::testing::CatalogueFixture {
 protected:
  std::string ReadBack() {
    std::ifstream file(dataFolder / "globals.dmp", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(file)), {});
    CWV4Globals::ScrambleDump(reinterpret_cast<unsigned char*>(bytes.data()), static_cast<int>(bytes.size()));
    return bytes;
  }
};

TEST_F(DumpTest, DescramblesToTheStateText) {
  layer::ManualClock clock;
  SYSTEMTIME now{2026, 12, 4, 10, 9, 5, 7, 0};
  clock.SetLocalTime(now);
  layer::ScopedClock scoped(clock);
  CViewerApp app;
  app.m_win_version = 4;
  app.m_os_version.dwMajorVersion = 5;
  app.m_os_version.dwBuildNumber = 2195;
  app.m_os_version.dwPlatformId = 2;
  std::snprintf(app.m_os_version.szCSDVersion, sizeof app.m_os_version.szCSDVersion, "Service Pack 4");
  theGlobals.m_papp = &app;
  theGlobals.m_app_dir = "C:\\VARNO";
  theGlobals.m_varno_ver = 262145;
  // Other tests leave the program state as they changed it.
  theGlobals.m_lang_data_num = theGlobals.m_lang_prg_num = 0;
  theGlobals.m_ignore_rules = FALSE;
  theGlobals.m_FirstStart = FALSE;
  theGlobals.m_WaitFirstStart = -1;
  theGlobals.m_cur_key_name.Empty();
  theGlobals.m_pdb = nullptr;
  theGlobals.m_pstamm = theGlobals.m_pstamm2 = nullptr;
  theGlobals.m_cur_prj = "demo";
  vars().SetVar("Stufe", VarValue::Long(3), VAR_LONG);
  theGlobals.Dump((dataFolder / "globals.dmp").c_str());
  const std::string text = ReadBack();
  char computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = sizeof computer;
  GetComputerName(computer, &size);
  const std::string head = std::string("10.12.2026   09:05:07\r\n") + computer +
                           "\r\nWin 2000 :\r\n\tBuildNumber : 2195\r\n\tMajorVersion : 5\r\n\tMinorVersion : 0\r\n"
                           "\tPlatformId : 2\r\n\tCSDVersion : Service Pack 4\r\n\r\nm_pdb : 00000000\r\n"
                           "m_varno_ver : 00040001\r\nm_app_dir : C:\\VARNO\r\n";
  EXPECT_EQ(text.substr(0, head.size()), head);
  EXPECT_NE(text.find("m_pstamm : 00000000\r\nm_pstamm2 : 00000000\r\nm_dummy_pic"), std::string::npos);
  EXPECT_NE(text.find("m_cur_prj : demo\r\nm_cur_key_name : \r\n"), std::string::npos);
  EXPECT_NE(text.find("m_lang_data_num : 0\r\nm_lang_prg_num : 0\r\nm_ignore_rules : FALSE\r\n"), std::string::npos);
  EXPECT_NE(text.find("m_def_break_charset :: -.!?,;::\r\n"), std::string::npos);
  EXPECT_NE(text.find("m_hotspot_key_char : ?\r\nm_FirstStart : FALSE\r\nm_WaitFirstStart : -1\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("\r\nVariablen\r\nStufe"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 16), "\r\n*** Ende ***\r\n");
  theGlobals.m_papp = nullptr;
}

TEST_F(DumpTest, ScrambledByPositionAndUnknownVersionsHaveNoName) {
  theGlobals.Dump((dataFolder / "globals.dmp").c_str());
  std::ifstream file(dataFolder / "globals.dmp", std::ios::binary);
  const std::string raw((std::istreambuf_iterator<char>(file)), {});
  const std::string text = ReadBack();
  ASSERT_EQ(raw.size(), text.size());
  ASSERT_GT(text.size(), 600U);
  // The key of a position is the scramble of a zero byte there; it repeats every 256 bytes.
  std::string zeros(512, '\0');
  CWV4Globals::ScrambleDump(reinterpret_cast<unsigned char*>(zeros.data()), 512);
  EXPECT_EQ(zeros.substr(0, 256), zeros.substr(256));
  for (size_t i = 0; i < 512; ++i) EXPECT_EQ(static_cast<char>(raw[i] ^ text[i]), zeros[i]) << i;
  EXPECT_NE(raw.substr(0, 64), text.substr(0, 64));
  EXPECT_EQ(text.find("Win "), std::string::npos);  // no application: version code 0
  EXPECT_NE(text.find("\tBuildNumber : 0\r\n"), std::string::npos);
}

// Ctrl+Shift+G pressed in a frame window; Alt held as well does not matter.
TEST_F(DumpTest, CtrlShiftGInAFrameWindowWritesItIntoTheUsersFolder) {
  struct Case {
    bool control, shift, alt;
    UINT key;
    bool dumped;
  };
  const Case cases[] = {
      {true, true, false, 'G', true},  {true, true, true, 'G', true},    {true, false, false, 'G', false},
      {false, true, false, 'G', false}, {true, true, false, 'H', false},
  };
  theGlobals.m_user_file_path = dataFolder.Path().c_str();
  theGlobals.m_cur_prj = "demo";
  auto* frame = new CMultiFrame;
  ASSERT_TRUE(frame->Create(nullptr, "VARNO 4"));
  for (const Case& c : cases) {
    std::remove((dataFolder / "globals.dmp").c_str());
    layer::SetKeyDown(VK_CONTROL, c.control);
    layer::SetKeyDown(VK_SHIFT, c.shift);
    layer::SetKeyDown(VK_MENU, c.alt);
    SendMessage(frame->m_hWnd, WM_KEYDOWN, c.key, 1);
    const std::string text = ReadBack();
    EXPECT_EQ(!text.empty(), c.dumped) << c.key << c.control << c.shift;
    if (c.dumped) EXPECT_NE(text.find("m_cur_prj : demo\r\n"), std::string::npos);
  }
  for (int key : {VK_CONTROL, VK_SHIFT, VK_MENU}) layer::SetKeyDown(key, false);
  frame->DestroyWindow();  // the frame deletes itself
  theGlobals.m_user_file_path.Empty();
  theGlobals.m_cur_prj.Empty();
}

}  // namespace
