#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "HotspotFixtures.h"
#include "imaging/testing/DrfEncoder.h"
#include "testing/TempFolder.h"

namespace {

using hotspots::testing::Contents;
using hotspots::testing::MakeList;
using hotspots::testing::MessageBoxes;
using hotspots::testing::Spot;
using imaging::testing::DrfOptions;
using imaging::testing::DrfPicture;
using imaging::testing::MakeDrfTestPicture;
using imaging::testing::WriteDrfFile;

unsigned U16(const std::string& bytes, std::size_t at) {
  return static_cast<std::uint8_t>(bytes[at]) | static_cast<std::uint8_t>(bytes[at + 1]) << 8;
}
unsigned U32(const std::string& bytes, std::size_t at) { return U16(bytes, at) | U16(bytes, at + 2) << 16; }
int S16(const std::string& bytes, std::size_t at) { return static_cast<std::int16_t>(U16(bytes, at)); }

// The raster records as a DRF reader takes them: texts stop at their zero
// byte or at their longest (32 and 25), and a text that fills its longest
// has no zero byte.
struct DrfRasters {
  bool compressed = false;
  unsigned offset = 0;
  std::vector<Spot> spots;
};

DrfRasters ReadRasters(const std::string& file) {
  DrfRasters out;
  out.compressed = file[1] & 1;
  out.offset = U32(file, 3);
  int count = S16(file, 7);
  std::size_t at = out.offset;
  auto text = [&](std::size_t maximum) {
    std::string read;
    while (read.size() < maximum && at < file.size()) {
      char c = file[at++];
      if (c == '\0') break;
      read += c;
    }
    return read;
  };
  if (out.offset == 0) return out;
  if (out.compressed) {
    int width = S16(file, at), height = S16(file, at + 2), flag = static_cast<std::uint8_t>(file[at + 4]);
    at += 5;
    for (int i = 0; i < count; ++i) {
      int x = S16(file, at), y = S16(file, at + 2);
      at += 4;
      std::string name = text(32);
      std::string text2 = text(25);
      out.spots.push_back({x, y, x + width, y + height, name, text2, flag});
    }
  } else {
    for (int i = 0; i < count; ++i, at += 72) {
      std::string record = file.substr(at, 72);
      int flag = (record[65] & 1) << 1 | (record[66] & 1) | (record[67] & 1) << 2;
      out.spots.push_back({S16(record, 32), S16(record, 34), S16(record, 36), S16(record, 38),
                           std::string(record.c_str(), strnlen(record.c_str(), 32)),
                           std::string(record.c_str() + 40, strnlen(record.c_str() + 40, 25)), flag});
    }
  }
  return out;
}

class DrfWriter : public testing::Test {
 protected:
  std::string WriteDrf(const std::vector<imaging::testing::DrfHotspot>& old = {}, DrfOptions options = {}) {
    std::string bytes = WriteDrfFile(picture, old, options);
    folder.Write("pic.drf", bytes);
    return bytes;
  }
  int Save(const std::vector<Spot>& spots, const std::string& name = "pic.drf") {
    HS_HANDLE list = MakeList(spots);
    int result = HS_SaveFile(list, (folder / name).c_str());
    HS_Delete(list);
    return result;
  }
  std::string Saved() { return folder.Read("pic.drf"); }

