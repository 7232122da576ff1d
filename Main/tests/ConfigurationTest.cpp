#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>

#include "Main/tests/CatalogueFixture.h"
#include "Main/tests/OrderListStandIn.h"
#include "Main/varno4.h"
#include "foundation/CIniClass.h"

using varno::testing::Str;

namespace {

// An installation in a temporary folder: the main ini, a project file and
// the user's settings, each written from its sections.
class ConfigurationTest : public varno::testing::CatalogueFixture {
 protected:
  void SetUp() override {
    CatalogueFixture::SetUp();
    theGlobals.m_pini = new CIniClass;
    theGlobals.m_app_dir = dataFolder.Path().c_str();
    theGlobals.m_main_prj_file = (dataFolder / "varno4.ini").c_str();
    theGlobals.m_main_user_ini = (dataFolder / "varno4_user.ini").c_str();
    theGlobals.m_cur_prj_file = (dataFolder / "demo.prj").c_str();
    theGlobals.m_user_page_def_path = (dataFolder / "def_user").c_str();
    theGlobals.m_cur_prj = "demo";
    theGlobals.m_key_firststart.Empty();  // kept when the key is empty
    OpenTexts(theGlobals.m_msgdud, "msg.ddm", "dictionary\nlanguage \"D\"\n1 = \"Meldung\"\n");
    main = {
        {"SYSTEM",
         "Project=demo\r\nMessage=\"" + dataFolder / "msg.ddm" + "\"\r\nStart=K1\r\nFirstStart=\r\nRules=\"\"\r\n"
         "Extern=\"\"\r\nDuden=\"" + dataFolder / "msg.ddm" + "\"\r\nDudenCh=\"" + dataFolder / "msg.ddm" + "\"\r\nButtons=\"main.btn\"\r\n"
         "Menu=\"menu.ini\"\r\nNotiz=460\r\nUserPageDef=FALSE\r\n"},
        {"LANGUAGE_DATA", "430=\"D\",1559\r\n431=\"GB\",1560\r\n"},
        {"LANGUAGE_PRG", "400=\"D\",1561\r\n"},
        {"VARIABLES_CHAR", "Titel = \"Rasenm\xE4her\"\r\nohne Gleichheitszeichen\r\n"},
        {"VARIABLES_LONG", "Stufe=3\r\n"},
        {"TRACE_VARIABLES_LONG", "Stufe=4\r\n"},
        {"SETTINGS", "InvertAtMouse=0\r\nToolbarPlaceDefaultFrm=3\r\n"},
    };
    project = {
        {"SYSTEM", "Projectname=Demo\r\nDuden=\r\nDudenCh=\r\nDatabase=\"cat.ddm\"\r\nTeilestamm=\r\nCDName=CD1\r\n"
                   "Rules=\r\nDummyPic=\r\n"},
        {"VARIABLES_DUDENCH", "Farbe=\"rot\"\r\n"},
    };
  }
  void TearDown() override {
    delete theGlobals.m_pini;
    theGlobals.m_pini = nullptr;
    delete[] theGlobals.m_lang_data;
    delete[] theGlobals.m_lang_prg;
    theGlobals.m_lang_data = theGlobals.m_lang_prg = nullptr;
    theGlobals.m_lang_data_num = theGlobals.m_lang_prg_num = 0;
    CatalogueFixture::TearDown();
  }

  using Sections = std::map<std::string, std::string>;
  // SYSTEM goes last, so that a line without "=" at its end makes the keys
  // that are missing unreadable, as in a damaged file.
  void Write(const std::string& name, const Sections& sections) {
    std::ofstream file(dataFolder / name, std::ios::binary);
    for (const auto& [section, lines] : sections) {
      if (section != "SYSTEM") file << "[" << section << "]\r\n" << lines;
    }
    if (sections.count("SYSTEM") != 0) file << "[SYSTEM]\r\n" << sections.at("SYSTEM");
  }
  int Load() {
    // A missing file is tried again before it counts as missing.
    if (!std::ifstream(dataFolder / "varno4_user.ini")) Write("varno4_user.ini", {});
    Write("varno4.ini", main);
    Write("demo.prj", project);
    return app.LoadSystemConfig();
  }
  CString Text(const char* name) {
    VarValue v;
    vars().GetVar(name, &v);
    return v.text;
  }

