// The standard controls by the messages a program sends them and the
// notifications they send back, in the platform's order.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "UserTestSupport.h"
#include "user/Controls.h"
#include "win32/Clipboard.h"
#include "win32/Gdi.h"
#include "win32/GdiObjects.h"
#include "win32/Icons.h"
#include "win32/Memory.h"
#include "win32/UserWindow.h"

using namespace layer::testing;

namespace {

constexpr int kId = 50;

class Controls : public testing::Test {
 protected:
  // The codes of the notifications the owner received so far, then forgets them.
  std::vector<WORD> Codes() {
    std::vector<WORD> codes;
    for (const Command& command : owner.commands) codes.push_back(command.code);
    owner.commands.clear();
    return codes;
  }
  OwnerWindow owner;
};

TEST_F(Controls, ButtonsClickCheckAndCycleAsTheirKindSays) {
  struct Case {
    const char* name;
    DWORD style;
    std::vector<UINT> checksAfterClicks;
  } cases[] = {
      {"push button", BS_PUSHBUTTON, {0, 0, 0}},
      {"check box (not automatic)", BS_CHECKBOX, {0, 0, 0}},
      {"automatic check box", BS_AUTOCHECKBOX, {1, 0, 1}},
      {"automatic three-state box", BS_AUTO3STATE, {1, 2, 0}},
      {"automatic radio button", BS_AUTORADIOBUTTON, {1, 1, 1}},
  };
  for (const Case& c : cases) {
    HWND button = owner.Child(WC_BUTTON, "&Knopf", c.style, RECT{10, 10, 110, 35}, kId);
    std::vector<UINT> checks;
    for (int i = 0; i < 3; ++i) {
      Click(button);
      checks.push_back(static_cast<UINT>(SendMessage(button, BM_GETCHECK, 0, 0)));
    }
    EXPECT_EQ(checks, c.checksAfterClicks) << c.name;
    EXPECT_EQ(Codes(), (std::vector<WORD>{BN_CLICKED, BN_CLICKED, BN_CLICKED})) << c.name;
    DestroyWindow(button);
  }
}

TEST_F(Controls, AButtonReleasedOutsideItDoesNotClick) {
  HWND button = owner.Child(WC_BUTTON, "OK", BS_PUSHBUTTON, RECT{10, 10, 110, 35}, kId);
  SendMessage(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_TRUE(SendMessage(button, BM_GETSTATE, 0, 0) & BST_PUSHED);
  SendMessage(button, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, 5));
  EXPECT_FALSE(SendMessage(button, BM_GETSTATE, 0, 0) & BST_PUSHED);
  SendMessage(button, WM_LBUTTONUP, 0, MAKELPARAM(300, 5));
  EXPECT_TRUE(Codes().empty());
  // The space key clicks a focused button.
  SetFocus(button);
  SendMessage(button, WM_KEYDOWN, VK_SPACE, 0);
  SendMessage(button, WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(Codes(), (std::vector<WORD>{BN_CLICKED}));
}

TEST_F(Controls, AnAutomaticRadioButtonClearsTheOthersOfItsGroupOnly) {
  HWND first = owner.Child(WC_BUTTON, "1", BS_AUTORADIOBUTTON | WS_GROUP, RECT{10, 10, 110, 30}, 1);
  HWND second = owner.Child(WC_BUTTON, "2", BS_AUTORADIOBUTTON, RECT{10, 30, 110, 50}, 2);
  HWND other = owner.Child(WC_BUTTON, "3", BS_AUTORADIOBUTTON | WS_GROUP, RECT{10, 50, 110, 70}, 3);
  SendMessage(first, BM_SETCHECK, BST_CHECKED, 0);
  SendMessage(other, BM_SETCHECK, BST_CHECKED, 0);
  Click(second);
  EXPECT_EQ(SendMessage(first, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessage(second, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessage(other, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(Controls, AnOwnerDrawnButtonAsksItsParentToDrawItPressedAndReleased) {
  std::vector<UINT> states;
  owner.answer = [&states](UINT message, WPARAM, LPARAM lParam) -> LRESULT {
    if (message != WM_DRAWITEM) return 0;
    auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    EXPECT_EQ(item->CtlType, static_cast<UINT>(ODT_BUTTON));
    EXPECT_EQ(item->CtlID, static_cast<UINT>(kId));
    states.push_back(item->itemState & (ODS_SELECTED | ODS_FOCUS));
    return TRUE;
  };
  HWND button = owner.Child(WC_BUTTON, "", BS_OWNERDRAW, RECT{10, 10, 110, 35}, kId);
  UpdateWindow(button);
  SendMessage(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  UpdateWindow(button);
  SendMessage(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  UpdateWindow(button);
  EXPECT_EQ(states, (std::vector<UINT>{0, ODS_SELECTED | ODS_FOCUS, ODS_FOCUS}));
}

// A pixel of a window's client area in a picture of the whole window.
std::uint32_t ClientPixel(const layer::Surface& picture, const layer::Window& window, POINT point) {
  return picture.Row(window.client.top + point.y)[window.client.left + point.x];
}

// A group box made before the controls it groups lies above them; they show
// through its inside all the same, as does what the owner draws there, and
// the mouse reaches them.
TEST_F(Controls, AGroupBoxAboveItsControlsLetsThemShowAndBeClicked) {
  owner.Child(WC_BUTTON, "Optionen", BS_GROUPBOX, RECT{10, 10, 250, 150}, kId);
  HWND check = owner.Child(WC_BUTTON, "&Pr\xFC" "fen", BS_AUTOCHECKBOX, RECT{20, 40, 140, 60}, kId + 1);
  RedrawWindow(owner.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  HDC dc = GetDC(owner.Handle());
  RECT drawn{200, 100, 220, 120};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(dc, &drawn, red);
  DeleteObject(red);
  ReleaseDC(owner.Handle(), dc);

  auto ownerRecord = layer::WindowOf(owner.Handle());
  auto checkRecord = layer::WindowOf(check);
  layer::Surface shown = layer::ComposeWindow(*ownerRecord);
  int differing = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 120; ++x)
      if (ClientPixel(shown, *ownerRecord, POINT{20 + x, 40 + y}) != ClientPixel(checkRecord->canvas, *checkRecord, POINT{x, y}))
        ++differing;
  EXPECT_EQ(differing, 0) << "pixels of the check box hidden";
  EXPECT_EQ(ClientPixel(shown, *ownerRecord, POINT{210, 110}), ClientPixel(ownerRecord->canvas, *ownerRecord, POINT{210, 110}));
  // The frame itself still shows.
  EXPECT_NE(ClientPixel(shown, *ownerRecord, POINT{10, 80}), ClientPixel(ownerRecord->canvas, *ownerRecord, POINT{10, 80}));

  POINT onCheck{25, 50};
  ClientToScreen(owner.Handle(), &onCheck);
  layer::MouseInput(onCheck, WM_LBUTTONDOWN, MK_LBUTTON);
  layer::MouseInput(onCheck, WM_LBUTTONUP, 0);
  DrainThroughDialog(nullptr);
  EXPECT_EQ(SendMessage(check, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(Controls, AStaticShowsTheIconItIsGiven) {
  HWND picture = owner.Child(WC_STATIC, "", SS_ICON, RECT{10, 10, 42, 42}, kId);
  layer::IconPicture red;
  red.width = red.height = 32;
  red.pixels.assign(32 * 32, 0xFFFF0000u);
  HICON icon = layer::IconFromPicture(red);
  EXPECT_EQ(SendMessage(picture, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0), 0);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessage(picture, STM_GETICON, 0, 0)), icon);
  UpdateWindow(picture);
  HDC dc = GetDC(picture);
  EXPECT_EQ(GetPixel(dc, 16, 16), RGB(255, 0, 0));
  ReleaseDC(picture, dc);
  HICON other = LoadIcon(nullptr, IDI_HAND);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessage(picture, STM_SETICON, reinterpret_cast<WPARAM>(other), 0)), icon);
}

TEST_F(Controls, AStaticTextDrawsItsTextWithoutTheMnemonicSign) {
  HWND label = owner.Child(WC_STATIC, "&Name", SS_LEFT, RECT{10, 10, 110, 30}, kId);
  UpdateWindow(label);
  HDC dc = GetDC(label);
  int dark = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 100; ++x)
      if (GetRValue(GetPixel(dc, x, y)) < 100) ++dark;
  ReleaseDC(label, dc);
  EXPECT_GT(dark, 20);  // the letters and the underline of the N
  EXPECT_EQ(TextOf(label), "&Name");
}

TEST_F(Controls, TypingIntoAnEditFieldAnnouncesEachChange) {
  HWND edit = owner.Child(WC_EDIT, "", ES_AUTOHSCROLL, RECT{10, 10, 210, 32}, kId);
  SetFocus(edit);
  EXPECT_EQ(Codes(), (std::vector<WORD>{EN_SETFOCUS}));
  TypeText(nullptr, "ab");
  EXPECT_EQ(TextOf(edit), "ab");
  EXPECT_EQ(Codes(), (std::vector<WORD>{EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE}));
  PressKey(nullptr, VK_BACK, kNone, '\b');
  EXPECT_EQ(TextOf(edit), "a");
  EXPECT_TRUE(SendMessage(edit, EM_GETMODIFY, 0, 0));
  SetWindowText(edit, "neu");
  EXPECT_FALSE(SendMessage(edit, EM_GETMODIFY, 0, 0));
  Codes();
  SetFocus(owner.Handle());
  EXPECT_EQ(Codes(), (std::vector<WORD>{EN_KILLFOCUS}));
}

TEST_F(Controls, AnEditFieldKeepsItsLimitReadOnlyAndPasswordRules) {
  HWND edit = owner.Child(WC_EDIT, "", ES_AUTOHSCROLL, RECT{10, 10, 210, 32}, kId);
  SendMessage(edit, EM_LIMITTEXT, 3, 0);
  SetFocus(edit);
  Codes();
  TypeText(nullptr, "abcd");
  EXPECT_EQ(TextOf(edit), "abc");
  std::vector<WORD> codes = Codes();
  EXPECT_EQ(codes.back(), EN_MAXTEXT);

  SendMessage(edit, EM_SETREADONLY, TRUE, 0);
  TypeText(nullptr, "x");
  EXPECT_EQ(TextOf(edit), "abc");
  EXPECT_TRUE(GetWindowLong(edit, GWL_STYLE) & ES_READONLY);

  HWND password = owner.Child(WC_EDIT, "", ES_PASSWORD, RECT{10, 40, 210, 62}, kId + 1);
  EXPECT_EQ(SendMessage(password, EM_GETPASSWORDCHAR, 0, 0), '*');
  SetFocus(password);
  TypeText(nullptr, "geheim");
  EXPECT_EQ(TextOf(password), "geheim");
  SendMessage(password, EM_SETSEL, 0, -1);
  SendMessage(password, WM_COPY, 0, 0);  // a password is never copied
  OpenClipboard(nullptr);
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT) && std::string(static_cast<const char*>(GlobalLock(GetClipboardData(CF_TEXT)))) == "geheim");
  CloseClipboard();
}

TEST_F(Controls, SelectionsOfAnEditFieldAreSetAndReadAsOnThePlatform) {
  HWND edit = owner.Child(WC_EDIT, "Rasenm\xE4her", ES_AUTOHSCROLL, RECT{10, 10, 210, 32}, kId);
  struct Case {
    int from;
    int to;
    DWORD start;
    DWORD end;
  } cases[] = {{0, -1, 0, 10}, {2, 5, 2, 5}, {5, 2, 2, 5}, {3, 100, 3, 10}, {100, 100, 10, 10}};
  for (const Case& c : cases) {
    SendMessage(edit, EM_SETSEL, static_cast<WPARAM>(c.from), c.to);
    DWORD start = 0, end = 0;
    LRESULT packed = SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, c.start) << c.from << ".." << c.to;
    EXPECT_EQ(end, c.end) << c.from << ".." << c.to;
    EXPECT_EQ(packed, MAKELRESULT(c.start, c.end));
  }
  SendMessage(edit, EM_SETSEL, 0, 5);
  SendMessage(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("Gras"));
  EXPECT_EQ(TextOf(edit), "Grasm\xE4her");
  EXPECT_TRUE(SendMessage(edit, EM_CANUNDO, 0, 0));
  SendMessage(edit, EM_UNDO, 0, 0);
  EXPECT_EQ(TextOf(edit), "Rasenm\xE4her");
}

TEST_F(Controls, AMultiLineEditCountsItsLinesAndKeepsReturnWhenAsked) {
  HWND edit = owner.Child(WC_EDIT, "eins\r\nzwei\r\ndrei", ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL, RECT{10, 10, 210, 90}, kId);
  EXPECT_EQ(SendMessage(edit, EM_GETLINECOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessage(edit, EM_LINEINDEX, 2, 0), 12);
  EXPECT_EQ(SendMessage(edit, EM_LINEFROMCHAR, 7, 0), 1);
  EXPECT_EQ(SendMessage(edit, EM_LINELENGTH, 6, 0), 4);
  char line[16] = {};
  *reinterpret_cast<WORD*>(line) = sizeof line;
  EXPECT_EQ(SendMessage(edit, EM_GETLINE, 1, reinterpret_cast<LPARAM>(line)), 4);
  EXPECT_EQ(std::string(line, 4), "zwei");
  SetFocus(edit);
  SendMessage(edit, EM_SETSEL, 4, 4);
  MSG enter{edit, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  EXPECT_TRUE(SendMessage(edit, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) & DLGC_WANTMESSAGE);
  SendMessage(edit, WM_CHAR, '\r', 0);
  EXPECT_EQ(SendMessage(edit, EM_GETLINECOUNT, 0, 0), 4);
}

// The lines of a multi-line field as it shows them.
std::vector<std::string> ShownLines(HWND edit) {
  std::vector<std::string> lines;
  int count = static_cast<int>(SendMessage(edit, EM_GETLINECOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char line[256] = {};
    *reinterpret_cast<WORD*>(line) = sizeof line - 1;
    LRESULT length = SendMessage(edit, EM_GETLINE, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line));
    lines.emplace_back(line, static_cast<std::size_t>(length));
  }
  return lines;
}

int WidthIn(HWND edit, const std::string& text) {
  HDC dc = GetDC(edit);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessage(edit, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(edit, dc);
  return size.cx;
}

TEST_F(Controls, AMultiLineFieldWrapsAtItsWidthUnlessItScrollsSideways) {
  const std::string text = "Ersatzteil f\xFCr den Rasenm\xE4her der Baureihe vier\r\nDonaudampfschifffahrtsgesellschaft";
  struct Case {
    const char* name;
    DWORD style;
    bool wraps;
  } cases[] = {
      {"wrapping", ES_MULTILINE, true},
      {"with a vertical bar", ES_MULTILINE | WS_VSCROLL | ES_AUTOVSCROLL, true},
      {"scrolling sideways", ES_MULTILINE | ES_AUTOHSCROLL, false},
      {"with a horizontal bar", ES_MULTILINE | WS_HSCROLL, false},
  };
  for (const Case& c : cases) {
    HWND edit = owner.Child(WC_EDIT, text.c_str(), c.style | WS_BORDER, RECT{10, 10, 110, 150}, kId);
    RECT area{};
    SendMessage(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
    std::vector<std::string> lines = ShownLines(edit);
    std::string joined;
    for (const std::string& line : lines) joined += line;
    if (!c.wraps) {
      EXPECT_EQ(lines.size(), 2u) << c.name;
    } else {
      EXPECT_GT(lines.size(), 4u) << c.name;
      std::string expected = text;
      expected.erase(expected.find("\r\n"), 2);
      EXPECT_EQ(joined, expected) << c.name << ": every character on one line";
      for (const std::string& line : lines) {
        std::string ink = line.substr(0, line.find_last_not_of(' ') + 1);
        EXPECT_LE(WidthIn(edit, ink), area.right - area.left) << c.name << ": \"" << line << "\"";
      }
      EXPECT_EQ(lines[0].back(), ' ') << c.name << ": lines break after a word";
      EXPECT_EQ(SendMessage(edit, EM_LINEFROMCHAR, text.find("Donau"), 0), static_cast<LRESULT>(lines.size() - 2)) << c.name;
    }
    DestroyWindow(edit);
  }
}

TEST_F(Controls, AnEditFieldCutsAndPastesThroughTheClipboard) {
  HWND edit = owner.Child(WC_EDIT, "Messer", ES_AUTOHSCROLL, RECT{10, 10, 210, 32}, kId);
  SendMessage(edit, EM_SETSEL, 0, 3);
  SendMessage(edit, WM_CUT, 0, 0);
  EXPECT_EQ(TextOf(edit), "ser");
  SendMessage(edit, EM_SETSEL, 3, 3);
  SendMessage(edit, WM_PASTE, 0, 0);
  EXPECT_EQ(TextOf(edit), "serMes");
}

TEST_F(Controls, AListBoxSortsFindsAndKeepsItemData) {
  HWND list = owner.Child(WC_LISTBOX, "", LBS_SORT | LBS_NOTIFY | WS_VSCROLL, RECT{10, 10, 160, 110}, kId);
  struct Add {
    const char* text;
    LRESULT index;
  } adds[] = {{"Motor", 0}, {"Achse", 0}, {"messer", 1}, {"\xC4rmel", 1}, {"Zahnrad", 4}};
  for (const Add& add : adds) EXPECT_EQ(SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(add.text)), add.index) << add.text;
  EXPECT_EQ(SendMessage(list, LB_GETCOUNT, 0, 0), 5);
  struct Find {
    UINT message;
    int after;
    const char* text;
    LRESULT found;
  } finds[] = {
      {LB_FINDSTRING, -1, "m", 2},          {LB_FINDSTRING, 2, "M", 3},              {LB_FINDSTRING, 3, "m", 2},
      {LB_FINDSTRINGEXACT, -1, "motor", 3}, {LB_FINDSTRINGEXACT, -1, "Mot", LB_ERR}, {LB_FINDSTRING, -1, "x", LB_ERR},
      {LB_FINDSTRING, -1, "\xE4", 1},
  };
  for (const Find& find : finds)
    EXPECT_EQ(SendMessage(list, find.message, static_cast<WPARAM>(find.after), reinterpret_cast<LPARAM>(find.text)), find.found)
        << find.text << " after " << find.after;
  SendMessage(list, LB_SETITEMDATA, 3, 4711);
  EXPECT_EQ(SendMessage(list, LB_GETITEMDATA, 3, 0), 4711);
  char text[32];
  EXPECT_EQ(SendMessage(list, LB_GETTEXT, 4, reinterpret_cast<LPARAM>(text)), 7);
  EXPECT_STREQ(text, "Zahnrad");
  EXPECT_EQ(SendMessage(list, LB_GETTEXT, 9, reinterpret_cast<LPARAM>(text)), LB_ERR);
  EXPECT_EQ(SendMessage(list, LB_DELETESTRING, 0, 0), 4);
  EXPECT_EQ(SendMessage(list, LB_GETITEMDATA, 2, 0), 4711);  // the data moved with its item
}

TEST_F(Controls, AListBoxAnnouncesSelectionsByMouseAndKeysButNotBySetCurSel) {
  HWND list = owner.Child(WC_LISTBOX, "", LBS_NOTIFY, RECT{10, 10, 160, 110}, kId);
  for (const char* text : {"a", "b", "c"}) SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  int height = static_cast<int>(SendMessage(list, LB_GETITEMHEIGHT, 0, 0));
  SendMessage(list, LB_SETCURSEL, 0, 0);
  EXPECT_TRUE(Codes().empty());
  Click(list, POINT{5, height + 2});
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 1);
  SendMessage(list, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 2);
  SendMessage(list, WM_KEYDOWN, VK_DOWN, 0);  // already the last: nothing changes
  SendMessage(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 2 * height + 2));
  EXPECT_EQ(Codes(), (std::vector<WORD>{LBN_SETFOCUS, LBN_SELCHANGE, LBN_SELCHANGE, LBN_DBLCLK}));
  EXPECT_EQ(SendMessage(list, LB_SETCURSEL, 7, 0), LB_ERR);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), LB_ERR);
}

TEST_F(Controls, AListBoxScrollsWhenItsItemsDoNotFit) {
  HWND list = owner.Child(WC_LISTBOX, "", WS_VSCROLL, RECT{10, 10, 160, 70}, kId);
  SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
  for (int i = 0; i < 12; ++i) SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Teil"));
  ASSERT_TRUE(GetScrollInfo(list, SB_VERT, &info));
  int height = static_cast<int>(SendMessage(list, LB_GETITEMHEIGHT, 0, 0));
  RECT client;
  GetClientRect(list, &client);
  EXPECT_EQ(info.nMax, 11);
  EXPECT_EQ(static_cast<int>(info.nPage), client.bottom / height);
  EXPECT_LT(client.right, 150);  // the bar took its room
  SendMessage(list, WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), 12 - client.bottom / height);
  SendMessage(list, LB_SETCURSEL, 0, 0);
  SendMessage(list, WM_KEYDOWN, VK_END, 0);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 11);
}

TEST_F(Controls, AListBoxOfManyKeepsEachItemsSelection) {
  HWND list = owner.Child(WC_LISTBOX, "", LBS_MULTIPLESEL, RECT{10, 10, 160, 110}, kId);
  for (const char* text : {"a", "b", "c", "d"}) SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  SendMessage(list, LB_SETSEL, TRUE, 1);
  SendMessage(list, LB_SETSEL, TRUE, 3);
  int height = static_cast<int>(SendMessage(list, LB_GETITEMHEIGHT, 0, 0));
  Click(list, POINT{5, 3 * height + 2});  // a click toggles
  EXPECT_EQ(SendMessage(list, LB_GETSELCOUNT, 0, 0), 1);
  int items[4] = {};
  EXPECT_EQ(SendMessage(list, LB_GETSELITEMS, 4, reinterpret_cast<LPARAM>(items)), 1);
  EXPECT_EQ(items[0], 1);
  SendMessage(list, LB_SETSEL, TRUE, -1);
  EXPECT_EQ(SendMessage(list, LB_GETSELCOUNT, 0, 0), 4);
  EXPECT_EQ(SendMessage(list, LB_SETCURSEL, 0, 0), LB_ERR);  // not for a list of many
}

TEST_F(Controls, AnOwnerDrawnListIsMeasuredOnceAndDrawnItemByItem) {
  std::vector<UINT> drawn;
  owner.answer = [&drawn](UINT message, WPARAM, LPARAM lParam) -> LRESULT {
    if (message == WM_MEASUREITEM) {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      EXPECT_EQ(measure->CtlType, static_cast<UINT>(ODT_LISTBOX));
      measure->itemHeight = 20;
      return TRUE;
    }
    if (message == WM_DRAWITEM) {
      auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      drawn.push_back(item->itemID);
      EXPECT_EQ(item->itemData, static_cast<ULONG_PTR>(100 + item->itemID));
      EXPECT_EQ(item->rcItem.top, static_cast<LONG>(item->itemID * 20));
      return TRUE;
    }
    return 0;
  };
  HWND list = owner.Child(WC_LISTBOX, "", LBS_OWNERDRAWFIXED, RECT{10, 10, 160, 110}, kId);
  for (LPARAM data : {100, 101, 102}) SendMessage(list, LB_ADDSTRING, 0, data);
  EXPECT_EQ(SendMessage(list, LB_GETITEMHEIGHT, 0, 0), 20);
  RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(drawn, (std::vector<UINT>{0, 1, 2}));
  EXPECT_EQ(std::count(owner.messages.begin(), owner.messages.end(), static_cast<UINT>(WM_MEASUREITEM)), 1);
  EXPECT_EQ(SendMessage(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), 101), 1);
}

