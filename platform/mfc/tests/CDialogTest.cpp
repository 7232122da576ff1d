// Dialogs of the class library: a resource dialog with every control kind,
// filled through data exchange, worked with the keys and closed with OK or
// Escape; checks that keep it open; modeless dialogs; controls that draw
// themselves.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../../user/tests/UserTestSupport.h"
#include "../../user/tests/res/resource.h"
#include "mfc/CButton.h"
#include "mfc/CComboBox.h"
#include "mfc/CDialog.h"
#include "mfc/CListBox.h"
#include "win32/MessageBox.h"

using namespace layer::testing;

namespace {

class PartsDialog : public CDialog {
 public:
  explicit PartsDialog(CWnd* parent) : CDialog(IDD_ALL, parent) {}

  CString m_name = "Motor";
  int m_check = 1;
  int m_three = 2;
  int m_radio = 1;
  CString m_kind = "Mittel";
  int m_list = 2;
  CComboBox m_town;
  bool m_initialised = false;

 protected:
  BOOL OnInitDialog() override {
    m_initialised = true;
    for (const char* kind : {"Klein", "Mittel", "Gro\xDF"}) SendDlgItemMessage(IDC_KIND, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kind));
    for (const char* part : {"Achse", "Messer", "Rad"}) SendDlgItemMessage(IDC_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(part));
    return CDialog::OnInitDialog();
  }
  void DoDataExchange(CDataExchange* exchange) override {
    DDX_Control(exchange, IDC_TOWN, m_town);
    DDX_Text(exchange, IDC_NAME, m_name);
    DDV_MaxChars(exchange, m_name, 10);
    DDX_Check(exchange, IDC_CHECK, m_check);
    DDX_Check(exchange, IDC_THREE, m_three);
    DDX_Radio(exchange, IDC_RADIO1, m_radio);
    DDX_CBString(exchange, IDC_KIND, m_kind);
    DDX_LBIndex(exchange, IDC_LIST, m_list);
  }
};

class Boxes {
 public:
  Boxes()
      : m_previous(layer::SetMessageBoxPresenter([this](HWND, const char* text, const char*, UINT) {
          texts.push_back(text);
          return IDOK;
        })) {}
  ~Boxes() { layer::SetMessageBoxPresenter(m_previous); }
  std::vector<std::string> texts;

 private:
  layer::MessageBoxPresenter m_previous;
};

