#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "testing/FakePrintBackend.h"
#include "testing/PrinterSandbox.h"
#include "win32/Errors.h"
#include "win32/GdiPrint.h"
#include "win32/MessageBox.h"
#include "win32/Printers.h"

namespace {

using layer::testing::FakePrintBackend;

class Spooler : public ::testing::Test {
 protected:
  layer::testing::PrinterSandbox sandbox;
  FakePrintBackend desktop;
};

std::vector<BYTE> Enumerate(DWORD flags, DWORD level, DWORD* count) {
  DWORD needed = 0;
  EXPECT_FALSE(EnumPrinters(flags, nullptr, level, nullptr, 0, &needed, count));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  std::vector<BYTE> buffer(needed);
  EXPECT_FALSE(EnumPrinters(flags, nullptr, level, buffer.data(), needed - 1, &needed, count));
  EXPECT_TRUE(EnumPrinters(flags, nullptr, level, buffer.data(), needed, &needed, count));
  return buffer;
}

TEST_F(Spooler, EnumeratesTheDesktopsPrintersAndThePdfPrinterAtEveryLevel) {
  DWORD count = 0;
  std::vector<BYTE> second = Enumerate(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, 2, &count);
  ASSERT_EQ(count, 2u);
  auto* printers = reinterpret_cast<PRINTER_INFO_2*>(second.data());
  EXPECT_STREQ(printers[0].pPrinterName, "Laser");
  EXPECT_STREQ(printers[0].pPortName, "CUPS:");
  EXPECT_STREQ(printers[0].pLocation, "Lager 2");
  EXPECT_STREQ(reinterpret_cast<char*>(printers[0].pDevMode->dmDeviceName), "Laser");
  EXPECT_EQ(printers[0].pDevMode->dmSize, sizeof(DEVMODE));
  EXPECT_STREQ(printers[1].pPrinterName, layer::kPdfPrinterName);
  EXPECT_NE(printers[1].Attributes & PRINTER_ATTRIBUTE_DEFAULT, 0u);  // the sandbox made it the default
  // Every text lies within the buffer, behind the records.
  for (DWORD i = 0; i < count; ++i) {
    auto at = reinterpret_cast<BYTE*>(printers[i].pPortName);
    EXPECT_GE(at, second.data() + count * sizeof(PRINTER_INFO_2));
    EXPECT_LT(at, second.data() + second.size());
  }

  struct Level {
    DWORD level;
    std::function<const char*(const BYTE*, DWORD)> name;
  } levels[] = {
      {1, [](const BYTE* b, DWORD i) { return reinterpret_cast<const PRINTER_INFO_1*>(b)[i].pName; }},
      {4, [](const BYTE* b, DWORD i) { return reinterpret_cast<const PRINTER_INFO_4*>(b)[i].pPrinterName; }},
      {5, [](const BYTE* b, DWORD i) { return reinterpret_cast<const PRINTER_INFO_5*>(b)[i].pPrinterName; }},
  };
  for (const Level& level : levels) {
    std::vector<BYTE> buffer = Enumerate(PRINTER_ENUM_LOCAL, level.level, &count);
    ASSERT_EQ(count, 2u) << level.level;
    EXPECT_STREQ(level.name(buffer.data(), 0), "Laser") << level.level;
  }
  std::vector<BYTE> only = Enumerate(PRINTER_ENUM_DEFAULT, 4, &count);
  ASSERT_EQ(count, 1u);
  EXPECT_STREQ(reinterpret_cast<PRINTER_INFO_4*>(only.data())->pPrinterName, layer::kPdfPrinterName);

  DWORD needed = 0;
  EXPECT_FALSE(EnumPrinters(PRINTER_ENUM_LOCAL, nullptr, 3, nullptr, 0, &needed, &count));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_LEVEL));
}

TEST_F(Spooler, TheDefaultPrinterByName) {
  DWORD size = 3;
  char name[64];
  EXPECT_FALSE(GetDefaultPrinter(name, &size));
  EXPECT_EQ(size, std::strlen(layer::kPdfPrinterName) + 1);
  EXPECT_TRUE(GetDefaultPrinter(name, &size));
  EXPECT_STREQ(name, layer::kPdfPrinterName);
}

TEST_F(Spooler, PrinterHandles) {
  HANDLE printer = nullptr;
  EXPECT_FALSE(OpenPrinter(const_cast<LPSTR>("Nowhere"), &printer, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PRINTER_NAME));
  EXPECT_EQ(printer, nullptr);
  ASSERT_TRUE(OpenPrinter(const_cast<LPSTR>("laser"), &printer, nullptr));  // names without regard to case
  EXPECT_TRUE(ClosePrinter(printer));
  EXPECT_FALSE(ClosePrinter(printer));
  EXPECT_EQ(DocumentProperties(nullptr, printer, nullptr, nullptr, nullptr, 0), -1);
}

