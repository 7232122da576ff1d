#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Main/CV4TTWindow.h"
#include "Main/tests/LinkFixture.h"

namespace {

using varno::testing::Buf;
using varno::testing::Bytes;
using varno::testing::FrameDef;

// A parts table: a header row and body rows of position (the hotspot name),
// part number (key mark, order field 1), name (tool tip, order field 3) and
// a link column.
class TableInteractionTest : public varno::testing::LinkFixture {
 protected:
  struct Part {
    std::string pos;
    std::string number;
    std::string name;
    std::string link;  // "" none, "K:key", "C:id", "D:key" default key link
  };

  static FrameDef& AddPart(FrameDef& def, const Part& p) {
    def.Tag(52).Tag(48).Tag(59).Content(p.pos).Tag(49);
    def.Tag(48);
    if (!p.number.empty()) def.Tag(57).Tag(58, {1}).Content(p.number);
    def.Tag(49).Tag(48).Tag(116).Tag(58, {3}).Content(p.name).Tag(49).Tag(48);
    if (!p.link.empty()) {
      const int open = p.link[0] == 'K' ? 2 : p.link[0] == 'D' ? 3 : 143;
      def.Link(p.link.substr(2), "Zeige", open);
    }
    return def.Tag(49).Tag(53);
  }
  // Header (unless none) and body; the body in its own view.
  CFrame& Table(const std::vector<Part>& parts, BOOL header = TRUE) {
    FrameDef def("T");
    def.Columns("4,40,80,80,*");
    if (header) def.Tag(47).Row({"Pos", "Nummer", "Name", ""}).Tag(76);
    def.Tag(46);
    for (const Part& p : parts) AddPart(def, p);
    def.Tag(75);
    CFrame& frame = Read({def});
    Paint(frame, 400, 300);
    return frame;
  }
  CTablePart& Body(CFrame& frame) { return PartOf(frame, frame.m_child_count - 1); }
};

TEST_F(TableInteractionTest, HitFlagsTellWhatTheRowOffers) {
  CFrame& frame = Table({{"1", "RM-1", "Motor", "K:MOT"},
                         {"2", "", "Deckel", "C:77"},
                         {"3", "RM-3", "Schraube", ""},
                         {"4", "", "Feder", ""}});
  CTablePart& body = Body(frame);
  struct Case {
    int row;
    int flags;
    const char* name;
    const char* key;
    const char* target;
  };
  for (const Case& c : {Case{0, 1 | 2, "1", "RM-1", "MOT"}, Case{1, 8, "2", "", "77"}, Case{2, 2, "3", "RM-3", ""},
                        Case{3, 0, "4", "", ""}}) {
    SCOPED_TRACE(c.row);
    TableHit hit;
    const CPoint at = At(body, c.row, 2);  // on the name: the row decides, not the cell
    EXPECT_EQ(body.OnMouseMove(BodyView(), at.x, at.y, CPoint(0, 0), hit), c.flags);
    EXPECT_STREQ(hit.name, c.name);
    EXPECT_STREQ(hit.key, c.key);
    EXPECT_STREQ(hit.target, c.target);
  }
  TableHit hit;
  EXPECT_EQ(body.OnMouseMove(BodyView(), -5, -5, CPoint(0, 0), hit), 0);
  EXPECT_EQ(body.CursorHitTest(-5, -5), 1);
  const CPoint inCell = At(body, 0, 1);
  EXPECT_EQ(body.CursorHitTest(inCell.x, inCell.y), 7);
}

// Two links in a row: the one under the pointer counts; off them, a single
// default link of the row stands for the row.
TEST_F(TableInteractionTest, ARowWithSeveralLinksLetsTheCellUnderThePointerDecide) {
  FrameDef def("T");
  def.Columns("3,80,80,*").Tag(46).Tag(52);
  def.Tag(48).Link("A", "Erstes").Tag(49);
  def.Tag(48).Link("B", "Zweites", 3).Tag(49);
  def.Tag(48).Content("nichts").Tag(49).Tag(53).Tag(75);
  CFrame& frame = Read({def});
  Paint(frame, 400, 200);
  CTablePart& body = Body(frame);
  struct Case {
    int column;
    const char* target;
  };
  for (const Case& c : {Case{0, "A"}, Case{1, "B"}, Case{2, "B"}}) {
    SCOPED_TRACE(c.column);
    TableHit hit;
    const CTextField* field = static_cast<const CTextField*>(body.Cell(0, c.column)->m_items[0].get());
    const CPoint at = c.column == 2 ? At(body, 0, 2) : field->m_pieces[0]->m_rect.CenterPoint();
    EXPECT_EQ(body.OnMouseMove(BodyView(), at.x, at.y, CPoint(0, 0), hit), 1);
    EXPECT_STREQ(hit.target, c.target);
  }
}

TEST_F(TableInteractionTest, MouseMovesHighlightTheRowUnderThePointerOnly) {
  CFrame& frame = Table({{"1", "RM-1", "Motor", ""}, {"2", "RM-2", "Deckel", ""}});
  CTablePart& body = Body(frame);
  CTablePart& head = PartOf(frame, 0);
  auto selected = [](const CTablePart& part) {
    std::vector<int> rows;
    for (int r = 0; r < part.RowCount(); ++r) rows.push_back(part.Cell(r, 0)->m_selected);
    return rows;
  };
  TableHit hit;
  const CPoint second = At(body, 1, 1);
  body.OnMouseMove(BodyView(), second.x, second.y, CPoint(0, 0), hit);
  EXPECT_EQ(selected(body), (std::vector<int>{0, 1}));
  EXPECT_EQ(body.Cell(1, 3)->m_selected, 1);
  Paint(frame, 400, 300);
  Keep("selected-row");
  body.OnMouseMove(BodyView(), -5, -5, CPoint(0, 0), hit);
  EXPECT_EQ(selected(body), (std::vector<int>{0, 0}));
  // The header of a body never lights up.
  const CPoint title = At(head, 0, 1);
  head.OnMouseMove(mainView.get(), title.x, title.y, CPoint(0, 0), hit);
  EXPECT_EQ(selected(head), (std::vector<int>{0}));
}

TEST_F(TableInteractionTest, CopiesGiveTabSeparatedRowsOfTheShownColumns) {
  CFrame& frame = Table({{"1", "RM-1", "Motor", ""}, {"2", "RM-2", "Deckel", ""}});
  CTablePart& body = Body(frame);
  TableHit hit;
  const CPoint at = At(body, 1, 2);
  EXPECT_EQ(body.OnCommand(149, at.x, at.y, FALSE, hit), 1);
  EXPECT_EQ(ClipboardText(), "2\tRM-2\tDeckel\t\r\n");
  EXPECT_EQ(body.OnCommand(151, at.x, at.y, FALSE, hit), 1);
  EXPECT_EQ(ClipboardText(), "Deckel");
  EXPECT_EQ(body.OnCommand(150, at.x, at.y, FALSE, hit), 1);
  EXPECT_EQ(ClipboardText(), "Pos\tNummer\tName\t\r\n1\tRM-1\tMotor\t\r\n2\tRM-2\tDeckel\t\r\n\r\n");
  // Outside the rows a row or cell copy does nothing.
  EXPECT_EQ(body.OnCommand(149, -5, -5, FALSE, hit), 0);
  EXPECT_EQ(ClipboardText(), "Pos\tNummer\tName\t\r\n1\tRM-1\tMotor\t\r\n2\tRM-2\tDeckel\t\r\n\r\n");
}

TEST_F(TableInteractionTest, AHiddenLastColumnLeavesATabAfterTheLastShownCell) {
  FrameDef def("T");
  def.Columns("3,40,40,*").Tag(61, {3}).Tag(46).Row({"a", "b", "c"}).Tag(75);
  CFrame& frame = Read({def});
  Paint(frame, 300, 200);
  EXPECT_EQ(Body(frame).ClipboardRow(0), "a\tb\t\r\n");
  FrameDef empty("E");
  empty.Columns("1,*").Tag(46).Tag(75);
  EXPECT_EQ(Body(Read({empty})).ClipboardTable(), "\r\n");
}

TEST_F(TableInteractionTest, OrderLinesHoldTheFieldsByNumberWithEmptyGaps) {
  FrameDef def("T");
  def.Columns("3,40,40,*").Tag(46);
  def.Tag(52).Tag(48).Tag(58, {3}).Content("drei").Tag(49).Tag(48).Tag(58, {1}).Content("eins").Tag(49).Tag(53);
  def.Row({"x", "y", "z"});
  def.Tag(75);
  CFrame& frame = Read({def});
  CTablePart& body = Body(frame);
  CDynBuf numbered;
  body.OrderLine(*body.Row(0), numbered);
  EXPECT_EQ(Text(numbered), std::string("eins\0\0drei\0\0", 12));
  CDynBuf plain;
  body.OrderLine(*body.Row(1), plain);
  EXPECT_EQ(Text(plain), std::string("\0", 1));
}

// Part information (4) or an order (6) of the clicked row goes to the
// order-list program as the row's order line.
TEST_F(TableInteractionTest, ClickCommand130SendsTheRowsOrderLine) {
  varno::testing::OrderListStandIn orderList;
  CFrame& frame = Table({{"1", "RM-1", "Motor", ""}});
  const CPoint at = At(Body(frame), 0, 1);
  EXPECT_EQ(frame.OnHotspotCommand(130, BodyView(), at.x, at.y, 0), 2);
  EXPECT_EQ(frame.OnHotspotCommand(130, BodyView(), at.x, at.y, 1), 2);
  ASSERT_EQ(orderList.copies.size(), 2u);
  EXPECT_EQ(orderList.copies[0].code, 4u);
  EXPECT_EQ(orderList.copies[1].code, 6u);
  EXPECT_EQ(orderList.copies[1].bytes, std::string("RM-1\0\0Motor\0\0", 13));
}

TEST_F(TableInteractionTest, HotspotMovesMarkTheMatchingRowsAndClearTheOthers) {
  CFrame& frame = Table({{"1", "RM-1", "Motor", ""}, {"2", "RM-2", "Deckel", ""}, {"2", "RM-9", "Feder", ""}});
  CTablePart& body = Body(frame);
  auto selected = [&] {
    std::vector<int> rows;
    for (int r = 0; r < body.RowCount(); ++r) rows.push_back(body.Cell(r, 0)->m_selected);
    return rows;
  };
  EXPECT_TRUE(frame.OnHotspotLink("2", WM_MOUSEMOVE, 0, nullptr, 1));
  EXPECT_EQ(selected(), (std::vector<int>{0, 1, 1}));
  const CPoint last = At(body, 2, 0);
  EXPECT_TRUE(frame.OnHotspotLink("2", WM_RBUTTONDOWN, 0, &last, 1));
  EXPECT_EQ(selected(), (std::vector<int>{0, 0, 1}));
  EXPECT_TRUE(frame.OnHotspotLink("", WM_MOUSEMOVE, 0, nullptr, 1));
  EXPECT_EQ(selected(), (std::vector<int>{0, 0, 0}));
  // Other messages count as handled and change nothing.
  EXPECT_TRUE(frame.OnHotspotLink("1", WM_KEYDOWN, 0, nullptr, 1));
  EXPECT_EQ(selected(), (std::vector<int>{0, 0, 0}));
}

TEST_F(TableInteractionTest, BranchOnOneRowWithOneKeyLinkShowsTheKeyWithTheLinksAssignments) {
  CFrame& frame = Table({{"1", "RM-1", "Motor", "K:MOT"}});
  ASSERT_EQ(frame.m_actions.size(), 1u);
  *frame.m_actions[0] = Buf(Bytes({0, 'O', "N", 0, 'C', "5", 0, '[', 0, 0}));
  EXPECT_TRUE(frame.OnHotspotLink("1", WM_LBUTTONDOWN, 129, nullptr, 1));
  EXPECT_EQ(TakeKeyCommands(), (KeyCommands{{1, "MOT"}}));
  EXPECT_EQ(Text(theGlobals.m_cur_varbuf), Bytes({0, 'O', "N", 0, 'C', "5", 0, '[', 0, 0}));
  EXPECT_TRUE(shell.choices.empty());  // no dialog
  // A name that no row has does nothing.
  EXPECT_FALSE(frame.OnHotspotLink("9", WM_LBUTTONDOWN, 129, nullptr, 1));
  EXPECT_TRUE(TakeKeyCommands().empty());
}

TEST_F(TableInteractionTest, BranchCommandWhoseAssignmentsFailIsReportedAndStillPosted) {
  CFrame& frame = Table({{"1", "RM-1", "Motor", "C:77"}});
  *frame.m_actions[0] = Buf(Bytes({0, 'X', "T", 0, 'C', "\"ab\"", 0, '[', 0, 0}));
  EXPECT_TRUE(frame.OnHotspotLink("1", WM_LBUTTONDOWN, 129, nullptr, 1));
  EXPECT_EQ(TakeCommands(), (std::vector<WPARAM>{77}));
  ASSERT_EQ(dialog->shown.size(), 1u);
  EXPECT_NE(dialog->shown[0].second.find("[307]"), std::string::npos) << dialog->shown[0].second;
  EXPECT_EQ(theGlobals.m_error_trace_newest, nullptr);
}

TEST_F(TableInteractionTest, BranchOverSeveralRowsAsksWhereToGo) {
  CFrame& frame = Table({{"2", "RM-1", "Motor", "K:MOT"}, {"2", "RM-2", "Deckel", "K:DEC"}});
  shell.choose = -1;  // cancelled
  EXPECT_FALSE(frame.OnHotspotLink("2", WM_LBUTTONDOWN, 129, nullptr, 1));
  ASSERT_EQ(shell.choices.size(), 2u);
  EXPECT_EQ(shell.branchHeaders, std::string("Pos\0Nummer\0Name\0\0", 17));
  EXPECT_EQ(shell.branchHeaderCount, 4);
  EXPECT_EQ(shell.choices[1].row, 1);
  EXPECT_EQ(Text(shell.choices[1].texts), std::string("2\0RM-2\0Deckel\0Zeige\0", 20));  // what the dialog's row shows
  EXPECT_TRUE(TakeKeyCommands().empty());
  shell.choose = 1;
  EXPECT_TRUE(frame.OnHotspotLink("2", WM_LBUTTONDOWN, 129, nullptr, 1));
  EXPECT_EQ(TakeKeyCommands(), (KeyCommands{{1, "DEC"}}));
}

TEST_F(TableInteractionTest, OrderOfSeveralRowsIsConfirmedAndSentAsOneList) {
  varno::testing::OrderListStandIn orderList;
  CFrame& frame = Table({{"2", "RM-1", "Motor", ""}, {"2", "", "Deckel", ""}, {"2", "RM-3", "Feder", ""}});
  EXPECT_TRUE(frame.OnHotspotLink("2", WM_LBUTTONDOWN, 130, nullptr, 1));
  ASSERT_EQ(orderList.copies.size(), 1u);
  EXPECT_EQ(orderList.copies[0].code, 6u);
  // The unorderable row stays out; the list keeps its closing 0 byte.
  EXPECT_EQ(orderList.copies[0].bytes, std::string("RM-1\0\0Motor\0\0RM-3\0\0Feder\0\0\0", 27));

  shell.agree = FALSE;
  EXPECT_TRUE(frame.OnHotspotLink("2", WM_LBUTTONDOWN, 130, nullptr, 1));
  EXPECT_EQ(orderList.copies.size(), 1u);
  ASSERT_EQ(shell.confirmed.size(), 2u);
  EXPECT_EQ(shell.confirmed[1].rows, 2);
  EXPECT_EQ(shell.confirmed[1].cells, 4);
  EXPECT_EQ(shell.confirmed[1].headers, std::string("Pos\0Nummer\0Name\0\0", 17));
  EXPECT_EQ(shell.confirmed[1].texts, std::string("2\0RM-1\0Motor\0\0" "2\0RM-3\0Feder\0\0", 28));
}

// Parts asked for from a picture, through its context menu or a hotspot
// link over the frame's tables, reach the confirmation list with the
// table's header texts, as the table's own order does.
TEST_F(TableInteractionTest, PartsAskedForFromAPictureCarryTheHeaderTexts) {
  CFrame& frame = Table({{"2", "RM-1", "Motor", ""}, {"2", "RM-3", "Feder", ""}});
  shell.agree = FALSE;
  EXPECT_TRUE(frame.OnHotspotLinkParts("2", WM_LBUTTONDOWN, 130));
  face.m_frames.push_back(std::move(frames.back()));
  frames.pop_back();
  face.m_default_hotspot = "2";
  EXPECT_TRUE(face.CollectParts(0x82, TRUE));
  ASSERT_EQ(shell.confirmed.size(), 2u);
  for (const auto& parts : shell.confirmed) {
    EXPECT_EQ(parts.rows, 2);
    EXPECT_EQ(parts.headers, std::string("Pos\0Nummer\0Name\0\0", 17));
    EXPECT_EQ(parts.texts, std::string("2\0RM-1\0Motor\0\0" "2\0RM-3\0Feder\0\0", 28));
  }
  face.Clear();
}

// A table without a header still orders: the header texts are empty.
TEST_F(TableInteractionTest, OrderFromATableWithoutHeaderIsSentWithEmptyHeaders) {
  varno::testing::OrderListStandIn orderList;
  CFrame& frame = Table({{"1", "RM-1", "Motor", ""}}, FALSE);
  EXPECT_TRUE(frame.OnHotspotLink("1", WM_LBUTTONDOWN, 130, nullptr, 1));
  ASSERT_EQ(orderList.copies.size(), 1u);
  EXPECT_EQ(orderList.copies[0].code, 6u);
  EXPECT_EQ(orderList.copies[0].bytes, std::string("RM-1\0\0Motor\0\0", 13));  // one row: no closing 0
}

TEST_F(TableInteractionTest, LinkInfoGivesTheFirstLinkOfTheMatchingRows) {
  CFrame& frame = Table({{"1", "RM-1", "Motor", "K:MOT"}, {"2", "", "Deckel", "C:77"}});
  CString target;
  CString text;
  EXPECT_TRUE(frame.GetHotspotTip("1", target, text));
  EXPECT_STREQ(target, "MOT");
  EXPECT_STREQ(text, "Zeige");
  int value = 0;
  BOOL orderable = TRUE;
  EXPECT_EQ(Body(frame).LinkInfo("2", target, text, value, orderable), 8);
  EXPECT_FALSE(orderable);
  EXPECT_FALSE(frame.GetHotspotTip("9", target, text));
  CString name;
  int flags = 0;
  EXPECT_TRUE(Body(frame).RowSummary(0, name, flags));
  EXPECT_STREQ(name, "1");
  EXPECT_EQ(flags, 3);
}

}  // namespace
