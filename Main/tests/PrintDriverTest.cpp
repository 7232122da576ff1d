// The print driver up to the hand-over to the form-printing library: the
// option's frame list, the script written into the print folder, the job
// settings, and the library's reports.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "Main/CFace.h"
#include "Main/CPrintDlg.h"
#include "Main/tests/EngineFixture.h"
#include "foundation/CIniClass.h"
#include "win32/MessageBox.h"

namespace {

struct FrameListCase {
  const char* list;
  bool counted;
  int count;
  std::vector<std::string> names;  // the names that can be taken, in order
};

TEST(PrintOption, FrameListGivesItsCountAndNames) {
  for (const FrameListCase& c :
       {FrameListCase{"2,TEXT,BILD", true, 2, {"TEXT", "BILD"}}, FrameListCase{"1,Ein Rahmen", true, 1, {"Ein Rahmen"}},
        FrameListCase{"2,NUR", true, 2, {"NUR"}}, FrameListCase{"0,A", false, 0, {"A"}},
        FrameListCase{"x,A", false, 0, {"A"}}, FrameListCase{"3", false, 3, {}}, FrameListCase{"", false, 0, {}}}) {
    CPrintEntry option;
    option.m_first = c.list;
    int count = -1;
    EXPECT_EQ(option.GetFrameCount(count) != FALSE, c.counted) << c.list;
    EXPECT_EQ(count, c.count) << c.list;
    std::vector<std::string> names;
    CString name;
    for (int i = 0; i < 5 && option.GetFrameName(i, name); ++i) names.emplace_back(name);
    EXPECT_EQ(names, c.names) << c.list;
  }
}

// The viewer chooses the option the test says, without the dialog.
class ChoosingPrinter : public CViewerApp {
 public:
  INT_PTR RunPrintDialog(CPrintDlg& dialog) override {
    offered.clear();
    for (int i = 0; i < dialog.m_count; ++i) offered.emplace_back(dialog.m_labels[i]);
    dialog.m_selected = choice;
    return answer;
  }
  void EnablePrint(BOOL enable) override { enables.push_back(enable != FALSE); }
  int choice = 0;
  INT_PTR answer = IDOK;
  std::vector<std::string> offered;
  std::vector<bool> enables;
};

class PrintDriverTest : public varno::testing::EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    OpenTexts(theGlobals.m_msgdud, "messages.ddm",
              "dictionary\nlanguage \"D\"\n456 = \"Datum\"\n437 = \"Seite\"\n1616 = \"Druckfehler\"\n");
    theGlobals.m_papp = &app;
    theGlobals.m_user_temp_print_path = (print.Path() + "/").c_str();
    theGlobals.m_fpiinifile = (print / "V4FPIini.ini").c_str();
    theGlobals.m_main_prj_file = (print / "varno4.ini").c_str();
    theGlobals.m_cur_key_name = "Motor";
    theGlobals.m_cur_prj_key = "MOT";
    theGlobals.m_cur_prj_name = "RM46";
    print.Write("form.vfm", "form");
    previous = layer::SetMessageBoxPresenter([this](HWND, const char* text, const char*, UINT) {
      boxes.emplace_back(text);
      return IDOK;
    });
  }
  void TearDown() override {
    layer::SetMessageBoxPresenter(previous);
    theGlobals.m_papp = nullptr;
    for (CString* text : {&theGlobals.m_user_temp_print_path, &theGlobals.m_fpiinifile, &theGlobals.m_main_prj_file,
                          &theGlobals.m_cur_key_name, &theGlobals.m_cur_prj_key, &theGlobals.m_cur_prj_name})
      text->Empty();
    EngineFixture::TearDown();
  }
  void AddOption(const char* frames, const char* label, const std::string& form) {
    CPrintEntry option;
    option.m_first = frames;
    option.m_second = label;
    option.m_third = form.c_str();
    face.m_print_entries.push_back(option);
    face.m_print_count = static_cast<int>(face.m_print_entries.size());
  }
  std::vector<std::string> Scripts() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(print.Path()))
      if (entry.path().extension() == ".vod") names.push_back(entry.path().filename());
    return names;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(print / name, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
  }

  ChoosingPrinter app;
  CFace face;
  layer::testing::TempFolder print;
  layer::MessageBoxPresenter previous;
  std::vector<std::string> boxes;
};

TEST_F(PrintDriverTest, FaceWithoutOptionsPrintsNothing) {
  EXPECT_FALSE(face.Print(0));
  EXPECT_TRUE(app.offered.empty());
  EXPECT_TRUE(Scripts().empty());
}

