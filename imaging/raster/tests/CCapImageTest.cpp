#include "imaging/raster/CCapImage.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "testing/TempFolder.h"
#include "win32/Gdi.h"

namespace {

struct LabelSlot {
  int x, y, number;
};

// A ".ca3"/".ca4" file: count byte, the label slots and the drawing bytes.
std::string CountedFile(const std::vector<LabelSlot>& slots, const std::string& drawing) {
  std::string bytes(1, static_cast<char>(slots.size()));
  auto put16 = [&](int v) { bytes += char(v & 255), bytes += char(v >> 8 & 255); };
  for (const LabelSlot& s : slots) put16(s.x);
  for (const LabelSlot& s : slots) put16(s.y);
  for (const LabelSlot& s : slots) put16(s.number);
  return bytes + drawing;
}

class CCapImageTest : public ::testing::Test {
 protected:
  void SetUp() override { CCapImage::SetStandardSize(-1, -1); }
  void TearDown() override { CCapImage::SetStandardSize(640, 1024); }

  // Loads the bytes as a file of that name.
  int Load(CCapImage& image, const std::string& name, const std::string& bytes, HS_HANDLE hotspots = nullptr) {
    m_folder.Write(name, bytes);
    m_error = 0;
    return image.Load((m_folder / name).c_str(), hotspots, &m_error);
  }

  // Points in file coordinates: the centring is taken off again.
  static std::vector<std::pair<int, int>> FilePoints(const CCapImage& image, int dx, int dy) {
    std::vector<std::pair<int, int>> points;
    for (const POINT& p : image.Points()) points.emplace_back(p.x + dx, p.y + dy);
    return points;
  }

