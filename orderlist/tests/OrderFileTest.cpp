// The order file: round trips, other programs' files (currencies, more and
// fewer extra columns), merging, the older layout, addresses and damage.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "ProtocolFixture.h"
#include "foundation/CompanionDatabase.h"
#include "orderlist/CKartei.h"
#include "orderlist/OrderHeader.h"
#include "testing/ChildProcess.h"

namespace {

using protocol_testing::BuiltFile;
using protocol_testing::Ini;
using protocol_testing::Line;
using protocol_testing::StandardSettings;

std::string Word(unsigned value) { return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)}; }
std::string Text16(const std::string& text) { return Word(static_cast<unsigned>(text.size())) + text; }
std::string Fields(std::initializer_list<std::string> fields) {
  std::string line;
  for (const std::string& field : fields) line += field + '\0';
  return line;
}

// An order file as another program wrote it.
std::string OrderFileBytes(const std::string& currency, unsigned extras, const std::vector<std::string>& lines,
                           const std::vector<std::string>& headerTexts = {}, unsigned version = 1,
                           unsigned columns = 6) {
  std::string header;
  for (size_t i = 0; i < 20; ++i) header += Text16(i < headerTexts.size() ? headerTexts[i] : "");
  std::string bytes = "PRO" + Word(version) + Text16(header) + static_cast<char>(currency.size()) + currency +
                      Word(columns) + Word(extras);
  for (const std::string& line : lines) bytes += Text16(line);
  return bytes + Word(0);
}

class OrderFile : public protocol_testing::ProtocolTest {
 protected:
  void Open(const std::string& settings = "", const char* commandLine = "-DL D -PL D") {
    m_folder.Write("V4Prot.ini", StandardSettings(settings));
    m_app = Start(commandLine);
    ASSERT_TRUE(m_app->m_constructed) << Log();
    m_view = std::make_unique<CProtocolView>(*m_app);
  }
  // The order read into a fresh view of the same program.
  std::unique_ptr<CProtocolView> ReadBack(int expected = 1) {
    auto view = std::make_unique<CProtocolView>(*m_app);
    EXPECT_EQ(view->ReadOrderFile(), expected);
    return view;
  }
  int Add(const OrderItem& item) { return m_view->AddOrderLines(nullptr, &item, 1); }
  // The boxes about prices kept in another currency.
  std::vector<std::string> CurrencyBoxes() const {
    std::vector<std::string> boxes;
    for (const std::string& box : m_boxes)
      if (box.find("Preise in") == 0) boxes.push_back(box);
    return boxes;
  }
  std::string FileBytes() const { return m_folder.Read("Standard.pro"); }
  void WriteFile(const std::string& bytes) { m_folder.Write("Standard.pro", bytes); }

  std::unique_ptr<CProtocolApp> m_app;
  std::unique_ptr<CProtocolView> m_view;
};

TEST_F(OrderFile, AnEmptyOrderIsItsHeadAndTheEndMarker) {
  Open();
  m_app->m_header_texts[kOrderNumber] = "4711";
  ASSERT_EQ(m_view->WriteOrderFile(), 1);
  std::vector<std::string> header{"4711"};
  EXPECT_EQ(FileBytes(), OrderFileBytes("EUR", 2, {}, header));
  m_app->m_header_texts[kOrderNumber].Empty();
  auto view = ReadBack();
  EXPECT_EQ(view->GetItemCount(), 0);
  EXPECT_STREQ(m_app->m_header_texts[kOrderNumber], "4711");
}

