// Raster pictures in frames: their scale from the picture's resolution to
// the printer's, the fitting in percent steps, one-bit pictures one to one
// and through the row scaler, colour pictures, the cache across pages, the
// picture object and its libraries, decoder errors and the information text.
#include <gtest/gtest.h>

#include <regex>

#include "CImageDib.h"
#include "PictureFixture.h"
#include "VodContext.h"
#include "VodPictureLibraries.h"
#include "interfaces/QridHtSp.h"

namespace vod {
namespace {

using testing::BitmapFile;
using testing::PageImage;

constexpr int kDpi300 = 11811;  // pixels per metre
constexpr int kDpi600 = 23622;

class Raster : public testing::PictureFixture {
 protected:
  void SetUp() override {
    PictureFixture::SetUp();
    OpenPage(200, 120);
  }
  std::string Picture(const BitmapFile& bitmap, const std::string& name = "pic.bmp") {
    return File(name, bitmap.Bytes());
  }
  bool DrawAt(const std::string& file, int x, int y, int percent = 100) {
    return m_context->pictures->DrawRaster(*m_context, file, x, y, percent);
  }
  VodRaster& raster() { return m_real->Raster(); }
  // The page's pixels in the area as characters: '#' black, '.' white.
  std::vector<std::string> Rows(const RECT& area) {
    PageImage page = Page();
    std::vector<std::string> rows;
    for (int y = area.top; y < area.bottom; ++y) {
      std::string row;
      for (int x = area.left; x < area.right; ++x) row += page.At(x, y) == RGB(0, 0, 0) ? '#' : '.';
      rows.push_back(row);
    }
    return rows;
  }
};

// A small one-bit drawing: a diagonal and a frame, set bits black.
BitmapFile Drawing(int size, int pixelsPerMetre) {
  BitmapFile bitmap;
  bitmap.width = bitmap.height = size;
  bitmap.pixelsPerMetreX = bitmap.pixelsPerMetreY = pixelsPerMetre;
  bitmap.pixel = [size](int x, int y) { return x == y || x == 0 || y == size - 1 ? 1u : 0u; };
  return bitmap;
}

TEST(RasterScale, FactorsGoFromThePicturesResolutionToThePrintersInThousandths) {
  struct Case {
    const char* name;
    LONG perMetreX, perMetreY;
    int printerX, printerY, percent;
    int factorX, factorY;
  };
  const Case cases[] = {
      {"same resolution", kDpi300, kDpi300, 300, 300, 100, 1000, 1000},
      {"printer twice as fine", kDpi300, kDpi300, 600, 600, 100, 2000, 2000},
      {"half size", kDpi300, kDpi300, 600, 600, 50, 1000, 1000},
      {"printer finer across", kDpi300, kDpi300, 600, 300, 100, 2000, 1000},
      {"no resolution is 72 dpi", 0, 0, 300, 300, 100, 4166, 4166},
      {"one direction too small", kDpi300, 99, 144, 144, 100, 2000, 2000},
  };
  VodContext context;
  for (const Case& c : cases) {
    BITMAPINFOHEADER header{};
    header.biXPelsPerMeter = c.perMetreX;
    header.biYPelsPerMeter = c.perMetreY;
    context.resolutionX = c.printerX;
    context.resolutionY = c.printerY;
    int factorX = 0, factorY = 0;
    VodRaster::RasterScale(context, c.percent, header, factorX, factorY);
    EXPECT_EQ(factorX, c.factorX) << c.name;
    EXPECT_EQ(factorY, c.factorY) << c.name;
  }
}

TEST_F(Raster, PicturesFitInWholePercentStepsUpToTheLargestAllowed) {
  // 300 x 300 pixels at 300 dpi: 254 x 254 form units at 100 percent.
  std::string file = Picture(Drawing(300, kDpi300));
  struct Case {
    const char* name;
    RECT box;
    int maxPercent;
    bool centre;
    RasterPlacement placement;
  };
  const Case cases[] = {
      {"twice as large as the frame", {0, 0, 127, 127}, 200, false, {0, 0, 127, 127, 50}},
      {"small in a large frame", {10, 20, 2010, 1020}, 200, false, {10, 20, 508, 508, 200}},
      {"data lines stay at 100", {0, 0, 2000, 2000}, 100, false, {0, 0, 254, 254, 100}},
      {"not even at 10 percent", {0, 0, 20, 20}, 200, false, {0, 0, 25, 25, 10}},
      {"centred", {0, 0, 400, 300}, 100, true, {73, 23, 254, 254, 100}},
      {"box given right to left", {400, 300, 0, 0}, 100, false, {0, 0, 254, 254, 100}},
  };
  for (const Case& c : cases) {
    RasterPlacement placement;
    ASSERT_TRUE(raster().RasterFit(file, c.box, placement, c.centre, c.centre, c.maxPercent)) << c.name;
    EXPECT_EQ(placement.percent, c.placement.percent) << c.name;
    EXPECT_EQ(placement.width, c.placement.width) << c.name;
    EXPECT_EQ(placement.height, c.placement.height) << c.name;
    EXPECT_EQ(placement.x, c.placement.x) << c.name;
    EXPECT_EQ(placement.y, c.placement.y) << c.name;
  }
  RasterPlacement inline_;
  ASSERT_TRUE(raster().RasterFitHeight(file, 51, inline_));
  EXPECT_EQ(inline_.percent, 20) << "51 x 100 / 255";
  ASSERT_TRUE(raster().RasterFitHeight(file, 0, inline_));
  EXPECT_EQ(inline_.percent, 100);
}

TEST_F(Raster, AMissingPictureIsAskedAbout) {
  RasterPlacement placement;
  // With an owner window the question has OK and Cancel.
  m_context->owner = reinterpret_cast<HWND>(0x5678);
  m_ui.answer = BoxAnswer::Ok;
  EXPECT_TRUE(raster().RasterFit(m_folder / "none.bmp", RECT{0, 0, 100, 100}, placement, false, false, 100));
  EXPECT_EQ(placement.width, 0);
  ASSERT_FALSE(m_ui.boxes.empty());
  EXPECT_NE(m_ui.boxes.back().text.find("none.bmp nicht vorhanden!"), std::string::npos);
  m_ui.answer = BoxAnswer::Cancel;
  EXPECT_FALSE(raster().RasterFit(m_folder / "none.bmp", RECT{0, 0, 100, 100}, placement, false, false, 100));
  EXPECT_TRUE(DrawAt(m_folder / "none.bmp", 0, 0)) << "drawing a missing picture draws nothing";
}

TEST_F(Raster, OneBitPicturesAtTheirOwnResolutionAreDrawnOneToOne) {
  ASSERT_TRUE(DrawAt(Picture(Drawing(6, kDpi300)), 10, 20));
  EXPECT_EQ(Rows(RECT{10, 20, 16, 26}),
            (std::vector<std::string>{"#.....", "##....", "#.#...", "#..#..", "#...#.", "######"}));
  EXPECT_EQ(Page().Inked(), (RECT{10, 20, 16, 26}));
}

TEST_F(Raster, TheRowScalerEnlargesPixelsToBlocks) {
  m_context->resolutionX = m_context->resolutionY = 600;
  ASSERT_TRUE(DrawAt(Picture(Drawing(3, kDpi300)), 10, 20));
  EXPECT_EQ(Rows(RECT{10, 20, 16, 26}),
            (std::vector<std::string>{"##....", "##....", "####..", "####..", "######", "######"}));
}

TEST_F(Raster, ReductionKeepsThinLinesWhicheverWayTheColoursGo) {
  // 40 x 40 at 600 dpi on a 300 dpi printer: 20 x 20, two source pixels to one.
  for (bool darkIsClear : {false, true}) {
    BitmapFile bitmap;
    bitmap.width = bitmap.height = 40;
    bitmap.pixelsPerMetreX = bitmap.pixelsPerMetreY = kDpi600;
    bool line = !darkIsClear;
    bitmap.pixel = [line](int x, int y) { return (x == 13 || y == 7) ? line : !line; };
    if (darkIsClear) bitmap.colours = {RGBQUAD{0, 0, 0, 0}, RGBQUAD{255, 255, 255, 0}};
    m_target->Clear();
    ASSERT_TRUE(DrawAt(Picture(bitmap, darkIsClear ? "clear.bmp" : "set.bmp"), 0, 0));
    std::vector<std::string> rows = Rows(RECT{0, 0, 20, 20});
    EXPECT_EQ(rows[3], std::string(20, '#')) << darkIsClear;
    EXPECT_EQ(rows[10], std::string(6, '.') + '#' + std::string(13, '.')) << darkIsClear;
    EXPECT_EQ(Page().Inked(), (RECT{0, 0, 20, 20})) << darkIsClear;
  }
}

TEST_F(Raster, ColourPicturesAreStretchedToThePrintersResolution) {
  for (int bits : {24, 32}) {
    BitmapFile bitmap;
    bitmap.width = bitmap.height = 2;
    bitmap.bits = bits;
    bitmap.pixel = [](int x, int y) {
      return std::array<uint32_t, 4>{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}[y * 2 + x];
    };
    m_context->resolutionX = m_context->resolutionY = 900;
    m_target->Clear();
    ASSERT_TRUE(DrawAt(Picture(bitmap, "colour" + std::to_string(bits) + ".bmp"), 10, 10)) << bits;
    PageImage page = Page();
    EXPECT_EQ(page.At(11, 11), RGB(255, 0, 0)) << bits;
    EXPECT_EQ(page.At(14, 11), RGB(0, 255, 0)) << bits;
    EXPECT_EQ(page.At(11, 14), RGB(0, 0, 255)) << bits;
    EXPECT_EQ(page.Inked(), (RECT{10, 10, 16, 13 + 3})) << bits;
  }
}

TEST_F(Raster, ThirtyTwoBitPicturesBecomeTwentyFourBitOnesInTheirOwnMemory) {
  BitmapFile bitmap;
  bitmap.width = 3;
  bitmap.height = 2;
  bitmap.bits = 32;
  bitmap.pixel = [](int x, int y) { return static_cast<uint32_t>(0x102030 * (x + 3 * y + 1)); };
  CImageDib picture;
  int code = -1;
  ASSERT_EQ(picture.Load(Picture(bitmap).c_str(), &code), 1);
  EXPECT_EQ(picture.GetBitCount(), 32);
  ASSERT_TRUE(picture.To24Bit());
  EXPECT_EQ(picture.GetBitCount(), 24);
  EXPECT_EQ(picture.GetBMI()->bmiHeader.biBitCount, 24);
  const BYTE* bits = picture.GetBits();
  // Rows of 9 bytes padded to 12, the bottom row first.
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) {
      uint32_t colour = 0x102030u * static_cast<uint32_t>(x + 3 * (1 - y) + 1);
      const BYTE* at = bits + 12 * y + 3 * x;
      EXPECT_EQ(at[0] | at[1] << 8 | at[2] << 16, static_cast<int>(colour & 0xFFFFFF)) << x << "," << y;
    }
  EXPECT_FALSE(picture.To24Bit()) << "a 24-bit picture stays";
}

TEST_F(Raster, ThePictureObjectWithoutAPicture) {
  CImageDib picture;
  int code = -1;
  EXPECT_EQ(picture.LoadResource(4711, &code), 0) << "the library keeps no such bitmap";
  EXPECT_EQ(code, 2);
  EXPECT_EQ(picture.Exists(), 0);
  ASSERT_EQ(picture.Load(Picture(Drawing(6, kDpi300)).c_str(), &code), 1);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(picture.GetBitCount(), 1);
  int width = 0, height = 0;
  picture.GetSize(width, height);
  EXPECT_EQ(width, 6);
  EXPECT_EQ(picture.GetBitLine(6), nullptr);
  picture.Reset();
  EXPECT_EQ(picture.Exists(), 0);
  EXPECT_EQ(picture.GetBMI(), nullptr);
}

TEST_F(Raster, DecodedPicturesServeTheFollowingPagesAndUnusedOnesGo) {
  VodRasterCache& cache = raster().Cache();
  std::string large = Picture(Drawing(400, kDpi300), "large.bmp");  // 20000 bytes of pixels and more
  std::string small = Picture(Drawing(8, kDpi300), "small.bmp");
  std::string other = Picture(Drawing(9, kDpi300), "other.bmp");
  CImageDib* first = cache.LoadRasterPicture(large);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(cache.LoadRasterPicture(small), nullptr);
  EXPECT_EQ(cache.LoadRasterPicture(large), first) << "decoded once";
  m_context->pictures->PageDone(*m_context);
  EXPECT_EQ(cache.Count(), 2u);
  // The next page's first new picture makes room: large pictures the page
  // has not used go, small ones stay.
  ASSERT_NE(cache.LoadRasterPicture(other), nullptr);
  EXPECT_EQ(cache.Count(), 2u);
  m_context->pictures->PageDone(*m_context);
  EXPECT_EQ(cache.Count(), 1u) << "the page did not use the small one";
  m_context->pictures->Release(*m_context);
  EXPECT_EQ(cache.Count(), 0u);
}

TEST_F(Raster, PicturesThatCannotBeDecodedAreReportedWithTheDecodersCode) {
  std::string file = File("junk.bmp", "no picture at all");
  EXPECT_FALSE(DrawAt(file, 0, 0));
  EXPECT_NE(LastError().find("Konvertierungsfehler: 'Code: 3 " + file + "'!"), std::string::npos) << LastError();

  m_ui.boxes.clear();
  CImageDib::s_showErrors = true;
  std::string drf = File("bad.drf", std::string("\x06\x00\x01\x02", 4));
  EXPECT_FALSE(DrawAt(drf, 0, 0));
  CImageDib::s_showErrors = false;
  ASSERT_FALSE(m_ui.boxes.empty());
  EXPECT_EQ(m_ui.boxes.front().text, "DRF Decoder: Invalid File");
}

TEST_F(Raster, CutPictureFilesFailWithTheConversionError) {
  BitmapFile bitmap = Drawing(40, kDpi300);
  std::string whole = bitmap.Bytes();
  for (size_t length = 0; length < whole.size(); length += 7) {
    m_target->Clear();
    // Each length its own name: the cache would otherwise answer.
    std::string file = File("cut" + std::to_string(length) + ".bmp", whole.substr(0, length));
    EXPECT_FALSE(DrawAt(file, 0, 0)) << length;
    EXPECT_NE(LastError().find("Konvertierungsfehler"), std::string::npos) << length;
    EXPECT_TRUE(Page().Blank(RECT{0, 0, 200, 120})) << length;
  }
}

TEST_F(Raster, DecoderErrorsShowTheirTexts) {
  CImageDib::s_showErrors = true;
  CImageDib picture;
  for (int code : {0, 2, 404, 501, 777}) picture.ShowDecoderError(code);
  CImageDib::s_showErrors = false;
  picture.ShowDecoderError(3);
  std::vector<std::string> texts;
  for (const testing::Box& box : m_ui.boxes) texts.push_back(box.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"Decoder Interface: Failed To Open Resource",
                                             "TIFF Decoder: Tiff File is 32bit (CMYK). It should be 24bit (RGB).",
                                             "DRF Decoder: Invalid File", "Unknown Image Error"}));
}

