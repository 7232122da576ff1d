// Hotspots drawn on a memory device context, checked by their pixels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HotspotFixtures.h"
#include "mfc/CClientDC.h"
#include "mfc/CDC.h"
#include "mfc/CFont.h"
#include "mfc/CPalette.h"
#include "mfc/CWnd.h"
#include "testing/MemoryCanvas.h"

namespace {

using hotspots::testing::MakeList;
using hotspots::testing::Spot;

constexpr COLORREF white = RGB(255, 255, 255);
constexpr COLORREF black = RGB(0, 0, 0);

// A white picture of 80 x 60 pixels in a memory context.
class Canvas : public layer::testing::MemoryCanvas {
 public:
  Canvas() : MemoryCanvas(80, 60) {}
  COLORREF At(int x, int y) const { return ::GetPixel(MemoryCanvas::dc, x, y) & 0xFFFFFF; }
  CDC* Dc() const { return CDC::FromHandle(MemoryCanvas::dc); }
};

class HotspotDrawing : public testing::Test {
 protected:
  void TearDown() override { HS_Delete(list); }
  void Make(const std::vector<Spot>& spots) {
    list = MakeList(spots);
    HS_SetImageSize(list, 80, 60);
    HS_Zoom(list, 80, 60);
  }

  Canvas canvas;
  HS_HANDLE list = nullptr;
};

TEST_F(HotspotDrawing, InvertedAreaOfTheActiveHotspotAndItsInverse) {
  Make({{10, 10, 30, 20, "a", "", 0}, {40, 10, 60, 20, "b", "", 0}});
  HS_ActivateHotspotNr(list, 0, 1, nullptr, 0, 0, nullptr);
  std::vector<COLORREF> before = canvas.Pixels();
  EXPECT_EQ(HS_OnDraw(list, canvas.Dc(), 0, 0), 2);
  EXPECT_EQ(canvas.At(10, 10), black);
  EXPECT_EQ(canvas.At(29, 19), black);
  EXPECT_EQ(canvas.At(20, 15), black);
  EXPECT_EQ(canvas.At(30, 15), white);
  EXPECT_EQ(canvas.At(50, 15), white);  // not active: not drawn
  HS_OnDraw(list, canvas.Dc(), 0, 0);
  EXPECT_EQ(canvas.Pixels(), before);
}

TEST_F(HotspotDrawing, DrawOffsetMovesTheHotspots) {
  Make({{10, 10, 30, 20, "a", "", 0}});
  HS_ActivateHotspotNr(list, 0, 1, nullptr, 0, 0, nullptr);
  HS_OnDraw(list, canvas.Dc(), 5, -3);
  EXPECT_EQ(canvas.At(14, 15), white);
  EXPECT_EQ(canvas.At(15, 7), black);
  EXPECT_EQ(canvas.At(34, 16), black);
}

TEST_F(HotspotDrawing, EllipsesLeaveTheCornersAlone) {
  Make({{10, 10, 50, 40, "a", "", 0}});
  HS_DrawSettings(list, 1, 2, 1, 0, nullptr, nullptr);
  HS_ActivateHotspotNr(list, 0, 1, nullptr, 0, 0, nullptr);
  HS_OnDraw(list, canvas.Dc(), 0, 0);
  EXPECT_EQ(canvas.At(30, 25), black);
  EXPECT_EQ(canvas.At(11, 11), white);
  EXPECT_EQ(canvas.At(48, 38), white);
}

TEST_F(HotspotDrawing, ColouredFramesByModeWithTheActiveOneOnTop) {
  COLORREF normal[256], active[256];
  for (int i = 0; i < 256; ++i) {
    normal[i] = RGB(0, 0, i);
    active[i] = RGB(i, 0, 0);
  }
  // Two hotspots sharing their left and right edges: the later-drawn frame wins there.
  Make({{10, 10, 31, 30, "a", "", 5}, {30, 10, 50, 30, "b", "", 5}});
  HS_DrawSettings(list, 3, 1, 2, 255, normal, active);
  HS_ActivateHotspotNr(list, 0, 1, nullptr, 0, 0, nullptr);
  HS_OnDraw(list, canvas.Dc(), 0, 0);
  EXPECT_EQ(canvas.At(10, 20), RGB(5, 0, 0));   // active frame
  EXPECT_EQ(canvas.At(49, 20), RGB(0, 0, 5));   // inactive frame
  EXPECT_EQ(canvas.At(30, 20), RGB(5, 0, 0));   // shared edge: the active one was drawn last
  EXPECT_EQ(canvas.At(20, 20), white);          // frames are hollow
}

TEST_F(HotspotDrawing, ColourTablesTakeTheFirst255EntriesOnly) {
  COLORREF red[256];
  for (COLORREF& c : red) c = RGB(255, 0, 0);
  Make({{10, 10, 30, 30, "a", "", 254}, {40, 10, 60, 30, "b", "", 255}});
  HS_DrawSettings(list, 3, 1, 1, 255, red, red);
  HS_OnDraw(list, canvas.Dc(), 0, 0);
  EXPECT_EQ(canvas.At(10, 20), RGB(255, 0, 0));
  EXPECT_EQ(canvas.At(40, 20), black);  // entry 255 kept its default
}

TEST_F(HotspotDrawing, InvertedOutlineTogglesTheFrameOnce) {
  Make({{10, 10, 40, 40, "a", "", 0}});
  HS_DrawSettings(list, 2, 1, 3, 0, nullptr, nullptr);
  HS_ActivateHotspotNr(list, 0, 1, nullptr, 0, 0, nullptr);
  std::vector<COLORREF> before = canvas.Pixels();
  HS_OnDraw(list, canvas.Dc(), 0, 0);
  EXPECT_EQ(canvas.At(10, 25), black);
  EXPECT_EQ(canvas.At(25, 25), white);
  EXPECT_EQ(canvas.At(3, 25), white);
  HS_OnDraw(list, canvas.Dc(), 0, 0);
  EXPECT_EQ(canvas.Pixels(), before);
}

TEST_F(HotspotDrawing, PenWidthZeroDrawsNoFramesOrOutlines) {
  for (int style : {2, 3, 0x20, 0x23}) {
    SCOPED_TRACE(style);
    Canvas fresh;
    HS_HANDLE spots = MakeList({{10, 10, 40, 40, "a", "", 0}});
    HS_DrawSettings(spots, style, 1, 0, 0, nullptr, nullptr);
    HS_ActivateHotspotNr(spots, 0, 1, nullptr, 0, 0, nullptr);
    HS_SelectHotspotNr(spots, 0, 1, nullptr, 0, 0, 0);
    std::vector<COLORREF> before = fresh.Pixels();
    HS_OnDraw(spots, fresh.Dc(), 0, 0);
    EXPECT_EQ(fresh.Pixels(), before);
    HS_Delete(spots);
  }
}

TEST_F(HotspotDrawing, SelectionMarksOfTheHighStyles) {
  struct Case {
    int style;
    COLORREF inside, edge;
  } cases[] = {{0x10, black, black}, {0x20, white, black}, {1, white, white}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    Canvas fresh;
    HS_HANDLE spots = MakeList({{10, 10, 40, 40, "a", "", 0}});
    HS_DrawSettings(spots, c.style, 1, 1, 0, nullptr, nullptr);
    HS_SelectHotspotNr(spots, 0, 1, nullptr, 0, 0, 0);
    HS_OnDraw(spots, fresh.Dc(), 0, 0);
    EXPECT_EQ(fresh.At(25, 25), c.inside);
    EXPECT_EQ(fresh.At(10, 25), c.edge);
    HS_Delete(spots);
  }
}

// A picture window of 80 x 60 pixels, white, with nothing left to paint.
class PictureWindow : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(window.CreateEx(0, nullptr, "picture", WS_POPUP | WS_VISIBLE, 0, 0, 80, 60, nullptr, nullptr));
    HDC dc = ::GetDC(window.m_hWnd);
    PatBlt(dc, 0, 0, 80, 60, WHITENESS);
    ::ReleaseDC(window.m_hWnd, dc);
    ValidateRect(window.m_hWnd, nullptr);
  }
  void TearDown() override {
    HS_Delete(list);
    window.DestroyWindow();
  }
  void Make(const std::vector<Spot>& spots) {
    list = MakeList(spots);
    HS_SetImageSize(list, 80, 60);
    HS_Zoom(list, 80, 60);
  }
  COLORREF At(int x, int y) {
    HDC dc = ::GetDC(window.m_hWnd);
    COLORREF colour = GetPixel(dc, x, y) & 0xFFFFFF;
    ::ReleaseDC(window.m_hWnd, dc);
    return colour;
  }
  int Move(int x, int y, int scrollX = 0, int scrollY = 0) {
    return HS_OnMouseMove(list, &window, scrollX, scrollY, 0, x, y, nullptr);
  }

  CWnd window;
  HS_HANDLE list = nullptr;
};