  layer::testing::TempFolder m_folder;
  int m_error = 0;
};

TEST_F(CCapImageTest, PlainGroupsMakePolylines) {
  using Points = std::vector<std::pair<int, int>>;
  struct Case {
    const char* name;
    std::string drawing;
    std::vector<int> lengths;
    Points points;
  };
  const Case cases[] = {
      {"high bits of a point", std::string("\x3A\x10\x20", 3), {2}, Points{{528, 544}, {528, 544}}},
      {"move group of three", std::string("\x60\x1F\x20\x21\x22\x23\x24", 7), {3}, Points{{31, 32}, {33, 34}, {35, 36}}},
      {"two single moves", std::string("\x20\x1F\x20\x20\x21\x22", 6), {2, 2}, Points{{31, 32}, {31, 32}, {33, 34}, {33, 34}}},
      {"draw group continues", std::string("\x40\x1F\x20\x21\x22\x30\x23\x24", 8), {3}, Points{{31, 32}, {33, 34}, {35, 36}}},
      {"group cut short ends the drawing", std::string("\x40\x1F\x20\x21\x22\x50\x23\x24\x25", 9), {3},
       Points{{31, 32}, {33, 34}, {35, 36}}},
      {"empty groups", std::string("\0\x10", 2), {}, Points{}},
  };
  for (const Case& c : cases) {
    CCapImage image;
    ASSERT_EQ(Load(image, "p.ca3", CountedFile({}, c.drawing)), 1) << c.name;
    EXPECT_EQ(image.PolylineLengths(), c.lengths) << c.name;
    // The standard size comes from the extent; away from the edges the centring
    // shift is the origin.
    const POINT origin = image.Origin();
    EXPECT_EQ(FilePoints(image, origin.x, origin.y), c.points) << c.name;
  }
}

TEST_F(CCapImageTest, NibblePackedDrawing) {
  CCapImage image;
  ASSERT_EQ(Load(image, "p.CA4", CountedFile({}, std::string("\x1F\x3A\xBC\xD0", 4))), 1);
  ASSERT_EQ(image.Points().size(), 2u);
  EXPECT_EQ(image.Points()[0].x + image.Origin().x, 0x3AB);
  EXPECT_EQ(image.Points()[0].y + image.Origin().y, 0x3CD);
}

TEST_F(CCapImageTest, LabelsAndWhereTheDrawingStarts) {
  // A ".cap" file always has 100 slots and no count byte: its drawing starts at byte 600.
  std::string cap(600, '\0');
  cap[0] = 0;  // slot 0: x 0
  cap[200] = 5;  // slot 0: y 5
  cap[400 + 2] = static_cast<char>(0xE1);  // slot 1: number 2017 (0x07E1), at (0, 0)
  cap[400 + 3] = 0x07;
  cap += std::string("\x20\x64\x64", 3);  // one point at (100, 100)
  CCapImage image;
  ASSERT_EQ(Load(image, "p.cap", cap), 1);
  ASSERT_EQ(image.Labels().size(), 2u);
  EXPECT_EQ(image.Labels()[0].number, 0);  // only all-zero slots are empty
  EXPECT_EQ(image.Labels()[1].number, 2017);
  EXPECT_EQ(image.Points().size(), 2u);

  // ".ca3" with 2 slots: the drawing starts at 1 + 6 * 2.
  CCapImage counted;
  ASSERT_EQ(Load(counted, "p.ca3", CountedFile({{300, 400, 7}, {0, 0, 0}}, std::string("\x20\x64\x64", 3))), 1);
  ASSERT_EQ(counted.Labels().size(), 1u);
  EXPECT_EQ(counted.Points().size(), 2u);
}

TEST_F(CCapImageTest, LabelTexts) {
  const std::pair<int, const char*> cases[] = {{5, "5"}, {2017, "17B"}, {1000, "0A"}, {999, "999"}, {26999, "999Z"}};
  for (const auto& [number, text] : cases) EXPECT_STREQ(CCapImage::LabelText(static_cast<WORD>(number)), text);
}

TEST_F(CCapImageTest, ShortFilesLoadNoLabelsPastTheirEnd) {
  std::string file = CountedFile({{10, 20, 3}, {30, 40, 4}, {50, 60, 5}}, "");
  file.resize(1 + 6 + 6 + 2);  // x, y and the first number only
  CCapImage image;
  ASSERT_EQ(Load(image, "p.ca3", file), 1);
  ASSERT_EQ(image.Labels().size(), 1u);
  EXPECT_EQ(image.Labels()[0].number, 3);
  EXPECT_TRUE(image.Points().empty());
  CCapImage empty;
  EXPECT_EQ(Load(empty, "e.ca4", ""), 1);
  EXPECT_EQ(empty.Scale(100, 100), 0);
}

TEST_F(CCapImageTest, MissingFileGivesTheFileNotFoundCause) {
  CCapImage image;
  int error = 0;
  EXPECT_EQ(image.Load((m_folder / "none.cap").c_str(), nullptr, &error), 0);
  EXPECT_EQ(error, 2);
}

TEST_F(CCapImageTest, ExtentGivesStandardSizeAndCentring) {
  // From (100, 50) to (500, 450): standard size 440 x 440, shifted by (80, 30).
  // The second group carries the high bits 1 of 500 (0x1F4) and 450 (0x1C2).
  const std::string plain("\x20\x64\x32\x35\xF4\xC2", 6);
  CCapImage image;
  ASSERT_EQ(Load(image, "p.ca3", CountedFile({}, plain)), 1);
  int width = 0, height = 0;
  image.GetStandardSize(&width, &height);
  EXPECT_EQ(width, 440);
  EXPECT_EQ(height, 440);
  EXPECT_EQ(image.Points()[0].x, 100 - 80);
  EXPECT_EQ(image.Points()[0].y, 50 - 30);
  image.GetZoomSize(&width, &height);
  EXPECT_EQ(width, 440);
}

TEST_F(CCapImageTest, FixedStandardSizeCentresAndScalesRounded) {
  CCapImage::SetStandardSize(640, 1024);
  CCapImage image;
  // Points (10, 20) and (13, 21): extent 10..13, 20..21.
  ASSERT_EQ(Load(image, "p.ca3", CountedFile({}, std::string("\x40\x0A\x14\x0D\x15", 5))), 1);
  const int dx = (10 + 13 - 640) / 2, dy = (20 + 21 - 1024) / 2;
  EXPECT_EQ(image.Points()[1].x, 13 - dx);
  EXPECT_EQ(image.Points()[1].y, 21 - dy);
  ASSERT_EQ(image.Scale(320, 100), 1);
  EXPECT_EQ(image.ScaledPoints()[1].x, (2 * (13 - dx) * 320 + 640) / (2 * 640));
  EXPECT_EQ(image.ScaledPoints()[1].y, ((21 - dy) * 100 * 2 + 1024) / (2 * 1024));
}

TEST_F(CCapImageTest, LabelsBecomeHotspots) {
  HS_HANDLE list = HS_New();
  {
    CCapImage image;
    ASSERT_EQ(Load(image, "p.ca3", CountedFile({{100, 200, 2017}, {300, 200, 5}}, std::string("\x20\x64\x64", 3)), list), 1);
    ASSERT_EQ(HS_GetNumberOfHotspots(list), 2);
    RECT rect{};
    CString* text = nullptr;
    CString* text2 = nullptr;
    BYTE mode = 9;
    ASSERT_TRUE(HS_GetHotspot(list, 0, &rect, &text, &text2, &mode));
    EXPECT_STREQ(*text, "17B");
    EXPECT_EQ(rect.left, image.Labels()[0].x);
    EXPECT_EQ(rect.top, image.Labels()[0].y);
    EXPECT_EQ(HS_SetTextMode(list, 1), 1);  // label mode is on while the picture lives
  }
  EXPECT_EQ(HS_SetTextMode(list, 0), 0);
  HS_Delete(list);
}

TEST_F(CCapImageTest, BackgroundEntriesOfThePalette) {
  CCapImage image;
  image.SetBkColor(0x00102030, 0);
  const auto& palette = image.PaletteEntries();
  ASSERT_EQ(palette.size(), 256u);
  EXPECT_EQ(palette[10].peRed, 0x30);
  EXPECT_EQ(palette[245].peRed, 0xCF);
  EXPECT_EQ(palette[245].peBlue, 0xEF);
  EXPECT_EQ(palette[100].peRed, 32 * ((100 / 8) % 8));
  EXPECT_EQ(palette[100].peGreen, 64);
  EXPECT_EQ(palette[255].peRed, 255);
}

TEST_F(CCapImageTest, RandomDamageStaysInsideTheBytes) {
  const std::string sound = CountedFile({{10, 20, 3}, {30, 40, 1004}}, std::string("\x3A\x10\x20\x40\1\2\3\4\x1F\x3A\xBC\xD0", 12));
  std::mt19937 random(99);
  for (int round = 0; round < 600; ++round) {
    std::string bytes = sound;
    for (int i = 0; i < 1 + static_cast<int>(random() % 5); ++i) bytes[random() % bytes.size()] = static_cast<char>(random());
    if (random() % 3 == 0) bytes.resize(random() % bytes.size());
    CCapImage image;
    EXPECT_EQ(Load(image, round % 2 ? "d.ca4" : "d.ca3", bytes), 1);
    image.Scale(200, 300);
  }
}

}  // namespace

