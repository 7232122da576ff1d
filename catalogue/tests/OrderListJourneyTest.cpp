// The order list as a person uses it: shown from the viewer, a line inserted
// through its own menu and seen with its description, price and totals, the
// window maximised, prices switched off and on, the order saved, started
// anew, opened again and mailed, in German and in English.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Journey.h"

// A namespace of its own: the journeys compile together, where their helpers' names would meet.
namespace catalogue::testing::order_list_journey {
namespace {

namespace fs = std::filesystem;

// The viewer's picture view and its context menu's entry that shows the order list.
constexpr long long kPictureView = 57601;
constexpr long long kOrderListEntry = 32786;
// The order list's form and menu.
constexpr long long kOrderLines = 1155;
constexpr long long kLineCount = 1159;
constexpr long long kTotal = 1161;
constexpr long long kGrossTotal = 1163;
constexpr long long kNoPricesCommand = 274;

// What a person reads in one program language (UTF-8, as the screen is read).
struct Language {
  const char* name;
  const char* code;  // the viewer's program and data language
  const char* title;
  const char* fileMenu;
  const char* editMenu;
  const char* viewMenu;
  const char* insertLine;  // the command and its dialog's caption
  const char* orderData;   // the same
  const char* cancel;
  const char* saveAs;
  const char* saveAsCaption;
  const char* newOrder;
  const char* open;
  const char* openCaption;
  const char* save;
  const char* mail;
  const char* noPrices;
  const char* yes;
  std::vector<std::string> columns;
  const char* countLabel;
  const char* totalLabel;
  const char* grossLabel;
  const char* partName;
  const char* noSupplierMail;
  const char* mailed;
  const char* overwrite;
  std::string missingAddresses;
};

const Language kGerman{"German", "D", "VARNO 4 Bestellliste", "Datei", "Bearbeiten", "Ansicht",
                       "Position einf\xC3\xBCgen", "Bestelldaten...", "Abbrechen", "Speichern unter...", "Speichern unter", "Neu", "\xC3\x96" "ffnen...",
                       "Bestellung \xC3\xB6" "ffnen", "Speichern", "Als Mail senden...", "Keine Preise", "Ja",
                       {"Anzahl", "Teilenummer", "Benennung", "Bemerkung", "Preis (EUR)", "Summe (EUR)"},
                       "Anzahl Positionen :", "Summe", "Summe incl. MWST", "M\xC3\xA4hdeck",
                       "Der Lieferant hat keine E-Mail-Adresse.",
                       "Die Bestellung wurde an das Mailprogramm \xC3\xBC" "bergeben.",
                       "Die Bestellung gibt es schon. \xC3\x9C" "berschreiben?",
                       "Der H\xC3\xA4ndler der Bestellung ist in der Adresskartei nicht vorhanden.\n"
                       "Der Lieferant der Bestellung ist in der Adresskartei nicht vorhanden."};
const Language kEnglish{"English", "GB", "VARNO 4 order list", "File", "Edit", "View", "Insert line", "Order data...", "Cancel", "Save as...",
                        "Save as", "New", "Open...", "Open order", "Save", "Send as mail...", "No prices", "Yes",
                        {"Quantity", "Part number", "Description", "Remark", "Price (EUR)", "Total (EUR)"},
                        "Lines :", "Total", "Total incl. VAT", "Cutting deck", "The supplier has no e-mail address.",
                        "The order was handed to the mail program.", "The order exists. Overwrite it?",
                        "The order's dealer is not in the address book.\n"
                        "The order's supplier is not in the address book."};

std::string LanguageName(const ::testing::TestParamInfo<Language>& info) { return info.param.name; }

class OrderListJourney : public Journey, public ::testing::WithParamInterface<Language> {
 protected:
  // The order list shown from the picture's context menu; its window.
  TopWindow ShowOrderList(const TopWindow& viewer, const Language& language) {
    SeenWindow look = WaitForLook(viewer, [](const SeenWindow& seen) { return ControlWithId(seen, kPictureView); });
    const SeenLine* picture = ControlWithId(look, kPictureView);
    EXPECT_NE(picture, nullptr) << "the viewer shows no picture:\n" << look.Dump();
    if (!picture) return {};
    RightClick(*picture);
    TopWindow menu;
    SeenWindow entries = WaitForOpenMenu(&menu);
    const SeenLine* entry = nullptr;
    for (const auto& line : entries.Lines())
      if (line.kind == "menu" && line.id == kOrderListEntry) entry = &line;
    EXPECT_NE(entry, nullptr) << "the picture's context menu does not offer the order list:\n" << entries.Dump();
    if (!entry) return {};
    Click(*entry);
    return WaitForDialog(language.title);
  }

