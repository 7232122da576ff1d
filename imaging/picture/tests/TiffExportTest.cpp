// A loaded TIFF written anew with the picture's hotspots, judged by our own
// reader and by libtiff's tools.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdint>
#include <map>

#include "imaging/testing/DrfEncoder.h"
#include "imaging/testing/LibTiffTools.h"
#include "imaging/testing/TiffWriter.h"
#include "imaging/picture/tests/PictureTestSupport.h"
#include "testing/ChildProcess.h"

using namespace picture_tests;
using namespace imaging::testing;

namespace {

std::uint32_t U16(const std::string& b, std::size_t at) {
  return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8;
}
std::uint32_t U32(const std::string& b, std::size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }

struct Tag {
  std::uint32_t type, count, value;
};

// The first directory of a little-endian TIFF, by tag.
std::map<std::uint32_t, Tag> FirstDirectory(const std::string& file, std::size_t* entries = nullptr) {
  std::map<std::uint32_t, Tag> tags;
  const std::uint32_t at = U32(file, 4);
  const std::uint32_t count = U16(file, at);
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t entry = at + 2 + 12 * i;
    tags[U16(file, entry)] = {U16(file, entry + 2), U32(file, entry + 4), U32(file, entry + 8)};
  }
  if (entries) *entries = count;
  return tags;
}

std::vector<std::uint32_t> Longs(const std::string& file, const Tag& tag) {
  if (tag.count == 1) return {tag.value};
  std::vector<std::uint32_t> values;
  for (std::uint32_t i = 0; i < tag.count; ++i) values.push_back(U32(file, tag.value + 4 * i));
  return values;
}

class TiffExportTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    folder.Write(name, bytes);
    return folder / name;
  }
  LONG Export(QORIMG_PICTURE* picture, const std::string& name = "out.tif") {
    return FILE_DRF2TIFF_Hotspots(CString((folder / name).c_str()), picture);
  }
  layer::testing::TempFolder folder;
  Bilevel image = MakeTestDrawing(300, 40, 4);
};

// A DRF's hotspots, in DRF pixels, go into the TIFF that shows the DRF, in
// TIFF pixels; the pixels stay as they were.
TEST_F(TiffExportTest, ADrfsHotspotsTravelWithItsTiff) {
  TiffOptions options;
  options.rowsPerStrip = 16;
  const std::string tiff = Write("in.tif", WriteTiff(image, options));
  const std::vector<DrfHotspot> spots = {{"A-1", "first", 10, 2, 30, 12, 1}, {"B", "", 100, 5, 110, 9, 0}};
  const std::string drf = Write("in.drf", WriteDrfFile(MakeDrfTestPicture(5, 150, 20), spots));
  OpenedPicture picture(tiff, drf, QORIMG_FILE_DRF);
  ASSERT_NE(picture.Get(), nullptr);
  ASSERT_NE(picture->pTiffFile, nullptr);
  ASSERT_EQ(Export(picture.Get()), 1);

  OpenedPicture back(folder / "out.tif", "", QORIMG_FILE_TIFF, 0, 0xBEEF);
  ASSERT_NE(back.Get(), nullptr);
  ASSERT_EQ(back->nHotspotCount, 2);
  struct Expected {
    const char* name;
    const char* text2;
    RECT rect;
    BYTE flag;
  } expected[] = {{"A-1", "first", {20, 4, 60, 24}, 1}, {"B", "", {200, 10, 220, 18}, 0}};
  for (int i = 0; i < 2; ++i) {
    const QORIMG_HOTSPOT& slot = back->hotspots[i];
    EXPECT_STREQ(slot.szName, expected[i].name);
    EXPECT_STREQ(slot.szText2, expected[i].text2);
    EXPECT_EQ((std::vector<LONG>{slot.rcPicture.left, slot.rcPicture.top, slot.rcPicture.right, slot.rcPicture.bottom}),
              (std::vector<LONG>{expected[i].rect.left, expected[i].rect.top, expected[i].rect.right,
                                 expected[i].rect.bottom}));
    EXPECT_EQ(slot.bFlag, expected[i].flag);
  }
  Bilevel decoded;
  ASSERT_TRUE(DecodeTiff(back.Get(), &decoded));
  EXPECT_TRUE(decoded.pixels == image.pixels);

  // libtiff reads the new file, with the private tag, and finds the same pixels.
  const auto info = RunTool("tiffinfo '" + folder / "out.tif" + "'");
  ASSERT_TRUE(info.has_value());
  EXPECT_NE(info->find("65024"), std::string::npos) << *info;
  EXPECT_TRUE(RunTool("tiffcmp '" + tiff + "' '" + folder / "out.tif" + "'").has_value());
  const auto theirs = DecodeWithLibTiff(folder / "out.tif", folder / "plain.tif");
  ASSERT_TRUE(theirs.has_value());
  EXPECT_TRUE(theirs->pixels == image.pixels);
}

