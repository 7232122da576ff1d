// Ordering parts from the viewer as a person does: a Ctrl+click on a part
// number, the order entries of the table's and the picture's context menus,
// parts information, and the commands that show the order list.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "Journey.h"

// A namespace of its own: the journeys compile together, where their helpers' names would meet.
namespace catalogue::testing::order_journey {
namespace {

// Entries of the frames' context menu, by command.
constexpr long long kPartInfoEntry = 32782;
constexpr long long kOrderEntry = 32777;
constexpr long long kOrderListEntry = 32786;
// Controls of the order list's form.
constexpr long long kLineCount = 1159;
// The parts-info window's list.
constexpr long long kPartsInfoList = 1000;

// The exploded view is 640 by 400 pixels; where its part hotspots lie.
constexpr int kPictureWidth = 640;
constexpr int kPictureHeight = 400;
struct PictureSpot {
  const char* part;
  int left, top, right, bottom;
};
constexpr PictureSpot kGrassBoxSpot{"RM-1003", 310, 250, 360, 340};

// What a person reads in one program language.
struct Language {
  const char* name;
  const char* code;  // the viewer's program and data language
  const char* housing;
  const char* viewMenu;
  const char* orderListEntry;
  const char* partsInfoCaption;
  const char* order;
};
const Language kGerman{"German", "D", "Geh\xC3\xA4use", "Ansicht", "Bestellliste", "Teile-Informationen", "Bestellen"};
const Language kEnglish{"English", "GB", "Housing", "View", "Order list", "Parts information", "Order"};

void PrintTo(const Language& language, std::ostream* out) { *out << language.name; }

std::string LanguageName(const ::testing::TestParamInfo<Language>& info) { return info.param.name; }

class OrderJourney : public Journey, public ::testing::WithParamInterface<Language> {
 protected:
  // The order-list program's main window: the one that holds the form with
  // the count of lines (shown or not).
  TopWindow OrderList() {
    TopWindow found;
    layer::testing::WaitUntil([&] {
      for (const auto& window : layer::testing::TopWindows()) {
        if (window.processId == static_cast<DWORD>(system->ViewerProcess()) || window.className == "#32768") continue;
        if (ControlWithId(Look(window), kLineCount)) {
          found = window;
          return true;
        }
      }
      return false;
    });
    EXPECT_NE(found.handle, nullptr) << "the order-list program shows no order list";
    return found;
  }

  // The count of lines the order list's form shows; -1 when it shows none.
  int LineCount(const TopWindow& orderList) const {
    const SeenWindow look = Look(orderList);
    const SeenLine* count = ControlWithId(look, kLineCount);
    return count && !count->text.empty() ? std::atoi(count->text.c_str()) : -1;
  }

  void ExpectLineCount(const TopWindow& orderList, int expected, const std::string& how) {
    layer::testing::WaitUntil([&] { return LineCount(orderList) == expected; });
    EXPECT_EQ(LineCount(orderList), expected) << how << " did not reach the order list:\n"
                                              << Look(orderList).Dump() << "the viewer said: " << system->ViewerErrors();
  }

  // Chooses an entry of the open context menu; it must show its text and be enabled.
  void ChooseContextEntry(long long command) {
    const SeenLine* entry = nullptr;
    SeenWindow look;
    layer::testing::WaitUntil([&] {
      for (const auto& window : layer::testing::TopWindows()) {
        if (!window.visible || window.className != "#32768") continue;
        look = Look(window);
        for (const auto& line : look.Lines())
          if (line.kind == "menu" && line.id == command && line.place.right > line.place.left) entry = &line;
        if (entry) return true;
      }
      return false;
    });
    ASSERT_NE(entry, nullptr) << "the context menu has no entry " << command << ":\n" << look.Dump();
    EXPECT_FALSE(Label(entry->text).empty()) << "context menu entry " << command << " has no text";
    EXPECT_FALSE(entry->Has('g')) << "context menu entry " << command << " (" << entry->text << ") is greyed";
    SeenLine chosen = *entry;
    Click(chosen);
  }

