// The buttons that show the symbols of table cells in a frame's view.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Main/CFrameButton.h"
#include "Main/CSymbolBitmaps.h"
#include "Main/CSymbolItem.h"
#include "Main/CTableCell.h"
#include "Main/FrameView.h"
#include "Main/tests/EngineFixture.h"
#include "mfc/CClientDC.h"
#include "testing/FilledBitmap.h"

namespace {

using varno::testing::Buf;
using varno::testing::Bytes;
using varno::testing::Str;

// The window of a view: owner-drawn buttons placed in it draw through it.
class ButtonHost : public CWnd {
 protected:
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ButtonHost, CWnd)
  ON_WM_DRAWITEM()
END_MESSAGE_MAP()

// A frame's view scrolled as far as the test says, whose buttons go into host.
class HostView : public FrameView {
 public:
  explicit HostView(CWnd* host) : m_host(host) {}
  CRect ClientArea() override { return CRect(0, 0, 200, 100); }
  CRect RectInFrame() override { return ClientArea(); }
  void SizeScrollBars(CSize, CSize, CSize) override {}
  void NeededBars(BOOL& horizontal, BOOL& vertical) override { horizontal = vertical = FALSE; }
  CPoint ScrollPosition() override { return scroll; }
  CRect RectInParent() override { return ClientArea(); }
  void DestroyView() override {}
  CWnd* ButtonParent() override { return m_host; }

  CPoint scroll{0, 0};

 private:
  CWnd* m_host;
};

constexpr COLORREF kNormal = RGB(10, 20, 30);
constexpr COLORREF kSelected = RGB(200, 0, 0);
constexpr COLORREF kFocus = RGB(0, 200, 0);
constexpr COLORREF kDisabled = RGB(90, 90, 90);

class FrameButtonTest : public varno::testing::ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    ASSERT_TRUE(host.CreateEx(0, nullptr, "Ansicht", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr));
    const COLORREF colours[4] = {kNormal, kSelected, kFocus, kDisabled};
    for (int i = 0; i < 4; ++i) bitmaps.m_bitmaps[i] = layer::testing::FilledBitmap(20, 10, colours[i]);
    bitmaps.m_width = 20;
    bitmaps.m_height = 10;
    box.m_rect = CRect(0, 0, 200, 100);
  }
  void TearDown() override {
    symbols.clear();
    box.m_items.clear();
    host.DestroyWindow();
    TakeCommands();
    ShellFixture::TearDown();
  }

  CSymbolItem& Symbol(int linkKind, const char* linkText, CRect at = CRect(30, 20, 50, 30)) {
    symbols.push_back(std::make_unique<CSymbolItem>(&box, "S", &bitmaps, CFontSpec(), 0, 3, 0, linkKind, linkText,
                                                    &assignments));
    symbols.back()->m_rect = at;
    return *symbols.back();
  }
  void Draw(CSymbolItem& symbol) {
    CClientDC dc(&host);
    symbol.Draw(&dc, &view);
  }
  CFrameButton& ButtonOf(CSymbolItem& symbol) {
    Draw(symbol);
    EXPECT_NE(symbol.m_button, nullptr);
    return *symbol.m_button;
  }
  static COLORREF Shown(CFrameButton& button) {
    button.Invalidate();
    button.UpdateWindow();
    CClientDC dc(&button);
    return dc.GetPixel(3, 3);
  }
  static CRect PlaceInHost(CFrameButton& button) {
    CRect rect;
    button.GetWindowRect(&rect);
    ::MapWindowPoints(nullptr, ::GetParent(button.m_hWnd), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }
  std::vector<WPARAM> TakeCommands() {
    std::vector<WPARAM> ids;
    MSG msg;
    while (PeekMessage(&msg, app.m_hMainWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE)) ids.push_back(msg.wParam);
    return ids;
  }

  ButtonHost host;
  HostView view{&host};
  CSymbolBitmaps bitmaps;
  CDynBuf assignments;
  CTableCell box;
  std::vector<std::unique_ptr<CSymbolItem>> symbols;
};

TEST_F(FrameButtonTest, TheButtonShowsThePictureOfItsState) {
  CFrameButton& button = ButtonOf(Symbol(3, "MOT"));
  EXPECT_EQ(Shown(button), kNormal);
  button.SetState(TRUE);
  EXPECT_EQ(Shown(button), kSelected);
  button.SetState(FALSE);
  button.SetFocus();
  EXPECT_EQ(Shown(button), kFocus);
  host.SetFocus();
  button.EnableWindow(FALSE);
  EXPECT_EQ(Shown(button), kDisabled);
}

TEST_F(FrameButtonTest, TheButtonGivesThePicturesBackToTheSymbolTable) {
  Draw(Symbol(3, "MOT"));
  symbols.clear();
  BITMAP info{};
  for (HBITMAP picture : bitmaps.m_bitmaps) EXPECT_NE(GetObject(picture, sizeof info, &info), 0);
}

struct Release {
  const char* name;
  int link_kind;
  const char* link_text;
  CPoint at;  // where the button is released, after a press at (5, 5)
  varno::testing::KeyCommands keys;
  std::vector<WPARAM> commands;
};

class FrameButtonReleaseTest : public FrameButtonTest, public ::testing::WithParamInterface<Release> {};

