// What a person does with the mouse and the keyboard besides following
// links: dragging the bar between two frames, choosing from an open list with
// a click, walking a table with the keys, and moving over a hotspot and away.
#include <algorithm>
#include <cstdlib>
#include <optional>

#include "Journey.h"

// A namespace of its own: the journeys compile together, where their helpers' names would meet.
namespace catalogue::testing::input_journey {
namespace {

constexpr int kScreenWidth = 1280;
// The picture of the sample catalogue and one of its part hotspots (RM-2001).
constexpr int kPictureWidth = 640;
constexpr int kPictureHeight = 400;
constexpr RECT kEngineHotspot{140, 60, 230, 120};

bool Inside(const RECT& outer, int x, int y) { return x >= outer.left && x < outer.right && y >= outer.top && y < outer.bottom; }
int Width(const RECT& r) { return r.right - r.left; }

// The window a line of a look belongs to: the nearest window line above it
// one level up; -1 for a top-level window.
int ParentOf(const std::vector<SeenLine>& lines, int index) {
  for (int j = index - 1; j >= 0; --j) {
    if (lines[static_cast<size_t>(j)].kind == "window" && lines[static_cast<size_t>(j)].depth == lines[static_cast<size_t>(index)].depth - 1)
      return j;
    if (lines[static_cast<size_t>(j)].depth < lines[static_cast<size_t>(index)].depth - 1) return -1;
  }
  return -1;
}

std::vector<int> ChildWindows(const std::vector<SeenLine>& lines, int parent) {
  std::vector<int> children;
  for (int j = parent + 1; j < static_cast<int>(lines.size()); ++j) {
    if (lines[static_cast<size_t>(j)].depth <= lines[static_cast<size_t>(parent)].depth) break;
    if (lines[static_cast<size_t>(j)].kind == "window" && ParentOf(lines, j) == parent) children.push_back(j);
  }
  return children;
}

int IndexOf(const SeenWindow& look, const SeenLine* line) { return line == nullptr ? -1 : static_cast<int>(line - look.Lines().data()); }

// Two panes side by side around a text of the left one: the panes of the
// splitter whose bar lies between them.
struct PanePair {
  SeenLine left;
  SeenLine right;
};

std::optional<PanePair> PanesBeside(const SeenWindow& look, const std::string& textOfLeftPane) {
  const auto& lines = look.Lines();
  const int text = IndexOf(look, look.Find("text", textOfLeftPane));
  if (text < 0) return std::nullopt;
  for (int pane = ParentOf(lines, text); pane >= 0; pane = ParentOf(lines, pane)) {
    const SeenLine& candidate = lines[static_cast<size_t>(pane)];
    int splitter = ParentOf(lines, pane);
    if (splitter < 0) break;
    for (int other : ChildWindows(lines, splitter)) {
      const SeenLine& beside = lines[static_cast<size_t>(other)];
      if (other != pane && std::abs(beside.place.left - candidate.place.right) <= 8 && beside.place.top == candidate.place.top)
        return PanePair{candidate, beside};
    }
  }
  return std::nullopt;
}

const SeenLine* WindowWithKey(const SeenWindow& look, const std::string& key) {
  for (const auto& line : look.Lines())
    if (line.kind == "window" && line.key == key) return &line;
  return nullptr;
}

// The text the status bar's first pane shows (the hint of what lies under
// the pointer or on the current row).
std::string Hint(const SeenWindow& look) {
  for (const auto& line : look.Lines())
    if (line.kind == "part" && line.key == "0") return line.text;
  return {};
}

// Where a point of the picture shows on the screen: the picture fills its
// view as far as its proportions let it, in the middle.
POINT OnScreen(const RECT& view, int x, int y) {
  double scale = std::min(static_cast<double>(Width(view)) / kPictureWidth,
                          static_cast<double>(view.bottom - view.top) / kPictureHeight);
  double left = view.left + (Width(view) - kPictureWidth * scale) / 2;
  double top = view.top + (view.bottom - view.top - kPictureHeight * scale) / 2;
  return POINT{static_cast<int>(left + x * scale), static_cast<int>(top + y * scale)};
}

class InputJourney : public Journey {
 protected:
  // From the start page to the engine's parts, by the link of its row.
  TopWindow OpenEnginePage() {
    TopWindow viewer = StartViewer();
    if (viewer.handle == nullptr) return viewer;
    SeenWindow look = WaitForText(viewer, "Motor");
    const SeenLine* engine = look.Find("text", "Motor");
    if (engine == nullptr) return TopWindow{};
    Click(*engine);
    TopWindow page = layer::testing::WaitForTitle("Motor");
    EXPECT_NE(page.handle, nullptr) << "the engine's page did not open";
    if (page.handle != nullptr) WaitForText(page, "RM-2001");
    return page;
  }

