#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "Main/tests/CatalogueFixture.h"
#include "Main/varno4.h"

namespace {

class ButtonFileTest : public varno::testing::CatalogueFixture {
 protected:
  int Load(const std::string& text) {
    std::ofstream(dataFolder / "main.btn", std::ios::binary) << text;
    return app.LoadButtonFile((dataFolder / "main.btn").c_str(), list);
  }
  // The command ids in list order; separators as 0.
  std::vector<int> Commands() const {
    std::vector<int> ids;
    for (const ToolbarButtonDef* e = list.first; e != nullptr; e = e->next) ids.push_back(e->separator ? 0 : e->cmdid);
    return ids;
  }
  CViewerApp app;
  ToolbarButtonList list;
};

std::string Button(int flags, int down, int group, int cmd, const char* image = "\"b.bmp\"",
                   const char* image2 = "\"\"", int textKind = 0, const char* text = "\"Text\"") {
  return std::to_string(flags) + "," + std::to_string(down) + "," + std::to_string(group) + "," +
         std::to_string(cmd) + "," + image + "," + image2 + "," + std::to_string(textKind) + "," + text + "\r\n";
}

TEST_F(ButtonFileTest, CheckButtonStartsDownAndSetsItsSwitch) {
  theGlobals.m_raster_on = FALSE;
  ASSERT_EQ(Load("16,15\r\n" + Button(1, 1, 0, 300, "\"raster.bmp\"", "\"\"", 0, "\"Raster, an\"")), 1);
  EXPECT_EQ(list.header1, 16);
  EXPECT_EQ(list.header2, 15);
  ASSERT_EQ(list.count, 1);
  const ToolbarButtonDef& b = *list.first;
  EXPECT_EQ(b.cmdid, 300);
  EXPECT_EQ(b.flags, 1);
  EXPECT_EQ(b.down, TRUE);
  EXPECT_STREQ(b.image, "raster.bmp");
  EXPECT_STREQ(b.text, "Raster, an");  // the comma between quotes stays in the token
  EXPECT_EQ(b.toolbar_index, -1);
  EXPECT_EQ(theGlobals.m_raster_on, TRUE);
}

TEST_F(ButtonFileTest, RuleViolationsAreLoggedAndRepaired) {
  theGlobals.m_raster_on = TRUE;
  const std::string text = "1,1\r\n" + Button(1, 0, 0, 300) + Button(1, 0, 0, 300) + Button(0, 1, 0, 301) +
                           Button(1, 0, 0, 302) + Button(0, 0, 0, 313) + Button(0, 0, 0, 319) +
                           Button(0, 0, 0, 304, "\"a\"+") + Button(0, 0, 0, 305, "\"i\"", "\"\"", 1, "1559");
  ASSERT_EQ(Load(text), 1);
  EXPECT_EQ(Commands(), (std::vector<int>{300, 0, 301, 302, 0, 319, 0, 305}));
  const ToolbarButtonDef* b = list.first->next->next;
  EXPECT_EQ(b->flags & kButtonFlagCheck, kButtonFlagCheck);  // 301 made a check button
  EXPECT_EQ(b->down, FALSE);
  EXPECT_EQ(b->next->flags & kButtonFlagCheck, 0);  // 302 made plain
  const ToolbarButtonDef* last = b->next->next->next->next->next;
  EXPECT_EQ(b->next->next->next->flags & kButtonFlagSecondImage, kButtonFlagSecondImage);  // 319
  EXPECT_EQ(last->text_is_number, TRUE);
  EXPECT_EQ(last->text_number, 1559);
  EXPECT_TRUE(dialog->shown.empty());  // severity 1: logged only
  EXPECT_EQ(theGlobals.m_error_trace_newest, nullptr);
}

TEST_F(ButtonFileTest, GroupsPlaceTheirSeparators) {
  std::string text = "0,0\r\n" + Button(0, 0, 3, 1) + Button(0, 0, 5, 2) + Button(0, 0, 1, 3) + Button(0, 0, 1, 4) +
                     Button(0, 0, 0, 5) + Button(0, 0, 1, 6);
  ASSERT_EQ(Load(text), 1);
  // The group of three ends with a separator; the fourth counts again; the
  // separator due after the last button is not added.
  EXPECT_EQ(Commands(), (std::vector<int>{1, 2, 3, 0, 4, 0, 5, 6}));
  EXPECT_EQ(list.count, 8);
}

TEST_F(ButtonFileTest, EveryCutOfTheFileLoadsTheButtonsBeforeIt) {
  const std::string text = "16,15\r\n" + Button(1, 1, 2, 300, "\"a,b\"") + Button(0, 0, 0, 302, "'x'") +
                           Button(3, 0, 1, 319, "\"i\"", "\"j\"", 1, "12");
  for (size_t cut = 0; cut <= text.size(); ++cut) {
    ASSERT_EQ(Load(text.substr(0, cut)), 1);
    EXPECT_LE(list.count, 4) << cut;
    int linked = 0;
    for (const ToolbarButtonDef* e = list.first; e != nullptr; e = e->next) ++linked;
    EXPECT_EQ(linked, list.count) << cut;
  }
  EXPECT_EQ(Commands(), (std::vector<int>{300, 302, 0, 319}));
}

TEST_F(ButtonFileTest, EmptyListsAndUnreadableFiles) {
  ASSERT_EQ(Load("0,0\r\n"), 1);
  EXPECT_EQ(list.count, 0);
  EXPECT_EQ(list.first, nullptr);
  ASSERT_EQ(Load("0,0\r\n" + Button(0, 0, 0, 313)), 1);  // only a separator
  EXPECT_EQ(list.count, 0);
  EXPECT_EQ(list.first, nullptr);

  ASSERT_EQ(Load("0,0\r\n" + Button(0, 0, 0, 7)), 1);
  EXPECT_EQ(app.LoadButtonFile((dataFolder / "none.btn").c_str(), list), 0);
  EXPECT_EQ(NewestCode(), 377);
  EXPECT_EQ(list.count, 1);  // unchanged
}

}  // namespace
