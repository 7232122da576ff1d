// The booking settings and VAT rate dialogs on their commands: the flags
// shown, asking enabled only while raising is on once the user clicks it;
// the rates shown, a changed rate stored, a rate with more decimals
// rescaling the table, and the changed rates handed to the parts-info
// library.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ProtocolFixture.h"
#include "orderlist/CMainFrame.h"
#include "orderlist/PartsInfoCalls.h"
#include "orderlist/res/resource.h"
#include "user/Dialogs.h"
#include "win32/UserWindows.h"

namespace {

using protocol_testing::Ini;

std::vector<std::string> g_rates;
void RecordRate(uint32_t low, uint32_t high, int decimals, int index, int count) {
  g_rates.push_back(std::to_string(static_cast<int64_t>(static_cast<uint64_t>(high) << 32 | low)) + "/" +
                    std::to_string(decimals) + " at " + std::to_string(index) + " of " + std::to_string(count));
}

class SettingsDialogs : public protocol_testing::ProtocolFrameTest {
 protected:
  void SetUp() override {
    ProtocolFrameTest::SetUp();
    g_rates.clear();
    ThePartsInfoCalls().setVatRate = RecordRate;
    Open(Ini({"cnt=2", "00=16", "01=7"}));
  }
  void TearDown() override {
    ThePartsInfoCalls() = {};
    ProtocolFrameTest::TearDown();
  }
  void Open(const std::string& rates) {
    if (m_frame) m_frame->DestroyWindow();
    m_folder.Write("V4Preise.ini", Ini({"[SETTINGS]", "PreisCol=3", "[PREISE]", "Col=103", "Name1=EUR", "Komma1=2",
                                        "[MWST]"}) + rates);
    OpenFrame();
  }
  static bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
  static bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
  static void Click(HWND dialog, int id) { SendMessage(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
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

TEST_F(SettingsDialogs, ARateWithMoreDecimalsRescalesTheTable) {
  std::string shown0, edit1;
  bool row2Shown = true;
  RECT twoRows{};
  Command(ID_VAT_RATES, [&](HWND dialog) {
    char text[32] = "";
    GetDlgItemText(dialog, IDC_VAT_SHOWN, text, sizeof text);
    shown0 = text;
    GetDlgItemText(dialog, IDC_VAT_EDIT + 1, text, sizeof text);
    edit1 = text;
    row2Shown = IsWindowVisible(GetDlgItem(dialog, IDC_VAT_EDIT + 2)) != FALSE;
    GetWindowRect(dialog, &twoRows);
    SetDlgItemText(dialog, IDC_VAT_EDIT + 1, "7,5");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(shown0, "16 %");
  EXPECT_EQ(edit1, "7");
  EXPECT_FALSE(row2Shown);
  EXPECT_EQ(m_app->m_vat.Decimals(), 1);
  EXPECT_EQ(m_app->m_vat.Rates(), (std::vector<int64_t>{160, 75}));
  EXPECT_EQ(g_rates, (std::vector<std::string>{"160/1 at 0 of 2", "75/1 at 1 of 2"}));
  CString stored;
  m_app->m_ini.ReadKey("MWST", "01", "", stored, m_app->m_price_ini, 1);
  EXPECT_STREQ(stored, "7.5");

  // Shown as 16,0 now; typed as 16 it keeps the table's decimals.
  g_rates.clear();
  Command(ID_VAT_RATES, [&](HWND dialog) {
    char text[32] = "";
    GetDlgItemText(dialog, IDC_VAT_EDIT, text, sizeof text);
    EXPECT_STREQ(text, "16,0");
    SetDlgItemText(dialog, IDC_VAT_EDIT, "16");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(m_app->m_vat.Rates(), (std::vector<int64_t>{160, 75}));
  EXPECT_EQ(g_rates, std::vector<std::string>{"160/1 at 0 of 2"});

  // Seventeen rates: fifteen rows, the dialog at its full height.
  std::string seventeen = "cnt=17\r\n";
  for (int i = 0; i < 17; ++i) seventeen += (i < 10 ? "0" : "") + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
  Open(seventeen);
  bool lastRowShown = false;
  RECT fifteenRows{};
  Command(ID_VAT_RATES, [&](HWND dialog) {
    lastRowShown = IsWindowVisible(GetDlgItem(dialog, IDC_VAT_EDIT + 14)) != FALSE;
    GetWindowRect(dialog, &fifteenRows);
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_TRUE(lastRowShown);
  EXPECT_GT(fifteenRows.bottom - fifteenRows.top, twoRows.bottom - twoRows.top);
}

TEST_F(SettingsDialogs, WithoutRatesThereIsNoDialog) {
  Open(Ini({"cnt=0"}));
  int shown = 0;
  Command(ID_VAT_RATES, [&](HWND dialog) {
    ++shown;
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(shown, 0);
  EXPECT_TRUE(g_rates.empty());
}

}  // namespace
