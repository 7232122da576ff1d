#include <gtest/gtest.h>

#include "Main/tests/EngineFixture.h"
#include "Main/tests/OrderListStandIn.h"

namespace {

class ProtocolChannelTest : public varno::testing::ShellFixture {};

TEST_F(ProtocolChannelTest, WithoutTheOrderListProgramNothingIsSentAndTheMissIsReportedOnce) {
  CDynBuf data;
  data.Append("DE", 3);
  EXPECT_EQ(app.SendProtocolData(PROTOCOL_CMD_DATA_LANGUAGE, &data), 0);
  EXPECT_EQ(app.PostProtocolCommand(PROTOCOL_CMD_SHOW, 0), 0);
  EXPECT_EQ(app.SendProtocolData(PROTOCOL_CMD_DICTIONARIES, &data), 0);
  ASSERT_EQ(dialog->shown.size(), 1u);
  EXPECT_NE(dialog->shown[0].second.find("312"), std::string::npos);
  EXPECT_EQ(theGlobals.m_error_trace_newest, nullptr);
}

TEST_F(ProtocolChannelTest, TheStartedProgramsTopLevelWindowWithTheViewersIdIsFoundAndGetsTheData) {
  varno::testing::OrderListStandIn orderList;
  // A top-level window of the process without the viewer's id does not count.
  HWND other = CreateWindow("VarnoKeyTarget", "other", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  app.m_prot_pid = GetCurrentProcessId();

  CDynBuf data;
  data.Append("a.ddm");
  data.Append('\0');
  data.Append("b.ddm");
  data.Append('\0');
  EXPECT_EQ(app.SendProtocolData(PROTOCOL_CMD_DICTIONARIES, &data), 1);
  EXPECT_EQ(app.m_prot_wnd, orderList.window);
  ASSERT_EQ(orderList.copies.size(), 1u);
  EXPECT_EQ(orderList.copies[0].code, static_cast<ULONG_PTR>(PROTOCOL_CMD_DICTIONARIES));
  EXPECT_EQ(orderList.copies[0].bytes, std::string("a.ddm\0b.ddm\0", 12));  // the buffer's own zero byte not sent
  EXPECT_EQ(orderList.copies[0].sender, reinterpret_cast<WPARAM>(app.m_hMainWnd));
  // Finding the window tells it the viewer's main window, once.
  EXPECT_EQ(app.PostProtocolCommand(PROTOCOL_CMD_SHOW, 0), TRUE);
  using Commands = std::vector<std::pair<WPARAM, LPARAM>>;
  EXPECT_EQ(orderList.TakeCommands(),
            (Commands{{PROTOCOL_CMD_VIEWER_WINDOW, reinterpret_cast<LPARAM>(app.m_hMainWnd)}, {PROTOCOL_CMD_SHOW, 0}}));
  EXPECT_TRUE(dialog->shown.empty());
  DestroyWindow(other);
}

}  // namespace
