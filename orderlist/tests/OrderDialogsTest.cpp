// The dialogs that list the order folder: opening an order, managing the
// files (a file that cannot be deleted keeps its row), and the name to save
// under.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "ProtocolFixture.h"
#include "comctl/CommCtrl.h"
#include "orderlist/CMainFrame.h"
#include "orderlist/COpenOrderDlg.h"
#include "orderlist/CSaveOrderDlg.h"
#include "orderlist/res/resource.h"
#include "user/Dialogs.h"
#include "win32/UserWindows.h"

namespace {

using protocol_testing::Line;

class OrderDialogs : public protocol_testing::ProtocolTest {
 protected:
  void SetUp() override {
    ProtocolTest::SetUp();
    InitCommonControls();  // as the program's start does
    m_app = Start();
    ASSERT_TRUE(m_app->m_constructed) << Log();
    for (const char* name : {"Mai.pro", "april.pro", "Juni.pro"}) m_folder.Write(name, "order");
    m_folder.Write("notes.txt", "not an order");
  }
  // Runs a dialog; the script acts on it as the user would.
  INT_PTR Run(CDialog& dialog, std::function<void(HWND)> script) {
    layer::ModalHook previous = layer::SetModalHook([&](HWND window) {
      m_rows = Rows(window);
      script(window);
    });
    const INT_PTR result = dialog.DoModal();
    layer::SetModalHook(previous);
    return result;
  }
  static HWND List(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_ORDER_LIST);
    return list ? list : GetDlgItem(dialog, IDC_SAVE_ORDER_LIST);
  }
  static std::vector<std::string> Rows(HWND dialog) {
    std::vector<std::string> rows;
    const int count = static_cast<int>(SendMessage(List(dialog), LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      char text[64] = "";
      LVITEM item{};
      item.iSubItem = 0;
      item.pszText = text;
      item.cchTextMax = sizeof text;
      SendMessage(List(dialog), LVM_GETITEMTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
      rows.emplace_back(text);
    }
    return rows;
  }
  static void Select(HWND dialog, int row) {
    LVITEM item{};
    item.state = item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessage(List(dialog), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  }
  static void Press(HWND dialog, int button) {
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
  }
  static bool Shown(HWND dialog, int id) { return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE; }

  std::unique_ptr<CProtocolApp> m_app;
  std::vector<std::string> m_rows;
};

TEST_F(OrderDialogs, OpeningNeedsAChosenOrder) {
  COpenOrderDlg dialog(*m_app, COpenOrderDlg::kOpen);
  bool stayedOpen = false, deleteShown = true, cancelShown = false;
  EXPECT_EQ(Run(dialog,
                [&](HWND window) {
                  deleteShown = Shown(window, IDC_ORDER_DELETE);
                  cancelShown = Shown(window, IDCANCEL);
                  Press(window, IDOK);
                  stayedOpen = IsWindowVisible(window) != FALSE;
                  Select(window, 2);
                  Press(window, IDOK);
                }),
            IDOK);
  EXPECT_EQ(m_rows, (std::vector<std::string>{"april", "Juni", "Mai"}));
  EXPECT_TRUE(stayedOpen);
  EXPECT_FALSE(deleteShown);
  EXPECT_TRUE(cancelShown);
  EXPECT_STREQ(dialog.m_name, "Mai");
}

TEST_F(OrderDialogs, AFileThatCannotBeDeletedKeepsItsRow) {
  std::filesystem::create_directory(m_folder / "Fest.pro");  // no file: it cannot be deleted as one
  COpenOrderDlg dialog(*m_app, COpenOrderDlg::kManage);
  std::vector<std::string> afterDeleting, afterRefusal;
  m_answer = IDYES;
  Run(dialog, [&](HWND window) {
    Select(window, 2);  // Juni
    Press(window, IDC_ORDER_DELETE);
    afterDeleting = Rows(window);
    Select(window, 1);  // Fest
    Press(window, IDC_ORDER_DELETE);
    afterRefusal = Rows(window);
    Press(window, IDOK);
  });
  EXPECT_EQ(m_rows, (std::vector<std::string>{"april", "Fest", "Juni", "Mai"}));
  EXPECT_EQ(afterDeleting, (std::vector<std::string>{"april", "Fest", "Mai"}));
  EXPECT_FALSE(m_folder.Exists("Juni.pro"));
  EXPECT_EQ(afterRefusal, afterDeleting);
  const std::string refused = "Datei " + m_folder.Path() + "\\Fest.pro ist schreibgesch\xfctzt";
  EXPECT_EQ(m_boxes, (std::vector<std::string>{"Datei l\xf6schen ?", "Datei l\xf6schen ?", refused}));
  EXPECT_NE(Log().find(refused), std::string::npos);
}

TEST_F(OrderDialogs, TheNameToSaveUnder) {
  struct Case {
    const char* name;
    const char* typed;
    int selected;
    INT_PTR result;
    const char* order;
  } cases[] = {
      {"typed with folder and extension", "C:\\orders\\test.pro", -1, IDOK, "test"},
      {"typed wins over the list", "Neu", 0, IDOK, "Neu"},
      {"from the list", "", 1, IDOK, "Juni"},
  };
  for (const Case& c : cases) {
    CSaveOrderDlg dialog(*m_app);
    EXPECT_EQ(Run(dialog,
                  [&](HWND window) {
                    SetDlgItemText(window, IDC_ORDER_NAME, c.typed);
                    if (c.selected >= 0) Select(window, c.selected);
                    Press(window, IDOK);
                  }),
              c.result)
        << c.name;
    EXPECT_STREQ(dialog.m_name, c.order) << c.name;
  }
  CSaveOrderDlg dialog(*m_app);
  bool stayedOpen = false;
  Run(dialog, [&](HWND window) {
    Press(window, IDOK);  // nothing typed, nothing chosen
    stayedOpen = IsWindowVisible(window) != FALSE;
    Press(window, IDCANCEL);
  });
  EXPECT_TRUE(stayedOpen);
}

TEST_F(OrderDialogs, TheFrameOpensWhatTheDialogChose) {
  CProtocolView writer(*m_app);
  const OrderItem line = Line("A1", "3");
  writer.AddOrderLines(nullptr, &line, 1);
  m_app->m_order_name = "Juni";
  ASSERT_TRUE(writer.WriteOrderFile());
  m_app->m_order_name = "Standard";
  CProtocolView view(*m_app);
  auto* frame = new CMainFrame(m_app.get(), &view);
  ASSERT_TRUE(frame->Create(nullptr, "Protokoll"));
  layer::ModalHook previous = layer::SetModalHook([&](HWND window) {
    Select(window, 1);
    Press(window, IDOK);
  });
  frame->SendMessage(WM_COMMAND, ID_ORDER_OPEN, 0);
  layer::SetModalHook(previous);
  EXPECT_STREQ(m_app->m_order_name, "Juni");
  ASSERT_EQ(view.GetItemCount(), 1);
  EXPECT_STREQ(view.GetItem(0).quantity, "3");
  frame->DestroyWindow();
}

}  // namespace
