#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Main/res/ScreenLayoutIds.h"
#include "Main/tests/PictureFixture.h"
#include "mfc/CMenu.h"
#include "user/Menus.h"
#include "win32/Clock.h"
#include "win32/MessageBox.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace {

using varno::testing::PictureFixture;
using varno::testing::FrameDef;

class PictureViewTest : public PictureFixture {};

struct ZoomCase {
  const char* name;
  int rule;
  int programZoom;
  int zoom;  // the view's zoom setting after the first layout
  CSize shown;
  CPoint offset;
};

class PictureZoomRule : public PictureFixture, public ::testing::WithParamInterface<ZoomCase> {};

TEST_P(PictureZoomRule, TheFirstLayoutZoomsByTheRuleAndCentres) {
  const ZoomCase& c = GetParam();
  theGlobals.m_ZoomFactor = c.programZoom;
  CPicView* view = ViewOf(PictureFrame("rm46.bmp", c.rule));
  ASSERT_NE(view, nullptr);
  view->UpdateWindow();
  EXPECT_EQ(view->GetZoom(), c.zoom);
  EXPECT_EQ(view->ScrollSize(), c.shown);
  EXPECT_EQ(view->CentringOffset(), c.offset);
  if (c.rule == 1) EXPECT_EQ(theGlobals.m_ZoomFactor, c.zoom);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, PictureZoomRule,
    ::testing::Values(ZoomCase{"WholePicture", 2, 0, 0, CSize(400, 200), CPoint(0, 50)},
                      ZoomCase{"OriginalSizeInAWindowOfItsOwnSize", 0, 0, 1, CSize(200, 100), CPoint(0, 0)},
                      ZoomCase{"ProgramZoomWhole", 1, 0, 0, CSize(400, 200), CPoint(0, 50)},
                      ZoomCase{"ProgramZoomStartedFallsBackToWhole", 1, -1, 0, CSize(400, 200), CPoint(0, 50)},
                      ZoomCase{"ProgramZoomToWidth", 1, -2, -2, CSize(400, 200), CPoint(0, 50)}),
    [](const ::testing::TestParamInfo<ZoomCase>& info) { return std::string(info.param.name); });

TEST_F(PictureViewTest, TheDescriptionsHotspotsAreReadAndTheQuestionMarkOneNeverHit) {
  CPicView* view = ViewOf(PictureFrame("rm46.bmp"));
  ASSERT_NE(view, nullptr);
  ASSERT_EQ(HS_GetNumberOfHotspots(view->Hotspots()), 4);
  Send(*view, WM_MOUSEMOVE, WindowPoint(*view, 2, 2));
  EXPECT_EQ(view->ActiveHotspot(), -1);
  Send(*view, WM_MOUSEMOVE, WindowPoint(*view, 120, 30));
  CString name;
  CString link;
  ASSERT_TRUE(view->GetActiveHotspot(name, link));
  EXPECT_STREQ(name, "1");
}

// Statement 161 drops the hotspots that the last picture's file brought;
// those the description gives afterwards stay, and an earlier picture keeps
// its own. Before any picture it does nothing.
TEST_F(PictureViewTest, TheDescriptionDropsTheHotspotsOfTheLastPicturesFile) {
  const std::string drawing = std::string(VARNO_CATALOGUE_DIR) + "/rm46.cap";  // four label hotspots
  FrameDef def("P");
  def.Tag(161).Text(28, drawing).Text(28, drawing).Tag(161).Text(147, "P,100,10,150,50,1").Text(148, "1");
  const CFrame& frame = Shown(def);
  ASSERT_EQ(frame.m_child_count, 2);
  std::vector<int> counts;
  for (int i = 0; i < 2; ++i) {
    const CPicView* view = frame.m_children[static_cast<size_t>(i)].Picture()->GetPicView();
    ASSERT_NE(view, nullptr);
    counts.push_back(HS_GetNumberOfHotspots(view->Hotspots()));
  }
  EXPECT_EQ(counts, (std::vector<int>{4, 1}));
}