TEST_F(OrderFile, LinesRoundTripWithPricesAndLongHeaderTexts) {
  Open();
  const std::string longPurpose(300, 'z');
  m_app->m_header_texts[kOrderPurpose] = longPurpose.c_str();
  m_app->m_header_texts[kDeliveryDate] = "31.12.2026";
  Add(Line("A1", "2", "Bolzen", 1999, 1, {"Lager", "Fach 3"}));
  Add(Line("B2", "0,5", "", -250, 0));
  OrderItem third = Line("C3", "1", "Feder", 100);
  third.discountGroup = "R5";
  Add(third);
  ASSERT_EQ(m_view->WriteOrderFile(), 1);
  const std::string written = FileBytes();
  EXPECT_EQ(written.substr(written.size() - 2), std::string("\0\0", 2));
  EXPECT_NE(written.find(Fields({"A1", "2", "Bolzen", "1999", "1", "", "Lager", "Fach 3"})), std::string::npos);
  EXPECT_NE(written.find(Fields({"B2", "0,5", "", "-250", "0", "", "", ""})), std::string::npos);

  for (CString& text : m_app->m_header_texts) text.Empty();
  auto view = ReadBack();
  ASSERT_EQ(view->GetItemCount(), 3);
  const OrderItem& first = view->GetItem(0);
  EXPECT_STREQ(first.partNumber, "A1");
  EXPECT_STREQ(first.quantity, "2");
  EXPECT_EQ(first.price, 1999);
  EXPECT_EQ(first.vatGroup, 1);
  EXPECT_EQ(first.extras, (std::vector<CString>{"Lager", "Fach 3"}));
  EXPECT_EQ(view->GetItem(1).price, -250);
  EXPECT_STREQ(view->GetItem(2).discountGroup, "R5");
  EXPECT_EQ(view->Totals().orderTotal, m_view->Totals().orderTotal);
  EXPECT_STREQ(m_app->m_header_texts[kOrderPurpose], longPurpose.c_str());  // 16-bit lengths hold it whole
  EXPECT_STREQ(m_app->m_header_texts[kDeliveryDate], "31.12.2026");
  // Written again, the file is the same.
  ASSERT_EQ(view->WriteOrderFile(), 1);
  EXPECT_EQ(FileBytes(), written);
}

TEST_F(OrderFile, WithoutPricesNoPriceFields) {
  std::filesystem::remove(m_folder / "V4Preise.ini");
  Open();
  Add(Line("A1", "2", "Bolzen", 0, 0, {"Lager"}));
  ASSERT_EQ(m_view->WriteOrderFile(), 1);
  EXPECT_EQ(FileBytes(), OrderFileBytes("", 2, {Fields({"A1", "2", "Bolzen", "Lager", ""})}, {}, 1, 5));
  auto view = ReadBack();
  ASSERT_EQ(view->GetItemCount(), 1);
  EXPECT_STREQ(view->GetItem(0).Extra(0), "Lager");

  // Read by a program with prices: price 0, group 0, no discount group.
  m_folder.Write("V4Preise.ini", protocol_testing::StandardPrices());
  Open();
  auto priced = ReadBack();
  ASSERT_EQ(priced->GetItemCount(), 1);
  EXPECT_EQ(priced->GetItem(0).price, 0);
  EXPECT_EQ(priced->GetItem(0).vatGroup, 0);
  EXPECT_STREQ(priced->GetItem(0).discountGroup, "");
  EXPECT_STREQ(priced->GetItem(0).Extra(0), "Lager");
}

// A program that keeps prices under no currency name writes no price fields,
// so its file reads back as written.
TEST_F(OrderFile, PricesWithoutACurrencyNameStillReadBack) {
  m_folder.Write("V4Preise.ini", Ini({"[SETTINGS]", "PreisCol=3", "[PREISE]", "Col=103", "Komma1=2"}));
  Open();
  Add(Line("A1", "2", "Bolzen", 1999, 0, {"Lager", "Fach"}));
  ASSERT_EQ(m_view->WriteOrderFile(), 1);
  EXPECT_EQ(FileBytes(), OrderFileBytes("", 2, {Fields({"A1", "2", "Bolzen", "Lager", "Fach"})}));
  auto view = ReadBack();
  ASSERT_EQ(view->GetItemCount(), 1);
  EXPECT_STREQ(view->GetItem(0).name, "Bolzen");
  EXPECT_EQ(view->GetItem(0).extras, (std::vector<CString>{"Lager", "Fach"}));
}

