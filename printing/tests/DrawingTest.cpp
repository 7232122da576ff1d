// The drawing primitives on a memory context: lines, grey areas, boxes,
// one-bit bands and text with its fitting and alignment.
#include <gtest/gtest.h>

#include "PageFixture.h"
#include "VodContext.h"
#include "VodTextLayout.h"

namespace vod {
namespace {

class Drawing : public testing::PageFixture {
 protected:
  // A page whose form units are device pixels (or scale times as many).
  void OpenPage(int width, int height, int scale = 1) {
    UsePage(width, height);
    ASSERT_TRUE(m_target->Open(*m_context));
    m_context->page = PageMetrics{static_cast<DWORD>(width * scale), static_cast<DWORD>(height * scale),
                                  static_cast<DWORD>(width), static_cast<DWORD>(height)};
    SetBkMode(m_target->dc, TRANSPARENT);
  }
  VodDrawing& drawing() { return m_context->drawing; }
};

TEST_F(Drawing, LinesEndOnEvenDeviceUnitsAndTheOffsetIsAddedAndClamped) {
  OpenPage(120, 40);
  drawing().SetPen(1);
  drawing().DrawLine(3, 5, 101, 7);
  RECT box = m_target->Snapshot().Inked();
  EXPECT_EQ(box.left, 2);
  EXPECT_EQ(box.top, 4);
  EXPECT_EQ(box.right, 100);  // the last point is not drawn
  EXPECT_EQ(box.bottom, 7);
  EXPECT_EQ(m_target->Snapshot().At(2, 4), RGB(0, 0, 0));

  m_target->Clear();
  drawing().offset = POINT{-20, 10};
  drawing().DrawLine(10, 5, 61, 5);
  box = m_target->Snapshot().Inked();
  EXPECT_EQ(box.left, 0);
  EXPECT_EQ(box.right, 40);
  EXPECT_EQ(box.top, 14);
}

TEST_F(Drawing, GreyPercentagesBecomeTheirLevels) {
  const std::pair<int, int> levels[] = {{1, 250},  {2, 250},  {3, 240}, {10, 240}, {11, 210}, {20, 210},
                                        {21, 170}, {35, 170}, {36, 120}, {55, 120}, {56, 90},  {80, 90},
                                        {81, 40},  {99, 40},  {100, 0},  {150, 0}};
  OpenPage(20 * static_cast<int>(std::size(levels)), 20);
  drawing().FillGrey(0, 0, 0, 20, 20);
  EXPECT_TRUE(m_target->Snapshot().Blank(RECT{0, 0, 20, 20})) << "0 percent draws nothing";
  for (size_t i = 0; i < std::size(levels); ++i) {
    int x = static_cast<int>(i) * 20;
    drawing().FillGrey(levels[i].first, x, 0, x + 20, 20);
  }
  testing::PageImage page = m_target->Snapshot();
  for (size_t i = 0; i < std::size(levels); ++i) {
    int level = levels[i].second;
    EXPECT_EQ(page.At(static_cast<int>(i) * 20 + 10, 10), RGB(level, level, level)) << levels[i].first << " percent";
  }
}

TEST_F(Drawing, ABoxIsAnOutlineInTheWidthOfItsPen) {
  OpenPage(60, 60);
  drawing().FillGrey(100, 0, 0, 60, 60);
  drawing().DrawBox(10, 10, 50, 50, 1);
  testing::PageImage page = m_target->Snapshot();
  EXPECT_EQ(page.At(30, 30), RGB(0, 0, 0)) << "the inside keeps what was there";
  m_target->Clear();
  drawing().DrawBox(10, 10, 50, 50, 3);
  page = m_target->Snapshot();
  EXPECT_EQ(page.Inked(), (RECT{9, 9, 51, 51}));
  EXPECT_TRUE(page.Blank(RECT{14, 14, 46, 46}));
}

TEST_F(Drawing, OneBitRowsGoInBandsThatSkipEmptyOnes) {
  OpenPage(40, 20);
  drawing().FillGrey(100, 0, 0, 40, 20);
  VodRasterBands& rows = m_context->rasterRows;
  const BYTE pattern[3][2] = {{0x80, 0x01}, {0x00, 0x00}, {0xFF, 0xFF}};
  ASSERT_TRUE(rows.BeginRows(16, 3));
  for (int row = 0; row < 3; ++row) ASSERT_TRUE(rows.PutRow(4, 2 + row, pattern[row]));
  ASSERT_TRUE(rows.EndRows());
  testing::PageImage page = m_target->Snapshot();
  EXPECT_EQ(page.At(4, 2), RGB(0, 0, 0));
  EXPECT_EQ(page.At(5, 2), RGB(255, 255, 255));
  EXPECT_EQ(page.At(19, 2), RGB(0, 0, 0));
  EXPECT_EQ(page.At(10, 3), RGB(255, 255, 255));
  EXPECT_EQ(page.At(10, 4), RGB(0, 0, 0));
  EXPECT_EQ(page.At(10, 5), RGB(0, 0, 0)) << "below the picture";

  const BYTE empty[2] = {0, 0};
  ASSERT_TRUE(rows.BeginRows(16, 2));
  ASSERT_TRUE(rows.PutRow(4, 10, empty));
  ASSERT_TRUE(rows.PutRow(4, 11, empty));
  ASSERT_TRUE(rows.EndRows());
  EXPECT_EQ(m_target->Snapshot().At(10, 10), RGB(0, 0, 0)) << "an empty band is not drawn";

  ASSERT_TRUE(rows.BeginRows(262144, 100));
  EXPECT_EQ(rows.RowsPerBand(), 24);
  ASSERT_TRUE(rows.EndRows());
  EXPECT_FALSE(rows.PutRow(0, 0, empty));
  EXPECT_EQ(m_context->lastError, " Fehler: Fehler beim bestimmen der Adresse des Grafik Blocks!");
}

class TextFitting : public Drawing {
 protected:
  void SetUp() override {
    Drawing::SetUp();
    OpenPage(600, 200);
    ASSERT_TRUE(drawing().SelectFrameFont("UNIV", 12));
  }
  int Width(const std::string& text) { return drawing().TextWidth(text); }
};

TEST_F(TextFitting, LinesBreakBehindBlanksAndPunctuationOrBeforeParentheses) {
  struct Case {
    std::string text;
    std::string fits;  // the part that fits the width
    size_t end, next;
  } cases[] = {
      {"hello world", "hello wor", 6, 6},
      {"hello world", "hello", 6, 6},  // the blank that does not fit ends the line
      {"see (note) here", "see (no", 4, 4},
      {"one,two", "one,tw", 4, 4},
      {"x[1] y", "x[1", 1, 1},
      {"abcdefgh", "abc", 3, 3},
      {"abc\\def", "abc\\def", 3, 4},  // a forced break drops its backslash
      {"abc\\", "abc\\", 3, 4},
      {"a\\\\b", "a\\b", 4, 4},  // "\\" is one backslash
  };
  VodTextLayout layout(*m_context);
  for (const Case& c : cases) {
    LineBreak line;
    ASSERT_TRUE(layout.BreakLine(c.text, Width(c.fits), 0, {}, line)) << c.text;
    EXPECT_EQ(line.end, c.end) << c.text;
    EXPECT_EQ(line.next, c.next) << c.text;
  }
  LineBreak line;
  EXPECT_FALSE(layout.BreakLine("W", Width("W") - 1, 0, {}, line));
}

TEST_F(TextFitting, InlinePicturesTakeTheirWidthAndAreNoBreak) {
  Symbols symbols(1);
  symbols[0].position = 12;  // in the whole text; this piece starts at 10
  symbols[0].width = Width("xxx");
  symbols[0].height = 500;
  int lineHeight = drawing().LineHeight();
  bool forced = false;
  std::string piece = "ab@cd";
  EXPECT_EQ(drawing().FitText(piece, Width("ab") + Width("xxx") + Width("c"), 10, symbols, lineHeight, forced), 4u);
  EXPECT_EQ(lineHeight, 500);
  lineHeight = drawing().LineHeight();
  EXPECT_EQ(drawing().FitText(piece, Width("ab") + Width("xx"), 10, symbols, lineHeight, forced), 2u);
  EXPECT_EQ(lineHeight, drawing().LineHeight()) << "a picture that does not fit raises nothing";

  LineBreak line;
  VodTextLayout layout(*m_context);
  ASSERT_TRUE(layout.BreakLine("a @b", Width("a ") + Width("xx"), 0, {{2, 50, 5}}, line));
  EXPECT_EQ(line.end, 2u) << "behind the blank, not at the picture";
}

TEST_F(TextFitting, WrappedTextAdvancesByItsLinesAndReportsAFrameTooNarrow) {
  VodTextLayout layout(*m_context);
  int fill = 10;
  ASSERT_TRUE(layout.DrawWrappedText(0, 0, fill, "one two three", Width("one two"), false, "F1", 'L', {}));
  EXPECT_EQ(fill, 10 + 2 * drawing().LineHeight());
  EXPECT_TRUE(m_target->Snapshot().Blank(RECT{0, 0, 600, 200})) << "measuring draws nothing";
  fill = 0;
  ASSERT_TRUE(layout.DrawWrappedText(0, 0, fill, "", 100, true, "F1", 'L', {}));
  EXPECT_EQ(fill, 0);
  EXPECT_FALSE(layout.DrawWrappedText(0, 0, fill, "Wide", 1, true, "F1", 'L', {}));
  EXPECT_EQ(m_context->lastError, " Fehler: Frame ist kleiner als ein Buchstabe! F1");
}

TEST_F(Drawing, LinesAlignLeftRightOrCentredInTheirFrame) {
  OpenPage(400, 100, 5);
  ASSERT_TRUE(drawing().SelectFrameFont("UNIV", 12));
  VodTextLayout layout(*m_context);
  struct Case {
    char alignment;
    int left, right;  // of the ink, in device units
  } cases[] = {{'L', 20, -1}, {'R', -1, 220 - 5}, {'Z', -1, -1}};
  for (const Case& c : cases) {
    m_target->Clear();
    ASSERT_TRUE(layout.DrawAlignedLine(100, 1100, 0, "MMMM", c.alignment, 0, {}, drawing().LineHeight()));
    RECT ink = m_target->Snapshot().Inked();
    if (c.left >= 0) EXPECT_NEAR(ink.left, c.left, 2) << c.alignment;
    if (c.right >= 0) EXPECT_NEAR(ink.right, c.right, 2) << c.alignment;
    if (c.alignment == 'Z') EXPECT_NEAR((ink.left + ink.right) / 2, 120, 2);
  }
  m_target->Clear();
  ASSERT_TRUE(layout.DrawAlignedLine(100, 1100, 0, "MMMM", 'X', 0, {}, drawing().LineHeight()));
  EXPECT_TRUE(m_target->Snapshot().Blank(RECT{0, 0, 400, 100}));
}

TEST_F(Drawing, InlinePicturesStandOnTheLineAndTextContinuesBehindThem) {
  OpenPage(600, 200);
  ASSERT_TRUE(drawing().SelectFrameFont("UNIV", 12));
  int width = drawing().TextWidth("ab");
  SymbolRecord symbol;
  symbol.position = 2;
  symbol.width = 40;
  symbol.height = 20;
  symbol.file = "sym.tif";
  int lineHeight = drawing().LineHeight();
  ASSERT_TRUE(drawing().DrawTextAt(100, 50, "ab@cd", kAlignLeft, {symbol}, lineHeight));
  ASSERT_EQ(m_pictures->calls.size(), 1u);
  EXPECT_EQ(m_pictures->calls[0].file, "sym.tif");
  EXPECT_EQ(m_pictures->calls[0].box, (RECT{100 + width, 50 + lineHeight - 20, 100 + width + 40, 50 + lineHeight}));
  RECT afterPicture{100 + width + 40, 0, 600, 200};
  EXPECT_FALSE(m_target->Snapshot().Blank(afterPicture)) << "cd";
  EXPECT_TRUE(m_target->Snapshot().Blank(RECT{100 + width + 2, 0, 100 + width + 38, 200})) << "no at sign";

  WriteIni({"SymbolsPrintDown=FALSE"});
  OpenPage(600, 200);
  ASSERT_TRUE(drawing().SelectFrameFont("UNIV", 12));
  ASSERT_TRUE(drawing().DrawTextAt(100, 50, "ab@cd", kAlignLeft, {symbol}, lineHeight));
  EXPECT_EQ(m_pictures->calls[1].box.bottom, 50 + drawing().Ascent()) << "on the baseline";
}

TEST_F(Drawing, OemTextIsDrawnAsItsAnsiLetters) {
  OpenPage(100, 60);
  ASSERT_TRUE(drawing().SelectFrameFont("UNIV", 12));
  ASSERT_TRUE(drawing().DrawTextAt(0, 0, "\xE4\xF6", kAlignLeft, {}, 0));
  testing::PageImage ansi = m_target->Snapshot();
  int ansiWidth = drawing().TextWidth("\xE4\xF6");
  WriteIni({"TextCharSet=OEM"});
  OpenPage(100, 60);
  ASSERT_TRUE(drawing().SelectFrameFont("UNIV", 12));
  ASSERT_TRUE(drawing().DrawTextAt(0, 0, "\x84\x94", kAlignLeft, {}, 0));
  EXPECT_EQ(m_target->Snapshot().pixels, ansi.pixels);
  EXPECT_EQ(drawing().TextWidth("\x84\x94"), ansiWidth);
}

}  // namespace
}  // namespace vod
