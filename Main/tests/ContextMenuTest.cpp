#include <gtest/gtest.h>

#include <string>

#include "Main/res/ScreenLayoutIds.h"
#include "Main/tests/FaceFixture.h"
#include "mfc/CMenu.h"
#include "user/Menus.h"

namespace {

using varno::testing::LayoutStream;

class ContextMenuTest : public varno::testing::FaceFixture {
 protected:
  void SetUp() override {
    FaceFixture::SetUp();
    std::string texts = "dictionary\nlanguage \"D\"\n";
    for (int n : {2322, 815, 1552, 1566, 1567, 1568, 1580, 1581, 1553, 1558, 1555, 1556, 1557, 1554}) {
      texts += std::to_string(n) + " = \"T" + std::to_string(n) + "\"\n";
    }
    OpenTexts(theGlobals.m_msgdud, "meldung.ddm", texts);
    app.m_hMainWnd = varno::testing::CreateTestMainWindow();
  }
  void TearDown() override {
    menu.DestroyMenu();
    CMenu::DeleteTempMap();  // as the idle time of the program's loop does
    DestroyWindow(app.m_hMainWnd);
    app.m_hMainWnd = nullptr;
    FaceFixture::TearDown();
  }

  static std::string Caption(CMenu* popup, UINT item, UINT flags = MF_BYCOMMAND) {
    CString text;
    popup->GetMenuString(item, text, flags);
    return static_cast<const char*>(text);
  }
  static BOOL Greyed(CMenu* popup, UINT id) {
    return (popup->GetMenuState(id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) != 0;
  }
  CFrame& FrameAt(int i) { return *face.m_frames[static_cast<size_t>(i)]; }

  CMenu menu;
};

TEST_F(ContextMenuTest, EntriesTakeTheProgramsTextsAndOnlyTheOrderListSwitchIsEnabled) {
  ASSERT_TRUE(Declare(LayoutStream().Rows("50%,*").Frame("A").Frame("B").End()));
  CMenu* popup = FrameAt(0).LoadContextMenu(menu);
  ASSERT_NE(popup, nullptr);
  struct Entry {
    UINT id;
    const char* caption;
    BOOL greyed;
  };
  for (const Entry& e : {Entry{ID_CTX_PART_INFO, "&T2322", TRUE}, Entry{ID_CTX_ORDER, "&T815", TRUE},
                         Entry{ID_CTX_BRANCH, "&T1552", TRUE}, Entry{ID_CTX_ZOOM_START, "&T1566", TRUE},
                         Entry{ID_CTX_ZOOM_WHOLE, "&T1567", TRUE}, Entry{ID_CTX_ZOOM_PART, "&T1568", TRUE},
                         Entry{ID_CTX_MAXIMISE, "&T1580", FALSE}, Entry{ID_CTX_COPY_FIELD, "&T1558", TRUE},
                         Entry{ID_CTX_COPY_ROW, "&T1555", TRUE}, Entry{ID_CTX_COPY_TABLE, "&T1556", TRUE},
                         Entry{ID_CTX_COPY_PICTURE, "&T1557", TRUE}, Entry{ID_CTX_ORDER_LIST, "&T1554", FALSE}}) {
    SCOPED_TRACE(e.id);
    EXPECT_EQ(Caption(popup, e.id), e.caption);
    EXPECT_EQ(Greyed(popup, e.id), e.greyed);
  }
  EXPECT_EQ(Caption(popup, 11, MF_BYPOSITION), "&T1553");
  ASSERT_NE(popup->GetSubMenu(11), nullptr);
  EXPECT_EQ(popup->GetSubMenu(11)->GetMenuItemCount(), 4u);
}

TEST_F(ContextMenuTest, ASingleFrameCannotBeMaximisedAndAMaximisedOneCanBeRestored) {
  ASSERT_TRUE(Declare(LayoutStream().Frame("A")));
  CMenu* popup = FrameAt(0).LoadContextMenu(menu);
  ASSERT_NE(popup, nullptr);
  EXPECT_TRUE(Greyed(popup, ID_CTX_MAXIMISE));
  EXPECT_EQ(Caption(popup, ID_CTX_MAXIMISE), "&T1580");
  menu.DestroyMenu();
  FrameAt(0).m_maximized = 1;
  popup = FrameAt(0).LoadContextMenu(menu);
  EXPECT_FALSE(Greyed(popup, ID_CTX_MAXIMISE));
  EXPECT_EQ(Caption(popup, ID_CTX_MAXIMISE), "&T1581");
}

// A message file without the menu's texts leaves no entry without a caption:
// each keeps the resource's own, the maximised state its built-in one.
TEST_F(ContextMenuTest, EntriesKeepTheirOwnCaptionsWhereTheMessageFileLacksTexts) {
  OpenTexts(theGlobals.m_msgdud, "leer.ddm", "dictionary\nlanguage \"D\"\n1 = \"x\"\n");
  ASSERT_TRUE(Declare(LayoutStream().Rows("50%,*").Frame("A").Frame("B").End()));
  CMenu* popup = FrameAt(0).LoadContextMenu(menu);
  ASSERT_NE(popup, nullptr);
  struct Entry {
    UINT id;
    const char* caption;
  };
  for (const Entry& e : {Entry{ID_CTX_PART_INFO, "Teile &Info Fenster"}, Entry{ID_CTX_BRANCH, "&Verzweigen"},
                         Entry{ID_CTX_MAXIMISE, "Fenster &Maximieren"}, Entry{ID_CTX_COPY_PICTURE, "&Grafik"},
                         Entry{ID_CTX_ORDER_LIST, "&Wechsel zum Protokoll"}}) {
    SCOPED_TRACE(e.id);
    EXPECT_EQ(Caption(popup, e.id), e.caption);
  }
  EXPECT_EQ(Caption(popup, 11, MF_BYPOSITION), "In Zwischen&ablage");
  EXPECT_TRUE(Greyed(popup, ID_CTX_BRANCH)) << "the entries keep their default enabling";
  menu.DestroyMenu();
  FrameAt(0).m_maximized = 1;
  popup = FrameAt(0).LoadContextMenu(menu);
  EXPECT_EQ(Caption(popup, ID_CTX_MAXIMISE), "Fenster &Wiederherstellen");
}

TEST_F(ContextMenuTest, MaximisingShowsTheFrameAloneAndRestoringShowsTheKeyAgain) {
  ASSERT_TRUE(Declare(LayoutStream().Rows("50%,*").Frame("A").Frame("B").End()));
  ASSERT_TRUE(face.CreateLayout());
  windows.calls.clear();
  FrameAt(1).ToggleMaximise();
  EXPECT_EQ(windows.calls, (std::vector<std::string>{"destroy view 1", "destroy view 0", "destroy splitter 0",
                                                     "splitter 0", "view 1", "recalc 0", "recalc window"}));
  EXPECT_EQ(FrameAt(1).m_maximized, 1);
  EXPECT_EQ(FrameAt(0).m_frameset, -1);
  EXPECT_EQ(FrameAt(1).m_frameset, 0);
  EXPECT_EQ(face.GetFrameSetCount(), 1);
  EXPECT_FALSE(FrameAt(1).CanMaximise());

  theGlobals.m_cur_prj_key = "P~K";
  theGlobals.m_cur_varbuf = "x";
  FrameAt(1).ToggleMaximise();
  EXPECT_EQ(theGlobals.m_cur_varbuf.GetLength(), 0);
  EXPECT_EQ(varno::testing::TakeKeyCommandsOf(app.m_hMainWnd), (varno::testing::KeyCommands{{0, "P~K"}}));
  theGlobals.m_cur_prj_key.Empty();
}

}  // namespace
