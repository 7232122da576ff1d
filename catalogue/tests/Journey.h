// A journey: a person's way through the installation on a desktop of its
// own, given as mouse and keyboard input only, with checks of what the person
// sees. The steps here are what every journey does: menus, buttons, dialogs,
// waiting for what appears.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "InstalledSystem.h"

namespace catalogue::testing {

using layer::testing::SeenLine;
using layer::testing::SeenWindow;
using layer::testing::TopWindow;

// The child window of a look with a control id, or null.
const SeenLine* ControlWithId(const SeenWindow& look, long long id);

// A menu's or button's text as a person reads it: without the "&" that marks
// the mnemonic and without the shortcut after a tab.
std::string Label(const std::string& text);

class Journey : public ::testing::Test {
 protected:
  // Starts the desktop and copies the installation; skips the journey when
  // the machine has no X server or window manager to run it on.
  void SetUp() override;
  void TearDown() override;

  // The journey's name, from the test's.
  std::string Name() const;

  // Starts the viewer and waits for its main window; fails the journey when it does not come.
  TopWindow StartViewer();

  // A fresh look at a window.
  SeenWindow Look(const TopWindow& window) const { return layer::testing::Look(window.handle); }
  // Waits until a look at a window satisfies a test; the last look.
  SeenWindow WaitForLook(const TopWindow& window, const std::function<bool(const SeenWindow&)>& wanted,
                         std::chrono::milliseconds limit = std::chrono::seconds(30)) const;
  // Waits until a window shows a text; the last look.
  SeenWindow WaitForText(const TopWindow& window, const std::string& text,
                         std::chrono::milliseconds limit = std::chrono::seconds(30)) const;

  // Clicks in the middle of what a line shows.
  void Click(const SeenLine& line, const std::string& modifiers = "");
  void RightClick(const SeenLine& line);
  void DoubleClick(const SeenLine& line);

  // Opens a window's menu bar item and chooses the items of a path below it,
  // by their labels ("Datei", "Beenden"), with the mouse.
  void ChooseMenu(const TopWindow& window, const std::vector<std::string>& path);
  // Waits for an open menu (a pop-up that opened on a right click, say) and
  // chooses the item with a label.
  void ChooseOpenMenuItem(const std::string& label);
  // The open menu, waited for; its look.
  SeenWindow WaitForOpenMenu(TopWindow* menu = nullptr);

  // A dialog or message box that appears, by a part of its title (waited for).
  TopWindow WaitForDialog(const std::string& titlePart, std::chrono::milliseconds limit = std::chrono::seconds(30));
  // Clicks the button of a window with a label.
  void ClickButton(const TopWindow& window, const std::string& label);
  // Waits until a window is gone.
  bool WaitUntilGone(const TopWindow& window, std::chrono::milliseconds limit = std::chrono::seconds(30));

  // Starts the viewer in the program and data language a person chose before
  // ("D", "GB": the viewer's user settings).
  TopWindow StartViewerInLanguage(const std::string& code);
  // Goes back to the viewer, as a person does when another window came to
  // the front: a click on the viewer's status bar makes it active again.
  void BackToViewer(const TopWindow& viewer);

  // Expects that a look shows no empty caption, label, menu item or column.
  void ExpectAllLabelled(const SeenWindow& look, const std::string& what);

  std::unique_ptr<layer::testing::XDesktop> desktop;
  std::unique_ptr<InstalledSystem> system;
};

}  // namespace catalogue::testing
