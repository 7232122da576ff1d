#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Main/CAccelTable.h"
#include "Main/CDataMenu.h"
#include "Main/tests/EngineFixture.h"
#include "user/Menus.h"

namespace {

class DataMenuTest : public varno::testing::EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    OpenTexts(theGlobals.m_msgdud, "messages.ddm",
              "dictionary\nlanguage \"D\"\n1200 = \"Datei\"\n1201 = \"Drucken\"\n1203 = \"Beenden\"\n"
              "1301 = \"Druckt die Seite\"\n1303 = \"Beendet VARNO\"\n"
              "language \"GB\"\n1200 = \"File\"\n1201 = \"Print\"\n1203 = \"Exit\"\n"
              "1301 = \"Prints the page\"\n1303 = \"Ends VARNO\"\n");
    theGlobals.m_msgdud.DdmTextSetLanguage("D");
  }
  std::string File(const std::string& text) {
    dataFolder.Write("menue.ini", text);
    return dataFolder / "menue.ini";
  }
  static std::string Text(HMENU menu, UINT position) {
    char text[64] = {};
    GetMenuString(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
  }
  // The menu as text: entries by position, "-" for a separator, "id:text",
  // drop-down menus in brackets.
  static std::string Shape(HMENU menu) {
    std::string shape;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      if (!shape.empty()) shape += " ";
      const UINT id = GetMenuItemID(menu, i);
      if (id == static_cast<UINT>(-1)) shape += Text(menu, i) + "[" + Shape(GetSubMenu(menu, i)) + "]";
      else if (GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR) shape += "-";
      else shape += std::to_string(id) + ":" + Text(menu, i);
    }
    return shape;
  }

  CDataMenu menu;
};

const char kFileMenu[] =
    "[MAIN]\r\n1200 = [FILE] \r\n"
    "[FILE]\r\n1201=320,1301\r\n; a comment\r\n\r\n1202=0\r\n1203=311,1303\r\n";

TEST_F(DataMenuTest, DropDownMenuWithCommandsSeparatorAndPrompts) {
  ASSERT_TRUE(menu.Build(File(kFileMenu).c_str()));
  EXPECT_EQ(Shape(menu.Menu()), "Datei[320:Drucken - 311:Beenden]");
  ASSERT_EQ(menu.Prompts().size(), 3u);
  EXPECT_STREQ(menu.PromptOf(320), "Druckt die Seite");
  EXPECT_STREQ(menu.PromptOf(311), "Beendet VARNO");
  EXPECT_STREQ(menu.Prompts()[1].text, "");
}

TEST_F(DataMenuTest, RetextFollowsTheProgramLanguageAtTheSamePlaces) {
  ASSERT_TRUE(menu.Build(File(kFileMenu).c_str()));
  theGlobals.m_msgdud.DdmTextSetLanguage("GB");
  menu.Retext();
  EXPECT_EQ(Shape(menu.Menu()), "File[320:Print - 311:Exit]");
  EXPECT_STREQ(menu.PromptOf(320), "Prints the page");
  EXPECT_STREQ(menu.PromptOf(311), "Ends VARNO");
}

struct ShapeCase {
  const char* name;
  const char* file;
  const char* shape;
};

class DataMenuShapes : public DataMenuTest, public ::testing::WithParamInterface<ShapeCase> {};

TEST_P(DataMenuShapes, Build) {
  ASSERT_TRUE(menu.Build(File(GetParam().file).c_str()));
  EXPECT_EQ(Shape(menu.Menu()), GetParam().shape);
  // One prompt row for every entry that is not a drop-down menu.
  size_t rows = 0;
  for (char c : std::string(GetParam().shape)) rows += c == '-' || c == ':';
  EXPECT_EQ(menu.Prompts().size(), rows);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DataMenuShapes,
    ::testing::Values(
        ShapeCase{"RepeatedCommandLeftOut", "[MAIN]\r\n1200=[A]\r\n1200=[B]\r\n[A]\r\n1201=320,1\r\n[B]\r\n1201=320,2\r\n1203=311,3\r\n",
                  "Datei[320:Drucken] Datei[311:Beenden]"},
        ShapeCase{"MissingDropDownIsASeparator", "[MAIN]\r\n1200=[NONE]\r\n1203=311,3\r\n", "- 311:Beenden"},
        ShapeCase{"NestedMenus", "[MAIN]\r\n1200=[A]\r\n[A]\r\n1200=[B]\r\n[B]\r\n1201=320\r\n", "Datei[Datei[320:Drucken]]"},
        ShapeCase{"SectionsNamingEachOtherInACircle", "[MAIN]\r\n1200=[A]\r\n[A]\r\n1200=[A]\r\n1201=320,1\r\n",
                  "Datei[- 320:Drucken]"},
        ShapeCase{"EmptyMain", "[MAIN]\r\n[X]\r\n1=2\r\n", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DataMenuTest, MissingFileOrMainBuildsNothing) {
  EXPECT_FALSE(menu.Build((dataFolder / "nope.ini").c_str()));
  EXPECT_FALSE(menu.Build(File("[OTHER]\r\n1=2\r\n").c_str()));
  EXPECT_FALSE(menu.IsBuilt());
  EXPECT_FALSE(menu.SetCheck(320, TRUE));
  EXPECT_FALSE(menu.Enable(320, FALSE));
}

TEST_F(DataMenuTest, CheckAndEnableFindTheCommandInItsDropDown) {
  ASSERT_TRUE(menu.Build(File(kFileMenu).c_str()));
  HMENU file = GetSubMenu(menu.Menu(), 0);
  EXPECT_TRUE(menu.SetCheck(311, TRUE));
  EXPECT_FALSE(menu.SetCheck(311, TRUE));  // already so
  EXPECT_TRUE(GetMenuState(file, 2, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_TRUE(menu.Enable(320, FALSE));
  EXPECT_TRUE(GetMenuState(file, 0, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_FALSE(menu.SetCheck(999, TRUE));
}

struct KeyCase {
  const char* name;
  bool alt;
  bool shift;
  bool ctrl;
  std::vector<UINT> commands;
};

class Accelerators : public DataMenuTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(Accelerators, MatchTheHeldModifiersExactly) {
  CAccelTable table;
  ASSERT_TRUE(table.Load(File("[ACCELERATOR]\r\nNum=4\r\n000=C,80,320\r\n001=\r\n002=CV,80,321\r\n003=S,80,322\r\n").c_str()));
  EXPECT_EQ(table.Entries().size(), 3u);  // the empty key is skipped
  const KeyCase& c = GetParam();
  EXPECT_EQ(table.CommandsFor(80, c.alt, c.shift, c.ctrl), c.commands);
}

INSTANTIATE_TEST_SUITE_P(Keys, Accelerators,
                         ::testing::Values(KeyCase{"CtrlP", false, false, true, {320, 321}},
                                           KeyCase{"CtrlShiftP", false, true, true, {}},
                                           KeyCase{"ShiftP", false, true, false, {322}},
                                           KeyCase{"AltCtrlP", true, false, true, {}},
                                           KeyCase{"PlainP", false, false, false, {}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DataMenuTest, WithoutCountThereAreNoAccelerators) {
  CAccelTable table;
  EXPECT_TRUE(table.Load(File("[ACCELERATOR]\r\n000=C,80,320\r\n").c_str()));
  EXPECT_TRUE(table.Entries().empty());
}

}  // namespace
