#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "Main/CMultiFrame.h"
#include "Main/tests/EngineFixture.h"
#include "Main/tests/OrderListStandIn.h"

using varno::testing::Buf;
using varno::testing::Bytes;

namespace {

using Names = std::vector<std::string>;

// The viewer with a key reader, a face and a project loader whose results
// the test chooses, each recording what it was asked for.
class TestViewerApp : public CViewerApp {
 public:
  void CompleteStart() override { ++completions; }

  // Reading a key leaves a variable of its own, as a key's description does.
  BOOL ReadKey(const char* /*key*/) override {
    const std::string name = std::string(theGlobals.m_cur_prj) + "~" + static_cast<const char*>(theGlobals.m_cur_read_key);
    read.push_back(name);
    theGlobals.m_pvar->SetVar(("seen " + name).c_str(), VarValue::Long(1), VAR_LONG);
    theGlobals.m_new_key_name = ("name of " + name).c_str();
    return !unreadable.count(name) || Runaway();
  }

  BOOL ShowFace() override {
    const std::string name = std::string(theGlobals.m_cur_prj) + "~" + static_cast<const char*>(theGlobals.m_cur_read_key);
    if (!faceless.count(name) || Runaway()) return TRUE;
    CErrorTrace* face = ERROR_TRACE_PUSH();
    ERROR_TRACE_FAIL(face, SEVERITY_ERROR, 502, "F", 0);
    return FALSE;
  }

  BOOL LoadKeyProject() override {
    const std::string file = static_cast<const char*>(theGlobals.m_cur_prj_file);
    loaded.push_back(file);
    auto texts = dictionaries.find(file);
    if (texts == dictionaries.end()) return FALSE;
    theGlobals.m_duden = texts->second.c_str();
    return TRUE;
  }

  // Fall-backs that go on without end succeed after a while, so that the
  // test fails instead of the stack.
  bool Runaway() {
    if (read.size() < 50) return false;
    if (read.size() == 50) ADD_FAILURE() << "the fall-backs do not end";
    return true;
  }

  int completions = 0;
  Names read;
  Names loaded;
  std::set<std::string> unreadable;
  std::set<std::string> faceless;
  std::map<std::string, std::string> dictionaries;  // project file -> its data texts
};

class ShowKeyTest : public varno::testing::EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    OpenTexts(theGlobals.m_msgdud, "messages.ddm",
              "dictionary\nlanguage \"D\"\n1505 = \"%d%s\"\n1501 = \"%s : %d\\r\\n\"\n1504 = \"%s : %d\\r\\n\"\n");
    theGlobals.m_app_dir = "C:\\V4";
    theGlobals.m_cur_prj = "MAIN";
    theGlobals.m_key_start = "START";
    theGlobals.m_language = "D";
    theGlobals.m_papp = &app;
    frame = new CMultiFrame;
    ASSERT_TRUE(frame->Create(nullptr, "VARNO 4"));
    app.m_hMainWnd = frame->m_hWnd;
  }
  void TearDown() override {
    frame->DestroyWindow();  // the frame deletes itself
    theGlobals.m_papp = nullptr;
    theGlobals.m_pdb = nullptr;
    for (CString* text : {&theGlobals.m_app_dir, &theGlobals.m_cur_prj, &theGlobals.m_cur_prj_file,
                          &theGlobals.m_cur_prj_key, &theGlobals.m_key_start, &theGlobals.m_cur_read_key,
                          &theGlobals.m_cur_key_name, &theGlobals.m_new_key_name, &theGlobals.m_duden,
                          &theGlobals.m_language, &theGlobals.m_notiz_name, &theGlobals.m_teilestamm})
      text->Empty();
    theGlobals.m_FirstStart = FALSE;
    EngineFixture::TearDown();
  }

  // Posts the key command to the frame, as links and commands do, and lets it run.
  void Show(const char* key, WPARAM fromLink) {
    ASSERT_TRUE(PostKeyCommand(app.m_hMainWnd, fromLink, key));
    layer::PumpUntilIdle();
  }

  std::string Text(const char* name) {
    VarValue value;
    return vars().GetVar(name, &value) == VAR_CHAR ? std::string(value.text) : "-";
  }
  long Number(const char* name) {
    VarValue value;
    return vars().GetVar(name, &value) == VAR_LONG ? value.lval : -1;
  }
  Names HistoryNames() {
    Names names;
    for (const CDynLog::Entry& entry : theGlobals.m_phistory->Entries()) names.emplace_back(entry.name);
    return names;
  }
  Names Reports() {
    Names codes;
    for (const auto& shown : dialog->shown) codes.push_back(shown.first);
    return codes;
  }

  TestViewerApp app;
  CMultiFrame* frame = nullptr;
};

