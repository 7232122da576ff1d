#include "imaging/raster/CDoubleDib.h"

#include <gtest/gtest.h>

#include "imaging/decoders/tests/BmpFile.h"
#include "interfaces/Decoder.h"
#include "interfaces/QridDib.h"
#include "testing/TempFolder.h"
#include "win32/Clipboard.h"
#include "win32/Gdi.h"
#include "win32/Memory.h"
#include "win32/UserWindows.h"

namespace {

TEST(CDoubleDibZoomSize, ByMode) {
  const int kFitWidth = 400 - (GetSystemMetrics(SM_CXVSCROLL) + 1);
  struct Case {
    int mode;
    SIZE picture;
    int targetWidth, targetHeight;
    SIZE expected;
  };
  const Case cases[] = {
      {1, {1000, 700}, 10, 10, {1000, 700}},
      {3, {1000, 700}, 10, 10, {333, 233}},
      {0, {800, 600}, 400, 400, {400, 300}},
      {0, {600, 800}, 400, 400, {300, 400}},
      {0, {3, 2}, 10, 10, {10, 7}},  // rounded
      // Taller than the target: room for the scroll bar.
      {-2, {800, 600}, 400, 200, {kFitWidth, static_cast<int>(kFitWidth * 0.75 + 0.5)}},
      {-2, {800, 600}, 400, 400, {400, 300}},
  };
  for (const Case& c : cases) {
    const SIZE size = CDoubleDib::ZoomSize(c.mode, c.picture, c.targetWidth, c.targetHeight);
    EXPECT_EQ(size.cx, c.expected.cx) << c.mode << " " << c.picture.cx;
    EXPECT_EQ(size.cy, c.expected.cy) << c.mode << " " << c.picture.cx;
  }
}

class DoubleDib : public ::testing::Test {
 protected:
  void SetUp() override {
    m_decoder = DDIB_NewDecoderInterface();
    m_dib = DDIB_New();
  }
  void TearDown() override {
    DDIB_Delete(m_dib);
    EXPECT_EQ(DDIB_DeleteDecoderInterface(m_decoder), 1);
  }

  // An 8-bit picture of width x height whose pixel (x, y) is (x + y) % 4.
  void WritePicture(const std::string& name, int width, int height) {
    BmpFile file;
    file.width = width;
    file.height = height;
    file.colours = Greys(4);
    file.coloursUsed = 4;
    const int stride = (width + 3) & ~3;
    file.pixels.assign(static_cast<size_t>(stride) * height, 0);
    for (int line = 0; line < height; ++line)
      for (int x = 0; x < width; ++x) file.pixels[(height - 1 - line) * stride + x] = static_cast<char>((x + line) % 4);
    m_folder.Write(name, file.Bytes());
  }

  int Load(const std::string& name, HS_HANDLE hotspots = nullptr) {
    m_bits = m_error = -1;
    return DDIB_ImageLoad(m_dib, m_decoder, (m_folder / name).c_str(), &m_bits, &m_error, hotspots);
  }