// Settings asked of the laser printer through DocumentProperties and what it makes of them.
struct ModeCase {
  const char* name;
  std::function<void(DEVMODE&)> ask;
  std::function<void(const DEVMODE&)> check;
};

TEST_F(Spooler, DocumentPropertiesMergeWhatThePrinterCanDo) {
  HANDLE printer = nullptr;
  ASSERT_TRUE(OpenPrinter(const_cast<LPSTR>("Laser"), &printer, nullptr));
  ASSERT_EQ(DocumentProperties(nullptr, printer, nullptr, nullptr, nullptr, 0), static_cast<LONG>(sizeof(DEVMODE)));
  DEVMODE defaults{};
  ASSERT_EQ(DocumentProperties(nullptr, printer, nullptr, &defaults, nullptr, DM_OUT_BUFFER), IDOK);
  EXPECT_EQ(defaults.dmPaperSize, DMPAPER_A4);
  EXPECT_EQ(defaults.dmOrientation, DMORIENT_PORTRAIT);
  EXPECT_EQ(defaults.dmPrintQuality, 600);
  EXPECT_NE(defaults.dmFields & DM_COPIES, 0u);

  ModeCase cases[] = {
      {"letter landscape at 300 dpi",
       [](DEVMODE& m) {
         m.dmFields = DM_PAPERSIZE | DM_ORIENTATION | DM_PRINTQUALITY;
         m.dmPaperSize = DMPAPER_LETTER;
         m.dmOrientation = DMORIENT_LANDSCAPE;
         m.dmPrintQuality = 300;
       },
       [](const DEVMODE& m) {
         EXPECT_EQ(m.dmPaperSize, DMPAPER_LETTER);
         EXPECT_EQ(m.dmPaperWidth, 2159);
         EXPECT_EQ(m.dmOrientation, DMORIENT_LANDSCAPE);
         EXPECT_EQ(m.dmPrintQuality, 300);
         EXPECT_EQ(m.dmYResolution, 300);
       }},
      {"a paper and a resolution it lacks",
       [](DEVMODE& m) {
         m.dmFields = DM_PAPERSIZE | DM_PRINTQUALITY;
         m.dmPaperSize = DMPAPER_A3;
         m.dmPrintQuality = 1200;
       },
       [](const DEVMODE& m) {
         EXPECT_EQ(m.dmPaperSize, DMPAPER_A4);
         EXPECT_EQ(m.dmPrintQuality, 600);
       }},
      {"a size of its own on a printer without",
       [](DEVMODE& m) {
         m.dmFields = DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH;
         m.dmPaperSize = DMPAPER_USER;
         m.dmPaperWidth = 1000;
         m.dmPaperLength = 1000;
       },
       [](const DEVMODE& m) { EXPECT_EQ(m.dmPaperSize, DMPAPER_A4); }},
      {"copies, collation and a draft",
       [](DEVMODE& m) {
         m.dmFields = DM_COPIES | DM_COLLATE | DM_PRINTQUALITY | DM_ORIENTATION;
         m.dmCopies = 150;
         m.dmCollate = DMCOLLATE_TRUE;
         m.dmPrintQuality = DMRES_DRAFT;
         m.dmOrientation = 7;  // no orientation: left as it was
       },
       [](const DEVMODE& m) {
         EXPECT_EQ(m.dmCopies, 99);
         EXPECT_EQ(m.dmCollate, DMCOLLATE_TRUE);
         EXPECT_EQ(m.dmPrintQuality, 300);
         EXPECT_EQ(m.dmOrientation, DMORIENT_PORTRAIT);
       }},
      {"fields behind a short dmSize are not read",
       [](DEVMODE& m) {
         m.dmSize = offsetof(DEVMODE, dmPaperSize);
         m.dmFields = DM_ORIENTATION | DM_PAPERSIZE;
         m.dmOrientation = DMORIENT_LANDSCAPE;
         m.dmPaperSize = DMPAPER_LETTER;
       },
       [](const DEVMODE& m) {
         EXPECT_EQ(m.dmOrientation, DMORIENT_LANDSCAPE);
         EXPECT_EQ(m.dmPaperSize, DMPAPER_A4);
       }},
  };
  for (const ModeCase& c : cases) {
    SCOPED_TRACE(c.name);
    DEVMODE input{};
    input.dmSize = sizeof input;
    c.ask(input);
    DEVMODE output{};
    ASSERT_EQ(DocumentProperties(nullptr, printer, nullptr, &output, &input, DM_IN_BUFFER | DM_OUT_BUFFER), IDOK);
    c.check(output);
  }

  DEVMODE none{};  // dmSize 0: no device mode
  DEVMODE output{};
  EXPECT_LT(DocumentProperties(nullptr, printer, nullptr, &output, &none, DM_IN_BUFFER | DM_OUT_BUFFER), 0);
  EXPECT_LT(DocumentProperties(nullptr, printer, nullptr, nullptr, nullptr, DM_OUT_BUFFER), 0);
  ClosePrinter(printer);
}

