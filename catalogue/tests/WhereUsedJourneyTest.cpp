// Finding where a part is used, as a person does: from the viewer's Search
// menu, and with the where-used program started by hand.
#include <filesystem>

#include "Journey.h"

// A namespace of its own: the journeys compile together, where their helpers' names would meet.
namespace catalogue::testing::where_used_journey {
namespace {

constexpr int kScreenWidth = 1280;  // the journey desktop's
constexpr int kScreenHeight = 1024;

// The where-used program of the build, beside the viewer.
std::string WhereUsedProgram() { return (std::filesystem::path(VARNO_VIEWER).parent_path() / "V4VNW").string(); }

class WhereUsedJourney : public Journey {
 protected:
  // The where-used search dialog, by its caption; it is not the results
  // dialog, which carries the same caption.
  TopWindow WaitForSearch(const std::string& caption) {
    TopWindow search = WaitForDialog(caption);
    if (search.handle) m_search = search.handle;
    return search;
  }
  TopWindow WaitForResults(const std::string& caption) {
    return layer::testing::WaitForWindow(
        [&](const TopWindow& window) { return window.handle != m_search && window.title == caption; });
  }

  // The window itself: the first line of its look.
  static const SeenLine* Frame(const SeenWindow& look) {
    return look.Lines().empty() ? nullptr : &look.Lines().front();
  }

  void ExpectCentred(const SeenWindow& look) {
    const SeenLine* frame = Frame(look);
    ASSERT_NE(frame, nullptr);
    EXPECT_NEAR(frame->MiddleX(), kScreenWidth / 2, 40) << look.Dump();
    EXPECT_NEAR(frame->MiddleY(), kScreenHeight / 2, 40) << look.Dump();
  }

  // Types a search text into the search field and starts the search.
  void Search(const TopWindow& search, const std::string& text, const std::string& ok) {
    SeenWindow look = Look(search);
    const SeenLine* field = nullptr;
    for (const auto& line : look.Lines())
      if (line.kind == "window" && line.className == "ComboBox") field = &line;
    ASSERT_NE(field, nullptr) << look.Dump();
    Click(*field);
    desktop->Key("ctrl+a");
    desktop->Type(text);
    ClickButton(search, ok);
  }

  // Waits until the viewer's status bar names a key as the one shown.
  SeenWindow WaitForKey(const TopWindow& viewer, const std::string& key) {
    SeenWindow look = WaitForLook(viewer, [&](const SeenWindow& seen) {
      for (const auto& line : seen.Lines())
        if (line.kind == "part" && line.text == key) return true;
      return false;
    });
    EXPECT_TRUE(look.Find("part", key)) << "the viewer does not show " << key << ":\n" << look.Dump();
    return look;
  }

  HWND m_search = nullptr;
};

// The German installation: the menu entry opens the search in the middle of
// the screen; of the four parts of the engine the person picks one, and the
// viewer shows the engine's page.
TEST_F(WhereUsedJourney, FromTheSearchMenuThePickedHitIsShownByTheViewer) {
  TopWindow viewer = StartViewer();
  ASSERT_NE(viewer.handle, nullptr);
  WaitForText(viewer, "Motor");
  ChooseMenu(viewer, {"Suchen", "Verwendungsnachweis..."});

  TopWindow search = WaitForSearch("Verwendungsnachweis");
  ASSERT_NE(search.handle, nullptr) << system->ViewerErrors();
  SeenWindow look = WaitForText(search, "Teilenummer:");
  system->Screenshot("search");
  for (const char* text : {"OK", "Abbrechen", "Gro\xC3\x9F-/Kleinschreibung beachten"})
    EXPECT_TRUE(look.Shows(text)) << text << "\n" << look.Dump();
  ExpectAllLabelled(look, "the search dialog");
  ExpectCentred(look);

  Search(search, "RM-2*", "OK");
  TopWindow results = WaitForResults("Verwendungsnachweis");
  ASSERT_NE(results.handle, nullptr);
  SeenWindow hits = WaitForText(results, "RM-2003");
  system->Screenshot("hits");
  EXPECT_TRUE(hits.Shows("4 Verwendungen")) << hits.Dump();
  for (const char* part : {"RM-2001", "RM-2002", "RM-2004"}) EXPECT_TRUE(hits.Shows(part)) << part;
  ExpectAllLabelled(hits, "the results dialog");

  const SeenLine* hit = hits.FindContaining("text", "RM-2003");
  ASSERT_NE(hit, nullptr) << hits.Dump();
  Click(*hit);
  ClickButton(results, "OK");
  EXPECT_TRUE(WaitUntilGone(search));
  WaitForKey(viewer, "MOT");
  WaitForText(viewer, "Z\xC3\xBCndkerze");  // a part of the engine
  system->Screenshot("picked");
}

// In English a search with a single hit takes it at once.
TEST_F(WhereUsedJourney, InEnglishASingleHitIsTakenAtOnce) {
  TopWindow viewer = StartViewerInLanguage("GB");
  ASSERT_NE(viewer.handle, nullptr);
  WaitForText(viewer, "Engine");
  ChooseMenu(viewer, {"Search", "Where used..."});

  TopWindow search = WaitForSearch("Where used");
  ASSERT_NE(search.handle, nullptr) << system->ViewerErrors();
  SeenWindow look = WaitForText(search, "Part number:");
  system->Screenshot("search");
  for (const char* text : {"OK", "Cancel", "Match case"}) EXPECT_TRUE(look.Shows(text)) << text << "\n" << look.Dump();
  ExpectAllLabelled(look, "the search dialog");

  Search(search, "RM-1002", "OK");
  EXPECT_TRUE(WaitUntilGone(search));
  WaitForKey(viewer, "GEH");
  WaitForText(viewer, "Wheel 200 mm");
  system->Screenshot("picked");
}

// Started by hand, without the viewer's exchange block, the program shows
// the picked key in a message box.
TEST_F(WhereUsedJourney, StartedByHandItShowsThePickedKey) {
  const std::string folder = system->Folder();
  pid_t program = system->StartProgram({WhereUsedProgram(), "-D", folder + "/data/vnw.bin", "-P", folder + "/rm46.prj",
                                        "-S", "VNW", "-L", "D", "-M", folder + "/data/meldungen.dud", "-C", "0"},
                                       {}, "vnw.err");
  ASSERT_GT(program, 0);
  TopWindow search = WaitForSearch("Verwendungsnachweis");
  ASSERT_NE(search.handle, nullptr) << system->Errors("vnw.err");
  ExpectCentred(WaitForText(search, "Teilenummer:"));

  Search(search, "RM-4002", "OK");
  TopWindow box = layer::testing::WaitForWindow([&](const TopWindow& window) {
    return window.handle != search.handle && window.processId == static_cast<DWORD>(program);
  });
  ASSERT_NE(box.handle, nullptr) << "the program ended without showing the key: " << system->Errors("vnw.err");
  SeenWindow told = WaitForText(box, "GRI");
  system->Screenshot("key");
  ExpectAllLabelled(told, "the message box");
  ClickButton(box, "OK");
  EXPECT_EQ(system->WaitForEnd(program), 0) << system->Errors("vnw.err");
}

}  // namespace
}  // namespace catalogue::testing::where_used_journey
