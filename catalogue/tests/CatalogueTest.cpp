// Every key of the sample catalogue renders to the tag stream kept in its
// golden file, byte for byte. The golden files were reviewed by hand; they
// are written anew only on purpose, with VARNO_REGENERATE_GOLDEN=1.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "CatalogueInstallation.h"
#include "Main/CErrorTrace.h"
#include "Main/CWV4Globals.h"
#include "Main/CWV4Logic.h"
#include "Main/CWV4Var.h"
#include "testing/TempFolder.h"
#include "win32/Version.h"

VARNO_VERSION_INFO(
    "FileVersion=4.0.1.7\n"
    "Translation=0407 04E4\n");

namespace {

const std::string kGolden = std::string(VARNO_TEST_DATA) + "/../golden/";

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), {});
}

class CatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(installation.Load()) << Newest(); }
  static int Newest() {
    return theGlobals.m_error_trace_newest != nullptr ? theGlobals.m_error_trace_newest->error_code : 0;
  }
  layer::testing::TempFolder user;
  varno::catalogue::Installation installation{VARNO_CATALOGUE_DIR, user.Path()};
};

struct KeyCase {
  const char* golden;
  const char* key;
  const char* language;
  const char* variable;  // set to TRUE or to its text before rendering, when given
  const char* value;
};
void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.golden; }

class GoldenKeys : public CatalogueTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(GoldenKeys, RenderAsTheirGoldenFile) {
  const KeyCase& c = GetParam();
  if (c.language != nullptr) installation.SetDataLanguage(c.language);
  if (c.variable != nullptr) {
    const bool truth = std::string(c.value) == "TRUE";
    theGlobals.m_pvar->SetVar(c.variable, truth ? VarValue::Bool(TRUE) : VarValue::Text(c.value),
                              truth ? VAR_BOOL : VAR_CHAR);
  }
  CDynBuf stream;
  ASSERT_TRUE(installation.Render(c.key, stream)) << Newest();
  const std::string rendered(reinterpret_cast<const char*>(stream.GetData()), static_cast<size_t>(stream.GetLength()));
  const std::string path = kGolden + c.golden + ".tags";
  const char* regenerate = std::getenv("VARNO_REGENERATE_GOLDEN");
  if (regenerate != nullptr && std::string(regenerate) == "1") {
    std::ofstream(path, std::ios::binary) << rendered;
  }
  EXPECT_EQ(rendered, ReadFile(path)) << path;
  // The viewer keeps a copy of every rendered stream in the user's folder.
  EXPECT_EQ(ReadFile(user / "db2view.wv4"), rendered);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, GoldenKeys,
    ::testing::Values(KeyCase{"START", "START", nullptr, nullptr, nullptr},
                      KeyCase{"GEH", "rm46~GEH", nullptr, nullptr, nullptr},
                      KeyCase{"MOT", "MOT", nullptr, nullptr, nullptr},
                      KeyCase{"ANT", "ANT", nullptr, nullptr, nullptr},
                      KeyCase{"GRI", "GRI", nullptr, nullptr, nullptr},
                      KeyCase{"START.GB", "START", "GB", nullptr, nullptr},
                      KeyCase{"MOT.GB", "MOT", "GB", nullptr, nullptr},
                      KeyCase{"START.Selbstfahrer", "START", nullptr, "Modell", "RM46S"},
                      KeyCase{"MOT.Elektrostart", "MOT", nullptr, "Elektrostart", "TRUE"}),
    [](const auto& info) {
      std::string name = info.param.golden;
      for (char& c : name) {
        if (c == '.') c = '_';
      }
      return name;
    });

TEST_F(CatalogueTest, InstallationLoadsItsConfiguration) {
  CWV4Globals& g = theGlobals;
  EXPECT_STREQ(g.m_key_start, "rm46~START");
  EXPECT_STREQ(g.m_cur_prj_name, "Rasenmaeher RM 46");
  EXPECT_EQ(g.m_lang_data_num, 2);
  EXPECT_EQ(g.m_lang_prg_num, 2);
  EXPECT_STREQ(g.m_prg_language, "D");
  EXPECT_STREQ(g.m_language, "D");
  EXPECT_EQ(g.m_toolbar_place_user_pop, 3);
  EXPECT_EQ(g.m_hs_is_case_sensitive, FALSE);
  CString rule;
  EXPECT_TRUE(g.m_plogic->FindRule(300, rule));
  EXPECT_STREQ(rule, "Elektrostart = TRUE");
  // Main toolbar: the group of three ends in a separator, as does each
  // button with group 1; the raster button starts down.
  EXPECT_EQ(installation.app.m_buttons_frm.count, 11);
  EXPECT_EQ(installation.app.m_buttons_pop.count, 2);
  EXPECT_EQ(g.m_raster_on, TRUE);
  VarValue v;
  EXPECT_EQ(g.m_pvar->GetVar("Ueberschrift", &v), VAR_DUD);
  EXPECT_EQ(v.lval, 1000);
  EXPECT_EQ(Newest(), 0);
}

// The codes that the viewer added to the error table have their texts in
// the sample catalogue's message file, in both program languages.
TEST_F(CatalogueTest, MessageFileHoldsTheTextsOfTheAddedErrorCodes) {
  for (const char* language : {"D", "GB"}) {
    theGlobals.m_msgdud.DdmTextSetLanguage(language);
    for (int code : {ERR_FIELD_DEPTH, ERR_STREAM_TOO_LONG, ERR_REPEAT_NO_PROGRESS}) {
      ASSERT_NE(ErrorTextTable[code], 0u) << code;
      EXPECT_STRNE(theGlobals.MessageText(static_cast<LONG>(ErrorTextTable[code])), "") << language << " " << code;
    }
  }
  EXPECT_STREQ(theGlobals.MessageText(static_cast<LONG>(ErrorTextTable[ERR_FIELD_DEPTH])),
               "Fields insert each other too deeply");
  theGlobals.m_msgdud.DdmTextSetLanguage("D");
}

TEST_F(CatalogueTest, FileVersionOfAModule) {
  CString version = "stale";
  EXPECT_EQ(installation.app.GetFileVersion("/proc/self/exe", version), 1);
  EXPECT_STREQ(version, "4.0.1.7");
  EXPECT_EQ(installation.app.GetFileVersion(CString(VARNO_CATALOGUE_DIR) + "\\varno4.ini", version), 0);
}

TEST_F(CatalogueTest, NeighbourKeysOfAnAssembly) {
  CDynBuf stream;
  ASSERT_TRUE(installation.Render("MOT", stream));
  VarValue v;
  theGlobals.m_pvar->GetVar("LEFTNEIGHBOUR", &v);
  EXPECT_STREQ(v.text, "GEH");
  theGlobals.m_pvar->GetVar("RIGHTNEIGHBOUR", &v);
  EXPECT_STREQ(v.text, "ANT");
  theGlobals.m_pvar->GetVar("KEYNAME", &v);
  EXPECT_STREQ(v.text, "Motor");
}

}  // namespace
