// The order's lines: adding and raising, pricing, totals with VAT, cell texts,
// sorting and the text export.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ProtocolFixture.h"
#include "orderlist/OrderHeader.h"
#include "user/CommonDialogs.h"

namespace {

using protocol_testing::Ini;
using protocol_testing::Line;
using protocol_testing::StandardSettings;

class OrderView : public protocol_testing::ProtocolTest {
 protected:
  void Open(const std::string& settings = "") {
    m_folder.Write("V4Prot.ini", StandardSettings(settings));
    m_app = Start();
    ASSERT_TRUE(m_app->m_constructed) << Log();
    m_view = std::make_unique<CProtocolView>(*m_app);
  }
  int Add(const OrderItem& item) { return m_view->AddOrderLines(nullptr, &item, 1); }
  std::vector<std::string> Column(int column) const {
    std::vector<std::string> texts;
    for (int row = 0; row < m_view->GetItemCount(); ++row) {
      CString text;
      m_view->GetCellText(text, row, column);
      texts.push_back(static_cast<const char*>(text));
    }
    return texts;
  }

  std::unique_ptr<CProtocolApp> m_app;
  std::unique_ptr<CProtocolView> m_view;
};

TEST_F(OrderView, LinesArePricedByQuantity) {
  Open();
  Add(Line("A", "3", "Bolzen", 1999));
  Add(Line("B", "1.5", "Mutter", 1999));
  Add(Line("C", "0,333", "Feder", 300));  // 99.9 cents: rounded half up
  Add(Line("D", "", "ohne Anzahl", 500));
  EXPECT_EQ(m_view->GetItem(0).lineTotal, 5997);
  EXPECT_STREQ(m_view->GetItem(0).lineTotalText, "59,97");
  EXPECT_STREQ(m_view->GetItem(0).unitPriceText, "19,99");
  EXPECT_EQ(m_view->GetItem(1).lineTotal, 2999);
  EXPECT_EQ(m_view->GetItem(2).lineTotal, 100);
  EXPECT_EQ(m_view->GetItem(3).lineTotal, 0);  // no quantity: not priced
  EXPECT_STREQ(m_view->GetItem(3).lineTotalText, "");

  // The second currency: the unit price converted, the total from it.
  m_app->m_price_display = kPricesCurrency2;
  m_view->RepriceAll();
  EXPECT_STREQ(m_view->GetItem(0).unitPriceText, "39,10");  // 19.99 * 1.95583 = 39.0970...
  EXPECT_EQ(m_view->GetItem(0).lineTotal, 3 * 3910);
  EXPECT_EQ(m_view->GetItem(1).lineTotal, 5865);
  EXPECT_STREQ(m_view->Totals().totalText, "177,90 DEM");
  m_app->m_price_display = kPricesHidden;
  m_view->RepriceAll();
  EXPECT_STREQ(m_view->GetItem(0).unitPriceText, "");
  EXPECT_EQ(m_view->GetItem(0).lineTotal, 0);
  EXPECT_FALSE(m_view->Totals().showTotal);
}

TEST_F(OrderView, TotalsWithVatByGroup) {
  Open();
  Add(Line("A", "1", "", 10000, 0));  // 16 %
  Add(Line("B", "2", "", 1000, 1));   // 7.5 %
  Add(Line("C", "1", "", 500, 7));    // no such rate: in the order total only
  const OrderTotals& totals = m_view->Totals();
  EXPECT_EQ(totals.lineCount, 3);
  EXPECT_EQ(totals.orderTotal, 12500);
  EXPECT_EQ(totals.grossTotal, 10000 + 1600 + 2000 + 150);
  EXPECT_TRUE(totals.showGross);
  EXPECT_STREQ(totals.totalText, "125,00 EUR");
  EXPECT_STREQ(totals.grossText, "137,50 EUR");
  // Tax on a sum rounds half up at the cent: 0.333 * 7.5 % = 2.4975 cents.
  m_view->DeleteAllItems();
  Add(Line("D", "1", "", 333, 1));
  EXPECT_EQ(m_view->Totals().grossTotal, 333 + 25);
  m_view->DeleteAllItems();
  EXPECT_EQ(m_view->Totals().lineCount, 0);
  EXPECT_STREQ(m_view->Totals().totalText, "0,00 EUR");  // an empty list shows zero
}

TEST_F(OrderView, WithoutPricesThereAreNoTotals) {
  std::filesystem::remove(m_folder / "V4Preise.ini");
  Open();
  Add(Line("A", "3", "Bolzen", 1999));
  EXPECT_EQ(m_view->Totals().lineCount, 1);
  EXPECT_FALSE(m_view->Totals().showTotal);
  EXPECT_FALSE(m_view->Totals().showGross);
  EXPECT_EQ(m_view->ColumnCount(), 5);
  EXPECT_STREQ(m_view->GetItem(0).lineTotalText, "");
}

TEST_F(OrderView, APartBookedTwiceRaisesItsQuantity) {
  Open("DoubleInc=1\r\n");
  struct Case {
    const char* first;
    const char* second;
    const char* sum;
  } cases[] = {
      {"2", "1,5", "3,5"}, {"0,05", "0,01", "0,06"}, {"1.25", "2", "3,25"}, {"10", "5", "15"}, {"1,x5", "1", "2,5"},
  };
  for (const auto& c : cases) {
    m_view->DeleteAllItems();
    Add(Line("A", c.first, "", 1000));
    EXPECT_EQ(Add(Line("A", c.second)), 1);
    ASSERT_EQ(m_view->GetItemCount(), 1) << c.first << '+' << c.second;
    EXPECT_STREQ(m_view->GetItem(0).quantity, c.sum) << c.first << '+' << c.second;
  }
  // Priced again with the new quantity.
  EXPECT_EQ(m_view->GetItem(0).lineTotal, 2500);
  // No quantity in the second booking: nothing changes; no part number: a line of its own.
  EXPECT_EQ(Add(Line("A", "")), 0);
  EXPECT_EQ(m_view->GetItemCount(), 1);
  Add(Line("", "1"));
  Add(Line("", "1"));
  EXPECT_EQ(m_view->GetItemCount(), 3);
  EXPECT_TRUE(m_boxes.empty());
}

TEST_F(OrderView, AskingBeforeRaising) {
  Open("DoubleInc=1\r\nAskInc=1\r\n");
  Add(Line("A", "2"));
  m_answer = IDNO;
  EXPECT_EQ(Add(Line("A", "1")), 0);
  ASSERT_EQ(m_boxes.size(), 1u);
  EXPECT_EQ(m_boxes[0], "Anzahl erh\xf6hen ?");
  EXPECT_STREQ(m_view->GetItem(0).quantity, "2");
  m_answer = IDYES;
  EXPECT_EQ(Add(Line("A", "1")), 1);
  EXPECT_STREQ(m_view->GetItem(0).quantity, "3");
  EXPECT_EQ(m_view->GetItemCount(), 1);
}

TEST_F(OrderView, LinesFromAnAnswerBlock) {
  Open();
  CDynBuf block;
  // The columns without the price column, then price, VAT group and discount
  // group, although the price column stands before the last two.
  const char answer[] = "2\0A1\0Bolzen\0Lager\0Fach 3\0" "1999\0" "1\0R5\0";
  block.Append(answer, sizeof answer);
  EXPECT_EQ(m_view->AddOrderLines(&block, nullptr, 1), 1);
  const OrderItem& item = m_view->GetItem(0);
  EXPECT_STREQ(item.quantity, "2");
  EXPECT_STREQ(item.partNumber, "A1");
  EXPECT_STREQ(item.name, "Bolzen");
  EXPECT_EQ(item.price, 1999);
  EXPECT_EQ(item.vatGroup, 1);
  EXPECT_STREQ(item.discountGroup, "R5");
  EXPECT_STREQ(item.Extra(0), "Lager");
  EXPECT_STREQ(item.Extra(1), "Fach 3");
  EXPECT_EQ(item.lineTotal, 3998);
  // A block that ends early leaves the rest empty.
  CDynBuf shortBlock;
  shortBlock.Append("5");
  EXPECT_EQ(m_view->AddOrderLines(&shortBlock, nullptr, 1), 1);
  EXPECT_STREQ(m_view->GetItem(1).quantity, "5");
  EXPECT_STREQ(m_view->GetItem(1).partNumber, "");
  // Exactly one source.
  EXPECT_EQ(m_view->AddOrderLines(nullptr, nullptr, 1), 0);
  EXPECT_EQ(m_view->AddOrderLines(&block, &item, 1), 0);
}

TEST_F(OrderView, CellTextsAndTitles) {
  Open();
  Add(Line("A1", "2", "Bolzen", 1999, 0, {"Lager", "Fach 3"}));
  EXPECT_EQ(m_view->ColumnCount(), 7);
  std::vector<std::string> titles, cells;
  for (int column = 0; column < m_view->ColumnCount(); ++column) {
    CString title, cell;
    EXPECT_EQ(m_view->GetCellText(title, -1, column), 1);
    EXPECT_EQ(m_view->GetCellText(cell, 0, column), 1);
    titles.push_back(static_cast<const char*>(title));
    cells.push_back(static_cast<const char*>(cell));
  }
  EXPECT_EQ(titles, (std::vector<std::string>{"Anzahl", "Teilenummer", "Benennung", "Preis (EUR)", "Bemerkung", "Lager",
                                              "Summe (EUR)"}));
  EXPECT_EQ(cells, (std::vector<std::string>{"2", "A1", "Bolzen", "19,99", "Lager", "Fach 3", "39,98"}));
  CString text;
  EXPECT_EQ(m_view->GetCellText(text, 1, 0), 0);
  EXPECT_EQ(m_view->GetCellText(text, 0, 7), 0);
  EXPECT_EQ(m_view->GetCellText(text, -2, 0), 0);
}

TEST_F(OrderView, SortingAlternatesAndKeepsTheCurrentLine) {
  Open();
  Add(Line("C", "10", "beta", 500));
  Add(Line("A", "9", "", -200));
  Add(Line("B", "1,5", "Alpha", 100));
  Add(Line("D", "2", "gamma", 2000));
  m_view->SetCurrentItem(2);  // "B"
  const int name = 2, price = 3, quantity = 0, total = 6;
  m_view->SortByColumn(name);
  EXPECT_EQ(Column(name), (std::vector<std::string>{"Alpha", "beta", "gamma", ""}));  // no name goes last
  EXPECT_STREQ(m_view->GetItem(m_view->GetCurrentItem()).partNumber, "B");
  m_view->SortByColumn(name);
  EXPECT_EQ(Column(name), (std::vector<std::string>{"", "gamma", "beta", "Alpha"}));
  m_view->SortByColumn(price);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"A", "B", "C", "D"}));  // -2,00 is the lowest price
  m_view->SortByColumn(quantity);
  EXPECT_EQ(Column(quantity), (std::vector<std::string>{"1,5", "2", "9", "10"}));  // numbers, "1,5" read as 1
  m_view->SortByColumn(total);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"A", "B", "D", "C"}));
  m_view->SortByColumn(total);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"C", "D", "B", "A"}));
  EXPECT_STREQ(m_view->GetItem(m_view->GetCurrentItem()).partNumber, "B");
  m_view->SortByColumn(99);  // no such column: nothing moves
  EXPECT_EQ(Column(1), (std::vector<std::string>{"C", "D", "B", "A"}));
}

