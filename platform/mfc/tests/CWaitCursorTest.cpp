#include <gtest/gtest.h>

#include "mfc/CWaitCursor.h"

TEST(CWaitCursor, ShowsTheWaitCursorWhileItLives) {
  HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW), wait = LoadCursor(nullptr, IDC_WAIT);
  SetCursor(arrow);
  {
    CWaitCursor waiting;
    EXPECT_EQ(GetCursor(), wait);
    SetCursor(arrow);
    waiting.Restore();
    EXPECT_EQ(GetCursor(), wait);
  }
  EXPECT_EQ(GetCursor(), arrow);
}
