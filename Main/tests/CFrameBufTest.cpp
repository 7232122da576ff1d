#include <gtest/gtest.h>

#include <string>

#include "Main/CErrorTrace.h"
#include "Main/CFrameBuf.h"
#include "Main/CWV4Globals.h"
#include "Main/tests/Bytes.h"

using varno::testing::Buf;
using varno::testing::Bytes;
using varno::testing::Str;

namespace {

class FrameBufTest : public ::testing::Test {
 protected:
  void TearDown() override { CErrorTrace::RemoveAll(); }
  static int NewestCode() {
    return theGlobals.m_error_trace_newest != nullptr ? theGlobals.m_error_trace_newest->error_code : 0;
  }
  static const CErrorTrace& Newest() { return *theGlobals.m_error_trace_newest; }
};

struct TagCase {
  const char* name;
  std::string bytes;
  int start;
  int code;  // 0: the head is read
  int tag;
  int position;
};

class ReadTagTest : public FrameBufTest, public ::testing::WithParamInterface<TagCase> {};

TEST_P(ReadTagTest, ReadsAStatementHeadWithinTheBuffer) {
  const TagCase& c = GetParam();
  const CDynBuf buf = Buf(c.bytes);
  int pos = c.start;
  unsigned char tag = 0;
  EXPECT_EQ(CFrameBuf::ReadTag(buf, pos, tag), c.code == 0);
  EXPECT_EQ(NewestCode(), c.code);
  if (c.code == 0) {
    EXPECT_EQ(tag, c.tag);
    EXPECT_EQ(pos, c.position);
  } else {
    EXPECT_EQ(Newest().severity, SEVERITY_ERROR);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ReadTagTest,
                         ::testing::Values(TagCase{"Statement", Bytes({0, 21, "x"}), 0, 0, 21, 2},
                                           TagCase{"TagAsLastByte", Bytes({"ab", 0, 71}), 2, 0, 71, 4},
                                           TagCase{"NoZeroAtThePosition", Bytes({"ab", 0, 71}), 1, 196, 0, 0},
                                           TagCase{"PastTheLastStatement", Bytes({0, 71}), 2, 197, 0, 0},
                                           TagCase{"ZeroTag", Bytes({0, 0}), 0, 198, 0, 0},
                                           TagCase{"MarkerByteAsTag", Bytes({0, 1, 3}), 0, 199, 0, 0},
                                           TagCase{"NegativePosition", Bytes({0, 21}), -1, 196, 0, 0},
                                           TagCase{"EmptyBuffer", "", 0, 197, 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FrameBufTest, NoStatementNamesThePositionAndTheByteFound) {
  const CDynBuf buf = Buf(Bytes({"ab", 0, 71}));
  int pos = 1;
  unsigned char tag = 0;
  ASSERT_FALSE(CFrameBuf::ReadTag(buf, pos, tag));
  EXPECT_STREQ(Newest().detail_text, "Index : 1");
  EXPECT_EQ(Newest().value, 'b');
}

TEST_F(FrameBufTest, ReadStringTakesTheTextUpToTheNextStatement) {
  const CDynBuf buf = Buf(Bytes({0, 21, "Kopf", 0, 21, 0, 71}));
  int pos = 2;
  CString text;
  ASSERT_TRUE(CFrameBuf::ReadString(buf, pos, text));
  EXPECT_STREQ(text, "Kopf");
  EXPECT_EQ(pos, 6);
  pos = 8;  // an empty text is a text
  ASSERT_TRUE(CFrameBuf::ReadString(buf, pos, text));
  EXPECT_STREQ(text, "");
  EXPECT_EQ(pos, 8);

  pos = 10;  // "I" runs to the end without a 0 byte
  const CDynBuf cut = Buf(Bytes({0, 21, "Kopf", 0, 72, "I"}));
  EXPECT_FALSE(CFrameBuf::ReadString(cut, pos, text));
  EXPECT_EQ(pos, -1);
  EXPECT_EQ(NewestCode(), 201);
}

TEST_F(FrameBufTest, ReadBlockEndsOnlyAtItsEndStatement) {
  // The end byte 'x' inside the code does not end the block; 0 'x' does.
  const CDynBuf buf = Buf(Bytes({0, 119, "\"x\"", 0, 'x', "\"y\"", 0, 'y', 0, 0}));
  int pos = 2;
  CDynBuf out;
  out.Append("kept");
  ASSERT_TRUE(CFrameBuf::ReadBlock(buf, pos, 'x', out));
  EXPECT_EQ(Str(out), Bytes({"kept\"x\"", 0, 'x'}));
  EXPECT_EQ(pos, 7);
}

TEST_F(FrameBufTest, ReadBlockWithoutItsEndOrAtTheVeryEndFails) {
  struct Case {
    std::string bytes;
    int start;
  };
  for (const Case& c : {Case{Bytes({0, 119, "abc", 0, 'y'}), 2}, Case{Bytes({0, 119, "a", 0, 'x'}), 2},
                        Case{Bytes({0, 119}), 2}, Case{Bytes({0, 119, 'x'}), 2}, Case{Bytes({0, 119, 0, 'x'}), -3}}) {
    const CDynBuf buf = Buf(c.bytes);
    int pos = c.start;
    CDynBuf out;
    EXPECT_FALSE(CFrameBuf::ReadBlock(buf, pos, 'x', out)) << c.bytes.size();
    EXPECT_EQ(pos, -1);
    EXPECT_EQ(NewestCode(), 202);
    EXPECT_STREQ(Newest().detail_text, "Tag 0x78");
    CErrorTrace::RemoveAll();
  }
}

TEST_F(FrameBufTest, FindFrameFindsTheExactName) {
  // A colour operand holding 0 'H', a block walked through, then two groups.
  const CDynBuf buf = Buf(Bytes({0,   'a', 4,   0,      1, 0,   10, 0,   'H',    0, 0,   120, "\"k\"", 0,
                                 121, 0,   'H', "kopf", 0, 'I', 0,  'H', "Kopf", 0, 'I', 0,   0}));
  int pos = -5;
  ASSERT_TRUE(CFrameBuf::FindFrame(buf, pos, "Kopf"));
  EXPECT_EQ(pos, 31);
  EXPECT_FALSE(CFrameBuf::FindFrame(buf, pos, "Kop"));
  EXPECT_FALSE(CFrameBuf::FindFrame(buf, pos, "KOPF"));
  EXPECT_EQ(NewestCode(), 0) << "FindFrame leaves no error of its own";
}

TEST_F(FrameBufTest, FindFrameStopsAtTheEndStatementAndAtCutOperands) {
  int pos = 0;
  EXPECT_FALSE(CFrameBuf::FindFrame(Buf(Bytes({0, 0, 0, 'H', "Kopf", 0, 0})), pos, "Kopf"));
  EXPECT_FALSE(CFrameBuf::FindFrame(Buf(Bytes({0, 31, 0, 'H'})), pos, "Kopf"));
  EXPECT_FALSE(CFrameBuf::FindFrame(Buf(Bytes({"abc"})), pos, "Kopf"));
  EXPECT_FALSE(CFrameBuf::FindFrame(CDynBuf(), pos, "Kopf"));
}

// Every primitive on every prefix of a stream: each answers without reading
// outside the bytes it was given (the sanitizers watch).
TEST_F(FrameBufTest, EveryCutOfAStreamIsReadWithinItsBytes) {
  const std::string whole =
      Bytes({0,   'a',    4, 0,   1,       0, 140, "seite", 0, 27,  "*,*", 0,   21,     "Kopf", 0,   24, 3, 0,
             118, "Kopf", 0, 119, "\"a\"", 0, 120, "\"b\"", 0, 121, 0,     'H', "Kopf", 0,      'I', 0,  0});
  for (size_t length = 0; length <= whole.size(); ++length) {
    // A copy of exactly length bytes, so that the sanitizers see any read beyond.
    const CDynBuf buf = Buf(whole.substr(0, length));
    for (int start = -1; start <= static_cast<int>(length) + 1; ++start) {
      int pos = start;
      unsigned char tag = 0;
      CFrameBuf::ReadTag(buf, pos, tag);
      pos = start;
      CString text;
      CFrameBuf::ReadString(buf, pos, text);
      pos = start;
      CDynBuf out;
      CFrameBuf::ReadBlock(buf, pos, 'x', out);
    }
    int pos = 0;
    CFrameBuf::FindFrame(buf, pos, "Kopf");
    CErrorTrace::RemoveAll();
  }
}

}  // namespace
