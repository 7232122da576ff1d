// The booking settings dialog on its command: the flags shown, asking
// enabled only while raising is on once the user clicks it, and the flags
// taken back on OK only.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ProtocolFixture.h"
#include "orderlist/CMainFrame.h"
#include "orderlist/res/resource.h"
#include "user/Dialogs.h"
#include "win32/UserWindows.h"

namespace {

class SettingsDialogs : public protocol_testing::ProtocolTest {
 protected:
  void SetUp() override {
    ProtocolTest::SetUp();
    m_app = Start();
    ASSERT_TRUE(m_app->m_constructed) << Log();
    m_view = std::make_unique<CProtocolView>(*m_app);
    m_frame = new CMainFrame(m_app.get(), m_view.get());
    ASSERT_TRUE(m_frame->Create(nullptr, "Protokoll"));
  }
  void TearDown() override {
    m_frame->DestroyWindow();
    ProtocolTest::TearDown();
  }
  void Command(UINT id, std::function<void(HWND)> script) {
    layer::ModalHook previous = layer::SetModalHook(std::move(script));
    m_frame->SendMessage(WM_COMMAND, id, 0);
    layer::SetModalHook(previous);
  }
  static bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
  static bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
  static void Click(HWND dialog, int id) { SendMessage(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

  std::unique_ptr<CProtocolApp> m_app;
  std::unique_ptr<CProtocolView> m_view;
  CMainFrame* m_frame = nullptr;
};

TEST_F(SettingsDialogs, BookingSettings) {
  m_app->m_double_inc = false;
  m_app->m_ask_inc = true;
  bool raiseShown = true, askShown = false, askEnabledAtFirst = false, askEnabledAfterClick = false;
  std::string caption;
  Command(ID_BOOKING_SETTINGS, [&](HWND dialog) {
    char text[64] = "";
    GetWindowText(dialog, text, sizeof text);
    caption = text;
    raiseShown = Checked(dialog, IDC_RAISE_QUANTITY);
    askShown = Checked(dialog, IDC_ASK_BEFORE_RAISE);
    askEnabledAtFirst = Enabled(dialog, IDC_ASK_BEFORE_RAISE);
    Click(dialog, IDC_RAISE_QUANTITY);
    askEnabledAfterClick = Enabled(dialog, IDC_ASK_BEFORE_RAISE);
    Click(dialog, IDC_RAISE_QUANTITY);
    EXPECT_FALSE(Enabled(dialog, IDC_ASK_BEFORE_RAISE));
    Click(dialog, IDC_RAISE_QUANTITY);
    Click(dialog, IDC_ASK_BEFORE_RAISE);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(caption, "Einstellungen");
  EXPECT_FALSE(raiseShown);
  EXPECT_TRUE(askShown);
  EXPECT_TRUE(askEnabledAtFirst);
  EXPECT_TRUE(askEnabledAfterClick);
  EXPECT_TRUE(m_app->m_double_inc);
  EXPECT_FALSE(m_app->m_ask_inc);

  Command(ID_BOOKING_SETTINGS, [](HWND dialog) {
    Click(dialog, IDC_RAISE_QUANTITY);
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_TRUE(m_app->m_double_inc);  // cancelled: kept
}

}  // namespace
