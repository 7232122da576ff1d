#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mfc/CClientDC.h"
#include "mfc/CListCtrl.h"
#include "win32/Gdi.h"

namespace {

// What the list told its parent, in order.
struct Note {
  UINT code;
  int item;
  LPARAM data;
  UINT oldState;
  UINT newState;
  bool operator==(const Note&) const = default;
};

class ParentWnd : public CWnd {
 public:
  std::vector<Note> notes;
  LRESULT deleteAllAnswer = 0;
  int refusedItem = -1;  // LVN_ITEMCHANGING of this item is refused
  HWND from = nullptr;
  UINT_PTR fromId = 0;

  BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override {
    // Only the item notifications carry the list's record.
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    *result = 0;
    if (header->code == NM_SETFOCUS || header->code == NM_KILLFOCUS || HDN_FIRST - header->code < 100 ||
        header->code == LVN_KEYDOWN)
      return TRUE;
    const auto* info = reinterpret_cast<const NMLISTVIEW*>(lParam);
    from = info->hdr.hwndFrom;
    fromId = info->hdr.idFrom;
    notes.push_back({info->hdr.code, info->iItem, info->lParam, info->uOldState, info->uNewState});
    *result = 0;
    if (info->hdr.code == LVN_DELETEALLITEMS) *result = deleteAllAnswer;
    if (info->hdr.code == LVN_ITEMCHANGING && info->iItem == refusedItem) *result = 1;
    return TRUE;
  }
};

class ListCtrlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
    MakeList(LVS_REPORT | LVS_SINGLESEL);
  }

  void MakeList(DWORD style) {
    if (list.m_hWnd) list.DestroyWindow();
    ASSERT_TRUE(list.Create(WS_VISIBLE | style, CRect(0, 0, 300, 200), &parent, 42));
    EXPECT_EQ(list.InsertColumn(0, "Name", LVCFMT_LEFT, 100), 0);
    EXPECT_EQ(list.InsertColumn(1, "Typ", LVCFMT_LEFT, 40), 1);
    EXPECT_EQ(list.InsertColumn(2, "Wert", LVCFMT_LEFT, 100), 2);
    parent.notes.clear();
  }

  void AddRows(std::initializer_list<const char*> names) {
    for (const char* name : names) list.InsertItem(list.GetItemCount(), name);
    parent.notes.clear();
  }

  std::vector<std::string> Column(int column) {
    std::vector<std::string> texts;
    for (int i = 0; i < list.GetItemCount(); ++i) texts.emplace_back(list.GetItemText(i, column));
    return texts;
  }

  int RowHeight() {
    CClientDC dc(&list);
    HGDIOBJ old = SelectObject(dc.m_hDC, GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRIC metrics{};
    GetTextMetrics(dc.m_hDC, &metrics);
    SelectObject(dc.m_hDC, old);
    return metrics.tmHeight + 4;
  }

  ParentWnd parent;
  CListCtrl list;
};

