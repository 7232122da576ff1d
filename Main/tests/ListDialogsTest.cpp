// The owner-drawn lists of the branch and confirmation dialogs: how a row is
// drawn, how the header's dividers size the columns, and how the user picks
// a branch.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "Main/CBranchDlg.h"
#include "Main/CConfirmListDlg.h"
#include "Main/CListHelper.h"
#include "Main/ShellServices.h"
#include "Main/tests/EngineFixture.h"
#include "comctl/CommCtrl.h"
#include "mfc/CListCtrl.h"
#include "mfc/CWnd.h"
#include "user/Dialogs.h"
#include "win32/EnhMetaFile.h"
#include "win32/Metafile.h"

namespace {

using varno::testing::Buf;

// A window holding an owner-drawn list whose rows and header notifications
// it hands to the helper, as the dialogs do.
class ListHost : public CWnd {
 public:
  std::unique_ptr<CListHelper> helper;
  std::vector<UINT> handled;  // the header notifications the helper took

 protected:
  afx_msg void OnDrawItem(int, LPDRAWITEMSTRUCT item) {
    if (helper) helper->DrawItem(item);
  }
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    auto* note = reinterpret_cast<NMHDR*>(lParam);
    if (helper && helper->OnHeaderNotify(note)) {
      handled.push_back(note->code);
      *result = TRUE;
      return TRUE;
    }
    return CWnd::OnNotify(wParam, lParam, result);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ListHost, CWnd)
  ON_WM_DRAWITEM()
END_MESSAGE_MAP()

class ListHelperTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitCommonControls();
    ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, 0, 0, 500, 300, nullptr, nullptr));
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_OWNERDRAWFIXED | LVS_NOSORTHEADER,
                            RECT{0, 0, 480, 280}, &host, 3004));
    ::SendMessage(list.m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    host.helper = std::make_unique<CListHelper>(&list);
    helper().AddColumns("Nr\0Teil\0Text\0", 13, 3);
  }
  void TearDown() override {
    host.helper.reset();
    host.DestroyWindow();
  }
  CListHelper& helper() { return *host.helper; }
  HWND Header() { return list.GetHeaderCtrl()->m_hWnd; }

  // The right edge of a column in the header, where its divider is.
  int DividerOf(int column) {
    RECT item{};
    ::SendMessage(Header(), HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
    return item.right;
  }

  // What drawing the first row records, drawn in the given state.
  std::shared_ptr<layer::Metafile> DrawFirstRow(UINT state) {
    HDC recording = CreateEnhMetaFile(nullptr, nullptr, nullptr, nullptr);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_LISTVIEW;
    item.CtlID = 3004;
    item.itemID = 0;
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = state;
    item.hwndItem = list.m_hWnd;
    item.hDC = recording;
    item.rcItem = RECT{0, 20, 300, 36};
    item.itemData = list.GetItemData(0);
    helper().DrawItem(&item);
    HENHMETAFILE page = CloseEnhMetaFile(recording);
    auto recorded = layer::ObjectAs<layer::Metafile>(page);
    pages.push_back(page);
    return recorded;
  }
  ~ListHelperTest() override {
    for (HENHMETAFILE page : pages) DeleteEnhMetaFile(page);
  }

  static std::vector<layer::RecordedText> Texts(const layer::Metafile& page) {
    std::vector<layer::RecordedText> texts;
    for (const auto& entry : page.records)
      if (const auto* text = std::get_if<layer::RecordedText>(&entry.record)) texts.push_back(*text);
    return texts;
  }
  static const layer::RecordedState* StateOfFirstText(const layer::Metafile& page) {
    for (const auto& entry : page.records)
      if (std::holds_alternative<layer::RecordedText>(entry.record)) return &page.states.at(entry.state);
    return nullptr;
  }

  ListHost host;
  CListCtrl list;
  std::vector<HENHMETAFILE> pages;
};

