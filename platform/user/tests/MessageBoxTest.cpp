// Message boxes as windows owned by the caller's window: their buttons,
// icons and default button, the keys that close them, the owner kept
// disabled, and an owner that re-labels the buttons while the box is up.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UserTestSupport.h"
#include "user/MessageBoxWindow.h"
#include "win32/Icons.h"

using namespace layer::testing;

namespace {

// Message boxes show as windows for the life of the object.
class WindowBoxes {
 public:
  WindowBoxes() : m_previous(layer::SetMessageBoxPresenter(layer::ShowMessageBoxWindow)) {}
  ~WindowBoxes() { layer::SetMessageBoxPresenter(m_previous); }

 private:
  layer::MessageBoxPresenter m_previous;
};

std::vector<std::string> ButtonTexts(HWND box) {
  std::vector<std::string> texts;
  for (int id = IDOK; id <= IDNO; ++id)
    if (HWND button = GetDlgItem(box, id)) texts.push_back(TextOf(button));
  return texts;
}

TEST(MessageBoxes, EachTypeShowsItsButtonsAndAnswersTheOnePressed) {
  OwnerWindow owner;
  WindowBoxes windows;
  struct Case {
    const char* name;
    UINT type;
    std::vector<std::string> buttons;
    int key;
    int expected;
  } cases[] = {
      {"OK, Enter", MB_OK, {"OK"}, VK_RETURN, IDOK},
      {"OK, Escape", MB_OK, {"OK"}, VK_ESCAPE, IDOK},
      {"OK/Cancel, Escape", MB_OKCANCEL, {"OK", "Abbrechen"}, VK_ESCAPE, IDCANCEL},
      {"Yes/No, Enter", MB_YESNO | MB_ICONQUESTION, {"&Ja", "&Nein"}, VK_RETURN, IDYES},
      {"Yes/No, second default", MB_YESNO | MB_DEFBUTTON2, {"&Ja", "&Nein"}, VK_RETURN, IDNO},
      {"Yes/No/Cancel, Escape", MB_YESNOCANCEL, {"Abbrechen", "&Ja", "&Nein"}, VK_ESCAPE, IDCANCEL},
      {"Abort/Retry/Ignore, third default", MB_ABORTRETRYIGNORE | MB_DEFBUTTON3,
       {"&Abbrechen", "&Wiederholen", "&Ignorieren"}, VK_RETURN, IDIGNORE},
      {"Retry/Cancel, mnemonic", MB_RETRYCANCEL, {"Abbrechen", "&Wiederholen"}, 'W', IDRETRY},
  };
  for (const Case& c : cases) {
    std::vector<std::string> buttons;
    bool ownerDisabled = false;
    ModalScript script([&](HWND box) {
      buttons = ButtonTexts(box);
      ownerDisabled = !IsWindowEnabled(owner.Handle());
      EXPECT_EQ(GetParent(box), owner.Handle()) << c.name;
      EXPECT_EQ(TextOf(box), "Frage") << c.name;
      if (c.key == 'W') PressKey(box, 'W', kAlt, 'w');
      else PressKey(box, c.key);
    });
    EXPECT_EQ(MessageBox(owner.Handle(), "Weiter?", "Frage", c.type), c.expected) << c.name;
    EXPECT_EQ(buttons, c.buttons) << c.name;
    EXPECT_TRUE(ownerDisabled) << c.name;
    EXPECT_TRUE(IsWindowEnabled(owner.Handle())) << c.name;
  }
}

TEST(MessageBoxes, EscapeDoesNothingWhereThereIsNoCancel) {
  OwnerWindow owner;
  WindowBoxes windows;
  bool stillUp = false;
  ModalScript script([&](HWND box) {
    PressKey(box, VK_ESCAPE);
    stillUp = IsWindowVisible(box) != FALSE;
    PressKey(box, 'N', kAlt, 'n');
  });
  EXPECT_EQ(MessageBox(owner.Handle(), "Speichern?", "VOD", MB_YESNO), IDNO);
  EXPECT_TRUE(stillUp);
}

TEST(MessageBoxes, TheOwnersDeactivationNamesTheBoxSoItsButtonsCanBeRelabelled) {
  OwnerWindow owner;
  WindowBoxes windows;
  HWND named = nullptr;
  owner.answer = [&](UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message != WM_ACTIVATE || LOWORD(wParam) != WA_INACTIVE) return 0;
    HWND box = reinterpret_cast<HWND>(lParam);
    if (!box || GetParent(box) != owner.Handle()) return 0;
    named = box;
    SetDlgItemText(box, IDYES, "&Yes");
    SetDlgItemText(box, IDNO, "N&o");
    SetDlgItemText(box, IDCANCEL, "Cancel");
    return 0;
  };
  SetActiveWindow(owner.Handle());
  std::vector<std::string> buttons;
  ModalScript script([&](HWND box) {
    EXPECT_EQ(named, box);
    buttons = ButtonTexts(box);
    PressKey(box, 'O', kAlt, 'o');  // the new mnemonic
  });
  EXPECT_EQ(MessageBox(owner.Handle(), "Auftrag speichern?", "Bestellung", MB_YESNOCANCEL | MB_ICONQUESTION), IDNO);
  EXPECT_EQ(buttons, (std::vector<std::string>{"Cancel", "&Yes", "N&o"}));
}

