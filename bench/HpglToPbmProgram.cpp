// An HPGL plot drawn fitted onto a one-bit memory bitmap and written as a PBM
// file, as a program of its own: the whole process that the benchmark sets
// beside hp2xx doing the same. Arguments: the settings (an ini file with
// section VOD, naming the pen file's folder), the plot, the PBM file, and the
// width and height of the picture.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "VodContext.h"
#include "VodPictures.h"
#include "VodSettings.h"
#include "win32/Gdi.h"

namespace {

// The bitmap's rows as PBM rows: PBM has black as 1, the bitmap white.
bool WritePbm(HDC dc, HBITMAP bitmap, int width, int height, const char* path) {
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[2];
  } info{};
  info.header = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, -height, 1, 1, BI_RGB, 0, 0, 0, 0, 0};
  const size_t stride = static_cast<size_t>((width + 31) / 32 * 4);
  std::vector<BYTE> bits(stride * static_cast<size_t>(height));
  if (GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), bits.data(), reinterpret_cast<BITMAPINFO*>(&info),
                DIB_RGB_COLORS) != height)
    return false;
  const bool whiteIsOne = info.colours[1].rgbRed != 0;
  std::ofstream out(path, std::ios::binary);
  out << "P4\n" << width << " " << height << "\n";
  const size_t rowBytes = static_cast<size_t>((width + 7) / 8);
  std::string row(rowBytes, '\0');
  for (int y = 0; y < height; ++y) {
    for (size_t i = 0; i < rowBytes; ++i) {
      const BYTE byte = bits[static_cast<size_t>(y) * stride + i];
      row[i] = static_cast<char>(whiteIsOne ? ~byte : byte);
    }
    out << row;
  }
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "hpgl_to_pbm settings.ini plot.plt picture.pbm width height\n");
    return 2;
  }
  const int width = std::atoi(argv[4]), height = std::atoi(argv[5]);
  if (width <= 0 || height <= 0) return 2;
  vod::ContextScope scope;
  vod::VodContext& context = *scope.get();
  context.iniPath = argv[1];
  vod::LoadSettings(context, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  // Rows padded to 16 bits, every bit set: white.
  std::vector<BYTE> white(static_cast<size_t>((width + 15) / 16 * 2) * static_cast<size_t>(height), 0xFF);
  HBITMAP bitmap = CreateBitmap(width, height, 1, 1, white.data());
  HGDIOBJ old = SelectObject(dc, bitmap);
  context.page = vod::PageMetrics{static_cast<DWORD>(width), static_cast<DWORD>(height), static_cast<DWORD>(width),
                                  static_cast<DWORD>(height)};
  context.drawing.SetDevice(dc, dc);
  RECT drawn;
  const bool plotted = context.pictures->DrawPicture(context, vod::kPictureHpgl, argv[2],
                                                     RECT{-5, 0, width + 5, height}, false, false, 100, drawn);
  context.pictures->Release(context);
  context.drawing.Reset();
  SelectObject(dc, old);
  const bool written = plotted && WritePbm(dc, bitmap, width, height, argv[3]);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return written ? 0 : 1;
}
