// The dialog manager through the calls a dialog procedure makes and the keys
// a person presses: creation from templates, focus, keyboard navigation,
// the default button, modal loops that nest and modeless dialogs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UserTestSupport.h"
#include "res/resource.h"
#include "user/Dialogs.h"
#include "win32/Errors.h"
#include "win32/Gdi.h"
#include "win32/Icons.h"
#include "win32/Module.h"

using namespace layer::testing;

namespace {

HMODULE ThisProgram() { return GetModuleHandle(nullptr); }

// What a dialog procedure saw.
struct Seen {
  std::vector<UINT> messages;
  std::vector<Command> commands;
  HWND initFocus = nullptr;
  LPARAM initParam = 0;
  bool ownerEnabledInside = true;
  HWND owner = nullptr;
};
Seen* seen = nullptr;

INT_PTR CALLBACK RecordingProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!seen) return FALSE;
  if (message == WM_SETFONT || message == WM_INITDIALOG) seen->messages.push_back(message);
  switch (message) {
    case WM_INITDIALOG:
      seen->initFocus = reinterpret_cast<HWND>(wParam);
      seen->initParam = lParam;
      return TRUE;
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) seen->commands.push_back(Command{LOWORD(wParam), HIWORD(wParam)});
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        seen->ownerEnabledInside = IsWindowEnabled(seen->owner);
        EndDialog(dialog, LOWORD(wParam));
      }
      return TRUE;
    default:
      return FALSE;
  }
}

class Dialogs : public testing::Test {
 protected:
  void SetUp() override {
    record.owner = owner.Handle();
    seen = &record;
  }
  void TearDown() override { seen = nullptr; }
  OwnerWindow owner;
  Seen record;
};

TEST_F(Dialogs, AModalDialogTakesItsFontThenItsInitialisationAndReturnsWhatEndsIt) {
  struct Case {
    const char* name;
    int key;
    INT_PTR expected;
  } cases[] = {{"Enter presses the default button", VK_RETURN, IDOK}, {"Escape cancels", VK_ESCAPE, IDCANCEL}};
  for (const Case& c : cases) {
    record = Seen{};
    record.owner = owner.Handle();
    HWND inside = nullptr;
    ModalScript script([&](HWND dialog) {
      inside = dialog;
      EXPECT_FALSE(IsWindowEnabled(owner.Handle())) << c.name;
      EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_NAME)) << c.name;  // the first tab stop
      EXPECT_EQ(record.initFocus, GetDlgItem(dialog, IDC_NAME)) << c.name;
      PressKey(dialog, c.key);
    });
    INT_PTR result = DialogBoxParam(ThisProgram(), MAKEINTRESOURCE(IDD_ALL), owner.Handle(), RecordingProc, 77);
    EXPECT_EQ(result, c.expected) << c.name;
    EXPECT_EQ(record.messages, (std::vector<UINT>{WM_SETFONT, WM_INITDIALOG})) << c.name;
    EXPECT_EQ(record.initParam, 77) << c.name;
    EXPECT_TRUE(IsWindowEnabled(owner.Handle())) << c.name;
    EXPECT_FALSE(IsWindow(inside)) << c.name;
    ASSERT_EQ(record.commands.size(), 1u) << c.name;
    EXPECT_EQ(record.commands[0], (Command{static_cast<WORD>(c.expected), BN_CLICKED})) << c.name;
  }
}

TEST_F(Dialogs, TabShiftTabArrowsAndMnemonicsMoveTheFocusAsOnThePlatform) {
  std::vector<int> focusIds;
  auto note = [&focusIds]() { focusIds.push_back(GetDlgCtrlID(GetFocus())); };
  ModalScript script([&](HWND dialog) {
    note();                                 // the name field
    PressKey(dialog, VK_TAB);               // the check box
    note();
    PressKey(dialog, VK_TAB);               // the three-state box
    note();
    PressKey(dialog, VK_TAB);               // the first radio button of its group
    note();
    PressKey(dialog, VK_DOWN);              // the next one, which gets checked
    note();
    PressKey(dialog, VK_TAB, kShift);       // back to the group's tab stop
    note();
    PressKey(dialog, 'N', kAlt, 'n');       // "&Name:" gives its field the focus
    note();
    PressKey(dialog, 'P', kAlt, 'p');       // "&Prüfen" checks its box
    note();
    EndDialog(dialog, 5);
  });
  EXPECT_EQ(DialogBoxParam(ThisProgram(), MAKEINTRESOURCE(IDD_ALL), owner.Handle(), RecordingProc, 0), 5);
  EXPECT_EQ(focusIds, (std::vector<int>{IDC_NAME, IDC_CHECK, IDC_THREE, IDC_RADIO1, IDC_RADIO2, IDC_RADIO1, IDC_NAME, IDC_CHECK}));
}

