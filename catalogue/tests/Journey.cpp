#include "Journey.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace catalogue::testing {
namespace {

constexpr auto kMenuWait = std::chrono::seconds(10);

const SeenLine* MenuItemLabelled(const SeenWindow& look, const std::string& label, int depth = -1) {
  for (const auto& line : look.Lines())
    if (line.kind == "menu" && (depth < 0 || line.depth == depth) && Label(line.text) == label) return &line;
  return nullptr;
}

}  // namespace

const SeenLine* ControlWithId(const SeenWindow& look, long long id) {
  for (const auto& line : look.Lines())
    if (line.kind == "window" && line.id == id) return &line;
  return nullptr;
}

std::string Label(const std::string& text) {
  std::string label;
  for (std::size_t i = 0; i < text.size() && text[i] != '\t'; ++i) {
    // "&&" shows one ampersand; a lone "&" marks the mnemonic and shows nothing.
    if (text[i] == '&' && (i + 1 >= text.size() || text[i + 1] != '&')) continue;
    if (text[i] == '&') ++i;
    label += text[i];
  }
  return label;
}

void Journey::SetUp() {
  desktop = std::make_unique<layer::testing::XDesktop>();
  if (!desktop->Running()) GTEST_SKIP() << "no desktop for the journey: " << desktop->Problem();
  system = std::make_unique<InstalledSystem>(*desktop, Name());
}

void Journey::TearDown() {
  if (system && HasFailure()) system->Screenshot("failed");
  system.reset();
  desktop.reset();
}

std::string Journey::Name() const {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "." + info->name();
  // A parameterised journey's name holds slashes; it names files.
  std::replace(name.begin(), name.end(), '/', '-');
  return name;
}

TopWindow Journey::StartViewer() {
  EXPECT_TRUE(system->StartViewer());
  TopWindow viewer = system->WaitForViewer();
  EXPECT_NE(viewer.handle, nullptr) << "the viewer shows no face; it said: " << system->ViewerErrors();
  return viewer;
}

TopWindow Journey::StartViewerInLanguage(const std::string& code) {
  std::ofstream settings(std::filesystem::path(system->Folder()) / "varno4_user.ini", std::ios::binary);
  settings << "[SYSTEM]\r\nLanguage=\"" << code << "\"\r\n[VARIABLES_CHAR]\r\nDATALANGUAGE=\"" << code << "\"\r\n";
  settings.close();
  return StartViewer();
}

void Journey::BackToViewer(const TopWindow& viewer) {
  const SeenWindow look = Look(viewer);
  const SeenLine* statusBar = nullptr;
  for (const auto& line : look.Lines())
    if (line.kind == "window" && line.className == "msctls_statusbar32") statusBar = &line;
  ASSERT_NE(statusBar, nullptr) << look.Dump();
  desktop->Click(statusBar->place.right - 40, statusBar->MiddleY());
  const SeenWindow active = WaitForLook(viewer, [](const SeenWindow& seen) {
    return !seen.Lines().empty() && seen.Lines().front().Has('a');
  });
  EXPECT_TRUE(!active.Lines().empty() && active.Lines().front().Has('a')) << "the viewer is not active again";
}

SeenWindow Journey::WaitForLook(const TopWindow& window, const std::function<bool(const SeenWindow&)>& wanted,
                                std::chrono::milliseconds limit) const {
  SeenWindow look;
  layer::testing::WaitUntil(
      [&] {
        look = Look(window);
        return wanted(look);
      },
      limit);
  return look;
}

SeenWindow Journey::WaitForText(const TopWindow& window, const std::string& text,
                                std::chrono::milliseconds limit) const {
  SeenWindow look = WaitForLook(window, [&](const SeenWindow& seen) { return seen.Shows(text); }, limit);
  EXPECT_TRUE(look.Shows(text)) << "\"" << text << "\" is not shown in \"" << window.title << "\":\n" << look.Dump();
  return look;
}

