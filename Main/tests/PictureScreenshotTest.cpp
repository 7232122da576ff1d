// Pictures of picture views for a look with one's own eyes: the sample
// catalogue's exploded view whole, zoomed to a dragged rectangle with a part's
// hotspot shown as the current one, and its line drawing with the labels.
// Only with VARNO_SCREENSHOT_DIR naming a folder, under Xvfb:
//   xvfb-run -a env QT_QPA_PLATFORM=xcb VARNO_SCREENSHOT_DIR=dir varno4core_window_tests --gtest_filter='*Screenshot*'
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "Main/tests/PictureFixture.h"
#include "qt/Screenshot.h"
#include "win32/UserMessages.h"

namespace {

class PictureScreenshotTest : public varno::testing::PictureFixture {
 protected:
  void SetUp() override {
    const char* dir = std::getenv("VARNO_SCREENSHOT_DIR");
    if (dir == nullptr) GTEST_SKIP() << "VARNO_SCREENSHOT_DIR names no folder";
    folderOut = dir;
    PictureFixture::SetUp();
    MoveWindow(app.m_hMainWnd, 0, 0, 720, 480, TRUE);
  }
  void Save(const std::string& name) {
    layer::PumpUntilIdle();
    EXPECT_TRUE(layer::SaveWindowPng(app.m_hMainWnd, folderOut + "/" + name)) << name;
  }

  std::string folderOut;
};

TEST_F(PictureScreenshotTest, ExplodedViewWholeAndZoomedWithTheCurrentHotspot) {
  theGlobals.m_raster_on = TRUE;
  CPicView* view = ViewOf(PictureFrame(std::string(VARNO_CATALOGUE_DIR) + "/rm46.bmp", 1, 700, 440, false));
  ASSERT_NE(view, nullptr);
  Adopt();
  view->SelectHotspot("RM-2001");
  Save("picture-whole.png");
  view->ToggleZoomMode();
  const CPoint from = WindowPoint(*view, 110, 30);
  const CPoint to = WindowPoint(*view, 330, 200);
  Send(*view, WM_LBUTTONDOWN, from, MK_LBUTTON);
  Send(*view, WM_MOUSEMOVE, to, MK_LBUTTON);
  Send(*view, WM_LBUTTONUP, to, 0);
  const CPoint part = WindowPoint(*view, 265, 150);
  Send(*view, WM_MOUSEMOVE, part);
  Save("picture-zoomed.png");
}

TEST_F(PictureScreenshotTest, LineDrawingWithItsLabels) {
  CPicView* view = ViewOf(PictureFrame(std::string(VARNO_CATALOGUE_DIR) + "/rm46.cap", 2, 700, 440, false));
  ASSERT_NE(view, nullptr);
  Adopt();
  view->SelectHotspot("2");
  Save("picture-cap.png");
}

}  // namespace
