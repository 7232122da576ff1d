// Decoding speed of the picture control: a large bilevel TIFF side by side
// with libtiff decoding the same file, and a type 6 DRF of 2000 x 1500.
#include <benchmark/benchmark.h>
#include <tiffio.h>

#include <algorithm>
#include <random>
#include <vector>

#include "imaging/testing/DrfEncoder.h"
#include "imaging/testing/TiffWriter.h"
#include "interfaces/QridIMG.h"
#include "testing/TempFolder.h"

using namespace imaging::testing;

namespace {

// An exploded view: white paper, outlines and hatching, some filled parts.
Bilevel MakeLineDrawing(int width, int height) {
  Bilevel image(width, height);
  std::mt19937 random(42);
  for (int shape = 0; shape < 4000; ++shape) {
    int x = random() % width, y = random() % height;
    int w = 20 + random() % 400, h = 20 + random() % 300;
    bool filled = random() % 10 == 0;
    for (int row = y; row < std::min(height, y + h); ++row)
      for (int col = x; col < std::min(width, x + w); ++col)
        if (filled || row < y + 2 || row >= y + h - 2 || col < x + 2 || col >= x + w - 2 || (col - row) % 17 == 0)
          image.At(col, row) = 1;
  }
  return image;
}

struct Files {
  layer::testing::TempFolder folder;
  std::string lineDrawing, plainRows, drf;
  Files() {
    TiffOptions options;
    options.rowsPerStrip = 64;
    folder.Write("drawing.tif", WriteTiff(MakeLineDrawing(10000, 7000), options));
    folder.Write("rows.tif", WriteTiff(MakeTestDrawing(10000, 7000, 5), options));
    lineDrawing = folder / "drawing.tif";
    plainRows = folder / "rows.tif";

    DrfPicture picture(6, 2000, 1500);
    std::mt19937 random(7);
    for (int shape = 0; shape < 600; ++shape) {
      int x = random() % 2000, y = random() % 1500, w = 10 + random() % 200, h = 10 + random() % 150;
      std::uint8_t colour = static_cast<std::uint8_t>(1 + random() % 239);
      for (int row = y; row < std::min(1500, y + h); ++row)
        for (int col = x; col < std::min(2000, x + w); ++col) picture.At(col, row) = colour;
    }
    picture.colours.resize(240, {1, 2, 3});
    folder.Write("picture.drf", WriteDrfFile(picture));
    drf = folder / "picture.drf";
  }
};

const Files& Fixtures() {
  static Files files;
  return files;
}

void DecodeTiffOurs(benchmark::State& state, const std::string& path) {
  QORIMG_ShowErrorMessages(0);
  std::vector<BYTE> target(48 + WIDTHBYTES(10000) * 7000);
  HWND window = reinterpret_cast<HWND>(1);
  for (auto _ : state) {
    QORIMG_PICTURE* picture = QORIMG_OpenImage(window, 0, nullptr, path.c_str(), "", 1, QORIMG_FILE_TIFF, 0);
    if (!picture || !QORIMG_DecodeTIFF2DIB(picture, target.data())) state.SkipWithError("decode failed");
    QORIMG_UnloadPicture(window, picture);
    benchmark::DoNotOptimize(target.data());
  }
}

void DecodeTiffLibTiff(benchmark::State& state, const std::string& path) {
  TIFFSetWarningHandler(nullptr);
  std::vector<BYTE> target(WIDTHBYTES(10000) * 7000);
  for (auto _ : state) {
    TIFF* tiff = TIFFOpen(path.c_str(), "r");
    if (!tiff) state.SkipWithError("libtiff open failed");
    const tsize_t stripSize = TIFFStripSize(tiff);
    BYTE* at = target.data();
    for (tstrip_t strip = 0; strip < TIFFNumberOfStrips(tiff); ++strip) {
      tsize_t got = TIFFReadEncodedStrip(tiff, strip, at, stripSize);
      if (got < 0) state.SkipWithError("libtiff decode failed");
      at += got;
    }
    TIFFClose(tiff);
    benchmark::DoNotOptimize(target.data());
  }
}

void BM_TiffLineDrawingOurs(benchmark::State& state) { DecodeTiffOurs(state, Fixtures().lineDrawing); }
void BM_TiffLineDrawingLibTiff(benchmark::State& state) { DecodeTiffLibTiff(state, Fixtures().lineDrawing); }
void BM_TiffPlainRowsOurs(benchmark::State& state) { DecodeTiffOurs(state, Fixtures().plainRows); }
void BM_TiffPlainRowsLibTiff(benchmark::State& state) { DecodeTiffLibTiff(state, Fixtures().plainRows); }

void BM_DrfType6Decode(benchmark::State& state) {
  QORIMG_ShowErrorMessages(0);
  std::vector<BYTE> target(40 + 4 * 240 + 2000 * 1500);
  HWND window = reinterpret_cast<HWND>(2);
  QORIMG_PICTURE* picture = QORIMG_OpenImage(window, 0, nullptr, "", Fixtures().drf.c_str(), 0, QORIMG_FILE_DRF, 0);
  if (!picture) state.SkipWithError("open failed");
  for (auto _ : state) {
    if (!QORIMG_DecodeDRF2DIB(picture, target.data())) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(target.data());
  }
  QORIMG_UnloadPicture(window, picture);
}

void BM_DrfType6OpenAndDecode(benchmark::State& state) {
  QORIMG_ShowErrorMessages(0);
  std::vector<BYTE> target(40 + 4 * 240 + 2000 * 1500);
  HWND window = reinterpret_cast<HWND>(3);
  for (auto _ : state) {
    QORIMG_PICTURE* picture = QORIMG_OpenImage(window, 0, nullptr, "", Fixtures().drf.c_str(), 0, QORIMG_FILE_DRF, 0);
    if (!picture || !QORIMG_DecodeDRF2DIB(picture, target.data())) state.SkipWithError("decode failed");
    QORIMG_UnloadPicture(window, picture);
    benchmark::DoNotOptimize(target.data());
  }
}

}  // namespace

BENCHMARK(BM_TiffLineDrawingOurs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TiffLineDrawingLibTiff)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TiffPlainRowsOurs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TiffPlainRowsLibTiff)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrfType6Decode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrfType6OpenAndDecode)->Unit(benchmark::kMillisecond);