void Journey::Click(const SeenLine& line, const std::string& modifiers) {
  desktop->Click(line.MiddleX(), line.MiddleY(), modifiers);
}

void Journey::RightClick(const SeenLine& line) { desktop->RightClick(line.MiddleX(), line.MiddleY()); }

void Journey::DoubleClick(const SeenLine& line) { desktop->DoubleClick(line.MiddleX(), line.MiddleY()); }

SeenWindow Journey::WaitForOpenMenu(TopWindow* menu) {
  TopWindow popup = layer::testing::WaitForWindow([](const TopWindow& window) { return window.className == "#32768"; },
                                                   kMenuWait);
  if (menu) *menu = popup;
  if (!popup.handle) return {};
  return WaitForLook(popup, [](const SeenWindow& look) { return look.Find("menu", "") || !look.Texts("menu").empty(); },
                     kMenuWait);
}

void Journey::ChooseMenu(const TopWindow& window, const std::vector<std::string>& path) {
  ASSERT_FALSE(path.empty());
  // A busy program may answer a look late or with nothing: look again, bounded.
  SeenWindow look = WaitForLook(
      window, [&](const SeenWindow& seen) { return MenuItemLabelled(seen, path[0], 1) != nullptr; }, kMenuWait);
  const SeenLine* bar = MenuItemLabelled(look, path[0], 1);
  ASSERT_NE(bar, nullptr) << "no menu \"" << path[0] << "\" in \"" << window.title << "\":\n" << look.Dump();
  Click(*bar);
  for (std::size_t i = 1; i < path.size(); ++i) ChooseOpenMenuItem(path[i]);
}

void Journey::ChooseOpenMenuItem(const std::string& label) {
  // The newest pop-up holds the item; an earlier level may still be open beside it.
  const SeenLine* item = nullptr;
  SeenWindow look;
  layer::testing::WaitUntil(
      [&] {
        for (const auto& window : layer::testing::TopWindows()) {
          if (!window.visible || window.className != "#32768") continue;
          look = Look(window);
          item = MenuItemLabelled(look, label);
          if (item && item->place.right > item->place.left) return true;
        }
        return false;
      },
      kMenuWait);
  ASSERT_NE(item, nullptr) << "no open menu offers \"" << label << "\":\n" << look.Dump();
  SeenLine chosen = *item;
  Click(chosen);
}

TopWindow Journey::WaitForDialog(const std::string& titlePart, std::chrono::milliseconds limit) {
  TopWindow dialog = layer::testing::WaitForTitle(titlePart, limit);
  EXPECT_NE(dialog.handle, nullptr) << "no window \"" << titlePart << "\" appeared";
  return dialog;
}

void Journey::ClickButton(const TopWindow& window, const std::string& label) {
  SeenWindow look;
  const SeenLine* button = nullptr;
  layer::testing::WaitUntil(
      [&] {
        look = Look(window);
        for (const auto& line : look.Lines())
          if (line.kind == "window" && line.className == "Button" && Label(line.text) == label && line.Has('v'))
            button = &line;
        return button != nullptr;
      },
      kMenuWait);
  ASSERT_NE(button, nullptr) << "no button \"" << label << "\" in \"" << window.title << "\":\n" << look.Dump();
  SeenLine chosen = *button;
  Click(chosen);
}

bool Journey::WaitUntilGone(const TopWindow& window, std::chrono::milliseconds limit) {
  return layer::testing::WaitUntil(
      [&] {
        for (const auto& other : layer::testing::TopWindows())
          if (other.handle == window.handle && other.visible) return false;
        return true;
      },
      limit);
}

void Journey::ExpectAllLabelled(const SeenWindow& look, const std::string& what) {
  auto empty = look.EmptyLabels();
  std::string list;
  for (const auto& place : empty) list += "  " + place + "\n";
  EXPECT_TRUE(empty.empty()) << what << " shows empty labels:\n" << list << look.Dump();
}

}  // namespace catalogue::testing
