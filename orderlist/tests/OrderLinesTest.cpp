// Adding, editing and deleting order lines: the checks a part must pass, the
// price texts of the line dialogs, quantities, rebuilding a line for another
// part, and which line is current after a delete.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProtocolFixture.h"

namespace {

using protocol_testing::BuiltFile;
using protocol_testing::Ini;
using protocol_testing::Line;
using protocol_testing::StandardSettings;

class OrderLines : public protocol_testing::ProtocolTest {
 protected:
  // The catalogue's parts master and prices; the settings' part checks.
  void Open(const std::string& settings = "", bool withMaster = true) {
    m_folder.Write("V4Prot.ini", StandardSettings(settings));
    m_folder.Write("V4Preise.ini", Ini({"[SETTINGS]", "PreisCol=3", "[PREISE]", "Col=103", "Name1=EUR", "Komma1=2",
                                        "DB=" + BuiltFile("prices.ddm"), "[MWST]", "cnt=8", "00=16", "01=7", "02=0",
                                        "03=0", "04=0", "05=0", "06=0", "07=19"}));
    std::string line = "-DL D -PL D -DN " + BuiltFile("catalogue.dud") + " -DC " + BuiltFile("catalogue.dud");
    if (withMaster) line += " -TS " + BuiltFile("parts.ddm");
    m_app = Start(line.c_str());
    ASSERT_TRUE(m_app->m_constructed) << Log();
    m_view = std::make_unique<CProtocolView>(*m_app);
    m_open = std::make_unique<CProtocolView::OpenDatabases>(*m_app);
  }
  const OrderDatabases& Databases() const { return m_open->databases; }
  // The refusal as the dialog shows it.
  std::string Refusal(const LineRefusal& refusal) const {
    if (!refusal) return "";
    return static_cast<const char*>(FormatMessageText(m_app->GetText(refusal.text), {refusal.key}));
  }
  // Columns: quantity, part number, name, price, two extras.
  static std::vector<CString> Columns(const char* quantity, const char* part, const char* name = "",
                                      const char* price = "", const char* extra0 = "", const char* extra1 = "") {
    return {quantity, part, name, price, extra0, extra1};
  }

