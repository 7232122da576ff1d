// The parts-info window run modally as the order list opens it: its rows and
// prices, ordering with a quantity, rows that arrive while it is open, the
// note, history and service buttons, and where it opens.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "comctl/CommCtrl.h"
#include "interfaces/ProtocolCommands.h"
#include "mfc/CDC.h"
#include "partsinfo/CPartsInfoDlg.h"
#include "partsinfo/tests/PartsInfoFixture.h"
#include "user/Dialogs.h"
#include "win32/Clock.h"
#include "win32/Gdi.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

using namespace partsinfo_testing;

namespace {

std::string TextOf(HWND window, int id) {
  char text[256] = {};
  GetWindowText(GetDlgItem(window, id), text, sizeof text);
  return text;
}

bool Shown(HWND window, int id) { return IsWindowVisible(GetDlgItem(window, id)) != FALSE; }
bool Enabled(HWND window, int id) { return IsWindowEnabled(GetDlgItem(window, id)) != FALSE; }
int RowsShown(HWND window) { return static_cast<int>(SendMessage(GetDlgItem(window, IDC_PARTS_LIST), LVM_GETITEMCOUNT, 0, 0)); }

void Press(HWND window, int id) {
  SendMessage(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

// A click on a row of the list, as the list tells its window of it.
void ClickRow(HWND window, int row) {
  HWND list = GetDlgItem(window, IDC_PARTS_LIST);
  LVITEM state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessage(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessage(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
  NMITEMACTIVATE click{};
  click.hdr.hwndFrom = list;
  click.hdr.idFrom = IDC_PARTS_LIST;
  click.hdr.code = NM_CLICK;
  click.iItem = row;
  SendMessage(window, WM_NOTIFY, IDC_PARTS_LIST, reinterpret_cast<LPARAM>(&click));
}

class PartsInfoWindow : public PartsInfoTest {
 protected:
  void SetUp() override {
    PartsInfoTest::SetUp();
    for (const char* set : {"notizja", "notiznein", "vor", "nach", "baugruppe", "dienst"})
      for (const char* state : {"U", "D", "F", "X"})
        m_folder.Write(std::string("bmp/") + set + state + ".BMP", BitmapFile(16, 16, 0, 96, 160));
  }
  std::string Buttons() const {
    const std::string base = m_folder / "bmp/";
    return Ini({"[BUTTON]", "NotizYes=" + base + "notizja", "NotizNo=" + base + "notiznein",
                "HistoryVor=" + base + "vor", "HistoryNach=" + base + "nach", "Assembly=" + base + "baugruppe",
                "Service1=" + base + "dienst"});
  }
  // Opens the window on a block; the script works it while it is up.
  void Open(CPartsInfoApp& app, const std::string& block, std::function<void(HWND)> script, int tag = TIF_COMMAND_SHOW) {
    bool ran = false;
    layer::ModalHook previous = layer::SetModalHook([&](HWND window) {
      if (ran) return;  // boxes the window shows are answered by the fixture
      ran = true;
      script(window);
    });
    Post(app, block, tag);
    layer::SetModalHook(previous);
    EXPECT_TRUE(ran);
    EXPECT_FALSE(app.m_window_open);
  }
};

TEST_F(PartsInfoWindow, ShowsAPartWithItsPricesAndOrdersAQuantity) {
  auto app = Start();
  Open(*app, Bytes("\0K-100\0Pumpe\0\0\0"), [&](HWND window) {
    char caption[64] = {};
    GetWindowText(window, caption, sizeof caption);
    EXPECT_STREQ(caption, "Teile Information");
    EXPECT_EQ(TextOf(window, IDOK), "&Bestellen");
    EXPECT_EQ(TextOf(window, IDC_QUANTITY_LABEL), "Menge");
    EXPECT_EQ(RowsShown(window), 1);
    EXPECT_EQ(TextOf(window, IDC_PRICE1_LABEL), "EUR :");
    EXPECT_EQ(TextOf(window, IDC_PRICE1), "123,45");
    EXPECT_EQ(TextOf(window, IDC_PRICE2_LABEL), "DEM :");
    EXPECT_EQ(TextOf(window, IDC_PRICE2), "241,45");
    EXPECT_EQ(TextOf(window, IDC_VAT_LABEL), "MwSt");
    EXPECT_EQ(TextOf(window, IDC_VAT), "16,0%");
    EXPECT_EQ(TextOf(window, IDC_DISCOUNT), "R5");
    EXPECT_EQ(TextOf(window, IDC_QUANTITY), "1");
    EXPECT_TRUE(Enabled(window, IDOK));
    SetDlgItemText(window, IDC_QUANTITY, "3");
    Press(window, IDOK);
  });
  EXPECT_EQ(Answers(PROTOCOL_CMD_ORDER_ANSWER),
            std::vector<std::string>{Bytes("3\0K-100\0Pumpe\0Geh\xe4use\0" "12345\0" "1\0" "R5\0" "\0")});
  // The window's place is kept for the next time.
  const std::string user = m_folder.Read("user/QorV4TIF_User.ini");
  EXPECT_NE(user.find("XPos="), std::string::npos);
  EXPECT_NE(user.find("YPos="), std::string::npos);
}

TEST_F(PartsInfoWindow, APartWithoutPriceShowsZeroAndHidesTheRest) {
  auto app = Start();
  Open(*app, Bytes("2\0K-300\0\0\0\0"), [&](HWND window) {
    EXPECT_EQ(TextOf(window, IDC_PRICE1), "0,00");
    EXPECT_TRUE(Shown(window, IDC_PRICE1));
    for (int id : {IDC_PRICE2, IDC_VAT, IDC_DISCOUNT, IDC_DISCOUNT_LABEL}) EXPECT_FALSE(Shown(window, id)) << id;
    Press(window, IDOK);
  });
  EXPECT_EQ(Answers(PROTOCOL_CMD_ORDER_ANSWER), std::vector<std::string>{Bytes("2\0K-300\0\0\0" "0\0" "0\0" "\0" "\0")});
}

TEST_F(PartsInfoWindow, StaysOpenForFurtherOrdersWhileItHoldsSeveralRows) {
  auto app = Start();
  bool openAfterOrder = false;
  Open(*app, Bytes("1\0K-100\0\0\0" "2\0K-200\0\0\0" "3\0K-300\0\0\0\0"), [&](HWND window) {
    EXPECT_EQ(RowsShown(window), 3);
    ClickRow(window, 1);
    EXPECT_EQ(TextOf(window, IDC_QUANTITY), "2");
    EXPECT_EQ(TextOf(window, IDC_PRICE1), "10,00");
    Press(window, IDOK);
    openAfterOrder = IsWindow(window) && IsWindowVisible(window);
    Press(window, IDCANCEL);
  });
  EXPECT_TRUE(openAfterOrder);
  EXPECT_EQ(Answers(PROTOCOL_CMD_ORDER_ANSWER).size(), 1u);
}

TEST_F(PartsInfoWindow, AnOrderTheOrderListDoesNotTakeIsReportedAndTheRowStays) {
  auto app = Start();
  HWND gone = CreateWindow("Static", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  app->m_order_window = gone;
  bool stillOpen = false;
  Open(*app, Bytes("1\0K-100\0\0\0\0"), [&](HWND window) {
    Press(window, IDOK);
    stillOpen = IsWindow(window) && RowsShown(window) == 1;
    Press(window, IDCANCEL);
  });
  EXPECT_TRUE(stillOpen);
  ASSERT_EQ(m_boxes.size(), 1u);
  EXPECT_NE(m_boxes[0].find("nicht angenommen"), std::string::npos);
}

TEST_F(PartsInfoWindow, EveryRowOfABlockReachesTheOpenWindow) {
  auto app = Start();
  Open(*app, Bytes("1\0K-100\0\0\0\0"), [&](HWND window) {
    Post(*app, Bytes("4\0K-200\0\0\0" "5\0K-300\0\0\0\0"), TIF_COMMAND_SHOW);
    EXPECT_EQ(RowsShown(window), 2);
    EXPECT_EQ(TextOf(window, IDC_QUANTITY), "4");
    EXPECT_EQ(TextOf(window, IDC_PRICE1), "10,00");
    Press(window, IDCANCEL);
  });
  EXPECT_TRUE(m_orderList.copies.empty());
}

TEST_F(PartsInfoWindow, AnOrderThatFailsThePartChecksOpensTheWindowWithoutOrdering) {
  WriteSettings("", Buttons());
  auto app = Start();
  app->SetPartChecks(3, 1, 1);
  Open(
      *app, Bytes("1\0K-200\0\0\0\0"),
      [&](HWND window) {
        EXPECT_FALSE(Enabled(window, IDOK));
        ClickRow(window, 0);
        EXPECT_FALSE(Enabled(window, IDOK));  // decided by the failed order
        Press(window, IDOK);
        Press(window, IDC_LATER_PART);  // P200 has a later part: P100, which may be ordered
        EXPECT_EQ(TextOf(window, IDC_HEADER), "Nachfolger von K-200");
        EXPECT_EQ(RowsShown(window), 1);
        EXPECT_TRUE(Enabled(window, IDOK));
        Press(window, IDCANCEL);
      },
      TIF_COMMAND_ORDER);
  EXPECT_TRUE(m_orderList.copies.empty());
}

TEST_F(PartsInfoWindow, HistoryButtonsShowTheEarlierPartsAndTheAssembly) {
  WriteSettings("", Buttons());
  auto app = Start();
  Open(*app, Bytes("1\0K-100\0\0\0\0"), [&](HWND window) {
    EXPECT_TRUE(Shown(window, IDC_EARLIER_PART));
    EXPECT_FALSE(Shown(window, IDC_LATER_PART));
    EXPECT_TRUE(Shown(window, IDC_ASSEMBLY));
    EXPECT_FALSE(Shown(window, IDC_HEADER)) << "an empty header shows as an empty label";
    Press(window, IDC_EARLIER_PART);
    EXPECT_EQ(TextOf(window, IDC_HEADER), "Vorg\xe4nger von K-100");
    EXPECT_TRUE(Shown(window, IDC_HEADER));
    EXPECT_EQ(RowsShown(window), 2);
    EXPECT_EQ(TextOf(window, IDC_QUANTITY), "2");
    ClickRow(window, 0);
    EXPECT_EQ(TextOf(window, IDC_QUANTITY), "2");
    Press(window, IDCANCEL);
  });
}

TEST_F(PartsInfoWindow, TheNoteButtonMakesTheNoteAndStartsTheEditor) {
  const std::string editor = m_folder / "editor.sh";
  m_folder.Write("editor.sh", "#!/bin/sh\necho \"$@\" > \"$PWD/editor.args\"\n");
  chmod(editor.c_str(), 0755);
  WriteSettings("NotizEditor=" + editor + "\r\n", Buttons());
  auto app = Start();
  Open(*app, Bytes("1\0K-100\0\0\0\0"), [&](HWND window) {
    EXPECT_TRUE(Shown(window, IDC_NOTE));
    EXPECT_FALSE(app->m_window->m_has_note);
    Press(window, IDC_NOTE);
    Press(window, IDCANCEL);
  });
  EXPECT_TRUE(m_folder.Exists("user/Notizen/Teile/P100.notiz"));
  for (int wait = 0; wait < 200 && !m_folder.Exists("user/Notizen/Teile/editor.args"); ++wait) usleep(10000);
  EXPECT_EQ(m_folder.Read("user/Notizen/Teile/editor.args"), "P100.notiz\n");
}

TEST_F(PartsInfoWindow, AServiceButtonAppearsForAPartWithItsDocument) {
  m_folder.Write("docs/p100.pdf", "%PDF");
  WriteSettings("Service1=1\r\nServiceCol1=2\r\nServiceDir1=" + (m_folder / "docs") + "\r\nServiceView1=/bin/true\r\n",
                Buttons());
  auto app = Start();
  Open(*app, Bytes("1\0K-100\0\0\0" "1\0K-300\0\0\0\0"), [&](HWND window) {
    EXPECT_TRUE(Shown(window, IDC_SERVICE1));
    EXPECT_TRUE(Enabled(window, IDC_SERVICE1));
    EXPECT_EQ(app->m_window->m_service_paths[0], CString((m_folder / "docs").c_str()) + "\\p100.pdf");
    ClickRow(window, 1);
    EXPECT_FALSE(Shown(window, IDC_SERVICE1));
    Press(window, IDCANCEL);
  });
}

TEST_F(PartsInfoWindow, AStoredPlaceBeyondTheScreenOpensFlushWithItsEdge) {
  m_folder.Write("user/QorV4TIF_User.ini", Ini({"[SYSTEM]", "XPos=100000", "YPos=20"}));
  auto app = Start();
  RECT placed{};
  Open(*app, Bytes("1\0K-100\0\0\0\0"), [&](HWND window) {
    GetWindowRect(window, &placed);
    Press(window, IDCANCEL);
  });
  EXPECT_EQ(placed.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(placed.top, 20);
}

TEST_F(PartsInfoWindow, ADoubleClickOnADividerFitsTheColumnToItsWidestText) {
  auto app = Start();
  int fitted = 0, expected = 0;
  Open(*app, Bytes("1\0K-100\0Kreiselpumpe mit Geh\xe4use\0\0\0"), [&](HWND window) {
    HWND list = GetDlgItem(window, IDC_PARTS_LIST);
    SendMessage(list, LVM_SETCOLUMNWIDTH, 2, MAKELPARAM(30, 0));
    NMHEADER note{};
    note.hdr.hwndFrom = reinterpret_cast<HWND>(SendMessage(list, LVM_GETHEADER, 0, 0));
    note.hdr.code = HDN_DIVIDERDBLCLICK;
    note.iItem = 2;
    SendMessage(list, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&note));
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
    fitted = static_cast<int>(SendMessage(list, LVM_GETCOLUMNWIDTH, 2, 0));
    expected = static_cast<int>(SendMessage(list, LVM_GETSTRINGWIDTH, 0,
                                            reinterpret_cast<LPARAM>("Kreiselpumpe mit Geh\xe4use"))) + 24;
    Press(window, IDCANCEL);
  });
  EXPECT_EQ(fitted, expected);
}

TEST(PartsInfoColumns, ATextWiderThanItsColumnIsCutWithTwoDots) {
  HDC screen = GetDC(nullptr);
  CDC* dc = CDC::FromHandle(screen);
  const CString text = "Kreiselpumpe mit Geh\xe4use";
  const int full = dc->GetTextExtent(text).cx;
  EXPECT_STREQ(FitColumnText(*dc, text, full), text);
  const CString cut = FitColumnText(*dc, text, full / 2);
  EXPECT_EQ(cut.Right(2), "..");
  EXPECT_LT(cut.GetLength(), text.GetLength());
  EXPECT_LE(dc->GetTextExtent(cut.Left(cut.GetLength() - 2)).cx, full / 2);
  EXPECT_STREQ(FitColumnText(*dc, text, 0), "..");
  ReleaseDC(nullptr, screen);
}

}  // namespace