TEST_F(Controls, ADropDownListSelectsByKeysAndShowsTheSelectedText) {
  HWND combo = owner.Child(WC_COMBOBOX, "", CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL, RECT{10, 10, 160, 150}, kId);
  RECT rect;
  GetWindowRect(combo, &rect);
  EXPECT_LT(rect.bottom - rect.top, 40);  // the field alone; the list drops below it
  for (const char* text : {"Mittel", "Klein", "Gro\xDF"}) SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_EQ(SendMessage(combo, CB_SETCURSEL, 1, 0), 1);
  EXPECT_EQ(TextOf(combo), "Klein");
  SendMessage(combo, CB_SETITEMDATA, 2, 33);
  EXPECT_EQ(SendMessage(combo, CB_GETITEMDATA, 2, 0), 33);
  EXPECT_EQ(SendMessage(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("klein")), 1);
  EXPECT_EQ(SendMessage(combo, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("mi")), 2);
  SetFocus(combo);
  Codes();
  SendMessage(combo, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(TextOf(combo), "Mittel");
  char text[16];
  EXPECT_EQ(SendMessage(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text)), 4);
  EXPECT_STREQ(text, "Gro\xDF");
  EXPECT_EQ(Codes(), (std::vector<WORD>{CBN_SELCHANGE}));
  EXPECT_EQ(SendMessage(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("G")), 0);
  EXPECT_EQ(SendMessage(combo, CB_GETLBTEXT, 9, reinterpret_cast<LPARAM>(text)), CB_ERR);
}