TEST_F(OrderFile, MoreAndFewerExtraColumnsThanTheProgram) {
  Open();
  WriteFile(OrderFileBytes("EUR", 3,
                           {Fields({"A1", "1", "Bolzen", "100", "0", "", "x0", "x1", "x2"}),
                            Fields({"B2", "1", "Mutter", "100", "0", "", "y0"})}));
  auto more = ReadBack();
  ASSERT_EQ(more->GetItemCount(), 2);
  EXPECT_EQ(more->GetItem(0).extras, (std::vector<CString>{"x0", "x1"}));  // the surplus is lost
  EXPECT_EQ(more->GetItem(1).extras, (std::vector<CString>{"y0", ""}));    // the rest stays empty
  WriteFile(OrderFileBytes("EUR", 0, {Fields({"A1", "1", "Bolzen", "100", "0", ""})}));
  auto none = ReadBack();
  ASSERT_EQ(none->GetItemCount(), 1);
  EXPECT_TRUE(none->GetItem(0).extras.empty());  // a file without extras gives none
}

TEST_F(OrderFile, PricesOfOtherCurrencies) {
  Open();
  WriteFile(OrderFileBytes("DEM", 2, {Fields({"A1", "1", "", "1000", "0", ""}), Fields({"B2", "1", "", "199", "1", ""})}));
  auto euro = ReadBack();
  ASSERT_EQ(euro->GetItemCount(), 2);
  EXPECT_EQ(euro->GetItem(0).price, 511);  // converted to euro cents
  EXPECT_EQ(euro->GetItem(1).price, 102);
  EXPECT_TRUE(CurrencyBoxes().empty());

  // A program of another currency keeps the prices and says so once.
  m_folder.Write("V4Preise.ini", Ini({"[SETTINGS]", "PreisCol=3", "[PREISE]", "Col=103", "Name1=CHF", "Komma1=2"}));
  Open();
  m_boxes.clear();
  auto swiss = ReadBack();
  ASSERT_EQ(swiss->GetItemCount(), 2);
  EXPECT_EQ(swiss->GetItem(0).price, 1000);
  EXPECT_EQ(CurrencyBoxes(), std::vector<std::string>{"Preise in DEM, nicht in CHF"});
  EXPECT_NE(Log().find("Preise in DEM, nicht in CHF"), std::string::npos);
}

TEST_F(OrderFile, ANewerVersionIsRefused) {
  Open();
  WriteFile(OrderFileBytes("EUR", 2, {Fields({"A1", "1", "", "100", "0", ""})}, {}, 2));
  auto view = ReadBack(0);
  EXPECT_EQ(view->GetItemCount(), 0);
  EXPECT_EQ(m_boxes, std::vector<std::string>{"Neuere Version"});
  Add(Line("B2", "1"));
  EXPECT_EQ(m_view->MergeOrderFile((m_folder / "Standard.pro").c_str()), 0);
}

// Cut at every length, a file is refused; the lines before the cut stay,
// nothing is made up, and nothing crashes.
TEST_F(OrderFile, FilesCutAtEveryLength) {
  Open();
  m_app->m_header_texts[kOrderNumber] = "4711";
  for (int i = 0; i < 4; ++i) Add(Line(("P" + std::to_string(i)).c_str(), "1", "Teil", 100, 0, {"e"}));
  ASSERT_EQ(m_view->WriteOrderFile(), 1);
  const std::string whole = FileBytes();
  for (size_t cut = 0; cut < whole.size(); ++cut) {
    WriteFile(whole.substr(0, cut));
    m_boxes.clear();
    auto view = std::make_unique<CProtocolView>(*m_app);
    EXPECT_EQ(view->ReadOrderFile(), 0) << cut;
    EXPECT_LE(view->GetItemCount(), 4);
    for (int i = 0; i < view->GetItemCount(); ++i) EXPECT_STREQ(view->GetItem(i).name, "Teil") << cut;
  }
  WriteFile(whole);
  EXPECT_EQ(ReadBack()->GetItemCount(), 4);
}

