// Pages rendered from scripts: data records over pages and connected frames,
// static and single texts, SYNC groups, GRAF lines, pictures, the page loop's
// stopping rules and the failures that end a job.
#include <gtest/gtest.h>

#include "PageFixture.h"
#include "VodContext.h"
#include "VodInterpreter.h"
#include "VodRenderer.h"

namespace vod {
namespace {

using testing::FormFileBytes;
using testing::FormItemBytes;
using testing::FrameItem;

// The form's frames in form units; the page shows them at a fifth.
constexpr RECT kHeader{100, 100, 2000, 300};
constexpr RECT kData{100, 400, 1000, 1400};
constexpr RECT kSecond{1100, 400, 2000, 1400};
constexpr RECT kOverflow{100, 1500, 1000, 2500};
constexpr RECT kPicture{100, 2600, 1000, 2900};
constexpr RECT kGraf{1100, 2600, 2000, 2900};

RECT OnRenderedPage(const RECT& form) { return RECT{form.left / 5, form.top / 5, form.right / 5, form.bottom / 5}; }

FormItemBytes FormFrame(const char* name, const RECT& r) {
  return FrameItem(name, r.left, r.top, r.right, r.bottom, "UNIV", 10, 'L');
}

class Rendering : public testing::PageFixture {
 protected:
  void SetUp() override {
    PageFixture::SetUp();
    WriteIni({"CheckFrames=FALSE"});
    m_form = Write("page.frm", FormFileBytes({FormFrame("H", kHeader), FormFrame("D", kData), FormFrame("E", kSecond),
                                              FormFrame("D2", kOverflow), FormFrame("P", kPicture), FormFrame("G", kGraf)}));
  }
  std::string Use() { return "USE FORM " + m_form + "\n"; }
  static std::string Records(int count, const std::string& frame = "D", int first = 1) {
    std::string block = "DATA FRAME " + frame + " BEGIN\n";
    for (int i = first; i < first + count; ++i) block += "ROW " + std::to_string(i) + "\n";
    return block + "END\n";
  }
  // The line height of the form's font, in form units.
  int LineHeight() {
    EXPECT_TRUE(m_target->Open(*m_context));
    EXPECT_TRUE(m_context->drawing.SelectFrameFont("UNIV", 10));
    int height = m_context->drawing.LineHeight();
    m_context->drawing.ResetFontState();
    return height;
  }
  size_t Lines(size_t page, const RECT& frame) { return m_target->pages.at(page).RunTops(OnRenderedPage(frame)).size(); }