TEST_F(Dialogs, RadioArrowsCheckTheButtonTheyReachAndClearTheOthers) {
  UINT checks[3] = {};
  ModalScript script([&](HWND dialog) {
    CheckRadioButton(dialog, IDC_RADIO1, IDC_RADIO3, IDC_RADIO1);
    SetFocus(GetDlgItem(dialog, IDC_RADIO1));
    PressKey(dialog, VK_DOWN);
    PressKey(dialog, VK_DOWN);
    for (int i = 0; i < 3; ++i) checks[i] = IsDlgButtonChecked(dialog, IDC_RADIO1 + i);
    PressKey(dialog, VK_DOWN);  // the group wraps round
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDC_RADIO1);
    EndDialog(dialog, IDOK);
  });
  DialogBoxParam(ThisProgram(), MAKEINTRESOURCE(IDD_ALL), owner.Handle(), RecordingProc, 0);
  EXPECT_EQ(checks[0], static_cast<UINT>(BST_UNCHECKED));
  EXPECT_EQ(checks[1], static_cast<UINT>(BST_UNCHECKED));
  EXPECT_EQ(checks[2], static_cast<UINT>(BST_CHECKED));
}

TEST_F(Dialogs, TheDefaultButtonFollowsSetDefIdAndAFocusedPushButton) {
  ModalScript script([&](HWND dialog) {
    EXPECT_EQ(SendMessage(dialog, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
    SendMessage(dialog, DM_SETDEFID, IDC_MORE, 0);
    EXPECT_EQ(LOWORD(SendMessage(dialog, DM_GETDEFID, 0, 0)), IDC_MORE);
    EXPECT_EQ(GetWindowLong(GetDlgItem(dialog, IDC_MORE), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(GetWindowLong(GetDlgItem(dialog, IDOK), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    PressKey(dialog, VK_RETURN);  // the new default, in a field that does not want Enter
    SetFocus(GetDlgItem(dialog, IDCANCEL));
    PressKey(dialog, VK_RETURN);  // a focused push button is the one Enter presses
  });
  EXPECT_EQ(DialogBoxParam(ThisProgram(), MAKEINTRESOURCE(IDD_ALL), owner.Handle(), RecordingProc, 0), IDCANCEL);
  EXPECT_EQ(record.commands, (std::vector<Command>{{IDC_MORE, BN_CLICKED}, {IDCANCEL, BN_CLICKED}}));
}

INT_PTR CALLBACK NestingProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND && LOWORD(wParam) == IDC_MORE) {
    INT_PTR inner = DialogBoxParam(GetModuleHandle(nullptr), MAKEINTRESOURCE(IDD_PLAIN), dialog, RecordingProc, 0);
    EndDialog(dialog, 100 + inner);
    return TRUE;
  }
  return FALSE;
}

TEST_F(Dialogs, ModalLoopsNestAndEachKeepsItsOwnerDisabled) {
  HWND outer = nullptr;
  bool outerEnabledWhileInner = true;
  bool ownerEnabledWhileInner = true;
  ModalScript script([&](HWND dialog) {
    if (!outer) {
      outer = dialog;
      SendMessage(GetDlgItem(dialog, IDC_MORE), BM_CLICK, 0, 0);
      return;
    }
    outerEnabledWhileInner = IsWindowEnabled(outer);
    ownerEnabledWhileInner = IsWindowEnabled(owner.Handle());
    EXPECT_EQ(GetParent(dialog), outer);
    PressKey(dialog, VK_RETURN);
  });
  EXPECT_EQ(DialogBoxParam(ThisProgram(), MAKEINTRESOURCE(IDD_ALL), owner.Handle(), NestingProc, 0), 100 + IDOK);
  EXPECT_FALSE(outerEnabledWhileInner);
  EXPECT_FALSE(ownerEnabledWhileInner);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
}

INT_PTR CALLBACK ModelessProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
    DestroyWindow(dialog);
    return TRUE;
  }
  return FALSE;
}

TEST_F(Dialogs, AModelessDialogRunsBesideItsOwner) {
  HWND dialog = CreateDialogParam(ThisProgram(), MAKEINTRESOURCE(IDD_SMALL), owner.Handle(), ModelessProc, 0);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(IsWindowVisible(dialog));  // the template asks to be shown
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
  EXPECT_EQ(GetParent(dialog), owner.Handle());
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_NAME));
  TypeText(dialog, "Motor");
  PressKey(dialog, VK_TAB);
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_PASSWORD));
  // The owner's own messages go on meanwhile.
  PostMessage(owner.Handle(), WM_COMMAND, MAKEWPARAM(42, 0), 0);
  DrainThroughDialog(dialog);
  EXPECT_EQ(owner.commands, (std::vector<Command>{{42, 0}}));
  char text[32];
  GetDlgItemText(dialog, IDC_NAME, text, sizeof text);
  EXPECT_STREQ(text, "Motor");
  PressKey(dialog, VK_ESCAPE);
  EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(Dialogs, DialogUnitsComeFromTheDialogsFont) {
  HWND dialog = CreateDialogParam(ThisProgram(), MAKEINTRESOURCE(IDD_PLAIN), owner.Handle(), ModelessProc, 0);
  ASSERT_NE(dialog, nullptr);
  HFONT font = reinterpret_cast<HFONT>(SendMessage(dialog, WM_GETFONT, 0, 0));
  ASSERT_NE(font, nullptr);
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE letters;
  GetTextExtentPoint32(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters);
  TEXTMETRIC metrics;
  GetTextMetrics(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  SIZE base = layer::DialogBaseUnits(dialog);
  EXPECT_EQ(base.cx, (letters.cx / 26 + 1) / 2);
  EXPECT_EQ(base.cy, metrics.tmHeight);
  RECT client;
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, MulDiv(160, base.cx, 4));
  EXPECT_EQ(client.bottom, MulDiv(60, base.cy, 8));
  RECT units{7, 40, 57, 54};  // the OK button's place in the template
  ASSERT_TRUE(MapDialogRect(dialog, &units));
  RECT button;
  GetWindowRect(GetDlgItem(dialog, IDOK), &button);
  POINT corner{button.left, button.top};
  ScreenToClient(dialog, &corner);
  EXPECT_EQ(corner.x, units.left);
  EXPECT_EQ(corner.y, units.top);
  EXPECT_EQ(button.right - button.left, units.right - units.left);
  DestroyWindow(dialog);
}

