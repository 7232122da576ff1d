// Parts info with the parts-info library itself: its window runs in a thread
// of its own, the order list goes on answering its user while the window
// stands still, and a part asked for then takes the place of the window's
// rows.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "ProtocolFixture.h"
#include "comctl/CommCtrl.h"
#include "interfaces/QORV4TIF.h"
#include "orderlist/CLaunchTIFControl.h"
#include "orderlist/PartsInfoCalls.h"
#include "orderlist/PartsInfoLibrary.h"
#include "orderlist/res/resource.h"
#include "testing/ThreadCount.h"
#include "user/Dialogs.h"
#include "win32/CrossProcess.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace {

using protocol_testing::Ini;

constexpr int kPartsList = 1000;  // the parts-info window's list of rows

std::string PartsInfoFile(const std::string& name) { return std::string(PARTSINFO_TEST_FILES) + "/" + name; }

class PartsInfoThread : public protocol_testing::ProtocolFrameTest {
 protected:
  void SetUp() override {
    ProtocolFrameTest::SetUp();
    InitCommonControls();
    m_folder.Write("qorv4tif.ini", Ini({"[SYSTEM]", "Message=" + PartsInfoFile("windowtexts.dud"), "History=0",
                                        "Notiz=0"}));
    BindPartsInfoLibrary();
    OpenFrame();
    CDynBuf titles;
    m_app->BuildColumnTitles(titles);
    TIF_Init(m_app->m_column_count, titles, m_frame->m_hWnd, m_app->m_count_col, m_app->m_search_col,
             m_app->m_home_dir, m_app->m_prg_language, m_app->m_viewer_dir, nullptr);
    TIF_SetDataLanguage("D");
    TIF_OpenPartsDatabase(PartsInfoFile("parts.ddm").c_str());
    // The part-number dialog of the main thread is answered by the test.
    m_previousHook = layer::SetModalHook([this](HWND dialog) {
      SetDlgItemText(dialog, IDC_PART_NUMBER, m_part);
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
  }
  void TearDown() override {
    layer::SetModalHook(m_previousHook);
    ThePartsInfoCalls() = {};
    ProtocolFrameTest::TearDown();
  }
  void AskFor(const char* part) {
    if (m_threads_before == 0) m_threads_before = layer::testing::ThreadCount();
    m_part = part;
    m_frame->SendMessage(WM_COMMAND, ID_PARTS_INFO, 0);
  }
  // Closes the window and waits until its thread has gone, not only left its
  // loop: the test program must not end under a thread still winding down.
  void CloseWindow(HWND window) {
    PostMessage(window, WM_COMMAND, IDCANCEL, 0);
    while (m_app->m_tif_thread.load()) std::this_thread::yield();
    layer::testing::AwaitThreadCountAtMost(m_threads_before, std::chrono::seconds(5));
  }
  // The parts-info window once its thread shows it.
  HWND WaitForWindow() {
    for (;;) {
      for (HWND window = FindWindow(nullptr, "Teile Information"); window; window = nullptr)
        if (GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId() && IsWindowVisible(window)) return window;
      std::this_thread::yield();
    }
  }
  static std::string FirstRow(HWND window) {
    HWND list = GetDlgItem(window, kPartsList);
    std::string row;
    for (int column = 0; column < 4; ++column) {
      char text[64] = {};
      LVITEM item{};
      item.iSubItem = column;
      item.pszText = text;
      item.cchTextMax = sizeof text;
      SendMessage(list, LVM_GETITEMTEXT, 0, reinterpret_cast<LPARAM>(&item));
      row += std::string(text) + "|";
    }
    return row;
  }

  static std::vector<std::string> ColumnTitles(HWND window) {
    HWND list = GetDlgItem(window, kPartsList);
    std::vector<std::string> titles;
    for (int column = 0;; ++column) {
      char text[64] = {};
      LVCOLUMN header{};
      header.mask = LVCF_TEXT;
      header.pszText = text;
      header.cchTextMax = sizeof text;
      if (!SendMessage(list, LVM_GETCOLUMN, column, reinterpret_cast<LPARAM>(&header))) return titles;
      titles.emplace_back(text);
    }
  }

  const char* m_part = "";
  std::size_t m_threads_before = 0;
  layer::ModalHook m_previousHook;
};

TEST_F(PartsInfoThread, AWindowThatStandsStillLeavesTheOrderListUsable) {
  AskFor("K-100");
  HWND window = WaitForWindow();
  EXPECT_EQ(FirstRow(window), "1|K-100|||");
  // The window's thread does nothing more; the order list still takes a part.
  AskFor("K-200");
  MSG posted{};
  ASSERT_TRUE(PeekMessage(&posted, nullptr, ProtocolToTifMessage(), ProtocolToTifMessage(), PM_REMOVE));
  // As the program's pre-translation hands it on.
  EXPECT_EQ(ThePartsInfoCalls().preTranslateMessage(&posted), 1);
  EXPECT_EQ(FirstRow(window), "1|K-200|||");
  protocol_testing::SaveScreenshot(window, "parts-info-thread.png");

  CloseWindow(window);
  EXPECT_FALSE(IsWindow(window));
}

// The price column stands before the order's last two columns; the window,
// which has no price column, titles those two as the order list does.
TEST_F(PartsInfoThread, TheWindowTitlesItsColumnsAsTheOrderListDoes) {
  AskFor("K-100");
  HWND window = WaitForWindow();
  EXPECT_EQ(ColumnTitles(window), (std::vector<std::string>{"Anzahl", "Teilenummer", "Benennung", "Bemerkung", "Lager"}));
  CloseWindow(window);
}

}  // namespace
