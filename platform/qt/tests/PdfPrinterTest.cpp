#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <vector>

#include "testing/OneBitPicture.h"
#include "testing/PdfFile.h"
#include "testing/PrinterSandbox.h"
#include "win32/Errors.h"
#include "win32/GdiPrint.h"
#include "win32/Printers.h"

namespace {

using layer::testing::PdfFile;

constexpr int kDpi = 300;

// A one-bit picture of 64 x 32 pixels: black and white squares of 8 pixels.
layer::testing::OneBitPicture Checkerboard() {
  return layer::testing::OneBitPicture(64, 32, [](int x, int y) { return (x / 8 + y / 8) % 2 == 0; }, 11811);
}

DEVMODE ModeFor(short orientation) {
  DEVMODE mode{};
  mode.dmSize = sizeof mode;
  mode.dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_PRINTQUALITY;
  mode.dmOrientation = orientation;
  mode.dmPaperSize = DMPAPER_A4;
  mode.dmPrintQuality = kDpi;
  return mode;
}

HFONT ArialInPoints(int points) { return CreateFont(-points * kDpi / 72, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial"); }

// Text, a thick line, a grey area and the picture, at places the checks know.
void DrawPage(HDC dc, int page) {
  HFONT font = ArialInPoints(14);
  HGDIOBJ oldFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  const char* title = page == 1 ? "Ersatzteilliste Seite 1" : "Ersatzteilliste Seite 2";
  TextOut(dc, 600, 300, title, static_cast<int>(std::strlen(title)));
  TextOut(dc, 600, 450, "Gr\xf6\xdf" "e 12 mm", 12);
  HPEN pen = CreatePen(PS_SOLID, 6, RGB(0, 0, 0));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  MoveToEx(dc, 600, 2000, nullptr);
  LineTo(dc, 2400, 2000);
  RECT grey{600, 1500, 1800, 1800};
  HBRUSH brush = CreateSolidBrush(RGB(170, 170, 170));
  FillRect(dc, &grey, brush);
  static const layer::testing::OneBitPicture picture = Checkerboard();
  StretchDIBits(dc, 600, 900, 640, 320, 0, 0, 64, 32, picture.Bits(), picture.Info(), DIB_RGB_COLORS, SRCCOPY);
  if (page == 2) {
    // A colour picture of 8 x 4 pixels, red above and blue below, and a frame.
    BITMAPINFO colour{{sizeof(BITMAPINFOHEADER), 8, 4, 1, 24, BI_RGB, 0, 0, 0, 0, 0}, {}};
    BYTE bits[4][24];
    for (int row = 0; row < 4; ++row)
      for (int x = 0; x < 8; ++x) {
        bool blue = row < 2;  // rows are stored bottom-up
        bits[row][3 * x] = blue ? 255 : 0;
        bits[row][3 * x + 1] = 0;
        bits[row][3 * x + 2] = blue ? 0 : 255;
      }
    StretchDIBits(dc, 1400, 900, 400, 200, 0, 0, 8, 4, bits, &colour, DIB_RGB_COLORS, SRCCOPY);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, 1400, 1200, 2000, 1400);
    SelectObject(dc, oldBrush);
  }
  SelectObject(dc, oldPen);
  SelectObject(dc, oldFont);
  DeleteObject(pen);
  DeleteObject(font);
  DeleteObject(brush);
}

class PdfPrinter : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!PdfFile::ToolsPresent()) GTEST_SKIP() << "poppler-utils (pdfinfo, pdftotext, pdftoppm) are not installed";
  }
  HDC Printer(short orientation = DMORIENT_PORTRAIT) {
    DEVMODE mode = ModeFor(orientation);
    return CreateDC("WINSPOOL", layer::kPdfPrinterName, nullptr, &mode);
  }
  std::string Output(const std::string& name) const { return sandbox.Folder() / name; }

  layer::testing::PrinterSandbox sandbox;
};

