// The dialog that edits the shipping methods or the order variants: entries
// added, changed and deleted, duplicates refused, and the application's list
// changed only on OK.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ProtocolFixture.h"
#include "orderlist/CListEditDlg.h"
#include "orderlist/res/resource.h"
#include "user/Dialogs.h"
#include "win32/UserWindows.h"

namespace {

std::vector<std::string> Entries(const CStringArray& list) {
  std::vector<std::string> entries;
  for (int i = 0; i < list.GetSize(); ++i) entries.emplace_back(list.GetAt(i));
  return entries;
}

class ListEditDialog : public protocol_testing::ProtocolTest {
 protected:
  void SetUp() override {
    ProtocolTest::SetUp();
    m_app = Start();
    ASSERT_TRUE(m_app->m_constructed) << Log();
    m_app->m_va_list.Add("Post");
    m_app->m_va_list.Add("Bahn");
    m_app->m_bv_list.Add("Eil");
  }
  // Runs the dialog; the script acts on it as the user would.
  INT_PTR Run(int selector, std::function<void(HWND)> script) {
    layer::ModalHook previous = layer::SetModalHook([&](HWND dialog) {
      m_caption = WindowText(dialog);
      m_shown = ListBoxEntries(dialog);
      script(dialog);
    });
    CListEditDlg dialog(*m_app, selector == 0 ? "Versandarten" : "Auftragsarten", selector);
    const INT_PTR result = dialog.DoModal();
    layer::SetModalHook(previous);
    return result;
  }
  static void Type(HWND dialog, const char* text) { SetDlgItemText(dialog, IDC_LIST_ENTRY, text); }
  static void Press(HWND dialog, int button) {
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
  }
  static std::string WindowText(HWND window) {
    char text[256] = "";
    GetWindowText(window, text, sizeof text);
    return text;
  }
  static std::vector<std::string> ListBoxEntries(HWND dialog) {
    std::vector<std::string> entries;
    HWND list = GetDlgItem(dialog, IDC_LIST_ENTRIES);
    const int count = static_cast<int>(SendMessage(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      char text[256] = "";
      SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      entries.emplace_back(text);
    }
    return entries;
  }

  std::unique_ptr<CProtocolApp> m_app;
  std::string m_caption;
  std::vector<std::string> m_shown;
};

TEST_F(ListEditDialog, TheSelectorChoosesTheList) {
  EXPECT_EQ(Run(0, [](HWND dialog) { Press(dialog, IDCANCEL); }), IDCANCEL);
  EXPECT_EQ(m_caption, "Versandarten");
  EXPECT_EQ(m_shown, (std::vector<std::string>{"Bahn", "Post"}));  // sorted
  Run(1, [](HWND dialog) { Press(dialog, IDCANCEL); });
  EXPECT_EQ(m_caption, "Auftragsarten");
  EXPECT_EQ(m_shown, std::vector<std::string>{"Eil"});
}

TEST_F(ListEditDialog, EntriesAreAddedChangedAndDeleted) {
  std::vector<std::string> seen;
  m_answer = IDYES;
  EXPECT_EQ(Run(0,
                [&](HWND dialog) {
                  EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_LIST_ADD)), "Neu");
                  Type(dialog, "Kurier");
                  Press(dialog, IDC_LIST_ADD);
                  Type(dialog, "Post");
                  Press(dialog, IDC_LIST_ADD);  // there already
                  SendDlgItemMessage(dialog, IDC_LIST_ENTRIES, LB_SETCURSEL, 0, 0);  // Bahn
                  Type(dialog, "Schiene");
                  Press(dialog, IDC_LIST_CHANGE);
                  SendDlgItemMessage(dialog, IDC_LIST_ENTRIES, LB_SETCURSEL, 1, 0);  // Post
                  Press(dialog, IDC_LIST_DELETE);
                  seen = ListBoxEntries(dialog);
                  Type(dialog, "");
                  Press(dialog, IDOK);
                }),
            IDOK);
  EXPECT_EQ(seen, (std::vector<std::string>{"Kurier", "Schiene"}));
  EXPECT_EQ(Entries(m_app->m_va_list), (std::vector<std::string>{"Kurier", "Schiene"}));
  EXPECT_EQ(m_boxes, (std::vector<std::string>{"Eintrag gibt es schon", "Eintrag l\xf6schen ?"}));
  EXPECT_EQ(Entries(m_app->m_bv_list), std::vector<std::string>{"Eil"});
}

TEST_F(ListEditDialog, OkTakesATypedEntryOfTwoCharactersOrMore) {
  Run(1, [](HWND dialog) {
    Type(dialog, "X");
    Press(dialog, IDOK);
  });
  EXPECT_EQ(Entries(m_app->m_bv_list), std::vector<std::string>{"Eil"});
  Run(1, [](HWND dialog) {
    Type(dialog, "X");
    Press(dialog, IDC_LIST_ADD);  // Add takes one character
    Type(dialog, "Normal");
    Press(dialog, IDOK);
  });
  EXPECT_EQ(Entries(m_app->m_bv_list), (std::vector<std::string>{"Eil", "Normal", "X"}));
}

TEST_F(ListEditDialog, CancelKeepsTheList) {
  m_answer = IDYES;
  Run(0, [](HWND dialog) {
    Press(dialog, IDC_LIST_DELETE);
    Press(dialog, IDC_LIST_DELETE);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_LIST_DELETE)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_LIST_CHANGE)));
    Press(dialog, IDCANCEL);
  });
  EXPECT_EQ(Entries(m_app->m_va_list), (std::vector<std::string>{"Post", "Bahn"}));
}

}  // namespace
