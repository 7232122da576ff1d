// The picture window's layout in each display mode, its messages and
// commands, and what it does with windows and pictures of no size.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>

#include "imaging/picture/tests/PictureWindowSupport.h"
#include "imaging/testing/DrfEncoder.h"
#include "imaging/testing/TiffWriter.h"
#include "testing/MemoryCanvas.h"

using namespace picture_tests;
using namespace imaging::testing;

namespace {

Bilevel BlockPicture(int width, int height) {
  Bilevel image(width, height);
  for (int y = height / 4; y < height / 2; ++y)
    for (int x = width / 4; x < width / 2; ++x) image.At(x, y) = 1;
  return image;
}

std::string TiffFile(layer::testing::TempFolder& folder, int width, int height, const char* name = "p.tif") {
  TiffOptions options;
  options.hotspots = {{10, 10, 20, 20, "H", ""}};
  folder.Write(name, WriteTiff(BlockPicture(width, height), options));
  return folder / name;
}

LONG Low(LONGLONG pair) { return static_cast<LONG>(pair & 0xFFFFFFFF); }

struct ModeCase {
  LONG displayMode;
  SHORT pictureMode;
  LONG graphicsMode;
  bool withBars;  // visible size without the scroll bars
  SIZE scaled;    // {0, 0}: the window's width and the TIFF's aspect
};

// A type 5 DRF of 200 x 150 with a TIFF of 400 x 300 over it, in a window of
// 300 x 150: every display mode applies to it.
TEST(PictureLayout, EachDisplayModeSetsItsModesAndSizes) {
  layer::testing::TempFolder folder;
  folder.Write("p.drf", WriteDrfFile(MakeDrfTestPicture(5, 200, 150)));
  const std::string tiff = TiffFile(folder, 400, 300);
  PictureWindow window(300, 150);
  ASSERT_NE(window.Load(tiff, folder / "p.drf", QORIMG_DISPLAY_DRF, QORIMG_FILE_DRF), nullptr);
  QORIMG_PICTURE* picture = window.picture;
  const int bar = GetSystemMetrics(SM_CXVSCROLL);
  const ModeCase cases[] = {
      {QORIMG_DISPLAY_FITTED, QORIMG_PICTURE_FITTED, 1, false, {0, 0}},
      {QORIMG_DISPLAY_DRF, QORIMG_PICTURE_DRF, 2, false, {200, 150}},
      {QORIMG_DISPLAY_ZOOMED, QORIMG_PICTURE_ZOOMED, 1, true, {0, 0}},
      {QORIMG_DISPLAY_DRF_PLACED, QORIMG_PICTURE_DRF, 2, false, {200, 150}},
      {QORIMG_DISPLAY_DRF_WINDOW, QORIMG_PICTURE_DRF, 2, false, {200, 150}},  // kept from before
  };
  for (const ModeCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << "display mode " << c.displayMode);
    ASSERT_EQ(QORIMG_DisplayPicture(window.window, picture, c.displayMode), 1);
    RECT outer;
    GetWindowRect(window.window, &outer);
    const LONG width = outer.right - outer.left, height = outer.bottom - outer.top;
    EXPECT_EQ(QORIMG_GetPictureMode(picture), c.pictureMode);
    EXPECT_EQ(QORIMG_GetGraphicsMode(picture), c.graphicsMode);
    EXPECT_EQ(picture->nVisibleWidth, width - (c.withBars ? bar : 0));
    EXPECT_EQ(picture->nVisibleHeight, height - (c.withBars ? bar : 0));
    const SIZE scaled = c.scaled.cx ? c.scaled : SIZE{width, width * 3 / 4};
    EXPECT_EQ(QORIMG_GetScaledClientSize(picture), PackPair(scaled.cx, scaled.cy));
  }
  // The width filled: the TIFF scrolls down only.
  ASSERT_EQ(QORIMG_DisplayPicture(window.window, picture, QORIMG_DISPLAY_ZOOMED), 1);
  EXPECT_EQ(picture->nScrollRangeX, 0);
  EXPECT_GE(picture->nSourceWidth, 400 - picture->nScrollThreshold);
  EXPECT_EQ(picture->nScrollRangeY, 300 - picture->nSourceHeight);
  EXPECT_GT(picture->nScrollRangeY, 0);
  EXPECT_EQ(QORIMG_DisplayPicture(window.window, picture, 5), 0);
  EXPECT_EQ(picture->nDisplayMode, QORIMG_DISPLAY_ZOOMED);
}

struct EmptyCase {
  const char* what;
  int windowWidth, windowHeight;
  int tiffWidth, tiffHeight;
};

