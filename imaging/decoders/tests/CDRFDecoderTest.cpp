#include <gtest/gtest.h>

#include <string>

#include "imaging/decoders/CDRFDecoder.h"
#include "imaging/raster/CDib.h"
#include "imaging/raster/PixelIndex.h"
#include "imaging/testing/DrfEncoder.h"
#include "testing/TempFolder.h"

namespace {

using imaging::testing::DrfHotspot;
using imaging::testing::DrfOptions;
using imaging::testing::DrfPicture;

DECODER_FILEHEAD Head(const std::string& bytes) {
  const BYTE* data = reinterpret_cast<const BYTE*>(bytes.data());
  return DECODER_FILEHEAD{data, data, static_cast<LONG>(bytes.size()), static_cast<LONG>(bytes.size())};
}

TEST(CDRFDecoder, Signature) {
  auto head = [](size_t size, BYTE kind, BYTE flags, size_t typeAt, BYTE type) {
    std::string bytes(size, '\0');
    bytes[0] = static_cast<char>(kind);
    if (size > 1) bytes[1] = static_cast<char>(flags);
    if (typeAt < size) bytes[typeAt] = static_cast<char>(type);
    return bytes;
  };
  struct Case {
    std::string bytes;
    bool fits;
  };
  const Case cases[] = {
      {head(20, 2, 0, 19, 5), false},      {head(21, 2, 0, 20, 5), true},       {head(21, 1, 0, 20, 8), true},
      {head(21, 6, 0, 20, 6), true},       {head(21, 8, 0, 20, 7), true},       {head(21, 3, 0, 20, 5), false},
      {head(21, 2, 0, 20, 9), false},      {head(21, 2, 0, 20, 4), false},      {head(71, 2, 0x10, 70, 5), true},
      {head(70, 2, 0x10, 20, 5), false},   {head(71, 2, 0x10, 20, 5), false},   {head(1, 2, 0, 0, 2), false},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const DECODER_FILEHEAD h = Head(cases[i].bytes);
    EXPECT_EQ(CDRFDecoder::SignatureFits(&h), cases[i].fits) << i;
  }
}

class DrfPlugin : public ::testing::Test {
 protected:
  int MakeDib(const std::string& name, const std::string& bytes, HS_HANDLE hotspots = nullptr) {
    m_folder.Write(name, bytes);
    DECODER_FILEHEAD head = Head(bytes);
    m_error = -1;
    return DECODER_MakeDibOf(name, &head, hotspots);
  }
  int DECODER_MakeDibOf(const std::string& name, DECODER_FILEHEAD* head, HS_HANDLE hotspots) {
    CDRFDecoder decoder;
    return decoder.RunMakeDib((m_folder / name).c_str(), head, &m_dib, hotspots, 32, &m_error);
  }

  layer::testing::TempFolder m_folder;
  CDib m_dib;
  int m_error = -1;
};

TEST_F(DrfPlugin, PicturesOfEveryTypeDecodeIntoTheTarget) {
  struct Case {
    int type;
    int bits, colours;
  };
  for (const Case& c : {Case{5, 4, 4}, Case{6, 8, 240}, Case{7, 8, 64}, Case{8, 4, 4}}) {
    const DrfPicture picture = imaging::testing::MakeDrfTestPicture(c.type, 37, 11);
    ASSERT_EQ(MakeDib("p.drf", imaging::testing::WriteDrfFile(picture)), 1) << c.type;
    EXPECT_EQ(m_error, 0);
    EXPECT_EQ(m_dib.GetWidth(), 37);
    EXPECT_EQ(m_dib.GetHeight(), 11);
    EXPECT_EQ(m_dib.GetBitCount(), c.bits);
    EXPECT_EQ(m_dib.GetColorCount(), c.colours);
    int differing = 0;
    for (int y = 0; y < 11; ++y)
      for (int x = 0; x < 37; ++x) differing += IndexAt(m_dib.GetLineArray()[y], x, c.bits) != picture.At(x, y);
    EXPECT_EQ(differing, 0) << c.type;
  }
}

TEST_F(DrfPlugin, HotspotsArriveWithTheirTextsInTheAnsiCodePage) {
  const DrfPicture picture = imaging::testing::MakeDrfTestPicture(6, 20, 10);
  const std::vector<DrfHotspot> hotspots = {{"A-1", "Stra\xE1" "e \x84", 1, 2, 5, 6, 7},
                                            {"B-2", "", 10, 1, 12, 3, 2}};
  HS_HANDLE list = HS_New();
  HS_AddHotspot(list, 0, 0, 1, 1, "old", nullptr, 0);
  ASSERT_EQ(MakeDib("h.drf", imaging::testing::WriteDrfFile(picture, hotspots), list), 1);
  ASSERT_EQ(HS_GetNumberOfHotspots(list), 2);
  RECT rect{};
  CString* name = nullptr;
  CString* text = nullptr;
  BYTE flags = 0;
  ASSERT_TRUE(HS_GetHotspot(list, 0, &rect, &name, &text, &flags));
  EXPECT_STREQ(*name, "A-1");
  EXPECT_STREQ(*text, "Stra\xDF" "e \xE4");
  EXPECT_EQ(flags, 7 & 3);
  ASSERT_TRUE(HS_GetHotspot(list, 1, &rect, &name, &text, &flags));
  EXPECT_STREQ(*name, "B-2");

  ASSERT_EQ(MakeDib("none.drf", imaging::testing::WriteDrfFile(picture)), 1);
  ASSERT_EQ(MakeDib("none.drf", imaging::testing::WriteDrfFile(picture), list), 1);
  EXPECT_EQ(HS_GetNumberOfHotspots(list), 0);
  HS_Delete(list);
}

TEST_F(DrfPlugin, FilesThePictureControlCannotReadFailAsInvalid) {
  const DrfPicture picture = imaging::testing::MakeDrfTestPicture(6, 20, 10);
  const std::string sound = imaging::testing::WriteDrfFile(picture);
  std::string kindThree = sound;
  kindThree[0] = 3;
  const std::pair<const char*, std::string> cases[] = {
      {"kind 3", kindThree},
      {"signature only", sound.substr(0, 24)},
      {"short", sound.substr(0, 12)},
  };
  for (const auto& [name, bytes] : cases) {
    EXPECT_EQ(MakeDib("bad.drf", bytes), 0) << name;
    EXPECT_EQ(m_error, DECODER_DRF_INVALID) << name;
  }
}

// The picture's width and height in a file written without the extension.
std::string WithSize(std::string bytes, int width, int height) {
  for (auto [at, value] : {std::pair{12, width}, std::pair{14, height}}) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>(value >> 8);
  }
  return bytes;
}