  std::string m_form;
};

TEST_F(Rendering, RecordsThatDoNotFitGoOnFurtherPagesAndTheCountersFollow) {
  int perPage = (kData.bottom - kData.top) / LineHeight();
  int records = 2 * perPage + 3;
  ASSERT_EQ(Run(Use() + "SET CPINC 5\n" + Records(records) + "PAGE\n"), 3);
  ASSERT_EQ(m_target->pages.size(), 3u);
  EXPECT_EQ(Lines(0, kData), static_cast<size_t>(perPage));
  EXPECT_EQ(Lines(1, kData), static_cast<size_t>(perPage));
  EXPECT_EQ(Lines(2, kData), 3u);
  const VodCounters& counters = m_context->counters;
  EXPECT_EQ(counters.pp, 4);
  EXPECT_EQ(counters.dp, 4);
  EXPECT_EQ(counters.cp, 16);
  EXPECT_EQ(counters.lp, 2);
  EXPECT_EQ(counters.sp, 1);
  EXPECT_EQ(m_ui.items.back(), (std::pair<int, std::string>{1017, "Seite: 4"}));
  EXPECT_EQ(m_target->opens, 1);
  EXPECT_EQ(m_target->begun, 3);
  EXPECT_EQ(m_pictures->pagesDone, 3);
}

TEST_F(Rendering, TheColumnsOfARecordStartLevelWhateverTheirHeight) {
  std::string wrapping;
  for (int i = 0; i < 40; ++i) wrapping += "WORD ";
  ASSERT_EQ(Run(Use() + "DATA FRAME D E BEGIN\n1\n" + wrapping + "\n2\nSHORT\nEND\nPAGE\n"), 3);
  std::vector<int> numbers = m_target->pages.at(0).RunTops(OnRenderedPage(kData));
  std::vector<int> texts = m_target->pages.at(0).RunTops(OnRenderedPage(kSecond));
  ASSERT_EQ(numbers.size(), 2u);
  ASSERT_GT(texts.size(), 3u);
  EXPECT_EQ(numbers[1], texts.back()) << "record 2 starts below the whole of record 1";
}

TEST_F(Rendering, AConnectedFrameTakesTheOverflowBeforeANewPage) {
  int perPage = (kData.bottom - kData.top) / LineHeight();
  ASSERT_EQ(Run(Use() + "CONNECT FRAME D WITH D2\n" + Records(perPage + 5) + "PAGE\n"), 3);
  ASSERT_EQ(m_target->pages.size(), 1u);
  EXPECT_EQ(Lines(0, kData), static_cast<size_t>(perPage));
  EXPECT_EQ(Lines(0, kOverflow), 5u);
}

TEST_F(Rendering, StaticTextsComeOnEveryPageOfARecordOverflowOtherTextsOnce) {
  int perPage = (kData.bottom - kData.top) / LineHeight();
  ASSERT_EQ(Run(Use() + "PRINT FRAME H STATIC HEAD\nPRINT FRAME E ONCE\n" + Records(perPage + 1) + "PAGE\n"), 3);
  ASSERT_EQ(m_target->pages.size(), 2u);
  EXPECT_EQ(Lines(0, kHeader), 1u);
  EXPECT_EQ(Lines(1, kHeader), 1u);
  EXPECT_EQ(Lines(0, kSecond), 1u);
  EXPECT_EQ(Lines(1, kSecond), 0u);
}

TEST_F(Rendering, FieldWordsOfStaticTextsAreExpandedIntoACopyOnEachPage) {
  int perPage = (kData.bottom - kData.top) / LineHeight();
  ASSERT_EQ(Run(Use() + "PRINT FRAME H STATIC %DP1% %FORMULAR%\n" + Records(perPage + 1)), 3);
  m_context->firstFormName = std::string(300, '\\');  // far longer than the text it stands in
  ASSERT_TRUE(VodRenderer(*m_context).DruckAll(false));
  ASSERT_EQ(m_target->pages.size(), 2u);
  RECT number{20, 20, 28, 40};
  EXPECT_FALSE(m_target->pages[0].Blank(number));
  EXPECT_NE(m_target->pages[0].Crop(number), m_target->pages[1].Crop(number)) << "1, then 2";
  EXPECT_STREQ(Frame("H")->textList->Text(), "%DP1% %FORMULAR%");
}

TEST_F(Rendering, SyncedFramesContinueAtTheSameHeight) {
  int line = LineHeight();
  std::string records = "DATA FRAME D LINECOUNT 3 BEGIN\nA1\nA2\nA3\nEND\n" + Records(1, "E", 2) + "SYNC D E\n" +
                        "DATA FRAME E BEGIN\nLATER\nEND\n";
  ASSERT_EQ(Run(Use() + records + "PAGE\n"), 3);
  std::vector<int> tops = m_target->pages.at(0).RunTops(OnRenderedPage(kSecond));
  ASSERT_EQ(tops.size(), 2u);
  EXPECT_GE(tops[1], (kSecond.top + 3 * line) / 5 - 1) << "behind the three lines of D";

  m_target->pages.clear();
  ASSERT_EQ(Run(Use() + "DATA FRAME D LINECOUNT 3 BEGIN\nA1\nA2\nA3\nEND\n" + Records(1, "E", 2) +
                "DATA FRAME E BEGIN\nLATER\nEND\nPAGE\n"),
            3);
  tops = m_target->pages.at(0).RunTops(OnRenderedPage(kSecond));
  ASSERT_EQ(tops.size(), 2u);
  EXPECT_LT(tops[1], (kSecond.top + 2 * line) / 5) << "without SYNC right below";
}

TEST_F(Rendering, ARecordLargerThanItsEmptyFrameEndsTheJobWithText60) {
  std::string huge = "DATA FRAME D BEGIN\n";
  for (int i = 0; i < 300; ++i) huge += "WORD ";
  ASSERT_EQ(Run(Use() + huge + "\nEND\nPAGE\n"), 2);
  EXPECT_EQ(m_target->pages.size(), 0u);
  EXPECT_EQ(m_context->lastError, " Fehler: Frame ist zu klein f\xFCr DATA FRAME Befehl! D");
}

TEST_F(Rendering, ARecordWhoseFrameThisPagesFormLacksEndsTheJobWithText60) {
  Write("odd.frm", FormFileBytes({FormFrame("D", kData)}));
  Write("even.frm", FormFileBytes({FormFrame("E", kSecond)}));
  int perPage = (kData.bottom - kData.top) / LineHeight();
  ASSERT_EQ(Run("USE FORM " + (m_folder / "odd") + " ODD\nUSE FORM " + (m_folder / "even") + " EVEN\n" +
                Records(perPage + 1) + "PAGE\n"),
            2);
  EXPECT_EQ(m_target->pages.size(), 1u);
  EXPECT_EQ(m_context->lastError, " Fehler: Frame ist zu klein f\xFCr DATA FRAME Befehl! D");
}

TEST_F(Rendering, ThePageLoopStopsByTheFormMode) {
  int perPage = (kData.bottom - kData.top) / LineHeight();
  Write("odd.frm", FormFileBytes({FormFrame("D", kData)}));
  Write("even.frm", FormFileBytes({FormFrame("D", kData)}));
  std::string evenOdd = "USE FORM " + (m_folder / "odd") + " ODD\nUSE FORM " + (m_folder / "even") + " EVEN\n";
  struct Case {
    const char* name;
    std::string script;
    size_t pages;
  } cases[] = {
      {"no form: one page", "PAGE\n", 1},
      {"one form, nothing queued", Use() + "PAGE\n", 1},
      {"EVEN and ODD: both sides of a sheet", evenOdd + "PAGE\n", 2},
      {"EVEN and ODD: data for one page", evenOdd + Records(3) + "PAGE\n", 2},
      {"EVEN and ODD: data for two pages", evenOdd + Records(2 * perPage) + "PAGE\n", 2},
      {"EVEN and ODD: data for three pages", evenOdd + Records(2 * perPage + 1) + "PAGE\n", 4},
  };
  for (const Case& c : cases) {
    m_target->pages.clear();
    ASSERT_TRUE(RunJob(c.script)) << c.name;
    EXPECT_EQ(m_target->pages.size(), c.pages) << c.name;
  }
}

TEST_F(Rendering, TitleFormsComeFirstThenTheBody) {
  auto greyForm = [this](const char* name, int top) {
    FormItemBytes grey(4);
    grey.Word(140, 100).Word(142, 100).Word(144, top).Word(146, 500).Word(148, top + 100);
    Write(std::string(name) + ".frm", FormFileBytes({grey}));
    return "USE FORM " + (m_folder / name);
  };
  std::string script = greyForm("a", 100) + " TITLE\n" + greyForm("b", 1000) + " TITLE\n" + greyForm("body", 2000) +
                       " BODY\nPAGE\nPAGE\nPAGE\nPAGE\n";
  ASSERT_EQ(Run(script), 3);
  ASSERT_EQ(m_target->pages.size(), 4u);
  int tops[] = {100, 1000, 2000, 2000};
  for (size_t page = 0; page < 4; ++page)
    EXPECT_EQ(m_target->pages[page].Inked().top, tops[page] / 5) << page;
}

TEST_F(Rendering, GrafLinesAreDrawnInTheirFrame) {
  ASSERT_EQ(Run(Use() +
                "GRAF FRAME G BEGIN\nLINE 10 10 800 10 5\nTEXT 10 100 UNIV 12 Gr\xF6\xDF" "e\n"
                "RASTER 20 30 \"Gr\xF6\xDF" "e.tif\"\nTEXT 10 200 UNIV 12\nEND\nPAGE\n"),
            3);
  const testing::PageImage& page = m_target->pages.at(0);
  EXPECT_EQ(page.At((kGraf.left + 400) / 5, (kGraf.top + 10) / 5), RGB(0, 0, 0));
  EXPECT_FALSE(page.Blank(OnRenderedPage(RECT{kGraf.left, kGraf.top + 100, kGraf.right, kGraf.top + 180})));
  ASSERT_EQ(m_pictures->calls.size(), 1u);
  EXPECT_EQ(m_pictures->calls[0].file, "Gr\xF6\xDF" "e.tif");
  EXPECT_EQ(m_pictures->calls[0].box.left, kGraf.left + 20);
  EXPECT_EQ(m_pictures->calls[0].box.top, kGraf.top + 30);
  EXPECT_EQ(m_pictures->calls[0].percent, 100);
  EXPECT_EQ(Frame("G")->grafList, nullptr);

  // The text of a GRAF line prints its German letters as written.
  m_target->Clear();
  ASSERT_TRUE(m_context->drawing.SelectFrameFont("UNIV", 12));
  ASSERT_TRUE(m_context->drawing.DrawTextAt(kGraf.left + 10, kGraf.top + 100, "Gr\xF6\xDF" "e", kAlignLeft, {}, 0));
  RECT text = OnRenderedPage(RECT{kGraf.left, kGraf.top + 90, kGraf.right, kGraf.top + 190});
  EXPECT_EQ(page.Inked(text), m_target->Snapshot().Inked(text));
}

TEST_F(Rendering, BadGrafLinesFailThePageWithTheirText) {
  struct Case {
    const char* line;
    const char* text;
  } cases[] = {
      {"LINE 0 10 100 10 1", "Ungueltige Nummer!"},
      {"LINE 10 10 100", "Ungueltige Nummer!"},
      {"RASTER 10 x", "Ungueltige Nummer!"},
      {"RASTER 10 10", "Fehlender Bildname!"},
      {"TEXT 10 10 UNIV", "Ung\xFCltige Schriftgr\xF6\xDF" "e!"},
      {"TEXT 10 10 UNIV 5 small", " Schriftgr\xF6\xDF" "e mu\xDF im Bereich 6 bis 50 Pkt liegen"},
      {"TEXT 10 10 UNIV 51 large", " Schriftgr\xF6\xDF" "e mu\xDF im Bereich 6 bis 50 Pkt liegen"},
      {"CIRCLE 10 10 5", "Unbekanntes Statement!"},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(Run(Use() + "GRAF FRAME G BEGIN\n" + c.line + "\nEND\nPAGE\n"), 2) << c.line;
    EXPECT_EQ(m_context->lastError, std::string(" Fehler: ") + c.text + " " + c.line);
  }
}

TEST_F(Rendering, StaticTextTooLargeForItsFrameFollowsTheSizeCheck) {
  std::string text = "PRINT FRAME H STATIC";
  for (int i = 0; i < 200; ++i) text += " WORD";
  text += " %SYMBOL TIFF end.tif%\nPAGE\n";
  m_pictures->symbolWidth = m_pictures->symbolHeight = 20;

  EXPECT_FALSE(RunJob(Use() + text));
  EXPECT_EQ(m_context->lastError, " Fehler: Frame ist zu klein f\xFCr STATIC-Data! (2) H");

  WriteIni({"CheckFrames=FALSE", "CheckGroesse=FALSE"});
  EXPECT_TRUE(RunJob(Use() + text));
  ASSERT_EQ(m_target->pages.size(), 1u);
  EXPECT_GT(m_target->pages[0].Inked().bottom, OnRenderedPage(kHeader).bottom) << "printed whole";
  EXPECT_EQ(m_pictures->calls.size(), 1u);

  WriteIni({"CheckFrames=FALSE", "CheckGroesse=CUT"});
  m_pictures->calls.clear();
  EXPECT_TRUE(RunJob(Use() + text));
  ASSERT_EQ(m_target->pages.size(), 2u);
  RECT ink = m_target->pages[1].Inked();
  EXPECT_LE(ink.bottom, OnRenderedPage(kHeader).bottom);
  EXPECT_GT(ink.bottom, OnRenderedPage(kHeader).bottom - 20) << "shortened only as far as needed";
  EXPECT_TRUE(m_pictures->calls.empty()) << "the picture at the end went whole";
}

TEST_F(Rendering, AStaticTextIsCentredVerticallyInAFrameThatAsksForIt) {
  FormItemBytes centred = FormFrame("H", kHeader);
  centred.Text(170, "\x01");
  Write("centred.frm", FormFileBytes({centred}));
  ASSERT_EQ(Run("USE FORM " + (m_folder / "centred") + "\nPRINT FRAME H STATIC MIDDLE\nPAGE\n"), 3);
  RECT ink = m_target->pages.at(0).Inked();
  RECT frame = OnRenderedPage(kHeader);
  EXPECT_NEAR((ink.top + ink.bottom) / 2, (frame.top + frame.bottom) / 2, 3);
}

TEST_F(Rendering, PicturesOfFramesAndDataLinesGoToThePictureDrawing) {
  Write("pic.tif", "not read here");
  WriteIni({"CheckFrames=FALSE", "PICS=" + m_folder.Path()});
  m_pictures->pictureHeight = 200;
  int perPage = (kData.bottom - kData.top) / LineHeight();
  ASSERT_EQ(Run(Use() + "VIEW FRAME P STATIC TIFF " + (m_folder / "pic.tif") + " XCEN\n" +
                "DATA FRAME (TIFF)D BEGIN\n%PICS%/part\nEND\n" + Records(perPage) + "PAGE\n"),
            3);
  ASSERT_EQ(m_target->pages.size(), 2u);
  std::vector<testing::PictureCall> frames, lines;
  for (const testing::PictureCall& call : m_pictures->calls)
    (call.file == m_folder / "pic.tif" ? frames : lines).push_back(call);
  ASSERT_EQ(frames.size(), 2u) << "a static picture on both pages";
  EXPECT_EQ(frames[0].box, kPicture);
  EXPECT_TRUE(frames[0].centreX);
  EXPECT_FALSE(frames[0].centreY);
  EXPECT_EQ(frames[0].percent, 200);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].file, m_folder.Path() + "/part.tif");
  EXPECT_EQ(lines[0].box, (RECT{kData.left, kData.top + 30, kData.right, kData.bottom}));
  EXPECT_EQ(lines[0].percent, 100);
  // The records behind the picture line start below its 30 + 200.
  EXPECT_GE(m_target->pages[0].RunTops(OnRenderedPage(kData)).at(0), (kData.top + 230) / 5);
}