// Nothing divides by zero: factors stay finite, a zoom that has no room
// stays pending, painting draws what fits.
TEST(PictureLayout, WindowsAndPicturesOfNoSizeChangeNothing) {
  const EmptyCase cases[] = {
      {"window of no size", 0, 0, 40, 30},
      {"picture of one row", 200, 100, 50, 1},
      {"picture of one column", 200, 100, 1, 50},
      {"one pixel in a window of one pixel", 1, 1, 1, 1},
  };
  for (const EmptyCase& c : cases) {
    SCOPED_TRACE(c.what);
    layer::testing::TempFolder folder;
    PictureWindow window(c.windowWidth, c.windowHeight);
    QORIMG_PICTURE* picture =
        window.Load(TiffFile(folder, c.tiffWidth, c.tiffHeight), "", QORIMG_DISPLAY_FITTED, QORIMG_FILE_TIFF);
    ASSERT_NE(picture, nullptr);
    for (LONG mode : {QORIMG_DISPLAY_FITTED, QORIMG_DISPLAY_ZOOMED}) {
      EXPECT_EQ(QORIMG_DisplayPicture(window.window, picture, mode), 1);
      EXPECT_EQ(QORIMG_RedrawPicture(window.window, picture), 1);
      const QORIMG_DPOINT zoom = QORIMG_GetZoomFactor(picture), fit = QORIMG_GetBildFactor(picture);
      EXPECT_TRUE(std::isfinite(zoom.x) && std::isfinite(zoom.y) && std::isfinite(fit.x) && std::isfinite(fit.y));
      EXPECT_EQ(QORIMG_MAIN(QORIMG_CMD_FIT_BARS, picture, window.window, 0, 0, 0), 1);
      EXPECT_GE(Low(QORIMG_GetHotspotOffset(picture)), 0);
    }
    if (c.windowWidth == 0) {
      EXPECT_EQ(picture->bZoomState, 2);  // no room to zoom into
      EXPECT_EQ(QORIMG_GetZoomFactor(picture).x, 1.0);
    }
  }
}

// A rectangle without area, or one beside the picture, zooms nothing and
// ends the zoom action; the one beside the picture is taken off the screen.
TEST(PictureLayout, ZoomRectanglesThatAskForNothingAreIgnored) {
  layer::testing::TempFolder folder;
  PictureWindow window(300, 150);  // the 400 x 300 TIFF lies at 50..250 across
  QORIMG_PICTURE* picture =
      window.Load(TiffFile(folder, 400, 300), "", QORIMG_DISPLAY_FITTED, QORIMG_FILE_TIFF);
  ASSERT_NE(picture, nullptr);
  auto send = [&](UINT message, int x, int y, WPARAM keys) {
    return QORIMG_OnMessage(window.window, message, keys, MAKELPARAM(x, y), picture);
  };
  struct {
    const char* what;
    POINT from, to;
  } cases[] = {
      {"a point", {120, 60}, {120, 60}},
      {"a line", {120, 60}, {120, 100}},
      {"wholly right of the picture", {260, 20}, {290, 140}},
      {"starting outside the window", {-5, 20}, {40, 60}},
  };
  auto row = [&] {
    std::vector<COLORREF> pixels;
    for (int x = 0; x < 300; ++x) pixels.push_back(window.At(x, 80));
    return pixels;
  };
  const std::vector<COLORREF> before = row();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(QORIMG_SetZoomMode(picture), picture);
    EXPECT_EQ(send(WM_LBUTTONDOWN, c.from.x, c.from.y, MK_LBUTTON), 1);
    EXPECT_EQ(send(WM_MOUSEMOVE, c.to.x, c.to.y, MK_LBUTTON), 1);
    EXPECT_EQ(send(WM_LBUTTONUP, c.to.x, c.to.y, 0), 1);
    EXPECT_EQ(QORIMG_InZoomAction(picture), 0);
    EXPECT_EQ(picture->nDisplayMode, QORIMG_DISPLAY_FITTED);
    EXPECT_EQ(picture->bZoomState, 0);
    EXPECT_TRUE(row() == before);  // no rubber rectangle left
  }
}

