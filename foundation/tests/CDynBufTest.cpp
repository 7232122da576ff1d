#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "foundation/CDynBuf.h"

namespace {

std::string Bytes(const CDynBuf& buf) {
  return buf.GetData() ? std::string(reinterpret_cast<const char*>(buf.GetData()), buf.GetLength()) : std::string();
}

CDynBuf Holding(const std::string& bytes) {
  CDynBuf buf;
  buf.Append(bytes.data(), static_cast<int>(bytes.size()));
  return buf;
}

}  // namespace

TEST(CDynBuf, NewBufferOwnsNothingAndIsLessThanEveryString) {
  CDynBuf buf;
  EXPECT_EQ(buf.GetLength(), 0);
  EXPECT_EQ(buf.GetAllocLength(), 0);
  EXPECT_EQ(buf.GetGrowBy(), 512);
  EXPECT_EQ(buf.GetData(), nullptr);
  EXPECT_STREQ(static_cast<const char*>(buf), "");
  EXPECT_EQ(buf.GetAt(0), 0);
  EXPECT_EQ(buf.Compare(""), -1);
  EXPECT_EQ(buf.Compare(static_cast<const char*>(nullptr)), 1);
  EXPECT_TRUE(buf != "");
  // Appending nothing still takes one step, and then the buffer equals "".
  EXPECT_EQ(buf.Append(""), 1);
  EXPECT_EQ(buf.GetAllocLength(), 512);
  EXPECT_EQ(buf.GetLength(), 0);
  EXPECT_EQ(buf.Compare(""), 0);
  // The copy of a buffer without a block has none either.
  CDynBuf none;
  CDynBuf copy(none);
  EXPECT_EQ(copy.GetData(), nullptr);
}

TEST(CDynBuf, GrowsAdditivelyInWholeSteps) {
  struct Case {
    const char* what;
    int firstAppend;  // bytes appended to a new buffer
    int capacityAfter;
  } cases[] = {
      {"511 bytes fit one step with their zero byte", 511, 512},
      {"512 bytes need a second step", 512, 1024},
      {"600 bytes", 600, 1024},
      {"1536 bytes take four steps, never doubling", 1536, 2048},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CDynBuf buf;
    EXPECT_EQ(buf.Append('x', c.firstAppend), 1);
    EXPECT_EQ(buf.GetLength(), c.firstAppend);
    EXPECT_EQ(buf.GetAllocLength(), c.capacityAfter);
    EXPECT_EQ(buf.GetAt(c.firstAppend), 0);
  }
  CDynBuf buf;
  buf.Append('x', 511);
  EXPECT_EQ(buf.Append('y'), 1);  // one byte more grows by exactly one step
  EXPECT_EQ(buf.GetAllocLength(), 1024);
  buf.SetGrowBy(0);  // ignored
  EXPECT_EQ(buf.GetGrowBy(), 512);
  CDynBuf small;
  small.SetGrowBy(1);
  small.Append('a');  // never less than length + 2
  EXPECT_EQ(small.GetAllocLength(), 2);
  EXPECT_STREQ(static_cast<const char*>(small), "a");
}

TEST(CDynBuf, AppendsLittleEndianValues) {
  CDynBuf buf;
  buf.AppendShort(static_cast<short>(258));
  buf.AppendShort(static_cast<unsigned short>(0xFFFE));
  buf.AppendLong(0x01020304);
  buf.AppendLong(static_cast<unsigned long>(0xAABBCCDDu));
  buf.AppendLong(-2L);
  EXPECT_EQ(Bytes(buf), std::string("\x02\x01\xFE\xFF\x04\x03\x02\x01\xDD\xCC\xBB\xAA\xFE\xFF\xFF\xFF", 16));
}

TEST(CDynBuf, ComparesBytesAsUnsignedValues) {
  CDynBuf umlaut = Holding("\xE4");
  EXPECT_TRUE(umlaut == "\xE4");
  EXPECT_TRUE(umlaut == CString("\xE4"));
  EXPECT_EQ(umlaut.Compare("A"), 1);
  EXPECT_EQ(umlaut.Compare(CString("A")), 1);
  struct Case {
    std::string buffer;
    std::string other;
    int expected;
  } cases[] = {
      {"abc", "abc", 0}, {"abc", "abd", -1}, {"abd", "abc", 1}, {"ab", "abc", -1},
      {"abc", "ab", 1},  {"", "", 0},         {"", "a", -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.buffer + " vs " + c.other);
    CDynBuf buf = Holding(c.buffer);
    if (c.buffer.empty()) buf.Append("");
    EXPECT_EQ(buf.Compare(c.other.c_str()), c.expected);
    EXPECT_EQ(buf.Compare(CString(c.other.c_str())), c.expected);
    CDynBuf other = Holding(c.other);
    if (c.other.empty()) other.Append("");
    EXPECT_EQ(buf.Compare(other), c.expected);
  }
  // Zero bytes inside a buffer count as bytes.
  EXPECT_EQ(Holding(std::string("a\0b", 3)).Compare(Holding(std::string("a\0c", 3))), -1);
  EXPECT_TRUE(CString("x") != Holding("y"));
  EXPECT_TRUE("y" == Holding("y"));
}