TEST_F(Dialogs, AControlOfAnUnknownClassFailsTheDialog) {
  SetLastError(0);
  EXPECT_EQ(DialogBoxParam(ThisProgram(), MAKEINTRESOURCE(IDD_UNKNOWN_CLASS), owner.Handle(), RecordingProc, 0), -1);
  EXPECT_EQ(GetLastError(), 1407u);  // ERROR_CANNOT_FIND_WND_CLASS
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
  // The procedure heard of the font before the controls were made, but of no initialisation.
  EXPECT_EQ(record.messages, (std::vector<UINT>{WM_SETFONT}));
}

TEST_F(Dialogs, ItemTextsAndNumbersGoBothWays) {
  HWND dialog = CreateDialogParam(ThisProgram(), MAKEINTRESOURCE(IDD_PLAIN), owner.Handle(), ModelessProc, 0);
  ASSERT_NE(dialog, nullptr);
  struct Case {
    const char* text;
    BOOL isSigned;
    BOOL translated;
    UINT value;
  } cases[] = {
      {"123", FALSE, TRUE, 123},          {" -5 ", TRUE, TRUE, static_cast<UINT>(-5)}, {"-5", FALSE, FALSE, 0},
      {"12a", TRUE, FALSE, 0},            {"", TRUE, FALSE, 0},                         {"4294967295", FALSE, TRUE, 4294967295u},
      {"4294967296", FALSE, FALSE, 0},    {"2147483648", TRUE, FALSE, 0},
  };
  for (const Case& c : cases) {
    SetDlgItemText(dialog, IDC_NAME, c.text);
    BOOL translated = -1;
    EXPECT_EQ(GetDlgItemInt(dialog, IDC_NAME, &translated, c.isSigned), c.value) << c.text;
    EXPECT_EQ(translated, c.translated) << c.text;
  }
  SetDlgItemInt(dialog, IDC_NAME, static_cast<UINT>(-42), TRUE);
  char text[16];
  EXPECT_EQ(GetDlgItemText(dialog, IDC_NAME, text, sizeof text), 3u);
  EXPECT_STREQ(text, "-42");
  EXPECT_EQ(GetDlgItemText(dialog, 4711, text, sizeof text), 0u);  // no such item
  EXPECT_STREQ(text, "");
  EXPECT_EQ(SendDlgItemMessage(dialog, IDC_NAME, WM_GETTEXTLENGTH, 0, 0), 3);
  DestroyWindow(dialog);
}

