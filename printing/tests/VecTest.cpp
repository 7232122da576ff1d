// VEC pictures in frames: points, lines and arcs of 16-bit words, the
// trailer that gives the extent, the blocks the file is read in, and files
// too short or without extent.
#include <gtest/gtest.h>

#include "PictureFixture.h"
#include "VodContext.h"
#include "VodFile.h"

namespace vod {
namespace {

using testing::PageImage;
using testing::VecBytes;

// Device pixels are form units: 190 x 100 inside the frame's insets.
constexpr RECT kVecFrame{100, 50, 300, 150};
constexpr unsigned kLine = 0x8000;

class Vec : public testing::PictureFixture {
 protected:
  void SetUp() override {
    PictureFixture::SetUp();
    OpenPage(400, 200);
  }
  bool Picture(const std::string& bytes) { return Draw(kPictureVec, File("pic.vec", bytes), kVecFrame); }
  bool Blank() { return Page().Blank(RECT{0, 0, 400, 200}); }
};

TEST_F(Vec, PointsMoveOrDrawAndTheTrailerGivesTheExtent) {
  // 1000 x 500 units: 0.19 pixels a unit, y up from the frame's bottom (145).
  ASSERT_TRUE(Picture(VecBytes({0, 0, 1000, kLine | 500}, 1000, 500)));
  PageImage page = Page();
  EXPECT_EQ(page.At(105, 145), RGB(0, 0, 0));
  EXPECT_TRUE(page.At(200, 97) == RGB(0, 0, 0) || page.At(200, 98) == RGB(0, 0, 0)) << "the middle of the diagonal";
  EXPECT_EQ(page.Inked(), (RECT{105, 50, 295, 146}));

  m_target->Clear();
  ASSERT_TRUE(Picture(VecBytes({100, 200, 1000, 400}, 1000, 500)));
  EXPECT_TRUE(Blank()) << "points without the line bit only move";

  m_target->Clear();
  ASSERT_TRUE(Picture(VecBytes({0, 0, 1000, kLine | 0, 1000, kLine | 500}, 1000, 500)));
  EXPECT_EQ(Page().Inked(), (RECT{105, 51, 296, 146})) << "each line starts at the point before";
}

TEST_F(Vec, ArcsRunCounterClockwiseAndLeaveTheCurrentPoint) {
  // Radius 200 around (500, 250): 38 pixels around (200, 97).
  auto arc = [](unsigned from, unsigned to) { return std::vector<unsigned>{kLine | 200, 500, 250, from, to}; };
  ASSERT_TRUE(Picture(VecBytes(arc(350, 10), 1000, 500)));
  RECT inked = Page().Inked();
  EXPECT_NEAR(inked.left, 237, 1) << "20 degrees around 0";
  EXPECT_NEAR(inked.top, 92, 1);
  EXPECT_NEAR(inked.bottom, 105, 1);

  m_target->Clear();
  ASSERT_TRUE(Picture(VecBytes(arc(0, 360), 1000, 500)));
  inked = Page().Inked();
  EXPECT_NEAR(inked.right - inked.left, 77, 1) << "a whole circle";
  EXPECT_NEAR(inked.bottom - inked.top, 77, 1);

  m_target->Clear();
  std::vector<unsigned> words = {0, 0};
  std::vector<unsigned> quarter = arc(0, 90);
  words.insert(words.end(), quarter.begin(), quarter.end());
  words.insert(words.end(), {1000, kLine | 0});
  ASSERT_TRUE(Picture(VecBytes(words, 1000, 500)));
  EXPECT_EQ(Page().At(110, 145), RGB(0, 0, 0)) << "the line after the arc starts at the last point";
}

TEST_F(Vec, BlocksAreUsedUpToTheirLastWordThatIsNotZero) {
  struct Case {
    const char* name;
    std::vector<unsigned> words;
    size_t bytes;
  };
  const Case cases[] = {
      {"trailing zero words", {1, 2, 3, 0, 0, 0}, 6},
      {"all zero", {0, 0, 0, 0}, 0},
      {"zero inside", {0, 7, 0, 9}, 8},
      {"nothing", {}, 0},
  };
  for (const Case& c : cases) {
    std::string bytes;
    for (unsigned word : c.words) bytes += std::string{static_cast<char>(word & 0xFF), static_cast<char>(word >> 8)};
    std::string path = File("block.vec", bytes);
    DWORD error = 0;
    std::unique_ptr<VodFile> file = VodFile::OpenRetry(path, 'r', &error);
    ASSERT_TRUE(file) << c.name;
    WORD block[VodVec::kBlockWords];
    EXPECT_EQ(VodVec::VecReadBlock(block, *file), c.bytes) << c.name;
  }
  // A whole block counts whole, zeros and all, and records go on in the
  // next block: an arc of radius 0 puts the points' words on odd places, so
  // the last point of the block has its y in the next one.
  std::vector<unsigned> words = {kLine | 0, 0, 0, 0, 0};
  words.resize(VodVec::kBlockWords, 0);
  words.back() = 1000;
  words.push_back(kLine | 500);
  ASSERT_TRUE(Picture(VecBytes(words, 1000, 500)));
  EXPECT_EQ(Page().Inked(), (RECT{105, 50, 295, 146}));
}

TEST_F(Vec, FilesWithoutTrailerOrExtentDrawNothingAndSucceed) {
  const std::pair<const char*, std::string> cases[] = {
      {"empty", ""},
      {"three bytes", std::string("\x01\x02\x03", 3)},
      {"no width", VecBytes({0, 0, 1000, kLine | 500}, 0, 500)},
      {"no height", VecBytes({0, 0, 1000, kLine | 500}, 1000, 0)},
  };
  for (const auto& [name, bytes] : cases) {
    EXPECT_TRUE(Picture(bytes)) << name;
    EXPECT_TRUE(Blank()) << name;
  }
  EXPECT_TRUE(Draw(kPictureVec, m_folder / "none.vec", kVecFrame));
  EXPECT_NE(LastError().find("HPGL Datei"), std::string::npos) << LastError();
}

TEST_F(Vec, ACancelledJobStopsTheDrawing) {
  m_context->jobState = kJobCancelled;
  EXPECT_FALSE(Picture(VecBytes({0, 0, 1000, kLine | 500}, 1000, 500)));
  EXPECT_TRUE(Blank());
}

}  // namespace
}  // namespace vod
