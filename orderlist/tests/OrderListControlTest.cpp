// The owner-drawn list whose records take one or more lines, and the order
// view that shows the order in it: records drawn and selected whole, greyed
// ones skipped, deleting renumbers, a locked header; the view's list, count,
// totals and layout follow the order.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "ProtocolFixture.h"
#include "comctl/CommCtrl.h"
#include "mfc/CClientDC.h"
#include "mfc/CDC.h"
#include "mfc/CFont.h"
#include "orderlist/CFileListCtrl.h"
#include "orderlist/CMultiLineLiCtrl.h"
#include "orderlist/res/resource.h"
#include "win32/UserWindows.h"

namespace {

using protocol_testing::Line;

// Records whose cells name their record, column and line, and which notes
// how each record was drawn and where the focus went.
class RecordingList : public CMultiLineLiCtrl {
 public:
  std::vector<std::pair<DWORD, int>> drawn;  // record data and draw state
  std::vector<int> focusChanges;
  std::vector<int> clickedColumns;

 protected:
  bool CellText(DWORD data, int column, int line, CString& text) const override {
    text.Format("r%lu c%d l%d", static_cast<unsigned long>(data), column, line);
    return true;
  }
  void DrawRecordLine(CDC& dc, DWORD data, int line, const CRect& rect, int state) override {
    if (line == 0) drawn.emplace_back(data, state);
    CMultiLineLiCtrl::DrawRecordLine(dc, data, line, rect, state);
  }
  void OnFocusChanged(int record, int) override { focusChanges.push_back(record); }
  void OnColumnClicked(int column) override { clickedColumns.push_back(column); }
};

// A parent that hands the drawing of its lists to them.
class ListParent : public CWnd {
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ListParent, CWnd)
  ON_WM_DRAWITEM()
  ON_WM_MEASUREITEM()
END_MESSAGE_MAP()

class MultiLineList : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_parent.CreateEx(0, nullptr, "Liste", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr));
  }
  void TearDown() override { m_parent.DestroyWindow(); }
  void Make(DWORD style, bool blankLine = false, bool resizable = true) {
    m_list.m_blank_line = blankLine;
    m_list.m_resizable_columns = resizable;
    ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED | style, CRect(0, 0, 380, 280),
                              &m_parent, 1155));
    m_list.TakeWindow();
    m_list.InsertColumn(0, "Teil", 'L', 80);
    m_list.InsertColumn(1, "Menge", 'R', 60);
  }
  DWORD LineData(int line) const { return static_cast<DWORD>(m_list.GetItemData(line)); }
  void Paint() {
    m_list.drawn.clear();
    m_list.Invalidate();
    m_list.UpdateWindow();
  }
  // The state a record was drawn with last.
  int StateOf(DWORD data) const {
    int last = -1;
    for (auto [drawnData, state] : m_list.drawn)
      if (drawnData == data) last = state;
    return last;
  }
  void Click(int line) {
    CRect rect;
    m_list.GetItemRect(line, &rect, LVIR_BOUNDS);
    const LPARAM at = MAKELPARAM(rect.left + 5, rect.top + 2);
    m_list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    m_list.SendMessage(WM_LBUTTONUP, 0, at);
  }

  ListParent m_parent;
  RecordingList m_list;
};

TEST_F(MultiLineList, ARecordOfThreeLinesWithABlankLineTakesFour) {
  Make(LVS_SINGLESEL, true);
  EXPECT_EQ(m_list.AppendRecord(70, 3), 0);
  EXPECT_EQ(m_list.AppendRecord(71, 1), 4);
  EXPECT_EQ(m_list.GetItemCount(), 6);
  EXPECT_EQ(LineData(2), 0u);
  EXPECT_EQ(LineData(3), CMultiLineLiCtrl::kBlankLine);
  EXPECT_EQ(LineData(4), 1u);
  EXPECT_EQ(m_list.IndexOfData(71), 1);
  EXPECT_EQ(m_list.IndexOfData(99), -1);
}