// A damaged header that claims more than the file holds fails before the
// target is made: every coded line needs its own record, and no bitmap
// beyond what the picture control can build is made.
TEST_F(DrfPlugin, ClaimsBeyondTheFileFailBeforeTheTargetIsMade) {
  const std::string typeSix = imaging::testing::WriteDrfFile(imaging::testing::MakeDrfTestPicture(6, 20, 10));
  const std::string typeSeven = imaging::testing::WriteDrfFile(imaging::testing::MakeDrfTestPicture(7, 20, 10));
  const std::string typeEight = imaging::testing::WriteDrfFile(imaging::testing::MakeDrfTestPicture(8, 20, 10));
  const std::pair<const char*, std::string> cases[] = {
      {"type 6, lines without records", WithSize(typeSix, 20, 1000)},
      {"type 7, lines without records", WithSize(typeSeven, 20, 1000)},
      {"type 6, a huge picture", WithSize(typeSix, 32000, 29000)},
      {"type 8, more than the stripes hold", WithSize(typeEight, 4000, 4000)},
  };
  for (const auto& [name, bytes] : cases) {
    const int untouchedWidth = m_dib.GetWidth();
    EXPECT_EQ(MakeDib("claims.drf", bytes), 0) << name;
    EXPECT_EQ(m_error, DECODER_DRF_INVALID) << name;
    EXPECT_EQ(m_dib.GetWidth(), untouchedWidth) << name;
  }
  // A type 8 picture has no coded lines: its size alone decides.
  EXPECT_EQ(MakeDib("eight.drf", WithSize(typeEight, 500, 400)), 1);
  EXPECT_EQ(m_dib.GetWidth(), 500);
}

TEST_F(DrfPlugin, FileInfoWithoutSignatureTest) {
  const DrfPicture picture = imaging::testing::MakeDrfTestPicture(7, 30, 12);
  m_folder.Write("i.drf", imaging::testing::WriteDrfFile(picture, {{"N", "t", 1, 1, 2, 2, 0}}));
  DECODER_FILEHEAD head = Head("");
  BITMAPINFOHEADER info{};
  HS_HANDLE list = HS_New();
  CDRFDecoder decoder;
  int error = -1;
  EXPECT_EQ(decoder.RunGetFileInfo((m_folder / "i.drf").c_str(), &head, &info, list, &error), 1);
  EXPECT_EQ(error, 0);
  EXPECT_EQ(info.biWidth, 30);
  EXPECT_EQ(info.biHeight, 12);
  EXPECT_EQ(info.biBitCount, 8);
  EXPECT_EQ(HS_GetNumberOfHotspots(list), 1);
  HS_Delete(list);

  BITMAPINFOHEADER untouched{};
  CDRFDecoder missing;
  EXPECT_EQ(missing.RunGetFileInfo((m_folder / "none.drf").c_str(), &head, &untouched, nullptr, &error), 0);
  EXPECT_EQ(error, DECODER_DRF_INVALID);
  EXPECT_EQ(untouched.biWidth, 0);
}

}  // namespace
