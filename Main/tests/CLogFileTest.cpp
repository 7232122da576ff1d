#include <gtest/gtest.h>

#include <string>

#include "Main/CLogFile.h"
#include "mfc/CFile.h"
#include "testing/TempFolder.h"
#include "win32/Clock.h"

namespace {

class CLogFileTest : public ::testing::Test {
 protected:
  void SetUp() override { clock.SetLocalTime(SYSTEMTIME{2001, 3, 1, 5, 7, 4, 9, 0}); }
  std::string Path() const { return folder / "Varno4log.txt"; }

  layer::testing::TempFolder folder;
  layer::ManualClock clock;
  layer::ScopedClock scoped{clock};
};

TEST_F(CLogFileTest, EntriesAreDatedAndAppended) {
  folder.Write("Varno4log.txt", "old");
  {
    CLogFile log(Path().c_str());
    log.WriteEntry("first\r\n");
    log.WriteEntry("second");
  }
  EXPECT_EQ(folder.Read("Varno4log.txt"),
            "old"
            "\x01" "05.03.2001   07:04:09\r\nfirst\r\n\r\n\r\n"
            "\x01" "05.03.2001   07:04:09\r\nsecond\r\n\r\n");
}

TEST_F(CLogFileTest, OthersMayReadButNotWriteWhileItIsOpen) {
  CLogFile log(Path().c_str());
  log.WriteEntry("x");
  CFile reader;
  EXPECT_TRUE(reader.Open(Path().c_str(), CFile::modeRead | CFile::shareDenyNone));
  CFile writer;
  EXPECT_FALSE(writer.Open(Path().c_str(), CFile::modeWrite | CFile::shareDenyNone));
}

// Each entry is the date line (24 bytes), the text and four bytes.
constexpr size_t kEntryOverhead = 24 + 4;

TEST_F(CLogFileTest, CutKeepsWholeEntriesWithinTheLimit) {
  const std::string text(1000 - kEntryOverhead, 'a');
  {
    CLogFile log(Path().c_str());
    for (int i = 0; i < 50; ++i) log.WriteEntry(text.c_str());
  }
  EXPECT_EQ(folder.Read("Varno4log.txt").size(), 50000u);  // exactly at the limit: not cut

  {
    CLogFile log(Path().c_str());
    log.WriteEntry("");  // one entry more pushes it over
  }
  const std::string content = folder.Read("Varno4log.txt");
  EXPECT_LE(content.size(), 50000u);
  ASSERT_FALSE(content.empty());
  EXPECT_EQ(content[0], '\x01');
  EXPECT_EQ(content.size(), 49 * 1000u + kEntryOverhead);  // 49 whole entries and the new one
}

TEST_F(CLogFileTest, OneEntryLongerThanTheLimitStaysWhole) {
  const std::string text(60000, 'b');
  CLogFile log(Path().c_str());
  log.WriteEntry(text.c_str());
  log.Close();
  EXPECT_EQ(folder.Read("Varno4log.txt").size(), text.size() + kEntryOverhead);
}

TEST_F(CLogFileTest, AFolderThatDoesNotExistLosesTheEntryQuietly) {
  CLogFile log((folder / "missing/Varno4log.txt").c_str());
  log.WriteEntry("lost");
  EXPECT_FALSE(folder.Exists("missing/Varno4log.txt"));
  EXPECT_TRUE(log.Close());
}

}  // namespace
