#include <gtest/gtest.h>

#include <random>

#include "imaging/picture/CcittDecoder.h"
#include "imaging/ByteOrder.h"
#include "imaging/picture/TiffBitmap.h"
#include "imaging/picture/TiffRowReader.h"
#include "imaging/picture/tests/PictureTestSupport.h"
#include "imaging/testing/LibTiffTools.h"
#include "imaging/testing/ModifiedHuffmanEncoder.h"
#include "imaging/testing/TiffWriter.h"

using namespace picture_tests;
using namespace imaging::testing;

namespace {

class TiffReaderTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& bytes, const std::string& name = "picture.tif") {
    folder.Write(name, bytes);
    return folder / name;
  }
  layer::testing::TempFolder folder;
};

struct LayoutCase {
  const char* name;
  TiffOptions options;
};

TiffOptions Options(bool bigEndian, int rowsPerStrip, bool shortSizes, bool byteCounts, bool rowsTag) {
  TiffOptions options;
  options.bigEndian = bigEndian;
  options.rowsPerStrip = rowsPerStrip;
  options.shortSizes = shortSizes;
  options.writeByteCounts = byteCounts;
  options.writeRowsPerStrip = rowsTag;
  return options;
}

// Both byte orders, SHORT and LONG sizes, one or many strips, with and
// without byte counts or RowsPerStrip: the decoded pixels are the drawn ones.
// Rows of a single byte at a strip's end decode too.
TEST_F(TiffReaderTest, EveryLayoutDecodesToThePixelsThatWereWritten) {
  const LayoutCase cases[] = {
      {"one strip", Options(false, 0, false, true, true)},
      {"strips of 5", Options(false, 5, false, true, true)},
      {"big endian, SHORT sizes", Options(true, 4, true, true, true)},
      {"no byte counts", Options(false, 3, false, false, true)},
      {"no RowsPerStrip", Options(true, 0, false, true, false)},
  };
  const Bilevel images[] = {MakeEveryCodeDrawing(), MakeTestDrawing(333, 29, 7), MakeTestDrawing(1, 3, 2),
                            MakeTestDrawing(16, 12, 3)};
  for (const LayoutCase& c : cases) {
    for (const Bilevel& image : images) {
      SCOPED_TRACE(::testing::Message() << c.name << " " << image.width << "x" << image.height);
      OpenedPicture picture(Write(WriteTiff(image, c.options)), "", QORIMG_FILE_TIFF);
      ASSERT_NE(picture.Get(), nullptr);
      EXPECT_EQ(QORIMG_GetTIFFSize(picture.Get()), (static_cast<LONGLONG>(image.height) << 32) | image.width);
      Bilevel decoded;
      ASSERT_TRUE(DecodeTiff(picture.Get(), &decoded));
      EXPECT_TRUE(decoded.pixels == image.pixels);
    }
  }
}

// libtiff's own encoder writes the picture anew; our reader must agree.
TEST_F(TiffReaderTest, FilesEncodedByLibTiffDecodeToTheSamePixels) {
  for (const Bilevel& image : {MakeEveryCodeDrawing(), MakeTestDrawing(777, 50, 11)}) {
    TiffOptions options;
    options.rowsPerStrip = 8;
    Write(WriteTiff(image, options), "ours.tif");
    ASSERT_TRUE(RecodeWithLibTiff(folder / "ours.tif", folder / "theirs.tif"));
    EXPECT_NE(folder.Read("theirs.tif"), folder.Read("ours.tif"));
    OpenedPicture picture(folder / "theirs.tif", "", QORIMG_FILE_TIFF);
    ASSERT_NE(picture.Get(), nullptr);
    Bilevel decoded;
    ASSERT_TRUE(DecodeTiff(picture.Get(), &decoded));
    EXPECT_TRUE(decoded.pixels == image.pixels);
  }
}

