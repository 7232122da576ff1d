// The picture's hotspots: the exchange record, hover, activation, selection
// and the inverted frames that mark them.
#include <gtest/gtest.h>

#include <cstring>

#include "imaging/picture/tests/PictureWindowSupport.h"
#include "imaging/testing/TiffWriter.h"

using namespace picture_tests;
using namespace imaging::testing;

namespace {

struct Spot {
  RECT window;
  const char* name;
  const char* text2 = "";
  BYTE flag = 0;
};

QORIMG_HOTSPOTDATA Record(const Spot& spot) {
  QORIMG_HOTSPOTDATA data{};
  data.rcWindow = spot.window;
  data.rcPicture = spot.window;
  std::strcpy(data.szName, spot.name);
  std::strcpy(data.szText2, spot.text2);
  data.bFlag = spot.flag;
  return data;
}

void SetSpots(QORIMG_PICTURE* picture, const std::vector<Spot>& spots) {
  for (std::size_t i = 0; i < spots.size(); ++i) {
    QORIMG_HOTSPOTDATA data = Record(spots[i]);
    ASSERT_EQ(QORIMG_SetHotspotData(picture, static_cast<LONG>(i), &data), 1);
  }
  ASSERT_EQ(QORIMG_SetHotspotCount(picture, static_cast<WORD>(spots.size())), 1);
}

std::string WhiteTiff(layer::testing::TempFolder& folder, int width, int height) {
  folder.Write("white.tif", WriteTiff(Bilevel(width, height)));
  return folder / "white.tif";
}

// A picture without a window of its own: hover and selection work on the
// slots; frames need a window and are left out.
class HotspotDataTest : public ::testing::Test {
 protected:
  HotspotDataTest() : picture(WhiteTiff(folder, 64, 32), "", QORIMG_FILE_TIFF) {}
  LONG MoveTo(int x, int y) {
    return QORIMG_OnMessage(Window(0xF00D), WM_MOUSEMOVE, 0, MAKELPARAM(x, y), picture.Get());
  }
  LONG Current() { return QORIMG_GetHotspotNr(picture.Get(), nullptr, nullptr); }

