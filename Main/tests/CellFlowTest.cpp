// Texts and symbols flowing in the lines of a cell: word wrap at the break
// characters, cutting by characters, keeping items whole, line ends,
// alignment, and the cell's line of the print script.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Main/CSymbolBitmaps.h"
#include "Main/CSymbolItem.h"
#include "Main/tests/FrameFixture.h"

namespace {

using Texts = std::vector<std::string>;

class CellFlowTest : public varno::testing::FrameFixture {
 protected:
  void SetUp() override {
    FrameFixture::SetUp();
    frame = std::make_unique<CFrame>(&face, "T");
    cell = std::make_unique<CTableCell>(CellLook{}, frame.get());
  }

  CTextField* Add(const CString& text, int wrap = 1, int halign = 3) {
    return cell->AddText(text, frame->GetFont(spec), spec, halign, 3, wrap, theGlobals.m_def_break_charset,
                         TextLink{});
  }
  // Lays the cell out width pixels wide at (left, top).
  int Layout(int width, int left = 0, int top = 0) {
    CRect box(left, top, left + width, top);
    return cell->Layout(CDC::FromHandle(memory.dc), box, &neededRight);
  }
  // Every piece as "line:text".
  std::vector<std::string> Pieces() const {
    std::vector<std::string> pieces;
    for (const auto& item : cell->m_items) {
      if (item->m_kind != ITEM_TEXT) continue;
      for (const auto& piece : static_cast<CTextField*>(item.get())->m_pieces) {
        pieces.push_back(std::to_string(piece->m_line) + ":" + static_cast<const char*>(piece->m_text));
      }
    }
    return pieces;
  }
  int Width(const CString& text) const { return TextWidth(spec, text); }
  // The longest prefix of text that fits width.
  CString Fitting(const CString& text, int width) const {
    int length = text.GetLength();
    while (length > 0 && Width(text.Left(length)) > width) --length;
    return text.Left(length);
  }

