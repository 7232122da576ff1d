// Damaged keys and user page files: every failure is one of the layout's own
// error codes, and nothing is read or written outside the bytes given (the
// sanitizers watch), however the stream is cut or scrambled.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

#include "Main/tests/FaceFixture.h"
#include "testing/TempFolder.h"

using varno::testing::Bytes;
using varno::testing::LayoutStream;
using varno::testing::Readable;

namespace {

const std::set<int> kLayoutCodes = {196, 197, 198, 199, 200, 201, 202, 207, 208, 209,
                                    210, 211, 214, 215, 216, 223, 241, 242, 243, 245};

// A key with every kind of declaration the face knows.
std::string WholeKey() {
  return LayoutStream()
      .Text(140, "seite")
      .Text(156, "GEH")
      .Tag(157)
      .Tag(12)
      .Text(82, "316,317")
      .Tag(83)
      .Tag(13)
      .Tag(14)
      .Tag(136, {2, 3})
      .Tag(137, {4, 5})
      .Text(130, "1,Pfeil")
      .Tag(131)
      .Tag(15)
      .Text(115, "80%,60%")
      .Tag(128)
      .Columns("25%,*")
      .Tag(24, {3})
      .Tag(25, {1})
      .Text(155, "1")
      .Frame("Bild")
      .Rows("100,*,20")
      .Frame("Kopf")
      .Frame("Teile")
      .Frame("Fuss")
      .End()
      .End()
      .Print("Kopf,Teile", "\"Seite\"", "\"1\"")
      .Tag(60)
      .Done();
}

class FaceDamageTest : public varno::testing::FaceFixture {
 protected:
  void SetUp() override {
    FaceFixture::SetUp();
    theGlobals.m_user_page_def_path = pages.Path().c_str();
    theGlobals.m_UserPageDef = TRUE;
  }
  void TearDown() override {
    theGlobals.m_user_page_def_path.Empty();
    FaceFixture::TearDown();
  }

  // Declares and lays out a key; whatever fails has left only layout codes.
  void LayOut(const std::string& stream) {
    CErrorTrace::RemoveAll();
    if (Declare(stream)) {
      EXPECT_TRUE(Trace().empty());
      if (face.CreateLayout()) {
        face.TakePaneSizes();
        face.OnSize(0, 300, 200);
        return;
      }
    }
    const std::vector<int> codes = Trace();
    ASSERT_FALSE(codes.empty());
    for (int code : codes) EXPECT_TRUE(kLayoutCodes.count(code)) << "code " << code;
  }