  layer::testing::TempFolder folder;
  OpenedPicture picture;
};

TEST_F(HotspotDataTest, TheRecordCarriesTheSlotAndCallersTextsAreCutToTheSlot) {
  SetSpots(picture.Get(), {{{1, 2, 30, 40}, "first", "second", 5}});
  picture->hotspots[0].bState = QORIMG_HS_ACTIVE;
  QORIMG_HOTSPOTDATA out{};
  std::memset(&out, 0xCC, sizeof out);
  ASSERT_EQ(QORIMG_GetHotspotData(picture.Get(), 0, &out), 1);
  EXPECT_EQ(out.nIndex, 0);
  EXPECT_EQ(out.rcWindow.right, 30);
  EXPECT_EQ(out.rcPicture.bottom, 40);
  EXPECT_STREQ(out.szName, "first");
  EXPECT_STREQ(out.szText2, "second");
  EXPECT_EQ(out.bState, QORIMG_HS_ACTIVE);
  EXPECT_EQ(out.bFlag, 5);
  EXPECT_EQ(out.reserved[0], 0);

  // Writing leaves the state and the count alone.
  QORIMG_HOTSPOTDATA again = Record({{0, 0, 1, 1}, "x"});
  again.bState = QORIMG_HS_SELECTED;
  ASSERT_EQ(QORIMG_SetHotspotData(picture.Get(), 0, &again), 1);
  EXPECT_EQ(picture->hotspots[0].bState, QORIMG_HS_ACTIVE);
  ASSERT_EQ(QORIMG_SetHotspotData(picture.Get(), 599, &again), 1);
  EXPECT_EQ(QORIMG_GetHotspotCount(picture.Get()), 1);

  // A caller's record whose texts fill their fields without a NUL.
  QORIMG_HOTSPOTDATA full{};
  std::memset(full.szName, 'N', sizeof full.szName);
  std::memset(full.szText2, 'T', sizeof full.szText2);
  full.bState = 'S';
  ASSERT_EQ(QORIMG_SetHotspotData(picture.Get(), 0, &full), 1);
  EXPECT_EQ(std::string(picture->hotspots[0].szName), std::string(31, 'N'));
  EXPECT_EQ(std::string(picture->hotspots[0].szText2), std::string(24, 'T'));
  ASSERT_EQ(QORIMG_GetHotspotData(picture.Get(), 0, &out), 1);
  EXPECT_EQ(std::string(out.szName), std::string(31, 'N'));
}

TEST_F(HotspotDataTest, IndexesAndCountsOutsideTheSlotsAreRefused) {
  SetSpots(picture.Get(), {{{0, 0, 5, 5}, "a"}, {{0, 0, 5, 5}, "b"}});
  QORIMG_HOTSPOTDATA data = Record({{0, 0, 1, 1}, "x"});
  struct {
    const char* what;
    LONG result;
    LONG expected;
  } cases[] = {
      {"get below the slots", QORIMG_GetHotspotData(picture.Get(), -1, &data), 0},
      {"get past the count", QORIMG_GetHotspotData(picture.Get(), 2, &data), 0},
      {"set below the slots", QORIMG_SetHotspotData(picture.Get(), -1, &data), 0},
      {"set past the slots", QORIMG_SetHotspotData(picture.Get(), 600, &data), 0},
      {"activate past the count", QORIMG_ActivateHotspotNr(2, 1, picture.Get()), 0},
      {"select past the count", QORIMG_SetHotspotNr(nullptr, 2, 1, picture.Get()), 0},
      {"count of 600", QORIMG_SetHotspotCount(picture.Get(), 600), 0},
      {"count of 65535", QORIMG_SetHotspotCount(picture.Get(), 0xFFFF), 0},
      {"count of 599", QORIMG_SetHotspotCount(picture.Get(), 599), 1},
  };
  for (const auto& c : cases) EXPECT_EQ(c.result, c.expected) << c.what;
  EXPECT_EQ(QORIMG_GetHotspotCount(picture.Get()), 599);
  EXPECT_EQ(picture->nHoverIndex, QORIMG_NO_HOTSPOT);
}

// The hotspot under the mouse is the one whose centre lies nearest; of equal
// distances the first. A point on an edge is outside.
TEST_F(HotspotDataTest, HoverTakesTheNearestCentreAndTheFirstOfEqualOnes) {
  SetSpots(picture.Get(), {{{0, 0, 40, 20}, "wide"},
                           {{10, 0, 20, 20}, "inner"},
                           {{30, 0, 50, 20}, "right"},
                           {{30, 0, 50, 20}, "twin"},
                           {{100, 100, 2000, 2000}, "large"}});
  QORIMG_ActivateAllHotspots(1, picture.Get());
  struct {
    POINT at;
    LONG hovered;
  } cases[] = {
      {{15, 10}, 1},      // inside wide and inner: inner's centre is nearer
      {{35, 10}, 2},      // right and twin are equal: the first wins
      {{25, 10}, 0},      // only wide
      {{40, 10}, 2},      // on wide's right edge: not in wide
      {{60, 10}, 601},    // in none
      {{1900, 150}, 4},   // far from a large hotspot's centre, still inside it
      {{30, 10}, 0},      // on right's left edge
  };
  for (const auto& c : cases) {
    MoveTo(c.at.x, c.at.y);
    EXPECT_EQ(picture->nHoverIndex, c.hovered) << c.at.x << "," << c.at.y;
    EXPECT_EQ(Current(), c.hovered == 601 ? -1 : c.hovered) << c.at.x << "," << c.at.y;
  }
  char name[32] = "unchanged";
  MoveTo(15, 10);
  EXPECT_EQ(std::string(QORIMG_GetHotspot(picture.Get(), name, nullptr)), "inner");
  EXPECT_STREQ(name, "inner");
}

TEST_F(HotspotDataTest, AnInactiveHotspotIsHoveredButNotCurrent) {
  SetSpots(picture.Get(), {{{0, 0, 20, 20}, "a"}, {{30, 0, 50, 20}, "b"}});
  QORIMG_ActivateHotspotNr(1, 1, picture.Get());
  MoveTo(10, 10);
  EXPECT_EQ(picture->nHoverIndex, 0);
  EXPECT_EQ(Current(), -1);
  MoveTo(40, 10);
  EXPECT_EQ(Current(), 1);
  MoveTo(10, 10);  // leaving the current hotspot forgets it
  EXPECT_EQ(Current(), -1);
  EXPECT_STREQ(picture->szCurrentName, "");
}

TEST_F(HotspotDataTest, ActivationByNumberNameAndAll) {
  SetSpots(picture.Get(), {{{0, 0, 5, 5}, "a"}, {{0, 0, 5, 5}, "b"}, {{0, 0, 5, 5}, "a"}});
  auto active = [&] {
    std::string bits;
    for (int i = 0; i < 3; ++i) bits += (picture->hotspots[i].bState & QORIMG_HS_ACTIVE) ? '1' : '0';
    return bits;
  };
  EXPECT_EQ(QORIMG_ActivateHotspot("a", 1, picture.Get()), 1);
  EXPECT_EQ(active(), "101");
  EXPECT_EQ(QORIMG_ActivateHotspot("A", 1, picture.Get()), 1);  // names tell upper from lower case
  EXPECT_EQ(active(), "101");
  EXPECT_EQ(QORIMG_ActivateHotspotNr(2, 0, picture.Get()), 1);
  EXPECT_EQ(active(), "100");
  EXPECT_EQ(QORIMG_ActivateAllHotspots(1, picture.Get()), 1);
  EXPECT_EQ(active(), "111");
  EXPECT_EQ(QORIMG_ActivateAllHotspots(0, picture.Get()), 1);
  EXPECT_EQ(active(), "000");
  QORIMG_SetHotspotCount(picture.Get(), 0);
  EXPECT_EQ(QORIMG_ActivateAllHotspots(1, picture.Get()), 0);
  EXPECT_EQ(QORIMG_ActivateHotspot("a", 1, picture.Get()), 0);
}

// Window rectangles from picture rectangles: scaled to the shown picture and
// by the factors, from the origin of the picture mode.
TEST_F(HotspotDataTest, WindowRectanglesFollowTheShownPicture) {
  SetSpots(picture.Get(), {{{10, 4, 30, 14}, "a"}});
  struct Case {
    const char* what;
    SHORT pictureMode;
    BYTE bitmapMode;
    LONG scaledWidth, scaledHeight, drfWidth, drfHeight;
    double fx, fy;
    RECT expected;
  } cases[] = {
      {"DRF at its size, from the offset and zoom start", 0, 0, 0, 0, 0, 0, 1.0, 1.0, {10 + 3 + 5, 4 - 2 + 6, 38, 18}},
      {"TIFF fitted, from the centre", 2, 1, 128, 64, 0, 0, 0.5, 0.5, {10 + 7, 4 + 8, 30 + 7, 14 + 8}},
      {"zoomed TIFF, from the zoom start", 1, 1, 64, 32, 0, 0, 2.0, 3.0, {20 + 5, 12 + 6, 60 + 5, 42 + 6}},
      {"DRF hotspots over its TIFF", 1, 1, 64, 32, 16, 8, 1.0, 1.0, {40 + 5, 16 + 6, 120 + 5, 56 + 6}},
  };
  for (const Case& c : cases) {
    picture->nPictureMode = c.pictureMode;
    picture->bBitmapMode = c.bitmapMode;
    picture->nScaledWidth = c.scaledWidth;
    picture->nScaledHeight = c.scaledHeight;
    picture->nDrfWidth = c.drfWidth;
    picture->nDrfHeight = c.drfHeight;
    picture->nDrfSpotOffsetX = 3;
    picture->nDrfSpotOffsetY = -2;
    picture->nZoomStartX = 5;
    picture->nZoomStartY = 6;
    picture->nCentreX = 7;
    picture->nCentreY = 8;
    ASSERT_EQ(QORIMG_GetNewHotspotPositions(c.fx, c.fy, picture.Get()), 1) << c.what;
    const RECT& r = picture->hotspots[0].rcWindow;
    EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}),
              (std::vector<LONG>{c.expected.left, c.expected.top, c.expected.right, c.expected.bottom}))
        << c.what;
  }
  QORIMG_SetHotspotCount(picture.Get(), 0);
  EXPECT_EQ(QORIMG_GetNewHotspotPositions(1.0, 1.0, picture.Get()), 0);
}

