// The viewer commands that need no bar of the frame window, posted to the
// frame window that received them.
#include <gtest/gtest.h>

#include <string>

#include "Main/CDynLog.h"
#include "Main/CWV4ExtPrg.h"
#include "Main/tests/EngineFixture.h"
#include "foundation/CIniClass.h"
#include "user/Menus.h"

namespace {

using KeyCommands = std::vector<std::pair<WPARAM, std::string>>;

class CommandsTest : public varno::testing::ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    theGlobals.m_key_start = "START";
    theGlobals.m_cur_prj_key = "MOT";
    theGlobals.m_pextprg = new CExtPrg;
    dataFolder.Write("extern.txt",
                     "820:0:\"ANT\",\r\n1005:1:\"PARTNO\",\"4711\"\r\n1006:0:\"PARTNO\",\"0815\"\r\n"
                     "1205:0:\"MENGE\",3+4\r\n1206:0:\"MENGE\",\"drei\"\r\n");
    theGlobals.m_pextprg->Load((dataFolder / "extern.txt").c_str());
  }
  void TearDown() override {
    delete theGlobals.m_pextprg;
    theGlobals.m_pextprg = nullptr;
    for (CString* text : {&theGlobals.m_key_start, &theGlobals.m_cur_prj_key, &theGlobals.m_leftneighbour,
                          &theGlobals.m_user_file_path, &theGlobals.m_notiz_name, &theGlobals.m_app_dir})
      text->Empty();
    theGlobals.m_is_terminal_server = FALSE;
    theGlobals.m_prot_visible = FALSE;
    ShellFixture::TearDown();
  }
  BOOL Run(UINT id) { return app.RunViewerCommand(app.m_hMainWnd, nullptr, id); }
  std::string Text(const char* name) {
    VarValue value;
    return vars().GetVar(name, &value) == VAR_CHAR ? std::string(value.text) : "<none>";
  }
};

TEST_F(CommandsTest, HistoryCommandsGoBackOrHome) {
  EXPECT_TRUE(Run(305));  // nothing to go back to: the start key
  EXPECT_EQ(TakeKeyCommands(), (KeyCommands{{0, "START"}}));

  CDynBuf saved;
  saved.Append("saved");
  theGlobals.m_phistory->AddEntry("P~A", saved, FALSE, FALSE);
  theGlobals.m_phistory->AddEntry("P~B", CDynBuf(), FALSE, FALSE);
  EXPECT_TRUE(Run(305));
  EXPECT_EQ(TakeKeyCommands(), (KeyCommands{{0, "P~B"}}));
  EXPECT_TRUE(Run(304));  // home restores what the history saved
  EXPECT_EQ(TakeKeyCommands(), (KeyCommands{{0, "START"}}));
  EXPECT_NE(std::string(theGlobals.m_cur_varbuf).find("saved"), std::string::npos);

  theGlobals.m_cur_varbuf.Empty();
  theGlobals.m_phistory->AddEntry("P~A", saved, FALSE, FALSE);
  EXPECT_TRUE(Run(326));  // the start key without restoring
  EXPECT_EQ(TakeKeyCommands(), (KeyCommands{{0, "START"}}));
  EXPECT_EQ(theGlobals.m_cur_varbuf.GetLength(), 0);
}

TEST_F(CommandsTest, NeighbourCommandsNeedANeighbour) {
  EXPECT_TRUE(Run(302));
  EXPECT_TRUE(TakeKeyCommands().empty());
  theGlobals.m_leftneighbour = "LINKS";
  EXPECT_TRUE(Run(302));
  EXPECT_EQ(TakeKeyCommands(), (KeyCommands{{0, "LINKS"}}));
}

struct RangeCase {
  const char* name;
  UINT id;
  const char* variable;
  const char* value;  // CHAR variables only
  KeyCommands shown;
  int reported;  // error code, 0 for none
};

class CommandRanges : public CommandsTest, public ::testing::WithParamInterface<RangeCase> {};