  CFontSpec spec;
  std::unique_ptr<CFrame> frame;
  std::unique_ptr<CTableCell> cell;
  layer::testing::MemoryCanvas memory{10, 10};
  int neededRight = 0;
};

TEST_F(CellFlowTest, TextsBreakAtTheBreakCharactersOfTheLine) {
  struct Case {
    const char* name;
    CString text;
    int width;  // in pixels over the width of widthOf
    CString widthOf;
    Texts expected;
  };
  const Case cases[] = {
      // A text that fits is one piece, break characters or not.
      {"fits whole", "Mutter-Scheibe, M6", 0, "Mutter-Scheibe, M6", {"0:Mutter-Scheibe, M6"}},
      // The blank it breaks at ends neither piece.
      {"blank dropped", "Schraube Mutter", -1, "Schraube Mutter", {"0:Schraube", "1:Mutter"}},
      {"dash kept", "Mutter-Scheibe", -1, "Mutter-Scheibe", {"0:Mutter-", "1:Scheibe"}},
      // The break character itself must fit.
      {"last break that fits", "a b c d", 0, "a b c ", {"0:a b c", "1:d"}},
      {"break beyond the line", "a b c d", -1, "a b c ", {"0:a b", "1:c d"}},
      {"umlauts", "Gr\xF6\xDF" "e \xC4nderung", -1, "Gr\xF6\xDF" "e \xC4nderung", {"0:Gr\xF6\xDF" "e", "1:\xC4nderung"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cell = std::make_unique<CTableCell>(CellLook{}, frame.get());
    Add(c.text);
    Layout(Width(c.widthOf) + c.width);
    EXPECT_EQ(Pieces(), c.expected);
  }
}

TEST_F(CellFlowTest, AWordLongerThanTheLineIsCutByCharacters) {
  const CString word = "Ersatzteilnummer";
  const int width = Width("Ersatz") + 1;
  Add(word);
  Layout(width);
  const CString first = Fitting(word, width);
  const CString second = Fitting(word.Mid(first.GetLength()), width);
  ASSERT_GE(Pieces().size(), 2u);
  EXPECT_EQ(Pieces()[0], "0:" + first.Std());
  EXPECT_EQ(Pieces()[1], "1:" + second.Std());
  // A character wider than the whole line still gets a line of its own.
  cell = std::make_unique<CTableCell>(CellLook{}, frame.get());
  Add("WW");
  Layout(Width("W") / 2);
  EXPECT_EQ(Pieces(), (Texts{"0:W", "1:W"}));
}

TEST_F(CellFlowTest, CutByCharactersIgnoresTheBreakCharacters) {
  Add("ab cdef", WRAP_BY_CHARACTERS);
  const int width = Width("ab cd");
  Layout(width);
  EXPECT_EQ(Pieces(), (Texts{"0:" + Fitting("ab cdef", width).Std(), "1:" + CString("ab cdef").Mid(Fitting("ab cdef", width).GetLength()).Std()}));
}

TEST_F(CellFlowTest, AKeptTextMovesOnlyAfterABreakChance) {
  const int width = Width("Pos 12 ") + Width("Ersatz") / 2;
  // Without a break chance before it the text overflows its line.
  Add("Pos 12 ", WRAP_KEEP_WHOLE);
  Add("Ersatzteil", WRAP_KEEP_WHOLE);
  Layout(width);
  EXPECT_EQ(Pieces(), (Texts{"0:Pos 12 ", "0:Ersatzteil"}));
  cell->MarkBreakChance();
  cell->m_items[0]->m_end = END_BREAK_CHANCE;
  Layout(width);
  EXPECT_EQ(Pieces(), (Texts{"0:Pos 12", "1:Ersatzteil"}));
}

TEST_F(CellFlowTest, ALineEndEndsTheLineEvenForAnEmptyText) {
  Add("A");
  Add("")->m_end = END_LINE;
  Add("B");
  Layout(500);
  EXPECT_EQ(Pieces(), (Texts{"0:A", "0:", "1:B"}));
  const TEXTMETRIC metrics = Metrics(spec);
  EXPECT_EQ(cell->m_rect.Height(), 2 * metrics.tmHeight);
  // A line that holds only a line end is as high as its font.
  cell = std::make_unique<CTableCell>(CellLook{}, frame.get());
  Add("")->m_end = END_LINE;
  Add("B");
  Layout(500);
  EXPECT_EQ(cell->m_rect.Height(), 2 * metrics.tmHeight);
}

TEST_F(CellFlowTest, AMovedFieldKeepsItsPiecesAndAWiderOneBreaksAnew) {
  Add("Schraube Mutter Scheibe");
  Layout(Width("Schraube Mutter ") + 2, 0, 0);
  const Texts narrow{"0:Schraube Mutter", "1:Scheibe"};
  EXPECT_EQ(Pieces(), narrow);
  Layout(Width("Schraube Mutter ") + 2, 30, 40);
  EXPECT_EQ(Pieces(), narrow);
  EXPECT_EQ(cell->m_rect.top, 40);
  Layout(Width("Schraube ") + 2);
  EXPECT_EQ(Pieces(), (Texts{"0:Schraube", "1:Mutter", "2:Scheibe"}));
  Layout(1000);
  EXPECT_EQ(Pieces(), (Texts{"0:Schraube Mutter Scheibe"}));
  EXPECT_EQ(neededRight, Width("Schraube Mutter Scheibe"));
}

TEST_F(CellFlowTest, TheEndOfEveryLineLosesItsBlank) {
  Add("Hallo ");
  Add("Welt ", 1);
  cell->m_items[0]->m_end = END_NONE;
  Layout(Width("Hallo Welt ") + 1);
  // Hallo keeps its blank before Welt; Welt loses the one that ends its line.
  const auto& hallo = static_cast<CTextField*>(cell->m_items[0].get())->m_pieces;
  const auto& welt = static_cast<CTextField*>(cell->m_items[1].get())->m_pieces;
  EXPECT_EQ(hallo[0]->m_text, CString("Hallo "));
  EXPECT_EQ(welt[0]->m_text, CString("Welt"));
  EXPECT_EQ(welt[0]->m_rect.Width(), Width("Welt"));
}

TEST_F(CellFlowTest, LinesAlignByTheirFirstText) {
  struct Case {
    int halign;
    int left;  // expected left edge of the text, from the box's width w and the text's width t
  };
  const int w = 300;
  const int t = Width("Motor");
  for (const Case& c : {Case{3, 0}, Case{1, w - t}, Case{2, w / 2 - t / 2}}) {
    cell = std::make_unique<CTableCell>(CellLook{}, frame.get());
    Add("Motor", 1, c.halign);
    Layout(w);
    EXPECT_EQ(static_cast<CTextField*>(cell->m_items[0].get())->m_pieces[0]->m_rect.left, c.left) << c.halign;
  }
}

TEST_F(CellFlowTest, AnEmptyBoxIsItsStripsAndMargins) {
  CellLook look;
  look.strips = Sides{1, 2, 3, 4};
  look.margins = Sides{5, 6, 7, 8};
  cell = std::make_unique<CTableCell>(look, frame.get());
  cell->MarkLineEnd();
  EXPECT_EQ(Layout(100, 0, 10), 10 + 2 + 6 + 8 + 4);
  EXPECT_EQ(neededRight, 1 + 5 + 7 + 3);
}

TEST_F(CellFlowTest, LinkedTextsArrivingInPartsStayOneItem) {
  TextLink link;
  link.kind = 1;
  link.target = "MOT";
  cell->AddText("Mo", frame->GetFont(spec), spec, 3, 3, 1, " ", link);
  cell->AddText("tor", frame->GetFont(spec), spec, 3, 3, 1, " ", link);
  link.target = "GEH";
  cell->AddText("Geh\xE4use", frame->GetFont(spec), spec, 3, 3, 1, " ", link);
  ASSERT_EQ(cell->ItemCount(), 2);
  EXPECT_EQ(cell->GetText(), CString("MotorGeh\xE4use"));
  Layout(500);
  CString target, text;
  int value = -1;
  const CRect motor = static_cast<CTextField*>(cell->m_items[0].get())->m_pieces[0]->m_rect;
  EXPECT_EQ(cell->HitTest(motor.left + 1, motor.top + 1, target, text, value), LINK_TO_KEY);
  EXPECT_EQ(target, CString("MOT"));
  EXPECT_EQ(text, CString("Motor"));
}

// A symbol table entry of the given size, without pictures.
std::unique_ptr<CSymbolBitmaps> Symbol(int width, int height, const char* name = "pfeil") {
  auto symbol = std::make_unique<CSymbolBitmaps>();
  symbol->m_name = name;
  symbol->m_width = width;
  symbol->m_height = height;
  return symbol;
}

TEST_F(CellFlowTest, SymbolsTakeTheirPlaceInTheLine) {
  auto wide = Symbol(400, 10);
  Add("Pos");
  cell->AddSymbol("1", wide.get(), spec, 3, 3, 1, 3, "MOT", nullptr);
  Add("Motor");
  Layout(200);
  const auto* symbol = static_cast<CSymbolItem*>(cell->m_items[1].get());
  // Too wide for any line: alone on its line, overflowing it, and no empty line.
  EXPECT_EQ(symbol->m_line, 1);
  EXPECT_EQ(symbol->m_rect.left, 0);
  EXPECT_EQ(Pieces(), (Texts{"0:Pos", "2:Motor"}));

  // A kept symbol stays on the line unless the item before allowed a break.
  cell = std::make_unique<CTableCell>(CellLook{}, frame.get());
  auto small = Symbol(Width("Pos"), 10);
  Add("Pos");
  cell->AddSymbol("1", small.get(), spec, 3, 3, WRAP_KEEP_WHOLE, 3, "MOT", nullptr);
  Layout(Width("Pos") + Width("Pos") / 2);
  EXPECT_EQ(static_cast<CSymbolItem*>(cell->m_items[1].get())->m_line, 0);
  cell->m_items[0]->m_end = END_BREAK_CHANCE;
  Layout(Width("Pos") + Width("Pos") / 2);
  EXPECT_EQ(static_cast<CSymbolItem*>(cell->m_items[1].get())->m_line, 1);
}

TEST_F(CellFlowTest, ThePrintLineOfACell) {
  // A font whose line is an even number of pixels high, so that a symbol one
  // and a half lines high has the factor 15 exactly.
  for (spec.m_size = 8; spec.m_size < 30; ++spec.m_size) {
    const TEXTMETRIC m = Metrics(spec);
    if ((m.tmHeight + m.tmExternalLeading) % 2 == 0) break;
  }
  const TEXTMETRIC m = Metrics(spec);
  auto symbol = Symbol(12, (m.tmHeight + m.tmExternalLeading) * 3 / 2, "S");
  Add("A");
  cell->AddSymbol("7", symbol.get(), spec, 3, 3, 1, 3, "MOT", nullptr);
  Add("B")->m_end = END_LINE;
  CString line;
  cell->GetVodText(line);
  EXPECT_EQ(line, CString("A%SYMBOL FAKTOR 15 TIFF \"SU.BMP\"%B\\"));

  // Texts print as they are shown: a backslash is doubled, line ends go.
  cell = std::make_unique<CTableCell>(CellLook{}, frame.get());
  Add("C:\\teile\r\nneu");
  Add("x")->m_end = END_LINE;
  Add("y");
  cell->GetVodText(line);
  EXPECT_EQ(line, CString("C:\\\\teileneux\\y"));
}

}  // namespace

namespace {

TEST_F(CellFlowTest, QueriesOverTheTextsOfACell) {
  auto add = [&](const char* text, int kind, const char* target, int keyMark, int tipMark, int order, int part,
                 int value) {
    TextLink link;
    link.kind = kind;
    link.target = target;
    link.key_mark = keyMark;
    link.tip_mark = tipMark;
    link.order_number = order;
    link.hotspot_part = part;
    link.value = value;
    cell->AddText(text, frame->GetFont(spec), spec, 3, 3, 1, " ", link);
  };
  add("Pos 1 ", 0, "", 0, 0, 0, 1, 0);
  add("RM-2001", 1, "MOT", 1, 0, 2, 1, 4);
  add(" Motor", 0, "", 0, 1, 5, 0, 0);
  add(" Zoom", 6, "316", 0, 0, 0, 0, 7);
  add(" Getriebe", 1, "ANT", 0, 0, 0, 0, 8);
  add("?", 2, "GEH", 0, 0, 0, 0, 9);
  CString text;
  EXPECT_TRUE(cell->GetKeyText(text));
  EXPECT_EQ(text, CString("RM-2001"));
  EXPECT_TRUE(cell->HasKeyMark());
  EXPECT_TRUE(cell->HasLink());
  EXPECT_TRUE(cell->GetHotspotName(text));
  EXPECT_EQ(text, CString("Pos 1 RM-2001"));
  theGlobals.m_hs_is_case_sensitive = FALSE;
  EXPECT_TRUE(cell->MatchesText("pos 1 rm-2001"));
  theGlobals.m_hs_is_case_sensitive = TRUE;
  EXPECT_FALSE(cell->MatchesText("pos 1 rm-2001"));
  EXPECT_EQ(cell->GetToolTipText(), CString(" Motor"));
  EXPECT_EQ(cell->MaxOrderNumber(), 5);
  EXPECT_TRUE(cell->FindByOrderNumber(2));
  EXPECT_FALSE(cell->FindByOrderNumber(3));
  EXPECT_TRUE(cell->FindByOrderNumber(0));

  CString target;
  int value = 0;
  int isCommand = -1;
  ASSERT_TRUE(cell->GetFirstLink(target, text, value, isCommand));
  EXPECT_EQ(target, CString("MOT"));
  EXPECT_EQ(value, 4);
  EXPECT_EQ(isCommand, 0);
  ASSERT_TRUE(cell->GetFirstDefaultLink(target, text, value, isCommand));
  EXPECT_EQ(target, CString("316"));
  EXPECT_EQ(isCommand, 1);

  std::vector<LinkChoice> links;
  LinkChoice first;
  int normal = 0;
  int defaults = 0;
  cell->CollectLinks(links, first, normal, defaults);
  ASSERT_EQ(links.size(), 4u);
  EXPECT_EQ(first.target, CString("MOT"));
  EXPECT_EQ(links[3].kind, 2);
  EXPECT_EQ(links[3].row, -1);
  EXPECT_EQ(normal, 2);
  EXPECT_EQ(defaults, 2);
  int changesA = 0;
  int changesB = 0;
  CString lastA = "MOT";
  CString lastB;
  cell->CountLinkChanges(changesA, changesB, lastA, lastB);
  EXPECT_EQ(changesA, 1);
  EXPECT_EQ(changesB, 2);
  EXPECT_EQ(lastA, CString("ANT"));
  EXPECT_EQ(lastB, CString("GEH"));
}

TEST(FontSpec, TheFontIsFaceSizeAndStyleWhateverItsColours) {
  CFontSpec a;
  CFontSpec b;
  b.m_textcolor = RGB(255, 0, 0);
  b.m_bkcolor = 0;
  b.m_bkmode = 2;
  EXPECT_TRUE(a.IsSameFont(b));
  b.m_facename = "arial";
  EXPECT_TRUE(a != b);
  CFontSpec bold;
  bold.m_bold = 1;
  bold.m_underline = 1;
  CFont font;
  ASSERT_TRUE(bold.CreateFont(font));
  LOGFONTA log;
  font.GetLogFont(&log);
  EXPECT_EQ(log.lfWeight, FW_BOLD);
  EXPECT_EQ(log.lfUnderline, 1);
  CFont ten;
  ten.CreatePointFont(100, "Arial");
  LOGFONTA plain;
  ten.GetLogFont(&plain);
  EXPECT_EQ(log.lfHeight, plain.lfHeight);
  EXPECT_STREQ(log.lfFaceName, "Arial");
}

}  // namespace
