#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "comctl/tests/ListTestParent.h"
#include "testing/FilledBitmap.h"

namespace {

using layer::testing::Heard;
using layer::testing::Pump;
using layer::testing::TestParent;

constexpr int kListId = 42;

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessage(window, message, wParam, lParam);
}
template <typename Record>
LRESULT Send(HWND window, UINT message, WPARAM wParam, Record* record) {
  return SendMessage(window, message, wParam, reinterpret_cast<LPARAM>(record));
}

LVITEM StateItem(UINT state, UINT mask) {
  LVITEM item{};
  item.mask = LVIF_STATE;
  item.state = state;
  item.stateMask = mask;
  return item;
}

class ListViewTest : public ::testing::Test {
 protected:
  void SetUp() override { Make(LVS_REPORT); }
  void TearDown() override { layer::SetKeyDown(VK_SHIFT, false); }

  void Make(DWORD style, RECT rect = {0, 0, 300, 200}) {
    if (list) DestroyWindow(list);
    list = parent.Child(WC_LISTVIEW, style, rect, kListId);
    ASSERT_NE(list, nullptr);
    AddColumn("Name", 100);
    AddColumn("Typ", 40);
    AddColumn("Wert", 100);
  }

  void AddColumn(const char* title, int width) {
    LVCOLUMN column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<LPSTR>(title);
    column.cx = width;
    Send(list, LVM_INSERTCOLUMN, Send(list, LVM_GETHEADER) ? Send(Header(), HDM_GETITEMCOUNT) : 0, &column);
  }

  void AddRows(int count) {
    for (int i = 0; i < count; ++i) {
      const std::string text = "Zeile " + std::to_string(i);
      LVITEM item{};
      item.mask = LVIF_TEXT | LVIF_PARAM;
      item.iItem = i;
      item.pszText = const_cast<LPSTR>(text.c_str());
      item.lParam = 1000 + i;
      Send(list, LVM_INSERTITEM, 0, &item);
    }
    parent.heard.clear();
  }

  HWND Header() { return reinterpret_cast<HWND>(Send(list, LVM_GETHEADER)); }
  int Top() { return static_cast<int>(Send(list, LVM_GETTOPINDEX)); }
  int PerPage() { return static_cast<int>(Send(list, LVM_GETCOUNTPERPAGE)); }
  int Focused() { return static_cast<int>(Send(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)); }
  int Selected(int after = -1) { return static_cast<int>(Send(list, LVM_GETNEXTITEM, static_cast<WPARAM>(after), LVNI_SELECTED)); }
  RECT ItemRect(int index, int part = LVIR_BOUNDS) {
    RECT rect{part, 0, 0, 0};
    EXPECT_TRUE(Send(list, LVM_GETITEMRECT, static_cast<WPARAM>(index), &rect)) << index;
    return rect;
  }
  int HeaderHeight() {
    RECT rect;
    GetWindowRect(Header(), &rect);
    return rect.bottom - rect.top;
  }
  int ColumnWidth(int column) { return static_cast<int>(Send(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column))); }
  std::string Text(int item, int column) {
    char buffer[64] = {};
    LVITEM request{};
    request.iSubItem = column;
    request.pszText = buffer;
    request.cchTextMax = sizeof buffer;
    Send(list, LVM_GETITEMTEXT, static_cast<WPARAM>(item), &request);
    return buffer;
  }
  void Key(int key, bool shift = false) {
    layer::SetKeyDown(VK_SHIFT, shift);
    Send(list, WM_KEYDOWN, static_cast<WPARAM>(key), 1);
    layer::SetKeyDown(VK_SHIFT, false);
  }
  void Press(HWND window, UINT message, POINT at, WPARAM keys = MK_LBUTTON) {
    Send(window, message, keys, MAKELPARAM(at.x, at.y));
  }

  TestParent parent;
  HWND list = nullptr;
};

