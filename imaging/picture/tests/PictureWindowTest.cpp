// A TIFF shown in a caller's window and used as a user uses it: fitted,
// zoomed by a dragged rectangle, scrolled with the bars, hotspots hovered and
// selected, with the caller's callback hearing what the window passes on.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "imaging/picture/tests/PictureWindowSupport.h"
#include "imaging/testing/TiffWriter.h"

using namespace picture_tests;
using namespace imaging::testing;

namespace {

// A small exploded view, drawn at a scale of the base size 400 x 300: a
// solid part, outlined parts, a round one and the lines between them.
Bilevel ExplodedView(int scale) {
  Bilevel image(400 * scale, 300 * scale);
  auto fill = [&](int x0, int y0, int x1, int y1) {
    for (int y = y0 * scale; y < y1 * scale; ++y)
      for (int x = x0 * scale; x < x1 * scale; ++x) image.At(x, y) = 1;
  };
  auto outline = [&](int x0, int y0, int x1, int y1) {
    fill(x0, y0, x1, y0 + 3);
    fill(x0, y1 - 3, x1, y1);
    fill(x0, y0, x0 + 3, y1);
    fill(x1 - 3, y0, x1, y1);
  };
  fill(100, 50, 200, 150);
  outline(250, 150, 310, 210);
  outline(20, 200, 120, 280);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      const double r = std::hypot(x - 330.0 * scale, y - 70.0 * scale) / scale;
      if (r > 30 && r < 34) image.At(x, y) = 1;
    }
  for (int i = 0; i < 50; ++i) {
    fill(200 + i, 150 + i / 2, 202 + i, 152 + i / 2);  // leader lines to the outlined parts
    fill(120 - i / 2, 150 + i, 122 - i / 2, 152 + i);
  }
  return image;
}

// The hotspots: the solid part's is the part itself, the others leave a margin.
std::string ViewFile(layer::testing::TempFolder& folder, int scale = 1) {
  TiffOptions options;
  options.rowsPerStrip = 16;
  auto spot = [&](int x, int y, int width, int height, const char* name, const char* text2) {
    return TiffHotspot{static_cast<std::uint16_t>(x * scale), static_cast<std::uint16_t>(y * scale),
                       static_cast<std::uint16_t>(width * scale), static_cast<std::uint16_t>(height * scale), name,
                       text2};
  };
  options.hotspots = {spot(100, 50, 100, 100, "P1", "solid part"), spot(242, 142, 76, 76, "P2", "frame"),
                      spot(288, 28, 84, 84, "P3", "ring"), spot(12, 192, 116, 96, "P4", "box")};
  folder.Write("view.tif", WriteTiff(ExplodedView(scale), options));
  return folder / "view.tif";
}

constexpr COLORREF kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255), kBlue = RGB(0, 0, 255);

class PictureWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(window.Load(ViewFile(folder), "", QORIMG_DISPLAY_FITTED, QORIMG_FILE_TIFF), nullptr);
    picture = window.picture;
  }
  void Zoom() {
    ASSERT_EQ(QORIMG_SetZoomMode(picture), picture);
    window.Drag({100, 25}, {150, 75});
    ASSERT_EQ(QORIMG_GetPictureMode(picture), QORIMG_PICTURE_ZOOMED);
  }
  int Bar() const { return GetSystemMetrics(SM_CXVSCROLL); }

  layer::testing::TempFolder folder;
  PictureWindow window{300, 150};
  QORIMG_PICTURE* picture = nullptr;
};