TEST_F(OrderFile, AbsurdLengthsAndRandomDamage) {
  Open();
  struct Case {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"header beyond the file", "PRO" + Word(1) + Word(0xFFFF) + "xx"},
      {"header too short for its texts", "PRO" + Word(1) + Text16(Text16("a") + Word(500)) + '\0' + Word(6) + Word(2) + Word(0)},
      {"currency beyond the file", "PRO" + Word(1) + Text16(std::string(40, '\0')) + '\xff' + "EU"},
      {"line beyond the file", OrderFileBytes("EUR", 2, {}).substr(0, 55) + Word(0xFFFF) + "ab"},
  };
  for (const auto& c : cases) {
    WriteFile(c.bytes);
    auto view = std::make_unique<CProtocolView>(*m_app);
    EXPECT_EQ(view->ReadOrderFile(), 0) << c.name;
    EXPECT_EQ(view->GetItemCount(), 0) << c.name;
  }
  for (int i = 0; i < 3; ++i) Add(Line("A", "1", "Bolzen", 100, 0, {"e", "f"}));
  ASSERT_EQ(m_view->WriteOrderFile(), 1);
  const std::string whole = FileBytes();
  std::mt19937 random(1234);
  for (int round = 0; round < 150; ++round) {
    std::string bytes = whole;
    for (int flips = std::uniform_int_distribution<int>(1, 6)(random); flips > 0; --flips)
      bytes[std::uniform_int_distribution<size_t>(0, bytes.size() - 1)(random)] = static_cast<char>(random());
    if (round % 2) bytes.resize(std::uniform_int_distribution<size_t>(0, bytes.size())(random));
    WriteFile(bytes);
    auto view = std::make_unique<CProtocolView>(*m_app);
    view->ReadOrderFile();
    EXPECT_LE(view->GetItemCount(), 3 + 1000);
    m_folder.Write("target.pro", bytes);
    m_view->MergeOrderFile((m_folder / "target.pro").c_str());
  }
}

TEST_F(OrderFile, AFailedWriteLeavesTheOldOrderWhole) {
  Open();
  Add(Line("A1", "1", "Bolzen", 100));
  ASSERT_EQ(m_view->WriteOrderFile(), 1);
  const std::string before = FileBytes();
  for (int i = 0; i < 50; ++i) Add(Line(("P" + std::to_string(i)).c_str(), "1", "Ein langer Teilename", 100));
  // The child may write only a few bytes per file: the new order cannot be written.
  layer::testing::ChildProcess writer([&](layer::testing::ChildProcess&) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{200, 200};
    setrlimit(RLIMIT_FSIZE, &limit);
    return m_view->WriteOrderFile() == 0 ? 0 : 1;
  });
  EXPECT_EQ(writer.Wait(), 0);
  EXPECT_EQ(FileBytes(), before);
  for (const auto& entry : std::filesystem::directory_iterator(m_folder.Path()))
    EXPECT_EQ(entry.path().filename().string().find("~new"), std::string::npos) << entry.path();
  // A file it may not replace stays too.
  std::filesystem::permissions(m_folder.Path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  if (geteuid() != 0) {
    EXPECT_EQ(m_view->WriteOrderFile(), 0);
  }
  std::filesystem::permissions(m_folder.Path(), std::filesystem::perms::owner_all);
  EXPECT_EQ(FileBytes(), before);
}

TEST_F(OrderFile, MergingAppendsInTheTargetsLayout) {
  Open();
  const std::string targetPath = m_folder / "Ziel.pro";
  auto merge = [&](const std::string& bytes) {
    m_folder.Write("Ziel.pro", bytes);
    EXPECT_EQ(m_view->MergeOrderFile(targetPath.c_str()), 1);
    return m_folder.Read("Ziel.pro");
  };
  const std::string kept = Fields({"K", "1", "", "5", "0", "", "k"});
  // An empty list leaves the target untouched.
  EXPECT_EQ(merge(OrderFileBytes("EUR", 1, {kept})), OrderFileBytes("EUR", 1, {kept}));
  Add(Line("A1", "2", "Bolzen", 1999, 1, {"Lager", "Fach"}));
  EXPECT_EQ(merge(OrderFileBytes("EUR", 1, {kept})),
            OrderFileBytes("EUR", 1, {kept, Fields({"A1", "2", "Bolzen", "1999", "1", "", "Lager"})}));
  EXPECT_EQ(merge(OrderFileBytes("DEM", 3, {kept})),
            OrderFileBytes("DEM", 3, {kept, Fields({"A1", "2", "Bolzen", "0", "0", "", "Lager", "Fach", ""})}));
  EXPECT_EQ(merge(OrderFileBytes("", 0, {})), OrderFileBytes("", 0, {Fields({"A1", "2", "Bolzen"})}));
  // A damaged target is left as it is.
  const std::string damaged = OrderFileBytes("EUR", 1, {kept}).substr(0, 70);
  m_folder.Write("Ziel.pro", damaged);
  EXPECT_EQ(m_view->MergeOrderFile(targetPath.c_str()), 0);
  EXPECT_EQ(m_folder.Read("Ziel.pro"), damaged);
}

