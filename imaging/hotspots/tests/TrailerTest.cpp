#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "HotspotFixtures.h"
#include "testing/TempFolder.h"

namespace {

using hotspots::testing::Contents;
using hotspots::testing::MakeList;
using hotspots::testing::MessageBoxes;
using hotspots::testing::Spot;

std::string Le32(std::int32_t value) {
  std::string out(4, '\0');
  for (int i = 0; i < 4; ++i) out[i] = static_cast<char>(static_cast<std::uint32_t>(value) >> (8 * i));
  return out;
}

// A trailer made by hand, so that the writer is checked against the format
// and not against itself.
std::string Record(int l, int t, int r, int b, const std::string& name, const std::string& text2, char mode) {
  return Le32(l) + Le32(t) + Le32(r) + Le32(b) + Le32(static_cast<int>(name.size() + 1)) + name + '\0' +
         Le32(static_cast<int>(text2.size() + 1)) + text2 + '\0' + mode;
}
std::string Trailer(const std::string& block) { return block + Le32(static_cast<int>(block.size())) + "MORVANT HOTSPOTS"; }

const std::vector<Spot> twoSpots = {{1, 2, 30, 40, "P1", "#12", 3}, {-5, 0, 7, 8, "", "", 255}};

class TrailerFile : public testing::Test {
 protected:
  std::string Path(const std::string& name) { return folder / name; }