// The 400 x 300 TIFF in a window of 300 x 150: fitted to the window's
// height, half size, centred across.
TEST_F(PictureWindowTest, AFittedTiffSitsCentredAtTheWindowsHeight) {
  EXPECT_EQ(QORIMG_GetPictureMode(picture), QORIMG_PICTURE_FITTED);
  EXPECT_EQ(QORIMG_GetGraphicsMode(picture), 1);
  EXPECT_EQ(QORIMG_GetBildMitte(picture), PackPair(50, 0));
  EXPECT_EQ(QORIMG_SetBkColor(picture, kBlue, 3), 3);
  InvalidateRect(window.window, nullptr, TRUE);
  UpdateWindow(window.window);
  EXPECT_EQ(window.At(20, 50), kBlue);    // beside the picture
  EXPECT_EQ(window.At(75, 50), kWhite);   // the picture's paper
  EXPECT_EQ(window.At(125, 50), kBlack);  // the solid part, 100..200 x 50..150 halved
  EXPECT_EQ(window.At(101, 26), kBlack);
  EXPECT_EQ(window.At(99, 26), kWhite);
  EXPECT_EQ(window.At(280, 50), kBlue);
  // The hotspots lie where their parts are shown.
  QORIMG_HOTSPOTDATA data{};
  ASSERT_EQ(QORIMG_GetHotspotData(picture, 0, &data), 1);
  EXPECT_EQ((std::vector<LONG>{data.rcWindow.left, data.rcWindow.top, data.rcWindow.right, data.rcWindow.bottom}),
            (std::vector<LONG>{100, 25, 150, 75}));
}

TEST_F(PictureWindowTest, ADraggedRectangleZoomsIntoItsArea) {
  ASSERT_EQ(QORIMG_SetZoomMode(picture), picture);
  EXPECT_EQ(QORIMG_InZoomAction(picture), 1);
  window.Mouse(WM_MOUSEMOVE, 100, 25);
  EXPECT_EQ(GetCapture(), window.window);
  window.Mouse(WM_LBUTTONDOWN, 100, 25, MK_LBUTTON);
  window.Mouse(WM_MOUSEMOVE, 150, 75, MK_LBUTTON);
  // The rubber rectangle is drawn inverted over the picture.
  EXPECT_EQ(window.At(125, 25), kWhite);  // over the solid part's top edge
  EXPECT_EQ(window.At(125, 75), kWhite);
  EXPECT_EQ(window.At(80, 75), kWhite);
  window.Mouse(WM_LBUTTONUP, 150, 75);

  EXPECT_EQ(QORIMG_InZoomAction(picture), 0);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(QORIMG_GetPictureMode(picture), QORIMG_PICTURE_ZOOMED);
  EXPECT_EQ(picture->nDisplayMode, QORIMG_DISPLAY_ZOOMED);
  const QORIMG_DPOINT factor = QORIMG_GetZoomFactor(picture);
  EXPECT_GT(factor.x, 1.0);
  EXPECT_DOUBLE_EQ(factor.x, factor.y);
  // The solid part (TIFF 100..200 x 50..150) fills the middle of the view
  // at about the TIFF's own size; the view keeps the window's aspect.
  for (POINT p : {POINT{105, 32}, POINT{150, 75}, POINT{193, 118}})
    EXPECT_EQ(window.At(p.x, p.y), kBlack) << p.x << "," << p.y;
  for (POINT p : {POINT{95, 75}, POINT{150, 20}, POINT{205, 75}})
    EXPECT_EQ(window.At(p.x, p.y), kWhite) << p.x << "," << p.y;
  // The bars scroll over the rest of the TIFF.
  int low = -1, high = -1;
  ASSERT_TRUE(GetScrollRange(window.window, SB_VERT, &low, &high));
  EXPECT_EQ(low, 0);
  EXPECT_EQ(high, picture->nTiffHeight - picture->nSourceHeight);
  EXPECT_EQ(GetScrollPos(window.window, SB_VERT), picture->nScrollY);
  EXPECT_GT(picture->nScrollY, 0);
  // The hotspots moved with the view.
  EXPECT_EQ(QORIMG_GetHotspotOffset(picture), PackPair(0, picture->nScrollY));
  const RECT& spot = picture->hotspots[0].rcWindow;
  EXPECT_NEAR(spot.left, 100, 1);
  EXPECT_NEAR(spot.top - picture->nScrollY, 26, 1);
}

