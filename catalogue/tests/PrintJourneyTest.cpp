// Printing as a person does: the shown page from the viewer and an order
// from the order list, to the PDF printer, with the print dialog and the
// desktop's save dialog that asks where the file goes.
#include <filesystem>
#include <fstream>
#include <iostream>

#include "Journey.h"
#include "testing/PdfFile.h"

// A namespace of its own: the journeys compile together, where their helpers' names would meet.
namespace catalogue::testing::print_journey {
namespace {

namespace fs = std::filesystem;

// The picture's context menu entry that shows the order list.
constexpr long long kShowOrderList = 32786;

class PrintJourney : public Journey {
 protected:
  // The title of the topmost window the window manager shows.
  std::string TopmostTitle() const {
    std::vector<std::string> titles = desktop->ManagedTitles();
    return titles.empty() ? std::string() : titles.back();
  }

  // Waits for a window of the desktop's own (not one of the programs') by a
  // part of its title; whether it came.
  bool WaitForDesktopWindow(const std::string& titlePart) const {
    return layer::testing::WaitUntil([&] {
      for (const std::string& title : desktop->ManagedTitles())
        if (title.find(titlePart) != std::string::npos) return true;
      return false;
    });
  }

  static bool WaitForFile(const fs::path& file) {
    return layer::testing::WaitUntil([&] { return fs::exists(file) && fs::file_size(file) > 0; });
  }

  // Keeps a printed file beside the screenshots, for a look at its pages.
  void Keep(const fs::path& file, const std::string& step) const {
    fs::create_directories(VARNO_JOURNEY_SCREENSHOTS);
    fs::copy_file(file, fs::path(VARNO_JOURNEY_SCREENSHOTS) / (Name() + "-" + step + ".pdf"),
                  fs::copy_options::overwrite_existing);
  }

  fs::path Documents() const { return fs::path(system->Home()) / "Documents"; }

  // The program language through the viewer's language dialog: the first
  // list holds the program's languages, German first.
  void SwitchToEnglish(const TopWindow& viewer) {
    ChooseMenu(viewer, {"Sprache", "Sprache w\xC3\xA4hlen..."});
    TopWindow dialog = layer::testing::WaitForWindow([&](const TopWindow& window) {
      return window.visible && window.processId == viewer.processId && window.className == "#32770";
    });
    ASSERT_NE(dialog.handle, nullptr);
    SeenWindow look = WaitForLook(dialog, [](const SeenWindow& seen) { return seen.Shows("Englisch"); });
    system->Screenshot("language");
    desktop->Key("Down");
    WaitForLook(dialog, [](const SeenWindow& seen) {
      const SeenLine* chosen = seen.Find("window", "Englisch");
      return chosen && chosen->className == "ComboBox";
    });
    ClickButton(dialog, "OK");
    ASSERT_TRUE(WaitUntilGone(dialog));
    ASSERT_FALSE(WaitForLook(viewer, [](const SeenWindow& seen) { return seen.Shows("&File"); }).Empty());
  }

  // The viewer's choice of what to print, answered with a button.
  void ChoosePrintOption(const std::string& caption, const std::string& button) {
    TopWindow options = WaitForDialog(caption);
    ASSERT_NE(options.handle, nullptr);
    SeenWindow look = WaitForLook(options, [&](const SeenWindow& seen) { return seen.Shows(button); });
    ExpectAllLabelled(look, "the viewer's print choice");
    ClickButton(options, button);
    WaitUntilGone(options);
  }

  // The desktop's save dialog, in either language.
  bool WaitForSaveDialog() const {
    return layer::testing::WaitUntil([&] {
      for (const std::string& title : desktop->ManagedTitles())
        if (title == "Save Print Output As" || title == "Druckausgabe speichern unter") return true;
      return false;
    });
  }

  std::string TitlesShown() const {
    std::string list;
    for (const std::string& title : desktop->ManagedTitles()) list += "\"" + title + "\" ";
    return list;
  }