TEST_F(ShowKeyTest, FirstKeyCommandCompletesTheStartThenEveryOneShowsItsKey) {
  theGlobals.m_FirstStart = TRUE;
  Show("START", 0);
  Show("K1", 1);
  EXPECT_EQ(app.completions, 1);
  EXPECT_FALSE(theGlobals.m_FirstStart);
  EXPECT_EQ(app.read, (Names{"MAIN~START", "MAIN~K1"}));

  EXPECT_EQ(Text("LASTKEY"), "START");
  EXPECT_EQ(Text("LASTPRJ"), "MAIN");
  EXPECT_EQ(Text("CURKEY"), "K1");
  EXPECT_EQ(Text("CURPRJ"), "MAIN");
  for (const VarEntry& entry : vars().Entries())
    if (std::string(entry.name).rfind("seen", 0) != 0) EXPECT_EQ(entry.type, VAR_CHAR | VAR_FLAG_SYSTEM) << entry.name;
  EXPECT_STREQ(theGlobals.m_cur_prj_key, "K1");
  EXPECT_STREQ(theGlobals.m_cur_key_name, "name of MAIN~K1");
  EXPECT_TRUE(dialog->shown.empty());
  EXPECT_EQ(theGlobals.m_error_trace_newest, nullptr);
}

// The TRACE variable "pos" stands for what the catalogue keeps per key.
TEST_F(ShowKeyTest, HistoryKeepsTheKeysLeftByLinksWithTheirTracedVariables) {
  ASSERT_TRUE(vars().SetVar("pos", VarValue::Long(0), VAR_LONG | VAR_FLAG_TRACE));
  struct Step {
    long posBefore;
    const char* key;
    WPARAM fromLink;
    Names history;
    long posAfter;
  };
  const Step steps[] = {
      {0, "START", 0, {}, 0},                           // not from a link
      {1, "K1", 1, {"MAIN~START"}, 1},                  // START is left with pos 1
      {2, "K2", 1, {"MAIN~START", "MAIN~K1"}, 2},
      {3, "K3", 0, {"MAIN~START", "MAIN~K1"}, 3},       // not from a link
      {4, "K1", 1, {"MAIN~START"}, 2},                  // back to K1: its pos returns, K3 is not added
      {5, "K4", 1, {"MAIN~START", "MAIN~K1"}, 5},
      {6, "START", 1, {}, 1},                           // the start key: back to it, nothing added
  };
  for (const Step& step : steps) {
    vars().SetVar("pos", VarValue::Long(step.posBefore), VAR_LONG);
    Show(step.key, step.fromLink);
    EXPECT_EQ(HistoryNames(), step.history) << step.key;
    EXPECT_EQ(Number("pos"), step.posAfter) << step.key;
    EXPECT_FALSE(vars().HasSnapshot());
  }

  // The link's assignments run with the next key and may keep the key being left out.
  theGlobals.m_cur_varbuf = Buf(Bytes({0, 'O', "WV4ADDTOLIST", 0, 'C', "0", 0, '['}));
  Show("K5", 1);
  EXPECT_EQ(Number("WV4ADDTOLIST"), 0);
  EXPECT_EQ(HistoryNames(), Names{});
  EXPECT_EQ(theGlobals.m_cur_varbuf.GetLength(), 0);
  vars().SetVar("WV4ADDTOLIST", VarValue::Long(1), VAR_LONG);
  Show("K6", 1);
  EXPECT_EQ(HistoryNames(), Names{"MAIN~K5"});
}

