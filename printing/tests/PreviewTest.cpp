// Jobs that show their pages in the preview window: one page at a time or
// queued in scroll mode, the boxes on new and last pages, scrolling, and
// the job ending when the user closes the window.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "JobFixture.h"
#include "VodContext.h"
#include "VodPreviewWindow.h"
#include "interfaces/QorVod32.h"
#include "win32/Gdi.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace vod {
namespace {

using testing::Call;
using testing::JobFixture;

class Preview : public JobFixture {
 protected:
  void SetUp() override {
    JobFixture::SetUp();
    ASSERT_EQ(VOD_SetCallback(&JobFixture::Callback), 1);
  }
  // Starts a job of n pages and lets it run as far as it goes by itself.
  void ShowPages(int pages) {
    std::string script = Use();
    for (int page = 1; page <= pages; ++page) script += Records(3, 10 * page) + "PAGE\n";
    std::string path = Write("preview.vod", script);
    ASSERT_EQ(VOD_Print_Async(m_owner, path.c_str()), 1);
    for (int round = 0; round < 5; ++round) layer::PumpUntilIdle();
  }
  HWND Window() {
    ContextScope context;
    return context->previewWindow;
  }
  std::vector<std::string> BoxTexts() {
    std::vector<std::string> texts;
    for (const testing::ShownBox& box : m_boxes) texts.push_back(box.text);
    return texts;
  }
  std::vector<int> Codes() {
    std::vector<int> codes;
    for (const Call& call : s_calls) codes.push_back(call.code);
    return codes;
  }
};

TEST_F(Preview, EachPageReplacesTheOneBeforeAndClosingEndsThePrintedJob) {
  WriteIni({"Bildschirm=TRUE"});
  ShowPages(2);
  HWND window = Window();
  ASSERT_NE(window, nullptr);
  char caption[64] = "";
  GetWindowText(window, caption, sizeof caption);
  EXPECT_STREQ(caption, "VOD - Bildschirmausdruck");
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_TRUE(IsZoomed(window)) << "shown maximised";
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{
                            "Neue Seite wird dargestellt!",
                            "Letzte Seite wurde dargestellt,\nBitte zum Beenden Fenster schlie\xDF" "en."}));
  EXPECT_EQ(PreviewQueuedPages(window), 0) << "without scroll mode nothing is queued";
  EXPECT_EQ(VOD_IsPrinting(), 1) << "the printing dialog waits for the window";
  EXPECT_TRUE(s_calls.empty());

  // The page fills the screen: the form's grey area lies where the form has it.
  ContextScope context;
  const PageMetrics page = context->page;
  HDC dc = GetDC(window);
  COLORREF grey = GetPixel(dc, MulDiv(1500, page.deviceWidth, 2100), MulDiv(2750, page.deviceHeight, 2970));
  ReleaseDC(window, dc);
  EXPECT_NE(grey, RGB(255, 255, 255));
  EXPECT_NE(grey, RGB(0, 0, 0));

  SendMessage(window, WM_CLOSE, 0, 0);
  Finish();
  EXPECT_EQ(Codes(), (std::vector<int>{1, 4}));
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(VOD_IsPrinting(), 0);
  EXPECT_EQ(m_boxes.size(), 2u) << "closing after the last page asks nothing";
}

TEST_F(Preview, InScrollModeClosingShowsTheNextQueuedPageUntilTheLast) {
  WriteIni({"Bildschirm=TRUE", "BildschirmScroll=TRUE"});
  m_answer = [](const testing::ShownBox&) { return IDYES; };
  ShowPages(3);
  HWND window = Window();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(PreviewQueuedPages(window), 3);
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Neue Seite vorhanden,\nzum Darstellen bitte Fenster schlie\xDF" "en!",
                                                  "Neue Seite vorhanden,\nzum Darstellen bitte Fenster schlie\xDF" "en!",
                                                  "Letzte Seite wurde erstellt!"}));
  for (int shown = 2; shown >= 1; --shown) {
    SendMessage(window, WM_CLOSE, 0, 0);
    layer::PumpUntilIdle();
    ASSERT_TRUE(IsWindow(window));
    EXPECT_EQ(PreviewQueuedPages(window), shown);
    EXPECT_TRUE(s_calls.empty()) << "the job goes on while pages are queued";
  }
  SendMessage(window, WM_CLOSE, 0, 0);
  Finish();
  EXPECT_EQ(m_boxes.back().text, "Ausgabe beendet.\nFenster jetzt schlie\xDF" "en?");
  EXPECT_EQ(Codes(), (std::vector<int>{1, 4}));
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(Preview, AnsweringNoKeepsTheLastPageOpen) {
  WriteIni({"Bildschirm=TRUE", "BildschirmScroll=TRUE"});
  m_answer = [](const testing::ShownBox& box) { return box.type & MB_YESNO ? IDNO : IDOK; };
  ShowPages(1);
  HWND window = Window();
  SendMessage(window, WM_CLOSE, 0, 0);
  layer::PumpUntilIdle();
  EXPECT_TRUE(IsWindow(window));
  EXPECT_TRUE(PreviewShowsPage(window));
  EXPECT_TRUE(s_calls.empty());
  m_answer = nullptr;
}

