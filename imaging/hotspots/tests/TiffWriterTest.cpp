#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>
#include <string>

#include "HotspotFixtures.h"
#include "imaging/testing/LibTiffTools.h"
#include "imaging/testing/TiffWriter.h"
#include "testing/TempFolder.h"

namespace {

using hotspots::testing::MakeList;
using hotspots::testing::MessageBoxes;
using hotspots::testing::Spot;
using imaging::testing::Bilevel;
using imaging::testing::DecodeWithLibTiff;
using imaging::testing::MakeTestDrawing;
using imaging::testing::RunTool;
using imaging::testing::TiffOptions;
using imaging::testing::WriteTiff;

// Reads what a TIFF reader needs here: the entries of the first directory
// and the records of the hotspot tag.
class TiffView {
 public:
  struct Entry {
    unsigned tag, type, count, value;
  };

  explicit TiffView(std::string bytes) : m_bytes(std::move(bytes)), m_big(m_bytes[0] == 'M') {
    unsigned directory = U32(4);
    unsigned count = U16(directory);
    for (unsigned i = 0; i < count; ++i) {
      unsigned at = directory + 2 + 12 * i;
      unsigned type = U16(at + 2);
      unsigned value = type == 3 && U32(at + 4) == 1 ? U16(at + 8) : U32(at + 8);
      m_entries.push_back({U16(at), type, U32(at + 4), value});
    }
    m_next = U32(directory + 2 + 12 * count);
  }

  unsigned U16(std::size_t at) const {
    unsigned a = static_cast<std::uint8_t>(m_bytes.at(at)), b = static_cast<std::uint8_t>(m_bytes.at(at + 1));
    return m_big ? a << 8 | b : b << 8 | a;
  }
  unsigned U32(std::size_t at) const { return m_big ? U16(at) << 16 | U16(at + 2) : U16(at + 2) << 16 | U16(at); }
  const std::vector<Entry>& Entries() const { return m_entries; }
  std::optional<Entry> Find(unsigned tag) const {
    for (const Entry& entry : m_entries)
      if (entry.tag == tag) return entry;
    return std::nullopt;
  }
  unsigned Next() const { return m_next; }

  std::vector<Spot> Hotspots() const {
    std::vector<Spot> spots;
    std::optional<Entry> entry = Find(65024);
    if (!entry) return spots;
    std::size_t at = entry->value;
    for (unsigned i = 0; i < entry->count; ++i) {
      int x = static_cast<int>(U16(at + 2)), y = static_cast<int>(U16(at + 4));
      int w = static_cast<int>(U16(at + 6)), h = static_cast<int>(U16(at + 8));
      std::size_t nameLength = static_cast<std::uint8_t>(m_bytes.at(at + 10));
      std::string name = m_bytes.substr(at + 11, nameLength);
      std::size_t textLength = static_cast<std::uint8_t>(m_bytes.at(at + 11 + nameLength));
      std::string text2 = m_bytes.substr(at + 12 + nameLength, textLength);
      int flag = static_cast<std::uint8_t>(m_bytes.at(at + 12 + nameLength + textLength));
      spots.push_back({x, y, x + w, y + h, name, text2, flag});
      at += 14 + nameLength + textLength;
    }
    return spots;
  }