TEST_F(PdfPrinter, TwoPagesWithTextLinesGreyAndAPictureInTheirPlaces) {
  HDC dc = Printer();
  ASSERT_NE(dc, nullptr);
  std::string path = Output("parts.pdf");
  DOCINFO info{sizeof(DOCINFO), "Parts", path.c_str(), nullptr, 0};
  ASSERT_GT(StartDoc(dc, &info), 0);
  ASSERT_GT(StartPage(dc), 0);
  DrawPage(dc, 1);
  ASSERT_GT(EndPage(dc), 0);
  DEVMODE landscape = ModeFor(DMORIENT_LANDSCAPE);
  ASSERT_EQ(ResetDC(dc, &landscape), dc);
  EXPECT_GT(GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES));
  ASSERT_GT(StartPage(dc), 0);
  DrawPage(dc, 2);
  ASSERT_GT(EndPage(dc), 0);
  ASSERT_GT(EndDoc(dc), 0);
  DeleteDC(dc);

  PdfFile pdf(path);
  ASSERT_EQ(pdf.Pages(), 2);
  auto sizes = pdf.PageSizes();
  ASSERT_EQ(sizes.size(), 2u);
  EXPECT_NEAR(sizes[0].width, 595.3, 0.5);  // A4 portrait in points
  EXPECT_NEAR(sizes[0].height, 841.9, 0.5);
  EXPECT_NEAR(sizes[1].width, 841.9, 0.5);  // and landscape
  EXPECT_NEAR(sizes[1].height, 595.3, 0.5);

  // Text stays text, in the font asked for.
  EXPECT_NE(pdf.Text(1).find("Ersatzteilliste Seite 1"), std::string::npos);
  EXPECT_NE(pdf.Text(1).find("Gr\xc3\xb6\xc3\x9f" "e 12 mm"), std::string::npos);
  EXPECT_NE(pdf.Text(2).find("Ersatzteilliste Seite 2"), std::string::npos);
  EXPECT_NE(pdf.Fonts().find("LiberationSans"), std::string::npos);

  // Pictures go in at their own resolution, one-bit ones one bit deep; nothing else is a raster.
  for (int page : {1, 2}) {
    auto images = pdf.Images(page);
    ASSERT_EQ(images.size(), static_cast<std::size_t>(page)) << "page " << page;
    EXPECT_EQ(images[0].width, 64);
    EXPECT_EQ(images[0].height, 32);
    EXPECT_EQ(images[0].bitsPerComponent, 1);
  }
  auto colour = pdf.Images(2).back();
  EXPECT_EQ(colour.width, 8);
  EXPECT_EQ(colour.height, 4);
  EXPECT_EQ(colour.colour, "rgb");

  // At 50 dots per inch one device dot of 300 is a sixth of a pixel.
  auto raster = pdf.Render(1, 50);
  ASSERT_GT(raster.width, 0);
  auto at = [](int dots) { return dots / 6; };
  int pictureDark = raster.Darker(at(600) + 1, at(900) + 1, at(1240) - 1, at(1220) - 1, 128);
  int pictureArea = (at(1240) - at(600) - 2) * (at(1220) - at(900) - 2);
  EXPECT_NEAR(pictureDark, pictureArea / 2, pictureArea / 8);                       // half black
  EXPECT_EQ(raster.Darker(at(1300), at(900), at(1500), at(1220), 250), 0);          // nothing beside it
  EXPECT_NEAR(raster.At(at(1200), at(1650)), 170, 3);                               // the grey area
  EXPECT_LT(raster.At(at(1500), at(2000)), 128);                                    // the line
  EXPECT_GT(raster.Darker(at(600), at(300), at(1800), at(400), 128), 20);           // the title

  auto second = pdf.Render(2, 50);
  ASSERT_GT(second.width, second.height);
  EXPECT_NEAR(second.At(at(1600), at(950)), 76, 10);   // red, in grey
  EXPECT_NEAR(second.At(at(1600), at(1050)), 29, 10);  // blue, in grey
  EXPECT_LT(second.At(at(1700), at(1201)), 128);       // the frame's top edge
  EXPECT_EQ(second.At(at(1700), at(1300)), 255);       // and its hollow inside
}