  Sections main, project;
  CViewerApp app;
};

TEST_F(ConfigurationTest, InstallationLoadsIntoTheProgramState) {
  ASSERT_EQ(Load(), 1) << NewestCode();
  CWV4Globals& g = theGlobals;
  EXPECT_STREQ(g.m_key_start, "demo~K1");
  EXPECT_STREQ(g.m_cur_read_key, "demo~K1");
  EXPECT_EQ(g.m_WaitFirstStart, -1);
  EXPECT_STREQ(g.m_prg_language, "D");
  EXPECT_STREQ(g.m_language, "D");
  EXPECT_STREQ(g.m_button_file, "main.btn");
  EXPECT_STREQ(g.m_cur_prj_name, "Demo");
  EXPECT_STREQ(g.m_database, "cat.ddm");
  EXPECT_STREQ(g.m_cdname, "CD1");
  EXPECT_EQ(g.m_UserPageDef, FALSE);
  EXPECT_EQ(g.m_lang_data_num, 2);
  EXPECT_STREQ(g.m_lang_data[1].lang_code, "GB");
  EXPECT_EQ(g.m_lang_data[1].text_number, 1560);
  EXPECT_EQ(g.m_lang_prg_num, 1);
  EXPECT_STREQ(Text("Titel"), "Rasenm\xE4her");
  VarValue v;
  EXPECT_EQ(vars().GetVar("Stufe", &v), VAR_LONG);
  EXPECT_EQ(v.lval, 4);  // the TRACE line comes later
  EXPECT_EQ(vars().GetVar("Farbe", &v), VAR_DUDCH);
  EXPECT_STREQ(Text("CURPROJECTFILE"), g.m_cur_prj_file);
  EXPECT_STREQ(Text("DATALANGUAGE"), "D");
  const auto& entries = vars().Entries();
  bool traced = false;
  for (const VarEntry& e : entries) {
    if (e.name == "Stufe") traced = (e.type & VAR_FLAG_TRACE) != 0;
  }
  EXPECT_TRUE(traced);
  EXPECT_EQ(NewestCode(), 0);
}

TEST_F(ConfigurationTest, UserChoicesAndVariablesFile) {
  main["SYSTEM"] += "VarFile=\"" + dataFolder / "vars.ini" + "\"\r\nFirstStart=demo~K9\r\nWaitFirstStart=0\r\n";
  main["SYSTEM"].replace(main["SYSTEM"].find("FirstStart=\r\n"), 13, "");
  Write("vars.ini", {{"VARIABLES_CHAR", "DATALANGUAGE=\"F\"\r\nAusVarFile=\"ja\"\r\n"}});
  Write("varno4_user.ini", {{"SYSTEM", "Language=\"GB\"\r\n"}, {"VARIABLES_CHAR", "DATALANGUAGE=\"I\"\r\n"}});
  ASSERT_EQ(Load(), 1) << NewestCode();
  EXPECT_STREQ(Text("AusVarFile"), "ja");
  EXPECT_STREQ(Text("Titel"), "");  // the main ini's sections are not read
  EXPECT_STREQ(theGlobals.m_prg_language, "GB");
  EXPECT_STREQ(theGlobals.m_language, "I");
  EXPECT_STREQ(theGlobals.m_cur_read_key, "demo~K9");
  EXPECT_EQ(theGlobals.m_WaitFirstStart, 0);
}

struct FailureCase {
  const char* name;
  const char* section;
  const char* key;  // replaced by this line, or added
  const char* line;
  bool inProject;
  int code;
  int value;
};
void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name << ": [" << c.section << "] " << c.line; }

