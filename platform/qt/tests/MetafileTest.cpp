#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "testing/MemoryCanvas.h"
#include "testing/OneBitPicture.h"
#include "testing/PdfFile.h"
#include "testing/PrinterSandbox.h"
#include "win32/EnhMetaFile.h"
#include "win32/Errors.h"
#include "win32/Printers.h"
#include "win32/UserWindows.h"

namespace {

using layer::testing::MemoryCanvas;

constexpr int kWidth = 240;
constexpr int kHeight = 180;

// The frame of a canvas in hundredths of a millimetre at the screen's 96 dots per inch.
RECT FrameOf(int width, int height) { return RECT{0, 0, MulDiv(width, 2540, 96), MulDiv(height, 2540, 96)}; }

struct GreyPicture {
  struct {
    BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER), 4, 4, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  } info;
  BYTE bits[4][12];
  GreyPicture() {
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 12; ++x) bits[y][x] = static_cast<BYTE>(40 * y + 20 * (x / 3));
  }
  const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(&info); }
};

// 16 x 8 pixels: a chequer of single pixels on the left, a black band on the right.
layer::testing::OneBitPicture MonoPicture() {
  return layer::testing::OneBitPicture(16, 8, [](int x, int y) { return x < 8 ? (x + y) % 2 == 1 : x < 12; });
}

// Everything a printed page may hold: lines of both kinds of pen, shapes,
// fills, text in three ways, pictures, pixels, blocks and a clip.
void DrawScene(HDC dc) {
  HPEN thin = CreatePen(PS_SOLID, 1, RGB(200, 0, 0));
  HPEN wide = CreatePen(PS_SOLID, 5, RGB(0, 0, 160));
  HBRUSH green = CreateSolidBrush(RGB(0, 150, 0));
  HBRUSH grey = CreateSolidBrush(RGB(170, 170, 170));
  HFONT font = CreateFont(-15, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
  HGDIOBJ oldPen = SelectObject(dc, thin), oldBrush = SelectObject(dc, green), oldFont = SelectObject(dc, font);

  MoveToEx(dc, 5, 5, nullptr);
  LineTo(dc, 120, 40);
  POINT zigzag[] = {{10, 60}, {30, 45}, {50, 60}, {70, 45}};
  SelectObject(dc, wide);
  Polyline(dc, zigzag, 4);
  Rectangle(dc, 130, 10, 180, 50);
  SelectObject(dc, thin);
  Ellipse(dc, 185, 10, 235, 50);
  POINT triangle[] = {{10, 100}, {50, 70}, {60, 110}};
  Polygon(dc, triangle, 3);
  RECT area{70, 70, 120, 100};
  FillRect(dc, &area, grey);

  SetTextColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, TRANSPARENT);
  TextOut(dc, 130, 60, "Teile \xc4\xd6\xdc", 9);
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, RGB(255, 255, 0));
  RECT box{130, 80, 230, 130};
  DrawText(dc, "Ein langer Text, der umbricht", -1, &box, DT_WORDBREAK);
  RECT clipped{10, 120, 60, 135};
  ExtTextOut(dc, 10, 120, ETO_CLIPPED | ETO_OPAQUE, &clipped, "Abgeschnitten", 13, nullptr);

  GreyPicture colour;
  StretchDIBits(dc, 70, 105, 40, 40, 0, 0, 4, 4, colour.bits, colour.Info(), DIB_RGB_COLORS, SRCCOPY);
  static const layer::testing::OneBitPicture mono = MonoPicture();
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, 10, 140, 48, 24, 0, 0, 16, 8, mono.Bits(), mono.Info(), DIB_RGB_COLORS, SRCCOPY);
  SetDIBitsToDevice(dc, 70, 150, 16, 8, 0, 0, 0, 8, mono.Bits(), mono.Info(), DIB_RGB_COLORS);
  for (int i = 0; i < 10; ++i) SetPixel(dc, 100 + i, 150 + i, RGB(255, 0, 255));

  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateBitmap(20, 10, 1, 32, nullptr);
  HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
  PatBlt(memory, 0, 0, 20, 10, WHITENESS);
  PatBlt(memory, 5, 2, 10, 6, BLACKNESS);
  BitBlt(dc, 120, 150, 20, 10, memory, 0, 0, SRCCOPY);
  SelectObject(memory, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(memory);

  SaveDC(dc);
  IntersectClipRect(dc, 150, 140, 200, 170);
  SelectObject(dc, wide);
  MoveToEx(dc, 140, 135, nullptr);
  LineTo(dc, 235, 175);
  RestoreDC(dc, -1);

  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldFont);
  for (HGDIOBJ object : {static_cast<HGDIOBJ>(thin), static_cast<HGDIOBJ>(wide), static_cast<HGDIOBJ>(green),
                         static_cast<HGDIOBJ>(grey), static_cast<HGDIOBJ>(font)})
    DeleteObject(object);
}