TEST_F(ListViewTest, HeaderIsAChildWindowAboveTheRows) {
  HWND header = Header();
  ASSERT_TRUE(IsWindow(header));
  EXPECT_EQ(GetParent(header), list);
  char className[32] = {};
  GetClassName(header, className, sizeof className);
  EXPECT_STREQ(className, WC_HEADER);
  EXPECT_TRUE(IsWindowVisible(header));
  EXPECT_EQ(Send(header, HDM_GETITEMCOUNT), 3);
  RECT second{};
  ASSERT_TRUE(Send(header, HDM_GETITEMRECT, 1, &second));
  EXPECT_EQ(second.left, 100);
  EXPECT_EQ(second.right, 140);

  AddRows(3);
  const int height = HeaderHeight();
  EXPECT_GT(height, 0);
  const RECT first = ItemRect(0);
  EXPECT_EQ(first.top, height);
  EXPECT_EQ(first.left, 0);
  EXPECT_EQ(first.right, 240);  // as wide as the columns
  const RECT next = ItemRect(1);
  EXPECT_EQ(next.top, first.bottom);

  // Without a header the rows start at the top.
  Make(LVS_REPORT | LVS_NOCOLUMNHEADER);
  AddRows(1);
  EXPECT_FALSE(IsWindowVisible(Header()));
  EXPECT_EQ(ItemRect(0).top, 0);
}

TEST_F(ListViewTest, DraggingADividerResizesTheColumnWithTheNotificationsInOrder) {
  HWND header = Header();
  Press(header, WM_LBUTTONDOWN, {100, 5});
  Press(header, WM_MOUSEMOVE, {120, 5});
  Press(header, WM_MOUSEMOVE, {130, 5});
  Press(header, WM_LBUTTONUP, {130, 5}, 0);
  EXPECT_EQ(ColumnWidth(0), 130);
  EXPECT_EQ(parent.heard, (std::vector<Heard>{{HDN_BEGINTRACK, 0, 0, 100},
                                              {HDN_ITEMCHANGING, 0, 0, 120},
                                              {HDN_ITEMCHANGED, 0, 0, 120},
                                              {HDN_ITEMCHANGING, 0, 0, 130},
                                              {HDN_ITEMCHANGED, 0, 0, 130},
                                              {HDN_ENDTRACK, 0, 0, 130}}));
  // The rows follow: the second column now starts where the first ends.
  AddRows(1);
  RECT cell{LVIR_BOUNDS, 1, 0, 0};
  ASSERT_TRUE(Send(list, LVM_GETSUBITEMRECT, 0, &cell));
  EXPECT_EQ(cell.left, 130);

  // A parent that refuses the drag keeps the width.
  parent.heard.clear();
  parent.refuseTrack = true;
  Press(header, WM_LBUTTONDOWN, {130, 5});
  Press(header, WM_MOUSEMOVE, {20, 5});
  Press(header, WM_LBUTTONUP, {20, 5}, 0);
  EXPECT_EQ(ColumnWidth(0), 130);
  EXPECT_EQ(parent.Codes(layer::testing::FromHeader), (std::vector<UINT>{HDN_BEGINTRACK}));
}

TEST_F(ListViewTest, ClickOnATitleIsAColumnClick) {
  Press(Header(), WM_LBUTTONDOWN, {160, 5});
  Press(Header(), WM_LBUTTONUP, {160, 5}, 0);
  EXPECT_EQ(parent.heard, (std::vector<Heard>{{HDN_ITEMCLICK, 2, 0, -1}, {LVN_COLUMNCLICK, -1, 2, -1}}));

  // Released elsewhere, the press is no click.
  parent.heard.clear();
  Press(Header(), WM_LBUTTONDOWN, {160, 5});
  Press(Header(), WM_LBUTTONUP, {50, 5}, 0);
  EXPECT_TRUE(parent.heard.empty());

  // Titles that are not buttons are not clicked.
  Make(LVS_REPORT | LVS_NOSORTHEADER);
  parent.heard.clear();
  Press(Header(), WM_LBUTTONDOWN, {160, 5});
  Press(Header(), WM_LBUTTONUP, {160, 5}, 0);
  EXPECT_TRUE(parent.heard.empty());
}