// An older order: sixteen texts with one-byte lengths, the column count as
// text, lines of fields in column order.
std::string OlderOrderBytes(const std::vector<std::string>& texts, const std::string& columns,
                            const std::vector<std::string>& lines) {
  std::string header;
  for (size_t i = 0; i < 16; ++i) {
    const std::string text = i < texts.size() ? texts[i] : "";
    header += static_cast<char>(text.size()) + text;
  }
  std::string bytes = Text16(header) + static_cast<char>(columns.size()) + columns;
  for (const std::string& line : lines) bytes += Text16(line);
  return bytes + Word(0);
}

TEST_F(OrderFile, OlderOrdersAreConvertedInPlace) {
  Open();
  std::vector<std::string> texts{"4711", "Zweck", "Eilig", "Post", "1.1.2027", "", "", "K1", "Kunde", "Firma K",
                                 "L1",   "Lieferant", "Firma L", "S1", "Sachbearbeiter", ""};
  WriteFile(OlderOrderBytes(texts, "5",
                            {Fields({"2", "A1", "Bolzen", "12,345", "Lager"}), Fields({"1", "B2", "Mutter", "", ""})}));
  auto view = ReadBack();
  ASSERT_EQ(view->GetItemCount(), 2);
  EXPECT_STREQ(view->GetItem(0).partNumber, "A1");
  EXPECT_EQ(view->GetItem(0).price, 1235);  // the price text at two decimals, rounded
  EXPECT_STREQ(view->GetItem(0).Extra(0), "Lager");  // the older file's columns by the program's roles
  EXPECT_STREQ(m_app->m_header_texts[kOrderNumber], "4711");
  EXPECT_STREQ(m_app->m_header_texts[kDeliveryDate], "1.1.2027");
  EXPECT_EQ(FileBytes().substr(0, 3), "PRO");  // the file was replaced by its conversion
  EXPECT_FALSE(m_folder.Exists("Standard.pro_protocol"));
  const std::string converted = FileBytes();
  EXPECT_NE(converted.find(Text16("K1") + Text16("Kunde") + Text16("Firma K") + Text16("L1")), std::string::npos);
  bool told = false;
  for (const std::string& box : m_boxes) told = told || box == "Preise nicht \xfc" "bernommen";
  EXPECT_TRUE(told);
}

TEST_F(OrderFile, OlderOrdersThatCannotBeConverted) {
  Open();
  const std::string older = OlderOrderBytes({"4711"}, "3", {Fields({"2", "A1", "Bolzen"})});
  WriteFile(older);
  std::filesystem::permissions(m_folder / "Standard.pro", std::filesystem::perms::owner_read);
  EXPECT_EQ(ReadBack(0)->GetItemCount(), 0);
  EXPECT_NE(m_boxes.back().find("ist schreibgesch\xfctzt"), std::string::npos);
  std::filesystem::permissions(m_folder / "Standard.pro", std::filesystem::perms::owner_all);
  EXPECT_EQ(FileBytes(), older);
  // Cut short, it is not converted and stays.
  WriteFile(older.substr(0, older.size() - 5));
  EXPECT_EQ(m_view->ConvertOrderFile((m_folder / "Standard.pro").c_str()), 0);
  EXPECT_EQ(FileBytes(), older.substr(0, older.size() - 5));
  EXPECT_EQ(m_view->ConvertOrderFile((m_folder / "missing.pro").c_str()), 0);
  EXPECT_NE(m_boxes.back().find("nicht gefunden"), std::string::npos);
  EXPECT_EQ(m_view->ConvertOrderFile("\\\\server\\missing.pro"), 0);  // a network path without its share
}