TEST_F(PictureViewTest, ResizingKeepsTheWholePictureButNotTheOriginalSize) {
  CPicView* whole = ViewOf(PictureFrame("rm46.bmp", 2));
  whole->MoveWindow(0, 0, 200, 300);
  EXPECT_EQ(whole->ScrollSize(), CSize(200, 100));
  whole->SetZoom(1);
  whole->MoveWindow(0, 0, 300, 300);
  EXPECT_EQ(whole->ScrollSize(), CSize(200, 100));
}

TEST_F(PictureViewTest, AClickOnAKeyHotspotShowsTheKeyAndOnlyAPlainClick) {
  CFrame& table = TableFrame();
  CPicView* view = ViewOf(PictureFrame("rm46.bmp"));
  Adopt();
  const CPoint motor = WindowPoint(*view, 30, 25);
  Send(*view, WM_MOUSEMOVE, motor);
  EXPECT_EQ(view->GetEventKind(), CPicView::EVENT_LINK);
  ASSERT_FALSE(shell.hints.empty());
  EXPECT_EQ(shell.hints.back(), "129:?MOT:?MOT");  // the link text, which is the name's field
  Send(*view, WM_LBUTTONDOWN, motor, MK_LBUTTON);
  EXPECT_EQ(TakeKeyCommands(), (KeyCommands{{1, "MOT"}}));
  layer::SetKeyDown(VK_CONTROL, true);
  EXPECT_EQ(view->GetEventKind(), CPicView::EVENT_NONE);  // a key offers no parts
  Send(*view, WM_LBUTTONDOWN, motor, MK_LBUTTON | MK_CONTROL);
  EXPECT_TRUE(TakeKeyCommands().empty());
  EXPECT_EQ(SelectedRow(table), -1);
}

TEST_F(PictureViewTest, AClickOnAPartHotspotFollowsItsRowsLinkOrOrdersWithControl) {
  TableFrame();
  CPicView* view = ViewOf(PictureFrame("rm46.bmp"));
  Adopt();
  const CPoint part = WindowPoint(*view, 120, 30);
  Send(*view, WM_MOUSEMOVE, part);
  EXPECT_EQ(view->GetEventKind(), CPicView::EVENT_LINK);
  Send(*view, WM_LBUTTONDOWN, part, MK_LBUTTON);
  EXPECT_EQ(TakeKeyCommands(), (KeyCommands{{1, "MOT"}}));
  varno::testing::OrderListStandIn orderList;
  layer::SetKeyDown(VK_CONTROL, true);
  EXPECT_EQ(view->GetEventKind(), CPicView::EVENT_PARTS);
  Send(*view, WM_LBUTTONDOWN, part, MK_LBUTTON | MK_CONTROL);
  ASSERT_EQ(orderList.copies.size(), 1U);
  EXPECT_EQ(orderList.copies[0].code, 6U);
}

TEST_F(PictureViewTest, HoveringAHotspotSelectsItsRowAtOnceOrAfterTheRest) {
  CFrame& table = TableFrame();
  CPicView* view = ViewOf(PictureFrame("rm46.bmp"));
  Adopt();
  Send(*view, WM_MOUSEMOVE, WindowPoint(*view, 120, 30));
  EXPECT_EQ(SelectedRow(table), 0);
  Send(*view, WM_MOUSEMOVE, WindowPoint(*view, 120, 70));
  EXPECT_EQ(SelectedRow(table), 1);

  layer::ManualClock clock;
  layer::ScopedClock useClock(clock);
  theGlobals.m_hs_connect_use_timer = TRUE;
  theGlobals.m_hs_connect_timer = 300;
  const CPoint first = WindowPoint(*view, 120, 30);
  const CPoint second = WindowPoint(*view, 121, 31);
  Send(*view, WM_MOUSEMOVE, first);
  clock.Advance(200);
  layer::PumpUntilIdle();
  Send(*view, WM_MOUSEMOVE, second);
  EXPECT_EQ(SelectedRow(table), -1);  // a move is no hover link yet
  clock.Advance(200);
  layer::PumpUntilIdle();
  EXPECT_EQ(SelectedRow(table), -1);  // every move restarts the rest
  EXPECT_TRUE(view->HoverTimerRunning());
  clock.Advance(100);
  layer::PumpUntilIdle();
  EXPECT_EQ(SelectedRow(table), 0);
  EXPECT_FALSE(view->HoverTimerRunning());

  // The focus going elsewhere while the pointer is away ends the hover.
  Send(*view, WM_MOUSEMOVE, WindowPoint(*view, 120, 30));
  layer::SetCursorPosition(POINT{5000, 5000});
  SendMessage(view->m_hWnd, WM_KILLFOCUS, 0, 0);
  EXPECT_EQ(SelectedRow(table), -1);
  EXPECT_FALSE(view->HoverTimerRunning());
}