  std::string ControlText(const TopWindow& window, long long id) const {
    const SeenWindow look = Look(window);
    const SeenLine* control = ControlWithId(look, id);
    return control ? control->text : std::string();
  }
  bool ControlShown(const TopWindow& window, long long id) const {
    const SeenWindow look = Look(window);
    const SeenLine* control = ControlWithId(look, id);
    return control && control->Has('v');
  }

  void ExpectLineCount(const TopWindow& orderList, const std::string& count, const std::string& after) {
    layer::testing::WaitUntil([&] { return ControlText(orderList, kLineCount) == count; });
    EXPECT_EQ(ControlText(orderList, kLineCount), count) << "after " << after << ":\n" << Look(orderList).Dump();
  }

  // A message box of the order list (titled as the program), waited for.
  TopWindow WaitForMessageBox(const Language& language) {
    TopWindow box = layer::testing::WaitForWindow(
        [&](const TopWindow& window) { return window.className == "#32770" && window.title == Latin1(language.title); });
    EXPECT_NE(box.handle, nullptr) << "no message box of the order list appeared";
    return box;
  }

  // The Windows-1252 form of a title given in UTF-8 (titles are compared as the program holds them).
  static std::string Latin1(const std::string& utf8) {
    std::string text;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
      const auto byte = static_cast<unsigned char>(utf8[i]);
      if (byte >= 0xC0 && i + 1 < utf8.size()) {
        text += static_cast<char>(((byte & 0x1F) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F));
      } else {
        text += utf8[i];
      }
    }
    return text;
  }

  // Whether the open menu shows the entry of a command checked; the menu is closed again.
  bool MenuEntryChecked(const TopWindow& window, const std::string& menu, long long command) {
    ChooseMenu(window, {menu});
    SeenWindow look = WaitForOpenMenu();
    const SeenLine* entry = nullptr;
    for (const auto& line : look.Lines())
      if (line.kind == "menu" && line.id == command) entry = &line;
    EXPECT_NE(entry, nullptr) << "menu \"" << menu << "\" has no entry " << command << ":\n" << look.Dump();
    const bool checked = entry && entry->Has('c');
    desktop->Key("Escape");
    desktop->Key("Escape");
    return checked;
  }

  // Waits until the screen shows a dialog's title bar (blue where the window
  // manager draws an active one), so that its picture shows the dialog.
  void WaitUntilOnScreen(const TopWindow& window) {
    const SeenWindow look = Look(window);
    if (look.Empty()) return;
    const int x = look.Lines().front().place.left + 20, y = look.Lines().front().place.top + 8;
    layer::testing::WaitUntil(
        [&] {
          const auto screen = layer::testing::ReadScreen(desktop->Display());
          if (x < 0 || y < 0 || x >= screen.width || y >= screen.height) return true;
          const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(screen.width) + x) * 3;
          return screen.rgb[at + 2] > screen.rgb[at] + 40;
        },
        std::chrono::seconds(5));
  }

  // The title bar of a window: above its menu bar, where a double click maximises it.
  void DoubleClickTitle(const TopWindow& window) {
    SeenWindow look = Look(window);
    ASSERT_FALSE(look.Empty());
    const SeenLine& frame = look.Lines().front();
    desktop->DoubleClick((frame.place.left + frame.place.right) / 2, frame.place.top + 10);
  }
};