TEST_F(OrderView, TheTextExport) {
  Open("ASCIIExportFull=0\r\n");
  Add(Line("A1", "2", "Bolzen", 1999, 1, {"Lager", "Fach 3"}));
  Add(Line("B2", "1", "Mutter", 50, 9));
  ASSERT_EQ(m_view->ExportText((m_folder / "export.txt").c_str()), 1);
  EXPECT_EQ(m_folder.Read("export.txt"),
            "A1\t2\tBolzen\t19,99\t7,5\t\tLager\tFach 3\r\n"
            "B2\t1\tMutter\t0,50\t\t\t\t\r\n");
  EXPECT_EQ(m_view->ExportText((m_folder / "no/such/folder/export.txt").c_str()), 0);

  m_app->m_ascii_export_full = true;
  m_app->m_header_texts[kOrderNumber] = "4711";
  m_folder.Write("v4prot_user.ini", Ini({"[ADR_KUNDE]", "I01=Maier"}));
  ASSERT_EQ(m_view->ExportText((m_folder / "full.txt").c_str()), 1);
  std::string full = m_folder.Read("full.txt");
  EXPECT_EQ(full.substr(0, 6), "4711\r\n");
  // Five header texts, five times twelve address fields, the column count, the currency.
  size_t lines = 0;
  for (size_t at = full.find("\r\n"); at != std::string::npos; at = full.find("\r\n", at + 2)) ++lines;
  EXPECT_EQ(lines, 5u + 60u + 2u + 2u);
  EXPECT_NE(full.find("\r\nMaier\r\n"), std::string::npos);
  EXPECT_NE(full.find("\r\n6\r\nEUR\r\nA1\t"), std::string::npos);
}

