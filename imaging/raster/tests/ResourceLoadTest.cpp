// Pictures loaded from the resources of this test program.
#include <gtest/gtest.h>

#include <vector>

#include "imaging/raster/CDib.h"
#include "interfaces/QridDib.h"
#include "win32/Module.h"

namespace {

constexpr int kBitmap = 201, kImage = 202, kBoth = 203, kTruncated = 204, kNoDepth = 205, kMissing = 299;

// The colour indices of a picture line, left to right.
std::vector<int> Indices(DDIB_HANDLE dib, int line) {
  const BITMAPINFO* info = DDIB_GetBMI(dib);
  const BYTE* bytes = DDIB_GetBitLine(dib, line);
  std::vector<int> indices;
  for (int x = 0; x < info->bmiHeader.biWidth; ++x)
    indices.push_back(info->bmiHeader.biBitCount == 8 ? bytes[x] : (bytes[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F);
  return indices;
}

class ResourceLoad : public ::testing::Test {
 protected:
  void TearDown() override { DDIB_Delete(m_dib); }

  int Load(int id) {
    m_bits = m_error = -1;
    return DDIB_ImageLoadResource(m_dib, nullptr, id, GetModuleHandle(nullptr), &m_bits, &m_error);
  }

  DDIB_HANDLE m_dib = DDIB_New();
  int m_bits = -1;
  int m_error = -1;
};

TEST_F(ResourceLoad, BitmapFirstThenImageElseErrorTwo) {
  struct Case {
    int id;
    int result, bits, error;
    int width, height;
  } cases[] = {
      {kBitmap, 1, 8, 0, 3, 2},
      {kImage, 1, 4, 0, 5, 3},
      {kBoth, 1, 8, 0, 3, 2},  // the bitmap wins
      {kTruncated, 0, 0, 2, 0, 0},
      {kNoDepth, 0, 0, 2, 0, 0},
      {kMissing, 0, 0, 2, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    EXPECT_EQ(Load(c.id), c.result);
    EXPECT_EQ(m_bits, c.bits);
    EXPECT_EQ(m_error, c.error);
    int size[2] = {-1, -1};
    DDIB_GetSize(m_dib, size);
    EXPECT_EQ(size[0], c.width);
    EXPECT_EQ(size[1], c.height);
    EXPECT_EQ(DDIB_ImageExists(m_dib), c.result);
    // The loaded picture is shown as it is until the first zoom.
    EXPECT_EQ(DDIB_GetZoomBMI(m_dib), DDIB_GetBMI(m_dib));
  }
}

TEST_F(ResourceLoad, ColoursAndPixelsComeFromTheResource) {
  ASSERT_EQ(Load(kBitmap), 1);
  const BITMAPINFO* bitmap = DDIB_GetBMI(m_dib);
  EXPECT_EQ(bitmap->bmiHeader.biClrUsed, 4u);
  EXPECT_EQ(bitmap->bmiColors[2].rgbRed, 0xAA);
  EXPECT_EQ(Indices(m_dib, 0), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(Indices(m_dib, 1), (std::vector<int>{1, 2, 3}));

  // The picture file leaves a gap after its colour table; its header says so.
  ASSERT_EQ(Load(kImage), 1);
  const BITMAPINFO* image = DDIB_GetBMI(m_dib);
  EXPECT_EQ(image->bmiHeader.biClrUsed, 3u);
  EXPECT_EQ(image->bmiColors[0].rgbRed, 255);
  EXPECT_EQ(image->bmiColors[2].rgbBlue, 255);
  EXPECT_EQ(Indices(m_dib, 0), (std::vector<int>{0, 1, 2, 0, 1}));
  EXPECT_EQ(Indices(m_dib, 2), (std::vector<int>{2, 0, 1, 2, 0}));
}

TEST(CDibResource, ModuleWithoutTheResourceGivesZeroAndKeepsThePicture) {
  CDib dib;
  EXPECT_EQ(dib.LoadFromResource(kMissing, GetModuleHandle(nullptr)), FALSE);
  EXPECT_EQ(dib.LoadFromResource(kBitmap, GetModuleHandle("KERNEL32.DLL")), FALSE);
  EXPECT_EQ(dib.GetWidth(), 16);
  EXPECT_EQ(dib.LoadFromResource(kBitmap, nullptr), TRUE);
  EXPECT_EQ(dib.GetWidth(), 3);
}

}  // namespace