TEST_F(TiffReaderTest, RefusedFilesReportTheirErrors) {
  const Bilevel image = MakeTestDrawing(40, 10);
  TiffOptions uncompressed;
  uncompressed.compression = 1;
  const std::string good = WriteTiff(image);
  std::string badMagic = good;
  badMagic[2] = 43;
  struct Case {
    const char* what;
    std::string bytes;
    int error;
    const char* text;
  };
  const Case cases[] = {
      {"compression 1", WriteTiff(image, uncompressed), 13, "Unsupported TIFF-Compression (1)"},
      {"not a TIFF", "GIF89a and then some bytes", 12, nullptr},
      {"no 42", badMagic, 12, nullptr},
      {"directory cut", good.substr(0, good.size() - 20), 12, nullptr},
      {"empty file", "", 12, nullptr},
  };
  for (const Case& c : cases) {
    OpenedPicture picture(Write(c.bytes), "", QORIMG_FILE_TIFF);
    EXPECT_EQ(picture.Get(), nullptr) << c.what;
    EXPECT_EQ(picture.Error(), 1 - c.error) << c.what;
    if (c.text) {
      EXPECT_STREQ(picture.ErrorText(), c.text);
    }
    EXPECT_EQ(picture.Bound()->pTiffFile, nullptr) << c.what;
  }
}

TEST_F(TiffReaderTest, HotspotTagFillsTheSlots) {
  TiffOptions options;
  options.bigEndian = true;
  options.hotspots = {{10, 20, 30, 40, "A-1", "second", 3},
                      {1, 2, 3, 4, std::string(40, 'N'), std::string(30, 'S'), 0}};
  OpenedPicture picture(Write(WriteTiff(MakeTestDrawing(64, 64), options)), "", QORIMG_FILE_TIFF);
  ASSERT_NE(picture.Get(), nullptr);
  ASSERT_EQ(picture->nHotspotCount, 2);
  const QORIMG_HOTSPOT& first = picture->hotspots[0];
  EXPECT_EQ(first.rcPicture.left, 10);
  EXPECT_EQ(first.rcPicture.top, 20);
  EXPECT_EQ(first.rcPicture.right, 40);
  EXPECT_EQ(first.rcPicture.bottom, 60);
  EXPECT_STREQ(first.szName, "A-1");
  EXPECT_STREQ(first.szText2, "second");
  EXPECT_EQ(first.bFlag, 3);
  EXPECT_STREQ(picture->hotspots[1].szName, std::string(31, 'N').c_str());
  EXPECT_STREQ(picture->hotspots[1].szText2, std::string(24, 'S').c_str());
}

// A type 5 DRF shows its TIFF as overlay; the DRF's hotspots win over the tag's.
TEST_F(TiffReaderTest, OverlayTiffKeepsTheHotspotsOfTheDrf) {
  TiffOptions options;
  options.hotspots = {{1, 1, 5, 5, "TIFF", "", 0}};
  const std::string tiff = Write(WriteTiff(MakeTestDrawing(64, 64), options));
  std::vector<DrfHotspot> spots = {{"DRF", "", 1, 2, 3, 4, 0}};
  const std::string drf = Write(WriteDrfFile(MakeDrfTestPicture(5, 64, 64), spots), "picture.drf");
  OpenedPicture picture(tiff, drf, QORIMG_FILE_DRF);
  ASSERT_NE(picture.Get(), nullptr);
  EXPECT_EQ(picture->bOverlay, 1);
  ASSERT_EQ(picture->nHotspotCount, 1);
  EXPECT_STREQ(picture->hotspots[0].szName, "DRF");
}