TEST_F(ListHelperTest, RowsKeepTheirTextsAndAnEmptyFirstTextEndsTheBlock) {
  helper().AddRows(std::string("1\0Kolben\0Ersatzteil\0" "2\0Ventil\0\0" "\0" "3\0Feder\0x\0", 35).data(), 35);
  ASSERT_EQ(list.GetItemCount(), 2);
  EXPECT_EQ(std::string(list.GetItemText(1, 1)), "Ventil");
  EXPECT_EQ(std::string(list.GetItemText(1, 2)), "");
  EXPECT_EQ(list.GetItemState(0, LVIS_SELECTED | LVIS_FOCUSED), 0u);
  // A block cut short: the row's missing texts are empty.
  helper().AddRows("4\0Dicht", 7);
  ASSERT_EQ(list.GetItemCount(), 3);
  EXPECT_EQ(std::string(list.GetItemText(2, 1)), "Dicht");
  EXPECT_EQ(std::string(list.GetItemText(2, 2)), "");
  EXPECT_EQ(helper().FreeRows(), 3);
}

TEST_F(ListHelperTest, EachCellIsDrawnOverItsColumnAndCutToFit) {
  const CString wide = "Ersatzteil mit einer sehr langen Beschreibung";
  ASSERT_GT(list.GetStringWidth(wide), 2 * 100);  // twice the column width at least
  const std::string row = std::string("1\0\0", 3) + static_cast<const char*>(wide) + std::string("\0\0", 2);
  helper().AddRows(row.data(), static_cast<int>(row.size()));
  ASSERT_EQ(list.GetItemCount(), 1);

  auto page = DrawFirstRow(0);
  ASSERT_NE(page, nullptr);
  const auto texts = Texts(*page);
  ASSERT_EQ(texts.size(), 2u);
  // Six pixels in from the cell's left edge, at the row's top, clipped to the cell.
  EXPECT_EQ(texts[0].text, "1");
  EXPECT_EQ(texts[0].topLeft.x, 6);
  EXPECT_EQ(texts[0].topLeft.y, 20);
  EXPECT_TRUE(texts[0].clipped);
  EXPECT_EQ(texts[0].clip.left, 0);
  EXPECT_EQ(texts[0].clip.right, 100);
  // The third column begins where the first two end; its text is cut and ends in two dots.
  EXPECT_EQ(texts[1].topLeft.x, 206);
  EXPECT_EQ(texts[1].clip.right, 300);
  ASSERT_GE(texts[1].text.size(), 3u);
  EXPECT_EQ(texts[1].text.substr(texts[1].text.size() - 2), "..");
  const std::string kept = texts[1].text.substr(0, texts[1].text.size() - 2);
  EXPECT_EQ(std::string(wide).rfind(kept, 0), 0u) << kept;
  EXPECT_LE(list.GetStringWidth(kept.c_str()), 100 - 12);
  EXPECT_GT(list.GetStringWidth(std::string(wide).substr(0, kept.size() + 1).c_str()), 100 - 12);

  // The empty middle cell is filled with the background.
  bool filled = false;
  for (const auto& entry : page->records) {
    const auto* fill = std::get_if<layer::RecordedFill>(&entry.record);
    if (fill && fill->area.left == 100 && fill->area.right == 200 && fill->colour == GetSysColor(COLOR_WINDOW))
      filled = true;
  }
  EXPECT_TRUE(filled);
}

TEST_F(ListHelperTest, SelectedRowsTakeTheHighlightColoursAndTheFocusRowItsFrame) {
  helper().AddRows(std::string("1\0Kolben\0Teil\0\0", 15).data(), 15);
  struct Case {
    const char* name;
    UINT state;
    int text;
    int background;
    bool framed;
  };
  for (const Case& c : {Case{"plain", 0, COLOR_WINDOWTEXT, COLOR_WINDOW, false},
                        Case{"selected", ODS_SELECTED, COLOR_HIGHLIGHTTEXT, COLOR_HIGHLIGHT, false},
                        Case{"focused", ODS_FOCUS, COLOR_WINDOWTEXT, COLOR_WINDOW, true},
                        Case{"selected and focused", ODS_SELECTED | ODS_FOCUS, COLOR_HIGHLIGHTTEXT, COLOR_HIGHLIGHT,
                             true}}) {
    SCOPED_TRACE(c.name);
    auto page = DrawFirstRow(c.state);
    ASSERT_NE(page, nullptr);
    const layer::RecordedState* state = StateOfFirstText(*page);
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->textColor, GetSysColor(c.text));
    EXPECT_EQ(state->bkColor, GetSysColor(c.background));
    LOGFONT listFont{};
    ::GetObject(list.GetFont()->m_hObject, sizeof listFont, &listFont);
    EXPECT_STREQ(state->font.lfFaceName, listFont.lfFaceName);
    bool framed = false;
    for (const auto& entry : page->records) framed = framed || std::holds_alternative<layer::RecordedInvert>(entry.record);
    EXPECT_EQ(framed, c.framed);
  }
}