struct ScrollCase {
  const char* name;
  int bar;
  WPARAM request;
  // Where the position ends, from where it was, the client extent and the range.
  int (*expected)(int before, int client, int range);
};

TEST_F(Preview, ScrollingStepsByLinesPagesAndTheThumbWithinTheRange) {
  WriteIni({"Bildschirm=TRUE", "BildschirmScroll=TRUE"});
  ShowPages(1);
  HWND window = Window();
  ShowWindow(window, SW_RESTORE);
  MoveWindow(window, 0, 0, 400, 300, TRUE);
  RECT client;
  GetClientRect(window, &client);
  ContextScope context;
  SIZE page{static_cast<LONG>(context->page.deviceWidth), static_cast<LONG>(context->page.deviceHeight)};
  ASSERT_GT(page.cy, client.bottom);
  const ScrollCase cases[] = {
      {"line down", SB_VERT, SB_LINEDOWN, [](int b, int, int) { return b + 20; }},
      {"page down", SB_VERT, SB_PAGEDOWN, [](int b, int c, int) { return b + c - 20; }},
      {"thumb", SB_VERT, MAKEWPARAM(SB_THUMBTRACK, 100), [](int, int, int) { return 100; }},
      {"thumb beyond the end", SB_VERT, MAKEWPARAM(SB_THUMBTRACK, 30000), [](int, int, int r) { return r; }},
      {"line up", SB_VERT, SB_LINEUP, [](int b, int, int) { return b - 20; }},
      {"end of scrolling", SB_VERT, SB_ENDSCROLL, [](int b, int, int) { return b; }},
      {"line right", SB_HORZ, SB_LINERIGHT, [](int b, int, int r) { return std::min(b + 20, r); }},
      {"page left before the start", SB_HORZ, SB_PAGELEFT, [](int, int, int) { return 0; }},
  };
  for (const ScrollCase& c : cases) {
    bool vertical = c.bar == SB_VERT;
    POINT before = PreviewScrollPosition(window);
    int from = vertical ? before.y : before.x;
    int extent = vertical ? client.bottom : client.right;
    int range = std::max<int>(0, (vertical ? page.cy : page.cx) - extent);
    SendMessage(window, vertical ? WM_VSCROLL : WM_HSCROLL, c.request, 0);
    POINT after = PreviewScrollPosition(window);
    EXPECT_EQ(vertical ? after.y : after.x, c.expected(from, extent, range)) << c.name;
    EXPECT_EQ(vertical ? after.x : after.y, vertical ? before.x : before.y) << c.name << ": the other bar stays";
    EXPECT_EQ(GetScrollPos(window, c.bar), vertical ? after.y : after.x) << c.name;
  }
}

TEST_F(Preview, ClosingBeforeTheJobHasFinishedCancelsIt) {
  WriteIni({"Bildschirm=TRUE"});
  // The user closes the window as soon as the second page is announced.
  m_answer = [this](const testing::ShownBox& box) {
    if (box.text == "Neue Seite wird dargestellt!") PostMessage(Window(), WM_CLOSE, 0, 0);
    return IDOK;
  };
  ShowPages(3);
  Finish();
  EXPECT_EQ(Codes(), (std::vector<int>{3, 4}));
  std::vector<std::string> texts = BoxTexts();
  EXPECT_NE(std::find(texts.begin(), texts.end(), "Druck noch nicht fertig\nwird jetzt abgebrochen!"), texts.end());
  EXPECT_EQ(Window(), nullptr);
  EXPECT_EQ(VOD_IsPrinting(), 0);
}

}  // namespace
}  // namespace vod