TEST_F(ShowKeyTest, KeyThatCannotBeReadGivesWayToTheLastKey) {
  Show("START", 0);
  app.unreadable = {"MAIN~BAD"};
  Show("BAD", 1);
  EXPECT_EQ(app.read, (Names{"MAIN~START", "MAIN~BAD", "MAIN~START"}));
  EXPECT_EQ(Number("seen MAIN~BAD"), -1);  // the variables are as before the failed key
  EXPECT_STREQ(theGlobals.m_cur_prj_key, "START");
  EXPECT_EQ(HistoryNames(), Names{});

  // When the key on the screen itself fails, nothing more is tried.
  app.read.clear();
  app.unreadable.insert("MAIN~START");
  Show("START", 1);
  EXPECT_EQ(app.read, Names{"MAIN~START"});

  // In the internet client the failing key is not replaced.
  app.read.clear();
  theGlobals.m_internet_mode = kInternetClient;
  Show("BAD", 1);
  EXPECT_EQ(app.read, Names{"MAIN~BAD"});
}

TEST_F(ShowKeyTest, FailingFirstKeyFallsBackOnceToTheProjectAlone) {
  app.unreadable = {"MAIN~FIRST", "MAIN~"};
  Show("FIRST", 0);
  EXPECT_EQ(app.read, (Names{"MAIN~FIRST", "MAIN~"}));
  EXPECT_STREQ(theGlobals.m_cur_prj_key, "");
}

struct FallBackCase {
  const char* name;
  const char* first;  // shown before, when set
  const char* key;
  std::set<std::string> unreadable;
  std::set<std::string> faceless;
  Names read;
  const char* project;  // then current
  const char* shown;    // then m_cur_prj_key
};

void PrintTo(const FallBackCase& c, std::ostream* os) { *os << c.name; }

class FallBack : public ShowKeyTest, public ::testing::WithParamInterface<FallBackCase> {};

// The last key lies in the project left; when it fails there too, its own
// fall-back would lead back to the other project. One fall-back is all.
TEST_P(FallBack, ThatFailsTooIsTheLast) {
  const FallBackCase& c = GetParam();
  app.dictionaries = {{"C:\\V4\\MAIN.prj", ""}, {"C:\\V4\\OTHER.prj", ""}};
  DdmDbLink catalogue;
  theGlobals.m_pdb = &catalogue;
  if (c.first != nullptr) Show(c.first, 0);
  app.read.clear();
  app.unreadable = c.unreadable;
  app.faceless = c.faceless;
  Show(c.key, 1);
  EXPECT_EQ(app.read, c.read);
  EXPECT_STREQ(theGlobals.m_cur_prj, c.project);
  EXPECT_STREQ(theGlobals.m_cur_prj_key, c.shown);
  EXPECT_FALSE(vars().HasSnapshot());
}

INSTANTIATE_TEST_SUITE_P(
    ShowKey, FallBack,
    ::testing::Values(
        FallBackCase{"UnreadableInBothProjects", "START", "OTHER~K1", {"OTHER~K1", "MAIN~START"}, {},
                     {"OTHER~K1", "MAIN~START"}, "MAIN", "START"},
        FallBackCase{"NoFaceInBothProjects", "START", "OTHER~K1", {}, {"OTHER~K1", "MAIN~START"},
                     {"OTHER~K1", "MAIN~START"}, "MAIN", "START"},
        FallBackCase{"LastKeyOfAnotherProject", "OTHER~K1", "MAIN~K2", {"MAIN~K2", "OTHER~K1"}, {},
                     {"MAIN~K2", "OTHER~K1"}, "OTHER", "K1"},
        FallBackCase{"FirstKeyOfAnotherProject", nullptr, "OTHER~FIRST", {"OTHER~FIRST", "MAIN~"}, {},
                     {"OTHER~FIRST", "MAIN~"}, "MAIN", ""},
        FallBackCase{"FallBackShown", "START", "OTHER~K1", {"OTHER~K1"}, {}, {"OTHER~K1", "MAIN~START"}, "MAIN",
                     "START"}),
    [](const ::testing::TestParamInfo<FallBackCase>& info) { return std::string(info.param.name); });

