// The shown face printed by the viewer's print command onto the PDF printer,
// on a copy of the sample catalogue: the page holds the face's table and its
// picture beside the fixed fields of the catalogue's print form.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "Main/tests/ViewerSessionFixture.h"
#include "testing/PdfFile.h"
#include "testing/PrinterSandbox.h"
#include "user/Dialogs.h"

namespace {

class FacePrintTest : public varno::testing::ViewerSessionFixture {
 protected:
  void SetUp() override {
    ViewerSessionFixture::SetUp();
    // The print dialog, confirmed with its first option.
    previousHook = layer::SetModalHook(
        [](HWND dialog) { PostMessage(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); });
  }
  void TearDown() override {
    layer::SetModalHook(previousHook);
    ViewerSessionFixture::TearDown();
  }

  std::string ShownKey() const { return static_cast<const char*>(theGlobals.m_cur_prj_key); }

  // Command 320 on the main frame, then the library's job runs from the
  // messages it posts until it has called back; false when it never ends.
  bool PrintAndWait() {
    PostMessage(session->App().m_hMainWnd, WM_COMMAND, 320, 0);
    session->Pump();
    for (int round = 0; round < 50 && session->App().m_print_busy; ++round) session->Pump();
    return !session->App().m_print_busy;
  }

  // The page as PNG where the face screenshots go, for a look.
  static std::string PngPath(const char* name) {
    const char* folder = std::getenv("VARNO_SCREENSHOT_DIR");
    const std::filesystem::path dir = folder != nullptr ? folder : "screenshots/print";
    std::filesystem::create_directories(dir);
    return (dir / name).string();
  }

  layer::testing::PrinterSandbox printers;
  layer::ModalHook previousHook;
};

TEST_F(FacePrintTest, AnAssemblysPartTableAndPictureReachThePdfPrinter) {
  if (!layer::testing::PdfFile::ToolsPresent()) GTEST_SKIP() << "poppler-utils missing";
  ASSERT_TRUE(session->Start()) << Told();
  ASSERT_TRUE(session->ClickHotspot("Uebersicht", "2"));
  session->Pump();
  ASSERT_EQ(ShownKey(), "MOT") << Told();

  ASSERT_TRUE(PrintAndWait()) << Told();
  const std::vector<std::string> pdfs = printers.Pdfs();
  ASSERT_EQ(pdfs.size(), 1u) << Told();
  const layer::testing::PdfFile pdf(pdfs[0]);
  const std::string text = pdf.Text(1);
  for (const char* shown :
       {"Datum", "Seite", "Rasenm", "Motor", "Pos.", "Teil", "Benennung", "RM-2001", "RM-2002", "kerze"})
    EXPECT_NE(text.find(shown), std::string::npos) << shown << " in\n" << text;
  EXPECT_FALSE(pdf.Images(1).empty()) << "no picture on the page";
  const auto page = pdf.Render(1, 50, PngPath("MOT.png"));
  // The picture frame fills the lower half of the page.
  EXPECT_GT(page.Darker(0, page.height / 2, page.width, page.height * 9 / 10, 200), 100);
  EXPECT_TRUE(errors->shown.empty()) << Told();
}

TEST_F(FacePrintTest, TheStartPagesLineDrawingReachesThePdfPrinter) {
  if (!layer::testing::PdfFile::ToolsPresent()) GTEST_SKIP() << "poppler-utils missing";
  ASSERT_TRUE(session->Start()) << Told();
  ASSERT_TRUE(PrintAndWait()) << Told();
  const std::vector<std::string> pdfs = printers.Pdfs();
  ASSERT_EQ(pdfs.size(), 1u) << Told();
  const layer::testing::PdfFile pdf(pdfs[0]);
  EXPECT_NE(pdf.Text(1).find("START"), std::string::npos) << pdf.Text(1);
  const auto page = pdf.Render(1, 50, PngPath("START.png"));
  EXPECT_GT(page.Darker(0, page.height / 2, page.width, page.height * 9 / 10, 200), 100);
  EXPECT_TRUE(errors->shown.empty()) << Told();
}

}  // namespace