TEST_F(PictureWindow, AHighlightFollowsTheMouseWithoutRepaint) {
  Make({{20, 20, 40, 30, "a", "", 0}});
  // The picture's palette is selected for the redraw and the window keeps its own.
  struct {
    LOGPALETTE head;
    PALETTEENTRY more[1];
  } colours = {{0x300, 2, {{0, 0, 0, 0}}}, {{255, 255, 255, 0}}};
  CPalette palette;
  ASSERT_TRUE(palette.CreatePalette(&colours.head));
  EXPECT_EQ(HS_OnMouseMove(list, &window, 5, 3, 0, 25, 25, &palette), 0);
  EXPECT_EQ(At(15, 17), black);
  EXPECT_EQ(HS_OnMouseMove(list, &window, 5, 3, 0, 60, 50, &palette), -1);
  EXPECT_EQ(At(15, 17), white);
  EXPECT_EQ(Move(25, 25, 5, 3), 0);
  EXPECT_EQ(At(15, 17), black);  // drawn at the scroll position
  EXPECT_EQ(At(35, 20), white);
  EXPECT_EQ(Move(60, 50, 5, 3), -1);
  EXPECT_EQ(At(15, 17), white);
  EXPECT_EQ(Move(25, 25), 0);
  EXPECT_EQ(At(20, 20), black);
  EXPECT_EQ(HS_ClearHotspots(list, &window, 0, 0, nullptr), 1);
  EXPECT_EQ(At(20, 20), white);
  RECT update;
  EXPECT_FALSE(GetUpdateRect(window.m_hWnd, &update, FALSE));
}

