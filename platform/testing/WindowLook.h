// A test's look at the windows of the programs it runs: which top-level
// windows they show (from the window registry of the test's space), and what
// each shows of itself (its description, ipc/WindowDescription.h): texts,
// controls, items, menus and where they stand on the screen.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "win32/Types.h"

namespace layer::testing {

struct SeenLine {
  std::string kind;  // window, text, item, column, row, part, tool, menu
  int depth = 0;
  std::string key;
  std::string className;
  long long id = 0;
  std::string flags;
  RECT place{};
  std::string text;                // UTF-8
  std::vector<std::string> cells;  // a row's further cells; a window's style

  bool Has(char flag) const { return flags.find(flag) != std::string::npos; }
  int MiddleX() const { return (place.left + place.right) / 2; }
  int MiddleY() const { return (place.top + place.bottom) / 2; }
  unsigned long Style() const;
};

class SeenWindow {
 public:
  SeenWindow() = default;
  explicit SeenWindow(const std::string& description);

  bool Empty() const { return m_lines.empty(); }
  const std::vector<SeenLine>& Lines() const { return m_lines; }
  // The first line of a kind with exactly this text, or null.
  const SeenLine* Find(const std::string& kind, const std::string& text) const;
  // The first line of a kind whose text contains part, or null.
  const SeenLine* FindContaining(const std::string& kind, const std::string& part) const;
  // The texts of every line of a kind, in order.
  std::vector<std::string> Texts(const std::string& kind) const;
  // Everything that shows this text: a drawn text, a window's text, an item,
  // a row's cell, a column, a pane or a menu item.
  bool Shows(const std::string& text) const;
  // What should carry a text and shows none: buttons and text labels, menu
  // items that are not separators, list columns, a dialog's caption (each
  // described by kind, class and place).
  std::vector<std::string> EmptyLabels() const;
  // The whole description, for a failure message.
  std::string Dump() const;

 private:
  std::vector<SeenLine> m_lines;
};

struct TopWindow {
  HWND handle = nullptr;
  DWORD processId = 0;
  bool visible = false;
  bool enabled = false;
  std::string className;
  std::string title;  // Windows-1252, as the program holds it
};

// The top-level windows of the programs in this test's space, the topmost first.
std::vector<TopWindow> TopWindows();
// What a window shows of itself (empty when its program does not answer).
SeenWindow Look(HWND window);

// Polls a condition every 50 ms until it holds or the limit has passed;
// whether it held.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit = std::chrono::seconds(30));
// The first shown top-level window that satisfies a test, waited for.
TopWindow WaitForWindow(const std::function<bool(const TopWindow&)>& wanted,
                        std::chrono::milliseconds limit = std::chrono::seconds(30));
// A shown top-level window whose title contains a part (Windows-1252), waited for.
TopWindow WaitForTitle(const std::string& titlePart, std::chrono::milliseconds limit = std::chrono::seconds(30));

}  // namespace layer::testing