  layer::testing::TempFolder m_folder;
  DECODER_HANDLE m_decoder = nullptr;
  DDIB_HANDLE m_dib = nullptr;
  int m_bits = -1;
  int m_error = -1;
};

TEST_F(DoubleDib, LoadedPictureIsItsOwnZoomedCopyUntilTheFirstZoom) {
  WritePicture("p.bmp", 40, 30);
  ASSERT_EQ(Load("p.bmp"), 1);
  EXPECT_EQ(m_bits, 8);
  EXPECT_EQ(m_error, 0);
  EXPECT_EQ(DDIB_GetBMI(m_dib), DDIB_GetZoomBMI(m_dib));
  int size[2];
  EXPECT_EQ(DDIB_GetSize(m_dib, size), 1);
  EXPECT_EQ(size[0], 40);
  EXPECT_EQ(DDIB_GetBitLine(m_dib, 0)[3], 3);
  EXPECT_EQ(DDIB_GetBitLine(m_dib, 29)[0], 29 % 4);
  EXPECT_EQ(DDIB_GetBitLine(m_dib, -1), nullptr);
  EXPECT_EQ(DDIB_GetBitLine(m_dib, 30), nullptr);
  EXPECT_EQ(DDIB_GetBits(m_dib), DDIB_GetBitLine(m_dib, 29));

  ASSERT_EQ(DDIB_ImageZoom(m_dib, 2, 0, 0, 0, 0), 1);
  EXPECT_NE(DDIB_GetBMI(m_dib), DDIB_GetZoomBMI(m_dib));
  EXPECT_EQ(DDIB_GetZoomSize(m_dib, size), 1);
  EXPECT_EQ(size[0], 20);
  EXPECT_EQ(size[1], 15);
  ASSERT_EQ(DDIB_ImageZoom(m_dib, 1, 0, 0, 0, 0), 1);
  ASSERT_EQ(DDIB_ImageZoom(m_dib, 0, 0, 0, 80, 80), 1);  // must not delete the picture
  EXPECT_EQ(DDIB_GetBMI(m_dib)->bmiHeader.biWidth, 40);
  EXPECT_EQ(DDIB_GetZoomBMI(m_dib)->bmiHeader.biWidth, 80);
}

TEST_F(DoubleDib, FailedLoadLeavesNothingToShow) {
  m_folder.Write("bad.bmp", "BM and nothing else");
  EXPECT_EQ(Load("bad.bmp"), 0);
  EXPECT_EQ(m_error, DECODER_BMP_NOT_BITMAP);
  EXPECT_EQ(m_bits, 0);
  EXPECT_EQ(DDIB_ImageExists(m_dib), 0);
  EXPECT_EQ(DDIB_ImageZoomExists(m_dib), 0);
  EXPECT_EQ(DDIB_GetBMI(m_dib), nullptr);
  EXPECT_EQ(DDIB_ImageZoom(m_dib, 0, 0, 0, 100, 100), 0);
  int size[2] = {7, 7};
  EXPECT_EQ(DDIB_GetSize(m_dib, size), 0);
  EXPECT_EQ(size[0], 0);
  EXPECT_EQ(Load("missing.bmp"), 0);
  EXPECT_EQ(m_error, DECODER_OPEN_FILE);
}

TEST_F(DoubleDib, ExtensionsBeginningWithCaAreVectorPictures) {
  const std::string cap = std::string(1, '\0') + std::string("\x20\x64\x64", 3);
  for (const char* name : {"x.CA4", "x.cap", "x.ca3", "x.car", "dir.v2/x.ca3"}) {
    m_folder.Write(name, cap);
    ASSERT_EQ(Load(name), 1) << name;
    EXPECT_EQ(m_bits, 0) << name;
    EXPECT_EQ(DDIB_ImageExists(m_dib), 1) << name;
    EXPECT_EQ(DDIB_ImageZoomExists(m_dib), 1) << name;
    EXPECT_EQ(DDIB_GetBMI(m_dib), nullptr) << name;
  }
  WritePicture("cable.bmp", 4, 4);
  EXPECT_EQ(Load("cable.bmp"), 1);
  EXPECT_EQ(m_bits, 8);
  // Without a "." the whole path is the extension; "/..." is no vector picture.
  m_folder.Write("cable", cap);
  EXPECT_EQ(Load("cable"), 0);
  EXPECT_EQ(m_error, DECODER_UNSUPPORTED_FORMAT);
}

TEST_F(DoubleDib, StandardCapSizeReachesOnlyLaterLoads) {
  m_folder.Write("x.ca3", std::string(1, '\0') + std::string("\x20\x64\x64", 3));
  ASSERT_EQ(Load("x.ca3"), 1);
  DDIB_SetStandardCapSize(nullptr, 300, 200);
  int size[2];
  DDIB_GetSize(m_dib, size);
  EXPECT_EQ(size[0], 640);
  DDIB_HANDLE other = DDIB_New();
  int bits = 0, error = 0;
  ASSERT_EQ(DDIB_ImageLoad(other, m_decoder, (m_folder / "x.ca3").c_str(), &bits, &error, nullptr), 1);
  DDIB_GetSize(other, size);
  EXPECT_EQ(size[0], 300);
  EXPECT_EQ(size[1], 200);
  EXPECT_EQ(DDIB_ImageZoom(other, 0, 0, 0, 150, 150), 1);
  DDIB_GetZoomSize(other, size);
  EXPECT_EQ(size[0], 150);
  EXPECT_EQ(size[1], 100);
  DDIB_Delete(other);
  DDIB_SetStandardCapSize(nullptr, 640, 1024);
}

TEST_F(DoubleDib, ZoomModesThatGiveNoPictureAreRefused) {
  WritePicture("p.bmp", 40, 30);
  ASSERT_EQ(Load("p.bmp"), 1);
  for (int mode : {-3, -1, 100}) EXPECT_EQ(DDIB_ImageZoom(m_dib, mode, 0, 0, 10, 10), 0) << mode;
  EXPECT_EQ(DDIB_GetBMI(m_dib), DDIB_GetZoomBMI(m_dib));
}

TEST_F(DoubleDib, ZoomRectEnlargesUpToTheCeiling) {
  WritePicture("p.bmp", 1000, 800);
  ASSERT_EQ(Load("p.bmp"), 1);
  ASSERT_EQ(DDIB_ImageZoom(m_dib, 2, 0, 0, 0, 0), 1);  // 500 x 400
  struct Case {
    RECT selection, target;
    int result;
    SIZE expected;
  };
  const Case cases[] = {
      {{0, 0, 250, 200}, {0, 0, 500, 400}, 1, {1000, 800}},
      {{250, 200, 0, 0}, {0, 0, 500, 400}, 1, {1000, 800}},  // normalised
      {{0, 0, 50, 40}, {0, 0, 500, 400}, 1, {1500, 1200}},   // 8 bits: at most 1600 x 1200
      {{0, 0, 900, 900}, {0, 0, 500, 400}, 1, {500, 400}},   // never below the present zoom
      {{10, 10, 10, 50}, {0, 0, 500, 400}, 0, {500, 400}},   // an empty selection
      {{0, 0, 50, 40}, {0, 0, 0, 400}, 0, {500, 400}},       // an empty target
  };
  for (const Case& c : cases) {
    DDIB_ImageZoom(m_dib, 2, 0, 0, 0, 0);
    const RECT& s = c.selection;
    const RECT& t = c.target;
    EXPECT_EQ(DDIB_ImageZoomRect(m_dib, s.left, s.top, s.right, s.bottom, t.left, t.top, t.right, t.bottom), c.result);
    int size[2];
    DDIB_GetZoomSize(m_dib, size);
    EXPECT_EQ(size[0], c.expected.cx) << s.right;
    EXPECT_EQ(size[1], c.expected.cy) << s.right;
  }
}

TEST_F(DoubleDib, PartsOfTheZoomedCopyMapToThePicture) {
  WritePicture("p.bmp", 300, 200);
  ASSERT_EQ(Load("p.bmp"), 1);
  ASSERT_EQ(DDIB_ImageZoom(m_dib, 0, 0, 0, 90, 90), 1);  // 90 x 60
  struct Case {
    RECT zoomed, picture;
  };
  const Case cases[] = {
      {{0, 0, 90, 60}, {0, 0, 299, 199}},     // limited to size - 1
      {{10, 5, 20, 7}, {33, 17, 67, 23}},     // rounded to nearest
      {{-5, 0, 200, 61}, {0, 0, 299, 199}},
  };
  for (const Case& c : cases) {
    const RECT part = m_dib->PartInPicture(c.zoomed);
    EXPECT_EQ(part.left, c.picture.left);
    EXPECT_EQ(part.top, c.picture.top);
    EXPECT_EQ(part.right, c.picture.right);
    EXPECT_EQ(part.bottom, c.picture.bottom);
  }
}

// The CF_DIB on the clipboard: its header and the start of its pixels.
struct ClipboardDib {
  BITMAPINFOHEADER header{};
  std::string pixels;
  ClipboardDib() {
    if (!OpenClipboard(nullptr)) return;
    if (HANDLE data = GetClipboardData(CF_DIB)) {
      const auto* info = static_cast<const BITMAPINFO*>(GlobalLock(data));
      header = info->bmiHeader;
      const BYTE* bits = reinterpret_cast<const BYTE*>(info) + 40 + 4 * (header.biClrUsed ? header.biClrUsed : 256);
      pixels.assign(reinterpret_cast<const char*>(bits), static_cast<size_t>(WIDTHBYTES(header.biWidth * 8) * header.biHeight));
      GlobalUnlock(data);
    }
    CloseClipboard();
  }
};

BITMAP ClipboardBitmap() {
  BITMAP info{};
  if (!OpenClipboard(nullptr)) return info;
  GetObject(GetClipboardData(CF_BITMAP), sizeof info, &info);
  CloseClipboard();
  return info;
}

TEST_F(DoubleDib, CopiesReachTheClipboard) {
  EXPECT_EQ(DDIB_ImageCopyToClipboard(m_dib), 0);
  EXPECT_EQ(DDIB_ImagePartCopyToClipboard(m_dib, 0, 0, 4, 4), 0);
  WritePicture("p.bmp", 40, 30);
  ASSERT_EQ(Load("p.bmp"), 1);
  ASSERT_EQ(DDIB_ImageZoom(m_dib, 2, 0, 0, 0, 0), 1);  // 20 x 15
  ASSERT_EQ(DDIB_ImageCopyToClipboard(m_dib), 1);
  EXPECT_EQ(ClipboardDib().header.biWidth, 40);
  ASSERT_EQ(DDIB_ImageZoomCopyToClipboard(m_dib), 1);
  EXPECT_EQ(ClipboardDib().header.biWidth, 20);
  ASSERT_EQ(DDIB_ImagePartCopyToClipboard(m_dib, 1, 0, 5, 2), 1);  // picture columns 2 .. 9, lines 0 .. 3
  const ClipboardDib part;
  EXPECT_EQ(part.header.biWidth, 8);
  EXPECT_EQ(part.header.biHeight, 4);
  // The top line of the part is picture line 0 from column 2: (2 + 0) % 4, (3 + 0) % 4, ...
  EXPECT_EQ(part.pixels.substr(3 * 8, 4), std::string("\2\3\0\1", 4));

  // A clipboard that another caller holds is left alone.
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(DDIB_ImageCopyToClipboard(m_dib), 0);
  CloseClipboard();
  EXPECT_EQ(ClipboardDib().header.biWidth, 8);
}

TEST_F(DoubleDib, VectorPicturesGoToTheClipboardAsBitmaps) {
  m_folder.Write("x.ca3", std::string(1, '\0') + std::string("\x20\x64\x64", 3));
  ASSERT_EQ(Load("x.ca3"), 1);
  ASSERT_EQ(DDIB_ImageZoom(m_dib, 2, 0, 0, 0, 0), 1);
  const std::pair<int (*)(DDIB_HANDLE), int> cases[] = {{DDIB_ImageCopyToClipboard, 640},
                                                        {DDIB_ImageZoomCopyToClipboard, 320}};
  for (const auto& [copy, width] : cases) {
    ASSERT_EQ(copy(m_dib), 1);
    EXPECT_EQ(ClipboardBitmap().bmWidth, width);
  }
  ASSERT_EQ(DDIB_ImagePartCopyToClipboard(m_dib, 10, 10, 60, 40), 1);
  const BITMAP part = ClipboardBitmap();
  EXPECT_EQ(part.bmWidth, 100);
  EXPECT_EQ(part.bmHeight, 60);
}

TEST_F(DoubleDib, BackgroundAndMixingReachTheCopies) {
  WritePicture("a.bmp", 8, 8);
  BmpFile white;
  white.width = 4;
  white.height = 1;
  white.colours = {RGBQUAD{255, 255, 255, 0}, RGBQUAD{9, 9, 9, 0}};
  white.coloursUsed = 2;
  white.pixels = std::string("\0\1\0\1", 4);
  m_folder.Write("w.bmp", white.Bytes());
  ASSERT_EQ(Load("w.bmp"), 1);
  DDIB_SetBkColor(m_dib, 0x00123456, 3);
  const RGBQUAD shown = DDIB_GetZoomBMI(m_dib)->bmiColors[0];
  EXPECT_EQ(shown.rgbRed, 0x56);
  EXPECT_EQ(shown.rgbBlue, 0x12);
  ASSERT_EQ(DDIB_ImageZoom(m_dib, 0, 0, 0, 8, 2), 1);  // the copy takes the pair too
  EXPECT_EQ(DDIB_GetZoomBMI(m_dib)->bmiColors[0].rgbRed, 0x56);

  DDIB_HANDLE partner = DDIB_New();
  int bits = 0, error = 0;
  ASSERT_EQ(DDIB_ImageLoad(partner, m_decoder, (m_folder / "a.bmp").c_str(), &bits, &error, nullptr), 1);
  EXPECT_EQ(DDIB_MixPalette(m_dib, partner), 1);
  const auto& mixed = m_dib->Zoomed()->GetPaletteEntries();
  ASSERT_EQ(mixed.size(), 256u);
  EXPECT_EQ(mixed[10].peRed, 0x99);
  DDIB_Delete(partner);
}

}  // namespace