HENHMETAFILE Record(HDC reference, const RECT* frame, const std::function<void(HDC)>& draw) {
  HDC recording = CreateEnhMetaFile(reference, nullptr, frame, "test\0page\0");
  EXPECT_NE(recording, nullptr);
  draw(recording);
  return CloseEnhMetaFile(recording);
}

std::vector<COLORREF> PixelsOf(HDC dc, int width, int height) {
  std::vector<COLORREF> pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(dc, x, y));
  return pixels;
}

int Differences(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
  int count = 0;
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) count += a[i] != b[i];
  return count + static_cast<int>(a.size() > b.size() ? a.size() - b.size() : b.size() - a.size());
}

}  // namespace

TEST(RecordedPage, PlayedBackOneToOneItGivesThePixelsOfDrawingDirectly) {
  MemoryCanvas direct(kWidth, kHeight), played(kWidth, kHeight);
  DrawScene(direct.dc);
  RECT frame = FrameOf(kWidth, kHeight);
  HENHMETAFILE page = Record(played.dc, &frame, DrawScene);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(GetObjectType(page), static_cast<DWORD>(OBJ_ENHMETAFILE));
  RECT whole{0, 0, kWidth, kHeight};
  ASSERT_TRUE(PlayEnhMetaFile(played.dc, page, &whole));
  EXPECT_EQ(Differences(direct.Pixels(), played.Pixels()), 0);
  EXPECT_GT(kWidth * kHeight - direct.Count(RGB(255, 255, 255)), 3000);  // the scene drew something

  // And on a window's canvas, through the window's own context.
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProc;
  windowClass.lpszClassName = "RecordedPageWindow";
  RegisterClass(&windowClass);
  HWND window = CreateWindowEx(0, "RecordedPageWindow", "", WS_POPUP, 0, 0, kWidth, kHeight, nullptr, nullptr, nullptr,
                               nullptr);
  ASSERT_NE(window, nullptr);
  HDC canvas = GetDC(window);
  PatBlt(canvas, 0, 0, kWidth, kHeight, WHITENESS);
  ASSERT_TRUE(PlayEnhMetaFile(canvas, page, &whole));
  EXPECT_EQ(Differences(direct.Pixels(), PixelsOf(canvas, kWidth, kHeight)), 0);
  ReleaseDC(window, canvas);
  DestroyWindow(window);
  DeleteEnhMetaFile(page);
}

TEST(RecordedPage, PlaybackScalesCoordinatesPensAndFonts) {
  RECT frame = FrameOf(100, 50);
  MemoryCanvas reference(100, 50);
  auto draw = [](HDC dc) {
    HPEN pen = CreatePen(PS_SOLID, 4, RGB(0, 0, 0));
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, 10, 40, nullptr);
    LineTo(dc, 90, 40);
    RECT box{10, 10, 30, 20};
    FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SelectObject(dc, old);
    DeleteObject(pen);
  };
  HENHMETAFILE page = Record(reference.dc, &frame, draw);
  struct Case {
    const char* name;
    int width, height;
    RECT box;        // where the filled box lands
    int lineWidth;   // rows the line covers
  } cases[] = {
      {"twice the size", 200, 100, {20, 20, 60, 40}, 8},
      {"half the size", 50, 25, {5, 5, 15, 10}, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryCanvas target(c.width + 20, c.height + 20);
    RECT into{10, 10, 10 + c.width, 10 + c.height};
    ASSERT_TRUE(PlayEnhMetaFile(target.dc, page, &into));
    EXPECT_EQ(GetPixel(target.dc, 10 + c.box.left, 10 + c.box.top), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(target.dc, 10 + c.box.right - 1, 10 + c.box.bottom - 1), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(target.dc, 10 + c.box.right, 10 + c.box.top), RGB(255, 255, 255));
    int column = 10 + c.width / 2, rows = 0;
    for (int y = 10 + c.height / 2; y < 10 + c.height; ++y) rows += GetPixel(target.dc, column, y) == RGB(0, 0, 0);
    EXPECT_NEAR(rows, c.lineWidth, 1);
  }
  DeleteEnhMetaFile(page);
}