struct StripCase {
  const char* what;
  int rowsPerStrip;
  bool byteCounts;
};

// The new StripByteCounts: the file's own where it has them, else each
// strip up to the next one's start; a single count lies in the entry.
TEST_F(TiffExportTest, StripByteCountsDescribeTheStrips) {
  const StripCase cases[] = {
      {"one strip with its count", 0, true},
      {"one strip without a count", 0, false},
      {"strips with their counts", 7, true},
      {"strips without counts", 7, false},
  };
  for (const StripCase& c : cases) {
    SCOPED_TRACE(c.what);
    TiffOptions options;
    options.rowsPerStrip = c.rowsPerStrip;
    options.writeByteCounts = c.byteCounts;
    const std::string original = WriteTiff(image, options);
    OpenedPicture picture(Write("in.tif", original), "", QORIMG_FILE_TIFF);
    ASSERT_NE(picture.Get(), nullptr);
    ASSERT_EQ(Export(picture.Get()), 1);
    const std::string exported = folder.Read("out.tif");
    const auto before = FirstDirectory(original);
    const auto after = FirstDirectory(exported);
    const std::vector<std::uint32_t> offsets = Longs(original, before.at(273));
    std::vector<std::uint32_t> sizes;
    if (c.byteCounts) {
      sizes = Longs(original, before.at(279));
    } else {
      for (std::size_t i = 0; i < offsets.size(); ++i)
        sizes.push_back((i + 1 < offsets.size() ? offsets[i + 1] : static_cast<std::uint32_t>(original.size())) -
                        offsets[i]);
    }
    ASSERT_EQ(after.at(279).count, offsets.size());
    EXPECT_EQ(after.at(279).type, 4u);
    EXPECT_EQ(Longs(exported, after.at(279)), sizes);
    EXPECT_EQ(exported.substr(0, 4), original.substr(0, 4));
    EXPECT_EQ(exported.substr(8, original.size() - 8), original.substr(8));  // the body stays as it was
    const auto theirs = DecodeWithLibTiff(folder / "out.tif", folder / "plain.tif");
    ASSERT_TRUE(theirs.has_value());
    EXPECT_TRUE(theirs->pixels == image.pixels);
  }
}