TEST_F(ListCtrlTest, ItemsHoldATextPerColumn) {
  EXPECT_EQ(list.InsertItem(0, "b"), 0);
  EXPECT_EQ(list.InsertItem(0, "a"), 0);   // before the first
  EXPECT_EQ(list.InsertItem(99, "c"), 2);  // past the end: appended
  EXPECT_EQ(list.InsertItem(-1, "x"), -1);
  EXPECT_EQ(list.GetItemCount(), 3);
  EXPECT_TRUE(list.SetItemText(1, 2, "b2"));
  EXPECT_TRUE(list.SetItemText(2, 1, "c1"));

  struct Refused {
    int item, column;
  };
  for (Refused refused : {Refused{3, 0}, Refused{-1, 0}, Refused{0, 3}, Refused{0, -1}})
    EXPECT_FALSE(list.SetItemText(refused.item, refused.column, "no")) << refused.item << "," << refused.column;
  EXPECT_EQ(Column(0), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(Column(1), (std::vector<std::string>{"", "", "c1"}));
  EXPECT_EQ(Column(2), (std::vector<std::string>{"", "b2", ""}));
  EXPECT_STREQ(list.GetItemText(7, 0), "");

  const std::string longText(1000, 'x');  // longer than any first guess of a buffer
  list.SetItemText(0, 1, longText.c_str());
  EXPECT_EQ(std::string(list.GetItemText(0, 1)), longText);
  char small[4];
  EXPECT_EQ(list.GetItemText(0, 1, small, sizeof small), 3);
  EXPECT_STREQ(small, "xxx");

  EXPECT_TRUE(list.DeleteItem(0));
  EXPECT_FALSE(list.DeleteItem(2));
  EXPECT_EQ(Column(0), (std::vector<std::string>{"b", "c"}));

  // Taking a column away takes its texts with it.
  EXPECT_TRUE(list.DeleteColumn(1));
  EXPECT_FALSE(list.DeleteColumn(2));
  EXPECT_EQ(Column(1), (std::vector<std::string>{"b2", ""}));
  char title[16];
  LVCOLUMN column{LVCF_TEXT | LVCF_WIDTH, 0, 0, title, sizeof title, 0};
  ASSERT_TRUE(list.GetColumn(1, &column));
  EXPECT_STREQ(title, "Wert");
  EXPECT_EQ(column.cx, 100);

  EXPECT_TRUE(list.DeleteAllItems());
  EXPECT_EQ(list.GetItemCount(), 0);
}

TEST_F(ListCtrlTest, ParentHearsOfInsertedAndDeletedItems) {
  list.InsertItem(0, "a");
  list.InsertItem(0, "b");
  EXPECT_EQ(parent.from, list.m_hWnd);
  EXPECT_EQ(parent.fromId, 42u);
  EXPECT_TRUE(list.SetItemData(1, 77));
  EXPECT_EQ(list.GetItemData(1), 77u);
  EXPECT_TRUE(list.DeleteItem(1));
  EXPECT_EQ(parent.notes, (std::vector<Note>{{LVN_INSERTITEM, 0, 0, 0, 0}, {LVN_INSERTITEM, 0, 0, 0, 0},
                                             {LVN_DELETEITEM, 1, 77, 0, 0}}));

  // Each item goes with a notification of its own unless the parent declines them.
  AddRows({"c", "d"});
  list.SetItemData(2, 5);
  list.DeleteAllItems();
  EXPECT_EQ(parent.notes, (std::vector<Note>{{LVN_DELETEALLITEMS, -1, 0, 0, 0}, {LVN_DELETEITEM, 0, 0, 0, 0},
                                             {LVN_DELETEITEM, 1, 0, 0, 0}, {LVN_DELETEITEM, 2, 5, 0, 0}}));
  AddRows({"e", "f"});
  parent.deleteAllAnswer = TRUE;
  list.DeleteAllItems();
  EXPECT_EQ(parent.notes, (std::vector<Note>{{LVN_DELETEALLITEMS, -1, 0, 0, 0}}));

  // Destroying the list deletes its items, as the parent hears.
  AddRows({"g"});
  parent.deleteAllAnswer = FALSE;
  list.DestroyWindow();
  EXPECT_EQ(parent.notes, (std::vector<Note>{{LVN_DELETEALLITEMS, -1, 0, 0, 0}, {LVN_DELETEITEM, 0, 0, 0, 0}}));
}

TEST_F(ListCtrlTest, SelectionAndFocusFollowTheStyle) {
  constexpr UINT both = LVIS_SELECTED | LVIS_FOCUSED;
  AddRows({"a", "b", "c"});
  list.SetItemState(0, both, both);
  list.SetItemState(2, both, both);  // single selection: the first item lets go of both
  EXPECT_EQ(list.GetItemState(0, both), 0u);
  EXPECT_EQ(list.GetItemState(2, both), both);
  EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED | LVNI_FOCUSED), 2);
  EXPECT_EQ(list.GetNextItem(2, LVNI_SELECTED), -1);
  EXPECT_EQ(list.GetNextItem(0, LVNI_ALL), 1);
  EXPECT_EQ(parent.notes, (std::vector<Note>{{LVN_ITEMCHANGING, 0, 0, 0, both}, {LVN_ITEMCHANGED, 0, 0, 0, both},
                                             {LVN_ITEMCHANGING, 0, 0, both, 0}, {LVN_ITEMCHANGED, 0, 0, both, 0},
                                             {LVN_ITEMCHANGING, 2, 0, 0, both}, {LVN_ITEMCHANGED, 2, 0, 0, both}}));

  // The parent may refuse a change.
  parent.refusedItem = 1;
  list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_EQ(list.GetItemState(1, LVIS_SELECTED), 0u);
  parent.refusedItem = -1;

  // With several selections allowed, selecting keeps the others; the focus stays with one.
  MakeList(LVS_REPORT);
  AddRows({"a", "b"});
  list.SetItemState(0, both, both);
  list.SetItemState(1, both, both);
  EXPECT_EQ(list.GetItemState(0, both), static_cast<UINT>(LVIS_SELECTED));
  EXPECT_EQ(list.GetItemState(1, both), both);
  list.SetItemState(-1, 0, LVIS_SELECTED);  // every item
  EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), -1);
}