// The scroll codes on a zoomed view, in the order a user might give them.
TEST(PictureLayout, ScrollCodesMoveWithinTheRange) {
  layer::testing::TempFolder folder;
  PictureWindow window(300, 150);
  QORIMG_PICTURE* picture = window.Load(TiffFile(folder, 400, 900), "", QORIMG_DISPLAY_ZOOMED, QORIMG_FILE_TIFF);
  ASSERT_NE(picture, nullptr);
  ASSERT_EQ(QORIMG_DisplayPicture(window.window, picture, QORIMG_DISPLAY_ZOOMED), 1);
  const LONG range = picture->nScrollRangeY, page = picture->nVisibleHeight;
  ASSERT_GT(range, 2 * page);
  struct {
    WORD code;
    WORD thumb;
    LONG expected;
  } steps[] = {
      {SB_LINEUP, 0, 0},
      {SB_LINEDOWN, 0, 10},
      {SB_PAGEDOWN, 0, 10 + page},
      {SB_THUMBTRACK, 77, 77},
      {SB_ENDSCROLL, 0, 77},
      {SB_TOP, 0, 77},
      {SB_PAGEUP, 0, 0},
      {SB_THUMBPOSITION, 60000, range},
      {SB_LINEDOWN, 0, range},
  };
  for (const auto& step : steps) {
    SendMessage(window.window, WM_VSCROLL, MAKEWPARAM(step.code, step.thumb), 0);
    EXPECT_EQ(picture->nScrollY, step.expected) << "code " << step.code;
    EXPECT_EQ(GetScrollPos(window.window, SB_VERT), step.expected) << "code " << step.code;
  }
  SendMessage(window.window, WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
  EXPECT_EQ(picture->nScrollX, 0);  // the width is filled: no horizontal range
}

// What OnMessage takes itself, and what goes to the caller's callback with
// the current hotspot's name.
TEST(PictureLayout, MessagesTheWindowDoesNotTakeGoToTheCallback) {
  layer::testing::TempFolder folder;
  PictureWindow window(300, 150);
  QORIMG_PICTURE* picture = window.Load(TiffFile(folder, 400, 300), "", QORIMG_DISPLAY_FITTED, QORIMG_FILE_TIFF);
  ASSERT_NE(picture, nullptr);
  std::strcpy(picture->szCurrentName, "H");
  struct {
    UINT message;
    LONG handled;
  } cases[] = {
      {WM_SIZE, 1},        {WM_PAINT, 1},          {WM_PALETTECHANGED, 1}, {WM_HSCROLL, 1},
      {WM_VSCROLL, 1},     {WM_MOUSEMOVE, 1},      {WM_LBUTTONDOWN, 1},    {WM_LBUTTONUP, 1},
      {WM_RBUTTONUP, 1},   {WM_RBUTTONDOWN, 0},    {WM_LBUTTONDBLCLK, 0},  {WM_KEYDOWN, 0},
      {WM_COMMAND, 0},     {WM_USER + 5, 0},
  };
  for (bool armed : {false, true}) {
    if (armed) QORIMG_SetZoomMode(picture);
    for (const auto& c : cases) {
      CallbackCalls().clear();
      EXPECT_EQ(QORIMG_OnMessage(window.window, c.message, 0, 0, picture), c.handled) << c.message;
      const bool heard = !CallbackCalls().empty();
      EXPECT_EQ(heard, !c.handled && !armed) << c.message;
      if (heard) {
        EXPECT_EQ(CallbackCalls()[0].hotspot, "H");
      }
      if (armed && c.message == WM_LBUTTONUP) QORIMG_SetZoomMode(picture);
    }
  }
}

// Until the window was painted once, its size follows WM_SIZE.
TEST(PictureLayout, TheSizeIsTakenBeforeTheFirstPaintOnly) {
  layer::testing::TempFolder folder;
  PictureWindow window(200, 100);
  QORIMG_ShowErrorMessages(0);
  QORIMG_PICTURE* picture = QORIMG_OpenImage(window.window, 0, nullptr, TiffFile(folder, 400, 300).c_str(), "",
                                             QORIMG_DISPLAY_FITTED, QORIMG_FILE_TIFF, 0);
  ASSERT_NE(picture, nullptr);
  window.picture = picture;
  picture->nZoomStartX = 4;
  EXPECT_EQ(picture->bPaintedOnce, 0);
  EXPECT_EQ(QORIMG_OnMessage(window.window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(180, 90), picture), 1);
  EXPECT_EQ(picture->nVisibleWidth, 176);
  EXPECT_EQ(picture->nVisibleHeight, 90);
  EXPECT_EQ(picture->bPaintedOnce, 1);
  EXPECT_EQ(QORIMG_OnMessage(window.window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(150, 70), picture), 1);
  EXPECT_EQ(picture->nVisibleWidth, 176);
}

// OnDraw paints into the caller's context, as far as its clip box reaches.
TEST(PictureLayout, OnDrawPaintsIntoTheGivenContext) {
  layer::testing::TempFolder folder;
  PictureWindow window(200, 150);  // the TIFF fits exactly at half size
  QORIMG_PICTURE* picture = window.Load(TiffFile(folder, 400, 300), "", QORIMG_DISPLAY_FITTED, QORIMG_FILE_TIFF);
  ASSERT_NE(picture, nullptr);
  layer::testing::MemoryCanvas canvas(200, 150);
  IntersectClipRect(canvas.dc, 0, 0, 70, 150);
  EXPECT_EQ(QORIMG_OnDraw(window.window, picture, canvas.dc), 1);
  EXPECT_EQ(GetPixel(canvas.dc, 60, 40), RGB(0, 0, 0));  // the block, 100..200 x 75..150 halved
  EXPECT_EQ(GetPixel(canvas.dc, 40, 40), RGB(255, 255, 255));
  SelectClipRgn(canvas.dc, nullptr);
  EXPECT_EQ(GetPixel(canvas.dc, 80, 40), RGB(255, 255, 255));  // beyond the clip box: not painted
  picture->bPainting = 1;  // a paint in progress: asked again, nothing is drawn
  PatBlt(canvas.dc, 0, 0, 200, 150, WHITENESS);
  EXPECT_EQ(QORIMG_OnDraw(window.window, picture, canvas.dc), 1);
  EXPECT_EQ(GetPixel(canvas.dc, 60, 40), RGB(255, 255, 255));
  picture->bPainting = 0;
}

TEST(PictureLayout, TheCommandsOfMain) {
  layer::testing::TempFolder folder;
  folder.Write("p.drf", WriteDrfFile(MakeDrfTestPicture(7, 60, 40), {{"D", "", 5, 5, 15, 15}}));
  PictureWindow window(120, 80);
  QORIMG_PICTURE* picture = window.Load("", folder / "p.drf", QORIMG_DISPLAY_DRF_PLACED, QORIMG_FILE_DRF);
  ASSERT_NE(picture, nullptr);
  auto main = [&](LONG command) { return QORIMG_MAIN(command, picture, window.window, 0, 0, 0); };
  for (LONG unknown : {-1, 4, 6, 8, 13, 15, 100}) EXPECT_EQ(main(unknown), 0) << unknown;
  EXPECT_EQ(QORIMG_MAIN(QORIMG_CMD_MESSAGE, picture, window.window, WM_RBUTTONUP, 0, 0), 1);
  EXPECT_EQ(main(QORIMG_CMD_PAINT), 1);
  EXPECT_EQ(main(QORIMG_CMD_FIT_BARS), 1);

  // The hover test at the window's origin.
  QORIMG_ActivateAllHotspots(1, picture);
  picture->nOriginX = picture->nOriginY = 10;
  EXPECT_EQ(main(QORIMG_CMD_HOVER), 1);
  EXPECT_EQ(QORIMG_GetHotspotNr(picture, nullptr, nullptr), 0);

  // Placing the window: at the origin plus the stored position, one pixel
  // larger than the DRF picture in this mode.
  picture->nWindowX = 3;
  picture->nWindowY = 2;
  EXPECT_EQ(main(QORIMG_CMD_PLACE_WINDOW), 0);
  RECT placed;
  GetWindowRect(window.window, &placed);
  POINT corner{placed.left, placed.top};
  ScreenToClient(window.frame, &corner);
  EXPECT_EQ(corner.x, 13);
  EXPECT_EQ(corner.y, 12);
  EXPECT_EQ(placed.right - placed.left, 61);
  EXPECT_EQ(placed.bottom - placed.top, 41);
  EXPECT_STREQ(picture->szCurrentName, "");
  EXPECT_EQ(picture->nHoverIndex, QORIMG_NO_HOTSPOT);

  // Reading the DRF again, and a DRF that went away.
  EXPECT_EQ(main(QORIMG_CMD_REREAD_DRF), 1);
  EXPECT_EQ(QORIMG_GetGraphicsMode(picture), 2);
  EXPECT_EQ(picture->nVisibleWidth, 60);
  std::filesystem::remove(folder / "p.drf");
  EXPECT_EQ(main(QORIMG_CMD_REREAD_DRF), 0);
  EXPECT_EQ(QORIMG_GetLastError(nullptr), 1 - QORIMG_ERR_DRF_OPEN);

  EXPECT_EQ(main(QORIMG_CMD_RESET), 0);
  EXPECT_EQ(QORIMG_GetHotspotCount(picture), 0);
  EXPECT_EQ(main(QORIMG_CMD_HOVER), 0);  // no hotspots left
}

// A window handle that is no window: every call answers without drawing.
TEST(PictureLayout, AHandleThatIsNoWindowIsLeftAlone) {
  layer::testing::TempFolder folder;
  QORIMG_ShowErrorMessages(0);
  const HWND none = Window(0x5EED);
  QORIMG_PICTURE* picture = QORIMG_LoadPicture(none, 0, RecordCallback, TiffFile(folder, 40, 30).c_str(), "",
                                               QORIMG_DISPLAY_ZOOMED, QORIMG_FILE_TIFF, 0);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->bZoomState, 2);  // a window of no size: nothing to zoom into
  for (LONG mode : {0, 1, 2, 3, 4}) EXPECT_EQ(QORIMG_DisplayPicture(none, picture, mode), 1);
  EXPECT_EQ(QORIMG_RedrawPicture(none, picture), 1);
  for (LONG command : {QORIMG_CMD_PAINT, QORIMG_CMD_FIT_BARS, QORIMG_CMD_HOVER, QORIMG_CMD_PLACE_WINDOW})
    QORIMG_MAIN(command, picture, none, 0, 0, 0);
  QORIMG_SetZoomMode(picture);
  for (UINT message : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP, WM_VSCROLL, WM_PAINT, WM_SIZE})
    EXPECT_EQ(QORIMG_OnMessage(none, message, MK_LBUTTON, MAKELPARAM(5, 5), picture), 1) << message;
  EXPECT_EQ(QORIMG_SetAllHotspots(none, 1, picture), 0);  // no frames without a window
  EXPECT_EQ(QORIMG_CopyToClipboard(picture), 1);
  QORIMG_UnloadPicture(none, picture);
}