  // Whether a top-level window is shown.
  static bool Shown(const TopWindow& window) {
    for (const auto& other : layer::testing::TopWindows())
      if (other.handle == window.handle) return other.visible;
    return false;
  }

  // Whether a look shows an amount ("48?90": the "?" stands for the decimal separator).
  static bool ShowsAmount(const SeenWindow& look, std::string amount) {
    const std::size_t separator = amount.find('?');
    for (char mark : {',', '.'}) {
      amount[separator] = mark;
      if (look.FindContaining("text", amount) || look.FindContaining("window", amount)) return true;
    }
    return false;
  }

  // The part number's text in the viewer's part table.
  SeenLine PartInTable(const TopWindow& viewer, const std::string& part) {
    SeenWindow look = WaitForText(viewer, part);
    const SeenLine* line = look.Find("text", part);
    EXPECT_NE(line, nullptr) << part << " is not drawn:\n" << look.Dump();
    return line ? *line : SeenLine{};
  }

  // Where a hotspot of the exploded view is on the screen: the picture is
  // shown whole, as large as its view allows and in its middle.
  std::pair<int, int> PictureSpotOnScreen(const TopWindow& viewer, const PictureSpot& spot) {
    // The picture's view is the face's only view that shows nothing the describer reads.
    const SeenLine* view = nullptr;
    SeenWindow look = Look(viewer);
    const auto& lines = look.Lines();
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const bool leaf = i + 1 == lines.size() || lines[i + 1].depth <= lines[i].depth;
      if (lines[i].kind == "window" && lines[i].className.rfind("Afx:8", 0) == 0 && leaf) view = &lines[i];
    }
    EXPECT_NE(view, nullptr) << "the viewer shows no picture:\n" << look.Dump();
    if (!view) return {0, 0};
    const double width = view->place.right - view->place.left;
    const double height = view->place.bottom - view->place.top;
    const double scale = std::min(width / kPictureWidth, height / kPictureHeight);
    const double left = view->place.left + (width - kPictureWidth * scale) / 2;
    const double top = view->place.top + (height - kPictureHeight * scale) / 2;
    return {static_cast<int>(left + (spot.left + spot.right) / 2.0 * scale),
            static_cast<int>(top + (spot.top + spot.bottom) / 2.0 * scale)};
  }

