#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "DdmFixture.h"

using ddm::testing::DdmFiles;

namespace {

const char* const kTexts = R"(dictionary
language "D"
1546 = "VARNO 4 Hinweis"
1570 = "Bitte warten, VARNO 4 wird geladen ..."
-7 = "negativ"
-2147483648 = "kleinste"
2147483647 = "gr\xF6\xDFte"
"BTN_OK" = "OK"
"\x80\xFF" = "\x80\x81\x9F\xA0\xFF"
language "GB"
1546 = "VARNO 4 note"
"BTN_OK" = "Okay"
language "fr"
)";

class DdmTextTableTest : public ::testing::Test {
 protected:
  void SetUp() override { path = files.Build("texts.ddm", kTexts); }
  DdmFiles files;
  std::string path;
};

}  // namespace

TEST_F(DdmTextTableTest, TextsByNumberAndByKeyInTheSelectedLanguage) {
  DdmTextTable texts;
  ASSERT_TRUE(texts.DdmTextOpen(path.c_str(), "D", "D0", 0, 0));
  struct Case {
    LONG number;
    const char* text;
  } numbers[] = {{1546, "VARNO 4 Hinweis"},
                 {1570, "Bitte warten, VARNO 4 wird geladen ..."},
                 {-7, "negativ"},
                 {INT_MIN, "kleinste"},
                 {INT_MAX, "gr\xF6\xDFte"},
                 {0, ""},
                 {1547, ""}};
  for (const Case& c : numbers) EXPECT_STREQ(texts.DdmGetText(c.number), c.text) << c.number;
  EXPECT_STREQ(texts.DdmGetTextByKey("BTN_OK"), "OK");
  EXPECT_STREQ(texts.DdmGetTextByKey("\x80\xFF"), "\x80\x81\x9F\xA0\xFF");
  EXPECT_STREQ(texts.DdmGetTextByKey("btn_ok"), "");  // keys are compared as they are
  EXPECT_STREQ(texts.DdmGetTextByKey(""), "");
  EXPECT_STREQ(texts.DdmGetTextByKey(nullptr), "");
}

TEST_F(DdmTextTableTest, SetLanguageSwitchesLaterLookUps) {
  DdmTextTable texts(path.c_str(), "D", "D0", 0, 0);
  const char* german = texts.DdmGetText(1546);
  struct Case {
    const char* language;
    BOOL known;
    const char* text1546;
    const char* okKey;
  } cases[] = {{"GB", TRUE, "VARNO 4 note", "Okay"},
               {"gb", TRUE, "VARNO 4 note", "Okay"},
               {"FR", TRUE, "", ""},
               {"XX", FALSE, "", ""},
               {nullptr, TRUE, "VARNO 4 Hinweis", "OK"},
               {"", TRUE, "VARNO 4 Hinweis", "OK"},
               {"D", TRUE, "VARNO 4 Hinweis", "OK"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language ? c.language : "null");
    EXPECT_EQ(texts.DdmTextSetLanguage(c.language), c.known);
    EXPECT_STREQ(texts.DdmGetText(1546), c.text1546);
    EXPECT_STREQ(texts.DdmGetTextByKey("BTN_OK"), c.okKey);
  }
  // A text handed out stays valid across the switches, as a window text must.
  EXPECT_STREQ(german, "VARNO 4 Hinweis");
}

TEST_F(DdmTextTableTest, AClosedTableGivesEmptyTextsNeverNull) {
  DdmTextTable texts(nullptr, nullptr, "D0", 0, 0);
  EXPECT_STREQ(texts.DdmGetText(1546), "");
  EXPECT_STREQ(texts.DdmGetTextByKey("BTN_OK"), "");
  EXPECT_FALSE(texts.DdmTextSetLanguage("D"));

  ASSERT_TRUE(texts.DdmTextOpen(path.c_str(), nullptr, "D0", 0, 0));  // the first language
  EXPECT_STREQ(texts.DdmGetText(1546), "VARNO 4 Hinweis");
  texts.DdmTextClose();
  EXPECT_STREQ(texts.DdmGetText(1546), "");
  ASSERT_TRUE(texts.DdmTextOpen(path.c_str(), "GB", "D0", 0, 0));
  EXPECT_STREQ(texts.DdmGetText(1546), "VARNO 4 note");
  ASSERT_TRUE(texts.DdmTextOpen(path.c_str(), "unknown", "D0", 0, 0));
  EXPECT_STREQ(texts.DdmGetText(1546), "");
}

TEST_F(DdmTextTableTest, CachingKeepsTheTextsAndTheirMisses) {
  DdmTextTable texts(path.c_str(), "GB", "D0", 0, 0);
  const char* before = texts.DdmGetText(1546);
  texts.DdmDbCachePointers(0);
  texts.DdmDbCacheData();
  EXPECT_EQ(texts.DdmGetText(1546), before);
  EXPECT_STREQ(texts.DdmGetTextByKey("BTN_OK"), "Okay");
  EXPECT_STREQ(texts.DdmGetText(1570), "");
  // The cache holds one language; the others are still read from the file.
  EXPECT_TRUE(texts.DdmTextSetLanguage("D"));
  EXPECT_STREQ(texts.DdmGetText(1570), "Bitte warten, VARNO 4 wird geladen ...");
}
