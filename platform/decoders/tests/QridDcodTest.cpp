#include "interfaces/QridDcod.h"

#include <gtest/gtest.h>

#include "foundation/CDynBuf.h"
#include "imaging/decoders/tests/BmpFile.h"
#include "imaging/raster/CDib.h"
#include "interfaces/Decoder.h"
#include "testing/TempFolder.h"

namespace {

class QridDcod : public ::testing::Test {
 protected:
  void SetUp() override { m_decoder = DcodNewInterface(); }
  void TearDown() override { EXPECT_EQ(DcodDeleteInterface(m_decoder), 1); }

  int Decode(const std::string& path) {
    m_error = -1;
    m_sideDataValid = -1;
    m_sideData.Empty();
    return DcodDecodeFile(m_decoder, path.c_str(), &m_dib, 32, &m_error, nullptr, &m_sideData, &m_sideDataValid);
  }

  layer::testing::TempFolder m_folder;
  DECODER_HANDLE m_decoder = nullptr;
  CDib m_dib;
  CDynBuf m_sideData;
  int m_error = -1;
  int m_sideDataValid = -1;
};

BmpFile Bilevel() {
  BmpFile file;
  file.width = 40;
  file.height = 3;
  file.bits = 1;
  file.colours = {RGBQUAD{255, 255, 255, 0}, RGBQUAD{0, 0, 0, 0}};
  file.pixels = std::string(8, '\0') + std::string("\x0F\xFF\0\0\0\0\0\0", 8) + std::string(8, '\0');
  return file;
}

TEST_F(QridDcod, BitmapFilesReachTheBitmapPlugin) {
  BmpFile file;
  file.width = 3;
  file.height = 1;
  file.bits = 24;
  file.pixels = std::string("\1\2\3\4\5\6\7\10\11\0\0\0", 12);
  m_folder.Write("Pics/Part.BMP", file.Bytes());
  // Paths are written the platform's way and found without regard to case.
  EXPECT_EQ(Decode(m_folder.Path() + "\\pics\\part.bmp"), 1);
  EXPECT_EQ(m_error, 0);
  EXPECT_EQ(m_dib.GetBitCount(), 24);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(m_dib.GetLineArray()[0]), 9), std::string("\1\2\3\4\5\6\7\10\11"));
  EXPECT_EQ(m_sideDataValid, 0);
  EXPECT_EQ(m_sideData.GetLength(), 0);
}

TEST_F(QridDcod, FailuresAndTheirCodes) {
  BmpFile damaged = Bilevel();
  damaged.bits = 16;
  damaged.colours.clear();
  m_folder.Write("damaged.bmp", damaged.Bytes());
  m_folder.Write("picture.gif", "GIF89a and so on");
  m_folder.Write("empty.bmp", "");
  const std::pair<std::string, int> cases[] = {
      {"missing.bmp", DECODER_OPEN_FILE},
      {"picture.gif", DECODER_UNSUPPORTED_FORMAT},
      {"empty.bmp", DECODER_UNSUPPORTED_FORMAT},
      {"damaged.bmp", DECODER_BMP_BPP},
  };
  for (const auto& [name, code] : cases) {
    EXPECT_EQ(Decode(m_folder / name), 0) << name;
    EXPECT_EQ(m_error, code) << name;
    EXPECT_EQ(m_sideDataValid, 0) << name;
  }
}

TEST_F(QridDcod, BilevelPicturesLeaveTheirRunsAsSideData) {
  m_folder.Write("lines.bmp", Bilevel().Bytes());
  ASSERT_EQ(Decode(m_folder / "lines.bmp"), 1);
  EXPECT_EQ(m_sideDataValid, 1);
  // Header, three run counts and the one run of the middle line: columns 4 to 15.
  ASSERT_EQ(m_sideData.GetLength(), 12 + 3 * 4 + 8);
  const BYTE* middle = m_sideData.GetData() + 12 + 4;
  EXPECT_EQ(middle[0], 1);
  EXPECT_EQ(middle[4], 4);
  EXPECT_EQ(middle[8], 16);
}

TEST(QridDcodHandles, NullHandles) {
  EXPECT_EQ(DcodDeleteInterface(nullptr), 0);
  CDib dib;
  int error = 0;
  EXPECT_EQ(DcodDecodeFile(nullptr, "x.bmp", &dib, 32, &error, nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(error, DECODER_LOAD_LIBRARY);
}

}  // namespace