TEST_F(Spooler, DocumentPropertiesWithAPromptTakeWhatTheUserChose) {
  HANDLE printer = nullptr;
  ASSERT_TRUE(OpenPrinter(const_cast<LPSTR>("Laser"), &printer, nullptr));
  bool cancel = false;
  std::string shownFor;
  auto old = layer::SetPrinterPropertiesPresenter([&](HWND, const std::string& name, DEVMODE& mode) {
    shownFor = name;
    mode.dmOrientation = DMORIENT_LANDSCAPE;
    mode.dmCopies = 4;
    return !cancel;
  });
  DEVMODE output{};
  EXPECT_EQ(DocumentProperties(nullptr, printer, nullptr, &output, nullptr, DM_IN_PROMPT | DM_OUT_BUFFER), IDOK);
  EXPECT_EQ(shownFor, "Laser");
  EXPECT_EQ(output.dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(output.dmCopies, 4);
  cancel = true;
  DEVMODE untouched{};
  EXPECT_EQ(DocumentProperties(nullptr, printer, nullptr, &untouched, nullptr, DM_IN_PROMPT | DM_OUT_BUFFER), IDCANCEL);
  EXPECT_EQ(untouched.dmSize, 0);
  layer::SetPrinterPropertiesPresenter(old);
  ClosePrinter(printer);
}

TEST_F(Spooler, APrinterWithMarginsDrawsFromItsPrintableCorner) {
  struct Case {
    const char* name;
    short orientation;
    int offsetX, offsetY, horzRes, vertRes;
  } cases[] = {
      // 600 dpi: 4 mm = 94.5 dots, 5 mm = 118.1, 6 mm = 141.7; A4 is 4961 x 7016 dots.
      {"portrait", DMORIENT_PORTRAIT, 94, 118, 4961 - 94 - 94, 7016 - 118 - 142},
      {"landscape turns the top margin to the left", DMORIENT_LANDSCAPE, 118, 94, 7016 - 118 - 142, 4961 - 94 - 94},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DEVMODE mode{};
    mode.dmSize = sizeof mode;
    mode.dmFields = DM_ORIENTATION;
    mode.dmOrientation = c.orientation;
    HDC dc = CreateIC("WINSPOOL", "Laser", nullptr, &mode);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALOFFSETX), c.offsetX);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALOFFSETY), c.offsetY);
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), c.horzRes);
    EXPECT_EQ(GetDeviceCaps(dc, VERTRES), c.vertRes);
    EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 1);  // a monochrome printer
    EXPECT_EQ(GetDeviceCaps(dc, NUMCOLORS), 2);
    RECT clip;
    GetClipBox(dc, &clip);
    EXPECT_EQ(clip.right, c.horzRes);
    DeleteDC(dc);
  }
}

TEST_F(Spooler, ADocumentForAQueueIsHandedOverWhenComplete) {
  DEVMODE mode{};
  mode.dmSize = sizeof mode;
  mode.dmFields = DM_COPIES | DM_COLLATE | DM_PAPERSIZE;
  mode.dmCopies = 3;
  mode.dmCollate = DMCOLLATE_TRUE;
  mode.dmPaperSize = DMPAPER_LETTER;
  HDC dc = CreateDC("WINSPOOL", "Laser", nullptr, &mode);
  DOCINFO info{sizeof(DOCINFO), "Bestellung", nullptr, nullptr, 0};
  ASSERT_GT(StartDoc(dc, &info), 0);
  ASSERT_GT(StartPage(dc), 0);
  Rectangle(dc, 100, 100, 500, 500);
  ASSERT_GT(EndPage(dc), 0);
  EXPECT_TRUE(desktop.jobs.empty());
  ASSERT_GT(EndDoc(dc), 0);
  ASSERT_EQ(desktop.jobs.size(), 1u);
  EXPECT_EQ(desktop.jobs[0].queue, "laser");
  EXPECT_EQ(desktop.jobs[0].settings.title, "Bestellung");
  EXPECT_EQ(desktop.jobs[0].settings.copies, 3);
  EXPECT_TRUE(desktop.jobs[0].settings.collate);
  EXPECT_EQ(desktop.jobs[0].settings.paper.id, DMPAPER_LETTER);
  EXPECT_GT(desktop.jobs[0].bytes, 500u);

  // A queue that refuses the job ends the document with the spooler's error.
  desktop.refuse = true;
  ASSERT_GT(StartDoc(dc, &info), 0);
  ASSERT_GT(StartPage(dc), 0);
  ASSERT_GT(EndPage(dc), 0);
  EXPECT_EQ(EndDoc(dc), SP_ERROR);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PRINTER_STATE));
  EXPECT_EQ(desktop.jobs.size(), 1u);
  DeleteDC(dc);
}

}  // namespace