TEST_F(ListCtrlTest, ClicksSelectTheRowUnderThePointer) {
  AddRows({"a", "b", "c"});
  const int row = RowHeight();  // the header takes the first row's place
  list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, row * 2 + 2));
  EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED | LVNI_FOCUSED), 1);
  ASSERT_FALSE(parent.notes.empty());
  EXPECT_EQ(parent.notes.back().code, static_cast<UINT>(NM_CLICK));
  EXPECT_EQ(parent.notes.back().item, 1);

  list.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, row * 4 + 2));  // below the rows
  EXPECT_EQ(parent.notes.back().code, static_cast<UINT>(NM_DBLCLK));
  EXPECT_EQ(parent.notes.back().item, -1);
  EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);
}

TEST_F(ListCtrlTest, RowsAreDrawnUnderTheTitlesAndClippedToTheirColumns) {
  AddRows({"a", "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW"});
  list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
  list.UpdateWindow();
  CHeaderCtrl* header = list.GetHeaderCtrl();
  ASSERT_NE(header, nullptr);
  header->UpdateWindow();
  CRect titles;
  header->GetWindowRect(&titles);
  const int top = titles.Height();
  const int row = RowHeight();
  {
    // The header draws button faces (in the desktop's style) with the titles on them.
    CClientDC headerDc(header);
    const COLORREF face = headerDc.GetPixel(95, top / 2);
    EXPECT_NE(face, GetSysColor(COLOR_WINDOW));
    bool titled = false;
    for (int y = 0; y < top; ++y)
      for (int x = 0; x < 60; ++x) titled = titled || headerDc.GetPixel(x, y) == GetSysColor(COLOR_BTNTEXT);
    EXPECT_TRUE(titled);
  }
  CClientDC dc(&list);
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  EXPECT_EQ(dc.GetPixel(290, top + row / 2), GetSysColor(COLOR_HIGHLIGHT));  // the selected row
  EXPECT_EQ(dc.GetPixel(290, top + row + row / 2), window);

  // The long text shows in its column and stops at the column's edge.
  bool inked = false, spilled = false;
  for (int y = top + row; y < top + 2 * row; ++y) {
    for (int x = 0; x < 100; ++x) inked = inked || dc.GetPixel(x, y) != window;
    for (int x = 100; x < 140; ++x) spilled = spilled || dc.GetPixel(x, y) != window;
  }
  EXPECT_TRUE(inked);
  EXPECT_FALSE(spilled);
}

TEST_F(ListCtrlTest, ColumnsFitTheirTexts) {
  AddRows({"short", "a longer name"});
  EXPECT_TRUE(list.SetColumnWidth(0, LVSCW_AUTOSIZE));
  EXPECT_EQ(list.GetColumnWidth(0), list.GetStringWidth("a longer name") + 12);
  list.InsertColumn(3, "a title wider than the texts");
  list.SetItemText(0, 3, "x");
  list.SetColumnWidth(3, LVSCW_AUTOSIZE_USEHEADER);
  EXPECT_EQ(list.GetColumnWidth(3), list.GetStringWidth("a title wider than the texts") + 12);
  EXPECT_TRUE(list.SetColumnWidth(1, 55));
  EXPECT_EQ(list.GetColumnWidth(1), 55);
  EXPECT_FALSE(list.SetColumnWidth(4, 10));
  EXPECT_GT(list.GetStringWidth("WW"), list.GetStringWidth("W"));
}

}  // namespace
