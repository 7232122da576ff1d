// What the viewer says in its own windows, in German and, after the switch in
// the language dialog, in English: the frame context menu, the language
// dialog, the about box, the version overview and the error dialog. Every
// caption, label, entry and column carries its text.
#include <fstream>
#include <iterator>

#include "Journey.h"

// A namespace of its own: the journeys compile together, where their helpers' names would meet.
namespace catalogue::testing::texts_journey {
namespace {

// What a language shows where the journey looks.
struct LanguageTexts {
  const char* name;
  const char* branchEntry;
  const char* copyMenu;
  const char* orderListEntry;
  const char* helpMenu;
  const char* aboutEntry;
  const char* aboutCaption;
  const char* searchMenu;
  const char* whereUsedEntry;
  const char* errorCaption;
  const char* errorClose;
  const char* errorDetails;
  const char* errorShort;
  const char* errorCopy;
};

// Titles are Windows-1252 as the programs hold them; labels UTF-8 as the look reads them.
constexpr LanguageTexts kGerman{"de",
                                "Verzweigen",
                                "In Zwischenablage",
                                "Wechsel zum Protokoll",
                                "Hilfe",
                                "Info \xC3\xBC" "ber VARNO 4...",
                                "Info \xFC" "ber VARNO 4",
                                "Suchen",
                                "Verwendungsnachweis...",
                                "VARNO 4 Fehler",
                                "Schlie\xC3\x9F" "en",
                                "Details",
                                "Kurz",
                                "Kopieren ..."};
constexpr LanguageTexts kEnglish{"en",
                                 "Branch",
                                 "To the clipboard",
                                 "Switch to the order list",
                                 "Help",
                                 "About VARNO 4...",
                                 "About VARNO 4",
                                 "Search",
                                 "Where used...",
                                 "VARNO 4 error",
                                 "Close",
                                 "Details",
                                 "Short",
                                 "Copy ..."};

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), {});
}

// The first line that shows a text, as a drawn text, a cell or an item.
const SeenLine* Showing(const SeenWindow& look, const std::string& text) {
  for (const auto& line : look.Lines()) {
    if (line.text == text) return &line;
    for (const auto& cell : line.cells)
      if (cell == text) return &line;
  }
  return nullptr;
}

const SeenLine* Control(const SeenWindow& look, long long id) {
  for (const auto& line : look.Lines())
    if (line.kind == "window" && line.id == id) return &line;
  return nullptr;
}

class TextsJourney : public Journey {
 protected:
  // Waits until a window has drawn a label, so that its picture shows it.
  SeenWindow WaitUntilDrawn(const TopWindow& window, const std::string& label) {
    const auto drawn = [&](const SeenWindow& seen) {
      for (const auto& line : seen.Lines())
        if (line.kind == "text" && Label(line.text) == label) return true;
      return false;
    };
    SeenWindow look = WaitForLook(window, drawn);
    EXPECT_TRUE(drawn(look)) << "\"" << window.title << "\" has not drawn \"" << label << "\":\n" << look.Dump();
    return look;
  }

  void NameMissingWhereUsedProgram() {
    const std::string path = system->Folder() + "/extern.txt";
    std::string list = ReadFile(path);
    const std::size_t name = list.find("\"V4VNW.EXE\"");
    ASSERT_NE(name, std::string::npos) << list;
    list.replace(name, 11, "\"V4VNW-FEHLT.EXE\"");
    std::ofstream(path, std::ios::binary) << list;
  }

  // The context menu of the start page's assembly table, looked at and closed.
  void LookAtContextMenu(const TopWindow& viewer, const LanguageTexts& texts) {
    SeenWindow look = WaitForText(viewer, "Motor");
    const SeenLine* assembly = Showing(look, "Motor");
    ASSERT_NE(assembly, nullptr) << look.Dump();
    RightClick(*assembly);
    TopWindow menuWindow;
    WaitForOpenMenu(&menuWindow);
    SeenWindow menu = WaitUntilDrawn(menuWindow, texts.branchEntry);
    system->Screenshot(std::string("context-menu-") + texts.name);
    for (const char* entry : {texts.branchEntry, texts.copyMenu, texts.orderListEntry}) {
      bool offered = false;
      for (const auto& line : menu.Lines()) offered = offered || (line.kind == "menu" && Label(line.text) == entry);
      EXPECT_TRUE(offered) << "the context menu offers no \"" << entry << "\":\n" << menu.Dump();
    }
    ExpectAllLabelled(menu, std::string("the frame context menu (") + texts.name + ")");
    desktop->Key("Escape");
    EXPECT_TRUE(layer::testing::WaitUntil(
        [] {
          for (const auto& window : layer::testing::TopWindows())
            if (window.visible && window.className == "#32768") return false;
          return true;
        },
        std::chrono::seconds(10)))
        << "the context menu stays open";
  }

