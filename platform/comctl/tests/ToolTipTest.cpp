#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "comctl/tests/ListTestParent.h"
#include "win32/Clock.h"

namespace {

using layer::testing::Heard;
using layer::testing::Pump;
using layer::testing::TestParent;

constexpr UINT_PTR kToolId = 5;

class ToolTipTest : public ::testing::Test {
 protected:
  void SetUp() override { Make(TTS_ALWAYSTIP); }
  void TearDown() override {
    if (IsWindow(tip)) DestroyWindow(tip);
  }

  void Make(DWORD style) {
    if (tip) DestroyWindow(tip);
    tip = CreateWindowEx(WS_EX_TOPMOST, TOOLTIPS_CLASS, nullptr, WS_POPUP | style, 0, 0, 0, 0, parent.handle, nullptr,
                         nullptr, nullptr);
    ASSERT_NE(tip, nullptr);
    SendMessage(tip, TTM_SETDELAYTIME, TTDT_INITIAL, 200);
    SendMessage(tip, TTM_SETDELAYTIME, TTDT_AUTOPOP, 3000);
    SendMessage(tip, TTM_SETDELAYTIME, TTDT_RESHOW, 50);
    AddTool(kToolId, RECT{10, 10, 60, 40}, "Hallo");
  }

  void AddTool(UINT_PTR id, RECT rect, LPCSTR text, UINT flags = 0, HWND owner = nullptr) {
    TOOLINFO info{};
    info.cbSize = sizeof info;
    info.uFlags = flags;
    info.hwnd = owner ? owner : parent.handle;
    info.uId = id;
    info.rect = rect;
    info.lpszText = const_cast<LPSTR>(text);
    ASSERT_TRUE(SendMessage(tip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&info)));
  }