TEST_P(FrameButtonReleaseTest, FollowsTheSymbolsLinkWhenReleasedInside) {
  const Release& release = GetParam();
  assignments = Buf(Bytes({0, 'O', "N", 0, 'C', "5", 0, '[', 0, 0}));
  CFrameButton& button = ButtonOf(Symbol(release.link_kind, release.link_text));
  SendMessage(button.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessage(button.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(release.at.x, release.at.y));
  EXPECT_EQ(TakeKeyCommands(), release.keys);
  EXPECT_EQ(TakeCommands(), release.commands);
  if (!release.keys.empty()) EXPECT_EQ(Str(theGlobals.m_cur_varbuf), Str(assignments));
  if (!release.commands.empty()) EXPECT_EQ(vars().GetVar("N", nullptr), VAR_LONG);
  EXPECT_TRUE(dialog->shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Releases, FrameButtonReleaseTest,
    ::testing::Values(Release{"KeyLinkShowsTheKey", 3, "MOT", CPoint(6, 6), {{1, "MOT"}}, {}},
                      Release{"CommandIsPosted", 4, "70077", CPoint(6, 6), {}, {70077 & 0xFFFF}},
                      Release{"OutsideDoesNothing", 3, "MOT", CPoint(25, 6), {}, {}},
                      Release{"EmptyLinkDoesNothing", 3, "", CPoint(6, 6), {}, {}},
                      Release{"OtherKindDoesNothing", 1, "MOT", CPoint(6, 6), {}, {}}),
    [](const ::testing::TestParamInfo<Release>& info) { return std::string(info.param.name); });

TEST_F(FrameButtonTest, ACommandWhoseAssignmentsFailIsReportedAndStillPosted) {
  assignments = Buf(Bytes({0, 'X', "T", 0, 'C', "\"ab\"", 0, '[', 0, 0}));
  CFrameButton& button = ButtonOf(Symbol(4, "12"));
  SendMessage(button.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessage(button.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(TakeCommands(), (std::vector<WPARAM>{12}));
  ASSERT_EQ(dialog->shown.size(), 1u);
  EXPECT_NE(dialog->shown[0].second.find("[307]"), std::string::npos);
  EXPECT_EQ(theGlobals.m_error_trace_newest, nullptr);
}

TEST_F(FrameButtonTest, TheSymbolMakesItsButtonOnceAndMovesItWithTheScrolling) {
  CSymbolItem& symbol = Symbol(3, "MOT");
  CFrameButton& first = ButtonOf(symbol);
  const HWND firstWindow = first.m_hWnd;
  EXPECT_EQ(first.GetDlgCtrlID(), 7777);
  EXPECT_EQ(::GetParent(first.m_hWnd), host.m_hWnd);
  EXPECT_TRUE((first.GetStyle() & 0x0F) == BS_OWNERDRAW);
  EXPECT_EQ(first.m_symbol, &symbol);
  EXPECT_TRUE(first.IsWindowVisible());
  EXPECT_EQ(PlaceInHost(first), CRect(30, 20, 50, 30));

  view.scroll = CPoint(10, 5);
  EXPECT_EQ(&ButtonOf(symbol), &first);
  EXPECT_EQ(PlaceInHost(first), CRect(20, 15, 40, 25));
  EXPECT_EQ(first.m_hWnd, firstWindow);

  // Placed again, the symbol makes a new button where it now stands.
  CPoint pos(60, 40);
  symbol.PlaceLine(0, pos, LineMeasure{});
  CFrameButton& second = ButtonOf(symbol);
  EXPECT_EQ(PlaceInHost(second), CRect(50, 35, 70, 45));
  EXPECT_FALSE(::IsWindow(firstWindow));
}

TEST_F(FrameButtonTest, ASymbolOutsideTheBoxHidesItsButton) {
  CSymbolItem& symbol = Symbol(3, "MOT");
  CFrameButton& button = ButtonOf(symbol);
  symbol.m_rect = CRect(190, 20, 210, 30);
  Draw(symbol);
  EXPECT_FALSE(button.IsWindowVisible());
  symbol.m_rect = CRect(30, 20, 50, 30);
  Draw(symbol);
  EXPECT_TRUE(button.IsWindowVisible());

  box.m_items.push_back(std::move(symbols.back()));
  symbols.pop_back();
  box.HideSymbols();
  EXPECT_FALSE(button.IsWindowVisible());
}

TEST_F(FrameButtonTest, TheHandShowsOverALinkWhileTheFrameWindowIsActive) {
  CFrameButton& linked = ButtonOf(Symbol(3, "MOT"));
  CFrameButton& plain = ButtonOf(Symbol(3, "", CRect(60, 20, 80, 30)));
  const HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
  const auto cursorOver = [&](CFrameButton& button) {
    SetCursor(arrow);
    SendMessage(button.m_hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(button.m_hWnd),
                MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
  };
  ShowWindow(app.m_hMainWnd, SW_SHOW);
  SetActiveWindow(app.m_hMainWnd);
  EXPECT_NE(cursorOver(linked), arrow);
  EXPECT_EQ(cursorOver(plain), arrow);
  SetActiveWindow(host.m_hWnd);
  EXPECT_EQ(cursorOver(linked), arrow);
}

TEST_F(FrameButtonTest, ASymbolWithoutPicturesMakesNoButton) {
  symbols.push_back(std::make_unique<CSymbolItem>(&box, "S", nullptr, CFontSpec(), 0, 3, 0, 3, "MOT", &assignments));
  symbols.back()->m_rect = CRect(30, 20, 30, 20);
  Draw(*symbols.back());
  EXPECT_EQ(symbols.back()->m_button, nullptr);
}

}  // namespace
