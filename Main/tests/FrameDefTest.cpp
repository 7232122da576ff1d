// Reading a frame's definition from the key's stream: what each statement
// sets or builds, and the error codes of damaged definitions.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "Main/CImage.h"
#include "Main/CMultiFrame.h"
#include "Main/CSymbolItem.h"
#include "Main/tests/FrameFixture.h"

using varno::testing::Buf;
using varno::testing::CanvasView;
using varno::testing::FrameDef;
using varno::testing::Str;

namespace {

class FrameDefTest : public varno::testing::FrameFixture {
 protected:
  static std::string Raw(const std::string& bytes) { return std::string("\0HT", 3) + bytes; }
  static CTextField& TextOf(const CTableCell& cell, int item) {
    return *static_cast<CTextField*>(cell.m_items[static_cast<size_t>(item)].get());
  }
};

struct BadDefinition {
  const char* name;
  std::string stream;  // behind the file head
  std::vector<int> trace;
  int value;  // of the newest trace entry
};

void PrintTo(const BadDefinition& c, std::ostream* out) { *out << c.name; }

std::string Bytes(const FrameDef& def) { return def.Bytes() + std::string("\0\0", 2); }
std::string Raw(const char* bytes, size_t length) { return std::string("\0HT", 3) + std::string(bytes, length); }

class BadDefinitions : public FrameDefTest, public ::testing::WithParamInterface<BadDefinition> {};

TEST_P(BadDefinitions, FailWithTheirCodesAndLeaveTheFrameUndefined) {
  const BadDefinition& c = GetParam();
  BOOL read = TRUE;
  CFrame& frame = ReadStream("T", c.stream, &read);
  EXPECT_FALSE(read);
  EXPECT_EQ(Trace(), c.trace);
  EXPECT_EQ(NewestValue(), c.value);
  EXPECT_EQ(frame.m_defined, 0);
  // An undefined frame is neither laid out nor drawn.
  CanvasView view(&frame, CRect(0, 0, 100, 100));
  layer::testing::MemoryCanvas canvas(100, 100);
  EXPECT_FALSE(frame.AttachView(&view, CDC::FromHandle(canvas.dc), nullptr));
  EXPECT_FALSE(frame.DrawView(&view, CDC::FromHandle(canvas.dc)));
  EXPECT_EQ(canvas.Count(RGB(255, 255, 255)), 100 * 100);
}

const FrameDef kTable = FrameDef("T").Columns("2,*,*").Tag(47);

INSTANTIATE_TEST_SUITE_P(
    Frames, BadDefinitions,
    ::testing::Values(
        BadDefinition{"NotInTheKey", Bytes(FrameDef("X")), {218}, 0},
        BadDefinition{"WithoutItsEnd", Raw("\0\x0a\x01\x02\x03", 5), {197, 219}, 14},
        BadDefinition{"FreeCellInTableCell", Bytes(FrameDef(kTable).Tag(52).Tag(48).Tag(34)), {220}, 34},
        BadDefinition{"TableCellInFreeCell", Bytes(FrameDef("T").Tag(34).Tag(48)), {220}, 48},
        BadDefinition{"ColourCutByTheEnd", Raw("\0\x0a\x01", 3), {226, 221}, 10},
        BadDefinition{"CharacterCodeWithoutNumber", Bytes(FrameDef("T").Tag(34).Text(69, "x")), {225, 221}, 69},
        BadDefinition{"LinkInsideLink", Bytes(FrameDef("T").Text(2, "A").Text(3, "B")), {527, 225, 221}, 1},
        BadDefinition{"CloseWithoutTable", Bytes(FrameDef("T").Tag(76)), {234, 227, 221}, 0},
        BadDefinition{"CloseOtherKind", Bytes(FrameDef("T").Columns("1,*").Tag(46).Tag(76)), {235, 227, 221}, 3},
        BadDefinition{"CellBeyondTheColumns",
                      Bytes(FrameDef(kTable).Tag(52).Cell("a").Cell("b").Tag(48)), {233, 227, 221}, 3},
        BadDefinition{"CellClosedBeyondTheColumns",
                      Bytes(FrameDef(kTable).Tag(52).Cell("a").Cell("b").Tag(49)), {233, 227, 221}, 3},
        BadDefinition{"RowWithoutTable", Bytes(FrameDef("T").Columns("1,*").Tag(52)), {233, 227, 221}, 0},
        BadDefinition{"RowEndWithoutRow", Bytes(FrameDef(kTable).Tag(53)), {233, 227, 221}, 0},
        BadDefinition{"CellWithoutRow", Bytes(FrameDef(kTable).Tag(48)), {233, 227, 221}, 0},
        BadDefinition{"CellEndWithoutRow", Bytes(FrameDef(kTable).Tag(49)), {233, 227, 221}, 0},
        BadDefinition{"CellWithoutColumns", Bytes(FrameDef("T").Tag(47).Tag(52).Tag(48)), {233, 227, 221}, 1},
        BadDefinition{"ColumnsWithoutCount", Bytes(FrameDef("T").Columns("")), {230, 225, 221}, 0},
        BadDefinition{"NoColumns", Bytes(FrameDef("T").Columns("0,5")), {231, 225, 221}, 0},
        BadDefinition{"TooManyColumns", Bytes(FrameDef("T").Columns("2000000000,*")), {231, 225, 221}, 2000000000},
        BadDefinition{"ColumnWidthsMissing", Bytes(FrameDef("T").Columns("3,20,*")), {232, 225, 221}, 0},
        BadDefinition{"AssignmentWithoutEnd", Raw("\0NName\0CValue", 13), {202, 223, 221}, 10},
        BadDefinition{"TextWithoutEnd", Raw("\0\x11" "Arial", 7), {201, 224, 221}, 10},
        BadDefinition{"ContentWithoutEnd", Raw("\0)1,*\0/\0" "4\0" "0Schraube", 19), {201, 222}, 19}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FrameDefTest, TextsAfterStatementsInsideCellsAreTheirContent) {
  vars().SetVar("MODELL", VarValue::Text("RM46"), VAR_CHAR);
  CFrame& frame = Read({FrameDef("T")
                            .Text(65, "MODELL")
                            .Tag(34)
                            .Content("Hinweis: ")
                            .Tag(6)
                            .Content("fett")
                            .Tag(35)
                            .Text(65, "MODELL")
                            .Columns("2,*,*")
                            .Tag(47)
                            .Row({"Pos", "Teil"})
                            .Tag(76)});
  ASSERT_EQ(frame.m_child_count, 2);
  const CTableCell& free = CellOf(frame, 0);
  ASSERT_EQ(free.ItemCount(), 2);
  EXPECT_EQ(TextOf(free, 0).m_text, CString("Hinweis: "));
  EXPECT_EQ(TextOf(free, 0).m_spec.m_bold, 0);
  EXPECT_EQ(TextOf(free, 1).m_text, CString("fett"));
  EXPECT_EQ(TextOf(free, 1).m_spec.m_bold, 1);
  EXPECT_EQ(Rows(PartOf(frame, 1)), (std::vector<std::string>{"Pos|Teil"}));
  // Plain text where no cell is open is no statement.
  BOOL read = TRUE;
  Read({FrameDef("T").Tag(42).Content("outside")}, &read);
  EXPECT_FALSE(read);
  EXPECT_EQ(Trace(), (std::vector<int>{196, 219}));
}

TEST_F(FrameDefTest, ALinkTakesItsTargetBeforeAndItsTextAfterTheTargetMark) {
  CDynBuf assignment = Buf(std::string("\0NTEIL\0C\"RM-2001\"\0[", 19));
  CFrame& frame = Read({FrameDef("T")
                            .Tag(34)
                            .Text(2, "MOT")
                            .Tag(77)
                            .Content("Motor")
                            .Raw(std::string(reinterpret_cast<const char*>(assignment.GetData()), 19))
                            .Tag(4)
                            .Content(" und ")
                            .Text(145, "316")
                            .Tag(77)
                            .Content("Zoom")
                            .Tag(146)
                            .Tag(35)});
  const CTableCell& cell = CellOf(frame, 0);
  ASSERT_EQ(cell.ItemCount(), 3);
  EXPECT_EQ(TextOf(cell, 0).m_link.kind, 1);
  EXPECT_EQ(TextOf(cell, 0).m_link.target, CString("MOT"));
  EXPECT_EQ(TextOf(cell, 0).m_text, CString("Motor"));
  EXPECT_EQ(TextOf(cell, 1).m_link.kind, 0);
  EXPECT_EQ(TextOf(cell, 2).m_link.kind, 6);
  EXPECT_EQ(TextOf(cell, 2).m_link.target, CString("316"));
  // The assignment behind the target mark waits in the link's buffer.
  ASSERT_EQ(frame.m_action_count, 2);
  const int first = TextOf(cell, 0).m_link.value;
  EXPECT_EQ(Str(*frame.m_actions[static_cast<size_t>(first)]), Str(assignment) + std::string("\0\0", 2));
  VarValue value;
  EXPECT_EQ(vars().GetVar("TEIL", &value), VAR_UNKNOWN);
}

TEST_F(FrameDefTest, AnAssignmentOutsideALinkRunsAtOnce) {
  Read({FrameDef("T").Raw(std::string("\0NTEIL\0C\"RM-2001\"\0[", 19))});
  VarValue value;
  EXPECT_EQ(vars().GetVar("TEIL", &value) & VAR_TYPE_MASK, VAR_CHAR);
  EXPECT_EQ(value.text, CString("RM-2001"));
}

TEST_F(FrameDefTest, ALinkWithoutTargetIsPlainText) {
  CFrame& frame = Read({FrameDef("T").Tag(34).Text(2, "").Tag(77).Content("Motor").Tag(4).Tag(35)});
  EXPECT_EQ(TextOf(CellOf(frame, 0), 0).m_link.kind, 0);
}

TEST_F(FrameDefTest, TextsFromTheDictionaryVariablesAndCharacterCodes) {
  OpenTexts(theGlobals.m_datadud, "texte.ddm", "dictionary\nlanguage \"D\"\n1000 = \"Rasenm\\xE4her\"\n");
  OpenTexts(theGlobals.m_datachdud, "schluessel.ddm", "dictionary\nlanguage \"D\"\n\"TITEL\" = \"Ersatzteile\"\n");
  vars().SetVar("MODELL", VarValue::Text("RM46"), VAR_CHAR);
  vars().SetVar("NAME", VarValue::Long(1000), VAR_DUD);
  vars().SetVar("KOPF", VarValue::Text("TITEL"), VAR_DUDCH);
  CFrame& frame = Read({FrameDef("T")
                            .Tag(34)
                            .Tag(62, {0xE8, 0x03, 0, 0})
                            .Text(65, "MODELL")
                            .Text(66, "NAME")
                            .Text(66, "KOPF")
                            .Text(69, "65")
                            .Tag(35)});
  EXPECT_EQ(CellOf(frame, 0).GetText(), CString("Rasenm\xE4herRM46Rasenm\xE4herErsatzteileA"));
}

TEST_F(FrameDefTest, HiddenColumnsKeepTheirTextsAndDroppedOnesLoseThem) {
  CFrame& frame = Read({FrameDef("T")
                            .Columns("3,*,*,*")
                            .Tag(61, {2})
                            .Tag(170, {3})
                            .Tag(61, {0})
                            .Tag(170, {4})
                            .Tag(47)
                            .Row({"a", "b", "c"})
                            .Tag(76)});
  EXPECT_EQ(frame.m_columns[1].width_spec, -2);
  EXPECT_EQ(frame.m_columns[2].width_spec, -4);
  EXPECT_EQ(frame.m_columns[0].width_spec, -1);
  EXPECT_EQ(Rows(PartOf(frame, 0)), (std::vector<std::string>{"a|b|"}));
}

TEST_F(FrameDefTest, LineBreaksEndTheLastItemOfTheOpenCell) {
  CFrame& frame = Read({FrameDef("T").Tag(11).Tag(34).Content("A").Tag(11).Content("B").Tag(56).Tag(35)});
  const CTableCell& cell = CellOf(frame, 0);
  ASSERT_EQ(cell.ItemCount(), 4);
  EXPECT_EQ(cell.m_items[1]->m_end, END_LINE);
  EXPECT_EQ(cell.m_items[3]->m_end, END_BREAK_CHANCE);
  CString line;
  cell.GetVodText(line);
  EXPECT_EQ(line, CString("A\\B"));
}

TEST_F(FrameDefTest, FontsOfTablesAndTexts) {
  CFrame& frame = Read({FrameDef("T")
                            .Text(104, "Times New Roman")
                            .Tag(103, {12})
                            .Tag(102, {0, 0, 255})
                            .Tag(34)
                            .Content("Basis")
                            .Text(17, "Courier New")
                            .Tag(18, {9})
                            .Tag(99, {255, 255, 0})
                            .Content("Tabelle")
                            .Tag(74)
                            .Content("wieder Basis")
                            .Tag(35)});
  const CTableCell& cell = CellOf(frame, 0);
  EXPECT_EQ(TextOf(cell, 0).m_spec.m_facename, CString("Times New Roman"));
  EXPECT_EQ(TextOf(cell, 0).m_spec.m_size, 12);
  EXPECT_EQ(TextOf(cell, 0).m_spec.m_textcolor, RGB(0, 0, 255));
  EXPECT_EQ(TextOf(cell, 1).m_spec.m_facename, CString("Courier New"));
  EXPECT_EQ(TextOf(cell, 1).m_spec.m_size, 9);
  EXPECT_EQ(TextOf(cell, 1).m_spec.m_bkmode, OPAQUE);
  EXPECT_EQ(TextOf(cell, 1).m_spec.m_bkcolor, RGB(255, 255, 0));
  EXPECT_EQ(TextOf(cell, 2).m_spec.m_facename, CString("Times New Roman"));
  // The same font, whatever its colours, is made once.
  EXPECT_EQ(frame.m_fonts.size(), 2u);
}

TEST_F(FrameDefTest, PicturesTakeTheSizeInForceAndTheirOwnSettings) {
  theGlobals.m_raster_on = TRUE;
  CFrame& frame = Read({FrameDef("T")
                            .Text(30, "50%")
                            .Text(29, "120")
                            .Tag(31, {4, 0, 6, 0})
                            .Tag(117, {0})
                            .Tag(153, {1})
                            .Text(28, "motor.tif")
                            .Text(147, "?12")
                            .Text(148, "MOT")
                            .Text(30, ",")
                            .Text(28, "antrieb.tif")});
  ASSERT_EQ(frame.m_child_count, 2);
  const CImage& first = *frame.m_children[0].Picture();
  const CImage& second = *frame.m_children[1].Picture();
  EXPECT_EQ(first.m_file, CString("motor.tif"));
  EXPECT_EQ(first.m_width, 50);
  EXPECT_EQ(first.m_width_percent, 1);
  EXPECT_EQ(first.m_height, 120);
  EXPECT_EQ(first.m_margins, (Sides{4, 0, 6, 0}));
  EXPECT_EQ(first.m_zoom_rule, 0);
  EXPECT_EQ(first.m_raster, 1);
  EXPECT_EQ(std::string(first.m_hotspots, static_cast<size_t>(first.m_hotspots.GetLength())),
            std::string("?12,MOT\0", 8));
  EXPECT_EQ(second.m_width, 50);
  EXPECT_EQ(second.m_height, 120);
  EXPECT_EQ(second.m_margins, Sides{});
  EXPECT_EQ(second.m_zoom_rule, 2);
  EXPECT_EQ(second.m_raster, 0);
  EXPECT_EQ(second.m_hotspot_draw, 1);
  CString name;
  EXPECT_TRUE(frame.GetFirstPictureName(name));
  EXPECT_EQ(name, CString("motor.tif"));
}

TEST_F(FrameDefTest, SwitchesOfTheProgram) {
  for (int mode : {kInternetNormal, kInternetClient, kInternetServer}) {
    theGlobals.m_internet_mode = mode;
    theGlobals.m_use_tt_window = FALSE;
    Read({FrameDef("T").Tag(60).Tag(122).Tag(152).Text(156, "GEH").Text(158, "ANT")});
    EXPECT_EQ(theGlobals.m_use_tt_window, mode == kInternetNormal) << mode;
  }
  EXPECT_TRUE(theGlobals.m_notiz_allowed);
  EXPECT_TRUE(theGlobals.m_is_kapitel);
  VarValue value;
  vars().GetVar("LEFTNEIGHBOUR", &value);
  EXPECT_EQ(value.text, CString("GEH"));
  theGlobals.m_is_kapitel = FALSE;
  theGlobals.m_use_tt_window = FALSE;
}

TEST_F(FrameDefTest, AnInternetClientTakesPicturesFromItsExchangeFolder) {
  theGlobals.m_internet_mode = kInternetClient;
  CFrame& frame = Read({FrameDef("T").Text(28, "motor.tif")});
  EXPECT_EQ(frame.m_children[0].Picture()->m_file, theGlobals.m_exchange_dir_client + "motor.tif");
}

TEST_F(FrameDefTest, ActionsOpenAndCloseOnce) {
  CFrame frame(&face, "T");
  EXPECT_TRUE(frame.BeginAction(2, "MOT"));
  EXPECT_FALSE(frame.BeginAction(3, "GEH"));
  EXPECT_EQ(Trace(), (std::vector<int>{527}));
  EXPECT_EQ(NewestValue(), 1);
  EXPECT_EQ(frame.m_action_text, CString("MOT"));
  frame.EndAction();
  EXPECT_TRUE(frame.BeginAction(3, "GEH"));
}

TEST_F(FrameDefTest, ARereadFrameStartsEmpty) {
  CFrame& frame = Read({FrameDef("T").Tag(10, {1, 2, 3}).Columns("1,*").Tag(47).Row({"a"}).Tag(76)});
  EXPECT_EQ(frame.m_bkcolor, RGB(1, 2, 3));
  theGlobals.m_act_key_buf = Buf(Bytes(FrameDef("T").Tag(34).Content("x").Tag(35)));
  ASSERT_TRUE(frame.ReadFrameDef());
  EXPECT_EQ(frame.m_bkcolor, RGB(255, 255, 255));
  ASSERT_EQ(frame.m_child_count, 1);
  EXPECT_EQ(frame.m_children[0].kind, CHILD_CELL);
}

TEST_F(FrameDefTest, AFaceReadsEveryFrameAndEnablesPrintingForItsPrintEntry) {
  CMultiFrame window;
  const std::string layout = varno::testing::LayoutStream()
                                 .Rows("50,*")
                                 .Frame("Kopf")
                                 .Frame("Teile")
                                 .End()
                                 .Print("Kopf,Teile", "\"a\"", "\"b\"")
                                 .Bytes();
  const std::string head = FrameDef("Kopf").Tag(34).Content("Titel").Tag(35).Bytes();
  theGlobals.m_act_key_buf = Buf(layout + head + FrameDef("Teile").Tag(76).Bytes() + std::string("\0\0", 2));
  EXPECT_FALSE(face.Build(&window));
  EXPECT_EQ(face.GetFrameWindow(), &window);
  // The broken frame does not keep the other from being read.
  EXPECT_EQ(face.m_frames[0]->m_defined, 1);
  EXPECT_EQ(face.m_frames[1]->m_defined, 0);
  EXPECT_TRUE(app.prints.empty());
  CErrorTrace::RemoveAll();
  theGlobals.m_act_key_buf = Buf(layout + head + FrameDef("Teile").Bytes() + std::string("\0\0", 2));
  EXPECT_TRUE(face.Build(&window));
  EXPECT_EQ(app.prints, (std::vector<BOOL>{TRUE}));
}

}  // namespace