// The pointer leaving the picture for a place that takes no focus (a bar,
// the toolbar, the desktop) leaves no hotspot lit, nor the rows it lit.
TEST_F(PictureViewTest, LeavingThePictureUnlightsItsHotspotAndItsRow) {
  CFrame& table = TableFrame();
  CPicView* view = ViewOf(PictureFrame("rm46.bmp"));
  Adopt();
  Send(*view, WM_MOUSEMOVE, WindowPoint(*view, 120, 30));
  CString name;
  CString link;
  ASSERT_TRUE(view->GetActiveHotspot(name, link));
  ASSERT_EQ(SelectedRow(table), 0);

  layer::MouseInput(POINT{5000, 5000}, WM_MOUSEMOVE, 0);
  layer::PumpUntilIdle();
  EXPECT_FALSE(view->GetActiveHotspot(name, link)) << "still lit: " << static_cast<const char*>(name);
  EXPECT_EQ(SelectedRow(table), -1);

  // Back over the picture, the hotspot lights again and is watched again.
  Send(*view, WM_MOUSEMOVE, WindowPoint(*view, 120, 30));
  EXPECT_TRUE(view->GetActiveHotspot(name, link));
  layer::MouseInput(POINT{5000, 5000}, WM_MOUSEMOVE, 0);
  layer::PumpUntilIdle();
  EXPECT_FALSE(view->GetActiveHotspot(name, link));
}

TEST_F(PictureViewTest, ARowUnderThePointerSelectsItsHotspotInThePicture) {
  CFrame& table = TableFrame();
  CPicView* view = ViewOf(PictureFrame("rm46.bmp"));
  Adopt();
  table.ConnectHotspot("2");
  EXPECT_STREQ(view->SelectedHotspot(), "2");
  EXPECT_TRUE(HS_IsHotspotSelected(view->Hotspots(), "2") || view->SelectedHotspot() == "2");
  table.ConnectHotspot("2");  // the same name again changes nothing
  table.ConnectHotspot("1");
  EXPECT_STREQ(view->SelectedHotspot(), "1");
}

TEST_F(PictureViewTest, OnlyHotspotsThatTheTablesKnowAreKept) {
  CFrame& table = TableFrame();
  CFrame& pictureFrame = PictureFrame("rm46.bmp");
  CPicView* view = ViewOf(pictureFrame);
  Adopt();
  table.CollectLinkNames();
  pictureFrame.AttachPictureViews();
  std::vector<std::string> kept;
  for (int i = 0; i < HS_GetNumberOfHotspots(view->Hotspots()); ++i) {
    RECT rect{};
    CString* name = nullptr;
    CString* link = nullptr;
    BYTE mode = 0;
    ASSERT_TRUE(HS_GetHotspot(view->Hotspots(), i, &rect, &name, &link, &mode));
    kept.push_back(std::string(*name) + ":" + std::to_string(mode));
  }
  EXPECT_EQ(kept, (std::vector<std::string>{"1:3", "2:1"}));
}