  std::string PixelsOf(const RECT& r) const { return desktop->Pixels(r.left, r.top, r.right, r.bottom); }
};

TEST_F(InputJourney, TheBarBetweenTwoFramesFollowsTheMouse) {
  TopWindow page = OpenEnginePage();
  ASSERT_NE(page.handle, nullptr);
  SeenWindow look = Look(page);
  std::optional<PanePair> panes = PanesBeside(look, "RM-2001");
  ASSERT_TRUE(panes.has_value()) << "no frame beside the part table:\n" << look.Dump();
  const int barX = (panes->left.place.right + panes->right.place.left) / 2;
  const int y = (panes->left.place.top + panes->left.place.bottom) / 2;
  desktop->Drag(barX, y, barX - 200, y);

  look = WaitForLook(page, [&](const SeenWindow& seen) {
    const SeenLine* left = WindowWithKey(seen, panes->left.key);
    return left != nullptr && Width(left->place) < Width(panes->left.place) - 100;
  });
  system->Screenshot("bar-dragged");
  const SeenLine* left = WindowWithKey(look, panes->left.key);
  const SeenLine* right = WindowWithKey(look, panes->right.key);
  ASSERT_NE(left, nullptr);
  ASSERT_NE(right, nullptr);
  EXPECT_NEAR(Width(left->place), Width(panes->left.place) - 200, 6) << look.Dump();
  EXPECT_NEAR(Width(right->place), Width(panes->right.place) + 200, 6) << look.Dump();
  // Both frames show their contents in their new sizes.
  WaitForText(page, "RM-2001");
  WaitForText(page, "Hinweise zum Modell");
}

TEST_F(InputJourney, AHotspotLightsUnderThePointerAndGoesDarkWhenThePointerLeaves) {
  TopWindow page = OpenEnginePage();
  ASSERT_NE(page.handle, nullptr);
  SeenWindow look = Look(page);
  std::optional<PanePair> panes = PanesBeside(look, "RM-2001");
  ASSERT_TRUE(panes.has_value()) << look.Dump();
  // The picture: the view in the notes' frame that is no button.
  const SeenLine* picture = nullptr;
  for (int child : ChildWindows(look.Lines(), IndexOf(look, WindowWithKey(look, panes->right.key)))) {
    const SeenLine& line = look.Lines()[static_cast<size_t>(child)];
    if (line.className != "Button") picture = &line;
  }
  ASSERT_NE(picture, nullptr) << look.Dump();
  POINT topLeft = OnScreen(picture->place, kEngineHotspot.left, kEngineHotspot.top);
  POINT bottomRight = OnScreen(picture->place, kEngineHotspot.right, kEngineHotspot.bottom);
  const RECT hotspot{topLeft.x + 3, topLeft.y + 3, bottomRight.x - 3, bottomRight.y - 3};
  ASSERT_GT(Width(hotspot), 4);
  const std::string dark = PixelsOf(hotspot);
  ASSERT_FALSE(dark.empty());

  const int x = (hotspot.left + hotspot.right) / 2;
  const int y = (hotspot.top + hotspot.bottom) / 2;
  desktop->MoveTo(x - 1, y - 1);
  desktop->MoveTo(x, y);
  EXPECT_TRUE(layer::testing::WaitUntil([&] { return PixelsOf(hotspot) != dark; }, std::chrono::seconds(10)))
      << "the hotspot did not light up under the pointer";
  system->Screenshot("hotspot-lit");

  // Away from the picture and out of the window, where no other window of
  // the program takes the pointer up.
  const int away = look.Lines()[0].place.right + 40 < kScreenWidth
                       ? look.Lines()[0].place.right + 30
                       : look.Lines()[0].place.left + 5;
  desktop->MoveTo(away, y);
  EXPECT_TRUE(layer::testing::WaitUntil([&] { return PixelsOf(hotspot) == dark; }, std::chrono::seconds(10)))
      << "the hotspot stayed lit after the pointer left the picture";
  system->Screenshot("hotspot-left");
}

TEST_F(InputJourney, TheKeyboardWalksTheAssembliesAndReturnOpensOne) {
  TopWindow viewer = StartViewer();
  ASSERT_NE(viewer.handle, nullptr);
  WaitForText(viewer, "Motor");
  // The assemblies are sorted by name: Gehäuse, Holm, Motor.
  desktop->Key("Tab");
  SeenWindow look = WaitForLook(viewer, [](const SeenWindow& seen) { return Hint(seen).find("Geh") != std::string::npos; });
  EXPECT_NE(Hint(look).find("Geh\xC3\xA4use"), std::string::npos) << "the first row is not the current one: " << Hint(look);
  const SeenLine* focused = nullptr;
  for (const auto& line : look.Lines())
    if (line.kind == "window" && line.Has('f')) focused = &line;
  ASSERT_NE(focused, nullptr) << look.Dump();
  const SeenLine* firstRow = look.Find("text", "Geh\xC3\xA4use");
  ASSERT_NE(firstRow, nullptr);
  EXPECT_TRUE(Inside(focused->place, firstRow->MiddleX(), firstRow->MiddleY())) << "the table has no focus:\n" << look.Dump();
  system->Screenshot("table-first-row");

  desktop->Key("Down");
  look = WaitForLook(viewer, [](const SeenWindow& seen) { return Hint(seen).find("Holm") != std::string::npos; });
  EXPECT_NE(Hint(look).find("Holm"), std::string::npos) << Hint(look);
  desktop->Key("Down");
  look = WaitForLook(viewer, [](const SeenWindow& seen) { return Hint(seen).find("Motor") != std::string::npos; });
  EXPECT_NE(Hint(look).find("Motor"), std::string::npos) << Hint(look);
  system->Screenshot("table-third-row");

  desktop->Key("Return");
  TopWindow page = layer::testing::WaitForTitle("Motor");
  EXPECT_NE(page.handle, nullptr) << "Return on the engine's row did not open its page";
  if (page.handle != nullptr) WaitForText(page, "RM-2001");
  system->Screenshot("table-followed");
}

TEST_F(InputJourney, AClickOnAnItemOfAnOpenListChoosesIt) {
  TopWindow viewer = StartViewer();
  ASSERT_NE(viewer.handle, nullptr);
  WaitForText(viewer, "Motor");
  // The language dialog, from the only entry of the language menu.
  SeenWindow look = Look(viewer);
  const SeenLine* menu = look.Find("text", "Sprache");
  ASSERT_NE(menu, nullptr) << look.Dump();
  Click(*menu);
  SeenWindow open = WaitForOpenMenu();
  const SeenLine* entry = nullptr;
  for (const auto& line : open.Lines())
    if (line.kind == "menu" && !line.text.empty() && line.place.right > line.place.left) entry = &line;
  ASSERT_NE(entry, nullptr) << open.Dump();
  Click(*entry);
  TopWindow dialog = layer::testing::WaitForWindow([](const TopWindow& w) { return w.className == "#32770"; });
  ASSERT_NE(dialog.handle, nullptr) << "the language dialog did not open";
  look = WaitForLook(dialog, [](const SeenWindow& seen) { return seen.Find("window", "Deutsch") != nullptr; });
  const SeenLine* combo = nullptr;
  for (const auto& line : look.Lines())
    if (line.kind == "window" && line.className == "ComboBox" && combo == nullptr) combo = &line;
  ASSERT_NE(combo, nullptr) << look.Dump();
  const std::string before = combo->text;
  const std::string comboKey = combo->key;

  Click(*combo);
  TopWindow list = layer::testing::WaitForWindow([](const TopWindow& w) { return w.className == "ComboLBox"; },
                                                 std::chrono::seconds(10));
  ASSERT_NE(list.handle, nullptr) << "the list did not open";
  SeenWindow items = WaitForLook(list, [](const SeenWindow& seen) { return !seen.Texts("item").empty(); });
  const SeenLine* other = nullptr;
  for (const auto& line : items.Lines())
    if (line.kind == "item" && !line.Has('s') && line.text != before) other = &line;
  ASSERT_NE(other, nullptr) << items.Dump();
  const std::string chosen = other->text;
  system->Screenshot("list-open");
  Click(*other);

  look = WaitForLook(dialog, [&](const SeenWindow& seen) {
    const SeenLine* shown = WindowWithKey(seen, comboKey);
    return shown != nullptr && shown->text == chosen;
  });
  const SeenLine* shown = WindowWithKey(look, comboKey);
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->text, chosen) << "the click did not choose \"" << chosen << "\":\n" << look.Dump();
  EXPECT_TRUE(WaitUntilGone(list, std::chrono::seconds(10))) << "the list stayed open";
  EXPECT_TRUE(shown->Has('f')) << "the list's box lost the focus";
  system->Screenshot("list-chosen");
  desktop->Key("Escape");
  EXPECT_TRUE(WaitUntilGone(dialog));
}

}  // namespace
}  // namespace catalogue::testing::input_journey