namespace {

TEST_F(CCapImageTest, BitmapsOfTheWholeDrawingAndOfAPart) {
  CCapImage::SetStandardSize(200, 100);
  CCapImage image;
  // A line from (100, 100) to (150, 100); extent 100 .. 150, 100 .. 100: shift (25, 50).
  ASSERT_EQ(Load(image, "p.ca3", CountedFile({}, std::string("\x20\x64\x64\x30\x96\x64", 6))), 1);
  image.SetBkColor(RGB(0, 0, 255), 0);
  image.Scale(100, 50);
  struct Case {
    CCapImage::Copy kind;
    int left, top, width, height;
    POINT ink, paper;
  };
  const Case cases[] = {
      {CCapImage::Copy::Standard, 0, 0, 200, 100, {75, 50}, {75, 51}},
      {CCapImage::Copy::Zoomed, 0, 0, 100, 50, {40, 25}, {40, 26}},
      {CCapImage::Copy::Part, 70, 40, 20, 20, {5, 10}, {5, 11}},
  };
  for (const Case& c : cases) {
    HBITMAP bitmap = image.MakeBitmap(c.kind, c.left, c.top, c.width, c.height);
    ASSERT_NE(bitmap, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    EXPECT_EQ(GetPixel(dc, c.ink.x, c.ink.y) & 0xFFFFFF, RGB(0, 0, 0)) << c.width;
    EXPECT_EQ(GetPixel(dc, c.paper.x, c.paper.y) & 0xFFFFFF, RGB(0, 0, 255)) << c.width;
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
}

}  // namespace