TEST_F(PictureWindow, MovingOnTurnsTheOldHighlightOffBeforeTheNewOneOn) {
  COLORREF normal[256] = {}, active[256] = {};
  normal[1] = RGB(0, 0, 255);
  active[1] = RGB(255, 0, 0);
  // Their frames share the column x = 30.
  Make({{10, 10, 31, 30, "a", "", 1}, {30, 10, 50, 30, "b", "", 1}});
  HS_DrawSettings(list, 3, 1, 1, 2, normal, active);
  EXPECT_EQ(Move(15, 20), 0);
  EXPECT_EQ(At(10, 20), RGB(255, 0, 0));
  EXPECT_EQ(Move(45, 20), 1);
  EXPECT_EQ(At(10, 20), RGB(0, 0, 255));
  EXPECT_EQ(At(49, 20), RGB(255, 0, 0));
  EXPECT_EQ(At(30, 20), RGB(255, 0, 0));
}

TEST_F(PictureWindow, SelectionInvalidatesOnlyInTheHighStyles) {
  Make({{20, 20, 40, 30, "a", "", 0}});
  HS_FrameSettings(list, 2, 3);
  RECT update;
  HS_SelectHotspotNr(list, 0, 1, &window, 5, 4, 0);
  EXPECT_FALSE(GetUpdateRect(window.m_hWnd, &update, FALSE));
  EXPECT_EQ(HS_IsHotspotNrSelected(list, 0), 1);

  HS_DrawSettings(list, 0x11, 1, 1, 0, nullptr, nullptr);
  HS_SelectHotspotNr(list, 0, 1, &window, 5, 4, 0);  // no change, no invalidation
  EXPECT_FALSE(GetUpdateRect(window.m_hWnd, &update, FALSE));
  HS_SelectHotspot(list, "a", 0, &window, 5, 4, 0);
  ASSERT_TRUE(GetUpdateRect(window.m_hWnd, &update, FALSE));
  EXPECT_EQ(update.left, 20 - 5 - 6);
  EXPECT_EQ(update.top, 20 - 4 - 6);
  EXPECT_EQ(update.right, 40 - 5 + 6);
  EXPECT_EQ(update.bottom, 30 - 4 + 6);
}

