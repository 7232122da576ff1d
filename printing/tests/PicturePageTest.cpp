// A page of a script with pictures of every kind: HPGL, VEC and CAP in
// VIEW frames, a raster picture with hotspots, a plot in a data line and a
// picture inside text. Each lands inside its frame and nothing lies outside.
#include <gtest/gtest.h>

#include "PictureFixture.h"
#include "VodContext.h"

namespace vod {
namespace {

using testing::PageImage;

// The page shows form units at a fifth.
RECT OnPage(const RECT& form) { return RECT{form.left / 5, form.top / 5, form.right / 5, form.bottom / 5}; }

class PicturePage : public testing::PictureFixture {
 protected:
  void SetUp() override {
    PictureFixture::SetUp();
    // The page: A4 at 420 pixels across, about 50 dots per inch.
    m_context->resolutionX = m_context->resolutionY = 50;
  }
};

TEST_F(PicturePage, EveryPictureLandsInsideItsFrame) {
  ASSERT_TRUE(RunJob(EveryKindOfPicture()));
  ASSERT_EQ(m_target->pages.size(), 1u);
  const PageImage& page = m_target->pages[0];
  PageImage outside = page;
  for (const testing::PictureFrame& frame : testing::kEveryKindFrames) {
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
  RECT raster = page.Inked(OnPage(testing::kEveryKindFrames[3].rect));
  EXPECT_NEAR(raster.right - raster.left, 508 / 5, 2);
  EXPECT_NEAR(raster.bottom - raster.top, 338 / 5, 2);
  EXPECT_NEAR((raster.left + raster.right) / 2, (1100 + 2000) / 10, 2);
}

}  // namespace
}  // namespace vod