  // Opens the housing's page from the start page.
  TopWindow HousingPage(const Language& language = kGerman) {
    TopWindow viewer = StartViewerInLanguage(language.code);
    SeenWindow start = WaitForText(viewer, language.housing);
    const SeenLine* housing = start.Find("text", language.housing);
    if (housing) Click(*housing);
    WaitForText(viewer, "RM-1001");
    return viewer;
  }
};

using OrderJourneyInGerman = OrderJourney;

TEST_F(OrderJourneyInGerman, PartsOrderedInTheViewerAppearInTheOrderList) {
  TopWindow viewer = HousingPage();
  ASSERT_NE(viewer.handle, nullptr);
  TopWindow orderList = OrderList();
  ASSERT_NE(orderList.handle, nullptr);
  EXPECT_EQ(LineCount(orderList), 0);

  Click(PartInTable(viewer, "RM-1001"), "ctrl");
  ExpectLineCount(orderList, 1, "a Ctrl+click on RM-1001");

  BackToViewer(viewer);
  RightClick(PartInTable(viewer, "RM-1002"));
  ChooseContextEntry(kOrderEntry);
  ExpectLineCount(orderList, 2, "the table's order entry for RM-1002");

  const auto [x, y] = PictureSpotOnScreen(viewer, kGrassBoxSpot);
  ASSERT_GT(x, 0) << "the picture of the housing is not on the screen";
  // The picture lights the hotspot the pointer moves onto.
  BackToViewer(viewer);
  desktop->MoveTo(x - 4, y - 4);
  desktop->MoveTo(x, y);
  desktop->RightClick(x, y);
  ChooseContextEntry(kOrderEntry);
  ExpectLineCount(orderList, 3, "the picture's order entry for RM-1003");
  system->Screenshot("ordered");

  // The table's context menu brings the order list up, as the picture's does.
  BackToViewer(viewer);
  RightClick(PartInTable(viewer, "RM-1001"));
  ChooseContextEntry(kOrderListEntry);
  EXPECT_TRUE(layer::testing::WaitUntil([&] { return Shown(orderList); })) << "the order list did not come up";
  // Each row shows the part's number, name and price.
  struct Row {
    const char* number;
    const char* name;
    const char* price;  // as the user's locale writes money: either separator
  };
  const Row rows[] = {{"RM-1001", "M\xC3\xA4hdeck", "48?90"}, {"RM-1002", "Rad 200 mm", "6?40"},
                      {"RM-1003", "Grasfangkorb 55 l", "29?00"}};
  SeenWindow list = WaitForLook(orderList, [&](const SeenWindow& look) { return look.Shows("RM-1003"); });
  system->Screenshot("order-list");
  for (const Row& row : rows) {
    EXPECT_TRUE(list.Shows(row.number)) << row.number << " has no row:\n" << list.Dump();
    EXPECT_TRUE(list.Shows(row.name)) << row.name << " has no row:\n" << list.Dump();
    EXPECT_TRUE(ShowsAmount(list, row.price)) << "no price " << row.price << ":\n" << list.Dump();
  }
  EXPECT_TRUE(ShowsAmount(list, "103?50")) << "48,90 + 4 x 6,40 + 29,00 make 103,50:\n" << list.Dump();
}

TEST_P(OrderJourney, PartsInfoFromTheViewerListsThePartAndOrdersIt) {
  const Language& language = GetParam();
  TopWindow viewer = HousingPage(language);
  ASSERT_NE(viewer.handle, nullptr);
  RightClick(PartInTable(viewer, "RM-1003"));
  ChooseContextEntry(kPartInfoEntry);
  TopWindow info = WaitForDialog(language.partsInfoCaption);
  ASSERT_NE(info.handle, nullptr);
  SeenWindow look = WaitForText(info, "RM-1003");
  system->Screenshot("parts-info");
  const SeenLine* list = ControlWithId(look, kPartsInfoList);
  ASSERT_NE(list, nullptr) << look.Dump();
  EXPECT_TRUE(look.Find("row", "") || !look.Texts("row").empty()) << "the parts list shows no row:\n" << look.Dump();
  ExpectAllLabelled(look, "the parts-info window");
  // The part is ordered from there with its quantity.
  ClickButton(info, language.order);
  EXPECT_TRUE(WaitUntilGone(info));
  TopWindow orderList = OrderList();
  ASSERT_NE(orderList.handle, nullptr);
  ExpectLineCount(orderList, 1, "the parts-info window's order of RM-1003");
}

TEST_P(OrderJourney, TheViewMenuShowsAndHidesTheOrderList) {
  const Language& language = GetParam();
  TopWindow viewer = StartViewerInLanguage(language.code);
  ASSERT_NE(viewer.handle, nullptr);
  WaitForText(viewer, language.housing);
  TopWindow orderList = OrderList();
  ASSERT_NE(orderList.handle, nullptr);
  auto shown = [&] { return Shown(orderList); };
  ChooseMenu(viewer, {language.viewMenu, language.orderListEntry});
  EXPECT_TRUE(layer::testing::WaitUntil(shown)) << "the View menu did not show the order list";
  system->Screenshot("shown-from-menu");
  BackToViewer(viewer);
  ChooseMenu(viewer, {language.viewMenu, language.orderListEntry});
  EXPECT_TRUE(layer::testing::WaitUntil([&] { return !shown(); })) << "the View menu did not hide the order list";
}

INSTANTIATE_TEST_SUITE_P(Languages, OrderJourney, ::testing::Values(kGerman, kEnglish), LanguageName);

}  // namespace
}  // namespace catalogue::testing::order_journey