TEST_F(ListViewTest, DoubleClickOnADividerFitsTheColumnToItsTexts) {
  AddRows(3);
  Send(Header(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(140, 5));
  const int widest = static_cast<int>(Send(list, LVM_GETSTRINGWIDTH, 0, reinterpret_cast<LPARAM>("Zeile 0")));
  EXPECT_EQ(ColumnWidth(1), 12);  // the column has no texts
  Send(Header(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(100, 5));
  EXPECT_EQ(ColumnWidth(0), widest + 12);
  EXPECT_EQ(parent.Codes(layer::testing::FromHeader).front(), HDN_DIVIDERDBLCLICK);

  // A parent that answers the double click has sized the column its own way.
  parent.fitsDividers = true;
  Send(list, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(77, 0));
  Send(Header(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(77, 5));
  EXPECT_EQ(ColumnWidth(0), 77);
  EXPECT_EQ(parent.Codes(layer::testing::FromHeader).back(), HDN_DIVIDERDBLCLICK);
}

TEST_F(ListViewTest, KeysMoveTheSelectionAndScrollItIntoView) {
  AddRows(100);
  const int page = PerPage();
  ASSERT_GT(page, 3);
  struct Step {
    const char* name;
    int key;
    int focus;
    int top;
  };
  const Step steps[] = {
      {"down from nothing", VK_DOWN, 0, 0},
      {"down", VK_DOWN, 1, 0},
      {"page down to the last shown", VK_NEXT, page - 1, 0},
      {"page down a page further", VK_NEXT, 2 * page - 2, page - 1},
      {"up", VK_UP, 2 * page - 3, page - 1},
      {"page up to the first shown", VK_PRIOR, page - 1, page - 1},
      {"end", VK_END, 99, 100 - page},
      {"home", VK_HOME, 0, 0},
  };
  for (const Step& step : steps) {
    Key(step.key);
    EXPECT_EQ(Focused(), step.focus) << step.name;
    EXPECT_EQ(Selected(), step.focus) << step.name;
    EXPECT_EQ(Selected(step.focus), -1) << step.name;
    EXPECT_EQ(Top(), step.top) << step.name;
    EXPECT_EQ(GetScrollPos(list, SB_VERT), step.top) << step.name;
  }

  // The parent hears of the key before the selection moves.
  parent.heard.clear();
  Key(VK_DOWN);
  ASSERT_GE(parent.heard.size(), 2u);
  EXPECT_EQ(parent.heard.front(), (Heard{LVN_KEYDOWN, VK_DOWN, 0, -1}));
  EXPECT_EQ(parent.heard.back().code, LVN_ITEMCHANGED);
}

TEST_F(ListViewTest, ShiftExtendsTheSelectionFromTheMark) {
  Make(LVS_REPORT);
  AddRows(10);
  Key(VK_DOWN);
  Key(VK_DOWN, true);
  Key(VK_DOWN, true);
  EXPECT_EQ(Send(list, LVM_GETSELECTEDCOUNT), 3);
  EXPECT_EQ(Focused(), 2);
  Key(VK_UP, true);
  EXPECT_EQ(Send(list, LVM_GETSELECTEDCOUNT), 2);
}

TEST_F(ListViewTest, BarsAndWheelScrollByItems) {
  AddRows(100);
  const int page = PerPage();
  SCROLLINFO bar{};
  bar.cbSize = sizeof bar;
  bar.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(list, SB_VERT, &bar));
  EXPECT_EQ(bar.nMax, 99);
  EXPECT_EQ(static_cast<int>(bar.nPage), page);
  EXPECT_TRUE(GetWindowLong(list, GWL_STYLE) & WS_VSCROLL);

  struct Step {
    const char* name;
    UINT message;
    WPARAM wParam;
    int top;
  };
  const Step steps[] = {
      {"line down", WM_VSCROLL, SB_LINEDOWN, 1},
      {"page down", WM_VSCROLL, SB_PAGEDOWN, 1 + page},
      {"line up", WM_VSCROLL, SB_LINEUP, page},
      {"wheel towards the user", WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), page + 3},
      {"wheel away", WM_MOUSEWHEEL, MAKEWPARAM(0, 120), page},
      {"bottom", WM_VSCROLL, SB_BOTTOM, 100 - page},
      {"past the bottom", WM_VSCROLL, SB_PAGEDOWN, 100 - page},
      {"top", WM_VSCROLL, SB_TOP, 0},
      {"past the top", WM_VSCROLL, SB_LINEUP, 0},
  };
  for (const Step& step : steps) {
    Send(list, step.message, step.wParam, 0);
    EXPECT_EQ(Top(), step.top) << step.name;
  }

  // Scrolled rows move their rectangles and hit tests along.
  Send(list, WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(ItemRect(1).top, HeaderHeight());
  LVHITTESTINFO hit{};
  hit.pt = POINT{10, HeaderHeight() + 1};
  EXPECT_EQ(Send(list, LVM_HITTEST, 0, &hit), 1);
  EXPECT_EQ(hit.flags, static_cast<UINT>(LVHT_ONITEMLABEL));
}

TEST_F(ListViewTest, EnsureVisibleScrollsOnlyAsFarAsNeeded) {
  AddRows(100);
  const int page = PerPage();
  EXPECT_TRUE(Send(list, LVM_ENSUREVISIBLE, 50, FALSE));
  EXPECT_EQ(Top(), 50 - page + 1);
  EXPECT_TRUE(Send(list, LVM_ENSUREVISIBLE, 45, FALSE));  // already shown
  EXPECT_EQ(Top(), 50 - page + 1);
  EXPECT_TRUE(Send(list, LVM_ENSUREVISIBLE, 10, FALSE));
  EXPECT_EQ(Top(), 10);
  EXPECT_TRUE(Send(list, LVM_SCROLL, 0, ItemRect(0).bottom - ItemRect(0).top));  // one row in pixels
  EXPECT_EQ(Top(), 11);
}

TEST_F(ListViewTest, SideScrollingMovesTheHeaderWithTheRows) {
  Make(LVS_REPORT, RECT{0, 0, 150, 200});
  AddRows(2);
  EXPECT_TRUE(GetWindowLong(list, GWL_STYLE) & WS_HSCROLL);
  Send(list, LVM_SCROLL, 30, 0);
  EXPECT_EQ(ItemRect(0).left, -30);
  RECT header;
  GetWindowRect(Header(), &header);
  POINT corner{header.left, header.top};
  ScreenToClient(list, &corner);
  EXPECT_EQ(corner.x, -30);
  EXPECT_EQ(GetScrollPos(list, SB_HORZ), 30);
}

TEST_F(ListViewTest, ClicksSelectAndTellTheParent) {
  Make(LVS_REPORT);
  AddRows(5);
  const RECT second = ItemRect(1);
  const POINT inSecond{150, (second.top + second.bottom) / 2};
  Press(list, WM_LBUTTONDOWN, inSecond);
  EXPECT_EQ(Focused(), 1);
  EXPECT_EQ(GetFocus(), list);
  ASSERT_FALSE(parent.heard.empty());
  EXPECT_EQ(parent.heard.back(), (Heard{NM_CLICK, 1, 2, -1}));  // the third column's cell

  // Ctrl adds to the selection; a click on no item lets all go.
  const RECT fourth = ItemRect(3);
  Press(list, WM_LBUTTONDOWN, {10, fourth.top + 1}, MK_LBUTTON | MK_CONTROL);
  EXPECT_EQ(Send(list, LVM_GETSELECTEDCOUNT), 2);
  Press(list, WM_LBUTTONDOWN, {10, 190});
  EXPECT_EQ(Send(list, LVM_GETSELECTEDCOUNT), 0);
  EXPECT_EQ(parent.heard.back(), (Heard{NM_CLICK, -1, 0, -1}));

  // A right click selects its item, then asks for the context menu.
  parent.heard.clear();
  Press(list, WM_RBUTTONDOWN, inSecond, MK_RBUTTON);
  Press(list, WM_RBUTTONUP, inSecond, 0);
  EXPECT_EQ(Selected(), 1);
  EXPECT_EQ(parent.heard.back().code, NM_RCLICK);
  EXPECT_EQ(parent.messages, (std::vector<UINT>{WM_CONTEXTMENU}));

  parent.heard.clear();
  Press(list, WM_LBUTTONDBLCLK, inSecond);
  EXPECT_EQ(parent.heard.back().code, NM_DBLCLK);
}

TEST_F(ListViewTest, SortingByCallbackKeepsStatesWithTheirItems) {
  AddRows(4);  // data 1000 .. 1003
  LVITEM select = StateItem(LVIS_SELECTED, LVIS_SELECTED);
  Send(list, LVM_SETITEMSTATE, 1, &select);
  const auto descending = [](LPARAM a, LPARAM b, LPARAM sign) -> int { return static_cast<int>(sign * (a - b)); };
  EXPECT_TRUE(Send(list, LVM_SORTITEMS, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(+descending)));
  EXPECT_EQ(Text(0, 0), "Zeile 3");
  EXPECT_EQ(Text(3, 0), "Zeile 0");
  EXPECT_EQ(Selected(), 2);  // "Zeile 1" went to index 2 with its selection
  EXPECT_FALSE(Send(list, LVM_SORTITEMS, 0, 0));
}

TEST_F(ListViewTest, ASortedListPlacesNewItemsByTheirText) {
  const auto insert = [this](const char* text) {
    LVITEM item{};
    item.mask = LVIF_TEXT;
    item.iItem = 0;  // the place asked for does not count
    item.pszText = const_cast<LPSTR>(text);
    return Send(list, LVM_INSERTITEM, 0, &item);
  };
  const auto texts = [this] {
    std::vector<std::string> all;
    for (int i = 0; i < Send(list, LVM_GETITEMCOUNT); ++i) all.push_back(Text(i, 0));
    return all;
  };
  Make(LVS_REPORT | LVS_SORTASCENDING);
  for (const char* text : {"qridimg.so", "Beta", "alpha", "ALPHA", ""}) insert(text);
  EXPECT_EQ(texts(), (std::vector<std::string>{"", "alpha", "ALPHA", "Beta", "qridimg.so"}));
  EXPECT_EQ(insert("b"), 3);

  Make(LVS_REPORT | LVS_SORTDESCENDING);
  for (const char* text : {"b", "c", "a"}) insert(text);
  EXPECT_EQ(texts(), (std::vector<std::string>{"c", "b", "a"}));
}

TEST_F(ListViewTest, VirtualItemsAskTheParentForTheShownTextsOnly) {
  Make(LVS_REPORT | LVS_OWNERDATA);
  parent.texts = [](int item, int column) { return "V" + std::to_string(item) + "/" + std::to_string(column); };
  EXPECT_TRUE(Send(list, LVM_SETITEMCOUNT, 100000, 0));
  EXPECT_EQ(Send(list, LVM_GETITEMCOUNT), 100000);
  EXPECT_EQ(Text(99999, 2), "V99999/2");
  LVITEM insert{};
  insert.mask = LVIF_TEXT;
  EXPECT_EQ(Send(list, LVM_INSERTITEM, 0, &insert), -1);

  parent.askedTexts = 0;
  InvalidateRect(list, nullptr, TRUE);
  UpdateWindow(list);
  EXPECT_GT(parent.askedTexts, 0);
  EXPECT_LE(parent.askedTexts, (PerPage() + 1) * 3);

  // The list keeps the states itself; a change to all is one notification.
  Key(VK_END);
  EXPECT_EQ(Focused(), 99999);
  EXPECT_EQ(Top(), 100000 - PerPage());
  parent.heard.clear();
  LVITEM none = StateItem(0, LVIS_SELECTED);
  Send(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), &none);
  EXPECT_EQ(parent.heard, (std::vector<Heard>{{LVN_ITEMCHANGING, -1, 0, -1}, {LVN_ITEMCHANGED, -1, 0, -1}}));
  EXPECT_EQ(Selected(), -1);
  EXPECT_FALSE(Send(list, LVM_SORTITEMS, 0, 0));
}

TEST_F(ListViewTest, TextCallbacksAreAskedOfTheParent) {
  parent.texts = [](int item, int) { return "gefragt " + std::to_string(item); };
  LVITEM item{};
  item.mask = LVIF_TEXT;
  item.pszText = LPSTR_TEXTCALLBACK;
  Send(list, LVM_INSERTITEM, 0, &item);
  EXPECT_EQ(Text(0, 0), "gefragt 0");
  EXPECT_EQ(Text(0, 1), "");  // a sub-item never set keeps no text
}

TEST_F(ListViewTest, OwnerDrawnRowsAreMeasuredAndDrawnByTheParent) {
  parent.rowHeight = 30;
  Make(LVS_REPORT | LVS_OWNERDRAWFIXED);
  AddRows(3);
  const RECT first = ItemRect(0);
  EXPECT_EQ(first.bottom - first.top, 30);
  LVITEM select = StateItem(LVIS_SELECTED, LVIS_SELECTED);
  Send(list, LVM_SETITEMSTATE, 1, &select);
  parent.drawn.clear();
  InvalidateRect(list, nullptr, TRUE);
  UpdateWindow(list);
  ASSERT_EQ(parent.drawn.size(), 3u);
  for (UINT i = 0; i < 3; ++i) {
    const DRAWITEMSTRUCT& drawn = parent.drawn[i];
    EXPECT_EQ(drawn.CtlType, static_cast<UINT>(ODT_LISTVIEW));
    EXPECT_EQ(drawn.CtlID, static_cast<UINT>(kListId));
    EXPECT_EQ(drawn.itemID, i);
    EXPECT_EQ(drawn.itemData, 1000u + i);
    EXPECT_EQ((drawn.itemState & ODS_SELECTED) != 0, i == 1) << i;
    EXPECT_EQ(drawn.rcItem.top, first.top + 30 * static_cast<int>(i));
  }
  // What the parent drew is what shows.
  HDC dc = GetDC(list);
  EXPECT_EQ(GetPixel(dc, 50, first.top + 45), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(GetPixel(dc, 50, first.top + 15), GetSysColor(COLOR_INFOBK));
  ReleaseDC(list, dc);

  // A change of place asks for the height again, even when nothing moved.
  parent.rowHeight = 20;
  WINDOWPOS place{list, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER};
  Send(list, WM_WINDOWPOSCHANGED, 0, &place);
  const RECT again = ItemRect(0);
  EXPECT_EQ(again.bottom - again.top, 20);
}

TEST_F(ListViewTest, BadIndexesAndColumnsFail) {
  AddRows(2);
  RECT rect{LVIR_BOUNDS, 0, 0, 0};
  EXPECT_FALSE(Send(list, LVM_GETITEMRECT, 2, &rect));
  EXPECT_FALSE(Send(list, LVM_GETITEMRECT, static_cast<WPARAM>(-1), &rect));
  RECT bad{99, 0, 0, 0};
  EXPECT_FALSE(Send(list, LVM_GETITEMRECT, 0, &bad));
  RECT column{LVIR_BOUNDS, 3, 0, 0};
  EXPECT_FALSE(Send(list, LVM_GETSUBITEMRECT, 0, &column));
  EXPECT_FALSE(Send(list, LVM_ENSUREVISIBLE, 2, FALSE));
  EXPECT_FALSE(Send(list, LVM_SETCOLUMNWIDTH, 3, 50));
  EXPECT_EQ(Send(list, LVM_GETCOLUMNWIDTH, 3), 0);
  EXPECT_FALSE(Send(list, LVM_DELETECOLUMN, 3));
  EXPECT_EQ(Send(list, LVM_GETITEMSTATE, 5, LVIS_SELECTED), 0);
  LVITEM state = StateItem(LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_FALSE(Send(list, LVM_SETITEMSTATE, 2, &state));
  EXPECT_EQ(Send(list, LVM_GETNEXTITEM, 7, LVNI_ALL), -1);
  EXPECT_EQ(Send(list, LVM_SETIMAGELIST, 5, 0), 0);
  LVHITTESTINFO hit{};
  hit.pt = POINT{10, 190};
  EXPECT_EQ(Send(list, LVM_HITTEST, 0, &hit), -1);
  EXPECT_EQ(hit.flags, static_cast<UINT>(LVHT_NOWHERE));
  hit.pt = POINT{10, 400};
  EXPECT_EQ(Send(list, LVM_HITTEST, 0, &hit), -1);
  EXPECT_EQ(hit.flags, static_cast<UINT>(LVHT_BELOW));
  EXPECT_EQ(Send(Header(), HDM_GETITEMRECT, 3, &rect), FALSE);
}

TEST_F(ListViewTest, SmallImagesShowBeforeTheFirstText) {
  HIMAGELIST images = ImageList_Create(16, 16, ILC_MASK | ILC_COLOR24, 1, 1);
  HBITMAP picture = layer::testing::FilledBitmap(16, 16, RGB(255, 0, 255), {{RECT{4, 4, 12, 12}, RGB(0, 128, 0)}});
  ASSERT_EQ(ImageList_AddMasked(images, picture, RGB(255, 0, 255)), 0);
  Send(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
  LVITEM item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.pszText = const_cast<LPSTR>("Bild");
  item.iImage = 0;
  Send(list, LVM_INSERTITEM, 0, &item);
  UpdateWindow(list);
  const RECT icon = ItemRect(0, LVIR_ICON);
  const RECT label = ItemRect(0, LVIR_LABEL);
  EXPECT_EQ(label.left, icon.right);
  EXPECT_EQ(icon.right - icon.left, 18);
  HDC dc = GetDC(list);
  const int middle = (icon.top + icon.bottom) / 2;
  EXPECT_EQ(GetPixel(dc, icon.left + 2 + 8, middle), RGB(0, 128, 0));
  EXPECT_EQ(GetPixel(dc, icon.left + 2 + 1, middle), GetSysColor(COLOR_WINDOW));  // the mask colour is left out
  ReleaseDC(list, dc);
  DestroyWindow(list);
  list = nullptr;
  ImageList_Destroy(images);
  DeleteObject(picture);
}

}  // namespace