// Entries that the file has already are replaced, not added; BlackIsZero
// becomes WhiteIsZero; a hotspot without texts takes 14 bytes.
TEST_F(TiffExportTest, ExistingEntriesAreReplacedAndRecordsAreLaidOutAsWritten) {
  TiffOptions options;
  options.rowsPerStrip = 10;
  options.photometric = 1;
  options.hotspots = {{1, 2, 3, 4, "old", "record"}};
  const std::string original = WriteTiff(image, options);
  OpenedPicture picture(Write("in.tif", original), "", QORIMG_FILE_TIFF);
  ASSERT_NE(picture.Get(), nullptr);
  QORIMG_HOTSPOTDATA empty{};
  empty.rcPicture = {5, 6, 15, 26};
  ASSERT_EQ(QORIMG_SetHotspotData(picture.Get(), 1, &empty), 1);
  ASSERT_EQ(QORIMG_SetHotspotCount(picture.Get(), 2), 1);
  ASSERT_EQ(Export(picture.Get()), 1);

  const std::string exported = folder.Read("out.tif");
  std::size_t entriesBefore = 0, entriesAfter = 0;
  FirstDirectory(original, &entriesBefore);
  const auto after = FirstDirectory(exported, &entriesAfter);
  EXPECT_EQ(entriesAfter, entriesBefore);
  EXPECT_EQ(after.at(262).value, 0u);
  const Tag hotspots = after.at(65024u);
  EXPECT_EQ(hotspots.count, 2u);
  EXPECT_EQ(hotspots.value, original.size() + 4 * after.at(279).count);
  // The first record: its length field counts the bytes after it.
  const std::string first = exported.substr(hotspots.value, 14 + 3 + 6);
  EXPECT_EQ(U16(first, 0), 12u + 3 + 6);
  EXPECT_EQ(U16(first, 2), 1u);
  EXPECT_EQ(U16(first, 8), 4u);
  EXPECT_EQ(first.substr(11, 3), "old");
  const std::string second = exported.substr(hotspots.value + first.size(), 14);
  EXPECT_EQ(U16(second, 0), 12u);
  EXPECT_EQ((std::vector<std::uint32_t>{U16(second, 2), U16(second, 4), U16(second, 6), U16(second, 8)}),
            (std::vector<std::uint32_t>{5, 6, 10, 20}));
  EXPECT_EQ(U32(exported, 4), hotspots.value + first.size() + second.size());
}

// Only little-endian files with a TIFF are exported; a failed export leaves
// the file that was there whole and no half-written file behind.
TEST_F(TiffExportTest, FailedExportsLeaveTheTargetAsItWas) {
  TiffOptions bigEndian;
  bigEndian.bigEndian = true;
  OpenedPicture motorola(Write("mm.tif", WriteTiff(image, bigEndian)), "", QORIMG_FILE_TIFF);
  ASSERT_NE(motorola.Get(), nullptr);
  EXPECT_EQ(Export(motorola.Get()), 0);
  EXPECT_FALSE(folder.Exists("out.tif"));

  folder.Write("drf.drf", WriteDrfFile(MakeDrfTestPicture(7, 20, 10)));
  OpenedPicture drfOnly("", folder / "drf.drf", QORIMG_FILE_DRF, 0, 0xD0);
  ASSERT_NE(drfOnly.Get(), nullptr);
  EXPECT_EQ(Export(drfOnly.Get()), 0);
  EXPECT_FALSE(folder.Exists("out.tif"));

  OpenedPicture picture(Write("in.tif", WriteTiff(image)), "", QORIMG_FILE_TIFF, 0, 0xD1);
  ASSERT_NE(picture.Get(), nullptr);
  EXPECT_EQ(Export(picture.Get(), "missing-folder/out.tif"), 0);
  EXPECT_EQ(FILE_DRF2TIFF_Hotspots(CString(), picture.Get()), 0);

  const std::string kept(5000, 'k');
  folder.Write("out.tif", kept);
  // The writer may write only a few bytes per file: the new file cannot be written.
  layer::testing::ChildProcess writer([&](layer::testing::ChildProcess&) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{100, 100};
    setrlimit(RLIMIT_FSIZE, &limit);
    return Export(picture.Get()) == 0 ? 0 : 1;
  });
  EXPECT_EQ(writer.Wait(), 0);
  EXPECT_TRUE(folder.Read("out.tif") == kept);
  EXPECT_FALSE(folder.Exists("out.tif.~new"));
  ASSERT_EQ(Export(picture.Get()), 1);
  EXPECT_EQ(folder.Read("out.tif").substr(0, 2), "II");
}

}  // namespace