TEST_F(PictureViewTest, TheContextMenuOffersWhatTheHotspotUnderThePointerOffers) {
  struct Case {
    const char* where;
    CPoint at;  // in the picture
    int rule;
    std::vector<UINT> enabled;
  };
  const std::vector<UINT> always{ID_CTX_COPY_PICTURE, ID_CTX_ORDER_LIST};
  for (const Case& c : {Case{"part with a link", CPoint(120, 30), 2, {ID_CTX_PART_INFO, ID_CTX_ORDER, ID_CTX_BRANCH}},
                        Case{"key", CPoint(30, 25), 2, {ID_CTX_BRANCH}}, Case{"nothing", CPoint(180, 90), 2, {}},
                        Case{"nothing, program zoom", CPoint(180, 90), 1,
                             {ID_CTX_ZOOM_START, ID_CTX_ZOOM_WHOLE, ID_CTX_ZOOM_PART}}}) {
    SCOPED_TRACE(c.where);
    TableFrame();
    CPicView* view = ViewOf(PictureFrame("rm46.bmp", c.rule));
    Adopt();
    Send(*view, WM_MOUSEMOVE, WindowPoint(*view, c.at.x, c.at.y));
    CMenu menu;
    CMenu* popup = face.m_frames[1]->LoadContextMenu(menu);
    ASSERT_NE(popup, nullptr);
    view->PrepareContextMenu(popup);
    std::vector<UINT> expected = c.enabled;
    expected.insert(expected.end(), always.begin(), always.end());
    for (UINT id : {ID_CTX_PART_INFO, ID_CTX_ORDER, ID_CTX_BRANCH, ID_CTX_ZOOM_START, ID_CTX_ZOOM_WHOLE,
                    ID_CTX_ZOOM_PART, ID_CTX_COPY_PICTURE, ID_CTX_ORDER_LIST}) {
      const BOOL enabled = (popup->GetMenuState(id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
      EXPECT_EQ(enabled, std::find(expected.begin(), expected.end(), id) != expected.end()) << id;
    }
    if (c.rule == 1) EXPECT_NE(popup->GetMenuState(ID_CTX_ZOOM_WHOLE, MF_BYCOMMAND) & MF_CHECKED, 0U);
    menu.DestroyMenu();
    pictureMain->DestroyWindow();
    pictureMain = nullptr;
    face.Clear();
  }
}

TEST_F(PictureViewTest, TheContextCommandsZoomCopyAndOrder) {
  TableFrame();
  CPicView* view = ViewOf(PictureFrame("rm46.bmp", 1));
  Adopt();
  Send(*view, WM_MOUSEMOVE, WindowPoint(*view, 120, 70));
  CMenu menu;
  view->PrepareContextMenu(face.m_frames[1]->LoadContextMenu(menu));
  menu.DestroyMenu();
  EXPECT_STREQ(face.m_default_hotspot, "2");
  varno::testing::OrderListStandIn orderList;
  SendMessage(view->m_hWnd, WM_COMMAND, ID_CTX_PART_INFO, 0);
  ASSERT_EQ(orderList.copies.size(), 1U);
  EXPECT_EQ(orderList.copies[0].code, 4U);

  SendMessage(view->m_hWnd, WM_COMMAND, ID_CTX_ZOOM_PART, 0);
  EXPECT_EQ(view->GetZoom(), -2);
  EXPECT_EQ(theGlobals.m_ZoomFactor, -2);
  SendMessage(view->m_hWnd, WM_COMMAND, ID_CTX_ZOOM_START, 0);
  EXPECT_TRUE(view->IsZoomMode());
  EXPECT_TRUE(face.StartZoom());  // the face's one picture that follows the program zoom
  EXPECT_FALSE(view->IsZoomMode());

  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  SendMessage(view->m_hWnd, WM_COMMAND, ID_CTX_COPY_PICTURE, 0);
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
}

// "Verzweigen" chosen in a picture's context menu reaches the active view,
// the frame's scroll view, which has the face replay the picture's click.
TEST_F(PictureViewTest, BranchInTheFrameViewFromThePicturesMenuReplaysThePicturesClick) {
  TableFrame();
  CPicView* view = ViewOf(PictureFrame("rm46.bmp"));
  Adopt();
  Send(*view, WM_MOUSEMOVE, WindowPoint(*view, 120, 30));  // position 1, whose row links to the motor
  face.m_context_view = view;  // as the picture's context menu leaves the face
  face.m_context_is_picture = TRUE;
  SendMessage(pictureMain->m_hWnd, WM_COMMAND, ID_CTX_BRANCH, 0);
  EXPECT_EQ(TakeKeyCommands(), (KeyCommands{{1, "MOT"}}));
}

TEST_F(PictureViewTest, ARubberBandZoomsToItsRectangleAndAnEmptyOneOnlyDisarms) {
  CPicView* view = ViewOf(PictureFrame("rm46.bmp", 1));
  Adopt();
  view->UpdateWindow();
  view->ToggleZoomMode();
  const CPoint from = WindowPoint(*view, 100, 50);
  Send(*view, WM_LBUTTONDOWN, from, MK_LBUTTON);
  EXPECT_TRUE(view->IsDragging());
  Send(*view, WM_LBUTTONUP, from, 0);
  EXPECT_FALSE(view->IsZoomMode());
  EXPECT_EQ(view->GetZoom(), 0);

  // Losing the capture cancels a drag.
  view->ToggleZoomMode();
  Send(*view, WM_LBUTTONDOWN, from, MK_LBUTTON);
  SendMessage(view->m_hWnd, WM_CAPTURECHANGED, 0, 0);
  EXPECT_FALSE(view->IsDragging());
  EXPECT_FALSE(view->IsZoomMode());

  view->ToggleZoomMode();
  Send(*view, WM_LBUTTONDOWN, from, MK_LBUTTON);
  Send(*view, WM_MOUSEMOVE, from + CPoint(50, 25), MK_LBUTTON);
  EXPECT_EQ(view->Band(), CRect(from, from + CPoint(50, 25)));
  Send(*view, WM_LBUTTONUP, from + CPoint(50, 25), 0);
  EXPECT_FALSE(view->IsZoomMode());
  EXPECT_EQ(view->GetZoom(), -1);
  EXPECT_GT(view->ScrollSize().cx, 400);
  // The band's centre (picture point 112, 56) lies at the window's centre.
  CRect client;
  view->GetClientRect(&client);
  const CPoint centre = WindowPoint(*view, 112, 56);
  EXPECT_NEAR(centre.x, client.CenterPoint().x, 10);
  EXPECT_NEAR(centre.y, client.CenterPoint().y, 10);
}

TEST_F(PictureViewTest, OnTheFirstStartScreenAClickLeadsToTheStartKeyAndNoMenuOpens) {
  CPicView* view = ViewOf(PictureFrame("rm46.bmp"));
  Adopt();
  theGlobals.m_FirstStart = TRUE;
  theGlobals.m_key_start = "START";
  theGlobals.m_cur_varbuf.Append("x");
  Send(*view, WM_LBUTTONDOWN, WindowPoint(*view, 180, 90), MK_LBUTTON);
  SendMessage(view->m_hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(view->m_hWnd), MAKELPARAM(10, 10));
  theGlobals.m_FirstStart = FALSE;
  EXPECT_EQ(TakeKeyCommands(), (KeyCommands{{0, "START"}}));
  EXPECT_EQ(theGlobals.m_cur_varbuf.GetLength(), 0);
  EXPECT_EQ(face.m_context_view, nullptr);
}

TEST_F(PictureViewTest, APictureThatCannotBeShownHasNoViewAndTellsOnce) {
  int boxes = 0;
  std::string shown;
  layer::MessageBoxPresenter before = layer::SetMessageBoxPresenter([&](HWND, const char* text, const char*, UINT) {
    ++boxes;
    shown = text;
    return IDOK;
  });
  folder.Write("broken.bmp", "BM not really a bitmap");
  CFrame& broken = PictureFrame("broken.bmp");
  CFrame& missing = PictureFrame("none.bmp");
  layer::SetMessageBoxPresenter(before);
  EXPECT_EQ(ViewOf(broken), nullptr);
  EXPECT_EQ(ViewOf(missing), nullptr);
  EXPECT_EQ(boxes, 1);
  EXPECT_NE(shown.find("BMP Decoder"), std::string::npos) << shown;
  // Laid out all the same, over the whole view.
  EXPECT_EQ(broken.m_children[0].Picture()->m_rect.Width(), 400);
}

}  // namespace

namespace {

TEST_F(PictureViewTest, AMaximisedFrameKeepsItsPictureWhenThePanesGo) {
  CFrame& pictureFrame = PictureFrame("rm46.bmp");
  CPicView* view = ViewOf(pictureFrame);
  Adopt();
  face.MaximizeFrame(face.m_frames[0].get());
  pictureMain->DestroyWindow();
  pictureMain = nullptr;
  EXPECT_EQ(ViewOf(*face.m_frames[0]), view);
  EXPECT_EQ(face.m_picture_views, (std::vector<CPicView*>{view}));
}

}  // namespace

namespace {

// The sample catalogue's line drawing numbers the assemblies by their
// positions on the start page, whose table matches them.
TEST_F(PictureViewTest, TheSampleLineDrawingsLabelsLeadToTheRowsOfTheirPositions) {
  CFrame& table = PositionTable({{"1", "GEH"}, {"2", "MOT"}, {"4", "GRI"}});
  CPicView* view = ViewOf(PictureFrame(std::string(VARNO_CATALOGUE_DIR) + "/rm46.cap", 2, 400, 300, false));
  ASSERT_NE(view, nullptr);
  Adopt();
  EXPECT_EQ(view->GetViewKind(), 0);  // a vector picture
  ASSERT_EQ(HS_GetNumberOfHotspots(view->Hotspots()), 4);
  const CPoint label = HotspotCentre(*view, "2");
  Send(*view, WM_MOUSEMOVE, WindowPoint(*view, label.x, label.y));
  EXPECT_EQ(SelectedRow(table), 1);
  EXPECT_EQ(view->GetEventKind(), CPicView::EVENT_LINK);
  Send(*view, WM_LBUTTONDOWN, WindowPoint(*view, label.x, label.y), MK_LBUTTON);
  EXPECT_EQ(TakeKeyCommands(), (KeyCommands{{1, "MOT"}}));
}

}  // namespace

namespace {

TEST_F(PictureViewTest, TheFacesZoomCommandsActOnlyOnItsOnePictureThatFollowsTheProgramZoom) {
  CPicView* first = ViewOf(PictureFrame("rm46.bmp", 1));
  Adopt();
  EXPECT_TRUE(face.ZoomPart());
  EXPECT_EQ(first->GetZoom(), -2);
  CFrame& second = Read({varno::testing::FrameDef("Q").Tag(117, {1}).Text(28, folder / "rm46.bmp")});
  auto* secondMain = new CFrameView;
  ASSERT_TRUE(secondMain->Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 200),
                                 CWnd::FromHandle(app.m_hMainWnd), 59650));
  secondMain->AttachFrame(&second);
  {
    CClientDC dc(secondMain);
    second.AttachView(secondMain, &dc, nullptr);
  }
  Adopt();
  EXPECT_FALSE(face.ZoomWhole());  // two pictures: neither is meant
  EXPECT_EQ(first->GetZoom(), -2);
  secondMain->DestroyWindow();
}

TEST_F(PictureViewTest, TheRasterSwitchKeepsTheDescribedSettingWhileOff) {
  struct Case {
    const char* name;
    BOOL rasterOn;
    int startsWith;
  };
  for (const Case& c : {Case{"raster on", TRUE, 3}, Case{"raster off", FALSE, 0}}) {
    theGlobals.m_raster_on = c.rasterOn;
    CFrame& frame = Read({varno::testing::FrameDef("P").Tag(153, {3}).Text(28, folder / "rm46.bmp")});
    CImage& picture = *frame.m_children[0].Picture();
    EXPECT_EQ(picture.m_raster, c.startsWith) << c.name;
    frame.SetRaster(FALSE);
    EXPECT_EQ(picture.m_raster, 0) << c.name;
    frame.SetRaster(TRUE);
    EXPECT_EQ(picture.m_raster, 3) << c.name;
  }
  theGlobals.m_raster_on = TRUE;
}

}  // namespace
