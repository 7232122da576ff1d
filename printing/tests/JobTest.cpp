// Print jobs through the exported functions: the printing dialog runs the
// script, the caller hears the end through its callback or its window, and
// the pages arrive at the PDF printer.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "JobFixture.h"
#include "VodContext.h"
#include "VodFixture.h"
#include "VodFormModel.h"
#include "VodPrinterOutput.h"
#include "interfaces/QorVod32.h"
#include "testing/PdfFile.h"
#include "win32/CommDlg.h"
#include "win32/GdiPrint.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace vod {
namespace {

using layer::testing::PdfFile;
using testing::Call;
using testing::FormFileBytes;
using testing::FormItemBytes;
using testing::FrameItem;
using testing::JobFixture;
using testing::kQuitRequest;
using testing::kStopRequest;

// What the caller heard, without the texts of codes 6 to 8.
std::vector<int> Codes(const std::vector<Call>& calls) {
  std::vector<int> codes;
  for (const Call& call : calls) codes.push_back(call.code);
  return codes;
}

struct SequenceCase {
  const char* name;
  const char* script;
  bool callback;
  std::vector<int> expected;  // callback codes, or WM_VOD_NOTIFY codes
};

class AsyncSequence : public JobFixture, public ::testing::WithParamInterface<SequenceCase> {};

TEST_P(AsyncSequence, TheCallerHearsTheEndOfTheJob) {
  const SequenceCase& c = GetParam();
  if (c.callback) ASSERT_EQ(VOD_SetCallback(&JobFixture::Callback), 1);
  std::string script = Write("job.vod", c.script);
  ASSERT_EQ(VOD_Print_Async(m_owner, script.c_str()), 1);
  EXPECT_EQ(VOD_IsPrinting(), 1);
  Finish();
  EXPECT_EQ(VOD_IsPrinting(), 0);
  if (c.callback) {
    EXPECT_EQ(Codes(s_calls), c.expected);
    EXPECT_TRUE(s_notifies.empty());
  } else {
    EXPECT_EQ(Codes(s_notifies), c.expected);
    EXPECT_TRUE(s_calls.empty());
  }
  for (const Call& call : c.callback ? s_calls : s_notifies)
    if (call.code == VOD_CB_PRINTED || call.code == VOD_CB_ERROR || call.code == VOD_CB_WINDOW_CLOSED)
      EXPECT_TRUE(call.text.empty()) << "code " << call.code << " carries no text";
  // Without a callback the library shows the error itself.
  if (c.callback) EXPECT_TRUE(m_boxes.empty()) << m_boxes.front().text;
}

INSTANTIATE_TEST_SUITE_P(
    Jobs, AsyncSequence,
    ::testing::Values(
        SequenceCase{"PrintedToCallback", "REM nothing to print\n", true, {1, 4}},
        SequenceCase{"ScriptErrorToCallback", "REM first\nFROBNICATE\n", true, {7, 2, 4}},
        SequenceCase{"MissingFormIsAQuestionToCallback", "USE FORM nowhere.frm\n", true, {8, 2, 4}},
        SequenceCase{"PrintedToWindow", "REM nothing to print\n", false, {1, 4}},
        SequenceCase{"ScriptErrorToWindow", "FROBNICATE\n", false, {6, 2, 4}}),
    [](const ::testing::TestParamInfo<SequenceCase>& info) { return std::string(info.param.name); });

TEST_F(JobFixture, ASynchronousJobDisablesItsOwnerAndSaysWhetherItPrinted) {
  ASSERT_EQ(VOD_SetCallback(&JobFixture::Callback), 1);
  s_ownerEnabledDuringCallback.clear();
  std::string good = Write("good.vod", "REM fine\n");
  EXPECT_EQ(VOD_Print_Sync(m_owner, good.c_str()), 1);
  EXPECT_TRUE(IsWindowEnabled(m_owner));
  EXPECT_EQ(IniValue("VodFile"), "") << "a printed job clears its script";
  EXPECT_EQ(Codes(s_calls), std::vector<int>{}) << "a modal job tells its end by its result";

  std::string bad = Write("bad.vod", "FROBNICATE\n");
  EXPECT_EQ(VOD_Print_Sync(m_owner, bad.c_str()), 0);
  EXPECT_EQ(Codes(s_calls), std::vector<int>{7});
  ASSERT_EQ(s_ownerEnabledDuringCallback.size(), 1u);
  EXPECT_FALSE(s_ownerEnabledDuringCallback[0]) << "the owner is disabled while the dialog runs";
  EXPECT_TRUE(IsWindowEnabled(m_owner));
  EXPECT_EQ(IniValue("VodFile"), bad) << "a failed job keeps its script named";
  EXPECT_EQ(VOD_IsPrinting(), 0);
}

TEST_F(JobFixture, ASynchronousJobWhoseScriptIsMissingShowsText418) {
  std::string missing = (m_folder / "missing.vod");
  EXPECT_EQ(VOD_Print_Sync(m_owner, missing.c_str()), 0);
  ASSERT_FALSE(m_boxes.empty());
  EXPECT_EQ(m_boxes.back().text, "Fehler beim Drucken mit VOD !");
  EXPECT_EQ(VOD_IsPrinting(), 0);
}

TEST_F(JobFixture, ASecondJobIsRefusedWithText44WhileOneRuns) {
  std::string script = Write("job.vod", "REM one\n");
  ASSERT_EQ(VOD_Print_Async(m_owner, script.c_str()), 1);
  EXPECT_EQ(VOD_Print_Async(m_owner, script.c_str()), 0);
  EXPECT_EQ(VOD_Print_Sync(m_owner, script.c_str()), 0);
  EXPECT_EQ(VOD_SetCallback(&JobFixture::Callback), 0);
  ASSERT_EQ(s_notifies.size(), 2u);
  for (const Call& call : s_notifies) {
    EXPECT_EQ(call.code, VOD_CB_ERROR_TEXT);
    EXPECT_EQ(call.text, "VOD ist noch am Drucken!");
  }
  ASSERT_EQ(m_boxes.size(), 2u);
  EXPECT_EQ(m_boxes[0].text, "VOD ist noch am Drucken!");
  EXPECT_EQ(m_boxes[0].caption, "VOD");
  s_notifies.clear();
  Finish();
  EXPECT_EQ(Codes(s_notifies), (std::vector<int>{1, 4})) << "the first job ends as it would have";
}

TEST_F(JobFixture, StoppingWithoutAJobTellsTheLastOwnerStoppedThenClosed) {
  std::string script = Write("job.vod", "REM one\n");
  ASSERT_EQ(VOD_Print_Sync(m_owner, script.c_str()), 1);
  ASSERT_TRUE(s_notifies.empty());
  VOD_StopPrinting();
  layer::PumpUntilIdle();
  EXPECT_EQ(Codes(s_notifies), (std::vector<int>{5, 4}));
}

// The owner's window asks for these while the job pumps its messages.
TEST_F(JobFixture, StoppingWhileTheScriptRunsEndsTheJobStopped) {
  ASSERT_EQ(VOD_SetCallback(&JobFixture::Callback), 1);
  std::string script = Write("job.vod", "REM one\nREM two\nREM three\n");
  ASSERT_EQ(VOD_Print_Async(m_owner, script.c_str()), 1);
  PostMessage(m_owner, kStopRequest, 0, 0);
  Finish();
  EXPECT_EQ(Codes(s_calls), (std::vector<int>{5, 4}));
}

TEST_F(JobFixture, CancelAndStopAfterPageEndTheJobCancelled) {
  ASSERT_EQ(VOD_SetCallback(&JobFixture::Callback), 1);
  for (int command : {IDCANCEL, 1009}) {
    s_calls.clear();
    std::string script = Write("job.vod", Use() + Records(3) + "PAGE\n" + Records(3) + "PAGE\n");
    ASSERT_EQ(VOD_Print_Async(m_owner, script.c_str()), 1);
    PostMessage(AsyncDialog(), WM_COMMAND, static_cast<WPARAM>(command), 0);
    Finish();
    EXPECT_EQ(Codes(s_calls), (std::vector<int>{3, 4})) << "command " << command;
  }
  // Stop after the page prints the first page only.
  ASSERT_TRUE(std::filesystem::exists(Out("job.prn")));
  if (PdfFile::ToolsPresent()) EXPECT_EQ(PdfFile(Out("job.prn")).Pages(), 1);
}

TEST_F(JobFixture, AProgramThatQuitsCancelsTheJobAndStillQuits) {
  ASSERT_EQ(VOD_SetCallback(&JobFixture::Callback), 1);
  std::string script = Write("job.vod", "REM one\nREM two\nREM three\n");
  ASSERT_EQ(VOD_Print_Async(m_owner, script.c_str()), 1);
  PostMessage(m_owner, kQuitRequest, 0, 0);
  Finish();
  EXPECT_EQ(Codes(s_calls), (std::vector<int>{3, 4}));
  int code = 0;
  EXPECT_TRUE(layer::QuitPending(&code)) << "the request to quit stays for the program's loop";
  EXPECT_EQ(code, 7);
}

TEST_F(JobFixture, ADataJobPrintsItsPagesToThePrintFile) {
  ASSERT_EQ(VOD_SetCallback(&JobFixture::Callback), 1);
  std::string script = Write("data.vod", Use() + "PRINT FRAME H STATIC Kopfzeile\n" + Records(70) + "PAGE\n");
  ASSERT_EQ(VOD_Print_Sync(m_owner, script.c_str()), 1) << (s_calls.empty() ? "" : s_calls[0].text);
  std::string path = Out("data.prn");
  ASSERT_TRUE(std::filesystem::exists(path));
  EXPECT_EQ(IniValue("Device"), "Default");
  if (!PdfFile::ToolsPresent()) GTEST_SKIP() << "poppler-utils are not installed";
  PdfFile pdf(path);
  int pages = pdf.Pages();
  ASSERT_GE(pages, 2);
  std::string first = pdf.Text(1), last = pdf.Text(pages);
  EXPECT_NE(first.find("ROW 1\n"), std::string::npos) << first;
  EXPECT_NE(first.find("Kopfzeile"), std::string::npos);
  EXPECT_LT(first.find("Kopfzeile"), first.find("ROW 1\n")) << "the header stands above the data";
  EXPECT_NE(last.find("ROW 70"), std::string::npos) << last;
  for (int page = 1; page < pages; ++page) EXPECT_EQ(pdf.Text(page).find("ROW 70"), std::string::npos);
  // The grey area of the form is grey and its line black, on every page.
  PdfFile::Raster raster = pdf.Render(1, 50, m_folder / "page1.png");
  ASSERT_GT(raster.width, 0);
  auto px = [&](int formUnits) { return formUnits * 50 / 254; };
  int grey = raster.At(px(1500), px(2700));
  EXPECT_GT(grey, 60);
  EXPECT_LT(grey, 230) << "inside the grey area";
  EXPECT_GT(raster.Darker(px(100), px(2540) - 2, px(2000), px(2540) + 3, 100), px(1800)) << "the form's line";
}

// A job that changes between a portrait and a landscape form: every page
// comes out in the orientation of its form, drawn directly or recorded and
// played, and also when the print dialog chose the other orientation.
struct OrientationCase {
  const char* name;
  bool recorded;      // NoMetaFile=FALSE: each page recorded, then played
  short dialogChoice;  // 0: no print dialog
};
void PrintTo(const OrientationCase& c, std::ostream* out) { *out << c.name; }

class FormOrientation : public JobFixture, public ::testing::WithParamInterface<OrientationCase> {
 protected:
  // A header frame and a line 100 units inside the right edge of the page.
  std::string Form(const char* name, unsigned orientation) {
    unsigned right = orientation ? 2000 : 2870;
    FormItemBytes line(kItemLine);
    line.Word(138, 5).Word(140, 100).Word(142, 1500).Word(144, right).Word(146, 1500);
    return Write(name, FormFileBytes({FrameItem("H", 100, 100, 2000, 300, "UNIV", 10, 'L'), line}, 198, orientation));
  }
};

TEST_P(FormOrientation, EachPageTakesTheOrientationOfItsForm) {
  const OrientationCase& c = GetParam();
  if (!PdfFile::ToolsPresent()) GTEST_SKIP() << "poppler-utils are not installed";
  std::vector<std::string> ini;
  if (c.recorded) ini.push_back("NoMetaFile=FALSE");
  if (c.dialogChoice) ini.push_back("NoDialog=FALSE");
  WriteIni(ini);
  auto old = layer::SetPrintDialogPresenter([&c](HWND, layer::PrintChoice& choice) {
    choice.mode.dmOrientation = c.dialogChoice;
    choice.printToFile = false;
    return true;
  });
  std::string portrait = Form("hoch.frm", 1), landscape = Form("quer.frm", 0);
  auto page = [](const std::string& form, const std::string& text) {
    return "USE FORM " + form + "\nPRINT FRAME H STATIC " + text + "\nPAGE\n";
  };
  std::string script =
      Write("orient.vod", page(portrait, "Hoch") + page(landscape, "Quer") + page(portrait, "Wieder hoch"));
  ASSERT_EQ(VOD_SetCallback(&JobFixture::Callback), 1);
  EXPECT_EQ(VOD_Print_Sync(m_owner, script.c_str()), 1) << (s_calls.empty() ? "" : s_calls[0].text);
  layer::SetPrintDialogPresenter(old);

  std::vector<std::string> pdfs = m_sandbox.Pdfs();
  std::string path = c.dialogChoice ? (pdfs.size() == 1 ? pdfs[0] : "") : Out("orient.prn");
  ASSERT_TRUE(std::filesystem::exists(path)) << path;
  PdfFile pdf(path);
  std::vector<PdfFile::PageSize> sizes = pdf.PageSizes();
  ASSERT_EQ(sizes.size(), 3u);
  const char* texts[] = {"Hoch", "Quer", "Wieder hoch"};
  for (size_t i = 0; i < sizes.size(); ++i) {
    bool wide = i == 1;
    EXPECT_NEAR(sizes[i].width, wide ? 841.9 : 595.3, 0.5) << "page " << i + 1;
    EXPECT_NEAR(sizes[i].height, wide ? 595.3 : 841.9, 0.5) << "page " << i + 1;
    EXPECT_NE(pdf.Text(static_cast<int>(i) + 1).find(texts[i]), std::string::npos) << "page " << i + 1;
  }
  // The landscape form's line reaches its right end, undistorted.
  PdfFile::Raster raster = pdf.Render(2, 50, m_folder / "landscape.png");
  ASSERT_GT(raster.width, raster.height);
  auto px = [](int formUnits) { return formUnits * 50 / 254; };
  EXPECT_GT(raster.Darker(px(2700), px(1500) - 2, px(2860), px(1500) + 3, 100), px(100));
  EXPECT_EQ(raster.Darker(px(2890), 0, raster.width, raster.height, 100), 0);
}

INSTANTIATE_TEST_SUITE_P(Jobs, FormOrientation,
                         ::testing::Values(OrientationCase{"DrawnDirectly", false, 0},
                                           OrientationCase{"RecordedPages", true, 0},
                                           OrientationCase{"DialogChoseLandscape", false, DMORIENT_LANDSCAPE},
                                           OrientationCase{"RecordedDialogChoseLandscape", true, DMORIENT_LANDSCAPE}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(JobFixture, AFailingJobLeavesNoPrintFile) {
  ASSERT_EQ(VOD_SetCallback(&JobFixture::Callback), 1);
  std::string script = Write("broken.vod", Use() + Records(70) + "PAGE\n" + Records(3) + "FROBNICATE\n");
  EXPECT_EQ(VOD_Print_Sync(m_owner, script.c_str()), 0);
  EXPECT_FALSE(std::filesystem::exists(Out("broken.prn")));
  for (const auto& entry : std::filesystem::directory_iterator(Out("")))
    ADD_FAILURE() << "left behind: " << entry.path();
}

TEST_F(JobFixture, CancellingThePrintDialogEndsTheJobCancelledWithoutErrorText) {
  WriteIni({"NoDialog=FALSE"});
  ASSERT_EQ(VOD_SetCallback(&JobFixture::Callback), 1);
  auto old = layer::SetPrintDialogPresenter([](HWND, layer::PrintChoice&) { return false; });
  std::string script = Write("job.vod", Use() + Records(3) + "PAGE\n");
  ASSERT_EQ(VOD_Print_Async(m_owner, script.c_str()), 1);
  Finish();
  layer::SetPrintDialogPresenter(old);
  EXPECT_EQ(Codes(s_calls), (std::vector<int>{3, 4}));
  EXPECT_TRUE(m_boxes.empty());
}

TEST_F(JobFixture, ThePrintDialogsChoiceIsRememberedInTheIniFile) {
  WriteIni({"NoDialog=FALSE"});
  auto old = layer::SetPrintDialogPresenter([](HWND, layer::PrintChoice& choice) {
    choice.mode.dmOrientation = DMORIENT_LANDSCAPE;
    choice.printToFile = false;
    return true;
  });
  std::string script = Write("job.vod", Use() + Records(3) + "PAGE\n");
  EXPECT_EQ(VOD_Print_Sync(m_owner, script.c_str()), 1);
  layer::SetPrintDialogPresenter(old);
  EXPECT_EQ(IniValue("Device"), "Default");
  EXPECT_EQ(IniValue("PrintToFile"), "FALSE");
  EXPECT_EQ(IniValue("Paperorient"), "2");
  EXPECT_EQ(IniValue("PaperSize"), "9");
}

TEST_F(JobFixture, APrinterThatIsGoneIsReportedAndTheDefaultPrinterTakesTheJob) {
  WriteIni({"Device=Nirgendwo,winspool,LPT9:"});
  ASSERT_EQ(VOD_SetCallback(&JobFixture::Callback), 1);
  std::string script = Write("gone.vod", Use() + Records(3) + "PAGE\n");
  EXPECT_EQ(VOD_Print_Sync(m_owner, script.c_str()), 1);
  ASSERT_FALSE(s_calls.empty());
  EXPECT_EQ(s_calls[0].code, VOD_CB_INFO_TEXT);
  EXPECT_EQ(s_calls[0].text.rfind("Fehler ", 0), 0u) << s_calls[0].text;
  EXPECT_NE(s_calls[0].text.find("bei OpenPrinter"), std::string::npos) << s_calls[0].text;
  EXPECT_TRUE(std::filesystem::exists(Out("gone.prn")));
}

TEST_F(JobFixture, ExportsThatAreNoLongerSupportedSaySo) {
  EXPECT_EQ(VOD_Dialog(m_owner, 0, 0, 0), 0);
  EXPECT_EQ(VOD_DeclareIndirectDialog(), 0);
  ASSERT_EQ(m_boxes.size(), 2u);
  EXPECT_EQ(m_boxes[0].text, "VOD_Dialog() wird nicht mehr unterst\xFCtzt!");
  EXPECT_EQ(m_boxes[1].text, "VOD_DeclareIndirectDialog() wird nicht mehr unterst\xFCtzt!");
  EXPECT_EQ(m_boxes[0].type & MB_ICONWARNING, static_cast<UINT>(MB_ICONWARNING));
}

TEST_F(JobFixture, InitialisationNeedsAnIniFileAndAPrinter) {
  EXPECT_EQ(VOD_Init(0, m_owner, m_ini.c_str()), 1) << "the PDF printer is the default";
  EXPECT_EQ(VOD_CheckPrinter(), 1);
  {
    ContextScope context;
    context->iniPath.clear();
  }
  EXPECT_EQ(VOD_Init(0, m_owner, nullptr), 0);
  ASSERT_FALSE(m_boxes.empty());
  EXPECT_EQ(m_boxes.back().text, "VOD ist nicht initialisiert!");
  EXPECT_EQ(VOD_SetCallback(&JobFixture::Callback), 0) << "nothing is stored before VOD_Init";
  std::string script = Write("job.vod", "REM\n");
  EXPECT_EQ(VOD_Print_Async(m_owner, script.c_str()), 0);
  EXPECT_EQ(VOD_GetPrinterDC(nullptr, nullptr, nullptr), nullptr);
}

TEST_F(JobFixture, ThePrinterContextComesWithTheChosenNames) {
  char device[160] = "x", driver[160] = "x", port[160] = "x";
  HDC dc = VOD_GetPrinterDC(device, driver, port);
  ASSERT_NE(dc, nullptr);
  EXPECT_STREQ(device, layer::kPdfPrinterName);
  EXPECT_EQ(GetDeviceCaps(dc, TECHNOLOGY), DT_RASPRINTER);
  DeleteDC(dc);
  EXPECT_EQ(VOD_IsPrinting(), 0);
}

struct AbortCase {
  int error;
  int boxAnswer;
  BOOL goOn;
  WORD state;
  size_t boxes;
};

TEST_F(JobFixture, TheAbortProcedureGoesOnUnlessTheUserOrTheSpoolerGivesUp) {
  const AbortCase cases[] = {{0, IDOK, TRUE, 0, 0},           {SP_OUTOFDISK, IDOK, TRUE, 0, 0},
                             {SP_OUTOFMEMORY, IDRETRY, TRUE, 0, 1}, {SP_OUTOFMEMORY, IDCANCEL, FALSE, 0, 1},
                             {SP_USERABORT, IDOK, FALSE, 3, 0}};
  for (const AbortCase& c : cases) {
    m_boxes.clear();
    m_answer = [&c](const testing::ShownBox&) { return c.boxAnswer; };
    ContextScope context;
    context->jobState = 0;
    EXPECT_EQ(AbortProc(nullptr, c.error), c.goOn) << "error " << c.error;
    EXPECT_EQ(context->jobState, c.state) << "error " << c.error;
    ASSERT_EQ(m_boxes.size(), c.boxes) << "error " << c.error;
    if (c.boxes) EXPECT_EQ(m_boxes[0].text, "Speicher fehlt!");
  }
  ContextScope context;
  context->jobState = 2;
  EXPECT_EQ(AbortProc(nullptr, 0), FALSE) << "a job that failed is not gone on with";
  context->jobState = 0;
  // The owner's windows keep working while a page prints: its stop request,
  // waiting in the queue, is handled there and ends the job.
  PostMessage(m_owner, kStopRequest, 0, 0);
  EXPECT_EQ(AbortProc(nullptr, 0), FALSE);
  EXPECT_EQ(context->jobState, 5);
  context->jobState = 0;
}

struct NameCase {
  const char* script;
  const char* expected;
};

TEST(DocumentName, FitsThirtyOneCharactersAndEndsWithTheFileName) {
  for (const NameCase& c : {NameCase{"C:\\a.vod", "VOD: C:\\a.vod"},
                            NameCase{"C:\\jobs\\printing\\today\\and\\tomorrow\\a.vod", "VOD: C:\\jobs\\printing\\...\\a.vod"},
                            NameCase{"C:\\jobs\\printing\\today\\a_very_long_file_name_indeed.vod",
                                     "VOD: a_very_long_file_name_inde"}}) {
    std::string name = DocumentName(c.script);
    EXPECT_EQ(name, c.expected);
    EXPECT_LE(name.size(), 31u);
  }
}

// The face a frame's font name prints in, as the PDF names its font: a name
// the ini maps takes that face, a family the library knows its own, any other
// the ini's default font (Courier unless it names one).
TEST_F(JobFixture, AFramePrintsInTheFaceItsFontNameIsGiven) {
  if (!PdfFile::ToolsPresent()) GTEST_SKIP() << "poppler-utils are not installed";
  struct Case {
    const char* name;
    const char* font;
    std::vector<std::string> ini;
    const char* face;
  } cases[] = {
      {"Arial mapped by the ini", "Arial", {"ARIAL=Arial"}, "LiberationSans"},
      {"Arial mapped bold by the ini", "Arial", {"ARIAL=Arial~F"}, "LiberationSans-Bold"},
      {"a Univers family", "UNIV", {}, "LiberationSans"},
      {"a Times family", "TIMES", {}, "LiberationSerif"},
      {"unmapped, on the default Courier", "Arial", {}, "LiberationMono"},
      {"unmapped, on the ini's default font", "Arial", {"DefaultFont=Arial"}, "LiberationSans"},
  };
  ASSERT_EQ(VOD_SetCallback(&JobFixture::Callback), 1);
  int job = 0;
  for (const Case& c : cases) {
    WriteIni(c.ini);
    const std::string name = "font" + std::to_string(++job);
    std::string form = Write(name + ".frm", FormFileBytes({FrameItem("H", 100, 100, 2000, 300, c.font, 12, 'L')}));
    std::string script = Write(name + ".vod", "USE FORM " + form + "\nPRINT FRAME H STATIC Schrift\nPAGE\n");
    ASSERT_EQ(VOD_Print_Sync(m_owner, script.c_str()), 1) << c.name;
    PdfFile pdf(Out(name + ".prn"));
    EXPECT_NE(pdf.Text(1).find("Schrift"), std::string::npos) << c.name;
    std::string fonts = pdf.Fonts();
    std::string faces;  // the fonts' names, each on its own line
    std::istringstream lines(fonts);
    for (std::string line; std::getline(lines, line);)
      if (!line.empty() && line[0] != '-' && line.rfind("name ", 0) != 0) faces += line.substr(0, line.find(' ')) + "\n";
    EXPECT_EQ(faces, std::string(c.face) + "\n") << c.name << "\n" << fonts;
  }
}

// A document is found by the name of the window it was printed from, not by
// the temporary script behind it.
class DocumentTitleJob : public JobFixture {};

TEST_F(DocumentTitleJob, ThePdfIsNamedAfterThePrintingWindow) {
  WriteIni({"PrintToFile=FALSE"});
  std::string form = Write("titel.frm", FormFileBytes({FrameItem("H", 100, 100, 2000, 300, "UNIV", 10, 'L')}));
  std::string script = Write("~vod0000.vod", "USE FORM " + form + "\nPRINT FRAME H STATIC Teil\nPAGE\n");
  SetWindowText(m_owner, "Rasenmaeher RM 46 - Motor");
  EXPECT_EQ(VOD_Print_Sync(m_owner, script.c_str()), 1);
  EXPECT_TRUE(std::filesystem::exists(m_sandbox.PdfFolder() + "/Rasenmaeher RM 46 - Motor.pdf"));

  SetWindowText(m_owner, "  ");
  EXPECT_EQ(DocumentTitle(m_owner, "C:\\a.vod"), "VOD: C:\\a.vod") << "a window without a title";
  EXPECT_EQ(DocumentTitle(nullptr, "C:\\a.vod"), "VOD: C:\\a.vod");
}

TEST(PrintFileName, TakesTheOutputFolderAndTheExtensionPrn) {
  EXPECT_EQ(PrintFileName("C:\\jobs\\a.vod", "C:\\out"), "C:\\out\\a.prn");
  EXPECT_EQ(PrintFileName("C:\\jobs\\a.vod", "C:\\out\\"), "C:\\out\\a.prn");
  EXPECT_EQ(PrintFileName("C:\\jobs\\a.vod", ""), "C:\\jobs\\a.prn");
  EXPECT_EQ(PrintFileName("C:\\jobs.d\\job", ""), "C:\\jobs.d\\job.prn") << "no extension to remove";
}

}  // namespace
}  // namespace vod
