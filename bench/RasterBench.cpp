// The raster pictures' hot paths, some of them beside outside programs that
// do the same work on the same input: decoding a true-colour bitmap (ours
// beside Qt's reader, both into 32-bit pixels), quantising it to 256 colours
// (from a file of the picture reduced to 5 bits a channel, as our histogram
// keeps it, beside netpbm's median cut) and reducing a large bilevel drawing
// for display.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QImage>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "bench/Pairing.h"
#include "foundation/CDynBuf.h"
#include "imaging/raster/CDib.h"
#include "imaging/raster/CMedianCut.h"
#include "interfaces/Decoder.h"
#include "interfaces/QridTpL.h"

DECODER_API int DECODER_MakeDib(const char* path, DECODER_FILEHEAD* head, DIB_HANDLE target, int mode, int* error,
                                HS_HANDLE hotspots, int unused1, int unused2);

namespace {

constexpr int kWidth = 2000;
constexpr int kHeight = 1500;

// A photograph-like picture: smooth gradients with noise, bottom-up BGR lines.
const std::string& TrueColourPixels() {
  static const std::string pixels = [] {
    const size_t stride = WIDTHBYTES(kWidth * 24);
    std::string bytes(stride * kHeight, '\0');
    std::mt19937 random(5);
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        char* p = &bytes[y * stride + 3 * x];
        const int noise = static_cast<int>(random() % 24);
        p[0] = static_cast<char>((x * 255 / kWidth + noise) & 255);
        p[1] = static_cast<char>((y * 255 / kHeight + noise) & 255);
        p[2] = static_cast<char>(((x + y) * 255 / (kWidth + kHeight) + 2 * noise) & 255);
      }
    }
    return bytes;
  }();
  return pixels;
}

// The picture as a BMP file of 24 or 32 bits a pixel (the 32-bit one with
// its fourth byte 0).
std::string BmpFile(int bits) {
  const std::string& pixels = TrueColourPixels();
  const size_t stride24 = WIDTHBYTES(kWidth * 24), stride = WIDTHBYTES(kWidth * bits);
  std::string lines(stride * kHeight, '\0');
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      for (int c = 0; c < 3; ++c) lines[y * stride + bits / 8 * x + c] = pixels[y * stride24 + 3 * x + c];
  std::string bytes = "BM";
  auto put16 = [&](unsigned v) { bytes += char(v & 255), bytes += char(v >> 8 & 255); };
  auto put32 = [&](unsigned v) { put16(v & 0xFFFF), put16(v >> 16); };
  put32(static_cast<unsigned>(54 + lines.size()));
  put32(0);
  put32(54);
  put32(40);
  put32(kWidth);
  put32(kHeight);
  put16(1);
  put16(static_cast<unsigned>(bits));
  put32(0);
  put32(static_cast<unsigned>(lines.size()));
  put32(2835);
  put32(2835);
  put32(0);
  put32(0);
  return bytes + lines;
}

const std::string& TrueColourBmp() {
  static const std::string file = BmpFile(24);
  return file;
}

const std::string& TrueColourBmp32() {
  static const std::string file = BmpFile(32);
  return file;
}

bool DecodeOurs(const std::string& file, CDib& dib) {
  const BYTE* data = reinterpret_cast<const BYTE*>(file.data());
  DECODER_FILEHEAD head{data, data, static_cast<LONG>(file.size()), static_cast<LONG>(file.size())};
  int error = 0;
  return DECODER_MakeDib("bench.bmp", &head, &dib, 32, &error, nullptr, 0, 0) == 1;
}

QImage DecodeQt(const std::string& file) {
  QImage image;
  image.loadFromData(QByteArray::fromRawData(file.data(), static_cast<qsizetype>(file.size())), "BMP");
  return image;
}

// Both readers must give the same 32-bit pixels (Qt sets the fourth byte).
bool SamePixels(const std::string& file) {
  CDib dib;
  const QImage image = DecodeQt(file);
  if (!DecodeOurs(file, dib) || dib.GetBitCount() != 32 || image.format() != QImage::Format_RGB32) return false;
  for (int y = 0; y < kHeight; ++y) {
    const BYTE* ours = dib.GetLineArray()[y];
    const uchar* theirs = image.constScanLine(y);
    for (int x = 0; x < kWidth; ++x)
      if (std::memcmp(ours + 4 * x, theirs + 4 * x, 3) != 0) return false;
  }
  return true;
}