TEST_F(PrintDriverTest, DialogOffersTheFirstFourOptionsOnly) {
  for (const char* label : {"A", "B", "C", "D", "E", "F"}) AddOption("1,X", label, print / "form.vfm");
  app.answer = IDCANCEL;
  EXPECT_FALSE(face.Print(1));
  EXPECT_EQ(app.offered, (std::vector<std::string>{"A", "B", "C", "D"}));
  EXPECT_TRUE(Scripts().empty());
}

struct OptionFailure {
  const char* name;
  const char* frames;
  bool formThere;
  int error;
  bool scriptWritten;
};

class PrintOptionFailures : public PrintDriverTest, public ::testing::WithParamInterface<OptionFailure> {};

TEST_P(PrintOptionFailures, AreReportedWithTheOptionsLabel) {
  const OptionFailure& c = GetParam();
  AddOption(c.frames, "Teileliste", c.formThere ? print / "form.vfm" : print / "missing.vfm");
  EXPECT_FALSE(face.Print(0));
  ASSERT_EQ(dialog->shown.size(), 1u);
  EXPECT_NE(dialog->shown[0].second.find("[" + std::to_string(c.error) + "]"), std::string::npos);
  EXPECT_EQ(Scripts().size(), c.scriptWritten ? 1u : 0u);
  EXPECT_TRUE(app.enables.empty());  // printing was never closed
}

INSTANTIATE_TEST_SUITE_P(Options, PrintOptionFailures,
                         ::testing::Values(OptionFailure{"FormMissing", "1,X", false, 458, false},
                                           OptionFailure{"CountNotANumber", "x,X", true, 503, false},
                                           OptionFailure{"NoFrameOfThatName", "1,X", true, 505, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PrintDriverTest, ScriptHeadNamesTheFormAndTheFixedFields) {
  AddOption("1,NOFRAME", "Teileliste", print / "form.vfm");
  print.Write("varno4.ini", "[SYSTEM]\r\nVOD_Logo=\"C:\\\\logo.tif\"\r\n");
  face.Print(0);
  ASSERT_EQ(Scripts().size(), 1u);
  const std::string script = Read(Scripts()[0]);
  const std::string form = print / "form.vfm";
  EXPECT_EQ(script.rfind("REM VARNO IV Version 4.0.1\r\nREM VOD ", 0), 0u);
  for (const std::string& line :
       {"\r\n\r\nUSE FORMULAR \"" + form + "\" TITLE\r\nUSE FORMULAR \"" + form + "\" BODY\r\n\r\n",
        std::string("PRINT FRAME TDATUM STATIC Datum\r\nPRINT FRAME TPAGE STATIC Seite\r\n"
                    "PRINT FRAME FDATUM STATIC %DATE1%  %TIME%\r\nPRINT FRAME FPAGE STATIC %PP1%\r\n"
                    "PRINT FRAME FKEYNAME STATIC Motor\r\nPRINT FRAME FPRJKEY STATIC MOT\r\n"
                    "PRINT FRAME FAPPNAME STATIC RM46\r\n")})
    EXPECT_NE(script.find(line), std::string::npos) << line;
}

TEST_F(PrintDriverTest, JobReportsReopenPrintingOnlyWhenTheJobEnds) {
  struct Report {
    int code;
    const char* text;
    int result;
    bool reopens;
    const char* box;
  };
  for (const Report& r : {Report{7, "Seite 1", 1, false, nullptr}, Report{6, "Papier fehlt", 1, false, "Papier fehlt"},
                          Report{8, "Weiter?", 8, false, "Weiter?"}, Report{0x10001, "", 1, true, nullptr},
                          Report{2, nullptr, 1, true, "Druckfehler"}, Report{3, nullptr, 1, true, nullptr},
                          Report{4, nullptr, 1, true, nullptr}, Report{5, nullptr, 1, true, nullptr}}) {
    app.enables.clear();
    boxes.clear();
    app.m_print_busy = TRUE;
    EXPECT_EQ(PrintJobCallback(r.code, r.text), r.result) << r.code;
    EXPECT_EQ(app.m_print_busy == FALSE, r.reopens) << r.code;
    EXPECT_EQ(app.enables, r.reopens ? std::vector<bool>{true} : std::vector<bool>{}) << r.code;
    EXPECT_EQ(boxes, r.box ? std::vector<std::string>{r.box} : std::vector<std::string>{}) << r.code;
  }
}

}  // namespace
