#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "Main/CV4TTWindow.h"
#include "Main/tests/EngineFixture.h"
#include "Main/tests/OrderListStandIn.h"
#include "mfc/CFont.h"
#include "win32/CrossProcess.h"
#include "win32/SystemParameters.h"

namespace {

class ToolTipWindowTest : public varno::testing::ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    app.m_prot_pid = GetCurrentProcessId();
    owner.Attach(app.m_hMainWnd);
  }
  void TearDown() override {
    CV4TTWindow::HideCurrent();
    owner.Detach();
    ShellFixture::TearDown();
  }

  CV4TTWindow* ShowAt(int x, int y) {
    SetCursorPos(x, y);
    CDynBuf request;
    request.Append("RM-1", 5);
    request.Append("Motor", 6);
    return CV4TTWindow::ShowNew(request, &owner);
  }
  static LRESULT Answer(CV4TTWindow* tip, ULONG_PTR code, const char* bytes, DWORD size) {
    COPYDATASTRUCT copy{code, size, const_cast<char*>(bytes)};
    return SendMessage(tip->m_hWnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy));
  }
  static void Tick(CV4TTWindow* tip) { SendMessage(tip->m_hWnd, WM_TIMER, CV4TTWindow::kRestTimer, 0); }
  // The extent of text in the status-bar font.
  static CSize Extent(const char* text) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = 340;
    SystemParametersInfo(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
    CFont font;
    font.CreateFontIndirect(&metrics.lfStatusFont);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font.GetSafeHandle());
    SIZE size{};
    GetTextExtentPoint32(dc, text, static_cast<int>(std::strlen(text)), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return CSize(size.cx, size.cy);
  }
  static CRect Rect(CV4TTWindow* tip) {
    CRect rect;
    GetWindowRect(tip->m_hWnd, &rect);
    return rect;
  }

  CWnd owner;
};

TEST_F(ToolTipWindowTest, TheRequestGoesOnceAfterThePointerRestedAndNeverWhileItMoves) {
  varno::testing::OrderListStandIn orderList;
  CV4TTWindow* tip = ShowAt(20, 20);
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(theGlobals.m_ptooltip, tip);
  EXPECT_FALSE(IsWindowVisible(tip->m_hWnd));
  for (int x : {25, 30, 35}) {
    SetCursorPos(x, 20);
    Tick(tip);
  }
  EXPECT_TRUE(orderList.copies.empty());
  Tick(tip);
  Tick(tip);
  ASSERT_EQ(orderList.copies.size(), 1u);
  EXPECT_EQ(orderList.copies[0].code, 9u);
  const auto handle = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(tip->m_hWnd));
  std::string expected;
  for (int shift = 0; shift < 32; shift += 8) expected += static_cast<char>((handle >> shift) & 0xFF);
  EXPECT_EQ(orderList.copies[0].bytes, expected + std::string("RM-1\0Motor\0", 11));
  EXPECT_EQ(tip->m_timer, 0u);
}

TEST_F(ToolTipWindowTest, AnAnswerOfTwoLinesSizesTheTipToItsWidestLine) {
  CV4TTWindow* tip = ShowAt(20, 20);
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(Answer(tip, 13, "a\nbc", 5), 1);
  EXPECT_TRUE(IsWindowVisible(tip->m_hWnd));
  const CSize wide = Extent("bc");
  EXPECT_EQ(Rect(tip), CRect(20, 20, 20 + wide.cx + 4, 20 + 2 * wide.cy + 4));
}

TEST_F(ToolTipWindowTest, ATipAtTheScreensEdgeIsShiftedBackOntoIt) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  MoveWindow(app.m_hMainWnd, width - 50, height - 50, 50, 50, FALSE);
  CV4TTWindow* tip = ShowAt(width - 2, height - 2);
  ASSERT_NE(tip, nullptr);
  Answer(tip, 13, "ein langer Text", 16);
  const CRect rect = Rect(tip);
  EXPECT_EQ(rect.right, width);
  EXPECT_EQ(rect.bottom, height);
}

TEST_F(ToolTipWindowTest, OnlyAnswersOfCode13AreTakenAndOnlyWithinTheirBytes) {
  CV4TTWindow* tip = ShowAt(20, 20);
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(Answer(tip, 12, "nein", 5), 0);
  EXPECT_FALSE(IsWindowVisible(tip->m_hWnd));
  // No NUL within the block: the text ends with the block.
  const char bytes[] = {'a', 'b', 'c', 'X', 'Y'};
  EXPECT_EQ(Answer(tip, 13, bytes, 3), 1);
  EXPECT_STREQ(tip->m_text, "abc");
  EXPECT_EQ(Answer(tip, 13, "ab\0cd", 5), 1);
  EXPECT_STREQ(tip->m_text, "ab");
  EXPECT_EQ(Answer(tip, 13, nullptr, 8), 1);
  EXPECT_STREQ(tip->m_text, "");
}

TEST_F(ToolTipWindowTest, AnAnswerAfterThePointerLeftDestroysTheTip) {
  CV4TTWindow* tip = ShowAt(20, 20);
  ASSERT_NE(tip, nullptr);
  HWND window = tip->m_hWnd;
  SetCursorPos(500, 500);
  Answer(tip, 13, "Motor", 6);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(theGlobals.m_ptooltip, nullptr);
}

}  // namespace
