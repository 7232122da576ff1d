// Picture files on their whole way: through the decoder manager and its
// plug-ins into a picture with its zoomed copy, and onto a memory bitmap.
#include <gtest/gtest.h>

#include "imaging/decoders/tests/BmpFile.h"
#include "imaging/raster/CDoubleDib.h"
#include "imaging/testing/DrfEncoder.h"
#include "interfaces/QridDib.h"
#include "mfc/CDC.h"
#include "mfc/CPalette.h"
#include "testing/MemoryCanvas.h"
#include "testing/TempFolder.h"
#include "win32/Gdi.h"

namespace {

using layer::testing::MemoryCanvas;

COLORREF PixelAt(const MemoryCanvas& canvas, int x, int y) { return GetPixel(canvas.dc, x, y) & 0xFFFFFF; }

class LoadAndDraw : public ::testing::Test {
 protected:
  void SetUp() override {
    m_decoder = DDIB_NewDecoderInterface();
    m_dib = DDIB_New();
    m_hotspots = HS_New();
  }
  void TearDown() override {
    DDIB_Delete(m_dib);
    DDIB_DeleteDecoderInterface(m_decoder);
    HS_Delete(m_hotspots);
  }
  int Load(const std::string& name) {
    return DDIB_ImageLoad(m_dib, m_decoder, (m_folder / name).c_str(), &m_bits, &m_error, m_hotspots);
  }

