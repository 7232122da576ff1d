#include <gtest/gtest.h>

#include <array>
#include <string>

#include "Main/CWV4ExtPrg.h"
#include "Main/tests/EngineFixture.h"
#include "testing/TempFolder.h"
#include "win32/Errors.h"
#include "win32/FileMapping.h"
#include "win32/Process.h"

using varno::testing::Bytes;
using varno::testing::Readable;
using varno::testing::Str;

namespace {

class ExtPrgTest : public varno::testing::EngineFixture {
 protected:
  CExtPrg LoadList(const std::string& content) {
    folder.Write("extern.txt", content);
    CExtPrg list;
    list.Load((folder / "extern.txt").c_str());
    return list;
  }
  layer::testing::TempFolder folder;
};

struct ListCase {
  const char* name;
  std::string file;
  std::string dump;
};
void PrintTo(const ListCase& c, std::ostream* os) { *os << c.name << ": " << Readable(c.file); }

class ExtPrgListTest : public ExtPrgTest, public ::testing::WithParamInterface<ListCase> {};

TEST_P(ExtPrgListTest, ParsesLinesOfNumberFlagNameAndCommand) {
  const ListCase& c = GetParam();
  CDynBuf dump;
  LoadList(c.file).Dump(dump);
  EXPECT_EQ(Str(dump), c.dump);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExtPrgListTest,
    ::testing::Values(
        ListCase{"CommaInsideQuotes", "5:1:'C:\\a,b\\p.exe',-x\r\n", "\t0005:1:'C:\\a,b\\p.exe',-x\r\n"},
        ListCase{"DoubleQuotesInsideSingle", "6:0:'a\"b',c\"d\r\n", "\t0006:0:'a\"b',c\"d\r\n"},
        ListCase{"NoCommandAndExtraFlagCharacters", "7:1xyz:VARNO+\"\\V4VNW.EXE\"\r\n",
                 "\t0007:1:VARNO+\"\\V4VNW.EXE\",\r\n"},
        ListCase{"TwoLinesAndLastWithoutLineEnd", " 12:0:\"p\",a b\r\n13:0:\"q\"",
                 "\t0012:0:\"p\",a b\r\n\t0013:0:\"q\",\r\n"},
        ListCase{"LineWithoutColonsRunsIntoTheNext", "junk\r\n9:0:\"r\",s\r\n", "\t0000:0:\"r\",s\r\n"},
        ListCase{"EndsInsideTheNumber", "4:0:\"a\"\r\n15", "\t0004:0:\"a\",\r\n"},
        ListCase{"Empty", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ExtPrgTest, MissingListIsLoggedOnly) {
  CExtPrg list;
  list.Load((folder / "nope.txt").c_str());
  EXPECT_TRUE(list.Entries().empty());
  EXPECT_TRUE(dialog->shown.empty());
  EXPECT_EQ(theGlobals.m_error_trace_newest, nullptr);
}

TEST_F(ExtPrgTest, FindEvaluatesTheProgramExpression) {
  vars().SetVar("VARNO", VarValue::Text("C:\\V4"), VAR_CHAR | VAR_FLAG_SYSTEM);
  CExtPrg list = LoadList("7:1:VARNO+\"\\V4VNW.EXE\",-D vnw.bin\r\n8:0:\"\r\n");
  CString program;
  CString command;
  int flag = -1;
  EXPECT_TRUE(list.Find(7, program, flag, command));
  EXPECT_STREQ(program, "C:\\V4\\V4VNW.EXE");
  EXPECT_EQ(flag, 1);
  EXPECT_STREQ(command, "-D vnw.bin");
  EXPECT_EQ(theGlobals.m_error_trace_newest, nullptr);

  EXPECT_FALSE(list.Find(9, program, flag, command));
  ASSERT_NE(theGlobals.m_error_trace_newest, nullptr);
  EXPECT_EQ(theGlobals.m_error_trace_newest->error_code, 519);
  EXPECT_EQ(theGlobals.m_error_trace_newest->value, 9);
  CErrorTrace::RemoveAll();

  EXPECT_FALSE(list.Find(8, program, flag, command));  // a lone quote does not evaluate
  EXPECT_EQ(theGlobals.m_error_trace_newest->error_code, 518);
  EXPECT_EQ(flag, 0);
}

struct AnswerCase {
  const char* name;
  std::string answer;
  int length;  // written into the block's first two bytes
  BOOL ok;
  const char* variable;  // the text of variable bl afterwards
};
void PrintTo(const AnswerCase& c, std::ostream* os) { *os << c.name << ": " << Readable(c.answer); }

class ExchangeAnswerTest : public ExtPrgTest, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(ExchangeAnswerTest, RunsTheAssignmentsThatTheProgramLeft) {
  const AnswerCase& c = GetParam();
  std::array<BYTE, kExchangeBlockSize> block{};
  block[0] = static_cast<BYTE>(c.length & 0xFF);
  block[1] = static_cast<BYTE>(c.length >> 8);
  std::copy(c.answer.begin(), c.answer.end(), block.begin() + 2);
  CErrorTrace* node = ERROR_TRACE_PUSH();
  EXPECT_EQ(CExtPrg::RunExchangeAnswer(block.data(), 7, node), c.ok);
  if (!c.ok) {
    EXPECT_EQ(node->error_code, 253);
    EXPECT_EQ(node->value, 7);
  }
  VarValue value;
  vars().GetVar("bl", &value);
  EXPECT_STREQ(value.text, c.variable);
}

const std::string kAnswer = Bytes({0, 'N', "bl", 0, 'C', "\"A-12\"", 0, '['});

INSTANTIATE_TEST_SUITE_P(
    Cases, ExchangeAnswerTest,
    ::testing::Values(AnswerCase{"NoAnswer", kAnswer, 0, TRUE, ""},
                      AnswerCase{"Answer", kAnswer, static_cast<int>(kAnswer.size()), TRUE, "A-12"},
                      AnswerCase{"LongestAnswer", kAnswer + std::string(4094 - kAnswer.size(), '\0'), 4094, TRUE, "A-12"},
                      AnswerCase{"LengthBeyondTheBlockIsRefusedWhole", kAnswer, 4095, FALSE, ""},
                      AnswerCase{"LargestLength", kAnswer, 0xFFFF, FALSE, ""},
                      AnswerCase{"BadCode", Bytes({0, 'X'}), 2, FALSE, ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace

namespace {

// Programs started from the list: the test's answering program stands for a
// where-used search.
class ExtPrgRunTest : public varno::testing::ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    folder.Write("extern.txt",
                 "7:1:FOLDER+\"\\EXTPRG_ANSWER.EXE\",\"answer\"\r\n"
                 "8:1:\"extprg_answer.exe\",\"long\"\r\n"
                 "9:1:\"extprg_answer.exe\",\"none\"\r\n"
                 "10:0:\"extprg_answer.exe\",\"none\"\r\n"
                 "11:0:\"no_such_program.exe\",x\r\n"
                 // Block names are seen by every process: tests that may run side by
                 // side use programs of their own.
                 "13:1:FOLDER+\"\\EXTPRG_ANSWER.EXE\",\"answer\"\r\n");
    list.Load((folder / "extern.txt").c_str());
    // The program's folder becomes its working folder; the program is found
    // beside the test program.
    vars().SetVar("FOLDER", VarValue::Text(folder.Path().c_str()), VAR_CHAR);
  }
  CString Text(const char* name) {
    VarValue value;
    vars().GetVar(name, &value);
    return value.text;
  }

  layer::testing::TempFolder folder;
  CExtPrg list;
  DWORD pid = 0;
};

TEST_F(ExtPrgRunTest, AnswerInTheBlockIsRunAfterTheProgramEnded) {
  ASSERT_TRUE(list.Run(7, TRUE, nullptr, &pid)) << theGlobals.m_error_trace_newest->error_code;
  EXPECT_NE(pid, 0u);
  EXPECT_STREQ(Text("bl"), "7");
  EXPECT_EQ(TakeKeyCommands(), (KeyCommands{{1, "P~A-12"}}));
  EXPECT_EQ(theGlobals.m_waiting_for_pid, 0u);
  EXPECT_TRUE(IsWindowEnabled(app.m_hMainWnd));
  EXPECT_EQ(theGlobals.m_error_trace_newest, nullptr);
}

TEST_F(ExtPrgRunTest, TakenBlockNameGetsACounter) {
  HANDLE taken = CreateFileMapping(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kExchangeBlockSize, "13");
  ASSERT_NE(taken, nullptr);
  EXPECT_TRUE(list.Run(13, TRUE, nullptr, &pid));
  EXPECT_STREQ(Text("bl"), "131");
  CloseHandle(taken);
}

TEST_F(ExtPrgRunTest, ProgramWithoutAnswerRunsNothing) {
  EXPECT_TRUE(list.Run(9, TRUE, nullptr, &pid));
  EXPECT_STREQ(Text("bl"), "");
  EXPECT_TRUE(TakeKeyCommands().empty());
}

TEST_F(ExtPrgRunTest, LengthBeyondTheBlockIsRefusedAndNothingRuns) {
  EXPECT_FALSE(list.Run(8, TRUE, nullptr, &pid));
  ASSERT_NE(theGlobals.m_error_trace_newest, nullptr);
  EXPECT_EQ(theGlobals.m_error_trace_newest->error_code, 253);
  EXPECT_EQ(theGlobals.m_error_trace_newest->value, 8);
  EXPECT_STREQ(Text("bl"), "");
  EXPECT_TRUE(TakeKeyCommands().empty());
}

TEST_F(ExtPrgRunTest, WithoutBlockAndWaitItReturnsAtOnce) {
  theGlobals.m_waiting_for_pid = 4711;
  EXPECT_TRUE(list.Run(10, FALSE, "-extra", &pid));
  EXPECT_NE(pid, 0u);
  EXPECT_EQ(theGlobals.m_waiting_for_pid, 4711u);
  theGlobals.m_waiting_for_pid = 0;
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
  if (process != nullptr) {
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
  }
}

// What a window sees of the frames while the viewer waits for a program.
struct FramesDuringWait {
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER) {
      mainEnabled = IsWindowEnabled(reinterpret_cast<HWND>(wParam)) != FALSE;
      popupEnabled = IsWindowEnabled(reinterpret_cast<HWND>(lParam)) != FALSE;
      return 0;
    }
    return DefWindowProc(window, message, wParam, lParam);
  }
  static inline bool mainEnabled = true;
  static inline bool popupEnabled = true;
};

class ExtPrgWaitTest : public ExtPrgRunTest, public ::testing::WithParamInterface<bool> {};

TEST_P(ExtPrgWaitTest, OnlyTheLaunchingFrameIsDisabledWhileTheProgramRuns) {
  const bool fromPopup = GetParam();
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = FramesDuringWait::Procedure;
  windowClass.lpszClassName = "VarnoWaitProbe";
  RegisterClass(&windowClass);
  HWND probe = CreateWindow("VarnoWaitProbe", "", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  app.m_hPopupWnd =
      CreateWindow("VarnoKeyTarget", "Popup", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  theGlobals.m_IsPopup = fromPopup;
  PostMessage(probe, WM_USER, reinterpret_cast<WPARAM>(app.m_hMainWnd), reinterpret_cast<LPARAM>(app.m_hPopupWnd));
  EXPECT_TRUE(list.Run(9, TRUE, nullptr, &pid));
  EXPECT_EQ(FramesDuringWait::mainEnabled, fromPopup);
  EXPECT_EQ(FramesDuringWait::popupEnabled, !fromPopup);
  EXPECT_TRUE(IsWindowEnabled(app.m_hMainWnd));
  EXPECT_TRUE(IsWindowEnabled(app.m_hPopupWnd));
  theGlobals.m_IsPopup = FALSE;
  DestroyWindow(app.m_hPopupWnd);
  app.m_hPopupWnd = nullptr;
  DestroyWindow(probe);
}

INSTANTIATE_TEST_SUITE_P(Frames, ExtPrgWaitTest, ::testing::Bool(),
                         [](const auto& info) { return std::string(info.param ? "FromPopup" : "FromMainFrame"); });

TEST_F(ExtPrgRunTest, FailuresLeaveTheirCode) {
  struct Case {
    int number;
    int code;
    int value;
  };
  for (const Case& c : {Case{12, 255, 12}, Case{11, 252, ERROR_FILE_NOT_FOUND}}) {
    EXPECT_FALSE(list.Run(c.number, TRUE, nullptr, &pid));
    ASSERT_NE(theGlobals.m_error_trace_newest, nullptr);
    EXPECT_EQ(theGlobals.m_error_trace_newest->error_code, c.code);
    if (c.value >= 0) {
      EXPECT_EQ(theGlobals.m_error_trace_newest->value, c.value);
    }
    CErrorTrace::RemoveAll();
  }
}

}  // namespace