TEST_F(PdfPrinter, DeviceCapabilitiesFollowPaperOrientationAndResolution) {
  struct Case {
    const char* name;
    short paper, orientation, quality;
    int physicalWidth, physicalHeight, dpi;
  } cases[] = {
      {"A4 portrait 300 dpi", DMPAPER_A4, DMORIENT_PORTRAIT, 300, 2480, 3508, 300},
      {"A4 landscape 300 dpi", DMPAPER_A4, DMORIENT_LANDSCAPE, 300, 3508, 2480, 300},
      {"A3 portrait 600 dpi", DMPAPER_A3, DMORIENT_PORTRAIT, 600, 7016, 9921, 600},
      {"letter, high quality", DMPAPER_LETTER, DMORIENT_PORTRAIT, DMRES_HIGH, 10200, 13200, 1200},
      {"a resolution it lacks", DMPAPER_A4, DMORIENT_PORTRAIT, 310, 2480, 3508, 300},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DEVMODE mode{};
    mode.dmSize = sizeof mode;
    mode.dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_PRINTQUALITY;
    mode.dmPaperSize = c.paper;
    mode.dmOrientation = c.orientation;
    mode.dmPrintQuality = c.quality;
    HDC dc = CreateIC(nullptr, layer::kPdfPrinterName, nullptr, &mode);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, TECHNOLOGY), DT_RASPRINTER);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALWIDTH), c.physicalWidth);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALHEIGHT), c.physicalHeight);
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), c.physicalWidth);  // the PDF printer reaches the whole paper
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALOFFSETX), 0);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), c.dpi);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), c.dpi);
    EXPECT_EQ(GetDeviceCaps(dc, HORZSIZE), (c.physicalWidth * 254 / c.dpi + 5) / 10);
    EXPECT_EQ(GetDeviceCaps(dc, RASTERCAPS) & RC_BANDING, 0);
    EXPECT_NE(GetDeviceCaps(dc, RASTERCAPS) & RC_STRETCHDIB, 0);
    // An information context answers but draws and prints nothing.
    DOCINFO info{sizeof(DOCINFO), "x", nullptr, nullptr, 0};
    EXPECT_EQ(StartDoc(dc, &info), SP_ERROR);
    DeleteDC(dc);
  }
  // The screen, for comparison: a display of true colour that stretches pictures.
  HDC screen = CreateDC("DISPLAY", nullptr, nullptr, nullptr);
  EXPECT_EQ(GetDeviceCaps(screen, TECHNOLOGY), DT_RASDISPLAY);
  EXPECT_EQ(GetDeviceCaps(screen, RASTERCAPS) & (RC_PALETTE | RC_STRETCHDIB), RC_STRETCHDIB);
  EXPECT_EQ(GetDeviceCaps(screen, PHYSICALWIDTH), 0);
  ReleaseDC(nullptr, screen);
}

TEST_F(PdfPrinter, DocumentCallsOutOfOrderFailWithTheSpoolersResult) {
  HDC dc = Printer();
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(StartPage(dc), SP_ERROR);
  EXPECT_EQ(EndPage(dc), SP_ERROR);
  EXPECT_EQ(EndDoc(dc), SP_ERROR);
  EXPECT_EQ(AbortDoc(dc), SP_ERROR);
  // Without an open page nothing is drawn.
  EXPECT_FALSE(Rectangle(dc, 0, 0, 100, 100));
  std::string path = Output("order.pdf");
  DOCINFO info{sizeof(DOCINFO), "Order", path.c_str(), nullptr, 0};
  ASSERT_GT(StartDoc(dc, &info), 0);
  EXPECT_EQ(StartDoc(dc, &info), SP_ERROR);
  EXPECT_EQ(EndPage(dc), SP_ERROR);
  ASSERT_GT(StartPage(dc), 0);
  DEVMODE landscape = ModeFor(DMORIENT_LANDSCAPE);
  EXPECT_EQ(ResetDC(dc, &landscape), nullptr);  // not while a page is open
  EXPECT_TRUE(Rectangle(dc, 0, 0, 100, 100));
  ASSERT_GT(EndDoc(dc), 0);  // ends the open page too
  EXPECT_EQ(PdfFile(path).Pages(), 1);
  DeleteDC(dc);

  EXPECT_EQ(CreateDC("WINSPOOL", "No such printer", nullptr, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PRINTER_NAME));
}

BOOL StopAtOnce(HDC, int) { return FALSE; }

