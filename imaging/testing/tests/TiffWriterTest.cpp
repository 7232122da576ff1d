// The fixtures' TIFF files as libtiff reads them: if these pass, our reader's
// agreement with our writer means agreement with the format.
#include <gtest/gtest.h>

#include "imaging/testing/LibTiffTools.h"
#include "imaging/testing/TiffWriter.h"
#include "testing/TempFolder.h"

using namespace imaging::testing;

namespace {

struct WriterCase {
  const char* name;
  TiffOptions options;
};

void PrintTo(const WriterCase& c, std::ostream* out) { *out << c.name; }

class TiffWriterTest : public ::testing::TestWithParam<WriterCase> {};

TEST_P(TiffWriterTest, LibTiffReadsThePixelsThatWereWritten) {
  layer::testing::TempFolder folder;
  const Bilevel images[] = {MakeEveryCodeDrawing(), MakeTestDrawing(333, 29, 7)};
  for (const Bilevel& image : images) {
    folder.Write("fixture.tif", WriteTiff(image, GetParam().options));
    auto info = RunTool("tiffinfo " + folder / "fixture.tif");
    ASSERT_TRUE(info.has_value());
    EXPECT_NE(info->find("CCITT RLE"), std::string::npos);

    auto decoded = DecodeWithLibTiff(folder / "fixture.tif", folder / "plain.tif");
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->width, image.width);
    EXPECT_EQ(decoded->height, image.height);
    EXPECT_TRUE(decoded->pixels == image.pixels);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, TiffWriterTest,
    ::testing::Values(WriterCase{"OneStrip", {}}, WriterCase{"StripsOfFiveRows", {.rowsPerStrip = 5, .hotspots = {}}},
                      WriterCase{"BigEndianShortSizes",
                                 {.bigEndian = true, .rowsPerStrip = 4, .shortSizes = true, .hotspots = {}}},
                      WriterCase{"WithHotspots", {.hotspots = {{1, 2, 3, 4, "A-1", "txt", 1}}}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