// A row whose code stops before the row width ends at the unknown code; the
// next row starts at the next byte.
TEST(CcittRows, RowCutShortEndsAtTheUnknownCodeAndTheNextRowStartsOnTheNextByte) {
  Bilevel next(16, 1);
  for (int x = 4; x < 10; ++x) next.At(x, 0) = 1;
  // white 7 (1111), black 2 (11), then zero bits: no code begins with eight zeros
  std::string data("\xFC\x00", 2);
  data += EncodeModifiedHuffmanRow(next, 0);
  const BYTE* bytes = reinterpret_cast<const BYTE*>(data.data());
  const DWORD length = static_cast<DWORD>(data.size());
  std::vector<std::pair<LONG, LONG>> runs;
  auto collect = [&](LONG from, LONG to) { runs.push_back({from, to}); };
  EXPECT_EQ(DecodeCcittRow(bytes, length, 0, 16, collect), 1u);  // six bits used, rounded up
  EXPECT_EQ(DecodeCcittRow(bytes, length, 1, 16, collect), 1u);  // a zero byte is no code
  EXPECT_EQ(DecodeCcittRow(bytes, length, 2, 16, collect), length);
  const std::vector<std::pair<LONG, LONG>> expected = {{7, 9}, {4, 10}};
  EXPECT_EQ(runs, expected);
}

// Decoding a white and a black code with one lookup gives the runs and row
// ends of one lookup a code, on sound rows and on damaged ones: random bytes,
// flipped bits and rows cut short, at widths that end rows early and late.
TEST(CcittRows, PairLookupsDecodeAsSingleCodesDo) {
  struct Input {
    const char* name;
    std::string data;
  };
  std::mt19937 random(17);
  const Bilevel drawing = MakeTestDrawing(333, 40, 5);
  const std::string sound = EncodeModifiedHuffmanRows(drawing, 0, drawing.height);
  std::string flipped = sound, noise(4000, '\0');
  for (int i = 0; i < 60; ++i) flipped[random() % flipped.size()] ^= static_cast<char>(1 << (random() % 8));
  for (char& byte : noise) byte = static_cast<char>(random());
  const Input inputs[] = {{"every code", EncodeModifiedHuffmanRows(MakeEveryCodeDrawing(), 0, 40)},
                          {"drawing", sound},
                          {"flipped bits", flipped},
                          {"random bytes", noise},
                          {"cut short", sound.substr(0, sound.size() / 3)}};
  using Runs = std::vector<std::pair<LONG, LONG>>;
  for (const Input& input : inputs) {
    for (LONG width : {1, 7, 333, 5400}) {
      SCOPED_TRACE(::testing::Message() << input.name << ", width " << width);
      const BYTE* bytes = reinterpret_cast<const BYTE*>(input.data.data());
      const DWORD length = static_cast<DWORD>(input.data.size());
      DWORD paired = 0, single = 0;
      // A row that begins with no code uses no byte: the next try starts a
      // byte later, so that the damage is decoded on.
      for (int row = 0; row < 20000 && paired < length; ++row) {
        const DWORD start = paired;
        Runs pairedRuns, singleRuns;
        auto keep = [width](Runs& runs) {
          return [&runs, width](LONG from, LONG to) {
            EXPECT_TRUE(from >= 0 && from < to && to <= width);
            runs.push_back({from, to});
          };
        };
        paired = DecodeCcittRow<true>(bytes, length, paired, width, keep(pairedRuns));
        single = DecodeCcittRow<false>(bytes, length, single, width, keep(singleRuns));
        ASSERT_EQ(paired, single) << "row " << row;
        ASSERT_EQ(pairedRuns, singleRuns) << "row " << row;
        if (paired == start) paired = single = start + 1;
      }
    }
  }
}

// Columns collect the black pixels that fall on them when a row is reduced.
TEST(CcittRows, ScaledRowsCountBlackPixelsPerColumn) {
  Bilevel row(12, 1);
  for (int x : {1, 2, 3, 8, 11}) row.At(x, 0) = 1;
  const std::string data = EncodeModifiedHuffmanRow(row, 0);
  WORD columns[6] = {};
  DecodeCCITTRuns(0, 12, 12, reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()), 0, columns, 1,
                  2);
  const WORD expected[6] = {1, 2, 0, 0, 1, 1};
  EXPECT_TRUE(std::equal(columns, columns + 6, expected));

  WORD window[3] = {};  // pixels 2 to 4 only, one to one
  DecodeCCITTRuns(2, 5, 12, reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()), 0, window, 1,
                  1);
  const WORD expectedWindow[3] = {1, 1, 0};
  EXPECT_TRUE(std::equal(window, window + 3, expectedWindow));
}

