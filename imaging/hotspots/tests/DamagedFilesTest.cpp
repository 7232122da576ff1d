// Damaged files of every kind the library reads: bytes flipped and files
// cut at random. Nothing may be read outside the file (the sanitizers watch),
// and a file that is refused must be left exactly as it was.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "HotspotFixtures.h"
#include "imaging/testing/DrfEncoder.h"
#include "imaging/testing/TiffWriter.h"
#include "testing/TempFolder.h"

namespace {

using hotspots::testing::MakeList;
using hotspots::testing::MessageBoxes;
using hotspots::testing::Spot;
using imaging::testing::TiffOptions;

std::string Damaged(const std::string& bytes, std::mt19937& random) {
  std::string out = bytes;
  if (random() % 4 == 0) out.resize(random() % (out.size() + 1));
  int flips = 1 + static_cast<int>(random() % 4);
  for (int i = 0; i < flips && !out.empty(); ++i) {
    std::size_t at = random() % out.size();
    // Most damage lands near the structures at either end of the file.
    if (random() % 2) at = random() % 2 ? std::min<std::size_t>(at, 64) : out.size() - 1 - std::min<std::size_t>(at, 64);
    out[at] = static_cast<char>(random());
  }
  return out;
}

const std::vector<Spot> spots = {{1, 2, 11, 7, "A", "#1", 1}, {20, 3, 30, 8, "Bolzen M8", "", 1},
                                 {5, 9, 15, 14, std::string(40, 'c'), "x", 1}};

class DamagedFiles : public testing::Test {
 protected:
  layer::testing::TempFolder folder;
  MessageBoxes boxes;
  std::mt19937 random{20261210};
};

TEST_F(DamagedFiles, TrailersReadAsNoneOrAsRecordsWithinTheFile) {
  HS_HANDLE list = MakeList(spots);
  folder.Write("pic.bmp", "BM picture bytes");
  HS_FileWriteHotspots(list, (folder / "pic.bmp").c_str());
  HS_Delete(list);
  std::string good = folder.Read("pic.bmp");
  for (int round = 0; round < 400; ++round) {
    std::string bytes = Damaged(good, random);
    folder.Write("pic.bmp", bytes);
    HS_HANDLE read = HS_New();
    HS_FileReadHotspots(read, (folder / "pic.bmp").c_str());
    EXPECT_LE(HS_GetNumberOfHotspots(read), static_cast<int>(bytes.size() / 27));
    HS_FileWriteHotspots(read, (folder / "pic.bmp").c_str());
    HS_Delete(read);
    // Whatever was found, the bytes before a trailer it did not accept stay.
    std::string after = folder.Read("pic.bmp");
    std::size_t picture = std::min<std::size_t>(16, bytes.size());
    EXPECT_EQ(after.substr(0, picture), bytes.substr(0, picture)) << round;
  }
}

TEST_F(DamagedFiles, PictureWritersRefuseWithoutTouchingOrWriteWithinBounds) {
  TiffOptions tagged{.rowsPerStrip = 4};
  tagged.hotspots = {{1, 1, 5, 5, "alt", "old", 1}};
  struct Fixture {
    const char* name;
    std::string bytes;
  } fixtures[] = {
      {"pic.tif", imaging::testing::WriteTiff(imaging::testing::MakeTestDrawing(40, 16), tagged)},
      {"pic.tif", imaging::testing::WriteTiff(imaging::testing::MakeTestDrawing(40, 16), {.bigEndian = true})},
      {"pic.drf", imaging::testing::WriteDrfFile(imaging::testing::MakeDrfTestPicture(5, 16, 8),
                                                 {{"old", "", 0, 0, 5, 5, 0}}, {.compressedRasters = true})},
  };
  for (const Fixture& fixture : fixtures) {
    for (int round = 0; round < 300; ++round) {
      std::string bytes = Damaged(fixture.bytes, random);
      folder.Write(fixture.name, bytes);
      HS_HANDLE list = MakeList(spots);
      int result = HS_SaveFile(list, (folder / fixture.name).c_str());
      HS_Delete(list);
      if (result == 0) EXPECT_EQ(folder.Read(fixture.name), bytes) << fixture.name << " round " << round;
    }
  }
}

}  // namespace