  layer::testing::TempFolder pages;
};

TEST_F(FaceDamageTest, TheWholeKeyLaysOut) {
  ASSERT_TRUE(Declare(WholeKey())) << Trace()[0];
  ASSERT_TRUE(face.CreateLayout()) << Trace()[0];
  EXPECT_EQ(face.m_no_frames, 4);
  EXPECT_EQ(face.m_print_count, 1);
}

TEST_F(FaceDamageTest, EveryCutOfAKeyFailsCleanly) {
  const std::string whole = WholeKey();
  for (size_t length = 0; length < whole.size(); ++length) {
    SCOPED_TRACE(length);
    LayOut(whole.substr(0, length));
  }
}

struct WrongCase {
  const char* name;
  std::string stream;
  std::vector<int> trace;  // newest first; empty when the key is declared
};
void PrintTo(const WrongCase& c, std::ostream* os) { *os << c.name << ": " << Readable(c.stream); }

class WrongOperands : public FaceDamageTest, public ::testing::WithParamInterface<WrongCase> {};

TEST_P(WrongOperands, AreReadByTheirTagsClass) {
  const WrongCase& c = GetParam();
  EXPECT_EQ(Declare(c.stream), c.trace.empty());
  EXPECT_EQ(Trace(), c.trace);
}

const std::string kDamagedHead = Bytes({0, 'a', 4, 0, 1});
const std::string kDamagedEnd = Bytes({0, 'H', "A", 0, 'I', 0, 0});

INSTANTIATE_TEST_SUITE_P(
    Cases, WrongOperands,
    ::testing::Values(
        // A text where a byte belongs: the byte is the text's first, the rest
        // is no statement.
        WrongCase{"TextForAByte", kDamagedHead + Bytes({0, 27, "*", 0, 24, "12", 0, 21, "A", 0, 71}) + kDamagedEnd, {196, 208}},
        // A byte where a text belongs: the byte is the text.
        WrongCase{"ByteForAText", kDamagedHead + Bytes({0, 21, 3, 0, 71}) + kDamagedEnd, {245, 211}},
        WrongCase{"EmptyFrameSetList", kDamagedHead + Bytes({0, 27, 0, 21, "A"}) + kDamagedEnd, {}},
        WrongCase{"MarkerByteAsTag", kDamagedHead + Bytes({0, 1, 3, "x", 1, 3}) + kDamagedEnd, {199, 208}},
        WrongCase{"ExpressionHoldingTheNextStatement",
                  kDamagedHead + Bytes({0, 118, "A", 0, 119, 0, 21, "B", 0, 120, 0, 121}) + kDamagedEnd,
                  {223}},
        WrongCase{"AssignmentWithoutItsEnd", kDamagedHead + Bytes({0, 21, "A", 0, 78, "V", 0, 67, "1"}) + kDamagedEnd, {202, 223}},
        WrongCase{"FixedOperandRunningIntoTheEnd", kDamagedHead + Bytes({0, 21, "A", 0, 32, 0, 0}), {210}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FaceDamageTest, NestingBeyondWhatThePanesHold) {
  // A thousand frame sets, each nested in the last one's only pane, and the
  // frame in the innermost.
  std::string deep = kDamagedHead;
  for (int i = 0; i < 1000; ++i) deep += Bytes({0, 27, "*"});
  deep += Bytes({0, 21, "A"});
  for (int i = 0; i < 1000; ++i) deep += Bytes({0, 71});
  ASSERT_TRUE(Declare(deep + kDamagedEnd));
  EXPECT_EQ(face.GetFrameSetCount(), 1000);
  ASSERT_TRUE(face.CreateLayout());
  EXPECT_EQ(face.m_framesets.back().m_panes[0].computed, CSize(800, 600));

  // One end more than frame sets.
  EXPECT_FALSE(Declare(deep + Bytes({0, 71}) + kDamagedEnd));
  EXPECT_EQ(Trace(), (std::vector<int>{245, 211}));
  CErrorTrace::RemoveAll();

  // A frame set when every pane is taken.
  EXPECT_FALSE(Declare(deep + Bytes({0, 26, "*,*"}) + kDamagedEnd));
  EXPECT_EQ(Trace(), (std::vector<int>{241, 211}));
  EXPECT_EQ(theGlobals.m_error_trace_newest->value, 1000);
  CErrorTrace::RemoveAll();

  // More fixed bars than panes, and many frames beyond the panes.
  std::string wide = kDamagedHead + Bytes({0, 26, "*,*", 0, 155, "1,1,1,1,1,1,1,1"});
  for (int i = 0; i < 20000; ++i) wide += Bytes({0, 21, "F"});
  ASSERT_TRUE(Declare(wide + Bytes({0, 71}) + kDamagedEnd));
  EXPECT_EQ(face.m_no_frames, 20000);
  EXPECT_EQ(face.m_framesets[0].m_panes.size(), 2u);
  EXPECT_TRUE(face.CreateLayout());
}

// Scrambled keys: bytes changed, zero bytes put in, pieces cut out and
// repeated, with a fixed seed so that a failure can be replayed.
TEST_F(FaceDamageTest, RandomlyDamagedKeysFailCleanly) {
  const std::string whole = WholeKey();
  std::mt19937 random(22);
  for (int round = 0; round < 3000; ++round) {
    const std::string key = varno::testing::Scrambled(whole, random);
    SCOPED_TRACE(round);
    LayOut(key);
    if (HasFatalFailure() || HasNonfatalFailure()) return;
  }
}

TEST_F(FaceDamageTest, RandomUserPageFilesAreOnlyWarnedAbout) {
  const std::string valid = Bytes({0, 0x61, 4, 0, 1, 0, 26, "40%,*", 0, 27, "80,*,10", 0, 0});
  std::mt19937 random(103);
  for (int round = 0; round < 200; ++round) {
    std::string file = valid;
    for (int i = 0; i < 3; ++i) {
      const size_t at = random() % (file.size() + 1);
      if (random() % 2 == 0 && !file.empty())
        file.erase(at, 1 + random() % 4);
      else
        file.insert(at, 1, static_cast<char>(random() % 3 == 0 ? 0 : random()));
    }
    pages.Write("seite.wv4hpu", file);
    SCOPED_TRACE(round);
    ASSERT_TRUE(Declare(WholeKey())) << Trace()[0];
    EXPECT_TRUE(dialog->shown.empty());
  }
}

}  // namespace
