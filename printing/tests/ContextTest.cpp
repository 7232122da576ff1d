#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <thread>

#include "VodContext.h"
#include "VodFixture.h"
#include "interfaces/QorVod32.h"

namespace vod {
namespace {

TEST(VodContext, EachThreadHasItsOwnContextAndNestedEntriesRestoreTheOuterOne) {
  EXPECT_EQ(CurrentContext(), nullptr);
  VodContext* outer = EnterContext();
  ASSERT_NE(outer, nullptr);
  EXPECT_EQ(EnterContext(), outer);
  EXPECT_EQ(outer->depth, 2);
  LeaveContext();
  EXPECT_EQ(CurrentContext(), outer);

  VodContext* other = nullptr;
  std::thread worker([&other] {
    other = EnterContext();
    other->arena.Alloc(100);  // freed with the thread
    LeaveContext();
  });
  worker.join();
  EXPECT_NE(other, nullptr);
  EXPECT_NE(other, outer);
  LeaveContext();
  EXPECT_EQ(CurrentContext(), nullptr);
}

TEST(VodContext, ANewContextSpeaksTheLanguageOfTheUsersLocale) {
  const char* saved = std::getenv("LANG");
  std::string savedLang = saved ? saved : "";
  unsetenv("LC_ALL");
  unsetenv("LC_MESSAGES");
  for (auto [lang, offset] : {std::pair{"de_DE.UTF-8", 0}, std::pair{"en_GB.UTF-8", 500}, std::pair{"fr_FR", 500}}) {
    setenv("LANG", lang, 1);
    int seen = -1;
    std::thread fresh([&seen] {
      seen = EnterContext()->languageOffset;
      LeaveContext();
    });
    fresh.join();
    EXPECT_EQ(seen, offset) << lang;
  }
  if (saved)
    setenv("LANG", savedLang.c_str(), 1);
  else
    unsetenv("LANG");
}

class Exports : public testing::VodFixture {};

TEST_F(Exports, VersionIsCutToTheBufferAndTheTextSetIsMbcs) {
  // A length of 0 leaves the buffer as it was.
  struct Case {
    unsigned length;
    const char* version;
  } cases[] = {{5, "3.50"}, {0, "untouched"}, {1, ""}, {41, "3.50hw C6"}, {100, "3.50hw C6"}};
  for (const Case& c : cases) {
    char buffer[64] = "untouched";
    EXPECT_EQ(VOD_GetVersion(buffer, c.length), 1);
    EXPECT_STREQ(buffer, c.version) << c.length;
  }
  EXPECT_STREQ(VOD_MBCSorUNICODE(), "MBCS");
}

TEST_F(Exports, TheCallbackIsStoredOnlyAfterInitAndNeverWhileBusy) {
  m_context->iniPath.clear();
  EXPECT_EQ(VOD_SetCallback(testing::CallbackLog::Record), 0);
  EXPECT_EQ(m_context->callback, nullptr);

  m_context->iniPath = m_ini;
  EXPECT_EQ(VOD_SetCallback(testing::CallbackLog::Record), 1);
  EXPECT_EQ(m_context->callback, testing::CallbackLog::Record);
  EXPECT_EQ(VOD_IsPrinting(), 0);

  g_jobBusy = true;
  testing::CallbackLog::answer = 4;
  EXPECT_EQ(VOD_IsPrinting(), 1);
  EXPECT_EQ(VOD_SetCallback(nullptr), 0);
  EXPECT_EQ(VOD_SetCallback(testing::CallbackLog::Record), 0);
  g_jobBusy = false;
  EXPECT_EQ(m_context->callback, testing::CallbackLog::Record);
  EXPECT_EQ(testing::CallbackLog::calls,
            (std::vector<std::pair<int, std::string>>{{7, "VOD ist noch am Drucken!"}}));
  ASSERT_EQ(m_ui.boxes.size(), 1u);  // the callback asked for the box
  EXPECT_EQ(m_ui.boxes[0].caption, "VOD");
}

}  // namespace
}  // namespace vod
