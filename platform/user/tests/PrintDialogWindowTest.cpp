// The print dialog as a window, worked with keys as a person works it: the
// printer, copies, page range and printing to a file come back in the
// device mode, device names and flags of the caller's record.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "UserTestSupport.h"
#include "testing/FakePrintBackend.h"
#include "testing/PrinterSandbox.h"
#include "testing/PrintDialogRecords.h"
#include "user/PrintDialogWindow.h"
#include "user/res/LayerDialogs.h"
#include "win32/Memory.h"
#include "win32/PrinterContext.h"
#include "win32/WinSpool.h"

using namespace layer::testing;

namespace {

bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
std::string ItemText(HWND dialog, int id) { return TextOf(GetDlgItem(dialog, id)); }

// The desktop's language for as long as it lives: the variable that decides
// it first, with the one it had put back after.
class DesktopLanguage {
 public:
  explicit DesktopLanguage(const char* locale) {
    if (const char* value = std::getenv("LC_ALL")) m_saved = value;
    setenv("LC_ALL", locale, 1);
  }
  ~DesktopLanguage() {
    if (m_saved)
      setenv("LC_ALL", m_saved->c_str(), 1);
    else
      unsetenv("LC_ALL");
  }
  DesktopLanguage(const DesktopLanguage&) = delete;
  DesktopLanguage& operator=(const DesktopLanguage&) = delete;

 private:
  std::optional<std::string> m_saved;
};

// The texts of every labelled control, the caption first.
std::vector<std::string> Labels(HWND dialog) {
  std::vector<std::string> labels{TextOf(dialog)};
  for (int id : {IDC_PRINT_PRINTER_BOX, IDC_PRINT_NAME_LABEL, IDC_PRINT_PROPERTIES, IDC_PRINT_TO_FILE, IDC_PRINT_RANGE_BOX,
                 IDC_PRINT_ALL, IDC_PRINT_PAGES, IDC_PRINT_SELECTION, IDC_PRINT_FROM_LABEL, IDC_PRINT_TO_LABEL,
                 IDC_PRINT_COPIES_BOX, IDC_PRINT_COPIES_LABEL, IDC_PRINT_COLLATE, IDOK, IDCANCEL, IDC_PRINT_STATUS})
    labels.push_back(ItemText(dialog, id));
  return labels;
}

class PrintDialogWindow : public ::testing::Test {
 protected:
  PrintDialogWindow() : m_previous(layer::SetPrintDialogPresenter(layer::ShowPrintDialogWindow)) {
    record.lStructSize = sizeof record;
    record.hwndOwner = owner.Handle();
    m_previousBoxes = layer::SetMessageBoxPresenter([this](HWND, const char* text, const char*, UINT) {
      boxes.push_back(text);
      return IDOK;
    });
  }
  ~PrintDialogWindow() override {
    layer::SetPrintDialogPresenter(m_previous);
    layer::SetMessageBoxPresenter(m_previousBoxes);
    if (record.hDC) DeleteDC(record.hDC);
    if (record.hDevMode) GlobalFree(record.hDevMode);
    if (record.hDevNames) GlobalFree(record.hDevNames);
  }

  DesktopLanguage german{"de_DE.UTF-8"};  // the German texts, unless a test speaks another
  PrinterSandbox sandbox;  // the PDF printer is the default, the laser printer comes first
  FakePrintBackend desktop;
  OwnerWindow owner;
  PRINTDLG record{};
  std::vector<std::string> boxes;