TEST(CDynBuf, InsertChecksNullAndCountBeforeTheIndex) {
  CDynBuf buf = Holding("ace");
  EXPECT_EQ(buf.Insert(1, 'b'), 1);
  EXPECT_EQ(buf.Insert(3, "d"), 1);
  EXPECT_EQ(buf.Insert(buf.GetLength(), CString("f")), 1);  // at the end: appends
  EXPECT_EQ(Bytes(buf), "abcdef");
  EXPECT_EQ(buf.Insert(buf.GetLength() + 1, "x"), 0);
  EXPECT_EQ(buf.Insert(-1, 'x'), 0);
  EXPECT_EQ(buf.Insert(-1, static_cast<const char*>(nullptr)), 1);
  EXPECT_EQ(buf.Insert(-1, 'x', 0), 1);
  EXPECT_EQ(buf.Insert(99, static_cast<const void*>(nullptr), 5), 1);
  EXPECT_EQ(Bytes(buf), "abcdef");
  EXPECT_EQ(buf.Insert(0, '-', 2), 1);
  EXPECT_EQ(Bytes(buf), "--abcdef");
  // A buffer may take its own bytes, even while they move.
  CDynBuf self = Holding("xy");
  self.SetGrowBy(1);
  EXPECT_EQ(self.Insert(1, self), 1);
  EXPECT_EQ(Bytes(self), "xxyy");
  self += self;
  EXPECT_EQ(Bytes(self), "xxyyxxyy");
  self = self;
  EXPECT_EQ(Bytes(self), "xxyyxxyy");
}

TEST(CDynBuf, SearchesAndCutsWithinBounds) {
  CDynBuf buf = Holding("a.b.c");
  EXPECT_EQ(buf.Find('.'), 1);
  EXPECT_EQ(buf.Find('.', 2), 3);
  EXPECT_EQ(buf.Find('x'), -1);
  EXPECT_EQ(buf.ReverseFind('.'), 3);
  EXPECT_EQ(buf.ReverseFind('.', 2), 1);
  EXPECT_EQ(buf.ReverseFind('.', 5), -1);
  EXPECT_EQ(CDynBuf().ReverseFind('a'), -1);
  EXPECT_EQ(Bytes(buf.Mid(-3, 2)), "a.");
  EXPECT_EQ(Bytes(buf.Mid(2)), "b.c");
  EXPECT_EQ(Bytes(buf.Mid(4, 10)), "c");
  EXPECT_EQ(Bytes(buf.Right(buf.GetLength() + 5)), "a.b.c");
  EXPECT_EQ(Bytes(buf.Left(3)), "a.b");
  EXPECT_EQ(buf.Left(3).GetGrowBy(), 512);
  EXPECT_EQ(CDynBuf().Left(2).GetData(), nullptr);
  EXPECT_EQ(buf.SetAt(4, 'C'), 1);
  EXPECT_EQ(buf.SetAt(5, 'x'), 0);
  buf.CutRight(2);
  EXPECT_EQ(Bytes(buf), "a.b");
  buf.CutRight(4);
  EXPECT_EQ(Bytes(buf), "a.b");
}

TEST(CDynBuf, TrimsBySetInPlace) {
  CDynBuf buf = Holding("  \t-value-\t  ");
  int capacity = buf.GetAllocLength();
  buf.TrimLeft(" \t");
  buf.TrimRight(" \t");
  EXPECT_EQ(Bytes(buf), "-value-");
  buf.TrimLeft('-');
  buf.TrimRight("-x", 1);
  EXPECT_EQ(Bytes(buf), "value");
  EXPECT_EQ(buf.GetAllocLength(), capacity);
  CDynBuf none;
  none.TrimLeft("a");
  EXPECT_EQ(none.GetData(), nullptr);
}

TEST(CDynBuf, LengthAndSpareRoom) {
  CDynBuf buf;
  EXPECT_EQ(buf.SetLength(1000), 1);
  EXPECT_EQ(buf.GetAllocLength(), 1024);
  EXPECT_EQ(buf.GetAt(1000), 0);
  buf.Empty();
  buf.Append("0123456789");
  buf.SetLength(2047);
  buf.SetLength(10);
  EXPECT_EQ(buf.GetAllocLength(), 2048);
  EXPECT_EQ(buf.FreeExtra(), 1);
  EXPECT_EQ(buf.GetAllocLength(), 512);
  EXPECT_EQ(Bytes(buf), "0123456789");
  EXPECT_EQ(buf.FreeExtra(), 1);  // nothing to give back
  EXPECT_EQ(buf.GetAllocLength(), 512);
  EXPECT_EQ(buf.SetLength(-1), 0);
}

TEST(CDynBuf, AssignmentKeepsBlockAndStepAndCopiesTakeBoth) {
  CDynBuf buf;
  buf.SetGrowBy(64);
  buf = "a fairly long text of more than sixty-four bytes, to take two steps";
  int capacity = buf.GetAllocLength();
  buf = "short";
  EXPECT_EQ(buf.GetAllocLength(), capacity);
  EXPECT_EQ(Bytes(buf), "short");
  buf = 'c';
  EXPECT_EQ(Bytes(buf), "c");
  CDynBuf copy(buf);
  EXPECT_EQ(copy.GetGrowBy(), 64);
  EXPECT_EQ(copy.GetAllocLength(), capacity);
  EXPECT_EQ(Bytes(buf + "d"), "cd");
  EXPECT_EQ((buf + 'd').GetGrowBy(), 64);
  EXPECT_EQ(("b" + buf).GetGrowBy(), 512);
  EXPECT_EQ(Bytes('a' + buf + CString("e")), "ace");
}

TEST(CDynBuf, IsCreatedDynamically) {
  std::unique_ptr<CObject> object(CRuntimeClass::CreateObject("CDynBuf"));
  ASSERT_NE(object, nullptr);
  EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CDynBuf)));
  EXPECT_EQ(dynamic_cast<CDynBuf*>(object.get())->GetGrowBy(), 512);
}