 private:
  std::string m_bytes;
  bool m_big;
  std::vector<Entry> m_entries;
  unsigned m_next = 0;
};

// A bilevel TIFF without compression whose directory comes first and whose
// tables and strips follow it, so that all of them move when an entry is
// added: three strips with SHORT offsets, or one strip of 320 bytes whose
// byte count (inside its entry) is larger than the directory's end.
std::string DirectoryFirstTiff(bool bigEndian, bool threeStrips, unsigned extraTag = 0) {
  const unsigned width = 64, height = threeStrips ? 6 : 40, rowsPerStrip = threeStrips ? 2 : 40;
  const unsigned stripBytes = width / 8 * rowsPerStrip, strips = height / rowsPerStrip;
  struct Entry {
    unsigned tag, type, count;
    std::string value;  // four bytes, in the file's order
  };
  auto u16 = [&](unsigned v) {
    return bigEndian ? std::string{char(v >> 8), char(v)} : std::string{char(v), char(v >> 8)};
  };
  auto u32 = [&](unsigned v) { return bigEndian ? u16(v >> 16) + u16(v) : u16(v) + u16(v >> 16); };
  std::vector<Entry> entries = {{256, 4, 1, u32(width)}, {257, 4, 1, u32(height)}, {258, 3, 1, u16(1) + u16(0)},
                                {259, 3, 1, u16(1) + u16(0)}, {262, 3, 1, u16(0) + u16(0)}, {273, 3, strips, ""},
                                {277, 3, 1, u16(1) + u16(0)}, {278, 4, 1, u32(rowsPerStrip)}, {279, 4, strips, ""},
                                {282, 5, 1, ""}, {283, 5, 1, ""}, {296, 3, 1, u16(2) + u16(0)}};
  if (extraTag) entries.push_back({extraTag, 2, 3, std::string("ab\0\0", 4)});
  const unsigned directoryEnd = 8 + 2 + 12 * static_cast<unsigned>(entries.size());
  std::string tables;
  unsigned tableAt = directoryEnd + 4;
  auto table = [&](const std::string& bytes) {
    unsigned at = tableAt + static_cast<unsigned>(tables.size());
    tables += bytes;
    return u32(at);
  };
  std::string resolution = table(u32(300) + u32(1));
  std::string offsetsTable, countsTable;
  unsigned stripsAt = tableAt + 16 + (threeStrips ? 6 + 2 + 12 : 0);
  for (unsigned s = 0; s < strips; ++s) {
    offsetsTable += u16(stripsAt + s * stripBytes);
    countsTable += u32(stripBytes);
  }
  entries[9].value = resolution;
  entries[10].value = table(u32(150) + u32(1));
  if (threeStrips) {
    entries[5].value = table(offsetsTable + u16(0));  // padded to a word
    entries[8].value = table(countsTable);
  } else {
    entries[5].value = offsetsTable + u16(0);
    entries[8].value = countsTable;
  }
  std::string out = std::string(bigEndian ? "MM" : "II") + u16(42) + u32(8) + u16(static_cast<unsigned>(entries.size()));
  for (const Entry& e : entries) out += u16(e.tag) + u16(e.type) + u32(e.count) + e.value;
  out += u32(0) + tables;
  Bilevel drawing = MakeTestDrawing(static_cast<int>(width), static_cast<int>(height));
  for (unsigned y = 0; y < height; ++y)
    for (unsigned byte = 0; byte < width / 8; ++byte) {
      unsigned bits = 0;
      for (unsigned bit = 0; bit < 8; ++bit) bits = bits << 1 | drawing.At(static_cast<int>(byte * 8 + bit), static_cast<int>(y));
      out += static_cast<char>(bits);
    }
  return out;
}

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

class TiffWriter : public testing::Test {
 protected:
  int Save(const std::vector<Spot>& spots, const std::string& name = "pic.tif") {
    HS_HANDLE list = MakeList(spots);
    int result = HS_SaveFile(list, (folder / name).c_str());
    HS_Delete(list);
    return result;
  }
  // libtiff's judgement: the file reads, and its pixels equal those of the original.
  void ExpectSamePicture(const std::string& original, const std::string& rewritten) {
    folder.Write("original.tif", original);
    EXPECT_TRUE(RunTool("tiffinfo -D " + Quoted(folder / "pic.tif")).has_value());
    std::optional<Bilevel> before = DecodeWithLibTiff(folder / "original.tif", folder / "scratch1.tif");
    std::optional<Bilevel> after = DecodeWithLibTiff(folder / "pic.tif", folder / "scratch2.tif");
    ASSERT_TRUE(before && after);
    EXPECT_EQ(before->pixels, after->pixels);
    EXPECT_TRUE(RunTool("tiffcmp " + Quoted(folder / "original.tif") + " " + Quoted(folder / "pic.tif")).has_value());
    (void)rewritten;
  }