TEST_F(MultiLineList, AClickOnAnyLineSelectsAndDrawsTheWholeRecord) {
  Make(LVS_SINGLESEL);
  m_list.AppendRecord(0, 1);
  m_list.AppendRecord(1, 3);
  m_list.AppendRecord(2, 1);
  Click(2);  // the middle line of record 1
  Paint();
  EXPECT_EQ(m_list.FocusedRecord(), 1);
  EXPECT_EQ(m_list.FocusedData(), 1u);
  EXPECT_EQ(m_list.focusChanges, (std::vector<int>{1}));
  EXPECT_EQ(StateOf(1), CMultiLineLiCtrl::kSelected);
  EXPECT_EQ(StateOf(0), CMultiLineLiCtrl::kNormal);
  EXPECT_EQ(m_list.SelectedCount(), 1);
}

TEST_F(MultiLineList, GreyedRecordsAreDrawnGreyAndSkippedByTheArrowKeys) {
  Make(LVS_SINGLESEL);
  m_list.AppendRecord(0, 1);
  m_list.AppendRecord(1, 2, false);
  m_list.AppendRecord(2, 1);
  m_list.SelectRecord(0, 1);
  m_list.SendMessage(WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(m_list.FocusedRecord(), 2);
  Paint();
  EXPECT_EQ(StateOf(1), CMultiLineLiCtrl::kGreyedState);
  m_list.SendMessage(WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(m_list.FocusedRecord(), 0);
  m_list.SendMessage(WM_KEYDOWN, VK_UP, 0);  // at the top nothing moves
  EXPECT_EQ(m_list.FocusedRecord(), 0);
}

TEST_F(MultiLineList, DeletingARecordInTheMiddleRenumbersTheLaterLines) {
  Make(LVS_SINGLESEL);
  m_list.AppendRecord(10, 2);
  m_list.AppendRecord(11, 2);
  m_list.AppendRecord(12, 2, false);
  m_list.DeleteRecord(11);
  ASSERT_EQ(m_list.GetItemCount(), 4);
  EXPECT_EQ(m_list.RecordCount(), 2);
  EXPECT_EQ(LineData(2), 1u | CMultiLineLiCtrl::kGreyed);
  EXPECT_EQ(m_list.FirstLine(1), 2);
  EXPECT_EQ(m_list.IndexOfData(12), 1);
  Click(3);
  EXPECT_EQ(m_list.SelectedCount(), 0);  // greyed: not selectable
}

TEST_F(MultiLineList, ALockedHeaderRefusesResizingAndSwallowsDoubleClicks) {
  Make(LVS_SINGLESEL, false, false);
  NMHEADER begin{};
  begin.hdr.code = HDN_BEGINTRACK;
  begin.hdr.hwndFrom = reinterpret_cast<HWND>(m_list.SendMessage(LVM_GETHEADER));
  EXPECT_TRUE(m_list.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&begin)));
  const int before = m_list.GetColumnWidth(0);
  CRect first;
  ::SendMessage(begin.hdr.hwndFrom, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  ::SendMessage(begin.hdr.hwndFrom, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(first.right - 1, 5));
  EXPECT_EQ(m_list.GetColumnWidth(0), before);
}

TEST_F(MultiLineList, HeaderClicksNameTheirColumnAndDeletingAllRestoresWidths) {
  Make(0);
  m_list.AppendRecord(0, 1);
  NMHEADER click{};
  click.hdr.code = HDN_ITEMCLICK;
  click.iItem = 1;
  m_list.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
  EXPECT_EQ(m_list.clickedColumns, (std::vector<int>{1}));
  m_list.AutoSizeColumns();
  EXPECT_GT(m_list.GetColumnWidth(0), 12);
  EXPECT_NE(m_list.GetColumnWidth(0), 80);
  m_list.DeleteAllRecords();
  EXPECT_EQ(m_list.GetColumnWidth(0), 80);
  EXPECT_EQ(m_list.RecordCount(), 0);
}

// The list control may hand a line's drawing record over as a notification.
TEST_F(MultiLineList, ANotificationOfTheDrawingCodeDrawsItsLine) {
  Make(0);
  m_list.AppendRecord(0, 1);
  m_list.AppendRecord(1, 1);
  CClientDC dc(&m_list);
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_LISTVIEW;
  item.itemID = 1;
  item.itemData = 1;
  item.hDC = dc.m_hDC;
  item.hwndItem = m_list.m_hWnd;
  m_list.GetItemRect(1, &item.rcItem, LVIR_BOUNDS);
  reinterpret_cast<NMHDR*>(&item)->code = WM_DRAWITEM;  // the code the list reads first
  m_list.drawn.clear();
  m_list.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(m_list.drawn, (std::vector<std::pair<DWORD, int>>{{1, CMultiLineLiCtrl::kNormal}}));
}

TEST_F(MultiLineList, ANewFontGivesTheLinesItsHeight) {
  Make(0);
  m_list.AppendRecord(0, 1);
  auto lineHeight = [this] {
    CRect line;
    m_list.GetItemRect(0, &line, LVIR_BOUNDS);
    return line.Height();
  };
  const int before = lineHeight();
  CFont large;
  ASSERT_TRUE(large.CreatePointFont(240, "Courier New"));
  m_list.SetFont(&large);
  CClientDC dc(&m_list);
  CFont* old = dc.SelectObject(&large);
  TEXTMETRIC metrics{};
  dc.GetTextMetrics(&metrics);
  dc.SelectObject(old);
  EXPECT_GT(lineHeight(), before);
  EXPECT_EQ(lineHeight(), metrics.tmHeight + metrics.tmExternalLeading + 2 * m_list.m_cell_margin);
  m_list.SetFont(CFont::FromHandle(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))));
}