TEST_F(OrderFile, AddressesAreFoundAgainInTheBooks) {
  Open(Ini({"ADRDB_KUNDE=kunden.adr", "ADRDB_LIEFERANT=lieferanten.adr"}));
  CKartei customers;
  ASSERT_TRUE(customers.SetFile(m_app->m_adrdb_customer));
  CStringArray card;
  DWORD offset = 0;
  for (const char* company : {"Andere GmbH", "Firma K"}) {
    card.RemoveAll();
    for (const char* text : {"K1", "Kunde", "Hans", company, "", "Weg 1", "12345", "Stadt", "D", "", "", "k@x.de"})
      card.Add(text);
    customers.AppendRecord(card, offset);
  }
  customers.Release();
  m_folder.Write("v4prot_user.ini", Ini({"[ADR_LIEFERANT]", "I01=bleibt"}));
  // Customer K1 "Kunde" of "Firma K": the second card; the dealer and the
  // supplier are in no card; the order names no delivery address and no clerk.
  std::vector<std::string> header{"4711", "", "", "", "", "H2", "H\xe4ndler", "Firma H", "", "", "", "K1", "Kunde",
                                  "Firma K", "L9", "Lieferant", "Firma L"};
  WriteFile(OrderFileBytes("EUR", 2, {}, header));
  ReadBack();
  CString value;
  m_app->m_ini.ReadKey("ADR_KUNDE", "I03", "", value, m_app->m_user_ini, 1);
  EXPECT_STREQ(value, "Firma K");
  m_app->m_ini.ReadKey("ADR_KUNDE", "I11", "", value, m_app->m_user_ini, 1);
  EXPECT_STREQ(value, "k@x.de");
  m_app->m_ini.ReadKey("ADR_LIEFERANT", "I01", "", value, m_app->m_user_ini, 1);
  EXPECT_STREQ(value, "bleibt");  // not found: the stored address stays
  // One box names every address the order has and no book holds.
  EXPECT_EQ(m_boxes, (std::vector<std::string>{"H\xe4ndler nicht gefunden\nLieferant nicht gefunden"}));
}

TEST_F(OrderFile, LinesAreCompletedFromTheCatalogue) {
  const std::string master = BuiltFile("parts.ddm");
  m_folder.Write("V4Preise.ini", Ini({"[SETTINGS]", "PreisCol=3", "[PREISE]", "Col=103", "Name1=EUR", "Komma1=2",
                                      "DB=" + BuiltFile("prices.ddm"), "[MWST]", "cnt=8", "00=16", "01=7", "02=0",
                                      "03=0", "04=0", "05=0", "06=0", "07=19"}));
  Open("", ("-DL D -PL D -DN " + BuiltFile("catalogue.dud") + " -DC " + BuiltFile("catalogue.dud") + " -TS " + master)
               .c_str());
  ASSERT_STREQ(m_app->m_parts_db2, CompanionDatabasePath(master.c_str()));
  WriteFile(OrderFileBytes("EUR", 2,
                           {Fields({"A1", "2", "", "0", "0", "", "", ""}), Fields({"B2", "1", "", "0", "0", "", "", ""}),
                            Fields({"C3", "1", "", "0", "0", "", "", ""}), Fields({"Z9", "1", "", "0", "0", "", "", ""}),
                            Fields({"A1", "1", "Eigener Name", "500", "0", "", "", ""})}));
  auto view = ReadBack();
  ASSERT_EQ(view->GetItemCount(), 5);
  const OrderItem& a1 = view->GetItem(0);
  EXPECT_STREQ(a1.name, "Schraube");  // a text by number in the master's name field
  EXPECT_EQ(a1.price, 1999);          // under the master's price key
  EXPECT_EQ(a1.vatGroup, 1);
  EXPECT_STREQ(a1.discountGroup, "R5");
  EXPECT_STREQ(a1.Extra(0), "Lager 4");
  const OrderItem& b2 = view->GetItem(1);
  EXPECT_STREQ(b2.name, "Mutter Bolzen");  // a text by key
  EXPECT_EQ(b2.price, 1000);               // under its own number
  const OrderItem& c3 = view->GetItem(2);
  EXPECT_STREQ(c3.name, "Feder");  // from the companion
  EXPECT_EQ(c3.price, 100);
  EXPECT_EQ(c3.vatGroup, 7);
  EXPECT_STREQ(view->GetItem(3).name, "");  // unknown everywhere: as it was
  EXPECT_EQ(view->GetItem(3).price, 0);
  EXPECT_STREQ(view->GetItem(4).name, "Eigener Name");  // what the line has stays
  EXPECT_EQ(view->GetItem(4).price, 500);
}

}  // namespace