  layer::testing::TempFolder folder;
  DrfPicture picture = MakeDrfTestPicture(6, 40, 30);
  MessageBoxes boxes;
};

TEST_F(DrfWriter, SameSizeAndModeGiveCompressedRecordsWithEndMarker) {
  std::string before = WriteDrf();
  std::vector<Spot> spots = {{1, 2, 11, 7, "A", "a", 2}, {20, 3, 30, 8, "B", "", 2}, {5, 9, 15, 14, "C", "c", 2}};
  ASSERT_EQ(Save(spots), 1);
  std::string after = Saved();
  DrfRasters rasters = ReadRasters(after);
  EXPECT_TRUE(rasters.compressed);
  EXPECT_EQ(rasters.offset, before.size());  // appended: the picture had none
  EXPECT_EQ(rasters.spots, spots);
  EXPECT_EQ(after.substr(after.size() - 4), "\xFF\xFF\xFF\xFF");
  // Besides offset, count and flag the header stays as it was, and so does the picture.
  for (std::size_t at : {0, 2, 9, 10}) EXPECT_EQ(after[at], before[at]) << at;
  EXPECT_EQ(after.substr(11, before.size() - 11), before.substr(11));
}

TEST_F(DrfWriter, DifferentSizesOrASingleHotspotGivePlainRecords) {
  struct Case {
    const char* what;
    std::vector<Spot> spots;
  } cases[] = {
      {"two sizes", {{1, 2, 11, 7, "A", "a", 3}, {20, 3, 31, 8, "B", "", 3}}},
      {"two modes", {{1, 2, 11, 7, "A", "a", 1}, {20, 3, 30, 8, "B", "", 2}}},
      {"one", {{1, 2, 11, 7, "Only", "one", 2}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string before = WriteDrf();
    ASSERT_EQ(Save(c.spots), 1);
    std::string after = Saved();
    DrfRasters rasters = ReadRasters(after);
    EXPECT_FALSE(rasters.compressed);
    EXPECT_EQ(after.size(), before.size() + 72 * c.spots.size());
    EXPECT_EQ(rasters.spots, c.spots);
    EXPECT_EQ(after.substr(11, before.size() - 11), before.substr(11));  // the picture itself is untouched
  }
}

TEST_F(DrfWriter, RecordsReplaceThoseAtTheRasterOffset) {
  // Compressed records of the old file are overwritten by plain ones, and
  // plain ones by fewer compressed ones, which cut the file behind them.
  std::string before = WriteDrf({{"old1", "", 0, 0, 5, 5, 1}, {"old2", "", 5, 5, 10, 10, 1}}, {.compressedRasters = true});
  unsigned offset = U32(before, 3);
  std::vector<Spot> plain = {{1, 1, 4, 4, "p", "", 0}, {2, 2, 9, 9, "q", "", 1}, {3, 3, 4, 5, "r", "", 2}};
  ASSERT_EQ(Save(plain), 1);
  DrfRasters rasters = ReadRasters(Saved());
  EXPECT_EQ(rasters.offset, offset);
  EXPECT_EQ(rasters.spots, plain);

  std::vector<Spot> compressed = {{1, 1, 4, 4, "x", "", 1}, {7, 7, 10, 10, "y", "", 1}};
  ASSERT_EQ(Save(compressed), 1);
  std::string after = Saved();
  EXPECT_EQ(ReadRasters(after).spots, compressed);
  EXPECT_EQ(after.size(), offset + 5 + 2 * (4 + 2 + 1) + 4);
}

TEST_F(DrfWriter, TextsOfTheLongestLengthStayAligned) {
  std::string name32(32, 'N');
  std::string text25(25, 'T');
  std::vector<Spot> spots = {{0, 0, 8, 8, name32 + "cut", text25 + "cut", 0}, {10, 0, 18, 8, "next", "text", 0}};
  WriteDrf();
  ASSERT_EQ(Save(spots), 1);
  DrfRasters rasters = ReadRasters(Saved());
  ASSERT_TRUE(rasters.compressed);
  EXPECT_EQ(rasters.spots, (std::vector<Spot>{{0, 0, 8, 8, name32, text25, 0}, {10, 0, 18, 8, "next", "text", 0}}));
}

TEST_F(DrfWriter, NoHotspotsClearTheRecordsInTheHeader) {
  std::string before = WriteDrf({{"old1", "", 0, 0, 5, 5, 1}, {"old2", "", 5, 5, 10, 10, 1}}, {.compressedRasters = true});
  ASSERT_EQ(Save({}), 1);
  std::string after = Saved();
  EXPECT_EQ(U16(after, 7), 0u);
  EXPECT_EQ(after[1] & 1, 0);
  EXPECT_EQ(U32(after, 3), U32(before, 3));
  EXPECT_EQ(after.size(), before.size());
}

TEST_F(DrfWriter, KindAndExtensionDecideWhichFilesAreWritten) {
  struct Case {
    std::uint8_t kind;
    bool extension;
    int result;
  } cases[] = {{2, false, 1}, {2, true, 1}, {6, false, 1}, {6, true, 0}, {8, false, 1}, {8, true, 0}, {5, false, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << int(c.kind) << (c.extension ? " extended" : ""));
    boxes.texts.clear();
    std::string before = WriteDrf({}, {.kind = c.kind, .extension = c.extension});
    std::vector<Spot> spots = {{1, 2, 3, 4, "s", "t", 1}};
    EXPECT_EQ(Save(spots), c.result);
    if (c.result) {
      EXPECT_EQ(ReadRasters(Saved()).spots, spots);
      EXPECT_TRUE(boxes.texts.empty());
    } else {
      EXPECT_EQ(Saved(), before);
      ASSERT_EQ(boxes.texts.size(), 1u);
      EXPECT_EQ(boxes.texts[0],
                (folder / "pic.drf") + ": The filename, directory name, or volume label syntax is incorrect.\r\n");
      EXPECT_EQ(boxes.captions[0], "Error");
      EXPECT_EQ(boxes.types[0], MB_OK | MB_ICONINFORMATION);
    }
  }
}

TEST_F(DrfWriter, DamagedHeadersAreRefusedAndLeftUntouched) {
  std::string good = WriteDrfFile(picture, {{"a", "", 0, 0, 5, 5, 0}});
  auto with = [&](std::size_t at, std::string bytes) { return good.substr(0, at) + bytes + good.substr(at + bytes.size()); };
  auto le32 = [](unsigned v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; };
  struct Case {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"shorter than a header", good.substr(0, 10)},
      {"raster offset past the end", with(3, le32(static_cast<unsigned>(good.size()) + 1))},
      {"raster offset inside the pixels", with(3, le32(100))},
      {"raster offset inside the header", with(3, le32(4))},
      {"301 records", with(7, "\x2D\x01")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    boxes.texts.clear();
    folder.Write("pic.drf", c.bytes);
    EXPECT_EQ(Save({{1, 2, 3, 4, "s", "t", 1}}), 0);
    EXPECT_EQ(Saved(), c.bytes);
    EXPECT_EQ(boxes.texts.size(), 1u);
  }
  boxes.texts.clear();
  EXPECT_EQ(Save({{1, 2, 3, 4, "s", "t", 1}}, "x.drf"), 0);  // missing file
  EXPECT_FALSE(folder.Exists("x.drf"));
  EXPECT_EQ(boxes.texts.size(), 1u);
}

TEST_F(DrfWriter, MoreThan300HotspotsFailTheSaveWithAMessage) {
  std::string before = WriteDrf();
  std::vector<Spot> spots;
  for (int i = 0; i < 301; ++i) spots.push_back({i, 0, i + 1, 1, "s" + std::to_string(i), "", 0});
  EXPECT_EQ(Save(spots), 0);
  EXPECT_EQ(Saved(), before);
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_NE(boxes.texts[0].find("301 hotspots"), std::string::npos);

  spots.pop_back();
  boxes.texts.clear();
  EXPECT_EQ(Save(spots), 1);
  EXPECT_EQ(ReadRasters(Saved()).spots.size(), 300u);
  EXPECT_TRUE(boxes.texts.empty());
}

}  // namespace
