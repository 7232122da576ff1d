// The viewer's zoom commands act on the face's one picture that follows the
// program-wide zoom, and on nothing when the face holds two.
#include <gtest/gtest.h>

#include "Main/tests/PictureFixture.h"

namespace {

class ZoomCommandTest : public varno::testing::PictureFixture {
 protected:
  BOOL Run(UINT command) { return app.RunViewerCommand(app.m_hMainWnd, &face, command); }
};

TEST_F(ZoomCommandTest, WholeAndPartViewOfTheOnePicture) {
  CPicView* view = ViewOf(PictureFrame("rm46.bmp", 1));
  Adopt();
  view->UpdateWindow();
  EXPECT_TRUE(Run(318));
  EXPECT_EQ(view->GetZoom(), -2);
  EXPECT_TRUE(Run(317));
  EXPECT_EQ(view->GetZoom(), 0);
  EXPECT_TRUE(Run(316));
  EXPECT_TRUE(view->IsZoomMode());
}

TEST_F(ZoomCommandTest, TwoPicturesTakeNoZoomCommand) {
  CPicView* first = ViewOf(PictureFrame("rm46.bmp", 1));
  Adopt();
  first->UpdateWindow();
  const int before = first->GetZoom();
  CFrameView* firstMain = pictureMain;
  ViewOf(PictureFrame("rm46.bmp", 1));
  Adopt();
  EXPECT_TRUE(Run(318));
  EXPECT_EQ(first->GetZoom(), before);
  firstMain->DestroyWindow();
}

}  // namespace