// Where the value field of a tag's entry lies in the first directory of a
// little-endian file.
std::uint8_t* ValueField(std::string& file, WORD tag) {
  auto* bytes = reinterpret_cast<std::uint8_t*>(file.data());
  const std::uint32_t directory = imaging::GetU32(bytes + 4, false);
  for (unsigned i = 0, count = imaging::GetU16(bytes + directory, false); i < count; ++i) {
    std::uint8_t* entry = bytes + directory + 2 + 12 * i;
    if (imaging::GetU16(entry, false) == tag) return entry + 8;
  }
  return nullptr;
}

// A strip that the file lacks (the table ends before the rows do, or the
// strip lies past the file's end) gives white rows, and its rows are never
// handed to the row decoder: the work grows with the rows the file holds.
TEST_F(TiffReaderTest, RowsOfMissingStripsStayWhiteAtNoCost) {
  const Bilevel drawn = MakeTestDrawing(8, 12, 3);
  Bilevel top(drawn.width, 4);
  std::copy_n(drawn.pixels.begin(), top.pixels.size(), top.pixels.begin());
  std::string fewStrips = WriteTiff(top, Options(false, 4, false, true, true));
  imaging::SetU32(ValueField(fewStrips, 257), 300, false);  // ImageLength: 300 rows, one strip of 4
  std::string pastTheEnd = WriteTiff(drawn, Options(false, 4, false, true, true));
  std::uint8_t* offsets = ValueField(pastTheEnd, 273);
  imaging::SetU32(reinterpret_cast<std::uint8_t*>(pastTheEnd.data()) + imaging::GetU32(offsets, false) + 4,
                  0xFFFFFF00u, false);
  struct Case {
    const char* what;
    std::string file;
    LONG height;
    LONG firstMissing, endMissing;
  } cases[] = {{"table ends early", fewStrips, 300, 4, 300}, {"strip past the end", pastTheEnd, 12, 4, 8}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    OpenedPicture picture(Write(c.file), "", QORIMG_FILE_TIFF);
    ASSERT_NE(picture.Get(), nullptr);
    ASSERT_EQ(picture->nTiffHeight, c.height);
    TiffRowReader rows(picture.Get());
    for (LONG y = 0; y < c.height; ++y) {
      std::vector<int> row(8, 0);
      rows.Decode(y, [&](LONG from, LONG to) { std::fill(row.begin() + from, row.begin() + std::min<LONG>(to, 8), 1); });
      const bool missing = y >= c.firstMissing && y < c.endMissing;
      for (LONG x = 0; x < 8; ++x) ASSERT_EQ(row[x], missing ? 0 : drawn.At(x, y)) << x << "," << y;
    }
    EXPECT_EQ(rows.DecodedRows(), c.height - (c.endMissing - c.firstMissing));
  }
}

TEST_F(TiffReaderTest, PartOfThePictureAsBitmap) {
  const Bilevel image = MakeTestDrawing(100, 40, 5);
  OpenedPicture picture(Write(WriteTiff(image, Options(false, 7, false, true, true))), "", QORIMG_FILE_TIFF);
  ASSERT_NE(picture.Get(), nullptr);
  std::vector<BYTE> target(48 + 8 * 20);
  ASSERT_EQ(DecodeTIFFToDIB(30, 80, 12, 32, target.data(), picture.Get()), 1);
  for (int y = 12; y < 32; ++y)
    for (int x = 30; x < 80; ++x) {
      const BYTE* row = target.data() + 48 + 8 * (31 - y);
      ASSERT_EQ((row[(x - 30) / 8] >> (7 - (x - 30) % 8)) & 1, image.At(x, y)) << x << "," << y;
    }
  EXPECT_EQ(DecodeTIFFToDIB(5, 5, 0, 10, target.data(), picture.Get()), 0);
}

}  // namespace
