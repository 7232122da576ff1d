// Damaged frame definitions: every failure is one of the frame reader's own
// error codes and leaves the frame undefined, drawing nothing; whatever is
// read lays out and paints without reading or writing outside its bytes (the
// sanitizers watch), however the definition is cut or scrambled.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

#include "Main/tests/FrameFixture.h"

using varno::testing::FrameDef;

namespace {

const std::set<int> kFrameCodes = {196, 197, 198, 199, 200, 201, 202, 218, 219, 220, 221, 222,
                                   223, 224, 225, 226, 227, 230, 231, 232, 233, 234, 235, 527};

// A frame with every kind of child and most settings.
std::string WholeFrame() {
  return FrameDef("T")
             .Tag(10, {250, 250, 240})
             .Tag(19, {4, 4})
             .Tag(20, {2, 2})
             .Tag(34)
             .Content("Hinweis: ")
             .Tag(6)
             .Text(2, "MOT")
             .Tag(77)
             .Content("Motor")
             .Raw(std::string("\0NTEIL\0C\"RM\"\0[", 14))
             .Tag(4)
             .Tag(7)
             .Text(132, "ANT")
             .Tag(77)
             .Content("1")
             .Tag(134)
             .Tag(11)
             .Content("Gr\xF6\xDF" "e und \xC4nderung")
             .Tag(35)
             .Tag(43, {1})
             .Tag(98, {255})
             .Tag(112, {0, 0, 128})
             .Tag(108, {255, 255, 200})
             .Tag(113, {2, 2})
             .Tag(114, {1, 1})
             .Text(17, "Courier New")
             .Tag(18, {9})
             .Columns("4,30,-3,*,20%")
             .Tag(61, {4})
             .Tag(150, {2})
             .Tag(47)
             .Row({"Pos", "Teil", "Benennung", "Versteckt"})
             .Tag(76)
             .Tag(74)
             .Tag(151, {3})
             .Text(44, "80")
             .Tag(46)
             .Row({"1", "RM-2001", "Motor 140 cm\xB3", "a"})
             .Row({"2", "RM-2002", "Z\xFCndkerze", "b"})
             .Tag(52)
             .Tag(48)
             .Tag(57)
             .Content("RM-2003")
             .Tag(49)
             .Tag(53)
             .Tag(75)
             .Text(30, "50%")
             .Text(29, "40")
             .Tag(31, {2, 0, 2, 0})
             .Text(28, "motor.tif")
             .Text(147, "?1")
             .Text(148, "MOT")
             .Bytes() +
         std::string("\0\0", 2);
}

class FrameDamageTest : public varno::testing::FrameFixture {
 protected:
  // Reads the frame from stream; a failure leaves only the reader's codes
  // and an undefined frame, a success lays out and paints.
  void ReadAndShow(const std::string& stream) {
    CErrorTrace::RemoveAll();
    BOOL read = FALSE;
    CFrame& frame = ReadStream("T", stream, &read);
    layer::testing::MemoryCanvas canvas(120, 90);
    varno::testing::CanvasView view(&frame, CRect(0, 0, 120, 90));
    CDC* dc = CDC::FromHandle(canvas.dc);
    if (!read) {
      const std::vector<int> codes = Trace();
      ASSERT_FALSE(codes.empty());
      for (int code : codes) EXPECT_TRUE(kFrameCodes.count(code)) << "code " << code;
      EXPECT_EQ(frame.m_defined, 0);
      EXPECT_FALSE(frame.AttachView(&view, dc, nullptr));
      EXPECT_FALSE(frame.DrawView(&view, dc));
    } else {
      EXPECT_TRUE(frame.AttachView(&view, dc, nullptr));
      EXPECT_TRUE(frame.DrawView(&view, dc));
    }
    frames.clear();
  }
};

TEST_F(FrameDamageTest, TheWholeFrameReadsLaysOutAndPaints) {
  BOOL read = FALSE;
  CFrame& frame = ReadStream("T", WholeFrame(), &read);
  ASSERT_TRUE(read) << Trace()[0];
  EXPECT_EQ(frame.m_child_count, 4);
  Paint(frame, 400, 300);
  Keep("whole-frame");
}

TEST_F(FrameDamageTest, ADefinitionCutAnywhereFailsWithItsCodes) {
  const std::string whole = WholeFrame();
  // Up to the end of the definition's last statement every cut fails.
  const size_t end = whole.size() - 4;
  for (size_t length = 0; length < end; ++length) {
    SCOPED_TRACE(length);
    ReadAndShow(whole.substr(0, length));
  }
}

TEST_F(FrameDamageTest, RandomDamageFailsCleanlyOrShows) {
  const std::string whole = WholeFrame();
  std::mt19937 random(20260423);
  std::uniform_int_distribution<size_t> position(3, whole.size() - 1);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> changes(1, 4);
  for (int run = 0; run < 600; ++run) {
    std::string damaged = whole;
    for (int n = changes(random); n > 0; --n) {
      const size_t at = position(random);
      // Mostly byte values that mean something here: statement and tag
      // bytes, digits of sizes, and the largest values.
      const int pick = byte(random);
      const char value = pick < 40 ? '\0' : pick < 80 ? static_cast<char>(pick % 40 + 20) : pick < 120 ? '9'
                                                                                            : static_cast<char>(pick);
      damaged[at] = value;
    }
    SCOPED_TRACE(run);
    ReadAndShow(damaged);
  }
}

}  // namespace