// The order files as the open and save dialogs list them.
class FileList : public protocol_testing::ProtocolTest {
 protected:
  void SetUp() override {
    ProtocolTest::SetUp();
    ASSERT_TRUE(m_parent.CreateEx(0, nullptr, "Bestellungen", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
    ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_SINGLESEL,
                              CRect(0, 0, 280, 180), &m_parent, 1023));
  }
  void TearDown() override {
    m_parent.DestroyWindow();
    ProtocolTest::TearDown();
  }
  // An order file written hours ago.
  void Order(const char* name, int hoursAgo) {
    m_folder.Write(std::string(name) + ".pro", "PRO");
    std::filesystem::last_write_time(m_folder / (std::string(name) + ".pro"),
                                     std::filesystem::file_time_type::clock::now() - std::chrono::hours(hoursAgo));
  }
  std::string Names() const {
    std::string names;
    for (int record = 0; record < m_list.RecordCount(); ++record)
      names += std::string(m_list.GetItemText(m_list.FirstLine(record), 0)) + " ";
    return names;
  }
  void Click(int column) {
    NMHEADER click{};
    click.hdr.code = HDN_ITEMCLICK;
    click.iItem = column;
    m_list.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
  }

  ListParent m_parent;
  CFileListCtrl m_list;
};

TEST_F(FileList, SortsByNameFirstThenByTheClickedColumnEachWayInTurn) {
  Order("b", 1);
  Order("A", 3);
  Order("c", 2);
  auto app = Start();
  m_list.Fill(*app);
  EXPECT_EQ(Names(), "A b c ");
  Click(1);  // the newest first
  EXPECT_EQ(Names(), "b c A ");
  Click(1);
  EXPECT_EQ(Names(), "A c b ");
  Click(0);  // the name column sorted ascending at the start: now descending
  EXPECT_EQ(Names(), "c b A ");
}

TEST_F(FileList, ATypedCharacterFindsTheNextOrderBeginningWithIt) {
  for (const char* name : {"Bremse", "achse", "Auspuff", "Kupplung"}) Order(name, 1);
  auto app = Start();
  m_list.Fill(*app);
  ASSERT_EQ(Names(), "achse Auspuff Bremse Kupplung ");
  m_list.SendMessage(WM_KEYDOWN, 'A', 0);
  EXPECT_STREQ(m_list.RowAt(m_list.FocusedRecord()).name, "achse");
  m_list.SendMessage(WM_KEYDOWN, 'A', 0);
  EXPECT_STREQ(m_list.RowAt(m_list.FocusedRecord()).name, "Auspuff");
  m_list.SendMessage(WM_KEYDOWN, 'A', 0);  // round the end
  EXPECT_STREQ(m_list.RowAt(m_list.FocusedRecord()).name, "achse");
  m_list.SendMessage(WM_KEYDOWN, 'K', 0);
  EXPECT_STREQ(m_list.RowAt(m_list.FocusedRecord()).name, "Kupplung");
}