TEST_F(PictureWindowTest, TheBarsScrollTheZoomedViewByLinePageAndThumb) {
  Zoom();
  const int bar = Bar(), width = 300, height = 150;
  const int barX = width - bar / 2;
  const LONG range = picture->nScrollRangeY, start = picture->nScrollY;
  ASSERT_GE(range, 150);
  auto position = [&] {
    EXPECT_EQ(GetScrollPos(window.window, SB_VERT), picture->nScrollY);
    return picture->nScrollY;
  };
  // The first white row below the solid part's middle.
  auto solidBottom = [&] {
    int y = 75;
    while (y < height && window.At(150, y) == kBlack) ++y;
    return y;
  };
  const int bottom = solidBottom();
  window.Click(barX, height - bar - bar / 2);  // the lower arrow
  EXPECT_EQ(position(), start + 10);
  EXPECT_NEAR(bottom - solidBottom(), 10.0 * picture->nOutputHeight / picture->nSourceHeight, 1.0);
  window.Click(barX, height - 2 * bar - 2);  // the track below the thumb
  EXPECT_EQ(position(), std::min<LONG>(range, start + 10 + 150));
  window.Click(barX, height - 2 * bar - 2);
  EXPECT_EQ(position(), range);
  RECT update;
  ValidateRect(window.window, nullptr);
  window.Click(barX, height - bar - bar / 2);  // at the end: nothing moves
  EXPECT_EQ(position(), range);
  EXPECT_FALSE(GetUpdateRect(window.window, &update, FALSE));
  window.Click(barX, bar + 1);  // the track above the thumb, twice
  window.Click(barX, bar + 1);
  EXPECT_EQ(position(), range - 300 > 0 ? range - 300 : 0);
  while (picture->nScrollY > 0) window.Click(barX, bar + 1);

  // The thumb, taken at the top and dragged to the end of the track.
  window.Input(WM_LBUTTONDOWN, barX, bar + 2, MK_LBUTTON);
  window.Input(WM_MOUSEMOVE, barX, height / 2, MK_LBUTTON);
  window.Input(WM_MOUSEMOVE, barX, height - bar - 1, MK_LBUTTON);
  window.Input(WM_LBUTTONUP, barX, height - bar - 1);
  layer::PumpUntilIdle();
  EXPECT_EQ(position(), range);
  EXPECT_NEAR(static_cast<double>(QORIMG_GetHotspotOffset(picture) >> 32), range, 2);  // the frames follow

  window.Click(width - bar - bar / 2, height - bar / 2);  // the right arrow of the lower bar
  EXPECT_EQ(picture->nScrollX, std::min<LONG>(10, picture->nScrollRangeX));
}