TEST_P(OrderListJourney, InsertSeeMaximiseSaveOpenAndMailAnOrder) {
  const Language& language = GetParam();
  TopWindow viewer = StartViewerInLanguage(language.code);
  ASSERT_NE(viewer.handle, nullptr);
  TopWindow orderList = ShowOrderList(viewer, language);
  ASSERT_NE(orderList.handle, nullptr);
  ExpectLineCount(orderList, "0", "showing the order list");
  SeenWindow look = WaitForText(orderList, language.countLabel);
  for (const auto& column : language.columns) EXPECT_TRUE(look.Shows(column)) << column << "\n" << look.Dump();
  EXPECT_EQ(look.Dump().find("*#*"), std::string::npos) << look.Dump();
  ExpectAllLabelled(look, "the empty order list");
  system->Screenshot("empty");

  // A line through the order list's own menu and dialog.
  ChooseMenu(orderList, {language.editMenu, language.insertLine});
  TopWindow insert = WaitForDialog(Latin1(language.insertLine));
  ASSERT_NE(insert.handle, nullptr);
  ExpectAllLabelled(WaitForText(insert, "OK"), "the insert dialog");
  WaitUntilOnScreen(insert);
  system->Screenshot("insert");
  desktop->Type("RM-1001");
  desktop->Key("Tab");
  desktop->Type("2");
  ClickButton(insert, "OK");
  EXPECT_TRUE(WaitUntilGone(insert));
  ExpectLineCount(orderList, "1", "inserting a line");
  look = WaitForText(orderList, language.partName);
  EXPECT_TRUE(look.Shows("RM-1001")) << look.Dump();
  layer::testing::WaitUntil([&] { return ControlText(orderList, kTotal).find("EUR") != std::string::npos; });
  const std::string total = ControlText(orderList, kTotal), gross = ControlText(orderList, kGrossTotal);
  EXPECT_TRUE(total.find("97") != std::string::npos && total.find("80 EUR") != std::string::npos) << total;
  EXPECT_TRUE(gross.find("116") != std::string::npos && gross.find("38 EUR") != std::string::npos) << gross;
  look = Look(orderList);
  for (const char* label : {language.totalLabel, language.grossLabel}) EXPECT_TRUE(look.Shows(label)) << label;
  system->Screenshot("line");

  // The order's data: a dialog with its caption and every label.
  ChooseMenu(orderList, {language.editMenu, language.orderData});
  TopWindow orderData = WaitForDialog(Latin1(language.orderData));
  ASSERT_NE(orderData.handle, nullptr);
  ExpectAllLabelled(WaitForText(orderData, "OK"), "the order data dialog");
  ClickButton(orderData, language.cancel);
  EXPECT_TRUE(WaitUntilGone(orderData));

  // Maximised, the list takes the screen's width and the totals its bottom
  // (waited for until the count's label is drawn there).
  DoubleClickTitle(orderList);
  look = WaitForLook(orderList, [&](const SeenWindow& seen) {
    const SeenLine* list = ControlWithId(seen, kOrderLines);
    const SeenLine* drawn = seen.Find("text", language.countLabel);
    return list && list->place.right - list->place.left > 1200 && drawn && drawn->place.top > 900;
  });
  const SeenLine* list = ControlWithId(look, kOrderLines);
  ASSERT_NE(list, nullptr);
  EXPECT_GT(list->place.right - list->place.left, 1200) << look.Dump();
  EXPECT_GT(list->place.bottom - list->place.top, 800) << look.Dump();
  const SeenLine* totalShown = ControlWithId(look, kTotal);
  ASSERT_NE(totalShown, nullptr);
  EXPECT_GT(totalShown->place.left, 1000) << look.Dump();
  EXPECT_GT(totalShown->place.top, 900) << look.Dump();

  // "No prices" follows the clicks: on, the totals go; the currency, they come back.
  ChooseMenu(orderList, {language.viewMenu, language.noPrices});
  layer::testing::WaitUntil([&] { return !ControlShown(orderList, kTotal); });
  EXPECT_FALSE(ControlShown(orderList, kTotal));
  EXPECT_TRUE(MenuEntryChecked(orderList, language.viewMenu, kNoPricesCommand));
  system->Screenshot("no-prices");
  ChooseMenu(orderList, {language.viewMenu, "EUR"});
  layer::testing::WaitUntil([&] { return ControlShown(orderList, kTotal); });
  EXPECT_TRUE(ControlShown(orderList, kTotal));
  EXPECT_FALSE(MenuEntryChecked(orderList, language.viewMenu, kNoPricesCommand));
  system->Screenshot("maximised");

  // Saved under a name, a new order, the saved one opened again.
  ChooseMenu(orderList, {language.fileMenu, language.saveAs});
  TopWindow saveAs = WaitForDialog(Latin1(language.saveAsCaption));
  ASSERT_NE(saveAs.handle, nullptr);
  ExpectAllLabelled(WaitForText(saveAs, "OK"), "the save dialog");
  desktop->Type("Rasen");
  ClickButton(saveAs, "OK");
  EXPECT_TRUE(WaitUntilGone(saveAs));
  EXPECT_NE(WaitForDialog(Latin1(language.title) + " - Rasen").handle, nullptr);
  EXPECT_TRUE(fs::exists(fs::path(system->Folder()) / "protokoll" / "Rasen.pro"));
  ChooseMenu(orderList, {language.fileMenu, language.newOrder});
  ExpectLineCount(orderList, "0", "a new order");
  ChooseMenu(orderList, {language.fileMenu, language.open});
  TopWindow open = WaitForDialog(Latin1(language.openCaption));
  ASSERT_NE(open.handle, nullptr);
  look = WaitForText(open, "Rasen");
  ExpectAllLabelled(look, "the open dialog");
  WaitUntilOnScreen(open);
  system->Screenshot("open");
  const SeenLine* saved = look.FindContaining("row", "Rasen");
  ASSERT_NE(saved, nullptr) << look.Dump();
  DoubleClick(*saved);
  EXPECT_TRUE(WaitUntilGone(open));
  ExpectLineCount(orderList, "1", "opening the saved order");
  EXPECT_TRUE(WaitForText(orderList, language.partName).Shows("RM-1001"));
  for (const auto& window : layer::testing::TopWindows())
    EXPECT_FALSE(window.visible && window.className == "#32770") << "a box came up: " << window.title;

  // Mail: without the supplier's address it says so; with the addresses the
  // user chose, the mail composer gets the order.
  ChooseMenu(orderList, {language.fileMenu, language.mail});
  TopWindow box = WaitForMessageBox(language);
  ASSERT_NE(box.handle, nullptr);
  look = WaitForText(box, language.noSupplierMail);
  ExpectAllLabelled(look, "the mail message");
  ClickButton(box, "OK");
  EXPECT_TRUE(WaitUntilGone(box));
  std::ofstream(fs::path(system->Folder()) / "protokoll" / "v4prot_user.ini", std::ios::binary)
      << "[ADR_LIEFERANT]\r\nI00=L1\r\nI01=Gartenteile\r\nI03=Gartenteile GmbH\r\n"
         "I11=bestellung@gartenteile.example\r\n[ADR_HAENDLER]\r\nI00=H1\r\nI01=Maier\r\nI03=Maier Motorger\xE4te\r\n"
         "I11=maier@haendler.example\r\n";
  ChooseMenu(orderList, {language.fileMenu, language.mail});
  box = WaitForMessageBox(language);
  ASSERT_NE(box.handle, nullptr);
  look = WaitForText(box, language.mailed);
  WaitUntilOnScreen(box);
  system->Screenshot("mailed");
  ClickButton(box, "OK");
  EXPECT_TRUE(WaitUntilGone(box));
  std::string mail;
  layer::testing::WaitUntil([&] {
    std::ifstream in(system->MailFile());
    mail.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !mail.empty();
  });
  EXPECT_EQ(mail.rfind("mailto:", 0), 0u) << mail;
  EXPECT_NE(mail.find("to=bestellung@gartenteile.example"), std::string::npos) << mail;

  // Saved with its addresses over the file, then opened where no address
  // book holds them: one box, in front, names both.
  ChooseMenu(orderList, {language.fileMenu, language.save});
  box = WaitForMessageBox(language);
  ASSERT_NE(box.handle, nullptr);
  WaitForText(box, language.overwrite);
  ClickButton(box, language.yes);
  EXPECT_TRUE(WaitUntilGone(box));
  ChooseMenu(orderList, {language.fileMenu, language.newOrder});
  ExpectLineCount(orderList, "0", "a new order");
  ChooseMenu(orderList, {language.fileMenu, language.open});
  open = WaitForDialog(Latin1(language.openCaption));
  ASSERT_NE(open.handle, nullptr);
  look = WaitForText(open, "Rasen");
  saved = look.FindContaining("row", "Rasen");
  ASSERT_NE(saved, nullptr);
  DoubleClick(*saved);
  box = WaitForMessageBox(language);
  ASSERT_NE(box.handle, nullptr);
  look = WaitForText(box, language.missingAddresses.substr(0, language.missingAddresses.find('\n')));
  EXPECT_TRUE(look.Shows(language.missingAddresses.substr(language.missingAddresses.find('\n') + 1))) << look.Dump();
  EXPECT_EQ(layer::testing::TopWindows().front().handle, box.handle) << "the box is not in front";
  WaitUntilOnScreen(box);
  system->Screenshot("addresses-missing");
  ClickButton(box, "OK");
  EXPECT_TRUE(WaitUntilGone(box));
  ExpectLineCount(orderList, "1", "opening the order with its addresses");
  for (const auto& window : layer::testing::TopWindows())
    EXPECT_FALSE(window.visible && window.className == "#32770") << "another box came up: " << window.title;
}

