// The viewer's main and pop-up frame windows driven by messages: creation
// with their bars, the status panes, menu prompts, accelerators, the pop-up's
// keys, system menu and placement, the order-list program's answers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Main/tests/FrameWindowFixture.h"
#include "interfaces/ProtocolCommands.h"
#include "user/Menus.h"
#include "comctl/CommCtrl.h"
#include "testing/MemoryCanvas.h"
#include "user/Dialogs.h"
#include "win32/Process.h"
#include "win32/Gdi.h"

namespace {

using varno::testing::ButtonSpec;
using varno::testing::FrameWindowFixture;
using varno::testing::KeyCommands;
using varno::testing::TakeKeyCommandsOf;

class FrameWindowsTest : public FrameWindowFixture {};

struct SizeCase {
  const char* name;
  int saved[4];  // width, height, x, y; -1 for none
  bool fromScreen;
};

class MainFrameSize : public FrameWindowFixture, public ::testing::WithParamInterface<SizeCase> {};

// Without a saved size the window takes five sixths of the screen, a tenth
// of its size away from the corner, and these become the saved values.
TEST_P(MainFrameSize, ComesFromTheSettingsOrTheScreen) {
  const SizeCase& c = GetParam();
  theGlobals.m_window_size[0] = c.saved[0];
  theGlobals.m_window_size[1] = c.saved[1];
  theGlobals.m_window_pos[0] = c.saved[2];
  theGlobals.m_window_pos[1] = c.saved[3];
  ASSERT_TRUE(CreateMain());
  int expected[4] = {c.saved[0], c.saved[1], c.saved[2], c.saved[3]};
  if (c.fromScreen) {
    expected[0] = static_cast<int>(GetSystemMetrics(SM_CXSCREEN) * 0.8333333333333334);
    expected[1] = static_cast<int>(GetSystemMetrics(SM_CYSCREEN) * 0.8333333333333334);
    expected[2] = static_cast<int>(expected[0] * 0.1);
    expected[3] = static_cast<int>(expected[1] * 0.1);
  }
  CRect rect;
  main->GetWindowRect(&rect);
  EXPECT_EQ(rect, CRect(expected[2], expected[3], expected[2] + expected[0], expected[3] + expected[1]));
  EXPECT_EQ(theGlobals.m_window_size[0], expected[0]);
  EXPECT_EQ(theGlobals.m_window_size[1], expected[1]);
  EXPECT_EQ(theGlobals.m_window_pos[0], expected[2]);
  EXPECT_EQ(theGlobals.m_window_pos[1], expected[3]);
}

INSTANTIATE_TEST_SUITE_P(Frames, MainFrameSize,
                         ::testing::Values(SizeCase{"NoneSaved", {-1, -1, -1, -1}, true},
                                           SizeCase{"Saved", {500, 400, 30, 40}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FrameWindowsTest, MainFrameHasStatusBarAndToolbarFromTheButtonList) {
  ASSERT_TRUE(CreateMain());
  CWnd* status = main->GetDlgItem(AFX_IDW_STATUS_BAR);
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(status->m_hWnd, main->GetStatusBar().m_hWnd);
  EXPECT_EQ(main->GetStatusBar().SendMessage(SB_GETPARTS, 0, 0), CMainFrame::kPaneCount);
  CWV4ToolBar& bar = main->GetToolBar();
  EXPECT_EQ(bar.GetDlgCtrlID(), AFX_IDW_TOOLBAR);
  EXPECT_EQ(bar.SendMessage(TB_BUTTONCOUNT), 7);
  EXPECT_EQ(bar.GetItemID(1), 0u);  // the separator
  EXPECT_TRUE(bar.IsButtonChecked(300));
  EXPECT_FALSE(bar.IsButtonChecked(301));
  EXPECT_EQ(bar.GetImageCount(), 6);
  EXPECT_STREQ(bar.GetTipText(3), "Tip 301");
  EXPECT_TRUE(dialog->shown.empty());
}

// Without buttons the main frame cannot stand: the empty list is shown, the
// frame's own failure logged under it. The pop-up does without.
TEST_F(FrameWindowsTest, EmptyButtonListFailsTheMainFrameOnly) {
  Fill(app.m_buttons_frm, {});
  EXPECT_FALSE(CreateMain());
  EXPECT_NE(Log().find("[206]"), std::string::npos);
  EXPECT_NE(Log().find("[534]"), std::string::npos);
  ASSERT_EQ(dialog->shown.size(), 1u);
  EXPECT_NE(dialog->shown[0].second.find("[206]"), std::string::npos);

  Fill(app.m_buttons_pop, {});
  ASSERT_TRUE(CreatePopup());
  EXPECT_EQ(popup->GetToolBar().SendMessage(TB_BUTTONCOUNT), 0);
}

// A bitmap of the wrong size is reported; its button stays, without image.
TEST_F(FrameWindowsTest, ButtonWithABitmapOfAnotherSizeHasNoImage) {
  Fill(app.m_buttons_frm, {{302, 0, FALSE, "large.bmp"}, {303}});
  ASSERT_TRUE(CreateMain());
  CWV4ToolBar& bar = main->GetToolBar();
  ASSERT_EQ(bar.SendMessage(TB_BUTTONCOUNT), 2);
  EXPECT_EQ(bar.GetImageCount(), 1);
  UINT id = 0, style = 0;
  int image = 0;
  bar.GetButtonInfo(0, id, style, image);
  EXPECT_EQ(id, 302u);
  EXPECT_EQ(image, -1);
  ASSERT_EQ(dialog->shown.size(), 1u);
  EXPECT_NE(dialog->shown[0].second.find("[205]"), std::string::npos);
}

TEST_F(FrameWindowsTest, ToolbarLoadsOnce) {
  ASSERT_TRUE(CreateMain());
  EXPECT_FALSE(main->GetToolBar().LoadButtons(&app.m_buttons_frm));
  EXPECT_EQ(main->GetToolBar().SendMessage(TB_BUTTONCOUNT), 7);
}

// A check button with a second image shows it while checked; a plain one
// while its image state is on.
TEST_F(FrameWindowsTest, SecondImagesFollowCheckAndImageState) {
  Fill(app.m_buttons_frm, {{300, 3, FALSE, "plain.bmp", "second.bmp"}, {319, 2, FALSE, "plain.bmp", "second.bmp"},
                           {308, 3, FALSE, "plain.bmp", "missing.bmp"}});
  ASSERT_TRUE(CreateMain());
  CWV4ToolBar& bar = main->GetToolBar();
  auto imageOf = [&](int index) {
    UINT id = 0, style = 0;
    int image = 0;
    bar.GetButtonInfo(index, id, style, image);
    return image;
  };
  EXPECT_EQ(imageOf(0), 0);
  bar.CheckButton(300, TRUE);
  EXPECT_EQ(imageOf(0), 1);
  EXPECT_TRUE(bar.IsButtonChecked(300));
  bar.CheckButton(300, FALSE);
  EXPECT_EQ(imageOf(0), 0);

  EXPECT_FALSE(bar.IsImageStateSet(319));
  bar.SetButtonImageState(319, TRUE);
  EXPECT_EQ(imageOf(1), 3);
  EXPECT_TRUE(bar.IsImageStateSet(319));

  bar.CheckButton(308, TRUE);  // its second image is missing: a check button without image change
  EXPECT_EQ(imageOf(2), 4);
  EXPECT_TRUE(bar.IsButtonChecked(308));
}

TEST_F(FrameWindowsTest, TitleAndStatusPanesFollowTheKey) {
  CreateBoth();
  theGlobals.m_cur_prj_name = "Motoren";
  theGlobals.m_cur_key_name = "Zylinderkopf";
  theGlobals.m_cur_prj = "MOT";
  theGlobals.m_cur_prj_key = "MOT~ZK";
  theGlobals.m_prg_language = "D";
  theGlobals.m_language = "GB";
  main->UpdateTitle();
  popup->UpdateTitle();
  CString title;
  main->GetWindowText(title);
  EXPECT_STREQ(title, "Motoren - Zylinderkopf");
  main->GetToolBar().GetWindowText(title);
  EXPECT_STREQ(title, "Motoren");
  popup->GetWindowText(title);
  EXPECT_STREQ(title, "Zylinderkopf");
  const std::vector<std::string> panes = {"", "MOT", "MOT~ZK", "D", "GB"};
  for (int i = 0; i < CMainFrame::kPaneCount; ++i) EXPECT_EQ(std::string(main->GetPaneText(i)), panes[i]) << i;

  theGlobals.m_cur_prj_name.Empty();
  theGlobals.m_cur_key_name.Empty();
  main->UpdateTitle();
  main->GetWindowText(title);
  EXPECT_STREQ(title, "VARNO 4");
}

// Panes 3 and 4 are as wide as their texts at the right; pane 0 takes half.
TEST_F(FrameWindowsTest, StatusPanesAreLaidOutByTheLanguageTexts) {
  ASSERT_TRUE(CreateMain());
  auto parts = [&] {
    std::vector<int> rights(CMainFrame::kPaneCount);
    main->GetStatusBar().SendMessage(SB_GETPARTS, CMainFrame::kPaneCount, reinterpret_cast<LPARAM>(rights.data()));
    return rights;
  };
  main->SetPaneText(3, "D");
  main->SetPaneText(4, "GB");
  const std::vector<int> shortTexts = parts();
  CRect client;
  main->GetStatusBar().GetClientRect(&client);
  EXPECT_LT(shortTexts[4], client.Width());
  EXPECT_EQ(shortTexts[0], shortTexts[4] / 2);
  EXPECT_EQ(shortTexts[1], shortTexts[0] + (shortTexts[2] - shortTexts[0]) / 2);
  EXPECT_LT(shortTexts[3], shortTexts[4] - 6);
  EXPECT_LT(shortTexts[2], shortTexts[3] - 6);

  main->SetPaneText(4, "Deutsch (Schweiz)");
  const std::vector<int> longText = parts();
  EXPECT_EQ(longText[4], shortTexts[4]);
  EXPECT_LT(longText[3], shortTexts[3]);
  EXPECT_EQ(longText[3] - longText[2], shortTexts[3] - shortTexts[2]);

  popup = new CPopup;  // the pop-up writes into the main frame's panes
  ASSERT_TRUE(popup->Create(nullptr, ""));
  app.m_hPopupWnd = popup->m_hWnd;
  popup->SetPaneText(0, "Hinweis");
  EXPECT_STREQ(main->GetPaneText(0), "Hinweis");
}

const char kMenuFile[] =
    "[MAIN]\r\n1200=[FILE]\r\n"
    "[FILE]\r\n1201=320,1301\r\n1202=0\r\n1203=311,1303\r\n"
    "[ACCELERATOR]\r\nNum=3\r\n000=C,80,302\r\n001=CV,81,302\r\n002=,27,302\r\n";

struct PromptCase {
  const char* name;
  UINT item;
  const char* pane;
};

class MenuPrompts : public FrameWindowFixture, public ::testing::WithParamInterface<PromptCase> {};

// The prompt of the highlighted entry; a separator leaves the pane alone,
// an entry the menu file does not know empties it.
TEST_P(MenuPrompts, ShowInPaneZero) {
  dataFolder.Write("menue.ini", kMenuFile);
  ASSERT_TRUE(CreateMain());
  ASSERT_TRUE(main->BuildDataMenu());
  main->SetPaneText(0, "vorher");
  HMENU file = GetSubMenu(GetMenu(main->m_hWnd), 0);
  main->SendMessage(WM_MENUSELECT, MAKEWPARAM(GetParam().item, GetParam().item == 0 ? MF_SEPARATOR : 0),
                    reinterpret_cast<LPARAM>(file));
  EXPECT_STREQ(main->GetPaneText(0), GetParam().pane);
}

INSTANTIATE_TEST_SUITE_P(Frames, MenuPrompts,
                         ::testing::Values(PromptCase{"Print", 320, "Druckt die Seite"},
                                           PromptCase{"Exit", 311, "Beendet VARNO"},
                                           PromptCase{"Separator", 0, "vorher"},
                                           PromptCase{"Unknown", 999, " "}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FrameWindowsTest, MissingMenuFileGivesNoMenuBar) {
  ASSERT_TRUE(CreateMain());
  EXPECT_FALSE(main->BuildDataMenu());
  EXPECT_EQ(GetMenu(main->m_hWnd), nullptr);
  EXPECT_FALSE(main->SetMenuCheck(320, TRUE));
  EXPECT_FALSE(main->EnableMenuCommand(320, FALSE));
}

struct AccelCase {
  const char* name;
  UINT key;
  std::vector<int> held;
  size_t runs;  // how often the left neighbour was asked for
};

class FrameAccelerators : public FrameWindowFixture, public ::testing::WithParamInterface<AccelCase> {};

// Accelerator 000 is Ctrl+P, 001 Ctrl+Q with the letter V that never
// matters, 002 Escape alone; each runs command 302 (left neighbour).
TEST_P(FrameAccelerators, RunTheirCommandOncePerPressInBothFrames) {
  const AccelCase& c = GetParam();
  dataFolder.Write("menue.ini", kMenuFile);
  CreateBoth();
  ASSERT_TRUE(main->LoadAccelerators());
  theGlobals.m_leftneighbour = "LINKS";
  Press(c.key, c.held, main->m_hWnd);
  EXPECT_EQ(TakeKeyCommandsOf(main->m_hWnd).size(), c.runs);

  if (c.key == VK_ESCAPE) return;  // the pop-up closes on Escape
  ASSERT_TRUE(popup->LoadAccelerators());
  Press(c.key, c.held, popup->m_hWnd);
  EXPECT_EQ(TakeKeyCommandsOf(popup->m_hWnd).size(), c.runs);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, FrameAccelerators,
    ::testing::Values(AccelCase{"CtrlP", 'P', {VK_CONTROL}, 1}, AccelCase{"CtrlShiftP", 'P', {VK_CONTROL, VK_SHIFT}, 0},
                      AccelCase{"PAlone", 'P', {}, 0}, AccelCase{"CtrlQWithLetterV", 'Q', {VK_CONTROL}, 1},
                      AccelCase{"AltCtrlQ", 'Q', {VK_CONTROL, VK_MENU}, 0}, AccelCase{"Escape", VK_ESCAPE, {}, 1}),
    [](const auto& info) { return std::string(info.param.name); });

struct CloseCase {
  const char* name;
  UINT message;
  WPARAM wParam;
  std::vector<int> held;
};

class PopupClosing : public FrameWindowFixture, public ::testing::WithParamInterface<CloseCase> {};

// Escape, Ctrl+F4 and the caption's close all go back one key: with an
// empty history to the start key. The window stays.
TEST_P(PopupClosing, GoesBackOneKey) {
  const CloseCase& c = GetParam();
  CreateBoth();
  theGlobals.m_key_start = "START";
  for (int key : c.held) layer::SetKeyDown(key, true);
  popup->SendMessage(c.message, c.wParam, 0);
  for (int key : c.held) layer::SetKeyDown(key, false);
  Dispatch();
  EXPECT_EQ(TakeKeyCommandsOf(main->m_hWnd), (KeyCommands{{0, "START"}}));
  EXPECT_TRUE(IsWindow(popup->m_hWnd));
}

INSTANTIATE_TEST_SUITE_P(Frames, PopupClosing,
                         ::testing::Values(CloseCase{"Escape", WM_KEYDOWN, VK_ESCAPE, {}},
                                           CloseCase{"CtrlF4", WM_KEYDOWN, VK_F4, {VK_CONTROL}},
                                           CloseCase{"Caption", WM_CLOSE, 0, {}},
                                           CloseCase{"EndCommand", WM_COMMAND, 311, {}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FrameWindowsTest, PopupSystemMenuEndsTheViewer) {
  CreateBoth();
  for (int i = 0; i < 2; ++i) popup->SendMessage(WM_INITMENU, reinterpret_cast<WPARAM>(GetSystemMenu(popup->m_hWnd, FALSE)));
  HMENU system = GetSystemMenu(popup->m_hWnd, FALSE);
  for (UINT command : {SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE})
    EXPECT_EQ(GetMenuState(system, command, MF_BYCOMMAND), static_cast<UINT>(-1)) << command;
  char text[64] = {};
  GetMenuString(system, CPopup::kEndViewerCommand, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "Varno4 beenden");
  int entries = 0;
  for (int i = 0; i < GetMenuItemCount(system); ++i) entries += GetMenuItemID(system, i) == CPopup::kEndViewerCommand;
  EXPECT_EQ(entries, 1);

  popup->SendMessage(WM_SYSCOMMAND, CPopup::kEndViewerCommand | 2, 0);
  MSG msg;
  ASSERT_TRUE(PeekMessage(&msg, main->m_hWnd, WM_CLOSE, WM_CLOSE, PM_REMOVE));
}

struct PlaceCase {
  const char* name;
  int size[2];
  BOOL percent[2];
  POINT first;   // the cursor at the first placement
  POINT second;  // and at the second
  CRect placed;  // after the second, relative to the main frame's pane area
};

class PopupPlacement : public FrameWindowFixture, public ::testing::WithParamInterface<PlaceCase> {};

TEST_P(PopupPlacement, AtTheCursorInsideTheMainFrame) {
  const PlaceCase& c = GetParam();
  theGlobals.m_window_size[0] = 800;
  theGlobals.m_window_size[1] = 600;
  theGlobals.m_window_pos[0] = theGlobals.m_window_pos[1] = 0;
  CreateBoth();
  CRect area;
  main->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &area);
  main->ClientToScreen(&area);
  for (int i = 0; i < 2; ++i) {
    popup->m_key_window_size[i] = c.size[i];
    popup->m_key_window_percent[i] = c.percent[i];
  }
  SetCursorPos(area.left + c.first.x, area.top + c.first.y);
  popup->PlaceAtCursor(main);
  SetCursorPos(area.left + c.second.x, area.top + c.second.y);
  popup->PlaceAtCursor(main);
  CRect rect;
  popup->GetWindowRect(&rect);
  rect.OffsetRect(-area.left, -area.top);
  EXPECT_EQ(rect, c.placed);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, PopupPlacement,
    ::testing::Values(
        // Centred on the cursor, then kept where the cursor lies inside.
        PlaceCase{"CentredThenKept", {200, 100}, {FALSE, FALSE}, {300, 200}, {350, 220}, CRect(200, 150, 400, 250)},
        // The cursor left the window: centred on it again.
        PlaceCase{"CentredAgain", {200, 100}, {FALSE, FALSE}, {300, 200}, {500, 300}, CRect(400, 250, 600, 350)},
        // Near the corner: pushed inside the main frame's pane area.
        PlaceCase{"ClampedToTheCorner", {200, 100}, {FALSE, FALSE}, {10, 10}, {10, 10}, CRect(0, 0, 200, 100)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FrameWindowsTest, PopupSizeInPercentOfTheScreen) {
  CreateBoth();
  popup->m_key_window_size[0] = 50;
  popup->m_key_window_size[1] = 25;
  popup->m_key_window_percent[0] = popup->m_key_window_percent[1] = TRUE;
  popup->PlaceAtCursor(nullptr);
  CRect rect;
  popup->GetWindowRect(&rect);
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(rect.Width(), 50 * GetDeviceCaps(screen, HORZRES) / 100);
  EXPECT_EQ(rect.Height(), 25 * GetDeviceCaps(screen, VERTRES) / 100);
  ReleaseDC(nullptr, screen);
}

TEST_F(FrameWindowsTest, PopupHasThePopupStylesAndNoMenu) {
  CreateBoth();
  EXPECT_EQ(popup->GetStyle() & 0xFFFF0000u, 0x84CC0000u);
  EXPECT_EQ(popup->GetExStyle() & 0x10101u, 0x10101u);
  EXPECT_EQ(GetMenu(popup->m_hWnd), nullptr);
  EXPECT_EQ(popup->GetToolBar().SendMessage(TB_BUTTONCOUNT), 4);
}

struct ProtocolCase {
  const char* name;
  WPARAM code;
  LRESULT result;
  BOOL visible;
};

class ProtocolAnswers : public FrameWindowFixture, public ::testing::WithParamInterface<ProtocolCase> {};

TEST_P(ProtocolAnswers, TellWhetherTheOrderListIsVisible) {
  ASSERT_TRUE(CreateMain());
  theGlobals.m_prot_visible = TRUE;
  const UINT message = RegisterWindowMessage(VARNO4_PROTOCOL_COMMAND_NAME);
  EXPECT_EQ(main->SendMessage(message, GetParam().code, 0), GetParam().result);
  EXPECT_EQ(theGlobals.m_prot_visible, GetParam().visible);
}

INSTANTIATE_TEST_SUITE_P(Frames, ProtocolAnswers,
                         ::testing::Values(ProtocolCase{"Hidden", 11, 1, FALSE}, ProtocolCase{"Shown", 12, 1, TRUE},
                                           ProtocolCase{"HighWordIgnored", 0x10000 | 11, 1, FALSE},
                                           ProtocolCase{"Unknown", 2, 0, TRUE}),
                         [](const auto& info) { return std::string(info.param.name); });

// The window's place and the toolbar's side are kept for the next start.
TEST_F(FrameWindowsTest, DestroyingTheMainFrameKeepsItsPlace) {
  ASSERT_TRUE(CreateMain());
  main->MoveWindow(20, 30, 640, 480);
  theGlobals.m_toolbar_place_user_frm = 3;
  main->DestroyWindow();
  main = nullptr;
  EXPECT_EQ(theGlobals.m_window_size[0], 640);
  EXPECT_EQ(theGlobals.m_window_size[1], 480);
  EXPECT_EQ(theGlobals.m_window_pos[0], 20);
  EXPECT_EQ(theGlobals.m_window_pos[1], 30);
  EXPECT_FALSE(theGlobals.m_window_maximized);
  EXPECT_EQ(theGlobals.m_toolbar_place_user_frm, 0);  // docked at the top
}

struct DockCase {
  const char* name;
  BOOL docking;
  int user;
  int defaults;
  DWORD align;
};

class ToolbarPlaces : public FrameWindowFixture, public ::testing::WithParamInterface<DockCase> {};

TEST_P(ToolbarPlaces, FollowTheSettings) {
  const DockCase& c = GetParam();
  theGlobals.m_toolbar_mode_frm = c.docking;
  theGlobals.m_toolbar_place_user_frm = c.user;
  theGlobals.m_toolbar_place_default_frm = c.defaults;
  ASSERT_TRUE(CreateMain());
  EXPECT_EQ(main->GetToolBar().GetBarStyle() & CBRS_ALIGN_ANY, c.align);
  EXPECT_TRUE(main->GetToolBar().GetBarStyle() & CBRS_SIZE_DYNAMIC);
  theGlobals.m_toolbar_mode_frm = TRUE;
}

INSTANTIATE_TEST_SUITE_P(Frames, ToolbarPlaces,
                         ::testing::Values(DockCase{"DockedLeft", TRUE, 1, 3, CBRS_ALIGN_LEFT},
                                           DockCase{"DockedBottom", TRUE, 3, 0, CBRS_ALIGN_BOTTOM},
                                           DockCase{"FixedRight", FALSE, 3, 2, CBRS_ALIGN_RIGHT},
                                           DockCase{"FixedTopForAnOddPlace", FALSE, 0, 7, CBRS_ALIGN_TOP}),
                         [](const auto& info) { return std::string(info.param.name); });

// The first key command of the run completes the start: the menu bar, the
// accelerators of both frames and the toolbar shown.
TEST_F(FrameWindowsTest, CompletingTheStartBuildsMenusAndShowsTheToolbar) {
  dataFolder.Write("menue.ini", kMenuFile);
  CreateBoth();
  main->ShowControlBar(&main->GetToolBar(), FALSE, FALSE);
  app.CompleteStart();
  ASSERT_NE(GetMenu(main->m_hWnd), nullptr);
  EXPECT_EQ(GetMenuItemCount(GetSubMenu(GetMenu(main->m_hWnd), 0)), 3);
  EXPECT_EQ(main->GetAccelerators().Entries().size(), 3u);
  EXPECT_EQ(popup->GetAccelerators().Entries().size(), 3u);
  EXPECT_TRUE(theGlobals.m_show_toolbar);
  EXPECT_TRUE(main->GetToolBar().GetStyle() & WS_VISIBLE);
}

}  // namespace

namespace {

// The tip of the button under the pointer; a separator has none.
TEST_F(FrameWindowsTest, ToolTipsNameTheButtonUnderThePointer) {
  Fill(app.m_buttons_frm, {{302, 0, FALSE, "plain.bmp", "", 1400}, {0}, {303}});
  ASSERT_TRUE(CreateMain());
  CWV4ToolBar& bar = main->GetToolBar();
  for (int index : {0, 1, 2}) {
    CRect rect;
    bar.GetItemRect(index, &rect);
    TOOLINFO info{};
    const INT_PTR hit = bar.OnToolHitTest(rect.CenterPoint(), &info);
    if (index == 1) {
      EXPECT_EQ(hit, -1);
      continue;
    }
    EXPECT_EQ(hit, index == 0 ? 302 : 303);
    EXPECT_STREQ(info.lpszText, index == 0 ? "Links" : "Tip 303");
    free(info.lpszText);
  }
}

// The bitmaps' light grey is the system's button face and left out of the
// image (so that a disabled button shows the picture's shape), also after
// the system colours change; other colours stay.
TEST_F(FrameWindowsTest, ButtonImagesTakeTheSystemColours) {
  Fill(app.m_buttons_frm, {{302}});
  ASSERT_TRUE(CreateMain());
  CWV4ToolBar& bar = main->GetToolBar();
  for (int round = 0; round < 2; ++round) {
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(bar.SendMessage(TB_GETIMAGELIST));
    ASSERT_EQ(ImageList_GetImageCount(images), 1);
    layer::testing::MemoryCanvas canvas(16, 15);
    ImageList_Draw(images, 0, canvas.dc, 0, 0, ILD_NORMAL);
    EXPECT_EQ(GetPixel(canvas.dc, 5, 5), RGB(255, 255, 255));  // the canvas shows through
    EXPECT_EQ(GetPixel(canvas.dc, 0, 14), RGB(255, 0, 0));  // the red pixel of the bottom row
    bar.SendMessage(WM_SYSCOLORCHANGE);
  }
}

}  // namespace

namespace {

struct DeveloperKeyCase {
  const char* name;
  UINT key;
  int rows;  // of the list the key opens
};

class DeveloperKeys : public FrameWindowFixture, public ::testing::WithParamInterface<DeveloperKeyCase> {};

// Ctrl+Shift+V lists the variables, Ctrl+Shift+K the key history, in either
// frame; Alt held as well does not matter, Ctrl alone opens nothing.
TEST_P(DeveloperKeys, OpenTheirListsWithCtrlAndShift) {
  const DeveloperKeyCase& c = GetParam();
  CreateBoth();
  vars().SetVar("A", VarValue::Text("1"), VAR_CHAR);
  vars().SetVar("B", VarValue::Text("2"), VAR_CHAR);
  theGlobals.m_phistory->AddEntry("P~A", CDynBuf(), FALSE, FALSE);
  std::vector<int> rows;
  layer::SetModalHook([&](HWND window) {
    rows.push_back(static_cast<int>(SendDlgItemMessage(window, 3004, LVM_GETITEMCOUNT, 0, 0)));
    PostMessage(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  });
  Press(c.key, {VK_CONTROL, VK_SHIFT}, main->m_hWnd);
  Press(c.key, {VK_CONTROL, VK_SHIFT, VK_MENU}, popup->m_hWnd);
  Press(c.key, {VK_CONTROL}, main->m_hWnd);
  layer::SetModalHook(nullptr);
  EXPECT_EQ(rows, (std::vector<int>{c.rows, c.rows}));
}

INSTANTIATE_TEST_SUITE_P(Frames, DeveloperKeys,
                         ::testing::Values(DeveloperKeyCase{"Variables", 'V', 2}, DeveloperKeyCase{"History", 'K', 1}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

namespace {

// While a disabled frame waits for a started program, activating the frame
// brings that program's window to the front instead.
TEST_F(FrameWindowsTest, ActivatingAWaitingFrameBringsTheProgramForward) {
  CreateBoth();
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProc;
  windowClass.lpszClassName = "WaitedProgram";
  RegisterClass(&windowClass);
  HWND program = CreateWindow("WaitedProgram", "Programm", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100, nullptr,
                              nullptr, nullptr, nullptr);
  ASSERT_NE(program, nullptr);
  for (CMultiFrame* frame : {static_cast<CMultiFrame*>(main), static_cast<CMultiFrame*>(popup)}) {
    SetForegroundWindow(app.m_hMainWnd);
    theGlobals.m_waiting_for_pid = GetCurrentProcessId();
    frame->SendMessage(WM_ACTIVATE, WA_ACTIVE, 0);  // enabled: nothing waits on it
    EXPECT_NE(GetForegroundWindow(), program);
    frame->EnableWindow(FALSE);
    frame->SendMessage(WM_ACTIVATE, WA_CLICKACTIVE, 0);
    EXPECT_EQ(GetForegroundWindow(), program);
    frame->EnableWindow(TRUE);
  }
  theGlobals.m_waiting_for_pid = 0;
  DestroyWindow(program);
}

}  // namespace

namespace {

// A shortcut menu opening over the main frame gives the view below a mouse
// move one pixel right of the pointer; the menu bar's menus do not.
TEST_F(FrameWindowsTest, ShortcutMenuReplaysTheMouseMove) {
  dataFolder.Write("menue.ini", kMenuFile);
  ASSERT_TRUE(CreateMain());
  ASSERT_TRUE(main->BuildDataMenu());
  SetCursorPos(120, 80);
  MSG msg;
  main->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(GetMenu(main->m_hWnd), 0)), 0);
  EXPECT_FALSE(PeekMessage(&msg, main->m_hWnd, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE));
  HMENU shortcut = CreatePopupMenu();
  AppendMenu(shortcut, MF_STRING, 316, "Zoom");
  main->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(shortcut), 0);
  ASSERT_TRUE(PeekMessage(&msg, main->m_hWnd, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 0u);
  EXPECT_EQ(msg.lParam, MAKELPARAM(121, 80));
  DestroyMenu(shortcut);
}

}  // namespace

namespace {

WNDPROC statusProcedure = nullptr;
int partsSet = 0;

LRESULT CALLBACK CountingParts(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == SB_SETPARTS) ++partsSet;
  return CallWindowProc(statusProcedure, window, message, wParam, lParam);
}

// A pane text set again unchanged lays nothing out again.
TEST_F(FrameWindowsTest, UnchangedPaneTextCausesNoRelayout) {
  ASSERT_TRUE(CreateMain());
  HWND status = main->GetStatusBar().m_hWnd;
  statusProcedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtr(status, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingParts)));
  partsSet = 0;
  main->SetPaneText(3, "GB");
  EXPECT_EQ(partsSet, 1);
  main->SetPaneText(3, "GB");
  EXPECT_EQ(partsSet, 1);
  SetWindowLongPtr(status, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(statusProcedure));
}

}  // namespace

namespace {

enum class Pointer { Centre, TopLeft, BeyondBottomRight, Away };
enum class Painted { Bar, Button, ButtonCorner };

struct ToolbarPaintCase {
  const char* name;
  BYTE state;
  Pointer pointer;
  Painted painted;
  bool drawnDown;
};

void PrintTo(const ToolbarPaintCase& c, std::ostream* os) { *os << c.name; }

class ToolbarPaint : public FrameWindowFixture, public ::testing::WithParamInterface<ToolbarPaintCase> {};

// A checked button under the pointer (taken one pixel up and left) is painted
// up, and so is a disabled button held down when only part of it is painted;
// either keeps its state, and the painting asks for no further one.
TEST_P(ToolbarPaint, LiftsButtonsForThePaintingOnly) {
  const ToolbarPaintCase& c = GetParam();
  Fill(app.m_buttons_frm, {{300, 1}, {302}});
  ASSERT_TRUE(CreateMain());
  main->ShowWindow(SW_SHOW);
  CWV4ToolBar& bar = main->GetToolBar();
  main->ShowControlBar(&bar, TRUE, FALSE);
  main->RecalcLayout();
  bar.SendMessage(TB_SETSTATE, 300, c.state);
  CRect button;
  bar.GetItemRect(0, &button);
  CPoint pointer = c.pointer == Pointer::Centre            ? button.CenterPoint()
                   : c.pointer == Pointer::TopLeft          ? button.TopLeft()
                   : c.pointer == Pointer::BeyondBottomRight ? button.BottomRight()
                                                             : CPoint(button.right + 40, button.bottom + 40);
  bar.ClientToScreen(&pointer);
  SetCursorPos(pointer.x, pointer.y);
  bar.UpdateWindow();
  const CRect corner(button.left, button.top, button.left + 3, button.top + 3);
  if (c.painted == Painted::Bar) bar.Invalidate(TRUE);
  else bar.InvalidateRect(c.painted == Painted::Button ? &button : &corner, TRUE);
  bar.UpdateWindow();
  HDC dc = GetDC(bar.m_hWnd);
  EXPECT_EQ(GetPixel(dc, button.left, button.top) != GetSysColor(COLOR_BTNFACE), c.drawnDown);
  ReleaseDC(bar.m_hWnd, dc);
  EXPECT_EQ(bar.SendMessage(TB_GETSTATE, 300), c.state);
  RECT pending{};
  EXPECT_FALSE(GetUpdateRect(bar.m_hWnd, &pending, FALSE));
}

constexpr BYTE kCheckedUp = TBSTATE_ENABLED | TBSTATE_CHECKED | TBSTATE_PRESSED;
constexpr BYTE kDisabledHeld = TBSTATE_PRESSED;

INSTANTIATE_TEST_SUITE_P(
    Frames, ToolbarPaint,
    ::testing::Values(
        ToolbarPaintCase{"CheckedUnderThePointer", kCheckedUp, Pointer::Centre, Painted::Bar, false},
        ToolbarPaintCase{"CheckedAwayFromThePointer", kCheckedUp, Pointer::Away, Painted::Bar, true},
        ToolbarPaintCase{"PointerOnTheTopLeftCorner", kCheckedUp, Pointer::TopLeft, Painted::Bar, true},
        ToolbarPaintCase{"PointerJustBeyondTheBottomRight", kCheckedUp, Pointer::BeyondBottomRight, Painted::Bar, false},
        ToolbarPaintCase{"DisabledHeldPaintedInPart", kDisabledHeld, Pointer::Away, Painted::ButtonCorner, false},
        ToolbarPaintCase{"DisabledHeldPaintedWhole", kDisabledHeld, Pointer::Away, Painted::Button, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