TEST(CDialog, AResourceDialogIsFilledWorkedByKeysAndGivesItsDataBackOnOK) {
  OwnerWindow owner;
  CWnd* parent = CWnd::FromHandle(owner.Handle());
  PartsDialog dialog(parent);
  ModalScript script([&](HWND window) {
    // Filled through the exchange.
    EXPECT_EQ(TextOf(::GetDlgItem(window, IDC_NAME)), "Motor");
    EXPECT_EQ(::IsDlgButtonChecked(window, IDC_CHECK), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(::IsDlgButtonChecked(window, IDC_THREE), static_cast<UINT>(BST_INDETERMINATE));
    EXPECT_EQ(::IsDlgButtonChecked(window, IDC_RADIO2), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(TextOf(::GetDlgItem(window, IDC_KIND)), "Mittel");
    EXPECT_EQ(::SendDlgItemMessage(window, IDC_LIST, LB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(dialog.m_town.m_hWnd, ::GetDlgItem(window, IDC_TOWN));
    // Worked with the keys.
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(window, IDC_NAME));
    PressKey(window, VK_END);
    TypeText(window, "en");
    PressKey(window, VK_TAB);             // the check box
    PressKey(window, VK_SPACE, kNone, ' ');  // unchecks it
    PressKey(window, VK_TAB);             // the three-state box
    PressKey(window, VK_TAB);             // the radio group's tab stop
    PressKey(window, VK_DOWN);            // ... and the next one
    PressKey(window, VK_TAB);             // the drop-down list
    PressKey(window, VK_UP);
    PressKey(window, VK_RETURN);          // the default button
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_TRUE(dialog.m_initialised);
  EXPECT_STREQ(dialog.m_name, "Motoren");
  EXPECT_EQ(dialog.m_check, 0);
  EXPECT_EQ(dialog.m_three, 2);
  EXPECT_EQ(dialog.m_radio, 1);  // radio 1 was first in tab order; the arrow moved on to the second
  EXPECT_STREQ(dialog.m_kind, "Klein");
  EXPECT_EQ(dialog.m_list, 2);
  EXPECT_EQ(dialog.m_hWnd, nullptr);
  EXPECT_EQ(dialog.m_town.m_hWnd, nullptr);
}

TEST(CDialog, EscapeCancelsAndLeavesTheDataAsItWas) {
  OwnerWindow owner;
  PartsDialog dialog(CWnd::FromHandle(owner.Handle()));
  ModalScript script([&](HWND window) {
    TypeText(window, "x");
    PressKey(window, VK_ESCAPE);
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_STREQ(dialog.m_name, "Motor");
}

TEST(CDialog, AFailedCheckTellsTheUserAndKeepsTheDialogOpenAtTheField) {
  OwnerWindow owner;
  PartsDialog dialog(CWnd::FromHandle(owner.Handle()));
  Boxes boxes;
  bool stillOpen = false;
  DWORD selection = 0;
  ModalScript script([&](HWND window) {
    ::SetDlgItemText(window, IDC_NAME, "Ein viel zu langer Name");
    ::SetFocus(::GetDlgItem(window, IDC_CHECK));
    PressKey(window, VK_RETURN);
    stillOpen = ::IsWindowVisible(window) != FALSE;
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(window, IDC_NAME));
    selection = static_cast<DWORD>(::SendDlgItemMessage(window, IDC_NAME, EM_GETSEL, 0, 0));
    ::SetDlgItemText(window, IDC_NAME, "Kurz");
    PressKey(window, VK_RETURN);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(selection, static_cast<DWORD>(MAKELONG(0, 23)));
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_NE(boxes.texts[0].find("10"), std::string::npos);
  EXPECT_STREQ(dialog.m_name, "Kurz");
}

class SideDialog : public CDialog {
 public:
  SideDialog() = default;
  void OnCancel() override { DestroyWindow(); }
};

TEST(CDialog, AModelessDialogTakesItsKeysThroughPreTranslateMessage) {
  OwnerWindow owner;
  SideDialog dialog;
  ASSERT_TRUE(dialog.Create(IDD_SMALL, CWnd::FromHandle(owner.Handle())));
  EXPECT_TRUE(dialog.IsWindowVisible());
  EXPECT_TRUE(::IsWindowEnabled(owner.Handle()));
  MSG tab{::GetFocus(), WM_KEYDOWN, VK_TAB, 1, 0, {}};
  EXPECT_TRUE(dialog.PreTranslateMessage(&tab));
  EXPECT_EQ(::GetFocus(), ::GetDlgItem(dialog.m_hWnd, IDC_PASSWORD));
  MSG escape{::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
  EXPECT_TRUE(dialog.PreTranslateMessage(&escape));
  EXPECT_EQ(dialog.m_hWnd, nullptr);
}

class DrawnButton : public CButton {
 public:
  void DrawItem(LPDRAWITEMSTRUCT item) override { drawn.push_back(item->CtlID); }
  std::vector<UINT> drawn;
};

class DrawingDialog : public CDialog {
 public:
  explicit DrawingDialog(CWnd* parent) : CDialog(IDD_ALL, parent) {}
  DrawnButton m_drawn;

 protected:
  void DoDataExchange(CDataExchange* exchange) override { DDX_Control(exchange, IDC_DRAWN, m_drawn); }
};

TEST(CDialog, AnOwnerDrawnControlBoundToAnObjectDrawsItself) {
  OwnerWindow owner;
  DrawingDialog dialog(CWnd::FromHandle(owner.Handle()));
  ModalScript script([&](HWND window) {
    ::RedrawWindow(::GetDlgItem(window, IDC_DRAWN), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    dialog.EndDialog(IDOK);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  ASSERT_FALSE(dialog.m_drawn.drawn.empty());
  EXPECT_EQ(dialog.m_drawn.drawn.back(), static_cast<UINT>(IDC_DRAWN));
}

TEST(CDialog, ATemplateThatDoesNotExistGivesMinusOne) {
  CDialog dialog(4711u);
  EXPECT_EQ(dialog.DoModal(), -1);
}

}  // namespace