class ConfigurationFailures : public ConfigurationTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ConfigurationFailures, FailWithTheirCode) {
  const FailureCase& c = GetParam();
  std::string& lines = (c.inProject ? project : main)[c.section];
  const std::string prefix = std::string(c.key) + "=";
  const size_t at = lines.find(prefix);
  if (at != std::string::npos) lines.erase(at, lines.find("\r\n", at) + 2 - at);
  lines += c.line;
  EXPECT_EQ(Load(), 0);
  ASSERT_TRUE(TraceHas(c.code)) << NewestCode();
  CErrorTrace* node = theGlobals.m_error_trace_newest;
  while (node->error_code != c.code) node = node->older;
  EXPECT_EQ(node->value, c.value);
  if (c.inProject) {
    EXPECT_TRUE(TraceHas(308));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConfigurationFailures,
    ::testing::Values(FailureCase{"StartEmpty", "SYSTEM", "Start", "Start=\r\n", false, 318, 0},
                      FailureCase{"StartMissing", "SYSTEM", "Start", "", false, 318, 0},  // a missing key reads empty
                      FailureCase{"NotizZero", "SYSTEM", "Notiz", "Notiz=0\r\n", false, 337, 0},
                      FailureCase{"NotizEmpty", "SYSTEM", "Notiz", "Notiz=\r\n", false, 338, 0},
                      FailureCase{"ButtonsEmpty", "SYSTEM", "Buttons", "Buttons=\r\n", false, 332, 0},
                      FailureCase{"ButtonsNoExpression", "SYSTEM", "Buttons", "Buttons=\"a\"+\r\n", false, 331, 0},
                      FailureCase{"ProgramLanguageOutOfRange", "LANGUAGE_PRG", "430", "430=\"D\",1\r\n", false, 370, 430},
                      FailureCase{"DataLanguageOutOfRange", "LANGUAGE_DATA", "400", "400=\"D\",1\r\n", false, 367, 400},
                      FailureCase{"ProjectNameEmpty", "SYSTEM", "Projectname", "Projectname=\r\n", true, 316, 0},
                      FailureCase{"DatabaseEmpty", "SYSTEM", "Database", "Database=\r\n", true, 329, 0},
                      FailureCase{"ProjectVariableFails", "VARIABLES_LONG", "X", "X=\"a\r\n", true, 348, 0},
                      FailureCase{"PartsMasterNoExpression", "SYSTEM", "Teilestamm", "Teilestamm=\"x\"+\r\n", true, 465, 0},
                      FailureCase{"StartUnreadable", "SYSTEM", "Start", "kaputt", false, 317, 0},
                      FailureCase{"FirstStartUnreadable", "SYSTEM", "FirstStart", "kaputt", false, 319, 0},
                      FailureCase{"RulesUnreadable", "SYSTEM", "Rules", "kaputt", false, 321, 0},
                      FailureCase{"RulesNoExpression", "SYSTEM", "Rules", "Rules=\"a\"+\r\n", false, 322, 0},
                      FailureCase{"ExternUnreadable", "SYSTEM", "Extern", "kaputt", false, 323, 0},
                      FailureCase{"ExternNoExpression", "SYSTEM", "Extern", "Extern=+\r\n", false, 324, 0},
                      FailureCase{"DudenUnreadable", "SYSTEM", "Duden", "kaputt", false, 325, 0},
                      FailureCase{"DudenNoExpression", "SYSTEM", "Duden", "Duden=+\r\n", false, 326, 0},
                      FailureCase{"DudenChUnreadable", "SYSTEM", "DudenCh", "kaputt", false, 454, 0},
                      FailureCase{"DudenChNoExpression", "SYSTEM", "DudenCh", "DudenCh=+\r\n", false, 455, 0},
                      FailureCase{"ButtonsUnreadable", "SYSTEM", "Buttons", "kaputt", false, 330, 0},
                      FailureCase{"ButtonsPopNoExpression", "SYSTEM", "ButtonsPop", "ButtonsPop=+\r\n", false, 533, 0},
                      FailureCase{"MenuUnreadable", "SYSTEM", "Menu", "kaputt", false, 333, 0},
                      FailureCase{"MenuEmpty", "SYSTEM", "Menu", "Menu=\r\n", false, 335, 0},
                      FailureCase{"MenuNoExpression", "SYSTEM", "Menu", "Menu=+\r\n", false, 334, 0},
                      FailureCase{"NotizUnreadable", "SYSTEM", "Notiz", "kaputt", false, 336, 0},
                      FailureCase{"DummyPicUnreadable", "SYSTEM", "DummyPic", "kaputt", false, 509, 0},
                      FailureCase{"DummyPicNoExpression", "SYSTEM", "DummyPic", "DummyPic=+\r\n", false, 510, 0},
                      FailureCase{"DataLanguageCodeFails", "LANGUAGE_DATA", "432", "432=+,1\r\n", false, 368, 0},
                      FailureCase{"ProgramLanguageCodeFails", "LANGUAGE_PRG", "402", "402=+,1\r\n", false, 371, 0},
                      FailureCase{"ProjectNameUnreadable", "SYSTEM", "Projectname", "kaputt", true, 315, 0},
                      FailureCase{"DatabaseUnreadable", "SYSTEM", "Database", "kaputt", true, 327, 0},
                      FailureCase{"DatabaseNoExpression", "SYSTEM", "Database", "Database=+\r\n", true, 328, 0},
                      FailureCase{"PartsMasterUnreadable", "SYSTEM", "Teilestamm", "kaputt", true, 464, 0},
                      FailureCase{"CDNameUnreadable", "SYSTEM", "CDName", "kaputt", true, 441, 0},
                      FailureCase{"ProjectRulesUnreadable", "SYSTEM", "Rules", "kaputt", true, 321, 0},
                      FailureCase{"ProjectRulesNoExpression", "SYSTEM", "Rules", "Rules=+\r\n", true, 322, 0},
                      FailureCase{"ProjectDudenNoExpression", "SYSTEM", "Duden", "Duden=+\r\n", true, 326, 0},
                      FailureCase{"ProjectCharFails", "VARIABLES_CHAR", "X", "X=+\r\n", true, 346, 0},
                      FailureCase{"ProjectCharRefused", "VARIABLES_CHAR", "Stufe", "Stufe=\"a\"\r\n", true, 347, 0},
                      FailureCase{"ProjectDudenchFails", "VARIABLES_DUDENCH", "X", "X=+\r\n", true, 450, 0},
                      FailureCase{"ProjectDudenchRefused", "VARIABLES_DUDENCH", "Stufe", "Stufe=\"a\"\r\n", true, 451, 0},
                      FailureCase{"ProjectLongRefused", "VARIABLES_LONG", "Titel", "Titel=1\r\n", true, 349, 0},
                      FailureCase{"ProjectDudenFails", "VARIABLES_DUDEN", "X", "X=+\r\n", true, 350, 0},
                      FailureCase{"ProjectDudenRefused", "VARIABLES_DUDEN", "Titel", "Titel=1\r\n", true, 351, 0},
                      FailureCase{"ProjectFloatFails", "VARIABLES_FLOAT", "X", "X=+\r\n", true, 352, 0},
                      FailureCase{"ProjectFloatRefused", "VARIABLES_FLOAT", "Titel", "Titel=1.5\r\n", true, 353, 0},
                      FailureCase{"ProjectBoolFails", "VARIABLES_BOOL", "X", "X=+\r\n", true, 354, 0},
                      FailureCase{"ProjectBoolRefused", "VARIABLES_BOOL", "Titel", "Titel=TRUE\r\n", true, 355, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConfigurationTest, EarlyFailuresLeaveNoNodeOfTheirOwn) {
  main["SYSTEM"].replace(main["SYSTEM"].find("Message="), 8, "Messagx=");
  EXPECT_EQ(Load(), 0);
  EXPECT_EQ(NewestCode(), 0);
}

TEST_F(ConfigurationTest, LanguageLinesBeyondTheTableAreLeftOut) {
  std::string lines;
  for (int id = 400; id <= 429; ++id) lines += std::to_string(id) + "=\"L" + std::to_string(id) + "\",1\r\n";
  lines += "400=\"extra\",2\r\n401=\"extra\",3\r\n";
  main["LANGUAGE_PRG"] = lines;
  ASSERT_EQ(Load(), 1) << NewestCode();
  EXPECT_EQ(theGlobals.m_lang_prg_num, 30);
  EXPECT_STREQ(theGlobals.m_lang_prg[29].lang_code, "L429");
}

TEST_F(ConfigurationTest, InternetModesDeclareTheirVariables) {
  main["SYSTEM"] += "Internet=1\r\nIV4ComClient=C:\\IV4\\\r\nVarCnt=2\r\nVar00= Eins , Zwei\r\nVar01=\r\n";
  ASSERT_EQ(Load(), 1) << NewestCode();
  EXPECT_EQ(theGlobals.m_internet_mode, 1);
  EXPECT_STREQ(theGlobals.m_exchange_dir_client, "C:\\IV4\\");
  CDynBuf user;
  vars().WriteUserVars(user);
  const std::string written = Str(user);
  EXPECT_EQ(written.find("Eins"), std::string::npos);  // declared as SYSTEM
  bool declared = false;
  for (const VarEntry& e : vars().Entries()) declared |= e.name == "Zwei";
  EXPECT_TRUE(declared);
  theGlobals.m_internet_mode = 0;
}

TEST_F(ConfigurationTest, SettingsSaveAndLoadBack) {
  ASSERT_EQ(Load(), 1);
  Write("varno4_user.ini", {{"SETTINGS", "HotSpotLink=\r\nWindowSize=800\r\nWindowPos=10,20\r\n"}});
  app.SaveSettings();  // before loading: nothing written
  CString value;
  theGlobals.m_pini->ReadKey("SETTINGS", "Window", "none", value, theGlobals.m_main_user_ini, 1);
  EXPECT_STREQ(value, "none");

  app.LoadSettings();
  CWV4Globals& g = theGlobals;
  EXPECT_EQ(g.m_hs_connect_onoff, TRUE);  // an empty value counts as on
  EXPECT_EQ(g.m_window_size[0], -1);       // no comma: unchanged
  EXPECT_EQ(g.m_window_pos[1], 20);
  EXPECT_EQ(g.m_invert_at_mousepos, FALSE);
  EXPECT_EQ(g.m_toolbar_place_default_frm, 3);
  EXPECT_EQ(g.m_toolbar_place_user_frm, 3);  // the default place

  g.m_hs_connect_onoff = FALSE;
  g.m_window_maximized = TRUE;
  g.m_window_size[0] = 640;
  g.m_window_size[1] = 480;
  g.m_toolbar_place_user_pop = 2;
  g.m_language = "GB";
  g.m_prg_language = "F";
  app.SaveSettings();
  g.m_hs_connect_onoff = TRUE;
  g.m_window_maximized = FALSE;
  g.m_toolbar_place_user_pop = 0;
  app.LoadSettings();
  EXPECT_EQ(g.m_hs_connect_onoff, FALSE);
  EXPECT_EQ(g.m_window_maximized, TRUE);
  EXPECT_EQ(g.m_window_size[1], 480);
  EXPECT_EQ(g.m_toolbar_place_user_pop, 2);
  // The languages come back as quoted expressions at the next start.
  delete[] g.m_lang_data;
  delete[] g.m_lang_prg;
  g.m_lang_data = g.m_lang_prg = nullptr;
  vars().RemoveAll();
  ASSERT_EQ(Load(), 1);
  EXPECT_STREQ(g.m_language, "GB");
  EXPECT_STREQ(g.m_prg_language, "F");
}

}  // namespace

TEST_F(ConfigurationTest, WithAMainWindowTheDictionariesGoToTheOrderListProgram) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProc;
  windowClass.lpszClassName = "VarnoConfigMain";
  RegisterClass(&windowClass);
  app.m_hMainWnd = CreateWindow("VarnoConfigMain", "VARNO 4", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr, nullptr,
                                nullptr, nullptr);
  varno::testing::OrderListStandIn orderList;
  app.m_prot_pid = GetCurrentProcessId();
  ASSERT_EQ(Load(), 1) << NewestCode();
  std::string duden = dataFolder / "msg.ddm";
  ASSERT_EQ(orderList.copies.size(), 1u);
  EXPECT_EQ(orderList.copies[0].code, static_cast<ULONG_PTR>(PROTOCOL_CMD_DICTIONARIES));
  EXPECT_EQ(orderList.copies[0].bytes, duden + '\0' + duden + '\0');
  DestroyWindow(app.m_hMainWnd);
}