TEST_F(Raster, PicturesWithHotspotsPrintAsWithout) {
  std::string plain = Picture(Drawing(6, kDpi300), "plain.bmp");
  std::string marked = Picture(Drawing(6, kDpi300), "marked.bmp");
  HS_HANDLE writer = HS_New();
  HS_AddHotspot(writer, 1, 1, 4, 4, "4711", nullptr, 0);
  HS_FileWriteHotspots(writer, CString(marked.c_str()));
  HS_Delete(writer);
  ASSERT_TRUE(DrawAt(plain, 10, 10));
  PageImage without = Page();
  m_target->Clear();
  ASSERT_TRUE(DrawAt(marked, 10, 10));
  EXPECT_EQ(Page().pixels, without.pixels);
}

TEST_F(Raster, TheInformationTextShowsWholeAddresses) {
  WriteIni({"ShowTiffInfo=TRUE"});
  OpenPage(200, 120);
  ASSERT_TRUE(DrawAt(Picture(Drawing(6, kDpi300)), 0, 0, 100));
  ASSERT_EQ(m_ui.boxes.size(), 1u);
  const std::string& text = m_ui.boxes[0].text;
  EXPECT_NE(text.find("X resolution\t: 6\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Struktur Gr\xF6\xDF"
                      "e\t: 40\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("new size\t\t: 100 %\n"), std::string::npos) << text;
  EXPECT_TRUE(std::regex_search(text, std::regex("\nZeiger\t: 0x[0-9a-f]{16} 0x[0-9a-f]{16}$"))) << text;
}

TEST_F(Raster, TheLibrariesAreBoundOnFirstUseAndAMissingOneIsReported) {
  EXPECT_TRUE(VodPictureLibraries::Shared().RasterBound());
  EXPECT_TRUE(VodPictureLibraries::Shared().HotspotsBound());
  VodPictureLibraries missing("NoSuchRaster.dll", "QridHtSp.dll");
  EXPECT_FALSE(missing.RasterBound());
  EXPECT_TRUE(missing.HotspotsBound());
  EXPECT_EQ(m_debug, (std::vector<std::string>{"Fehler Delayload!\n"}));
  ASSERT_EQ(m_ui.boxes.size(), 1u);
  EXPECT_EQ(m_ui.boxes[0].text.rfind("NoSuchRaster.dll: ", 0), 0u) << m_ui.boxes[0].text;
  EXPECT_EQ(m_ui.boxes[0].caption, "VOD");
  EXPECT_EQ(missing.DDIB_New(), nullptr);
  int size[2] = {7, 7};
  EXPECT_EQ(missing.DDIB_GetSize(nullptr, size), 0);
  EXPECT_EQ(missing.DDIB_GetBMI(nullptr), nullptr);
}

}  // namespace
}  // namespace vod
