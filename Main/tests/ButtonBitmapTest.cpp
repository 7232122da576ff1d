#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "Main/ButtonBitmapFile.h"
#include "Main/tests/ButtonBitmaps.h"
#include "Main/tests/EngineFixture.h"
#include "win32/Gdi.h"
#include "win32/UserTypes.h"

namespace {

using varno::testing::BitmapFile;

class ButtonBitmapTest : public varno::testing::EngineFixture {
 protected:
  int Read(const std::string& bytes) {
    dataFolder.Write("button.bmp", bytes);
    return image.Read((dataFolder / "button.bmp").c_str(), 16, 15);
  }
  ButtonBitmapFile image;
};

struct BadCase {
  const char* name;
  BitmapFile file;
  int error;
};

class BadButtonBitmaps : public ButtonBitmapTest, public ::testing::WithParamInterface<BadCase> {};

TEST_P(BadButtonBitmaps, AreRefusedWithTheirErrorAndReported) {
  EXPECT_EQ(Read(GetParam().file.Bytes()), GetParam().error);
  EXPECT_EQ(image.MakeBitmap(), nullptr);
  ASSERT_EQ(dialog->shown.size(), 1u);
  EXPECT_NE(dialog->shown[0].second.find("[" + std::to_string(GetParam().error) + "]"), std::string::npos);
}

BitmapFile With(void (*change)(BitmapFile&)) {
  BitmapFile file;
  change(file);
  return file;
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadButtonBitmaps,
    ::testing::Values(
        BadCase{"NotABitmap", With([](BitmapFile& f) { f.magic = "PK"; }), 204},
        BadCase{"WrongSize", With([](BitmapFile& f) { f.width = f.height = 24; }), 205},
        BadCase{"OldShortHeader", With([](BitmapFile& f) { f.headerSize = 12; }), 204},
        BadCase{"HeaderLongerThanTheFile", With([](BitmapFile& f) { f.claimedHeaderSize = 0x7FFFFFF0; }), 204},
        BadCase{"TwoHundredFiftySixColours", With([](BitmapFile& f) { f.bits = 8; }), 204},
        BadCase{"Compressed", With([](BitmapFile& f) { f.compression = 2; }), 204},
        BadCase{"MoreColoursThanSixteen", With([](BitmapFile& f) { f.coloursUsed = 200; }), 204},
        BadCase{"PixelsCutShort", With([](BitmapFile& f) { f.cutAtEnd = 1; }), 204}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ButtonBitmapTest, FileThatCannotBeMappedIsError203) {
  EXPECT_EQ(image.Read((dataFolder / "missing.bmp").c_str(), 16, 15), 203);
  EXPECT_EQ(Read(""), 203);
  EXPECT_EQ(dialog->shown.size(), 2u);
}

TEST_F(ButtonBitmapTest, GoodImageGetsTheSystemsButtonColours) {
  ASSERT_EQ(Read(BitmapFile().Bytes()), 0);
  EXPECT_TRUE(dialog->shown.empty());
  HBITMAP bitmap = image.MakeBitmap();
  ASSERT_NE(bitmap, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  EXPECT_EQ(GetPixel(dc, 5, 5), GetSysColor(COLOR_BTNFACE));  // light grey follows the scheme
  EXPECT_EQ(GetPixel(dc, 0, 14), RGB(255, 0, 0));              // other colours stay
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bitmap);
  EXPECT_EQ(image.Kept().size(), BitmapFile().Bytes().size() - 14);
}

}  // namespace