  void Relay(UINT message, POINT at, HWND window = nullptr) {
    MSG msg{window ? window : parent.handle, message, 0, MAKELPARAM(at.x, at.y), GetTickCount(), at};
    POINT screen = at;
    ClientToScreen(msg.hwnd, &screen);
    layer::SetCursorPosition(screen);
    SendMessage(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
  }

  void Wait(DWORD milliseconds) {
    clock.Advance(milliseconds);
    Pump();
  }

  bool Shown() { return IsWindowVisible(tip) != FALSE; }
  SIZE TipSize() {
    RECT rect;
    GetWindowRect(tip, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
  }

  layer::ManualClock clock;
  layer::ScopedClock scopedClock{clock};
  TestParent parent;
  HWND tip = nullptr;
};

TEST_F(ToolTipTest, TheTipShowsAfterTheInitialDelayAndGoesAfterTheAutoPop) {
  Relay(WM_MOUSEMOVE, {20, 20});
  Wait(199);
  EXPECT_FALSE(Shown());
  Relay(WM_MOUSEMOVE, {25, 22});  // moving within the tool keeps the time running
  Wait(1);
  ASSERT_TRUE(Shown());
  EXPECT_EQ(parent.Codes([](UINT code) { return code == TTN_SHOW || code == TTN_POP; }), (std::vector<UINT>{TTN_SHOW}));
  // Below the pointer, as large as the text with its frame.
  RECT place;
  GetWindowRect(tip, &place);
  POINT pointer;
  GetCursorPos(&pointer);
  EXPECT_EQ(place.left, pointer.x);
  EXPECT_GT(place.top, pointer.y);
  HDC dc = GetDC(tip);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SIZE text{};
  GetTextExtentPoint32(dc, "Hallo", 5, &text);
  SelectObject(dc, old);
  ReleaseDC(tip, dc);
  EXPECT_EQ(TipSize().cx, text.cx + 6);
  EXPECT_EQ(TipSize().cy, text.cy + 6);

  Wait(2999);
  EXPECT_TRUE(Shown());
  Wait(1);
  EXPECT_FALSE(Shown());
  EXPECT_EQ(parent.Codes([](UINT code) { return code == TTN_SHOW || code == TTN_POP; }),
            (std::vector<UINT>{TTN_SHOW, TTN_POP}));
}

TEST_F(ToolTipTest, LeavingTheToolOrPressingAButtonHidesTheTip) {
  AddTool(kToolId + 1, RECT{100, 10, 150, 40}, "Nachbar");
  struct Case {
    const char* name;
    UINT message;
    POINT at;
  };
  const Case cases[] = {
      {"pointer off every tool", WM_MOUSEMOVE, {80, 80}},
      {"left button", WM_LBUTTONDOWN, {20, 20}},
      {"right button", WM_RBUTTONDOWN, {20, 20}},
  };
  for (const Case& test : cases) {
    Relay(WM_MOUSEMOVE, {20, 20});
    Wait(200);
    ASSERT_TRUE(Shown()) << test.name;
    Relay(test.message, test.at);
    EXPECT_FALSE(Shown()) << test.name;
    Wait(1000);
    EXPECT_FALSE(Shown()) << test.name;  // resting on does not bring it back
    Relay(WM_MOUSEMOVE, {200, 200});
  }
  // From one tool to the next a tip that just went comes back sooner.
  Relay(WM_MOUSEMOVE, {20, 20});
  Wait(200);
  Relay(WM_MOUSEMOVE, {110, 20});
  EXPECT_FALSE(Shown());
  Wait(50);
  EXPECT_TRUE(Shown());
}

TEST_F(ToolTipTest, TextsByCallbackAreAskedOfTheToolsWindow) {
  AddTool(kToolId + 1, RECT{100, 10, 150, 40}, LPSTR_TEXTCALLBACK);
  parent.tipText = "gefragt";
  Relay(WM_MOUSEMOVE, {110, 20});
  Wait(200);
  EXPECT_TRUE(Shown());
  EXPECT_EQ(parent.heard.front(), (Heard{TTN_NEEDTEXT, static_cast<int>(kToolId + 1), 0, -1}));

  // No text, no tip.
  parent.tipText.clear();
  Relay(WM_MOUSEMOVE, {200, 200});
  Relay(WM_MOUSEMOVE, {110, 20});
  Wait(1000);
  EXPECT_FALSE(Shown());
}

TEST_F(ToolTipTest, WholeWindowsAreToolsWhereverThePointerIs) {
  HWND child = parent.Child("Static", 0, RECT{200, 100, 260, 140}, 9);
  AddTool(reinterpret_cast<UINT_PTR>(child), RECT{}, LPSTR_TEXTCALLBACK, TTF_IDISHWND);
  parent.tipText = "Fenster";
  Relay(WM_MOUSEMOVE, {55, 35}, child);
  Wait(200);
  EXPECT_TRUE(Shown());
  EXPECT_EQ(parent.heard.front().item, static_cast<int>(reinterpret_cast<UINT_PTR>(child)));
}

TEST_F(ToolTipTest, DeactivatedTipsStayHidden) {
  Relay(WM_MOUSEMOVE, {20, 20});
  Wait(200);
  ASSERT_TRUE(Shown());
  SendMessage(tip, TTM_ACTIVATE, FALSE, 0);
  EXPECT_FALSE(Shown());
  Wait(1000);
  EXPECT_FALSE(Shown());
  SendMessage(tip, TTM_ACTIVATE, TRUE, 0);  // still on the tool: it comes back
  Wait(200);
  EXPECT_TRUE(Shown());
}

TEST_F(ToolTipTest, WithoutAlwaysTipOnlyTheActiveWindowsToolsShowTips) {
  Make(0);
  HWND other = CreateWindowEx(0, "ComctlTestParent", "Anderes", WS_POPUP | WS_VISIBLE, 500, 10, 50, 50, nullptr,
                              nullptr, nullptr, nullptr);
  SetActiveWindow(other);
  Relay(WM_MOUSEMOVE, {20, 20});
  Wait(1000);
  EXPECT_FALSE(Shown());
  SetActiveWindow(parent.handle);
  Relay(WM_MOUSEMOVE, {200, 200});
  Relay(WM_MOUSEMOVE, {20, 20});
  Wait(1000);
  EXPECT_TRUE(Shown());
  DestroyWindow(other);
}

TEST_F(ToolTipTest, AMaximumWidthWrapsTheTextIntoLines) {
  const std::string text = "eins zwei drei vier";
  TOOLINFO info{};
  info.cbSize = sizeof info;
  info.hwnd = parent.handle;
  info.uId = kToolId;
  info.lpszText = const_cast<LPSTR>(text.c_str());
  SendMessage(tip, TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&info));
  Relay(WM_MOUSEMOVE, {20, 20});
  Wait(200);
  const SIZE oneLine = TipSize();
  Relay(WM_MOUSEMOVE, {200, 200});
  EXPECT_EQ(SendMessage(tip, TTM_SETMAXTIPWIDTH, 0, 40), -1);
  Relay(WM_MOUSEMOVE, {20, 20});
  Wait(200);
  const SIZE wrapped = TipSize();
  EXPECT_LE(wrapped.cx, 40 + 6);
  EXPECT_GE(wrapped.cy, 2 * (oneLine.cy - 6) + 6);

  // The colours are the ones set.
  SendMessage(tip, TTM_SETTIPBKCOLOR, RGB(10, 200, 30), 0);
  EXPECT_EQ(SendMessage(tip, TTM_GETTIPBKCOLOR, 0, 0), static_cast<LRESULT>(RGB(10, 200, 30)));
  UpdateWindow(tip);
  HDC dc = GetDC(tip);
  EXPECT_EQ(GetPixel(dc, 1, wrapped.cy / 2), RGB(10, 200, 30));
  ReleaseDC(tip, dc);
}

TEST_F(ToolTipTest, ToolsAreFoundAndChangedByWindowAndId) {
  EXPECT_EQ(SendMessage(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
  TOOLINFO info{};
  info.cbSize = sizeof info;
  info.hwnd = parent.handle;
  info.uId = kToolId;
  EXPECT_FALSE(SendMessage(tip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&info)));  // twice
  char text[80] = {};
  info.lpszText = text;
  SendMessage(tip, TTM_GETTEXT, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_STREQ(text, "Hallo");
  info.rect = RECT{0, 0, 5, 5};
  SendMessage(tip, TTM_NEWTOOLRECT, 0, reinterpret_cast<LPARAM>(&info));
  TTHITTESTINFO hit{};
  hit.hwnd = parent.handle;
  hit.pt = POINT{2, 2};
  EXPECT_TRUE(SendMessage(tip, TTM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  EXPECT_EQ(hit.ti.uId, kToolId);
  hit.pt = POINT{20, 20};
  EXPECT_FALSE(SendMessage(tip, TTM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  info.uId = 99;
  EXPECT_FALSE(SendMessage(tip, TTM_GETTOOLINFO, 0, reinterpret_cast<LPARAM>(&info)));
  info.uId = kToolId;
  SendMessage(tip, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(SendMessage(tip, TTM_GETTOOLCOUNT, 0, 0), 0);
  EXPECT_EQ(SendMessage(tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 200);
  SendMessage(tip, TTM_SETDELAYTIME, TTDT_AUTOMATIC, 100);
  EXPECT_EQ(SendMessage(tip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 1000);
  EXPECT_EQ(SendMessage(tip, TTM_GETDELAYTIME, TTDT_RESHOW, 0), 20);
}

}  // namespace