  // The about box and, from its "?" button, the version overview.
  void LookAtAboutAndVersions(const TopWindow& viewer, const LanguageTexts& texts) {
    ChooseMenu(viewer, {texts.helpMenu, texts.aboutEntry});
    TopWindow about = WaitForDialog(texts.aboutCaption);
    ASSERT_NE(about.handle, nullptr);
    WaitForText(about, "VARNO 4");
    SeenWindow aboutLook = WaitUntilDrawn(about, "OK");
    system->Screenshot(std::string("about-") + texts.name);
    ExpectAllLabelled(aboutLook, std::string("the about box (") + texts.name + ")");

    ClickButton(about, "?");
    TopWindow versions = WaitForDialog("Version");
    ASSERT_NE(versions.handle, nullptr);
    WaitForText(versions, "Pfad");
    SeenWindow versionLook = WaitUntilDrawn(versions, "OK");
    system->Screenshot(std::string("versions-") + texts.name);
    ExpectAllLabelled(versionLook, std::string("the version overview (") + texts.name + ")");
    for (const char* title : {"Module", "Version", "Pfad"}) {
      const SeenLine* column = versionLook.Find("column", title);
      ASSERT_NE(column, nullptr) << versionLook.Dump();
      // A column narrower than its title shows it cut ("Mod..."); a column's id is its width.
      EXPECT_GE(column->id, 7 * static_cast<long long>(std::string(title).size()))
          << "the column \"" << title << "\" is cut:\n" << versionLook.Dump();
    }
    ClickButton(versions, "OK");
    EXPECT_TRUE(WaitUntilGone(versions));
    ClickButton(about, "OK");
    EXPECT_TRUE(WaitUntilGone(about));
  }

  // The where-used program is gone from the installation: its menu entry
  // ends in the error dialog, whose buttons speak the program's language.
  void LookAtErrorDialog(const TopWindow& viewer, const LanguageTexts& texts) {
    ChooseMenu(viewer, {texts.searchMenu, texts.whereUsedEntry});
    TopWindow error = WaitForDialog(texts.errorCaption);
    ASSERT_NE(error.handle, nullptr);
    SeenWindow look = WaitUntilDrawn(error, texts.errorClose);
    system->Screenshot(std::string("error-") + texts.name);
    for (const char* label : {texts.errorClose, texts.errorDetails, texts.errorCopy})
      EXPECT_TRUE(look.Shows(label)) << "the error dialog has no button \"" << label << "\":\n" << look.Dump();
    ExpectAllLabelled(look, std::string("the error dialog (") + texts.name + ")");
    const SeenLine* text = Control(look, 3003);
    ASSERT_NE(text, nullptr) << look.Dump();
    EXPECT_FALSE(text->text.empty()) << "the error dialog says nothing";

    ClickButton(error, texts.errorDetails);
    look = WaitUntilDrawn(error, texts.errorShort);
    EXPECT_TRUE(look.Shows(texts.errorShort)) << look.Dump();
    system->Screenshot(std::string("error-details-") + texts.name);
    ClickButton(error, texts.errorClose);
    EXPECT_TRUE(WaitUntilGone(error));
  }
};

TEST_F(TextsJourney, TheViewerSpeaksGermanAndEnglishInEveryWindow) {
  // An installation whose where-used entry names a program that is not
  // there: the search menu's entry ends in the error dialog.
  NameMissingWhereUsedProgram();
  TopWindow viewer = StartViewer();
  ASSERT_NE(viewer.handle, nullptr);

  LookAtContextMenu(viewer, kGerman);
  LookAtAboutAndVersions(viewer, kGerman);
  LookAtErrorDialog(viewer, kGerman);

  ChooseMenu(viewer, {"Sprache", "Sprache w\xC3\xA4hlen..."});
  TopWindow dialog = WaitForDialog("Sprache w\xE4hlen");
  ASSERT_NE(dialog.handle, nullptr);
  WaitForText(dialog, "Programmsprache:");
  SeenWindow look = WaitUntilDrawn(dialog, "Abbrechen");
  EXPECT_TRUE(look.Shows("Datensprache:")) << look.Dump();
  EXPECT_TRUE(look.Shows("Deutsch")) << look.Dump();
  system->Screenshot("language-dialog");
  ExpectAllLabelled(look, "the language dialog");
  const SeenLine* program = Control(look, 3030);
  ASSERT_NE(program, nullptr) << look.Dump();
  Click(*program);
  desktop->Key("Down");
  desktop->Key("Return");
  look = WaitUntilDrawn(dialog, "Englisch");
  system->Screenshot("language-dialog-english-chosen");
  ClickButton(dialog, "OK");
  EXPECT_TRUE(WaitUntilGone(dialog));
  WaitUntilDrawn(viewer, "File");
  system->Screenshot("english");

  LookAtContextMenu(viewer, kEnglish);
  LookAtAboutAndVersions(viewer, kEnglish);
  LookAtErrorDialog(viewer, kEnglish);

  ChooseMenu(viewer, {"Language", "Choose language..."});
  dialog = WaitForDialog("Choose language");
  ASSERT_NE(dialog.handle, nullptr);
  WaitForText(dialog, "Program language:");
  look = WaitUntilDrawn(dialog, "Cancel");
  for (const char* text : {"Data language:", "English", "Cancel"}) EXPECT_TRUE(look.Shows(text)) << text;
  system->Screenshot("language-dialog-in-english");
  ExpectAllLabelled(look, "the language dialog in English");
  ClickButton(dialog, "Cancel");
  EXPECT_TRUE(WaitUntilGone(dialog));

  // A catalogue without a companion parts database is normal: the viewer
  // does not complain of it with every key it shows.
  const std::string said = system->ViewerErrors();
  std::size_t complaints = 0;
  for (std::size_t at = said.find("teile2.ddm"); at != std::string::npos; at = said.find("teile2.ddm", at + 1))
    ++complaints;
  EXPECT_LE(complaints, 1u) << said;
}

}  // namespace
}  // namespace catalogue::testing::texts_journey
