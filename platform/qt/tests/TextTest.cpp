#include <gtest/gtest.h>

#include <cstring>

#include "testing/MemoryCanvas.h"
#include "win32/Gdi.h"
#include "win32/UserWindows.h"

namespace {

using Canvas = layer::testing::MemoryCanvas;

HFONT Arial(int height, int weight = FW_NORMAL) {
  return CreateFont(height, 0, 0, 0, weight, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
}

}  // namespace

TEST(Text, MetricsAndExtentsComeFromTheFont) {
  Canvas canvas(200, 60);
  canvas.Use(Arial(-20));
  TEXTMETRIC metrics;
  ASSERT_TRUE(GetTextMetrics(canvas.dc, &metrics));
  EXPECT_EQ(metrics.tmHeight, metrics.tmAscent + metrics.tmDescent);
  EXPECT_GE(metrics.tmHeight, 20);  // a negative height is the character height, the cell is larger
  EXPECT_GT(metrics.tmAveCharWidth, 0);
  SIZE one, two;
  ASSERT_TRUE(GetTextExtentPoint32(canvas.dc, "AB", 2, &one));
  GetTextExtentPoint32(canvas.dc, "ABAB", 4, &two);
  EXPECT_EQ(two.cx, 2 * one.cx);  // advances add up
  EXPECT_EQ(one.cy, metrics.tmHeight);
  SIZE wide;
  GetTextExtentPoint32(canvas.dc, "WWW", 3, &wide);
  SIZE narrow;
  GetTextExtentPoint32(canvas.dc, "iii", 3, &narrow);
  EXPECT_GT(wide.cx, narrow.cx);  // a proportional face

  canvas.Use(Arial(20));  // a positive height is the cell height
  GetTextMetrics(canvas.dc, &metrics);
  EXPECT_NEAR(metrics.tmHeight, 20, 1);
  char face[40];
  GetTextFace(canvas.dc, sizeof face, face);
  EXPECT_STREQ(face, "Arial");
}

TEST(Text, TheSystemsFacesComeFromTheMetricCompatibleFonts) {
  Canvas canvas(10, 10);
  struct Case {
    const char* face;
    const char* same;
  } cases[] = {{"Arial", "Liberation Sans"}, {"Helvetica", "Liberation Sans"}, {"Times New Roman", "Liberation Serif"},
               {"Courier New", "Liberation Mono"}};
  const char* sample = "Ersatzteil 4711 WWii";
  for (const Case& c : cases) {
    SIZE asked, real;
    canvas.Use(CreateFont(-18, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, c.face));
    GetTextExtentPoint32(canvas.dc, sample, static_cast<int>(std::strlen(sample)), &asked);
    canvas.Use(CreateFont(-18, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, c.same));
    GetTextExtentPoint32(canvas.dc, sample, static_cast<int>(std::strlen(sample)), &real);
    EXPECT_EQ(asked.cx, real.cx) << c.face;
    EXPECT_EQ(asked.cy, real.cy) << c.face;
  }
}

TEST(Text, TextOutDrawsInsideItsCellByAlignment) {
  struct Case {
    UINT align;
    int x, y;
  } cases[] = {{TA_LEFT | TA_TOP, 10, 10}, {TA_RIGHT | TA_TOP, 150, 10}, {TA_CENTER | TA_BASELINE, 100, 40}};
  for (const Case& c : cases) {
    Canvas canvas(200, 60);
    canvas.Use(Arial(-16));
    SetBkMode(canvas.dc, TRANSPARENT);
    SetTextAlign(canvas.dc, c.align);
    ASSERT_TRUE(TextOut(canvas.dc, c.x, c.y, "Teile\xE4", 6));
    SIZE size;
    GetTextExtentPoint32(canvas.dc, "Teile\xE4", 6, &size);
    TEXTMETRIC metrics;
    GetTextMetrics(canvas.dc, &metrics);
    int left = c.x - ((c.align & TA_CENTER) == TA_CENTER ? size.cx / 2 : (c.align & TA_RIGHT) ? size.cx : 0);
    int top = (c.align & TA_BASELINE) == TA_BASELINE ? c.y - metrics.tmAscent : c.y;
    RECT inked = canvas.Inked();
    EXPECT_GE(inked.left, left) << c.align;
    EXPECT_LE(inked.right, left + size.cx + 1) << c.align;
    EXPECT_GE(inked.top, top) << c.align;
    EXPECT_LE(inked.bottom, top + size.cy) << c.align;
    EXPECT_GT(inked.right - inked.left, size.cx / 2) << c.align;
  }
}

TEST(Text, BackgroundModesAndExtTextOutOptions) {
  Canvas canvas(200, 40);
  HFONT font = Arial(-14);
  canvas.Use(font);
  SetBkColor(canvas.dc, RGB(0, 255, 0));
  SetBkMode(canvas.dc, OPAQUE);
  TextOut(canvas.dc, 0, 0, "i", 1);
  EXPECT_EQ(GetPixel(canvas.dc, 0, 1), RGB(0, 255, 0));  // the cell is filled first

  RECT box{100, 0, 140, 30};
  SetBkColor(canvas.dc, RGB(255, 0, 0));
  ExtTextOut(canvas.dc, 110, 5, ETO_OPAQUE | ETO_CLIPPED, &box, "WWWWWWWW", 8, nullptr);
  EXPECT_EQ(GetPixel(canvas.dc, 101, 29), RGB(255, 0, 0));
  for (int y = 0; y < 40; ++y) EXPECT_EQ(GetPixel(canvas.dc, 141, y), RGB(255, 255, 255)) << "clipped at " << y;

  INT spacing[] = {30, 30};
  SetBkMode(canvas.dc, TRANSPARENT);
  Canvas spaced(200, 40);
  SelectObject(spaced.dc, font);
  ExtTextOut(spaced.dc, 0, 0, 0, nullptr, "ll", 2, spacing);
  RECT inked = spaced.Inked();
  EXPECT_GE(inked.right, 30);  // the second letter sits 30 pixels on
}

// A wrapped text is measured as it is drawn: as wide as its widest line
// (narrower or wider than the rectangle), as high as its lines.
TEST(Text, WordBreakMeasuresTheWrappedLines) {
  Canvas canvas(300, 100);
  canvas.Use(Arial(-12));
  TEXTMETRIC metrics;
  GetTextMetrics(canvas.dc, &metrics);
  auto width = [&](const char* text) {
    SIZE size;
    GetTextExtentPoint32(canvas.dc, text, static_cast<int>(std::strlen(text)), &size);
    return static_cast<int>(size.cx);
  };
  struct Case {
    const char* name;
    const char* text;
    RECT given;
    int right;
    int lines;
  } cases[] = {
      {"two words a line", "AB AB AB AB AB AB", {0, 0, width("AB AB") + 2, 0}, width("AB AB"), 3},
      {"shorter than the rectangle", "AB", {0, 0, 300, 0}, width("AB"), 1},
      {"a word wider than the rectangle", "ABABABAB AB", {0, 0, width("AB") + 2, 0}, width("ABABABAB"), 2},
      {"lines of their own", "AB AB\nABAB", {0, 0, 300, 0}, width("AB AB"), 2},
      {"away from the origin", "AB AB AB", {40, 10, 40 + width("AB AB") + 2, 10}, 40 + width("AB AB"), 2},
  };
  for (const Case& c : cases) {
    RECT rect = c.given;
    int height = DrawText(canvas.dc, c.text, -1, &rect, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(rect.left, c.given.left) << c.name;
    EXPECT_EQ(rect.right, c.right) << c.name;
    EXPECT_EQ(rect.bottom - rect.top, c.lines * metrics.tmHeight) << c.name;
    EXPECT_EQ(height, c.lines * metrics.tmHeight) << c.name;
  }
}

TEST(Text, DrawTextWithTheFlagsTheScreensUse) {
  Canvas canvas(300, 100);
  canvas.Use(Arial(-12));
  SetBkMode(canvas.dc, TRANSPARENT);
  TEXTMETRIC metrics;
  GetTextMetrics(canvas.dc, &metrics);
  SIZE size;
  GetTextExtentPoint32(canvas.dc, "AB", 2, &size);

  RECT measure{0, 0, 0, 0};
  EXPECT_EQ(DrawText(canvas.dc, "AB", -1, &measure, DT_CALCRECT | DT_SINGLELINE), metrics.tmHeight);
  EXPECT_EQ(measure.right, size.cx);
  EXPECT_EQ(measure.bottom, metrics.tmHeight);

  RECT lines{0, 0, 300, 0};
  DrawText(canvas.dc, "one\r\ntwo\nthree", -1, &lines, DT_CALCRECT);
  EXPECT_EQ(lines.bottom, 3 * metrics.tmHeight);

  RECT wrap{0, 0, size.cx * 3, 0};
  DrawText(canvas.dc, "AB AB AB AB AB AB", -1, &wrap, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_GT(wrap.bottom, metrics.tmHeight);  // it needed more than one line

  // Centred in both directions (the label format of hotspots, 0x925).
  RECT cell{100, 20, 200, 80};
  DrawText(canvas.dc, "AB", 2, &cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
  RECT inked = canvas.Inked();
  int middle = (inked.left + inked.right) / 2;
  EXPECT_NEAR(middle, 150, 2);
  EXPECT_GE(inked.top, 20 + (60 - metrics.tmHeight) / 2);
  EXPECT_LE(inked.bottom, 20 + (60 + metrics.tmHeight) / 2 + 1);

  RECT narrow{0, 0, size.cx * 2, 20};
  RECT ellipsis = narrow;
  DrawText(canvas.dc, "ABABABABABAB", -1, &ellipsis, DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS);
  EXPECT_LE(ellipsis.right, narrow.right);

  RECT prefix{0, 0, 0, 0}, plain{0, 0, 0, 0};
  DrawText(canvas.dc, "&Datei", -1, &prefix, DT_CALCRECT | DT_SINGLELINE);
  DrawText(canvas.dc, "Datei", -1, &plain, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(prefix.right, plain.right);  // the mark is not drawn
}