 private:
  layer::PrintDialogPresenter m_previous;
  layer::MessageBoxPresenter m_previousBoxes;
};

TEST_F(PrintDialogWindow, APrinterAndCopiesChosenByKeysComeBackInTheDeviceModeAndNames) {
  // As the form-printing library asks: no pages, no selection, a context, copies in the device mode.
  record.Flags = PD_NOPAGENUMS | PD_NOSELECTION | PD_RETURNDC | PD_USEDEVMODECOPIESANDCOLLATE;
  std::string firstShown, typeShown, whereShown, statusShown;
  bool copiesAtFirst = true, ownerDisabled = false;
  ModalScript script([&](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Drucken");
    ownerDisabled = !IsWindowEnabled(owner.Handle());
    firstShown = ItemText(dialog, IDC_PRINT_PRINTER);
    copiesAtFirst = Enabled(dialog, IDC_PRINT_COPIES);  // the PDF printer makes one copy at a time
    PressKey(dialog, 'N', kAlt, 'n');                   // to the printer list
    PressKey(dialog, VK_UP);                            // the laser printer above it
    statusShown = ItemText(dialog, IDC_PRINT_STATUS);
    typeShown = ItemText(dialog, IDC_PRINT_TYPE);
    whereShown = ItemText(dialog, IDC_PRINT_WHERE);
    PressKey(dialog, 'X', kAlt, 'x');  // to the copies
    TypeText(dialog, "3");
    PressKey(dialog, 'S', kAlt, 's');  // collate
    PressKey(dialog, VK_RETURN);
  });
  ASSERT_TRUE(PrintDlg(&record));
  EXPECT_EQ(firstShown, layer::kPdfPrinterName);
  EXPECT_FALSE(copiesAtFirst);
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
  EXPECT_EQ(statusShown, "Bereit");
  EXPECT_EQ(typeShown, "Generic Laser");
  EXPECT_EQ(whereShown, "Lager 2");

  PrinterNames names = NamesOf(record.hDevNames);
  EXPECT_EQ(names.device, "Laser");
  EXPECT_EQ(names.port, "CUPS:");
  EXPECT_EQ(names.isDefault, 0);
  DEVMODE mode = ModeOf(record.hDevMode);
  EXPECT_STREQ(reinterpret_cast<const char*>(mode.dmDeviceName), "Laser");
  EXPECT_EQ(mode.dmCopies, 3);
  EXPECT_EQ(mode.dmCollate, DMCOLLATE_TRUE);
  EXPECT_EQ(record.nCopies, 1);
  ASSERT_NE(record.hDC, nullptr);
  EXPECT_EQ(GetDeviceCaps(record.hDC, TECHNOLOGY), DT_RASPRINTER);
}

TEST_F(PrintDialogWindow, EscapeCancelsWithoutAReasonAndLeavesTheRecordAlone) {
  ModalScript script([](HWND dialog) { PressKey(dialog, VK_ESCAPE); });
  EXPECT_FALSE(PrintDlg(&record));
  EXPECT_EQ(CommDlgExtendedError(), 0u);
  EXPECT_EQ(record.hDevMode, nullptr);
  EXPECT_EQ(record.hDevNames, nullptr);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
}

TEST_F(PrintDialogWindow, TheFlagsDecideWhichChoicesAreOffered) {
  struct Case {
    const char* name;
    DWORD flags;
    bool pages, selection, toFileShown, toFileEnabled, toFileChecked, copies;
    int checkedRange;
    std::string from, to;
  } cases[] = {
      {"everything", PD_ALLPAGES, true, true, true, true, false, true, IDC_PRINT_ALL, "2", "5"},
      {"no pages, no selection", PD_NOPAGENUMS | PD_NOSELECTION, false, false, true, true, false, true, IDC_PRINT_ALL, "", ""},
      {"pages chosen", PD_PAGENUMS, true, true, true, true, false, true, IDC_PRINT_PAGES, "2", "5"},
      {"selection chosen", PD_SELECTION, true, true, true, true, false, true, IDC_PRINT_SELECTION, "2", "5"},
      {"to a file", PD_PRINTTOFILE, true, true, true, true, true, true, IDC_PRINT_ALL, "2", "5"},
      {"file disabled", PD_DISABLEPRINTTOFILE, true, true, true, false, false, true, IDC_PRINT_ALL, "2", "5"},
      {"file hidden", PD_HIDEPRINTTOFILE, true, true, false, true, false, true, IDC_PRINT_ALL, "2", "5"},
      {"copies by a printer that makes one", PD_USEDEVMODECOPIESANDCOLLATE, true, true, true, true, false, false,
       IDC_PRINT_ALL, "2", "5"},
  };
  for (const Case& c : cases) {
    PRINTDLG one{};
    one.lStructSize = sizeof one;
    one.hwndOwner = owner.Handle();
    one.Flags = c.flags;
    one.nMinPage = 1;
    one.nMaxPage = 9;
    one.nFromPage = 2;
    one.nToPage = 5;
    ModalScript script([&](HWND dialog) {
      EXPECT_EQ(Enabled(dialog, IDC_PRINT_PAGES), c.pages) << c.name;
      EXPECT_EQ(Enabled(dialog, IDC_PRINT_FROM), c.pages) << c.name;
      EXPECT_EQ(Enabled(dialog, IDC_PRINT_SELECTION), c.selection) << c.name;
      EXPECT_EQ(IsWindowVisible(GetDlgItem(dialog, IDC_PRINT_TO_FILE)) != FALSE, c.toFileShown) << c.name;
      EXPECT_EQ(Enabled(dialog, IDC_PRINT_TO_FILE), c.toFileEnabled) << c.name;
      EXPECT_EQ(Checked(dialog, IDC_PRINT_TO_FILE), c.toFileChecked) << c.name;
      EXPECT_EQ(Enabled(dialog, IDC_PRINT_COPIES), c.copies) << c.name;
      EXPECT_TRUE(Checked(dialog, c.checkedRange)) << c.name;
      EXPECT_EQ(ItemText(dialog, IDC_PRINT_FROM), c.from) << c.name;
      EXPECT_EQ(ItemText(dialog, IDC_PRINT_TO), c.to) << c.name;
      EXPECT_EQ(ItemText(dialog, IDC_PRINT_COPIES), "1") << c.name;
      PressKey(dialog, VK_ESCAPE);
    });
    EXPECT_FALSE(PrintDlg(&one)) << c.name;
  }
}

TEST_F(PrintDialogWindow, PagesOutsideTheDocumentAreRefusedUntilMended) {
  record.Flags = PD_NOSELECTION;
  record.nMinPage = 1;
  record.nMaxPage = 12;
  record.nFromPage = record.nToPage = 0xFFFF;
  bool pagesChosen = false, stillUp = false;
  HWND focusAfterRefusal = nullptr, toField = nullptr;
  ModalScript script([&](HWND dialog) {
    toField = GetDlgItem(dialog, IDC_PRINT_TO);
    PressKey(dialog, 'V', kAlt, 'v');
    TypeText(dialog, "4");
    pagesChosen = Checked(dialog, IDC_PRINT_PAGES);
    PressKey(dialog, 'B', kAlt, 'b');
    TypeText(dialog, "20");
    PressKey(dialog, VK_RETURN);
    stillUp = IsWindowVisible(dialog) != FALSE;
    focusAfterRefusal = GetFocus();
    TypeText(dialog, "9");  // the whole field was selected again
    PressKey(dialog, 'D', kAlt, 'd');
    PressKey(dialog, VK_RETURN);
  });
  ASSERT_TRUE(PrintDlg(&record));
  EXPECT_TRUE(pagesChosen);
  EXPECT_TRUE(stillUp);
  EXPECT_EQ(boxes, std::vector<std::string>{"Die Seitenzahlen m\xFCssen zwischen 1 und 12 liegen."});
  EXPECT_EQ(focusAfterRefusal, toField);
  EXPECT_TRUE(record.Flags & PD_PAGENUMS);
  EXPECT_EQ(record.nFromPage, 4);
  EXPECT_EQ(record.nToPage, 9);
  EXPECT_TRUE(record.Flags & PD_PRINTTOFILE);
  EXPECT_EQ(NamesOf(record.hDevNames).port, "FILE:");
}

TEST_F(PrintDialogWindow, ImpossibleCopiesAreRefused) {
  struct Case {
    const char* name;
    const char* typed;
  } cases[] = {{"none", "0"}, {"too many", "10000"}};
  for (const Case& c : cases) {
    boxes.clear();
    PRINTDLG one{};
    one.lStructSize = sizeof one;
    one.Flags = PD_NOPAGENUMS;
    bool stillUp = false;
    ModalScript script([&](HWND dialog) {
      PressKey(dialog, 'X', kAlt, 'x');
      TypeText(dialog, c.typed);
      PressKey(dialog, VK_RETURN);
      stillUp = IsWindowVisible(dialog) != FALSE;
      PressKey(dialog, VK_ESCAPE);
    });
    EXPECT_FALSE(PrintDlg(&one)) << c.name;
    EXPECT_TRUE(stillUp) << c.name;
    EXPECT_EQ(boxes.size(), 1u) << c.name;
  }
}

TEST_F(PrintDialogWindow, SpeaksTheDesktopsLanguage) {
  struct Case {
    const char* locale;
    std::vector<std::string> labels;
    const char* refusal;
  } cases[] = {
      {"de_DE.UTF-8",
       {"Drucken", "Drucker", "&Name:", "&Eigenschaften", "Ausgabe in &Datei umleiten", "Druckbereich", "&Alles", "Seite&n",
        "&Markierung", "&von:", "&bis:", "Exemplare", "Anzahl E&xemplare:", "&Sortieren", "OK", "Abbrechen", "Bereit"},
       "Die Anzahl der Exemplare mu\xDF zwischen 1 und 9999 liegen."},
      {"en_GB.UTF-8",
       {"Print", "Printer", "&Name:", "&Properties", "Print to fi&le", "Print range", "&All", "Pa&ges", "&Selection", "&from:",
        "&to:", "Copies", "Number of &copies:", "C&ollate", "OK", "Cancel", "Ready"},
       "The number of copies must be between 1 and 9999."},
      {"C", {"Print", "Printer", "&Name:", "&Properties", "Print to fi&le", "Print range", "&All", "Pa&ges", "&Selection",
             "&from:", "&to:", "Copies", "Number of &copies:", "C&ollate", "OK", "Cancel", "Ready"},
       "The number of copies must be between 1 and 9999."},
  };
  for (const Case& c : cases) {
    DesktopLanguage language(c.locale);
    boxes.clear();
    std::vector<std::string> shown;
    ModalScript script([&](HWND dialog) {
      shown = Labels(dialog);
      SetDlgItemText(dialog, IDC_PRINT_COPIES, "0");
      PressKey(dialog, VK_RETURN);
      PressKey(dialog, VK_ESCAPE);
    });
    EXPECT_FALSE(PrintDlg(&record)) << c.locale;
    EXPECT_EQ(shown, c.labels) << c.locale;
    EXPECT_EQ(boxes, std::vector<std::string>{c.refusal}) << c.locale;
  }
}

TEST_F(PrintDialogWindow, WhatThePrintersPropertiesChangeComesBack) {
  auto previous = layer::SetPrinterPropertiesPresenter([](HWND, const std::string&, DEVMODE& mode) {
    mode.dmFields |= DM_ORIENTATION;
    mode.dmOrientation = DMORIENT_LANDSCAPE;
    return true;
  });
  ModalScript script([](HWND dialog) {
    PressKey(dialog, 'E', kAlt, 'e');
    SendDlgItemMessage(dialog, IDOK, BM_CLICK, 0, 0);
  });
  ASSERT_TRUE(PrintDlg(&record));
  layer::SetPrinterPropertiesPresenter(previous);
  EXPECT_EQ(ModeOf(record.hDevMode).dmOrientation, DMORIENT_LANDSCAPE);
}

TEST(PrintDialogWithoutScreen, TakesWhatItWouldShowWithoutWaitingForAnyone) {
  PrinterSandbox sandbox;
  int modalLoops = 0;
  ModalScript script([&](HWND) { ++modalLoops; });
  PRINTDLG record{};
  record.lStructSize = sizeof record;
  ASSERT_TRUE(PrintDlg(&record));
  EXPECT_EQ(modalLoops, 0);
  EXPECT_EQ(NamesOf(record.hDevNames).device, layer::kPdfPrinterName);
  GlobalFree(record.hDevMode);
  GlobalFree(record.hDevNames);
}

}  // namespace
