// A program that shows no window starts without the screen backend: thin
// lines on a memory bitmap draw without it, and the first text loads it.
// The program is linked without the backend (VARNO_SCREEN_ON_DEMAND), and
// the cases run in one process in this order.
#include <gtest/gtest.h>
#include <link.h>

#include <string>
#include <vector>

#include "win32/Gdi.h"
#include "win32/UserMessages.h"

namespace {

bool Loaded(const std::string& library) {
  struct Search {
    std::string name;
    bool found = false;
  } search{library};
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void* data) {
        auto* s = static_cast<Search*>(data);
        if (info->dlpi_name && std::string(info->dlpi_name).find(s->name) != std::string::npos) s->found = true;
        return 0;
      },
      &search);
  return search.found;
}

// A white one-bit bitmap selected into a memory context, as a plot converter draws on.
class OneBitCanvas {
 public:
  OneBitCanvas(int width, int height) {
    std::vector<BYTE> white(static_cast<size_t>((width + 15) / 16 * 2) * static_cast<size_t>(height), 0xFF);
    m_bitmap = CreateBitmap(width, height, 1, 1, white.data());
    m_old = SelectObject(dc, m_bitmap);
  }
  ~OneBitCanvas() {
    SelectObject(dc, m_old);
    DeleteObject(m_bitmap);
    DeleteDC(dc);
  }
  int BlackPixels(int width, int height) const {
    int black = 0;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) black += GetPixel(dc, x, y) == RGB(0, 0, 0);
    return black;
  }

  HDC dc = CreateCompatibleDC(nullptr);

 private:
  HBITMAP m_bitmap = nullptr;
  HGDIOBJ m_old = nullptr;
};

}  // namespace

TEST(ScreenOnDemand, ThinLinesOnAMemoryBitmapAndAMessagePumpNeedNoBackend) {
  OneBitCanvas canvas(40, 20);
  MoveToEx(canvas.dc, 0, 0, nullptr);
  EXPECT_TRUE(LineTo(canvas.dc, 10, 10));   // the last point stays out: 10 pixels
  const POINT run[] = {{0, 15}, {30, 15}, {30, 5}};
  EXPECT_TRUE(Polyline(canvas.dc, run, 3));  // 30 + 10 pixels
  EXPECT_EQ(GetPixel(canvas.dc, 9, 9), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(canvas.dc, 10, 10), RGB(255, 255, 255));
  EXPECT_EQ(canvas.BlackPixels(40, 20), 50);
  MSG msg;  // a long job pumps messages now and then
  EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_FALSE(Loaded("libQt6Gui")) << "the screen backend came with the lines";
  EXPECT_FALSE(Loaded("liblayer_qt")) << "the screen backend came with the lines";
}

TEST(ScreenOnDemand, TextAndWideLinesLoadTheBackendOnFirstUse) {
  OneBitCanvas canvas(120, 40);
  EXPECT_TRUE(TextOut(canvas.dc, 2, 2, "Hallo", 5));
  EXPECT_TRUE(Loaded("liblayer_qt"));
  EXPECT_GT(canvas.BlackPixels(120, 40), 0);

  OneBitCanvas wide(20, 20);
  HPEN pen = CreatePen(PS_SOLID, 5, RGB(0, 0, 0));
  HGDIOBJ old = SelectObject(wide.dc, pen);
  MoveToEx(wide.dc, 2, 10, nullptr);
  EXPECT_TRUE(LineTo(wide.dc, 17, 10));
  SelectObject(wide.dc, old);
  DeleteObject(pen);
  EXPECT_EQ(GetPixel(wide.dc, 10, 8), RGB(0, 0, 0));  // two rows above the middle: inside a five-pixel pen
  EXPECT_EQ(GetPixel(wide.dc, 10, 14), RGB(255, 255, 255));
}
