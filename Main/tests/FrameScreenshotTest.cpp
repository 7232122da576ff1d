// The main frame with the sample catalogue's toolbar buttons, a menu bar
// from a menu file, the status panes and a face of two frames, for a look
// with one's own eyes. Only with VARNO_SCREENSHOT_DIR naming a folder:
//   xvfb-run -a env QT_QPA_PLATFORM=xcb VARNO_SCREENSHOT_DIR=dir varno4_frame_tests --gtest_filter='*Screenshot*'
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "Main/CFace.h"
#include "Main/tests/FaceFixture.h"
#include "Main/tests/FrameFixture.h"
#include "Main/tests/FrameWindowFixture.h"
#include "qt/Screenshot.h"
#include "win32/UserMessages.h"

namespace {

class FrameScreenshotTest : public varno::testing::FrameWindowFixture {
 protected:
  void SetUp() override {
    const char* dir = std::getenv("VARNO_SCREENSHOT_DIR");
    if (dir == nullptr) GTEST_SKIP() << "VARNO_SCREENSHOT_DIR names no folder";
    folderOut = dir;
    FrameWindowFixture::SetUp();
  }

  std::string folderOut;
};

TEST_F(FrameScreenshotTest, MainFrameWithToolbarMenuStatusAndFace) {
  const std::string catalogue = VARNO_CATALOGUE_DIR;
  auto button = [&](int command, const char* file, int flags = 0, BOOL down = FALSE) {
    varno::testing::ButtonSpec spec{command, flags, down};
    spec.image = file;
    return spec;
  };
  for (const char* file : {"home", "back", "chapter", "left", "right", "raster", "rtext", "print", "close"}) {
    const std::string name = std::string(file) + ".bmp";
    dataFolder.Write(name, [&] {
      std::ifstream in(catalogue + "/" + name, std::ios::binary);
      return std::string(std::istreambuf_iterator<char>(in), {});
    }());
  }
  Fill(app.m_buttons_frm, {button(304, "home.bmp"), button(305, "back.bmp"), button(315, "chapter.bmp"), {0},
                           button(302, "left.bmp"), button(303, "right.bmp"), {0},
                           button(300, "raster.bmp", 1, TRUE), button(301, "rtext.bmp", 1), {0},
                           button(320, "print.bmp"), button(311, "close.bmp")});
  dataFolder.Write("menue.ini",
                   "[MAIN]\r\n1200=[FILE]\r\n1400=[VIEW]\r\n[FILE]\r\n1201=320,1301\r\n1202=0\r\n1203=311,1303\r\n"
                   "[VIEW]\r\n1400=302,0\r\n");
  theGlobals.m_window_size[0] = 720;
  theGlobals.m_window_size[1] = 480;
  theGlobals.m_window_pos[0] = theGlobals.m_window_pos[1] = 0;
  CreateBoth();
  app.CompleteStart();
  theGlobals.m_leftneighbour = "LINKS";
  theGlobals.m_cur_prj_name = "Rasenm\xE4her RM46";
  theGlobals.m_cur_key_name = "Startseite";
  theGlobals.m_cur_prj = "rm46";
  theGlobals.m_cur_prj_key = "START";
  theGlobals.m_prg_language = "D";
  theGlobals.m_language = "GB";
  const std::string layout = varno::testing::LayoutStream().Rows("60,*").Frame("Kopf").Frame("Text").End().Bytes();
  theGlobals.m_act_key_buf = varno::testing::Buf(
      layout + varno::testing::FrameDef("Kopf").Tag(34).Content("Rasenm\xE4her RM46").Tag(35).Bytes() +
      varno::testing::FrameDef("Text").Tag(34).Content("Ersatzteilkatalog").Tag(35).Bytes() + std::string("\0\0", 2));
  ASSERT_TRUE(app.ShowFace());
  main->UpdateTitle();
  main->SetPaneText(0, "Druckt die Seite");
  CFrameWnd::UpdateFramesAtIdle();
  layer::PumpUntilIdle();
  EXPECT_TRUE(layer::SaveWindowPng(main->m_hWnd, folderOut + "/main-frame.png"));
  theGlobals.m_act_key_buf.Empty();
  theGlobals.m_leftneighbour.Empty();
}

}  // namespace