// Without a file name the user chooses the file in the save dialog: text
// files offered first, "TXT" added to a name without an extension, a file
// that is there replaced only when the user says so.
TEST_F(OrderView, TheTextExportIntoAFileTheUserChooses) {
  Open("ASCIIExportFull=0\r\n");
  Add(Line("A1", "2", "Bolzen", 1999, 1, {"Lager", "Fach 3"}));
  const std::string line = "A1\t2\tBolzen\t19,99\t7,5\t\tLager\tFach 3\r\n";
  std::vector<layer::FileDialogRequest> requests;
  std::vector<std::string> answers;
  auto previous = layer::SetFileDialogPresenter(
      [&](const layer::FileDialogRequest& request, std::string& path, int&) {
        requests.push_back(request);
        if (answers.empty()) return false;
        path = answers.front();
        answers.erase(answers.begin());
        return !path.empty();
      });

  answers = {m_folder / "liste"};
  EXPECT_EQ(m_view->ExportText(nullptr), 1);
  ASSERT_EQ(requests.size(), 1u);
  const layer::FileDialogRequest& request = requests[0];
  EXPECT_TRUE(request.save);
  using Filter = std::pair<std::string, std::string>;
  EXPECT_EQ(request.filters, (std::vector<Filter>{{"Textdateien (*.TXT)", "*.TXT"}, {"Alle Dateien (*.*)", "*.*"}}));
  EXPECT_EQ(request.defaultExtension, "TXT");
  const DWORD asked = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
  EXPECT_EQ(request.flags & asked, asked);
  EXPECT_EQ(m_folder.Read("liste.TXT"), line);

  // The file is there: "No" asks for another name, and cancel writes nothing.
  Add(Line("B2", "1", "Mutter", 50, 9));
  m_answer = IDNO;
  answers = {m_folder / "liste.TXT", ""};
  EXPECT_EQ(m_view->ExportText(nullptr), 1);
  ASSERT_EQ(m_boxes.size(), 1u);
  EXPECT_NE(m_boxes[0].find("liste.TXT"), std::string::npos) << m_boxes[0];
  EXPECT_EQ(m_folder.Read("liste.TXT"), line);
  m_answer = IDYES;
  answers = {m_folder / "liste.TXT"};
  EXPECT_EQ(m_view->ExportText(nullptr), 1);
  EXPECT_EQ(m_folder.Read("liste.TXT"), line + "B2\t1\tMutter\t0,50\t\t\t\t\r\n");
  layer::SetFileDialogPresenter(previous);
}

}  // namespace