TEST(HotspotLabels, ALabelIsAsLargeAsItsNameInTheMeasuringFont) {
  CFont arial;
  ASSERT_TRUE(arial.CreatePointFont(120, "Arial"));
  CClientDC screen(nullptr);
  CFont* old = screen.SelectObject(&arial);
  CSize expected = screen.GetTextExtent("AB");
  screen.SelectObject(old);

  HS_HANDLE list = HS_New();
  EXPECT_EQ(HS_SetTextMode(list, 1), 0);
  HS_AddHotspot(list, 7, 9, 100, 100, "AB", "", 0);
  EXPECT_EQ(hotspots::testing::Contents(list), (std::vector<Spot>{{7, 9, 7 + expected.cx, 9 + expected.cy, "AB", "", 0}}));
  HS_Delete(list);
}

// The label as DrawText shows it in the font of that point size, centred in
// its rectangle, for comparison pixel by pixel.
std::vector<COLORREF> Reference(int points, const RECT& box, COLORREF colour) {
  Canvas canvas;
  CFont font;
  font.CreatePointFont(points * 10, "Arial");
  CFont* old = canvas.Dc()->SelectObject(&font);
  canvas.Dc()->SetBkMode(TRANSPARENT);
  canvas.Dc()->SetTextColor(colour);
  RECT r = box;
  canvas.Dc()->DrawText("Pos 7", &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
  canvas.Dc()->SelectObject(old);
  return canvas.Pixels();
}

TEST(HotspotLabels, LabelsAreDrawnInAFontThatFollowsTheZoom) {
  struct Case {
    int shownHeight, points;
    bool active;
  } cases[] = {{60, 12, false}, {120, 12, false}, {30, 6, false}, {20, 4, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shownHeight);
    HS_HANDLE list = HS_New();
    HS_SetTextSettings(list, "Arial", 12, RGB(0, 0, 255), RGB(255, 0, 0), TRANSPARENT);
    HS_SetTextMode(list, 1);
    HS_SetImageSize(list, 80, 60);
    HS_AddHotspot(list, 10, 20, 0, 0, "Pos 7", "", 0);
    HS_Zoom(list, 80, c.shownHeight);
    if (c.active) HS_ActivateHotspotNr(list, 0, 1, nullptr, 0, 0, nullptr);
    HS_DrawSettings(list, 0, 1, 1, 0, nullptr, nullptr);  // labels only
    Spot label = hotspots::testing::Contents(list).at(0);
    RECT shown = {label.left, MulDiv(label.top, c.shownHeight, 60), label.right, MulDiv(label.bottom, c.shownHeight, 60)};
    Canvas canvas;
    HS_OnDraw(list, canvas.Dc(), 0, 0);
    EXPECT_EQ(canvas.Pixels(), Reference(c.points, shown, RGB(0, 0, 255)));
    HS_Delete(list);
  }
}

}  // namespace
