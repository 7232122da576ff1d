// The class library's print dialog: what the user chose read back through
// its accessors, copies the printer cannot make kept for the program, and
// the default printer without a dialog.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "mfc/CPrintDialog.h"
#include "testing/FakePrintBackend.h"
#include "testing/PrinterSandbox.h"
#include "win32/Memory.h"
#include "win32/Printers.h"

namespace {

class PrintDialogClass : public ::testing::Test {
 protected:
  PrintDialogClass()
      : m_previous(layer::SetPrintDialogPresenter([this](HWND, layer::PrintChoice& choice) {
          ++shown;
          if (answer) answer(choice);
          return !cancel;
        })) {}
  ~PrintDialogClass() override { layer::SetPrintDialogPresenter(m_previous); }

  static void Release(CPrintDialog& dialog) {
    if (dialog.m_pd.hDC) DeleteDC(dialog.m_pd.hDC);
    if (dialog.m_pd.hDevMode) GlobalFree(dialog.m_pd.hDevMode);
    if (dialog.m_pd.hDevNames) GlobalFree(dialog.m_pd.hDevNames);
  }

  layer::testing::PrinterSandbox sandbox;  // the PDF printer is the default
  layer::testing::FakePrintBackend desktop;
  std::function<void(layer::PrintChoice&)> answer;
  bool cancel = false;
  int shown = 0;

 private:
  layer::PrintDialogPresenter m_previous;
};

TEST_F(PrintDialogClass, TheChoiceComesBackThroughTheAccessors) {
  struct Case {
    const char* name;
    std::size_t printer;  // 0: the laser printer, which makes copies and collates; 1: the PDF printer
    const char* device;
    const char* port;
    int deviceModeCopies;
  } cases[] = {{"a printer that makes copies", 0, "Laser", "CUPS:", 4},
               {"a printer that makes one copy", 1, layer::kPdfPrinterName, "PDF:", 1}};
  for (const Case& c : cases) {
    CPrintDialog dialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOSELECTION);
    dialog.m_pd.nMinPage = 1;
    dialog.m_pd.nMaxPage = 10;
    answer = [&](layer::PrintChoice& choice) {
      layer::SwitchPrinter(choice, c.printer);
      choice.copies = 4;
      choice.collate = true;
      choice.range = PD_PAGENUMS;
      choice.fromPage = 2;
      choice.toPage = 3;
    };
    ASSERT_EQ(dialog.DoModal(), IDOK) << c.name;
    EXPECT_STREQ(dialog.GetDeviceName(), c.device) << c.name;
    EXPECT_STREQ(dialog.GetDriverName(), "winspool") << c.name;
    EXPECT_STREQ(dialog.GetPortName(), c.port) << c.name;
    ASSERT_NE(dialog.GetDevMode(), nullptr) << c.name;
    EXPECT_EQ(dialog.GetDevMode()->dmCopies, c.deviceModeCopies) << c.name;
    EXPECT_EQ(dialog.GetCopies(), 4) << c.name;
    EXPECT_TRUE(dialog.PrintCollate()) << c.name;
    EXPECT_TRUE(dialog.PrintRange()) << c.name;
    EXPECT_FALSE(dialog.PrintAll()) << c.name;
    EXPECT_EQ(dialog.GetFromPage(), 2) << c.name;
    EXPECT_EQ(dialog.GetToPage(), 3) << c.name;
    EXPECT_NE(dialog.GetPrinterDC(), nullptr) << c.name;
    Release(dialog);
  }
}

TEST_F(PrintDialogClass, CancelGivesIdCancelAndNoPrinter) {
  cancel = true;
  CPrintDialog dialog(FALSE);
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(CommDlgExtendedError(), 0u);
  EXPECT_EQ(dialog.GetDevMode(), nullptr);
  EXPECT_STREQ(dialog.GetDeviceName(), "");
  EXPECT_EQ(dialog.CreatePrinterDC(), nullptr);
}

TEST_F(PrintDialogClass, TheDefaultsNeedNoDialogAndMakeAPrinterContextOnRequest) {
  CPrintDialog dialog(FALSE);
  ASSERT_TRUE(dialog.GetDefaults());
  EXPECT_EQ(shown, 0);
  EXPECT_STREQ(dialog.GetDeviceName(), layer::kPdfPrinterName);
  EXPECT_EQ(dialog.GetPrinterDC(), nullptr);
  EXPECT_TRUE(dialog.PrintAll());
  EXPECT_EQ(dialog.GetFromPage(), -1);
  HDC printer = dialog.CreatePrinterDC();
  ASSERT_NE(printer, nullptr);
  EXPECT_EQ(dialog.GetPrinterDC(), printer);
  EXPECT_EQ(GetDeviceCaps(printer, TECHNOLOGY), DT_RASPRINTER);
  Release(dialog);
}

}  // namespace