TEST(PictureLayout, NullAndUnknownPicturesGiveTheFailureValues) {
  alignas(QORIMG_PICTURE) static char stranger[sizeof(QORIMG_PICTURE)] = {};
  for (QORIMG_PICTURE* bad : {static_cast<QORIMG_PICTURE*>(nullptr), reinterpret_cast<QORIMG_PICTURE*>(stranger)}) {
    const HWND window = Window(0xBAD);
    EXPECT_EQ(QORIMG_RecalcLayout(window, bad), 0);
    EXPECT_EQ(QORIMG_UpdateBars(window, bad), 0);
    EXPECT_EQ(QORIMG_DisplayPicture(window, bad, 1), 0);
    EXPECT_EQ(QORIMG_RedrawPicture(window, bad), 0);
    EXPECT_EQ(QORIMG_OnDraw(window, bad, nullptr), 0);
    EXPECT_EQ(QORIMG_OnMessage(window, WM_PAINT, 0, 0, bad), 0);
    EXPECT_EQ(QORIMG_MAIN(QORIMG_CMD_PAINT, bad, window, 0, 0, 0), 0);
    EXPECT_EQ(QORIMG_SetZoomMode(bad), nullptr);
    EXPECT_EQ(QORIMG_InZoomAction(bad), 0);
    EXPECT_EQ(QORIMG_GetHotspotOffset(bad), -1);
    EXPECT_EQ(QORIMG_GetScaledClientSize(bad), -1);
    EXPECT_EQ(QORIMG_GetBildMitte(bad), -1);
    EXPECT_EQ(QORIMG_GetZoomStart(bad), -1);
    EXPECT_EQ(QORIMG_GetPictureMode(bad), -1);
    EXPECT_EQ(QORIMG_GetZoomFactor(bad).x, -1.0);
    EXPECT_EQ(QORIMG_GetBildFactor(bad).y, -1.0);
    EXPECT_EQ(QORIMG_CopyToClipboard(bad), 0);
    EXPECT_EQ(FILE_DRF2TIFF_Hotspots("out.tif", bad), 0);
    BYTE target[64];
    WORD bits = 0;
    EXPECT_EQ(QORIMG_GetDRFSize(bad), -1);
    EXPECT_EQ(QORIMG_GetTIFFSize(bad), -1);
    EXPECT_EQ(QORIMG_GetDRFSpotOffset(bad), -1);
    EXPECT_EQ(QORIMG_GetGraphicsMode(bad), -1);
    EXPECT_EQ(QORIMG_GetDRFColorInfo(bad, &bits, &bits), 0);
    EXPECT_EQ(QORIMG_DecodeDRF2DIB(bad, target), 0);
    EXPECT_EQ(QORIMG_DecodeTIFF2DIB(bad, target), 0);
    EXPECT_EQ(QORIMG_SetBkColor(bad, 0, 5), 0);
    EXPECT_EQ(QORIMG_SetPaletteEntries(bad, nullptr, 0), 0);
  }
  EXPECT_EQ(stranger[0], 0);
}

}  // namespace
