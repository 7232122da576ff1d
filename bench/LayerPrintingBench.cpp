// Speed of printing through the layer: a 20-page document of text, lines,
// grey areas and a one-bit picture per page written by the PDF printer, and
// a recorded page of the same kind played back onto a window at preview size.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "testing/OneBitPicture.h"
#include "testing/PrinterSandbox.h"
#include "win32/EnhMetaFile.h"
#include "win32/UserWindows.h"

namespace {

constexpr int kDpi = 300;

// An order page: a table of 40 rows of text between rules, grey headings and a drawing.
void DrawPage(HDC dc, int page) {
  // A one-bit parts drawing of 600 x 400 pixels: a grid of lines every 20 pixels.
  static layer::testing::OneBitPicture drawing(600, 400, [](int x, int y) { return x % 20 == 0 || y % 20 == 0; }, 11811);
  HFONT font = CreateFont(-10 * kDpi / 72, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
  HGDIOBJ oldFont = SelectObject(dc, font);
  HBRUSH grey = CreateSolidBrush(RGB(210, 210, 210));
  SetBkMode(dc, TRANSPARENT);
  for (int band = 0; band < 4; ++band) {
    RECT heading{150, 1400 + band * 600, 2330, 1460 + band * 600};
    FillRect(dc, &heading, grey);
  }
  for (int row = 0; row < 40; ++row) {
    int y = 1300 + row * 55;
    std::string line = "Seite " + std::to_string(page) + "  Pos. " + std::to_string(row + 1) +
                       "  Messerbalken komplett  4711-0815-" + std::to_string(row) + "  1 St\xfc" "ck  12,50";
    TextOut(dc, 160, y, line.c_str(), static_cast<int>(line.size()));
    MoveToEx(dc, 150, y + 50, nullptr);
    LineTo(dc, 2330, y + 50);
  }
  StretchDIBits(dc, 150, 150, 1200, 800, 0, 0, 600, 400, drawing.Bits(), drawing.Info(), DIB_RGB_COLORS, SRCCOPY);
  SelectObject(dc, oldFont);
  DeleteObject(font);
  DeleteObject(grey);
}

DEVMODE At300Dpi() {
  DEVMODE mode{};
  mode.dmSize = sizeof mode;
  mode.dmFields = DM_PRINTQUALITY | DM_PAPERSIZE;
  mode.dmPrintQuality = kDpi;
  mode.dmPaperSize = DMPAPER_A4;
  return mode;
}

void TwentyPagesToThePdfPrinter(benchmark::State& state) {
  layer::testing::PrinterSandbox sandbox;
  DEVMODE mode = At300Dpi();
  std::string path = sandbox.Folder() / "order.pdf";
  for (auto _ : state) {
    HDC dc = CreateDC("WINSPOOL", layer::kPdfPrinterName, nullptr, &mode);
    DOCINFO info{sizeof(DOCINFO), "Order", path.c_str(), nullptr, 0};
    StartDoc(dc, &info);
    for (int page = 1; page <= 20; ++page) {
      StartPage(dc);
      DrawPage(dc, page);
      EndPage(dc);
    }
    if (EndDoc(dc) <= 0) state.SkipWithError("the document was not written");
    DeleteDC(dc);
  }
}
BENCHMARK(TwentyPagesToThePdfPrinter)->Unit(benchmark::kMillisecond);

void RecordedPageOntoAWindow(benchmark::State& state) {
  layer::testing::PrinterSandbox sandbox;
  DEVMODE mode = At300Dpi();
  HDC printer = CreateIC("WINSPOOL", layer::kPdfPrinterName, nullptr, &mode);
  RECT a4{0, 0, 21000, 29700};
  HDC recording = CreateEnhMetaFile(printer, nullptr, &a4, "VOD");
  DrawPage(recording, 1);
  HENHMETAFILE page = CloseEnhMetaFile(recording);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProc;
  windowClass.lpszClassName = "PreviewBenchWindow";
  RegisterClass(&windowClass);
  // The page at preview size: 800 pixels wide.
  HWND window = CreateWindowEx(0, "PreviewBenchWindow", "", WS_POPUP, 0, 0, 800, 1132, nullptr, nullptr, nullptr, nullptr);
  HDC dc = GetDC(window);
  RECT into{0, 0, 800, 1132};
  PatBlt(dc, 0, 0, 800, 1132, WHITENESS);
  for (auto _ : state) PlayEnhMetaFile(dc, page, &into);
  ReleaseDC(window, dc);
  DestroyWindow(window);
  DeleteEnhMetaFile(page);
  DeleteDC(printer);
}
BENCHMARK(RecordedPageOntoAWindow)->Unit(benchmark::kMillisecond);

}  // namespace
