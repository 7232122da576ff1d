#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "imaging/decoders/tests/BmpFile.h"
#include "imaging/raster/CDib.h"
#include "interfaces/Decoder.h"
#include "interfaces/QridHtSp.h"
#include "testing/TempFolder.h"

DECODER_API int DECODER_MakeDib(const char* path, DECODER_FILEHEAD* head, DIB_HANDLE target, int mode, int* error,
                                HS_HANDLE hotspots, int unused1, int unused2);
DECODER_API int DECODER_GetFileInfo(const char* path, DECODER_FILEHEAD* head, BITMAPINFOHEADER* info,
                                    HS_HANDLE hotspots, int* error);

namespace {

struct Decoded {
  int result = -1;
  int error = -1;
  CDib dib;
};

void Decode(const std::string& bytes, Decoded& out, const char* path = "x.bmp", HS_HANDLE hotspots = nullptr) {
  DECODER_FILEHEAD head{reinterpret_cast<const BYTE*>(bytes.data()), reinterpret_cast<const BYTE*>(bytes.data()),
                        static_cast<LONG>(bytes.size()), static_cast<LONG>(bytes.size())};
  out.result = DECODER_MakeDib(path, &head, &out.dib, 32, &out.error, hotspots, 0, 0);
}

std::string Line(const BYTE* line, int n) { return std::string(reinterpret_cast<const char*>(line), n); }

TEST(CBmpDecoder, UncompressedDepthsCopyLinesBottomUp) {
  struct Case {
    int bits, width;
    std::string bottom, top;  // file lines, padded
  };
  const Case cases[] = {
      {1, 9, std::string("\x80\x80\0\0", 4), std::string("\xFF\x00\0\0", 4)},
      {4, 3, std::string("\x12\x30\0\0", 4), std::string("\xFE\xD0\0\0", 4)},
      {8, 5, std::string("\1\2\3\4\5\0\0\0", 8), std::string("\5\4\3\2\1\0\0\0", 8)},
      {24, 2, std::string("\1\2\3\4\5\6\0\0", 8), std::string("\7\10\11\12\13\14\0\0", 8)},
      {32, 1, std::string("\1\2\3\4", 4), std::string("\5\6\7\10", 4)},
  };
  for (const Case& c : cases) {
    BmpFile file;
    file.width = c.width;
    file.height = 2;
    file.bits = c.bits;
    if (c.bits <= 8) file.colours = Greys(1 << c.bits);
    file.pixels = c.bottom + c.top;
    Decoded decoded;
    Decode(file.Bytes(), decoded);
    ASSERT_EQ(decoded.result, 1) << c.bits;
    EXPECT_EQ(decoded.error, 0);
    EXPECT_EQ(decoded.dib.GetBitCount(), c.bits);
    EXPECT_EQ(decoded.dib.GetWidth(), c.width);
    EXPECT_EQ(Line(decoded.dib.GetLineArray()[0], c.top.size()), c.top) << c.bits;
    EXPECT_EQ(Line(decoded.dib.GetLineArray()[1], c.bottom.size()), c.bottom) << c.bits;
    EXPECT_EQ(decoded.dib.GetBMI()->bmiHeader.biXPelsPerMeter, 2835);
    EXPECT_EQ(decoded.dib.GetBMI()->bmiHeader.biYPelsPerMeter, 3780);
    if (c.bits <= 8) {
      EXPECT_EQ(std::memcmp(&decoded.dib.GetColorTable()[1], "\x11\x11\x11\xFF", 4), 0) << c.bits;
    }
  }
}

TEST(CBmpDecoder, RunLengthCodesOfEightBits) {
  struct Case {
    const char* name;
    std::string codes;
    std::string top, bottom;  // 4 pixels each
    int result, error;
  };
  using std::string;
  const Case cases[] = {
      {"runs and end of line", string("\3\7\0\0\4\1\0\1", 8), string("\1\1\1\1", 4), string("\7\7\7\0", 4), 1, 0},
      {"literal of three is padded", string("\0\3\4\5\6\0\2\2\0\1", 10), string(4, 0), string("\4\5\6\2", 4), 1, 0},
      {"run past the edge is cut", string("\11\3\0\0\1\5\0\1", 8), string("\5\0\0\0", 4), string("\3\3\3\3", 4), 1, 0},
      {"data ends without its mark", string("\2\4\0\0\1\6", 6), string("\6\0\0\0", 4), string("\4\4\0\0", 4), 1, 0},
      {"delta", string("\1\1\0\2\1\1", 6), string(4, 0), string("\1\0\0\0", 4), 0, 104},
  };
  for (const Case& c : cases) {
    BmpFile file;
    file.width = 4;
    file.height = 2;
    file.compression = BI_RLE8;
    file.coloursUsed = 8;
    file.colours = Greys(8);
    file.pixels = c.codes;
    Decoded decoded;
    Decode(file.Bytes(), decoded);
    EXPECT_EQ(decoded.result, c.result) << c.name;
    EXPECT_EQ(decoded.error, c.error) << c.name;
    EXPECT_EQ(Line(decoded.dib.GetLineArray()[0], 4), c.top) << c.name;
    EXPECT_EQ(Line(decoded.dib.GetLineArray()[1], 4), c.bottom) << c.name;
  }
}

TEST(CBmpDecoder, RunLengthCodesOfFourBitsGiveEightBitPixels) {
  struct Case {
    const char* name;
    std::string codes;
    std::string top, bottom;  // 6 pixels each
    int error;
  };
  using std::string;
  const Case cases[] = {
      {"run alternates nibbles", string("\5\xAB\0\0\1\xF0\0\1", 8), string("\x0F\0\0\0\0\0", 6),
       string("\x0A\x0B\x0A\x0B\x0A\0", 6), 0},
      {"absolute three: two bytes, no pad", string("\0\3\x12\x30\1\x44\0\1", 8), string(6, 0),
       string("\1\2\3\4\0\0", 6), 0},
      {"absolute five: three bytes and a pad", string("\0\5\x12\x34\x50\0\1\x66\0\1", 10), string(6, 0),
       string("\1\2\3\4\5\6", 6), 0},
      {"short line leaves zeros, not the line below", string("\6\x99\0\0\2\x11\0\1", 8), string("\1\1\0\0\0\0", 6),
       string(6, 9), 0},
      {"delta", string("\0\2", 2), string(6, 0), string(6, 0), 104},
  };
  for (const Case& c : cases) {
    BmpFile file;
    file.width = 6;
    file.height = 2;
    file.bits = 4;
    file.compression = BI_RLE4;
    file.colours = Greys(16);
    file.pixels = c.codes;
    Decoded decoded;
    Decode(file.Bytes(), decoded);
    EXPECT_EQ(decoded.error, c.error) << c.name;
    EXPECT_EQ(decoded.dib.GetBitCount(), 8) << c.name;
    EXPECT_EQ(decoded.dib.GetColorCount(), 256) << c.name;
    EXPECT_EQ(std::memcmp(&decoded.dib.GetColorTable()[15], "\xFF\xFF\xFF\xFF", 4), 0) << c.name;
    EXPECT_EQ(Line(decoded.dib.GetLineArray()[0], 6), c.top) << c.name;
    EXPECT_EQ(Line(decoded.dib.GetLineArray()[1], 6), c.bottom) << c.name;
  }
}

TEST(CBmpDecoder, RefusalsAndTheirCodes) {
  struct Case {
    const char* name;
    void (*change)(BmpFile&);
    int result, error;
  };
  const Case cases[] = {
      {"sixteen bits", [](BmpFile& f) { f.bits = 16, f.colours.clear(), f.pixels.assign(16, 0); }, 0, 101},
      {"bit fields", [](BmpFile& f) { f.compression = BI_BITFIELDS; }, 0, 101},
      {"run lengths of eight bits on four", [](BmpFile& f) { f.bits = 4, f.compression = BI_RLE8, f.colours = Greys(16); }, 0, 101},
      {"run lengths of four bits on eight", [](BmpFile& f) { f.compression = BI_RLE4; }, 0, 101},
      {"information header of another size", [](BmpFile& f) { f.headerSize = 108; }, 0, 103},
      {"no width", [](BmpFile& f) { f.width = 0; }, 0, 102},
      {"top-down lines", [](BmpFile& f) { f.height = -2; }, 0, 102},
      {"huge", [](BmpFile& f) { f.width = 70000; }, 0, 102},
      {"pixels cut short", [](BmpFile& f) { f.pixels.resize(7); }, 0, 102},
      {"colour table cut short", [](BmpFile& f) { f.colours.resize(100), f.pixels.clear(); }, 0, 102},
  };
  for (const Case& c : cases) {
    BmpFile file;
    file.width = 4;
    file.height = 2;
    file.colours = Greys(256);
    file.pixels.assign(8, 1);
    c.change(file);
    Decoded decoded;
    Decode(file.Bytes(), decoded);
    EXPECT_EQ(decoded.result, c.result) << c.name;
    EXPECT_EQ(decoded.error, c.error) << c.name;
  }
}

TEST(CBmpDecoder, OtherFormatsArePassedOn) {
  for (const std::string& bytes : {std::string(), std::string("B"), std::string("MB\0\0\0\0", 6), std::string("\x01\x10", 2)}) {
    Decoded decoded;
    Decode(bytes, decoded);
    EXPECT_EQ(decoded.result, DECODER_NOT_MY_FORMAT);
    EXPECT_EQ(decoded.error, 0);
  }
}

TEST(CBmpDecoder, PixelsStartWhereTheFileHeaderSays) {
  BmpFile file;
  file.width = 4;
  file.height = 1;
  file.colours = Greys(4);
  file.coloursUsed = 4;
  file.pixels = std::string("\1\2\3\0", 4);
  file.gap = 6;
  Decoded decoded;
  Decode(file.Bytes(), decoded);
  ASSERT_EQ(decoded.result, 1);
  EXPECT_EQ(Line(decoded.dib.GetLineArray()[0], 4), std::string("\1\2\3\0", 4));
  file.gap = 0;
  file.offsetFilledIn = false;  // old writers leave the offset 0
  Decode(file.Bytes(), decoded);
  ASSERT_EQ(decoded.result, 1);
  EXPECT_EQ(Line(decoded.dib.GetLineArray()[0], 4), std::string("\1\2\3\0", 4));
}

TEST(CBmpDecoder, ColoursUsedBeyondTheDepthAreClamped) {
  BmpFile file;
  file.width = 8;
  file.height = 1;
  file.bits = 1;
  file.coloursUsed = 1000;
  file.colours = {RGBQUAD{1, 2, 3, 0}, RGBQUAD{4, 5, 6, 0}};
  file.pixels = std::string("\xF0\0\0\0", 4);
  Decoded decoded;
  Decode(file.Bytes(), decoded);
  ASSERT_EQ(decoded.result, 1);
  EXPECT_EQ(decoded.dib.GetColorCount(), 2);
  EXPECT_EQ(std::memcmp(&decoded.dib.GetColorTable()[1], "\4\5\6\xFF", 4), 0);
  EXPECT_EQ(decoded.dib.GetLineArray()[0][0], 0xF0);
}

TEST(CBmpDecoder, FileInfoFillsTheHeaderAndReadsTheHotspots) {
  layer::testing::TempFolder folder;
  BmpFile file;
  file.width = 5;
  file.height = 3;
  file.bits = 24;
  file.pixels.assign(48, 0);
  folder.Write("p.bmp", file.Bytes());
  HS_HANDLE writer = HS_New();
  HS_AddHotspot(writer, 1, 1, 3, 2, "A7", "key", 0);
  HS_FileWriteHotspots(writer, CString((folder / "p.bmp").c_str()));
  HS_Delete(writer);
  const std::string bytes = folder.Read("p.bmp");
  DECODER_FILEHEAD head{reinterpret_cast<const BYTE*>(bytes.data()), reinterpret_cast<const BYTE*>(bytes.data()),
                        static_cast<LONG>(bytes.size()), static_cast<LONG>(bytes.size())};

  BITMAPINFOHEADER info{};
  int error = -1;
  EXPECT_EQ(DECODER_GetFileInfo((folder / "p.bmp").c_str(), &head, &info, nullptr, &error), 1);
  EXPECT_EQ(error, 0);
  EXPECT_EQ(info.biWidth, 5);
  EXPECT_EQ(info.biHeight, 3);
  EXPECT_EQ(info.biBitCount, 24);

  HS_HANDLE list = HS_New();
  head.readPos = head.data;
  EXPECT_EQ(DECODER_GetFileInfo((folder / "p.bmp").c_str(), &head, &info, list, &error), 1);
  EXPECT_EQ(HS_GetNumberOfHotspots(list), 1);
  HS_DeleteHotspots(list);
  Decoded decoded;
  Decode(bytes, decoded, (folder / "p.bmp").c_str(), list);
  EXPECT_EQ(decoded.result, 1);
  EXPECT_EQ(HS_GetNumberOfHotspots(list), 1);
  HS_Delete(list);
}

// Damaged files of every kind must fail or decode, never read or write
// outside their bytes (the sanitizers watch).
TEST(CBmpDecoder, RandomDamageStaysInsideTheBytes) {
  std::vector<std::string> sound;
  for (DWORD compression : {BI_RGB, BI_RLE8, BI_RLE4}) {
    BmpFile file;
    file.width = 13;
    file.height = 7;
    file.bits = compression == BI_RLE4 ? 4 : 8;
    file.compression = compression;
    file.colours = Greys(1 << file.bits);
    file.pixels = compression == BI_RGB ? std::string(16 * 7, 3) : std::string("\5\x21\0\3\x12\x34\x56\0\0\0\4\7\0\0\0\1", 16);
    sound.push_back(file.Bytes());
  }
  std::mt19937 random(2024);
  for (int round = 0; round < 3000; ++round) {
    std::string bytes = sound[round % sound.size()];
    const int changes = 1 + random() % 6;
    for (int i = 0; i < changes; ++i) bytes[random() % bytes.size()] = static_cast<char>(random());
    if (random() % 4 == 0) bytes.resize(random() % bytes.size());
    std::string exact(bytes);  // a block of exactly the file's size
    Decoded decoded;
    Decode(exact, decoded);
    EXPECT_TRUE(decoded.result == 0 || decoded.result == 1 || decoded.result == DECODER_NOT_MY_FORMAT);
  }
}

}  // namespace
