// A page of a script with pictures of every kind: HPGL, VEC and CAP in
// VIEW frames, a raster picture with hotspots, a plot in a data line and a
// picture inside text. Each lands inside its frame and nothing lies outside.
#include <gtest/gtest.h>

#include "PictureFixture.h"
#include "VodContext.h"
#include "interfaces/QridHtSp.h"

namespace vod {
namespace {

using testing::FormFileBytes;
using testing::FrameItem;
using testing::PageImage;

// Form units; the page shows them at a fifth.
struct NamedFrame {
  const char* name;
  RECT rect;
};
constexpr NamedFrame kFrames[] = {
    {"PLOT", {100, 100, 1000, 700}},     {"VEC", {1100, 100, 2000, 700}},   {"CAP", {100, 800, 1000, 1400}},
    {"RASTER", {1100, 800, 2000, 1400}}, {"DATA", {100, 1500, 1000, 2400}}, {"TEXT", {1100, 1500, 2000, 2400}},
};

RECT OnPage(const RECT& form) { return RECT{form.left / 5, form.top / 5, form.right / 5, form.bottom / 5}; }

class PicturePage : public testing::PictureFixture {
 protected:
  void SetUp() override {
    PictureFixture::SetUp();
    // The page: A4 at 420 pixels across, about 50 dots per inch.
    m_context->resolutionX = m_context->resolutionY = 50;
    std::vector<testing::FormItemBytes> items;
    for (const NamedFrame& frame : kFrames)
      items.push_back(
          FrameItem(frame.name, frame.rect.left, frame.rect.top, frame.rect.right, frame.rect.bottom, "UNIV", 10, 'L'));
    Write("page.frm", FormFileBytes(items));
    Write("plot.plt", "IN;SP1;PU0,0;PD4000,0,4000,3000,0,3000,0,0;PU500,500;PD3500,2500;PU;");
    Write("pic.vec", testing::VecBytes({0, 0, 3000, 0x8000 | 2000, 0x8000 | 500, 1500, 1000, 0, 360}, 3000, 2000));
    std::vector<testing::CapLabelSlot> labels(100, {0, 0, 0});
    labels[7] = {500, 500, 1017};
    Write("pic.cap", testing::CapBytes(kCapPlain, labels,
                                       testing::CapGroup(false, {{100, 100}}) + testing::CapGroup(true, {{900, 100}}) +
                                           testing::CapGroup(true, {{900, 600}})));
    testing::BitmapFile bitmap;
    bitmap.width = 300;
    bitmap.height = 200;
    bitmap.pixel = [](int x, int y) { return x < 4 || y < 4 || x >= 296 || y >= 196 || x == y ? 1u : 0u; };
    std::string raster = Write("pic.bmp", bitmap.Bytes());
    HS_HANDLE hotspots = HS_New();
    HS_AddHotspot(hotspots, 10, 10, 60, 40, "4711", "link", 0);
    HS_FileWriteHotspots(hotspots, CString(raster.c_str()));
    HS_Delete(hotspots);
  }
};

TEST_F(PicturePage, EveryPictureLandsInsideItsFrame) {
  ASSERT_TRUE(
      RunJob("USE FORM page.frm\n"
             "VIEW FRAME PLOT HPGL plot.plt\n"
             "VIEW FRAME VEC VEC pic.vec XCEN YCEN\n"
             "VIEW FRAME CAP CAP pic.cap\n"
             "VIEW FRAME RASTER TIFF pic.bmp XCEN YCEN\n"
             "DATA FRAME (HPGL)DATA BEGIN\nplot\nEND\n"
             "PRINT FRAME TEXT Teil %SYMBOL LINE TIFF pic.bmp% Ende\n"
             "PAGE\n"));
  ASSERT_EQ(m_target->pages.size(), 1u);
  const PageImage& page = m_target->pages[0];
  PageImage outside = page;
  for (const NamedFrame& frame : kFrames) {
    RECT area = OnPage(frame.rect);
    RECT inked = page.Inked(area);
    EXPECT_FALSE(page.Blank(area)) << frame.name;
    EXPECT_TRUE(inked.left >= area.left && inked.right <= area.right && inked.top >= area.top &&
                inked.bottom <= area.bottom)
        << frame.name;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) outside.pixels[static_cast<size_t>(y) * page.width + x] = 0xFFFFFF;
  }
  EXPECT_TRUE(outside.Blank(RECT{0, 0, page.width, page.height})) << "nothing outside the frames";
  // The raster picture, 300 x 200 pixels at 300 dpi (254 x 169 form
  // units), is enlarged to the frame's largest zoom, 200 percent, and
  // centred in it.
  RECT raster = page.Inked(OnPage(kFrames[3].rect));
  EXPECT_NEAR(raster.right - raster.left, 508 / 5, 2);
  EXPECT_NEAR(raster.bottom - raster.top, 338 / 5, 2);
  EXPECT_NEAR((raster.left + raster.right) / 2, (1100 + 2000) / 10, 2);
}

}  // namespace
}  // namespace vod