TEST_F(FileList, AnEmptyOrderFolderGivesAnEmptyListThatIgnoresClicks) {
  auto app = Start();
  m_list.Fill(*app);
  EXPECT_EQ(m_list.RecordCount(), 0);
  Click(0);
  m_list.SendMessage(WM_KEYDOWN, 'A', 0);
  EXPECT_EQ(m_list.FocusedRecord(), -1);
}

// The order view in the started program.
class OrderViewWindow : public protocol_testing::ProtocolProgramTest {
 protected:
  void Run(bool prices = true) {
    m_folder.Write("V4Prot.ini", protocol_testing::StandardSettings(protocol_testing::Ini({"StandAlone=1"})));
    if (!prices) std::remove((m_folder / "V4Preise.ini").c_str());
    ASSERT_TRUE(StartProgram());
    m_frame = Frame();
    m_view = m_frame->View();
  }
  void Add(const char* part, const char* quantity, const char* name, int32_t price = 1000) {
    const OrderItem item = Line(part, quantity, name, price);
    m_view->AddOrderLines(nullptr, &item, 1);
  }
  std::string Cell(int line, int column) const { return std::string(m_view->m_list.GetItemText(line, column)); }
  std::string Shown(int id) const {
    CString text;
    m_view->GetDlgItemText(id, text);
    return std::string(text);
  }
  bool Visible(int id) const { return m_view->GetDlgItem(id)->IsWindowVisible(); }
  std::string ListedPart(int line) const {
    CString text;
    m_view->GetCellText(text, static_cast<int>(m_view->m_list.RecordData(line)), m_app->m_search_col);
    return std::string(text);
  }

  CMainFrame* m_frame = nullptr;
  CProtocolView* m_view = nullptr;
};

TEST_F(OrderViewWindow, AddedLinesAreListedCountedTotalledAndTheLastIsCurrent) {
  Run();
  EXPECT_EQ(m_view->m_list.GetHeaderCtrl()->GetItemCount(), 7);  // six columns and the line total
  Add("A-1", "2", "Bolzen", 1999);
  Add("B-2", "1", "Mutter", 500);
  EXPECT_EQ(m_view->m_list.RecordCount(), 2);
  EXPECT_EQ(Shown(IDC_LINE_COUNT), "2");
  EXPECT_TRUE(Visible(IDC_TOTAL));
  EXPECT_NE(Shown(IDC_TOTAL).find("44,98 EUR"), std::string::npos) << Shown(IDC_TOTAL);
  EXPECT_TRUE(Visible(IDC_GROSS_TOTAL));
  EXPECT_EQ(m_view->m_list.FocusedRecord(), 1);
  EXPECT_EQ(ListedPart(1), "B-2");
}

TEST_F(OrderViewWindow, WithoutPricesNoTotalsShowButTheCount) {
  Run(false);
  EXPECT_EQ(m_view->m_list.GetHeaderCtrl()->GetItemCount(), 5);
  Add("A-1", "2", "Bolzen");
  EXPECT_EQ(Shown(IDC_LINE_COUNT), "1");
  for (int id : {IDC_TOTAL_LABEL, IDC_TOTAL, IDC_GROSS_TOTAL_LABEL, IDC_GROSS_TOTAL}) EXPECT_FALSE(Visible(id)) << id;
}

TEST_F(OrderViewWindow, AClickedLineBecomesCurrentAndIsTheOneDeleted) {
  Run();
  Add("A-1", "2", "Bolzen");
  Add("B-2", "1", "Mutter");
  Add("C-3", "1", "Scheibe");
  m_view->m_list.SelectRecord(0, 1);
  EXPECT_EQ(m_view->GetCurrentItem(), 0);
  m_answer = IDYES;
  m_frame->SendMessage(WM_COMMAND, ID_LINE_DELETE);
  EXPECT_EQ(m_view->m_list.RecordCount(), 2);
  EXPECT_EQ(ListedPart(0), "B-2");
  EXPECT_EQ(Shown(IDC_LINE_COUNT), "2");
}

