// The order-line commands through their dialogs: a refused part keeps the
// quick-add dialog open with its message, a taken one lands priced in the
// list; the quantity dialog refuses 0; delete asks first.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ProtocolFixture.h"
#include "orderlist/CMainFrame.h"
#include "orderlist/res/resource.h"
#include "user/Dialogs.h"
#include "win32/UserWindows.h"

namespace {

using protocol_testing::BuiltFile;
using protocol_testing::Ini;
using protocol_testing::StandardSettings;

class LineDialogs : public protocol_testing::ProtocolFrameTest {
 protected:
  void SetUp() override {
    ProtocolFrameTest::SetUp();
    Open(Ini({"StammTnrExists=1"}));
  }
  void Open(const std::string& settings) {
    if (m_frame) m_frame->DestroyWindow();
    m_folder.Write("V4Prot.ini", StandardSettings(settings));
    m_folder.Write("V4Preise.ini", Ini({"[SETTINGS]", "PreisCol=3", "[PREISE]", "Col=103", "Name1=EUR", "Komma1=2",
                                        "DB=" + BuiltFile("prices.ddm"), "[MWST]", "cnt=2", "00=16", "01=7"}));
    OpenFrame(("-DL D -PL D -DN " + BuiltFile("catalogue.dud") + " -TS " + BuiltFile("parts.ddm")).c_str());
  }
  static std::string Text(HWND dialog, int id) {
    char text[64] = "";
    GetDlgItemText(dialog, id, text, sizeof text);
    return text;
  }
};

TEST_F(LineDialogs, APartIsAddedOnceItPassesTheChecks) {
  std::string partLabel, caption;
  HWND openDialog = nullptr;
  Command(ID_LINE_INSERT, [&](HWND dialog) {
    char text[64] = "";
    GetWindowText(dialog, text, sizeof text);
    caption = text;
    partLabel = Text(dialog, IDC_ADD_PART_LABEL);
    openDialog = m_app->m_item_dialog;
    SetDlgItemText(dialog, IDC_ADD_PART, "Z9");
    SetDlgItemText(dialog, IDC_ADD_QUANTITY, "1");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);  // refused: stays open
    SetDlgItemText(dialog, IDC_ADD_PART, "A1");
    SetDlgItemText(dialog, IDC_ADD_QUANTITY, "2");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(caption, "Teil hinzuf\xfcgen");
  EXPECT_EQ(partLabel, "Teilenummer");
  EXPECT_NE(openDialog, nullptr);
  EXPECT_EQ(m_app->m_item_dialog, nullptr);
  EXPECT_EQ(m_boxes, std::vector<std::string>{"Teil Z9 unbekannt"});
  ASSERT_EQ(m_view->GetItemCount(), 1);
  EXPECT_STREQ(m_view->GetItem(0).name, "Schraube");
  EXPECT_EQ(m_view->GetItem(0).lineTotal, 3998);
  EXPECT_TRUE(m_view->IsModified());

  Command(ID_LINE_INSERT, [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); });
  EXPECT_EQ(m_view->GetItemCount(), 1);
}

TEST_F(LineDialogs, TheQuantityOfTheSelectedLine) {
  Command(ID_LINE_INSERT, [](HWND dialog) {
    SetDlgItemText(dialog, IDC_ADD_PART, "A1");
    SetDlgItemText(dialog, IDC_ADD_QUANTITY, "2");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  std::string part, name, quantity;
  Command(ID_LINE_EDIT, [&](HWND dialog) {
    part = Text(dialog, IDC_QUANTITY_PART);
    name = Text(dialog, IDC_QUANTITY_NAME);
    quantity = Text(dialog, IDC_QUANTITY);
    SetDlgItemText(dialog, IDC_QUANTITY, "0");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
    SetDlgItemText(dialog, IDC_QUANTITY, "5");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(part, "A1");
  EXPECT_EQ(name, "Schraube");
  EXPECT_EQ(quantity, "2");
  EXPECT_EQ(m_boxes, std::vector<std::string>{"Anzahl 0 nicht erlaubt"});
  EXPECT_STREQ(m_view->GetItem(0).quantity, "5");
  EXPECT_EQ(m_view->Totals().orderTotal, 5 * 1999);

  m_answer = IDYES;
  m_frame->SendMessage(WM_COMMAND, ID_LINE_DELETE, 0);
  EXPECT_EQ(m_view->GetItemCount(), 0);
}

TEST_F(LineDialogs, WholeLinesWhenTheSettingsAskForThem) {
  Open(Ini({"StammTnrExists=1", "NIMode=1", "EIMode=1"}));
  std::vector<std::string> labels;
  bool seventhShown = true;
  Command(ID_LINE_INSERT, [&](HWND dialog) {
    for (int row = 0; row < 6; ++row) labels.push_back(Text(dialog, IDC_ADD_ITEM_LABEL + row));
    seventhShown = IsWindowVisible(GetDlgItem(dialog, IDC_ADD_ITEM_EDIT + 6)) != FALSE;
    SetDlgItemText(dialog, IDC_ADD_ITEM_EDIT + 0, "2");
    SetDlgItemText(dialog, IDC_ADD_ITEM_EDIT + 1, "Z9");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);  // refused: stays open
    SetDlgItemText(dialog, IDC_ADD_ITEM_EDIT + 1, "A1");
    SetDlgItemText(dialog, IDC_ADD_ITEM_EDIT + 3, "10,5");
    SetDlgItemText(dialog, IDC_ADD_ITEM_EDIT + 5, "Fach 3");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(labels, (std::vector<std::string>{"Anzahl", "Teilenummer", "Benennung", "Preis (EUR)", "Bemerkung",
                                              "Lager"}));
  EXPECT_FALSE(seventhShown);
  EXPECT_EQ(m_boxes, std::vector<std::string>{"Teil Z9 unbekannt"});
  ASSERT_EQ(m_view->GetItemCount(), 1);
  EXPECT_EQ(m_view->GetItem(0).price, 1050);
  EXPECT_STREQ(m_view->GetItem(0).name, "Schraube");
  EXPECT_STREQ(m_view->GetItem(0).Extra(1), "Fach 3");

  std::string shownKey;
  Command(ID_LINE_EDIT, [&](HWND dialog) {
    shownKey = Text(dialog, IDC_EDIT_ITEM_EDIT + 1);
    SetDlgItemText(dialog, IDC_EDIT_ITEM_EDIT + 1, "B2");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(shownKey, "A1");
  EXPECT_STREQ(m_view->GetItem(0).partNumber, "B2");
  EXPECT_STREQ(m_view->GetItem(0).quantity, "1");
  EXPECT_EQ(m_view->GetItem(0).price, 1000);
  EXPECT_EQ(m_app->m_item_dialog, nullptr);
}

}  // namespace
