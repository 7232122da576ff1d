// Speed of the picture control: decoding a large bilevel TIFF side by side
// with libtiff decoding the same file into the same 1-bit rows (with the
// file's open and close, and of a file opened before), a TIFF whose
// strip table ends long before its rows, a type 6 DRF of 2000 x 1500, the
// repaint of a window showing the large TIFF fitted (paired with one decode
// of it), and a mouse move over 600 hotspots.
#include <benchmark/benchmark.h>
#include <tiffio.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <random>
#include <vector>

#include "bench/Pairing.h"
#include "imaging/ByteOrder.h"
#include "imaging/testing/DrfEncoder.h"
#include "imaging/testing/TiffWriter.h"
#include "interfaces/QridIMG.h"
#include "testing/TempFolder.h"
#include "win32/Gdi.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

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

// 8 x 65535 pixels with one strip of one row: a 112-byte file whose strip
// table ends after the first row (ImageLength raised in the written file).
std::string StripTableEndsEarly() {
  Bilevel row(8, 1);
  row.At(3, 0) = 1;
  TiffOptions options;
  options.rowsPerStrip = 1;
  std::string file = WriteTiff(row, options);
  auto* bytes = reinterpret_cast<std::uint8_t*>(file.data());
  const std::uint32_t directory = imaging::GetU32(bytes + 4, false);
  for (unsigned i = 0, count = imaging::GetU16(bytes + directory, false); i < count; ++i) {
    std::uint8_t* entry = bytes + directory + 2 + 12 * i;
    if (imaging::GetU16(entry, false) == 257) imaging::SetU32(entry + 8, 65535, false);
  }
  return file;
}