// The user's double click on a divider and the end of a drag, as the header
// tells the list's parent.
TEST_F(ListHelperTest, DividersSizeTheColumnsTheHelperDraws) {
  // Without rows a double click makes the column 12 + 16 pixels wide.
  ::SendMessage(Header(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(DividerOf(0), 5));
  EXPECT_EQ(list.GetColumnWidth(0), 28);
  EXPECT_EQ(helper().ColumnWidth(0), 28);

  helper().AddRows(std::string("1\0Kolbenring\0x\0" "2\0Ventil\0y\0\0", 27).data(), 27);
  ::SendMessage(Header(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(DividerOf(1), 5));
  const int widest = list.GetStringWidth("Kolbenring");
  EXPECT_EQ(list.GetColumnWidth(1), widest + 16);  // the title does not count
  EXPECT_EQ(helper().ColumnWidth(1), widest + 16);

  // A drag of the third column's divider to the right.
  const int divider = DividerOf(2);
  ::SendMessage(Header(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(divider, 5));
  ::SendMessage(Header(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(divider + 40, 5));
  ::SendMessage(Header(), WM_LBUTTONUP, 0, MAKELPARAM(divider + 40, 5));
  EXPECT_EQ(helper().ColumnWidth(2), 140);
  EXPECT_EQ(list.GetColumnWidth(2), 140);

  EXPECT_EQ(host.handled, (std::vector<UINT>{HDN_DIVIDERDBLCLICK, HDN_DIVIDERDBLCLICK, HDN_ENDTRACK}));
}

TEST_F(ListHelperTest, OtherHeaderNotificationsAreLeftAlone) {
  for (UINT code : {static_cast<UINT>(HDN_ITEMCLICK), static_cast<UINT>(HDN_BEGINTRACK),
                    static_cast<UINT>(HDN_ITEMCHANGED), static_cast<UINT>(NM_DBLCLK)}) {
    NMHEADER note{};
    note.hdr.hwndFrom = Header();
    note.hdr.code = code;
    note.iItem = 0;
    EXPECT_FALSE(helper().OnHeaderNotify(&note.hdr)) << static_cast<int>(code);
  }
  NMHEADER outside{};
  outside.hdr.hwndFrom = Header();
  outside.hdr.code = HDN_DIVIDERDBLCLICK;
  outside.iItem = 3;  // no such column
  EXPECT_FALSE(helper().OnHeaderNotify(&outside.hdr));
  EXPECT_EQ(helper().ColumnWidth(0), 100);
}

// The branch dialog and the confirmation list as the user meets them.
class ListDialogsTest : public varno::testing::ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    InitCommonControls();
    OpenTexts(theGlobals.m_msgdud, "messages.ddm",
              "dictionary\nlanguage \"D\"\n1119 = \"OK\"\n680 = \"Abbrechen\"\n"
              "1572 = \"Mehrdeutige Verzweigung\"\n1571 = \"Wohin?\"\n282 = \"Bestellen\"\n1573 = \"Welche Teile?\"\n");
    theGlobals.m_language = "D";
  }
  void TearDown() override {
    layer::SetModalHook(nullptr);
    ShellFixture::TearDown();
  }

  static LinkChoice Choice(const char* target, int kind, int row, const std::string& texts) {
    LinkChoice choice{target, target, kind, 0};
    choice.row = row;
    choice.texts = Buf(texts);
    return choice;
  }
  static HWND List(HWND dialog) { return GetDlgItem(dialog, 3004); }
  static int Rows(HWND dialog) { return static_cast<int>(SendMessage(List(dialog), LVM_GETITEMCOUNT, 0, 0)); }
  static std::string Cell(HWND dialog, int item, int column) {
    char text[64] = {};
    LVITEM cell{};
    cell.iSubItem = column;
    cell.pszText = text;
    cell.cchTextMax = sizeof text;
    SendMessage(List(dialog), LVM_GETITEMTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&cell));
    return text;
  }
  static void Select(HWND dialog, int item, bool on = true) {
    LVITEM state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = on ? LVIS_SELECTED | LVIS_FOCUSED : 0;
    SendMessage(List(dialog), LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&state));
    UpdateWindow(List(dialog));  // the rows are drawn again
  }
  static std::string Text(HWND window, int id = 0) {
    char text[128] = {};
    if (id == 0) GetWindowText(window, text, sizeof text);
    else GetDlgItemText(window, id, text, sizeof text);
    return text;
  }
  static void Press(HWND dialog, int id) { SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

  CDynBuf titles = Buf(std::string("Nr\0Teil\0", 8));
};

TEST_F(ListDialogsTest, BranchListsOneRowPerCandidateWithItsRowTexts) {
  const std::vector<LinkChoice> choices = {
      Choice("K1", 1, 0, std::string("1\0Kolben\0", 9)),  // a row without a default link offers all of its links
      Choice("K2", 5, 0, std::string("1\0Kolben\0", 9)),
      Choice("V1", 1, 1, std::string("2\0Ventil\0", 9)),  // a row with a default link offers that one only
      Choice("V2", 2, 1, std::string("2\0Ventil\0", 9)),
      Choice("X", 1, -1, ""),  // from no row: shows the texts before it
  };
  CBranchDlg dialog;
  dialog.m_columns = 2;
  dialog.m_titles = titles;
  dialog.m_choices = &choices;
  std::vector<std::string> shown;
  std::string caption, label, ok, cancel;
  BOOL okEnabled = TRUE;
  layer::SetModalHook([&](HWND window) {
    for (int item = 0; item < Rows(window); ++item) shown.push_back(Cell(window, item, 0) + "|" + Cell(window, item, 1));
    caption = Text(window);
    label = Text(window, CBranchDlg::IDC_LABEL);
    ok = Text(window, IDOK);
    cancel = Text(window, IDCANCEL);
    UpdateWindow(List(window));
    okEnabled = IsWindowEnabled(GetDlgItem(window, IDOK));
    Press(window, IDCANCEL);
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(shown, (std::vector<std::string>{"1|Kolben", "1|Kolben", "2|Ventil", "2|Ventil"}));
  EXPECT_EQ(caption, "Mehrdeutige Verzweigung");
  EXPECT_EQ(label, "Wohin?");
  EXPECT_EQ(ok, "OK");
  EXPECT_EQ(cancel, "Abbrechen");
  EXPECT_FALSE(okEnabled);  // nothing is chosen yet
  EXPECT_EQ(dialog.m_chosen, nullptr);
}

TEST_F(ListDialogsTest, BranchEndsOnlyWithOneChosenRow) {
  const std::vector<LinkChoice> choices = {Choice("A", 2, 0, std::string("1\0Kolben\0", 9)),
                                           Choice("B", 2, 1, std::string("2\0Ventil\0", 9))};
  struct Case {
    const char* name;
    int select;  // -1: none
    bool doubleClick;
    INT_PTR result;
    const char* chosen;
  };
  for (const Case& c : {Case{"OK without a chosen row stays open", -1, false, IDCANCEL, nullptr},
                        Case{"OK on the second row", 1, false, IDOK, "B"},
                        Case{"double click on the first row", 0, true, IDOK, "A"}}) {
    SCOPED_TRACE(c.name);
    CBranchDlg dialog;
    dialog.m_columns = 2;
    dialog.m_titles = titles;
    dialog.m_choices = &choices;
    BOOL stayedOpen = FALSE;
    BOOL okEnabled = FALSE;
    layer::SetModalHook([&](HWND window) {
      if (c.select >= 0) Select(window, c.select);
      okEnabled = IsWindowEnabled(GetDlgItem(window, IDOK));
      if (c.doubleClick) {
        NMITEMACTIVATE activate{};
        activate.hdr.hwndFrom = List(window);
        activate.hdr.idFrom = 3004;
        activate.hdr.code = NM_DBLCLK;
        activate.iItem = c.select;
        SendMessage(window, WM_NOTIFY, 3004, reinterpret_cast<LPARAM>(&activate));
      } else {
        Press(window, IDOK);
      }
      stayedOpen = IsWindowVisible(window);
      if (stayedOpen) Press(window, IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), c.result);
    EXPECT_EQ(okEnabled, c.select >= 0);
    EXPECT_EQ(stayedOpen, c.result != IDOK);
    EXPECT_STREQ(dialog.m_chosen != nullptr ? static_cast<const char*>(dialog.m_chosen->target) : nullptr, c.chosen);
  }
}

TEST_F(ListDialogsTest, DoubleClickOnADividerOfAnEmptyBranchListMakesItNarrow) {
  const std::vector<LinkChoice> none;
  CBranchDlg dialog;
  dialog.m_columns = 2;
  dialog.m_titles = titles;
  dialog.m_choices = &none;
  int width = 0;
  layer::SetModalHook([&](HWND window) {
    HWND header = reinterpret_cast<HWND>(SendMessage(List(window), LVM_GETHEADER, 0, 0));
    RECT first{};
    SendMessage(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    SendMessage(header, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(first.right, 5));
    width = static_cast<int>(SendMessage(List(window), LVM_GETCOLUMNWIDTH, 0, 0));
    Press(window, IDCANCEL);
  });
  dialog.DoModal();
  EXPECT_EQ(width, 28);
}

// The table's branch action reaches the dialog through the shell's services.
TEST_F(ListDialogsTest, ShellLetsTheUserChooseTheBranchInTheDialog) {
  const std::vector<LinkChoice> choices = {Choice("A", 2, 0, std::string("1\0Kolben\0", 9)),
                                           Choice("B", 6, 1, std::string("2\0Ventil\0", 9))};
  for (bool agree : {true, false}) {
    SCOPED_TRACE(agree ? "OK" : "Cancel");
    std::string titleShown;
    layer::SetModalHook([&](HWND window) {
      HWND header = reinterpret_cast<HWND>(SendMessage(List(window), LVM_GETHEADER, 0, 0));
      char title[32] = {};
      HDITEM item{};
      item.mask = HDI_TEXT;
      item.pszText = title;
      item.cchTextMax = sizeof title;
      SendMessage(header, HDM_GETITEM, 1, reinterpret_cast<LPARAM>(&item));
      titleShown = title;
      Select(window, 1);
      Press(window, agree ? IDOK : IDCANCEL);
    });
    LinkChoice chosen;
    EXPECT_EQ(Shell().ChooseBranch(titles, 2, choices, chosen), agree ? TRUE : FALSE);
    EXPECT_EQ(titleShown, "Teil");
    EXPECT_STREQ(chosen.target, agree ? "B" : "");
  }
}

TEST_F(ListDialogsTest, ConfirmListEnablesOkWhileARowIsChosenAndSendsNothingWithoutOne) {
  CDynBuf display = Buf(std::string("1\0Kolben\0" "2\0Ventil\0" "\0", 19));
  CDynBuf data = Buf(std::string("A\0" "1\0" "\0" "B\0" "2\0" "\0" "\0", 11));
  CConfirmListDlg dialog(CWnd::FromHandle(app.m_hMainWnd));
  dialog.m_columns = 2;
  dialog.m_titles = &titles;
  dialog.m_display = &display;
  dialog.m_data = &data;
  std::vector<BOOL> okEnabled;
  layer::SetModalHook([&](HWND window) {
    UpdateWindow(List(window));
    okEnabled.push_back(IsWindowEnabled(GetDlgItem(window, IDOK)));
    Select(window, 1);
    okEnabled.push_back(IsWindowEnabled(GetDlgItem(window, IDOK)));
    Select(window, 1, false);  // the user deselects it again
    okEnabled.push_back(IsWindowEnabled(GetDlgItem(window, IDOK)));
    Press(window, IDOK);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(okEnabled, (std::vector<BOOL>{FALSE, TRUE, FALSE}));
  EXPECT_EQ(data.GetLength(), 0);  // the caller sends nothing
}

}  // namespace
