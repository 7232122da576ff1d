#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <filesystem>
#include <string>
#include <vector>

#include "testing/FakePrintBackend.h"
#include "testing/PrinterSandbox.h"
#include "testing/PrintDialogRecords.h"
#include "win32/CommDlg.h"
#include "win32/Memory.h"
#include "win32/PrinterContext.h"
#include "win32/Profile.h"

namespace {

using layer::testing::ModeOf;
using layer::testing::NamesOf;

HGLOBAL Block(const void* bytes, std::size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  std::memcpy(GlobalLock(block), bytes, size);
  GlobalUnlock(block);
  return block;
}

class PrintDialog : public ::testing::Test {
 protected:
  PrintDialog() {
    dialog.lStructSize = sizeof dialog;
    old = layer::SetPrintDialogPresenter([this](HWND, layer::PrintChoice& choice) {
      ++shown;
      seen = choice;
      if (answer) answer(choice);
      return !cancel;
    });
  }
  ~PrintDialog() override {
    layer::SetPrintDialogPresenter(old);
    if (dialog.hDC) DeleteDC(dialog.hDC);
    if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
  }

  layer::testing::PrinterSandbox sandbox;
  layer::testing::FakePrintBackend desktop;
  PRINTDLG dialog{};
  layer::PrintDialogPresenter old;
  std::function<void(layer::PrintChoice&)> answer;
  layer::PrintChoice seen;
  bool cancel = false;
  int shown = 0;
};

TEST_F(PrintDialog, ReturnsTheDefaultPrinterWithoutShowingAnything) {
  dialog.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
  ASSERT_TRUE(PrintDlg(&dialog));
  EXPECT_EQ(shown, 0);
  layer::testing::PrinterNames names = NamesOf(dialog.hDevNames);
  char device[128];
  GetProfileString("windows", "device", "", device, sizeof device);
  EXPECT_EQ(names.device + "," + names.driver + "," + names.port, device);
  EXPECT_EQ(names.device, layer::kPdfPrinterName);
  EXPECT_EQ(names.isDefault, DN_DEFAULTPRN);
  EXPECT_STREQ(reinterpret_cast<const char*>(ModeOf(dialog.hDevMode).dmDeviceName), layer::kPdfPrinterName);
  ASSERT_NE(dialog.hDC, nullptr);
  EXPECT_EQ(GetDeviceCaps(dialog.hDC, TECHNOLOGY), DT_RASPRINTER);
  EXPECT_EQ(GetDeviceCaps(dialog.hDC, LOGPIXELSX), 600);
}

TEST_F(PrintDialog, FailuresTellTheirReasonAndACancelNone) {
  PRINTDLG wrong{};
  wrong.lStructSize = sizeof wrong - 4;
  EXPECT_FALSE(PrintDlg(&wrong));
  EXPECT_EQ(CommDlgExtendedError(), CDERR_STRUCTSIZE);

  DEVMODE mode{};
  mode.dmSize = sizeof mode;
  dialog.hDevMode = Block(&mode, sizeof mode);
  dialog.Flags = PD_RETURNDEFAULT;
  EXPECT_FALSE(PrintDlg(&dialog));
  EXPECT_EQ(CommDlgExtendedError(), PDERR_RETDEFFAILURE);

  dialog.Flags = 0;
  cancel = true;
  EXPECT_FALSE(PrintDlg(&dialog));
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(CommDlgExtendedError(), 0u);
}

TEST_F(PrintDialog, StartsFromTheCallersPrinterAndSettings) {
  std::vector<BYTE> names(sizeof(DEVNAMES));
  auto append = [&](const char* text) {
    WORD at = static_cast<WORD>(names.size());
    names.insert(names.end(), text, text + std::strlen(text) + 1);
    return at;
  };
  DEVNAMES header{append("winspool"), append("Laser"), append("CUPS:"), 0};
  std::memcpy(names.data(), &header, sizeof header);
  dialog.hDevNames = Block(names.data(), names.size());
  DEVMODE mode{};
  mode.dmSize = sizeof mode;
  mode.dmFields = DM_ORIENTATION;
  mode.dmOrientation = DMORIENT_LANDSCAPE;
  dialog.hDevMode = Block(&mode, sizeof mode);
  ASSERT_TRUE(PrintDlg(&dialog));
  ASSERT_EQ(seen.printers.size(), 2u);
  EXPECT_EQ(seen.printers[seen.printer], "Laser");
  EXPECT_EQ(seen.mode.dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(NamesOf(dialog.hDevNames).device, "Laser");
  EXPECT_EQ(NamesOf(dialog.hDevNames).isDefault, 0);
  EXPECT_EQ(ModeOf(dialog.hDevMode).dmOrientation, DMORIENT_LANDSCAPE);

  // Device names whose texts run past their block name no printer: the default is shown.
  DEVNAMES broken{8, 500, 8, 0};
  GlobalFree(dialog.hDevNames);
  GlobalFree(dialog.hDevMode);
  dialog.hDevMode = nullptr;
  dialog.hDevNames = Block(&broken, sizeof broken);
  ASSERT_TRUE(PrintDlg(&dialog));
  EXPECT_EQ(seen.printers[seen.printer], layer::kPdfPrinterName);
}

TEST_F(PrintDialog, CopiesAndCollationGoWhereThePrinterTakesThem) {
  struct Case {
    const char* name;
    std::size_t printer;  // 0 the laser printer, 1 the PDF printer
    DWORD flags;
    short modeCopies, modeCollate;
    WORD dialogCopies;
    bool collateFlag;
  } cases[] = {
      {"the laser printer makes them", 0, PD_USEDEVMODECOPIESANDCOLLATE, 3, DMCOLLATE_TRUE, 1, false},
      {"the PDF printer leaves them to the caller", 1, PD_USEDEVMODECOPIESANDCOLLATE, 1, DMCOLLATE_FALSE, 3, true},
      {"the caller wants them itself", 0, 0, 1, DMCOLLATE_FALSE, 3, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    answer = [&](layer::PrintChoice& choice) {
      layer::SwitchPrinter(choice, c.printer);
      choice.copies = 3;
      choice.collate = true;
    };
    dialog.Flags = c.flags;
    ASSERT_TRUE(PrintDlg(&dialog));
    DEVMODE mode = ModeOf(dialog.hDevMode);
    EXPECT_EQ(mode.dmCopies, c.modeCopies);
    EXPECT_EQ(mode.dmCollate, c.modeCollate);
    EXPECT_EQ(dialog.nCopies, c.dialogCopies);
    EXPECT_EQ((dialog.Flags & PD_COLLATE) != 0, c.collateFlag);
  }
}

TEST_F(PrintDialog, PrintingToAFileAsksForTheFileWhenTheDocumentStarts) {
  answer = [](layer::PrintChoice& choice) {
    layer::SwitchPrinter(choice, 0);
    choice.printToFile = true;
  };
  dialog.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION;
  ASSERT_TRUE(PrintDlg(&dialog));
  EXPECT_NE(dialog.Flags & PD_PRINTTOFILE, 0u);
  EXPECT_EQ(NamesOf(dialog.hDevNames).port, "FILE:");
  std::string target = sandbox.Folder() / "auftrag.prn";
  std::string asked;
  auto oldFile = layer::SetPrintToFilePresenter([&](const std::string& document) {
    asked = document;
    return target;
  });
  DOCINFO info{sizeof(DOCINFO), "Auftrag", nullptr, nullptr, 0};
  ASSERT_GT(StartDoc(dialog.hDC, &info), 0);
  ASSERT_GT(StartPage(dialog.hDC), 0);
  ASSERT_GT(EndDoc(dialog.hDC), 0);
  layer::SetPrintToFilePresenter(oldFile);
  EXPECT_EQ(asked, "Auftrag");
  EXPECT_TRUE(std::filesystem::exists(target));
  EXPECT_TRUE(desktop.jobs.empty());  // the file, not the queue
}

// A person who prints to the PDF printer says where the file goes; a job
// that chose no printer in a dialog writes under its document's name.
TEST_F(PrintDialog, ThePdfPrinterAsksThePersonWhoChoseItForTheFile) {
  answer = [](layer::PrintChoice& choice) {
    for (std::size_t i = 0; i < choice.printers.size(); ++i)
      if (choice.printers[i] == layer::kPdfPrinterName) layer::SwitchPrinter(choice, i);
  };
  dialog.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION;
  ASSERT_TRUE(PrintDlg(&dialog));
  ASSERT_EQ(NamesOf(dialog.hDevNames).device, layer::kPdfPrinterName);
  std::string target = sandbox.Folder() / "chosen/Bestellung 12.pdf";
  std::vector<std::string> asked;
  auto oldFile = layer::SetPrintToFilePresenter([&](const std::string& document) {
    asked.push_back(document);
    return target;
  });
  DOCINFO info{sizeof(DOCINFO), "Bestellung 12", nullptr, nullptr, 0};
  ASSERT_GT(StartDoc(dialog.hDC, &info), 0);
  ASSERT_GT(StartPage(dialog.hDC), 0);
  ASSERT_GT(EndDoc(dialog.hDC), 0);
  EXPECT_EQ(asked, std::vector<std::string>{"Bestellung 12"});
  EXPECT_TRUE(std::filesystem::exists(target));
  EXPECT_TRUE(sandbox.Pdfs().empty());

  HDC unasked = CreateDC("WINSPOOL", layer::kPdfPrinterName, nullptr, nullptr);
  ASSERT_NE(unasked, nullptr);
  DOCINFO face{sizeof(DOCINFO), "RM 46 - Motor", nullptr, nullptr, 0};
  ASSERT_GT(StartDoc(unasked, &face), 0);
  ASSERT_GT(StartPage(unasked), 0);
  ASSERT_GT(EndDoc(unasked), 0);
  DeleteDC(unasked);
  layer::SetPrintToFilePresenter(oldFile);
  EXPECT_EQ(asked.size(), 1u);
  EXPECT_TRUE(std::filesystem::exists(sandbox.PdfFolder() + "/RM 46 - Motor.pdf"));
}

}  // namespace
