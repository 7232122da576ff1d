// CAP, CA3 and CA4 drawings in frames: the label texts, the fitting that
// keeps room for the labels, the two forms of drawing, premature ends of
// the file, label slots cut off, and the line width of the settings.
#include <gtest/gtest.h>

#include "PictureFixture.h"
#include "VodContext.h"

namespace vod {
namespace {

using testing::CapBytes;
using testing::CapGroup;
using testing::CapLabelSlot;
using testing::PageImage;

constexpr RECT kCapFrame{100, 50, 300, 150};

class Cap : public testing::PictureFixture {
 protected:
  void SetUp() override {
    PictureFixture::SetUp();
    OpenPage(400, 200);
  }
  bool Picture(int kind, const std::string& bytes) {
    static const char* const kNames[] = {"", "", "", "pic.cap", "pic.ca3", "pic.ca4"};
    return Draw(kind, File(kNames[kind], bytes), kCapFrame);
  }
  SIZE LabelRoom() {
    SIZE size{};
    GetTextExtentPoint32(m_target->dc, "99W", 3, &size);
    return size;
  }
  bool Blank() { return Page().Blank(RECT{0, 0, 400, 200}); }
};

TEST(CapLabels, NumbersPrintWithALowerCaseLetterForTheThousands) {
  const std::pair<int16_t, const char*> cases[] = {{5, "5"},      {999, "999"}, {1000, "0a"},     {1017, "17a"},
                                                   {2017, "17b"}, {0, "0"},     {-1017, "-1017"}, {-5, "-5"}};
  for (auto [number, text] : cases) EXPECT_EQ(CapLabelText(number), text) << number;
}

TEST_F(Cap, TheDrawingFitsTheFrameWithRoomForLabels) {
  std::string drawing = CapGroup(false, {{0, 0}}) + CapGroup(true, {{1000, 500}});
  ASSERT_TRUE(Picture(kCapCount, CapBytes(kCapCount, {}, drawing)));
  SIZE room = LabelRoom();
  double usableX = 190 - room.cx, usableY = 100 - room.cy;
  // The printer's resolution is the same both ways: one scale for both.
  double scale = std::min(usableX / 1000, usableY / 500);
  RECT inked = Page().Inked();
  EXPECT_EQ(inked.left, 105);
  EXPECT_EQ(inked.top, 50) << "y runs down";
  EXPECT_NEAR(inked.right - inked.left, 1000 * scale, 1);
  EXPECT_NEAR(inked.bottom - inked.top, 500 * scale, 1);
  int width = 0, height = 0;
  ASSERT_TRUE(
      VodCap(*m_context).MeasureCapFile(kCapCount, m_folder / "pic.ca3", kCapFrame, width, height, true, false, false));
  EXPECT_NEAR(width, 1000 * scale, 1);
  EXPECT_NEAR(height, 500 * scale, 1);
}

TEST_F(Cap, LabelsPrintAsTextAtTheirPoints) {
  // Two labels and no drawing: the first stands at the top-left corner.
  ASSERT_TRUE(Picture(kCapCount, CapBytes(kCapCount, {{100, 100, 1017}, {900, 600, 5}, {0, 0, 0}}, "")));
  PageImage page = Page();
  testing::MemoryPageTarget reference(400, 200);
  SetBkMode(reference.dc, TRANSPARENT);
  TextOut(reference.dc, 105, 50, "17a", 3);
  SIZE size{};
  GetTextExtentPoint32(reference.dc, "17a", 3, &size);
  RECT label{105, 50, 105 + size.cx, 50 + size.cy};
  EXPECT_EQ(page.Crop(label), reference.Snapshot().Crop(label));
  EXPECT_FALSE(page.Blank(RECT{200, 100, 300, 150})) << "the second label";
}

TEST_F(Cap, EmptyLabelSlotsPrintNothing) {
  std::vector<CapLabelSlot> slots(100, CapLabelSlot{0, 0, 0});
  ASSERT_TRUE(Picture(kCapPlain,
                      CapBytes(kCapPlain, slots,
                               CapGroup(false, {{0, 0}}) + CapGroup(true, {{1000, 0}}) + CapGroup(false, {{0, 500}}))));
  RECT inked = Page().Inked();
  EXPECT_EQ(inked.top, 50);
  EXPECT_EQ(inked.bottom, 51) << "only the line, no text";
}

TEST_F(Cap, AMoveWithoutALineDrawsNothing) {
  std::string drawing = CapGroup(false, {{0, 0}}) + CapGroup(false, {{1000, 500}}) + CapGroup(false, {{500, 250}});
  ASSERT_TRUE(Picture(kCapCount, CapBytes(kCapCount, {}, drawing)));
  EXPECT_TRUE(Blank());
}

TEST_F(Cap, PackedDrawingsDrawAsThePlainOnes) {
  // A move to (0, 0) and a line to (200, 100): block of 2 commands with
  // high bits 0, command 2 (a point, moving), command 3 (a point, drawing).
  ASSERT_TRUE(Picture(kCapPacked, CapBytes(kCapPacked, {}, std::string("\x20\x20\x00\x03\xC8\x64", 6))));
  PageImage packed = Page();
  m_target->Clear();
  ASSERT_TRUE(Picture(kCapCount, CapBytes(kCapCount, {}, CapGroup(false, {{0, 0}}) + CapGroup(true, {{200, 100}}))));
  EXPECT_FALSE(packed.Blank(RECT{0, 0, 400, 200}));
  EXPECT_EQ(packed.pixels, Page().pixels);
}

struct PrematureEnd {
  const char* name;
  int kind;
  std::string rest;  // behind a first line that is whole
  const char* message;
};

void PrintTo(const PrematureEnd& c, std::ostream* out) { *out << c.name; }

class CapEnds : public Cap, public ::testing::WithParamInterface<PrematureEnd> {};

TEST_P(CapEnds, AFileEndingInsideAPointStopsWithItsMessageAndKeepsTheLines) {
  const PrematureEnd& c = GetParam();
  std::string first = c.kind == kCapPacked ? std::string("\x20\x20\x00\x03\xC8\x64", 6)
                                           : CapGroup(false, {{0, 0}}) + CapGroup(true, {{200, 100}});
  ASSERT_TRUE(Picture(c.kind, CapBytes(c.kind, {}, first + c.rest)));
  EXPECT_EQ(m_debug, std::vector<std::string>{c.message});
  EXPECT_FALSE(Blank()) << "the first line stays";
}

const PrematureEnd kEnds[] = {
    {"PlainGroup", kCapCount, "\x50\x01", "CAP Bild vorzeitiges Dateiende!\n"},
    {"PlainSecondPoint", kCapCount, "\x50\x01\x02\x03", "CAP Bild vorzeitiges Dateiende!\n"},
    {"PackedCommand", kCapPacked, "\x1F", "CA4 Bild vorzeitigesa Dateiende (a)!\n"},
    {"PackedXInTheMiddleOfAByte", kCapPacked, "\x1F\x3A", "CA4 Bild vorzeitiges Dateiende (rx)!\n"},
    {"PackedYInTheMiddleOfAByte", kCapPacked, "\x1F\x3A\xBC", "CA4 Bild vorzeitiges Dateiende (ry)!\n"},
    {"PackedXOnAByte", kCapPacked, "\x2F\x03", "CA4 Bild vorzeitiges Dateiende (x)!\n"},
    {"PackedYOnAByte", kCapPacked, "\x2F\x03\xAB", "CA4 Bild vorzeitiges Dateiende (y)!\n"},
};

INSTANTIATE_TEST_SUITE_P(Files, CapEnds, ::testing::ValuesIn(kEnds),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Cap, ALastNibbleLeftOverIsNoPrematureEnd) {
  std::string drawing = std::string("\x20\x20\x00\x03\xC8\x64", 6) + "\x1F\x3A\xBC\xD0";
  ASSERT_TRUE(Picture(kCapPacked, CapBytes(kCapPacked, {}, drawing)));
  EXPECT_TRUE(m_debug.empty());
}

TEST_F(Cap, LabelSlotsCutOffByTheFilesEndAreNotRead) {
  std::string whole = CapBytes(kCapCount, {{100, 100, 1}, {900, 900, 2}}, "");
  int width = 0, height = 0;
  VodCap cap(*m_context);
  ASSERT_TRUE(cap.MeasureCapFile(kCapCount, File("pic.ca3", whole), kCapFrame, width, height, true, false, false));
  EXPECT_GT(width, 0);
  // Without the second slot's number only the first label is left: a
  // single point, which has no extent.
  ASSERT_TRUE(cap.MeasureCapFile(kCapCount, File("pic.ca3", whole.substr(0, whole.size() - 2)), kCapFrame, width, height,
                                 true, false, false));
  EXPECT_EQ(width, 0);
  for (size_t length : {0, 1, 5, 300, 599}) {
    std::string cut = CapBytes(kCapPlain, std::vector<CapLabelSlot>(100, {7, 7, 7}), "").substr(0, length);
    EXPECT_TRUE(Picture(kCapPlain, cut)) << length;
    EXPECT_TRUE(Blank()) << length;
  }
}

TEST_F(Cap, TheLineWidthComesFromTheSettings) {
  auto thickness = [&]() {
    PageImage page = Page();
    int rows = 0;
    for (int y = 40; y < 70; ++y) rows += page.At(150, y) == RGB(0, 0, 0);
    return rows;
  };
  std::string line =
      CapBytes(kCapCount, {}, CapGroup(false, {{0, 0}}) + CapGroup(true, {{1000, 0}}) + CapGroup(false, {{0, 500}}));
  ASSERT_TRUE(Picture(kCapCount, line));
  EXPECT_EQ(thickness(), 1) << "1,4 tenths: 14 device units, (14 + 5) / 10";
  WriteIni({"CAP_Strichstaerke=4,5"});
  OpenPage(400, 200);
  ASSERT_TRUE(Picture(kCapCount, line));
  EXPECT_EQ(thickness(), 5);
}

TEST_F(Cap, MissingFilesAndCancelledJobs) {
  EXPECT_TRUE(Draw(kCapPlain, m_folder / "none.cap", kCapFrame));
  EXPECT_NE(LastError().find("none.cap"), std::string::npos) << LastError();
  m_context->jobState = kJobCancelled;
  EXPECT_FALSE(Picture(kCapCount, CapBytes(kCapCount, {}, CapGroup(false, {{0, 0}}) + CapGroup(true, {{1000, 500}}))));
}

}  // namespace
}  // namespace vod
