// Menus and the wrappers FromHandle makes for them: a menu goes once,
// whichever object destroys it.
#include <gtest/gtest.h>

#include "mfc/CMenu.h"

namespace {

TEST(CMenu, AMenuOwnedAndWrappedIsDestroyedOnceByItsOwner) {
  HMENU handle = nullptr;
  {
    CMenu owner;
    ASSERT_TRUE(owner.CreateMenu());
    handle = owner.m_hMenu;
    EXPECT_EQ(CMenu::FromHandle(handle)->m_hMenu, handle);
  }
  EXPECT_FALSE(IsMenu(handle));
  HMENU other = CreateMenu();
  EXPECT_EQ(CMenu::FromHandle(other)->m_hMenu, other);  // a wrapper of its own, not the old one
  DestroyMenu(other);
  CMenu::DeleteTempMap();
}

TEST(CMenu, AWrapperThatDestroysItsMenuStaysUntilIdleTime) {
  HMENU handle = CreatePopupMenu();
  CMenu* wrapper = CMenu::FromHandle(handle);
  EXPECT_TRUE(wrapper->DestroyMenu());
  EXPECT_FALSE(IsMenu(handle));
  EXPECT_EQ(wrapper->m_hMenu, nullptr);
  CMenu::DeleteTempMap();
}

}  // namespace
