// The raster pictures' hot paths side by side with outside programs that do
// the same work: decoding a true-colour bitmap (against Qt's reader),
// quantising it to 256 colours (against netpbm's median cut) and reducing a
// large bilevel drawing for display.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

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

const std::string& TrueColourBmp() {
  static const std::string file = [] {
    const std::string& pixels = TrueColourPixels();
    std::string bytes = "BM";
    auto put16 = [&](unsigned v) { bytes += char(v & 255), bytes += char(v >> 8 & 255); };
    auto put32 = [&](unsigned v) { put16(v & 0xFFFF), put16(v >> 16); };
    put32(static_cast<unsigned>(54 + pixels.size()));
    put32(0);
    put32(54);
    put32(40);
    put32(kWidth);
    put32(kHeight);
    put16(1);
    put16(24);
    put32(0);
    put32(static_cast<unsigned>(pixels.size()));
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    return bytes + pixels;
  }();
  return file;
}

void DecodeBmpOurs(benchmark::State& state) {
  const std::string& file = TrueColourBmp();
  for (auto _ : state) {
    CDib dib;
    const BYTE* data = reinterpret_cast<const BYTE*>(file.data());
    DECODER_FILEHEAD head{data, data, static_cast<LONG>(file.size()), static_cast<LONG>(file.size())};
    int error = 0;
    if (DECODER_MakeDib("bench.bmp", &head, &dib, 32, &error, nullptr, 0, 0) != 1) state.SkipWithError("decode");
    benchmark::DoNotOptimize(dib.GetBits());
  }
}
BENCHMARK(DecodeBmpOurs)->Unit(benchmark::kMillisecond);

void DecodeBmpQt(benchmark::State& state) {
  const std::string& file = TrueColourBmp();
  const QByteArray bytes = QByteArray::fromRawData(file.data(), static_cast<qsizetype>(file.size()));
  for (auto _ : state) {
    QImage image;
    if (!image.loadFromData(bytes, "BMP")) state.SkipWithError("decode");
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(DecodeBmpQt)->Unit(benchmark::kMillisecond);

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

// netpbm's pnmcolormap on the same picture, as a raw PPM file.
void QuantisePnmcolormap(benchmark::State& state) {
  const std::filesystem::path file = std::filesystem::temp_directory_path() / "varno-bench-quantise.ppm";
  {
    std::ofstream out(file, std::ios::binary);
    out << "P6\n" << kWidth << " " << kHeight << "\n255\n";
    const std::string& pixels = TrueColourPixels();
    const size_t stride = WIDTHBYTES(kWidth * 24);
    std::string line(3 * kWidth, '\0');
    for (int y = kHeight - 1; y >= 0; --y) {
      for (int x = 0; x < kWidth; ++x) {
        const char* p = &pixels[y * stride + 3 * x];
        line[3 * x] = p[2], line[3 * x + 1] = p[1], line[3 * x + 2] = p[0];
      }
      out << line;
    }
  }
  const std::string command = "pnmcolormap 256 '" + file.string() + "' >/dev/null 2>&1";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("pnmcolormap (package netpbm) did not run");
  }
  std::filesystem::remove(file);
}
BENCHMARK(QuantisePnmcolormap)->Unit(benchmark::kMillisecond);

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