INSTANTIATE_TEST_SUITE_P(InBothLanguages, OrderListJourney, ::testing::Values(kGerman, kEnglish), LanguageName);

// The viewer started in German and switched to English in its language
// dialog: the order list shown afterwards speaks English throughout.
class OrderListAfterLanguageSwitch : public OrderListJourney {
 protected:
  // The language dialog as a person reads it in one program language, and
  // the key that moves its program-language list to the other language.
  struct LanguageDialog {
    std::vector<std::string> menu;
    const char* title;
    const char* cancel;
    const char* programLabel;
    const char* key;
    const char* chosen;
    const char* viewerMenuAfter;
  };

  void ChooseProgramLanguage(const TopWindow& viewer, const LanguageDialog& language) {
    ChooseMenu(viewer, language.menu);
    TopWindow dialog = WaitForDialog(language.title);
    ASSERT_NE(dialog.handle, nullptr);
    WaitForText(dialog, language.cancel);
    const SeenWindow look = WaitForText(dialog, language.programLabel);
    const SeenLine* program = ControlWithId(look, kProgramLanguageChoice);
    ASSERT_NE(program, nullptr) << look.Dump();
    Click(*program);
    desktop->Key(language.key);
    desktop->Key("Return");
    WaitForText(dialog, language.chosen);
    ClickButton(dialog, "OK");
    EXPECT_TRUE(WaitUntilGone(dialog));
    WaitForText(viewer, language.viewerMenuAfter);
  }