// Deleting keeps the lines before in place; the lines after move up, each
// still showing its own order line, and the line now in the deleted one's
// place (or the new last one) is current.
TEST_F(OrderViewWindow, DeletingALineMovesUpOnlyTheLinesAfterIt) {
  Run();
  for (const char* part : {"A-1", "B-2", "C-3", "D-4"}) Add(part, "1", "Teil");
  m_answer = IDYES;
  struct Case {
    int selected;
    std::string left;
    int current;
  };
  for (const Case& c : {Case{1, "A-1C-3D-4", 1}, Case{2, "A-1C-3", 1}}) {
    m_view->m_list.SelectRecord(c.selected, 1);
    m_frame->SendMessage(WM_COMMAND, ID_LINE_DELETE);
    std::string listed;
    for (int line = 0; line < m_view->m_list.RecordCount(); ++line) {
      EXPECT_EQ(m_view->m_list.RecordData(line), static_cast<DWORD>(line));
      EXPECT_EQ(m_view->m_list.GetItemData(line), static_cast<DWORD_PTR>(line));
      listed += ListedPart(line);
    }
    EXPECT_EQ(listed, c.left) << "deleting line " << c.selected;
    EXPECT_EQ(m_view->GetCurrentItem(), c.current) << "deleting line " << c.selected;
    EXPECT_EQ(m_view->m_list.FocusedRecord(), c.current) << "deleting line " << c.selected;
  }
  EXPECT_EQ(Shown(IDC_LINE_COUNT), "2");
}

TEST_F(OrderViewWindow, AClickOnATitleSortsTheListAscendingThenDescending) {
  Run();
  Add("B-2", "1", "Mutter");
  Add("A-1", "2", "");
  Add("C-3", "1", "Bolzen");
  NMHEADER click{};
  click.hdr.code = HDN_ITEMCLICK;
  click.iItem = m_app->m_name_col;
  m_view->m_list.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
  EXPECT_EQ(ListedPart(0) + ListedPart(1) + ListedPart(2), "C-3B-2A-1");  // no name goes last
  m_view->m_list.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
  EXPECT_EQ(ListedPart(0) + ListedPart(1) + ListedPart(2), "A-1B-2C-3");
  EXPECT_EQ(m_view->GetItem(m_view->GetCurrentItem()).partNumber, "C-3");  // the current line stays
}

TEST_F(OrderViewWindow, ControlsKeepTheirDistancesWhenTheFrameGrows) {
  Run();
  auto place = [this](int id) {
    CRect rect;
    m_view->GetDlgItem(id)->GetWindowRect(&rect);
    m_view->ScreenToClient(&rect);
    return rect;
  };
  CRect client;
  m_view->GetClientRect(&client);
  const int totalRight = client.right - place(IDC_TOTAL).right;
  const int listBottom = client.bottom - place(IDC_ORDER_LINES).bottom;
  CRect frame;
  m_frame->GetWindowRect(&frame);
  m_frame->SetWindowPos(nullptr, 0, 0, frame.Width() + 120, frame.Height() + 80, SWP_NOMOVE | SWP_NOZORDER);
  m_view->GetClientRect(&client);
  EXPECT_EQ(client.right - place(IDC_TOTAL).right, totalRight);
  EXPECT_EQ(client.bottom - place(IDC_ORDER_LINES).bottom, listBottom);
  EXPECT_EQ(place(IDC_ORDER_LINES).Width(), client.Width());
  MINMAXINFO limits{};
  m_frame->SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  EXPECT_EQ(limits.ptMinTrackSize.x, m_frame->m_min_track_width);
  EXPECT_GT(m_frame->m_min_track_width, 0);
}

TEST_F(OrderViewWindow, OtherPricesRetitleThePriceColumns) {
  Run();
  auto title = [this](int column) {
    char text[100] = "";
    LVCOLUMN info{};
    info.mask = LVCF_TEXT;
    info.pszText = text;
    info.cchTextMax = sizeof text;
    m_view->m_list.GetColumn(column, &info);
    return std::string(text);
  };
  EXPECT_NE(title(m_app->m_price_col).find("(EUR)"), std::string::npos);
  m_frame->SendMessage(WM_COMMAND, ID_PRICES_CURRENCY2);
  EXPECT_NE(title(m_app->m_price_col).find("(DEM)"), std::string::npos);
  EXPECT_NE(title(m_app->m_column_count).find("(DEM)"), std::string::npos);
}

}  // namespace