// Handles that the library never gave out are refused like null ones.
TEST_F(HotspotDataTest, NullAndUnknownPicturesGiveTheFailureValues) {
  QORIMG_PICTURE* known = picture.Get();
  SetSpots(known, {{{0, 0, 5, 5}, "a"}});
  alignas(QORIMG_PICTURE) static char stranger[sizeof(QORIMG_PICTURE)] = {};
  for (QORIMG_PICTURE* bad : {static_cast<QORIMG_PICTURE*>(nullptr), reinterpret_cast<QORIMG_PICTURE*>(stranger)}) {
    QORIMG_HOTSPOTDATA data{};
    char name[32];
    EXPECT_EQ(QORIMG_GetHotspotCount(bad), -1);
    EXPECT_EQ(QORIMG_SetHotspotCount(bad, 1), 0);
    EXPECT_EQ(QORIMG_GetHotspotData(bad, 0, &data), 0);
    EXPECT_EQ(QORIMG_SetHotspotData(bad, 0, &data), 0);
    EXPECT_EQ(QORIMG_GetNewHotspotPositions(1, 1, bad), 0);
    EXPECT_EQ(QORIMG_ActivateAllHotspots(1, bad), 0);
    EXPECT_EQ(QORIMG_ActivateHotspot("a", 1, bad), 0);
    EXPECT_EQ(QORIMG_ActivateHotspotNr(0, 1, bad), 0);
    EXPECT_EQ(QORIMG_SetAllHotspots(nullptr, 1, bad), 0);
    EXPECT_EQ(QORIMG_SetHotspot(nullptr, "a", 1, bad), 0);
    EXPECT_EQ(QORIMG_SetHotspotNr(nullptr, 0, 1, bad), 0);
    EXPECT_EQ(QORIMG_GetHotspotNr(bad, name, name), -1);
    EXPECT_EQ(QORIMG_GetHotspot(bad, name, name), nullptr);
    EXPECT_EQ(QORIMG_SetHotspotMode(0, 0, 0, 0, bad), 0);
    EXPECT_EQ(QORIMG_GetHotspotMode(0, 0, 0, bad), -1);
  }
  EXPECT_EQ(stranger[0], 0);
  EXPECT_EQ(QORIMG_GetHotspotMode(0, 0, 0, known), 0);
}