  layer::testing::TempFolder m_folder;
  DECODER_HANDLE m_decoder = nullptr;
  DDIB_HANDLE m_dib = nullptr;
  HS_HANDLE m_hotspots = nullptr;
  int m_bits = -1;
  int m_error = -1;
};

TEST_F(LoadAndDraw, BitmapWithHotspotTrailer) {
  BmpFile file;
  file.width = 3;
  file.height = 2;
  file.colours = {RGBQUAD{0, 0, 255, 0}, RGBQUAD{0, 255, 0, 0}, RGBQUAD{255, 255, 255, 0}};
  file.coloursUsed = 3;
  file.pixels = std::string("\2\2\2\0" "\0\1\2\0", 8);  // bottom line white, top line red, green, white
  m_folder.Write("part.bmp", file.Bytes());
  HS_HANDLE writer = HS_New();
  HS_AddHotspot(writer, 0, 0, 1, 1, "4711", nullptr, 0);
  HS_FileWriteHotspots(writer, CString((m_folder / "part.bmp").c_str()));
  HS_Delete(writer);

  ASSERT_EQ(Load("part.bmp"), 1);
  EXPECT_EQ(m_bits, 8);
  EXPECT_EQ(HS_GetNumberOfHotspots(m_hotspots), 1);
  CPalette* palette = nullptr;
  ASSERT_EQ(DDIB_GetPalette(m_dib, &palette), 1);
  EXPECT_EQ(palette->GetEntryCount(), 256);  // the plug-in makes a full table
  DDIB_SetBkColor(m_dib, RGB(0x80, 0x80, 0x80), 0);
  MemoryCanvas canvas(8, 6);
  ASSERT_EQ(DDIB_OnDraw(m_dib, CDC::FromHandle(canvas.dc), 2, 3), 1);
  EXPECT_EQ(PixelAt(canvas, 2, 3), RGB(255, 0, 0));
  EXPECT_EQ(PixelAt(canvas, 3, 3), RGB(0, 255, 0));
  EXPECT_EQ(PixelAt(canvas, 4, 3), RGB(0x80, 0x80, 0x80));  // white shows the background
  EXPECT_EQ(PixelAt(canvas, 2, 4), RGB(0x80, 0x80, 0x80));
  EXPECT_EQ(PixelAt(canvas, 1, 3), RGB(255, 255, 255));
  EXPECT_EQ(PixelAt(canvas, 2, 5), RGB(255, 255, 255));
}

TEST_F(LoadAndDraw, DrfPictureWithItsColours) {
  const imaging::testing::DrfPicture picture = imaging::testing::MakeDrfTestPicture(6, 24, 9);
  m_folder.Write("view.drf", imaging::testing::WriteDrfFile(picture, {{"12", "", 1, 1, 4, 4, 0}}));
  ASSERT_EQ(Load("view.drf"), 1) << m_error;
  EXPECT_EQ(m_bits, 8);
  EXPECT_EQ(HS_GetNumberOfHotspots(m_hotspots), 1);
  MemoryCanvas canvas(24, 9);
  ASSERT_EQ(DDIB_OnDraw(m_dib, CDC::FromHandle(canvas.dc), 0, 0), 1);
  const BITMAPINFO* info = DDIB_GetBMI(m_dib);
  int differing = 0;
  for (int y = 0; y < 9; ++y) {
    for (int x = 0; x < 24; ++x) {
      const RGBQUAD c = info->bmiColors[picture.At(x, y)];
      const bool white = c.rgbRed == 255 && c.rgbGreen == 255 && c.rgbBlue == 255;
      if (!white) differing += PixelAt(canvas, x, y) != RGB(c.rgbRed, c.rgbGreen, c.rgbBlue);
    }
  }
  EXPECT_EQ(differing, 0);
}

TEST_F(LoadAndDraw, DamagedDrfFailsAsInvalid) {
  const imaging::testing::DrfPicture picture = imaging::testing::MakeDrfTestPicture(6, 24, 9);
  m_folder.Write("cut.drf", imaging::testing::WriteDrfFile(picture).substr(0, 30));
  EXPECT_EQ(Load("cut.drf"), 0);
  EXPECT_EQ(m_error, 501);
  EXPECT_EQ(DDIB_ImageExists(m_dib), 0);
}

TEST_F(LoadAndDraw, ReducedBilevelPictureShowsGreys) {
  BmpFile file;
  file.width = 64;
  file.height = 64;
  file.bits = 1;
  file.colours = {RGBQUAD{255, 255, 255, 0}, RGBQUAD{0, 0, 0, 0}};
  file.pixels.assign(8 * 64, '\0');
  for (int line = 0; line < 64; ++line) file.pixels[line * 8] = '\xFF';  // the first 8 columns black
  m_folder.Write("lines.bmp", file.Bytes());
  ASSERT_EQ(Load("lines.bmp"), 1);
  ASSERT_EQ(DDIB_ImageZoom(m_dib, 0, 0, 0, 16, 16), 1);
  EXPECT_EQ(DDIB_GetZoomBMI(m_dib)->bmiHeader.biBitCount, 4);
  MemoryCanvas canvas(16, 16);
  DDIB_OnDraw(m_dib, CDC::FromHandle(canvas.dc), 0, 0);
  EXPECT_EQ(PixelAt(canvas, 0, 5), RGB(0, 0, 0));           // all ink
  EXPECT_EQ(PixelAt(canvas, 1, 5), RGB(0, 0, 0));
  EXPECT_EQ(PixelAt(canvas, 2, 5), RGB(0xFF, 0xFF, 0xFF));  // paper
}

TEST_F(LoadAndDraw, CapDrawingWithLabelHotspots) {
  // One label "7" at (300, 400); a line from (100, 100) to (200, 100).
  std::string cap(1, '\x01');
  cap += std::string("\x2C\x01" "\x90\x01" "\x07\x00", 6);
  cap += std::string("\x20\x64\x64" "\x30\xC8\x64", 6);
  m_folder.Write("view.ca3", cap);
  DDIB_SetStandardCapSize(nullptr, -1, -1);
  ASSERT_EQ(Load("view.ca3"), 1);
  DDIB_SetStandardCapSize(nullptr, 640, 1024);
  EXPECT_EQ(m_bits, 0);
  EXPECT_EQ(HS_GetNumberOfHotspots(m_hotspots), 1);
  CPalette* palette = nullptr;
  ASSERT_EQ(DDIB_GetPalette(m_dib, &palette), 1);
  EXPECT_EQ(palette->GetEntryCount(), 256);
  int size[2];
  DDIB_GetSize(m_dib, size);
  // Extent (100, 100) to (325, 415): origin (80, 80), 265 x 355.
  EXPECT_EQ(size[0], 265);
  EXPECT_EQ(size[1], 355);
  ASSERT_EQ(DDIB_ImageZoom(m_dib, 1, 0, 0, 0, 0), 1);
  MemoryCanvas canvas(300, 400);
  ASSERT_EQ(DDIB_OnDraw(m_dib, CDC::FromHandle(canvas.dc), 0, 0), 1);
  // Centred by ((100 + 325 - 265) / 2, (100 + 415 - 355) / 2) = (80, 80).
  EXPECT_EQ(PixelAt(canvas, 20, 20), RGB(0, 0, 0));
  EXPECT_EQ(PixelAt(canvas, 70, 20), RGB(0, 0, 0));
  EXPECT_EQ(PixelAt(canvas, 70, 21), RGB(255, 255, 255));
  EXPECT_EQ(PixelAt(canvas, 130, 20), RGB(255, 255, 255));
}

}  // namespace
