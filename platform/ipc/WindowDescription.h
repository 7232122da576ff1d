// What a program's window shows of itself, as lines of text, for tools that
// look at a running program from outside: a person's view of its controls
// (captions, labels, list rows, menu items, where they are on the screen and
// whether they are shown, enabled, checked or focused), read back without
// touching the pixels. The programs answer it on their listener.
//
// One line per thing, fields parted by tabs, texts in UTF-8 with tab, line
// end and backslash written as \t, \n and \\. Every line has the fields
//   <kind> <depth> <key> <class> <id> <flags> <left> <top> <right> <bottom> <text> [<cell>...]
// of these kinds:
//   window  a window: its handle as key, its class, control id and text, then
//           its style in hexadecimal
//   text    a text the window's drawing wrote on it, where it stands
//   item    an item of a list or combo box, its index as key
//   column  a list view column or header item (id: its width)
//   row     a list view row: the first cell as text, the others after it
//   part    a status bar pane
//   tool    a toolbar button (id: its command)
//   menu    an item of a window's menu bar or of an open menu (id: its command)
// A line's depth is one more than the window it belongs to; a menu item's
// nesting adds to it.
// Flags are letters: v shown, e enabled, f focused, a active, c checked,
// s selected, g grayed, p opens a pop-up, h highlighted, - a separator.
// The rectangle of a window is on the screen; a menu item's depth is its
// nesting below the window that shows it.
#pragma once

#include <string>
#include <vector>

#include "win32/Types.h"

namespace layer::ipc {

// The function that describes a window of this program and everything in it;
// the library of the controls installs one as it loads.
using WindowDescriber = std::string (*)(HWND window);
void InstallWindowDescriber(WindowDescriber describer);
// The description of one of this program's windows ("" when no describer is installed).
std::string DescribeOwnWindow(HWND window);

// Writing and reading the lines (the fields as they are, in UTF-8).
std::string EscapeField(const std::string& utf8);
std::string UnescapeField(const std::string& field);
std::string DescriptionLine(const std::vector<std::string>& fields);
std::vector<std::string> SplitDescriptionLine(const std::string& line);

}  // namespace layer::ipc