// Frames in a window: a white TIFF fitted to a window of its own size.
class HotspotFramesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(window.Load(WhiteTiff(folder, 120, 80), "", QORIMG_DISPLAY_FITTED, QORIMG_FILE_TIFF), nullptr);
    ASSERT_EQ(QORIMG_GetBildMitte(window.picture), 0);  // the TIFF fills the window
    SetSpots(window.picture, {{{10, 10, 30, 30}, "a"}, {{40, 10, 60, 30}, "b"}, {{70, 10, 90, 30}, "a"},
                              {{10, 40, 30, 60}, ""}});
    QORIMG_ActivateAllHotspots(1, window.picture);
  }
  // Black when the pixel is inverted on the white picture.
  std::string Inverted(std::initializer_list<POINT> points) {
    std::string marks;
    for (POINT p : points) marks += window.At(p.x, p.y) == RGB(0, 0, 0) ? 'X' : '.';
    return marks;
  }
  std::string Selected() {
    std::string marks;
    for (int i = 0; i < 4; ++i) marks += (window.picture->hotspots[i].bState & QORIMG_HS_SELECTED) ? 'S' : '.';
    return marks;
  }

  layer::testing::TempFolder folder;
  PictureWindow window{120, 80};
};

TEST_F(HotspotFramesTest, SelectingByNameMarksEverySlotOfThatName) {
  EXPECT_EQ(QORIMG_SetHotspot(window.window, "a", 1, window.picture), 1);
  EXPECT_EQ(Selected(), "S.S.");
  EXPECT_EQ(Inverted({{20, 20}, {10, 10}, {50, 20}, {80, 20}}), "XX.X");  // whole rectangles
  EXPECT_EQ(QORIMG_SetHotspot(window.window, "nobody", 1, window.picture), 0);
  EXPECT_EQ(QORIMG_SetHotspot(window.window, "a", 0, window.picture), 1);
  EXPECT_EQ(Selected(), "....");
  EXPECT_EQ(Inverted({{20, 20}, {80, 20}}), "..");
  EXPECT_EQ(QORIMG_GetHotspotNr(window.picture, nullptr, nullptr), -1);
}