  layer::testing::TempFolder folder;
  MessageBoxes boxes;
  const std::vector<Spot> spots = {{3, 4, 13, 9, "Teil 1", "#101", 2}, {20, 1, 25, 30, "", "", 0},
                                   {1, 2, 3, 4, std::string(40, 'n'), std::string(30, 't'), 255}};
  const std::vector<Spot> storedSpots = {{3, 4, 13, 9, "Teil 1", "#101", 2}, {20, 1, 25, 30, "", "", 0},
                                         {1, 2, 3, 4, std::string(32, 'n'), std::string(25, 't'), 255}};
};

TEST_F(TiffWriter, ATiffWithoutTheTagGetsTheEntryAndRecordsAndStaysValid) {
  for (bool big : {false, true})
    for (bool threeStrips : {false, true}) {
      SCOPED_TRACE(testing::Message() << (big ? "MM" : "II") << (threeStrips ? " three strips" : " one strip"));
      std::string original = DirectoryFirstTiff(big, threeStrips);
      folder.Write("pic.tif", original);
      ASSERT_EQ(Save(spots), 1);
      std::string after = folder.Read("pic.tif");
      std::size_t records = 3 * 14 + 6 + 4 + 32 + 25;
      EXPECT_EQ(after.size(), original.size() + 12 + records);
      TiffView view(after), old(original);
      EXPECT_EQ(view.Hotspots(), storedSpots);
      EXPECT_EQ(view.Find(65024)->value, original.size() + 12);
      EXPECT_EQ(view.Entries().size(), old.Entries().size() + 1);
      // Offsets past the directory moved by 12; values inside entries did not.
      for (std::size_t i = 0; i < old.Entries().size(); ++i) {
        const auto& before = old.Entries()[i];
        const auto& now = view.Entries()[i];
        bool external = before.type == 5 || before.count > 1;
        bool moved = external || before.tag == 273;
        EXPECT_EQ(now.value, before.value + (moved ? 12 : 0)) << "tag " << before.tag;
      }
      ExpectSamePicture(original, after);
    }
}

TEST_F(TiffWriter, AnExistingTagLosesItsOldRecordsAndGetsTheNewOnesAtTheEnd) {
  for (bool big : {false, true}) {
    SCOPED_TRACE(big ? "MM" : "II");
    // The writer of these fixtures puts the strips first, then the old
    // records, then the directory, which therefore moves down.
    Bilevel drawing = MakeTestDrawing(120, 50);
    TiffOptions options{.bigEndian = big, .rowsPerStrip = 16};
    options.hotspots = {{1, 1, 5, 5, "alt", "old text", 1}, {2, 2, 6, 6, "zwei", "", 0}};
    std::string original = WriteTiff(drawing, options);
    folder.Write("pic.tif", original);
    TiffView old(original);
    std::size_t oldLength = 14 * 2 + 3 + 8 + 4;

    ASSERT_EQ(Save(spots), 1);
    std::string after = folder.Read("pic.tif");
    TiffView view(after);
    EXPECT_EQ(view.Hotspots(), storedSpots);
    EXPECT_EQ(view.Find(65024)->value, original.size() - oldLength);
    EXPECT_EQ(view.U32(4), old.U32(4) - oldLength);
    ExpectSamePicture(original, after);

    // Written again with fewer hotspots: the old ones go, the file is not shortened.
    ASSERT_EQ(Save({spots[0]}), 1);
    std::string again = folder.Read("pic.tif");
    EXPECT_EQ(again.size(), after.size());
    EXPECT_EQ(TiffView(again).Hotspots(), std::vector<Spot>{spots[0]});
    ExpectSamePicture(original, again);
  }
}

TEST_F(TiffWriter, RecordLengthIsLowByteFirstInEitherByteOrder) {
  folder.Write("pic.tif", DirectoryFirstTiff(true, false));
  ASSERT_EQ(Save({{0x0102, 0x0304, 0x0105, 0x0307, "ab", "c", 9}}), 1);
  std::string after = folder.Read("pic.tif");
  std::string record = after.substr(TiffView(after).Find(65024)->value);
  EXPECT_EQ(record, std::string("\x11\x00\x01\x02\x03\x04\x00\x03\x00\x03\x02" "ab\x01" "c\x09\x00", 17));
}

TEST_F(TiffWriter, TheNewEntryKeepsTheDirectorySortedByTag) {
  std::string original = DirectoryFirstTiff(false, true, 65100);
  folder.Write("pic.tif", original);
  ASSERT_EQ(Save(spots), 1);
  std::string after = folder.Read("pic.tif");
  TiffView view(after);
  std::vector<unsigned> tags;
  for (const auto& entry : view.Entries()) tags.push_back(entry.tag);
  EXPECT_TRUE(std::is_sorted(tags.begin(), tags.end()));
  EXPECT_EQ(tags.back(), 65100u);
  EXPECT_EQ(view.Hotspots(), storedSpots);
  ExpectSamePicture(original, after);
}

TEST_F(TiffWriter, FilesItCannotRewriteSafelyAreRefusedAndLeftUntouched) {
  std::string good = DirectoryFirstTiff(false, true);
  auto with = [&](std::size_t at, std::string bytes) { return good.substr(0, at) + bytes + good.substr(at + bytes.size()); };
  unsigned directoryEnd = 8 + 2 + 12 * 12;
  TiffOptions tagged;
  tagged.hotspots = {{1, 1, 5, 5, "alt", "", 1}};
  std::string withTag = WriteTiff(MakeTestDrawing(30, 10), tagged);
  TiffView taggedView(withTag);
  std::size_t tagCountAt = taggedView.U32(4) + 2 + 12 * (taggedView.Entries().size() - 1) + 4;
  struct Case {
    const char* what;
    std::string bytes;
    std::string message;
  } cases[] = {
      {"empty", "", "The data is invalid."},
      {"not a TIFF", "BM" + good.substr(2), "The data is invalid."},
      {"wrong version", with(2, "\x2B"), "The data is invalid."},
      {"no directory", with(4, std::string(4, '\0')), "The data is invalid."},
      {"directory past the end", with(4, "\xFF\xFF\x00\x00"), "The data is invalid."},
      {"no entries", with(8, std::string(2, '\0')), "The data is invalid."},
      {"a further directory", with(directoryEnd, std::string("\x08\x00\x00\x00", 4)), "The request is not supported."},
      {"table past the end", with(8 + 2 + 12 * 9 + 8, "\xF0\xFF\x00\x00"), "The data is invalid."},
      {"unknown field type", with(8 + 2 + 12 * 11 + 2, std::string("\x63\x00", 2)), "The request is not supported."},
      {"old records past the end",
       withTag.substr(0, tagCountAt) + "\xFF\x00\x00\x00" + withTag.substr(tagCountAt + 4), "The data is invalid."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    boxes.texts.clear();
    folder.Write("pic.tif", c.bytes);
    EXPECT_EQ(Save(spots), 0);
    EXPECT_EQ(folder.Read("pic.tif"), c.bytes);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], (folder / "pic.tif") + ": " + c.message + "\r\n");
  }
}

TEST_F(TiffWriter, AMissingFileIsReportedAndNotCreated) {
  EXPECT_EQ(Save(spots, "none.tiff"), 0);
  EXPECT_FALSE(folder.Exists("none.tiff"));
  EXPECT_EQ(boxes.texts.size(), 1u);
}

}  // namespace
