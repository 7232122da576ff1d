// Parts info from the order list: the line that asks for the part, the
// window in a thread of its own that leaves the order list usable while it
// is open, and a second part handed to the open window.
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "ProtocolFixture.h"
#include "interfaces/QORV4TIF.h"
#include "orderlist/CLaunchTIFControl.h"
#include "orderlist/PartsInfoCalls.h"
#include "orderlist/PartsInfoLines.h"
#include "orderlist/res/resource.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

// A namespace of its own: the test files compile together, and the channel's
// test records what the parts-info library is told under the same names.
namespace parts_info_command_test {
namespace {

using protocol_testing::BuiltFile;
using protocol_testing::Ini;
using protocol_testing::Line;
using protocol_testing::StandardSettings;

struct LinesCase {
  const char* name;
  int columns;
  int priceColumn;
  int keyColumn;
  const char* key;
  std::string lines;
};

class PartsInfoLinesOf : public protocol_testing::ProtocolTest, public ::testing::WithParamInterface<LinesCase> {};

TEST_P(PartsInfoLinesOf, HoldTheKeyInItsColumnOnly) {
  auto app = Start();
  app->m_column_count = GetParam().columns;
  app->m_price_col = GetParam().priceColumn;
  app->m_search_col = GetParam().keyColumn;
  const CDynBuf lines = PartsInfoLines(*app, GetParam().key);
  EXPECT_EQ(std::string(static_cast<const char*>(lines), static_cast<size_t>(lines.GetLength())), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    , PartsInfoLinesOf,
    ::testing::Values(LinesCase{"PriceColumnIsTheProgramsOwn", 5, 3, 1, "A1", std::string("\0A1\0\0\0\0", 7)},
                      LinesCase{"WithoutPrices", 3, -1, 0, "X", std::string("X\0\0\0\0", 5)},
                      LinesCase{"KeyInTheLastColumn", 4, -1, 3, "K-7", std::string("\0\0\0K-7\0\0", 8)}),
    [](const auto& info) { return std::string(info.param.name); });

// The parts-info window as the library shows it: modal, it keeps the thread
// it was opened in until the user closes it.
struct PartsInfoWindow {
  std::mutex mutex;
  std::condition_variable changed;
  int opened = 0;
  bool closing = false;
  MSG shown{};
  DWORD thread = 0;
};
PartsInfoWindow g_window;
std::vector<std::string> g_commands;
std::vector<std::string> g_told;
TifCommand g_command{};

TifCommand* RecordCommand(const char* data, int length, int tag) {
  g_commands.push_back(std::to_string(tag) + ":" + std::string(data, static_cast<size_t>(length)));
  g_told.push_back("command");
  return &g_command;
}

void RecordTitles(const char*, const char* language) { g_told.push_back(std::string("titles ") + language); }

int ShowUntilClosed(MSG* message) {
  std::unique_lock lock(g_window.mutex);
  g_window.shown = *message;
  g_window.thread = GetCurrentThreadId();
  ++g_window.opened;
  g_window.changed.notify_all();
  g_window.changed.wait(lock, [] { return g_window.closing; });
  return 1;
}

class PartsInfoCommand : public protocol_testing::ProtocolFrameTest {
 protected:
  void SetUp() override {
    ProtocolFrameTest::SetUp();
    g_commands.clear();
    g_told.clear();
    g_window.opened = 0;
    g_window.closing = false;
    g_window.thread = 0;
    PartsInfoCalls& calls = ThePartsInfoCalls();
    calls.newCommand = RecordCommand;
    calls.setColumnTitles = RecordTitles;
    calls.preTranslateMessage = ShowUntilClosed;
  }
  void TearDown() override {
    if (m_app) CloseWindowAndWait();
    TakePosted();
    ThePartsInfoCalls() = {};
    ProtocolFrameTest::TearDown();
  }
  // Asks for a part's info, typing the number and pressing OK.
  void AskFor(const char* part) {
    Command(ID_PARTS_INFO, [part](HWND dialog) {
      SetDlgItemText(dialog, IDC_PART_NUMBER, part);
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
  }
  void WaitUntilOpen() {
    std::unique_lock lock(g_window.mutex);
    g_window.changed.wait(lock, [] { return g_window.opened > 0; });
  }
  // The user closes the window; its thread ends and clears the marker.
  void CloseWindowAndWait() {
    {
      std::lock_guard lock(g_window.mutex);
      g_window.closing = true;
    }
    g_window.changed.notify_all();
    while (m_app->m_tif_thread.load()) std::this_thread::yield();
    std::lock_guard lock(g_window.mutex);
    g_window.closing = false;
    g_window.opened = 0;
  }
  std::vector<MSG> TakePosted() {
    std::vector<MSG> taken;
    MSG msg{};
    const UINT id = ProtocolToTifMessage();
    while (PeekMessage(&msg, nullptr, id, id, PM_REMOVE)) taken.push_back(msg);
    return taken;
  }
};

TEST_F(PartsInfoCommand, ShowsThePartInAWindowOfItsOwnThread) {
  OpenFrame();
  AskFor("A1");
  WaitUntilOpen();
  EXPECT_EQ(g_commands, std::vector<std::string>{std::string("0:\0A1\0\0\0\0", 10)});
  EXPECT_NE(g_window.thread, GetCurrentThreadId());
  EXPECT_EQ(g_window.shown.hwnd, nullptr);
  EXPECT_EQ(g_window.shown.message, ProtocolToTifMessage());
  EXPECT_EQ(g_window.shown.wParam, 8u);
  EXPECT_EQ(g_window.shown.lParam, reinterpret_cast<LPARAM>(&g_command));
  EXPECT_NE(m_app->m_tif_thread.load(), nullptr);

  CloseWindowAndWait();
  EXPECT_EQ(m_app->m_tif_thread.load(), nullptr);
  EXPECT_TRUE(TakePosted().empty());
}

TEST_F(PartsInfoCommand, APartAskedForWhileTheWindowHangsGoesToTheOpenWindow) {
  OpenFrame();
  AskFor("A1");
  WaitUntilOpen();
  // The order list still answers its user: the dialog comes up and takes the part.
  AskFor("B2");
  const std::vector<MSG> posted = TakePosted();
  ASSERT_EQ(posted.size(), 1u);
  EXPECT_EQ(posted[0].hwnd, nullptr);
  EXPECT_EQ(posted[0].wParam, 8u);
  EXPECT_EQ(posted[0].lParam, reinterpret_cast<LPARAM>(&g_command));
  EXPECT_EQ(g_commands.back(), std::string("0:\0B2\0\0\0\0", 10));
  EXPECT_EQ(g_window.opened, 1);

  CloseWindowAndWait();
  AskFor("C3");
  WaitUntilOpen();
  EXPECT_TRUE(TakePosted().empty());
}

TEST_F(PartsInfoCommand, AnEmptyNumberKeepsTheDialogOpenAndCancelAsksNothing) {
  OpenFrame();
  bool stayedOpen = false;
  Command(ID_PARTS_INFO, [&](HWND dialog) {
    SetDlgItemText(dialog, IDC_PART_NUMBER, "");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
    stayedOpen = IsWindowVisible(dialog) != FALSE;
    SetDlgItemText(dialog, IDC_PART_NUMBER, "A1");
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_TRUE(stayedOpen);
  EXPECT_TRUE(g_commands.empty());
  EXPECT_EQ(m_app->m_tif_thread.load(), nullptr);
}

TEST_F(PartsInfoCommand, TheSelectedLinesPartIsProposed) {
  OpenFrame();
  OrderItem item = Line("P-42", "1");
  m_view->AddOrderLines(nullptr, &item, 1);
  m_view->SetCurrentItem(0);
  CString proposed;
  Command(ID_PARTS_INFO, [&](HWND dialog) {
    protocol_testing::SaveScreenshot(dialog, "part-number.png");
    char text[64] = {};
    GetDlgItemText(dialog, IDC_PART_NUMBER, text, sizeof text);
    proposed = text;
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_STREQ(proposed, "P-42");
}

TEST_F(PartsInfoCommand, WithoutAKeyColumnNothingIsAsked) {
  OpenFrame();
  m_app->m_search_col = -1;
  AskFor("A1");
  EXPECT_TRUE(g_commands.empty());
  EXPECT_EQ(m_app->m_tif_thread.load(), nullptr);
}

TEST_F(PartsInfoCommand, TheCompanionDatabaseWritesTheKeyAndTheNewLanguageComesFirst) {
  m_folder.Write("V4Prot.ini", StandardSettings(Ini({"ChangeTNRFormat=1"})));
  OpenFrame(("-DL D -PL D -TS " + BuiltFile("parts.ddm")).c_str());
  m_app->m_prg_language_new = "E";
  AskFor("C3");
  WaitUntilOpen();
  EXPECT_EQ(g_commands, std::vector<std::string>{std::string("0:\0C3-NEU\0\0\0\0", 14)});
  EXPECT_EQ(g_told, (std::vector<std::string>{"titles E", "command"}));
  EXPECT_STREQ(m_app->m_prg_language, "E");
}

TEST(LaunchTIFControl, RunsNothingWithoutAnOwner) {
  CLaunchTIFControl thread;
  thread.m_bAutoDelete = FALSE;
  EXPECT_EQ(thread.Run(), -1);
}

}  // namespace
}  // namespace parts_info_command_test