  layer::testing::TempFolder folder;
};

TEST_F(TrailerFile, WrittenBytesAreTheFormat) {
  folder.Write("pic.bmp", "BMpicture");
  HS_HANDLE list = MakeList(twoSpots);
  HS_FileWriteHotspots(list, Path("pic.bmp").c_str());
  HS_Delete(list);
  std::string expected = "BMpicture" + Trailer(Le32(2) + Record(1, 2, 30, 40, "P1", "#12", 3) +
                                               Record(-5, 0, 7, 8, "", "", '\xFF'));
  EXPECT_EQ(folder.Read("pic.bmp"), expected);
}

TEST_F(TrailerFile, ReadsBackWhatWasWrittenOnAnyFile) {
  for (std::string content : {std::string(), std::string("x"), std::string(20, 'y'), std::string(5000, '\0')}) {
    SCOPED_TRACE(content.size());
    folder.Write("any.dat", content);
    HS_HANDLE list = MakeList(twoSpots);
    HS_FileWriteHotspots(list, Path("any.dat").c_str());
    HS_Delete(list);

    HS_HANDLE read = HS_New();
    HS_FileReadHotspots(read, Path("any.dat").c_str());
    EXPECT_EQ(Contents(read), twoSpots);
    HS_Delete(read);
    EXPECT_EQ(folder.Read("any.dat").substr(0, content.size()), content);
  }
}

TEST_F(TrailerFile, AMissingFileIsCreatedWithTheTrailerAlone) {
  HS_HANDLE list = MakeList(twoSpots);
  HS_FileWriteHotspots(list, Path("new.hsp").c_str());
  HS_Delete(list);
  HS_HANDLE read = HS_New();
  HS_FileReadHotspots(read, Path("new.hsp").c_str());
  EXPECT_EQ(Contents(read), twoSpots);
  HS_Delete(read);
}

TEST_F(TrailerFile, ASecondWriteReplacesTheFirstAndMayShortenTheFile) {
  folder.Write("pic.bmp", "BMpicture");
  HS_HANDLE list = MakeList(twoSpots);
  HS_FileWriteHotspots(list, Path("pic.bmp").c_str());
  HS_DeleteHotspot(list, 0);
  HS_FileWriteHotspots(list, Path("pic.bmp").c_str());
  HS_Delete(list);
  EXPECT_EQ(folder.Read("pic.bmp"), "BMpicture" + Trailer(Le32(1) + Record(-5, 0, 7, 8, "", "", '\xFF')));
}

TEST_F(TrailerFile, LongTextsAreCutTo98Bytes) {
  std::string name(120, 'n');
  std::string text2(99, 't');
  HS_HANDLE list = MakeList({{0, 0, 1, 1, name, text2, 0}});
  HS_FileWriteHotspots(list, Path("long").c_str());
  HS_Delete(list);
  std::string bytes = folder.Read("long");
  EXPECT_EQ(bytes.substr(4 + 16, 4), Le32(99));
  HS_HANDLE read = HS_New();
  HS_FileReadHotspots(read, Path("long").c_str());
  ASSERT_EQ(Contents(read).size(), 1u);
  EXPECT_EQ(Contents(read)[0].name, name.substr(0, 98));
  EXPECT_EQ(Contents(read)[0].text2, text2.substr(0, 98));
  HS_Delete(read);
}

TEST_F(TrailerFile, TextLengthsOf100OrMoreAreReadAs99) {
  // A length beyond the format's limit is taken as 99, as long as the block
  // still parses to its end.
  std::string name(98, 'a');
  std::string record = Le32(0) + Le32(0) + Le32(5) + Le32(5) + Le32(150) + name + '\0' + Le32(1) + '\0' + '\x02';
  folder.Write("odd", "pic" + Trailer(Le32(1) + record));
  HS_HANDLE read = HS_New();
  HS_FileReadHotspots(read, Path("odd").c_str());
  EXPECT_EQ(Contents(read), (std::vector<Spot>{{0, 0, 5, 5, name, "", 2}}));
  HS_Delete(read);
}

// Files whose end is not a whole trailer: each reads as none, leaves the
// list as it was, and gets a trailer appended behind everything it holds.
TEST_F(TrailerFile, WithoutAWholeTrailerNothingIsReadAndNothingOverwritten) {
  std::string good = Record(1, 1, 2, 2, "a", "b", 0);
  struct Case {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"20 bytes", std::string(4, '\0') + "MORVANT HOTSPOTS"},
      {"no magic", "picture" + Le32(4) + "MORVANT HOTSPOTX"},
      {"block before the file", "pic" + Le32(0) + Le32(100) + "MORVANT HOTSPOTS"},
      {"negative block length", "picture" + Le32(-8) + "MORVANT HOTSPOTS"},
      {"block shorter than a count", "picture" + Le32(2) + "MORVANT HOTSPOTS"},
      {"negative count", "pic" + Trailer(Le32(-1))},
      {"count beyond the block", "pic" + Trailer(Le32(2) + good)},
      {"records short of the block end", "pic" + Trailer(Le32(1) + good + "xx")},
      {"text length 0", "pic" + Trailer(Le32(1) + Le32(0) + Le32(0) + Le32(1) + Le32(1) + Le32(0) + Le32(1) + '\0' + '\0')},
      {"text past the block", "pic" + Trailer(Le32(1) + Le32(0) + Le32(0) + Le32(1) + Le32(1) + Le32(60) + "abc")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    folder.Write("f", c.bytes);
    HS_HANDLE list = MakeList({{9, 9, 9, 9, "keep", "", 1}});
    HS_FileReadHotspots(list, Path("f").c_str());
    EXPECT_EQ(Contents(list), (std::vector<Spot>{{9, 9, 9, 9, "keep", "", 1}}));
    HS_FileWriteHotspots(list, Path("f").c_str());
    HS_Delete(list);
    std::string after = folder.Read("f");
    EXPECT_EQ(after, c.bytes + Trailer(Le32(1) + Record(9, 9, 9, 9, "keep", "", 1)));
  }
}

TEST_F(TrailerFile, AFileThatCannotBeOpenedIsLeftAlone) {
  HS_HANDLE list = MakeList(twoSpots);
  HS_FileWriteHotspots(list, Path("missing/folder/pic").c_str());
  HS_FileReadHotspots(list, Path("absent").c_str());
  EXPECT_EQ(Contents(list), twoSpots);
  HS_Delete(list);
  EXPECT_FALSE(folder.Exists("missing"));
}

TEST_F(TrailerFile, SaveFileChoosesTheWayByExtension) {
  MessageBoxes boxes;
  struct Case {
    const char* name;
    int result;
    bool trailer;
  } cases[] = {
      {"pic.bmp", 1, true}, {"pic.PCX", 1, true}, {"a.b.c", 1, true},
      {"pic.hs", 0, false}, {"pic.TXT", 0, false}, {"pic", 0, false}, {"pic.", 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    folder.Write(c.name, "content");
    HS_HANDLE list = MakeList(twoSpots);
    EXPECT_EQ(HS_SaveFile(list, Path(c.name).c_str()), c.result);
    HS_Delete(list);
    std::string bytes = folder.Read(c.name);
    EXPECT_EQ(bytes.size() > 7, c.trailer);
    EXPECT_EQ(bytes.substr(0, 7), "content");
  }
  EXPECT_TRUE(boxes.texts.empty());
}

}  // namespace
