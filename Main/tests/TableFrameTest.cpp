// Tables of frames: rows and their cells, borders, column widths, sorting,
// the layout of fixed and scrolled parts in the frame, and painting, all
// measured against the fonts' own metrics.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "Main/CSymbolBitmaps.h"
#include "Main/CSymbolItem.h"
#include "Main/tests/FrameFixture.h"
#include "win32/UserWindows.h"

using varno::testing::FrameDef;

namespace {

using Texts = std::vector<std::string>;

class TableFrameTest : public varno::testing::FrameFixture {
 protected:
  int Width(const CString& text) const { return TextWidth(CFontSpec(), text); }
  static std::vector<int> CellWidths(const CTablePart& part, int row = 0) {
    std::vector<int> widths;
    for (int c = 0; c < part.m_column_count; ++c) widths.push_back(part.Cell(row, c)->m_rect.Width());
    return widths;
  }
};

TEST_F(TableFrameTest, EveryRowEndsWithACellPerColumnBorderedAsAnyOther) {
  CFrame& frame = Read({FrameDef("T")
                            .Tag(43, {1})
                            .Tag(98, {15})
                            .Columns("4,*,*,*,*")
                            .Tag(47)
                            .Row({"a", "b"})
                            .Row({"c", "d", "e", "f"})
                            .Tag(76)});
  const CTablePart& part = PartOf(frame, 0);
  ASSERT_EQ(part.RowCount(), 2);
  // Flags 15, width 1: a left and top border on every cell, a right border
  // on the last column, a bottom border under the last row.
  for (int row = 0; row < 2; ++row) {
    for (int column = 0; column < 4; ++column) {
      const Sides expected{1, 1, column == 3 ? 1 : 0, row == 1 ? 1 : 0};
      EXPECT_EQ(part.Cell(row, column)->m_strips, expected) << row << "," << column;
      EXPECT_EQ(part.Cell(row, column)->m_three_d, Sides{});
    }
  }
  EXPECT_EQ(Rows(part), (Texts{"a|b||", "c|d|e|f"}));
  EXPECT_EQ(part.m_outer, (Sides{1, 1, 1, 1}));
}

TEST_F(TableFrameTest, EdgesOfCellsAndParts) {
  // 3-D edges on the outer sides and ends (64, 128) and on the inner tops
  // (32); a scrolled part leaves its ends to the bands around its view.
  CFrame& frame = Read({FrameDef("T")
                            .Tag(43, {2})
                            .Tag(98, {4 | 8 | 32 | 64 | 128})
                            .Columns("2,*,*")
                            .Tag(47)
                            .Row({"a", "b"})
                            .Tag(76)
                            .Tag(46)
                            .Row({"c", "d"})
                            .Row({"e", "f"})
                            .Tag(75)});
  const CTablePart& head = PartOf(frame, 0);
  const CTablePart& body = PartOf(frame, 1);
  // The last row's bottom is the outer end: its border and its edge.
  EXPECT_EQ(head.Cell(0, 0)->m_strips, (Sides{4, 4, 0, 4}));
  EXPECT_EQ(head.Cell(0, 0)->m_three_d, (Sides{1, 1, 0, 1}));
  EXPECT_EQ(head.Cell(0, 1)->m_strips, (Sides{0, 4, 4, 4}));
  EXPECT_EQ(head.m_insets, (Sides{2, 2, 2, 2}));
  EXPECT_EQ(body.m_insets, (Sides{2, 0, 2, 0}));
  // The body under its header has no top border or edge of its own.
  EXPECT_EQ(body.m_outer, (Sides{2, 0, 2, 2}));
  EXPECT_EQ(body.m_outer_3d, (Sides{1, 0, 1, 1}));
  EXPECT_EQ(body.Cell(0, 0)->m_strips, (Sides{4, 2, 0, 2}));
  EXPECT_EQ(body.Cell(1, 1)->m_strips, (Sides{0, 2, 4, 0}));
  EXPECT_EQ(body.Cell(1, 1)->m_three_d, (Sides{0, 1, 1, 0}));
}

TEST_F(TableFrameTest, RowsSortByTheirColumnWithTheOuterBordersStayingAtTheEnds) {
  struct Case {
    const char* name;
    int tag;  // 150 ascending, 151 descending
    Texts keys;
    Texts sorted;
  };
  const Case cases[] = {
      {"descending", 151, {"b", "a", "c"}, {"c", "b", "a"}},
      {"ascending, empty last", 150, {"b", "", "A"}, {"A", "b", ""}},
      {"descending, empty first", 151, {"b", "", "A"}, {"", "b", "A"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FrameDef def("T");
    def.Tag(43, {1}).Tag(98, {8}).Columns("2,*,*").Tag(c.tag, {2}).Tag(47);
    for (size_t i = 0; i < c.keys.size(); ++i) def.Row({std::to_string(i), c.keys[i]});
    CFrame& frame = Read({def.Tag(76)});
    const CTablePart& part = PartOf(frame, 0);
    Texts keys;
    for (int row = 0; row < part.RowCount(); ++row) {
      keys.push_back(static_cast<const char*>(part.Cell(row, 1)->GetText()));
      EXPECT_EQ(part.Cell(row, 0)->m_strips.top, row == 0 ? 1 : 0) << row;
      EXPECT_EQ(part.Cell(row, 1)->m_strips.bottom, row == 2 ? 1 : 0) << row;
    }
    EXPECT_EQ(keys, c.sorted);
    EXPECT_EQ(frame.m_sort_column, 0);
  }
}

struct WidthCase {
  const char* name;
  const char* columns;
  int hidden;  // column number given to 61, 0 for none
  Texts cells;
  // -1: the width of the column's text, -3: a third of it, -9: what the
  // other columns leave.
  std::vector<int> widths;
};

void PrintTo(const WidthCase& c, std::ostream* out) { *out << c.name; }

class ColumnWidths : public TableFrameTest, public ::testing::WithParamInterface<WidthCase> {};

TEST_P(ColumnWidths, ShareTheFramesWidth) {
  const WidthCase& c = GetParam();
  FrameDef def("T");
  def.Columns(c.columns).Tag(61, {c.hidden}).Tag(47).Tag(52);
  for (const std::string& text : c.cells) def.Cell(text);
  CFrame& frame = Read({def.Tag(53).Tag(76)});
  ASSERT_TRUE(Layout(frame, 400, 300));
  std::vector<int> expected;
  int fixed = 0;
  for (size_t i = 0; i < c.widths.size(); ++i) {
    const int text = Width(c.cells[i].c_str());
    expected.push_back(c.widths[i] == -1 ? text : c.widths[i] == -3 ? text / 3 : c.widths[i]);
    if (c.widths[i] != -9) fixed += expected.back();
  }
  for (int& width : expected) {
    if (width == -9) width = 400 - fixed;
  }
  EXPECT_EQ(CellWidths(PartOf(frame, 0)), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, ColumnWidths,
    ::testing::Values(WidthCase{"PixelsPercentAndRest", "3,100,25%,*", 0, {"a", "b", "c"}, {100, 100, -9}},
                      WidthCase{"AsWideAsItsWidestCell", "3,50,-3,*", 0, {"a", "Schraube M6", "c"}, {50, -1, -9}},
                      WidthCase{"PercentOfWhatIsLeft", "3,100,-50%,*", 0, {"a", "b", "c"}, {100, 150, -9}},
                      WidthCase{"HiddenTakesNothing", "3,100,*,*", 2, {"a", "b", "c"}, {100, 0, -9}},
                      WidthCase{"OnlyTheLastRestColumnTakesTheRest",
                                "3,100,*,*",
                                0,
                                {"a", "Schraube M6", "c"},
                                {100, -3, -9}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TableFrameTest, AColumnAtLeastAThirdOfItsWidestCell) {
  const CString text = "Ersatzteilnummer Ersatzteilnummer";
  CFrame& frame = Read({FrameDef("T").Columns("2,1%,*").Tag(47).Row({static_cast<const char*>(text), "b"}).Tag(76)});
  ASSERT_TRUE(Layout(frame, 400, 300));
  const std::vector<int> widths = CellWidths(PartOf(frame, 0));
  EXPECT_EQ(widths[0], Width(text) / 3);
  EXPECT_EQ(widths[1], 400 - Width(text) / 3);
}

TEST_F(TableFrameTest, AHeaderIsAsWideAsItsBody) {
  CFrame& frame = Read({FrameDef("T")
                            .Columns("3,-3,-3,*")
                            .Tag(47)
                            .Row({"Benennung", "Nr"})
                            .Tag(76)
                            .Tag(46)
                            .Row({"a", "RM-2001"})
                            .Tag(75)});
  ASSERT_TRUE(Layout(frame, 400, 300));
  const std::vector<int> head = CellWidths(PartOf(frame, 0));
  EXPECT_EQ(head, CellWidths(PartOf(frame, 1)));
  EXPECT_EQ(head[0], Width("Benennung"));
  EXPECT_EQ(head[1], Width("RM-2001"));
  // Beside the body's scroll bar: both end where the bar begins.
  EXPECT_EQ(head[0] + head[1] + head[2], 400 - GetSystemMetrics(SM_CXVSCROLL));
}

TEST_F(TableFrameTest, ATableWidthInPercentOfTheFrame) {
  CFrame& frame = Read({FrameDef("T").Text(45, "50%").Columns("1,*").Tag(47).Row({"a"}).Tag(76)});
  ASSERT_TRUE(Layout(frame, 400, 300));
  EXPECT_EQ(CellWidths(PartOf(frame, 0)), (std::vector<int>{200}));
  // With a height the part has a scroll bar to leave room for.
  CFrame& high = Read({FrameDef("T").Text(45, "50%").Text(44, "100").Columns("1,*").Tag(46).Row({"a"}).Tag(75)});
  ASSERT_TRUE(Layout(high, 400, 300));
  EXPECT_EQ(CellWidths(PartOf(high, 0)), (std::vector<int>{200 - GetSystemMetrics(SM_CXVSCROLL)}));
}

// A header and a body of rows many enough to overflow the frame.
FrameDef LongTable(int rows) {
  FrameDef def("T");
  def.Columns("2,40,*").Tag(47).Row({"Pos", "Teil"}).Tag(76).Tag(46);
  for (int i = 0; i < rows; ++i) def.Row({std::to_string(i + 1), "Schraube"});
  return def.Tag(75);
}

TEST_F(TableFrameTest, AScrolledPartTakesTheHeightThatTheFrameHasToSpare) {
  CFrame& frame = Read({LongTable(40)});
  ASSERT_TRUE(Layout(frame, 300, 200));
  const CTablePart& head = PartOf(frame, 0);
  const CTablePart& body = PartOf(frame, 1);
  ASSERT_EQ(windows.clientViews.Count(), 1);
  const CRect view = windows.clientViews.Views()[0]->rect;
  EXPECT_EQ(view.top, head.m_rect.bottom);
  EXPECT_EQ(view.bottom, 200);
  EXPECT_EQ(view.Width(), body.m_rect.Width() + GetSystemMetrics(SM_CXVSCROLL));
  // The view scrolls over all the rows.
  EXPECT_EQ(windows.clientViews.Views()[0]->total.cy, body.m_rect.Height());
  EXPECT_GT(body.m_rect.Height(), view.Height());
  EXPECT_EQ(frame.m_content.bottom, 200);
  EXPECT_GT(frame.m_scroll_mode, 0);
}

TEST_F(TableFrameTest, AFrameTooSmallForItsFixedPartsShowsFiftyRowPixels) {
  CFrame& frame = Read({FrameDef(LongTable(40)).Tag(34).Content("A").Tag(11).Content("B").Tag(11).Content("C").Tag(35)});
  const int lines = 3 * Metrics(CFontSpec()).tmHeight;
  ASSERT_TRUE(Layout(frame, 300, 50 + lines));
  ASSERT_EQ(windows.clientViews.Count(), 1);
  EXPECT_EQ(frame.m_scroll_mode, -1);
  EXPECT_EQ(windows.clientViews.Views()[0]->rect.Height(), 50);
}

TEST_F(TableFrameTest, TheScrollSizesOfTheFramesView) {
  CFrame& frame = Read({LongTable(2)});
  ASSERT_TRUE(Layout(frame, 300, 400));
  EXPECT_EQ(mainView->total, CSize(frame.m_content.Width(), frame.m_content.Height()));
  EXPECT_EQ(mainView->page, CSize(280, 380));
  EXPECT_EQ(mainView->line, CSize(10, 10));
  // Never below a pixel; a line never above ten.
  CFrame& tiny = Read({LongTable(2)});
  ASSERT_TRUE(Layout(tiny, 12, 30));
  EXPECT_EQ(mainView->page, CSize(1, 10));
  EXPECT_EQ(mainView->line, CSize(1, 2));
}

TEST_F(TableFrameTest, AnUnchangedWindowIsNotLaidOutAgain) {
  CFrame& frame = Read({LongTable(2)});
  ASSERT_TRUE(Layout(frame, 300, 400));
  const CRect content = frame.m_content;
  frame.m_margins.left = 50;
  EXPECT_TRUE(frame.AttachView(mainView.get(), CDC::FromHandle(canvas->dc), nullptr));
  EXPECT_EQ(frame.m_content, content);
  const int rest = PartOf(frame, 1).Cell(1, 1)->m_rect.Width();
  frame.m_margins.left = 0;
  mainView->rect.right = 301;
  EXPECT_TRUE(frame.AttachView(mainView.get(), CDC::FromHandle(canvas->dc), nullptr));
  EXPECT_NE(frame.m_content, content);
  // The rows are laid out anew for their new widths.
  EXPECT_EQ(PartOf(frame, 1).Cell(1, 1)->m_rect.Width(), rest + 1);
  EXPECT_EQ(PartOf(frame, 0).Cell(0, 1)->m_rect.Width(), rest + 1);
}

TEST_F(TableFrameTest, CellsPaintTheirBordersInTheGridColour) {
  const COLORREF grid = RGB(200, 0, 0);
  CFrame& frame = Read({FrameDef("T")
                            .Tag(43, {2})
                            .Tag(98, {15})
                            .Tag(112, {200, 0, 0})
                            .Columns("2,100,*")
                            .Tag(47)
                            .Row({"a", "b"})
                            .Row({"c", "d"})
                            .Tag(76)});
  auto& canvas = Paint(frame, 300, 200);
  Keep("cell-borders");
  const CTablePart& part = PartOf(frame, 0);
  const CRect first = part.Cell(0, 0)->m_rect;
  const CRect last = part.Cell(1, 1)->m_rect;
  const int middle = (first.top + first.bottom) / 2;
  EXPECT_EQ(GetPixel(canvas.dc, first.left, middle), grid);
  EXPECT_EQ(GetPixel(canvas.dc, first.left + 1, middle), grid);
  EXPECT_NE(GetPixel(canvas.dc, first.left + 2, first.top + 2), grid);
  EXPECT_EQ(GetPixel(canvas.dc, first.right, middle), grid);  // the next column's left border
  EXPECT_EQ(GetPixel(canvas.dc, last.right - 1, (last.top + last.bottom) / 2), grid);
  EXPECT_EQ(GetPixel(canvas.dc, 50, last.top), grid);         // the second row's top
  EXPECT_EQ(GetPixel(canvas.dc, 50, last.bottom - 1), grid);  // the last row's bottom
  EXPECT_EQ(GetPixel(canvas.dc, 50, last.bottom), RGB(255, 255, 255));
}

TEST_F(TableFrameTest, APartPaintsItsRaisedEdgesAndTheBodyItsBandsAroundItsView) {
  CFrame& frame = Read({FrameDef("T")
                            .Tag(43, {1})
                            .Tag(98, {4 | 8 | 64 | 128})
                            .Columns("1,*")
                            .Tag(47)
                            .Row({"Kopf"})
                            .Tag(76)
                            .Tag(34)
                            .Content("Zwischen")
                            .Tag(35)
                            .Tag(46)
                            .Row({"a"})
                            .Row({"b"})
                            .Tag(75)});
  auto& canvas = Paint(frame, 300, 300);
  Keep("edges");
  const CTablePart& head = PartOf(frame, 0);
  const int y = (head.m_rect.top + head.m_rect.bottom) / 2;
  EXPECT_EQ(GetPixel(canvas.dc, head.m_rect.left, y), GetSysColor(COLOR_3DFACE));
  EXPECT_EQ(GetPixel(canvas.dc, head.m_rect.left + 1, y), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(GetPixel(canvas.dc, head.m_rect.right - 1, y), GetSysColor(COLOR_WINDOWFRAME));
  EXPECT_EQ(GetPixel(canvas.dc, head.m_rect.right - 2, y), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(GetPixel(canvas.dc, 50, head.m_rect.bottom - 1), GetSysColor(COLOR_WINDOWFRAME));
  // Not under its header, the body has a top band and a bottom band around
  // its view in the frame's main view.
  ASSERT_EQ(windows.clientViews.Count(), 1);
  const CRect view = windows.clientViews.Views()[0]->rect;
  EXPECT_EQ(GetPixel(canvas.dc, 50, view.top - 5), GetSysColor(COLOR_3DFACE));
  EXPECT_EQ(GetPixel(canvas.dc, 50, view.bottom + 4), GetSysColor(COLOR_WINDOWFRAME));
}

TEST_F(TableFrameTest, TextsPaintInTheColoursOfTheirLinksAndMarks) {
  CFrame& frame = Read({FrameDef("T")
                            .Tag(108, {255, 255, 0})
                            .Columns("3,80,80,*")
                            .Tag(47)
                            .Tag(52)
                            .Tag(48)
                            .Link("MOT", "Motor")
                            .Tag(49)
                            .Tag(48)
                            .Tag(57)
                            .Content("RM-2001")
                            .Tag(49)
                            .Tag(48)
                            .Content("WWW")
                            .Tag(49)
                            .Tag(53)
                            .Tag(76)});
  auto& canvas = Paint(frame, 300, 100);
  Keep("link-colours");
  const CTablePart& part = PartOf(frame, 0);
  auto count = [&](int column, COLORREF colour) {
    const CRect r = part.Cell(0, column)->m_rect;
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += GetPixel(canvas.dc, x, y) == colour ? 1 : 0;
    return n;
  };
  EXPECT_GT(count(0, theGlobals.m_norlink_textcolor), 0);
  EXPECT_GT(count(1, theGlobals.m_prot_textcolor), 0);
  EXPECT_EQ(count(2, theGlobals.m_norlink_textcolor), 0);
  EXPECT_GT(count(2, RGB(0, 0, 0)), 0);
  // The opaque cell background fills the whole inside of each cell.
  EXPECT_EQ(GetPixel(canvas.dc, part.Cell(0, 2)->m_rect.right - 2, part.Cell(0, 2)->m_rect.bottom - 2),
            RGB(255, 255, 0));
}

TEST_F(TableFrameTest, SymbolsShowTheirPictureInTheirPlace) {
  auto symbol = std::make_unique<CSymbolBitmaps>();
  symbol->m_number = 1;
  symbol->m_name = "pfeil";
  symbol->m_width = symbol->m_height = 8;
  HDC screen = GetDC(nullptr);
  symbol->m_bitmaps[0] = CreateCompatibleBitmap(screen, 8, 8);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(memory, symbol->m_bitmaps[0]);
  const RECT all{0, 0, 8, 8};
  HBRUSH green = CreateSolidBrush(RGB(0, 160, 0));
  FillRect(memory, &all, green);
  DeleteObject(green);
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  face.m_symbols.push_back(std::move(symbol));

  CFrame& frame = Read({FrameDef("T").Tag(34).Content("Motor ").Text(132, "MOT").Tag(77).Content("1").Tag(134).Tag(35)});
  auto& canvas = Paint(frame, 200, 50);
  Keep("symbol");
  EXPECT_EQ(canvas.Count(RGB(0, 160, 0)), 64);
  const auto* item = static_cast<const CSymbolItem*>(CellOf(frame, 0).m_items[1].get());
  EXPECT_EQ(item->m_link_kind, 3);
  EXPECT_EQ(item->m_link_text, CString("MOT"));
  EXPECT_EQ(GetPixel(canvas.dc, item->m_rect.left, item->m_rect.top), RGB(0, 160, 0));
  // The blank that ends the line's last text goes, also before a symbol.
  EXPECT_EQ(item->m_rect.left, Width("Motor"));
}

}  // namespace