TEST(RecordedPage, TextKeepsItsPlacesAtEveryZoom) {
  RECT frame = FrameOf(200, 40);
  MemoryCanvas reference(200, 40);
  HENHMETAFILE page = Record(reference.dc, &frame, [](HDC dc) {
    HFONT font = CreateFont(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    TextOut(dc, 10, 10, "WWWWWWWW", 8);
    SelectObject(dc, old);
    DeleteObject(font);
  });
  MemoryCanvas once(200, 40), twice(400, 80);
  RECT small{0, 0, 200, 40}, large{0, 0, 400, 80};
  PlayEnhMetaFile(once.dc, page, &small);
  PlayEnhMetaFile(twice.dc, page, &large);
  RECT inkOnce = once.Inked(), inkTwice = twice.Inked();
  EXPECT_NEAR(inkTwice.left, 2 * inkOnce.left, 2);
  EXPECT_NEAR(inkTwice.right, 2 * inkOnce.right, 3);  // the last character ends where it did, twice as far
  EXPECT_NEAR(inkTwice.bottom - inkTwice.top, 2 * (inkOnce.bottom - inkOnce.top), 3);
  DeleteEnhMetaFile(page);
}

TEST(RecordedPage, ARecordingContextDescribesItsReferenceDevice) {
  layer::testing::PrinterSandbox sandbox;
  HDC printer = CreateIC(nullptr, layer::kPdfPrinterName, nullptr, nullptr);
  ASSERT_NE(printer, nullptr);
  RECT a4{0, 0, 21000, 29700};
  HDC recording = CreateEnhMetaFile(printer, nullptr, &a4, "VOD");
  ASSERT_NE(recording, nullptr);
  EXPECT_EQ(GetObjectType(recording), static_cast<DWORD>(OBJ_ENHMETADC));
  for (int index : {TECHNOLOGY, LOGPIXELSX, HORZRES, VERTRES, PHYSICALWIDTH, PHYSICALOFFSETX})
    EXPECT_EQ(GetDeviceCaps(recording, index), GetDeviceCaps(printer, index)) << index;
  // Text is measured as on the printer.
  HFONT font = CreateFont(-50, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
  SelectObject(recording, font);
  SelectObject(printer, font);
  SIZE onPage{}, onPrinter{};
  GetTextExtentPoint32(recording, "Teil 4711", 9, &onPage);
  GetTextExtentPoint32(printer, "Teil 4711", 9, &onPrinter);
  EXPECT_EQ(onPage.cx, onPrinter.cx);
  DeleteEnhMetaFile(CloseEnhMetaFile(recording));
  DeleteDC(printer);
  DeleteObject(font);
}

TEST(RecordedPage, CopiesOutliveTheOriginalAndBadHandlesFail) {
  MemoryCanvas reference(50, 50), target(50, 50);
  HENHMETAFILE page = Record(reference.dc, nullptr, [](HDC dc) {
    RECT box{20, 20, 30, 30};
    FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  });
  HENHMETAFILE copy = CopyEnhMetaFile(page, nullptr);
  ASSERT_NE(copy, nullptr);
  EXPECT_TRUE(DeleteEnhMetaFile(page));
  EXPECT_FALSE(DeleteEnhMetaFile(page));
  // Without a frame the page stands for the box around its drawing.
  RECT into{0, 0, 50, 50};
  ASSERT_TRUE(PlayEnhMetaFile(target.dc, copy, &into));
  EXPECT_EQ(target.Count(RGB(0, 0, 0)), 50 * 50);
  EXPECT_FALSE(PlayEnhMetaFile(target.dc, page, &into));
  EXPECT_TRUE(DeleteEnhMetaFile(copy));

  EXPECT_EQ(CreateEnhMetaFile(nullptr, "page.emf", nullptr, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
  EXPECT_EQ(CloseEnhMetaFile(reference.dc), nullptr);  // not a recording context
}

TEST(RecordedPage, PlayedOntoThePrinterItPrintsAsDrawnThere) {
  if (!layer::testing::PdfFile::ToolsPresent()) GTEST_SKIP() << "poppler-utils are not installed";
  layer::testing::PrinterSandbox sandbox;
  DEVMODE mode{};
  mode.dmSize = sizeof mode;
  mode.dmFields = DM_PRINTQUALITY;
  mode.dmPrintQuality = 300;
  HDC printer = CreateDC(nullptr, layer::kPdfPrinterName, nullptr, &mode);
  ASSERT_NE(printer, nullptr);
  RECT a4{0, 0, 21000, 29700};
  HENHMETAFILE page = Record(printer, &a4, [](HDC dc) {
    HFONT font = CreateFont(-50, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    HGDIOBJ old = SelectObject(dc, font);
    TextOut(dc, 300, 300, "Aufgezeichnete Seite", 20);
    static const layer::testing::OneBitPicture picture = MonoPicture();
    StretchDIBits(dc, 300, 600, 160, 80, 0, 0, 16, 8, picture.Bits(), picture.Info(), DIB_RGB_COLORS, SRCCOPY);
    SelectObject(dc, old);
    DeleteObject(font);
  });
  std::string path = sandbox.Folder() / "played.pdf";
  DOCINFO info{sizeof(DOCINFO), "Played", path.c_str(), nullptr, 0};
  ASSERT_GT(StartDoc(printer, &info), 0);
  ASSERT_GT(StartPage(printer), 0);
  RECT paper{0, 0, GetDeviceCaps(printer, PHYSICALWIDTH), GetDeviceCaps(printer, PHYSICALHEIGHT)};
  ASSERT_TRUE(PlayEnhMetaFile(printer, page, &paper));
  ASSERT_GT(EndPage(printer), 0);
  ASSERT_GT(EndDoc(printer), 0);
  DeleteDC(printer);
  DeleteEnhMetaFile(page);

  layer::testing::PdfFile pdf(path);
  EXPECT_NE(pdf.Text(1).find("Aufgezeichnete Seite"), std::string::npos);
  auto images = pdf.Images(1);
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(images[0].width, 16);
  EXPECT_EQ(images[0].bitsPerComponent, 1);
}
