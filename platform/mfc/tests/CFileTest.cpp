#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "mfc/CFile.h"
#include "mfc/CMemFile.h"
#include "testing/ChildProcess.h"
#include "testing/TempFolder.h"
#include "testing/Throws.h"

using layer::testing::ChildProcess;
using layer::testing::TempFolder;
using layer::testing::ThrowsPointer;

TEST(CFile, WritesReadsSeeksAndReportsItsStatus) {
  TempFolder dir;
  std::string name = dir / "data.bin";
  CFile file;
  ASSERT_TRUE(file.Open(name.c_str(), CFile::modeCreate | CFile::modeReadWrite));
  file.Write("0123456789", 10);
  EXPECT_EQ(file.GetLength(), 10u);
  EXPECT_EQ(file.Seek(-4, CFile::end), 6);
  char tail[8] = {};
  EXPECT_EQ(file.Read(tail, sizeof tail), 4u);
  EXPECT_STREQ(tail, "6789");
  EXPECT_EQ(file.Read(tail, sizeof tail), 0u);
  file.SetLength(3);
  EXPECT_EQ(file.GetLength(), 3u);
  CFileStatus status;
  ASSERT_TRUE(file.GetStatus(status));
  EXPECT_EQ(status.m_size, 3);
  file.Close();
  EXPECT_FALSE(file.IsOpen());
  ASSERT_TRUE(CFile::GetStatus(name.c_str(), status));
  EXPECT_EQ(status.m_size, 3);
  EXPECT_EQ(status.m_attribute, CFile::normal);
  EXPECT_FALSE(CFile::GetStatus((dir / "none").c_str(), status));
}

TEST(CFile, OpenFailuresCarryTheirCause) {
  TempFolder dir;
  dir.Write("taken.ini", "x");
  struct Case {
    std::string name;
    UINT flags;
    int cause;
  } cases[] = {
      {dir / "missing.ini", CFile::modeRead, CFileException::fileNotFound},
      {dir / "no/such/folder.ini", CFile::modeCreate | CFile::modeWrite, CFileException::badPath},
      {dir.Path(), CFile::modeRead, CFileException::accessDenied},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(c.name.c_str(), c.flags, &error));
    EXPECT_EQ(error.m_cause, c.cause);
    EXPECT_EQ(error.m_strFileName, c.name.c_str());
  }
}

TEST(CFile, ShareModesHoldAcrossProcesses) {
  TempFolder dir;
  std::string name = dir / "varno4.ini";
  dir.Write("varno4.ini", "[S]\r\n");
  ChildProcess child([&](ChildProcess& self) {
    CFile file;
    if (!file.Open(name.c_str(), CFile::modeReadWrite | CFile::shareExclusive)) return 1;
    self.Signal();
    self.Await();
    return 0;
  });
  ASSERT_TRUE(child.Await());
  CFile reader;
  CFileException error;
  EXPECT_FALSE(reader.Open(name.c_str(), CFile::modeRead | CFile::shareDenyWrite, &error));
  EXPECT_EQ(error.m_cause, CFileException::sharingViolation);
  child.Signal();
  EXPECT_EQ(child.Wait(), 0);
  EXPECT_TRUE(reader.Open(name.c_str(), CFile::modeRead | CFile::shareDenyWrite, &error));

  // Two readers that deny writing share the file; a writer is refused.
  CFile second;
  EXPECT_TRUE(second.Open(name.c_str(), CFile::modeRead | CFile::shareDenyWrite));
  CFile writer;
  EXPECT_FALSE(writer.Open(name.c_str(), CFile::modeWrite | CFile::shareDenyNone));
}

TEST(CFile, OperationsOnAClosedFileThrow) {
  CFile file;
  char byte;
  EXPECT_TRUE(ThrowsPointer<CFileException>([&] { file.Read(&byte, 1); },
                                            [](CFileException& e) { EXPECT_EQ(e.m_cause, CFileException::invalidFile); }));
  TempFolder dir;
  std::string gone = dir / "gone";
  EXPECT_TRUE(ThrowsPointer<CFileException>([&] { CFile opened(gone.c_str(), CFile::modeRead); },
                                            [](CFileException& e) { EXPECT_EQ(e.m_cause, CFileException::fileNotFound); }));
}

TEST(CMemFile, GrowsInStepsAndReadsBack) {
  CMemFile file(16);
  file.Write("abcdefghij", 10);
  file.Write("klmnopqrst", 10);
  EXPECT_EQ(file.GetLength(), 20u);
  file.SeekToBegin();
  char bytes[32] = {};
  EXPECT_EQ(file.Read(bytes, 32), 20u);
  EXPECT_STREQ(bytes, "abcdefghijklmnopqrst");
  // Writing past the end fills the gap with zero bytes.
  file.Seek(25, CFile::begin);
  file.Write("!", 1);
  EXPECT_EQ(file.GetLength(), 26u);
  file.Seek(20, CFile::begin);
  EXPECT_EQ(file.Read(bytes, 6), 6u);
  EXPECT_EQ(std::memcmp(bytes, "\0\0\0\0\0!", 6), 0);
  EXPECT_TRUE(ThrowsPointer<CFileException>([&] { file.Seek(-1, CFile::begin); }));
}

TEST(CMemFile, AttachedBlockIsReadAndGrowsOnlyWhenAllowed) {
  unsigned char block[4] = {'w', 'x', 'y', 'z'};
  CMemFile fixed(block, 4);
  char bytes[4];
  EXPECT_EQ(fixed.Read(bytes, 4), 4u);
  EXPECT_EQ(std::memcmp(bytes, "wxyz", 4), 0);
  EXPECT_TRUE(ThrowsPointer<CMemoryException>([&] { fixed.Write("more", 4); }));
}
