#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>

#include "foundation/CIniClass.h"
#include "mfc/CFile.h"
#include "testing/ChildProcess.h"
#include "testing/TempFolder.h"
#include "win32/Clock.h"

using layer::testing::ChildProcess;
using layer::testing::TempFolder;

namespace {

class IniTest : public ::testing::Test {
 protected:
  std::string File(const std::string& text) {
    folder.Write("test.ini", text);
    return folder / "test.ini";
  }
  std::string Text() { return folder.Read("test.ini"); }
  std::string Section(const CDynBuf& lines) {
    return lines.GetData() ? std::string(reinterpret_cast<const char*>(lines.GetData()), lines.GetLength()) : "";
  }

  TempFolder folder;
  CIniClass ini;
};

}  // namespace

TEST_F(IniTest, ReadKeyFollowsTheLineBlankAndCaseRules) {
  struct Case {
    const char* what;
    std::string text;
    const char* section;
    const char* key;
    int ignoreCase;
    int result;
    const char* value;
  } cases[] = {
      {"plain key", "[S]\r\nKey=1\r\n", "S", "Key", 0, 1, "1"},
      {"other case, folded", "[S]\r\nKey=1\r\n", "S", "key", 1, 1, "1"},
      {"other case, exact", "[S]\r\nKey=1\r\n", "S", "key", 0, 1, "def"},
      {"section name folded", "[Sect]\r\nK=v\r\n", "SECT", "K", 1, 1, "v"},
      {"blank before = belongs to the key", "[S]\r\nKey = 1 \r\n", "S", "Key", 0, 1, "def"},
      {"...and is found with it", "[S]\r\nKey = 1 \r\n", "S", "Key ", 0, 1, "1"},
      {"value trimmed, leading blanks skipped", "[S]\r\n\t  K=  v w \t\r\n", "S", "K", 0, 1, "v w"},
      {"missing section", "[S]\r\nK=1\r\n", "T", "K", 0, 1, "def"},
      {"missing key before next section", "[S]\r\nK=1\r\n[T]\r\nX=2\r\n", "S", "X", 0, 1, "def"},
      {"missing key, file ends with an empty line", "[S]\r\nK=1\r\n\r\n", "S", "X", 0, 0, "def"},
      {"missing key, file ends with a comment", "[S]\r\nK=1\r\n;note\r\n", "S", "X", 0, 0, "def"},
      {"missing key at the very end", "[S]\r\nK=1\r\n", "S", "X", 0, 1, "def"},
      {"last line without line end", "[S]\r\nA=1\r\nK=last", "S", "K", 0, 1, "last"},
      {"line without = passed over", "[S]\r\njunk\r\nK=2\r\n", "S", "K", 0, 1, "2"},
      {"header after blanks on the first line", "  [S]\r\nK=1\r\n", "S", "K", 0, 1, "1"},
      {"header after blanks later is no header", "[A]\r\n  [S]\r\nK=1\r\n", "S", "K", 0, 1, "def"},
      {"empty file", "", "S", "K", 0, 1, "def"},
      {"unclosed header", "[S\r\nK=1\r\n", "S", "K", 0, 1, "def"},
      {"LF lines", "[A]\nx=0\n[S]\nK=1\nL=2\n", "S", "L", 0, 1, "2"},
      {"LF, section ends at the next header", "[S]\nK=1\n[T]\nL=2\n", "S", "L", 0, 1, "def"},
      {"LF, last line without line end", "[S]\nK=1\nL=last", "S", "L", 0, 1, "last"},
      {"LF, value stops at the line end", "[S]\nK= v \nL=2\n", "S", "K", 0, 1, "v"},
      {"LF, line without = passed over", "[S]\njunk\nK=2\n", "S", "K", 0, 1, "2"},
      {"LF, missing key before an empty last line", "[S]\nK=1\n\n", "S", "X", 0, 0, "def"},
      {"header is the last line, no line end", "[S]", "S", "K", 0, 1, "def"},
      {"header is the last line, CR LF", "[S]\r\n", "S", "K", 0, 1, "def"},
      {"mixed line ends", "[S]\r\nK=1\nL=2\r\n", "S", "L", 0, 1, "2"},
      {"CR alone ends a line", "[S]\rK=1\rL=2\r", "S", "L", 0, 1, "2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string name = File(c.text);
    CString value = "stale";
    EXPECT_EQ(ini.ReadKey(c.section, c.key, "def", value, name.c_str(), c.ignoreCase), c.result);
    EXPECT_EQ(value, c.value);
  }
}

TEST_F(IniTest, ReadKeyOfAMissingFileGivesTheDefaultWithoutWaiting) {
  layer::ManualClock clock;
  layer::ScopedClock use(clock);
  CString value;
  EXPECT_EQ(ini.ReadKey("S", "K", "def", value, (folder / "none.ini").c_str(), 1), 0);
  EXPECT_EQ(value, "def");
  EXPECT_EQ(ini.ReadKey("S", "K", "def", value, (folder / "none/x.ini").c_str(), 1), 0);
  EXPECT_EQ(clock.SleepCalls(), 0) << "a file that is not there does not come by waiting";
}

TEST_F(IniTest, ReadSectionTakesLinesWithoutCommentsAndEmptyLines) {
  struct Case {
    const char* what;
    std::string text;
    int result;
    std::string lines;
  } cases[] = {
      {"mixed lines", "[S]\r\na=1\r\n;c\r\n\r\n  b\r\n[T]\r\nx=1\r\n", 1, std::string("a=1\0b\0\0", 7)},
      {"trailing blanks kept", "[S]\r\nk=v  \r\n", 1, std::string("k=v  \0\0", 7)},
      {"empty section", "[S]\r\n[T]\r\n", 1, std::string("\0", 1)},
      {"missing section", "[T]\r\nx=1\r\n", 1, ""},
      {"last line without line end", "[S]\r\na=1\r\nb=2", 1, std::string("a=1\0b=2\0\0", 9)},
      {"only a comment without line end", "[S]\r\n;c", 0, ""},
      {"LF lines", "[S]\na=1\n;c\n\n  b\n[T]\nx=1\n", 1, std::string("a=1\0b\0\0", 7)},
      {"LF, last line without line end", "[S]\na=1\nb=2", 1, std::string("a=1\0b=2\0\0", 9)},
      {"LF, empty section", "[S]\n[T]\n", 1, std::string("\0", 1)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CDynBuf lines;
    lines = "stale";
    EXPECT_EQ(ini.ReadSection("S", lines, File(c.text).c_str(), 0), c.result);
    EXPECT_EQ(Section(lines), c.lines);
  }
  layer::ManualClock clock;
  layer::ScopedClock use(clock);
  CDynBuf lines;
  EXPECT_EQ(ini.ReadSection("S", lines, (folder / "none.ini").c_str(), 0), 0);
}

TEST_F(IniTest, FindSectionWorksOnTextInMemory) {
  const char text[] = "  [A]\r\nx=1\r\n[B]\r\ny=2\r\n";
  unsigned pos = 0;
  EXPECT_EQ(ini.FindSection("B", text, sizeof text - 1, pos, 0), 1);
  EXPECT_EQ(std::string(text + pos), "y=2\r\n");
  pos = 0;
  EXPECT_EQ(ini.FindSection("b", text, sizeof text - 1, pos, 0), 0);
  pos = 0;
  EXPECT_EQ(ini.FindSection("b", text, sizeof text - 1, pos, 1), 1);
  pos = 0;
  EXPECT_EQ(ini.FindSection("[A", text, sizeof text - 1, pos, 0), 0);
}

TEST_F(IniTest, WriteKeyReplacesInPlaceOrClosesTheSectionKeepingLineEnds) {
  struct Case {
    const char* what;
    std::string before;
    const char* section;
    const char* key;
    const char* value;
    std::string after;
  } cases[] = {
      {"new key closes the section", "[S]\r\na=1\r\n\r\n[T]\r\n", "S", "b", "2",
       "[S]\r\na=1\r\nb=2\r\n\r\n[T]\r\n"},
      {"new key at a last line without line end", "[S]\r\na=1", "S", "b", "2", "[S]\r\na=1\r\nb=2\r\n\r\n"},
      {"existing key keeps its blanks", "[S]\r\n  a=1\r\nc=3", "S", "a", "5", "[S]\r\n  a=5\r\nc=3"},
      {"existing key on the last line", "[S]\r\nc=3\r\na=1", "S", "a", "5", "[S]\r\nc=3\r\na=5\r\n"},
      {"new section appended", "[S]\r\na=1", "T", "x", "1", "[S]\r\na=1\r\n\r\n[T]\r\nx=1\r\n"},
      {"new section after a line end", "[S]\r\na=1\r\n", "T", "x", "1", "[S]\r\na=1\r\n\r\n[T]\r\nx=1\r\n"},
      {"new file", "", "S", "k", "v", "\r\n[S]\r\nk=v\r\n"},
      {"key spelled as the caller does", "[S]\r\nKEY=1\r\n", "S", "key", "2", "[S]\r\nkey=2\r\n"},
      {"value written as passed", "[S]\r\n", "S", "k", " v ", "[S]\r\nk= v \r\n\r\n"},
      {"LF, new key closes the section", "[S]\na=1\n\n[T]\n", "S", "b", "2", "[S]\na=1\nb=2\n\n[T]\n"},
      {"LF, existing key replaced", "[S]\n  a=1\nc=3\n", "S", "a", "5", "[S]\n  a=5\nc=3\n"},
      {"LF, existing key on the last line", "[S]\nc=3\na=1", "S", "a", "5", "[S]\nc=3\na=5\n"},
      {"LF, key after a line without =", "[S]\njunk\na=1\n", "S", "a", "5", "[S]\njunk\na=5\n"},
      {"LF, new section appended", "[S]\na=1", "T", "x", "1", "[S]\na=1\n\n[T]\nx=1\n"},
      {"LF, new section after a line end", "[S]\na=1\n", "T", "x", "1", "[S]\na=1\n\n[T]\nx=1\n"},
      {"CR LF, existing key replaced", "[S]\r\na=1\r\nc=3\r\n", "S", "a", "5", "[S]\r\na=5\r\nc=3\r\n"},
      {"a file of one line gets CR LF", "[S]", "S", "k", "v", "[S]\r\nk=v\r\n\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string name = File(c.before);
    EXPECT_EQ(ini.WriteKey(c.section, c.key, c.value, name.c_str(), 1), 1);
    EXPECT_EQ(Text(), c.after);
  }
  // A file that does not exist yet is made.
  std::string fresh = folder / "fresh.ini";
  EXPECT_EQ(ini.WriteKey("S", "k", "v", fresh.c_str(), 0), 1);
  EXPECT_EQ(folder.Read("fresh.ini"), "\r\n[S]\r\nk=v\r\n");
  CString value;
  EXPECT_EQ(ini.ReadKey("S", "k", "", value, fresh.c_str(), 0), 1);
  EXPECT_EQ(value, "v");
}

// Storing a value that the file already holds leaves the file as it is: no
// new file takes its place.
TEST_F(IniTest, WritingTheValueThatIsThereLeavesTheFileAlone) {
  namespace fs = std::filesystem;
  std::string name = File("[S]\r\nk=v\r\n");
  const fs::file_time_type old = fs::last_write_time(name) - std::chrono::hours(24);
  fs::last_write_time(name, old);
  EXPECT_EQ(ini.WriteKey("S", "k", "v", name.c_str(), 1), 1);
  EXPECT_EQ(fs::last_write_time(name), old);
  EXPECT_EQ(ini.WriteKey("S", "k", "w", name.c_str(), 1), 1);
  EXPECT_EQ(Text(), "[S]\r\nk=w\r\n");
  EXPECT_NE(fs::last_write_time(name), old);
}

TEST_F(IniTest, FindSectionStaysInsideTheText) {
  struct Case {
    const char* what;
    const char* text;
    unsigned start;
    int result;
    unsigned pos;
  } cases[] = {
      {"LF header line", "[A]\nx\n[S]\ny", 0, 1, 10},
      {"header is the last line, CR LF", "[A]\r\n[S]", 0, 1, 8},
      {"header is the last line, no line end", "[S]", 0, 1, 3},
      {"start past the end", "[S]\n", 99, 0, 4},
      {"no header", "x=1\ny=2", 0, 0, 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    unsigned size = static_cast<unsigned>(std::strlen(c.text));
    unsigned pos = c.start;
    EXPECT_EQ(ini.FindSection("S", c.text, size, pos, 0), c.result);
    EXPECT_EQ(pos, c.pos);
  }
}

TEST_F(IniTest, AFileHeldExclusivelyElsewhereIsTriedThreeTimes100MsApart) {
  std::string name = File("[S]\r\nK=1\r\n");
  ChildProcess holder([&](ChildProcess& self) {
    CFile file;
    if (!file.Open(name.c_str(), CFile::modeReadWrite | CFile::shareExclusive)) return 1;
    self.Signal();
    self.Await();
    return 0;
  });
  ASSERT_TRUE(holder.Await());
  layer::ManualClock clock;
  {
    layer::ScopedClock use(clock);
    CString value;
    EXPECT_EQ(ini.ReadKey("S", "K", "def", value, name.c_str(), 0), 0);
    EXPECT_EQ(value, "def");
    EXPECT_EQ(clock.SleepCalls(), 3);
    EXPECT_EQ(clock.SleptMilliseconds(), 300u);
    EXPECT_EQ(ini.WriteKey("S", "K", "2", name.c_str(), 0), 0);
    EXPECT_EQ(clock.SleptMilliseconds(), 600u);
  }
  holder.Signal();
  EXPECT_EQ(holder.Wait(), 0);
  EXPECT_EQ(Text(), "[S]\r\nK=1\r\n");
  CString value;
  EXPECT_EQ(ini.ReadKey("S", "K", "def", value, name.c_str(), 0), 1);
  EXPECT_EQ(value, "1");
}

TEST_F(IniTest, AWriteThatFailsLeavesTheOldTextWhole) {
  std::string old = "[S]\r\nK=" + std::string(200, 'x') + "\r\n";
  std::string longer(300, 'y');
  std::string name = File(old);
  // The child may write only a few bytes per file: the new text cannot be written.
  ChildProcess writer([&](ChildProcess&) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{100, 100};
    setrlimit(RLIMIT_FSIZE, &limit);
    CIniClass childIni;
    return childIni.WriteKey("S", "K", longer.c_str(), name.c_str(), 0) == 0 ? 0 : 1;
  });
  EXPECT_EQ(writer.Wait(), 0);
  EXPECT_EQ(Text(), old);
  EXPECT_FALSE(folder.Exists("test.ini.~new"));
}