  std::unique_ptr<CProtocolApp> m_app;
  std::unique_ptr<CProtocolView> m_view;
  std::unique_ptr<CProtocolView::OpenDatabases> m_open;
};

struct PriceCase {
  const char* name;
  const char* text;
  int decimals;
  bool taken;
  int32_t price;
};

class PriceTexts : public ::testing::TestWithParam<PriceCase> {};

TEST_P(PriceTexts, BecomeFixedPoint) {
  int32_t price = -1;
  EXPECT_EQ(CProtocolView::PriceFromText(GetParam().text, GetParam().decimals, price), GetParam().taken);
  if (GetParam().taken) {
    EXPECT_EQ(price, GetParam().price);
  }
}

INSTANTIATE_TEST_SUITE_P(
    , PriceTexts,
    ::testing::Values(PriceCase{"FewerDecimalsGetZeros", "12,3", 2, true, 1230},
                      PriceCase{"FirstSurplusDigitRoundsUp", "12.345", 2, true, 1235},
                      PriceCase{"LaterSurplusDigitsAreCut", "12.3449", 2, true, 1234},
                      PriceCase{"Whole", "7", 2, true, 700}, PriceCase{"NoDecimalsWanted", "7,5", 0, true, 8},
                      PriceCase{"Empty", "", 2, true, 0},
                      PriceCase{"Largest", "21474836.47", 2, true, 2147483647},
                      PriceCase{"BeyondThirtyTwoBits", "21474836.48", 2, false, 0},
                      PriceCase{"FarBeyond", "99999999999999999999", 2, false, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OrderLines, QuickAddChecksInOrder) {
  Open(Ini({"StammTnrExists=1", "StammTnrValid=1", "StammOrderCol=3"}));
  struct Case {
    const char* key;
    const char* quantity;
    std::string refusal;
  } cases[] = {
      {"", "1", "Teilenummer fehlt"},
      {"D4", "0", "Anzahl muss gr\xf6\xdf" "er 0 sein"},
      {"D4", "-2", "Anzahl muss gr\xf6\xdf" "er 0 sein"},
      {"D4", "abc", "Anzahl muss gr\xf6\xdf" "er 0 sein"},
      {"Z9", "1", "Teil Z9 unbekannt"},
      {"A1", "1", "Teil A1 nicht bestellbar"},  // its flag field does not start with 1
      {"D4", "2", ""},
      {"D4", "0,5", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Refusal(m_view->CheckQuickAdd(c.key, c.quantity, Databases())), c.refusal) << c.key << " " << c.quantity;
}

TEST_F(OrderLines, WithoutThePartsMasterAnExistingPartCannotBeChecked) {
  Open(Ini({"StammTnrExists=1"}), /*withMaster=*/false);
  EXPECT_EQ(Refusal(m_view->CheckQuickAdd("A1", "1", Databases())), "Keine Teiledatenbank");
  Open("", /*withMaster=*/false);
  EXPECT_EQ(Refusal(m_view->CheckQuickAdd("A1", "1", Databases())), "");  // no check asked for
}

TEST_F(OrderLines, APartFromTheCompanionPassesAndMayTakeItsKey) {
  Open(Ini({"StammTnrExists=1", "ChangeTNRFormat=1"}));
  ASSERT_EQ(Refusal(m_view->CheckQuickAdd("C3", "1", Databases())), "");
  m_view->AddPart("C3", "3", Databases());
  ASSERT_EQ(m_view->GetItemCount(), 1);
  const OrderItem& line = m_view->GetItem(0);
  EXPECT_STREQ(line.partNumber, "C3-NEU");
  EXPECT_STREQ(line.quantity, "3");
  EXPECT_TRUE(m_view->IsModified());
}

TEST_F(OrderLines, AnAddedPartIsFilledAndPriced) {
  Open();
  m_view->AddPart("A1", "2", Databases());
  m_view->AddPart("Z9", "1", Databases());  // unknown to the price database
  ASSERT_EQ(m_view->GetItemCount(), 2);
  const OrderItem& a1 = m_view->GetItem(0);
  EXPECT_STREQ(a1.name, "Schraube");
  EXPECT_EQ(a1.price, 1999);
  EXPECT_EQ(a1.vatGroup, 1);
  EXPECT_EQ(a1.lineTotal, 3998);
  EXPECT_EQ(m_view->GetItem(1).price, 0);
  EXPECT_EQ(m_view->GetItem(1).vatGroup, 0);
  EXPECT_EQ(m_view->Totals().orderTotal, 3998);
}

TEST_F(OrderLines, TheAddLineDialogTakesEveryColumn) {
  Open(Ini({"StammTnrExists=1"}));
  EXPECT_EQ(Refusal(m_view->CheckAddLine(Columns("1", "Z9"), Databases())), "Teil Z9 unbekannt");
  EXPECT_EQ(Refusal(m_view->CheckAddLine(Columns("0", "A1"), Databases())), "Anzahl muss gr\xf6\xdf" "er 0 sein");
  EXPECT_EQ(Refusal(m_view->CheckAddLine(Columns("", "A1"), Databases())), "Anzahl muss gr\xf6\xdf" "er 0 sein");
  const auto columns = Columns("2", "A1", "Eigene", "12,345", "", "Fach 3");
  ASSERT_EQ(Refusal(m_view->CheckAddLine(columns, Databases())), "");
  m_view->AddLineFromColumns(columns, Databases());
  const OrderItem& line = m_view->GetItem(0);
  EXPECT_STREQ(line.name, "Eigene");      // typed: the master's name is not taken
  EXPECT_EQ(line.price, 1235);            // typed: the price database's is not taken
  EXPECT_STREQ(line.Extra(0), "Lager 4");  // left empty: from the master
  EXPECT_STREQ(line.Extra(1), "Fach 3");
  EXPECT_EQ(line.lineTotal, 2470);
}

TEST_F(OrderLines, QuantitiesOfTheQuantityDialog) {
  EXPECT_EQ(CProtocolView::CheckQuantity("0").text, 2216);
  EXPECT_EQ(CProtocolView::CheckQuantity("0,0").text, 2216);
  EXPECT_EQ(CProtocolView::CheckQuantity("").text, 2216);
  EXPECT_EQ(CProtocolView::CheckQuantity("-1").text, 2217);
  EXPECT_FALSE(CProtocolView::CheckQuantity("0,5"));
  Open();
  m_view->AddPart("A1", "1", Databases());
  m_view->SetModifiedFlag(false);
  m_view->SetLineQuantity(0, "4");
  EXPECT_EQ(m_view->GetItem(0).lineTotal, 4 * 1999);
  EXPECT_EQ(m_view->Totals().orderTotal, 4 * 1999);
  EXPECT_TRUE(m_view->IsModified());
}

TEST_F(OrderLines, EditingTheSamePartChangesOnlyWhatChanged) {
  Open();
  m_view->AddPart("A1", "2", Databases());
  auto columns = m_view->LineColumns(0);
  EXPECT_EQ(std::vector<std::string>(columns.begin(), columns.end()),
            (std::vector<std::string>{"2", "A1", "Schraube", "19.99", "Lager 4", ""}));
  columns[0] = "0";
  EXPECT_EQ(Refusal(m_view->CheckLineEdit(0, columns, Databases())), "Anzahl muss gr\xf6\xdf" "er 0 sein");
  columns[0] = "3";
  columns[3] = "10";
  ASSERT_EQ(Refusal(m_view->CheckLineEdit(0, columns, Databases())), "");
  m_view->ApplyLineEdit(0, columns, Databases());
  const OrderItem& line = m_view->GetItem(0);
  EXPECT_STREQ(line.quantity, "3");
  EXPECT_EQ(line.price, 1000);
  EXPECT_STREQ(line.discountGroup, "R5");  // unchanged columns keep the line's values
  EXPECT_EQ(m_view->Totals().orderTotal, 3000);
}

TEST_F(OrderLines, EditingToAnotherPartRebuildsTheLine) {
  Open(Ini({"StammTnrExists=1"}));
  m_view->AddLineFromColumns(Columns("5", "A1", "Eigene", "1,00", "x", "y"), Databases());
  auto columns = m_view->LineColumns(0);
  columns[1] = "Z9";
  EXPECT_EQ(Refusal(m_view->CheckLineEdit(0, columns, Databases())), "Teil Z9 unbekannt");
  columns[1] = "B2";
  columns[0] = "0";  // not checked: the line is rebuilt with quantity 1
  ASSERT_EQ(Refusal(m_view->CheckLineEdit(0, columns, Databases())), "");
  m_view->ApplyLineEdit(0, columns, Databases());
  const OrderItem& line = m_view->GetItem(0);
  EXPECT_STREQ(line.partNumber, "B2");
  EXPECT_STREQ(line.quantity, "1");
  EXPECT_STREQ(line.name, "Mutter Bolzen");
  EXPECT_EQ(line.price, 1000);
  EXPECT_STREQ(line.Extra(0), "");
  EXPECT_STREQ(line.Extra(1), "");
}

TEST_F(OrderLines, DeletingAsksAndSelectsTheLineAtThatPlace) {
  Open();
  for (const char* part : {"A1", "B2", "D4"}) m_view->AddPart(part, "1", Databases());
  m_view->SetCurrentItem(2);
  m_answer = IDNO;
  EXPECT_STREQ(m_view->DeleteCurrentLine(), "");
  EXPECT_EQ(m_view->GetItemCount(), 3);
  EXPECT_EQ(m_boxes, std::vector<std::string>{"Zeile l\xf6schen ?"});
  m_answer = IDYES;
  EXPECT_STREQ(m_view->DeleteCurrentLine(), "D4");
  EXPECT_EQ(m_view->GetCurrentItem(), 1);  // the new last line
  m_view->SetCurrentItem(0);
  EXPECT_STREQ(m_view->DeleteCurrentLine(), "A1");
  EXPECT_EQ(m_view->GetCurrentItem(), 0);
  EXPECT_STREQ(m_view->GetItem(0).partNumber, "B2");
  EXPECT_EQ(m_view->Totals().orderTotal, 1000);
  EXPECT_STREQ(m_view->DeleteCurrentLine(), "B2");
  EXPECT_EQ(m_view->GetCurrentItem(), -1);
  EXPECT_EQ(m_view->Totals().lineCount, 0);
  m_boxes.clear();
  EXPECT_STREQ(m_view->DeleteCurrentLine(), "");  // nothing left: no question
  EXPECT_TRUE(m_boxes.empty());
}

}  // namespace