// Decoding the 24-bit file into its own format: our speed figure alone, since
// Qt's reader always converts to 32-bit pixels.
void DecodeBmpOurs(benchmark::State& state) {
  const std::string& file = TrueColourBmp();
  for (auto _ : state) {
    CDib dib;
    if (!DecodeOurs(file, dib)) state.SkipWithError("decode");
    benchmark::DoNotOptimize(dib.GetBits());
  }
}
BENCHMARK(DecodeBmpOurs)->Unit(benchmark::kMillisecond);

const bool kBmpPaired = bench::Pair("BMP 2000x1500, 32 bits a pixel", "DecodeBmp32Ours", "DecodeBmp32Qt");

void DecodeBmp32Ours(benchmark::State& state) {
  const std::string& file = TrueColourBmp32();
  if (!SamePixels(file)) state.SkipWithError("the readers disagree");
  for (auto _ : state) {
    CDib dib;
    if (!DecodeOurs(file, dib)) state.SkipWithError("decode");
    benchmark::DoNotOptimize(dib.GetBits());
  }
}
BENCHMARK(DecodeBmp32Ours)->Unit(benchmark::kMillisecond);

void DecodeBmp32Qt(benchmark::State& state) {
  const std::string& file = TrueColourBmp32();
  for (auto _ : state) {
    const QImage image = DecodeQt(file);
    if (image.isNull()) state.SkipWithError("decode");
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(DecodeBmp32Qt)->Unit(benchmark::kMillisecond);

void QuantiseOurs(benchmark::State& state) {
  const std::string& pixels = TrueColourPixels();
  BITMAPINFOHEADER header{40, kWidth, kHeight, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  RGBQUAD palette[256];
  for (auto _ : state) {
    if (!CMedianCut::Quantise(header, reinterpret_cast<const BYTE*>(pixels.data()), palette)) {
      state.SkipWithError("quantise");
    }
    benchmark::DoNotOptimize(palette);
  }
}
BENCHMARK(QuantiseOurs)->Unit(benchmark::kMillisecond);

// Paired from the same file: the picture reduced to 5 bits a channel (the
// colours our histogram counts), as a raw PPM of maxval 31. Both sides read
// the file and cut its colours to a palette of 256.
const bool kQuantisePaired =
    bench::Pair("Median cut to 256 colours, from a PPM", "QuantiseOursFromPpm", "QuantisePnmcolormap");

const std::string& ReducedPpm() {
  static const std::string path = [] {
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "varno-bench-quantise.ppm";
    std::ofstream out(file, std::ios::binary);
    out << "P6\n" << kWidth << " " << kHeight << "\n31\n";
    const std::string& pixels = TrueColourPixels();
    const size_t stride = WIDTHBYTES(kWidth * 24);
    std::string line(3 * kWidth, '\0');
    for (int y = kHeight - 1; y >= 0; --y) {
      for (int x = 0; x < kWidth; ++x)
        for (int c = 0; c < 3; ++c) line[3 * x + c] = static_cast<char>(static_cast<BYTE>(pixels[y * stride + 3 * x + 2 - c]) >> 3);
      out << line;
    }
    std::atexit([] { std::filesystem::remove(std::filesystem::temp_directory_path() / "varno-bench-quantise.ppm"); });
    return file.string();
  }();
  return path;
}

// Ours from the file: read it, lay its rows out as a bottom-up 24-bit picture
// (each 5-bit sample in the high bits of its byte) and quantise. The buffers
// stand ready before the runs, as the picture's memory does in the viewer;
// netpbm too reads its file row by row into buffers of its own.
void QuantiseOursFromPpm(benchmark::State& state) {
  const std::string& path = ReducedPpm();
  const std::string head = "P6\n" + std::to_string(kWidth) + " " + std::to_string(kHeight) + "\n31\n";
  const size_t stride = WIDTHBYTES(kWidth * 24);
  BITMAPINFOHEADER header{40, kWidth, kHeight, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  RGBQUAD palette[256];
  std::string file(head.size() + 3 * kWidth * kHeight, '\0');
  std::vector<BYTE> pixels(stride * kHeight);
  for (auto _ : state) {
    std::ifstream in(path, std::ios::binary);
    in.read(file.data(), static_cast<std::streamsize>(file.size()));
    if (!in || file.compare(0, head.size(), head) != 0) {
      state.SkipWithError("the file");
      break;
    }
    const BYTE* samples = reinterpret_cast<const BYTE*>(file.data() + head.size());
    for (int y = 0; y < kHeight; ++y) {
      BYTE* row = pixels.data() + stride * (kHeight - 1 - y);
      for (int x = 0; x < kWidth; ++x, samples += 3)
        for (int c = 0; c < 3; ++c) row[3 * x + c] = static_cast<BYTE>(samples[2 - c] << 3);
    }
    if (!CMedianCut::Quantise(header, pixels.data(), palette)) state.SkipWithError("quantise");
    benchmark::DoNotOptimize(palette);
  }
}
BENCHMARK(QuantiseOursFromPpm)->Unit(benchmark::kMillisecond);

// netpbm's median cut with the choices ours makes: the box of most pixels is
// split along its widest channel, and a box's colour is its centre. Its time
// is the program's own processor time, less that of a netpbm program that
// only starts and reads the file's head (pamfile).
void QuantisePnmcolormap(benchmark::State& state) {
  const std::string& file = ReducedPpm();
  for (auto _ : state) {
    const double cut = bench::ProgramSeconds("pnmcolormap", {"-center", "-spreadbrightness", "-splitpixelct", "256", file});
    const double start = bench::ProgramSeconds("pamfile", {file});
    if (cut < 0 || start < 0) {
      state.SkipWithError("pnmcolormap or pamfile (package netpbm) did not run");
      break;
    }
    state.SetIterationTime(std::max(cut - start, 0.0));
  }
}
BENCHMARK(QuantisePnmcolormap)->UseManualTime()->Iterations(40)->Unit(benchmark::kMillisecond);

// An 8000 x 6000 exploded-view drawing: a grid of thin lines, frames and hatching.
CDib& BilevelDrawing() {
  static CDib* drawing = [] {
    auto* dib = new CDib;
    dib->Create(8000, 6000, 1, 0, 0);
    dib->GetColorTable()[0] = RGBQUAD{255, 255, 255, 0};
    dib->GetColorTable()[1] = RGBQUAD{0, 0, 0, 0};
    std::mt19937 random(11);
    auto set = [&](int x, int y) { dib->GetLineArray()[y][x >> 3] |= static_cast<BYTE>(0x80 >> (x & 7)); };
    for (int i = 0; i < 400; ++i) {
      const int x0 = random() % 7000, y0 = random() % 5000, length = 200 + random() % 800;
      for (int k = 0; k < length; ++k) set(x0 + k * (i % 3) / 2, y0 + k * ((i + 1) % 3) / 2);
    }
    for (int y = 0; y < 6000; y += 250)
      for (int x = 0; x < 8000; ++x) set(x, y);
    return dib;
  }();
  return *drawing;
}

void ZoomCopyBilevel(benchmark::State& state) {
  CDib& source = BilevelDrawing();
  for (auto _ : state) {
    CDib zoomed;
    zoomed.ZoomCopy(&source, 1000, 750, nullptr, 0);
    benchmark::DoNotOptimize(zoomed.GetBits());
  }
}
BENCHMARK(ZoomCopyBilevel)->Unit(benchmark::kMillisecond);

void ZoomCopyBilevelFromSideData(benchmark::State& state) {
  CDib& source = BilevelDrawing();
  std::string described(WIDTHBYTES(8000) * 6000 + 12 + 4 * 6000, '\0');
  const int length = TplDescribeMono(source.GetBits(), 8000, 6000, reinterpret_cast<BYTE*>(described.data()),
                                     static_cast<int>(described.size()));
  CDynBuf side;
  side.Append(described.data(), length);
  for (auto _ : state) {
    CDib zoomed;
    zoomed.ZoomCopy(&source, 1000, 750, &side, length > 0);
    benchmark::DoNotOptimize(zoomed.GetBits());
  }
}
BENCHMARK(ZoomCopyBilevelFromSideData)->Unit(benchmark::kMillisecond);

}  // namespace