  void ChooseEnglishInTheLanguageDialog(const TopWindow& viewer) {
    ChooseProgramLanguage(viewer, {{"Sprache", "Sprache w\xC3\xA4hlen..."}, "Sprache w\xE4hlen", "Abbrechen",
                                   "Programmsprache:", "Down", "Englisch", "File"});
  }

  void ChooseGermanInTheLanguageDialog(const TopWindow& viewer) {
    ChooseProgramLanguage(viewer, {{"Language", "Choose language..."}, "Choose language", "Cancel",
                                   "Program language:", "Up", "German", "Datei"});
  }

  static constexpr long long kProgramLanguageChoice = 3030;
};

TEST_F(OrderListAfterLanguageSwitch, ShowsTheOrderListInTheLanguageChosenInTheViewer) {
  TopWindow viewer = StartViewerInLanguage(kGerman.code);
  ASSERT_NE(viewer.handle, nullptr);
  // Shown and hidden once in German through the viewer's View menu.
  ChooseMenu(viewer, {"Ansicht", "Bestellliste"});
  TopWindow orderList = WaitForDialog(kGerman.title);
  ASSERT_NE(orderList.handle, nullptr);
  WaitForText(orderList, kGerman.countLabel);
  BackToViewer(viewer);
  ChooseMenu(viewer, {"Ansicht", "Bestellliste"});
  ASSERT_TRUE(layer::testing::WaitUntil([&] {
    for (const auto& window : layer::testing::TopWindows())
      if (window.handle == orderList.handle) return !window.visible;
    return true;
  })) << "the View menu's entry does not hide the order list again";

  ChooseEnglishInTheLanguageDialog(viewer);
  ChooseMenu(viewer, {"View", "Order list"});
  orderList = WaitForDialog(kEnglish.title);
  ASSERT_NE(orderList.handle, nullptr);
  // The labels take their new texts before the window paints them again.
  SeenWindow look = WaitForLook(orderList, [](const SeenWindow& seen) {
    return seen.Shows(kEnglish.countLabel) && !seen.Shows(kGerman.countLabel);
  });
  WaitUntilOnScreen(orderList);
  system->Screenshot("after-switch");
  for (const char* menu : {kEnglish.fileMenu, kEnglish.editMenu, kEnglish.viewMenu})
    EXPECT_TRUE(look.Shows(menu)) << menu << "\n" << look.Dump();
  for (const auto& column : kEnglish.columns) EXPECT_TRUE(look.Shows(column)) << column << "\n" << look.Dump();
  EXPECT_TRUE(look.Shows(kEnglish.totalLabel)) << look.Dump();
  for (const char* german : {kGerman.fileMenu, kGerman.countLabel, "Teilenummer"})
    EXPECT_FALSE(look.Shows(german)) << german << "\n" << look.Dump();
  EXPECT_EQ(look.Dump().find("*#*"), std::string::npos) << look.Dump();
  ExpectAllLabelled(look, "the order list after the switch to English");

  // Its dialogs speak the new language too.
  ChooseMenu(orderList, {kEnglish.editMenu, kEnglish.insertLine});
  TopWindow insert = WaitForDialog(Latin1(kEnglish.insertLine));
  ASSERT_NE(insert.handle, nullptr);
  look = WaitForText(insert, kEnglish.cancel);
  ExpectAllLabelled(look, "the insert dialog after the switch to English");
  WaitUntilOnScreen(insert);
  system->Screenshot("insert-after-switch");
  ClickButton(insert, kEnglish.cancel);
  EXPECT_TRUE(WaitUntilGone(insert));
}

// A switch back to German while the order list stays on the screen re-texts it in place.
TEST_F(OrderListAfterLanguageSwitch, RetextsTheShownOrderListInPlace) {
  TopWindow viewer = StartViewerInLanguage(kEnglish.code);
  ASSERT_NE(viewer.handle, nullptr);
  ChooseMenu(viewer, {"View", "Order list"});
  TopWindow orderList = WaitForDialog(kEnglish.title);
  ASSERT_NE(orderList.handle, nullptr);
  WaitForText(orderList, kEnglish.countLabel);
  BackToViewer(viewer);
  ChooseGermanInTheLanguageDialog(viewer);

  SeenWindow look = WaitForText(orderList, kGerman.countLabel);
  WaitUntilOnScreen(orderList);
  system->Screenshot("switched-while-shown");
  for (const char* menu : {kGerman.fileMenu, kGerman.editMenu, kGerman.viewMenu})
    EXPECT_TRUE(look.Shows(menu)) << menu << "\n" << look.Dump();
  for (const auto& column : kGerman.columns) EXPECT_TRUE(look.Shows(column)) << column << "\n" << look.Dump();
  ExpectAllLabelled(look, "the order list after the switch to German");
}

}  // namespace
}  // namespace catalogue::testing::order_list_journey