struct Files {
  layer::testing::TempFolder folder;
  std::string lineDrawing, plainRows, stripTableEndsEarly, drf;
  Files() {
    TiffOptions options;
    options.rowsPerStrip = 64;
    folder.Write("drawing.tif", WriteTiff(MakeLineDrawing(10000, 7000), options));
    folder.Write("rows.tif", WriteTiff(MakeTestDrawing(10000, 7000, 5), options));
    lineDrawing = folder / "drawing.tif";
    plainRows = folder / "rows.tif";
    folder.Write("early.tif", StripTableEndsEarly());
    stripTableEndsEarly = folder / "early.tif";

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

// Our 1-bit bitmap of the whole picture (rows bottom-up, 4-byte aligned).
bool DecodeOurs(const std::string& path, std::vector<BYTE>& target, HWND window) {
  QORIMG_PICTURE* picture = QORIMG_OpenImage(window, 0, nullptr, path.c_str(), "", 1, QORIMG_FILE_TIFF, 0);
  const bool decoded = picture && QORIMG_DecodeTIFF2DIB(picture, target.data());
  QORIMG_UnloadPicture(window, picture);
  return decoded;
}

// libtiff's rows of the whole picture of an open file (top-down, 1-byte
// aligned).
bool DecodeStripsLibTiff(TIFF* tiff, std::vector<BYTE>& target) {
  const tsize_t stripSize = TIFFStripSize(tiff);
  BYTE* at = target.data();
  for (tstrip_t strip = 0; strip < TIFFNumberOfStrips(tiff); ++strip) {
    const tsize_t got = TIFFReadEncodedStrip(tiff, strip, at, stripSize);
    if (got < 0) return false;
    at += got;
  }
  return true;
}

// The same with the file's open and close.
bool DecodeLibTiff(const std::string& path, std::vector<BYTE>& target) {
  TIFF* tiff = TIFFOpen(path.c_str(), "r");
  if (!tiff) return false;
  const bool decoded = DecodeStripsLibTiff(tiff, target);
  TIFFClose(tiff);
  return decoded;
}

// Both decoders give the same rows of pixels.
bool SameRows(const std::string& path, int width, int height) {
  std::vector<BYTE> ours(48 + WIDTHBYTES(width) * height), theirs((width + 7) / 8 * height);
  if (!DecodeOurs(path, ours, reinterpret_cast<HWND>(4)) || !DecodeLibTiff(path, theirs)) return false;
  for (int y = 0; y < height; ++y)
    if (std::memcmp(ours.data() + 48 + WIDTHBYTES(width) * (height - 1 - y), theirs.data() + (width + 7) / 8 * y,
                    width / 8) != 0)
      return false;
  return true;
}

void DecodeTiffOurs(benchmark::State& state, const std::string& path) {
  QORIMG_ShowErrorMessages(0);
  if (!SameRows(path, 10000, 7000)) state.SkipWithError("the decoders disagree");
  std::vector<BYTE> target(48 + WIDTHBYTES(10000) * 7000);
  HWND window = reinterpret_cast<HWND>(1);
  for (auto _ : state) {
    if (!DecodeOurs(path, target, window)) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(target.data());
  }
}

void DecodeTiffLibTiff(benchmark::State& state, const std::string& path) {
  TIFFSetWarningHandler(nullptr);
  std::vector<BYTE> target(WIDTHBYTES(10000) * 7000);
  for (auto _ : state) {
    if (!DecodeLibTiff(path, target)) state.SkipWithError("libtiff decode failed");
    benchmark::DoNotOptimize(target.data());
  }
}

// Open, decode and close; and the decode alone, of a file opened before.
const bool kLineDrawingPaired =
    bench::Pair("TIFF 10000x7000, line drawing", "BM_TiffLineDrawingOurs", "BM_TiffLineDrawingLibTiff");
const bool kPlainRowsPaired = bench::Pair("TIFF 10000x7000, plain rows", "BM_TiffPlainRowsOurs", "BM_TiffPlainRowsLibTiff");
const bool kDecodeOncePaired = bench::Pair("TIFF 10000x7000, line drawing, decode", "BM_TiffLineDrawingDecodeOnce",
                                           "BM_TiffLineDrawingDecodeOnceLibTiff");

void BM_TiffLineDrawingOurs(benchmark::State& state) { DecodeTiffOurs(state, Fixtures().lineDrawing); }
void BM_TiffLineDrawingLibTiff(benchmark::State& state) { DecodeTiffLibTiff(state, Fixtures().lineDrawing); }
void BM_TiffPlainRowsOurs(benchmark::State& state) { DecodeTiffOurs(state, Fixtures().plainRows); }
void BM_TiffPlainRowsLibTiff(benchmark::State& state) { DecodeTiffLibTiff(state, Fixtures().plainRows); }

// The rows that no strip holds come out white at no cost of their own.
void BM_TiffStripTableEndsEarly(benchmark::State& state) {
  QORIMG_ShowErrorMessages(0);
  std::vector<BYTE> target(48 + WIDTHBYTES(8) * 65535);
  HWND window = reinterpret_cast<HWND>(5);
  for (auto _ : state) {
    if (!DecodeOurs(Fixtures().stripTableEndsEarly, target, window)) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(target.data());
  }
}

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

// One decode of the line drawing, the file already loaded: what a repaint
// of the fitted picture is measured against.
void BM_TiffLineDrawingDecodeOnce(benchmark::State& state) {
  QORIMG_ShowErrorMessages(0);
  std::vector<BYTE> target(48 + WIDTHBYTES(10000) * 7000);
  HWND window = reinterpret_cast<HWND>(4);
  QORIMG_PICTURE* picture =
      QORIMG_OpenImage(window, 0, nullptr, Fixtures().lineDrawing.c_str(), "", 1, QORIMG_FILE_TIFF, 0);
  if (!picture) state.SkipWithError("open failed");
  for (auto _ : state) {
    if (!QORIMG_DecodeTIFF2DIB(picture, target.data())) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(target.data());
  }
  QORIMG_UnloadPicture(window, picture);
}

void BM_TiffLineDrawingDecodeOnceLibTiff(benchmark::State& state) {
  TIFFSetWarningHandler(nullptr);
  std::vector<BYTE> target(WIDTHBYTES(10000) * 7000);
  TIFF* tiff = TIFFOpen(Fixtures().lineDrawing.c_str(), "r");
  if (!tiff) state.SkipWithError("libtiff open failed");
  for (auto _ : state) {
    if (!tiff || !DecodeStripsLibTiff(tiff, target)) state.SkipWithError("libtiff decode failed");
    benchmark::DoNotOptimize(target.data());
  }
  if (tiff) TIFFClose(tiff);
}

LRESULT CALLBACK PictureProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* picture = reinterpret_cast<QORIMG_PICTURE*>(GetWindowLongPtr(window, GWLP_USERDATA));
  if (picture && QORIMG_OnMessage(window, message, wParam, lParam, picture)) return 0;
  return DefWindowProc(window, message, wParam, lParam);
}

// A child window of 1600 x 1200 that hands its messages to the picture.
struct PictureWindow {
  HWND frame = nullptr, window = nullptr;
  QORIMG_PICTURE* picture = nullptr;
  explicit PictureWindow(const std::string& tiff) {
    QORIMG_ShowErrorMessages(0);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = PictureProcedure;
    windowClass.lpszClassName = "PictureBenchWindow";
    RegisterClass(&windowClass);
    windowClass.lpfnWndProc = DefWindowProc;
    windowClass.lpszClassName = "PictureBenchFrame";
    RegisterClass(&windowClass);
    frame = CreateWindowEx(0, "PictureBenchFrame", "", WS_POPUP | WS_VISIBLE, 0, 0, 1600, 1200, nullptr, nullptr,
                           nullptr, nullptr);
    window = CreateWindowEx(0, "PictureBenchWindow", "", WS_CHILD | WS_VISIBLE, 0, 0, 1600, 1200, frame, nullptr,
                            nullptr, nullptr);
    picture = QORIMG_LoadPicture(window, 0, nullptr, tiff.c_str(), "", QORIMG_DISPLAY_FITTED, QORIMG_FILE_TIFF, 0);
    SetWindowLongPtr(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(picture));
    layer::PumpUntilIdle();
  }
  ~PictureWindow() {
    QORIMG_UnloadPicture(window, picture);
    DestroyWindow(frame);
  }
};

void BM_RepaintFittedLineDrawing(benchmark::State& state) {
  PictureWindow shown(Fixtures().lineDrawing);
  if (!shown.picture) state.SkipWithError("load failed");
  for (auto _ : state) {
    InvalidateRect(shown.window, nullptr, FALSE);
    UpdateWindow(shown.window);
  }
}

// 600 hotspots in a grid of 30 x 20 cells; the mouse goes from one to the
// next, so that each move takes one frame away and draws another.
void BM_MouseMoveOver600Hotspots(benchmark::State& state) {
  static layer::testing::TempFolder folder;
  TiffOptions options;
  for (int i = 0; i < 600; ++i) {
    const int x = (i % 30) * 53, y = (i / 30) * 60;
    options.hotspots.push_back({static_cast<std::uint16_t>(x + 2), static_cast<std::uint16_t>(y + 2), 48, 55,
                                std::to_string(i), ""});
  }
  folder.Write("blank.tif", WriteTiff(Bilevel(1600, 1200), options));
  PictureWindow shown(folder / "blank.tif");
  if (!shown.picture || QORIMG_GetHotspotCount(shown.picture) != 600) state.SkipWithError("load failed");
  LONG spot = 0;
  for (auto _ : state) {
    spot = (spot + 37) % 600;
    const LPARAM at = MAKELPARAM((spot % 30) * 53 + 25, (spot / 30) * 60 + 30);
    QORIMG_OnMessage(shown.window, WM_MOUSEMOVE, 0, at, shown.picture);
  }
  if (QORIMG_GetHotspotNr(shown.picture, nullptr, nullptr) != spot) state.SkipWithError("hover missed");
}

}  // namespace

BENCHMARK(BM_TiffLineDrawingOurs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TiffLineDrawingLibTiff)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TiffPlainRowsOurs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TiffPlainRowsLibTiff)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TiffStripTableEndsEarly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrfType6Decode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrfType6OpenAndDecode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TiffLineDrawingDecodeOnce)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TiffLineDrawingDecodeOnceLibTiff)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintFittedLineDrawing)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MouseMoveOver600Hotspots)->Unit(benchmark::kMicrosecond);
