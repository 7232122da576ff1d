// The application object's settings, folders, command line, path macros,
// text codes and column titles.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "ProtocolFixture.h"
#include "orderlist/FileVersion.h"
#include "win32/Module.h"
#include "win32/Paths.h"

namespace {

using protocol_testing::BuiltFile;
using protocol_testing::Ini;
using protocol_testing::StandardSettings;

class ProtocolSettings : public protocol_testing::ProtocolTest {};

TEST_F(ProtocolSettings, TheStandardInstallation) {
  auto app = Start("-DL D -PL GB");
  ASSERT_TRUE(app->m_constructed) << Log();
  EXPECT_EQ(app->m_column_count, 6);
  EXPECT_EQ(app->m_price_col, 3);
  EXPECT_EQ(app->m_column_map, (std::vector<int>{-1, -1, -1, -1, 0, 1}));
  EXPECT_EQ(app->m_other_columns, 2);
  EXPECT_EQ(app->m_column_texts, (std::vector<long>{100, 101, 102, 103, 104, 105}));
  EXPECT_EQ(app->m_price_display, kPricesCurrency1);
  EXPECT_STREQ(app->m_currency1, "EUR");
  EXPECT_STREQ(app->m_currency2, "DEM");
  EXPECT_EQ(app->m_decimals1, 2);
  EXPECT_DOUBLE_EQ(app->m_currency_factor, 1.95583);
  EXPECT_EQ(app->m_vat.Rates(), (std::vector<int64_t>{160, 75}));
  EXPECT_EQ(app->m_vat.Decimals(), 1);
  EXPECT_TRUE(app->m_hidden_menus.empty());
  // The user's folder is the program's; the order folder too.
  EXPECT_STREQ(app->m_home_dir, m_folder.Path().c_str());
  EXPECT_STREQ(app->m_user_ini, (m_folder.Path() + "\\v4prot_user.ini").c_str());
  EXPECT_STREQ(app->m_order_dir, app->m_home_dir);
  EXPECT_STREQ(app->m_viewer_dir, (m_folder / "viewer").c_str());
  EXPECT_STREQ(app->m_temp_dir, (m_folder / "tmp/").c_str());
  // The locale's values, German here.
  EXPECT_STREQ(app->m_mon_decimal_sep, ",");
  EXPECT_STREQ(app->m_mon_thousand_sep, ".");
  EXPECT_STREQ(app->m_mon_grouping, "3;0");
  EXPECT_STREQ(app->m_decimal_sep, ",");
  EXPECT_STREQ(app->m_date_order, "1");
  EXPECT_STREQ(app->m_long_date_order, "1");
  // Defaults of what the files do not set.
  EXPECT_FALSE(app->m_double_inc);
  EXPECT_TRUE(app->m_ascii_export_full);
  EXPECT_FALSE(app->m_stand_alone);
  EXPECT_STREQ(app->m_order_name, "Standard");
  EXPECT_STREQ(app->m_prg_language, "GB");
  EXPECT_STREQ(app->m_prg_language_new, "GB");
  EXPECT_STREQ(app->m_data_language, "D");
}

TEST_F(ProtocolSettings, WithoutAPriceFileThereAreNoPrices) {
  std::filesystem::remove(m_folder / "V4Preise.ini");
  auto app = Start();
  ASSERT_TRUE(app->m_constructed) << Log();
  EXPECT_EQ(app->m_price_col, -1);
  EXPECT_EQ(app->m_column_count, 5);
  EXPECT_EQ(app->m_other_columns, 2);
  EXPECT_EQ(app->m_column_map, (std::vector<int>{-1, -1, -1, 0, 1}));
  EXPECT_EQ(app->m_price_display, kPricesHidden);
  EXPECT_EQ(app->m_vat.Count(), 0);
  EXPECT_EQ(app->m_hidden_menus, (std::vector<int>{29, 28, 30}));
}

TEST_F(ProtocolSettings, HiddenMenusAndCommands) {
  struct Case {
    const char* dmn;
    const char* prices;
    std::vector<int> menus;
  } cases[] = {
      {"3,5", "none", {3, 5, 29, 28, 30}},
      {"", "none", {29, 28, 30}},
      {"7", "no second currency", {7, 29}},
      {"", "no VAT", {30}},
      {"", "all", {}},
  };
  for (const auto& c : cases) {
    m_folder.Write("V4Prot.ini", StandardSettings(Ini({std::string("DMN=") + c.dmn, "DTB=245,250"})));
    std::string prices = c.prices;
    if (prices == "none") std::filesystem::remove(m_folder / "V4Preise.ini");
    if (prices == "no second currency")
      m_folder.Write("V4Preise.ini", Ini({"[SETTINGS]", "PreisCol=3", "[PREISE]", "Col=103", "[MWST]", "cnt=1", "00=16"}));
    if (prices == "no VAT")
      m_folder.Write("V4Preise.ini", Ini({"[SETTINGS]", "PreisCol=3", "[PREISE]", "Col=103", "Second=1"}));
    if (prices == "all") m_folder.Write("V4Preise.ini", protocol_testing::StandardPrices());
    auto app = Start();
    ASSERT_TRUE(app->m_constructed) << c.prices << Log();
    EXPECT_EQ(app->m_hidden_menus, c.menus) << c.dmn << ' ' << c.prices;
    EXPECT_EQ(app->m_hidden_commands, (std::vector<int>{245, 250}));
  }
}

struct FailureCase {
  const char* name;
  std::string settings;
  std::string prices;
  const char* message;
};

class SettingsFailures : public protocol_testing::ProtocolTest,
                         public ::testing::WithParamInterface<FailureCase> {};

TEST_P(SettingsFailures, AreLoggedAndStopTheStart) {
  const FailureCase& c = GetParam();
  m_folder.Write("V4Prot.ini", c.settings);
  m_folder.Write("V4Preise.ini", c.prices);
  auto app = Start();
  EXPECT_FALSE(app->m_constructed);
  EXPECT_NE(Log().find(c.message), std::string::npos) << Log();
}

const FailureCase kFailures[] = {
    {"NoCountColumn", Ini({"[SETTINGS]", "SearchCol=1", "NameCol=2"}), "",
     "Error reading [SETTINGS] : CountCol ! Value '-1' returned."},
    {"NoSearchColumn", Ini({"[SETTINGS]", "CountCol=0", "NameCol=2"}), "",
     "Error reading [SETTINGS] : SearchCol ! Value '-1' returned."},
    {"NoNameColumn", Ini({"[SETTINGS]", "CountCol=0", "SearchCol=1"}), "",
     "Error reading [SETTINGS] : NameCol ! Value '-1' returned."},
    {"NoColumns", Ini({"[SETTINGS]", "CountCol=0", "SearchCol=1", "NameCol=2", "[COLUMS]", "Number=0"}), "",
     "Error reading [COLUMS] : Number ! Value '0' returned."},
    {"NegativeColumns", Ini({"[SETTINGS]", "CountCol=0", "SearchCol=1", "NameCol=2", "[COLUMS]", "Number=-4"}), "",
     "Error reading [COLUMS] : Number ! Value '-4' returned."},
    {"ColumnWithoutTitle",
     Ini({"[SETTINGS]", "CountCol=0", "SearchCol=1", "NameCol=2", "[COLUMS]", "Number=3", "Col00=1", "Col01=2"}), "",
     "Error reading [COLUMS] : Col02 ! Value '0' returned."},
    {"PriceColumnWithoutTitle",
     Ini({"[SETTINGS]", "CountCol=0", "SearchCol=1", "NameCol=2", "[COLUMS]", "Number=3", "Col00=1", "Col01=2",
          "Col02=3"}),
     Ini({"[SETTINGS]", "PreisCol=3"}), "Error reading [Preise] : Col ! Value '0' returned."},
    {"RoleBeyondTheColumns",
     Ini({"[SETTINGS]", "CountCol=0", "SearchCol=7", "NameCol=2", "[COLUMS]", "Number=3", "Col00=1", "Col01=2",
          "Col02=3"}),
     "", "Error reading [SETTINGS] : SearchCol ! Value '7' returned."},
    {"PriceColumnBeyondTheColumns",
     Ini({"[SETTINGS]", "CountCol=0", "SearchCol=1", "NameCol=2", "[COLUMS]", "Number=3", "Col00=1", "Col01=2",
          "Col02=3"}),
     Ini({"[SETTINGS]", "PreisCol=9", "[PREISE]", "Col=4"}), "Error reading [SETTINGS] : PreisCol ! Value '9' returned."},
    // The order file counts columns in 16 bits; the count is checked before anything is made for the columns.
    {"ColumnsBeyondWhatAnOrderFileCounts",
     Ini({"[SETTINGS]", "CountCol=0", "SearchCol=1", "NameCol=2", "[COLUMS]", "Number=65536"}), "",
     "Error reading [COLUMS] : Number ! Value '65536' returned."},
    {"ABillionColumns", Ini({"[SETTINGS]", "CountCol=0", "SearchCol=1", "NameCol=2", "[COLUMS]", "Number=1000000000"}),
     "", "Error reading [COLUMS] : Number ! Value '1000000000' returned."},
    {"LargestColumnsWithAPriceColumn",
     Ini({"[SETTINGS]", "CountCol=0", "SearchCol=1", "NameCol=2", "[COLUMS]", "Number=2147483647"}),
     Ini({"[SETTINGS]", "PreisCol=3", "[PREISE]", "Col=103"}),
     "Error reading [COLUMS] : Number ! Value '2147483647' returned."},
    {"ColumnsBeyond32Bits",
     Ini({"[SETTINGS]", "CountCol=0", "SearchCol=1", "NameCol=2", "[COLUMS]", "Number=99999999999"}), "",
     "Error reading [COLUMS] : Number ! Value '2147483647' returned."},
    {"RoleBeyond32Bits",
     Ini({"[SETTINGS]", "CountCol=0", "SearchCol=4294967297", "NameCol=2", "[COLUMS]", "Number=3", "Col00=1",
          "Col01=2", "Col02=3"}),
     "", "Error reading [SETTINGS] : SearchCol ! Value '2147483647' returned."},
    {"NoMessageFile",
     Ini({"[SETTINGS]", "CountCol=0", "SearchCol=1", "NameCol=2", "[COLUMS]", "Number=3", "Col00=1", "Col01=2",
          "Col02=3"}),
     "", "Error reading [SETTINGS] : Message ! Empty value returned."},
};

INSTANTIATE_TEST_SUITE_P(Table, SettingsFailures, ::testing::ValuesIn(kFailures),
                         [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST_F(ProtocolSettings, TheUsersBookingFlagsWinAndAreSavedWithTheLists) {
  m_folder.Write("V4Prot.ini", StandardSettings(Ini({"DoubleInc=0", "AskInc=1"})));
  m_folder.Write("v4prot_user.ini", Ini({"[SETTINGS]", "DoubleInc=1", "AskInc=", "[BV]", "Num=2", "I00=Eilig",
                                         "I01=Normal", "[VA]", "Num=1", "I00=Post"}));
  auto app = Start();
  ASSERT_TRUE(app->m_constructed) << Log();
  EXPECT_TRUE(app->m_double_inc);  // the user's 1 over the program's 0
  EXPECT_TRUE(app->m_ask_inc);     // the user's empty value: the program's counts
  ASSERT_EQ(app->m_bv_list.GetSize(), 2);
  EXPECT_STREQ(app->m_bv_list[1], "Normal");
  ASSERT_EQ(app->m_va_list.GetSize(), 1);

  app->m_double_inc = false;
  app->m_va_list.Add("Bahn");
  app->SaveUserSettings();
  auto again = Start();
  EXPECT_FALSE(again->m_double_inc);
  EXPECT_TRUE(again->m_ask_inc);
  ASSERT_EQ(again->m_va_list.GetSize(), 2);
  EXPECT_STREQ(again->m_va_list[1], "Bahn");
}

// A count beyond what a list can hold is damage: the list starts empty, and
// the log says so.
TEST_F(ProtocolSettings, AbsurdCountsInTheFilesDoNotHangTheStart) {
  m_folder.Write("v4prot_user.ini", Ini({"[BV]", "Num=2000000000", "I00=Eilig", "[VA]", "Num=-3", "I00=Post"}));
  m_folder.Write("V4Preise.ini", Ini({"[SETTINGS]", "PreisCol=3", "[PREISE]", "Col=103", "[MWST]", "cnt=99999999"}));
  auto app = Start();
  ASSERT_TRUE(app->m_constructed) << Log();
  EXPECT_EQ(app->m_bv_list.GetSize(), 0);
  EXPECT_EQ(app->m_va_list.GetSize(), 0);
  EXPECT_EQ(app->m_vat.Count(), 0);
  for (const char* logged : {"Error reading [BV] : Num ! Value '2000000000' returned, '0' taken.",
                             "Error reading [VA] : Num ! Value '-3' returned, '0' taken.",
                             "Error reading [MWST] : cnt ! Value '99999999' returned, '0' taken."})
    EXPECT_NE(Log().find(logged), std::string::npos) << Log();
}

// An amount holds at most 20 decimals; a decimal count beyond is logged and
// the default 0 is taken, so no price text grows beyond what it shows.
TEST_F(ProtocolSettings, DecimalCountsBeyondWhatAnAmountHoldsTakeTheDefault) {
  struct Case {
    const char* komma1;
    const char* komma2;
    int decimals1, decimals2;
    const char* logged;
  } cases[] = {
      {"1000000000", "2", 0, 2, "Error reading [PREISE] : Komma1 ! Value '1000000000' returned, '0' taken."},
      {"20", "-20", 20, -20, nullptr},
      {"-3", "-21", -3, 0, "Error reading [PREISE] : Komma2 ! Value '-21' returned, '0' taken."},
      {"99999999999", "0", 0, 0, "Error reading [PREISE] : Komma1 ! Value '2147483647' returned, '0' taken."},
  };
  for (const Case& c : cases) {
    m_folder.Write("V4Preise.ini", Ini({"[SETTINGS]", "PreisCol=3", "[PREISE]", "Col=103", "Name1=EUR",
                                        std::string("Komma1=") + c.komma1, "Second=1", "Name2=DEM",
                                        std::string("Komma2=") + c.komma2, "Factor=1.95583"}));
    std::filesystem::remove(m_folder / "V4ProtLog.txt");
    auto app = Start();
    ASSERT_TRUE(app->m_constructed) << Log();
    ASSERT_EQ(app->m_decimals1, c.decimals1) << c.komma1;
    ASSERT_EQ(app->m_decimals2, c.decimals2) << c.komma2;
    if (c.logged) EXPECT_NE(Log().find(c.logged), std::string::npos) << Log();
    else EXPECT_EQ(Log(), "");
    CString price;
    app->FormatAmount(0, price, app->m_decimals1);
    EXPECT_LE(price.GetLength(), 25) << c.komma1;
  }
}

TEST_F(ProtocolSettings, PathMacros) {
  auto app = Start();
  const std::string home = app->m_home_dir.operator const char*();
  struct Case {
    const char* value;
    std::string expanded;
  } cases[] = {
      {"$HOME$\\export.exe", home + "\\export.exe"},
      {"  $VARNO$\\data ", (m_folder / "viewer") + "\\data"},
      {"$WINDOWS$", m_folder / "windows"},
      {"$home$\\x", "$home$\\x"},  // names with case: only trimmed
      {"$ACROBAT$\\x", "$ACROBAT$\\x"},
      {"$$\\x", "$$\\x"},
      {"$HOME", "$HOME"},
      {" C:\\plain ", "C:\\plain"},
      {"", ""},
  };
  for (const auto& c : cases) {
    CString value = c.value;
    app->ExpandPathMacro(value);
    EXPECT_STREQ(value, c.expanded.c_str()) << '"' << c.value << '"';
  }
}

TEST_F(ProtocolSettings, FoldersOfATerminalServerClient) {
  layer::testing::TempFolder drive;
  layer::SetDriveFolder('T', drive.Path());
  m_folder.Write("viewer/Varno4TS.ini", Ini({"[Client]", "Drive=T", "App="}));
  std::filesystem::create_directories(drive / "VARNO4_CT/TS");
  ProtocolSystemFacts facts = Facts();
  facts.terminalServer = true;
  CProtocolApp app(facts);
  ASSERT_TRUE(app.m_constructed) << drive.Read("VARNO4_CT/TS/V4ProtLog.txt");
  EXPECT_STREQ(app.m_user_dir, "T:\\VARNO4_CT\\TS\\");
  EXPECT_STREQ(app.m_temp_dir, "T:\\VARNO4_CT\\TS\\temp\\");
  EXPECT_STREQ(app.m_user_ini, "T:\\VARNO4_CT\\TS\\v4prot_user.ini");
  EXPECT_STREQ(app.m_order_dir, "T:\\VARNO4_CT\\TS\\Protokoll");
  EXPECT_TRUE(std::filesystem::is_directory(drive / "VARNO4_CT/TS/Protokoll"));  // made at the start
  EXPECT_EQ(app.m_price_col, -1);  // the prices live in the client's folder
}

TEST_F(ProtocolSettings, TheCompanionFollowsTheViewersRule) {
  struct Case {
    const char* line;
    const char* master;
    const char* companion;
  } cases[] = {
      {"-TS 'C:\\Daten\\teile.ddm'", "C:\\Daten\\teile.ddm", "C:\\Daten\\teile2.ddm"},
      {"-TS 'C:\\my.cat\\teile.v2.ddm'", "C:\\my.cat\\teile.v2.ddm", "C:\\my.cat\\teile2.ddm"},
      {"-TS teile", "teile", "teile2.ddm"},
  };
  for (const auto& c : cases) {
    auto app = Start(c.line);
    EXPECT_STREQ(app->m_parts_db, c.master);
    EXPECT_STREQ(app->m_parts_db2, c.companion);
  }
}

TEST_F(ProtocolSettings, TextCodesOfCatalogueValues) {
  auto app = Start(("-DL D -PL D -DN " + BuiltFile("catalogue.dud") + " -DC " + BuiltFile("catalogue.dud")).c_str());
  struct Case {
    const char* name;
    std::string bytes;
    const char* text;
  } cases[] = {
      {"plain", "M10 Schraube", "M10 Schraube"},
      {"by number", std::string("A \x01\x03\x88\x13\x00\x00\x00\x00 B", 12), "A Schraube B"},
      {"by key", "x\x01\x0a" "BOLT\x01" "yz", "xBolzenz"},
      {"other kind skipped", "a\x01\x05" "b", "ab"},
      {"number cut short", std::string("a\x01\x03\x88\x13\x00", 6), "a"},
      {"key without its end", "a\x01\x0a" "BOLT", "a"},
      {"marker at the end", "a\x01", "a"},
      {"unknown number", std::string("\x01\x03\x01\x00\x00\x00\x00\x00!", 9), "!"},
      {"empty", "", ""},
  };
  for (const auto& c : cases) {
    CString text = app->ExpandTextCodes(reinterpret_cast<const BYTE*>(c.bytes.data()), static_cast<int>(c.bytes.size()));
    EXPECT_STREQ(text, c.text) << c.name;
  }
  EXPECT_STREQ(app->ExpandTextCodes(nullptr, 5), "");
}

TEST_F(ProtocolSettings, ColumnTitlesNameTheDisplayedCurrency) {
  m_folder.Write("V4Prot.ini", StandardSettings("", Ini({"Col05=999"})));  // a text that is missing
  auto app = Start();
  EXPECT_STREQ(app->ColumnTitle(3, kPricesCurrency2), "Preis (DEM)");
  EXPECT_STREQ(app->ColumnTitle(3, kPricesCurrency1), "Preis (EUR)");
  EXPECT_STREQ(app->ColumnTitle(3, kPricesHidden), "Preis");
  EXPECT_STREQ(app->ColumnTitle(5, kPricesCurrency1), "5");
}

// The parts-info window's columns are the order's less the price column,
// which stands before the last two here: their titles must not move onto it.
TEST_F(ProtocolSettings, PartsInfoTitlesLeaveOutThePriceColumn) {
  m_folder.Write("V4Prot.ini", StandardSettings("", Ini({"Col05=999"})));
  auto app = Start();
  const std::string expected("Anzahl\0Teilenummer\0Benennung\0Bemerkung\0" "5\0\0", 42);
  CDynBuf titles;
  app->BuildColumnTitles(titles);
  EXPECT_EQ(std::string(static_cast<const char*>(titles), static_cast<size_t>(titles.GetLength())), expected);
  app->SetProgramLanguage("GB");
  EXPECT_STREQ(app->m_prg_language, "GB");
  EXPECT_EQ(std::string(static_cast<const char*>(app->m_column_titles), static_cast<size_t>(app->m_column_titles.GetLength())),
            expected);
}

TEST_F(ProtocolSettings, MessagesAreLoggedThenShown) {
  auto app = Start();
  app->ShowMessage(3249, {"C:\\x.pro"});
  ASSERT_EQ(m_boxes.size(), 1u);
  EXPECT_EQ(m_boxes[0], "Datei C:\\x.pro nicht gefunden");
  EXPECT_NE(Log().find("Datei C:\\x.pro nicht gefunden"), std::string::npos);
  // A text whose placeholder wants a number gets none from a text.
  app->ShowMessage(2758, {"not a number"});
  EXPECT_EQ(m_boxes[1], "Datentr\xe4ger  nicht lesbar");
  EXPECT_EQ(app->m_msgbox_type, -1);
}

// The viewer names the catalogue's dictionaries only when it has them: a
// start without them says nothing about files, and its own texts open.
TEST_F(ProtocolSettings, DictionariesTheViewerDidNotNameStayClosedQuietly) {
  ::testing::internal::CaptureStderr();
  auto app = Start("-DL D -PL D");
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(said.find("DdmTextOpen"), std::string::npos) << said;
  EXPECT_STREQ(app->GetText(2254), "Summe");
  EXPECT_STREQ(app->m_data_texts.DdmGetText(1), "");
}

}  // namespace

namespace {

TEST_F(ProtocolSettings, SettingsCutAtEveryLength) {
  const std::string whole = StandardSettings();
  for (size_t cut = 0; cut <= whole.size(); ++cut) {
    m_folder.Write("V4Prot.ini", whole.substr(0, cut));
    CProtocolApp app(Facts());
    if (!app.m_constructed) {
      EXPECT_NE(Log().find("Error reading ["), std::string::npos) << cut;
    } else {
      EXPECT_EQ(app.m_column_count, 6) << cut;  // only a file that names every column starts
    }
  }
  m_folder.Write("V4Prot.ini", whole);
  EXPECT_TRUE(CProtocolApp(Facts()).m_constructed);
}

// The four settings files of an installation with every key that holds a
// number, and the damage done to them.
struct SettingsFiles {
  std::string program = StandardSettings(Ini({"StammOrderCol=2", "StammTnrExists=1", "StammTnrValid=1", "UseExport=1",
                                              "Config=3", "NIMode=1", "EIMode=1", "DMN=3,5", "DTB=246"}));
  std::string prices = protocol_testing::StandardPrices();
  std::string user = Ini({"[SETTINGS]", "DoubleInc=1", "AskInc=1", "[BV]", "Num=2", "I00=Eilig", "I01=Normal", "[VA]",
                          "Num=1", "I00=Post"});
  std::string client = Ini({"[Client]", "Drive=T", "App=TS"});
};

// The text with the first line of the key in the section given another value.
std::string WithValue(const std::string& text, const std::string& section, const std::string& key,
                      const std::string& value) {
  size_t at = text.find("[" + section + "]\r\n");
  if (at == std::string::npos) return text;
  for (at = text.find("\r\n", at) + 2; at < text.size() && text[at] != '['; at = text.find("\r\n", at) + 2) {
    if (text.compare(at, key.size() + 1, key + "=") != 0) continue;
    size_t end = text.find("\r\n", at);
    return text.substr(0, at + key.size() + 1) + value + text.substr(end);
  }
  return text;
}

std::string Damaged(std::string bytes, std::mt19937& random, bool cut) {
  if (bytes.empty()) return bytes;
  for (int flips = std::uniform_int_distribution<int>(1, 6)(random); flips > 0; --flips)
    bytes[std::uniform_int_distribution<size_t>(0, bytes.size() - 1)(random)] = static_cast<char>(random());
  if (cut) bytes.resize(std::uniform_int_distribution<size_t>(0, bytes.size())(random));
  return bytes;
}

class DamagedSettings : public ProtocolSettings {
 protected:
  // Every drive is the test's own: a damaged client file may name any.
  void SetUp() override {
    ProtocolSettings::SetUp();
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
      m_drives.push_back(layer::DriveFolder(letter));
      layer::SetDriveFolder(letter, m_drive.Path());
    }
    std::filesystem::create_directories(m_drive / "VARNO4_CT/TS");
  }
  void TearDown() override {
    for (char letter = 'A'; letter <= 'Z'; ++letter) layer::SetDriveFolder(letter, m_drives[letter - 'A']);
    ProtocolSettings::TearDown();
  }
  void Install(const SettingsFiles& files, bool terminalServer) {
    m_folder.Write("V4Prot.ini", files.program);
    m_folder.Write("viewer/Varno4TS.ini", files.client);
    const std::string user = terminalServer ? m_drive / "VARNO4_CT/TS" : m_folder.Path();
    std::ofstream(user + "/V4Preise.ini", std::ios::binary) << files.prices;
    std::ofstream(user + "/v4prot_user.ini", std::ios::binary) << files.user;
  }
  // The program starts, or its log says which setting stopped it; once it
  // runs, it shows, prices and exports an order, and its texts stay short.
  void Exercise(const SettingsFiles& files, bool terminalServer, const std::string& what) {
    Install(files, terminalServer);
    ProtocolSystemFacts facts = Facts();
    facts.terminalServer = terminalServer;
    CProtocolApp app(facts);
    if (!app.m_constructed) {
      std::string log = m_folder.Read("V4ProtLog.txt") + m_drive.Read("VARNO4_CT/TS/V4ProtLog.txt");
      EXPECT_NE(log.find("Error reading ["), std::string::npos) << what;
      return;
    }
    app.ParseCommandLine("-DL D -PL D");
    app.OpenTextTables();
    CProtocolView view(app);
    const OrderItem line = protocol_testing::Line("A1", "2", "Bolzen", 1999, 1, {"Lager"});
    view.AddOrderLines(nullptr, &line, 1);
    for (int display : {kPricesCurrency1, kPricesCurrency2}) {
      app.m_price_display = display;
      view.RepriceAll();
      EXPECT_LE(view.Totals().totalText.GetLength(), 80) << what;
      EXPECT_LE(view.GetItem(0).unitPriceText.GetLength(), 80) << what;
    }
    CDynBuf titles;
    app.BuildColumnTitles(titles);
    EXPECT_EQ(view.ExportText((m_folder / "export.txt").c_str()), 1) << what;
    EXPECT_LE(m_folder.Read("export.txt").size(), 4096u) << what;
    if (!terminalServer) app.SaveUserSettings();
  }

  layer::testing::TempFolder m_drive;
  std::vector<std::string> m_drives;
};

TEST_F(DamagedSettings, HugeAndNegativeNumbers) {
  struct Keys {
    std::string SettingsFiles::*file;
    const char* section;
    std::vector<const char*> keys;
  } numbers[] = {
      {&SettingsFiles::program, "SETTINGS",
       {"CountCol", "SearchCol", "NameCol", "StammOrderCol", "UseExport", "Config", "NIMode", "EIMode", "DMN", "DTB"}},
      {&SettingsFiles::program, "COLUMS", {"Number", "Col00", "Col04"}},
      {&SettingsFiles::program, "FUELL", {"Name", "Data00"}},
      {&SettingsFiles::prices, "SETTINGS", {"PreisCol"}},
      {&SettingsFiles::prices, "PREISE", {"Col", "Komma1", "Second", "Komma2", "Factor"}},
      {&SettingsFiles::prices, "MWST", {"cnt", "00"}},
      {&SettingsFiles::user, "BV", {"Num"}},
      {&SettingsFiles::user, "VA", {"Num"}},
  };
  const char* values[] = {"2147483647", "2147483648", "99999999999999999999", "1000000000",
                          "-1",         "-2147483648", "-99999999999",         "1e400"};
  for (const Keys& group : numbers) {
    for (const char* key : group.keys) {
      for (const char* value : values) {
        SettingsFiles files;
        files.*group.file = WithValue(files.*group.file, group.section, key, value);
        ASSERT_NE(files.*group.file, SettingsFiles().*group.file) << key;
        Exercise(files, false, std::string(key) + "=" + value);
      }
    }
  }
}

TEST_F(DamagedSettings, MutatedBytes) {
  std::mt19937 random(4711);
  for (int round = 0; round < 160; ++round) {
    SettingsFiles files;
    std::string SettingsFiles::*damaged[] = {&SettingsFiles::program, &SettingsFiles::prices, &SettingsFiles::user,
                                              &SettingsFiles::client};
    std::string SettingsFiles::*file = damaged[round % 4];
    files.*file = Damaged(files.*file, random, round % 8 >= 4);
    Exercise(files, file == &SettingsFiles::client, "round " + std::to_string(round));
  }
}

TEST(FileVersion, TextAndPackedNumbers) {
  HMODULE sample = LoadLibrary("LAYER_MODULE_SAMPLE.DLL");
  ASSERT_NE(sample, nullptr);
  char path[MAX_PATH];
  ASSERT_GT(GetModuleFileName(sample, path, sizeof path), 0u);
  CString text;
  DWORD packed = 7;
  EXPECT_EQ(GetFileVersion(path, text, packed), 1);
  EXPECT_STREQ(text, "2, 7, 0, 13");
  EXPECT_EQ(packed, 0x0207000Du);
  EXPECT_EQ(GetFileVersion("/nonexistent/file.dll", text, packed), 1);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(packed, 0u);
  FreeLibrary(sample);
}

}  // namespace
