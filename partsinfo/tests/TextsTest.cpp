// The application object's texts and settings: database fields with their
// text codes, money in the user's locale, path macros, column titles, the
// rows of a block and the folders and databases it opens.
#include <gtest/gtest.h>

#include <filesystem>

#include "partsinfo/tests/PartsInfoFixture.h"

using namespace partsinfo_testing;

namespace {

CString PartsFieldText(CPartsInfoApp& app, const char* key, int field) {
  EXPECT_EQ(app.m_parts_db->DdmDbFindKey(key, 0), 1) << key;
  return app.FieldText(*app.m_parts_db, 0, field);
}

TEST_F(PartsInfoTest, FieldTextsResolveTheirCodes) {
  auto app = Start();
  struct Case {
    const char* key;
    int field;
    const char* text;
  } cases[] = {
      {"K-100", 2, "Kreiselpumpe"},                // a text by number
      {"K-200", 2, "M8 Sechskantmutter verzinkt"}, // a text by key
      {"K-400", 2, "Teil Ventil!"},                // another field of the record
      {"K-400", 3, ""},                            // a field that names itself ends
      {"K-300", 2, ""},                            // an empty field
      {"K-100", 7, ""},                            // a field the record does not have
      {"K-CUT1", 2, "Anfang "},                    // codes cut by the field's end
      {"K-CUT2", 2, "A"},
      {"K-CUT3", 2, "B"},
      {"K-CUT4", 2, "Cxyz"},                       // an unknown code is skipped
  };
  for (const Case& c : cases) EXPECT_STREQ(PartsFieldText(*app, c.key, c.field), c.text) << c.key << " " << c.field;
}

TEST_F(PartsInfoTest, FieldTextsFollowTheDataLanguage) {
  auto app = Start();
  app->SetDataLanguage("GB");
  EXPECT_STREQ(PartsFieldText(*app, "K-100", 2), "Centrifugal pump");
  EXPECT_STREQ(PartsFieldText(*app, "K-200", 2), "M8 Hexagon nut verzinkt");
}

TEST_F(PartsInfoTest, AmountsInTheUsersMoneyFormat) {
  auto app = Start();
  struct Case {
    int64_t value;
    int decimals;
    const char* text;
  } cases[] = {
      {123456, 2, "1.234,56"}, {5, 2, "0,05"}, {0, 2, "0,00"}, {7, 0, "7"}, {7, -2, "700"}, {160, 1, "16,0"},
  };
  for (const Case& c : cases) EXPECT_STREQ(app->FormatFixed(c.value, c.decimals), c.text) << c.value;
}

TEST_F(PartsInfoTest, TheSecondCurrencyIsRoundedHalfAwayFromZeroAtItsOwnDecimals) {
  auto app = Start();
  struct Case {
    const char* name;
    int32_t value;
    int decimals1;
    double factor;
    int mode;
    int decimals2;
    const char* text;
  } cases[] = {
      {"multiplied", 1000, 2, 1.95583, 1, 2, "19,56"},
      {"divided", 1000, 2, 1.95583, 2, 2, "5,11"},
      {"whole units", 1000, 2, 1936.27, 1, 0, "19.363"},
      {"nothing", 0, 2, 1.95583, 1, 2, "0,00"},
      {"no factor", 1000, 2, 0.0, 1, 2, "0,00"},
      {"one decimal rounds up", 1006, 2, 1.0, 1, 1, "10,1"},
      {"three decimals round down", 12344, 4, 1.0, 1, 3, "1,234"},
      {"a negative amount", -1000, 2, 1.95583, 2, 2, "-5,11"},
  };
  for (const Case& c : cases) {
    app->m_decimals1 = c.decimals1;
    app->m_factor = c.factor;
    app->m_second_currency = c.mode;
    app->m_decimals2 = c.decimals2;
    EXPECT_STREQ(app->SecondCurrencyText(c.value), c.text) << c.name;
  }
}

TEST_F(PartsInfoTest, PathMacrosNameFoldersAndPrograms) {
  auto app = Start();
  const CString home = Home().c_str(), catalogue = (m_folder / "catalogue").c_str();
  struct Case {
    const char* value;
    CString expanded;
  } cases[] = {
      {"$HOME$\\texte.dud", home + "\\texte.dud"},
      {"  $VARNO$\\Bilder  ", catalogue + "\\Bilder"},
      {"$WINDOWS$\\notepad.exe", app->m_windows_dir + "\\notepad.exe"},
      {"$ACROBAT$", app->m_pdf_viewer},
      {"$TEMP$\\x", "$TEMP$\\x"},
      {"$HOME", "$HOME"},
      {"C:\\Daten", "C:\\Daten"},
  };
  for (const Case& c : cases) {
    CString text = c.value;
    app->ExpandPathMacro(text);
    EXPECT_STREQ(text, c.expanded) << c.value;
  }
}

TEST_F(PartsInfoTest, MissingColumnTitlesAreTheColumnsNumbers) {
  auto app = Start();
  EXPECT_EQ(app->m_column_titles, (std::vector<CString>{"Menge", "Schl\xfcssel", "Benennung", "3"}));
  app->SetColumnTitles("Anzahl\0", "D");
  EXPECT_EQ(app->m_column_titles, (std::vector<CString>{"Anzahl", "1", "2", "3"}));
  app->SetColumnTitles(nullptr, "D");
  EXPECT_EQ(app->m_column_titles, (std::vector<CString>{"0", "1", "2", "3"}));
}

// A catalogue without dictionaries, or settings without a window-text file,
// is normal: the library says nothing about files nobody named.
TEST_F(PartsInfoTest, UnnamedTextFilesAreNotOpened) {
  m_folder.Write("home/qorv4tif.ini", Ini({"[SYSTEM]", "Notiz=0"}));
  ::testing::internal::CaptureStderr();
  auto app = std::make_unique<CPartsInfoApp>();
  app->Init(kColumnsWithPrice, kColumnTitles, m_orderList.window, 0, 1, Home().c_str(), "D",
            (m_folder / "catalogue").c_str(), UserDir().c_str());
  app->LoadDictionaries("", "");
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(said.find("DdmTextOpen"), std::string::npos) << said;
  EXPECT_EQ(app->WindowText(0), "");
}

TEST_F(PartsInfoTest, RowsTakeTheirPartNumberQuantityAndFilledColumns) {
  auto app = Start();
  const std::string block = Bytes("\0K-100\0\0\0" "4\0X-9\0Feder\0\0\0");
  std::vector<PartsInfoRow> rows = app->BuildRows(block.data(), static_cast<int>(block.size()), false);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_STREQ(rows[0].partNumber, "P100");
  EXPECT_EQ(rows[0].fields, (std::vector<CString>{"1", "K-100", "", "Geh\xe4use"}));
  EXPECT_STREQ(rows[1].partNumber, "");  // a key the parts master lacks
  EXPECT_EQ(rows[1].fields, (std::vector<CString>{"4", "X-9", "Feder", ""}));

  rows = app->BuildRows(block.data(), static_cast<int>(block.size()), true);
  EXPECT_STREQ(rows[1].partNumber, "X-9");  // ... stands for itself in a new window
}

TEST_F(PartsInfoTest, TheNotesFoldersAreMadeBelowTheUserFolder) {
  auto app = Start();
  EXPECT_TRUE(std::filesystem::is_directory(m_folder / "user/Notizen/Teile"));
  EXPECT_TRUE(app->m_notes_on);
}

TEST_F(PartsInfoTest, NotesFoldersThatCannotBeMadeLeaveTheNotesEmpty) {
  m_folder.Write("user/Notizen", "a file where the folder belongs");
  WriteSettings("ToolTip=NOP1\r\n");
  auto app = Start();
  RequestText(*app, "K-100");
  EXPECT_EQ(Answers(PROTOCOL_CMD_TEXT_ANSWER), std::vector<std::string>{Bytes("123,45 EUR\0")});
}

TEST_F(PartsInfoTest, ADamagedHistoryDatabaseTurnsTheHistoryOff) {
  m_folder.Write("history.ddm", "SQLite format 3 but not really");
  WriteSettings("HistDB=" + (m_folder / "history.ddm") + "\r\n");
  auto app = Start();
  EXPECT_FALSE(app->m_history_on);
  EXPECT_EQ(app->HistoryMarks("P100"), 0);
}

TEST_F(PartsInfoTest, TheHistoryMarksAPartsEarlierLaterAndAssemblyEntries) {
  auto app = Start();
  EXPECT_EQ(app->HistoryMarks("P100"), 1 | 4);
  EXPECT_EQ(app->HistoryMarks("P200"), 2);
  EXPECT_EQ(app->HistoryMarks("P300"), 0);
}

TEST_F(PartsInfoTest, AHistoryEntryGivesARowForEachOfItsParts) {
  auto app = Start();
  std::vector<PartsInfoRow> rows = app->HistoryParts("P100", kHistoryEarlier);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_STREQ(rows[0].partNumber, "P500");
  EXPECT_EQ(rows[0].fields, (std::vector<CString>{"2", "K-500", "", "Schraube"}));
  EXPECT_EQ(rows[1].fields, (std::vector<CString>{"1", "K-600", "", "Scheibe"}));  // no quantity: one
  rows = app->HistoryParts("P100", kHistoryAssembly);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].fields, (std::vector<CString>{"4", "K-700", "", "Motor"}));
  EXPECT_TRUE(app->HistoryParts("P100", kHistoryLater).empty());
}

}  // namespace
