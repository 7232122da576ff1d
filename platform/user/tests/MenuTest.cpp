// Menus built at run time and from resources, changed item by item, shown as
// pop-up menus that the mouse and the keys work, with the messages their
// owner hears; accelerators that reach the same commands.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UserTestSupport.h"
#include "res/resource.h"
#include "user/MenuTracking.h"
#include "user/Menus.h"
#include "win32/Module.h"

using namespace layer::testing;

namespace {

std::string TextAt(HMENU menu, UINT item, UINT flags) {
  char text[64] = {};
  GetMenuString(menu, item, text, sizeof text, flags);
  return text;
}

TEST(Menus, ItemsAreAddedChangedAndTakenByCommandAndByPosition) {
  HMENU popup = CreatePopupMenu();
  HMENU sub = CreatePopupMenu();
  ASSERT_TRUE(AppendMenu(popup, MF_STRING, 10, "&Eins"));
  ASSERT_TRUE(AppendMenu(popup, MF_SEPARATOR, 0, nullptr));
  ASSERT_TRUE(AppendMenu(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "&Mehr"));
  ASSERT_TRUE(AppendMenu(sub, MF_STRING, 30, "Drei"));
  ASSERT_TRUE(InsertMenu(popup, 1, MF_BYPOSITION | MF_STRING, 20, "Zwei"));
  ASSERT_TRUE(InsertMenu(popup, 30, MF_BYCOMMAND | MF_STRING, 29, "Vor drei"));  // before an item of the pop-up
  EXPECT_EQ(GetMenuItemCount(popup), 4);
  EXPECT_EQ(GetMenuItemCount(sub), 2);
  EXPECT_EQ(GetMenuItemID(popup, 1), 20u);
  EXPECT_EQ(GetMenuItemID(popup, 2), 0u);                    // the separator
  EXPECT_EQ(GetMenuItemID(popup, 3), static_cast<UINT>(-1));  // a pop-up
  EXPECT_EQ(GetSubMenu(popup, 3), sub);
  EXPECT_EQ(GetMenuState(popup, 3, MF_BYPOSITION), (2u << 8) | MF_POPUP);

  // Changed by command (found in the pop-up too) and by position, keeping a pop-up's menu.
  ASSERT_TRUE(ModifyMenu(popup, 30, MF_BYCOMMAND | MF_STRING, 31, "Drei neu"));
  EXPECT_EQ(TextAt(popup, 31, MF_BYCOMMAND), "Drei neu");
  ASSERT_TRUE(ModifyMenu(popup, 3, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "&Weiteres"));
  EXPECT_EQ(TextAt(popup, 3, MF_BYPOSITION), "&Weiteres");
  EXPECT_TRUE(IsMenu(sub));

  EXPECT_EQ(CheckMenuItem(popup, 10, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
  EXPECT_EQ(CheckMenuItem(popup, 10, MF_BYCOMMAND | MF_UNCHECKED), static_cast<DWORD>(MF_CHECKED));
  EXPECT_EQ(EnableMenuItem(popup, 31, MF_BYCOMMAND | MF_GRAYED), MF_ENABLED);
  EXPECT_TRUE(GetMenuState(popup, 31, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_EQ(CheckMenuItem(popup, 99, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(-1));  // no such item
  EXPECT_FALSE(ModifyMenu(popup, 9, MF_BYPOSITION, 1, "x"));

  // RemoveMenu keeps a pop-up's menu, DeleteMenu destroys it.
  ASSERT_TRUE(RemoveMenu(popup, 3, MF_BYPOSITION));
  EXPECT_TRUE(IsMenu(sub));
  ASSERT_TRUE(AppendMenu(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "&Mehr"));
  ASSERT_TRUE(DeleteMenu(popup, 3, MF_BYPOSITION));
  EXPECT_FALSE(IsMenu(sub));
  ASSERT_TRUE(DeleteMenu(popup, 20, MF_BYCOMMAND));
  EXPECT_EQ(GetMenuItemCount(popup), 2);
  // No pop-up may hold the menu it stands in.
  EXPECT_FALSE(AppendMenu(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "Schleife"));
  DestroyMenu(popup);
  EXPECT_FALSE(IsMenu(popup));
  EXPECT_EQ(GetMenuItemCount(popup), -1);
}

TEST(Menus, ItemTextsAreSetByPositionAsTheDataDefinedMenusDo) {
  HMENU bar = LoadMenu(GetModuleHandle(nullptr), MAKEINTRESOURCE(IDM_MAIN));
  MENUITEMINFO info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_TYPE;
  info.fType = MFT_STRING;
  info.dwTypeData = const_cast<LPSTR>("&File");
  ASSERT_TRUE(SetMenuItemInfo(bar, 0, TRUE, &info));
  EXPECT_EQ(TextAt(bar, 0, MF_BYPOSITION), "&File");
  EXPECT_NE(GetSubMenu(bar, 0), nullptr);  // the pop-up stays
  char text[8] = {};
  MENUITEMINFO read{};
  read.cbSize = sizeof read;
  read.fMask = MIIM_TYPE | MIIM_ID | MIIM_STATE;
  read.dwTypeData = text;
  read.cch = sizeof text;
  ASSERT_TRUE(GetMenuItemInfo(bar, ID_HELP_ABOUT, FALSE, &read));
  EXPECT_STREQ(text, "&Info .");  // cut to the buffer
  EXPECT_EQ(read.cch, 7u);
  EXPECT_EQ(read.wID, static_cast<UINT>(ID_HELP_ABOUT));
  EXPECT_TRUE(read.fState & MFS_CHECKED);
  DestroyMenu(bar);
}

// What the owner of an open menu hears, in order.
struct Heard {
  UINT message;
  WPARAM wParam;
};

class MenuOwner : public OwnerWindow {
 public:
  MenuOwner() {
    answer = [this](UINT message, WPARAM wParam, LPARAM) -> LRESULT {
      if (message == WM_INITMENU || message == WM_INITMENUPOPUP || message == WM_MENUSELECT || message == WM_ENTERMENULOOP ||
          message == WM_EXITMENULOOP || message == WM_SYSCOMMAND)
        heard.push_back(Heard{message, wParam});
      return 0;
    };
  }
  std::vector<UINT> Sequence() const {
    std::vector<UINT> sequence;
    for (const Heard& entry : heard) sequence.push_back(entry.message);
    return sequence;
  }
  std::vector<Heard> heard;
};

HMENU RunTimeMenu() {
  HMENU popup = CreatePopupMenu();
  AppendMenu(popup, MF_STRING, 101, "&Bestellen");
  AppendMenu(popup, MF_STRING | MF_GRAYED, 102, "&Verzweigen");
  AppendMenu(popup, MF_SEPARATOR, 0, nullptr);
  HMENU copy = CreatePopupMenu();
  AppendMenu(copy, MF_STRING, 111, "&Tabellenzeile");
  AppendMenu(copy, MF_STRING, 112, "&Grafik");
  AppendMenu(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(copy), "In Zwischen&ablage");
  return popup;
}

TEST(Menus, APopUpMenuSendsTheCommandChosenByKeysAndTellsItsOwnerOnTheWay) {
  MenuOwner owner;
  HMENU menu = RunTimeMenu();
  ModalScript script([](HWND popup) {
    SendMessage(popup, WM_KEYDOWN, VK_DOWN, 0);   // Bestellen
    SendMessage(popup, WM_KEYDOWN, VK_DOWN, 0);   // Verzweigen (greyed, still highlighted)
    SendMessage(popup, WM_KEYDOWN, VK_DOWN, 0);   // past the separator: In Zwischenablage
    SendMessage(popup, WM_KEYDOWN, VK_RIGHT, 0);  // opens it, its first item highlighted
    SendMessage(layer::menus::MenuTracker::Current()->Levels().back().window, WM_KEYDOWN, VK_DOWN, 0);
    SendMessage(layer::menus::MenuTracker::Current()->Levels().back().window, WM_KEYDOWN, VK_RETURN, 0);
  });
  EXPECT_TRUE(TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, 100, 100, 0, owner.Handle(), nullptr));
  DrainThroughDialog(nullptr);
  EXPECT_EQ(owner.commands, (std::vector<Command>{{112, 0}}));
  std::vector<UINT> expected{WM_ENTERMENULOOP, WM_INITMENU,    WM_INITMENUPOPUP, WM_MENUSELECT, WM_MENUSELECT,
                             WM_MENUSELECT,    WM_INITMENUPOPUP, WM_MENUSELECT,    WM_MENUSELECT, WM_MENUSELECT,
                             WM_EXITMENULOOP};
  EXPECT_EQ(owner.Sequence(), expected);
  EXPECT_EQ(LOWORD(owner.heard[3].wParam), 101);
  EXPECT_TRUE(HIWORD(owner.heard[4].wParam) & MF_GRAYED);
  EXPECT_TRUE(HIWORD(owner.heard[5].wParam) & MF_POPUP);
  EXPECT_EQ(HIWORD(owner.heard[9].wParam), 0xFFFF);  // the menu closed
  DestroyMenu(menu);
}

TEST(Menus, ReturnCmdGivesTheCommandInsteadOfSendingIt) {
  struct Case {
    const char* name;
    std::function<void(HWND)> act;
    BOOL expected;
  } cases[] = {
      {"mnemonic", [](HWND popup) { SendMessage(popup, WM_CHAR, 'b', 0); }, 101},
      {"greyed item by mnemonic", [](HWND popup) {
         SendMessage(popup, WM_CHAR, 'v', 0);
         SendMessage(popup, WM_KEYDOWN, VK_ESCAPE, 0);
       }, 0},
      {"Escape", [](HWND popup) { SendMessage(popup, WM_KEYDOWN, VK_ESCAPE, 0); }, 0},
      {"mouse", [](HWND popup) {
         layer::menus::PopupLayout layout = layer::menus::LayoutPopup(layer::menus::MenuTracker::Current()->Levels()[0].menu);
         POINT inside{layout.items[0].left + 5, layout.items[0].top + 3};
         SendMessage(popup, WM_MOUSEMOVE, 0, MAKELPARAM(inside.x, inside.y));
         SendMessage(popup, WM_LBUTTONUP, 0, MAKELPARAM(inside.x, inside.y));
       }, 101},
      {"a press beside the menu", [](HWND popup) { SendMessage(popup, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-30, -30)); }, 0},
  };
  for (const Case& c : cases) {
    MenuOwner owner;
    HMENU menu = RunTimeMenu();
    ModalScript script(c.act);
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY, 50, 50, 0, owner.Handle(), nullptr), c.expected) << c.name;
    DrainThroughDialog(nullptr);
    EXPECT_TRUE(owner.commands.empty()) << c.name;
    EXPECT_TRUE(owner.heard.empty()) << c.name;  // TPM_NONOTIFY
    DestroyMenu(menu);
  }
}

TEST(Menus, AMenuFromAResourceSendsItsCommandAndAnAcceleratorTheSameOne) {
  MenuOwner owner;
  HMENU bar = LoadMenu(GetModuleHandle(nullptr), MAKEINTRESOURCE(IDM_MAIN));
  ModalScript script([](HWND popup) { SendMessage(popup, WM_CHAR, 'f', 0); });
  EXPECT_TRUE(TrackPopupMenu(GetSubMenu(bar, 0), 0, 10, 10, 0, owner.Handle(), nullptr));
  DrainThroughDialog(nullptr);

  ASSERT_TRUE(SetMenu(owner.Handle(), bar));
  EXPECT_EQ(GetMenu(owner.Handle()), bar);
  HACCEL table = LoadAccelerators(GetModuleHandle(nullptr), MAKEINTRESOURCE(IDA_MAIN));
  layer::SetKeyDown(VK_CONTROL, true);
  MSG key{owner.Handle(), WM_KEYDOWN, 'O', 1, 0, {}};
  EXPECT_EQ(TranslateAccelerator(owner.Handle(), table, &key), 1);
  layer::SetKeyDown(VK_CONTROL, false);
  MSG plain{owner.Handle(), WM_KEYDOWN, 'O', 1, 0, {}};
  EXPECT_EQ(TranslateAccelerator(owner.Handle(), table, &plain), 0);  // without Ctrl it is no accelerator
  EXPECT_EQ(owner.commands, (std::vector<Command>{{ID_FILE_OPEN, 0}, {ID_FILE_OPEN, 1}}));
  // An accelerator of a greyed item sends nothing, but the owner heard of the menu first.
  owner.heard.clear();
  MSG f1{owner.Handle(), WM_KEYDOWN, VK_F1, 1, 0, {}};
  EnableMenuItem(bar, ID_HELP_ABOUT, MF_BYCOMMAND | MF_GRAYED);
  EXPECT_EQ(TranslateAccelerator(owner.Handle(), table, &f1), 1);
  EXPECT_EQ(owner.commands.size(), 2u);
  EXPECT_EQ(owner.Sequence(), (std::vector<UINT>{WM_INITMENU, WM_INITMENUPOPUP}));
  SetMenu(owner.Handle(), nullptr);
  DestroyMenu(bar);
  DestroyAcceleratorTable(table);
}

TEST(Menus, AcceleratorTablesMadeAtRunTimeKeepTheUsableEntries) {
  ACCEL entries[] = {
      {FVIRTKEY | FCONTROL, 'N', 240},
      {FVIRTKEY | FSHIFT, VK_DELETE, 246},
      {FVIRTKEY | FCONTROL, 'N', 999},  // the same keys again: the first stays
      {0x40, 'X', 1},                   // flags the platform does not know
      {FVIRTKEY, 0, 2},                 // no key
      {0, 'q', 300},                    // a character
  };
  HACCEL table = CreateAcceleratorTable(entries, 6);
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(CopyAcceleratorTable(table, nullptr, 0), 3);
  ACCEL copied[3];
  ASSERT_EQ(CopyAcceleratorTable(table, copied, 3), 3);
  EXPECT_EQ(copied[0].cmd, 240);
  EXPECT_EQ(copied[1].cmd, 246);
  EXPECT_EQ(copied[2].cmd, 300);
  OwnerWindow owner;
  layer::SetKeyDown(VK_SHIFT, true);
  MSG shiftDelete{owner.Handle(), WM_KEYDOWN, VK_DELETE, 1, 0, {}};
  EXPECT_EQ(TranslateAccelerator(owner.Handle(), table, &shiftDelete), 1);
  layer::SetKeyDown(VK_SHIFT, false);
  MSG character{owner.Handle(), WM_CHAR, 'q', 1, 0, {}};
  EXPECT_EQ(TranslateAccelerator(owner.Handle(), table, &character), 1);
  EXPECT_EQ(owner.commands, (std::vector<Command>{{246, 1}, {300, 1}}));
  EXPECT_TRUE(DestroyAcceleratorTable(table));
  EXPECT_FALSE(DestroyAcceleratorTable(table));
  EXPECT_EQ(TranslateAccelerator(owner.Handle(), table, &character), 0);
  EXPECT_EQ(CreateAcceleratorTable(entries, 0), nullptr);
}

TEST(Menus, TheSystemMenuTakesItemsAndSendsSystemCommands) {
  MenuOwner owner;
  HMENU system = GetSystemMenu(owner.Handle(), FALSE);
  ASSERT_NE(system, nullptr);
  EXPECT_EQ(GetSystemMenu(owner.Handle(), FALSE), system);
  EXPECT_NE(GetMenuState(system, SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1));
  ASSERT_TRUE(DeleteMenu(system, SC_MAXIMIZE, MF_BYCOMMAND));
  ASSERT_TRUE(AppendMenu(system, MF_SEPARATOR, 0, nullptr));
  ASSERT_TRUE(AppendMenu(system, MF_STRING, 0x1370, "Varno4 Beenden"));
  ModalScript script([](HWND popup) {
    SendMessage(popup, WM_KEYDOWN, VK_UP, 0);  // from the top round to the last item
    SendMessage(popup, WM_KEYDOWN, VK_RETURN, 0);
  });
  EXPECT_TRUE(TrackPopupMenu(system, 0, 0, 0, 0, owner.Handle(), nullptr));
  DrainThroughDialog(nullptr);
  ASSERT_FALSE(owner.heard.empty());
  EXPECT_EQ(owner.heard.back().message, static_cast<UINT>(WM_SYSCOMMAND));
  EXPECT_EQ(owner.heard.back().wParam, 0x1370u);
  EXPECT_EQ(GetSystemMenu(owner.Handle(), TRUE), nullptr);
  EXPECT_FALSE(IsMenu(system));
}

}  // namespace

namespace {

// A frame with the resource's menu bar.
class FrameWithBar : public MenuOwner {
 public:
  FrameWithBar() : bar(LoadMenu(GetModuleHandle(nullptr), MAKEINTRESOURCE(IDM_MAIN))) {
    GetClientRect(Handle(), &before);
    SetMenu(Handle(), bar);
    heard.clear();
  }
  ~FrameWithBar() {
    SetMenu(Handle(), nullptr);
    DestroyMenu(bar);
  }
  POINT BarItem(int index) const {
    std::vector<RECT> items = layer::menus::BarItemsOnScreen(Handle(), bar);
    return POINT{(items[static_cast<std::size_t>(index)].left + items[static_cast<std::size_t>(index)].right) / 2,
                 (items[static_cast<std::size_t>(index)].top + items[static_cast<std::size_t>(index)].bottom) / 2};
  }
  HMENU bar;
  RECT before{};
};

void Keys(HWND window, const std::vector<WPARAM>& keys) {
  for (WPARAM key : keys) PostMessage(window, WM_KEYDOWN, key, 1);
}

TEST(MenuBar, TheBarTakesItsRoomAboveTheClientArea) {
  FrameWithBar frame;
  RECT after;
  GetClientRect(frame.Handle(), &after);
  EXPECT_EQ(after.bottom, frame.before.bottom - GetSystemMetrics(SM_CYMENU));
  EXPECT_EQ(GetMenu(frame.Handle()), frame.bar);
  EXPECT_TRUE(DrawMenuBar(frame.Handle()));
}

TEST(MenuBar, AClickOnTheBarOpensItsMenuWhoseCommandTheFrameGets) {
  FrameWithBar frame;
  ModalScript script([](HWND popup) { Keys(popup, {VK_DOWN, VK_RETURN}); });
  POINT item = frame.BarItem(0);
  SendMessage(frame.Handle(), WM_SYSCOMMAND, SC_MOUSEMENU + HTMENU, MAKELPARAM(item.x, item.y));
  DrainThroughDialog(nullptr);
  EXPECT_EQ(frame.commands, (std::vector<Command>{{ID_FILE_OPEN, 0}}));
  ASSERT_EQ(frame.heard.front().message, static_cast<UINT>(WM_SYSCOMMAND));  // what opened the menu
  frame.heard.erase(frame.heard.begin());
  std::vector<UINT> sequence = frame.Sequence();
  ASSERT_GE(sequence.size(), 5u);
  EXPECT_EQ(std::vector<UINT>(sequence.begin(), sequence.begin() + 4),
            (std::vector<UINT>{WM_ENTERMENULOOP, WM_INITMENU, WM_MENUSELECT, WM_INITMENUPOPUP}));
  EXPECT_EQ(frame.heard[3].wParam, reinterpret_cast<WPARAM>(GetSubMenu(frame.bar, 0)));
  EXPECT_EQ(sequence.back(), static_cast<UINT>(WM_EXITMENULOOP));
}

TEST(MenuBar, TheKeyboardWorksTheBarAsOnThePlatform) {
  struct Case {
    const char* name;
    LPARAM letter;
    std::vector<WPARAM> keys;
    std::vector<Command> commands;
  } cases[] = {
      {"Alt, right to Hilfe, down opens it, Enter", 0, {VK_RIGHT, VK_DOWN, VK_RETURN}, {{ID_HELP_ABOUT, 0}}},
      {"Alt and H opens Hilfe with its first item", 'h', {VK_RETURN}, {{ID_HELP_ABOUT, 0}}},
      {"Alt and D, then right moves to Hilfe's menu", 'd', {VK_RIGHT, VK_RETURN}, {{ID_HELP_ABOUT, 0}}},
      {"Alt and D, Escape back to the bar, Escape out", 'd', {VK_ESCAPE, VK_ESCAPE}, {}},
      {"Alt, the greyed Beenden is not chosen", 0, {VK_DOWN, VK_UP, VK_RETURN, VK_ESCAPE, VK_ESCAPE}, {}},
  };
  for (const Case& c : cases) {
    FrameWithBar frame;
    // The keys go where the focus is, the frame, whichever menu window is open.
    ModalScript script([&](HWND) { Keys(frame.Handle(), std::vector<WPARAM>(c.keys)); });
    SendMessage(frame.Handle(), WM_SYSCOMMAND, SC_KEYMENU, c.letter);
    DrainThroughDialog(nullptr);
    EXPECT_EQ(frame.commands, c.commands) << c.name;
    EXPECT_EQ(layer::menus::MenuTracker::Current(), nullptr) << c.name;
  }
}

TEST(MenuBar, ALetterNoItemHasBeepsAndLeavesTheBar) {
  FrameWithBar frame;
  int beeps = layer::BeepCount();
  bool looped = false;
  ModalScript script([&](HWND) { looped = true; });
  SendMessage(frame.Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'z');
  EXPECT_EQ(layer::BeepCount(), beeps + 1);
  EXPECT_FALSE(looped);
  EXPECT_TRUE(frame.commands.empty());
}

}  // namespace
