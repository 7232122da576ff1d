#include "foundation/CompanionDatabase.h"

#include <gtest/gtest.h>

TEST(CompanionDatabase, NamedByTheFileNameUpToItsFirstDot) {
  struct Case {
    const char* master;
    const char* companion;
  } cases[] = {
      {"C:\\Daten\\teile.ddm", "C:\\Daten\\teile2.ddm"},
      {"C:\\Daten\\teile.v2.ddm", "C:\\Daten\\teile2.ddm"},
      {"C:\\my.cat\\teile.ddm", "C:\\my.cat\\teile2.ddm"},  // a folder's dot plays no part
      {"C:\\my.cat\\teile", "C:\\my.cat\\teile2.ddm"},
      {"/data.d/parts.ddm", "/data.d/parts2.ddm"},
      {"teile.ddm", "teile2.ddm"},
      {"teile", "teile2.ddm"},
      {".ddm", "2.ddm"},
  };
  for (const Case& c : cases) EXPECT_STREQ(CompanionDatabasePath(c.master), c.companion) << c.master;
}