TEST_F(ShowKeyTest, FailuresAroundTheKeyAreReported) {
  Show("START", 0);
  ASSERT_TRUE(vars().SetVar("n", VarValue::Long(1), VAR_LONG));

  // Link assignments that fail (a text into a number) are reported; the key is shown all the same.
  theGlobals.m_cur_varbuf = Buf(Bytes({0, 'N', "n", 0, 'C', "\"text\"", 0, '['}));
  Show("K1", 1);
  EXPECT_EQ(Reports(), Names{"307"});
  EXPECT_STREQ(theGlobals.m_cur_prj_key, "K1");
  EXPECT_EQ(theGlobals.m_cur_varbuf.GetLength(), 0);

  // A face that cannot be built: the face's own error comes first in the report.
  app.faceless = {"MAIN~K2"};
  Show("K2", 1);
  ASSERT_EQ(Reports(), (Names{"307", "217"}));
  const std::string detail = dialog->shown.back().second;
  EXPECT_LT(detail.find("[502]"), detail.find("[217]")) << detail;
  EXPECT_NE(detail.find("K2 : 0"), std::string::npos) << detail;
  EXPECT_EQ(app.read.back(), "MAIN~K1");
  EXPECT_EQ(Number("seen MAIN~K2"), -1);
  EXPECT_EQ(HistoryNames(), Names{"MAIN~START"});
  EXPECT_EQ(theGlobals.m_error_trace_newest, nullptr);
}

TEST_F(ShowKeyTest, KeyOfAnotherProjectLoadsThatProject) {
  OpenTexts(theGlobals.m_datadud, "main.ddm", "dictionary\nlanguage \"D\"\n1 = \"Haupt\"\n");
  OpenTexts(theGlobals.m_datadud, "other.ddm", "dictionary\nlanguage \"D\"\n1 = \"Andere\"\n");
  app.dictionaries = {{"C:\\V4\\MAIN.prj", dataFolder / "main.ddm"}, {"C:\\V4\\OTHER.prj", dataFolder / "other.ddm"}};
  DdmDbLink catalogue;
  catalogue.dbc = new DdmDatabase;
  theGlobals.m_pdb = &catalogue;
  varno::testing::OrderListStandIn orderList;
  app.m_prot_pid = GetCurrentProcessId();
  theGlobals.m_teilestamm = "C:\\V4\\teile.ddm";
  Show("START", 0);

  Show("OTHER~K1", 1);
  EXPECT_EQ(app.loaded, Names{"C:\\V4\\OTHER.prj"});
  // The order-list program hears of the parts master of the project now shown.
  ASSERT_EQ(orderList.copies.size(), 1u);
  EXPECT_EQ(orderList.copies[0].code, static_cast<ULONG_PTR>(PROTOCOL_CMD_PARTS_DATABASE));
  EXPECT_EQ(orderList.copies[0].bytes, std::string("C:\\V4\\teile.ddm") + '\0');
  EXPECT_EQ(catalogue.dbc, nullptr);  // the reader opens the new project's catalogue
  EXPECT_STREQ(theGlobals.m_cur_prj, "OTHER");
  EXPECT_EQ(Text("CURPRJ"), "OTHER");
  EXPECT_EQ(Text("LASTPRJ"), "MAIN");
  EXPECT_STREQ(theGlobals.DataText(1), "Andere");
  EXPECT_EQ(app.read.back(), "OTHER~K1");

  // Back in the first project; the key left in the other one keeps its project's name.
  Show("MAIN~K2", 1);
  EXPECT_STREQ(theGlobals.DataText(1), "Haupt");
  EXPECT_STREQ(theGlobals.m_cur_prj_key, "K2");
  EXPECT_EQ(HistoryNames(), (Names{"MAIN~START", "OTHER~K1"}));

  // A project that cannot be loaded: reported, the current project is loaded again and its last key shown.
  Show("BROKEN~K3", 1);
  EXPECT_EQ(Reports(), Names{"308"});
  EXPECT_EQ(app.loaded, (Names{"C:\\V4\\OTHER.prj", "C:\\V4\\MAIN.prj", "C:\\V4\\BROKEN.prj", "C:\\V4\\MAIN.prj"}));
  EXPECT_STREQ(theGlobals.m_cur_prj, "MAIN");
  EXPECT_STREQ(theGlobals.m_cur_prj_file, "C:\\V4\\MAIN.prj");
  EXPECT_EQ(app.read.back(), "MAIN~K2");
  EXPECT_EQ(HistoryNames(), (Names{"MAIN~START", "OTHER~K1"}));
  // Announced for MAIN~K2; the fall-back stays in the project it left.
  EXPECT_EQ(orderList.copies.size(), 2u);
}

}  // namespace