TEST(MessageBoxes, TheBoxShowsItsIconAndSoundsTheAlert) {
  OwnerWindow owner;
  WindowBoxes windows;
  int beepsBefore = layer::BeepCount();
  bool hasIcon = false;
  ModalScript script([&](HWND box) {
    HWND icon = GetDlgItem(box, 20);
    hasIcon = icon && SendMessage(icon, STM_GETICON, 0, 0) != 0;
    PressKey(box, VK_RETURN);
  });
  MessageBox(owner.Handle(), "Kein Drucker\nNo Printer", "VOD", MB_OK | MB_ICONERROR);
  EXPECT_TRUE(hasIcon);
  EXPECT_EQ(layer::BeepCount(), beepsBefore + 1);
}

TEST(MessageBoxes, ATaskModalBoxWithoutOwnerDisablesTheThreadsWindows) {
  OwnerWindow owner;
  WindowBoxes windows;
  bool ownerDisabled = false;
  HWND boxOwner = owner.Handle();
  ModalScript script([&](HWND box) {
    ownerDisabled = !IsWindowEnabled(owner.Handle());
    boxOwner = GetParent(box);
    PressKey(box, VK_RETURN);
  });
  EXPECT_EQ(MessageBox(nullptr, "VOD ist noch am Drucken!", "VOD", MB_OK | MB_ICONERROR | MB_TASKMODAL), IDOK);
  EXPECT_TRUE(ownerDisabled);
  EXPECT_EQ(boxOwner, nullptr);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
}

TEST(MessageBoxes, LongTextsWrapAndTheBoxGrowsWithThem) {
  OwnerWindow owner;
  WindowBoxes windows;
  RECT small{}, large{};
  ModalScript script([&](HWND box) {
    GetWindowRect(box, small.right ? &large : &small);
    PressKey(box, VK_RETURN);
  });
  MessageBox(owner.Handle(), "Kurz.", "VOD", MB_OK);
  std::string text(600, 'x');
  for (std::size_t i = 7; i < text.size(); i += 8) text[i] = ' ';
  MessageBox(owner.Handle(), text.c_str(), "VOD", MB_OK);
  EXPECT_GT(large.right - large.left, small.right - small.left);
  EXPECT_GT(large.bottom - large.top, small.bottom - small.top);
  EXPECT_LT(large.right - large.left, 600);  // wrapped, not one endless line
}

}  // namespace