TEST_F(HotspotFramesTest, SelectingByNumberTakesTheNameUnlessItIsEmpty) {
  EXPECT_EQ(QORIMG_SetHotspotNr(window.window, 1, 1, window.picture), 1);
  EXPECT_EQ(Selected(), ".S..");
  char name[32], text2[25];
  EXPECT_EQ(QORIMG_GetHotspotNr(window.picture, name, text2), 1);
  EXPECT_STREQ(name, "b");
  EXPECT_STREQ(window.picture->szSelectedName, "b");

  EXPECT_EQ(QORIMG_SetHotspotNr(window.window, 3, 1, window.picture), 1);  // no name: indexes, no selection
  EXPECT_EQ(Selected(), ".S..");
  EXPECT_EQ(window.picture->nSelectedIndex, 3);
  EXPECT_EQ(Inverted({{20, 50}}), ".");

  EXPECT_EQ(QORIMG_SetHotspotNr(window.window, 1, 0, window.picture), 1);  // unselects slot 3, the selected one
  EXPECT_EQ(Selected(), ".S..");
  EXPECT_EQ(Inverted({{50, 20}}), ".");  // but every frame is gone
  EXPECT_EQ(window.picture->nSelectedIndex, QORIMG_NO_HOTSPOT);
}

TEST_F(HotspotFramesTest, AllAtOnceAndTheCurrentHotspotIsForgotten) {
  EXPECT_EQ(QORIMG_SetAllHotspots(window.window, 1, window.picture), 1);
  EXPECT_EQ(Selected(), "SSSS");
  EXPECT_EQ(Inverted({{20, 20}, {50, 20}, {80, 20}, {20, 50}}), "XXXX");
  char name[32] = "kept";
  EXPECT_EQ(QORIMG_GetHotspotNr(window.picture, name, nullptr), -1);
  EXPECT_STREQ(name, "kept");
  EXPECT_EQ(QORIMG_SetAllHotspots(window.window, 0, window.picture), 1);
  EXPECT_EQ(Selected(), "....");
  EXPECT_EQ(Inverted({{20, 20}, {50, 20}, {80, 20}, {20, 50}}), "....");
}

// A frame drawn twice is gone: after any order of calls the picture is white
// where no frame should be.
TEST_F(HotspotFramesTest, ChangingTheModeKeepsTheSelectionAndRedrawsItsFrames) {
  QORIMG_SetHotspotNr(window.window, 0, 1, window.picture);
  QORIMG_SetHotspotNr(window.window, 1, 1, window.picture);
  EXPECT_EQ(Selected(), "SS..");
  EXPECT_EQ(QORIMG_SetHotspotMode(QORIMG_HSMODE_OUTLINE, RGB(255, 0, 0), 1, 2, window.picture), 1);
  EXPECT_EQ(QORIMG_GetHotspotMode(0, 0, 0, window.picture), QORIMG_HSMODE_OUTLINE);
  EXPECT_EQ(window.picture->crFrame, RGB(255, 0, 0));
  EXPECT_EQ(Selected(), "SS..");
  // Outlines only: the edges are inverted, the insides white again.
  EXPECT_EQ(Inverted({{10, 20}, {29, 20}, {20, 20}, {40, 15}, {50, 20}, {80, 10}}), "XX.X..");
  EXPECT_EQ(QORIMG_SetHotspotMode(0, 0, 0, 0, window.picture), 1);
  EXPECT_EQ(window.picture->crFrame, 2u);  // a frame colour of 0 is kept as 2
  EXPECT_EQ(Inverted({{10, 20}, {20, 20}, {50, 20}, {80, 20}}), "XXX.");
  QORIMG_SetAllHotspots(window.window, 0, window.picture);
  EXPECT_EQ(Inverted({{10, 20}, {20, 20}, {50, 20}}), "...");
}

// The hover frame follows the mouse of a user; a repaint under it keeps it,
// and it still goes when the mouse moves on.
TEST_F(HotspotFramesTest, TheHoverFrameFollowsTheMouse) {
  window.Mouse(WM_MOUSEMOVE, 20, 20);
  EXPECT_EQ(Inverted({{20, 20}, {50, 20}}), "X.");
  EXPECT_EQ(window.picture->hotspots[0].bState, QORIMG_HS_ACTIVE | QORIMG_HS_HOVER | QORIMG_HS_FRAMED);
  InvalidateRect(window.window, nullptr, TRUE);
  UpdateWindow(window.window);
  EXPECT_EQ(Inverted({{20, 20}, {50, 20}}), "X.");
  window.Mouse(WM_MOUSEMOVE, 50, 20);
  EXPECT_EQ(Inverted({{20, 20}, {50, 20}}), ".X");
  window.Mouse(WM_MOUSEMOVE, 100, 70);
  EXPECT_EQ(Inverted({{20, 20}, {50, 20}}), "..");
  EXPECT_EQ(window.picture->hotspots[0].bState, QORIMG_HS_ACTIVE);
}

}  // namespace
