// Bitmaps of symbol buttons loaded from .bmp files: the pictures 1:1, and no
// picture at all from a file that is not a whole bitmap file.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "Main/CSymbolBitmaps.h"
#include "Main/CWV4BMB.h"
#include "imaging/decoders/tests/BmpFile.h"
#include "testing/TempFolder.h"
#include "win32/Gdi.h"

namespace {

// Rows of 24-bit pixels bottom-up, each padded to four bytes.
std::string Rows24(int width, int height, COLORREF (*colour)(int x, int y)) {
  std::string pixels;
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const COLORREF c = colour(x, y);
      pixels += static_cast<char>(GetBValue(c));
      pixels += static_cast<char>(GetGValue(c));
      pixels += static_cast<char>(GetRValue(c));
    }
    pixels.append(static_cast<size_t>((4 - width * 3 % 4) % 4), '\0');
  }
  return pixels;
}

COLORREF Pattern(int x, int y) { return RGB(40 * x, 100 + 50 * y, 7); }

BmpFile Picture24() {
  BmpFile file;
  file.width = 3;
  file.height = 2;
  file.bits = 24;
  file.pixels = Rows24(3, 2, Pattern);
  return file;
}

// The pixels of a bitmap as a memory context sees them.
COLORREF PixelOf(HBITMAP bitmap, int x, int y) {
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(memory, bitmap);
  const COLORREF pixel = GetPixel(memory, x, y);
  SelectObject(memory, old);
  DeleteDC(memory);
  return pixel;
}

class BitmapLoaderTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& bytes) {
    folder.Write("p.bmp", bytes);
    return folder / "p.bmp";
  }
  layer::testing::TempFolder folder;
};

TEST_F(BitmapLoaderTest, ATwentyFourBitFileLoadsOneToOne) {
  const std::string path = Write(Picture24().Bytes());
  HBITMAP bitmap = CWV4BMB::LoadBitmapFromFile(path.c_str());
  ASSERT_NE(bitmap, nullptr);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(PixelOf(bitmap, x, y), Pattern(x, y)) << x << "," << y;
  DeleteObject(bitmap);
  CSize size;
  ASSERT_TRUE(CWV4BMB::GetBitmapFileSize(path.c_str(), size));
  EXPECT_EQ(size, CSize(3, 2));
}

TEST_F(BitmapLoaderTest, ThePixelOffsetOfTheFileHeaderCounts) {
  BmpFile file = Picture24();
  file.gap = 10;
  HBITMAP bitmap = CWV4BMB::LoadBitmapFromFile(Write(file.Bytes()).c_str());
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(PixelOf(bitmap, 2, 1), Pattern(2, 1));
  DeleteObject(bitmap);
}

TEST_F(BitmapLoaderTest, APaletteOfTheColoursUsed) {
  BmpFile file;
  file.width = 2;
  file.height = 1;
  file.bits = 8;
  file.coloursUsed = 2;
  file.colours = {RGBQUAD{0, 0, 255, 0}, RGBQUAD{255, 0, 0, 0}};
  file.pixels = std::string("\x01\x00\x00\x00", 4);
  HBITMAP bitmap = CWV4BMB::LoadBitmapFromFile(Write(file.Bytes()).c_str());
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(PixelOf(bitmap, 0, 0), RGB(0, 0, 255));
  EXPECT_EQ(PixelOf(bitmap, 1, 0), RGB(255, 0, 0));
  DeleteObject(bitmap);
}

struct BadFile {
  const char* name;
  BmpFile file;
};

void PrintTo(const BadFile& c, std::ostream* out) { *out << c.name; }

BmpFile With(void (*change)(BmpFile&)) {
  BmpFile file = Picture24();
  change(file);
  return file;
}

class BadBitmapFiles : public BitmapLoaderTest, public ::testing::WithParamInterface<BadFile> {};

TEST_P(BadBitmapFiles, GiveNoPicture) {
  const std::string path = Write(GetParam().file.Bytes());
  EXPECT_EQ(CWV4BMB::LoadBitmapFromFile(path.c_str()), nullptr);
  CSize size;
  EXPECT_FALSE(CWV4BMB::GetBitmapFileSize(path.c_str(), size));
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadBitmapFiles,
    ::testing::Values(BadFile{"CoreHeader", With([](BmpFile& f) { f.headerSize = 12; })},
                      BadFile{"HeaderBeyondTheFile", With([](BmpFile& f) { f.headerSize = 4000; })},
                      BadFile{"ThreeBitsPerPixel", With([](BmpFile& f) { f.bits = 3; })},
                      BadFile{"RunLengthCoded", With([](BmpFile& f) { f.compression = 1; })},
                      BadFile{"NoWidth", With([](BmpFile& f) { f.width = 0; })},
                      BadFile{"NoHeight", With([](BmpFile& f) { f.height = 0; })},
                      BadFile{"HugeWidth", With([](BmpFile& f) { f.width = 1 << 30; })},
                      BadFile{"PixelsCut", With([](BmpFile& f) { f.pixels.resize(f.pixels.size() - 1); })},
                      BadFile{"MoreColoursThanTheDepth",
                              With([](BmpFile& f) {
                                f.bits = 8;
                                f.coloursUsed = 300;
                                f.pixels = std::string(8, '\0');
                              })},
                      BadFile{"ColourTableBeyondTheFile",
                              With([](BmpFile& f) {
                                f.bits = 8;
                                f.coloursUsed = 200;
                                f.pixels = std::string(8, '\0');
                              })}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BitmapLoaderTest, AFileCutAnywhereOrNotABitmapGivesNoPicture) {
  const std::string whole = Picture24().Bytes();
  for (size_t length = 0; length < whole.size(); ++length) {
    EXPECT_EQ(CWV4BMB::LoadBitmapFromFile(Write(whole.substr(0, length)).c_str()), nullptr) << length;
  }
  std::string other = whole;
  other[0] = 'P';
  EXPECT_EQ(CWV4BMB::LoadBitmapFromFile(Write(other).c_str()), nullptr);
  EXPECT_EQ(CWV4BMB::LoadBitmapFromFile((folder / "fehlt.bmp").c_str()), nullptr);
}

TEST_F(BitmapLoaderTest, ASymbolLoadsItsFourPicturesAndItsSize) {
  folder.Write("pfeilU.bmp", Picture24().Bytes());
  folder.Write("pfeilD.bmp", Picture24().Bytes());
  folder.Write("pfeilX.bmp", "kaputt");
  CSymbolBitmaps symbol;
  symbol.ReadEntry(("3," + (folder / "pfeil")).c_str());
  EXPECT_EQ(symbol.m_number, 3);
  EXPECT_EQ(symbol.m_width, 3);
  EXPECT_EQ(symbol.m_height, 2);
  EXPECT_NE(symbol.m_bitmaps[0], nullptr);
  EXPECT_NE(symbol.m_bitmaps[1], nullptr);
  EXPECT_EQ(symbol.m_bitmaps[2], nullptr);
  EXPECT_EQ(symbol.m_bitmaps[3], nullptr);
}

}  // namespace
