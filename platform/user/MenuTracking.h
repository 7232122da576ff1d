// The loop that runs while a menu is open (not for the system's code): the
// open pop-up windows one above the other, the highlighted item of each, the
// mouse and the keys, and the messages the owner hears.
#pragma once

#include <vector>

#include "user/MenuInternal.h"

namespace layer::menus {

// The layout of a pop-up menu's items (client coordinates of its window).
struct PopupLayout {
  std::vector<RECT> items;
  SIZE size{};
  int shortcutColumn = 0;
};
PopupLayout LayoutPopup(HMENU menu);

// The items of a menu bar laid out in rows across width pixels, from (0, 0).
std::vector<RECT> LayoutBar(HMENU menu, int width, int rowHeight);
// The items of a window's menu bar on the screen.
std::vector<RECT> BarItemsOnScreen(HWND window, HMENU menu);
// Installs the menu bar's hooks into the window core (done when the library loads).
void InstallMenuBar();

class MenuTracker {
 public:
  // owner hears WM_INITMENUPOPUP, WM_MENUSELECT and the command; notify
  // false is TPM_NONOTIFY.
  MenuTracker(HWND owner, bool notify);

  // Opens a pop-up menu at a screen point (its top left) and runs the loop
  // until an item is chosen or the menu is closed; the chosen command or 0.
  UINT TrackPopup(HMENU menu, POINT place, UINT flags);
  // Runs a window's menu bar with one of its items highlighted (and its
  // pop-up open when open is set), or the item of a mnemonic letter (a
  // letter that none has beeps and leaves the bar); the chosen command or 0.
  UINT TrackBar(HWND window, HMENU menu, int item, bool open, char letter = 0);
  // The highlighted item of a window's menu bar while it is tracked, or -1.
  static int BarHighlight(HWND window);
  // Whether the chosen item came from a window's system menu.
  bool ChoseSystemCommand() const { return m_system; }

  // What the pop-up windows hand to the tracker.
  void MouseMoved(HWND popup, POINT client);
  void MouseDown(HWND popup, POINT client);
  void MouseUp(HWND popup, POINT client);
  void Key(WPARAM key);
  void Character(char character);
  void Cancel();

  // The tracker a pop-up window belongs to (one at a time per thread).
  static MenuTracker* Current();

  struct Level {
    HMENU menu = nullptr;
    HWND window = nullptr;
    int highlighted = -1;
    PopupLayout layout;  // measured once, when the level opens
  };
  const std::vector<Level>& Levels() const { return m_levels; }

 private:
  void Open(HMENU menu, POINT place, UINT flags, int index = -1);
  UINT RunLoop(HWND first);
  void HighlightBar(int index);
  void OpenBarPopup(bool selectFirst);
  void MoveOnBar(int step);
  bool BarItemAt(POINT screen, int& index) const;
  void CloseFrom(std::size_t level);
  void Highlight(std::size_t level, int index);
  void Choose(std::size_t level, int index);
  void OpenSubmenu(std::size_t level, int index, bool selectFirst);
  int ItemAt(const Level& level, POINT client) const;
  bool ItemUnder(HWND popup, POINT client, std::size_t& level, int& index) const;
  std::size_t LevelOf(HWND popup) const;
  void Finish(UINT command);

  HWND m_owner;
  bool m_notify;
  std::vector<Level> m_levels;
  bool m_done = false;
  UINT m_command = 0;
  bool m_system = false;
  MenuTracker* m_outer = nullptr;
  struct Bar {
    HWND window = nullptr;
    HMENU menu = nullptr;
    int highlighted = -1;
    std::vector<RECT> items;  // on the screen
  } m_bar;
};


}  // namespace layer::menus
