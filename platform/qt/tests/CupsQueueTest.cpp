// A real print queue: a CUPS scheduler of the test's own with a queue that
// prints through the generic PostScript driver into a file. The job goes the
// system's way: a printer device context, pages, the end of the document,
// Qt's printing support and CUPS. Where no scheduler can start, the tests say why they are skipped.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "testing/CupsScheduler.h"
#include "testing/PdfFile.h"
#include "testing/PrinterSandbox.h"
#include "win32/Errors.h"
#include "win32/GdiPrint.h"
#include "win32/Profile.h"

namespace {
using layer::testing::kQueue;
using layer::testing::ReadAll;
using layer::testing::Shell;
using layer::testing::WaitFor;
using Scheduler = layer::testing::CupsScheduler;

// The pages of a PostScript file as ghostscript renders them in grey.
std::vector<layer::testing::PdfFile::Raster> Render(const std::string& postscript, int dotsPerInch) {
  std::string pattern = postscript + ".page%d.pgm";
  Shell("gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=pgmraw -r" + std::to_string(dotsPerInch) + " -sOutputFile='" +
        pattern + "' '" + postscript + "'");
  std::vector<layer::testing::PdfFile::Raster> pages;
  for (int page = 1; std::filesystem::exists(postscript + ".page" + std::to_string(page) + ".pgm"); ++page)
    pages.push_back(layer::testing::PdfFile::ReadGrey(postscript + ".page" + std::to_string(page) + ".pgm"));
  return pages;
}

// The spooler's result of a two-page document; the reason of a failure in *error.
int PrintTwoPages(const char* printer, DWORD* error = nullptr) {
  DEVMODE mode{};
  mode.dmSize = sizeof mode;
  mode.dmFields = DM_PAPERSIZE | DM_ORIENTATION;
  mode.dmPaperSize = DMPAPER_A4;
  mode.dmOrientation = DMORIENT_PORTRAIT;
  HDC dc = CreateDC("WINSPOOL", printer, nullptr, &mode);
  if (!dc) return SP_ERROR;
  int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  HFONT font = CreateFont(-dpi / 5, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
  SelectObject(dc, font);
  DOCINFO info{sizeof(DOCINFO), "Bestellung 4711", nullptr, nullptr, 0};
  int result = StartDoc(dc, &info);
  for (int page = 1; page <= 2 && result > 0; ++page) {
    if ((result = StartPage(dc)) <= 0) break;
    std::string line = "Bestellung Seite " + std::to_string(page);
    TextOut(dc, dpi, dpi, line.c_str(), static_cast<int>(line.size()));
    HPEN pen = CreatePen(PS_SOLID, dpi / 20, RGB(0, 0, 0));
    HGDIOBJ old = SelectObject(dc, pen);
    Rectangle(dc, dpi, 2 * dpi, 3 * dpi, 3 * dpi);
    SelectObject(dc, old);
    DeleteObject(pen);
    result = EndPage(dc);
  }
  if (result > 0) result = EndDoc(dc);
  if (error) *error = GetLastError();
  DeleteDC(dc);
  DeleteObject(font);
  return result;
}

class CupsQueue : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    scheduler = new Scheduler;
    whyNot = scheduler->Start();
  }
  static void TearDownTestSuite() {
    delete scheduler;
    scheduler = nullptr;
  }
  void SetUp() override {
    if (!whyNot.empty()) GTEST_SKIP() << "no private CUPS scheduler: " << whyNot;
    // The desktop's default printer, not the sandbox's choice.
    WriteProfileString("windows", "device", nullptr);
  }

  static Scheduler* scheduler;
  static std::string whyNot;
  layer::testing::PrinterSandbox sandbox;
};

Scheduler* CupsQueue::scheduler = nullptr;
std::string CupsQueue::whyNot;

TEST_F(CupsQueue, TheQueueIsAPrinterAndTheDesktopsDefault) {
  char device[256];
  GetProfileString("windows", "device", "", device, sizeof device);
  EXPECT_EQ(std::string(device), std::string(kQueue) + ",winspool,CUPS:");
  char entry[256];
  GetProfileString("devices", kQueue, "", entry, sizeof entry);
  EXPECT_STREQ(entry, "winspool,CUPS:");
  HDC dc = CreateIC(nullptr, kQueue, nullptr, nullptr);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetDeviceCaps(dc, TECHNOLOGY), DT_RASPRINTER);
  EXPECT_GT(GetDeviceCaps(dc, LOGPIXELSX), 0);
  DeleteDC(dc);
}

TEST_F(CupsQueue, ADocumentPrintsThroughTheQueue) {
  ASSERT_GT(PrintTwoPages(kQueue), 0);
  std::string output = scheduler->Output();
  ASSERT_TRUE(WaitFor([&] { return ReadAll(output).find("%%EOF") != std::string::npos; }, std::chrono::seconds(60)))
      << "no PostScript arrived; the scheduler's log:\n" << scheduler->Log();
  std::string postscript = ReadAll(output);
  EXPECT_EQ(postscript.rfind("%!PS", 0), 0u);
  EXPECT_NE(postscript.find("%%Pages: 2"), std::string::npos);
  EXPECT_NE(postscript.find("595 842"), std::string::npos) << "A4 paper";
  // At 50 dots per inch the text is a dark band at half an inch from the corner, the frame a box below it.
  auto pages = Render(output, 50);
  ASSERT_EQ(pages.size(), 2u);
  for (const auto& page : pages) {
    ASSERT_GT(page.width, 150);
    EXPECT_GT(page.Darker(50, 50, 200, 62, 128), 60);   // the text
    EXPECT_GT(page.Darker(48, 98, 152, 102, 128), 80);  // the frame's top edge
    EXPECT_EQ(page.Darker(60, 110, 140, 140, 128), 0);  // and its inside
  }
}

TEST_F(CupsQueue, AQueueThatRejectsJobsEndsTheDocumentWithAnError) {
  ASSERT_EQ(Shell("cupsreject " + std::string(kQueue)), 0);
  DWORD error = 0;
  EXPECT_EQ(PrintTwoPages(kQueue, &error), SP_ERROR);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_INVALID_PRINTER_STATE));
  Shell("cupsaccept " + std::string(kQueue));
}

}  // namespace