TEST_F(PdfPrinter, AbandonedDocumentsLeaveNoFileAndKeepTheOldOne) {
  std::string path = Output("kept.pdf");
  sandbox.Folder().Write("kept.pdf", "the old file");
  DOCINFO info{sizeof(DOCINFO), "Kept", path.c_str(), nullptr, 0};

  HDC aborted = Printer();
  ASSERT_GT(StartDoc(aborted, &info), 0);
  ASSERT_GT(StartPage(aborted), 0);
  DrawPage(aborted, 1);
  EXPECT_GT(AbortDoc(aborted), 0);
  DeleteDC(aborted);

  HDC refused = Printer();
  SetAbortProc(refused, StopAtOnce);
  ASSERT_GT(StartDoc(refused, &info), 0);
  ASSERT_GT(StartPage(refused), 0);
  EXPECT_EQ(EndPage(refused), SP_APPABORT);
  EXPECT_EQ(EndDoc(refused), SP_ERROR);
  DeleteDC(refused);

  HDC dropped = Printer();  // deleted in the middle of a document
  ASSERT_GT(StartDoc(dropped, &info), 0);
  ASSERT_GT(StartPage(dropped), 0);
  DeleteDC(dropped);

  EXPECT_EQ(sandbox.Folder().Read("kept.pdf"), "the old file");
  for (const auto& entry : std::filesystem::directory_iterator(sandbox.Folder().Path()))
    EXPECT_NE(entry.path().filename().string()[0], '.') << "a partial file is left: " << entry.path();
}

TEST_F(PdfPrinter, AFullDiskEndsTheDocumentWithoutTouchingTheOldFile) {
  std::string path = Output("big.pdf");
  sandbox.Folder().Write("big.pdf", "the old file");
  DOCINFO info{sizeof(DOCINFO), "Big", path.c_str(), nullptr, 0};
  HDC dc = Printer();
  ASSERT_GT(StartDoc(dc, &info), 0);
  // Files of this process may not grow past 2 KB while the document is written.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{}, small{2048, 2048};
  getrlimit(RLIMIT_FSIZE, &old);
  small.rlim_max = old.rlim_max;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  int result = 1;
  for (int page = 1; page <= 3 && result > 0; ++page) {
    if ((result = StartPage(dc)) <= 0) break;
    DrawPage(dc, page);
    result = EndPage(dc);
  }
  if (result > 0) result = EndDoc(dc);
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, SIG_DFL);
  EXPECT_EQ(result, SP_OUTOFDISK);
  EXPECT_EQ(EndDoc(dc), SP_ERROR);  // the document is over
  DeleteDC(dc);
  EXPECT_EQ(sandbox.Folder().Read("big.pdf"), "the old file");
}

TEST_F(PdfPrinter, WithoutAnOutputFileThePdfGoesToThePrintersFolderUnderTheDocumentsName) {
  DOCINFO info{sizeof(DOCINFO), "VOD: C:\\print\\~vod0001.vod", nullptr, nullptr, 0};
  for (int copy = 0; copy < 2; ++copy) {
    HDC dc = Printer();
    ASSERT_GT(StartDoc(dc, &info), 0);
    ASSERT_GT(StartPage(dc), 0);
    ASSERT_GT(EndDoc(dc), 0);
    DeleteDC(dc);
  }
  EXPECT_TRUE(std::filesystem::exists(sandbox.PdfFolder() + "/VOD_ C__print_~vod0001.vod.pdf"));
  EXPECT_TRUE(std::filesystem::exists(sandbox.PdfFolder() + "/VOD_ C__print_~vod0001.vod (2).pdf"));
}

TEST_F(PdfPrinter, PrinterEscapesTellThePaperAndTheOffset) {
  HDC dc = Printer();
  int asked = GETPHYSPAGESIZE;
  EXPECT_EQ(Escape(dc, QUERYESCSUPPORT, sizeof asked, reinterpret_cast<LPCSTR>(&asked), nullptr), 1);
  asked = NEXTBAND;
  EXPECT_EQ(Escape(dc, QUERYESCSUPPORT, sizeof asked, reinterpret_cast<LPCSTR>(&asked), nullptr), 0);
  POINT size{}, offset{1, 1};
  EXPECT_EQ(Escape(dc, GETPHYSPAGESIZE, 0, nullptr, &size), 1);
  EXPECT_EQ(ExtEscape(dc, GETPRINTINGOFFSET, 0, nullptr, sizeof offset, reinterpret_cast<LPSTR>(&offset)), 1);
  EXPECT_EQ(size.x, 2480);
  EXPECT_EQ(size.y, 3508);
  EXPECT_EQ(offset.x, 0);
  EXPECT_EQ(SetMapMode(dc, MM_TEXT), MM_TEXT);
  EXPECT_EQ(SetMapMode(dc, MM_LOMETRIC), 0);  // logical units are device dots only
  DeleteDC(dc);
}

}  // namespace