// Moves are the control's own; a double click, a right press and keys go on
// to the caller with the hotspot under the mouse; while a zoom is armed the
// caller hears nothing.
TEST_F(PictureWindowTest, HoverAndSelectionReachTheCallerInTheirOrder) {
  window.Mouse(WM_MOUSEMOVE, 125, 50);
  EXPECT_EQ(window.At(125, 50), kWhite);  // the solid part inverted: hovered
  char name[32] = "", text2[25] = "";
  EXPECT_EQ(QORIMG_GetHotspotNr(picture, name, text2), 0);
  EXPECT_STREQ(name, "P1");
  EXPECT_STREQ(text2, "solid part");

  window.Mouse(WM_LBUTTONDOWN, 125, 50, MK_LBUTTON);
  window.Mouse(WM_LBUTTONUP, 125, 50);
  window.Mouse(WM_LBUTTONDBLCLK, 125, 50, MK_LBUTTON);
  window.Mouse(WM_LBUTTONUP, 125, 50);
  // The caller answers the double click by selecting the hotspot.
  ASSERT_EQ(QORIMG_SetHotspot(window.window, "P1", 1, picture), 1);
  window.Mouse(WM_RBUTTONDOWN, 125, 50, MK_RBUTTON);
  window.Mouse(WM_RBUTTONUP, 125, 50);
  window.Mouse(WM_MOUSEMOVE, 280, 140);  // off every hotspot: the selection's frame stays
  EXPECT_EQ(window.At(125, 50), kWhite);
  window.Mouse(WM_RBUTTONDOWN, 280, 140, MK_RBUTTON);
  window.Mouse(WM_RBUTTONUP, 280, 140);
  SendMessage(window.window, WM_KEYDOWN, VK_RETURN, 1);

  QORIMG_SetZoomMode(picture);
  window.Mouse(WM_MOUSEMOVE, 140, 60);
  window.Mouse(WM_RBUTTONDOWN, 140, 60, MK_RBUTTON);
  window.Mouse(WM_RBUTTONUP, 140, 60);
  window.Mouse(WM_LBUTTONDOWN, 140, 60, MK_LBUTTON);  // a click without a rectangle ends the zoom action
  window.Mouse(WM_LBUTTONUP, 140, 60);
  EXPECT_EQ(QORIMG_InZoomAction(picture), 0);

  struct Expected {
    UINT message;
    const char* hotspot;
  };
  const Expected expected[] = {
      {WM_LBUTTONDBLCLK, "P1"}, {WM_RBUTTONDOWN, "P1"}, {WM_RBUTTONDOWN, ""}, {WM_KEYDOWN, ""}};
  const std::vector<CallbackCall> calls = PictureWindow::InputCalls();
  ASSERT_EQ(calls.size(), std::size(expected));
  for (std::size_t i = 0; i < calls.size(); ++i) {
    EXPECT_EQ(calls[i].message, expected[i].message) << i;
    EXPECT_EQ(calls[i].hotspot, expected[i].hotspot) << i;
  }
}

// Framed hotspots on a zoomed view, where a person can look at them: set
// VARNO_PICTURE_SCREENSHOT to a PNG file's path. The TIFF is four times the
// window's size; the drag takes the ring and the outlined part.
TEST(PictureWindowLook, ZoomedPictureWithFramedHotspots) {
  layer::testing::TempFolder folder;
  PictureWindow window(400, 300);
  QORIMG_PICTURE* picture = window.Load(ViewFile(folder, 4), "", QORIMG_DISPLAY_FITTED, QORIMG_FILE_TIFF);
  ASSERT_NE(picture, nullptr);
  ASSERT_EQ(QORIMG_SetZoomMode(picture), picture);
  window.Drag({230, 20}, {380, 220});
  ASSERT_EQ(QORIMG_GetPictureMode(picture), QORIMG_PICTURE_ZOOMED);
  QORIMG_SetHotspotMode(QORIMG_HSMODE_OUTLINE, RGB(255, 0, 0), 0, 0, picture);
  const POINT offset{static_cast<LONG>(QORIMG_GetHotspotOffset(picture) & 0xFFFFFFFF),
                     static_cast<LONG>(QORIMG_GetHotspotOffset(picture) >> 32)};
  const RECT frame = picture->hotspots[2].rcWindow;  // around the ring
  const POINT edge{frame.left - offset.x, (frame.top + frame.bottom) / 2 - offset.y};
  ASSERT_EQ(window.At(edge.x, edge.y), kWhite);
  ASSERT_EQ(QORIMG_SetAllHotspots(window.window, 1, picture), 1);
  EXPECT_EQ(window.At(edge.x, edge.y), kBlack);  // the paper under the outline, inverted
  EXPECT_EQ(window.At(edge.x + 4, edge.y), kWhite);
  if (const char* path = std::getenv("VARNO_PICTURE_SCREENSHOT")) {
    EXPECT_TRUE(layer::SaveWindowPng(window.frame, path));
  }
}

}  // namespace