TEST_F(Rendering, TheEndOfTheJobPrintsACollectedPageAndClosesTheOutput) {
  EXPECT_TRUE(RunJob(Use() + "PRINT FRAME H LAST WORDS\n"));
  EXPECT_EQ(m_target->pages.size(), 1u);
  EXPECT_EQ(m_target->closes, 1);
  EXPECT_EQ(m_context->model.frames, nullptr) << "the form is discarded";

  m_target->pages.clear();
  EXPECT_TRUE(RunJob(Use() + "PRINT FRAME H LAST WORDS\nPAGE\n"));
  EXPECT_EQ(m_target->pages.size(), 1u) << "no empty page after the last";

  m_target->pages.clear();
  EXPECT_FALSE(RunJob(Use() + "PRINT FRAME H WORDS\nBROKEN\n"));
  EXPECT_EQ(m_target->pages.size(), 0u) << "a failed job prints nothing more";
}

TEST_F(Rendering, AnOutputThatCannotBeOpenedOrACancelEndsThePage) {
  m_target->refuseOpen = true;
  ASSERT_EQ(Run(Use() + "PRINT FRAME H X\nPAGE\n"), 2);
  EXPECT_EQ(m_context->lastError, " Fehler: Fehler DruckAll()");

  m_target->refuseOpen = false;
  m_context->lastError.clear();
  m_pictures->cancelOnDraw = true;
  Write("pic.tif", "not read here");
  ASSERT_EQ(Run(Use() + "VIEW FRAME P TIFF " + (m_folder / "pic.tif") + "\nPRINT FRAME H X\nPAGE\n"), 2);
  EXPECT_EQ(m_context->lastError, "") << "a cancel is not reported";
  EXPECT_EQ(m_target->pages.size(), 0u);
}

}  // namespace
}  // namespace vod