TEST_F(Dialogs, ControlsAreHiddenMovedDisabledAndRelabelledWhileTheDialogIsUp) {
  ModalScript script([&](HWND dialog) {
    HWND check = GetDlgItem(dialog, IDC_CHECK);
    SetWindowText(check, "&Anders");
    EXPECT_EQ(TextOf(check), "&Anders");
    ShowWindow(GetDlgItem(dialog, IDC_THREE), SW_HIDE);
    EnableWindow(GetDlgItem(dialog, IDC_RADIO1), FALSE);
    MoveWindow(GetDlgItem(dialog, IDC_MORE), 1, 2, 30, 20, TRUE);
    RECT moved;
    GetWindowRect(GetDlgItem(dialog, IDC_MORE), &moved);
    EXPECT_EQ(moved.right - moved.left, 30);
    SetFocus(check);
    PressKey(dialog, VK_TAB);  // past the hidden box, the disabled radio button and the group's others
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDC_KIND);
    PressKey(dialog, 'A', kAlt, 'a');  // the new mnemonic
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDC_CHECK);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_CHECK), static_cast<UINT>(BST_CHECKED));
    EndDialog(dialog, IDOK);
  });
  EXPECT_EQ(DialogBoxParam(ThisProgram(), MAKEINTRESOURCE(IDD_ALL), owner.Handle(), RecordingProc, 0), IDOK);
}

TEST_F(Dialogs, IconsOfTheDialogAreKeptBySetIcon) {
  HWND dialog = CreateDialogParam(ThisProgram(), MAKEINTRESOURCE(IDD_PLAIN), owner.Handle(), ModelessProc, 0);
  HICON big = LoadIcon(ThisProgram(), MAKEINTRESOURCE(IDI_SAMPLE));
  HICON small = LoadIcon(nullptr, IDI_APPLICATION);
  EXPECT_EQ(SendMessage(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big)), 0);
  EXPECT_EQ(SendMessage(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small)), 0);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessage(dialog, WM_GETICON, ICON_BIG, 0)), big);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessage(dialog, WM_SETICON, ICON_SMALL, 0)), small);
  DestroyWindow(dialog);
}

TEST_F(Dialogs, AQuitMessageEndsTheModalLoopAndIsPostedAgain) {
  ModalScript script([](HWND) { PostQuitMessage(3); });
  EXPECT_EQ(DialogBoxParam(ThisProgram(), MAKEINTRESOURCE(IDD_PLAIN), owner.Handle(), RecordingProc, 0), -1);
  int code = 0;
  EXPECT_TRUE(layer::QuitPending(&code));
  EXPECT_EQ(code, 3);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
  MSG msg;
  PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

}  // namespace
