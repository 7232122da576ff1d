#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Main/CMultiFrame.h"
#include "Main/tests/FaceFixture.h"

using varno::testing::Bytes;
using varno::testing::LayoutStream;
using varno::testing::Readable;

namespace {

class FaceLayoutTest : public varno::testing::FaceFixture {
 protected:
  const FrameSet& Set(int k) const { return face.m_framesets[static_cast<size_t>(k)]; }
  const CFrame& Frame(int i) const { return *face.m_frames[static_cast<size_t>(i)]; }
  // Requested sizes along the orientation, "%" marking percentages.
  std::string Requested(int k) const {
    std::string out;
    for (const FramePane& pane : Set(k).m_panes) {
      if (!out.empty()) out += ",";
      out += std::to_string(Set(k).Along(pane.requested)) + (pane.percent ? "%" : "");
    }
    return out;
  }
  std::vector<int> Uses(int k) const {
    std::vector<int> uses;
    for (const FramePane& pane : Set(k).m_panes) uses.push_back(pane.use);
    return uses;
  }
  void ExpectPane(int frame, int set, int pane) const {
    EXPECT_EQ(Frame(frame).m_frameset, set) << Frame(frame).m_name;
    EXPECT_EQ(Frame(frame).m_pane, pane) << Frame(frame).m_name;
  }
};

TEST_F(FaceLayoutTest, AFrameWithoutFrameSetTakesTheWholeWindow) {
  ASSERT_TRUE(Declare(LayoutStream().Frame("Kopf"))) << Trace()[0];
  ASSERT_EQ(face.GetFrameSetCount(), 1);
  EXPECT_TRUE(Set(0).IsRows());
  EXPECT_EQ(Requested(0), "-1");
  EXPECT_EQ(Set(0).m_parent_set, -1);
  EXPECT_EQ(Set(0).m_parent_pane, -1);
  EXPECT_EQ(face.m_no_frames, 1);
  ExpectPane(0, 0, 0);
  EXPECT_EQ(Frame(0).m_name, CString("Kopf"));
  EXPECT_EQ(face.m_open_depth, 0);
  EXPECT_TRUE(face.AllPanesFilled());
  EXPECT_TRUE(Trace().empty());
}

TEST_F(FaceLayoutTest, SizeListOfPixelsPercentAndRest) {
  ASSERT_TRUE(Declare(LayoutStream().Rows("200,30%,*").Frame("A").Frame("B").Frame("C").End()));
  EXPECT_EQ(Requested(0), "200,30%,-1");
  EXPECT_EQ(Uses(0), (std::vector<int>{PANE_FRAME, PANE_FRAME, PANE_FRAME}));
  for (int i = 0; i < 3; ++i) ExpectPane(i, 0, i);
}

TEST_F(FaceLayoutTest, NestedFrameSetsFillTheNewestFrameSetWithRoom) {
  // Rows of two; the first row split into two columns; a frame after the
  // columns' end still goes to the rows' free pane.
  ASSERT_TRUE(Declare(LayoutStream()
                          .Rows("100,*")
                          .Columns("25%,*")
                          .Frame("Links")
                          .Frame("Rechts")
                          .End()
                          .Frame("Unten")
                          .End()));
  ASSERT_EQ(face.GetFrameSetCount(), 2);
  EXPECT_EQ(Set(1).m_parent_set, 0);
  EXPECT_EQ(Set(1).m_parent_pane, 0);
  EXPECT_EQ(Uses(0), (std::vector<int>{PANE_FRAMESET, PANE_FRAME}));
  ExpectPane(0, 1, 0);
  ExpectPane(1, 1, 1);
  ExpectPane(2, 0, 1);
  int row = 0;
  int column = 0;
  face.FrameSetPlace(0, row, column);
  EXPECT_EQ(std::make_pair(row, column), std::make_pair(-1, -1));
  face.FrameSetPlace(1, row, column);
  EXPECT_EQ(std::make_pair(row, column), std::make_pair(0, 0));
  face.FramePlace(Frame(1), row, column);
  EXPECT_EQ(std::make_pair(row, column), std::make_pair(0, 1));
  face.FramePlace(Frame(2), row, column);
  EXPECT_EQ(std::make_pair(row, column), std::make_pair(1, 0));
}

TEST_F(FaceLayoutTest, AFrameBeyondThePanesHasNoPaneButCounts) {
  ASSERT_TRUE(Declare(LayoutStream().Rows("*").Frame("A").Frame("B").End()));
  EXPECT_EQ(face.m_no_frames, 2);
  ExpectPane(1, -1, -1);
  EXPECT_FALSE(Frame(1).HasPane());
  EXPECT_TRUE(face.AllPanesFilled());
}

TEST_F(FaceLayoutTest, PrintEntriesCountOnceComplete) {
  ASSERT_TRUE(Declare(LayoutStream()
                          .Frame("Kopf")
                          .Print("Kopf,Teile", "\"Seite \"", Bytes({0, 65, "Modell", 0, 64}))
                          .Text(118, "Teile")));
  ASSERT_EQ(face.m_print_count, 1);
  EXPECT_EQ(face.m_print_entries[0].m_first, CString("Kopf,Teile"));
  EXPECT_EQ(face.m_print_entries[0].m_second, CString("Seite "));
  EXPECT_EQ(face.m_print_entries[0].m_third, CString(""));  // the variable does not exist
  // The second entry has no texts but its first: it is not counted, so not printed.
  ASSERT_EQ(face.m_print_entries.size(), 2u);
  EXPECT_EQ(face.m_print_entries[1].m_first, CString("Teile"));
}

struct LayoutFailureCase {
  const char* name;
  std::string stream;
  std::vector<int> trace;  // newest first
  int value;               // of the newest node
};
void PrintTo(const LayoutFailureCase& c, std::ostream* os) { *os << c.name << ": " << Readable(c.stream); }

class FaceFailureTest : public varno::testing::FaceFixture, public ::testing::WithParamInterface<LayoutFailureCase> {};

TEST_P(FaceFailureTest, FailsWithItsErrorCodes) {
  const LayoutFailureCase& c = GetParam();
  EXPECT_FALSE(Declare(c.stream));
  EXPECT_EQ(Trace(), c.trace);
  EXPECT_EQ(NewestValue(), c.value);
  for (CErrorTrace* node = theGlobals.m_error_trace_newest; node != nullptr; node = node->older) {
    EXPECT_EQ(node->severity, SEVERITY_ERROR);
  }
}

const std::string kLayoutHead = Bytes({0, 'a', 4, 0, 1});

INSTANTIATE_TEST_SUITE_P(
    Cases, FaceFailureTest,
    ::testing::Values(
        LayoutFailureCase{"EmptyKey", "", {207}, 0},
        LayoutFailureCase{"NoFrameDefinition", kLayoutHead + Bytes({0, 21, "A", 0, 0}), {198, 208}, 9},
        LayoutFailureCase{"PlainTextBetweenStatements", kLayoutHead + Bytes({0, 128, "text", 0, 21, "A"}), {196, 208}, 't'},
        LayoutFailureCase{"TextWithoutEnd", kLayoutHead + Bytes({0, 21, "Kopf"}), {201, 209}, 7},
        LayoutFailureCase{"OperandBeyondTheEnd", kLayoutHead + Bytes({0, 24}), {210}, 0},
        LayoutFailureCase{"ExpressionWithoutEnd", kLayoutHead + Bytes({0, 118, "A", 0, 119, "\"a\"", 0, 0}), {202, 223}, 10},
        LayoutFailureCase{"ExpressionThatDoesNotEvaluate",
                    LayoutStream().Frame("A").Print("A", "Seite", "\"1\"").Done(), {223}, 0},
        LayoutFailureCase{"SecondTextWithoutPrintEntry",
                    LayoutStream().Frame("A").Text(119, "\"x\"").Text(120, "\"y\"").Tag(121).Done(), {211}, 119},
        LayoutFailureCase{"ThirdTextOfACompletedEntry",
                    LayoutStream().Frame("A").Print("A", "\"x\"", "\"y\"").Text(120, "\"z\"").Tag(121).Done(), {211},
                    120},
        LayoutFailureCase{"SecondTopLevelFrameSet",
                    LayoutStream().Rows("*").Frame("A").End().Columns("*,*").Done(), {241, 211}, 1},
        LayoutFailureCase{"BarWidthWithoutFrameSet", LayoutStream().Tag(24, {3}).Done(), {242, 211}, 0},
        LayoutFailureCase{"FixedBarsWithoutFrameSet", LayoutStream().Text(155, "1").Done(), {242, 211}, 0},
        LayoutFailureCase{"SharedBorderWithoutFrameSet", LayoutStream().Tag(25, {1}).Done(), {243, 211}, 0},
        LayoutFailureCase{"EndWithoutOpenFrameSet", LayoutStream().Frame("A").End().Done(), {245, 211}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FaceLayoutTest, FailureDetailsNameTheStatement) {
  EXPECT_FALSE(Declare(kLayoutHead + Bytes({0, 21, "A", 0, 31, 1, 2})));
  EXPECT_STREQ(theGlobals.m_error_trace_newest->detail_text, "Tag 0x1F NoBytes 4 GetLen 12");
  CErrorTrace::RemoveAll();
  EXPECT_FALSE(Declare(LayoutStream().Frame("A").Print("A", "\"a\"", "b").Done()));
  EXPECT_STREQ(theGlobals.m_error_trace_newest->detail_text, "Tag 0x78");
}

TEST_F(FaceLayoutTest, OperandsAreSkippedByTheirClass) {
  // A colour holding 0 'H', a text number, a tag that has no operand here
  // (129), a copied text, an assignment block and the file head of an
  // included file: none of them ends the declarations or is taken for one.
  ASSERT_TRUE(Declare(LayoutStream()
                          .Rows("*,*")
                          .Tag(10, {0, 'H', 0})
                          .Tag(62, {0, 21, 0, 0})
                          .Tag(129)
                          .Text(106, "Notiz")
                          .Tag(107)
                          .Text(78, "Wert")
                          .Tag(67)
                          .Raw("\"1\"")
                          .Tag(91)
                          .Frame("A")
                          .Tag(97, {4, 0, 1})
                          .Frame("B")
                          .End()))
      << Trace()[0];
  EXPECT_EQ(face.m_no_frames, 2);
  EXPECT_TRUE(face.AllPanesFilled());
}

TEST_F(FaceLayoutTest, SymbolsTakeTheMarginsDeclaredBeforeThem) {
  ASSERT_TRUE(Declare(LayoutStream()
                          .Frame("A")
                          .Tag(14)
                          .Tag(136, {1, 2})
                          .Tag(137, {3, 4})
                          .Text(130, "7,Pfeil")
                          .Tag(131)
                          .Tag(136, {9, 9})
                          .Text(130, "Kreuz")
                          .Tag(131)
                          .Tag(15)));
  ASSERT_EQ(face.m_symbols.size(), 2u);
  CSymbolBitmaps* symbol = nullptr;
  ASSERT_TRUE(face.FindSymbolBitmaps("7", symbol));
  EXPECT_EQ(symbol->m_name, CString("Pfeil"));
  EXPECT_EQ(std::vector<int>(symbol->m_margins, symbol->m_margins + 4), (std::vector<int>{1, 3, 2, 4}));
  ASSERT_TRUE(face.FindSymbolBitmaps("0", symbol));
  EXPECT_EQ(symbol->m_name, CString("Kreuz"));
  EXPECT_EQ(std::vector<int>(symbol->m_margins, symbol->m_margins + 4), (std::vector<int>{9, 3, 9, 4}));
  EXPECT_FALSE(face.FindSymbolBitmaps("8", symbol));
}

TEST_F(FaceLayoutTest, NameNeighboursNotesAndCommands) {
  CMultiFrame window;
  face.SetFrameWindow(&window);
  ASSERT_TRUE(Declare(LayoutStream()
                          .Text(140, "baugruppe")
                          .Text(156, "GEH")
                          .Tag(157)
                          .Text(158, "ANT")
                          .Tag(159)
                          .Tag(12)
                          .Text(82, "316,Kopf,318")
                          .Tag(83)
                          .Text(84, "320")
                          .Tag(85)
                          .Tag(13)
                          .Tag(60)
                          .Text(115, "50%,400")
                          .Tag(128)
                          .Frame("A")));
  EXPECT_EQ(face.m_face_name, CString("baugruppe"));
  EXPECT_EQ(theGlobals.m_leftneighbour, CString("GEH"));
  EXPECT_EQ(theGlobals.m_rightneighbour, CString("ANT"));
  VarValue value;
  ASSERT_EQ(vars().GetVar("RIGHTNEIGHBOUR", &value), VAR_CHAR);
  EXPECT_STREQ(value.text, "ANT");
  EXPECT_TRUE(theGlobals.m_notiz_allowed);
  EXPECT_EQ(app.commands, (std::vector<std::pair<int, BOOL>>{{316, TRUE}, {318, TRUE}, {320, FALSE}}));
  EXPECT_EQ(window.m_key_window_size[0], 50);
  EXPECT_EQ(window.m_key_window_percent[0], TRUE);
  EXPECT_EQ(window.m_key_window_size[1], 400);
  EXPECT_EQ(window.m_key_window_percent[1], FALSE);
}

TEST_F(FaceLayoutTest, BarsAndBordersOfTheLastFrameSet) {
  ASSERT_TRUE(Declare(LayoutStream()
                          .Rows("*,*,*")
                          .Tag(24, {3})
                          .Tag(25, {1})
                          .Text(155, "0,1,0,1,1")
                          .Frame("A")
                          .Frame("B")
                          .Frame("C")
                          .End()));
  EXPECT_EQ(Set(0).m_bar_width, 3);
  EXPECT_EQ(Set(0).m_shared_border, TRUE);
  EXPECT_EQ(Set(0).Metrics().splitterGap, 7);
  std::vector<int> fixed;
  for (const FramePane& pane : Set(0).m_panes) fixed.push_back(pane.fixedBar);
  EXPECT_EQ(fixed, (std::vector<int>{0, 1, 0}));
}

TEST_F(FaceLayoutTest, ClearForgetsTheKey) {
  ASSERT_TRUE(Declare(LayoutStream().Text(140, "seite").Rows("*").Frame("A").End().Print("A", "\"a\"", "\"b\"")));
  EXPECT_TRUE(face.Clear());
  EXPECT_EQ(face.GetFrameSetCount(), 0);
  EXPECT_EQ(face.m_no_frames, 0);
  EXPECT_EQ(face.m_print_count, 0);
  EXPECT_TRUE(face.m_print_entries.empty());
  EXPECT_TRUE(face.m_face_name.IsEmpty());
  EXPECT_TRUE(face.Clear());
}

// Laying the face out in its windows.

class FaceWindowsTest : public FaceLayoutTest {
 protected:
  // Rows of 100 pixels and the rest; the rest split 25 % and the rest.
  void DeclareNested() {
    ASSERT_TRUE(Declare(LayoutStream()
                            .Rows("100,*")
                            .Frame("Kopf")
                            .Columns("25%,*")
                            .Frame("Bild")
                            .Frame("Teile")
                            .End()
                            .End()));
  }
};

TEST_F(FaceWindowsTest, CreatesSplittersThenViewsAndSizesThemDownTheNesting) {
  DeclareNested();
  ASSERT_TRUE(face.CreateLayout()) << Trace()[0];
  EXPECT_EQ(windows.calls, (std::vector<std::string>{"splitter 0", "splitter 1", "view 0", "view 1", "view 2",
                                                      "recalc 0", "recalc 1", "recalc window"}));
  EXPECT_TRUE(face.m_laid_out);
  EXPECT_TRUE(Set(0).m_created && Set(1).m_created);
  // 800 x 600 for the panes; the columns get the lower pane's 500.
  EXPECT_EQ(windows.paneSizes, (std::map<std::pair<int, int>, int>{{{0, 0}, 100}, {{0, 1}, 500}, {{1, 0}, 200},
                                                                     {{1, 1}, 600}}));
  EXPECT_EQ(Set(1).m_panes[0].computed, CSize(200, 500));

  windows.area = CSize(404, 304);
  windows.calls.clear();
  EXPECT_TRUE(face.OnSize(0, 404, 304));
  EXPECT_EQ(windows.GetPaneSize(0, 1), 200);
  EXPECT_EQ(windows.GetPaneSize(1, 0), 100);
  EXPECT_EQ(windows.calls.back(), "recalc window");
}

TEST_F(FaceWindowsTest, OnlyFramesWithAPaneGetAView) {
  ASSERT_TRUE(Declare(LayoutStream().Rows("*").Frame("A").Frame("Ohne").End()));
  ASSERT_TRUE(face.CreateLayout());
  EXPECT_EQ(std::count(windows.calls.begin(), windows.calls.end(), "view 1"), 0);
  windows.calls.clear();
  face.Clear();
  EXPECT_EQ(windows.calls, (std::vector<std::string>{"destroy view 0", "destroy splitter 0"}));
}

TEST_F(FaceWindowsTest, ClearDestroysViewsAndSplittersLastFirst) {
  DeclareNested();
  ASSERT_TRUE(face.CreateLayout());
  windows.calls.clear();
  face.Clear();
  EXPECT_EQ(windows.calls, (std::vector<std::string>{"destroy view 2", "destroy view 1", "destroy view 0",
                                                      "destroy splitter 1", "destroy splitter 0"}));
  EXPECT_FALSE(face.m_laid_out);
}

TEST_F(FaceWindowsTest, LayoutFailures) {
  struct Case {
    const char* name;
    LayoutStream stream;
    int failingSplitter;
    int failingView;
    int code;
  };
  const Case cases[] = {
      {"FrameSetLeftOpen", LayoutStream().Rows("*").Frame("A"), -1, -1, 214},
      {"PaneLeftFree", LayoutStream().Rows("*,*").Frame("A").End(), -1, -1, 214},
      {"SplitterNotCreated", LayoutStream().Rows("*,*").Frame("A").Rows("*").Frame("B").End().End(), 1, -1, 215},
      {"ViewNotCreated", LayoutStream().Rows("*,*").Frame("A").Frame("B").End(), -1, 1, 216},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(Declare(c.stream));
    windows.failingSplitter = c.failingSplitter;
    windows.failingView = c.failingView;
    EXPECT_FALSE(face.CreateLayout());
    EXPECT_EQ(Trace(), std::vector<int>{c.code});
    EXPECT_FALSE(face.m_laid_out);
    CErrorTrace::RemoveAll();
  }
}

TEST_F(FaceWindowsTest, SizeChangesBeforeTheLayoutDoNothing) {
  DeclareNested();
  EXPECT_TRUE(face.OnSize(0, 100, 100));
  EXPECT_TRUE(windows.calls.empty());
  EXPECT_TRUE(windows.paneSizes.empty());
}

}  // namespace