TEST_P(CommandRanges, ActOnTheirListEntry) {
  const RangeCase& c = GetParam();
  EXPECT_TRUE(Run(c.id));
  EXPECT_EQ(TakeKeyCommands(), c.shown);
  if (c.value != nullptr) EXPECT_EQ(Text(c.variable), c.value);
  if (c.reported == 0) {
    EXPECT_TRUE(dialog->shown.empty());
  } else {
    ASSERT_EQ(dialog->shown.size(), 1u);
    EXPECT_NE(dialog->shown[0].second.find("[" + std::to_string(c.reported) + "]"), std::string::npos);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Ids, CommandRanges,
    ::testing::Values(RangeCase{"KeyOfTheList", 820, nullptr, nullptr, {{1, "ANT"}}, 0},
                      RangeCase{"KeyNotInTheList", 821, nullptr, nullptr, {}, 520},
                      RangeCase{"CharShownAgain", 1005, "PARTNO", "4711", {{0, "MOT"}}, 0},
                      RangeCase{"CharOnlySet", 1006, "PARTNO", "0815", {}, 0},
                      RangeCase{"LongEvaluated", 1205, "MENGE", nullptr, {}, 0},
                      RangeCase{"LongNotANumber", 1206, "MENGE", nullptr, {}, 263},
                      RangeCase{"VariableNotInTheList", 1007, "PARTNO", "<none>", {}, 540},
                      RangeCase{"UnknownLanguage", 405, nullptr, nullptr, {}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommandsTest, LongRangeSetsTheEvaluatedNumber) {
  EXPECT_TRUE(Run(1205));
  VarValue value;
  ASSERT_EQ(vars().GetVar("MENGE", &value), VAR_LONG);
  EXPECT_EQ(value.lval, 7);
}

// On a terminal server every user keeps notes of his own, in a folder below
// his user folder.
TEST_F(CommandsTest, NotesFileLiesInTheUsersFolderOnATerminalServer) {
  layer::testing::TempFolder user;
  theGlobals.m_notiz_name = "MOT";
  theGlobals.m_is_terminal_server = TRUE;
  theGlobals.m_user_file_path = user.Path().c_str();
  EXPECT_EQ(std::string(app.NotesFile()), user.Path() + "\\Notizen\\Sonstige\\MOT.notiz");
  EXPECT_TRUE(std::filesystem::is_directory(user / "Notizen/Sonstige"));
  theGlobals.m_is_terminal_server = FALSE;
  theGlobals.m_app_dir = "C:\\V4";
  theGlobals.m_notiz_name = "MOT.txt";
  EXPECT_STREQ(app.NotesFile(), "C:\\V4\\MOT.txt");
}

TEST_F(CommandsTest, UnknownIdsAreLeftToTheFrame) {
  for (UINT id : {0u, 310u, 2200u}) EXPECT_FALSE(Run(id)) << id;
}

// The end of the start applies both languages and checks their menu entries;
// without an order-list program nobody is told and no error box comes.
TEST_F(CommandsTest, CompletingTheStartAppliesTheLanguages) {
  LanguageEntry program[] = {{400, "D", 1}, {401, "GB", 2}};
  LanguageEntry data[] = {{430, "D", 3}, {431, "GB", 4}};
  theGlobals.m_lang_prg = program;
  theGlobals.m_lang_prg_num = 2;
  theGlobals.m_lang_data = data;
  theGlobals.m_lang_data_num = 2;
  theGlobals.m_prg_language = "GB";
  theGlobals.m_language = "D";
  CIniClass ini;
  theGlobals.m_pini = &ini;
  theGlobals.m_main_user_ini = (dataFolder / "user.ini").c_str();
  HMENU menu = CreateMenu();
  for (UINT id : {400u, 401u, 430u, 431u}) AppendMenu(menu, MF_STRING, id, "x");
  SetMenu(app.m_hMainWnd, menu);

  app.CompleteStart();
  EXPECT_TRUE(app.m_start_completed);
  for (UINT id : {401u, 430u}) EXPECT_TRUE(GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) << id;
  for (UINT id : {400u, 431u}) EXPECT_FALSE(GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) << id;
  VarValue value;
  ASSERT_EQ(vars().GetVar("DATALANGUAGE", &value), VAR_CHAR);
  EXPECT_STREQ(value.text, "D");
  EXPECT_TRUE(dialog->shown.empty());

  theGlobals.m_lang_prg = theGlobals.m_lang_data = nullptr;
  theGlobals.m_lang_prg_num = theGlobals.m_lang_data_num = 0;
  theGlobals.m_prg_language.Empty();
  theGlobals.m_pini = nullptr;
  theGlobals.m_main_user_ini.Empty();
}

}  // namespace