  // The texts a printed file shows (UTF-8), all on its pages, in the forms' face.
  void ExpectPrinted(const fs::path& file, const std::vector<std::string>& texts) const {
    layer::testing::PdfFile pdf(file.string());
    ASSERT_GE(pdf.Pages(), 1);
    std::string text;
    for (int page = 1; page <= pdf.Pages(); ++page) text += pdf.Text(page);
    for (const std::string& shown : texts) EXPECT_NE(text.find(shown), std::string::npos) << shown << " in\n" << text;
    // The forms' frames name Arial: the text comes out in it, not in the default Courier.
    const std::string fonts = pdf.Fonts();
    EXPECT_NE(fonts.find("LiberationSans"), std::string::npos) << fonts;
    EXPECT_EQ(fonts.find("LiberationMono"), std::string::npos) << fonts;
  }

  // The print dialog over the printing library's progress box, the PDF
  // printer chosen, answered with OK.
  // The dialog speaks the desktop's language, not the viewer's.
  void AnswerPrintDialog(const std::string& step) {
    std::string title;
    TopWindow dialog = layer::testing::WaitForWindow([&](const TopWindow& window) {
      SeenWindow seen = layer::testing::Look(window.handle);
      bool german = window.title == "Drucken" && seen.Shows("Ausgabe in &Datei umleiten");
      bool english = window.title == "Print" && seen.Shows("Print to fi&le");
      if (german || english) title = window.title;
      return german || english;
    });
    ASSERT_NE(dialog.handle, nullptr) << TitlesShown();
    SeenWindow look = Look(dialog);
    // The printing library's progress box is there, below the dialog it waits for.
    TopWindow progress = layer::testing::WaitForWindow([](const TopWindow& window) {
      return window.title.rfind("VOD ", 0) == 0 &&
             (window.title.find(" druckt") != std::string::npos || window.title.find(" is printing") != std::string::npos);
    });
    EXPECT_NE(progress.handle, nullptr) << TitlesShown();
    EXPECT_TRUE(layer::testing::WaitUntil([&] { return TopmostTitle() == title; }))
        << "the print dialog is not on top: " << TitlesShown();
    system->Screenshot(step);
    ExpectAllLabelled(look, "the print dialog");
    EXPECT_TRUE(look.Shows("PDF file")) << look.Dump();
    ClickButton(dialog, "OK");
  }
};

TEST_F(PrintJourney, TheShownPageGoesToTheFileThePersonChose) {
  if (!layer::testing::PdfFile::ToolsPresent()) GTEST_SKIP() << "poppler-utils missing";
  TopWindow viewer = StartViewer();
  ASSERT_NE(viewer.handle, nullptr);
  SeenWindow look = WaitForText(viewer, "Motor");
  const SeenLine* motor = look.Find("text", "Motor");
  ASSERT_NE(motor, nullptr);
  Click(*motor);
  WaitForText(viewer, "RM-2001");
  const std::string title = "Rasenmaeher RM 46 - Motor";
  ASSERT_NE(layer::testing::WaitForTitle(title).handle, nullptr);

  // Printed without the printer's dialog, by the menu's shortcut Ctrl+P: the file is named after the page, unasked.
  desktop->Key("ctrl+p");
  ChoosePrintOption("Drucken", "OK");
  const fs::path unasked = Documents() / (title + ".pdf");
  ASSERT_TRUE(WaitForFile(unasked)) << system->ViewerErrors();
  Keep(unasked, "unasked");
  ExpectPrinted(unasked, {"Rasenmaeher RM 46", "MOT", "RM-2001", "Motor 140 cm\xC2\xB3", "RM-2002",
                          "Z\xC3\xBCndkerze"});

  // With the printer's dialog: the save dialog proposes the page's name beside the first file.
  ChooseMenu(viewer, {"Datei", "Drucken mit Druckerauswahl..."});
  ChoosePrintOption("Drucken", "OK");
  AnswerPrintDialog("print-dialog");
  ASSERT_TRUE(WaitForSaveDialog()) << TitlesShown();
  system->Screenshot("save-dialog");
  desktop->Key("Return");
  const fs::path proposed = Documents() / (title + " (2).pdf");
  ASSERT_TRUE(WaitForFile(proposed)) << system->ViewerErrors();
  Keep(proposed, "asked");
  ExpectPrinted(proposed, {"RM-2001", "Z\xC3\xBCndkerze"});
}

TEST_F(PrintJourney, AnOrderPrintsWithItsHeaderAndLinesInEnglish) {
  if (!layer::testing::PdfFile::ToolsPresent()) GTEST_SKIP() << "poppler-utils missing";
  TopWindow viewer = StartViewer();
  ASSERT_NE(viewer.handle, nullptr);
  SeenWindow look = WaitForText(viewer, "Motor");
  // The language a person chose holds from the next start on, for the order list too.
  SwitchToEnglish(viewer);
  ChooseMenu(viewer, {"File", "Exit"});
  ASSERT_EQ(system->WaitForViewerEnd(), 0) << system->ViewerErrors();
  ASSERT_TRUE(layer::testing::WaitUntil([] { return layer::testing::TopWindows().empty(); }));
  viewer = StartViewer();
  ASSERT_NE(viewer.handle, nullptr);
  look = WaitForText(viewer, "Motor");
  EXPECT_TRUE(look.Shows("&File")) << look.Dump();
  const SeenLine* motor = look.Find("text", "Motor");
  ASSERT_NE(motor, nullptr);
  Click(*motor);
  look = WaitForText(viewer, "RM-2001");
  desktop->RightClick(1000, 400);
  TopWindow menu;
  SeenWindow open = WaitForOpenMenu(&menu);
  const SeenLine* show = nullptr;
  for (const SeenLine& line : open.Lines())
    if (line.kind == "menu" && line.id == kShowOrderList) show = &line;
  ASSERT_NE(show, nullptr) << open.Dump();
  Click(*show);
  TopWindow orders = WaitForDialog("VARNO 4 order list");
  ASSERT_NE(orders.handle, nullptr);
  look = WaitForLook(orders, [](const SeenWindow& seen) { return !seen.Texts("menu").empty(); });
  system->Screenshot("order-list");

  // A line through the order list's own menu: part number and quantity.
  ChooseMenu(orders, {"Edit", "Insert line"});
  TopWindow adding = layer::testing::WaitForWindow([&](const TopWindow& window) {
    return window.visible && window.processId == orders.processId && window.handle != orders.handle &&
           window.className == "#32770";
  });
  ASSERT_NE(adding.handle, nullptr);
  SeenWindow form = WaitForLook(adding, [](const SeenWindow& seen) { return seen.Shows("OK"); });
  system->Screenshot("add-line");
  const SeenLine* partNumber = nullptr;
  for (const SeenLine& line : form.Lines())
    if (line.kind == "window" && line.className == "Edit" && !partNumber) partNumber = &line;
  ASSERT_NE(partNumber, nullptr) << form.Dump();
  Click(*partNumber);
  desktop->Type("RM-2002");
  desktop->Key("Tab");
  desktop->Type("2");
  ClickButton(adding, "OK");
  ASSERT_TRUE(WaitUntilGone(adding)) << system->ViewerErrors();
  // The footer counts the line.
  SeenWindow counted = WaitForLook(orders, [](const SeenWindow& seen) {
    for (const SeenLine& line : seen.Lines())
      if (line.className == "Static" && line.text == "1") return true;
    return false;
  });
  system->Screenshot("order-with-line");

  // Printed with the printer's dialog to the file the person names.
  ChooseMenu(orders, {"File", "Print..."});
  AnswerPrintDialog("order-print-dialog");
  ASSERT_TRUE(WaitForSaveDialog()) << TitlesShown();
  system->Screenshot("order-save-dialog");
  const fs::path chosen = fs::path(system->Home()) / "Bestellungen" / "motor.pdf";
  fs::create_directories(chosen.parent_path());
  desktop->Key("ctrl+a");
  desktop->Type(chosen.string());
  desktop->Key("Return");
  ASSERT_TRUE(WaitForFile(chosen)) << TitlesShown();
  Keep(chosen, "order");
  ExpectPrinted(chosen, {"Page", "Date", "Supplier", "Dealer", "Quantity", "Part number", "RM-2002"});
  EXPECT_TRUE(!fs::exists(Documents()) || fs::is_empty(Documents()));
}

}  // namespace
}  // namespace catalogue::testing::print_journey