TEST_F(Controls, ADroppedListChosenByMouseClosesWithItsNotifications) {
  HWND combo = owner.Child(WC_COMBOBOX, "", CBS_DROPDOWN, RECT{10, 10, 160, 150}, kId);
  for (const char* text : {"eins", "zwei", "drei"}) SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  Codes();
  SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
  EXPECT_TRUE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
  HWND list = nullptr;
  for (const auto& window : layer::WindowsOfThread(GetCurrentThreadId()))
    if (window->windowClass->name == "ComboLBox" && (window->style & WS_VISIBLE)) list = window->handle;
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(IsWindowVisible(list));
  int height = static_cast<int>(SendMessage(list, LB_GETITEMHEIGHT, 0, 0));
  Click(list, POINT{5, height + 2});
  EXPECT_FALSE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(TextOf(combo), "zwei");
  EXPECT_EQ(Codes(), (std::vector<WORD>{CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
}

// As a person does it: the mouse opens the list of a combo box that has the
// focus in an active window, and a click on an item chooses it, even the one
// chosen already; the window stays active and the combo box keeps the focus.
TEST_F(Controls, AClickOnAnItemOfAnOpenedListChoosesItAndTheWindowKeepsTheFocus) {
  HWND combo = owner.Child(WC_COMBOBOX, "", CBS_DROPDOWNLIST | WS_VSCROLL, RECT{10, 10, 160, 150}, kId);
  for (const char* text : {"eins", "zwei", "drei"}) SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  SendMessage(combo, CB_SETCURSEL, 0, 0);
  SetForegroundWindow(owner.Handle());
  auto press = [](POINT screen) {
    layer::MouseInput(screen, WM_LBUTTONDOWN, MK_LBUTTON);
    layer::MouseInput(screen, WM_LBUTTONUP, 0);
    DrainThroughDialog(nullptr);
  };
  struct Case {
    const char* name;
    int item;
    const char* shown;
  };
  for (const Case& c : {Case{"another item", 2, "drei"}, Case{"the item chosen already", 2, "drei"}, Case{"the first item", 0, "eins"}}) {
    SCOPED_TRACE(c.name);
    POINT field{20, 15};
    ClientToScreen(owner.Handle(), &field);
    press(field);
    ASSERT_TRUE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
    HWND list = nullptr;
    for (const auto& window : layer::WindowsOfThread(GetCurrentThreadId()))
      if (window->windowClass->name == "ComboLBox" && (window->style & WS_VISIBLE)) list = window->handle;
    ASSERT_NE(list, nullptr);
    int height = static_cast<int>(SendMessage(list, LB_GETITEMHEIGHT, 0, 0));
    POINT item{5, height * c.item + height / 2};
    ClientToScreen(list, &item);
    Codes();
    press(item);
    EXPECT_FALSE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(TextOf(combo), c.shown);
    EXPECT_EQ(GetActiveWindow(), owner.Handle());
    EXPECT_EQ(GetFocus(), combo);
    std::vector<WORD> codes = Codes();
    EXPECT_NE(std::find(codes.begin(), codes.end(), CBN_SELENDOK), codes.end());
    EXPECT_NE(std::find(codes.begin(), codes.end(), CBN_CLOSEUP), codes.end());
  }
}

TEST_F(Controls, TypingIntoADropDownsFieldAnnouncesEditChanges) {
  HWND combo = owner.Child(WC_COMBOBOX, "", CBS_DROPDOWN | CBS_AUTOHSCROLL, RECT{10, 10, 160, 150}, kId);
  SetFocus(combo);
  EXPECT_NE(GetFocus(), combo);  // the field inside it has the focus
  EXPECT_EQ(GetParent(GetFocus()), combo);
  Codes();
  TypeText(nullptr, "ab");
  EXPECT_EQ(TextOf(combo), "ab");
  EXPECT_EQ(Codes(), (std::vector<WORD>{CBN_EDITUPDATE, CBN_EDITCHANGE, CBN_EDITUPDATE, CBN_EDITCHANGE}));
  SendMessage(combo, CB_LIMITTEXT, 2, 0);
  TypeText(nullptr, "c");
  EXPECT_EQ(TextOf(combo), "ab");
}

TEST_F(Controls, ASimpleComboShowsItsListBelowItsField) {
  HWND combo = owner.Child(WC_COMBOBOX, "", CBS_SIMPLE, RECT{10, 10, 160, 150}, kId);
  SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("eins"));
  RECT rect;
  GetWindowRect(combo, &rect);
  EXPECT_EQ(rect.bottom - rect.top, 140);
  EXPECT_FALSE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(SendMessage(combo, CB_SETCURSEL, 0, 0), 0);
  EXPECT_EQ(TextOf(combo), "eins");
}

}  // namespace
